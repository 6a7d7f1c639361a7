#include "TEP_DocsNode.h"

#include "FileNameRules.h"
#include "FolderFiles.h"
#include "MessageText.h"
#include "Messenger.h"
#include "TEP_Doc.h"
#include "params/Param_Obj.h"
#include "params/StrFields.h"
#include "params/ValueEncodings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

using MessageText::Append;
using MessageText::Quoted;

namespace {

const QString kHeading = QStringLiteral("SUBDIRDATA");

// Document names of a folder: every "*.jpg" and "*.jpeg" file without its
// last extension, each once, sorted.
QStringList DocumentNames(const FolderFiles& listing)
{
    QStringList names;
    for (const QString& file : listing.Names()) {
        const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
        const QString extension = dot < 0 ? QString() : file.mid(dot + 1).toLower();
        if (extension == QLatin1String("jpg") || extension == QLatin1String("jpeg"))
            names << file.left(dot);
    }
    names.removeDuplicates();
    names.sort();
    return names;
}

} // namespace

TEP_DocsNode::TEP_DocsNode(Messenger* messenger)
    : m_messenger(messenger)
{ }

TEP_DocsNode::~TEP_DocsNode() = default;

// --- Children -------------------------------------------------------------------------

void TEP_DocsNode::Adopt(TEP_DocsNode* node, const char* operation)
{
    if (IsDocument())
        throw DocsNodeError(std::string("Erreur interne : TEP_DocsNode.") + operation + "() appelée pour un document.");
    if (!node)
        throw DocsNodeError(
            std::string("Erreur interne : TEP_DocsNode.") + operation + "() appelée avec un objet de type incorrect.");
    node->m_parent = this;
    if (!node->m_messenger)
        node->m_messenger = m_messenger;
}

int TEP_DocsNode::AddObject(TEP_DocsNode* node)
{
    Adopt(node, "AddObject");
    m_children.push_back(Child {QString(), std::unique_ptr<TEP_DocsNode>(node)});
    return ChildCount() - 1;
}

