#include "DocsTreeModel.h"

#include "DocsTreeIcons.h"

#include "documents/TEP_DocsNode.h"

#include <algorithm>

DocsTreeModel::DocsTreeModel(QObject* parent)
    : QAbstractItemModel(parent)
{ }

DocsTreeModel::~DocsTreeModel()
{
    if (m_root)
        m_root->RemoveListener(this);
}

void DocsTreeModel::SetRoot(TEP_DocsNode* root)
{
    Q_ASSERT_X(!root || !root->Parent(), "DocsTreeModel::SetRoot", "the root of a tree");
    beginResetModel();
    if (m_root)
        m_root->RemoveListener(this);
    m_entries.clear();
    m_move.reset();
    m_root = root && !root->Parent() ? root : nullptr;
    if (m_root) {
        m_root->AddListener(this);
        AddEntries(m_root, nullptr);
    }
    endResetModel();
}

void DocsTreeModel::SetBaseFont(const QFont& font)
{
    m_baseFont = font;
    RefreshAll();
}

// --- Entries ----------------------------------------------------------------------------

void DocsTreeModel::AddEntries(TEP_DocsNode* node, TEP_DocsNode* parent)
{
    Entry entry;
    entry.parent = parent;
    entry.text = node->Name();
    for (int i = 0; i < node->ChildCount(); ++i)
        entry.children << node->ChildAt(i);
    m_entries.insert(node, entry);
    for (TEP_DocsNode* child : std::as_const(entry.children))
        AddEntries(child, node);
}

void DocsTreeModel::ForgetEntries(const TEP_DocsNode* node)
{
    // Only the entries are read: the node itself may be freed already.
    const Entry entry = m_entries.take(node);
    for (const TEP_DocsNode* child : entry.children)
        ForgetEntries(child);
}

int DocsTreeModel::RowOf(const TEP_DocsNode* node) const
{
    const auto found = m_entries.constFind(node);
    if (found == m_entries.constEnd())
        return -1;
    if (!found->parent)
        return 0;
    return int(m_entries.value(found->parent).children.indexOf(node));
}

TEP_DocsNode* DocsTreeModel::NodeAt(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return nullptr;
    return static_cast<TEP_DocsNode*>(index.internalPointer());
}

QModelIndex DocsTreeModel::IndexOf(const TEP_DocsNode* node) const
{
    const int row = RowOf(node);
    return row < 0 ? QModelIndex() : createIndex(row, 0, const_cast<TEP_DocsNode*>(node));
}

QList<TEP_DocsNode*> DocsTreeModel::EntriesOf(const TEP_DocsNode* folder) const
{
    return m_entries.value(folder).children;
}

TEP_DocsNode* DocsTreeModel::EntryParent(const TEP_DocsNode* node) const
{
    return m_entries.value(node).parent;
}

void DocsTreeModel::RefreshEntry(const TEP_DocsNode* node)
{
    const QModelIndex index = IndexOf(node);
    if (index.isValid())
        emit dataChanged(index, index);
}

void DocsTreeModel::RefreshAll()
{
    // Every entry may change its picture: the view draws again what it shows.
    emit layoutAboutToBeChanged();
    emit layoutChanged();
}

// --- Agreement ---------------------------------------------------------------------------

Outcome DocsTreeModel::CheckAgreement(const TEP_DocsNode* folder) const
{
    Q_ASSERT(folder);
    QString difference;
    const Entry entry = m_entries.value(folder);
    const QString folderText = m_entries.contains(folder) ? entry.text : QString();
    if (!m_entries.contains(folder) || entry.children.size() != folder->ChildCount()) {
        difference
            = QStringLiteral("Nombre de noeuds différent : TreeView=%1, DocsNode=%2").arg(folderText, folder->Name());
    } else {
        for (int i = 0; i < folder->ChildCount() && difference.isEmpty(); ++i) {
            const TEP_DocsNode* child = folder->ChildAt(i);
            // An entry's own text: a node that is not the child may be gone.
            if (entry.children[i] != child)
                difference = QStringLiteral("Noeud incorrect : TreeView=%1, DocsNode=%2")
                                 .arg(m_entries.value(entry.children[i]).text, child->Name());
            else if (child->Parent() != folder)
                difference = QStringLiteral("Noeud \"%1\" avec parent incorrect.").arg(child->Name());
        }
    }
    if (difference.isEmpty())
        return {};
    Outcome outcome = Outcome::Failure(
        QStringLiteral("Erreur de synchronisation entre le composant de visualisation et les données internes :"));
    outcome.Note(QLatin1Char('"') + difference + QLatin1Char('"'));
    return outcome.Note(QStringLiteral("** Il est préférable de quitter le logiciel et de le relancer **"));
}

