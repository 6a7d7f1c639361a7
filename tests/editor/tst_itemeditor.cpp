// The item editor on a real page: selection, hit test, new drawings, moves,
// sizes, pens, arrows, navigation, deletion, observers, blinking, squares.
#include "EditorHost.h"
#include "Screenshots.h"

#include "editor/ItemColors.h"
#include "platform/WindowsKeys.h"

#include <QtTest>

class TestItemEditor : public QObject {
    Q_OBJECT
private slots:
    void hostOpensWorksheet();
    void itemAtPicks_data();
    void itemAtPicks();
    void itemAtSkipsSelectedItem();
    void observersHearFourEvents();
    void observersMayChangeObserversAndSelection();
    void selectPlacesSurfaceAndHidesItem();
    void selectRefusesOtherItems();
    void selectKeepsPenOfFilledCircleAndHighlight_data();
    void selectKeepsPenOfFilledCircleAndHighlight();
    void endEditWritesBackPlaceAndSize();
    void endEditRemovesEmptyItemBeforeTellingObservers();
    void newDrawingTakesSettings_data();
    void newDrawingTakesSettings();
    void newDrawingStaysInsidePage_data();
    void newDrawingStaysInsidePage();
    void newDrawingDefaultPlace();
    void newArrowTakesItsGeometry();
    void newDrawingInScrolledView();
    void scrollToCurrentBringsSurfaceInView();
    void moves_data();
    void moves();
    void moveByDigit_data();
    void moveByDigit();
    void penSize_data();
    void penSize();
    void arrowCommands();
    void drawingKindChanges_data();
    void drawingKindChanges();
    void polylinePoints();
    void resize_data();
    void resize();
    void navigate_data();
    void navigate();
    void deleteKeyRemovesOnce_data();
    void deleteKeyRemovesOnce();
    void arrowKeysMoveByStep();
    void blinkFollowsSetting_data();
    void blinkFollowsSetting();
    void editSurfaceShowsPageUnderItem();
    void selectionLookFollowsSettings();
    void squares();
    void squareDragOnDiagonal();
    void screenshotOfEditedItem();
};

void TestItemEditor::hostOpensWorksheet()
{
    EditorHost host;
    QVERIFY(host.ok);
    QCOMPARE(host.editor.Root(), &host.Root());
    QVERIFY(host.PageRect().width() > 700);
    QVERIFY(!host.editor.IsEditing());
}

void TestItemEditor::itemAtPicks_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("expected");
    // Point (500, 500) units; items listed bottom to top.
    QTest::newRow("text before a drawing 5 px away") << "cross:X,text:T"
                                                     << "T";
    QTest::newRow("text under a drawing still first") << "text:T,rect:R"
                                                      << "T";
    QTest::newRow("nearest drawing") << "cross:FAR,rect:NEAR"
                                     << "NEAR";
    QTest::newRow("topmost on equal keys") << "rect:LOW,rect:HIGH"
                                           << "HIGH";
    QTest::newRow("lower-case dm_ alone") << "text:T,plain:dm_Zone"
                                          << "dm_Zone";
    QTest::newRow("DMLT_ alone") << "text:T,plain:DMLT_A"
                                 << "DMLT_A";
    QTest::newRow("DMRECT gives none") << "plain:DMRECT"
                                       << "";
    QTest::newRow("dmrect is not DMRECT") << "text:T,plain:dmrect"
                                          << "T";
    QTest::newRow("drawing 10 px away") << "farcross:X"
                                        << "";
    QTest::newRow("nothing") << ""
                             << "";
}

void TestItemEditor::itemAtPicks()
{
    QFETCH(QString, layout);
    QFETCH(QString, expected);
    EditorHost host;
    const double s = host.Scale();
    // A cross whose diagonal passes 5 px from the point, one 12 px away.
    const double five = 5 / s / std::sqrt(0.5), twelve = 12 / s / std::sqrt(0.5);
    for (const QString& entry : layout.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString kind = entry.section(QLatin1Char(':'), 0, 0);
        const QString name = entry.section(QLatin1Char(':'), 1);
        if (kind == QLatin1String("cross"))
            host.AddDrawing(name, TDPRptSpDr::SpCross, QRectF(400 + five, 400, 200, 200));
        else if (kind == QLatin1String("farcross"))
            host.AddDrawing(name, TDPRptSpDr::SpCross, QRectF(400 + twelve, 400, 200, 200));
        else if (kind == QLatin1String("rect"))
            host.AddDrawing(name, TDPRptSpDr::SpRect, QRectF(450, 450, 100, 100));
        else if (kind == QLatin1String("text"))
            host.AddText(name, QStringLiteral("abc"), QRectF(300, 300, 400, 400));
        else
            host.AddRect(name, QRectF(0, 0, 1500, 1500));
    }
    const int x = RoundHalfEven(500 * s), y = RoundHalfEven(500 * s);
    TDPRptItem* found = host.editor.ItemAt(x, y);
    QCOMPARE(found ? found->Name : QString(), expected);
}

void TestItemEditor::itemAtSkipsSelectedItem()
{
    EditorHost host;
    TDPRptSpDr* high = host.AddDrawing(QStringLiteral("HIGH"), TDPRptSpDr::SpRect, QRectF(450, 450, 100, 100));
    host.AddDrawing(QStringLiteral("LOW"), TDPRptSpDr::SpRect, QRectF(450, 450, 100, 100));
    TDPRptItem* low = host.Root().FindByName(QStringLiteral("LOW"));
    QVERIFY(host.editor.Select(&host.box, low));
    const int at = RoundHalfEven(500 * host.Scale());
    QCOMPARE(host.editor.ItemAt(at, at), high);
}

