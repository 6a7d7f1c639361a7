// Text and vertical text items: file keys, layout and drawing.
#include "params/Param_Obj.h"
#include "report/DefinitionFile.h"
#include "report/ReportCanvas.h"
#include "report/TDPRptPrintParams.h"
#include "report/TDPRptText.h"
#include "report/TDPRptVText.h"
#include "report/TextLayout.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <memory>

namespace {

Param_Obj Params(const QStringList& lines)
{
    Param_Obj params;
    params.LoadFromLines(lines);
    return params;
}

// The item's own section as SaveToLines writes it, without the heading.
QStringList SavedKeys(TDPRptItem& item)
{
    item.SetScale(1.0f);
    QStringList lines;
    SaveToLines(&item, lines);
    return lines.mid(1);
}

template <typename Item> std::unique_ptr<Item> Load(const QStringList& keys, const char* type = "TEXT")
{
    auto item = std::make_unique<Item>();
    if (!DPRpt_Load(item.get(), "T", Params(QStringList {"[T]", QStringLiteral("TYPE=%1").arg(type)} + keys)))
        return nullptr;
    return item;
}

// Bounding box of the pixels that are not white.
QRect Ink(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                box |= QRect(x, y, 1, 1);
    return box;
}

QImage Draw(TDPRptItem& item, QSize size = QSize(400, 200))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    ReportCanvas canvas(painter, 96);
    item.DrawAt(image.rect(), canvas, nullptr, 1.0f);
    painter.end();
    return image;
}

QFont Courier10()
{
    return ReportCanvas::FontAt(FontDescription(), 96);
}

} // namespace

class TestTextItems : public QObject {
    Q_OBJECT

private slots:
    void defaults();
    void keysRoundTrip_data();
    void keysRoundTrip();
    void readingRules();
    void valueEdgeCases_data();
    void valueEdgeCases();
    void verticalPlacement_data();
    void verticalPlacement();
    void horizontalPlacement_data();
    void horizontalPlacement();
    void wordWrap();
    void cells();
    void wordCellsKeepTheirPitch_data();
    void wordCellsKeepTheirPitch();
    void drawsWhereLaidOut_data();
    void drawsWhereLaidOut();
    void caret();
    void verticalText();
};

void TestTextItems::defaults()
{
    TDPRptText text;
    QCOMPARE(text.VAlignFlags, 8);
    QCOMPARE(text.VOffset, 0.0f);
    QCOMPARE(text.HMargin, 20.0f);
    QCOMPARE(text.Font.Name, QString("Courier New"));
    QCOMPARE(text.Font.Size, 10);
    QCOMPARE(text.Kind(), 6);
    QVERIFY(text.WordWrap);
    QCOMPARE(TDPRptText::DefaultOffset(TextLayout::VBottom | TextLayout::VLetter), 16.0f);
    QCOMPARE(TDPRptText::DefaultOffset(TextLayout::VLetter), 44.0f);
    QCOMPARE(TDPRptText::DefaultOffset(TextLayout::VTop), 60.0f);
    QCOMPARE(TDPRptText::DefaultOffset(TextLayout::VBottom | TextLayout::VDefault), 60.0f);
    QCOMPARE(TDPRptText::DefaultOffset(TextLayout::VBottom | TextLayout::VTop), 0.0f);
    QVERIFY(text.SetValue({QStringLiteral("abc")}));
    QCOMPARE(text.GetValue().toString(), QString("abc"));
    QVERIFY(!text.SetValue({12}));
    QVERIFY(!text.SetValue({QStringLiteral("a"), QStringLiteral("b")}));
    std::unique_ptr<TDPRptItem> byKind = DPRpt_CreateItemByKind(10);
    QCOMPARE(byKind->TypeName(), QString("VTEXT"));
}

