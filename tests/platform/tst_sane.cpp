// Scanning through SANE with its "test" backend (a private configuration),
// and the picture built from the frames a device sends.
#include "TestFiles.h"
#include "documents/JpegHeader.h"
#include "documents/TEP_Doc.h"
#include "platform/SaneImageBuilder.h"
#include "platform/SaneLibrary.h"
#include "platform/SaneScanner.h"

#include <QElapsedTimer>
#include <QImageReader>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstring>

class TestSane : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void missingLibrary();
    void listsDevices();
    void acquiresAPage_data();
    void acquiresAPage();
    void handScannerHeightComesAtTheEnd();
    void oneBitColour();
    void deviceErrorIsReported();
    void cancelStopsASlowScan();
    void scannedPageBecomesAWorksheet();
    void builderFormats();
    void builderRefusals();

private:
    // Writes the test backend's configuration: an A4 page at 300 dpi in
    // colour pattern, the mode left at grey so that choosing colour shows.
    void Configure(const QStringList& extraLines = {});
    ScanResult Acquire(const QStringList& extraLines = {});

    QTemporaryDir m_config;
    QTemporaryDir m_work;
};

void TestSane::initTestCase()
{
    QVERIFY(m_config.isValid());
    qputenv("SANE_CONFIG_DIR", m_config.path().toLocal8Bit());
    QVERIFY(TestFiles::WriteBytes(m_config.filePath("dll.conf"), "test\n"));
    SaneLibrary library;
    if (!library.Load())
        QSKIP("libsane is not installed (scripts/install-deps installs it)");
}

void TestSane::Configure(const QStringList& extraLines)
{
    QStringList lines {"number_of_devices 2", "mode Gray", "depth 8", "resolution 300",
        "test-picture \"Color pattern\"", "geometry_max 300.0", "tl_x 0.0", "tl_y 0.0", "br_x 210.0", "br_y 297.0"};
    lines += extraLines; // later lines win
    QVERIFY(TestFiles::WriteBytes(m_config.filePath("test.conf"), lines.join('\n').toLatin1() + '\n'));
}

ScanResult TestSane::Acquire(const QStringList& extraLines)
{
    Configure(extraLines);
    SaneScanner scanner;
    QSignalSpy finished(&scanner, &Scanner::Finished);
    if (!scanner.Acquire(QStringLiteral("test:0")))
        return ScanResult::Failure(QStringLiteral("refused"));
    if (!finished.wait(60000))
        return ScanResult::Failure(QStringLiteral("no answer"));
    return finished.first().first().value<ScanResult>();
}

void TestSane::missingLibrary()
{
    SaneScanner scanner(nullptr, QStringLiteral("sane-not-installed"));
    QString message;
    QVERIFY(!scanner.IsAvailable(&message));
    QCOMPARE(message, QStringLiteral("La librairie SANE n'est pas installée sur votre ordinateur."));
    QVERIFY(!scanner.ListDevices());
    QVERIFY(!scanner.Acquire(QStringLiteral("test:0")));
    QVERIFY(!scanner.IsBusy());
}

void TestSane::listsDevices()
{
    Configure();
    SaneScanner scanner;
    QVERIFY(scanner.IsAvailable());
    QSignalSpy listed(&scanner, &Scanner::DevicesListed);
    QVERIFY(scanner.ListDevices());
    QVERIFY(scanner.IsBusy());
    QVERIFY(!scanner.Acquire(QStringLiteral("test:0"))); // one thing at a time
    QVERIFY(listed.wait(20000));
    QVERIFY(!scanner.IsBusy());
    const auto devices = listed.first().at(0).value<QList<ScannerDevice>>();
    QCOMPARE(listed.first().at(1).toString(), QString());
    QCOMPARE(devices.size(), 2);
    QCOMPARE(devices[0].name, QStringLiteral("test:0"));
    QCOMPARE(devices[1].name, QStringLiteral("test:1"));
    QCOMPARE(devices[0].Label(), QStringLiteral("Noname frontend-tester (virtual device)"));
}

