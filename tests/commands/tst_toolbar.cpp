// The toolbar on the real main window: its lists per mode and item, sizes
// and orientations, the bar moved and sized by its handle, items added by a
// click on the page, the command buttons with their repeat, colours and
// types, and the faults mended on the way.
#include "Screenshots.h"
#include "editor/MainWindowHost.h"

#include "commands/TEP_ToolsBar.h"
#include "commands/TEP_ToolsBarButton.h"
#include "commands/TEP_ToolsBarFrm.h"
#include "commands/TEP_ToolsBarGlyphs.h"
#include "editor/EP_ItEdt.h"
#include "editor/ImageWidget.h"
#include "editor/ItemColors.h"
#include "editor/PageScrollBox.h"
#include "report/TDPRptSpDr.h"
#include "report/TDPRptText.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <algorithm>
#include <cmath>

namespace {
// A bar on the main window over a folder of worksheets, the first one open.
class BarHost : public MainWindowHost {
public:
    explicit BarHost(int pages = 3, const QByteArray& settings = QByteArray(), const QStringList& files = {})
        : MainWindowHost(pages)
    {
        for (const QString& file : files)
            TestFiles::WriteBytes(Folder() + QLatin1Char('/') + file, "RIFF");
        if (!settings.isEmpty()) {
            QDir().mkpath(dir.path() + QStringLiteral("/Documents/Noms"));
            TestFiles::WriteBytes(
                dir.path() + QStringLiteral("/Documents/Noms/XXXX.conf"), "[ARDOISINE]\r\n" + settings + "\r\n");
        }
        started = Start({QStringLiteral("page1")});
        if (started)
            Bar().OnPrint = [this] { ++prints; };
    }
    TEP_ToolsBar& Bar() const { return *frame->ToolsBar(); }
    EP_ItEdt& Editor() const { return frame->Editor(); }
    TEP_ToolsBarButton* Button(const char* name) const { return Bar().Holder->Button(QLatin1String(name)); }
    QWidget& Host() const { return *Bar().HostPanel; }
    ImageWidget& Page() const { return *frame->EditSCBox()->PageImage(); }

    // The buttons on the bar, in their order along it.
    QStringList Shown() const
    {
        QList<TEP_ToolsBarButton*> buttons;
        for (auto* button : Host().findChildren<TEP_ToolsBarButton*>(QString(), Qt::FindDirectChildrenOnly))
            if (!button->isHidden())
                buttons << button;
        std::sort(buttons.begin(), buttons.end(),
            [](auto* a, auto* b) { return a->y() != b->y() && a->x() == b->x() ? a->y() < b->y() : a->x() < b->x(); });
        QStringList names;
        for (auto* button : buttons)
            names << button->objectName();
        return names;
    }
    // A press and release of a command button, as the mouse gives them.
    void Press(const char* name) const
    {
        QTest::mousePress(Button(name), Qt::LeftButton);
        QTest::mouseRelease(Button(name), Qt::LeftButton);
    }
    void Click(const char* name) const { QTest::mouseClick(Button(name), Qt::LeftButton); }
    // A creation button, then a click on the page.
    TDPRptItem* AddByClick(const char* name, QPoint at) const
    {
        Click(name);
        QTest::mouseClick(&Page(), Qt::LeftButton, {}, at);
        return Editor().Current();
    }
    TDPRptSpDr* Drawing() const { return dynamic_cast<TDPRptSpDr*>(Editor().Current()); }

    bool started = false;
    int prints = 0;
};

void SendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, QPoint at)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

const QStringList kCreation {"TextSBtn", "SurSBtn", "RectangleSBtn", "CrossSBtn", "CircleSBtn", "ArrowSBtn",
    "HLineSBtn", "LinesSBtn", "BracketsSBtn"};
} // namespace

class ToolbarTest : public QObject {
    Q_OBJECT

private slots:
    void everyButtonNamedAndDrawn();
    void hintsFromSettings_data();
    void hintsFromSettings();
    void orientationFromSettings_data();
    void orientationFromSettings();
    void sizesFromTheSizeStep_data();
    void sizesFromTheSizeStep();
    void rightClicksCycleTheSize();
    void dragWithinTheWindow_data();
    void dragWithinTheWindow();
    void shownWhereTheUserLeftIt();
    void generalList_data();
    void generalList();
    void itemList_data();
    void itemList();
    void circleAddedWhereThePageIsClicked();
    void creationButtons_data();
    void creationButtons();
    void pendingAddGivenUp();
    void repeatWhileHeld_data();
    void repeatWhileHeld();
    void colours_data();
    void colours();
    void typeCarriesTheColour_data();
    void typeCarriesTheColour();
    void arrowCommands();
    void edgesGrowAndShrink();
    void textCommands();
    void modesDeleteAndPages();
    void followsTheEditorAndTheKeys();
    void printAsksOnce();
    void zoomSelectsTheItemAgainByName();
    void repeatStopsWhenTheButtonGoes();
    void screenshots();
};

// --- Buttons ----------------------------------------------------------------------------------

void ToolbarTest::everyButtonNamedAndDrawn()
{
    BarHost host;
    QVERIFY(host.started);
    const QList<TEP_ToolsBarButton*>& buttons = host.Bar().Holder->Buttons();
    QCOMPARE(buttons.size(), 56);
    TEP_ToolsBarGlyphs glyphs;
    for (TEP_ToolsBarButton* button : buttons) {
        QVERIFY2(!button->accessibleName().isEmpty(), qPrintable(button->objectName()));
        QVERIFY2(!button->accessibleDescription().isEmpty(), qPrintable(button->objectName()));
        QVERIFY2(button->Glyph.isEmpty() != button->text().isEmpty(), qPrintable(button->objectName()));
        for (int zoom = 1; zoom <= 3; ++zoom) {
            if (button->Glyph.isEmpty())
                continue;
            const QImage picture = glyphs.Picture(button->Glyph, zoom).toImage();
            const int side = TEP_ToolsBarGlyphs::GlyphSide(zoom);
            QCOMPARE(picture.size(), QSize(side, side));
            // Something is drawn: not every pixel is transparent.
            bool drawn = false;
            for (int y = 0; y < side && !drawn; ++y)
                for (int x = 0; x < side && !drawn; ++x)
                    drawn = qAlpha(picture.pixel(x, y)) > 0;
            QVERIFY2(drawn, qPrintable(button->Glyph));
        }
    }
    QCOMPARE(host.Button("SupFirstPtSBtn")->Hint, QStringLiteral("Supprimer le premier point"));
    QCOMPARE(host.Button("SupLastPtSBtn")->Hint, QStringLiteral("Supprimer le dernier point"));
    QCOMPARE(host.Button("AquaSBtn")->accessibleName(), QStringLiteral("Bleu clair"));
}

