#include "TEP_DocsNode.h"

#include "DocsTreeListener.h"
#include "FileNameRules.h"
#include "FolderFiles.h"
#include "MessageText.h"
#include "TEP_Doc.h"
#include "params/Param_Obj.h"
#include "params/StrFields.h"
#include "params/ValueEncodings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

using MessageText::Quoted;

namespace {

const QString kHeading = QStringLiteral("SUBDIRDATA");

} // namespace

TEP_DocsNode::TEP_DocsNode() = default;

TEP_DocsNode::~TEP_DocsNode() = default;

// --- Listeners ------------------------------------------------------------------------

TEP_DocsNode* TEP_DocsNode::Root()
{
    TEP_DocsNode* root = this;
    while (root->m_parent)
        root = root->m_parent;
    return root;
}

void TEP_DocsNode::AddListener(DocsTreeListener* listener)
{
    Q_ASSERT_X(!m_parent && listener, "TEP_DocsNode::AddListener", "listeners register on the root");
    if (m_parent || !listener)
        return;
    if (std::find(m_listeners.cbegin(), m_listeners.cend(), listener) == m_listeners.cend())
        m_listeners.push_back(listener);
}

void TEP_DocsNode::RemoveListener(DocsTreeListener* listener)
{
    std::erase(m_listeners, listener);
}

// --- Selection ------------------------------------------------------------------------

void TEP_DocsNode::SetSelectedNode(TEP_DocsNode* node)
{
    TEP_DocsNode* root = Root();
    Q_ASSERT_X(!node || node->Root() == root, "TEP_DocsNode::SetSelectedNode", "a node of another tree");
    root->m_selected = node && node->Root() == root ? node : nullptr;
}

TEP_DocsNode* TEP_DocsNode::SelectedNode()
{
    return Root()->m_selected;
}

TEP_Doc* TEP_DocsNode::SelectedDocument()
{
    const TEP_DocsNode* node = SelectedNode();
    return node ? node->Document() : nullptr;
}

void TEP_DocsNode::AboutToRemove(int first, int last)
{
    TEP_DocsNode* root = Root();
    for (const TEP_DocsNode* node = root->m_selected; node; node = node->m_parent) {
        if (node->m_parent != this)
            continue;
        const int row = IndexOf(node);
        if (row >= first && row <= last)
            root->m_selected = nullptr;
        break;
    }
    Notify([&](DocsTreeListener& l) { l.NodesAboutToBeRemoved(*this, first, last); });
}

// --- Children -------------------------------------------------------------------------

bool TEP_DocsNode::Adopt(TEP_DocsNode* node, const char* operation)
{
    // A document holds no children, and only nodes are children: a call
    // that breaks this is a fault of the program, refused.
    if (IsDocument()) {
        qWarning("Erreur interne : %s() appelée pour un document.", operation);
        Q_ASSERT_X(false, operation, "a child given to a document");
        return false;
    }
    if (!node) {
        qWarning("Erreur interne : %s() appelée avec un objet de type incorrect.", operation);
        Q_ASSERT_X(false, operation, "no node given");
        return false;
    }
    node->m_parent = this;
    return true;
}

int TEP_DocsNode::AddObject(std::unique_ptr<TEP_DocsNode> node)
{
    return InsertObject(ChildCount(), std::move(node));
}

int TEP_DocsNode::InsertObject(int index, std::unique_ptr<TEP_DocsNode> node)
{
    if (!Adopt(node.get(), "TEP_DocsNode::InsertObject"))
        return -1;
    index = std::clamp(index, 0, ChildCount());
    Notify([&](DocsTreeListener& l) { l.NodesAboutToBeInserted(*this, index, index); });
    m_children.insert(m_children.begin() + index, Child {QString(), std::move(node)});
    Notify([&](DocsTreeListener& l) { l.NodesInserted(*this, index, index); });
    return index;
}

TEP_DocsNode* TEP_DocsNode::ChildAt(int index) const
{
    return index >= 0 && index < ChildCount() ? m_children[size_t(index)].node.get() : nullptr;
}

int TEP_DocsNode::IndexOf(const TEP_DocsNode* node) const
{
    for (int i = 0; i < ChildCount(); ++i)
        if (m_children[size_t(i)].node.get() == node)
            return i;
    return -1;
}

void TEP_DocsNode::RemoveChildAt(int index)
{
    AboutToRemove(index, index);
    m_children.erase(m_children.begin() + index);
    Notify([&](DocsTreeListener& l) { l.NodesRemoved(*this, index, index); });
}

std::unique_ptr<TEP_DocsNode> TEP_DocsNode::TakeChild(TEP_DocsNode* node)
{
    const int index = IndexOf(node);
    if (index < 0)
        return nullptr;
    AboutToRemove(index, index);
    std::unique_ptr<TEP_DocsNode> taken = std::move(m_children[size_t(index)].node);
    m_children.erase(m_children.begin() + index);
    taken->m_parent = nullptr;
    Notify([&](DocsTreeListener& l) { l.NodesRemoved(*this, index, index); });
    return taken;
}