void TestTextItems::keysRoundTrip_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::newRow("plain") << QStringList {"RECT=400,100", "FONT=10,Courier New", "VALUE=abc"};
    QTest::newRow("every key") << QStringList {"RECT=400,100", "TRANSPARENT=YES",
        "FONT=12,Arial Narrow,Bold,Italic,Underline,StrikeOut,COLOR:255",
        "TEXTVALIGN=VBOTTOM,VOFFSET:33,VWRITEPOS:LETTER,WORDWRAP:FALSE", "TEXTHALIGN=HMARGIN:5,HCENTERED",
        "CHARWIDTH=50", "WORDWIDTH=80", "CHARHEIGHT=70", "STRINGFMT=(PAD:6)",
        "TEXTDRAWMODE=(CUSTOMDRAW[LEFTBD:NORMAL,RIGHTBD:BOLD,BOTTOMBD:7,BSEP:HALF,BCOLOR:0])", "VALUE=a;b=c"};
    QTest::newRow("bottom half") << QStringList {
        "RECT=400,100", "FONT=10,Arial", "TEXTHALIGN=HRIGHTALIGN", "TEXTDRAWMODE=(BOTTOMHALFRECT)", "VALUE=x, y"};
    QTest::newRow("leading space, two lines")
        << QStringList {"RECT=400,100", "FONT=10,Arial", "TEXTVALIGN=VWRITEPOS:TOP", "VALUE=\" deux¶lignes\""};
    QTest::newRow("empty custom draw") << QStringList {
        "RECT=400,100", "FONT=10,Arial", "TEXTDRAWMODE=(CUSTOMDRAW[])", "VALUE="};
}

void TestTextItems::keysRoundTrip()
{
    QFETCH(QStringList, keys);
    auto text = Load<TDPRptText>(keys);
    QVERIFY(text);
    QCOMPARE(SavedKeys(*text), QStringList {"TYPE=TEXT"} + keys);
}

void TestTextItems::readingRules()
{
    auto text = Load<TDPRptText>({"RECT=400,100", "TEXTVALIGN=vbottom,vwritepos:letter"});
    QCOMPARE(text->VAlignFlags, 1 + 16);
    QCOMPARE(text->VOffset, 16.0f);
    QVERIFY(!SavedKeys(*text).contains("VOFFSET", Qt::CaseInsensitive));

    text = Load<TDPRptText>({"RECT=400,100", "TEXTVALIGN=VOFFSET:44.4,VWRITEPOS:LETTER,WORDWRAP:NO"});
    QCOMPARE(text->VAlignFlags, 16); // 44 is the default: no explicit offset
    QVERIFY(text->WordWrap);
    text = Load<TDPRptText>({"RECT=400,100", "TEXTVALIGN=VOFFSET:-3"});
    QCOMPARE(text->VOffset, 0.0f);
    text = Load<TDPRptText>({"RECT=400,100", "TEXTVALIGN=VOFFSET:12,5"});
    QCOMPARE(text->VOffset, 12.0f);
    QCOMPARE(text->VAlignFlags, 8 + 2);

    const QStringList ignored = SavedKeys(*Load<TDPRptText>({"RECT=400,100", "TEXTHALIGN=HMARGIN:20", "STRINGFMT=PAD:3",
        "CHARWIDTH=0", "WORDWIDTH=0,05", "FONT=0,Arial,Bold", "TEXTDRAWMODE=(OTHER)"}));
    QCOMPARE(ignored, (QStringList {"TYPE=TEXT", "RECT=400,100", "FONT=10,Courier New", "VALUE="}));

    text = Load<TDPRptText>({"RECT=400,100", "STRINGFMT=(PAD:-2)", "CHARWIDTH=12,6",
        "TEXTDRAWMODE=(CUSTOMDRAW[BSEP:WIDE,BCOLOR:red,LEFTBD:x])"});
    QCOMPARE(text->Pad, 0);
    QCOMPARE(text->CharWidth, 12.6f);
    QCOMPARE(text->TextDrawMode, int(TDPRptText::CustomDraw));
    QCOMPARE(text->CellSeparator, int(TDPRptText::NoSeparator));
    QCOMPARE(text->CellBorderColor.Value(), quint32(0xFFFFFF));
    QVERIFY(SavedKeys(*text).contains("CHARWIDTH=13"));
}

void TestTextItems::valueEdgeCases_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("line");
    QTest::newRow("separators") << "a;b=c, d"
                                << "VALUE=a;b=c, d";
    QTest::newRow("leading space") << " x"
                                   << "VALUE=\" x\"";
    QTest::newRow("trailing space") << "x "
                                    << "VALUE=\"x \"";
    QTest::newRow("two lines") << "abc¶def"
                               << "VALUE=abc¶def";
    QTest::newRow("quotes at both ends") << "\"cité\""
                                         << "VALUE=\"\"cité\"\"";
    QTest::newRow("quote inside") << "l\"a"
                                  << "VALUE=l\"a";
    QTest::newRow("outside Windows-1252") << "你好 😀"
                                          << "VALUE=你好 😀";
}

