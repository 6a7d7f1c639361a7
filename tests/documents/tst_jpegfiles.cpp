// JPEG files: decoding hostile input, JFIF resolution, quarter turns.
#include "JpegFixtures.h"
#include "TestFiles.h"
#include "documents/JpegHeader.h"
#include "documents/JpegRotation.h"
#include "report/JpegCodec.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTest>

using namespace JpegFixtures;

class TestJpegFiles : public QObject {
    Q_OBJECT

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void decodesAndScales_data();
    void decodesAndScales();
    void badFiles_data();
    void badFiles();
    void forgedHugeHeaderIsRefusedFast();
    void cutFilesAreNeverComplete_data();
    void cutFilesAreNeverComplete();
    void resolutions_data();
    void resolutions();
    void stampKeepsEverythingElse();
    void bitmapResolution();
    void turnedPixels();
    void losslessTurns();
    void turnsOfPartialBlocks();
    void rotateFailures();

private:
    QString Path(const QString& name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestJpegFiles::decodesAndScales_data()
{
    QTest::addColumn<QSize>("target");
    QTest::addColumn<QSize>("decoded");
    QTest::newRow("full size") << QSize() << QSize(640, 480);
    QTest::newRow("half") << QSize(320, 240) << QSize(320, 240);
    QTest::newRow("a bit less than half") << QSize(300, 200) << QSize(320, 240);
    QTest::newRow("quarter") << QSize(150, 100) << QSize(160, 120);
    QTest::newRow("eighth") << QSize(80, 60) << QSize(80, 60);
    QTest::newRow("larger than the picture") << QSize(1000, 1000) << QSize(640, 480);
}

void TestJpegFiles::decodesAndScales()
{
    QFETCH(QSize, target);
    QFETCH(QSize, decoded);
    QString error;
    const QImage image = JpegCodec::Decode(Jpeg(640, 480), "page.jpg", target, &error);
    QVERIFY2(!image.isNull(), qPrintable(error));
    QCOMPARE(image.size(), decoded);
    QCOMPARE(image.format(), QImage::Format_RGB32);
    const QColor corner = image.pixelColor(2, 2);
    QVERIFY(corner.red() > 200 && corner.green() < 60 && corner.blue() < 60);
    QVERIFY(image.pixelColor(image.width() - 3, 2).blue() > 200);
}

void TestJpegFiles::badFiles_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("message");
    const QByteArray good = Jpeg(640, 480);
    QTest::newRow("cut in the image data") << good.left(good.size() * 2 / 3) << "est incomplète";
    QTest::newRow("cut in the header") << good.left(100) << "";
    QTest::newRow("garbage") << QByteArray("ceci n'est pas une image, vraiment pas") << "n'est pas une image JPEG";
    QTest::newRow("empty") << QByteArray() << "n'est pas une image JPEG";
    QByteArray scrambled = good;
    for (qsizetype i = Marker(good, 0xDA) + 20; i < scrambled.size() - 2; i += 7)
        scrambled[i] = char(0xFF);
    QTest::newRow("damaged data") << scrambled << "";
}

void TestJpegFiles::badFiles()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, message);
    QString error;
    const QImage image = JpegCodec::Decode(data, "Fiche 1.jpg", QSize(), &error);
    QVERIFY(image.isNull());
    QVERIFY2(error.contains("Fiche 1.jpg") && error.contains(message), qPrintable(error));
}

