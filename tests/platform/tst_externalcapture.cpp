// The external capture program "ADCap_32.exe", played by small shell
// scripts of the tests' own: its page, its cancellation, its errors, and a
// program that ends without a word.
#include "FakeClock.h"
#include "TestFiles.h"
#include "platform/ExternalCapture.h"
#include "platform/SteadyClock.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

constexpr int ProcessWait = 20000; // ms for a real process to end

} // namespace

class TestExternalCapture : public QObject {
    Q_OBJECT

private slots:
    void init();
    void findsTheProgram();
    void page_data();
    void page();
    void answers_data();
    void answers();
    void pollsWhileRunningAndReadsAfterExit();
    void timerDrivesThePolls();
    void earlierFilesAreRemovedFirst();
    void programThatCannotStart();
    void cancelStopsTheProgram();

private:
    QString Path(const QString& name) const { return m_root->filePath(name); }
    void InstallProgram(const QByteArray& script, const QString& name = ExternalCapture::ProgramName());
    ScanResult Run(ExternalCapture& capture);

    std::unique_ptr<QTemporaryDir> m_root;
    FakeClock m_clock;
};

void TestExternalCapture::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
}

void TestExternalCapture::InstallProgram(const QByteArray& script, const QString& name)
{
    QVERIFY(TestFiles::WriteBytes(Path(name), "#!/bin/sh\n" + script));
    QVERIFY(QFile::setPermissions(Path(name), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

ScanResult TestExternalCapture::Run(ExternalCapture& capture)
{
    QSignalSpy finished(&capture, &ExternalCapture::Finished);
    QString error;
    if (!capture.Start(&error))
        return ScanResult::Failure(QStringLiteral("not started: ") + error);
    if (!finished.wait(ProcessWait))
        return ScanResult::Failure(QStringLiteral("no answer"));
    return finished.first().first().value<ScanResult>();
}

void TestExternalCapture::findsTheProgram()
{
    QCOMPARE(ExternalCapture::FindProgram(m_root->path()), QString());
    // A file that cannot run, or a folder of that name, is no program.
    QVERIFY(TestFiles::WriteBytes(Path("ADCap_32.exe"), "MZ"));
    QCOMPARE(ExternalCapture::FindProgram(m_root->path()), QString());
    QVERIFY(QFile::remove(Path("ADCap_32.exe")));
    QVERIFY(QDir(m_root->path()).mkdir("ADCap_32.exe"));
    QCOMPARE(ExternalCapture::FindProgram(m_root->path()), QString());
    // Letter case does not matter, as on the Windows PCs sharing the root.
    InstallProgram("exit 0\n", QStringLiteral("adcap_32.EXE"));
    QCOMPARE(ExternalCapture::FindProgram(m_root->path()), Path("adcap_32.EXE"));
}

void TestExternalCapture::page_data()
{
    QTest::addColumn<qint32>("pixelsPerMetre");
    QTest::addColumn<int>("resolution");
    QTest::newRow("300 dpi") << 11811 << 300;
    QTest::newRow("600 dpi") << 23622 << 600;
    QTest::newRow("2400 dpi, past 16 bits") << 94488 << 2400;
    QTest::newRow("none given: 300 dpi") << 0 << 300;
}

void TestExternalCapture::page()
{
    QFETCH(qint32, pixelsPerMetre);
    QFETCH(int, resolution);
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(qRgb(200, 30, 40));
    QVERIFY(picture.save(Path("fixture.bmp"), "BMP"));
    QByteArray bytes = TestFiles::ReadBytes(Path("fixture.bmp"));
    const qint32 littleEndian = qToLittleEndian(pixelsPerMetre);
    bytes.replace(38, 4, QByteArray(reinterpret_cast<const char*>(&littleEndian), 4));
    QVERIFY(TestFiles::WriteBytes(Path("fixture.bmp"), bytes));
    // The page path is the only argument, and the data root the working
    // folder (the fixture is copied by its bare name).
    InstallProgram("[ $# -eq 1 ] || exit 3\n"
                   "[ \"$1\" = \"$PWD/\\$tempbmp\\$.bmp\" ] || exit 4\n"
                   "cp fixture.bmp \"$1\"\n");

    ExternalCapture capture(m_root->path(), m_clock);
    const ScanResult result = Run(capture);
    QVERIFY2(result.IsPage(), qPrintable(result.message));
    QCOMPARE(result.image.size(), QSize(40, 30));
    QCOMPARE(result.image.pixel(5, 5), qRgb(200, 30, 40));
    QCOMPARE(result.horizontalResolution, resolution);
    QCOMPARE(result.verticalResolution, resolution);
    QVERIFY(!capture.IsRunning());
}

void TestExternalCapture::answers_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("message");
    const int cancelled = int(ScanResult::Outcome::Cancelled);
    const int failed = int(ScanResult::Outcome::Failed);
    QTest::newRow("CANCELLED") << QByteArray("printf 'CANCELLED\\r\\n' > ADCapErrors.txt\n") << cancelled << QString();
    QTest::newRow("TWRC_CANCEL") << QByteArray("printf 'TWRC_CANCEL\\n' > ADCapErrors.txt\n") << cancelled << QString();
    // Windows-1252 text, as the program writes it.
    QTest::newRow("errors") << QByteArray(
        "printf 'Papier coinc\\351\\r\\nR\\351essayez\\r\\n\\r\\n' > ADCapErrors.txt\n")
                            << failed << QStringLiteral("Erreur de la numérisation.\nPapier coincé\nRéessayez");
    QTest::newRow("errors win over a page")
        << QByteArray("printf 'Source ferm\\351e' > ADCapErrors.txt\nprintf 'BM' > \"$1\"\n") << failed
        << QStringLiteral("Erreur de la numérisation.\nSource fermée");
    QTest::newRow("unreadable page") << QByteArray("printf 'BM1234' > \"$1\"\n") << failed
                                     << QStringLiteral("Erreur de la numérisation.\nLe fichier %1 n'est pas une image "
                                                       "lisible.");
    // The wait would never end: the program's end ends it, with a word.
    QTest::newRow("nothing written")
        << QByteArray("exit 0\n") << int(ScanResult::Outcome::NoPage)
        << QStringLiteral("Le programme de numérisation externe \"ADCap_32.exe\" s'est terminé sans fournir de page.");
    QTest::newRow("crash without a word")
        << QByteArray("kill -9 $$\n") << int(ScanResult::Outcome::NoPage)
        << QStringLiteral("Le programme de numérisation externe \"ADCap_32.exe\" s'est terminé sans fournir de page.");
}

void TestExternalCapture::answers()
{
    QFETCH(QByteArray, script);
    QFETCH(int, outcome);
    QFETCH(QString, message);
    InstallProgram(script);
    ExternalCapture capture(m_root->path(), m_clock);
    const ScanResult result = Run(capture);
    QCOMPARE(int(result.outcome), outcome);
    if (message.contains(QLatin1String("%1")))
        message = message.arg('"' + Path(ExternalCapture::BitmapName()) + '"');
    QCOMPARE(result.message, message);
    QVERIFY(result.image.isNull());
}

void TestExternalCapture::pollsWhileRunningAndReadsAfterExit()
{
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QVERIFY(picture.save(Path("fixture.bmp"), "BMP"));
    // The page is there long before the program ends.
    InstallProgram("cp fixture.bmp \"$1\"\nwhile [ ! -f go ]; do sleep 0.02; done\n");
    ExternalCapture capture(m_root->path(), m_clock);
    QSignalSpy waiting(&capture, &ExternalCapture::Waiting);
    QSignalSpy finished(&capture, &ExternalCapture::Finished);
    QVERIFY(capture.Start());
    QVERIFY(capture.IsRunning());

    QString error;
    QVERIFY(!capture.Start(&error));
    QCOMPARE(error, QStringLiteral("Une numérisation est déjà en cours."));

    QTRY_VERIFY(QFile::exists(Path(ExternalCapture::BitmapName())));
    capture.Poll();
    m_clock.Advance(ExternalCapture::PollInterval - 1);
    capture.Poll();
    QCOMPARE(waiting.count(), 0);
    m_clock.Advance(1);
    capture.Poll();
    QCOMPARE(waiting.count(), 1);
    capture.Poll();
    QCOMPARE(waiting.count(), 1);
    m_clock.Advance(ExternalCapture::PollInterval);
    capture.Poll();
    QCOMPARE(waiting.count(), 2);
    QCOMPARE(finished.count(), 0); // the page is only read once the program has ended

    QVERIFY(TestFiles::WriteBytes(Path("go"), ""));
    QVERIFY(finished.wait(ProcessWait));
    QVERIFY(finished.first().first().value<ScanResult>().IsPage());
    QVERIFY(!capture.IsRunning());
    // Polling stopped with the program.
    m_clock.Advance(10 * ExternalCapture::PollInterval);
    capture.Poll();
    QCOMPARE(waiting.count(), 2);
    QCOMPARE(finished.count(), 1);

    // A new start is allowed again, and the old page goes first.
    QVERIFY(QFile::remove(Path("fixture.bmp")));
    finished.clear();
    QVERIFY(capture.Start());
    QVERIFY(finished.wait(ProcessWait));
    QCOMPARE(finished.first().first().value<ScanResult>().outcome, ScanResult::Outcome::NoPage);
}

void TestExternalCapture::timerDrivesThePolls()
{
    // With the machine's clock the program's own timer makes the looks.
    InstallProgram("while [ ! -f go ]; do sleep 0.02; done\n");
    const SteadyClock clock;
    ExternalCapture capture(m_root->path(), clock);
    QSignalSpy waiting(&capture, &ExternalCapture::Waiting);
    QSignalSpy finished(&capture, &ExternalCapture::Finished);
    QVERIFY(capture.Start());
    QVERIFY(waiting.wait(ProcessWait));
    QVERIFY(TestFiles::WriteBytes(Path("go"), ""));
    QVERIFY(finished.wait(ProcessWait));
    QCOMPARE(finished.first().first().value<ScanResult>().outcome, ScanResult::Outcome::NoPage);
}

void TestExternalCapture::earlierFilesAreRemovedFirst()
{
    QImage stale(4, 4, QImage::Format_RGB32);
    stale.fill(Qt::red);
    QVERIFY(stale.save(Path(ExternalCapture::BitmapName()), "BMP"));
    QVERIFY(TestFiles::WriteBytes(Path(ExternalCapture::ErrorsName()), "Ancienne erreur\r\n"));
    InstallProgram("[ -e \"$1\" ] && exit 5\n[ -e ADCapErrors.txt ] && exit 6\nexit 0\n");
    ExternalCapture capture(m_root->path(), m_clock);
    const ScanResult result = Run(capture);
    QCOMPARE(result.outcome, ScanResult::Outcome::NoPage);
    QVERIFY(!QFile::exists(Path(ExternalCapture::BitmapName())));
}

void TestExternalCapture::programThatCannotStart()
{
    // Executable, but neither a script nor a Linux program.
    QVERIFY(TestFiles::WriteBytes(Path("ADCap_32.exe"), QByteArray("MZ\x90\x00\x03", 5)));
    QVERIFY(QFile::setPermissions(Path("ADCap_32.exe"), QFile::ReadOwner | QFile::ExeOwner));
    ExternalCapture capture(m_root->path(), m_clock);
    QString error;
    QVERIFY(!capture.Start(&error));
    QCOMPARE(error, QStringLiteral("Erreur lors de l'exécution de la procedure de scan externe."));
    QVERIFY(!capture.IsRunning());
    // No program at all in the root.
    QVERIFY(QFile::remove(Path("ADCap_32.exe")));
    QVERIFY(!capture.Start(&error));
    QCOMPARE(error, QStringLiteral("Erreur lors de l'exécution de la procedure de scan externe."));
}

void TestExternalCapture::cancelStopsTheProgram()
{
    InstallProgram("exec sleep 60\n");
    ExternalCapture capture(m_root->path(), m_clock);
    QSignalSpy finished(&capture, &ExternalCapture::Finished);
    QVERIFY(capture.Start());
    capture.Cancel();
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().value<ScanResult>().outcome, ScanResult::Outcome::Cancelled);
    QVERIFY(!capture.IsRunning());
    QCoreApplication::processEvents(); // a late end of the killed program changes nothing
    QCOMPARE(finished.count(), 1);
}

QTEST_MAIN(TestExternalCapture)
#include "tst_externalcapture.moc"
