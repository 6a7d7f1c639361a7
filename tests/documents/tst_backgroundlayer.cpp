// Background layer items: sound markers in a work file.
#include "documents/BackgroundPictures.h"
#include "documents/TBkLayerIt.h"
#include "documents/TEP_Doc.h"
#include "params/Param_Obj.h"
#include "report/DefinitionFile.h"
#include "report/ItemTypeRegistry.h"
#include "report/ReportDrawing.h"
#include "report/TDPRptRect.h"

#include <QImage>
#include <QPainter>
#include <QTest>
#include <memory>
#include <typeinfo>

namespace {

const QStringList kWorkFile {"[MAINRECT]", "TYPE=RECT", "RECT=2000,2829", "CHILD=S1,100,100", "CHILD=S2,400,100",
    "CHILD=S3,700,100", "CHILD=R,100,600", "", "[S1]", "TYPE=BKLITEM", "RECT=200,200", "SPDRMODE=BKSOUND", "PENSIZE=1",
    "SPDRBKCOLOR=16777215", "IMGNAME=SOUND1", "", "[S2]", "TYPE=BKLITEM", "RECT=200,200", "SPDRMODE=BKSOUND",
    "PENSIZE=1", "SPDRBKCOLOR=16777215", "IMGNAME=SOUND2", "", "[S3]", "TYPE=BKLITEM", "RECT=200,200",
    "SPDRMODE=BKSOUND", "PENSIZE=1", "SPDRBKCOLOR=16777215", "IMGNAME=SOUND1", "", "[R]", "TYPE=BKLITEM",
    "RECT=300,100", "SPDRMODE=SpFRect", "PENSIZE=1", "SPDRFGCOLOR=255", "SPDRBKCOLOR=16777215", "IMGNAME=sound2"};

std::unique_ptr<TDPRptItem> LoadPage(const QStringList& lines)
{
    Param_Obj params;
    params.LoadFromLines(lines);
    TBkLayerIt::RegisterItemType();
    std::unique_ptr<TDPRptItem> root = DPRpt_CreateItem("MAINRECT", params);
    if (root)
        root->SetScale(1.0f);
    return root;
}

TBkLayerIt* Marker(TDPRptItem& root, const char* name)
{
    return dynamic_cast<TBkLayerIt*>(root.FindByName(name));
}

QImage DrawPage(TDPRptItem& root)
{
    QImage page(1000, 800, QImage::Format_RGB32);
    page.fill(qRgb(200, 200, 200));
    QPainter painter(&page);
    SurfaceDrawing drawing;
    drawing.surface = &page;
    drawing.scale = 1.0f;
    DrawReportTree(root, painter, drawing);
    return page;
}

} // namespace

class TestBackgroundLayer : public QObject {
    Q_OBJECT

private slots:
    void worksheetsKnowMarkers();
    void loadsAndSavesBackUnchanged();
    void pictureNames();
    void drawsWithAndWithoutPicture();
    void hitTest();
    void proportionalResize();
    void modeRestoredAfterBaseOperations();
};

void TestBackgroundLayer::worksheetsKnowMarkers()
{
    // Runs first: nothing has registered the marker type yet. A worksheet
    // does it before any work file loads, so markers are never dropped.
    QVERIFY(!ItemTypeRegistry::Instance().IsRegistered("BKLITEM"));
    TEP_Doc doc;
    QVERIFY(ItemTypeRegistry::Instance().IsRegistered("BKLITEM"));
    std::unique_ptr<TDPRptItem> marker = ItemTypeRegistry::Instance().CreateByType("BKLITEM");
    QVERIFY(dynamic_cast<TBkLayerIt*>(marker.get()));
    const std::unique_ptr<TDPRptItem> empty = marker->CreateEmpty();
    const TDPRptItem& made = *empty;
    QCOMPARE(typeid(made), typeid(TBkLayerIt));
}

void TestBackgroundLayer::loadsAndSavesBackUnchanged()
{
    QStringList file = kWorkFile;
    file[file.indexOf("IMGNAME=SOUND1", file.indexOf("[S3]"))] = "IMGNAME=sound3";
    std::unique_ptr<TDPRptItem> root = LoadPage(file);
    QVERIFY(root);
    QCOMPARE(root->ChildCount(), 4);
    QStringList saved;
    QVERIFY(SaveToLines(root.get(), saved));
    QCOMPARE(saved, kWorkFile); // sound3 names the first picture
    std::unique_ptr<TDPRptItem> again = LoadPage(saved);
    QStringList savedAgain;
    SaveToLines(again.get(), savedAgain);
    QCOMPARE(savedAgain, saved);
}

void TestBackgroundLayer::pictureNames()
{
    QStringList file = kWorkFile;
    file[file.indexOf("IMGNAME=SOUND2")] = " IMGNAME = sound2 ";
    std::unique_ptr<TDPRptItem> root = LoadPage(file);
    QCOMPARE(Marker(*root, "S2")->PictureName, QString("SOUND2"));
    QCOMPARE(*Marker(*root, "S2")->Picture(), BackgroundPictures::Picture("SOUND2"));
    QCOMPARE(*Marker(*root, "S1")->Picture(), BackgroundPictures::Picture("SOUND1"));
    QVERIFY(BackgroundPictures::Picture("SOUND1") != BackgroundPictures::Picture("SOUND2"));
    QCOMPARE(Marker(*root, "S1")->ModeName(), QString("BKSOUND"));
    QCOMPARE(Marker(*root, "S1")->SpDrMode, 16);
    // Another mode keeps its line but has no picture.
    QCOMPARE(Marker(*root, "R")->PictureName, QString("sound2"));
    QVERIFY(!Marker(*root, "R")->Picture());
    QCOMPARE(Marker(*root, "R")->TypeName(), QString("BKLITEM"));
}