void TestItemEditor::observersHearFourEvents()
{
    EditorHost host;
    host.editor.Detach(&host.box);
    QList<int> events;
    QObject* seenOwner = nullptr;
    host.editor.AddObserver([&](QObject* owner, int event, EP_ItEdt&) {
        events << event;
        seenOwner = owner;
    });
    TDPRptSpDr* item = host.AddDrawing(QStringLiteral("R"), TDPRptSpDr::SpRect, QRectF(100, 100, 200, 200));
    QObject owner;
    host.editor.Attach(&owner, &host.document, &host.box, host.box.EditImage(), host.box.PageImage());
    QVERIFY(host.editor.Select(&owner, item));
    host.editor.EndEdit(&owner, true);
    host.editor.Detach(&owner);
    QCOMPARE(events, (QList<int> {EP_ItEdt::Attached, EP_ItEdt::Selected, EP_ItEdt::EditEnded, EP_ItEdt::Detaching}));
    QCOMPARE(seenOwner, &owner);
    QVERIFY(!host.editor.Root());
}

void TestItemEditor::observersMayChangeObserversAndSelection()
{
    EditorHost host;
    TDPRptSpDr* first = host.AddDrawing(QStringLiteral("A"), TDPRptSpDr::SpRect, QRectF(100, 100, 200, 200));
    TDPRptSpDr* second = host.AddDrawing(QStringLiteral("B"), TDPRptSpDr::SpRect, QRectF(600, 600, 200, 200));
    int removedCalls = 0, laterCalls = 0;
    int removable = -1;
    // The first observer removes the second, adds a third and, when an edit
    // of A ends, selects B from inside the notification.
    host.editor.AddObserver([&](QObject* owner, int event, EP_ItEdt& editor) {
        if (event != EP_ItEdt::EditEnded)
            return;
        editor.RemoveObserver(removable);
        editor.AddObserver([&](QObject*, int, EP_ItEdt&) { ++laterCalls; });
        if (editor.LastEdited() == first)
            editor.Select(owner, second);
    });
    removable = host.editor.AddObserver([&](QObject*, int, EP_ItEdt&) { ++removedCalls; });
    QVERIFY(host.editor.Select(&host.box, first));
    QCOMPARE(removedCalls, 1);
    host.editor.EndEdit(&host.box, true);
    QCOMPARE(host.editor.Current(), second);
    QVERIFY(host.box.EditImage()->isVisibleTo(&host.box));
    QVERIFY(second->EditState.HiddenWhileEdited);
    QVERIFY(!first->EditState.HiddenWhileEdited);
    QCOMPARE(removedCalls, 1);
    QVERIFY(laterCalls >= 1);
}

void TestItemEditor::selectPlacesSurfaceAndHidesItem()
{
    EditorHost host(1.5);
    TDPRptSpDr* item = host.AddDrawing(QStringLiteral("R"), TDPRptSpDr::SpFRect, QRectF(1200, 1500, 200, 100));
    item->ForeColors[0] = RgbColor(0x0000FF);
    host.Redraw();
    const QPoint inside = item->ScreenRect.center();
    QCOMPARE(host.box.PageImage()->Image().pixelColor(inside), QColor(Qt::red));
    QVERIFY(host.editor.Select(&host.box, item));
    QCOMPARE(host.SurfaceOnPage().topLeft(), item->ScreenRect.topLeft());
    QCOMPARE(host.Surface().size(), item->PixelRect.size());
    QVERIFY(item->EditState.HiddenWhileEdited && item->EditState.SelectionVisible);
    // The page no longer shows it; the surface does.
    QCOMPARE(host.box.PageImage()->Image().pixelColor(inside), QColor(Qt::white));
    QCOMPARE(host.box.EditImage()->Image().pixelColor(inside - item->ScreenRect.topLeft()), QColor(Qt::red));
    QCOMPARE(host.config.Session.CurrentColor, RgbColor(0x0000FF));
    QCOMPARE(host.config.Session.CurrentPenSize, 5);
}

void TestItemEditor::selectRefusesOtherItems()
{
    EditorHost host;
    TDPRptRect* plain = host.AddRect(QStringLiteral("CADRE"), QRectF(100, 100, 300, 300));
    QVERIFY(!host.editor.Select(&host.box, plain));
    QCOMPARE(host.messenger.Shown, QStringList {QStringLiteral("Les éléments de ce type ne sont pas éditables.")});
    QVERIFY(!host.editor.IsEditing());
    QVERIFY(!host.editor.Select(&host.box, &host.Root()));
}

void TestItemEditor::selectKeepsPenOfFilledCircleAndHighlight_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("expected");
    QTest::newRow("rectangle") << int(TDPRptSpDr::SpRect) << 21;
    QTest::newRow("circle") << int(TDPRptSpDr::SpBCircle) << 21;
    QTest::newRow("filled circle") << int(TDPRptSpDr::SpFCircle) << 9;
    QTest::newRow("highlight") << int(TDPRptSpDr::SpHighLight) << 9;
}

void TestItemEditor::selectKeepsPenOfFilledCircleAndHighlight()
{
    QFETCH(int, mode);
    QFETCH(int, expected);
    EditorHost host;
    host.config.Session.CurrentPenSize = 9;
    TDPRptSpDr* item = host.AddDrawing(QStringLiteral("D"), mode, QRectF(100, 100, 300, 300), 21);
    QVERIFY(host.editor.Select(&host.box, item));
    QCOMPARE(host.config.Session.CurrentPenSize, expected);
}

void TestItemEditor::endEditWritesBackPlaceAndSize()
{
    EditorHost host;
    TDPRptSpDr* item = host.AddDrawing(QStringLiteral("R"), TDPRptSpDr::SpRect, QRectF(300.4f, 400, 200, 100));
    QVERIFY(host.editor.Select(&host.box, item));
    host.editor.EndEdit(&host.box, true);
    // Not moved: the place stays exact.
    QCOMPARE(item->PosX, 300.4f);
    QVERIFY(host.editor.Select(&host.box, item));
    QVERIFY(!host.editor.HasPendingChange());
    const QPoint before = host.SurfaceOnPage().topLeft();
    // Changes redraw the surface only; the page is drawn once, at the end.
    const int redraws = host.redraws;
    QVERIFY(host.editor.Move(EP_ItEdt::MoveRight | EP_ItEdt::MoveDown, 10, true));
    QVERIFY(host.editor.Resize(0, 20, true));
    QVERIFY(host.editor.SetColor(RgbColor(0xFF0000)));
    QCOMPARE(host.redraws, redraws);
    QVERIFY(host.editor.HasPendingChange());
    host.editor.CommitEdit(&host.box);
    QCOMPARE(host.redraws, redraws + 1);
    QCOMPARE(item->PosX, float((before.x() + 10) / double(host.Scale())));
    QCOMPARE(item->PosY, float((before.y() + 10) / double(host.Scale())));
    QVERIFY(!item->EditState.HiddenWhileEdited && !item->EditState.SelectionVisible);
    QCOMPARE(item->ScreenRect.topLeft(), before + QPoint(10, 10));
    QCOMPARE(host.config.Settings.DefaultSize(TDPRptSpDr::SpRect),
        QSize(RoundHalfEven(item->Width), RoundHalfEven(item->Height)));
    QVERIFY(item->Width > 250);
    QCOMPARE(host.editor.LastEdited(), item);
    QVERIFY(!host.box.EditImage()->isVisibleTo(&host.box));
}