void TestTextItems::valueEdgeCases()
{
    QFETCH(QString, value);
    QFETCH(QString, line);
    TDPRptText text;
    text.Name = "T";
    text.Width = 100;
    text.Height = 100;
    text.Value = value;
    const QStringList saved = SavedKeys(text);
    QCOMPARE(saved.last(), line);
    auto reloaded = Load<TDPRptText>(saved.mid(1));
    QVERIFY(reloaded);
    QCOMPARE(reloaded->Value, value);

    text.Value = "un\r\ndeux\ntrois"; // a pasted line break never cuts the file's line
    QCOMPARE(SavedKeys(text).last(), QString("VALUE=un¶deux¶trois"));
}

void TestTextItems::verticalPlacement_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("lift"); // in line heights: 0, 1 (TOP) or -1 (LETTER)
    QTest::addColumn<bool>("fromBottom");
    QTest::newRow("default") << 8 << 0 << 0 << false;
    QTest::newRow("top") << 4 << 60 << 1 << false;
    QTest::newRow("letter") << 16 << 44 << -1 << false;
    QTest::newRow("bottom") << 9 << 60 << 0 << true;
    QTest::newRow("bottom, top") << 5 << 0 << 1 << true;
    QTest::newRow("bottom, letter") << 17 << 16 << -1 << true;
}

void TestTextItems::verticalPlacement()
{
    QFETCH(int, flags);
    QFETCH(int, offset);
    QFETCH(int, lift);
    QFETCH(bool, fromBottom);
    const QFontMetrics metrics(Courier10());
    const int h = metrics.height();
    const int subtract = lift == 1 ? h : lift == -1 ? qRound(h * 0.73333335) : 0;
    TextLayout::Settings settings;
    settings.rect = QRect(10, 20, 400, 200);
    settings.vAlign = flags;
    settings.offset = offset;
    const TextLayout layout("un¶deux", metrics, settings);
    const int y = fromBottom ? 219 - offset - subtract : 20 + offset - subtract;
    QCOMPARE(layout.Lines().size(), 2);
    QCOMPARE(layout.Lines()[0].y, y);
    QCOMPARE(layout.Lines()[1].y, y + h);
    QCOMPARE(layout.Lines()[1].start, 3);
}

void TestTextItems::horizontalPlacement_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("x");
    const int w = QFontMetrics(Courier10()).horizontalAdvance(QLatin1Char('x')) * 4;
    QTest::newRow("left") << 0 << "xxxx" << 10 + 7;
    QTest::newRow("right") << 1 << "xxxx" << 409 - w - 7 - 1;
    QTest::newRow("centred") << 2 << "xxxx" << 10 + (400 - w) / 2;
    QTest::newRow("centred, too wide: left") << 2 << QString(200, 'x') << 10 + 7;
}

void TestTextItems::horizontalPlacement()
{
    QFETCH(int, flags);
    QFETCH(QString, text);
    QFETCH(int, x);
    TextLayout::Settings settings;
    settings.rect = QRect(10, 20, 400, 200);
    settings.margin = 7;
    settings.hAlign = flags;
    settings.wordWrap = false;
    const TextLayout layout(text, QFontMetrics(Courier10()), settings);
    QCOMPARE(layout.Lines()[0].x, x);
}

void TestTextItems::wordWrap()
{
    const QFontMetrics metrics(Courier10());
    const int advance = metrics.horizontalAdvance(QLatin1Char('x'));
    TextLayout::Settings settings;
    settings.rect = QRect(0, 0, advance * 12 + 20, 200); // room for 11 characters and a bit
    settings.margin = 10;
    const TextLayout layout("le chat dort sur le tapis¶abcdefghijklmnopqrstuvwxyz", metrics, settings);
    QStringList lines;
    for (const TextLayout::Line& line : layout.Lines()) {
        lines << line.text;
        QVERIFY(line.width < advance * 12);
    }
    QCOMPARE(lines, (QStringList {"le chat", "dort sur le", "tapis", "abcdefghijk", "lmnopqrstuv", "wxyz"}));
    QCOMPARE(layout.Lines()[1].start, 8); // the space at the break is dropped
    QCOMPARE(layout.Lines()[3].start, 26);

    settings.wordWrap = false;
    QCOMPARE(TextLayout("le chat dort sur le tapis", metrics, settings).Lines().size(), 1);
}