// --- Orientation, sizes, place ------------------------------------------------------------------

void ToolbarTest::hintsFromSettings_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("style");
    QTest::newRow("defaults") << QByteArray("ITPENSIZE=5") << true << "QToolTip { font-size: 14pt; }";
    QTest::newRow("hints off, the user's font")
        << QByteArray("TBSHOWHINT=NO\r\nHINTFONTNAME=Liberation Serif\r\nHINTFONTSIZE=20\r\nHINTFONTBOLD=YES") << false
        << "QToolTip { font-family: \"Liberation Serif\"; font-size: 20pt; font-weight: bold; }";
    QTest::newRow("OUI shows them") << QByteArray("TBSHOWHINT=OUI") << true << "QToolTip { font-size: 14pt; }";
}

void ToolbarTest::hintsFromSettings()
{
    QFETCH(QByteArray, stored);
    QFETCH(bool, shown);
    QFETCH(QString, style);
    BarHost host(3, stored);
    QVERIFY(host.started);
    host.Bar().ShowBar();
    for (const char* name : {"CircleSBtn", "PrintSBtn", "ToolsBarMode2SBtn"}) {
        QCOMPARE(host.Button(name)->toolTip(), shown ? host.Button(name)->Hint : QString());
        // The accessible name is there either way.
        QCOMPARE(host.Button(name)->accessibleName(), host.Button(name)->Hint);
    }
    QCOMPARE(host.Bar().Holder->ToolsBarDragPnl->toolTip(), shown ? TEP_ToolsBarFrm::DragHint : QString());
    QCOMPARE(host.Host().styleSheet(), style);
}

void ToolbarTest::orientationFromSettings_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("vertical");
    QTest::newRow("no key: horizontal") << QByteArray("ITPENSIZE=5") << false;
    QTest::newRow("NO: vertical") << QByteArray("TBVERTICAL=NO") << true;
    QTest::newRow("yes in lower case: horizontal") << QByteArray("TBVERTICAL=yes") << false;
}

void ToolbarTest::orientationFromSettings()
{
    QFETCH(QByteArray, stored);
    QFETCH(bool, vertical);
    BarHost host(3, stored);
    QVERIFY(host.started);
    host.Bar().ShowBar();
    QCOMPARE(host.Bar().IsVertical(), vertical);
    QCOMPARE(host.Host().height() > host.Host().width(), vertical);
    // F10 turns it and the setting follows, written the other way round.
    QTest::keyClick(host.frame.get(), Qt::Key_F10);
    QCOMPARE(host.Bar().IsVertical(), !vertical);
    QCOMPARE(host.config.Settings.ToolbarHorizontal, vertical);
    QCOMPARE(host.Host().height() > host.Host().width(), !vertical);
}

void ToolbarTest::sizesFromTheSizeStep_data()
{
    QTest::addColumn<int>("zoom");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("handle");
    QTest::addColumn<int>("glyph");
    for (bool vertical : {false, true}) {
        const char* way = vertical ? "vertical" : "horizontal";
        QTest::addRow("1 %s", way) << 1 << vertical << 23 << 22 << 16;
        QTest::addRow("2 %s", way) << 2 << vertical << 30 << 29 << 21;
        QTest::addRow("3 %s", way) << 3 << vertical << 38 << 36 << 27;
    }
}

void ToolbarTest::sizesFromTheSizeStep()
{
    QFETCH(int, zoom);
    QFETCH(bool, vertical);
    QFETCH(int, side);
    QFETCH(int, handle);
    QFETCH(int, glyph);
    BarHost host;
    QVERIFY(host.started);
    host.config.Settings.ToolbarSizeZoom = zoom;
    host.Bar().SetVertical(vertical);
    host.Bar().ShowBar();
    QCOMPARE(host.Bar().ButtonSide(), side);
    QCOMPARE(host.Bar().HandleThickness(), handle);

    // Controls follow the handle with 2 pixels between them, 2 from the
    // bar's edge; separators are 4 thick; the bar ends 2 past the last one.
    QList<QWidget*> controls;
    for (QWidget* child : host.Host().findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!child->isHidden() && child != host.Bar().Holder->ToolsBarDragPnl)
            controls << child;
    std::sort(controls.begin(), controls.end(),
        [vertical](QWidget* a, QWidget* b) { return vertical ? a->y() < b->y() : a->x() < b->x(); });
    QVERIFY(controls.size() > 10);
    int along = vertical ? 22 + 2 : 23 + 2;
    for (QWidget* control : controls) {
        const bool separator = !qobject_cast<TEP_ToolsBarButton*>(control);
        const QSize expected = separator ? (vertical ? QSize(side, 4) : QSize(4, side)) : QSize(side, side);
        QCOMPARE(control->size(), expected);
        QCOMPARE(control->pos(), vertical ? QPoint(2, along) : QPoint(along, 2));
        along += (separator ? 4 : side) + 2;
    }
    const QRect handleRect = host.Bar().Holder->ToolsBarDragPnl->geometry();
    if (vertical) {
        QCOMPARE(host.Host().size(), QSize(side + 4, along));
        QCOMPARE(handleRect, QRect(0, 0, side + 4, 22));
    } else {
        QCOMPARE(host.Host().size(), QSize(along, side + 4));
        QCOMPARE(handleRect, QRect(0, 0, 23, side + 4));
    }
    QCOMPARE(host.Button("CircleSBtn")->iconSize(), QSize(glyph, glyph));
    // Captions: tag 8 for the two-letter ones, tag 10 (larger, bold) for
    // one letter.
    const QFont small = host.Button("PrevSheetSBtn")->font();
    QCOMPARE(host.Button("PrevSheetSBtn")->Tag(), 8);
    QCOMPARE(small.pointSize(), (QList<int> {8, 12, 14}).at(zoom - 1));
    QCOMPARE(small.bold(), zoom > 1);
    QCOMPARE(host.Button("SizeTopSBtn")->Tag(), 10);
    QCOMPARE(host.Button("SizeTopSBtn")->font().pointSize(), (QList<int> {14, 20, 32}).at(zoom - 1));
}