void TestItemEditor::endEditRemovesEmptyItemBeforeTellingObservers()
{
    EditorHost host;
    TDPRptItem* seen = reinterpret_cast<TDPRptItem*>(1);
    int childrenSeen = -1;
    host.editor.AddObserver([&](QObject*, int event, EP_ItEdt& editor) {
        if (event == EP_ItEdt::EditEnded) {
            seen = editor.Current();
            childrenSeen = editor.Root()->ChildCount();
        }
    });
    const int before = host.Root().ChildCount();
    QVERIFY(host.editor.AddDrawing(&host.box, TDPRptSpDr::SpLines));
    QCOMPARE(host.Root().ChildCount(), before + 1);
    host.editor.EndEdit(&host.box, true);
    QCOMPARE(seen, nullptr);
    QCOMPARE(childrenSeen, before);
    QCOMPARE(host.Root().ChildCount(), before);
    QCOMPARE(host.editor.LastEdited(), nullptr);
}

void TestItemEditor::newDrawingTakesSettings_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<quint32>("pen");
    QTest::addColumn<quint32>("fill");
    QTest::addColumn<quint32>("colour");
    const quint32 fg = 0x0000FF, bk = 0x00FFFF;
    QTest::newRow("rectangle") << int(TDPRptSpDr::SpRect) << fg << bk << fg;
    QTest::newRow("outlined rectangle") << int(TDPRptSpDr::SpFBRect) << 0u << fg << fg;
    QTest::newRow("outlined circle") << int(TDPRptSpDr::SpFBCircle) << 0u << fg << fg;
    QTest::newRow("highlight") << int(TDPRptSpDr::SpHighLight) << fg << bk << fg;
    QTest::newRow("brackets") << int(TDPRptSpDr::SpBrackets) << fg << bk << fg;
}

void TestItemEditor::newDrawingTakesSettings()
{
    QFETCH(int, mode);
    QFETCH(quint32, pen);
    QFETCH(quint32, fill);
    QFETCH(quint32, colour);
    EditorHost host;
    host.config.Settings.ItemForeground = RgbColor(0x0000FF);
    host.config.Settings.ItemBackground = RgbColor(0x00FFFF);
    host.config.Settings.ItemPenSize = 13;
    host.config.Settings.RememberSize(mode, QSize(321, 123));
    QList<int> events;
    host.editor.AddObserver([&](QObject*, int event, EP_ItEdt&) { events << event; });
    QVERIFY(host.editor.AddDrawing(&host.box, mode));
    auto* item = dynamic_cast<TDPRptSpDr*>(host.editor.Current());
    QVERIFY(item);
    QCOMPARE(item->SpDrMode, mode);
    QCOMPARE(item->PenSize, 13);
    QCOMPARE(item->ForeColors[0], RgbColor(pen));
    QCOMPARE(item->BackColors[0], RgbColor(fill));
    QCOMPARE(ItemColors::ColorOf(*item), RgbColor(colour));
    QCOMPARE(item->Width, 321.0f);
    QCOMPARE(item->Height, 123.0f);
    QVERIFY(item->Name.startsWith(QLatin1String("NEWIT_")));
    QCOMPARE(host.Root().ChildAt(host.Root().ChildCount() - 1), item);
    QVERIFY(host.editor.Modified);
    QCOMPARE(events, QList<int> {EP_ItEdt::Selected});
    // Its place on the page is known at once, and kept by its edit's end.
    const QPoint onPage = host.SurfaceOnPage().topLeft();
    host.editor.EndEdit(&host.box, true);
    QCOMPARE(item->ScreenRect.topLeft(), onPage);
}

void TestItemEditor::newDrawingStaysInsidePage_data()
{
    QTest::addColumn<QPoint>("asked"); // by the placement callback, relative to the page image
    QTest::addColumn<QString>("rule");
    QTest::newRow("above the page") << QPoint(100, -40) << "15 below the top";
    QTest::newRow("left of the page") << QPoint(-3, 100) << "15 right of the left";
    QTest::newRow("past the bottom") << QPoint(100, 5000) << "15 above the bottom";
    QTest::newRow("past the right") << QPoint(5000, 100) << "15 left of the right";
    QTest::newRow("inside") << QPoint(100, 100) << "as asked";
}

void TestItemEditor::newDrawingStaysInsidePage()
{
    QFETCH(QPoint, asked);
    QFETCH(QString, rule);
    EditorHost host;
    const QRect page = host.PageRect();
    host.editor.NewItemPosition = [&](int, int, int& left, int& top) {
        left = page.left() + asked.x();
        top = page.top() + asked.y();
        return true;
    };
    QVERIFY(host.editor.AddDrawing(&host.box, TDPRptSpDr::SpRect));
    const QRect surface = host.Surface();
    if (rule == QLatin1String("15 below the top"))
        QCOMPARE(surface.topLeft(), page.topLeft() + QPoint(asked.x(), 15));
    else if (rule == QLatin1String("15 right of the left"))
        QCOMPARE(surface.topLeft(), page.topLeft() + QPoint(15, asked.y()));
    else if (rule == QLatin1String("15 above the bottom"))
        QCOMPARE(surface.bottom(), page.bottom() - 15);
    else if (rule == QLatin1String("15 left of the right"))
        QCOMPARE(surface.right(), page.right() - 15);
    else
        QCOMPARE(surface.topLeft(), page.topLeft() + asked);
}