void TestSane::acquiresAPage_data()
{
    QTest::addColumn<QStringList>("config");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("resolution");
    QTest::addColumn<bool>("sameAsPlain"); // the small page sent another way gives the same picture
    const QStringList small {"resolution 75", "br_x 80.0", "br_y 100.0"};
    QTest::newRow("A4 at 300 dpi") << QStringList() << QSize(2480, 3507) << 300 << false;
    QTest::newRow("small page at 75 dpi") << small << QSize(236, 295) << 75 << true;
    QTest::newRow("three passes") << small + QStringList {"three-pass true"} << QSize(236, 295) << 75 << true;
    QTest::newRow("small reads") << small + QStringList {"read-limit true", "read-limit-size 1000"} << QSize(236, 295)
                                 << 75 << true;
    // Lines with pixels the device wastes at their end.
    QTest::newRow("padded lines") << small + QStringList {"ppl-loss 7"} << QSize(229, 295) << 75 << false;
    // The backend draws another pattern at 16 bits.
    QTest::newRow("16 bits a sample") << small + QStringList {"depth 16"} << QSize(236, 295) << 75 << false;
}

void TestSane::acquiresAPage()
{
    QFETCH(QStringList, config);
    QFETCH(QSize, size);
    QFETCH(int, resolution);
    QFETCH(bool, sameAsPlain);
    const ScanResult result = Acquire(config);
    QVERIFY2(result.IsPage(), qPrintable(result.message));
    QCOMPARE(result.image.size(), size);
    QCOMPARE(result.image.format(), QImage::Format_RGB32);
    QCOMPARE(result.horizontalResolution, resolution);
    QCOMPARE(result.verticalResolution, resolution);
    // Colour was chosen although the device started in grey: the pattern
    // has coloured pixels.
    bool coloured = false;
    for (int y = 0; y < size.height() && !coloured; y += 7)
        for (int x = 0; x < size.width() && !coloured; x += 3) {
            const QRgb pixel = result.image.pixel(x, y);
            coloured = qRed(pixel) != qGreen(pixel) || qGreen(pixel) != qBlue(pixel);
        }
    QVERIFY(coloured);
    static QImage plain;
    if (sameAsPlain) {
        if (plain.isNull())
            plain = result.image;
        QCOMPARE(result.image, plain);
    }
}

void TestSane::handScannerHeightComesAtTheEnd()
{
    const ScanResult result = Acquire({"resolution 100", "hand-scanner true"});
    QVERIFY2(result.IsPage(), qPrintable(result.message));
    QCOMPARE(result.image.width(), 433); // 11 cm at 100 dpi
    QVERIFY(result.image.height() > 512); // more than one growth step
    QCOMPARE(result.horizontalResolution, 100);
}

void TestSane::oneBitColour()
{
    for (const auto& [picture, colour] :
        {std::pair {"Solid white", qRgb(255, 255, 255)}, {"Solid black", qRgb(0, 0, 0)}}) {
        const ScanResult result
            = Acquire({"resolution 50", "depth 1", QStringLiteral("test-picture \"%1\"").arg(picture)});
        QVERIFY2(result.IsPage(), qPrintable(result.message));
        QCOMPARE(result.image.pixel(3, 3), colour);
        QCOMPARE(result.image.pixel(result.image.width() - 1, result.image.height() - 1), colour);
    }
}

void TestSane::deviceErrorIsReported()
{
    const ScanResult result = Acquire({"resolution 75", "read-status-code \"SANE_STATUS_JAMMED\""});
    QCOMPARE(result.outcome, ScanResult::Outcome::Failed);
    QCOMPARE(
        result.message, QStringLiteral("La numérisation s'est interrompue : le papier est coincé dans le scanner."));
}