void TestBackgroundLayer::drawsWithAndWithoutPicture()
{
    std::unique_ptr<TDPRptItem> root = LoadPage(kWorkFile);
    static_cast<TDPRptRect*>(root.get())->Transparent = true; // the grey page shows around the markers
    QImage page = DrawPage(*root);
    QCOMPARE(page.pixel(99, 99), qRgb(200, 200, 200));
    QCOMPARE(page.pixel(101, 101), qRgb(255, 255, 255)); // white behind the picture's transparent corner
    bool blue = false;
    for (int x = 100; x < 300 && !blue; ++x)
        blue = page.pixelColor(x, 200).blue() > 120 && page.pixelColor(x, 200).red() < 80;
    QVERIFY(blue); // the first loudspeaker is blue
    QCOMPARE(page.pixel(150, 650), qRgb(255, 0, 0)); // the filled rectangle of mode SpFRect

    const QImage first = BackgroundPictures::Picture("SOUND1");
    BackgroundPictures::SetPicture("SOUND1", QImage());
    page = DrawPage(*root);
    BackgroundPictures::SetPicture("SOUND1", first);
    QCOMPARE(page.pixel(200, 200), qRgb(255, 0, 0)); // no picture: red
    QCOMPARE(page.pixel(99, 99), qRgb(200, 200, 200));
}

void TestBackgroundLayer::hitTest()
{
    std::unique_ptr<TDPRptItem> root = LoadPage(kWorkFile);
    const TBkLayerIt* marker = Marker(*root, "S1");
    QCOMPARE(marker->HitDistance(100, 100), 0);
    QCOMPARE(marker->HitDistance(299, 299), 0);
    QCOMPARE(marker->HitDistance(300, 200), 10000); // just outside
    QCOMPARE(marker->HitDistance(99, 200), 10000);
    QCOMPARE(marker->HandleAt(299, 299), 3); // handles as a rectangle
}

void TestBackgroundLayer::proportionalResize()
{
    std::unique_ptr<TDPRptItem> root = LoadPage(kWorkFile);
    TBkLayerIt* marker = Marker(*root, "S1"); // 200 x 200 px, square pictures
    HandleDrag drag;
    QVERIFY(marker->DragHandle(3, 20, -50, false, drag));
    QCOMPARE(drag.rect, QRect(100, 100, 220, 220)); // the height follows the width
    QVERIFY(marker->DragHandle(1, -10, 99, false, drag));
    QCOMPARE(drag.rect, QRect(90, 90, 210, 210));
    QVERIFY(marker->DragHandle(2, 10, 0, false, drag));
    QCOMPARE(drag.rect, QRect(100, 90, 210, 210));
    QVERIFY(marker->DragHandle(4, 10, 0, false, drag));
    QCOMPARE(drag.rect, QRect(110, 100, 190, 190));
    QVERIFY(!marker->DragHandle(5, 10, 0, false, drag));

    QVERIFY(marker->DragHandle(3, -179, 0, true, drag));
    QVERIFY(marker->ApplyHandleDrag(drag));
    QCOMPARE(marker->Width, 21.0f);
    QCOMPARE(marker->Height, 21.0f);
    QCOMPARE(marker->SpDrMode, int(TBkLayerIt::BkSound));
    QVERIFY(!marker->DragHandle(3, -1, 0, false, drag)); // 20 pixels: refused
    QVERIFY(!marker->ApplyHandleDrag(drag)); // computed before the resize: refused
    QCOMPARE(marker->Width, 21.0f);

    // Other modes resize as special drawings.
    TBkLayerIt* rect = Marker(*root, "R");
    QVERIFY(rect->DragHandle(3, 20, 5, false, drag));
    QCOMPARE(drag.rect.size(), QSize(320, 105));
}

void TestBackgroundLayer::modeRestoredAfterBaseOperations()
{
    std::unique_ptr<TDPRptItem> root = LoadPage(kWorkFile);
    TBkLayerIt* marker = Marker(*root, "S1");
    marker->EditState.SelectionVisible = true;
    const QImage page = DrawPage(*root);
    QCOMPARE(page.pixel(200, 100), qRgb(0, 128, 0)); // selection frame of a rectangle
    QCOMPARE(marker->SpDrMode, 16);
    QCOMPARE(marker->ShapeMode(), int(TDPRptSpDr::SpRect)); // a rectangle for handles and frame
    QCOMPARE(marker->HandleRects.size(), 4);
    QPoint point;
    QVERIFY(marker->HandlePoint(3, point));
    QCOMPARE(marker->SpDrMode, 16);
}

QTEST_MAIN(TestBackgroundLayer)
#include "tst_backgroundlayer.moc"
