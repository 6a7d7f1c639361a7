// Work files with absurd numbers (a forged or damaged file): a drawing costs
// what the visible part of the page costs, never what the numbers claim.
// Each row draws an A4 page at 300 dpi and on screen; the test finishes (no
// loop over the claimed size) and its memory stays within a page's worth.
#include "../JpegFixtures.h"
#include "../TestFiles.h"
#include "params/Param_Obj.h"
#include "report/DefinitionFile.h"
#include "report/ReportCanvas.h"
#include "report/ReportDrawing.h"
#include "report/TDPRptItem.h"
#include "report/TDPRptVText.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

// Under AddressSanitizer freed surfaces stay resident in its quarantine:
// there the test shows that drawings finish and paint, not what they keep.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMemoryMeasured = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kMemoryMeasured = false;
#else
constexpr bool kMemoryMeasured = true;
#endif
#else
constexpr bool kMemoryMeasured = true;
#endif

// The process's peak resident memory, in megabytes.
double PeakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// An A4 page of work holding one item "D" at (200, 300).
std::unique_ptr<TDPRptItem> Page(const QStringList& item)
{
    Param_Obj params;
    params.LoadFromLines(QStringList {"[MAINRECT]", "TYPE=RECT", "RECT=2000,2829", "CHILD=D,200,300", "[D]"} + item);
    return DPRpt_CreateItem(QStringLiteral("MAINRECT"), params);
}

QImage Draw(TDPRptItem& root, QSize size, float scale)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(kWhite);
    QPainter painter(&image);
    SurfaceDrawing drawing;
    drawing.surface = &image;
    drawing.scale = scale;
    DrawReportTree(root, painter, drawing);
    return image;
}

} // namespace

class TestAbsurdNumbers : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void drawingCostFollowsTheVisibleArea_data();
    void drawingCostFollowsTheVisibleArea();
    void verticalTextDrawsItsVisiblePart_data();
    void verticalTextDrawsItsVisiblePart();

private:
    double m_baseline = 0;
    QTemporaryDir m_dir;
};

void TestAbsurdNumbers::initTestCase()
{
    // What an ordinary page costs: the two surfaces and the fonts.
    std::unique_ptr<TDPRptItem> root = Page({"TYPE=TEXT", "RECT=500,100", "VALUE=Bonjour"});
    QVERIFY(root);
    QVERIFY(TestFiles::WriteBytes(m_dir.filePath("picture.jpg"), JpegFixtures::Jpeg(64, 64)));
    Draw(*root, QSize(2480, 3508), 300 / 254.0f);
    Draw(*root, QSize(794, 1123), 96 / 254.0f);
    m_baseline = PeakMegabytes();
}