void TestItemEditor::newDrawingDefaultPlace()
{
    EditorHost host;
    const QRect page = host.PageRect();
    QVERIFY(host.editor.AddDrawing(&host.box, TDPRptSpDr::SpRect));
    // The page starts in view: 50 pixels below its top, centred in the view.
    QCOMPARE(host.Surface().top(), page.top() + 50);
    QCOMPARE(host.Surface().left(), host.box.ClientSize().width() / 2 - host.Surface().width() / 2);
}

void TestItemEditor::newArrowTakesItsGeometry()
{
    EditorHost host;
    QVERIFY(host.editor.AddDrawing(&host.box, TDPRptSpDr::SpArrow));
    auto* arrow = dynamic_cast<TDPRptSpDr*>(host.editor.Current());
    QCOMPARE(arrow->Length, 200);
    QCOMPARE(arrow->Angle, 0.0f);
    QCOMPARE(host.Surface().size(), arrow->PixelRect.size());
    QVERIFY(arrow->PixelRect.width() > RoundHalfEven(200 * host.Scale()));
    // The tail is where the surface says, once the edit ends.
    const QPoint tail = host.SurfaceOnPage().topLeft() + arrow->DrawingOffsetPixels();
    host.editor.EndEdit(&host.box, true);
    QCOMPARE(arrow->ShapePixelPoints[0], tail);
}

void TestItemEditor::newDrawingInScrolledView()
{
    EditorHost host(1.5, QSize(900, 600));
    host.box.SetScrollOffset(QPoint(100, 400));
    const QPoint scroll = host.box.ScrollOffset();
    QVERIFY(scroll.y() > 0);
    QVERIFY(host.editor.AddDrawing(&host.box, TDPRptSpDr::SpRect));
    // The page's top has scrolled away: 50 pixels under the top of the view.
    QCOMPARE(host.Surface().top(), scroll.y() + 50);
    QCOMPARE(host.Surface().left(), scroll.x() + host.box.ClientSize().width() / 2 - host.Surface().width() / 2);
    QCOMPARE(host.box.ScrollOffset(), scroll); // already in view
}

void TestItemEditor::scrollToCurrentBringsSurfaceInView()
{
    EditorHost host(1.5, QSize(900, 600));
    TDPRptSpDr* item = host.AddDrawing(QStringLiteral("R"), TDPRptSpDr::SpRect, QRectF(1500, 2500, 200, 200));
    QVERIFY(host.editor.Select(&host.box, item));
    QCOMPARE(host.box.ScrollOffset(), QPoint(0, 0));
    host.editor.ScrollToCurrent();
    const QRect view(host.box.ScrollOffset(), host.box.ClientSize());
    QVERIFY(view.contains(host.Surface()));
}

void TestItemEditor::moves_data()
{
    QTest::addColumn<QPoint>("start"); // on the page; -1: against the far edge
    QTest::addColumn<int>("directions");
    QTest::addColumn<bool>("allowed");
    QTest::addColumn<QPoint>("expected");
    QTest::addColumn<int>("across"); // the horizontal step; 10 down
    const int up = EP_ItEdt::MoveUp, down = EP_ItEdt::MoveDown, left = EP_ItEdt::MoveLeft, right = EP_ItEdt::MoveRight;
    QTest::newRow("right") << QPoint(100, 100) << right << true << QPoint(110, 100) << 10;
    QTest::newRow("down-left") << QPoint(100, 100) << (down | left) << true << QPoint(90, 110) << 10;
    QTest::newRow("up-left at the left edge: up only") << QPoint(0, 100) << (up | left) << true << QPoint(0, 90) << 10;
    QTest::newRow("up-left near the left edge: snaps") << QPoint(4, 100) << (up | left) << true << QPoint(0, 90) << 10;
    QTest::newRow("left near the edge: refused, snaps") << QPoint(4, 100) << left << false << QPoint(0, 100) << 10;
    QTest::newRow("up at the top: refused") << QPoint(100, 0) << up << false << QPoint(100, 0) << 10;
    QTest::newRow("up-left in the corner: refused") << QPoint(0, 0) << (up | left) << false << QPoint(0, 0) << 10;
    QTest::newRow("down at the bottom: refused") << QPoint(100, -1) << down << false << QPoint(100, -1) << 10;
    QTest::newRow("mouse: 3 across, 10 down") << QPoint(100, 100) << (right | down) << true << QPoint(103, 110) << 3;
}

void TestItemEditor::moves()
{
    QFETCH(QPoint, start);
    QFETCH(int, directions);
    QFETCH(bool, allowed);
    QFETCH(QPoint, expected);
    QFETCH(int, across);
    EditorHost host;
    TDPRptSpDr* item = host.AddDrawing(QStringLiteral("R"), TDPRptSpDr::SpRect, QRectF(500, 500, 200, 200));
    QVERIFY(host.editor.Select(&host.box, item));
    const QRect page = host.PageRect();
    const int bottom = page.height() - 1 - host.Surface().height();
    const auto place = [&](QPoint p) { return QPoint(p.x(), p.y() < 0 ? bottom : p.y()); };
    host.editor.PlaceSurface(place(start));
    QCOMPARE(host.editor.Move(directions, across, 10, false), allowed);
    QCOMPARE(host.SurfaceOnPage().topLeft(), place(start));
    QCOMPARE(host.editor.Move(directions, across, 10, true), allowed);
    QCOMPARE(host.SurfaceOnPage().topLeft(), place(expected));
    // Whatever moved can be undone, a snap to the edge included.
    host.editor.UndoList().Undo();
    QCOMPARE(host.SurfaceOnPage().topLeft(), place(start));
}

