#include "TEP_DocsTree.h"

#include "DocsTreeDelegate.h"
#include "DocsTreeModel.h"
#include "DragScroller.h"

#include "config/TEP_Config.h"
#include "documents/Messenger.h"
#include "documents/TEP_Doc.h"
#include "documents/TEP_DocsNode.h"
#include "platform/WindowsKeys.h"

#include <QKeyEvent>

// The view itself: loading, refreshing, the selection, keys and renaming.
// Adding, importing and deleting are in TEP_DocsTreeEdits.cpp, dragging and
// dropping in TEP_DocsTreeDrops.cpp.

TEP_DocsTree::TEP_DocsTree(TEP_Config& config, Messenger& messenger, const Clock& clock, QWidget* parent)
    : QTreeView(parent)
    , m_config(config)
    , m_messenger(messenger)
{
    setObjectName(QStringLiteral("DocsTree"));
    setAccessibleName(QStringLiteral("Arbre des documents"));
    setAccessibleDescription(QStringLiteral("Les dossiers et les fiches de travail. Les flèches choisissent, "
                                            "Entrée ouvre la fiche choisie."));
    m_model = new DocsTreeModel(this);
    setModel(m_model);
    m_delegate = new DocsTreeDelegate(this);
    setItemDelegate(m_delegate);
    m_delegate->IsDropTarget
        = [this](const QModelIndex& index) { return m_dropTarget.isValid() && index == m_dropTarget; };
    m_scroller = new DragScroller(*this, clock, this);
    m_model->RenameRequested = [this](TEP_DocsNode* node, const QString& text) { RenameEntry(node, text); };

    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // Dragging is ours: the data moves first, then the entry follows the
    // tree's notification; Qt's own move of entries stays off.
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setDropIndicatorShown(false);
    setAutoScroll(false);
    setExpandsOnDoubleClick(true);
    // The entries draw their own selection; the style's highlight of the
    // selected row's branch area is hidden.
    QPalette look = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        look.setColor(group, QPalette::Highlight, look.color(group, QPalette::Base));
    setPalette(look);
    viewport()->setAcceptDrops(true);
    SetSettingsMode(true);

    connect(this, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        if (handlers.doubleClicked)
            handlers.doubleClicked(NodeAt(index));
    });
    connect(this, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        if (handlers.expandedOrCollapsed)
            handlers.expandedOrCollapsed(NodeAt(index), true);
    });
    connect(this, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
        // A selection hidden in a closed folder moves to the folder.
        for (QModelIndex above = currentIndex().parent(); above.isValid(); above = above.parent())
            if (above == index) {
                SelectIndex(index);
                break;
            }
        if (handlers.expandedOrCollapsed)
            handlers.expandedOrCollapsed(NodeAt(index), false);
    });
    // After the view's own handling of the removal.
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &TEP_DocsTree::ReselectAfterRemoval);
}

TEP_DocsTree::~TEP_DocsTree()
{
    // The tree's selection must not outlive the view that set it.
    if (TEP_DocsNode* root = Root())
        root->SetSelectedNode(nullptr);
}

TEP_DocsNode* TEP_DocsTree::Root() const
{
    return m_model->Root();
}

TEP_DocsNode* TEP_DocsTree::NodeAt(const QModelIndex& index) const
{
    return m_model->NodeAt(index);
}

QModelIndex TEP_DocsTree::IndexOf(const TEP_DocsNode* node) const
{
    return m_model->IndexOf(node);
}

void TEP_DocsTree::ShowMessages(const Outcome& outcome) const
{
    if (outcome.HasMessages())
        m_messenger.ShowMessages(outcome.Messages());
}

Outcome TEP_DocsTree::CheckAgreement(const TEP_DocsNode* folder) const
{
    return m_model->CheckAgreement(folder);
}

// --- Loading and refreshing ----------------------------------------------------------------

void TEP_DocsTree::ApplyLook()
{
    const QFont font = m_config.Settings.TreeFont.ToQFont();
    setFont(font);
    m_model->SetBaseFont(font);
    m_delegate->SetSelectedBackground(m_config.Settings.TreeSelectedColor);
    viewport()->update();
}

Outcome TEP_DocsTree::Load(TEP_DocsNode* root)
{
    if (!root || root->Parent()) {
        m_model->SetRoot(nullptr);
        return Outcome::Failure(QStringLiteral("Erreur lors du chargement de l'arbre des documents!"));
    }
    ApplyLook();
    // Entries without colours or styles of their own take the font's.
    root->HandDownColor(m_config.Settings.TreeFont.Color);
    root->HandDownStyle(m_config.Settings.TreeFont.Styles);
    if (!m_config.DocsRootName.trimmed().isEmpty())
        (void)root->RenameChild(root, m_config.DocsRootName);
    TEP_DocsNode* selected = root->SelectedNode();
    m_model->SetRoot(root);
    expand(IndexOf(root));
    SelectNode(selected ? selected : root);
    return {};
}