int TEP_DocsNode::InsertObject(int index, TEP_DocsNode* node)
{
    Adopt(node, "InsertObject");
    index = std::clamp(index, 0, ChildCount());
    m_children.insert(m_children.begin() + index, Child {QString(), std::unique_ptr<TEP_DocsNode>(node)});
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

std::unique_ptr<TEP_DocsNode> TEP_DocsNode::TakeChild(TEP_DocsNode* node)
{
    const int index = IndexOf(node);
    if (index < 0)
        return nullptr;
    std::unique_ptr<TEP_DocsNode> taken = std::move(m_children[size_t(index)].node);
    m_children.erase(m_children.begin() + index);
    taken->m_parent = nullptr;
    return taken;
}

void TEP_DocsNode::ClearChildren()
{
    m_children.clear();
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

void TEP_DocsNode::ShowInternalError() const
{
    if (m_messenger)
        m_messenger->ShowMessage(
            QStringLiteral("Erreur interne de l'arborescence des documents.\r\nQuittez le logiciel et recommencez."));
}

TEP_DocsNode* TEP_DocsNode::SiblingDocument(int step)
{
    if (!m_parent)
        return nullptr;
    const int index = m_parent->IndexOf(this);
    if (index < 0) {
        ShowInternalError();
        return nullptr;
    }
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

bool TEP_DocsNode::Scan(const QString& folder, bool& exists, QStringList* messages)
{
    ClearChildren();
    m_document.reset();
    exists = false;
    if (!QFileInfo(folder).isDir())
        return Append(messages, QStringLiteral("Le répertoire de documents %1 n'existe pas.").arg(Quoted(folder)));
    m_path = folder;
    m_name = QFileInfo(QDir::cleanPath(folder)).fileName();
    const bool ok = Rescan(messages);
    LoadFolderData();
    m_exists = exists = true;
    return ok;
}

bool TEP_DocsNode::Rescan(QStringList* messages)
{
    if (IsDocument())
        return true;
    if (!QFileInfo(m_path).isDir()) {
        ClearChildren();
        if (m_parent)
            m_exists = false;
        return true;
    }
    const FolderFiles listing(m_path);
    return RescanChildren(listing, messages);
}

bool TEP_DocsNode::RescanChildren(const FolderFiles& listing, QStringList* messages)
{
    for (int i = ChildCount() - 1; i >= 0; --i) {
        TEP_DocsNode* child = ChildAt(i);
        bool gone = false;
        if (child->IsDocument()) {
            TEP_Doc* doc = child->m_document.get();
            gone = !doc->EPDoc_RefreshFiles(nullptr, &listing);
            if (!gone && doc->IsUserSet())
                doc->EPDoc_RefreshWork(nullptr, &listing);
        } else {
            child->Rescan(messages);
            gone = !child->m_exists;
        }
        if (gone)
            m_children.erase(m_children.begin() + i);
    }
    QSet<QString> known;
    QSet<QString> knownFolders;
    for (const Child& child : m_children) {
        known.insert(child.node->m_name.toLower());
        if (!child.node->IsDocument())
            knownFolders.insert(child.node->m_path);
    }
    bool ok = true;
    for (const QString& name : DocumentNames(listing))
        if (!known.contains(name.toLower()))
            ok = AddDocument(name, &listing, messages) && ok;
    for (const QString& folder : listing.Folders()) {
        const QString path = FileNameRules::Join(m_path, folder);
        if (knownFolders.contains(path))
            continue;
        auto node = std::make_unique<TEP_DocsNode>(m_messenger);
        node->m_parent = this;
        bool exists = false;
        node->Scan(path, exists, messages);
        if (exists)
            AddObject(node.release());
    }
    return ok;
}

bool TEP_DocsNode::AddDocument(const QString& name, const FolderFiles* listing, QStringList* messages)
{
    auto document = std::make_unique<TEP_Doc>(m_messenger);
    if (!document->EPDoc_Init(name, m_path, messages, listing))
        return false;
    auto node = std::make_unique<TEP_DocsNode>(m_messenger);
    node->m_name = name;
    node->m_document = std::move(document);
    node->HandDownColor(m_colour.value);
    node->HandDownStyle(m_style.value);
    AddObject(node.release());
    return true;
}

bool TEP_DocsNode::AddDocument(const QString& name, QStringList* messages)
{
    if (IsDocument())
        return Append(messages, QStringLiteral("Un document ne peut être ajouté à un autre document"));
    return AddDocument(name, nullptr, messages);
}

// --- Folder data ------------------------------------------------------------------------

void TEP_DocsNode::ApplyOrder(const QStringList& names)
{
    for (Child& child : m_children)
        child.sortKey = QStringLiteral("99999");
    for (int k = 0; k < names.size(); ++k)
        if (TEP_DocsNode* node = FindChildByName(names[k]))
            m_children[size_t(IndexOf(node))].sortKey = QStringLiteral("%1").arg(k, 5, 10, QLatin1Char('0'));
    std::stable_sort(
        m_children.begin(), m_children.end(), [](const Child& a, const Child& b) { return a.sortKey < b.sortKey; });
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

void TEP_DocsNode::LoadFolderData()
{
    m_folderData = std::make_unique<Param_Obj>();
    const QString file = FileNameRules::Join(m_path, DataFileName);
    if (QFileInfo(file).isFile() && m_folderData->LoadFromFile(file)) {
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

bool TEP_DocsNode::SaveFolderData()
{
    if (!m_folderData || IsDocument())
        return true;
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
    if (m_folderData->SaveToFile(FileNameRules::Join(m_path, DataFileName)))
        return true;
    if (m_messenger)
        m_messenger->ShowMessage(
            QStringLiteral("Impossible de sauvegarder la configuration du répertoire : %1.").arg(Quoted(m_path)));
    return false;
}

bool TEP_DocsNode::SaveFolderDataRecursive()
{
    bool ok = SaveFolderData();
    for (const Child& child : m_children)
        if (!child.node->IsDocument())
            ok = child.node->SaveFolderDataRecursive() && ok;
    return ok;
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
