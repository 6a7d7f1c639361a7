// Locks on open work as PCs leave them: after a reboot, after a crash whose
// process number was reused, and on PCs cloned with the same host name.
#include "TestFiles.h"
#include "documents/WorkLock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A lock file as another program run would have left it.
QByteArray LockText(const QString& machine, const QString& boot, qint64 process, qint64 started,
    const QString& host = QSysInfo::machineHostName())
{
    QString text = QStringLiteral("[LOCK]\r\nTOKEN=someone-else\r\nSINCE=2026-12-10T08:00:00Z\r\nHOST=%1\r\n"
                                  "PROCESS=%2\r\n")
                       .arg(host)
                       .arg(process);
    if (!machine.isNull())
        text += QStringLiteral("MACHINE=%1\r\nBOOT=%2\r\nSTARTED=%3\r\n").arg(machine, boot).arg(started);
    return text.toUtf8();
}

} // namespace

class TestWorkLock : public QObject {
    Q_OBJECT

private slots:
    void identityOfThisMachine();
    void staleOrHeld_data();
    void staleOrHeld();
    void oldLockOfAnotherMachineIsTakenOver();
};

void TestWorkLock::identityOfThisMachine()
{
    if (WorkLock::MachineId().isEmpty() || WorkLock::BootId().isEmpty())
        QSKIP("this system tells neither its machine id nor its boot id");
    QCOMPARE(WorkLock::MachineId().size(), 32);
    const qint64 started = WorkLock::ProcessStartTime(QCoreApplication::applicationPid());
    QVERIFY(started > 0);
    QCOMPARE(WorkLock::ProcessStartTime(QCoreApplication::applicationPid()), started);
    QCOMPARE(WorkLock::ProcessStartTime(0), qint64(-1));

    // The lock names all of it.
    QTemporaryDir dir;
    WorkLock lock;
    QVERIFY(lock.Acquire(dir.filePath("Fiche_Paul.lock")));
    const QString text = QString::fromUtf8(TestFiles::ReadBytes(dir.filePath("Fiche_Paul.lock")));
    QVERIFY(text.contains("MACHINE=" + WorkLock::MachineId()));
    QVERIFY(text.contains("BOOT=" + WorkLock::BootId()));
    QVERIFY(text.contains(QStringLiteral("STARTED=%1").arg(started)));
}

void TestWorkLock::staleOrHeld_data()
{
    const QString machine = WorkLock::MachineId();
    const QString boot = WorkLock::BootId();
    const qint64 me = QCoreApplication::applicationPid();
    const qint64 started = WorkLock::ProcessStartTime(me);
    const QString otherMachine = QString(32, QLatin1Char('f'));
    // This test's own process stands for a live process of the holder.
    QTest::addColumn<QByteArray>("lock");
    QTest::addColumn<bool>("taken");
    QTest::newRow("this boot, process alive") << LockText(machine, boot, me, started) << false;
    QTest::newRow("earlier boot, process number alive again") << LockText(machine, "earlier-boot", me, started) << true;
    QTest::newRow("process number reused by another process") << LockText(machine, boot, me, started + 1) << true;
    QTest::newRow("process gone") << LockText(machine, boot, 999999999, 5) << true;
    QTest::newRow("cloned PC with the same host name") << LockText(otherMachine, "its-boot", me, started) << false;
    QTest::newRow("cloned PC, process number gone here") << LockText(otherMachine, "its-boot", 999999999, 5) << false;
    QTest::newRow("older version, this host, process gone") << LockText(QString(), QString(), 999999999, -1) << true;
    QTest::newRow("older version, this host, process alive") << LockText(QString(), QString(), me, -1) << false;
    QTest::newRow("older version, another host")
        << LockText(QString(), QString(), 999999999, -1, "salle2-pc07") << false;
}

void TestWorkLock::staleOrHeld()
{
    QFETCH(QByteArray, lock);
    QFETCH(bool, taken);
    if (WorkLock::MachineId().isEmpty() || WorkLock::BootId().isEmpty())
        QSKIP("this system tells neither its machine id nor its boot id");
    QTemporaryDir dir;
    const QString path = dir.filePath("Fiche_Paul.lock");
    QVERIFY(TestFiles::WriteBytes(path, lock));
    WorkLock mine;
    WorkLock::Holder holder;
    QCOMPARE(mine.Acquire(path, &holder), taken);
    if (!taken) {
        QCOMPARE(TestFiles::ReadBytes(path), lock); // left alone
        QVERIFY(!holder.host.isEmpty());
    }
}

void TestWorkLock::oldLockOfAnotherMachineIsTakenOver()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Fiche_Paul.lock");
    QVERIFY(TestFiles::WriteBytes(path, LockText(QString(32, QLatin1Char('f')), "its-boot", 1, 1)));
    WorkLock mine;
    QVERIFY(!mine.Acquire(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(
        QDateTime::currentDateTime().addSecs(-3600 * (WorkLock::StaleHours + 1)), QFileDevice::FileModificationTime));
    file.close();
    QVERIFY(mine.Acquire(path));
    mine.Release();
    QVERIFY(!QFile::exists(path));
}

QTEST_GUILESS_MAIN(TestWorkLock)
#include "tst_worklock.moc"
