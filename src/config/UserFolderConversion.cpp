#include "UserFolderConversion.h"

#include "MigrationReport.h"
#include "UserSettings.h"

#include "documents/FileMove.h"
#include "documents/FileNameRules.h"
#include "documents/FolderFiles.h"
#include "documents/MessageText.h"
#include "documents/TEP_Doc.h"
#include "documents/TEP_DocsNode.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>

using MessageText::Quoted;

namespace {

QString NotReplaced(const QString& from, const QString& to)
{
    return QStringLiteral("Erreur : impossible de remplacer le fichier %1 par le fichier %2.\"")
        .arg(Quoted(from), Quoted(to));
}

} // namespace

UserFolderConversion::UserFolderConversion(const QString& namesFolder, const UserSettings& oldSettings,
    const TEP_DocsNode& worksheets, MigrationReport& report, std::function<void()> changed)
    : m_namesFolder(namesFolder)
    , m_oldSettings(oldSettings)
    , m_worksheets(worksheets)
    , m_report(report)
    , m_changed(std::move(changed))
{ }

void UserFolderConversion::Run()
{
    const FolderFiles names(m_namesFolder);
    for (const QString& user : names.Folders()) {
        if (FileNameRules::IsHidden(user)) // a system's folder (".Trash-1000"), not a user's
            continue;
        // This user's work would become the worksheets' background layer,
        // shown to every pupil: it stays where it is.
        if (user.compare(TEP_Doc::BackgroundLayerUser, Qt::CaseInsensitive) == 0) {
            m_report.Error(QStringLiteral("Erreur : le répertoire %1 n'a pas été converti : le nom %2 est réservé au "
                                          "fond de page des fiches.")
                               .arg(Quoted(FileNameRules::Join(m_namesFolder, user)), Quoted(user)));
            continue;
        }
        ConvertFolder(user);
    }
}

void UserFolderConversion::ConvertFolder(const QString& user)
{
    const QString folder = FileNameRules::Join(m_namesFolder, user);
    const FolderFiles files(folder);
    ConvertSettings(folder, files, user);
    // One listing of the worksheets' folder per user: the files this user's
    // work becomes all have different names.
    const FolderFiles worksheetFiles(m_worksheets.Path());
    for (int i = 0; i < m_worksheets.ChildCount(); ++i)
        if (const TEP_DocsNode* node = m_worksheets.ChildAt(i); node->IsDocument())
            ConvertWork(folder, files, worksheetFiles, *node->Document(), user);
    if (!QDir().rmdir(folder)) {
        m_report.Remark(QStringLiteral("Remarque : le répertoire %1 n'a pas été supprimé (il contient des fichier qui "
                                       "ne sont pas des fichiers de travail).")
                            .arg(Quoted(folder)));
        return;
    }
    m_changed();
}

void UserFolderConversion::ConvertSettings(const QString& folder, const FolderFiles& files, const QString& user)
{
    const QString fileName = user + QStringLiteral(".conf");
    const QString existing = FolderFiles(m_namesFolder).Find(fileName);
    const QString target = FileNameRules::Join(m_namesFolder, existing.isEmpty() ? fileName : existing);
    const QString old = files.Find(fileName);
    if (old.isEmpty()) {
        // A user who already has settings keeps them: a run stopped after
        // the folder's own file moved, or settings made since, are not
        // overwritten with the old common ones.
        if (!existing.isEmpty())
            return;
        const Outcome saved = m_oldSettings.SaveFile(target);
        if (!saved) {
            m_report.Error(saved.Messages());
            return;
        }
        m_changed();
        return;
    }
    const QString from = FileNameRules::Join(folder, old);
    QString cause;
    if (!existing.isEmpty())
        cause = FileMove::ErrorText(EEXIST); // the same name for the Windows PCs
    else if (FileMove::Rename(from, target, &cause)) {
        m_changed();
        return;
    }
    m_report.Error(NotReplaced(from, target), cause);
}

void UserFolderConversion::ConvertWork(const QString& folder, const FolderFiles& files,
    const FolderFiles& worksheetFiles, const TEP_Doc& document, const QString& user)
{
    const QString old = files.Find(document.Name() + QStringLiteral(".txt"));
    if (old.isEmpty())
        return;
    const QString from = FileNameRules::Join(folder, old);
    QString target = document.WorkPath(user);
    const QString existing = worksheetFiles.Find(QFileInfo(target).fileName());
    QString cause;
    if (!existing.isEmpty()) {
        target = FileNameRules::Join(document.Folder(), existing);
        cause = FileMove::ErrorText(EEXIST);
    } else if (FileMove::Rename(from, target, &cause)) {
        m_changed();
        return;
    }
    m_report.Error(NotReplaced(from, target)
            + QStringLiteral("Document %1 non transféré pour l'utilisateur %2.")
                  .arg(Quoted(document.Name()), Quoted(user)),
        cause);
}