void TestItemEditor::moveByDigit_data()
{
    QTest::addColumn<QChar>("digit");
    QTest::addColumn<QPoint>("offset");
    QTest::newRow("1") << QChar('1') << QPoint(-10, 10);
    QTest::newRow("2") << QChar('2') << QPoint(0, 10);
    QTest::newRow("3") << QChar('3') << QPoint(10, 10);
    QTest::newRow("4") << QChar('4') << QPoint(-10, 0);
    QTest::newRow("6") << QChar('6') << QPoint(10, 0);
    QTest::newRow("7") << QChar('7') << QPoint(-10, -10);
    QTest::newRow("8") << QChar('8') << QPoint(0, -10);
    QTest::newRow("9") << QChar('9') << QPoint(10, -10);
    QTest::newRow("5") << QChar('5') << QPoint();
    QTest::newRow("letter") << QChar('a') << QPoint();
}

void TestItemEditor::moveByDigit()
{
    QFETCH(QChar, digit);
    QFETCH(QPoint, offset);
    EditorHost host;
    host.config.Session.MoveStep = 3; // not used by digits
    TDPRptSpDr* item = host.AddDrawing(QStringLiteral("R"), TDPRptSpDr::SpRect, QRectF(500, 500, 200, 200));
    QVERIFY(host.editor.Select(&host.box, item));
    const QPoint before = host.Surface().topLeft();
    QVERIFY(!host.editor.KeyPress(digit)); // never consumed
    QCOMPARE(host.Surface().topLeft(), before + offset);
    QCOMPARE(host.editor.MoveByDigit(digit, 10, false), !offset.isNull());
}

void TestItemEditor::penSize_data()
{
    QTest::addColumn<int>("pen");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("expected"); // 0: refused
    QTest::newRow("98 + 2") << 98 << 2 << 100;
    QTest::newRow("99 + 2") << 99 << 2 << 0;
    QTest::newRow("7 - 2") << 7 << -2 << 5;
    QTest::newRow("6 - 2") << 6 << -2 << 0;
}

void TestItemEditor::penSize()
{
    QFETCH(int, pen);
    QFETCH(int, delta);
    QFETCH(int, expected);
    EditorHost host;
    TDPRptSpDr* item = host.AddDrawing(QStringLiteral("C"), TDPRptSpDr::SpCross, QRectF(500, 500, 300, 300), pen);
    QVERIFY(host.editor.Select(&host.box, item));
    const int records = host.editor.UndoList().Count();
    QCOMPARE(host.editor.ChangePenSize(delta), expected != 0);
    QCOMPARE(item->PenSize, expected ? expected : pen);
    QCOMPARE(host.config.Session.CurrentPenSize, expected ? expected : pen);
    QCOMPARE(host.editor.UndoList().Count(), records + (expected ? 1 : 0));
}

void TestItemEditor::drawingKindChanges_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<quint32>("pen");
    QTest::addColumn<quint32>("fill");
    // The drawing's colour is red (0x0000FF), its other colour yellow.
    QTest::newRow("outline to outlined fill")
        << int(TDPRptSpDr::SpRect) << int(TDPRptSpDr::SpFBRect) << true << 0u << 0x0000FFu;
    QTest::newRow("outlined fill to fill")
        << int(TDPRptSpDr::SpFBCircle) << int(TDPRptSpDr::SpFCircle) << true << 0x0000FFu << 0x0000FFu;
    QTest::newRow("circle to circle") << int(TDPRptSpDr::SpBCircle) << int(TDPRptSpDr::SpFCircle) << true << 0x0000FFu
                                      << 0x00FFFFu;
    QTest::newRow("rectangle to circle") << int(TDPRptSpDr::SpRect) << int(TDPRptSpDr::SpBCircle) << false << 0x0000FFu
                                         << 0x00FFFFu;
    QTest::newRow("cross") << int(TDPRptSpDr::SpCross) << int(TDPRptSpDr::SpRect) << false << 0x0000FFu << 0x00FFFFu;
}

void TestItemEditor::drawingKindChanges()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, changed);
    QFETCH(quint32, pen);
    QFETCH(quint32, fill);
    EditorHost host;
    TDPRptSpDr* item = host.AddDrawing(QStringLiteral("D"), from, QRectF(500, 500, 300, 200));
    const bool outlined = from == TDPRptSpDr::SpFBRect || from == TDPRptSpDr::SpFBCircle;
    item->ForeColors[0] = RgbColor(outlined ? 0 : 0x0000FF);
    item->BackColors[0] = RgbColor(outlined ? 0x0000FF : 0x00FFFF);
    QVERIFY(host.editor.Select(&host.box, item));
    QCOMPARE(host.editor.ChangeDrawingKind(to), changed);
    QCOMPARE(item->SpDrMode, changed ? to : from);
    QCOMPARE(item->ForeColors[0], RgbColor(pen));
    QCOMPARE(item->BackColors[0], RgbColor(fill));
    if (!changed)
        return;
    host.editor.UndoList().Undo();
    QCOMPARE(item->SpDrMode, from);
    QCOMPARE(ItemColors::ColorOf(*item), RgbColor(0x0000FF));
}

void TestItemEditor::arrowCommands()
{
    EditorHost host;
    QVERIFY(host.editor.AddDrawing(&host.box, TDPRptSpDr::SpArrow));
    auto* arrow = dynamic_cast<TDPRptSpDr*>(host.editor.Current());
    host.editor.PlaceSurface(QPoint(300, 300));
    const QPoint tail = host.SurfaceOnPage().topLeft() + arrow->DrawingOffsetPixels();
    QVERIFY(host.editor.ModifyDrawing(0, 60, arrow->Angle, arrow->ArrowType));
    QCOMPARE(arrow->Length, 60);
    QVERIFY(host.editor.ChangeArrowLength(-30));
    QCOMPARE(arrow->Length, 50);
    QVERIFY(host.editor.TurnArrow(-10)); // clockwise
    QCOMPARE(arrow->Angle, 350.0f);
    QVERIFY(host.editor.TurnArrow(100));
    QCOMPARE(arrow->Angle, 90.0f);
    QVERIFY(host.editor.SetArrowType(TDPRptSpDr::ArrowRel));
    QCOMPARE(arrow->ArrowType, int(TDPRptSpDr::ArrowRel));
    // The tail stays where it was while the arrow turns.
    QCOMPARE(host.SurfaceOnPage().topLeft() + arrow->DrawingOffsetPixels(), tail);
    // An arrow that would leave the page is refused and left as it was.
    QVERIFY(!host.editor.ChangeArrowLength(5000));
    QCOMPARE(arrow->Length, 50);
    QCOMPARE(host.SurfaceOnPage().topLeft() + arrow->DrawingOffsetPixels(), tail);
    QVERIFY(!host.editor.SetArrowType(3));
}