void TestAbsurdNumbers::drawingCostFollowsTheVisibleArea_data()
{
    QTest::addColumn<QStringList>("item");
    // A pixel of the 300 dpi page the item must paint (the visible part is
    // still drawn), and its expected colour.
    QTest::addColumn<QPoint>("painted");
    QTest::addColumn<QRgb>("colour");
    const QString huge = QStringLiteral("2000000000");
    const QString hugeRect = QStringLiteral("RECT=%1,%1").arg(huge);
    QTest::newRow("text padded to 100,000,000 cells") << QStringList {"TYPE=TEXT", "RECT=1500,200", "CHARWIDTH=50",
        "CHARHEIGHT=100", "TEXTDRAWMODE=(CUSTOMDRAW[BOTTOMBD:BOLD,BSEP:MAX,BCOLOR:0])", "STRINGFMT=(PAD:100000000)",
        "VALUE=abc"} << QPoint(1200, 470) << qRgb(0, 0, 0); // the bottom border under the far cells
    QTest::newRow("right-aligned text padded to 100,000,000 cells")
        << QStringList {"TYPE=TEXT", "RECT=1500,200", "CHARWIDTH=50", "CHARHEIGHT=100", "TEXTHALIGN=HRIGHTALIGN",
               "TEXTDRAWMODE=(CUSTOMDRAW[BOTTOMBD:BOLD,BSEP:MAX,BCOLOR:0])", "STRINGFMT=(PAD:100000000)", "VALUE=abc"}
        << QPoint(1200, 470) << qRgb(0, 0, 0);
    QTest::newRow("cells 2,000,000,000 units wide") << QStringList {"TYPE=TEXT", "RECT=1500,200", "CHARWIDTH=" + huge,
        "CHARHEIGHT=100", "TEXTDRAWMODE=(CUSTOMDRAW[BOTTOMBD:BOLD,BCOLOR:0])", "STRINGFMT=(PAD:1000)", "VALUE=abc"}
                                                    << QPoint(1200, 470) << qRgb(0, 0, 0);
    QTest::newRow("outlined rectangle, its pen as large")
        << QStringList {"TYPE=SPDR", hugeRect, "SPDRMODE=SpRect", "PENSIZE=" + huge, "SPDRFGCOLOR=255"}
        << QPoint(2000, 3000) << qRgb(255, 0, 0);
    QTest::newRow("filled rectangle with outline, its pen as large")
        << QStringList {"TYPE=SPDR", hugeRect, "SPDRMODE=SpFBRect", "PENSIZE=" + huge, "SPDRFGCOLOR=255"}
        << QPoint(2000, 3000) << qRgb(255, 0, 0);
    QTest::newRow("brackets, their pen as large")
        << QStringList {"TYPE=SPDR", hugeRect, "SPDRMODE=SpBrackets", "PENSIZE=" + huge, "SPDRFGCOLOR=255"}
        << QPoint(2000, 3000) << qRgb(255, 0, 0);
    QTest::newRow("ellipse ring, its pen as large")
        << QStringList {"TYPE=SPDR", hugeRect, "SPDRMODE=SpFBCircle", "PENSIZE=" + huge, "SPDRFGCOLOR=255"}
        << QPoint(-1, -1) << kWhite;
    QTest::newRow("ellipse outline, its pen as large")
        << QStringList {"TYPE=SPDR", hugeRect, "SPDRMODE=SpBCircle", "PENSIZE=" + huge, "SPDRFGCOLOR=255"}
        << QPoint(-1, -1) << kWhite;
    QTest::newRow("cross, its pen as large")
        << QStringList {"TYPE=SPDR", hugeRect, "SPDRMODE=SpCross", "PENSIZE=" + huge, "SPDRFGCOLOR=255"}
        << QPoint(-1, -1) << kWhite;
    QTest::newRow("borders as wide") << QStringList {"TYPE=RECT", hugeRect,
        "TOPBORDERS=(BORDER:1,STYLE:SOLID,WIDTH:" + huge + ",COLOR:255)(BORDER:2,STYLE:SOLID,WIDTH:" + huge
            + ",COLOR:0)"} << QPoint(2000, 3000)
                                     << qRgb(0, 0, 0); // the outer level, from the top edge
    QTest::newRow("text in a font 100,000,000 units high")
        << QStringList {"TYPE=TEXT", "RECT=1500,200", "FONT=100000000,Arial", "VALUE=Bonjour"} << QPoint(-1, -1)
        << kWhite;
    QTest::newRow("vertical text in a font 100,000,000 units high") << QStringList {"TYPE=VTEXT", "RECT=400,1500",
        "FONT=100000000,Arial", "VALUE=Bonjour"} << QPoint(-1, -1) << kWhite;
    // The picture's red top-left quarter covers the whole page.
    QTest::newRow("picture 100,000 units wide")
        << QStringList {"TYPE=IMG", "RECT=100000,100000", "IMGNAME=" + m_dir.filePath("picture.jpg")}
        << QPoint(2000, 3000) << qRgb(254, 0, 0);
    QTest::newRow("vertical text 100,000 units wide") << QStringList {"TYPE=VTEXT", "RECT=100000,1500", "FONT=40,Arial",
        "VALUE=Texte vertical"} << QPoint(-1, -1) << kWhite;
    QTest::newRow("vertical text 100,000 units high, read upwards") << QStringList {"TYPE=VTEXT", "RECT=400,100000",
        "FONT=40,Arial", "VTMODE=FROMBOTTOMTOTOP", "VALUE=Texte vertical"}
                                                                    << QPoint(-1, -1) << kWhite;
}

