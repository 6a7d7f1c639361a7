#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

struct MigrationReport;

// The administrators' command line: reads, changes and checks the stored
// files without the program. Results go to standard output in UTF-8,
// French messages to standard error.
class AdminTool {
public:
    enum ExitCode { Success = 0, Failure = 1, BadUsage = 2, StoppedOnPurpose = 3 };
    // For the tests of a conversion stopped half-way: the number of changes
    // on disk after which `migrate` ends at once, as a power cut would.
    static inline const char* const MigrateStopVariable = "ARDOISINE_TEST_MIGRATE_STOP_AFTER";

    AdminTool(QTextStream& out, QTextStream& err);
    // arguments without the program name.
    int Run(const QStringList& arguments);

    static QString HelpText();

private:
    int RunParam(const QStringList& arguments);
    int RunDefinition(const QStringList& arguments);
    int RunRender(const QStringList& arguments);
    int RunImage(const QStringList& arguments);
    int RunExport(const QStringList& arguments);
    int RunExportPdf(const QStringList& arguments);
    int RunTree(const QStringList& arguments);
    int RunUsers(const QStringList& arguments);
    int RunInit(const QStringList& arguments);
    void TellChangedValue(const QString& given, const QString& stored);
    int RunMigrate(const QStringList& arguments);
    // Prints what a conversion of older data did; true when it went without
    // error.
    bool PrintMigration(const MigrationReport& report, const QString& dataRoot);
    int RunDemo(const QStringList& arguments);
    int Usage(const QString& problem);
    int Fail(const QString& message);

    QTextStream& m_out;
    QTextStream& m_err;
};
