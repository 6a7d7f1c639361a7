#include "TEP_DocsNode.h"

#include "DocsTreeListener.h"
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

using MessageText::Quoted;

namespace {

QString FolderNameRefused(const QString& name)
{
    return QStringLiteral("Le nom %1 ne peut pas être un nom de dossier : il ne doit contenir aucun des caractères "
                          "/ \\ : * ? \" < > |, ni être un nom réservé du système, ni commencer par un point, ni finir "
                          "par un point ou un espace.")
        .arg(Quoted(name));
}

} // namespace

Outcome TEP_DocsNode::AddDocumentNode(
    const QString& siblingName, std::unique_ptr<TEP_Doc> document, TEP_DocsNode** node)
{
    if (node)
        *node = nullptr;
    if (IsDocument())
        return Outcome::Failure(QStringLiteral("Un document ne peut être ajouté à un autre document"));
    Q_ASSERT_X(document, "TEP_DocsNode::AddDocumentNode", "no document given");
    if (!document)
        return Outcome().Fail();
    const QString name = document->Name();
    if (FindChildByName(name))
        return Outcome::Failure(QStringLiteral("Le document %1 existe déja dans la liste").arg(Quoted(name)));
    const QString sibling = StrTrim(siblingName);
    const TEP_DocsNode* at = sibling.compare(name, Qt::CaseInsensitive) == 0 ? nullptr : FindChildByName(sibling);
    auto created = std::make_unique<TEP_DocsNode>();
    created->m_name = name;
    created->m_document = std::move(document);
    created->HandDownColor(m_colour.value);
    created->HandDownStyle(m_style.value);
    TEP_DocsNode* added = created.get();
    InsertObject(at ? IndexOf(at) : 0, std::move(created));
    if (node)
        *node = added;
    return {};
}

Outcome TEP_DocsNode::NewFolder(bool atTop, TEP_DocsNode** node)
{
    if (node)
        *node = nullptr;
    TEP_DocsNode* folderNode = IsDocument() ? m_parent : this;
    Q_ASSERT_X(folderNode, "TEP_DocsNode::NewFolder", "a document outside any folder");
    if (!folderNode)
        return Outcome().Fail();
    const QString base = QStringLiteral("Dossier sans titre");
    QString name = base;
    // Free in the tree and on disk, in any letter case (a link or a hidden
    // entry of that name is not in the tree).
    const FolderFiles listing(folderNode->m_path);
    for (int n = 1; folderNode->FindChildByName(name) || listing.HasEntry(name); ++n)
        name = QStringLiteral("%1 (%2)").arg(base).arg(n);
    const QString path = FileNameRules::Join(folderNode->m_path, name);
    if (!QFileInfo(path).isDir() && !QDir().mkdir(path)) {
        Outcome outcome = Outcome::Failure(QStringLiteral("Impossible de créer le répertoire \"%1\"!\"").arg(path));
        return outcome.Fail(IsDocument() ? QStringLiteral("Impossible de créer un nouveau répertoire ou de trouver "
                                                          "le document %1!")
                                               .arg(m_name)
                                         : QStringLiteral("Impossible de créer un nouveau répertoire!"));
    }
    // Scanned before it joins the tree: the tree's listeners hear of it once.
    auto created = std::make_unique<TEP_DocsNode>();
    Outcome outcome = created->Scan(path);
    if (!outcome || !created->m_exists)
        return outcome.Fail(QStringLiteral("Impossible d'initialiser le nouveau répertoire!"));
    created->HandDownColor(folderNode->m_colour.value);
    created->HandDownStyle(folderNode->m_style.value);
    const int position = IsDocument() ? folderNode->IndexOf(this) : atTop ? 0 : folderNode->ChildCount();
    TEP_DocsNode* added = created.get();
    folderNode->InsertObject(position, std::move(created));
    if (node)
        *node = added;
    return outcome;
}