void TestItemEditor::polylinePoints()
{
    EditorHost host;
    QVERIFY(host.editor.AddDrawing(&host.box, TDPRptSpDr::SpLines));
    auto* lines = dynamic_cast<TDPRptSpDr*>(host.editor.Current());
    const QString name = lines->Name;
    const QPoint start = host.Surface().topLeft();
    QVERIFY(host.editor.AddPoint(40, 40));
    QVERIFY(host.editor.AddPoint(80, 60));
    QVERIFY(host.editor.AddPoint(80, 60)); // the same point again: not added
    QCOMPARE(lines->Points.size(), 2);
    // The surface is the points' box, where the points are.
    QCOMPARE(host.Surface().topLeft(), start + QPoint(40, 40));
    QVERIFY(host.editor.AddPoint(-20, 0)); // left of the box: it grows leftwards
    QCOMPARE(host.Surface().left(), start.x() + 20);
    QVERIFY(host.editor.DeleteFirstPoint());
    QVERIFY(host.editor.DeleteLastPoint());
    QCOMPARE(lines->Points.size(), 1);
    QVERIFY(host.editor.DeleteLastPoint());
    QVERIFY(!host.editor.DeleteLastPoint());
    host.editor.EndEdit(&host.box, true); // no point left: removed
    QVERIFY(!host.Root().FindByName(name));
}

void TestItemEditor::resize_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QSize>("start"); // pixels
    QTest::addColumn<QSize>("change"); // width, height
    QTest::addColumn<bool>("allowed");
    QTest::addColumn<QSize>("expected");
    QTest::addColumn<int>("beeps");
    QTest::newRow("grow") << int(TDPRptSpDr::SpRect) << QSize(100, 80) << QSize(10, 20) << true << QSize(110, 100) << 0;
    QTest::newRow("below 2 mm") << int(TDPRptSpDr::SpRect) << QSize(100, 80) << QSize(-95, 0) << false << QSize(100, 80)
                                << 1;
    QTest::newRow("one part refused") << int(TDPRptSpDr::SpRect) << QSize(100, 80) << QSize(-95, 10) << false
                                      << QSize(100, 90) << 0;
    QTest::newRow("past the page") << int(TDPRptSpDr::SpRect) << QSize(100, 80) << QSize(5000, 0) << false
                                   << QSize(100, 80) << 1;
    QTest::newRow("arrow: not resized") << int(TDPRptSpDr::SpArrow) << QSize() << QSize(10, 0) << false << QSize() << 1;
}

void TestItemEditor::resize()
{
    QFETCH(int, mode);
    QFETCH(QSize, start);
    QFETCH(QSize, change);
    QFETCH(bool, allowed);
    QFETCH(QSize, expected);
    QFETCH(int, beeps);
    EditorHost host(1.5);
    const double s = host.Scale();
    TDPRptSpDr* item
        = host.AddDrawing(QStringLiteral("D"), mode, QRectF(100, 100, start.width() / s, start.height() / s));
    QVERIFY(host.editor.Select(&host.box, item));
    if (start.isValid())
        QCOMPARE(host.Surface().size(), start);
    const QSize before = host.Surface().size();
    QCOMPARE(host.editor.Resize(change.height(), change.width(), false), allowed);
    QCOMPARE(host.Surface().size(), before);
    QCOMPARE(host.editor.Resize(change.height(), change.width(), true), allowed);
    QCOMPARE(host.messenger.Beeps, beeps);
    if (expected.isValid()) {
        QCOMPARE(host.Surface().size(), expected);
        QCOMPARE(item->PixelRect.size(), expected);
    }
}

void TestItemEditor::navigate_data()
{
    QTest::addColumn<int>("children"); // pupil's items after the page's own
    QTest::addColumn<int>("selected"); // index, 0: none
    QTest::addColumn<int>("operation");
    QTest::addColumn<bool>("result");
    QTest::addColumn<int>("expected"); // index selected after, 0: none
    QTest::newRow("last") << 3 << 0 << 0 << true << 3;
    QTest::newRow("last, none there") << 0 << 0 << 0 << false << 0;
    QTest::newRow("next") << 3 << 1 << 1 << true << 2;
    QTest::newRow("next wraps to 1") << 3 << 3 << 1 << true << 1;
    QTest::newRow("next without selection: first") << 3 << 0 << 1 << true << 1;
    QTest::newRow("next with one item") << 1 << 1 << 1 << false << 1;
    QTest::newRow("previous") << 3 << 2 << 2 << true << 1;
    QTest::newRow("previous wraps to last") << 3 << 1 << 2 << true << 3;
    QTest::newRow("previous without selection: last") << 3 << 0 << 2 << true << 3;
    QTest::newRow("first") << 3 << 0 << 3 << true << 1;
    QTest::newRow("last edited without one: last") << 3 << 0 << 4 << true << 3;
    QTest::newRow("delete") << 3 << 2 << 5 << true << 0;
    QTest::newRow("delete, nothing selected") << 3 << 0 << 5 << false << 0;
    QTest::newRow("delete then previous") << 3 << 3 << 6 << true << 2;
    QTest::newRow("delete first then last") << 3 << 1 << 6 << true << 2;
}

