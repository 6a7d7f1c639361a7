#pragma once

#include "EditorSession.h"
#include "MigrationReport.h"
#include "TEP_Fonts.h"
#include "UserSettings.h"

#include "documents/DocsTreeListener.h"
#include "params/Outcome.h"
#include "params/Param_Obj.h"
#include "report/SelectionLook.h"

#include <QSize>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class Messenger;
class TEP_Doc;
class TEP_DocsNode;

// The settings every part of the program reads once applied: the look of
// the selected item (passed to the edit surface's drawing), its blinking,
// how pictures are decoded, the printer.
struct AppliedSettings {
    SelectionLook selection;
    int selectionBlink = 0;
    bool usePlatformImaging = true;
    QString printerName;
};

// The toolbar hints' font as the settings choose it; empty name, size
// below 4 or no bold choice mean "the system's".
struct HintFontChoice {
    QString name;
    int size = 0;
    std::optional<bool> bold;
};

// The configuration of the whole run: the data root and its folders, the
// general file, the documents tree, the users and the current user's
// settings, the settings password and the worksheet open for the user.
//
// Operations return an Outcome whose French messages the caller shows;
// the configuration shows nothing itself. Questions an operation must ask
// (a new user name, a confirmation) go to the Messenger the caller passes.
// Whoever ends the session calls SaveAll(): the destructor writes nothing.
class TEP_Config : private DocsTreeListener {
public:
    static inline const QString DefaultUser = QStringLiteral("XXXX");
    static inline const QString ReservedName = QStringLiteral("Admin");
    static inline const QString GeneralHeading = QStringLiteral("CONFIG");

    TEP_Config();
    // Closes the open worksheet (its lock goes); writes no file.
    ~TEP_Config() override;
    TEP_Config(const TEP_Config&) = delete;
    TEP_Config& operator=(const TEP_Config&) = delete;

    // A failure to read the general file or to scan the documents is a
    // remark of a successful outcome: the program starts with the defaults
    // and what was found. Data of older versions are converted first
    // (MigrateOldData); messenger: see there.
    Outcome Initialise(const QString& dataRoot, Messenger* messenger = nullptr);
    // Computes the data root's folders without creating or reading anything.
    void SetDataRoot(const QString& dataRoot);
    // Makes the documents, worksheets and names folders when missing.
    Outcome MakeFolders();
    // Brings data written by versions before 4.00 to the current layout
    // (DataMigration). messenger, when given (the program's start), is told
    // before the users' folders are converted and shown the report at the
    // end: its messages, then its lines in the text viewer. Without one the
    // report, also kept in Migration(), is the caller's to show.
    const MigrationReport& MigrateOldData(Messenger* messenger = nullptr);
    // What the last conversion of older data found and did.
    const MigrationReport& Migration() const { return m_migration; }
    Outcome ReadGeneralFile();
    // Reads the general keys under a heading of a parameter file already in
    // memory (older data keep them under other headings).
    void ReadGeneralParams(const Param_Obj& file, const QString& heading);
    // Writes the general keys under a heading, in their order.
    void WriteGeneralParams(Param_Obj& file, const QString& heading) const;
    // Temporaries of saves cut short (a PC switched off) in the data root's
    // folders, older than StaleTemporarySeconds, are removed at start.
    void RemoveStaleTemporaries() const;
    int StaleTemporarySeconds = 600;
    // Writes what changed since the file was read (all keys when there is no
    // file yet); nothing when nothing changed.
    Outcome WriteGeneralFile();
    // The end of a session: the general file and the current user's
    // settings.
    Outcome SaveAll();

