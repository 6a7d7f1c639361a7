// Drawings the screen does not show (print, export, preview) leave the page
// on screen as it was: scale, rectangles and hit areas of every item, and
// the editing state of the item a pupil is working on.
#include "TreeGeometry.h"
#include "params/Numbers.h"
#include "params/Param_Obj.h"
#include "report/DefinitionFile.h"
#include "report/ReportDrawing.h"
#include "report/TDPRptSpDr.h"
#include "report/TDPRptText.h"

#include <QImage>
#include <QPainter>
#include <QTest>
#include <memory>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kSelection = 0xFF008000;

// A page with an item of each sort whose geometry follows the scale: text
// (being edited), a relation arrow (its end dots have a size in pixels), a
// polyline, a rectangle in a nested rectangle.
const QStringList kPage {
    "[MAIN]",
    "TYPE=RECT",
    "RECT=2000,2829",
    "CHILD=T,100,100",
    "CHILD=A,300,900",
    "CHILD=L,800,400",
    "CHILD=BOX,1000,1500",
    "[T]",
    "TYPE=TEXT",
    "RECT=600,150",
    "FONT=14,Arial,COLOR:255",
    "TRANSPARENT=YES",
    "VALUE=Bonjour",
    "[A]",
    "TYPE=SPDR",
    "RECT=10,10",
    "SPDRMODE=SpArrow",
    "PENSIZE=6",
    "SPDRLENGTHS=500",
    "SPDRANGLES=30",
    "SPDRARROWTYPE=REL",
    "[L]",
    "TYPE=SPDR",
    "RECT=10,10",
    "SPDRMODE=SpLines",
    "PENSIZE=4",
    "SPDRPOINTS=(0,0)(200,50)(90,300)",
    "[BOX]",
    "TYPE=RECT",
    "RECT=500,500",
    "COLORS=BACK:65535",
    "CHILD=R,37,41",
    "[R]",
    "TYPE=SPDR",
    "RECT=133,77",
    "SPDRMODE=SpFRect",
    "SPDRFGCOLOR=16711680",
};

Param_Obj Params(const QStringList& lines)
{
    Param_Obj params;
    params.LoadFromLines(lines);
    return params;
}

} // namespace

class TestOffScreenDrawing : public QObject {
    Q_OBJECT

private slots:
    void leavesTheScreenAlone_data();
    void leavesTheScreenAlone();
};

void TestOffScreenDrawing::leavesTheScreenAlone_data()
{
    QTest::addColumn<float>("scale");
    QTest::addColumn<int>("nominalResolution");
    // An export at 300 dpi, a page printed at 600 dpi with a divisor of 4,
    // and a small preview.
    QTest::newRow("export") << float(300 / 254.0) << 0;
    QTest::newRow("print") << float(600 / 254.0 / 4) << 150;
    QTest::newRow("preview") << 0.05f << 13;
}

void TestOffScreenDrawing::leavesTheScreenAlone()
{
    QFETCH(float, scale);
    QFETCH(int, nominalResolution);
    std::unique_ptr<TDPRptItem> root = DPRpt_CreateItem("MAIN", Params(kPage));
    QVERIFY(root);
    QCOMPARE(root->ChildCount(), 4);

    // The page at 150 % on a 96 dpi screen, the text lifted onto its edit
    // surface with its caret, the rectangle selected with its handles.
    const float screenScale = float(96 / 254.0 * 1.5);
    QVERIFY(root->SetScale(screenScale));
    auto* text = dynamic_cast<TDPRptText*>(root->FindByName("T"));
    auto* rect = dynamic_cast<TDPRptSpDr*>(root->FindByName("R"));
    QVERIFY(text && rect);
    text->EditState = {true, true, true, false, true, 3};
    rect->EditState.SelectionVisible = true;
    rect->EditState.HandlesShown = true;
    const QStringList screen = TreeGeometry::Of(*root);

    QImage paper(RoundHalfEven(2000 * scale), RoundHalfEven(2829 * scale), QImage::Format_RGB32);
    paper.fill(kWhite);
    QPainter painter(&paper);
    SurfaceDrawing drawing;
    drawing.surface = &paper;
    drawing.scale = scale;
    drawing.nominalResolution = nominalResolution;
    QVERIFY(DrawReportTreeOffScreen(*root, painter, drawing));
    painter.end();

    QCOMPARE(TreeGeometry::Of(*root), screen);

    // The paper has the page as it is: the text being edited is on it, the
    // selection frame is not.
    const QRect textArea(
        RoundHalfEven(100 * scale), RoundHalfEven(100 * scale), RoundHalfEven(600 * scale), RoundHalfEven(150 * scale));
    bool inked = false;
    for (int y = textArea.top(); y <= textArea.bottom() && !inked; ++y)
        for (int x = textArea.left(); x <= textArea.right() && !inked; ++x)
            inked = paper.pixel(x, y) != kWhite;
    QVERIFY(inked);
    const QPoint frameCorner(RoundHalfEven(1037 * scale), RoundHalfEven(1541 * scale));
    QVERIFY(paper.pixel(frameCorner) != kSelection);
}

QTEST_MAIN(TestOffScreenDrawing)
#include "tst_offscreendrawing.moc"
