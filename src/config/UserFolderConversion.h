#pragma once

#include <QString>
#include <functional>

class FolderFiles;
class TEP_Doc;
class TEP_DocsNode;
class UserSettings;
struct MigrationReport;

// The users' folders of older versions ("<names folder>/<user>/"): each
// user's settings file goes to the names folder (or is made from the old
// settings when the folder has none and the user has none yet), each work
// file "<worksheet>.txt" becomes "<worksheet>_<user>.txt" beside the
// worksheet, and the folder goes once nothing else is left in it.
//
// Files are found whatever their letter case, and a move never replaces a
// file: what cannot move stays in the user's folder and is reported.
class UserFolderConversion {
public:
    // changed: called after each file moved or written and each folder
    // removed.
    UserFolderConversion(const QString& namesFolder, const UserSettings& oldSettings, const TEP_DocsNode& worksheets,
        MigrationReport& report, std::function<void()> changed);
    void Run();

private:
    void ConvertFolder(const QString& user);
    void ConvertSettings(const QString& folder, const FolderFiles& files, const QString& user);
    void ConvertWork(const QString& folder, const FolderFiles& files, const FolderFiles& worksheetFiles,
        const TEP_Doc& document, const QString& user);

    const QString m_namesFolder;
    const UserSettings& m_oldSettings;
    const TEP_DocsNode& m_worksheets;
    MigrationReport& m_report;
    std::function<void()> m_changed;
};