    // Saving the previous user's settings or telling every document the new
    // user can go wrong without stopping the change: remarks of the outcome.
    Outcome SetUser(const QString& name, bool applyHintFont);
    QStringList UserList() const;
    Outcome UserExists(const QString& name) const;
    bool IsDefaultUser() const { return m_currentUser == DefaultUser; }
    // Asks the new name; on success the name receives it. A cancelled or
    // unchanged answer is a failure without message.
    Outcome RenameUser(QString& name, Messenger& asker);
    // A new user (the users editor's "Nouveau"): refused when the name is
    // unusable, reserved or already a user's in any letter case; otherwise
    // becomes the current user.
    Outcome CreateUser(const QString& name);
    // Why a name cannot be given to a new user, or to `renamed` (a user being
    // renamed, who may change the letter case of his own name); empty when
    // it can.
    QString NewUserNameProblem(const QString& name, const QString& renamed = QString()) const;
    // The default user, the reserved name and the background layer's suffix,
    // in any letter case.
    static bool IsReservedUserName(const QString& name);
    // The user's name as stored (the letter case of his settings file), or
    // the trimmed name when there is none.
    QString StoredUserName(const QString& name) const;
    // Asks, after showing them, whether to go on despite errors met while
    // deleting the user's work.
    Outcome DeleteUser(const QString& name, Messenger& asker);
    Outcome SetCurrentDocument(TEP_Doc* document);
    void ApplySettings();
    // The toolbar hints' font from the current settings (the settings
    // dialog sets it again after a change).
    void ApplyHintFont();
    // Copies the current text font choices into the settings, then writes
    // them.
    Outcome SaveUserSettings();
    // Keeps a palette command the user redefined and writes the settings
    // file at once.
    Outcome SaveCommandDefinition(const QString& commandName, const QStringList& fields);
    QString SettingsPath(const QString& user) const;

    static QString EncodePassword(const QString& password);
    static QString DecodePassword(const QString& stored);
    // A user name can be a file name everywhere the data root is shared.
    static bool IsValidUserName(const QString& name);
    static QString UnusableNameText(const QString& user);

    // Tells the system's default printer (set by the program; empty in the
    // tool and the tests).
    std::function<QString()> DefaultPrinterName;
    // The screen's size, which bounds the palette's stored place.
    QSize ScreenSize;

    QString DataRoot() const { return m_dataRoot; }
    QString DocumentsFolder() const { return m_documentsFolder; }
    QString WorksheetsFolder() const { return m_worksheetsFolder; }
    QString NamesFolder() const { return m_namesFolder; }
    QString ExportFolder() const { return m_exportFolder; }
    QString GeneralFilePath() const { return m_generalFilePath; }
    TEP_DocsNode* Tree() const { return m_tree.get(); }
    TEP_Doc* CurrentDocument() const { return m_currentDocument; }
    TEP_DocsNode* CurrentDocumentNode() const { return m_currentNode; }
    QString CurrentUser() const { return m_currentUser; }
    const AppliedSettings& Applied() const { return m_applied; }
    const HintFontChoice& HintFont() const { return m_hintFont; }

    UserSettings Settings;
    EditorSession Session;
    TEP_Fonts Fonts;
    QString DocsRootName;
    bool UseNames = false;
    bool UseGdip = true;
    QString Password;
    int PrinterResDiv = 1;
    QString PrinterName;
    QString ExportDir;
    int DataVersion = 400;

private:
    void ResetGeneral();
    // The general keys in their write order, as they are written.
    QList<QPair<QString, QString>> GeneralValues() const;
    Outcome LoadUserSettings(const QString& name);
    void SyncFontChoices();
    void ForgetCurrentDocument();
    // A node of the documents tree leaving it may hold the open worksheet.
    void NodesAboutToBeRemoved(TEP_DocsNode& parent, int first, int last) override;

    QString m_dataRoot;
    QString m_documentsFolder;
    QString m_worksheetsFolder;
    QString m_namesFolder;
    QString m_exportFolder;
    QString m_generalFilePath;
    Param_Obj m_general;
    QHash<QString, QString> m_generalAsRead; // key -> value as read (or last written)
    std::unique_ptr<TEP_DocsNode> m_tree;
    TEP_Doc* m_currentDocument = nullptr;
    TEP_DocsNode* m_currentNode = nullptr;
    QString m_currentUser;
    AppliedSettings m_applied;
    HintFontChoice m_hintFont;
    MigrationReport m_migration;
};