// --- Notifications of the tree ------------------------------------------------------------

void DocsTreeModel::ResetAll()
{
    // Changes the entries cannot follow (a tree changed where the view has
    // no entry): the view starts again from the tree.
    TEP_DocsNode* root = m_root;
    beginResetModel();
    m_entries.clear();
    if (root)
        AddEntries(root, nullptr);
    endResetModel();
}

void DocsTreeModel::NodesAboutToBeInserted(TEP_DocsNode& parent, int first, int last)
{
    m_inserting = m_entries.contains(&parent);
    if (m_inserting)
        beginInsertRows(IndexOf(&parent), first, last);
}

void DocsTreeModel::NodesInserted(TEP_DocsNode& parent, int first, int last)
{
    if (!m_inserting)
        return;
    m_inserting = false;
    Entry& entry = m_entries[&parent];
    for (int row = first; row <= last; ++row) {
        TEP_DocsNode* child = parent.ChildAt(row);
        entry.children.insert(std::clamp(row, 0, int(entry.children.size())), child);
        AddEntries(child, &parent);
    }
    endInsertRows();
}

void DocsTreeModel::NodesAboutToBeRemoved(TEP_DocsNode& parent, int first, int last)
{
    m_removing = m_entries.contains(&parent) && last < m_entries.value(&parent).children.size();
    if (m_removing)
        beginRemoveRows(IndexOf(&parent), first, last);
}

void DocsTreeModel::NodesRemoved(TEP_DocsNode& parent, int first, int last)
{
    if (!m_removing)
        return;
    m_removing = false;
    QList<TEP_DocsNode*>& children = m_entries[&parent].children;
    for (int row = last; row >= first; --row)
        ForgetEntries(children.takeAt(row));
    endRemoveRows();
}

void DocsTreeModel::NodeAboutToBeMoved(TEP_DocsNode& from, int fromRow, TEP_DocsNode& to, int toRow)
{
    PendingMove move {&from, fromRow, &to, toRow, false};
    if (m_entries.contains(&from) && m_entries.contains(&to)) {
        const int count = int(m_entries.value(&to).children.size());
        move.toRow = std::clamp(toRow, 0, &from == &to ? count - 1 : count);
        // The row before which the entry goes, counted before the move.
        const int destination = &from == &to && move.toRow > fromRow ? move.toRow + 1 : move.toRow;
        const QModelIndex fromIndex = IndexOf(&from);
        move.begun = beginMoveRows(fromIndex, fromRow, fromRow, &from == &to ? fromIndex : IndexOf(&to), destination);
    }
    m_move = move;
}

void DocsTreeModel::NodeMoved(TEP_DocsNode& node)
{
    if (!m_move || !m_entries.contains(m_move->from) || !m_entries.contains(m_move->to)) {
        m_move.reset();
        ResetAll();
        return;
    }
    const PendingMove move = *m_move;
    m_move.reset();
    QList<TEP_DocsNode*>& fromChildren = m_entries[move.from].children;
    if (move.fromRow >= 0 && move.fromRow < fromChildren.size() && fromChildren[move.fromRow] == &node)
        fromChildren.removeAt(move.fromRow);
    QList<TEP_DocsNode*>& toChildren = m_entries[move.to].children;
    toChildren.insert(std::clamp(move.toRow, 0, int(toChildren.size())), &node);
    m_entries[&node].parent = move.to;
    if (move.begun)
        endMoveRows();
}

