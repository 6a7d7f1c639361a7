// Saves cut short: a PC switched off (SIGKILL) in the middle of saving a
// work file leaves the old file or the complete new one, and a temporary
// left behind goes at the next start.
#include "RobustnessChecks.h"
#include "TestFiles.h"
#include "config/TEP_Config.h"
#include "params/Param_Obj.h"
#include "params/SafeSave.h"
#include "params/TextFile.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <csignal>

class TestCrashSafe : public QObject {
    Q_OBJECT

private slots:
    void killedSavesLoseNothing();
    void staleTemporariesGoAtStart();
};

void TestCrashSafe::killedSavesLoseNothing()
{
    QTemporaryDir dir;
    RobustnessChecks::KilledSavesLoseNothing(ARDOISINE_TOOL, dir.filePath("Fiche_Paul.txt"), 200, 40000);
}

void TestCrashSafe::staleTemporariesGoAtStart()
{
    QTemporaryDir root;
    QDir(root.path()).mkpath("Documents/Fiches/CM1");
    QDir(root.path()).mkpath("Documents/Noms");
    const QDateTime old = QDateTime::currentDateTime().addSecs(-3600);
    const auto make = [&](const QString& name, bool stale) {
        QFile file(root.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("partial");
        file.flush(); // before the time is set, or closing would set it again
        if (stale)
            QVERIFY(file.setFileTime(old, QFileDevice::FileModificationTime));
    };
    // Saves cut short, the program's own temporaries.
    const QString cm1 = "Documents/Fiches/CM1/";
    const QString cut = cm1 + SafeSave::TemporaryNameFor("Fiche_Paul.txt");
    const QString settings = "Documents/Noms/" + SafeSave::TemporaryNameFor("Paul.conf");
    const QString general = SafeSave::TemporaryNameFor("Ardoisine.txt");
    const QString underWay = cm1 + SafeSave::TemporaryNameFor("Fiche_Léa.txt"); // another PC saving right now
    for (const QString& name : {cut, settings, general})
        make(name, true);
    make(underWay, false);
    // Files people named, however much they look like temporaries: never ours.
    const QStringList named {cm1 + "Fiche.jpg.ANCIEN", "Documents/Noms/paul.conf.Copie1", cm1 + "notes.txt.backup",
        cm1 + "Fiche_Paul.txt.aB3dE9", cm1 + ".Fiche_Paul.txt.ardoisine-ABCDEFGH.tmp",
        cm1 + ".Fiche_Paul.txt.ardoisine-abc.tmp", cm1 + "Fiche_Paul.txt.ardoisine-abcdefgh.tmp",
        cm1 + ".Fiche_Paul.txt.ardoisine-abcdefgh.tmp.old"};
    for (const QString& name : named)
        make(name, true);
    {
        TEP_Config config;
        QVERIFY(config.Initialise(root.path()));
    }
    for (const QString& name : {cut, settings, general})
        QVERIFY2(!QFile::exists(root.filePath(name)), qPrintable(name));
    QVERIFY(QFile::exists(root.filePath(underWay)));
    for (const QString& name : named)
        QVERIFY2(QFile::exists(root.filePath(name)), qPrintable(name));
}

QTEST_MAIN(TestCrashSafe)
#include "tst_crashsafe.moc"