void ToolbarTest::rightClicksCycleTheSize()
{
    BarHost host;
    QVERIFY(host.started);
    host.Bar().ShowBar();
    QFrame* handle = host.Bar().Holder->ToolsBarDragPnl;
    const int start = host.config.Settings.ToolbarSizeZoom;
    const QSize startSize = host.Host().size();
    QList<int> seen;
    for (int click = 0; click < 3; ++click) {
        QTest::mouseClick(handle, Qt::RightButton, {}, QPoint(5, 5));
        seen << host.config.Settings.ToolbarSizeZoom;
    }
    QCOMPARE(seen, (QList<int> {3, 1, 2}));
    QCOMPARE(host.config.Settings.ToolbarSizeZoom, start);
    QCOMPARE(host.Host().size(), startSize);
    // A press on the picture is a press on the handle.
    QVERIFY(host.Bar().Holder->ToolsBarMovingImg->testAttribute(Qt::WA_TransparentForMouseEvents));
}

void ToolbarTest::dragWithinTheWindow_data()
{
    QTest::addColumn<QPoint>("by");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QPoint>("expected"); // -1: the coordinate stays
    QTest::newRow("moved") << QPoint(40, 30) << false << QPoint(140, 130);
    QTest::newRow("past the left and top edges: 0") << QPoint(-500, -500) << false << QPoint(0, 0);
    QTest::newRow("past the right edge: left stays, top follows") << QPoint(2000, 25) << false << QPoint(-1, 125);
    QTest::newRow("past the bottom edge: top stays, left follows") << QPoint(15, 2000) << false << QPoint(115, -1);
    QTest::newRow("locked") << QPoint(40, 30) << true << QPoint(-1, -1);
}

void ToolbarTest::dragWithinTheWindow()
{
    QFETCH(QPoint, by);
    QFETCH(bool, locked);
    QFETCH(QPoint, expected);
    BarHost host;
    QVERIFY(host.started);
    host.config.Settings.ToolbarLeft = 100;
    host.config.Settings.ToolbarTop = 100;
    host.Bar().ShowBar();
    host.Bar().DragLocked = locked;
    QFrame* handle = host.Bar().Holder->ToolsBarDragPnl;
    const QPoint start = host.Host().pos();
    SendMouse(handle, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(5, 5));
    SendMouse(handle, QEvent::MouseMove, Qt::LeftButton, QPoint(5, 5) + by);
    SendMouse(handle, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(5, 5) + by);
    const QPoint want(expected.x() < 0 ? start.x() : expected.x(), expected.y() < 0 ? start.y() : expected.y());
    QCOMPARE(host.Host().pos(), want);
    QVERIFY(QRect(QPoint(), host.frame->size()).contains(host.Host().geometry()));
    if (!locked) {
        QCOMPARE(host.config.Settings.ToolbarLeft, want.x());
        QCOMPARE(host.config.Settings.ToolbarTop, want.y());
    }
    // After the release, moves do nothing.
    SendMouse(handle, QEvent::MouseMove, Qt::NoButton, QPoint(60, 60));
    QCOMPARE(host.Host().pos(), want);
}

void ToolbarTest::shownWhereTheUserLeftIt()
{
    BarHost host;
    QVERIFY(host.started);
    host.config.Settings.ToolbarLeft = 30;
    host.config.Settings.ToolbarTop = 40;
    host.Bar().ShowBar();
    QVERIFY(host.Bar().IsVisible());
    QVERIFY(host.Bar().BarShown);
    QCOMPARE(host.Host().pos(), QPoint(30, 40));
    // A stored place that would put it outside the window brings it back in.
    host.Bar().HideBar();
    QVERIFY(!host.Bar().IsVisible());
    QVERIFY(!host.Bar().BarShown);
    QCOMPARE(host.Bar().Holder->ToolsBarDragPnl->parentWidget(), host.Bar().Holder.get());
    host.config.Settings.ToolbarLeft = 5000;
    host.config.Settings.ToolbarTop = 5000;
    host.Bar().SetVisible(true);
    QCOMPARE(host.Host().geometry().bottomRight(), QPoint(host.frame->width() - 1, host.frame->height() - 1));
}

// --- Lists ------------------------------------------------------------------------------------

void ToolbarTest::generalList_data()
{
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("open");
    QTest::addColumn<QStringList>("sounds");
    QTest::addColumn<QStringList>("expected");
    const QStringList zoomAndPrint {"ZoomMoreSBtn", "ZoomLessSBtn", "PrintSBtn"};
    const QStringList pages {"PrevSheetSBtn", "NextSheetSBtn"};
    const QStringList mode {"ToolsBarMode2SBtn"};
    QTest::newRow("one worksheet: no page buttons") << 1 << "page1" << QStringList() << mode + zoomAndPrint + kCreation;
    QTest::newRow("first of three") << 3 << "page1" << QStringList() << mode + pages + zoomAndPrint + kCreation;
    QTest::newRow("both sounds") << 1 << "page1" << QStringList {"_C", "_A"}
                                 << mode + QStringList {"ConsigneSBtn", "HelpSBtn"} + zoomAndPrint + kCreation;
    QTest::newRow("help only") << 1 << "page1" << QStringList {"_A"}
                               << mode + QStringList {"HelpSBtn"} + zoomAndPrint + kCreation;
}

