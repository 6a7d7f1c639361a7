// The selection screen's popup menus and the commands only they reach:
// import, export, rotation, the look of the documents view and the
// deletion of entries and of work.
#include "DocumentPreview.h"
#include "SelectionDialogs.h"
#include "TEP_DocsTree.h"
#include "TEP_SelectFrm.h"
#include "config/TEP_Config.h"
#include "documents/ClassWorkPdf.h"
#include "documents/JpegRotation.h"
#include "documents/Messenger.h"
#include "documents/TEP_Doc.h"
#include "documents/TEP_DocsNode.h"
#include "platform/OverrideCursor.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace {

QString Quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QAction* AddEntry(QMenu& menu, const QString& text, bool enabled, std::function<void()> action)
{
    QAction* entry = menu.addAction(text);
    entry->setEnabled(enabled);
    QObject::connect(entry, &QAction::triggered, &menu, std::move(action));
    return entry;
}

} // namespace

std::unique_ptr<QMenu> TEP_SelectFrm::MakePopupMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    menu->setAccessibleName(QStringLiteral("Menu des documents"));
    menu->setAccessibleDescription(QStringLiteral("Commandes sur l'élément sélectionné"));
    if (m_settingsMode)
        FillSettingsMenu(*menu);
    else
        FillPupilMenu(*menu);
    return menu;
}

void TEP_SelectFrm::AddImportMenu(QMenu& menu, bool enabled)
{
    QMenu* import = menu.addMenu(QStringLiteral("Importer un document ..."));
    import->setEnabled(enabled);
    AddEntry(*import, QStringLiteral("Copie du document ..."), true, [this] { ImportDocument(true); });
    AddEntry(*import, QStringLiteral("Transfert du document ..."), true, [this] { ImportDocument(false); });
}

void TEP_SelectFrm::FillSettingsMenu(QMenu& menu)
{
    TEP_Doc* document = SelectedDocument();
    const bool hasWork = document && document->HasWork();
    AddEntry(menu,
        document ? QStringLiteral("Ouvrir «") + document->Name() + QStringLiteral("»") : QStringLiteral("Ouvrir"),
        document, [this] { OpenSelected(); });
    // The main window has no worksheet while the screen shows: the print
    // needs the selected one.
    AddEntry(menu, QStringLiteral("Imprimer"), document, [this] { Print(); });
    menu.addSeparator();
    AddEntry(menu, QStringLiteral("Ajouter un document (scanner) ..."), true, [this] { Scan(); });
    AddImportMenu(menu, true);
    menu.addSeparator();
    AddEntry(menu, QStringLiteral("Créer un dossier ..."), true, [this] { ShowOutcome(m_tree->NewFolder()); });
    AddEntry(menu, QStringLiteral("Renommer ..."), true, [this] { m_tree->StartRename(); });
    AddEntry(menu, QStringLiteral("Supprimer"), !m_tree->IsRootSelected(), [this] { DeleteSelectedEntry(); });
    menu.addSeparator();
    AddEntry(menu, QStringLiteral("Pivoter le document dans le sens des aiguilles d'une montre"), document,
        [this] { Rotate(true); });
    AddEntry(menu, QStringLiteral("Pivoter le document dans le sens inverse des aiguilles d'une montre"), document,
        [this] { Rotate(false); });
    menu.addSeparator();
    AddEntry(menu, QStringLiteral("Couleur de fond de la sélection ..."), true, [this] { ChooseSelectionColor(); });
    AddEntry(menu, QStringLiteral("Régler l'affichage de l'explorateur de documents ..."), true,
        [this] { ChooseTreeFont(); });
    AddEntry(menu, QStringLiteral("Particulariser l'affichage de cet élément ..."), m_tree->SelectedNode(),
        [this] { EditEntryLook(); });
    menu.addSeparator();
    AddEntry(menu, QStringLiteral("Exporter le travail ..."), hasWork, [this] {
        if (TEP_Doc* selected = SelectedDocument())
            ShowOutcome(ExportWork(*selected));
    });
    AddEntry(menu, QStringLiteral("Exporter le travail de la classe en PDF…"), true,
        [this] { ShowOutcome(ExportClassWork(*SelectedFolder())); });
    QMenu* documentWork = menu.addMenu(QStringLiteral("Supprimer le travail du document"));
    documentWork->setEnabled(document);
    AddEntry(
        *documentWork, QStringLiteral("pour l'utilisateur courant"), hasWork, [this] { DeleteDocumentWork(false); });
    AddEntry(
        *documentWork, QStringLiteral("pour tous les utilisateurs"), document, [this] { DeleteDocumentWork(true); });
    QMenu* folderWork = menu.addMenu(QStringLiteral("Supprimer le travail du dossier"));
    AddEntry(*folderWork, QStringLiteral("pour l'utilisateur courant"), true, [this] { DeleteFolderWork(false); });
    AddEntry(*folderWork, QStringLiteral("pour tous les utilisateurs"), true, [this] { DeleteFolderWork(true); });
    AddEntry(menu, QStringLiteral("Supprimer tout le travail de l'utilisateur courant"), true,
        [this] { DeleteAllWorkOfUser(); });
    menu.addSeparator();
    AddEntry(menu, QStringLiteral("Actualiser"), true, [this] { RefreshTree(); });
}

