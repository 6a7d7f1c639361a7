#include "TEP_DocsNode.h"

#include "FileNameRules.h"
#include "FolderFiles.h"
#include "MessageText.h"
#include "TEP_Doc.h"
#include "params/StrFields.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

// Adding, renaming, moving and deleting nodes, with their files on disk, and
// the operations on every pupil's work.

using MessageText::Append;
using MessageText::Quoted;

namespace {

QString FolderNameRefused(const QString& name)
{
    return QStringLiteral("Le nom %1 ne peut pas être un nom de dossier : il ne doit contenir aucun des caractères "
                          "/ \\ : * ? \" < > |, ni être un nom réservé du système, ni finir par un point ou un espace.")
        .arg(Quoted(name));
}

} // namespace

bool TEP_DocsNode::AddDocumentNode(
    const QString& siblingName, std::unique_ptr<TEP_Doc> document, TEP_DocsNode** node, QStringList* messages)
{
    if (node)
        *node = nullptr;
    if (IsDocument())
        return Append(messages, QStringLiteral("Un document ne peut être ajouté à un autre document"));
    if (!document)
        return false;
    const QString name = document->Name();
    if (FindChildByName(name))
        return Append(messages, QStringLiteral("Le document %1 existe déja dans la liste").arg(Quoted(name)));
    const QString sibling = StrTrim(siblingName);
    const TEP_DocsNode* at = sibling.compare(name, Qt::CaseInsensitive) == 0 ? nullptr : FindChildByName(sibling);
    auto created = std::make_unique<TEP_DocsNode>(m_messenger);
    created->m_name = name;
    created->m_document = std::move(document);
    created->HandDownColor(m_colour.value);
    created->HandDownStyle(m_style.value);
    TEP_DocsNode* added = created.release();
    InsertObject(at ? IndexOf(at) : 0, added);
    if (node)
        *node = added;
    return true;
}

bool TEP_DocsNode::NewFolder(bool atTop, TEP_DocsNode** node, QStringList* messages)
{
    if (node)
        *node = nullptr;
    TEP_DocsNode* folderNode = IsDocument() ? m_parent : this;
    if (!folderNode)
        return false;
    const QString base = QStringLiteral("Dossier sans titre");
    QString name = base;
    for (int n = 1; folderNode->FindChildByName(name); ++n)
        name = QStringLiteral("%1 (%2)").arg(base).arg(n);
    const QString path = FileNameRules::Join(folderNode->m_path, name);
    if (!QFileInfo(path).isDir() && !QDir().mkdir(path)) {
        Append(messages, QStringLiteral("Impossible de créer le répertoire \"%1\"!\"").arg(path));
        return Append(messages,
            IsDocument() ? QStringLiteral("Impossible de créer un nouveau répertoire ou de trouver "
                                          "le document %1!")
                               .arg(m_name)
                         : QStringLiteral("Impossible de créer un nouveau répertoire!"));
    }
    auto created = std::make_unique<TEP_DocsNode>(m_messenger);
    created->m_parent = folderNode;
    bool exists = false;
    if (!created->Scan(path, exists, messages) || !exists)
        return Append(messages, QStringLiteral("Impossible d'initialiser le nouveau répertoire!"));
    created->HandDownColor(folderNode->m_colour.value);
    created->HandDownStyle(folderNode->m_style.value);
    const int position = IsDocument() ? folderNode->IndexOf(this) : atTop ? 0 : folderNode->ChildCount();
    TEP_DocsNode* added = created.release();
    folderNode->InsertObject(position, added);
    if (node)
        *node = added;
    return true;
}

