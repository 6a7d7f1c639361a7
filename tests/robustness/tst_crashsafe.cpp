// Saves cut short: a PC switched off (SIGKILL) in the middle of saving a
// work file leaves the old file or the complete new one, and a temporary
// left behind goes at the next start.
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
    const QString file = dir.filePath("Fiche_Paul.txt");
    QStringList lines {"[MAINRECT]", "TYPE=RECT", "RECT=2000,2829"};
    for (int i = 0; i < 40000; ++i)
        lines << QStringLiteral("CHILD=NEWIT_%1,%2,%3").arg(i).arg(i % 1900).arg(i % 2800);
    QVERIFY(TextFile::WriteLines(file, lines));

    // How long one save takes, to kill anywhere inside it.
    QElapsedTimer timer;
    timer.start();
    QProcess probe;
    probe.start(ARDOISINE_TOOL, {"param", "set", file, "MAINRECT", "MARK", "0"});
    QVERIFY(probe.waitForFinished(30000));
    const qint64 span = std::max<qint64>(timer.elapsed() * 3 / 2, 5);

    QRandomGenerator random(20261210);
    int killed = 0;
    int completed = 0;
    for (int round = 1; killed < 200 && round <= 1000; ++round) {
        const QByteArray before = TestFiles::ReadBytes(file);
        Param_Obj expected;
        expected.LoadFromLines(TextFile::DecodeLines(before));
        expected.PRWrite("MAINRECT", "MARK", QString::number(round));
        const QByteArray after = TextFile::EncodeLines(expected.Lines());

        QProcess save;
        save.start(ARDOISINE_TOOL, {"param", "set", file, "MAINRECT", "MARK", QString::number(round)});
        QVERIFY(save.waitForStarted());
        QThread::usleep(random.bounded(quint32(span * 1000)));
        ::kill(pid_t(save.processId()), SIGKILL);
        save.waitForFinished(30000);
        const bool wasKilled = save.exitStatus() == QProcess::CrashExit;
        killed += wasKilled;
        completed += !wasKilled;

        const QByteArray now = TestFiles::ReadBytes(file);
        QVERIFY2(now == before || now == after,
            qPrintable(QStringLiteral("round %1: a file of %2 bytes is neither the old nor the new one")
                           .arg(round)
                           .arg(now.size())));
    }
    qInfo("%d saves killed, %d finished first", killed, completed);
    QCOMPARE(killed, 200);
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
    make("Documents/Fiches/CM1/Fiche_Paul.txt.aB3dE9", true); // a save cut short on a share
    make("Documents/Noms/Paul.conf.Zz9y8X", true);
    make("Ardoisine.txt.qwErty", true);
    make("Documents/Fiches/CM1/Fiche_Léa.txt.k2J4m6", false); // another PC saving right now
    make("Documents/Fiches/CM1/notes.txt.backup", true); // not ours
    {
        TEP_Config config;
        QVERIFY(config.Initialise(root.path()));
    }
    QVERIFY(!QFile::exists(root.filePath("Documents/Fiches/CM1/Fiche_Paul.txt.aB3dE9")));
    QVERIFY(!QFile::exists(root.filePath("Documents/Noms/Paul.conf.Zz9y8X")));
    QVERIFY(!QFile::exists(root.filePath("Ardoisine.txt.qwErty")));
    QVERIFY(QFile::exists(root.filePath("Documents/Fiches/CM1/Fiche_Léa.txt.k2J4m6")));
    QVERIFY(QFile::exists(root.filePath("Documents/Fiches/CM1/notes.txt.backup")));
    QVERIFY(SafeSave::IsTemporaryName("Fiche 1_Zoé.txt.a1B2c3"));
    QVERIFY(!SafeSave::IsTemporaryName("Fiche.txt.a1B2c"));
    QVERIFY(!SafeSave::IsTemporaryName("rapport.txt.backup"));
}

QTEST_MAIN(TestCrashSafe)
#include "tst_crashsafe.moc"
