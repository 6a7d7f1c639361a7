#pragma once

// Checks a data root must pass wherever it lives, on a local disk or on a
// network share: PCs switched off in the middle of a save, several PCs saving
// at once, and the same pupil's work opened twice. They report through the
// QTest macros; a caller stops when QTest::currentTestFailed().
#include "JpegFixtures.h"
#include "TestFiles.h"
#include "documents/TEP_Doc.h"
#include "params/Param_Obj.h"
#include "params/SafeSave.h"
#include "params/TextFile.h"
#include "report/DefinitionFile.h"
#include "report/TDPRptRect.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QTest>
#include <QThread>
#include <csignal>
#include <memory>
#include <vector>

namespace RobustnessChecks {

// ardoisine-tool saves a work file of `lines` lines again and again and is
// killed (SIGKILL, a PC switched off) at a random moment of each save: the
// file is always the old one or the complete new one.
inline void KilledSavesLoseNothing(const QString& tool, const QString& file, int kills, int lines)
{
    QStringList content {"[MAINRECT]", "TYPE=RECT", "RECT=2000,2829"};
    for (int i = 0; i < lines; ++i)
        content << QStringLiteral("CHILD=NEWIT_%1,%2,%3").arg(i).arg(i % 1900).arg(i % 2800);
    QVERIFY(TextFile::WriteLines(file, content));

    // How long one save takes, to kill anywhere inside it.
    QElapsedTimer timer;
    timer.start();
    QProcess probe;
    probe.start(tool, {"param", "set", file, "MAINRECT", "MARK", "0"});
    QVERIFY(probe.waitForFinished(30000));
    const qint64 span = std::max<qint64>(timer.elapsed() * 3 / 2, 5);

    QRandomGenerator random(20261210);
    int killed = 0;
    int completed = 0;
    for (int round = 1; killed < kills && round <= kills * 5; ++round) {
        const QByteArray before = TestFiles::ReadBytes(file);
        Param_Obj expected;
        expected.LoadFromLines(TextFile::DecodeLines(before));
        expected.PRWrite("MAINRECT", "MARK", QString::number(round));
        const QByteArray after = TextFile::EncodeLines(expected.Lines());

        QProcess save;
        save.start(tool, {"param", "set", file, "MAINRECT", "MARK", QString::number(round)});
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
    qInfo("%d saves killed, %d finished first (one save: %lld ms)", killed, completed, qint64(span * 2 / 3));
    QCOMPARE(killed, kills);
}

// Four pupils' PCs saving on the same five worksheets for `seconds`: every
// work file is whole and holds only its own pupil's texts, and no lock is
// left.
inline void PupilsSavingAtOnce(const QString& stress, const QString& root, int seconds)
{
    for (int i = 1; i <= 5; ++i)
        QVERIFY(TestFiles::WriteBytes(
            QDir(root).filePath(QStringLiteral("Fiche %1.jpg").arg(i)), JpegFixtures::Jpeg(32, 32)));
    const QStringList users {"Paul", "Zoé", "Léa", "Hugo"};
    std::vector<std::unique_ptr<QProcess>> pcs;
    for (const QString& user : users) {
        pcs.push_back(std::make_unique<QProcess>());
        pcs.back()->start(stress, {"work", root, user, QString::number(seconds)});
    }
    int saves = 0;
    for (auto& pc : pcs) {
        QVERIFY(pc->waitForFinished((seconds + 60) * 1000));
        QCOMPARE(pc->exitCode(), 0);
        saves += QString::fromUtf8(pc->readAllStandardOutput()).trimmed().toInt();
    }
    int files = 0;
    for (int i = 1; i <= 5; ++i) {
        for (const QString& user : users) {
            const QString path = QDir(root).filePath(QStringLiteral("Fiche %1_%2.txt").arg(i).arg(user));
            if (!QFile::exists(path))
                continue;
            ++files;
            Param_Obj work;
            QVERIFY(work.LoadFromFile(path));
            TDPRptRect tree;
            QVERIFY2(DPRpt_Load(&tree, "MAINRECT", work), qPrintable(path));
            QVERIFY(tree.ChildCount() > 1);
            for (int c = 1; c < tree.ChildCount(); ++c)
                QCOMPARE(tree.ChildAt(c)->GetValue().toString(), user);
        }
    }
    qInfo("%d processes, %d s: %d saves, %d work files, all whole and each its pupil's", int(users.size()), seconds,
        saves, files);
    QCOMPARE(files, 20);
    QVERIFY(saves > 20);
    QVERIFY(QDir(root).entryList({"*.lock"}, QDir::Files).isEmpty());
    // Nothing of a save is left behind either.
    QVERIFY(QDir(root).entryList({".*.tmp"}, QDir::Files | QDir::Hidden).isEmpty());
}

// "Fiche 1" held by Paul on another PC (a process of the stress driver): a
// second opening is refused with who holds it, another pupil is not held
// back, and the lock of a PC switched off is taken over.
inline void SameWorkOpenedTwice(const QString& stress, const QString& root)
{
    QVERIFY(TestFiles::WriteBytes(QDir(root).filePath("Fiche 1.jpg"), JpegFixtures::Jpeg(32, 32)));
    QProcess holder;
    holder.start(stress, {"hold", root, "Fiche 1", "Paul"});
    QVERIFY(holder.waitForReadyRead(30000));
    QCOMPARE(holder.readLine().trimmed(), QByteArray("open"));

    TEP_Doc second;
    QVERIFY(second.EPDoc_Init("Fiche 1", root));
    QVERIFY(second.EPDoc_SetUser("Paul"));
    Outcome loaded = second.EPDoc_LoadForUse();
    QVERIFY(!loaded);
    QVERIFY(!second.IsLoaded());
    QVERIFY2(loaded.Messages().last().startsWith(
                 "Le travail de \"Paul\" sur la fiche \"Fiche 1\" est déjà ouvert sur le poste \""
                 + QSysInfo::machineHostName()),
        qPrintable(loaded.Text()));
    TEP_Doc other; // another pupil on the same worksheet is not held back
    QVERIFY(other.EPDoc_Init("Fiche 1", root));
    QVERIFY(other.EPDoc_SetUser("Zoé"));
    QVERIFY(other.EPDoc_LoadForUse());

    // The first PC switched off: its lock is left, and taken over.
    ::kill(pid_t(holder.processId()), SIGKILL);
    holder.waitForFinished();
    const QString lock = QDir(root).filePath("Fiche 1_Paul.lock");
    QVERIFY(QFile::exists(lock));
    loaded = second.EPDoc_LoadForUse();
    QVERIFY2(loaded, qPrintable(loaded.Text()));
    second.EPDoc_Close();
    QVERIFY(!QFile::exists(lock));

    // A lock of another PC is taken over only once it is old.
    QVERIFY(TestFiles::WriteBytes(
        lock, "[LOCK]\r\nHOST=salle2-pc07\r\nPROCESS=1\r\nTOKEN=x\r\nSINCE=2026-12-10T08:00:00Z\r\n"));
    loaded = second.EPDoc_LoadForUse();
    QVERIFY(!loaded);
    QVERIFY(loaded.Text().contains("\"salle2-pc07\""));
    QFile file(lock);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
    file.close();
    QVERIFY(second.EPDoc_LoadForUse());
    second.EPDoc_Close();
}

} // namespace RobustnessChecks