void TestSane::cancelStopsASlowScan()
{
    // 1 KB a read with a 100 ms pause: the A4 page would take hours.
    Configure({"read-limit true", "read-limit-size 1024", "read-delay true", "read-delay-duration 100000"});
    SaneScanner scanner;
    QSignalSpy finished(&scanner, &Scanner::Finished);
    int ticks = 0;
    QTimer window; // stands for the window's own timers
    connect(&window, &QTimer::timeout, [&] {
        if (++ticks == 20)
            scanner.Cancel();
    });
    window.start(10);
    QElapsedTimer elapsed;
    elapsed.start();
    QVERIFY(scanner.Acquire(QStringLiteral("test:0")));
    QVERIFY(finished.wait(20000));
    QCOMPARE(finished.first().first().value<ScanResult>().outcome, ScanResult::Outcome::Cancelled);
    QVERIFY(ticks >= 20); // the thread of the window ran all along
    QVERIFY(!scanner.IsBusy());
    QVERIFY(elapsed.elapsed() < 20000);
}

void TestSane::scannedPageBecomesAWorksheet()
{
    const ScanResult result = Acquire();
    QVERIFY2(result.IsPage(), qPrintable(result.message));
    TEP_Doc document;
    const Outcome created = document.EPDoc_CreateFromPicture(
        QStringLiteral("Scan 1"), m_work.path(), result.horizontalResolution, result.verticalResolution, result.image);
    QVERIFY2(created, qPrintable(created.Text()));
    const QString file = m_work.filePath(QStringLiteral("Scan 1.jpg"));
    JpegHeader::Resolution stamped;
    QVERIFY(JpegHeader::ReadResolution(file, stamped));
    QCOMPARE(stamped.horizontal, 300);
    QCOMPARE(stamped.vertical, 300);
    QCOMPARE(QImageReader(file).size(), QSize(2480, 3507));
}

void TestSane::builderFormats()
{
    SANE_Parameters grey1 {SANE_FRAME_GRAY, SANE_TRUE, 2, 10, 2, 1};
    SaneImageBuilder lineArt;
    QVERIFY(lineArt.BeginFrame(grey1));
    // A set bit is black; the second byte's bits past pixel 10 are padding.
    QVERIFY(lineArt.Append("\x80\x40", 2));
    QVERIFY(lineArt.Append("\xFF", 1));
    QVERIFY(lineArt.Append("\xC0", 1));
    QVERIFY(lineArt.EndFrame());
    QImage image = lineArt.Image();
    QCOMPARE(image.size(), QSize(10, 2));
    QCOMPARE(image.pixel(0, 0), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(1, 0), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(9, 0), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(8, 0), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(7, 1), qRgb(0, 0, 0));

    // Grey 16 bits in the machine's byte order; lines carry padding bytes.
    SANE_Parameters grey16 {SANE_FRAME_GRAY, SANE_TRUE, 6, 2, 1, 16};
    SaneImageBuilder grey;
    QVERIFY(grey.BeginFrame(grey16));
    const quint16 samples[3] = {0x1234, 0xABCD, 0xFFFF};
    QVERIFY(grey.Append(reinterpret_cast<const char*>(samples), 6));
    QVERIFY(grey.EndFrame());
    QCOMPARE(grey.Image().pixel(0, 0), qRgb(0x12, 0x12, 0x12));
    QCOMPARE(grey.Image().pixel(1, 0), qRgb(0xAB, 0xAB, 0xAB));

    // Colour bytes arriving one at a time; an unknown height is cut to the
    // lines received.
    SANE_Parameters rgb {SANE_FRAME_RGB, SANE_TRUE, 6, 2, -1, 8};
    SaneImageBuilder colour;
    QVERIFY(colour.BeginFrame(rgb));
    const QByteArray bytes("\x10\x20\x30\x40\x50\x60\x70\x80\x90\xA0\xB0\xC0\x01", 13);
    for (const char byte : bytes)
        QVERIFY(colour.Append(&byte, 1));
    QVERIFY(colour.EndFrame());
    QCOMPARE(colour.Image().size(), QSize(2, 2));
    QCOMPARE(colour.Image().pixel(1, 0), qRgb(0x40, 0x50, 0x60));
    QCOMPARE(colour.Image().pixel(1, 1), qRgb(0xA0, 0xB0, 0xC0));

    // Three passes fill the channels of one picture.
    SaneImageBuilder passes;
    for (const SANE_Frame frame : {SANE_FRAME_GREEN, SANE_FRAME_RED, SANE_FRAME_BLUE}) {
        SANE_Parameters band {frame, frame == SANE_FRAME_BLUE, 1, 1, 1, 8};
        QVERIFY(passes.BeginFrame(band));
        const char value = frame == SANE_FRAME_RED ? '\x11' : frame == SANE_FRAME_GREEN ? '\x22' : '\x33';
        QVERIFY(passes.Append(&value, 1));
        QVERIFY(passes.EndFrame());
    }
    QCOMPARE(passes.Image().pixel(0, 0), qRgb(0x11, 0x22, 0x33));
}

