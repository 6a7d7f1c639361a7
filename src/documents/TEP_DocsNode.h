#pragma once

#include "params/RgbColor.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <stdexcept>
#include <vector>

class FolderFiles;
class Messenger;
class Param_Obj;
class TEP_Doc;

// Raised when a child is refused (a child added to a document node, or a
// node of the wrong kind): always a fault of the program, never of the data.
class DocsNodeError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// The documents tree: a folder node mirrors a folder of worksheets, holding
// its documents and sub-folders in display order and its "Data.txt" (order,
// colours, styles); a document node holds one TEP_Doc. Folders are scanned
// with one directory listing each.
class TEP_DocsNode {
public:
    enum Style { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };
    // How a successful move placed the node.
    enum MovePlacement { NotMoved = 0, AtTargetPosition = 1, FirstInFolder = 2 };
    static inline const QString DataFileName = QStringLiteral("Data.txt");

    explicit TEP_DocsNode(Messenger* messenger = nullptr);
    virtual ~TEP_DocsNode();
    TEP_DocsNode(const TEP_DocsNode&) = delete;
    TEP_DocsNode& operator=(const TEP_DocsNode&) = delete;

    // --- Children ---
    int AddObject(TEP_DocsNode* node);
    int InsertObject(int index, TEP_DocsNode* node);
    int ChildCount() const { return int(m_children.size()); }
    TEP_DocsNode* ChildAt(int index) const;
    int IndexOf(const TEP_DocsNode* node) const;
    // Takes the child out of the list without deleting it.
    std::unique_ptr<TEP_DocsNode> TakeChild(TEP_DocsNode* node);
    void ClearChildren();

    // --- Scanning ---
    bool Scan(const QString& folder, bool& exists, QStringList* messages = nullptr);
    bool Rescan(QStringList* messages = nullptr);
    void LoadFolderData();
    bool SaveFolderData();
    bool SaveFolderDataRecursive();

    // --- Documents and folders ---
    bool AddDocument(const QString& name, QStringList* messages = nullptr);
    bool AddDocumentNode(const QString& siblingName, std::unique_ptr<TEP_Doc> document, TEP_DocsNode** node,
        QStringList* messages = nullptr);
    bool NewFolder(bool atTop, TEP_DocsNode** node, QStringList* messages = nullptr);
    virtual bool RenameChild(TEP_DocsNode* child, const QString& newName, QStringList* messages = nullptr);
    bool Move(TEP_DocsNode* node, TEP_DocsNode* target, int& placement, QStringList* messages = nullptr);
    bool EPDocNd_DeleteChild(TEP_DocsNode* child, QStringList* messages = nullptr);
    static bool EPDocNd_MoveAfterDirMove(TEP_DocsNode* node, const QString& newPath, QStringList* messages = nullptr);

    TEP_DocsNode* FindDocumentNode(const TEP_Doc* document);
    TEP_DocsNode* FindChildByName(const QString& name) const;
    // The document before or after this node among its parent's children.
    TEP_DocsNode* PreviousDocument();
    TEP_DocsNode* NextDocument();

    bool SetUserForAll(const QString& user, QStringList* messages = nullptr);
    bool RenameUserForAll(const QString& oldUser, const QString& newUser, QStringList* messages = nullptr);
    bool DeleteWorkForAll(const QString& user, QStringList* messages = nullptr);

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
    void Adopt(TEP_DocsNode* node, const char* operation);
    bool RescanChildren(const FolderFiles& listing, QStringList* messages);
    bool AddDocument(const QString& name, const FolderFiles* listing, QStringList* messages);
    void ApplyOrder(const QStringList& names);
    void ReadDocumentColours(const QStringList& values);
    void ReadDocumentStyles(const QStringList& values);
    bool ReorderNextTo(TEP_DocsNode* node, TEP_DocsNode* target);
    bool MoveFolderOnDisk(TEP_DocsNode* node, const QString& destination, QStringList* messages);
    bool DeleteFolder(TEP_DocsNode* folder, QStringList* messages);
    TEP_DocsNode* SiblingDocument(int step);
    void ShowInternalError() const;

    Messenger* m_messenger;
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
};