void TestJpegFiles::forgedHugeHeaderIsRefusedFast()
{
    const QByteArray small = Jpeg(64, 48);
    const qsizetype sof = Marker(small, 0xC0);
    QVERIFY(sof > 0);
    const auto forge = [&](int side) {
        QByteArray forged = small;
        for (const int at : {5, 7}) {
            forged[sof + at] = char(side >> 8);
            forged[sof + at + 1] = char(side & 0xFF);
        }
        return forged;
    };
    QElapsedTimer timer;
    timer.start();
    QString error;
    // Beyond the decoder's own limit, and within it but over the pixel budget.
    QVERIFY(JpegCodec::Decode(forge(65535), "pirate.jpg", QSize(), &error).isNull());
    QVERIFY2(error.contains("trop grande"), qPrintable(error));
    QVERIFY(JpegCodec::Decode(forge(20000), "pirate.jpg", QSize(), &error).isNull());
    QVERIFY2(error.contains("20000 × 20000") && error.contains("trop grande"), qPrintable(error));
    QVERIFY(timer.elapsed() < 1000); // refused from the header, nothing allocated
    QSize size;
    QVERIFY(!JpegCodec::ReadSize(forge(20000), "pirate.jpg", size));
    QCOMPARE(size, QSize(20000, 20000));
}

void TestJpegFiles::cutFilesAreNeverComplete_data()
{
    QTest::addColumn<bool>("progressive");
    QTest::newRow("baseline") << false;
    QTest::newRow("progressive") << true;
}

void TestJpegFiles::cutFilesAreNeverComplete()
{
    // A copy interrupted on the network: cut anywhere, or cut and padded
    // with zeros to the full size as some copies leave it.
    QFETCH(bool, progressive);
    QByteArray whole;
    QBuffer buffer(&whole);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(progressive);
    QVERIFY(writer.write(Pattern(96, 64)));
    QVERIFY(JpegCodec::IsComplete(whole));
    QVERIFY(JpegCodec::IsComplete(whole + QByteArray(500, '\0'))); // padding after the end is harmless
    QVERIFY(JpegCodec::IsComplete(whole + "trailing bytes of a camera"));
    for (qsizetype cut = 0; cut < whole.size(); ++cut) {
        QVERIFY2(!JpegCodec::IsComplete(whole.left(cut)) || cut < 4, qPrintable(QString::number(cut)));
        if (cut >= 4)
            QVERIFY2(!JpegCodec::IsComplete(whole.left(cut) + QByteArray(whole.size() - cut, '\0')),
                qPrintable(QString::number(cut)));
    }
    QString error;
    QVERIFY(!JpegCodec::CheckComplete(whole.left(whole.size() / 2), "Fiche.jpg", &error));
    QCOMPARE(error, QString("L'image « Fiche.jpg » est incomplète : le fichier a été coupé."));
}

void TestJpegFiles::resolutions_data()
{
    QTest::addColumn<int>("units");
    QTest::addColumn<int>("density");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("dpi");
    QTest::newRow("dots per inch") << 1 << 300 << true << 300;
    QTest::newRow("dots per centimetre") << 2 << 118 << true << 300;
    QTest::newRow("aspect ratio only (encoder's default 1:1)") << 0 << 1 << true << 0;
    QTest::newRow("aspect ratio only, 300:300") << 0 << 300 << true << 0;
    QTest::newRow("density 0") << 1 << 0 << true << 0;
    QTest::newRow("unknown units") << 3 << 300 << false << 0;
}

void TestJpegFiles::resolutions()
{
    QFETCH(int, units);
    QFETCH(int, density);
    QFETCH(bool, found);
    QFETCH(int, dpi);
    QByteArray jpeg = Jpeg(64, 48);
    const qsizetype jfif = jpeg.indexOf("JFIF");
    jpeg[jfif + 7] = char(units);
    jpeg[jfif + 8] = char(density >> 8);
    jpeg[jfif + 9] = char(density & 0xFF);
    jpeg[jfif + 10] = char(density >> 8);
    jpeg[jfif + 11] = char(density & 0xFF);
    QVERIFY(TestFiles::WriteBytes(Path("scan.jpg"), jpeg));
    JpegHeader::Resolution resolution;
    QCOMPARE(JpegHeader::ReadResolution(Path("scan.jpg"), resolution), found);
    if (found) {
        QCOMPARE(resolution.horizontal, dpi);
        QCOMPARE(resolution.vertical, dpi);
        QCOMPARE(resolution.Usable(), dpi > 0);
    }

    JpegHeader::Resolution none;
    QVERIFY(TestFiles::WriteBytes(Path("exif.jpg"), WithoutJfif(Jpeg(64, 48))));
    QVERIFY(!JpegHeader::ReadResolution(Path("exif.jpg"), none));
    QVERIFY(!JpegCodec::DecodeFile(Path("exif.jpg")).isNull()); // still a readable picture
    QVERIFY(!JpegHeader::ReadResolution(Path("absent.jpg"), none));
}