void DocsTreeModel::NodeRenamed(TEP_DocsNode& node)
{
    if (!m_entries.contains(&node))
        return;
    m_entries[&node].text = node.Name();
    RefreshEntry(&node);
}

void DocsTreeModel::ChildrenAboutToBeReordered(TEP_DocsNode& parent)
{
    if (m_entries.contains(&parent))
        emit layoutAboutToBeChanged({QPersistentModelIndex(IndexOf(&parent))}, VerticalSortHint);
}

void DocsTreeModel::ChildrenReordered(TEP_DocsNode& parent)
{
    if (!m_entries.contains(&parent))
        return;
    QList<TEP_DocsNode*> children;
    for (int i = 0; i < parent.ChildCount(); ++i)
        children << parent.ChildAt(i);
    m_entries[&parent].children = children;
    // The same entries in another order: what the view keeps (selection,
    // expanded folders) follows them.
    const QModelIndexList kept = persistentIndexList();
    for (const QModelIndex& old : kept) {
        auto* node = static_cast<TEP_DocsNode*>(old.internalPointer());
        if (m_entries.value(node).parent == &parent)
            changePersistentIndex(old, createIndex(int(children.indexOf(node)), old.column(), node));
    }
    emit layoutChanged({QPersistentModelIndex(IndexOf(&parent))}, VerticalSortHint);
}

// --- The item model ------------------------------------------------------------------------

QModelIndex DocsTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row == 0 && m_root ? createIndex(0, 0, m_root) : QModelIndex();
    const QList<TEP_DocsNode*> children = m_entries.value(NodeAt(parent)).children;
    return row < children.size() ? createIndex(row, 0, children[row]) : QModelIndex();
}

QModelIndex DocsTreeModel::parent(const QModelIndex& child) const
{
    const TEP_DocsNode* parentNode = m_entries.value(NodeAt(child)).parent;
    return parentNode ? IndexOf(parentNode) : QModelIndex();
}

int DocsTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return m_root ? 1 : 0;
    if (parent.column() != 0)
        return 0;
    return int(m_entries.value(NodeAt(parent)).children.size());
}

int DocsTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QString DocsTreeModel::Description(const TEP_DocsNode& node) const
{
    if (!node.Parent())
        return QStringLiteral("Dossier de tous les documents");
    switch (DocsTreeIcons::KindOf(node)) {
    case DocsTreeIcons::Folder:
        return QStringLiteral("Dossier");
    case DocsTreeIcons::Worksheet:
        return QStringLiteral("Fiche de travail");
    case DocsTreeIcons::WorksheetWithWork:
        return QStringLiteral("Fiche de travail, avec du travail de l'utilisateur");
    }
    return QString();
}

QVariant DocsTreeModel::data(const QModelIndex& index, int role) const
{
    const TEP_DocsNode* node = NodeAt(index);
    if (!node)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::AccessibleTextRole:
        return node->Name();
    case Qt::AccessibleDescriptionRole:
        return Description(*node);
    case Qt::ForegroundRole:
        return node->Color().ToQColor();
    case Qt::FontRole: {
        QFont font = m_baseFont;
        const int style = node->TextStyle();
        font.setBold(style & TEP_DocsNode::Bold);
        font.setItalic(style & TEP_DocsNode::Italic);
        font.setUnderline(style & TEP_DocsNode::Underline);
        font.setStrikeOut(style & TEP_DocsNode::StrikeOut);
        return font;
    }
    case IconKindRole:
        return int(DocsTreeIcons::KindOf(*node));
    default:
        return {};
    }
}

bool DocsTreeModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    TEP_DocsNode* node = NodeAt(index);
    if (!node || role != Qt::EditRole || !RenameRequested)
        return false;
    RenameRequested(node, value.toString());
    return true;
}

Qt::ItemFlags DocsTreeModel::flags(const QModelIndex& index) const
{
    if (!NodeAt(index))
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsDragEnabled
        | Qt::ItemIsDropEnabled;
}