void TestAbsurdNumbers::drawingCostFollowsTheVisibleArea()
{
    QFETCH(QStringList, item);
    QFETCH(QPoint, painted);
    QFETCH(QRgb, colour);
    std::unique_ptr<TDPRptItem> root = Page(item);
    QVERIFY(root);
    QCOMPARE(root->ChildCount(), 1);
    const QImage page = Draw(*root, QSize(2480, 3508), 300 / 254.0f);
    Draw(*root, QSize(794, 1123), 96 / 254.0f);
    Draw(*root, QSize(1191, 1685), 144 / 254.0f);
    if (painted.x() >= 0)
        QCOMPARE(page.pixel(painted), colour);
    const double grown = PeakMegabytes() - m_baseline;
    QVERIFY2(!kMemoryMeasured || grown < 64, qPrintable(QStringLiteral("%1 MB more than an ordinary page").arg(grown)));
}

void TestAbsurdNumbers::verticalTextDrawsItsVisiblePart_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QPoint>("place"); // of the item on a page 1000 x 1000
    for (const char* mode : {"FROMTOPTOBOTTOM", "FROMBOTTOMTOTOP"}) {
        QTest::addRow("%s, whole", mode) << mode << QPoint(100, 100);
        QTest::addRow("%s, past the right edge", mode) << mode << QPoint(900, 100);
        QTest::addRow("%s, past the bottom edge", mode) << mode << QPoint(100, 700);
    }
}

void TestAbsurdNumbers::verticalTextDrawsItsVisiblePart()
{
    // The part made is exactly the part of the whole turned line that shows.
    QFETCH(QString, mode);
    QFETCH(QPoint, place);
    Param_Obj params;
    params.LoadFromLines({"[MAINRECT]", "TYPE=RECT", "RECT=1000,1000",
        QStringLiteral("CHILD=V,%1,%2").arg(place.x()).arg(place.y()), "[V]", "TYPE=VTEXT", "RECT=300,500",
        "FONT=30,Arial,COLOR:255", "VTMODE=" + mode, "COLORS=BACK:65535", "VALUE=Texte vertical"});
    std::unique_ptr<TDPRptItem> root = DPRpt_CreateItem(QStringLiteral("MAINRECT"), params);
    QVERIFY(root && root->ChildCount() == 1);
    const QImage drawn = Draw(*root, QSize(1000, 1000), 1.0f);

    // The whole line turned, as a reference, clipped to the page.
    auto* item = dynamic_cast<TDPRptVText*>(root->ChildAt(0));
    const QRect placed = item->ScreenRect;
    QImage line(placed.height(), placed.width(), QImage::Format_ARGB32_Premultiplied);
    line.fill(item->BackColors[0].ToQColor());
    QImage reference(1000, 1000, QImage::Format_RGB32);
    reference.fill(kWhite);
    QPainter painter(&reference);
    const QFont font = ReportCanvas(painter).FontFor(item->Font);
    {
        QPainter writer(&line);
        writer.setFont(font);
        writer.setPen(item->Font.Color.ToQColor());
        writer.drawText(2, QFontMetrics(font).ascent(), item->Value);
    }
    painter.setClipRect(placed & QRect(0, 0, 1000, 1000));
    painter.drawImage(placed.topLeft(), line.transformed(QTransform().rotate(mode == "FROMBOTTOMTOTOP" ? 270 : 90)));
    painter.end();
    QCOMPARE(drawn, reference);
}

QTEST_MAIN(TestAbsurdNumbers)
#include "tst_absurdnumbers.moc"
