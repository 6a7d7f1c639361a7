// Special drawings: file keys, geometry, handles, hit tests and the pixels
// each mode draws.
#include "params/Param_Obj.h"
#include "report/DefinitionFile.h"
#include "report/Highlighter.h"
#include "report/ReportCanvas.h"
#include "report/ReportDrawing.h"
#include "report/TDPRptPrintParams.h"
#include "report/TDPRptSpDr.h"

#include <QImage>
#include <QPainter>
#include <QTest>
#include <memory>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kYellow = 0xFFFFFF00;

Param_Obj Params(const QStringList& lines)
{
    Param_Obj params;
    params.LoadFromLines(lines);
    return params;
}

// A page 300 x 300 units holding one drawing at (posX, posY), loaded from
// its file keys, scaled to 1.
struct Page {
    std::unique_ptr<TDPRptItem> root;
    TDPRptSpDr* item = nullptr;
};

Page LoadPage(const QStringList& keys, int posX = 50, int posY = 60)
{
    QStringList lines {
        "[MAIN]", "TYPE=RECT", "RECT=300,300", QStringLiteral("CHILD=D,%1,%2").arg(posX).arg(posY), "[D]", "TYPE=SPDR"};
    lines += keys;
    Page page;
    page.root = DPRpt_CreateItem("MAIN", Params(lines));
    if (page.root && page.root->ChildCount() == 1) {
        page.item = dynamic_cast<TDPRptSpDr*>(page.root->ChildAt(0));
        page.root->SetScale(1.0f);
    }
    return page;
}

QImage DrawPage(TDPRptItem& root, QRgb background = kWhite, const SelectionLook& look = SelectionLook())
{
    QImage image(300, 300, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    SurfaceDrawing drawing;
    drawing.surface = &image;
    drawing.scale = 1.0f;
    drawing.selection = look;
    DrawReportTree(root, painter, drawing);
    painter.end();
    return image;
}

QStringList SavedSection(TDPRptItem& root)
{
    QStringList lines;
    SaveToLines(&root, lines);
    return lines.mid(lines.indexOf("[D]"));
}

} // namespace

class TestDrawingItems : public QObject {
    Q_OBJECT

private slots:
    void modeNames();
    void keysRoundTrip_data();
    void keysRoundTrip();
    void badValuesAreIgnored_data();
    void badValuesAreIgnored();
    void polylinePointsPerLine();
    void polylineBoxMovesItem();
    void arrowGeometry();
    void arrowPointingUpLeftRoundTrips();
    void relationsBecomeArrows_data();
    void relationsBecomeArrows();
    void oldHorizontalLineIsReplaced();

    void highlighterTints_data();
    void highlighterTints();
    void highlightOverOtherItems();
    void modePixels_data();
    void modePixels();
    void editSurfaceRestoresPage();
    void hiddenWhileEditedIsSkipped();
    void selectionDisplay();
    void selectionInTheUsersLook();

    void handlesAndDrags();
    void arrowTipDrag();
    void pixelPointsFollowTheLayout_data();
    void pixelPointsFollowTheLayout();
    void ellipseHitDistances_data();
    void ellipseHitDistances();
    void hitDistances();
    void snapshots();
    void assignCopiesShape();
};

void TestDrawingItems::modeNames()
{
    TDPRptSpDr item;
    QCOMPARE(item.SpDrMode, int(TDPRptSpDr::SpRect));
    QCOMPARE(item.PenSize, 1);
    QCOMPARE(item.Length, 200);
    QVERIFY(!item.CanHaveChildren);
    item.ModeFromName(" sparrow ");
    QCOMPARE(item.SpDrMode, int(TDPRptSpDr::SpArrow));
    item.ModeFromName("nothing");
    QCOMPARE(item.SpDrMode, int(TDPRptSpDr::SpArrow));
    QCOMPARE(TDPRptSpDr::ModeName(14), QString("SpHighLight"));
    QCOMPARE(TDPRptSpDr::ModeName(0), QString());
    QCOMPARE(TDPRptSpDr::ModeName(16), QString());
    std::unique_ptr<TDPRptItem> byKind = DPRpt_CreateItemByKind(66);
    QVERIFY(dynamic_cast<TDPRptSpDr*>(byKind.get()));
    QCOMPARE(byKind->TypeName(), QString("SPDR"));
    QCOMPARE(byKind->Kind(), 2);
}

void TestDrawingItems::keysRoundTrip_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<bool>("rectKept");
    QTest::newRow("filled rectangle") << QStringList {"RECT=100,80", "COLORS=BACK:65535",
        "TOPBORDERS=(BORDER:1,STYLE:SOLID,WIDTH:2,COLOR:0)", "TRANSPARENT=YES", "SPDRMODE=SpFBRect", "PENSIZE=7",
        "SPDRFGCOLOR=255", "SPDRBKCOLOR=65535"}
                                      << true;
    QTest::newRow("arrow") << QStringList {"RECT=100,80", "SPDRMODE=SpArrow", "PENSIZE=5", "SPDRBKCOLOR=16777215",
        "SPDRLENGTHS=120", "SPDRANGLES=45.50", "SPDRARROWTYPE=LINE"}
                           << false;
    QTest::newRow("highlight, black pen")
        << QStringList {"RECT=100,80", "SPDRMODE=SpHighLight", "PENSIZE=1", "SPDRBKCOLOR=16777215"} << true;
}