void ToolbarTest::generalList()
{
    QFETCH(int, pages);
    QFETCH(QString, open);
    QFETCH(QStringList, sounds);
    QFETCH(QStringList, expected);
    QStringList files;
    for (const QString& suffix : sounds)
        files << open + suffix + QStringLiteral(".wav");
    BarHost host(pages, QByteArray(), files);
    QVERIFY(host.started);
    host.Bar().ShowBar();
    QVERIFY(!host.Bar().ItemMode);
    QCOMPARE(host.Shown(), expected);
    if (pages > 1) {
        QVERIFY(!host.Button("PrevSheetSBtn")->isEnabled());
        QVERIFY(host.Button("NextSheetSBtn")->isEnabled());
    }
    // The push buttons are plain: not flat, not down, in no group.
    QVERIFY(!host.Button("ZoomMoreSBtn")->autoRaise());
    QVERIFY(!host.Button("PrintSBtn")->isChecked());
    QCOMPARE(host.Button("PrintSBtn")->Group(), 0);
}

void ToolbarTest::itemList_data()
{
    QTest::addColumn<int>("kind"); // 0: text
    QTest::addColumn<QStringList>("expected");
    const QStringList start {"ToolsBarMode1SBtn", "DeleteItSBtn"};
    const QStringList colours {"BlackSBtn", "GreenSBtn", "BlueSBtn", "RedSBtn", "OrangeSBtn", "YellowSBtn"};
    const QStringList edges {"SizeMoreOrLessSBtn", "SizeTopSBtn", "SizeBottomSBtn", "SizeLeftSBtn", "SizeRightSBtn"};
    const QStringList pen {"PenSizeLessSBtn", "PenSizeMoreSBtn"};
    QTest::newRow("rectangle") << int(TDPRptSpDr::SpRect)
                               << start + colours + edges + pen
            + QStringList {"RectNotFilledSBtn", "RectFullSBtn", "RectFilledSBtn"};
    QTest::newRow("cross") << int(TDPRptSpDr::SpCross) << start + colours + edges + pen;
    QTest::newRow("horizontal line: no top and bottom")
        << int(TDPRptSpDr::SpHLine)
        << start + colours + QStringList {"SizeMoreOrLessSBtn", "SizeLeftSBtn", "SizeRightSBtn"} + pen;
    QTest::newRow("circle") << int(TDPRptSpDr::SpBCircle)
                            << start + colours + edges + pen
            + QStringList {"CircleNotFilledSBtn", "CircleFullSBtn", "CircleFilledSBtn"};
    QTest::newRow("brackets") << int(TDPRptSpDr::SpBrackets) << start + colours + edges + pen;
    QTest::newRow("polyline") << int(TDPRptSpDr::SpLines)
                              << start + colours + pen + QStringList {"SupFirstPtSBtn", "SupLastPtSBtn"};
    QTest::newRow("highlight") << int(TDPRptSpDr::SpHighLight)
                               << start
            + QStringList {"GraySBtn", "GreenSBtn", "AquaSBtn", "PinkSBtn", "OrangeSBtn", "YellowSBtn"} + edges;
    QTest::newRow("arrow") << int(TDPRptSpDr::SpArrow)
                           << start + colours + pen
            + QStringList {"ClockWiseSBtn", "NonClockWiseSBtn", "LengthLessSBtn", "LengthMoreSBtn", "ArrowArrowSbtn",
                "ArrowRelSBtn", "ArrowLineSBtn"};
    QTest::newRow("text") << 0
                          << start + colours
            + QStringList {"PoliceMinusSBtn", "PolicePlusSBtn", "PoliceSizeMinusSBtn", "PoliceSizePlusSBtn", "BoldSBtn",
                "UnderlineSBtn"};
}

void ToolbarTest::itemList()
{
    QFETCH(int, kind);
    QFETCH(QStringList, expected);
    BarHost host;
    QVERIFY(host.started);
    host.Bar().ShowBar();
    QObject* owner = host.frame.get();
    QVERIFY(kind == 0 ? host.Editor().AddText(owner) : host.Editor().AddDrawing(owner, kind));
    host.Editor().StopTextEntry();
    host.Press("ToolsBarMode1SBtn");
    QVERIFY(!host.Bar().ItemMode);
    host.Press("ToolsBarMode2SBtn");
    QVERIFY(host.Bar().ItemMode);
    QCOMPARE(host.Shown(), expected);
    // Only the colours that fit the item can be used.
    const bool highlight = kind == TDPRptSpDr::SpHighLight;
    QCOMPARE(host.Button("GraySBtn")->isEnabled(), highlight);
    QCOMPARE(host.Button("BlackSBtn")->isEnabled(), !highlight);
    QVERIFY(host.Button("GreenSBtn")->isEnabled());
}

// --- Adding items -----------------------------------------------------------------------------

void ToolbarTest::circleAddedWhereThePageIsClicked()
{
    BarHost host;
    QVERIFY(host.started);
    host.Bar().ShowBar();
    host.Click("CircleSBtn");
    QVERIFY(host.Button("CircleSBtn")->IsDown());
    QVERIFY(host.Bar().AnyCreationDown());
    QVERIFY(host.frame->AddItemMode);
    const QPoint at(150, 220);
    QTest::mouseClick(&host.Page(), Qt::LeftButton, {}, at);
    TDPRptSpDr* circle = host.Drawing();
    QVERIFY(circle);
    QCOMPARE(circle->SpDrMode, int(TDPRptSpDr::SpBCircle));
    QCOMPARE(circle->ScreenRect.topLeft(), at);
    QCOMPARE(QPoint(host.Bar().ClickX, host.Bar().ClickY), at);
    QVERIFY(host.Bar().ItemMode);
    QVERIFY(host.Shown().contains(QStringLiteral("CircleNotFilledSBtn")));
    QVERIFY(host.Button("CircleNotFilledSBtn")->IsDown());
    QVERIFY(!host.Button("CircleFullSBtn")->IsDown());
    QVERIFY(!host.Bar().AnyCreationDown());
    QVERIFY(!host.frame->AddItemMode);
    // The next click on the page adds nothing.
    const int children = host.Editor().Root()->ChildCount();
    bool handled = false;
    QVERIFY(!host.Bar().PageClick(10, 10, handled));
    QVERIFY(!handled);
    QCOMPARE(host.Editor().Root()->ChildCount(), children);
}