Outcome TEP_DocsTree::Refresh()
{
    TEP_DocsNode* root = Root();
    if (!root)
        return Outcome::Failure(QStringLiteral("Erreur lors du chargement de l'arbre des documents!"));
    Outcome outcome = root->Rescan();
    // Worksheets found by the rescan show whether the current user worked
    // on them.
    const QString user = m_config.CurrentUser();
    if (!user.isEmpty()) {
        std::function<void(TEP_DocsNode*)> setUser = [&](TEP_DocsNode* node) {
            if (TEP_Doc* document = node->Document(); document && !document->IsUserSet())
                outcome.Note(document->EPDoc_SetUser(user).Messages());
            for (int i = 0; i < node->ChildCount(); ++i)
                setUser(node->ChildAt(i));
        };
        setUser(root);
    }
    m_model->RefreshAll();
    if (!SelectedNode())
        SelectNode(root);
    return outcome;
}

Outcome TEP_DocsTree::RefreshDocument(const TEP_Doc* document)
{
    TEP_DocsNode* root = Root();
    TEP_DocsNode* node = root && document ? root->FindDocumentNode(document) : nullptr;
    if (!node || !m_model->HasEntry(node))
        return Outcome::Failure(QStringLiteral("Le document \"%1\" n'existe pas dans le composant arbre.")
                                    .arg(document ? document->Name() : QString()));
    Outcome outcome;
    if (node->Document()->IsUserSet())
        outcome = node->Document()->EPDoc_RefreshWork();
    m_model->RefreshEntry(node);
    return outcome;
}

// --- Modes and permissions -------------------------------------------------------------------

void TEP_DocsTree::SetSettingsMode(bool settingsMode)
{
    m_settingsMode = settingsMode;
    const UserSettings& s = m_config.Settings;
    const bool editable
        = settingsMode || s.ScanAllowed || s.FolderCreateAllowed || s.RenameAllowed || s.FolderRenameAllowed;
    setEditTriggers(editable ? QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked
                             : QAbstractItemView::NoEditTriggers);
    setDragEnabled(settingsMode || s.MoveAllowed || s.FolderMoveAllowed);
}

bool TEP_DocsTree::MayRename(const TEP_DocsNode* node) const
{
    if (!node || !m_model->HasEntry(node))
        return false;
    if (m_settingsMode)
        return true;
    return node->IsDocument() ? m_config.Settings.RenameAllowed : m_config.Settings.FolderRenameAllowed;
}

bool TEP_DocsTree::MayDelete(const TEP_DocsNode* node) const
{
    if (!node || !m_model->HasEntry(node))
        return false;
    if (m_settingsMode)
        return true;
    // A pupil never deletes every document at once.
    if (!node->Parent())
        return false;
    return node->IsDocument() ? m_config.Settings.DeleteAllowed : m_config.Settings.FolderDeleteAllowed;
}

bool TEP_DocsTree::MayDrag(const TEP_DocsNode* node) const
{
    if (!node || !node->Parent() || !m_model->HasEntry(node))
        return false;
    if (m_settingsMode)
        return true;
    return node->IsDocument() ? m_config.Settings.MoveAllowed : m_config.Settings.FolderMoveAllowed;
}

// --- The selection ---------------------------------------------------------------------------

TEP_DocsNode* TEP_DocsTree::SelectedNode() const
{
    return NodeAt(currentIndex());
}

TEP_Doc* TEP_DocsTree::SelectedDocument() const
{
    const TEP_DocsNode* node = SelectedNode();
    return node ? node->Document() : nullptr;
}

bool TEP_DocsTree::IsRootSelected() const
{
    const TEP_DocsNode* node = SelectedNode();
    return node && !node->Parent();
}

bool TEP_DocsTree::SelectIndex(const QModelIndex& index)
{
    if (!index.isValid())
        return false;
    for (QModelIndex above = index.parent(); above.isValid(); above = above.parent())
        expand(above);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
    return true;
}

bool TEP_DocsTree::SelectNode(TEP_DocsNode* node)
{
    return SelectIndex(IndexOf(node));
}

bool TEP_DocsTree::SelectDocument(const TEP_Doc* document)
{
    TEP_DocsNode* root = Root();
    return root && document && SelectNode(root->FindDocumentNode(document));
}

QStringList TEP_DocsTree::SelectedNames() const
{
    QStringList names;
    for (const TEP_DocsNode* node = SelectedNode(); node && node->Parent(); node = node->Parent())
        names.prepend(node->Name());
    return names;
}

