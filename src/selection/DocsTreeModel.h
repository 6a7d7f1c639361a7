#pragma once

#include "documents/DocsTreeListener.h"
#include "params/Outcome.h"

#include <QAbstractItemModel>
#include <QFont>
#include <QHash>
#include <QList>
#include <functional>
#include <optional>

class TEP_DocsNode;

// The documents tree as the documents view shows it: one entry for the
// root, and under each folder entry the entries of its children. The model
// keeps its own list of entries, changed only by the tree's notifications,
// so the view keeps its expanded folders and its selection when the tree
// changes (a rescan, a move, a deletion) and the view's entries can be
// compared with the tree's nodes after each change.
//
// The root given must stay alive while it is the model's root: load another
// root (or none) before freeing it.
class DocsTreeModel : public QAbstractItemModel, private DocsTreeListener {
    Q_OBJECT

public:
    enum Role { IconKindRole = Qt::UserRole + 1 };

    explicit DocsTreeModel(QObject* parent = nullptr);
    ~DocsTreeModel() override;

    void SetRoot(TEP_DocsNode* root);
    TEP_DocsNode* Root() const { return m_root; }
    // The font entries take their style bits from (the view's).
    void SetBaseFont(const QFont& font);

    TEP_DocsNode* NodeAt(const QModelIndex& index) const;
    // The entry of a node; invalid when the node has none.
    QModelIndex IndexOf(const TEP_DocsNode* node) const;
    bool HasEntry(const TEP_DocsNode* node) const { return m_entries.contains(node); }
    // The folder entry's children, in the view's order.
    QList<TEP_DocsNode*> EntriesOf(const TEP_DocsNode* folder) const;
    // The parent of a node's entry, read from the entries alone (the node
    // may be leaving the tree).
    TEP_DocsNode* EntryParent(const TEP_DocsNode* node) const;

    // Whether a folder's entries are its children one by one; a difference
    // is described in the failure's French messages.
    Outcome CheckAgreement(const TEP_DocsNode* folder) const;

    // The entries are drawn again (a user's work appeared or went).
    void RefreshEntry(const TEP_DocsNode* node);
    void RefreshAll();

    // Called when the person finished editing an entry's text.
    std::function<void(TEP_DocsNode* node, const QString& text)> RenameRequested;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // What the view holds of a node: its parent entry, its children's
    // entries and the text it shows.
    struct Entry {
        TEP_DocsNode* parent = nullptr;
        QList<TEP_DocsNode*> children;
        QString text;
    };
    struct PendingMove {
        TEP_DocsNode* from = nullptr;
        int fromRow = 0;
        TEP_DocsNode* to = nullptr;
        int toRow = 0;
        bool begun = false;
    };

    void AddEntries(TEP_DocsNode* node, TEP_DocsNode* parent);
    void ForgetEntries(const TEP_DocsNode* node);
    int RowOf(const TEP_DocsNode* node) const;
    QString Description(const TEP_DocsNode& node) const;
    void ResetAll();

    void NodesAboutToBeInserted(TEP_DocsNode& parent, int first, int last) override;
    void NodesInserted(TEP_DocsNode& parent, int first, int last) override;
    void NodesAboutToBeRemoved(TEP_DocsNode& parent, int first, int last) override;
    void NodesRemoved(TEP_DocsNode& parent, int first, int last) override;
    void NodeAboutToBeMoved(TEP_DocsNode& from, int fromRow, TEP_DocsNode& to, int toRow) override;
    void NodeMoved(TEP_DocsNode& node) override;
    void NodeRenamed(TEP_DocsNode& node) override;
    void ChildrenAboutToBeReordered(TEP_DocsNode& parent) override;
    void ChildrenReordered(TEP_DocsNode& parent) override;

    TEP_DocsNode* m_root = nullptr;
    QHash<const TEP_DocsNode*, Entry> m_entries;
    QFont m_baseFont;
    std::optional<PendingMove> m_move;
    bool m_inserting = false;
    bool m_removing = false;
};
