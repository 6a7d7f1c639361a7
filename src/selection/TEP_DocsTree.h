#pragma once

#include "params/Outcome.h"
#include "platform/KeyTranslator.h"

#include <QImage>
#include <QPointer>
#include <QStringList>
#include <QTreeView>
#include <functional>
#include <memory>

class Clock;
class DocsTreeDelegate;
class DocsTreeModel;
class DragScroller;
class Messenger;
class TEP_Config;
class TEP_Doc;
class TEP_DocsNode;

// The documents view of the selection screen: the documents tree of the
// configuration shown as a tree of entries (the root first, then every
// folder and worksheet in its folder's order), and the gestures on it
// (selecting, renaming in place, dragging and dropping, the commands of the
// screen's menus) turned into operations of the tree. The entries follow the
// tree's own notifications, so they keep their expanded folders and
// selection through every change; after each change made here the entries
// are compared with the tree's nodes.
//
// The view owns no node: the nodes it hands to its handlers are valid for
// the call only (keep names or paths, SelectedNames()). The configuration,
// the messenger and the clock outlive the view; load another root (or none)
// before the configuration frees its tree.
//
// Pupil mode obeys the user's settings: renaming a worksheet needs
// "RENALLOWED", a folder "DIRRALLOWED"; deleting "SUPALLOWED" / "DIRSALLOWED";
// dragging a worksheet "MOVEALLOWED", a folder "DIRMALLOWED".
class TEP_DocsTree : public QTreeView {
    Q_OBJECT

public:
    static inline const QString DragFormat = QStringLiteral("application/x-ardoisine-docsnode");
    static inline const QString TransferErrorsTitle = QStringLiteral("Erreur(s) de transfer");

    // What the selection screen hears of the view. Every handler may be
    // left empty.
    struct Handlers {
        // The selected entry changed (none: nullptr).
        std::function<void(TEP_DocsNode* node)> selectionChanged;
        std::function<void(TEP_DocsNode* node)> beforeRename;
        std::function<void(TEP_DocsNode* node, bool renamed)> afterRename;
        // False refuses the drop.
        std::function<bool(TEP_DocsNode* dragged, TEP_DocsNode* target)> beforeDrop;
        std::function<void(TEP_DocsNode* dragged, bool moved)> afterDrop;
        std::function<void(TEP_DocsNode* node)> doubleClicked;
        std::function<void(TEP_DocsNode* folder, bool expanded)> expandedOrCollapsed;
        // A key pressed while no name is being edited, as the key rules see
        // it (F8 comes as character 1). True when the screen used it; other
        // keys move in the tree.
        std::function<bool(const TranslatedKey& key)> keyPressed;
    };

    TEP_DocsTree(TEP_Config& config, Messenger& messenger, const Clock& clock, QWidget* parent = nullptr);
    ~TEP_DocsTree() override;

    Handlers handlers;

    // --- The screen's operations ---
    // Shows a documents tree: the font "TREEFONT", the root entry under
    // "DOCSROOTNAME", every entry in the tree's order; the root is expanded
    // and selected.
    Outcome Load(TEP_DocsNode* root);
    // Rescans the tree from the disk; expanded folders and the selection
    // stay, entries of what is gone go, pictures are renewed.
    Outcome Refresh();
    Outcome RefreshDocument(const TEP_Doc* document);
    // Settings mode: everything allowed; pupil mode: as the user's settings
    // allow.
    void SetSettingsMode(bool settingsMode);
    bool SettingsMode() const { return m_settingsMode; }
    // The font and selection colour of the current user's settings.
    void ApplyLook();