void TestJpegFiles::stampKeepsEverythingElse()
{
    const QByteArray original = Jpeg(64, 48, 72);
    QVERIFY(TestFiles::WriteBytes(Path("page.jpg"), original));
    QVERIFY(JpegHeader::StampResolution(Path("page.jpg"), 300, 150));
    const QByteArray stamped = TestFiles::ReadBytes(Path("page.jpg"));
    QCOMPARE(stamped.size(), original.size());
    const qsizetype jfif = stamped.indexOf("JFIF");
    QCOMPARE(stamped.mid(jfif + 7, 5), QByteArray("\x01\x01\x2c\x00\x96", 5));
    QCOMPARE(stamped.left(jfif + 7), original.left(jfif + 7));
    QCOMPARE(stamped.mid(jfif + 12), original.mid(jfif + 12));

    const QByteArray exif = WithoutJfif(original);
    QVERIFY(TestFiles::WriteBytes(Path("exif.jpg"), exif));
    const Outcome noJfif = JpegHeader::StampResolution(Path("exif.jpg"), 300, 300);
    QVERIFY(!noJfif);
    QCOMPARE(noJfif.Messages(),
        QStringList {
            QStringLiteral("L'image \"%1\" n'a pas d'en-tête JFIF : sa résolution ne peut pas y être inscrite.")
                .arg(Path("exif.jpg"))});
    QCOMPARE(TestFiles::ReadBytes(Path("exif.jpg")), exif);
}

void TestJpegFiles::bitmapResolution()
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(11811); // 300 dpi
    image.setDotsPerMeterY(11811);
    QVERIFY(image.save(Path("scan.bmp"), "BMP"));
    QCOMPARE(JpegHeader::ReadBitmapResolution(Path("scan.bmp")), 300);
    image.setDotsPerMeterX(94488); // 2400 dpi: more than 16 bits
    QVERIFY(image.save(Path("fine.bmp"), "BMP"));
    QCOMPARE(JpegHeader::ReadBitmapResolution(Path("fine.bmp")), 2400);
    QByteArray unknown = TestFiles::ReadBytes(Path("scan.bmp"));
    unknown.replace(38, 4, QByteArray(4, '\0'));
    QCOMPARE(JpegHeader::ReadBitmapResolution(unknown), 0);
    unknown.replace(38, 4, QByteArray("\xff\xff\xff\xff", 4)); // negative
    QCOMPARE(JpegHeader::ReadBitmapResolution(unknown), 0);
    QVERIFY(TestFiles::WriteBytes(Path("short.bmp"), "BM12"));
    QCOMPARE(JpegHeader::ReadBitmapResolution(Path("short.bmp")), 0);
    QCOMPARE(JpegHeader::ReadBitmapResolution(Path("absent.bmp")), 0);
}

