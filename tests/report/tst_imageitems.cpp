// The worksheet picture item and grids.
#include "JpegFixtures.h"
#include "TestFiles.h"
#include "params/Param_Obj.h"
#include "report/DefinitionFile.h"
#include "report/ReportCanvas.h"
#include "report/TDPRptGrid.h"
#include "report/TDPRptImg.h"
#include "report/TDPRptText.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

Param_Obj Params(const QStringList& lines)
{
    Param_Obj params;
    params.LoadFromLines(lines);
    return params;
}

QImage Draw(TDPRptItem& item, float scale = 1.0f, QSize size = QSize(400, 400))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    QPainter painter(&image);
    ReportCanvas canvas(painter);
    item.DrawAt(image.rect(), canvas, nullptr, scale);
    painter.end();
    return image;
}

} // namespace

class TestImageItems : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void keys();
    void placement_data();
    void placement();
    void drawsCentredAndStretched();
    void missingOrBadFileDrawsNothing();
    void decodesOnceForTheSizeDrawn();
    void platformImagingPath();
    void assignCopiesPicture();
    void gridRoundTripAndLayout();

private:
    QString WritePicture(const QString& name, int width, int height)
    {
        const QString path = m_dir.filePath(name);
        TestFiles::WriteBytes(path, JpegFixtures::Jpeg(width, height));
        return path;
    }
    QTemporaryDir m_dir;
};

void TestImageItems::keys()
{
    TDPRptImg image;
    QVERIFY(DPRpt_Load(&image, "MAINIMG",
        Params({"[MAINIMG]", "TYPE=IMG", "RECT=2000,2829", "IMGNAME= C:\\Fiches\\a=b.jpg ",
            "IMGOPTIONS=stretch,centered"})));
    QCOMPARE(image.ImageName, QString("C:\\Fiches\\a")); // cut at the "="
    QVERIFY(image.Centered);
    QCOMPARE(image.Kind(), 34);
    image.SetScale(1.0f);
    QStringList lines;
    QVERIFY(SaveToLines(&image, lines));
    QCOMPARE(lines,
        (QStringList {"[MAINIMG]", "TYPE=IMG", "RECT=2000,2829", "IMGNAME=C:\\Fiches\\a", "IMGOPTIONS=CENTERED"}));

    QVERIFY(DPRpt_Load(&image, "I", Params({"[I]", "TYPE=IMG", "RECT=10,10", "IMGNAME="})));
    QVERIFY(image.ImageName.isEmpty());
    QCOMPARE(Draw(image).pixel(5, 5), qRgb(255, 255, 255)); // background only
    lines.clear();
    image.SetScale(1.0f);
    SaveToLines(&image, lines);
    QCOMPARE(lines, (QStringList {"[I]", "TYPE=IMG", "RECT=10,10"}));
}

void TestImageItems::placement_data()
{
    QTest::addColumn<bool>("centred");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QRect>("area");
    QTest::newRow("wide, centred") << true << QSize(1000, 500) << QRect(0, 100, 400, 200);
    QTest::newRow("tall, centred") << true << QSize(500, 1000) << QRect(100, 0, 200, 400);
    QTest::newRow("wide, stretched") << false << QSize(1000, 500) << QRect(0, 0, 400, 400);
    QTest::newRow("same shape") << true << QSize(800, 800) << QRect(0, 0, 400, 400);
}

void TestImageItems::placement()
{
    QFETCH(bool, centred);
    QFETCH(QSize, picture);
    QFETCH(QRect, area);
    TDPRptImg image;
    image.Centered = centred;
    QCOMPARE(image.PlacementIn(QRect(0, 0, 400, 400), picture), area);
}

void TestImageItems::drawsCentredAndStretched()
{
    const QString path = WritePicture("wide.jpg", 1000, 500);
    std::unique_ptr<TDPRptItem> item = DPRpt_CreateItem(
        "I", Params({"[I]", "TYPE=IMG", "RECT=400,400", "IMGNAME=" + path, "IMGOPTIONS=CENTERED", "TRANSPARENT=YES"}));
    QVERIFY(item);
    QImage page = Draw(*item);
    QCOMPARE(page.pixel(200, 99), qRgb(1, 2, 3)); // above the picture: untouched
    QVERIFY(page.pixelColor(5, 105).red() > 200); // the red corner of the picture
    QCOMPARE(page.pixel(200, 300), qRgb(1, 2, 3));
    QVERIFY(page.pixelColor(200, 298).green() > 200);

    static_cast<TDPRptImg*>(item.get())->Centered = false;
    page = Draw(*item);
    QVERIFY(page.pixelColor(5, 5).red() > 200);
    QVERIFY(page.pixelColor(395, 5).blue() > 200);
    QVERIFY(page.pixelColor(5, 395).green() > 200);
}

void TestImageItems::missingOrBadFileDrawsNothing()
{
    TDPRptImg image;
    image.Width = 100;
    image.Height = 100;
    image.Transparent = true;
    image.ImageName = m_dir.filePath("absent.jpg");
    QCOMPARE(Draw(image).pixel(50, 50), qRgb(1, 2, 3));
    QVERIFY(image.LastError().isEmpty()); // a missing file is not an error

    const QString cut = m_dir.filePath("cut.jpg");
    const QByteArray good = JpegFixtures::Jpeg(64, 48);
    TestFiles::WriteBytes(cut, good.left(good.size() / 2));
    image.ImageName = cut;
    image.ForgetPicture();
    QCOMPARE(Draw(image).pixel(50, 50), qRgb(1, 2, 3));
    QVERIFY2(image.LastError().contains("incomplète"), qPrintable(image.LastError()));
}