void TestDrawingItems::keysRoundTrip()
{
    QFETCH(QStringList, keys);
    QFETCH(bool, rectKept);
    Page page = LoadPage(keys);
    QVERIFY(page.item);
    QStringList saved = SavedSection(*page.root);
    QCOMPARE(saved.first(), QString("[D]"));
    QCOMPARE(saved[1], QString("TYPE=SPDR"));
    // An arrow's rectangle is recomputed around it; every other key stays.
    QCOMPARE(saved[2] == keys[0], rectKept);
    QCOMPARE(saved.mid(3), keys.mid(1));
}

void TestDrawingItems::badValuesAreIgnored_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("length");
    QTest::addColumn<float>("angle");
    QTest::addColumn<int>("pen");
    QTest::addColumn<int>("arrowType");
    QTest::newRow("length below 50") << "SPDRLENGTHS=40" << 200 << 0.0f << 1 << 0;
    QTest::newRow("length, first field") << "SPDRLENGTHS=80,90" << 80 << 0.0f << 1 << 0;
    QTest::newRow("angle 360") << "SPDRANGLES=360" << 200 << 0.0f << 1 << 0;
    QTest::newRow("negative angle") << "SPDRANGLES=-1" << 200 << 0.0f << 1 << 0;
    QTest::newRow("decimal comma cut at the field") << "SPDRANGLES=12,5" << 200 << 12.0f << 1 << 0;
    QTest::newRow("pen 0") << "PENSIZE=0" << 200 << 0.0f << 1 << 0;
    QTest::newRow("arrow type case") << "SPDRARROWTYPE=rel" << 200 << 0.0f << 1 << 0;
    QTest::newRow("arrow type") << "SPDRARROWTYPE=REL" << 200 << 0.0f << 1 << 2;
}

void TestDrawingItems::badValuesAreIgnored()
{
    QFETCH(QString, key);
    QFETCH(int, length);
    QFETCH(float, angle);
    QFETCH(int, pen);
    QFETCH(int, arrowType);
    TDPRptSpDr item;
    QVERIFY(DPRpt_Load(&item, "D", Params({"[D]", "TYPE=SPDR", "RECT=10,10", "SPDRMODE=SpArrow", key})));
    QCOMPARE(item.Length, length);
    QCOMPARE(item.Angle, angle);
    QCOMPARE(item.PenSize, pen);
    QCOMPARE(item.ArrowType, arrowType);
}

void TestDrawingItems::polylinePointsPerLine()
{
    TDPRptSpDr item;
    QVERIFY(DPRpt_Load(
        &item, "D", Params({"[D]", "TYPE=SPDR", "RECT=10,10", "SPDRMODE=SpLines", "SPDRPOINTS=(10,20)(30,40)"})));
    QCOMPARE(item.Points, (QList<QPoint> {{10, 20}, {30, 40}}));
    QVERIFY(DPRpt_Load(
        &item, "D", Params({"[D]", "TYPE=SPDR", "RECT=10,10", "SPDRMODE=SpLines", "SPDRPOINTS=(10,20)(30,40"})));
    QCOMPARE(item.Points, QList<QPoint> {QPoint(0, 0)});
    QVERIFY(DPRpt_Load(&item, "D",
        Params({"[D]", "TYPE=SPDR", "RECT=10,10", "SPDRMODE=SpLines", "SPDRPOINTS=(1,2)", "SPDRPOINTS=(3,4)(5,-6)",
            "SPDRPOINTS=(7,8)"})));
    QCOMPARE(item.Points, QList<QPoint> {QPoint(0, 0)});

    QStringList keys {"RECT=10,10", "SPDRMODE=SpLines"};
    QString first, second, third;
    for (int i = 0; i < 12; ++i)
        (i < 5 ? first : i < 10 ? second : third) += QStringLiteral("(%1,%2)").arg(i * 10).arg(i % 3 * 7);
    keys << "SPDRPOINTS=" + first + second + third;
    Page page = LoadPage(keys);
    QVERIFY(page.item);
    QCOMPARE(page.item->Points.size(), 12);
    const QStringList saved = SavedSection(*page.root).filter("SPDRPOINTS=");
    QCOMPARE(saved, (QStringList {"SPDRPOINTS=" + first, "SPDRPOINTS=" + second, "SPDRPOINTS=" + third}));
}

