#pragma once

#include "MigrationReport.h"
#include "TEP_Config.h"

#include <QString>
#include <functional>
#include <memory>

class Messenger;
class Param_Obj;
class TEP_DocsNode;

// Brings a data root written by a version before 4.00 to the current
// layout: the general settings kept under an old heading of "Ardoisine.txt"
// go under "CONFIG", the users' folders of the names folder become settings
// files and work files beside the worksheets, and the binders of the
// general file become folders of the documents tree. Data already in the
// current form are left as they are, byte for byte.
//
// The general file is saved only when a stage is complete, and a stage
// started again redoes only what is left (a file already moved is not
// looked for again, a settings file already there is kept): a conversion
// stopped at any point (power cut, crash) finishes at the next start with
// nothing lost.
//
// The report says what was found and done. Given a messenger (the program's
// start), the conversion shows it too: the notice before the users' folders
// are converted, then its messages, then its lines in the text viewer.
// Without one (the admin tool) the caller shows it.
class DataMigration {
public:
    explicit DataMigration(const QString& dataRoot);
    ~DataMigration();
    DataMigration(const DataMigration&) = delete;
    DataMigration& operator=(const DataMigration&) = delete;

    // messenger: told, before the users' folders are converted, that the
    // data are brought up to date, and shown the report at the end (without
    // one, all of it is only in the returned report).
    MigrationReport Run(Messenger* messenger = nullptr);

    // Called after each change on disk (a file moved or written, a folder
    // made or removed): lets a test stop the run at any of them.
    std::function<void()> AfterEachChange;

    static inline const QString GeneralFileName = QStringLiteral("Ardoisine.txt");
    // The old headings of the general settings, by version.
    static inline const QString Version200Heading = QStringLiteral("ARDOISINER");
    static inline const QString Version205Heading = QStringLiteral("ARDOISINE");

private:
    void Convert(Messenger* messenger);
    void Show(Messenger& messenger) const;
    bool ConvertGeneralSettings(Param_Obj& general, const QString& heading, const QString& path);
    void ConvertUserData(Param_Obj& general, const QString& path, Messenger* messenger);
    void SaveReport();
    void GeneralFileFailed(const QString& path);
    void Changed();

    TEP_Config m_scratch; // the old settings, read with the current rules
    std::unique_ptr<TEP_DocsNode> m_tree;
    MigrationReport m_report;
};