void ToolbarTest::creationButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("kind"); // 0: text
    const QList<int> kinds {0, TDPRptSpDr::SpHighLight, TDPRptSpDr::SpRect, TDPRptSpDr::SpCross, TDPRptSpDr::SpBCircle,
        TDPRptSpDr::SpArrow, TDPRptSpDr::SpHLine, TDPRptSpDr::SpLines, TDPRptSpDr::SpBrackets};
    for (int index = 0; index < kCreation.size(); ++index)
        QTest::newRow(qPrintable(kCreation.at(index))) << kCreation.at(index) << kinds.at(index);
}

void ToolbarTest::creationButtons()
{
    QFETCH(QString, button);
    QFETCH(int, kind);
    BarHost host;
    QVERIFY(host.started);
    host.Bar().ShowBar();
    TDPRptItem* item = host.AddByClick(qPrintable(button), QPoint(200, 300));
    QVERIFY(item);
    if (kind == 0) {
        // A new text item is ready for typing at once.
        QVERIFY(dynamic_cast<TDPRptText*>(item));
        QVERIFY(host.Editor().IsTextEntry());
        QVERIFY(!host.Bar().ItemMode);
    } else {
        QCOMPARE(host.Drawing()->SpDrMode, kind);
        QVERIFY(!host.Editor().IsTextEntry());
        QVERIFY(host.Bar().ItemMode);
    }
    QVERIFY(!host.Bar().AnyCreationDown());
    QVERIFY(!host.frame->AddItemMode);
}

void ToolbarTest::pendingAddGivenUp()
{
    BarHost host;
    QVERIFY(host.started);
    host.Bar().ShowBar();
    const int children = host.Editor().Root()->ChildCount();
    // A character typed gives the add up; other keys do nothing meanwhile.
    host.Click("RectangleSBtn");
    QTest::keyClick(host.frame.get(), Qt::Key_F9);
    QVERIFY(host.Bar().IsVisible());
    QVERIFY(host.frame->AddItemMode);
    QTest::keyClick(host.frame.get(), Qt::Key_A);
    QVERIFY(!host.Bar().AnyCreationDown());
    QVERIFY(!host.frame->AddItemMode);
    QTest::mouseClick(&host.Page(), Qt::LeftButton, {}, QPoint(50, 50));
    QCOMPARE(host.Editor().Root()->ChildCount(), children);
    // The button pressed again gives it up too; another button takes over.
    host.Click("CrossSBtn");
    host.Click("CircleSBtn");
    QVERIFY(!host.Button("CrossSBtn")->IsDown());
    QVERIFY(host.Button("CircleSBtn")->IsDown());
    host.Click("CircleSBtn");
    QVERIFY(!host.Bar().AnyCreationDown());
    QVERIFY(!host.frame->AddItemMode);
    // Esc gives the add up without leaving the worksheet.
    host.Click("CrossSBtn");
    QTest::keyClick(host.frame.get(), Qt::Key_Escape);
    QVERIFY(!host.frame->AddItemMode);
    QVERIFY(host.frame->RootItem);
    QCOMPARE(host.quits, 0);
}

// --- Command buttons ----------------------------------------------------------------------------

void ToolbarTest::repeatWhileHeld_data()
{
    QTest::addColumn<QByteArray>("delays");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("next");
    QTest::newRow("defaults") << QByteArray("ITPENSIZE=5") << 1000 << 200;
    QTest::newRow("stored") << QByteArray("FMOUSEDELAY=500\r\nMOUSEDELAY=100") << 500 << 100;
}

void ToolbarTest::repeatWhileHeld()
{
    QFETCH(QByteArray, delays);
    QFETCH(int, first);
    QFETCH(int, next);
    BarHost host(3, delays);
    QVERIFY(host.started);
    host.Bar().ShowBar();
    QVERIFY(host.Editor().AddDrawing(host.frame.get(), TDPRptSpDr::SpRect));
    const int pen = host.Drawing()->PenSize;
    TEP_ToolsBarFrm& holder = *host.Bar().Holder;
    QTest::mousePress(host.Button("PenSizeMoreSBtn"), Qt::LeftButton);
    QCOMPARE(host.Drawing()->PenSize, pen + 2);
    QVERIFY(holder.IsRepeating());
    QCOMPARE(host.Bar().RepeatButton, host.Button("PenSizeMoreSBtn"));
    QCOMPARE(holder.ToolsBarTimer.interval(), first);
    host.clock.Advance(first - 1);
    holder.RepeatTick();
    QCOMPARE(host.Drawing()->PenSize, pen + 2);
    host.clock.Advance(1);
    holder.RepeatTick();
    QCOMPARE(host.Drawing()->PenSize, pen + 4);
    QCOMPARE(holder.ToolsBarTimer.interval(), next);
    host.clock.Advance(next - 1);
    holder.RepeatTick();
    QCOMPARE(host.Drawing()->PenSize, pen + 4);
    host.clock.Advance(1);
    holder.RepeatTick();
    QCOMPARE(host.Drawing()->PenSize, pen + 6);
    QTest::mouseRelease(host.Button("PenSizeMoreSBtn"), Qt::LeftButton);
    QVERIFY(!holder.IsRepeating());
    QVERIFY(!host.Bar().RepeatButton);
    host.clock.Advance(5000);
    holder.RepeatTick();
    QCOMPARE(host.Drawing()->PenSize, pen + 6);
    // A refused press beeps and does not repeat.
    host.Drawing()->PenSize = EP_ItEdt::MaxPenSize;
    const int beeps = host.messenger.Beeps;
    QTest::mousePress(host.Button("PenSizeMoreSBtn"), Qt::LeftButton);
    QCOMPARE(host.messenger.Beeps, beeps + 1);
    QVERIFY(!holder.IsRepeating());
    QTest::mouseRelease(host.Button("PenSizeMoreSBtn"), Qt::LeftButton);
}