void TestDrawingItems::polylineBoxMovesItem()
{
    Page page = LoadPage({"RECT=10,10", "SPDRMODE=SpLines", "SPDRPOINTS=(30,40)(80,10)(50,90)"}, 20, 20);
    QVERIFY(page.item);
    TDPRptSpDr& item = *page.item;
    QCOMPARE(item.PosX, 50.0f);
    QCOMPARE(item.PosY, 30.0f);
    QCOMPARE(item.Points, (QList<QPoint> {{0, 30}, {50, 0}, {20, 80}}));
    QCOMPARE(item.Width, 51.0f);
    QCOMPARE(item.Height, 81.0f);
    QCOMPARE(item.PointPixels[1], QPoint(100, 30));
    QCOMPARE(item.HandleRects.size(), 3);
    QCOMPARE(item.HandleRects[2], QRect(QPoint(66, 106), QPoint(74, 114)));
}

void TestDrawingItems::arrowGeometry()
{
    Page page = LoadPage({"RECT=10,10", "SPDRMODE=SpArrow", "SPDRLENGTHS=100", "SPDRANGLES=90"}, 50, 200);
    QVERIFY(page.item);
    const TDPRptSpDr& item = *page.item;
    QCOMPARE(item.ShapePoints[0], QPoint(50, 200));
    QCOMPARE(item.ShapePoints[1], QPoint(50, 100));
    QCOMPARE(item.ShapePoints.size(), 5); // tail, tip, placeholder, two wings
    // Wings 20 units long (length / 10 is smaller), 35 degrees off the shaft.
    QCOMPARE(item.ShapePoints[3], QPoint(39, 116));
    QCOMPARE(item.ShapePoints[4], QPoint(61, 116));
    // The rectangle encloses the arrow; the tail stays the stored place.
    QVERIFY(item.ScreenRect.contains(item.ShapePixelPoints[0]));
    QVERIFY(item.ScreenRect.contains(item.ShapePixelPoints[1]));
    QVERIFY(item.ScreenRect.contains(item.ShapePixelPoints[3]));
    QCOMPARE(item.PosX, 50.0f);
    QVERIFY(item.DrawingOffset().x() >= 0 && item.DrawingOffset().y() >= 0);
    QCOMPARE(item.DrawingOffsetPixels(), item.ShapePixelPoints[0] - item.ScreenRect.topLeft());
    QCOMPARE(item.HandleRects, QList<QRect> {QRect(QPoint(46, 96), QPoint(54, 104))});

    const QStringList saved = SavedSection(*page.root);
    QVERIFY(saved.contains("SPDRANGLES=90.00"));
    QStringList all;
    SaveToLines(page.root.get(), all);
    QVERIFY(all.contains("CHILD=D,50,200"));
}

void TestDrawingItems::arrowPointingUpLeftRoundTrips()
{
    for (const char* type : {"ARROW", "LINE", "REL"}) {
        Page page = LoadPage({"RECT=10,10", "SPDRMODE=SpArrow", "PENSIZE=6", "SPDRLENGTHS=150", "SPDRANGLES=135",
                                 QStringLiteral("SPDRARROWTYPE=%1").arg(type)},
            200, 220);
        QVERIFY(page.item);
        const QList<QPoint> before = page.item->ShapePoints.mid(0, 2);
        QStringList lines;
        QVERIFY(SaveToLines(page.root.get(), lines));
        std::unique_ptr<TDPRptItem> reloaded = DPRpt_CreateItem("MAIN", Params(lines));
        QVERIFY(reloaded);
        reloaded->SetScale(1.0f);
        auto* arrow = dynamic_cast<TDPRptSpDr*>(reloaded->ChildAt(0));
        QVERIFY(arrow);
        QCOMPARE(arrow->ShapePoints.mid(0, 2), before);
        QCOMPARE(arrow->ScreenRect, page.item->ScreenRect);
        QStringList again;
        SaveToLines(reloaded.get(), again);
        QCOMPARE(again, lines);
    }
}

void TestDrawingItems::relationsBecomeArrows_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("length");
    QTest::addColumn<float>("angle");
    QTest::addColumn<float>("posX");
    QTest::addColumn<float>("posY");
    // Width 100, height 60, pen 2 at (10, 20); a = atan(0.6) = 30.96 degrees.
    QTest::newRow("horizontal") << "SpHRel" << 96 << 0.0f << 13.0f << 26.0f;
    // (60 - 8) / sin a = 101.07, + pen - 2.
    QTest::newRow("top to bottom") << "SpTBRel" << 101 << 329.036243f << 13.0f << 26.0f;
    QTest::newRow("bottom to top") << "SpBTRel" << 101 << 30.963757f << 13.0f << 78.0f;
}