bool TEP_DocsTree::SelectNames(const QStringList& names)
{
    TEP_DocsNode* node = Root();
    if (!node)
        return false;
    bool found = true;
    for (const QString& name : names) {
        TEP_DocsNode* child = node->FindChildByName(name);
        if (!child) {
            found = false;
            break;
        }
        node = child;
    }
    SelectNode(node);
    return found;
}

void TEP_DocsTree::NotifySelection()
{
    TEP_DocsNode* node = SelectedNode();
    if (TEP_DocsNode* root = Root())
        root->SetSelectedNode(node);
    if (handlers.selectionChanged)
        handlers.selectionChanged(node);
}

void TEP_DocsTree::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTreeView::currentChanged(current, previous);
    // While entries are being removed the selection is settled afterwards,
    // once.
    if (!m_reselectPending)
        NotifySelection();
}

void TEP_DocsTree::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end)
{
    // When the selected entry, or a folder above it, goes: the next entry
    // of its folder is selected, else the previous, else the folder.
    QModelIndex leaving = currentIndex();
    while (leaving.isValid() && leaving.parent() != parent)
        leaving = leaving.parent();
    if (leaving.isValid() && leaving.row() >= start && leaving.row() <= end) {
        const int rows = m_model->rowCount(parent);
        m_reselect = end + 1 < rows ? m_model->index(end + 1, 0, parent)
            : start > 0             ? m_model->index(start - 1, 0, parent)
                                    : QModelIndex(parent);
        m_reselectPending = true;
    }
    QTreeView::rowsAboutToBeRemoved(parent, start, end);
}

void TEP_DocsTree::ReselectAfterRemoval()
{
    if (!m_reselectPending)
        return;
    const QModelIndex target = m_reselect;
    m_reselect = QPersistentModelIndex();
    SelectIndex(target);
    m_reselectPending = false;
    NotifySelection();
}

// --- Moving in tree order ----------------------------------------------------------------------

QModelIndex TEP_DocsTree::NextInTreeOrder(const QModelIndex& index) const
{
    if (m_model->rowCount(index) > 0)
        return m_model->index(0, 0, index);
    for (QModelIndex at = index; at.isValid(); at = at.parent()) {
        const QModelIndex sibling = at.siblingAtRow(at.row() + 1);
        if (sibling.isValid())
            return sibling;
    }
    return {};
}

QModelIndex TEP_DocsTree::PreviousInTreeOrder(const QModelIndex& index) const
{
    if (index.row() == 0)
        return index.parent();
    QModelIndex at = index.siblingAtRow(index.row() - 1);
    while (m_model->rowCount(at) > 0)
        at = m_model->index(m_model->rowCount(at) - 1, 0, at);
    return at;
}

bool TEP_DocsTree::SelectNext()
{
    const QModelIndex current = currentIndex();
    return SelectIndex(current.isValid() ? NextInTreeOrder(current) : IndexOf(Root()));
}

bool TEP_DocsTree::SelectPrevious()
{
    const QModelIndex current = currentIndex();
    return current.isValid() && SelectIndex(PreviousInTreeOrder(current));
}

// --- Keys ----------------------------------------------------------------------------------

void TEP_DocsTree::keyPressEvent(QKeyEvent* event)
{
    if (state() != EditingState && handlers.keyPressed) {
        TranslatedKey key = KeyTranslator::Translate(*event);
        if (key.code == WindowsKeys::Function(8) && !key.HasCharacter())
            key.character = 1;
        if ((key.HasCode() || key.HasCharacter()) && handlers.keyPressed(key)) {
            event->accept();
            return;
        }
    }
    QTreeView::keyPressEvent(event);
}

// --- Renaming in place -------------------------------------------------------------------------

bool TEP_DocsTree::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    if (!MayRename(NodeAt(index)))
        return false;
    return QTreeView::edit(index, trigger, event);
}

bool TEP_DocsTree::StartRename()
{
    const QModelIndex index = currentIndex();
    if (!MayRename(NodeAt(index)))
        return false;
    return edit(index, AllEditTriggers, nullptr);
}

void TEP_DocsTree::RenameEntry(TEP_DocsNode* node, const QString& text)
{
    if (!MayRename(node))
        return;
    if (handlers.beforeRename)
        handlers.beforeRename(node);
    const QString before = node->Name();
    Outcome outcome;
    if (TEP_DocsNode* parent = node->Parent()) {
        outcome = parent->RenameChild(node, text);
    } else {
        // The root's name is its display name, kept in the general file.
        outcome = node->RenameChild(node, text);
        if (outcome && m_config.DocsRootName != node->Name()) {
            m_config.DocsRootName = node->Name();
            outcome.Merge(m_config.WriteGeneralFile());
        }
    }
    // On failure the entry shows the node's name: the old one.
    m_model->RefreshEntry(node);
    ShowMessages(outcome);
    if (handlers.afterRename)
        handlers.afterRename(node, outcome.Ok() && node->Name() != before);
}