void ToolbarTest::colours_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("button");
    QTest::addColumn<quint32>("expected");
    QTest::newRow("Gris on a highlight: black") << int(TDPRptSpDr::SpHighLight) << "GraySBtn" << 0x000000u;
    QTest::newRow("Rose on a highlight: red") << int(TDPRptSpDr::SpHighLight) << "PinkSBtn" << 0x0000FFu;
    QTest::newRow("Rouge: red") << int(TDPRptSpDr::SpRect) << "RedSBtn" << 0x0000FFu;
    QTest::newRow("Bleu clair on a highlight: blue") << int(TDPRptSpDr::SpHighLight) << "AquaSBtn" << 0xFF0000u;
    QTest::newRow("Bleu: blue") << int(TDPRptSpDr::SpRect) << "BlueSBtn" << 0xFF0000u;
    QTest::newRow("Vert") << int(TDPRptSpDr::SpCross) << "GreenSBtn" << 0x008000u;
    QTest::newRow("Orange") << int(TDPRptSpDr::SpBCircle) << "OrangeSBtn" << 0x0080FFu;
    QTest::newRow("Jaune on a text") << 0 << "YellowSBtn" << 0x00FFFFu;
}

void ToolbarTest::colours()
{
    QFETCH(int, kind);
    QFETCH(QString, button);
    QFETCH(quint32, expected);
    BarHost host;
    QVERIFY(host.started);
    host.Bar().ShowBar();
    QObject* owner = host.frame.get();
    QVERIFY(kind == 0 ? host.Editor().AddText(owner) : host.Editor().AddDrawing(owner, kind));
    host.Editor().StopTextEntry();
    host.Press("ToolsBarMode2SBtn");
    QVERIFY(host.Shown().contains(button));
    const int beeps = host.messenger.Beeps;
    host.Click(qPrintable(button));
    QCOMPARE(host.messenger.Beeps, beeps);
    QCOMPARE(ItemColors::ColorOf(*host.Editor().Current()).Value(), expected);
}

void ToolbarTest::typeCarriesTheColour_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("blackPen");
    QTest::newRow("outline to filled with outline")
        << int(TDPRptSpDr::SpRect) << "RectFilledSBtn" << int(TDPRptSpDr::SpFBRect) << true;
    QTest::newRow("outline to full") << int(TDPRptSpDr::SpRect) << "RectFullSBtn" << int(TDPRptSpDr::SpFRect) << false;
    QTest::newRow("circle outline to filled with outline")
        << int(TDPRptSpDr::SpBCircle) << "CircleFilledSBtn" << int(TDPRptSpDr::SpFBCircle) << true;
    QTest::newRow("circle outline to full")
        << int(TDPRptSpDr::SpBCircle) << "CircleFullSBtn" << int(TDPRptSpDr::SpFCircle) << false;
}

void ToolbarTest::typeCarriesTheColour()
{
    QFETCH(int, from);
    QFETCH(QString, button);
    QFETCH(int, to);
    QFETCH(bool, blackPen);
    BarHost host;
    QVERIFY(host.started);
    host.Bar().ShowBar();
    QVERIFY(host.Editor().AddDrawing(host.frame.get(), from));
    host.Click("RedSBtn");
    host.Click(qPrintable(button));
    TDPRptSpDr* drawing = host.Drawing();
    QCOMPARE(drawing->SpDrMode, to);
    QCOMPARE(ItemColors::ColorOf(*drawing).Value(), 0x0000FFu);
    if (blackPen)
        QCOMPARE(drawing->ForeColors[0].Value(), 0u);
    QVERIFY(host.Button(qPrintable(button))->IsDown());
    for (TEP_ToolsBarButton* other : host.Bar().Holder->Group(host.Button(qPrintable(button))->Group()))
        QCOMPARE(other->IsDown(), other == host.Button(qPrintable(button)));
    // The same type again changes nothing; back to the outline keeps red.
    host.Click(qPrintable(button));
    QCOMPARE(drawing->SpDrMode, to);
    host.Click(from == TDPRptSpDr::SpRect ? "RectNotFilledSBtn" : "CircleNotFilledSBtn");
    QCOMPARE(drawing->SpDrMode, from);
    QCOMPARE(ItemColors::ColorOf(*drawing).Value(), 0x0000FFu);
}

void ToolbarTest::arrowCommands()
{
    BarHost host;
    QVERIFY(host.started);
    host.Bar().ShowBar();
    TDPRptItem* item = host.AddByClick("ArrowSBtn", QPoint(300, 400));
    QVERIFY(item);
    TDPRptSpDr* arrow = host.Drawing();
    QVERIFY(host.Button("ArrowArrowSbtn")->IsDown());
    const float angle = arrow->Angle;
    const int length = arrow->Length;
    // Angles are kept between 0 and 360 degrees, counter-clockwise.
    const auto turned = [angle](float by) { return std::fmod(angle + by + 360.0f, 360.0f); };
    host.Press("ClockWiseSBtn");
    QCOMPARE(arrow->Angle, turned(-10));
    host.Press("NonClockWiseSBtn");
    host.Press("NonClockWiseSBtn");
    QCOMPARE(arrow->Angle, turned(10));
    host.Press("LengthMoreSBtn");
    QCOMPARE(arrow->Length, length + 30);
    host.Press("LengthLessSBtn");
    host.Press("LengthLessSBtn");
    QCOMPARE(arrow->Length, length - 30);
    host.Press("ArrowRelSBtn");
    QCOMPARE(arrow->ArrowType, int(TDPRptSpDr::ArrowRel));
    QVERIFY(host.Button("ArrowRelSBtn")->IsDown());
    QVERIFY(!host.Button("ArrowArrowSbtn")->IsDown());
    host.Press("ArrowLineSBtn");
    QCOMPARE(arrow->ArrowType, int(TDPRptSpDr::ArrowLine));
    QVERIFY(host.Button("ArrowLineSBtn")->IsDown());
    QVERIFY(!host.Button("ArrowRelSBtn")->IsDown());
    host.Press("ArrowArrowSbtn");
    QCOMPARE(arrow->ArrowType, int(TDPRptSpDr::ArrowHead));
}