Outcome TEP_DocsNode::RenameChild(TEP_DocsNode* child, const QString& newName)
{
    const QString name = StrTrim(newName);
    if (!child || (child != this && IndexOf(child) < 0))
        return Outcome::Failure(QStringLiteral("Renommer un noeud n'appartenant pas à la liste non prévu."));
    if (name == child->m_name)
        return {};
    if (name.isEmpty())
        return Outcome::Failure(QStringLiteral("Le nom d'un document ou d'un dossier ne peut être vide."));
    if (!child->m_parent) {
        child->m_name = name; // the root: only its display name
        Notify([&](DocsTreeListener& l) { l.NodeRenamed(*child); });
        return {};
    }
    const TEP_DocsNode* same = FindChildByName(name);
    if (same && same != child)
        return Outcome::Failure(QStringLiteral("Le document ou dossier %1 existe déja.").arg(Quoted(name)));
    Outcome outcome;
    if (child->IsDocument()) {
        outcome = child->m_document->EPDoc_Rename(name);
        if (!outcome)
            return outcome;
        child->m_name = name;
    } else {
        if (!FileNameRules::IsSafe(name))
            return Outcome::Failure(FolderNameRefused(name));
        if (name.compare(child->m_name, Qt::CaseInsensitive) != 0 && FolderFiles(m_path).HasEntry(name))
            return Outcome::Failure(QStringLiteral("Le document ou dossier %1 existe déja.").arg(Quoted(name)));
        const QString newPath = FileNameRules::Join(m_path, name);
        if (!QDir().rename(child->m_path, newPath))
            return Outcome::Failure(
                QStringLiteral("Impossible de renommer le dossier %1 en %2.").arg(Quoted(child->m_name), Quoted(name)));
        outcome = EPDocNd_MoveAfterDirMove(child, newPath);
    }
    Notify([&](DocsTreeListener& l) { l.NodeRenamed(*child); });
    return outcome;
}

Outcome TEP_DocsNode::EPDocNd_MoveAfterDirMove(TEP_DocsNode* node, const QString& newPath)
{
    if (!QFileInfo(newPath).isDir())
        return Outcome::Failure(QStringLiteral("Erreur interne dans la procedure EPDocNd_MoveAfterDirMove() : le "
                                               "répertoire %1 n'existe pas!")
                                    .arg(Quoted(newPath)));
    if (node->IsDocument())
        return Outcome::Failure(QStringLiteral("Erreur interne dans la procedure EPDocNd_MoveAfterDirMove() : la "
                                               "procedure a été appelée pour un document!"));
    node->m_path = newPath;
    node->m_name = QFileInfo(QDir::cleanPath(newPath)).fileName();
    Outcome outcome;
    for (const Child& child : node->m_children) {
        TEP_DocsNode* sub = child.node.get();
        if (sub->IsDocument()) {
            const QString oldImage = sub->m_document->ImagePath();
            const Outcome moved = sub->m_document->EPDoc_MoveTo(newPath, true);
            if (!moved || moved.HasMessages()) {
                outcome.Fail(QStringLiteral("========== Fichier : %1 ==========").arg(Quoted(oldImage)));
                outcome.Note(moved.Messages());
            }
        } else {
            outcome.Merge(EPDocNd_MoveAfterDirMove(sub, FileNameRules::Join(newPath, sub->m_name)));
        }
    }
    return outcome;
}

bool TEP_DocsNode::ReorderNextTo(TEP_DocsNode* node, TEP_DocsNode* target)
{
    const int from = IndexOf(node);
    const int at = IndexOf(target);
    if (from < 0 || at < 0 || from == at)
        return false;
    // Before the target when it came after it, after the target otherwise:
    // either way the node ends at the target's present row.
    MoveChildTo(node, this, at);
    return true;
}

Outcome TEP_DocsNode::MoveFolderOnDisk(TEP_DocsNode* node, const QString& destination)
{
    const QString oldPath = node->m_path;
    const QString newPath = FileNameRules::Join(destination, node->m_name);
    // A folder of that name in another case would be a second one for
    // Windows PCs sharing the data root.
    if (FolderFiles(destination).HasEntry(node->m_name) || !QDir().rename(oldPath, newPath))
        return Outcome::Failure(
            QStringLiteral("Impossible de renommer le répertoire %1 en %2.").arg(Quoted(oldPath), Quoted(newPath)));
    // The folder has moved: files that did not follow are told, with the
    // advice to restart, and the move stands.
    Outcome outcome;
    const Outcome after = EPDocNd_MoveAfterDirMove(node, newPath);
    if (after.HasMessages()) {
        outcome.Note(after.Messages());
        outcome.Note(QStringLiteral("Des erreurs se sont produites lors du transfer des données vers le "
                                    "répertoire : %1.")
                         .arg(Quoted(newPath)));
        outcome.Note(QStringLiteral("Les erreurs vont vous être montées à la suite de ce message."));
        outcome.Note(QStringLiteral("Veuillez après avoir vu les erreurs, quitter le logiciel et le relancer."));
    }
    return outcome;
}