void TestSane::builderRefusals()
{
    QString error;
    SaneImageBuilder builder;
    SANE_Parameters jpeg {SANE_FRAME_GRAY, SANE_TRUE, 100, 100, 100, 8};
    const int jpegFrame = 0x0B; // a backend's frame code the header does not list
    std::memcpy(&jpeg.format, &jpegFrame, sizeof jpegFrame);
    QVERIFY(!builder.BeginFrame(jpeg, &error));
    QCOMPARE(error, QStringLiteral("Le scanner envoie l'image dans un format que le logiciel ne sait pas lire."));
    SANE_Parameters shortLines {SANE_FRAME_RGB, SANE_TRUE, 5, 2, 1, 8};
    QVERIFY(!builder.BeginFrame(shortLines, &error));
    SANE_Parameters depth4 {SANE_FRAME_GRAY, SANE_TRUE, 1, 2, 1, 4};
    QVERIFY(!builder.BeginFrame(depth4, &error));

    // Over the pixel budget: refused before anything is allocated.
    SANE_Parameters huge {SANE_FRAME_RGB, SANE_TRUE, 3 * 20000, 20000, 20000, 8};
    QVERIFY(!builder.BeginFrame(huge, &error));
    QCOMPARE(error, QStringLiteral("La page scannée est trop grande : choisissez une résolution plus basse."));
    // An unknown height stops growing at the budget (here 1,000 lines of 1,000).
    SaneImageBuilder endlessBuilder(1000 * 1000);
    SANE_Parameters endless {SANE_FRAME_GRAY, SANE_TRUE, 1000, 1000, -1, 8};
    QVERIFY(endlessBuilder.BeginFrame(endless, &error));
    const QByteArray line(1000, '\0');
    int lines = 0;
    while (lines < 2000 && endlessBuilder.Append(line.constData(), line.size(), &error))
        ++lines;
    QCOMPARE(lines, 512); // the next growth step would pass the budget
    QCOMPARE(error, QStringLiteral("La page scannée est trop grande : choisissez une résolution plus basse."));

    // A frame that ends before its first line gives no page.
    SaneImageBuilder empty;
    SANE_Parameters grey {SANE_FRAME_GRAY, SANE_TRUE, 4, 4, 4, 8};
    QVERIFY(empty.BeginFrame(grey));
    QVERIFY(empty.Append("ab", 2));
    QVERIFY(!empty.EndFrame(&error));
    QCOMPARE(error, QStringLiteral("Le scanner n'a envoyé aucune image."));
    QVERIFY(empty.Image().isNull());
}

QTEST_MAIN(TestSane)
#include "tst_sane.moc"