void ToolbarTest::edgesGrowAndShrink()
{
    BarHost host;
    QVERIFY(host.started);
    host.Bar().ShowBar();
    QVERIFY(host.AddByClick("RectangleSBtn", QPoint(200, 200)));
    host.config.Session.MoveStep = 10;
    const QRect start = host.Editor().SurfaceOnPage();
    host.Press("SizeTopSBtn");
    QCOMPARE(host.Editor().SurfaceOnPage(), start.adjusted(0, -10, 0, 0));
    host.Press("SizeLeftSBtn");
    QCOMPARE(host.Editor().SurfaceOnPage(), start.adjusted(-10, -10, 0, 0));
    host.Press("SizeBottomSBtn");
    host.Press("SizeRightSBtn");
    QCOMPARE(host.Editor().SurfaceOnPage(), start.adjusted(-10, -10, 10, 10));
    host.Press("SizeMoreOrLessSBtn");
    QVERIFY(!host.Bar().Enlarge);
    QCOMPARE(host.Button("SizeMoreOrLessSBtn")->text(), QStringLiteral("-"));
    for (const char* name : {"SizeTopSBtn", "SizeLeftSBtn", "SizeBottomSBtn", "SizeRightSBtn"})
        host.Press(name);
    QCOMPARE(host.Editor().SurfaceOnPage(), start);
    host.Press("SizeMoreOrLessSBtn");
    QCOMPARE(host.Button("SizeMoreOrLessSBtn")->text(), QStringLiteral("+"));
    // Past the page's top edge: refused with a beep, nothing moves.
    host.config.Session.MoveStep = 1000;
    const int beeps = host.messenger.Beeps;
    host.Press("SizeTopSBtn");
    QCOMPARE(host.messenger.Beeps, beeps + 1);
    QCOMPARE(host.Editor().SurfaceOnPage(), start);
}

void ToolbarTest::textCommands()
{
    BarHost host;
    QVERIFY(host.started);
    host.Bar().ShowBar();
    QVERIFY(host.AddByClick("TextSBtn", QPoint(100, 100)));
    auto* text = dynamic_cast<TDPRptText*>(host.Editor().Current());
    QVERIFY(text);
    host.Editor().StopTextEntry();
    host.Press("ToolsBarMode2SBtn");
    const FontDescription before = text->Font;
    host.Press("BoldSBtn");
    QVERIFY(text->Font.Styles & FontDescription::Bold);
    host.Press("BoldSBtn");
    QVERIFY(!(text->Font.Styles & FontDescription::Bold));
    host.Press("UnderlineSBtn");
    QVERIFY(text->Font.Styles & FontDescription::Underline);
    host.Press("PoliceSizePlusSBtn");
    QVERIFY(text->Font.Size > before.Size);
    host.Press("PoliceSizeMinusSBtn");
    QCOMPARE(text->Font.Size, before.Size);
    host.Press("PoliceMinusSBtn");
    QVERIFY(text->Font.Name != before.Name);
    host.Press("PolicePlusSBtn");
    QCOMPARE(text->Font.Name, before.Name);
}

void ToolbarTest::modesDeleteAndPages()
{
    BarHost host;
    QVERIFY(host.started);
    host.Bar().ShowBar();
    QVERIFY(host.AddByClick("CrossSBtn", QPoint(100, 100)));
    const int children = host.Editor().Root()->ChildCount();
    host.Press("DeleteItSBtn");
    QCOMPARE(host.Editor().Root()->ChildCount(), children - 1);
    QVERIFY(!host.Bar().ItemMode);
    QVERIFY(!host.Bar().Holder->IsRepeating());
    // The next page, then back: the bar stays, in general mode.
    host.Press("NextSheetSBtn");
    QCOMPARE(host.config.CurrentDocument()->Name(), QStringLiteral("page2"));
    QVERIFY(host.Bar().IsVisible());
    QVERIFY(!host.Bar().ItemMode);
    QVERIFY(host.Button("PrevSheetSBtn")->isEnabled());
    host.Press("PrevSheetSBtn");
    QCOMPARE(host.config.CurrentDocument()->Name(), QStringLiteral("page1"));
    // No page before the first: a beep.
    const int beeps = host.messenger.Beeps;
    host.Bar().Holder->GenSBtnMouseDown(host.Button("PrevSheetSBtn"), 1, 1);
    QVERIFY(host.messenger.Beeps > beeps);
    QCOMPARE(host.config.CurrentDocument()->Name(), QStringLiteral("page1"));
}

void ToolbarTest::followsTheEditorAndTheKeys()
{
    BarHost host;
    QVERIFY(host.started);
    QVERIFY(!host.Bar().IsVisible());
    QTest::keyClick(host.frame.get(), Qt::Key_F9);
    QVERIFY(host.Bar().IsVisible());
    QVERIFY(!host.Bar().KeyOffer('A'));
    // Selecting an item shows its commands; ending the edit the general ones.
    QVERIFY(host.Editor().AddDrawing(host.frame.get(), TDPRptSpDr::SpCross));
    QVERIFY(host.Bar().ItemMode);
    host.Editor().EndEdit(host.frame.get(), false);
    QVERIFY(!host.Bar().ItemMode);
    // Leaving the worksheet hides the bar; the next worksheet brings it back.
    QTest::keyClick(host.frame.get(), Qt::Key_Escape);
    QVERIFY(!host.Bar().IsVisible());
    QVERIFY(host.Bar().BarShown);
    host.chooser->Names = {QStringLiteral("page3")};
    QVERIFY(host.frame->RunSelection());
    QVERIFY(host.Bar().IsVisible());
    QTest::keyClick(host.frame.get(), Qt::Key_F9);
    QVERIFY(!host.Bar().IsVisible());
    QVERIFY(!host.Bar().BarShown);
}

