#pragma once

#include "TEP_Fonts.h"
#include "UserSettings.h"

#include "params/Param_Obj.h"

#include <QSize>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class Messenger;
class TEP_Doc;
class TEP_DocsNode;

// The settings every part of the program reads once applied: the look of
// the selected item, how pictures are decoded, the printer.
struct AppliedSettings {
    RgbColor selectionColor {0x008000};
    int selectionBorderWidth = 1;
    int selectionBlink = 0;
    int resizeSquareSize = 4;
    RgbColor resizeSquareColor {0xFFFFFF};
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
class TEP_Config {
public:
    static inline const QString DefaultUser = QStringLiteral("XXXX");
    static inline const QString ReservedName = QStringLiteral("Admin");
    static inline const QString GeneralHeading = QStringLiteral("CONFIG");

    explicit TEP_Config(Messenger* messenger);
    // Writes the general file and the current user's settings.
    ~TEP_Config();
    TEP_Config(const TEP_Config&) = delete;
    TEP_Config& operator=(const TEP_Config&) = delete;

    bool Initialise(const QString& dataRoot);
    // Computes the data root's folders without creating or reading anything.
    void SetDataRoot(const QString& dataRoot);
    // Brings data of older versions to the current layout. Not built yet:
    // older data roots are taken as they are.
    void MigrateOldData() { }
    void ReadGeneralFile();
    // Reads the general keys from a parameter file already in memory.
    void ReadGeneralParams(const Param_Obj& general);
    // Temporaries of saves cut short (a PC switched off) in the data root's
    // folders, older than StaleTemporarySeconds, are removed at start.
    void RemoveStaleTemporaries() const;
    int StaleTemporarySeconds = 600;
    bool WriteGeneralFile();

    bool SetUser(const QString& name, bool applyHintFont);
    QStringList UserList() const;
    bool UserExists(const QString& name) const;
    bool IsDefaultUser() const { return m_currentUser == DefaultUser; }
    bool RenameUser(QString& name);
    bool DeleteUser(const QString& name);
    bool SetCurrentDocument(TEP_Doc* document);
    void ApplySettings();
    bool SaveUserSettings();
    QString SettingsPath(const QString& user) const;

    static QString EncodePassword(const QString& password);
    static QString DecodePassword(const QString& stored);
    // A user name can be a file name everywhere the data root is shared.
    static bool IsValidUserName(const QString& name);

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
    void Show(const QString& text) const;
    void ShowList(const QStringList& messages) const;
    bool LoadUserSettings(const QString& name);

    Messenger* m_messenger;
    QString m_dataRoot;
    QString m_documentsFolder;
    QString m_worksheetsFolder;
    QString m_namesFolder;
    QString m_exportFolder;
    QString m_generalFilePath;
    Param_Obj m_general;
    std::unique_ptr<TEP_DocsNode> m_tree;
    TEP_Doc* m_currentDocument = nullptr;
    TEP_DocsNode* m_currentNode = nullptr;
    QString m_currentUser;
    AppliedSettings m_applied;
    HintFontChoice m_hintFont;
};