void TestItemEditor::navigate()
{
    QFETCH(int, children);
    QFETCH(int, selected);
    QFETCH(int, operation);
    QFETCH(bool, result);
    QFETCH(int, expected);
    EditorHost host;
    for (int i = 1; i <= children; ++i)
        host.AddDrawing(QStringLiteral("D%1").arg(i), TDPRptSpDr::SpRect, QRectF(100 * i, 100, 80, 80));
    if (selected)
        QVERIFY(host.editor.Select(&host.box, host.Root().ChildAt(selected)));
    const QString deleted = operation >= 5 && selected ? host.Root().ChildName(selected) : QString();
    QCOMPARE(host.editor.Navigate(&host.box, operation), result);
    const TDPRptItem* current = host.editor.Current();
    QCOMPARE(current ? host.Root().IndexOfChild(current) : 0, expected);
    if (!deleted.isEmpty()) {
        // Deleting by the palette is undone like a Delete key, in one step
        // even when another item was selected after it.
        QVERIFY(!host.Root().FindByName(deleted));
        const TEP_UndoList& list = host.editor.UndoList();
        const TEP_Undo& last = list.At(list.Count() - (operation == 6 ? 2 : 1));
        QCOMPARE(last.Kind, int(TEP_Undo::Deleted));
        host.editor.UndoList().Undo();
        QVERIFY(host.Root().FindByName(deleted));
        QCOMPARE(host.editor.Current()->Name, deleted);
    }
}

void TestItemEditor::deleteKeyRemovesOnce_data()
{
    QTest::addColumn<bool>("text");
    QTest::addColumn<int>("key");
    QTest::newRow("drawing, Delete") << false << WindowsKeys::Delete;
    QTest::newRow("drawing, Backspace") << false << WindowsKeys::Back;
    QTest::newRow("empty new text, Delete") << true << WindowsKeys::Delete;
}

void TestItemEditor::deleteKeyRemovesOnce()
{
    QFETCH(bool, text);
    QFETCH(int, key);
    EditorHost host;
    int afterDelete = 0;
    host.editor.AfterDelete = [&] { ++afterDelete; };
    const int before = host.Root().ChildCount();
    QVERIFY(text ? host.editor.AddText(&host.box) : host.editor.AddDrawing(&host.box, TDPRptSpDr::SpCross));
    const QString name = host.editor.Current()->Name;
    QVERIFY(!host.editor.KeyDown(key, WindowsKeys::ShiftDown)); // a shift key held: not the editor's
    QVERIFY(host.editor.IsEditing());
    QVERIFY(host.editor.KeyDown(key, 0));
    QVERIFY(!host.editor.IsEditing());
    QCOMPARE(host.Root().ChildCount(), before);
    QCOMPARE(afterDelete, 1);
    const TEP_Undo* newest = host.editor.UndoList().Newest();
    QCOMPARE(newest->Kind, int(TEP_Undo::Deleted));
    QCOMPARE(newest->ItemName, name);
    QVERIFY(newest->DeletedItem);
}

void TestItemEditor::arrowKeysMoveByStep()
{
    EditorHost host;
    host.config.Session.MoveStep = 7;
    TDPRptSpDr* item = host.AddDrawing(QStringLiteral("R"), TDPRptSpDr::SpRect, QRectF(500, 500, 200, 200));
    QVERIFY(host.editor.Select(&host.box, item));
    const QPoint before = host.Surface().topLeft();
    QVERIFY(!host.editor.KeyDown(WindowsKeys::Left, 0)); // not reported as consumed
    QVERIFY(!host.editor.KeyDown(WindowsKeys::Down, 0));
    QCOMPARE(host.Surface().topLeft(), before + QPoint(-7, 7));
}

void TestItemEditor::blinkFollowsSetting_data()
{
    QTest::addColumn<int>("blink");
    QTest::addColumn<int>("period"); // 0: steady
    QTest::newRow("steady") << 0 << 0;
    QTest::newRow("1") << 1 << 500;
    QTest::newRow("3") << 3 << 1500;
}

void TestItemEditor::blinkFollowsSetting()
{
    QFETCH(int, blink);
    QFETCH(int, period);
    EditorHost host;
    host.config.Settings.SelectionBlink = blink;
    host.config.ApplySettings();
    TDPRptSpDr* item = host.AddDrawing(QStringLiteral("R"), TDPRptSpDr::SpRect, QRectF(500, 500, 200, 200));
    QVERIFY(host.editor.Select(&host.box, item));
    QVERIFY(host.editor.IsBlinkTimerActive());
    QVERIFY(item->EditState.SelectionVisible);
    if (period == 0) {
        host.clock.Advance(5000);
        host.editor.BlinkTick();
        QVERIFY(item->EditState.SelectionVisible);
        return;
    }
    host.clock.Advance(period - 1);
    host.editor.BlinkTick();
    QVERIFY(item->EditState.SelectionVisible);
    host.clock.Advance(1);
    host.editor.BlinkTick();
    QVERIFY(!item->EditState.SelectionVisible);
    // The setting is read at each tick.
    host.config.Settings.SelectionBlink = 0;
    host.config.ApplySettings();
    host.clock.Advance(period);
    host.editor.BlinkTick();
    QVERIFY(!item->EditState.SelectionVisible);
    host.editor.EndEdit(&host.box, true);
    QVERIFY(!host.editor.IsBlinkTimerActive());
}

void TestItemEditor::editSurfaceShowsPageUnderItem()
{
    EditorHost host;
    // The worksheet's picture is red in its top-left quarter.
    TDPRptSpDr* mark = host.AddDrawing(QStringLiteral("H"), TDPRptSpDr::SpHighLight, QRectF(20, 20, 300, 300));
    mark->ForeColors[0] = RgbColor(0x00FFFF); // yellow
    TDPRptText* text = host.AddText(QStringLiteral("T"), QStringLiteral("a"), QRectF(20, 400, 300, 150));
    text->Transparent = true;
    host.Redraw();
    const QColor onPage = host.box.PageImage()->Image().pixelColor(mark->ScreenRect.center());
    QVERIFY(host.editor.Select(&host.box, mark));
    // Tinted as on the page, not over a white box.
    QCOMPARE(host.box.EditImage()->Image().pixelColor(mark->ScreenRect.center() - mark->ScreenRect.topLeft()), onPage);
    QVERIFY(host.editor.Select(&host.box, text));
    const QImage& surface = host.box.EditImage()->Image();
    QVERIFY(surface.pixelColor(surface.width() - 5, surface.height() - 5).red() > 240);
    QVERIFY(surface.pixelColor(surface.width() - 5, surface.height() - 5).green() < 60);
}

