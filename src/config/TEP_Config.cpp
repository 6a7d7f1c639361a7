#include "TEP_Config.h"

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

TEP_Config::TEP_Config(Messenger* messenger)
    : m_messenger(messenger)
{
    ResetGeneral();
}

TEP_Config::~TEP_Config()
{
    if (m_currentDocument)
        m_currentDocument->EPDoc_Close();
    WriteGeneralFile();
    SaveUserSettings();
}

void TEP_Config::Show(const QString& text) const
{
    if (m_messenger)
        m_messenger->ShowMessage(text);
}

void TEP_Config::ShowList(const QStringList& messages) const
{
    if (m_messenger && !messages.isEmpty())
        m_messenger->ShowMessages(messages);
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
    return FileNameRules::Join(m_namesFolder, StrTrim(user) + QStringLiteral(".conf"));
}

// --- Start and general file -----------------------------------------------------------

void TEP_Config::ResetGeneral()
{
    UseNames = false;
    UseGdip = true;
    DocsRootName = QStringLiteral("Documents");
    Fonts.SetNames({QStringLiteral("Arial"), QStringLiteral("Arial Narrow"), QStringLiteral("PlumNal"),
        QStringLiteral("Courier New")});
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

bool TEP_Config::Initialise(const QString& dataRoot)
{
    Settings.Reset();
    SetDataRoot(dataRoot);
    ResetGeneral();
    QDir root;
    if (!QFileInfo(m_dataRoot).isDir() || !root.mkpath(m_worksheetsFolder) || !root.mkpath(m_namesFolder)) {
        Show(QStringLiteral("Impossible de créer le répertoire %1,%2 ou %3.")
                 .arg(Quoted(m_documentsFolder), Quoted(m_worksheetsFolder), Quoted(m_namesFolder)));
        return false;
    }
    MigrateOldData();
    RemoveStaleTemporaries();
    ReadGeneralFile();
    m_tree = std::make_unique<TEP_DocsNode>(m_messenger);
    bool exists = false;
    QStringList messages;
    m_tree->Scan(m_worksheetsFolder, exists, &messages);
    m_tree->RenameChild(m_tree.get(), DocsRootName);
    ShowList(messages);
    if (!SetUser(DefaultUser, true)) {
        Show(QStringLiteral("Initialisation impossible pour l'utilisateur par défaut!!"));
        return false;
    }
    return true;
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

void TEP_Config::ReadGeneralFile()
{
    ResetGeneral();
    m_generalFilePath = m_dataRoot + QStringLiteral("Ardoisine.txt");
    m_general.Clear();
    if (!QFileInfo(m_generalFilePath).isFile())
        return;
    if (!m_general.LoadFromFile(m_generalFilePath)) {
        Show(QStringLiteral("Erreur lors de l'ouverture du fichier de configuration général : %1")
                 .arg(Quoted(m_generalFilePath)));
        return;
    }
    ReadGeneralParams(m_general);
}

void TEP_Config::ReadGeneralParams(const Param_Obj& g)
{
    UseNames = ReadParamBool(g, GeneralHeading, QStringLiteral("USENAMES"), false);
    UseGdip = ReadParamBool(g, GeneralHeading, QStringLiteral("USEGDIP"), true);
    DocsRootName = g.PRReadDefault(GeneralHeading, QStringLiteral("DOCSROOTNAME"), DocsRootName);
    const QString fonts = g.PRReads(GeneralHeading, QStringLiteral("FONTS"));
    Fonts.ReadFonts(fonts == PR_NOVALUE ? QString() : fonts);
    Password = DecodePassword(g.PRRead(GeneralHeading, QStringLiteral("CONFIGKW")));
    int divisor = 1;
    g.PRReadl(GeneralHeading, QStringLiteral("PrinterResDiv"), &divisor);
    PrinterResDiv = divisor >= 1 && divisor <= 4 ? divisor : 1;
    PrinterName = g.PRReadDefault(GeneralHeading, QStringLiteral("PRINTERNAME"), PrinterName);
    g.PRReadl(GeneralHeading, QStringLiteral("VERSION"), &DataVersion);
    ExportDir = g.PRReadDefault(GeneralHeading, QStringLiteral("EXPORTDIR"), ExportDir);
}

bool TEP_Config::WriteGeneralFile()
{
    if (m_generalFilePath.isEmpty())
        return false;
    const QList<QPair<QString, QString>> keys {{"PrinterResDiv", QString::number(PrinterResDiv)},
        {"PRINTERNAME", PrinterName}, {"FONTS", Fonts.FontsText()}, {"USENAMES", BoolToParam(UseNames)},
        {"USEGDIP", BoolToParam(UseGdip)}, {"DOCSROOTNAME", DocsRootName}, {"VERSION", QStringLiteral("400")},
        {"CONFIGKW", EncodePassword(Password)}, {"EXPORTDIR", ExportDir}};
    m_general.PRClearSpecial(GeneralHeading, QStringLiteral("="));
    for (auto it = keys.crbegin(); it != keys.crend(); ++it)
        m_general.PRWrite(GeneralHeading, it->first, it->second);
    if (m_general.SaveToFile(m_generalFilePath))
        return true;
    Show(QStringLiteral("Impossible de sauvegarder la configuration dans le fichier : %1 !").arg(m_generalFilePath));
    return false;
}

// --- Users ------------------------------------------------------------------------------------

bool TEP_Config::SaveUserSettings()
{
    if (m_currentUser.isEmpty())
        return true;
    const QString path = SettingsPath(m_currentUser);
    if (Settings.SaveFile(path))
        return true;
    Show(QStringLiteral("Impossible de sauvegarder la configuration dans le fichier : %1 !").arg(path));
    return false;
}

bool TEP_Config::LoadUserSettings(const QString& name)
{
    if (StrTrim(name).isEmpty()) {
        Show(QStringLiteral("Erreur interne : demande de chargement des paramètres avec un nom d'utilisateur vide."));
        return false;
    }
    Settings.LoadFile(SettingsPath(name), ScreenSize);
    m_currentUser = StrTrim(name);
    Fonts.SelectByName(Settings.TextFontName);
    Fonts.Size = Settings.TextFontSize;
    Fonts.Underline = Settings.TextFontUnderline;
    Fonts.Bold = Settings.TextFontBold;
    ApplySettings();
    return true;
}

bool TEP_Config::SetUser(const QString& name, bool applyHintFont)
{
    SaveUserSettings();
    const QString user = StrTrim(name);
    if (user.isEmpty()) {
        Show(QStringLiteral("Initialisation impossible pour un nom d'utilisateur vide"));
        return false;
    }
    if (!IsValidUserName(user)) {
        Show(QStringLiteral("Le nom d'utilisateur %1 ne peut pas être utilisé : il ne doit contenir aucun des "
                            "caractères / \\ : * ? \" < > |, ni être un nom réservé du système, ni finir par un point "
                            "ou un espace.")
                 .arg(Quoted(user)));
        return false;
    }
    if (!LoadUserSettings(user))
        return false;
    if (!QFileInfo(SettingsPath(user)).isFile())
        SaveUserSettings(); // a new user starts with the defaults
    QStringList messages;
    if (m_tree && !m_tree->SetUserForAll(user, &messages))
        ShowList(messages);
    if (applyHintFont)
        m_hintFont = HintFontChoice {
            Settings.HintFontName, Settings.HintFontSize >= 4 ? Settings.HintFontSize : 0, Settings.HintFontBold};
    return true;
}

QStringList TEP_Config::UserList() const
{
    QStringList users;
    const FolderFiles listing(m_namesFolder);
    for (const QString& file : listing.Names()) {
        if (!file.endsWith(QLatin1String(".conf"), Qt::CaseInsensitive))
            continue;
        const QString user = file.left(file.size() - 5);
        if (user.compare(DefaultUser, Qt::CaseInsensitive) != 0 && user.compare(ReservedName, Qt::CaseInsensitive) != 0)
            users << user;
    }
    users.sort(Qt::CaseInsensitive);
    return users;
}

bool TEP_Config::UserExists(const QString& name) const
{
    const QString path = SettingsPath(name);
    if (QFileInfo(path).isFile())
        return true;
    Show(QStringLiteral("Le fichier de configuration de l'utilisateur %1 n'existe pas (%2)")
             .arg(Quoted(StrTrim(name)), path));
    return false;
}

bool TEP_Config::RenameUser(QString& name)
{
    const QString oldName = StrTrim(name);
    const QString oldPath = SettingsPath(oldName);
    if (oldName.isEmpty() || !QFileInfo(oldPath).isFile()) {
        Show(QStringLiteral("Le fichier de configuration (%1) de l'utilisateur %2 n'existe pas!")
                 .arg(Quoted(oldPath), Quoted(oldName)));
        return false;
    }
    QString answer;
    if (!m_messenger
        || !m_messenger->AskText(
            QStringLiteral("Modification de nom"), QStringLiteral("Nouveau nom : "), oldName, answer))
        return false;
    const QString newName = StrTrim(answer);
    if (newName.isEmpty() || newName == oldName)
        return false;
    if (!IsValidUserName(newName) || !QFile::rename(oldPath, SettingsPath(newName))) {
        Show(QStringLiteral("Impossible de renommer le fichier de configuration pour le nouveau nom!"));
        return false;
    }
    if (m_currentUser.compare(oldName, Qt::CaseInsensitive) == 0)
        m_currentUser = newName;
    QStringList messages;
    if (m_tree && !m_tree->RenameUserForAll(oldName, newName, &messages))
        ShowList(messages);
    name = newName;
    return true;
}

bool TEP_Config::DeleteUser(const QString& name)
{
    const QString user = StrTrim(name);
    if (user.compare(DefaultUser, Qt::CaseInsensitive) == 0) {
        Show(QStringLiteral("La suppression de l'utilisateur par défaut n'est pas autorisée."));
        return false;
    }
    if (!SetUser(user, false))
        return false;
    QStringList messages;
    if (m_tree && !m_tree->DeleteWorkForAll(user, &messages)) {
        ShowList(messages);
        if (!m_messenger
            || !m_messenger->AskYesNo(
                QStringLiteral("Voulez-vous, malgré les erreurs rencontrées supprimer l'utilisateur '%1'?").arg(user)))
            return false;
    }
    if (!QFile::remove(SettingsPath(user))) {
        Show(QStringLiteral("Impossible de supprimer le fichier de configuration de l'utilisateur '%1'!").arg(user));
        return false;
    }
    m_currentUser.clear(); // its settings are not written back
    return SetUser(DefaultUser, false);
}

// --- Documents and applied settings ------------------------------------------------------------

bool TEP_Config::SetCurrentDocument(TEP_Doc* document)
{
    if (!document) {
        if (m_currentDocument)
            m_currentDocument->EPDoc_Close();
        m_currentDocument = nullptr;
        m_currentNode = nullptr;
        return true;
    }
    TEP_DocsNode* node = m_tree ? m_tree->FindDocumentNode(document) : nullptr;
    if (!node) {
        Show(QStringLiteral("Edition non prévue pour un document n'appartenant pas à la liste."));
        return false;
    }
    QStringList messages;
    if (!document->EPDoc_LoadForUse(&messages)) {
        messages.prepend(QStringLiteral("Impossible de charger, pour son utilisation le document %1.")
                             .arg(Quoted(document->Name())));
        ShowList(messages);
        return false;
    }
    if (m_currentDocument && m_currentDocument != document)
        m_currentDocument->EPDoc_Close();
    m_currentDocument = document;
    m_currentNode = node;
    return true;
}

void TEP_Config::ApplySettings()
{
    m_applied.selectionColor = Settings.SelectionColor;
    m_applied.selectionBorderWidth = Settings.SelectionBorderWidth;
    m_applied.selectionBlink = Settings.SelectionBlink;
    m_applied.resizeSquareSize = Settings.ResizeSquareSize;
    m_applied.resizeSquareColor = Settings.ResizeSquareColor;
    m_applied.usePlatformImaging = UseGdip;
    m_applied.printerName = PrinterName;
    TDPRptImg::UsePlatformImagingByDefault = UseGdip;
}