void TestTextItems::cells()
{
    TextLayout::Settings settings;
    settings.rect = QRect(0, 0, 400, 100);
    settings.margin = 5;
    settings.cellWidth = 20;
    settings.pad = 4;
    const TextLayout layout("ab", QFontMetrics(Courier10()), settings);
    QCOMPARE(layout.Lines()[0].text, QString("ab"));
    QCOMPARE(layout.Lines()[0].cells, 4); // padded by cells, not by text
    QCOMPARE(layout.Lines()[0].width, 80);
    QCOMPARE(layout.CharLeft(layout.Lines()[0], 3), 65);

    // Cell borders: black bottom band under six cells of 30 px at scale 0.5.
    auto text
        = Load<TDPRptText>({"RECT=400,200", "TRANSPARENT=YES", "TEXTHALIGN=HMARGIN:0", "CHARWIDTH=60", "CHARHEIGHT=100",
            "STRINGFMT=(PAD:6)", "TEXTDRAWMODE=(CUSTOMDRAW[BOTTOMBD:BOLD,BSEP:MAX,BCOLOR:0])", "VALUE=ab"});
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    ReportCanvas canvas(painter, 48);
    text->DrawAt(image.rect(), canvas, nullptr, 0.5f);
    painter.end();
    QCOMPARE(image.pixel(100, 49), qRgb(0, 0, 0)); // bold bottom band: 2 px at half scale
    QCOMPARE(image.pixel(100, 48), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(100, 47), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(179, 49), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(181, 49), qRgb(255, 255, 255)); // six cells end at 180
    QCOMPARE(image.pixel(90, 10), qRgb(0, 0, 0)); // separator between cells 3 and 4
}

void TestTextItems::wordCellsKeepTheirPitch_data()
{
    QTest::addColumn<int>("wordWidth");
    QTest::addColumn<int>("dpi");
    // Where each word's ink starts, from the first word's: word i starts at
    // round(i x width x scale), never i x round(width x scale).
    QTest::addColumn<QList<int>>("lefts");
    QTest::newRow("105 units at 96 dpi (39.69 px a word)")
        << 105 << 96 << QList<int> {0, 40, 79, 119, 159, 198, 238, 278, 317};
    QTest::newRow("80 units at 300 dpi (94.49 px a word)") << 80 << 300 << QList<int> {0, 94, 189, 283, 378};
}

void TestTextItems::wordCellsKeepTheirPitch()
{
    QFETCH(int, wordWidth);
    QFETCH(int, dpi);
    QFETCH(QList<int>, lefts);
    QStringList words;
    words.fill(QStringLiteral("I"), lefts.size());
    auto text = Load<TDPRptText>({"RECT=2000,200", "TEXTHALIGN=HMARGIN:0", "FONT=12,Arial",
        QStringLiteral("WORDWIDTH=%1").arg(wordWidth), "VALUE=" + words.join(QLatin1Char(','))});
    QVERIFY(text);
    QImage image(800, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    ReportCanvas canvas(painter, dpi);
    text->DrawAt(image.rect(), canvas, nullptr, float(dpi / 254.0));
    painter.end();

    // The starts of the ink runs across the middle of the letters.
    const int row = Ink(image).center().y();
    QList<int> starts;
    for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, row) != qRgb(255, 255, 255) && (x == 0 || image.pixel(x - 1, row) == qRgb(255, 255, 255)))
            starts << x;
    QCOMPARE(starts.size(), lefts.size());
    for (int i = 0; i < starts.size(); ++i)
        QCOMPARE(starts[i] - starts[0], lefts[i]);
}

void TestTextItems::drawsWhereLaidOut_data()
{
    QTest::addColumn<QString>("align");
    QTest::newRow("left") << "";
    QTest::newRow("right") << "HRIGHTALIGN";
    QTest::newRow("centred") << "HCENTERED";
}