void TEP_SelectFrm::FillPupilMenu(QMenu& menu)
{
    const UserSettings& s = m_config.Settings;
    TEP_Doc* document = SelectedDocument();
    TEP_DocsNode* node = m_tree->SelectedNode();
    AddEntry(menu,
        document ? QStringLiteral("Ouvrir «") + document->Name() + QStringLiteral("»") : QStringLiteral("Ouvrir"),
        document, [this] { OpenSelected(); });
    AddEntry(menu, QStringLiteral("Imprimer"), document, [this] { Print(); });
    menu.addSeparator();
    AddEntry(menu, QStringLiteral("Ajouter un document (scanner) ..."), s.ScanAllowed, [this] { Scan(); });
    AddImportMenu(menu, s.ScanAllowed);
    menu.addSeparator();
    AddEntry(menu, QStringLiteral("Créer un dossier ..."), s.FolderCreateAllowed,
        [this] { ShowOutcome(m_tree->NewFolder()); });
    AddEntry(menu, QStringLiteral("Renommer ..."), node && m_tree->MayRename(node), [this] { m_tree->StartRename(); });
    AddEntry(menu, QStringLiteral("Supprimer"), node && !m_tree->IsRootSelected() && m_tree->MayDelete(node),
        [this] { DeleteSelectedEntry(); });
}

// --- Entries -------------------------------------------------------------------------------------

void TEP_SelectFrm::DeleteSelectedEntry()
{
    const Outcome deleted = m_tree->DeleteSelected();
    if (deleted)
        return;
    ShowOutcome(deleted);
    m_messenger.ShowMessage(QStringLiteral(
        "Les erreurs provoquées lors de la suppression peuvent être dues au faits suivants :\n"
        " - le gestionnaire de fichiers est ouvert sur l'un des répertoires qui devaient être supprimés,\n"
        " - un document personnel se trouvait dans un des répertoire à supprimer,\n"
        " - un document se trouve en lecture seule,\n"
        " - ..."));
}

void TEP_SelectFrm::ImportDocument(bool copy)
{
    if (!m_settingsMode && !m_config.Settings.ScanAllowed)
        return;
    const QString file = m_dialogs->ChooseImportFile();
    if (file.isEmpty())
        return;
    ShowOutcome(m_tree->Import(file, copy));
    SelectionChanged();
}

void TEP_SelectFrm::RefreshTree()
{
    OverrideCursor hourglass(Qt::WaitCursor);
    ShowOutcome(m_tree->Refresh());
    SelectionChanged();
}

// --- Look of the documents view ------------------------------------------------------------------