Outcome TEP_DocsNode::Move(TEP_DocsNode* node, TEP_DocsNode* target, int& placement)
{
    placement = NotMoved;
    if (!node || !target || !node->m_parent || node == target)
        return Outcome().Fail();
    TEP_DocsNode* from = node->m_parent;
    TEP_DocsNode* destination = target->IsDocument() ? target->m_parent : target;
    if (!destination)
        return Outcome().Fail();
    if (target->IsDocument() && destination == from) {
        if (!from->ReorderNextTo(node, target))
            return Outcome().Fail();
        placement = AtTargetPosition;
        return {};
    }
    Outcome outcome = node->IsDocument() ? node->m_document->EPDoc_MoveTo(destination->m_path, false)
                                         : MoveFolderOnDisk(node, destination->m_path);
    if (!outcome)
        return outcome;
    if (target->IsDocument()) {
        from->MoveChildTo(node, destination, destination->IndexOf(target));
        placement = AtTargetPosition;
    } else {
        from->MoveChildTo(node, destination, 0);
        placement = FirstInFolder;
    }
    node->HandDownColor(destination->m_colour.value);
    node->HandDownStyle(destination->m_style.value);
    return outcome;
}

Outcome TEP_DocsNode::DeleteFolder(TEP_DocsNode* folder)
{
    Outcome outcome;
    while (folder->ChildCount() > 0 && outcome)
        outcome.Merge(folder->EPDocNd_DeleteChild(folder->ChildAt(folder->ChildCount() - 1)));
    if (!outcome)
        return outcome;
    // Links inside go, never what they lead to.
    const FolderFiles listing(folder->m_path);
    for (const QString& link : listing.Links())
        QFile::remove(FileNameRules::Join(folder->m_path, link));
    const QString data = folder->FolderDataPath(&listing);
    if (QFileInfo::exists(data) && !QFile::remove(data))
        return outcome.Fail(
            QStringLiteral("Impossible de supprimer le fichier de configuration :  %1.").arg(Quoted(data)));
    if (!QDir().rmdir(folder->m_path))
        return outcome.Fail(QStringLiteral("Impossible de supprimer le répertoire %1.").arg(Quoted(folder->m_path)));
    return outcome;
}

Outcome TEP_DocsNode::EPDocNd_DeleteChild(TEP_DocsNode* child)
{
    if (IndexOf(child) < 0)
        return Outcome::Failure(QStringLiteral("Erreur interne lors de l'appel de la fonction "
                                               "TEP_DocsNode.EPDocNd_DeleteChild() : l'objet fils n'existe pas"));
    Outcome outcome;
    if (child->IsDocument()) {
        outcome = child->m_document->EPDoc_DeleteFiles();
    } else if (!QFileInfo(child->m_path).isDir()) {
        return Outcome::Failure(QStringLiteral("Erreur interne lors de l'appel de la fonction "
                                               "TEP_DocsNode.EPDocNd_DeleteChild() : le répertoire fils %1 "
                                               "n'existe pas!")
                                    .arg(Quoted(child->m_path)));
    } else {
        outcome = DeleteFolder(child);
    }
    if (outcome)
        TakeChild(child); // freed here, once the listeners have let go of it
    return outcome;
}

// --- Users ----------------------------------------------------------------------------------

Outcome TEP_DocsNode::SetUserForAll(const QString& user)
{
    m_user = StrTrim(user);
    if (IsDocument())
        return m_document->EPDoc_SetUser(user);
    const FolderFiles listing(m_path);
    Outcome outcome;
    for (const Child& child : m_children) {
        if (child.node->IsDocument()) {
            child.node->m_user = m_user;
            outcome.Merge(child.node->m_document->EPDoc_SetUser(user, &listing));
        } else {
            outcome.Merge(child.node->SetUserForAll(user));
        }
    }
    return outcome;
}

Outcome TEP_DocsNode::RenameUserForAll(const QString& oldUser, const QString& newUser)
{
    if (m_user.compare(StrTrim(oldUser), Qt::CaseInsensitive) == 0)
        m_user = StrTrim(newUser);
    Outcome outcome = IsDocument() ? m_document->EPDoc_RenameUserWork(oldUser, newUser) : Outcome();
    for (const Child& child : m_children)
        outcome.Merge(child.node->RenameUserForAll(oldUser, newUser));
    return outcome;
}

Outcome TEP_DocsNode::DeleteWorkForAll(const QString& user)
{
    Outcome outcome = IsDocument() ? m_document->EPDoc_DeleteWork(user) : Outcome();
    for (const Child& child : m_children)
        outcome.Merge(child.node->DeleteWorkForAll(user));
    return outcome;
}