void TestImageItems::decodesOnceForTheSizeDrawn()
{
    TDPRptImg image;
    image.Width = 400;
    image.Height = 400;
    image.Centered = true;
    image.ImageName = WritePicture("big.jpg", 2000, 1000);
    Draw(image);
    // Drawn 400 x 200: a quarter of the picture suffices.
    QCOMPARE(image.Picture().size(), QSize(500, 250));
    QCOMPARE(image.PictureSize(), QSize(2000, 1000));
    const qint64 key = image.Picture().cacheKey();
    Draw(image);
    QCOMPARE(image.Picture().cacheKey(), key); // not decoded again
    Draw(image, 2.0f, QSize(800, 800)); // drawn 800 x 400: decoded again at half size
    QCOMPARE(image.Picture().size(), QSize(1000, 500));
    Draw(image, 3.0f, QSize(1200, 1200)); // drawn 1200 x 600: at full size
    QCOMPARE(image.Picture().size(), QSize(2000, 1000));
}

void TestImageItems::platformImagingPath()
{
    TDPRptImg image;
    image.Width = 400;
    image.Height = 400;
    image.UsePlatformImaging = true;
    image.ImageName = WritePicture("platform.jpg", 800, 800);
    const QImage page = Draw(image);
    QVERIFY(image.UsePlatformImaging);
    QVERIFY(page.pixelColor(5, 5).red() > 200);
    QCOMPARE(image.Picture().size(), QSize(400, 400));

    // A file the platform reader refuses goes through the JPEG decoder.
    TestFiles::WriteBytes(m_dir.filePath("exif.jpg"), JpegFixtures::WithoutJfif(JpegFixtures::Jpeg(64, 64)));
    image.ImageName = m_dir.filePath("exif.jpg");
    image.ForgetPicture();
    QVERIFY(Draw(image).pixelColor(5, 5).red() > 200);
}

void TestImageItems::assignCopiesPicture()
{
    TDPRptImg image;
    image.Width = 400;
    image.Height = 400;
    image.ImageName = WritePicture("copy.jpg", 400, 400);
    image.Centered = true;
    QVERIFY(image.LoadPicture());
    TDPRptImg copy;
    QVERIFY(copy.AssignFrom(0, &image));
    QCOMPARE(copy.ImageName, image.ImageName);
    QVERIFY(copy.Centered);
    QCOMPARE(copy.Picture(), image.Picture());
    TDPRptText text;
    QVERIFY(!copy.AssignFrom(0, &text)); // only from an image
}

void TestImageItems::gridRoundTripAndLayout()
{
    const QStringList file {"[G]", "TYPE=GRID", "RECT=500,300", "GRIDEXT=X:5,Y:10", "SIZE=ROWCOUNT:2,COLCOUNT:2",
        "ROWSIZES=100,120", "COLSIZES=200,150", "CHILD=C11,0,0", "CHILD=C12,205,0", "CHILD=C21,0,110",
        "CHILD=C22,205,110", "", "[C11]", "TYPE=TEXT", "RECT=200,100", "FONT=10,Arial", "VALUE=un", "", "[C12]",
        "TYPE=TEXT", "RECT=150,100", "FONT=10,Arial", "VALUE=deux", "", "[C21]", "TYPE=TEXT", "RECT=200,120",
        "FONT=10,Arial", "VALUE=trois", "", "[C22]", "TYPE=TEXT", "RECT=150,120", "FONT=10,Arial", "VALUE=quatre"};
    std::unique_ptr<TDPRptItem> item = DPRpt_CreateItem("G", Params(file));
    auto* grid = dynamic_cast<TDPRptGrid*>(item.get());
    QVERIFY(grid);
    QCOMPARE(grid->Kind(), 18);
    grid->SetScale(1.0f);
    QStringList saved;
    QVERIFY(SaveToLines(grid, saved));
    QCOMPARE(saved, file);

    QCOMPARE(grid->Cell(1, 1)->PosX, 205.0f);
    QCOMPARE(grid->Cell(1, 1)->PosY, 110.0f);
    QCOMPARE(grid->Cell(1, 0)->Height, 120.0f);
    QCOMPARE(grid->GetValue().toList().value(3).toString(), QString("quatre"));
    QVERIFY(grid->SetValue({0, 1, QStringLiteral("cinq")}));
    QCOMPARE(grid->Cell(0, 1)->GetValue().toString(), QString("cinq"));
    QVERIFY(!grid->SetValue({2, 0, QStringLiteral("x")}));
    QVERIFY(grid->FindByName("C22"));

    grid->ColumnSizes = {300, 150};
    grid->SetScale(1.0f);
    QCOMPARE(grid->Cell(0, 1)->PosX, 305.0f);
    QCOMPARE(grid->Cell(0, 1)->ScreenRect.left(), 305);

    std::unique_ptr<TDPRptItem> forged(
        DPRpt_CreateItem("G", Params({"[G]", "TYPE=GRID", "RECT=10,10", "SIZE=ROWCOUNT:99999,COLCOUNT:99999"})));
    QVERIFY(forged);
    QCOMPARE(static_cast<TDPRptGrid*>(forged.get())->RowCount, 0);
}

QTEST_MAIN(TestImageItems)
#include "tst_imageitems.moc"