void TEP_SelectFrm::ChooseSelectionColor()
{
    const std::optional<RgbColor> colour = m_dialogs->ChooseColor(m_config.Settings.TreeSelectedColor);
    if (!colour)
        return;
    m_config.Settings.TreeSelectedColor = *colour;
    m_tree->ApplyLook();
}

void TEP_SelectFrm::ChooseTreeFont()
{
    const std::optional<FontDescription> font = m_dialogs->ChooseFont(m_config.Settings.TreeFont);
    if (!font)
        return;
    m_config.Settings.TreeFont = *font;
    if (TEP_DocsNode* root = m_config.Tree()) {
        // The root keeps its colour in its folder data: it takes the chosen
        // one, so every entry without a colour of its own shows it.
        if (!root->ColorInherits())
            root->SetOwnColor(font->Color);
        root->HandDownColor(font->Color);
        root->HandDownStyle(font->Styles);
    }
    m_tree->ApplyLook();
}

void TEP_SelectFrm::EditEntryLook()
{
    TEP_DocsNode* node = m_tree->SelectedNode();
    if (node && m_dialogs->EditEntryLook(*node))
        m_tree->viewport()->update();
}

// --- Rotation ------------------------------------------------------------------------------------

void TEP_SelectFrm::Rotate(bool clockwise)
{
    TEP_Doc* document = SelectedDocument();
    if (!document)
        return;
    const QString picture = document->ImagePath();
    if (picture.isEmpty() || !QFileInfo(picture).isFile()) {
        m_messenger.ShowMessage(QStringLiteral("Impossible de trouver le fichier %1 !").arg(Quoted(picture)));
        return;
    }
    // Items laid on the page keep their places: on a turned page they would
    // lie over other things.
    QStringList files, users;
    if (document->EPDoc_ListWork(files, users) > 0
        && !m_messenger.AskYesNo(QStringLiteral(
            "Des élèves ont déjà travaillé sur ce document : leur travail ne correspondra plus à la page tournée.\n"
            "Voulez-vous continuer ?")))
        return;
    Outcome rotated;
    {
        OverrideCursor hourglass(Qt::WaitCursor);
        rotated = JpegRotation::Rotate(clockwise, picture, picture);
        if (rotated)
            rotated.Merge(document->EPDoc_Refresh());
    }
    ShowOutcome(rotated);
    RedrawPreview();
}

// --- Export --------------------------------------------------------------------------------------

Outcome TEP_SelectFrm::ExportWork(TEP_Doc& document)
{
    QDir().mkpath(m_config.ExportFolder());
    QString folder = m_config.ExportDir;
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QFileInfo(m_config.ExportFolder()).isDir() ? m_config.ExportFolder() : m_config.DocumentsFolder();
    const QString proposed
        = SelectionRules::ExportName(document.Name(), m_config.CurrentUser(), m_config.IsDefaultUser());
    const QString target = m_dialogs->ChooseExportFile(folder, proposed);
    if (target.isEmpty())
        return {};
    const QString chosenFolder = QFileInfo(target).absolutePath();
    if (SelectionRules::IsInsideFolder(chosenFolder, m_config.WorksheetsFolder())
        && !m_messenger.AskYesNo(QStringLiteral("Vous allez exporter un document dans le répertoire des fiches du "
                                                "logiciel.Ce document sera considéré comme une nouvelle fiche. "
                                                "Voulez-vous continuer?")))
        return {};
    m_config.ExportDir = chosenFolder;
    // The pupil's work is read for the export without opening the
    // worksheet: no lock is taken, and a page open elsewhere exports too.
    OverrideCursor hourglass(Qt::WaitCursor);
    Outcome exported = document.EPDoc_ExportJpeg(target);
    if (exported && SelectionRules::IsInsideFolder(chosenFolder, m_config.WorksheetsFolder()))
        exported.Merge(m_tree->Refresh());
    return exported;
}