bool TEP_DocsNode::RenameChild(TEP_DocsNode* child, const QString& newName, QStringList* messages)
{
    const QString name = StrTrim(newName);
    if (!child || (child != this && IndexOf(child) < 0))
        return Append(messages, QStringLiteral("Renommer un noeud n'appartenant pas à la liste non prévu."));
    if (name == child->m_name)
        return true;
    if (name.isEmpty())
        return Append(messages, QStringLiteral("Le nom d'un document ou d'un dossier ne peut être vide."));
    if (!child->m_parent) {
        child->m_name = name; // the root: only its display name
        return true;
    }
    const TEP_DocsNode* same = FindChildByName(name);
    if (same && same != child)
        return Append(messages, QStringLiteral("Le document ou dossier %1 existe déja.").arg(Quoted(name)));
    if (child->IsDocument()) {
        if (!child->m_document->EPDoc_Rename(name, messages))
            return false;
        child->m_name = name;
        return true;
    }
    if (!FileNameRules::IsSafe(name))
        return Append(messages, FolderNameRefused(name));
    const QString newPath = FileNameRules::Join(m_path, name);
    if (!QDir().rename(child->m_path, newPath))
        return Append(messages,
            QStringLiteral("Impossible de renommer le dossier %1 en %2.").arg(Quoted(child->m_name), Quoted(name)));
    return EPDocNd_MoveAfterDirMove(child, newPath, messages);
}

bool TEP_DocsNode::EPDocNd_MoveAfterDirMove(TEP_DocsNode* node, const QString& newPath, QStringList* messages)
{
    if (!QFileInfo(newPath).isDir())
        return Append(messages,
            QStringLiteral("Erreur interne dans la procedure EPDocNd_MoveAfterDirMove() : le "
                           "répertoire %1 n'existe pas!")
                .arg(Quoted(newPath)));
    if (node->IsDocument())
        return Append(messages,
            QStringLiteral("Erreur interne dans la procedure EPDocNd_MoveAfterDirMove() : la "
                           "procedure a été appelée pour un document!"));
    node->m_path = newPath;
    node->m_name = QFileInfo(QDir::cleanPath(newPath)).fileName();
    bool ok = true;
    for (const Child& child : node->m_children) {
        TEP_DocsNode* sub = child.node.get();
        if (sub->IsDocument()) {
            QStringList added;
            const QString oldImage = sub->m_document->ImagePath();
            const bool moved = sub->m_document->EPDoc_MoveTo(newPath, true, &added);
            if (!moved || !added.isEmpty()) {
                if (messages) {
                    messages->append(QStringLiteral("========== Fichier : %1 ==========").arg(Quoted(oldImage)));
                    messages->append(added);
                }
                ok = false;
            }
        } else {
            ok = EPDocNd_MoveAfterDirMove(sub, FileNameRules::Join(newPath, sub->m_name), messages) && ok;
        }
    }
    return ok;
}

bool TEP_DocsNode::ReorderNextTo(TEP_DocsNode* node, TEP_DocsNode* target)
{
    const int from = IndexOf(node);
    const int at = IndexOf(target);
    if (from < 0 || at < 0 || from == at)
        return false;
    std::unique_ptr<TEP_DocsNode> taken = TakeChild(node);
    // Before the target when it came after it, after the target otherwise.
    const int targetNow = IndexOf(target);
    InsertObject(from > at ? targetNow : targetNow + 1, taken.release());
    return true;
}

bool TEP_DocsNode::MoveFolderOnDisk(TEP_DocsNode* node, const QString& destination, QStringList* messages)
{
    const QString oldPath = node->m_path;
    const QString newPath = FileNameRules::Join(destination, node->m_name);
    if (!QDir().rename(oldPath, newPath))
        return Append(messages,
            QStringLiteral("Impossible de renommer le répertoire %1 en %2.").arg(Quoted(oldPath), Quoted(newPath)));
    QStringList added;
    EPDocNd_MoveAfterDirMove(node, newPath, &added);
    if (!added.isEmpty() && messages) {
        messages->append(added);
        messages->append(QStringLiteral("Des erreurs se sont produites lors du transfer des données vers le "
                                        "répertoire : %1.")
                             .arg(Quoted(newPath)));
        messages->append(QStringLiteral("Les erreurs vont vous être montées à la suite de ce message."));
        messages->append(QStringLiteral("Veuillez après avoir vu les erreurs, quitter le logiciel et le relancer."));
    }
    return true;
}