void TestJpegFiles::turnedPixels()
{
    QImage a(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            a.setPixel(x, y, qRgb(x, y, 0));
    const QImage cw = JpegRotation::Turned(a, true);
    QCOMPARE(cw.size(), QSize(2, 3));
    QCOMPARE(cw.pixel(2 - 1 - 0, 2), qRgb(2, 0, 0)); // (x 2, y 0) -> column H-1-y, row x
    QCOMPARE(cw.pixel(0, 0), qRgb(0, 1, 0));
    const QImage ccw = JpegRotation::Turned(a, false);
    QCOMPARE(ccw.pixel(0, 3 - 1 - 2), qRgb(2, 0, 0)); // -> column y, row W-1-x
    QCOMPARE(JpegRotation::Turned(cw, false), a);
    QCOMPARE(JpegRotation::Turned(JpegRotation::Turned(JpegRotation::Turned(cw, true), true), true), a);
}

void TestJpegFiles::losslessTurns()
{
    const QString file = Path("Fiche.jpg");
    const QByteArray original = Jpeg(640, 480, 300);
    QVERIFY(TestFiles::WriteBytes(file, original));
    const QImage before = JpegCodec::DecodeFile(file);

    QVERIFY(JpegRotation::Rotate(true, file, file));
    QImage once = JpegCodec::DecodeFile(file);
    QCOMPARE(once.size(), QSize(480, 640));
    QVERIFY(once.pixelColor(once.width() - 3, 2).red() > 200); // red top-left went to the top right
    JpegHeader::Resolution resolution;
    QVERIFY(JpegHeader::ReadResolution(file, resolution));
    QCOMPARE(resolution.horizontal, 300);

    QVERIFY(JpegRotation::Rotate(false, file, file));
    QCOMPARE(JpegCodec::DecodeFile(file), before); // each way once: the same pixels

    for (int i = 0; i < 4; ++i)
        QVERIFY(JpegRotation::Rotate(true, file, file));
    const QByteArray after = TestFiles::ReadBytes(file);
    QCOMPARE(JpegCodec::DecodeFile(file), before);
    // Four lossless turns give back the compressed image data itself.
    QCOMPARE(after.mid(Marker(after, 0xDA)), original.mid(Marker(original, 0xDA)));
}

void TestJpegFiles::turnsOfPartialBlocks()
{
    // 100 x 70 is not made of whole 16 x 16 blocks: decoded, turned, encoded.
    const QString file = Path("odd.jpg");
    QVERIFY(TestFiles::WriteBytes(file, Jpeg(100, 70, 200)));
    QVERIFY(JpegRotation::Rotate(false, file, Path("turned.jpg")));
    const QImage turned = JpegCodec::DecodeFile(Path("turned.jpg"));
    QCOMPARE(turned.size(), QSize(70, 100));
    QVERIFY(turned.pixelColor(2, turned.height() - 3).red() > 200); // top-left went to the bottom left
    JpegHeader::Resolution resolution;
    QVERIFY(JpegHeader::ReadResolution(Path("turned.jpg"), resolution));
    QCOMPARE(resolution.vertical, 200);
    QCOMPARE(JpegCodec::DecodeFile(file).size(), QSize(100, 70)); // the source is untouched
}

void TestJpegFiles::rotateFailures()
{
    QVERIFY(TestFiles::WriteBytes(Path("exif.jpg"), WithoutJfif(Jpeg(64, 48))));
    Outcome rotated = JpegRotation::Rotate(true, Path("exif.jpg"), Path("exif.jpg"));
    QVERIFY(!rotated);
    QCOMPARE(rotated.Messages(),
        QStringList {QStringLiteral("Impossible de lire les caractéristiques de l'image \"%1\". Rotation impossible.")
                         .arg(Path("exif.jpg"))});

    const QByteArray good = Jpeg(64, 48);
    QVERIFY(TestFiles::WriteBytes(Path("cut.jpg"), good.left(good.size() / 2)));
    rotated = JpegRotation::Rotate(true, Path("cut.jpg"), Path("cut.jpg"));
    QVERIFY(!rotated);
    QCOMPARE(rotated.Messages(),
        QStringList {QStringLiteral("Errreur inconnue lors de la rotation de l'image \"%1\"").arg(Path("cut.jpg"))});
    QCOMPARE(TestFiles::ReadBytes(Path("cut.jpg")), good.left(good.size() / 2));
}

QTEST_MAIN(TestJpegFiles)
#include "tst_jpegfiles.moc"
