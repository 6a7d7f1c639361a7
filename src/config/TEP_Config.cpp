#include "TEP_Config.h"

#include "DataMigration.h"
#include "documents/FileNameRules.h"
#include "documents/FolderFiles.h"
#include "documents/MessageText.h"
#include "documents/Messenger.h"
#include "documents/TEP_Doc.h"
#include "documents/TEP_DocsNode.h"
#include "params/Numbers.h"
#include "params/SafeSave.h"
#include "params/StrFields.h"
#include "params/ValueEncodings.h"
#include "report/TDPRptImg.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

using MessageText::Quoted;

namespace {

QString WithSeparator(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')) ? folder : folder + QLatin1Char('/');
}

} // namespace

TEP_Config::TEP_Config()
{
    ResetGeneral();
}

TEP_Config::~TEP_Config()
{
    ForgetCurrentDocument();
    if (m_tree)
        m_tree->RemoveListener(this);
}

void TEP_Config::ForgetCurrentDocument()
{
    if (m_currentDocument)
        m_currentDocument->EPDoc_Close();
    m_currentDocument = nullptr;
    m_currentNode = nullptr;
}

void TEP_Config::NodesAboutToBeRemoved(TEP_DocsNode& parent, int first, int last)
{
    // The open worksheet's node, or a folder above it, is about to be freed
    // (its picture deleted by another PC and a rescan, a deletion, a
    // taking out of the tree): its work was saved when the page was left.
    for (const TEP_DocsNode* node = m_currentNode; node; node = node->Parent()) {
        if (node->Parent() != &parent)
            continue;
        const int row = parent.IndexOf(node);
        if (row >= first && row <= last)
            ForgetCurrentDocument();
        return;
    }
}

QString TEP_Config::EncodePassword(const QString& password)
{
    QString stored = password;
    for (QChar& c : stored)
        c = QChar(char16_t(c.unicode() + 1));
    return stored;
}

QString TEP_Config::DecodePassword(const QString& stored)
{
    if (stored == PR_NOVALUE)
        return QString();
    QString password = stored;
    for (QChar& c : password)
        c = QChar(char16_t(c.unicode() - 1));
    return password;
}

bool TEP_Config::IsValidUserName(const QString& name)
{
    return FileNameRules::IsSafe(StrTrim(name));
}

QString TEP_Config::SettingsPath(const QString& user) const
{
    // Names that differ only by letter case are one user, as on the Windows
    // PCs sharing the data root: an existing file in any case is that user's.
    const QString wanted = StrTrim(user) + QStringLiteral(".conf");
    const QString onDisk = FolderFiles(m_namesFolder).Find(wanted);
    return FileNameRules::Join(m_namesFolder, onDisk.isEmpty() ? wanted : onDisk);
}

QString TEP_Config::StoredUserName(const QString& name) const
{
    const QString user = StrTrim(name);
    if (user.compare(DefaultUser, Qt::CaseInsensitive) == 0)
        return DefaultUser;
    const QString onDisk = FolderFiles(m_namesFolder).Find(user + QStringLiteral(".conf"));
    return onDisk.isEmpty() ? user : onDisk.chopped(5);
}