void TestDrawingItems::relationsBecomeArrows()
{
    QFETCH(QString, mode);
    QFETCH(int, length);
    QFETCH(float, angle);
    QFETCH(float, posX);
    QFETCH(float, posY);
    Page page = LoadPage({"RECT=100,60", "SPDRMODE=" + mode, "PENSIZE=2"}, 10, 20);
    QVERIFY(page.item);
    QCOMPARE(page.item->SpDrMode, int(TDPRptSpDr::SpArrow));
    QCOMPARE(page.item->ArrowType, int(TDPRptSpDr::ArrowRel));
    QCOMPARE(page.item->Length, length);
    QVERIFY(qAbs(page.item->Angle - angle) < 0.001f);
    QCOMPARE(page.item->PosX, posX);
    QCOMPARE(page.item->PosY, posY);
    const QStringList saved = SavedSection(*page.root);
    QVERIFY(saved.contains("SPDRMODE=SpArrow"));
    QVERIFY(saved.contains("SPDRARROWTYPE=REL"));
}

void TestDrawingItems::oldHorizontalLineIsReplaced()
{
    Page page = LoadPage({"RECT=200,30", "SPDRMODE=SpHLine", "PENSIZE=8"}, 10, 20);
    QVERIFY(page.item);
    QCOMPARE(page.item->PosY, 27.0f);
    QCOMPARE(page.item->Height, 8.0f);
    page.root->SetScale(2.0f); // once only
    QCOMPARE(page.item->PosY, 27.0f);
}

void TestDrawingItems::highlighterTints_data()
{
    QTest::addColumn<quint32>("pen");
    QTest::addColumn<QRgb>("under");
    QTest::addColumn<QRgb>("tinted");
    QTest::newRow("red over white") << quint32(0x0000FF) << kWhite << qRgb(255, 75, 255);
    QTest::newRow("red over black") << quint32(0x0000FF) << kBlack << kBlack;
    QTest::newRow("black") << quint32(0) << qRgb(200, 150, 60) << qRgb(120, 70, 0);
    QTest::newRow("orange") << quint32(0x0080FF) << qRgb(200, 150, 60) << qRgb(200, 70, 0);
    QTest::newRow("blue") << quint32(0xFF0000) << qRgb(200, 150, 60) << qRgb(20, 150, 60);
    QTest::newRow("green") << quint32(0x008000) << qRgb(200, 150, 60) << qRgb(20, 150, 0);
    QTest::newRow("yellow") << quint32(0x00FFFF) << qRgb(200, 150, 60) << qRgb(200, 150, 0);
    QTest::newRow("any other colour") << quint32(0x123456) << kWhite << qRgb(255, 255, 75);
}

void TestDrawingItems::highlighterTints()
{
    QFETCH(quint32, pen);
    QFETCH(QRgb, under);
    QFETCH(QRgb, tinted);
    QImage page(4, 4, QImage::Format_RGB32);
    page.fill(under);
    const QImage result = Highlighter::Tinted(page, QRect(-2, 1, 4, 2), RgbColor(pen));
    QCOMPARE(result.size(), QSize(2, 2)); // the part outside the page is left out
    QCOMPARE(result.pixel(0, 0), tinted);
}

void TestDrawingItems::highlightOverOtherItems()
{
    Page page = LoadPage({"RECT=100,50", "SPDRMODE=SpHighLight", "SPDRFGCOLOR=255"}, 50, 60);
    QVERIFY(page.item);
    const QImage image = DrawPage(*page.root);
    QCOMPARE(image.pixel(50, 60), qRgb(255, 75, 255));
    QCOMPARE(image.pixel(150, 110), qRgb(255, 75, 255)); // (P0.x..P1.x, P0.y..P3.y) inclusive
    QCOMPARE(image.pixel(151, 60), kWhite);
    QCOMPARE(image.pixel(49, 60), kWhite);
}