void TestItemEditor::selectionLookFollowsSettings()
{
    EditorHost host(1.5);
    host.config.Settings.SelectionBorderWidth = 3;
    host.config.Settings.SelectionColor = RgbColor(0x0000FF);
    host.config.Settings.ResizeSquareColor = RgbColor(0x00FFFF);
    host.config.ApplySettings();
    TDPRptSpDr* item = host.AddDrawing(QStringLiteral("R"), TDPRptSpDr::SpCross, QRectF(1200, 1500, 400, 300));
    QVERIFY(host.editor.Select(&host.box, item));
    const QImage& surface = host.box.EditImage()->Image();
    const int middle = surface.height() / 2;
    for (int x = 0; x < 3; ++x)
        QCOMPARE(surface.pixelColor(x, middle), QColor(Qt::red));
    QCOMPARE(surface.pixelColor(3, middle), QColor(Qt::white));
    // The resize squares, yellow inside a black edge, over the corners.
    QPoint centre;
    QVERIFY(host.editor.SquareCentre(1, centre));
    QCOMPARE(surface.pixelColor(centre + QPoint(1, 1)), QColor(Qt::yellow));
}

void TestItemEditor::squares()
{
    EditorHost host(1.5);
    const double s = host.Scale();
    TDPRptSpDr* item = host.AddDrawing(QStringLiteral("R"), TDPRptSpDr::SpRect, QRectF(400, 400, 200 / s, 100 / s));
    QVERIFY(host.editor.Select(&host.box, item));
    const QRect surface = host.Surface();
    QCOMPARE(host.editor.SquareAt(1, 1), 1);
    QCOMPARE(host.editor.SquareAt(surface.width() - 2, 1), 2);
    QCOMPARE(host.editor.SquareAt(surface.width() - 2, surface.height() - 2), 3);
    QCOMPARE(host.editor.SquareAt(1, surface.height() - 2), 4);
    QCOMPARE(host.editor.SquareAt(surface.width() / 2, surface.height() / 2), 0);
    QPoint centre;
    QVERIFY(host.editor.SquareCentre(3, centre));
    QCOMPARE(host.editor.SquareAt(centre.x(), centre.y()), 3);

    QVERIFY(host.editor.StartSquareResize(0));
    QVERIFY(host.editor.DragSquare(3, 20, 10));
    QCOMPARE(host.Surface(), QRect(surface.topLeft(), surface.size() + QSize(20, 10)));
    QVERIFY(host.editor.DragSquare(1, -10, -5)); // the top-left corner moves the surface
    QCOMPARE(host.Surface(), QRect(surface.topLeft() - QPoint(10, 5), surface.size() + QSize(30, 15)));
    QVERIFY(!host.editor.DragSquare(3, 0, 0));
    QVERIFY(!host.editor.DragSquare(3, 5000, 0)); // off the page
    QVERIFY(!host.editor.DragSquare(5, 1, 1));
    // The drags are one step back.
    host.editor.UndoList().Undo();
    QCOMPARE(host.Surface(), surface);
    host.editor.EndEdit(&host.box, true);
    QCOMPARE(item->ScreenRect, surface.translated(-host.PageRect().topLeft()));
}

void TestItemEditor::squareDragOnDiagonal()
{
    EditorHost host(1.5);
    const double s = host.Scale();
    TDPRptSpDr* item = host.AddDrawing(QStringLiteral("R"), TDPRptSpDr::SpRect, QRectF(400, 400, 200 / s, 100 / s));
    QVERIFY(host.editor.Select(&host.box, item));
    host.editor.ToggleResizeMode();
    QCOMPARE(host.editor.ResizeMode, 1);
    const QRect surface = host.Surface();
    QVERIFY(host.editor.DragSquare(3, 12, 3)); // the larger wins, on both
    QCOMPARE(host.Surface().size(), surface.size() + QSize(12, 12));
    QVERIFY(host.editor.DragSquare(2, 2, 8)); // opposite signs: (-8, 8)
    QCOMPARE(host.Surface().size(), surface.size() + QSize(4, 4));
    QCOMPARE(host.Surface().top(), surface.top() + 8);
    // Started by Alt or Shift: the shape becomes square, smaller side kept.
    QVERIFY(host.editor.StartSquareResize(2));
    QCOMPARE(host.Surface().width(), host.Surface().height());
    host.editor.ToggleResizeMode();
    QCOMPARE(host.editor.ResizeMode, 0);
    host.editor.ResizeMode = 2;
    host.editor.ToggleResizeMode();
    QCOMPARE(host.editor.ResizeMode, 0);
}

void TestItemEditor::screenshotOfEditedItem()
{
    EditorHost host(1.0, QSize(900, 700));
    host.AddText(QStringLiteral("T1"), QStringLiteral("Le chat dort¶sur le tapis."), QRectF(150, 150, 900, 260));
    TDPRptSpDr* circle = host.AddDrawing(QStringLiteral("C"), TDPRptSpDr::SpBCircle, QRectF(1100, 200, 500, 350));
    circle->ForeColors[0] = RgbColor(0xFF0000);
    TDPRptSpDr* mark = host.AddDrawing(QStringLiteral("H"), TDPRptSpDr::SpHighLight, QRectF(150, 700, 900, 120));
    mark->ForeColors[0] = RgbColor(0x00FFFF);
    host.Redraw();
    QVERIFY(host.editor.Select(&host.box, circle));
    QVERIFY(host.editor.Move(EP_ItEdt::MoveDown, 10, true));
    const QImage shot = host.box.grab().toImage();
    QVERIFY(shot.save(Screenshots::PathOf(QStringLiteral("editor-selected-circle.png"))));
    // The surface shows in the grab where the editor put it, framed, with
    // the page's blue quarter under the circle's corner.
    const QPoint topEdge = host.box.EditImage()->mapTo(&host.box, QPoint(host.Surface().width() / 2, 0));
    QCOMPARE(shot.pixelColor(topEdge), QColor(0, 0x80, 0));
    const QPoint overBlue = host.box.EditImage()->mapTo(&host.box, QPoint(host.Surface().width() - 12, 12));
    QVERIFY(shot.pixelColor(overBlue).blue() > 200 && shot.pixelColor(overBlue).red() < 60);
}

QTEST_MAIN(TestItemEditor)
#include "tst_itemeditor.moc"