// --- Mends ------------------------------------------------------------------------------------

void ToolbarTest::printAsksOnce()
{
    BarHost host;
    QVERIFY(host.started);
    host.Bar().ShowBar();
    // The press does nothing; the release prints, and the bar asks nothing
    // itself: the question is printing's, asked once.
    QTest::mousePress(host.Button("PrintSBtn"), Qt::LeftButton);
    QCOMPARE(host.prints, 0);
    QTest::mouseRelease(host.Button("PrintSBtn"), Qt::LeftButton);
    QCOMPARE(host.prints, 1);
    QVERIFY(host.messenger.Asked.isEmpty());
    QVERIFY(host.messenger.Shown.isEmpty());
    QVERIFY(!host.Bar().Holder->IsRepeating());
}

void ToolbarTest::zoomSelectsTheItemAgainByName()
{
    BarHost host;
    QVERIFY(host.started);
    host.Bar().ShowBar();
    QVERIFY(host.AddByClick("CircleSBtn", QPoint(100, 100)));
    const QString name = host.Editor().Current()->Name;
    host.Press("ZoomMoreSBtn");
    QCOMPARE(host.frame->ZoomIndex, 2);
    QVERIFY(host.Editor().Current());
    QCOMPARE(host.Editor().Current()->Name, name);
    // An empty text goes when the edit ends: nothing is selected after the
    // zoom, and its name is not in the tree any more.
    QVERIFY(host.AddByClick("TextSBtn", QPoint(100, 300)));
    const QString empty = host.Editor().Current()->Name;
    const int children = host.Editor().Root()->ChildCount();
    host.Press("ZoomLessSBtn");
    QCOMPARE(host.frame->ZoomIndex, 1);
    QVERIFY(!host.Editor().Current());
    QCOMPARE(host.Editor().Root()->ChildCount(), children - 1);
    QVERIFY(!host.Editor().Root()->FindByName(empty));
    // At the end of the zoom range: a beep.
    host.Press("ZoomMoreSBtn");
    const int beeps = host.messenger.Beeps;
    host.Press("ZoomMoreSBtn");
    QCOMPARE(host.messenger.Beeps, beeps + 1);
}

void ToolbarTest::repeatStopsWhenTheButtonGoes()
{
    BarHost host;
    QVERIFY(host.started);
    host.Bar().ShowBar();
    TEP_ToolsBarFrm& holder = *host.Bar().Holder;
    QVERIFY(host.Editor().AddDrawing(host.frame.get(), TDPRptSpDr::SpRect));
    TDPRptSpDr* rectangle = host.Drawing();
    // Held, then the bar is laid out again (another item selected): the
    // release will not come, so the repeat ends there.
    QTest::mousePress(host.Button("PenSizeMoreSBtn"), Qt::LeftButton);
    QVERIFY(holder.IsRepeating());
    QVERIFY(host.Editor().Select(host.frame.get(), rectangle));
    QVERIFY(!holder.IsRepeating());
    const int pen = rectangle->PenSize;
    host.clock.Advance(10000);
    holder.RepeatTick();
    QCOMPARE(rectangle->PenSize, pen);
    // Held, then hidden.
    QTest::mousePress(host.Button("PenSizeMoreSBtn"), Qt::LeftButton);
    QVERIFY(holder.IsRepeating());
    host.Bar().HideBar();
    QVERIFY(!holder.IsRepeating());
    // A press that changes the page lays the bar out again: it does not go
    // on flipping pages while the pointer rests there.
    host.Bar().ShowBar();
    host.Editor().EndEdit(host.frame.get(), false);
    QTest::mousePress(host.Button("NextSheetSBtn"), Qt::LeftButton);
    QCOMPARE(host.config.CurrentDocument()->Name(), QStringLiteral("page2"));
    QVERIFY(!holder.IsRepeating());
    host.clock.Advance(10000);
    holder.RepeatTick();
    QCOMPARE(host.config.CurrentDocument()->Name(), QStringLiteral("page2"));
}

// --- Screenshots ------------------------------------------------------------------------------

void ToolbarTest::screenshots()
{
    BarHost host;
    QVERIFY(host.started);
    for (bool vertical : {false, true}) {
        for (int zoom = 1; zoom <= 3; ++zoom) {
            host.config.Settings.ToolbarSizeZoom = zoom;
            host.Bar().SetVertical(vertical);
            host.Bar().ShowBar();
            const QString way = vertical ? QStringLiteral("vertical") : QStringLiteral("horizontal");
            QVERIFY(Screenshots::Save(host.Host(), QStringLiteral("toolbar-%1-%2.png").arg(way).arg(zoom)));
        }
    }
    host.config.Settings.ToolbarSizeZoom = 2;
    host.Bar().SetVertical(false);
    host.Bar().ShowBar();
    QVERIFY(host.AddByClick("RectangleSBtn", QPoint(120, 160)));
    QVERIFY(Screenshots::Save(host.Host(), QStringLiteral("toolbar-rectangle.png")));
    QVERIFY(host.AddByClick("ArrowSBtn", QPoint(300, 300)));
    QVERIFY(Screenshots::Save(host.Host(), QStringLiteral("toolbar-arrow.png")));
    QVERIFY(Screenshots::Save(*host.frame, QStringLiteral("toolbar-window.png")));
}

QTEST_MAIN(ToolbarTest)
#include "tst_toolbar.moc"