void TEP_DocsNode::ClearChildren()
{
    if (m_children.empty())
        return;
    const int last = ChildCount() - 1;
    AboutToRemove(0, last);
    m_children.clear();
    Notify([&](DocsTreeListener& l) { l.NodesRemoved(*this, 0, last); });
}

void TEP_DocsNode::MoveChildTo(TEP_DocsNode* node, TEP_DocsNode* to, int toRow)
{
    const int fromRow = IndexOf(node);
    Q_ASSERT(fromRow >= 0 && !to->IsDocument());
    if (fromRow < 0 || to->IsDocument())
        return;
    Notify([&](DocsTreeListener& l) { l.NodeAboutToBeMoved(*this, fromRow, *to, toRow); });
    Child moving = std::move(m_children[size_t(fromRow)]);
    m_children.erase(m_children.begin() + fromRow);
    toRow = std::clamp(toRow, 0, to->ChildCount());
    node->m_parent = to;
    to->m_children.insert(to->m_children.begin() + toRow, std::move(moving));
    Notify([&](DocsTreeListener& l) { l.NodeMoved(*node); });
}

TEP_DocsNode* TEP_DocsNode::FindChildByName(const QString& name) const
{
    const QString wanted = StrTrim(name);
    for (int i = ChildCount() - 1; i >= 0; --i)
        if (m_children[size_t(i)].node->m_name.compare(wanted, Qt::CaseInsensitive) == 0)
            return m_children[size_t(i)].node.get();
    return nullptr;
}

TEP_DocsNode* TEP_DocsNode::FindDocumentNode(const TEP_Doc* document)
{
    if (m_document && m_document.get() == document)
        return this;
    for (const Child& child : m_children)
        if (TEP_DocsNode* found = child.node->FindDocumentNode(document))
            return found;
    return nullptr;
}

QString TEP_DocsNode::FolderPath() const
{
    return m_document ? m_document->Folder() : m_path;
}

TEP_DocsNode* TEP_DocsNode::SiblingDocument(int step)
{
    if (!m_parent)
        return nullptr;
    const int index = m_parent->IndexOf(this);
    // A node always sits in its parent's list (the parent owns it).
    Q_ASSERT_X(index >= 0, "TEP_DocsNode::SiblingDocument", "Erreur interne de l'arborescence des documents.");
    if (index < 0)
        return nullptr;
    for (int i = index + step; i >= 0 && i < m_parent->ChildCount(); i += step)
        if (m_parent->ChildAt(i)->IsDocument())
            return m_parent->ChildAt(i);
    return nullptr;
}

TEP_DocsNode* TEP_DocsNode::PreviousDocument()
{
    return SiblingDocument(-1);
}

TEP_DocsNode* TEP_DocsNode::NextDocument()
{
    return SiblingDocument(1);
}

// --- Scanning -----------------------------------------------------------------------

Outcome TEP_DocsNode::Scan(const QString& folder)
{
    Q_ASSERT_X(!IsDocument(), "TEP_DocsNode::Scan", "a document node holds no folder");
    m_exists = false;
    if (IsDocument())
        return Outcome().Fail();
    ClearChildren();
    if (!QFileInfo(folder).isDir())
        return Outcome::Failure(QStringLiteral("Le répertoire de documents %1 n'existe pas.").arg(Quoted(folder)));
    m_path = folder;
    m_name = QFileInfo(QDir::cleanPath(folder)).fileName();
    const FolderFiles listing(m_path); // the folder is listed once
    Outcome outcome = RescanListed(listing);
    LoadFolderData(&listing);
    m_exists = true;
    return outcome;
}

Outcome TEP_DocsNode::Rescan()
{
    if (IsDocument())
        return {};
    if (QFileInfo(m_path).isDir())
        return RescanListed(FolderFiles(m_path));
    Notify([&](DocsTreeListener& l) { l.RescanStarted(*this); });
    ClearChildren();
    if (m_parent)
        m_exists = false;
    Notify([&](DocsTreeListener& l) { l.RescanFinished(*this); });
    return {};
}

Outcome TEP_DocsNode::RescanListed(const FolderFiles& listing)
{
    Notify([&](DocsTreeListener& l) { l.RescanStarted(*this); });
    Outcome outcome = RescanChildren(listing);
    Notify([&](DocsTreeListener& l) { l.RescanFinished(*this); });
    return outcome;
}

