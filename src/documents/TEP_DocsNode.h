#pragma once

#include "params/Outcome.h"
#include "params/RgbColor.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class DocsTreeListener;
class FolderFiles;
class Param_Obj;
class TEP_Doc;

// The documents tree: a folder node mirrors a folder of worksheets, holding
// its documents and sub-folders in display order and its "Data.txt" (order,
// colours, styles); a document node holds one TEP_Doc. Folders are scanned
// with one directory listing each.
//
// A node owns its children, its document and its folder data. Every change
// of the tree is told to the listeners registered on its root
// (DocsTreeListener), before a node is freed. Operations that can fail
// return an Outcome with their French messages; a child refused for its
// kind (a child given to a document) is a fault of the program: asserted,
// and refused.
class TEP_DocsNode {
public:
    enum Style { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };
    // How a successful move placed the node.
    enum MovePlacement { NotMoved = 0, AtTargetPosition = 1, FirstInFolder = 2 };
    static inline const QString DataFileName = QStringLiteral("Data.txt");

    TEP_DocsNode();
    virtual ~TEP_DocsNode();
    TEP_DocsNode(const TEP_DocsNode&) = delete;
    TEP_DocsNode& operator=(const TEP_DocsNode&) = delete;

    // --- Listeners (on the root) ---
    void AddListener(DocsTreeListener* listener);
    void RemoveListener(DocsTreeListener* listener);
    TEP_DocsNode* Root();

    // --- Selection (kept on the root) ---
    // The node the documents view shows selected, told by the view, so that
    // whoever reads it (the selection screen's preview) gets a node of the
    // tree or none: a node leaving the tree (deleted, rescanned away, taken
    // out) stops being the selection before it goes.
    void SetSelectedNode(TEP_DocsNode* node);
    TEP_DocsNode* SelectedNode();
    TEP_Doc* SelectedDocument();

    // --- Children ---
    // The index given to the child; -1 when it is refused (and freed).
    int AddObject(std::unique_ptr<TEP_DocsNode> node);
    int InsertObject(int index, std::unique_ptr<TEP_DocsNode> node);
    int ChildCount() const { return int(m_children.size()); }
    TEP_DocsNode* ChildAt(int index) const;
    int IndexOf(const TEP_DocsNode* node) const;
    // Takes the child out of the tree without freeing it.
    std::unique_ptr<TEP_DocsNode> TakeChild(TEP_DocsNode* node);
    void ClearChildren();

    // --- Scanning ---
    // Exists() tells afterwards whether the folder was there.
    Outcome Scan(const QString& folder);
    Outcome Rescan();
    // With the folder's listing when the caller has one.
    void LoadFolderData(const FolderFiles* listing = nullptr);
    // The folder's "Data.txt", found in any letter case.
    QString FolderDataPath(const FolderFiles* listing = nullptr) const;
    Outcome SaveFolderData();
    Outcome SaveFolderDataRecursive();

    // --- Documents and folders ---
    Outcome AddDocument(const QString& name);
    Outcome AddDocumentNode(const QString& siblingName, std::unique_ptr<TEP_Doc> document, TEP_DocsNode** node);
    Outcome NewFolder(bool atTop, TEP_DocsNode** node);
    virtual Outcome RenameChild(TEP_DocsNode* child, const QString& newName);
    // A folder moved on disk whose files did not all follow still moves: the
    // outcome carries the files' messages and the advice to restart.
    Outcome Move(TEP_DocsNode* node, TEP_DocsNode* target, int& placement);
    Outcome EPDocNd_DeleteChild(TEP_DocsNode* child);
    static Outcome EPDocNd_MoveAfterDirMove(TEP_DocsNode* node, const QString& newPath);

    TEP_DocsNode* FindDocumentNode(const TEP_Doc* document);
    TEP_DocsNode* FindChildByName(const QString& name) const;
    // The document before or after this node among its parent's children.
    TEP_DocsNode* PreviousDocument();
    TEP_DocsNode* NextDocument();

    Outcome SetUserForAll(const QString& user);
    Outcome RenameUserForAll(const QString& oldUser, const QString& newUser);
    Outcome DeleteWorkForAll(const QString& user);

    // --- Colours and styles ---
    void HandDownColor(RgbColor color);
    void InheritColor();
    void SetOwnColor(RgbColor color);
    void HandDownStyle(int style);
    void InheritStyle();
    void SetOwnStyle(int style);

    bool IsDocument() const { return m_document != nullptr; }
    TEP_Doc* Document() const { return m_document.get(); }
    TEP_DocsNode* Parent() const { return m_parent; }
    QString Name() const { return m_name; }
    QString Path() const { return m_path; }
    // The folder that holds this node's files: its own for a folder, its
    // document's for a document.
    QString FolderPath() const;
    bool Exists() const { return m_exists; }
    QString User() const { return m_user; }
    RgbColor Color() const { return m_colour.value; }
    bool ColorInherits() const { return m_colour.inherits; }
    int TextStyle() const { return m_style.value; }
    bool StyleInherits() const { return m_style.inherits; }
    const Param_Obj* FolderData() const { return m_folderData.get(); }

private:
    // A value a node either has of its own or takes from its parent.
    template <typename T> struct Inheritable {
        bool inherits = true;
        T inherited {};
        T value {};
    };
    template <typename T> void HandDown(Inheritable<T> TEP_DocsNode::*field, T value);
    template <typename T> void Inherit(Inheritable<T> TEP_DocsNode::*field);
    template <typename T> void SetOwn(Inheritable<T> TEP_DocsNode::*field, T value);

    struct Child {
        QString sortKey;
        std::unique_ptr<TEP_DocsNode> node;
    };
    bool Adopt(TEP_DocsNode* node, const char* operation);
    template <typename Call> void Notify(Call call);
    void RemoveChildAt(int index);
    // Children first..last are leaving the tree: the selection lets go of
    // them and of everything under them, then the listeners are told.
    void AboutToRemove(int first, int last);
    // Moves a child of this node to row toRow of another folder (or of this
    // one), the node staying the same object.
    void MoveChildTo(TEP_DocsNode* node, TEP_DocsNode* to, int toRow);
    Outcome RescanListed(const FolderFiles& listing);
    Outcome RescanChildren(const FolderFiles& listing);
    Outcome AddDocument(const QString& name, const FolderFiles* listing);
    void ApplyOrder(const QStringList& names);
    void ReadDocumentColours(const QStringList& values);
    void ReadDocumentStyles(const QStringList& values);
    bool ReorderNextTo(TEP_DocsNode* node, TEP_DocsNode* target);
    Outcome MoveFolderOnDisk(TEP_DocsNode* node, const QString& destination);
    Outcome DeleteFolder(TEP_DocsNode* folder);
    TEP_DocsNode* SiblingDocument(int step);

    QString m_name;
    TEP_DocsNode* m_parent = nullptr;
    QString m_path;
    std::unique_ptr<TEP_Doc> m_document;
    std::unique_ptr<Param_Obj> m_folderData;
    Inheritable<RgbColor> m_colour;
    Inheritable<int> m_style; // bits: bold, italic, underline, strike-out
    bool m_exists = false;
    QString m_user;
    std::vector<Child> m_children;
    std::vector<DocsTreeListener*> m_listeners; // the root's
    TEP_DocsNode* m_selected = nullptr; // the root's
};

template <typename Call> void TEP_DocsNode::Notify(Call call)
{
    // A copy: a listener may unregister while it is told.
    const std::vector<DocsTreeListener*> listeners = Root()->m_listeners;
    for (DocsTreeListener* listener : listeners)
        call(*listener);
}
