// Several PCs on one data root: pupils saving on the same worksheets at once,
// and the same pupil's work opened twice.
#include "JpegFixtures.h"
#include "TestFiles.h"
#include "documents/TEP_Doc.h"
#include "params/Param_Obj.h"
#include "report/DefinitionFile.h"
#include "report/TDPRptRect.h"

#include <QDir>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <memory>

class TestSeveralPcs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void pupilsSavingAtOnce();
    void sameWorkOpenedTwice();

private:
    QTemporaryDir m_root;
};

void TestSeveralPcs::initTestCase()
{
    for (int i = 1; i <= 5; ++i)
        QVERIFY(
            TestFiles::WriteBytes(m_root.filePath(QStringLiteral("Fiche %1.jpg").arg(i)), JpegFixtures::Jpeg(32, 32)));
}

void TestSeveralPcs::pupilsSavingAtOnce()
{
    const int seconds = qEnvironmentVariableIntValue("ARDOISINE_STRESS_SECONDS") > 0
        ? qEnvironmentVariableIntValue("ARDOISINE_STRESS_SECONDS")
        : 60;
    const QStringList users {"Paul", "Zoé", "Léa", "Hugo"};
    std::vector<std::unique_ptr<QProcess>> pcs;
    for (const QString& user : users) {
        pcs.push_back(std::make_unique<QProcess>());
        pcs.back()->start(ARDOISINE_STRESS, {"work", m_root.path(), user, QString::number(seconds)});
    }
    int saves = 0;
    for (auto& pc : pcs) {
        QVERIFY(pc->waitForFinished((seconds + 60) * 1000));
        QCOMPARE(pc->exitCode(), 0);
        saves += QString::fromUtf8(pc->readAllStandardOutput()).trimmed().toInt();
    }

    // Every work file is whole and holds only its own pupil's texts.
    int files = 0;
    for (int i = 1; i <= 5; ++i) {
        for (const QString& user : users) {
            const QString path = m_root.filePath(QStringLiteral("Fiche %1_%2.txt").arg(i).arg(user));
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
    QVERIFY(QDir(m_root.path()).entryList({"*.lock"}, QDir::Files).isEmpty());
}

void TestSeveralPcs::sameWorkOpenedTwice()
{
    QProcess holder;
    holder.start(ARDOISINE_STRESS, {"hold", m_root.path(), "Fiche 1", "Paul"});
    QVERIFY(holder.waitForReadyRead(30000));
    QCOMPARE(holder.readLine().trimmed(), QByteArray("open"));

    TEP_Doc second;
    QVERIFY(second.EPDoc_Init("Fiche 1", m_root.path()));
    QVERIFY(second.EPDoc_SetUser("Paul"));
    Outcome loaded = second.EPDoc_LoadForUse();
    QVERIFY(!loaded);
    QVERIFY(!second.IsLoaded());
    QVERIFY2(loaded.Messages().last().startsWith(
                 "Le travail de \"Paul\" sur la fiche \"Fiche 1\" est déjà ouvert sur le poste \""
                 + QSysInfo::machineHostName()),
        qPrintable(loaded.Text()));
    TEP_Doc other; // another pupil on the same worksheet is not held back
    QVERIFY(other.EPDoc_Init("Fiche 1", m_root.path()));
    QVERIFY(other.EPDoc_SetUser("Zoé"));
    QVERIFY(other.EPDoc_LoadForUse());

    // The first PC switched off: its lock is left, and taken over.
    ::kill(pid_t(holder.processId()), SIGKILL);
    holder.waitForFinished();
    QVERIFY(QFile::exists(m_root.filePath("Fiche 1_Paul.lock")));
    loaded = second.EPDoc_LoadForUse();
    QVERIFY2(loaded, qPrintable(loaded.Text()));
    second.EPDoc_Close();
    QVERIFY(!QFile::exists(m_root.filePath("Fiche 1_Paul.lock")));

    // A lock of another PC is taken over only once it is old.
    QVERIFY(TestFiles::WriteBytes(m_root.filePath("Fiche 1_Paul.lock"),
        "[LOCK]\r\nHOST=salle2-pc07\r\nPROCESS=1\r\nTOKEN=x\r\nSINCE=2026-12-10T08:00:00Z\r\n"));
    loaded = second.EPDoc_LoadForUse();
    QVERIFY(!loaded);
    QVERIFY(loaded.Text().contains("\"salle2-pc07\""));
    QFile lock(m_root.filePath("Fiche 1_Paul.lock"));
    QVERIFY(lock.open(QIODevice::ReadWrite));
    QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
    lock.close();
    QVERIFY(second.EPDoc_LoadForUse());
}

QTEST_MAIN(TestSeveralPcs)
#include "tst_severalpcs.moc"