Outcome TEP_DocsNode::RescanChildren(const FolderFiles& listing)
{
    Outcome outcome;
    for (int i = ChildCount() - 1; i >= 0; --i) {
        TEP_DocsNode* child = ChildAt(i);
        bool gone = false;
        if (child->IsDocument()) {
            TEP_Doc* doc = child->m_document.get();
            gone = !doc->EPDoc_RefreshFiles(&listing);
            if (!gone && doc->IsUserSet())
                (void)doc->EPDoc_RefreshWork(&listing);
        } else {
            outcome.Note(child->Rescan().Messages());
            gone = !child->m_exists;
        }
        if (gone)
            RemoveChildAt(i);
    }
    QSet<QString> known;
    QSet<QString> knownFolders;
    for (const Child& child : m_children) {
        known.insert(child.node->m_name.toLower());
        if (!child.node->IsDocument())
            knownFolders.insert(child.node->m_path);
    }
    for (const QString& name : listing.Worksheets())
        if (!known.contains(name.toLower()))
            outcome.Merge(AddDocument(name, &listing));
    for (const QString& folder : listing.Folders()) {
        const QString path = FileNameRules::Join(m_path, folder);
        // Hidden folders (".git", ".Trash-1000") hold no worksheets.
        if (knownFolders.contains(path) || FileNameRules::IsHidden(folder))
            continue;
        // Scanned before it joins the tree: the tree's listeners hear of it
        // once, whole.
        auto node = std::make_unique<TEP_DocsNode>();
        outcome.Note(node->Scan(path).Messages());
        if (!node->m_exists)
            continue;
        node->HandDownColor(m_colour.value);
        node->HandDownStyle(m_style.value);
        AddObject(std::move(node));
    }
    return outcome;
}

Outcome TEP_DocsNode::AddDocument(const QString& name, const FolderFiles* listing)
{
    auto document = std::make_unique<TEP_Doc>();
    Outcome outcome = document->EPDoc_Init(name, m_path, listing);
    if (!outcome)
        return outcome;
    auto node = std::make_unique<TEP_DocsNode>();
    node->m_name = name;
    node->m_document = std::move(document);
    node->HandDownColor(m_colour.value);
    node->HandDownStyle(m_style.value);
    AddObject(std::move(node));
    return outcome;
}

Outcome TEP_DocsNode::AddDocument(const QString& name)
{
    if (IsDocument())
        return Outcome::Failure(QStringLiteral("Un document ne peut être ajouté à un autre document"));
    return AddDocument(name, nullptr);
}

// --- Folder data ------------------------------------------------------------------------

void TEP_DocsNode::ApplyOrder(const QStringList& names)
{
    Notify([&](DocsTreeListener& l) { l.ChildrenAboutToBeReordered(*this); });
    for (Child& child : m_children)
        child.sortKey = QStringLiteral("99999");
    for (int k = 0; k < names.size(); ++k)
        if (TEP_DocsNode* node = FindChildByName(names[k]))
            m_children[size_t(IndexOf(node))].sortKey = QStringLiteral("%1").arg(k, 5, 10, QLatin1Char('0'));
    std::stable_sort(
        m_children.begin(), m_children.end(), [](const Child& a, const Child& b) { return a.sortKey < b.sortKey; });
    Notify([&](DocsTreeListener& l) { l.ChildrenReordered(*this); });
}

void TEP_DocsNode::ReadDocumentColours(const QStringList& values)
{
    for (const QString& value : values) {
        const QStringList fields = StrSplitFields(value, QStringLiteral(","));
        TEP_DocsNode* child = FindChildByName(fields.value(0));
        if (!child)
            continue;
        RgbColor color;
        if (fields.size() > 1 && ParamToColor(fields[1], color))
            child->SetOwnColor(color);
        else
            child->InheritColor();
    }
}

void TEP_DocsNode::ReadDocumentStyles(const QStringList& values)
{
    static const QString letters = QStringLiteral("BIUS");
    for (const QString& value : values) {
        const QStringList fields = StrSplitFields(value, QStringLiteral(","));
        TEP_DocsNode* child = FindChildByName(fields.value(0));
        if (!child)
            continue;
        int style = 0;
        bool read = false;
        for (qsizetype i = 1; i < fields.size(); ++i) {
            const QStringList parts = fields[i].split(QLatin1Char(':'));
            const QString letter = StrTrim(parts.value(0)).toUpper();
            bool set = false;
            if (parts.size() < 2 || letter.size() != 1 || !letters.contains(letter) || !ParamToBool(parts[1], set))
                continue;
            const int bit = 1 << letters.indexOf(letter);
            style = set ? (style | bit) : (style & ~bit);
            read = true;
        }
        if (read)
            child->SetOwnStyle(style);
    }
}