bool TEP_DocsNode::Move(TEP_DocsNode* node, TEP_DocsNode* target, int& placement, QStringList* messages)
{
    placement = NotMoved;
    if (!node || !target || !node->m_parent || node == target)
        return false;
    TEP_DocsNode* from = node->m_parent;
    TEP_DocsNode* destination = target->IsDocument() ? target->m_parent : target;
    if (!destination)
        return false;
    if (target->IsDocument() && destination == from)
        return from->ReorderNextTo(node, target) && (placement = AtTargetPosition);
    if (node->IsDocument()) {
        if (!node->m_document->EPDoc_MoveTo(destination->m_path, false, messages))
            return false;
    } else if (!MoveFolderOnDisk(node, destination->m_path, messages)) {
        return false;
    }
    std::unique_ptr<TEP_DocsNode> taken = from->TakeChild(node);
    if (target->IsDocument()) {
        destination->InsertObject(destination->IndexOf(target), taken.release());
        placement = AtTargetPosition;
    } else {
        destination->InsertObject(0, taken.release());
        placement = FirstInFolder;
    }
    node->HandDownColor(destination->m_colour.value);
    node->HandDownStyle(destination->m_style.value);
    return true;
}

bool TEP_DocsNode::DeleteFolder(TEP_DocsNode* folder, QStringList* messages)
{
    bool ok = true;
    while (folder->ChildCount() > 0 && ok)
        ok = folder->EPDocNd_DeleteChild(folder->ChildAt(folder->ChildCount() - 1), messages);
    if (!ok)
        return false;
    const QString data = FileNameRules::Join(folder->m_path, DataFileName);
    if (QFileInfo::exists(data) && !QFile::remove(data))
        return Append(
            messages, QStringLiteral("Impossible de supprimer le fichier de configuration :  %1.").arg(Quoted(data)));
    if (!QDir().rmdir(folder->m_path))
        return Append(
            messages, QStringLiteral("Impossible de supprimer le répertoire %1.").arg(Quoted(folder->m_path)));
    return true;
}

bool TEP_DocsNode::EPDocNd_DeleteChild(TEP_DocsNode* child, QStringList* messages)
{
    if (IndexOf(child) < 0)
        return Append(messages,
            QStringLiteral("Erreur interne lors de l'appel de la fonction "
                           "TEP_DocsNode.EPDocNd_DeleteChild() : l'objet fils n'existe pas"));
    if (child->IsDocument()) {
        if (!child->m_document->EPDoc_DeleteFiles(messages))
            return false;
    } else {
        if (!QFileInfo(child->m_path).isDir())
            return Append(messages,
                QStringLiteral("Erreur interne lors de l'appel de la fonction "
                               "TEP_DocsNode.EPDocNd_DeleteChild() : le répertoire fils %1 "
                               "n'existe pas!")
                    .arg(Quoted(child->m_path)));
        if (!DeleteFolder(child, messages))
            return false;
    }
    TakeChild(child);
    return true;
}

// --- Users ----------------------------------------------------------------------------------

bool TEP_DocsNode::SetUserForAll(const QString& user, QStringList* messages)
{
    m_user = StrTrim(user);
    if (IsDocument())
        return m_document->EPDoc_SetUser(user, messages);
    const FolderFiles listing(m_path);
    bool ok = true;
    for (const Child& child : m_children) {
        if (child.node->IsDocument()) {
            child.node->m_user = m_user;
            ok = child.node->m_document->EPDoc_SetUser(user, messages, &listing) && ok;
        } else {
            ok = child.node->SetUserForAll(user, messages) && ok;
        }
    }
    return ok;
}

bool TEP_DocsNode::RenameUserForAll(const QString& oldUser, const QString& newUser, QStringList* messages)
{
    if (m_user.compare(StrTrim(oldUser), Qt::CaseInsensitive) == 0)
        m_user = StrTrim(newUser);
    bool ok = !IsDocument() || m_document->EPDoc_RenameUserWork(oldUser, newUser, messages);
    for (const Child& child : m_children)
        ok = child.node->RenameUserForAll(oldUser, newUser, messages) && ok;
    return ok;
}

bool TEP_DocsNode::DeleteWorkForAll(const QString& user, QStringList* messages)
{
    bool ok = !IsDocument() || m_document->EPDoc_DeleteWork(user, messages);
    for (const Child& child : m_children)
        ok = child.node->DeleteWorkForAll(user, messages) && ok;
    return ok;
}