void TestDrawingItems::modePixels_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QList<QPoint>>("coloured");
    QTest::addColumn<QList<QRgb>>("colours");
    // Every item is 100 x 50 at (50, 60): pixel corners (50, 60) and (150, 110).
    const QStringList box {"RECT=100,50", "SPDRFGCOLOR=255", "SPDRBKCOLOR=65535"};
    QTest::newRow("SpRect, pen 3") << box + QStringList {"SPDRMODE=SpRect", "PENSIZE=3"}
                                   << QList<QPoint> {{50, 60}, {52, 62}, {53, 63}, {150, 110}, {148, 80}, {147, 80}}
                                   << QList<QRgb> {kRed, kRed, kWhite, kRed, kRed, kWhite};
    QTest::newRow("SpFRect, edges included")
        << box + QStringList {"SPDRMODE=SpFRect"} << QList<QPoint> {{50, 60}, {150, 110}, {151, 110}, {150, 111}}
        << QList<QRgb> {kRed, kRed, kWhite, kWhite};
    QTest::newRow("SpFBRect") << box + QStringList {"SPDRMODE=SpFBRect", "PENSIZE=2"}
                              << QList<QPoint> {{51, 61}, {52, 62}, {100, 85}} << QList<QRgb> {kRed, kYellow, kYellow};
    QTest::newRow("SpCross") << box + QStringList {"SPDRMODE=SpCross", "PENSIZE=3"}
                             << QList<QPoint> {{100, 85}, {60, 65}, {60, 85}} << QList<QRgb> {kRed, kRed, kWhite};
    // A line loaded 50 high with pen 4 moves down by 3 and keeps 4 rows.
    QTest::newRow("SpHLine, pen rows only") << box + QStringList {"SPDRMODE=SpHLine", "PENSIZE=4"}
                                            << QList<QPoint> {{50, 63}, {149, 66}, {149, 67}, {150, 66}, {100, 62}}
                                            << QList<QRgb> {kRed, kRed, kWhite, kWhite, kWhite};
    QTest::newRow("SpBCircle") << box + QStringList {"SPDRMODE=SpBCircle", "PENSIZE=3"}
                               << QList<QPoint> {{100, 85}, {100, 62}, {52, 85}} << QList<QRgb> {kWhite, kRed, kRed};
    QTest::newRow("SpFCircle") << box + QStringList {"SPDRMODE=SpFCircle"}
                               << QList<QPoint> {{100, 85}, {51, 61}, {100, 62}} << QList<QRgb> {kRed, kWhite, kRed};
    QTest::newRow("SpFBCircle") << box + QStringList {"SPDRMODE=SpFBCircle", "PENSIZE=5"}
                                << QList<QPoint> {{100, 85}, {100, 62}, {51, 61}}
                                << QList<QRgb> {kYellow, kRed, kWhite};
    QTest::newRow("SpBrackets") << box + QStringList {"SPDRMODE=SpBrackets", "PENSIZE=2"}
                                << QList<QPoint> {{51, 85}, {53, 61}, {54, 61}, {149, 110}, {52, 85}, {100, 60}}
                                << QList<QRgb> {kRed, kRed, kWhite, kRed, kWhite, kWhite};
    QTest::newRow("SpLines") << QStringList {"RECT=10,10", "SPDRFGCOLOR=255", "SPDRMODE=SpLines", "PENSIZE=3",
        "SPDRPOINTS=(0,0)(100,0)(100,50)"}
                             << QList<QPoint> {{100, 60}, {150, 85}, {100, 85}} << QList<QRgb> {kRed, kRed, kWhite};
    QTest::newRow("SpArrow") << QStringList {"RECT=10,10", "SPDRFGCOLOR=255", "SPDRMODE=SpArrow", "PENSIZE=3",
        "SPDRLENGTHS=100", "SPDRANGLES=0"}
                             << QList<QPoint> {{50, 60}, {100, 60}, {150, 60}, {100, 70}}
                             << QList<QRgb> {kRed, kRed, kRed, kWhite};
}

void TestDrawingItems::modePixels()
{
    QFETCH(QStringList, keys);
    QFETCH(QList<QPoint>, coloured);
    QFETCH(QList<QRgb>, colours);
    Page page = LoadPage(keys);
    QVERIFY(page.item);
    const QImage image = DrawPage(*page.root);
    for (int i = 0; i < coloured.size(); ++i)
        QVERIFY2(image.pixel(coloured[i]) == colours[i],
            qPrintable(QStringLiteral("pixel (%1, %2) is %3")
                           .arg(coloured[i].x())
                           .arg(coloured[i].y())
                           .arg(image.pixel(coloured[i]), 8, 16)));
}

void TestDrawingItems::editSurfaceRestoresPage()
{
    // The edit surface of a selected item shows it over the real page: the
    // page pixels under it come from the page bitmap at the item's place.
    Page page = LoadPage({"RECT=40,30", "SPDRMODE=SpHighLight", "SPDRFGCOLOR=255"}, 50, 60);
    QVERIFY(page.item);
    QImage pageImage(300, 300, QImage::Format_RGB32);
    pageImage.fill(kWhite);
    pageImage.setPixel(55, 65, kBlack);
    QImage surface(41, 31, QImage::Format_RGB32);
    surface.fill(qRgb(1, 2, 3));
    QPainter painter(&surface);
    ReportCanvas canvas(painter);
    TDPRptPrintParams params;
    params.Source = &pageImage;
    params.Destination = &surface;
    params.OffsetX = 50;
    params.OffsetY = 60;
    QVERIFY(page.item->DrawAt(QRect(-50, -60, 300, 300), canvas, &params, 1.0f));
    painter.end();
    QCOMPARE(surface.pixel(0, 0), qRgb(255, 75, 255));
    QCOMPARE(surface.pixel(5, 5), kBlack); // page text stays readable
    QCOMPARE(surface.pixel(40, 30), qRgb(255, 75, 255));
}

void TestDrawingItems::hiddenWhileEditedIsSkipped()
{
    Page page = LoadPage({"RECT=100,50", "SPDRMODE=SpFRect", "SPDRFGCOLOR=255"});
    QVERIFY(page.item);
    page.item->EditState.HiddenWhileEdited = true;
    QCOMPARE(DrawPage(*page.root).pixel(100, 85), kWhite);
    page.item->EditState.HiddenWhileEdited = false;
    QCOMPARE(DrawPage(*page.root).pixel(100, 85), kRed);
}

