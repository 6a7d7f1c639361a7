// Exported pages as odd pictures make them: the page the pupil worked on,
// pictures without resolution or with an absurd one, pictures cut short.
#include "JpegFixtures.h"
#include "TestFiles.h"
#include "documents/JpegHeader.h"
#include "documents/TEP_Doc.h"
#include "report/JpegCodec.h"
#include "report/TDPRptRect.h"
#include "report/TDPRptSpDr.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A picture of that many pixels whose JFIF header says units 0..2 and density.
QByteArray PictureWithHeader(QSize pixels, int units, int density)
{
    QByteArray jpeg = JpegFixtures::Jpeg(pixels.width(), pixels.height());
    const qsizetype jfif = jpeg.indexOf("JFIF");
    jpeg[jfif + 7] = char(units);
    for (const int at : {8, 10}) {
        jpeg[jfif + at] = char(density >> 8);
        jpeg[jfif + at + 1] = char(density & 0xFF);
    }
    return jpeg;
}

} // namespace

class TestExport : public QObject {
    Q_OBJECT

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void pageOrientationIsThePupilsPage();
    void resolutions_data();
    void resolutions();
    void cutPictureIsToldAtOpeningAndExport();

private:
    QString Path(const QString& name) const { return m_dir->filePath(name); }
    // Binds "Fiche" for Paul.
    void Bind(TEP_Doc& doc, const QByteArray& picture)
    {
        QVERIFY(TestFiles::WriteBytes(Path("Fiche.jpg"), picture));
        QVERIFY(doc.EPDoc_Init("Fiche", m_dir->path()));
        QVERIFY(doc.EPDoc_SetUser("Paul"));
    }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestExport::pageOrientationIsThePupilsPage()
{
    // A 180 x 100 mm picture fits a portrait page: the pupil places a
    // square low on that page, and the export shows it there.
    TEP_Doc doc;
    Bind(doc, JpegFixtures::Jpeg(709, 394, 100));
    QVERIFY(doc.EPDoc_LoadForUse());
    QVERIFY(!doc.EPDoc_IsLandscape());
    auto square = std::make_unique<TDPRptSpDr>();
    square->Name = "NEWIT_1";
    square->SpDrMode = TDPRptSpDr::SpFRect;
    square->ForeColors[0] = RgbColor(0xFF0000);
    square->Width = square->Height = 200;
    square->PosX = 1000;
    square->PosY = 2500;
    doc.Tree()->AddObject("NEWIT_1", std::move(square));
    QVERIFY(doc.EPDoc_ExportJpeg(Path("out.jpg")));
    const QImage page = JpegCodec::DecodeFile(Path("out.jpg"));
    QCOMPARE(page.size(), QSize(827, 1169)); // portrait, as the page the pupil saw
    const QColor inside = page.pixelColor(433, 1024); // (1100, 2600) at 100 dpi
    QVERIFY2(inside.blue() > 200 && inside.red() < 60, qPrintable(inside.name()));
}

void TestExport::resolutions_data()
{
    QTest::addColumn<int>("units");
    QTest::addColumn<int>("density");
    QTest::addColumn<int>("dpi"); // of the exported page
    QTest::addColumn<bool>("told");
    QTest::newRow("dots per inch") << 1 << 150 << 150 << false;
    // The encoder's default header, "1:1": no resolution, as density 0.
    QTest::newRow("aspect ratio only") << 0 << 1 << 300 << false;
    QTest::newRow("density 0") << 1 << 0 << 300 << false;
    // A small picture claiming a tiny size: the page would exceed what the
    // program can open again.
    QTest::newRow("2400 dpi") << 1 << 2400 << 1017 << true;
}

void TestExport::resolutions()
{
    QFETCH(int, units);
    QFETCH(int, density);
    QFETCH(int, dpi);
    QFETCH(bool, told);
    TEP_Doc doc;
    Bind(doc, PictureWithHeader(QSize(48, 64), units, density));
    const Outcome exported = doc.EPDoc_ExportJpeg(Path("out.jpg"));
    QVERIFY2(exported, qPrintable(exported.Text()));
    QSize size;
    QVERIFY(JpegCodec::ReadSize(TestFiles::ReadBytes(Path("out.jpg")), "out.jpg", size));
    QCOMPARE(size, QSize(qRound(dpi * TEP_Doc::ExportShortInches), qRound(dpi * TEP_Doc::ExportLongInches)));
    QVERIFY(qint64(size.width()) * size.height() <= JpegCodec::MaxPixels);
    JpegHeader::Resolution resolution;
    QVERIFY(JpegHeader::ReadResolution(Path("out.jpg"), resolution));
    QCOMPARE(resolution.horizontal, dpi);
    QCOMPARE(exported.Messages().size(), told ? 1 : 0);
    if (told)
        QCOMPARE(exported.Text(),
            QStringLiteral("La page \"Fiche\" est exportée à %1 points par pouce au lieu de %2 : à %2 points par "
                           "pouce, l'image dépasserait la limite de 100 millions de pixels.")
                .arg(dpi)
                .arg(density));
}

void TestExport::cutPictureIsToldAtOpeningAndExport()
{
    // A copy of the scan interrupted on the network: the headers are whole,
    // the picture data is not.
    const QByteArray whole = JpegFixtures::Jpeg(400, 560, 100);
    QDir(m_dir->path()).mkpath("Documents/Fiches");
    QVERIFY(TestFiles::WriteBytes(Path("Documents/Fiches/Fiche.jpg"), whole.left(whole.size() * 2 / 3)));
    const QString told = QStringLiteral("L'image « %1 » est incomplète : le fichier a été coupé.")
                             .arg(Path("Documents/Fiches/Fiche.jpg"));

    TEP_Doc doc;
    QVERIFY(doc.EPDoc_Init("Fiche", Path("Documents/Fiches")));
    QVERIFY(doc.EPDoc_SetUser("Paul"));
    const Outcome exported = doc.EPDoc_ExportJpeg(Path("out.jpg"));
    QVERIFY(!exported);
    QCOMPARE(exported.Messages(),
        (QStringList {told, QStringLiteral("Impossible de créer le fichier JPeg : %1.").arg(Path("out.jpg"))}));
    QVERIFY(!QFile::exists(Path("out.jpg")));

    // Opening it still works (the pupil's work is there) and says why the
    // page is blank.
    const Outcome opened = doc.EPDoc_LoadForUse();
    QVERIFY(opened);
    QCOMPARE(opened.Messages(), QStringList {told});
    QCOMPARE(doc.PictureProblem(), told);
    QVERIFY(!doc.EPDoc_ExportJpeg(Path("out.jpg"))); // also while open
}

QTEST_MAIN(TestExport)
#include "tst_export.moc"