    Outcome CanAdd() const;
    // name is trimmed in place; exists tells that a worksheet of the folder
    // has the name (the caller may ask whether to replace it). A name that
    // cannot be a new page's file name is refused with its reason.
    Outcome CheckNewName(QString& name, bool& exists) const;
    // Adds a worksheet to the folder of the selection: before the selected
    // worksheet, or first in the selected folder. With a picture, its file
    // is written with the two resolutions; without, the file is already
    // there.
    Outcome AddDocument(
        const QString& name, const QImage* picture, int verticalResolution = 0, int horizontalResolution = 0);
    // Brings a JPEG file into the folder of the selection: copied, or
    // transferred (the source goes only once the worksheet is in the tree).
    Outcome Import(const QString& file, bool copy);
    Outcome NewFolder();
    // Asks first; No is a success with nothing deleted.
    Outcome DeleteSelected();
    // The next or previous entry in tree order, folders included; false at
    // either end.
    bool SelectNext();
    bool SelectPrevious();
    bool IsRootSelected() const;
    // Starts editing the selected entry's name, when allowed.
    bool StartRename();
    // Keys then go to the name being edited.
    bool IsEditingName() const { return state() == EditingState; }

    // --- The selection ---
    TEP_DocsNode* SelectedNode() const;
    TEP_Doc* SelectedDocument() const;
    // The names from the root's child down to the selected entry (empty:
    // the root or nothing), to find it again after the tree was rebuilt.
    QStringList SelectedNames() const;
    bool SelectNames(const QStringList& names);
    bool SelectNode(TEP_DocsNode* node);
    bool SelectDocument(const TEP_Doc* document);

    // --- Rules and pieces the tests reach ---
    bool MayRename(const TEP_DocsNode* node) const;
    bool MayDelete(const TEP_DocsNode* node) const;
    bool MayDrag(const TEP_DocsNode* node) const;
    // Whether dragged may be dropped on target.
    bool AcceptsDrop(const TEP_DocsNode* dragged, const TEP_DocsNode* target) const;
    // The drop itself: the data moves first, then the entry.
    bool DropOn(TEP_DocsNode* dragged, TEP_DocsNode* target);
    Outcome CheckAgreement(const TEP_DocsNode* folder) const;
    TEP_DocsNode* DropTarget() const { return NodeAt(m_dropTarget); }
    DocsTreeModel& Model() const { return *m_model; }
    DocsTreeDelegate& Delegate() const { return *m_delegate; }
    DragScroller& Scroller() const { return *m_scroller; }
    TEP_DocsNode* NodeAt(const QModelIndex& index) const;
    QModelIndex IndexOf(const TEP_DocsNode* node) const;
    // Mime data naming a node of this tree, as a drag carries it.
    static QMimeData* DragData(const TEP_DocsNode& node);
    TEP_DocsNode* DraggedNode(const QMimeData* mimeData) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    TEP_DocsNode* Root() const;
    // The folder a new worksheet or folder goes to: the selected folder, or
    // the selected worksheet's.
    TEP_DocsNode* TargetFolder() const;
    Outcome CheckName(QString& name, bool& exists, bool forNewPicture) const;
    Outcome PlaceNewDocument(std::unique_ptr<TEP_Doc> document, TEP_DocsNode** added);
    Outcome CopyIntoFolder(const QString& file, const QString& target) const;
    Outcome DeleteRootChildren();
    void RenameEntry(TEP_DocsNode* node, const QString& text);
    void SetDropTarget(TEP_DocsNode* node);
    void EndDrag();
    bool SelectIndex(const QModelIndex& index);
    // The entry after or before one in tree order.
    QModelIndex NextInTreeOrder(const QModelIndex& index) const;
    QModelIndex PreviousInTreeOrder(const QModelIndex& index) const;
    void ShowMessages(const Outcome& outcome) const;
    void ReselectAfterRemoval();
    void NotifySelection();

    TEP_Config& m_config;
    Messenger& m_messenger;
    DocsTreeModel* m_model = nullptr;
    DocsTreeDelegate* m_delegate = nullptr;
    DragScroller* m_scroller = nullptr;
    bool m_settingsMode = true;
    QPersistentModelIndex m_dropTarget;
    // The entry to select once the entries being removed are gone.
    QPersistentModelIndex m_reselect;
    bool m_reselectPending = false;
};