void TEP_DocsNode::LoadFolderData(const FolderFiles* listing)
{
    m_folderData = std::make_unique<Param_Obj>();
    const QString file = FolderDataPath(listing);
    const bool present = listing ? listing->Contains(DataFileName) : QFileInfo(file).isFile();
    if (present && m_folderData->LoadFromFile(file)) {
        QStringList values;
        m_folderData->PRReads(kHeading, QStringLiteral("ITEMSSORT"), &values);
        if (!values.isEmpty())
            ApplyOrder(values);
        RgbColor color;
        if (ParamToColor(StrTrim(m_folderData->PRRead(kHeading, QStringLiteral("DIRFONTCOLOR"))), color))
            SetOwnColor(color);
        else
            InheritColor();
        m_folderData->PRReads(kHeading, QStringLiteral("DOCSCOLORS"), &values);
        ReadDocumentColours(values);
        m_folderData->PRReads(kHeading, QStringLiteral("DOCSSTYLES"), &values);
        ReadDocumentStyles(values);
    }
    for (const Child& child : m_children) {
        child.node->HandDownColor(m_colour.value);
        child.node->HandDownStyle(m_style.value);
    }
}

Outcome TEP_DocsNode::SaveFolderData()
{
    if (!m_folderData || IsDocument())
        return {};
    QStringList order, colours, styles;
    for (const Child& child : m_children) {
        const TEP_DocsNode* node = child.node.get();
        order << node->m_name;
        if (!node->IsDocument())
            continue;
        if (!node->m_colour.inherits)
            colours << node->m_name + QLatin1Char(',') + ColorToParam(node->m_colour.value);
        if (!node->m_style.inherits)
            styles << QStringLiteral("%1,B:%2,U:%3,I:%4,S:%5")
                          .arg(node->m_name, BoolToParam(node->m_style.value & Bold),
                              BoolToParam(node->m_style.value & Underline), BoolToParam(node->m_style.value & Italic),
                              BoolToParam(node->m_style.value & StrikeOut));
    }
    m_folderData->PRWrites(kHeading, QStringLiteral("ITEMSSORT"), order);
    m_folderData->PRWrite(kHeading, QStringLiteral("DIRFONTCOLOR"), ColorToParam(m_colour.value));
    m_folderData->PRWrites(kHeading, QStringLiteral("DOCSCOLORS"), colours);
    m_folderData->PRWrites(kHeading, QStringLiteral("DOCSSTYLES"), styles);
    if (m_folderData->SaveToFile(FolderDataPath()))
        return {};
    return Outcome::Failure(
        QStringLiteral("Impossible de sauvegarder la configuration du répertoire : %1.").arg(Quoted(m_path)));
}

QString TEP_DocsNode::FolderDataPath(const FolderFiles* listing) const
{
    // Looked up as every other file: a "data.txt" copied from Windows is
    // this folder's data, and is written back under its own name.
    const QString onDisk = listing ? listing->Find(DataFileName) : FolderFiles(m_path).Find(DataFileName);
    return FileNameRules::Join(m_path, onDisk.isEmpty() ? DataFileName : onDisk);
}

Outcome TEP_DocsNode::SaveFolderDataRecursive()
{
    Outcome outcome = SaveFolderData();
    for (const Child& child : m_children)
        if (!child.node->IsDocument())
            outcome.Merge(child.node->SaveFolderDataRecursive());
    return outcome;
}

// --- Colours and styles -------------------------------------------------------------------

template <typename T> void TEP_DocsNode::HandDown(Inheritable<T> TEP_DocsNode::*field, T value)
{
    Inheritable<T>& own = this->*field;
    own.inherited = value;
    if (own.inherits)
        own.value = value;
    for (const Child& child : m_children)
        child.node->HandDown(field, own.value);
}

template <typename T> void TEP_DocsNode::Inherit(Inheritable<T> TEP_DocsNode::*field)
{
    (this->*field).inherits = true;
    HandDown(field, (this->*field).inherited);
}

template <typename T> void TEP_DocsNode::SetOwn(Inheritable<T> TEP_DocsNode::*field, T value)
{
    (this->*field).inherits = false;
    (this->*field).value = value;
    for (const Child& child : m_children)
        child.node->HandDown(field, value);
}

void TEP_DocsNode::HandDownColor(RgbColor color)
{
    HandDown(&TEP_DocsNode::m_colour, color);
}

void TEP_DocsNode::InheritColor()
{
    Inherit(&TEP_DocsNode::m_colour);
}

void TEP_DocsNode::SetOwnColor(RgbColor color)
{
    SetOwn(&TEP_DocsNode::m_colour, color);
}

void TEP_DocsNode::HandDownStyle(int style)
{
    HandDown(&TEP_DocsNode::m_style, style);
}

void TEP_DocsNode::InheritStyle()
{
    Inherit(&TEP_DocsNode::m_style);
}

void TEP_DocsNode::SetOwnStyle(int style)
{
    SetOwn(&TEP_DocsNode::m_style, style);
}