bool TEP_Config::IsReservedUserName(const QString& name)
{
    const QString user = StrTrim(name);
    for (const QString& reserved : {DefaultUser, ReservedName, TEP_Doc::BackgroundLayerUser})
        if (user.compare(reserved, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString TEP_Config::UnusableNameText(const QString& user)
{
    return QStringLiteral("Le nom d'utilisateur %1 ne peut pas être utilisé : il ne doit contenir aucun des "
                          "caractères / \\ : * ? \" < > |, ni être un nom réservé du système, ni commencer par un "
                          "point, ni finir par un point ou un espace.")
        .arg(Quoted(user));
}

QString TEP_Config::NewUserNameProblem(const QString& name, const QString& renamed) const
{
    const QString user = StrTrim(name);
    if (user.isEmpty())
        return QStringLiteral("Initialisation impossible pour un nom d'utilisateur vide");
    if (!IsValidUserName(user))
        return UnusableNameText(user);
    if (IsReservedUserName(user))
        return QStringLiteral("Le nom %1 est réservé (utilisateur par défaut, administrateur ou fond de page des "
                              "fiches) : il ne peut pas être donné à un utilisateur.")
            .arg(Quoted(user));
    // Changing only the letter case of one's own name is a rename like any other.
    const bool sameUser = !renamed.isEmpty() && user.compare(StrTrim(renamed), Qt::CaseInsensitive) == 0;
    if (!sameUser && QFileInfo(SettingsPath(user)).isFile())
        return QStringLiteral("L'utilisateur %1 existe déjà : deux noms qui ne diffèrent que par les majuscules sont "
                              "le même nom.")
            .arg(Quoted(StoredUserName(user)));
    return QString();
}

// --- Start and general file -----------------------------------------------------------

void TEP_Config::ResetGeneral()
{
    UseNames = false;
    UseGdip = true;
    DocsRootName = QStringLiteral("Documents");
    Fonts.ReadFonts(QStringLiteral("Arial,Arial Narrow,PlumNal,Courier New"));
    Password.clear();
    PrinterResDiv = 1;
    PrinterName = DefaultPrinterName ? DefaultPrinterName() : QString();
    DataVersion = 400;
    ExportDir = m_dataRoot.isEmpty() ? QString() : m_dataRoot + QStringLiteral("Documents exportés");
}

void TEP_Config::SetDataRoot(const QString& dataRoot)
{
    m_dataRoot = WithSeparator(StrTrim(dataRoot));
    m_documentsFolder = m_dataRoot + QStringLiteral("Documents");
    m_worksheetsFolder = m_documentsFolder + QStringLiteral("/Fiches");
    m_namesFolder = m_documentsFolder + QStringLiteral("/Noms");
    m_exportFolder = m_dataRoot + QStringLiteral("Documents exportés");
}

Outcome TEP_Config::MakeFolders()
{
    QDir root;
    if (!QFileInfo(m_dataRoot).isDir() || !root.mkpath(m_worksheetsFolder) || !root.mkpath(m_namesFolder))
        return Outcome::Failure(QStringLiteral("Impossible de créer le répertoire %1,%2 ou %3.")
                                    .arg(Quoted(m_documentsFolder), Quoted(m_worksheetsFolder), Quoted(m_namesFolder)));
    return {};
}

const MigrationReport& TEP_Config::MigrateOldData(Messenger* messenger)
{
    m_migration = DataMigration(m_dataRoot).Run(messenger);
    return m_migration;
}

Outcome TEP_Config::Initialise(const QString& dataRoot, Messenger* messenger)
{
    ForgetCurrentDocument();
    Settings.Reset();
    SetDataRoot(dataRoot);
    ResetGeneral();
    m_migration = MigrationReport();
    if (Outcome folders = MakeFolders(); !folders)
        return folders;
    MigrateOldData(messenger);
    RemoveStaleTemporaries();
    Outcome outcome;
    outcome.Note(ReadGeneralFile().Messages());
    if (m_tree)
        m_tree->RemoveListener(this);
    m_tree = std::make_unique<TEP_DocsNode>();
    m_tree->AddListener(this);
    // The scan's messages are shown as one text, and the start goes on.
    outcome.Note(m_tree->Scan(m_worksheetsFolder).Messages());
    (void)m_tree->RenameChild(m_tree.get(), DocsRootName);
    const Outcome user = SetUser(DefaultUser, true);
    outcome.Merge(user);
    if (!user)
        outcome.Fail(QStringLiteral("Initialisation impossible pour l'utilisateur par défaut!!"));
    return outcome;
}

void TEP_Config::RemoveStaleTemporaries() const
{
    SafeSave::RemoveStaleTemporaries(m_dataRoot, StaleTemporarySeconds);
    SafeSave::RemoveStaleTemporaries(m_namesFolder, StaleTemporarySeconds);
    SafeSave::RemoveStaleTemporaries(m_worksheetsFolder, StaleTemporarySeconds);
    QDirIterator folders(m_worksheetsFolder, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (folders.hasNext())
        SafeSave::RemoveStaleTemporaries(folders.next(), StaleTemporarySeconds);
}

Outcome TEP_Config::ReadGeneralFile()
{
    ResetGeneral();
    // A data root copied from Windows PCs may spell it in any letter case.
    const QString fileName = FolderFiles(m_dataRoot).Find(DataMigration::GeneralFileName);
    m_generalFilePath = m_dataRoot + (fileName.isEmpty() ? DataMigration::GeneralFileName : fileName);
    m_general.Clear();
    Outcome outcome;
    if (QFileInfo(m_generalFilePath).isFile()) {
        if (m_general.LoadFromFile(m_generalFilePath))
            ReadGeneralParams(m_general, GeneralHeading);
        else
            outcome.Fail(QStringLiteral("Erreur lors de l'ouverture du fichier de configuration général : %1")
                             .arg(Quoted(m_generalFilePath)));
    }
    m_generalAsRead.clear();
    for (const auto& [key, value] : GeneralValues())
        m_generalAsRead.insert(key, value);
    return outcome;
}

void TEP_Config::ReadGeneralParams(const Param_Obj& g, const QString& heading)
{
    UseNames = ReadParamBool(g, heading, QStringLiteral("USENAMES"), false);
    UseGdip = ReadParamBool(g, heading, QStringLiteral("USEGDIP"), true);
    DocsRootName = g.PRReadDefault(heading, QStringLiteral("DOCSROOTNAME"), DocsRootName);
    const QString fonts = g.PRReads(heading, QStringLiteral("FONTS"));
    Fonts.ReadFonts(fonts == PR_NOVALUE ? QString() : fonts);
    Password = DecodePassword(g.PRRead(heading, QStringLiteral("CONFIGKW")));
    int divisor = 1;
    g.PRReadl(heading, QStringLiteral("PrinterResDiv"), &divisor);
    PrinterResDiv = divisor >= 1 && divisor <= 4 ? divisor : 1;
    PrinterName = g.PRReadDefault(heading, QStringLiteral("PRINTERNAME"), PrinterName);
    g.PRReadl(heading, QStringLiteral("VERSION"), &DataVersion);
    ExportDir = g.PRReadDefault(heading, QStringLiteral("EXPORTDIR"), ExportDir);
}

QList<QPair<QString, QString>> TEP_Config::GeneralValues() const
{
    return {{"PrinterResDiv", QString::number(PrinterResDiv)}, {"PRINTERNAME", PrinterName},
        {"FONTS", Fonts.FontsText()}, {"USENAMES", BoolToParam(UseNames)}, {"USEGDIP", BoolToParam(UseGdip)},
        {"DOCSROOTNAME", DocsRootName}, {"VERSION", QStringLiteral("400")}, {"CONFIGKW", EncodePassword(Password)},
        {"EXPORTDIR", ExportDir}};
}

void TEP_Config::WriteGeneralParams(Param_Obj& file, const QString& heading) const
{
    const QList<QPair<QString, QString>> keys = GeneralValues();
    file.PRClearSpecial(heading, QStringLiteral("="));
    // A key written into a section goes right after its heading: last first.
    for (auto it = keys.crbegin(); it != keys.crend(); ++it)
        file.PRWrite(heading, it->first, it->second);
}

Outcome TEP_Config::WriteGeneralFile()
{
    Q_ASSERT_X(!m_generalFilePath.isEmpty(), "TEP_Config::WriteGeneralFile", "the general file was never read");
    if (m_generalFilePath.isEmpty())
        return Outcome().Fail();
    // The file is shared by every PC of the school: only what this run
    // changed is written, into the file as it is now (another PC may have
    // changed other keys meanwhile), and keys this version does not know stay.
    const bool exists = QFileInfo(m_generalFilePath).isFile();
    Param_Obj general;
    if (exists && !general.LoadFromFile(m_generalFilePath))
        general = m_general;
    const QList<QPair<QString, QString>> values = GeneralValues();
    QList<QPair<QString, QString>> written;
    for (const auto& entry : values) {
        const bool changed = m_generalAsRead.value(entry.first) != entry.second;
        // The default export folder is this PC's path to the data root: the
        // other PCs reach it by theirs.
        const bool ownDefault = entry.first == QLatin1String("EXPORTDIR")
            && entry.second == m_dataRoot + QStringLiteral("Documents exportés");
        if (exists ? changed : !ownDefault)
            written << entry;
    }
    if (written.isEmpty())
        return {};
    // A key written into a section goes right after its heading: last first.
    for (auto it = written.crbegin(); it != written.crend(); ++it)
        general.PRWrite(GeneralHeading, it->first, it->second);
    if (!general.SaveToFile(m_generalFilePath))
        return Outcome::Failure(
            QStringLiteral("Impossible de sauvegarder la configuration dans le fichier : %1 !").arg(m_generalFilePath));
    m_general = general;
    for (const auto& [key, value] : values)
        m_generalAsRead.insert(key, value);
    return {};
}

Outcome TEP_Config::SaveAll()
{
    // Nothing to write before the data root was read.
    Outcome outcome = m_generalFilePath.isEmpty() ? Outcome() : WriteGeneralFile();
    return outcome.Merge(SaveUserSettings());
}

// --- Users ------------------------------------------------------------------------------------

void TEP_Config::SyncFontChoices()
{
    Settings.TextFontName = Fonts.CurrentName();
    Settings.TextFontSize = Fonts.Size;
    Settings.TextFontUnderline = Fonts.Underline;
    Settings.TextFontBold = Fonts.Bold;
}

Outcome TEP_Config::SaveUserSettings()
{
    if (m_currentUser.isEmpty())
        return {};
    SyncFontChoices();
    return Settings.SaveFile(SettingsPath(m_currentUser));
}

Outcome TEP_Config::SaveCommandDefinition(const QString& commandName, const QStringList& fields)
{
    const QString name = StrTrim(commandName);
    Q_ASSERT_X(!name.isEmpty(), "TEP_Config::SaveCommandDefinition", "a command without name");
    if (name.isEmpty())
        return Outcome().Fail();
    // One line per command, whatever the letter case it was stored in.
    for (const QString& stored : Settings.CommandKeys.keys())
        if (stored.compare(name, Qt::CaseInsensitive) == 0)
            Settings.CommandKeys.remove(stored);
    Settings.CommandKeys.insert(name, fields);
    return SaveUserSettings();
}

Outcome TEP_Config::LoadUserSettings(const QString& name)
{
    Q_ASSERT_X(!StrTrim(name).isEmpty(), "TEP_Config::LoadUserSettings",
        "Erreur interne : demande de chargement des paramètres avec un nom d'utilisateur vide.");
    if (StrTrim(name).isEmpty())
        return Outcome::Failure(
            QStringLiteral("Erreur interne : demande de chargement des paramètres avec un nom d'utilisateur vide."));
    Settings.LoadFile(SettingsPath(name), ScreenSize);
    m_currentUser = StrTrim(name);
    Fonts.SelectByName(Settings.TextFontName);
    Fonts.Size = Settings.TextFontSize;
    Fonts.Underline = Settings.TextFontUnderline;
    Fonts.Bold = Settings.TextFontBold;
    Session.Start(Settings.ItemForeground, Settings.ItemPenSize);
    ApplySettings();
    return {};
}

Outcome TEP_Config::SetUser(const QString& name, bool applyHintFont)
{
    // The previous user's settings: a failure to write them is told, and the
    // change goes on.
    Outcome outcome;
    outcome.Note(SaveUserSettings().Messages());
    // A name in another letter case is that user's.
    const QString user = StoredUserName(name);
    if (user.isEmpty())
        return outcome.Fail(QStringLiteral("Initialisation impossible pour un nom d'utilisateur vide"));
    if (!IsValidUserName(user))
        return outcome.Fail(UnusableNameText(user));
    // A user without settings file is a new one: never under a reserved name.
    if (user != DefaultUser && !QFileInfo(SettingsPath(user)).isFile())
        if (const QString problem = NewUserNameProblem(user); !problem.isEmpty())
            return outcome.Fail(problem);
    outcome.Merge(LoadUserSettings(user));
    if (!outcome)
        return outcome;
    if (!QFileInfo(SettingsPath(user)).isFile())
        outcome.Note(SaveUserSettings().Messages()); // a new user starts with the defaults
    if (m_tree)
        outcome.Note(m_tree->SetUserForAll(user).Messages());
    if (applyHintFont)
        ApplyHintFont();
    return outcome;
}

void TEP_Config::ApplyHintFont()
{
    m_hintFont = HintFontChoice {
        Settings.HintFontName, Settings.HintFontSize >= 4 ? Settings.HintFontSize : 0, Settings.HintFontBold};
}

QStringList TEP_Config::UserList() const
{
    QStringList users;
    const FolderFiles listing(m_namesFolder);
    for (const QString& file : listing.Names()) {
        if (!file.endsWith(QLatin1String(".conf"), Qt::CaseInsensitive))
            continue;
        const QString user = file.left(file.size() - 5);
        if (user.compare(DefaultUser, Qt::CaseInsensitive) != 0 && user.compare(ReservedName, Qt::CaseInsensitive) != 0
            && !users.contains(user, Qt::CaseInsensitive))
            users << user;
    }
    users.sort(Qt::CaseInsensitive);
    return users;
}

Outcome TEP_Config::UserExists(const QString& name) const
{
    const QString path = SettingsPath(name);
    if (QFileInfo(path).isFile())
        return {};
    return Outcome::Failure(QStringLiteral("Le fichier de configuration de l'utilisateur %1 n'existe pas (%2)")
                                .arg(Quoted(StrTrim(name)), path));
}

Outcome TEP_Config::RenameUser(QString& name, Messenger& asker)
{
    const QString oldName = StrTrim(name);
    const QString oldPath = SettingsPath(oldName);
    if (oldName.isEmpty() || !QFileInfo(oldPath).isFile())
        return Outcome::Failure(QStringLiteral("Le fichier de configuration (%1) de l'utilisateur %2 n'existe pas!")
                                    .arg(Quoted(oldPath), Quoted(oldName)));
    QString answer;
    if (!asker.AskText(QStringLiteral("Modification de nom"), QStringLiteral("Nouveau nom : "), oldName, answer))
        return Outcome().Fail();
    const QString newName = StrTrim(answer);
    if (newName.isEmpty() || newName == oldName)
        return Outcome().Fail();
    if (const QString problem = NewUserNameProblem(newName, oldName); !problem.isEmpty() && IsValidUserName(newName))
        return Outcome::Failure(problem);
    const QString newPath = FileNameRules::Join(m_namesFolder, newName + QStringLiteral(".conf"));
    if (!IsValidUserName(newName) || !QFile::rename(oldPath, newPath))
        return Outcome::Failure(
            QStringLiteral("Impossible de renommer le fichier de configuration pour le nouveau nom!"));
    if (m_currentUser.compare(oldName, Qt::CaseInsensitive) == 0)
        m_currentUser = newName;
    Outcome outcome;
    if (m_tree)
        outcome.Note(m_tree->RenameUserForAll(oldName, newName).Messages());
    name = newName;
    return outcome;
}

Outcome TEP_Config::CreateUser(const QString& name)
{
    if (const QString problem = NewUserNameProblem(name); !problem.isEmpty())
        return Outcome::Failure(problem);
    return SetUser(name, false);
}

Outcome TEP_Config::DeleteUser(const QString& name, Messenger& asker)
{
    const QString user = StrTrim(name);
    if (user.compare(DefaultUser, Qt::CaseInsensitive) == 0)
        return Outcome::Failure(QStringLiteral("La suppression de l'utilisateur par défaut n'est pas autorisée."));
    Outcome outcome = SetUser(user, false);
    if (!outcome)
        return outcome;
    const Outcome work = m_tree ? m_tree->DeleteWorkForAll(user) : Outcome();
    if (!work) {
        // The person sees the errors before answering: they are the reason
        // of the question.
        if (work.HasMessages())
            asker.ShowMessages(work.Messages());
        if (!asker.AskYesNo(
                QStringLiteral("Voulez-vous, malgré les erreurs rencontrées supprimer l'utilisateur '%1'?").arg(user)))
            return outcome.Fail();
    }
    if (!QFile::remove(SettingsPath(user)))
        return outcome.Fail(
            QStringLiteral("Impossible de supprimer le fichier de configuration de l'utilisateur '%1'!").arg(user));
    m_currentUser.clear(); // its settings are not written back
    return outcome.Merge(SetUser(DefaultUser, false));
}

// --- Documents and applied settings ------------------------------------------------------------

Outcome TEP_Config::SetCurrentDocument(TEP_Doc* document)
{
    if (!document) {
        ForgetCurrentDocument();
        return {};
    }
    TEP_DocsNode* node = m_tree ? m_tree->FindDocumentNode(document) : nullptr;
    if (!node)
        return Outcome::Failure(QStringLiteral("Edition non prévue pour un document n'appartenant pas à la liste."));
    Outcome outcome = document->EPDoc_LoadForUse();
    if (!outcome)
        return outcome.Prepend(QStringLiteral("Impossible de charger, pour son utilisation le document %1.")
                                   .arg(Quoted(document->Name())));
    if (m_currentDocument && m_currentDocument != document)
        m_currentDocument->EPDoc_Close();
    m_currentDocument = document;
    m_currentNode = node;
    return outcome;
}

void TEP_Config::ApplySettings()
{
    m_applied.selection.frameColor = Settings.SelectionColor;
    m_applied.selection.frameWidth = Settings.SelectionBorderWidth;
    m_applied.selectionBlink = Settings.SelectionBlink;
    m_applied.selection.resizeSquareSize = Settings.ResizeSquareSize;
    m_applied.selection.resizeSquareColor = Settings.ResizeSquareColor;
    m_applied.usePlatformImaging = UseGdip;
    m_applied.printerName = PrinterName;
    TDPRptImg::UsePlatformImagingByDefault = UseGdip;
}