void TestDrawingItems::selectionDisplay()
{
    Page page = LoadPage({"RECT=100,50", "SPDRMODE=SpRect", "SPDRFGCOLOR=255"});
    QVERIFY(page.item);
    page.root->SetScale(1.0f);
    page.item->EditState.SelectionVisible = true;
    QImage image = DrawPage(*page.root);
    const QRgb selection = qRgb(0, 128, 0);
    QCOMPARE(image.pixel(100, 60), selection); // frame over the screen rectangle
    QCOMPARE(image.pixel(59, 69), selection); // corner mark, 10 x 10 at scale 1
    QCOMPARE(image.pixel(60, 70), kWhite);
    QCOMPARE(image.pixel(149, 109), selection);

    page.item->EditState.SelectionVisible = false;
    page.item->EditState.HandlesShown = true;
    image = DrawPage(*page.root);
    QCOMPARE(image.pixel(46, 56), kBlack); // handle frame around the corner (50, 60)
    QCOMPARE(image.pixel(50, 60), kWhite);
    QCOMPARE(image.pixel(100, 60), kRed);
}

void TestDrawingItems::selectionInTheUsersLook()
{
    Page page = LoadPage({"RECT=100,50", "SPDRMODE=SpRect", "SPDRFGCOLOR=255"});
    QVERIFY(page.item);
    page.item->EditState.SelectionVisible = true;
    SelectionLook look;
    look.frameColor = RgbColor(0xFF0000); // blue
    look.frameWidth = 3;
    look.resizeSquareSize = 2;
    look.resizeSquareColor = RgbColor(0x00FFFF); // yellow
    const QRgb blue = qRgb(0, 0, 255);
    QImage image = DrawPage(*page.root, kWhite, look);
    for (int y : {60, 61, 62}) // three one-pixel frames, inwards
        QCOMPARE(image.pixel(100, y), blue);
    QCOMPARE(image.pixel(100, 63), kWhite);
    QCOMPARE(image.pixel(59, 69), blue); // the corner marks in the frame's colour
    look.frameWidth = 0; // no frame: the drawing's own outline shows
    image = DrawPage(*page.root, kWhite, look);
    QCOMPARE(image.pixel(100, 60), kRed);
    QCOMPARE(image.pixel(100, 61), kWhite);

    page.item->EditState.SelectionVisible = false;
    page.item->EditState.HandlesShown = true;
    image = DrawPage(*page.root, kWhite, look);
    QCOMPARE(image.pixel(48, 58), kBlack); // a square of half side 2 around the corner (50, 60)
    QCOMPARE(image.pixel(50, 60), kYellow);
    QCOMPARE(image.pixel(46, 56), kWhite);
    QCOMPARE(page.item->HandleAt(46, 56), 1); // grabbed where it always was
}

void TestDrawingItems::handlesAndDrags()
{
    Page page = LoadPage({"RECT=100,50", "SPDRMODE=SpRect"});
    QVERIFY(page.item);
    TDPRptSpDr& item = *page.item;
    QCOMPARE(item.HandleAt(150, 110), 3);
    QCOMPARE(item.HandleAt(46, 64), 1);
    QCOMPARE(item.HandleAt(100, 85), 0);
    QPoint point;
    QVERIFY(item.HandlePoint(2, point));
    QCOMPARE(point, QPoint(154, 64));
    QVERIFY(!item.HandlePoint(5, point));

    HandleDrag drag;
    QVERIFY(item.DragHandle(1, 10, 5, false, drag));
    QCOMPARE(drag.rect, QRect(60, 65, 90, 45));
    QVERIFY(item.DragHandle(2, 10, 5, false, drag));
    QCOMPARE(drag.rect, QRect(50, 65, 110, 45));
    QVERIFY(item.DragHandle(3, 10, 5, false, drag));
    QCOMPARE(drag.rect, QRect(50, 60, 110, 55));
    QVERIFY(item.DragHandle(4, 10, 5, true, drag));
    QCOMPARE(drag.rect, QRect(50, 60, 90, 55));
    QVERIFY(!item.DragHandle(1, 200, 0, false, drag)); // nothing left

    QVERIFY(item.DragHandle(1, 10, 5, false, drag));
    QVERIFY(item.ApplyHandleDrag(drag));
    QCOMPARE(item.PosX, 60.0f);
    QCOMPARE(item.Width, 90.0f);
    QCOMPARE(item.Height, 45.0f);
    QCOMPARE(item.ScreenRect, drag.rect);
    QVERIFY(!item.ApplyHandleDrag(drag)); // computed on the geometry before: refused
    QCOMPARE(item.Width, 90.0f);
    QVERIFY(item.DragHandle(3, -10, 0, true, drag));
    QVERIFY(item.ApplyHandleDrag(drag));
    QCOMPARE(item.Width, 80.0f);
    QCOMPARE(item.PosX, 60.0f);

    item.SpDrMode = TDPRptSpDr::SpHLine;
    item.PenSize = 4;
    page.root->SetScale(1.0f);
    QVERIFY(item.DragHandle(3, 10, 30, false, drag));
    QCOMPARE(drag.rect.height(), item.ScreenRect.height()); // never resized vertically
    QVERIFY(item.DragHandle(3, 10, 0, false, drag));
    item.SpDrMode = TDPRptSpDr::SpLines;
    QVERIFY(!item.DragHandle(1, 1, 1, false, drag));
    QVERIFY(!item.ApplyHandleDrag(drag)); // no corner handles on a polyline
}

