#include "TEP_DocsTree.h"

#include "DocsTreeModel.h"

#include "config/TEP_Config.h"
#include "documents/FileNameRules.h"
#include "documents/FolderFiles.h"
#include "documents/MessageText.h"
#include "documents/Messenger.h"
#include "documents/TEP_Doc.h"
#include "documents/TEP_DocsNode.h"
#include "params/SafeSave.h"
#include "params/StrFields.h"

#include <QFile>
#include <QFileInfo>

// Adding worksheets (a scanned page, an imported file), new folders and
// deleting the selected entry.

using MessageText::Quoted;

namespace {

QString NameExists(const QString& name)
{
    return QStringLiteral("Le document ou le dossier %1 existe déja.").arg(Quoted(name));
}

QString PageNameRefused(const QString& name)
{
    return QStringLiteral("Le nom %1 ne peut pas être un nom de fiche : il ne doit contenir ni point ni aucun des "
                          "caractères / \\ : * ? \" < > |, ni être un nom réservé du système, ni finir par un "
                          "espace.")
        .arg(Quoted(name));
}

QString FileNameRefused(const QString& name)
{
    return QStringLiteral("Le nom %1 ne peut pas être un nom de fiche : il ne doit contenir aucun des caractères "
                          "/ \\ : * ? \" < > |, ni être un nom réservé du système, ni finir par un point ou un "
                          "espace.")
        .arg(Quoted(name));
}

// Whether a folder holds the picture of a worksheet of that name, in any
// letter case (the original platform's file names ignore it, and a data
// root is often shared with Windows PCs).
bool HasWorksheetFile(const FolderFiles& listing, const QString& name)
{
    return listing.Contains(name + QStringLiteral(".jpg")) || listing.Contains(name + QStringLiteral(".jpeg"));
}

bool HasFolder(const FolderFiles& listing, const QString& name)
{
    for (const QString& folder : listing.Folders())
        if (folder.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

TEP_DocsNode* TEP_DocsTree::TargetFolder() const
{
    TEP_DocsNode* node = SelectedNode();
    if (!node)
        return nullptr;
    return node->IsDocument() ? node->Parent() : node;
}

Outcome TEP_DocsTree::CanAdd() const
{
    if (TargetFolder())
        return {};
    return Outcome::Failure(QStringLiteral("Impossible d'ajouter un document : aucun noeud n'est sélectionné."));
}

Outcome TEP_DocsTree::CheckNewName(QString& name, bool& exists) const
{
    return CheckName(name, exists, true);
}

Outcome TEP_DocsTree::CheckName(QString& name, bool& exists, bool forNewPicture) const
{
    exists = false;
    name = StrTrim(name);
    if (name.isEmpty())
        return Outcome::Failure(QStringLiteral("Un document ne peut posséder un nom vide."));
    const TEP_DocsNode* folder = TargetFolder();
    if (!folder)
        return CanAdd();
    // The name becomes file names; a new page's picture is "<name>.jpg".
    if (!FileNameRules::IsSafe(name) || (forNewPicture && name.contains(QLatin1Char('.'))))
        return Outcome::Failure(forNewPicture ? PageNameRefused(name) : FileNameRefused(name));
    if (const TEP_DocsNode* same = folder->FindChildByName(name)) {
        exists = same->IsDocument();
        return exists ? Outcome().Fail() : Outcome::Failure(NameExists(name));
    }
    if (forNewPicture) {
        // Another PC may have added it since the last scan: a new page never
        // replaces a file.
        const FolderFiles listing(folder->Path());
        if (HasWorksheetFile(listing, name)) {
            exists = true;
            return Outcome().Fail();
        }
        if (HasFolder(listing, name))
            return Outcome::Failure(NameExists(name));
    }
    return {};
}

Outcome TEP_DocsTree::PlaceNewDocument(std::unique_ptr<TEP_Doc> document, TEP_DocsNode** added)
{
    TEP_DocsNode* selected = SelectedNode();
    TEP_DocsNode* folder = TargetFolder();
    QString sibling;
    if (selected->IsDocument()) {
        if (folder->IndexOf(selected) < 0)
            return Outcome::Failure(
                QStringLiteral("Erreur interne : impossible de trouver le document \"%1\" dans la liste!")
                    .arg(selected->Name()));
        // In its place: the new page comes just before it.
        sibling = selected->Name();
    }
    return folder->AddDocumentNode(sibling, std::move(document), added);
}

Outcome TEP_DocsTree::AddDocument(
    const QString& name, const QImage* picture, int verticalResolution, int horizontalResolution)
{
    QString trimmed = name;
    bool exists = false;
    if (Outcome check = CheckName(trimmed, exists, picture != nullptr); !check)
        return exists ? Outcome::Failure(NameExists(trimmed)) : check;
    TEP_DocsNode* folder = TargetFolder();
    auto document = std::make_unique<TEP_Doc>();
    Outcome outcome = picture
        ? document->EPDoc_CreateFromPicture(trimmed, folder->Path(), horizontalResolution, verticalResolution, *picture)
        : document->EPDoc_Init(trimmed, folder->Path());
    if (!outcome)
        return outcome;
    TEP_DocsNode* added = nullptr;
    outcome.Merge(PlaceNewDocument(std::move(document), &added));
    if (!added)
        return outcome;
    if (!m_config.CurrentUser().isEmpty())
        outcome.Note(added->Document()->EPDoc_SetUser(m_config.CurrentUser()).Messages());
    m_model->RefreshEntry(added);
    SelectNode(added);
    setFocus();
    return outcome.Merge(CheckAgreement(folder));
}

Outcome TEP_DocsTree::CopyIntoFolder(const QString& file, const QString& target) const
{
    QFile source(file);
    if (!source.open(QIODevice::ReadOnly))
        return Outcome::Failure(source.errorString());
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return Outcome::Failure(source.errorString());
    // Never over another file, whatever its letter case.
    if (QFileInfo::exists(target))
        return Outcome().Fail();
    QString error;
    if (!SafeSave::WriteFile(target, bytes, &error))
        return Outcome::Failure(error);
    return {};
}

Outcome TEP_DocsTree::Import(const QString& file, bool copy)
{
    const QFileInfo info(file);
    if (!info.isFile())
        return Outcome::Failure(QStringLiteral("Le fichier à importer (%1) n'existe pas.").arg(Quoted(file)));
    const QString extension = info.suffix().toUpper();
    if (extension != QLatin1String("JPG") && extension != QLatin1String("JPEG"))
        return Outcome::Failure(
            QStringLiteral("Le fichier à importer (%1) ne possède pas une extension de fichier JPEG.")
                .arg(Quoted(file)));
    TEP_DocsNode* folder = TargetFolder();
    if (!folder)
        return CanAdd();
    QString name = info.completeBaseName();
    const FolderFiles listing(folder->Path());
    if (HasWorksheetFile(listing, StrTrim(name)))
        return Outcome::Failure(QStringLiteral("Le document %1 existe déja.").arg(Quoted(StrTrim(name))));
    bool exists = false;
    if (Outcome check = CheckName(name, exists, false); !check)
        return exists ? Outcome::Failure(NameExists(name)) : check;

    const QString target = FileNameRules::Join(folder->Path(), name + QLatin1Char('.') + info.suffix());
    if (Outcome copied = CopyIntoFolder(file, target); !copied)
        return copied.Prepend(QStringLiteral("Impossible de copier le document %1!!").arg(Quoted(file)));
    Outcome outcome = AddDocument(name, nullptr);
    if (!outcome) {
        QFile::remove(target); // only the copy made here
        return outcome;
    }
    // A transfer takes the user's file away only once the worksheet is in
    // the tree.
    if (!copy && !QFile::remove(file))
        outcome.Note(QStringLiteral("Le fichier %1 a été copié dans les documents mais n'a pas pu être supprimé.")
                         .arg(Quoted(file)));
    return outcome;
}

Outcome TEP_DocsTree::NewFolder()
{
    TEP_DocsNode* selected = SelectedNode();
    if (!selected)
        return Outcome::Failure(QStringLiteral("Impossible de créer un dossier : aucun noeud n'est sélectionné."));
    TEP_DocsNode* created = nullptr;
    Outcome outcome = selected->NewFolder(true, &created);
    if (!created)
        return outcome;
    SelectNode(created);
    setFocus();
    return outcome.Merge(CheckAgreement(created->Parent()));
}

Outcome TEP_DocsTree::DeleteSelected()
{
    TEP_DocsNode* node = SelectedNode();
    if (!node)
        return Outcome::Failure(QStringLiteral("Erreur dans la fonction TEP_DocsTree.EPDocT_DeleteSelectedNode() : "
                                               "il n'y a aucun noeud électionné."));
    if (!MayDelete(node))
        return Outcome::Failure(node->IsDocument()
                ? QStringLiteral("Vous n'êtes pas autorisé à supprimer des documents.")
                : QStringLiteral("Vous n'êtes pas autorisé à supprimer des dossiers."));
    QString question;
    if (!node->Parent())
        question = QStringLiteral("Attention vous allez supprimer définitivement tous les documents de "
                                  "l'application.\nConfirmez vous cette opération?");
    else if (node->IsDocument())
        question = QStringLiteral("Vous allez supprimer définitivement le document \"%1\".\nConfirmez vous cette "
                                  "opération?")
                       .arg(node->Name());
    else
        question = QStringLiteral("Vous allez supprimer définitivement le dossier \"%1\" et tout ce qu'il "
                                  "contient.\nConfirmez vous cette opération?")
                       .arg(node->Name());
    if (!m_messenger.AskYesNo(question))
        return {};
    if (!node->Parent())
        return DeleteRootChildren();
    // The entry goes with the node; the next entry of its folder is then
    // selected, else the previous, else the folder.
    return node->Parent()->EPDocNd_DeleteChild(node);
}

Outcome TEP_DocsTree::DeleteRootChildren()
{
    TEP_DocsNode* root = Root();
    Outcome outcome;
    // As a folder is emptied: from the last child, up to the first failure.
    while (root->ChildCount() > 0 && outcome)
        outcome.Merge(root->EPDocNd_DeleteChild(root->ChildAt(root->ChildCount() - 1)));
    return outcome;
}