Outcome TEP_SelectFrm::ExportClassWork(const TEP_DocsNode& folder)
{
    const std::optional<QStringList> pupils = m_dialogs->ChoosePupils(m_config.UserList());
    if (!pupils)
        return {};
    const QString exportFolder = !m_config.ExportDir.isEmpty() && QFileInfo(m_config.ExportDir).isDir()
        ? m_config.ExportDir
        : m_config.ExportFolder();
    OverrideCursor hourglass(Qt::WaitCursor);
    return ClassWorkPdf::ExportFolder(folder, *pupils, exportFolder, nullptr);
}

// --- Deleting work -------------------------------------------------------------------------------

TEP_DocsNode* TEP_SelectFrm::SelectedFolder() const
{
    TEP_DocsNode* node = m_tree->SelectedNode();
    if (node && node->IsDocument())
        node = node->Parent();
    return node ? node : m_config.Tree();
}

void TEP_SelectFrm::RefreshDocuments(TEP_DocsNode* folder, bool recursive)
{
    for (int i = 0; folder && i < folder->ChildCount(); ++i) {
        TEP_DocsNode* child = folder->ChildAt(i);
        if (TEP_Doc* document = child->Document()) {
            document->EPDoc_RefreshWork().Ok();
            m_tree->RefreshDocument(document).Ok();
        } else if (recursive) {
            RefreshDocuments(child, true);
        }
    }
}

void TEP_SelectFrm::DeleteDocumentWork(bool allUsers)
{
    TEP_Doc* document = SelectedDocument();
    const QString user = m_config.CurrentUser();
    const bool defaultUser = m_config.IsDefaultUser();
    if (!allUsers && (!document || !document->HasWork())) {
        m_messenger.ShowMessage(
            QStringLiteral("Il n'y a pas de document sélectionné ou celui n' a pas de travail pour l'utilisateur."));
        return;
    }
    if (!document)
        return;
    const QString question = allUsers
        ? QStringLiteral("Confirmez vous la suppression du travail du document %1 pour tous les utilisateurs?")
              .arg(Quoted(document->Name()))
        : QStringLiteral("Confirmez vous la suppression du travail %1 pour le document %2?")
              .arg(SelectionRules::UserPart(user, defaultUser), Quoted(document->Name()));
    if (!m_messenger.AskYesNo(question))
        return;
    Outcome deleted = allUsers ? document->EPDoc_DeleteWork(QString()) : document->EPDoc_DeleteCurrentWork();
    ShowOutcome(deleted);
    document->EPDoc_RefreshWork().Ok();
    ShowOutcome(m_tree->RefreshDocument(document));
}

void TEP_SelectFrm::DeleteFolderWork(bool allUsers)
{
    TEP_DocsNode* folder = SelectedFolder();
    if (!folder)
        return;
    const QString user = m_config.CurrentUser();
    const QString name = folder->Parent() ? folder->Name() : m_config.DocsRootName;
    const QString question = allUsers
        ? QStringLiteral("Confirmez vous la suppression de tout le travail du dossier %1 pour tous les utilisateurs?")
              .arg(Quoted(name))
        : QStringLiteral("Confirmez vous la suppression de tout le travail du dossier %1 %2?")
              .arg(Quoted(name), SelectionRules::ForUserPart(user, m_config.IsDefaultUser()));
    if (!m_messenger.AskYesNo(question))
        return;
    // The folder's own worksheets; its sub-folders keep their work.
    Outcome deleted;
    for (int i = 0; i < folder->ChildCount(); ++i) {
        if (TEP_Doc* document = folder->ChildAt(i)->Document())
            deleted.Merge(document->EPDoc_DeleteWork(allUsers ? QString() : user));
    }
    ShowOutcome(deleted);
    RefreshDocuments(folder, false);
}

void TEP_SelectFrm::DeleteAllWorkOfUser()
{
    TEP_DocsNode* root = m_config.Tree();
    if (!root)
        return;
    const QString user = m_config.CurrentUser();
    if (!m_messenger.AskYesNo(QStringLiteral("Confirmez vous la suppression de tout le travail %1?")
                                  .arg(SelectionRules::UserPart(user, m_config.IsDefaultUser()))))
        return;
    ShowOutcome(root->DeleteWorkForAll(user));
    RefreshDocuments(root, true);
}