void TestDrawingItems::arrowTipDrag()
{
    Page page = LoadPage({"RECT=10,10", "SPDRMODE=SpArrow", "SPDRLENGTHS=100", "SPDRANGLES=0"}, 50, 100);
    QVERIFY(page.item);
    TDPRptSpDr& arrow = *page.item;
    QCOMPARE(arrow.HandleAt(150, 100), 1);
    HandleDrag drag;
    QVERIFY(!arrow.DragHandle(1, -60, 0, false, drag)); // length 40: refused
    QVERIFY(arrow.DragHandle(1, -100, -100, false, drag));
    QCOMPARE(drag.length, 100);
    QCOMPARE(drag.angle, 90.0f);
    QCOMPARE(arrow.Angle, 0.0f); // unchanged until applied
    QVERIFY(drag.rect.contains(QPoint(50, 0)));
    QVERIFY(arrow.ApplyHandleDrag(drag));
    QCOMPARE(arrow.Angle, 90.0f);
    QCOMPARE(arrow.Length, 100);
    QCOMPARE(arrow.ShapePoints[1], QPoint(50, 0));
    QCOMPARE(arrow.ScreenRect, drag.rect); // the drag showed where the arrow lands

    // In a parent away from the page's corner, the turned arrow is laid out
    // where the item sits.
    page.root->X = 20;
    page.root->Y = 30;
    QVERIFY(page.root->SetScale(1.0f));
    QVERIFY(arrow.DragHandle(1, 100, 100, false, drag));
    QCOMPARE(drag.angle, 0.0f);
    QVERIFY(drag.rect.contains(QPoint(170, 130)));
    QVERIFY(arrow.ApplyHandleDrag(drag));
    QCOMPARE(arrow.ScreenRect, drag.rect);
}

void TestDrawingItems::pixelPointsFollowTheLayout_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::newRow("outlined rectangle") << QStringList {"RECT=100,50", "SPDRMODE=SpRect", "PENSIZE=3"};
    QTest::newRow("ellipse") << QStringList {"RECT=100,50", "SPDRMODE=SpBCircle", "PENSIZE=3"};
    QTest::newRow("cross") << QStringList {"RECT=100,50", "SPDRMODE=SpCross", "PENSIZE=3"};
    QTest::newRow("lines") << QStringList {"RECT=100,50", "SPDRMODE=SpLines", "SPDRPOINTS=(0,0)(60,40)(90,10)"};
    QTest::newRow("arrow") << QStringList {
        "RECT=10,10", "SPDRMODE=SpArrow", "PENSIZE=3", "SPDRLENGTHS=80", "SPDRANGLES=30", "SPDRARROWTYPE=ARROW"};
}

void TestDrawingItems::pixelPointsFollowTheLayout()
{
    // After a layout or a print elsewhere, the drawing and its hit tests are
    // those of an item freshly scaled where it now is.
    QFETCH(QStringList, keys);
    Page page = LoadPage(keys);
    QVERIFY(page.item);
    // Drawn with the scale already set.
    const auto drawAsSet = [&page] {
        QImage image(300, 300, QImage::Format_RGB32);
        image.fill(kWhite);
        QPainter painter(&image);
        ReportCanvas canvas(painter, 96);
        page.root->DrawAt(image.rect(), canvas, nullptr, -1);
        return image;
    };
    const QImage before = drawAsSet();

    // Printed at another place and scale: the screen's drawing is unchanged,
    // also when drawn again with the scale already set.
    QImage print(600, 600, QImage::Format_RGB32);
    print.fill(kWhite);
    {
        QPainter painter(&print);
        ReportCanvas canvas(painter, 192);
        QVERIFY(page.item->PrintAt(canvas, nullptr, 200, 300, 200, 100, 2.0f, print.rect()));
    }
    QVERIFY(print != QImage(600, 600, QImage::Format_RGB32)); // it did print
    QCOMPARE(drawAsSet(), before);

    // The page moved and laid out again.
    page.root->X = 40;
    page.root->Y = 30;
    QVERIFY(page.root->Relayout());
    Page moved = LoadPage(keys);
    moved.root->X = 40;
    moved.root->Y = 30;
    QVERIFY(moved.root->SetScale(1.0f));
    QCOMPARE(page.item->ScreenRect, moved.item->ScreenRect);
    QCOMPARE(page.item->ShapePixelPoints, moved.item->ShapePixelPoints);
    QCOMPARE(page.item->PointPixels, moved.item->PointPixels);
    QCOMPARE(page.item->HandleRects, moved.item->HandleRects);
    QVERIFY(drawAsSet() != before);
    QCOMPARE(drawAsSet(), DrawPage(*moved.root));
}

