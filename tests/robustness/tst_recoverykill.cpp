// A pupil's PC switched off at the wall while typing: the helper types into
// the real editor and is killed with SIGKILL at random moments. At the next
// opening the work file is whole, and the recovered work holds every
// character typed longer ago than the copy's delay.
#include "FakeClock.h"
#include "JpegFixtures.h"
#include "TestFiles.h"
#include "documents/RecoveryJournal.h"
#include "documents/ScriptedMessenger.h"
#include "documents/TEP_Doc.h"
#include "params/Param_Obj.h"
#include "report/DefinitionFile.h"
#include "report/TDPRptRect.h"
#include "report/TDPRptText.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <signal.h>

namespace {

// What was typed by then: the helper's sentence over and over.
QString Typed(int count)
{
    const QString sentence = QStringLiteral("Le petit chat dort sur le lit.");
    QString text;
    for (int index = 0; index < count; ++index)
        text += sentence[index % sentence.size()];
    return text;
}

// The text items' texts in the order they were made ("NEWIT_<n>").
QString TextsInOrder(const TDPRptItem& root)
{
    QList<QPair<int, QString>> texts;
    for (int index = 0; index < root.ChildCount(); ++index) {
        const auto* text = dynamic_cast<const TDPRptText*>(root.ChildAt(index));
        if (text && root.ChildName(index).startsWith(QLatin1String("NEWIT_")))
            texts << qMakePair(root.ChildName(index).mid(6).toInt(), text->Value);
    }
    std::sort(texts.begin(), texts.end());
    QString all;
    for (const auto& text : std::as_const(texts))
        all += text.second;
    return all;
}

struct Report {
    int typed = 0;
    qint64 at = 0;
};

} // namespace

class TestRecoveryKill : public QObject {
    Q_OBJECT

private slots:
    void killedWhileTyping();
};

void TestRecoveryKill::killedWhileTyping()
{
    QRandomGenerator random(20261210);
    int recoveredRounds = 0;
    for (int round = 0; round < 4; ++round) {
        const QTemporaryDir root;
        const QString folder = root.path() + QStringLiteral("/Documents/Fiches/Lecture");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(TestFiles::WriteBytes(folder + QStringLiteral("/page1.jpg"), JpegFixtures::Jpeg(210, 297, 25)));

        QProcess helper;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        helper.setProcessEnvironment(environment);
        helper.start(QStringLiteral(ARDOISINE_RECOVERY_EDITOR), {root.path(), QStringLiteral("page1")});
        QVERIFY(helper.waitForStarted());
        QVERIFY2(helper.waitForReadyRead(30000), helper.readAllStandardError().constData());
        QCOMPARE(helper.readLine().trimmed(), QByteArray("ready"));
        // Anywhere in the typing: inside a save, between two copies, …
        QTest::qWait(1000 + int(random.bounded(4000)));
        ::kill(pid_t(helper.processId()), SIGKILL);
        QVERIFY(helper.waitForFinished(10000));
        QCOMPARE(helper.exitStatus(), QProcess::CrashExit);
        QList<Report> reports;
        for (const QByteArray& line : helper.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> fields = line.trimmed().split(' ');
            if (fields.size() == 2)
                reports << Report {fields[0].toInt(), fields[1].toLongLong()};
        }
        QVERIFY2(!reports.isEmpty(), helper.readAllStandardError().constData());
        // Characters typed long enough before the helper was last seen
        // running are in the copy (the helper's loop ran the copy's timer
        // meanwhile).
        const qint64 lastSeen = reports.last().at;
        int mustHave = 0;
        for (const Report& report : std::as_const(reports))
            if (report.at + RecoveryJournal::LatestMs + RecoveryJournal::TickMs <= lastSeen)
                mustHave = report.typed;
        const QString typed = Typed(reports.last().typed);

        // The work file, when written, is whole: it loads, and holds a
        // beginning of what was typed.
        const QString work = folder + QStringLiteral("/page1_XXXX.txt");
        if (QFileInfo::exists(work)) {
            Param_Obj file;
            QVERIFY(file.LoadFromFile(work));
            TDPRptRect tree;
            QVERIFY2(DPRpt_Load(&tree, QStringLiteral("MAINRECT"), file), qPrintable(QString::number(round)));
            QVERIFY(typed.startsWith(TextsInOrder(tree)));
        }

        // The next opening, "Oui" to the question.
        TEP_Doc doc;
        QVERIFY(doc.EPDoc_Init(QStringLiteral("page1"), folder));
        QVERIFY(doc.EPDoc_SetUser(QStringLiteral("XXXX")));
        const Outcome loaded = doc.EPDoc_LoadForUse();
        QVERIFY2(loaded, qPrintable(loaded.Text()));
        ScriptedMessenger messenger;
        messenger.YesNoAnswers << true;
        FakeClock clock;
        RecoveryJournal journal(clock);
        const Outcome offered = journal.Offer(doc, messenger);
        QVERIFY2(offered && !offered.HasMessages(), qPrintable(offered.Text()));
        const QString recovered = TextsInOrder(*doc.Tree());
        QVERIFY2(typed.startsWith(recovered),
            qPrintable(QStringLiteral("round %1: \"%2\" is not what was typed").arg(round).arg(recovered)));
        QVERIFY2(recovered.size() >= mustHave,
            qPrintable(QStringLiteral("round %1: %2 characters recovered, %3 typed more than %4 ms before the end")
                           .arg(round)
                           .arg(recovered.size())
                           .arg(mustHave)
                           .arg(RecoveryJournal::LatestMs)));
        recoveredRounds += messenger.Asked.size();
        qInfo("round %d: %d typed, %d older than the delay, %lld recovered, question %s", round, reports.last().typed,
            mustHave, qlonglong(recovered.size()), messenger.Asked.isEmpty() ? "no" : "yes");
    }
    // Most kills leave unsaved typing behind, which the question brings back.
    QVERIFY(recoveredRounds > 0);
}

QTEST_GUILESS_MAIN(TestRecoveryKill)
#include "tst_recoverykill.moc"
