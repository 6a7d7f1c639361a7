// A conversion of older data stopped anywhere (a power cut, a crash, a PC
// switched off at start) and started again ends exactly as a conversion that
// was never stopped: nothing lost, nothing left half-way.
#include "OldDataRoot.h"
#include "params/SafeSave.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <signal.h>

namespace {

constexpr int StoppedOnPurpose = 3; // the tool's exit status when its test variable stops it
const char* const StopVariable = "ARDOISINE_TEST_MIGRATE_STOP_AFTER";

struct Run {
    int code = -1;
    bool crashed = false;
};

Run Migrate(const QString& root, int stopAfter = 0)
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (stopAfter > 0)
        environment.insert(StopVariable, QString::number(stopAfter));
    tool.setProcessEnvironment(environment);
    tool.start(QStringLiteral(ARDOISINE_TOOL), {"migrate", root});
    tool.waitForFinished(60000);
    return {tool.exitCode(), tool.exitStatus() == QProcess::CrashExit};
}

// The data root's files as the next start finds them, once it has cleared
// what a save killed half-way left (the program's own temporaries, cleared
// whatever their age here); the report names the root, which differs from
// one copy to the next.
QMap<QString, QByteArray> Result(const QString& root)
{
    SafeSave::RemoveStaleTemporaries(root, 0);
    QDirIterator folders(root, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (folders.hasNext())
        SafeSave::RemoveStaleTemporaries(folders.next(), 0);
    QMap<QString, QByteArray> files = OldDataRoot::Snapshot(root);
    const QString report = QStringLiteral("Transfert400.txt");
    if (files.contains(report))
        files[report].replace(root.toUtf8(), "<RACINE>");
    return files;
}

} // namespace

class TestMigrationStopped : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void stoppedAfterEachChange();
    void stoppedTwice_data();
    void stoppedTwice();
    void killedAtRandomMoments();

private:
    // A fresh copy of the old data root.
    QString Copy(QTemporaryDir& dir) const
    {
        const QString root = dir.filePath("racine");
        return OldDataRoot::CopyTree(m_fixture.path(), root) ? root : QString();
    }
    // Finishes a stopped conversion and compares with the one never stopped.
    void FinishAndCompare(const QString& root, const QString& what);

    QTemporaryDir m_fixture;
    QMap<QString, QByteArray> m_expected;
    int m_expectedCode = -1;
    qint64 m_duration = 0;
    int m_changes = 0;
};

void TestMigrationStopped::initTestCase()
{
    QVERIFY(OldDataRoot::BuildSchool(m_fixture.path(), "ARDOISINER"));
    QTemporaryDir dir;
    const QString root = Copy(dir);
    QElapsedTimer timer;
    timer.start();
    const Run run = Migrate(root);
    m_duration = timer.elapsed();
    QVERIFY(!run.crashed);
    m_expectedCode = run.code;
    QCOMPARE(m_expectedCode, 1); // a work file could not move: told by the status
    m_expected = Result(root);
    QVERIFY(m_expected.contains("Transfert400.txt"));
    QVERIFY(m_expected.contains("Documents/Fiches/Maths/Calcul_paul.txt"));
}

void TestMigrationStopped::FinishAndCompare(const QString& root, const QString& what)
{
    const Run finished = Migrate(root);
    QVERIFY(!finished.crashed);
    // A run stopped after its last change left nothing to convert (status 0).
    QVERIFY2(finished.code == m_expectedCode || finished.code == 0, qPrintable(what));
    const QMap<QString, QByteArray> result = Result(root);
    QVERIFY2(result == m_expected, qPrintable(what + ":\n" + OldDataRoot::Differences(m_expected, result)));
}

void TestMigrationStopped::stoppedAfterEachChange()
{
    // Every change the conversion makes on disk, one run stopped after each.
    for (int stop = 1;; ++stop) {
        QTemporaryDir dir;
        const QString root = Copy(dir);
        const Run stopped = Migrate(root, stop);
        QVERIFY(!stopped.crashed);
        if (stopped.code != StoppedOnPurpose) {
            QCOMPARE(stopped.code, m_expectedCode); // went to its end before the stop
            m_changes = stop - 1;
            break;
        }
        FinishAndCompare(root, QStringLiteral("stopped after change %1").arg(stop));
        if (QTest::currentTestFailed())
            return;
    }
    qInfo("%d changes on disk, a run stopped after each", m_changes);
    // The general file twice, the settings and work files, the folders
    // removed and made, the worksheets moved, the report.
    QVERIFY(m_changes >= 15);
}

void TestMigrationStopped::stoppedTwice_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    for (const int first : {1, 2, 6, 12})
        for (const int second : {1, 3})
            QTest::addRow("after %d, then %d", first, second) << first << second;
}

void TestMigrationStopped::stoppedTwice()
{
    QFETCH(int, first);
    QFETCH(int, second);
    QTemporaryDir dir;
    const QString root = Copy(dir);
    QCOMPARE(Migrate(root, first).code, StoppedOnPurpose);
    const Run again = Migrate(root, second);
    QVERIFY(again.code == StoppedOnPurpose || again.code == m_expectedCode);
    FinishAndCompare(root, QStringLiteral("stopped after %1, then %2").arg(first).arg(second));
}

void TestMigrationStopped::killedAtRandomMoments()
{
    // SIGKILL anywhere, inside a file's move or a save as well.
    QRandomGenerator random(20270127);
    const quint32 span = quint32(std::max<qint64>(m_duration, 5) * 1000);
    int killed = 0;
    for (int round = 1; round <= 24; ++round) {
        QTemporaryDir dir;
        const QString root = Copy(dir);
        QProcess tool;
        tool.start(QStringLiteral(ARDOISINE_TOOL), {"migrate", root});
        QVERIFY(tool.waitForStarted());
        QThread::usleep(random.bounded(span));
        ::kill(pid_t(tool.processId()), SIGKILL);
        tool.waitForFinished(60000);
        killed += tool.exitStatus() == QProcess::CrashExit;
        FinishAndCompare(root, QStringLiteral("killed in round %1").arg(round));
        if (QTest::currentTestFailed())
            return;
    }
    qInfo("%d of 24 runs killed before their end", killed);
}

QTEST_GUILESS_MAIN(TestMigrationStopped)
#include "tst_migrationstopped.moc"