void TestDrawingItems::ellipseHitDistances_data()
{
    // Items placed at (50, 60) at scale 1: the ellipse of a 200 x 40 item
    // has its centre at (150, 80) and radii 100 and 20.
    QTest::addColumn<QString>("rect");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("distance"); // in pixels, to the outline point in the point's direction
    QTest::newRow("centre") << "RECT=200,40" << QPoint(150, 80) << 0;
    QTest::newRow("on the outline") << "RECT=200,40" << QPoint(150, 60) << 0;
    // (-61, -20) reaches 1.068 radii: the outline point lies 9.4 px back
    // (stretched by the radii's ratio it would be 17, and miss).
    QTest::newRow("flat ellipse, 9 px off") << "RECT=200,40" << QPoint(89, 60) << 9;
    QTest::newRow("flat ellipse, corner") << "RECT=200,40" << QPoint(50, 60) << 30;
    QTest::newRow("wide ellipse, near the corner") << "RECT=100,50" << QPoint(51, 61) << 15;
    // A circle: the distance to the centre less the radius, 63.6 - 50.
    QTest::newRow("circle, near the corner") << "RECT=100,100" << QPoint(55, 65) << 14;
    QTest::newRow("outside the item") << "RECT=100,50" << QPoint(200, 85) << 10000;
}

void TestDrawingItems::ellipseHitDistances()
{
    QFETCH(QString, rect);
    QFETCH(QPoint, point);
    QFETCH(int, distance);
    for (const char* mode : {"SpBCircle", "SpFCircle", "SpFBCircle"}) {
        Page ellipse = LoadPage({rect, QStringLiteral("SPDRMODE=") + mode});
        QVERIFY(ellipse.item);
        QCOMPARE(ellipse.item->HitDistance(point.x(), point.y()), distance);
    }
}

void TestDrawingItems::hitDistances()
{
    Page cross = LoadPage({"RECT=100,50", "SPDRMODE=SpCross"});
    QVERIFY(cross.item);
    QCOMPARE(cross.item->HitDistance(100, 85), 0);
    QCOMPARE(cross.item->HitDistance(100, 61), 21);

    Page arrow = LoadPage(
        {"RECT=10,10", "SPDRMODE=SpArrow", "PENSIZE=3", "SPDRLENGTHS=100", "SPDRANGLES=0", "SPDRARROWTYPE=LINE"}, 50,
        100);
    QVERIFY(arrow.item);
    QCOMPARE(arrow.item->HitDistance(100, 100), 0);
    QCOMPARE(arrow.item->HitDistance(100, 106), 6);

    Page filled = LoadPage({"RECT=100,50", "SPDRMODE=SpFRect"});
    QCOMPARE(filled.item->HitDistance(51, 61), 0);
}

void TestDrawingItems::snapshots()
{
    TDPRptSpDr item;
    QVERIFY(!item.PopShape(true));
    item.Points = {QPoint(1, 2)};
    item.PushShape();
    item.SpDrMode = TDPRptSpDr::SpArrow;
    item.PenSize = 9;
    item.Angle = 45;
    item.Points.clear();
    item.PushShape();
    QCOMPARE(item.SnapshotCount(), 2);
    QVERIFY(item.PopShape(false));
    QCOMPARE(item.PenSize, 9);
    QVERIFY(item.PopShape(true));
    QCOMPARE(item.SpDrMode, int(TDPRptSpDr::SpRect));
    QCOMPARE(item.PenSize, 1);
    QCOMPARE(item.Angle, 0.0f);
    QCOMPARE(item.Points, QList<QPoint> {QPoint(1, 2)});
    QCOMPARE(item.SnapshotCount(), 0);
}

void TestDrawingItems::assignCopiesShape()
{
    Page page = LoadPage(
        {"RECT=10,10", "SPDRMODE=SpArrow", "PENSIZE=4", "SPDRLENGTHS=120", "SPDRANGLES=30", "SPDRARROWTYPE=REL"});
    QVERIFY(page.item);
    TDPRptSpDr copy;
    QVERIFY(copy.AssignFrom(0, page.item));
    QCOMPARE(copy.SpDrMode, int(TDPRptSpDr::SpArrow));
    QCOMPARE(copy.PenSize, 4);
    QCOMPARE(copy.Length, 120);
    QCOMPARE(copy.ArrowType, int(TDPRptSpDr::ArrowRel));
    QCOMPARE(copy.ShapePoints, page.item->ShapePoints);
    QCOMPARE(copy.Width, page.item->Width);
    copy.Reset();
    QCOMPARE(copy.SpDrMode, int(TDPRptSpDr::SpRect));
    QVERIFY(copy.ShapePoints.isEmpty());
}

QTEST_MAIN(TestDrawingItems)
#include "tst_drawingitems.moc"