void TestTextItems::drawsWhereLaidOut()
{
    QFETCH(QString, align);
    auto text = Load<TDPRptText>({"RECT=400,200", "FONT=20,Arial", "TEXTHALIGN=" + align, "VALUE=Hello"});
    QVERIFY(text);
    const QImage image = Draw(*text);
    const QRect ink = Ink(image);
    const QFontMetrics metrics(ReportCanvas::FontAt(text->Font, 96));
    const int width = metrics.horizontalAdvance("Hello");
    QVERIFY(ink.top() >= 0 && ink.bottom() < metrics.height());
    if (align.isEmpty())
        QVERIFY(qAbs(ink.left() - 20) <= 3);
    else if (align == "HRIGHTALIGN")
        QVERIFY(qAbs(ink.right() - (399 - 20 - 1)) <= 3);
    else
        QVERIFY(qAbs(ink.center().x() - (200 - 1)) <= 3);
    QVERIFY(ink.width() <= width + 2);
}

void TestTextItems::caret()
{
    auto text = Load<TDPRptText>({"RECT=400,200", "TEXTHALIGN=HMARGIN:0", "VALUE=abcd¶efgh"});
    QVERIFY(text);
    text->SetScale(1.0f);
    const int advance = QFontMetrics(Courier10()).horizontalAdvance(QLatin1Char('a'));
    const int h = QFontMetrics(Courier10()).height();
    QCOMPARE(text->CaretPositionAt(QPoint(advance * 2 + 1, 2), 96), 2);
    QCOMPARE(text->CaretPositionAt(QPoint(advance * 3 - 1, h + 2), 96), 8);
    QCOMPARE(text->CaretPositionAt(QPoint(1000, 1000), 96), 9);
    // Larger fonts on a surface of higher resolution: fewer characters
    // before the same point.
    QVERIFY(text->CaretPositionAt(QPoint(advance * 3 + 1, 2), 192) < 3);

    text->EditState.CaretPosition = text->CaretPositionAt(QPoint(advance, 1), 96);
    text->EditState.CaretVisible = true;
    text->Font.Color = RgbColor(0x0000FF);
    const QImage image = Draw(*text);
    QCOMPARE(text->EditState.CaretPosition, 1); // drawing only reads the caret
    QCOMPARE(image.pixel(advance, h - 1), qRgb(255, 0, 0)); // caret bar, full line height
    QCOMPARE(image.pixel(advance + 1, 0), qRgb(255, 0, 0));

    text->EditState.SelectionVisible = true;
    QCOMPARE(Draw(*text).pixel(399, 100), qRgb(0, 128, 0));
    // In the user's look, passed with the drawing's parameters.
    TDPRptPrintParams params;
    params.Selection.frameColor = RgbColor(0x0000FF);
    params.Selection.frameWidth = 2;
    QImage looked(400, 200, QImage::Format_RGB32);
    looked.fill(Qt::white);
    QPainter painter(&looked);
    ReportCanvas canvas(painter, 96);
    text->DrawAt(looked.rect(), canvas, &params, 1.0f);
    painter.end();
    QCOMPARE(looked.pixel(399, 100), qRgb(255, 0, 0));
    QCOMPARE(looked.pixel(398, 100), qRgb(255, 0, 0));
    QCOMPARE(looked.pixel(397, 100), qRgb(255, 255, 255));
}

void TestTextItems::verticalText()
{
    auto text = Load<TDPRptVText>(
        {"RECT=60,300", "FONT=20,Arial,COLOR:255", "VALUE=Vertical", "VTMODE=fromBottomToTop"}, "VTEXT");
    QVERIFY(text);
    QCOMPARE(text->VTMode, int(TDPRptVText::FromBottomToTop));
    QCOMPARE(SavedKeys(*text),
        (QStringList {
            "TYPE=VTEXT", "RECT=60,300", "FONT=20,Arial,COLOR:255", "VALUE=Vertical", "VTMODE=FROMBOTTOMTOTOP"}));
    QRect ink = Ink(Draw(*text, QSize(100, 320)));
    QVERIFY(ink.height() > ink.width() * 2); // written across the item's height
    QVERIFY(ink.right() < 60);
    QVERIFY(ink.bottom() > 250); // upwards: starts at the bottom

    text->VTMode = TDPRptVText::FromTopToBottom;
    ink = Ink(Draw(*text, QSize(100, 320)));
    QVERIFY(ink.top() < 10); // downwards: starts at the top
    QVERIFY(ink.bottom() < 250);
}

QTEST_MAIN(TestTextItems)
#include "tst_textitems.moc"
