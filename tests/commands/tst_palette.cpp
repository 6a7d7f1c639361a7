// The tools palette in the main window: keys, clicks, navigation, the
// commands of its three panels, the key vocabulary and its redefinition.
#include "PaletteHost.h"
#include "Screenshots.h"

#include "config/CommandDefinition.h"
#include "documents/TEP_Doc.h"
#include "params/FileBytes.h"

namespace {
QByteArray ReadAll(const QString& path)
{
    QByteArray bytes;
    FileBytes::Read(path, bytes);
    return bytes;
}
} // namespace

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

class tst_palette : public QObject {
    Q_OBJECT
private slots:
    void opensDocksAndCloses();
    void keysIgnoreLetterCase_data();
    void keysIgnoreLetterCase();
    void mainCommands();
    void missingCallbackIsSkipped();
    void arrowNavigation_data();
    void arrowNavigation();
    void escapeThenPauseBringsTheCommandBack();
    void f4MovesBetweenMemberGroups();
    void rectangleDocksItsGroups();
    void itemPanelFollowsTheKind_data();
    void itemPanelFollowsTheKind();
    void keypadSevenActsByMember();
    void resizeDigits_data();
    void resizeDigits();
    void moveStep_data();
    void moveStep();
    void arrowTurnsByATenthOfTheStep_data();
    void arrowTurnsByATenthOfTheStep();
    void colourAndKindCommands();
    void escapeEndsEditOrClosesPalette();
    void navigationAfterAnEditStaysInMainPanel();
    void textBoxEnterInsertsLineMark();
    void textBoxColoursAndParameters();
    void alternativeTextWindow();
    void standardKeysMakeMinusDelete();
    void restoringTwiceWritesTheSameFile();
    void redefinitionStoresCharacterOrCode_data();
    void redefinitionStoresCharacterOrCode();
    void keyCaptureSkipsShift();
    void redefinitionRefusals();
    void ampersandCaption();
    void controlCharacterDefinitionStaysOnItsLine();
    void redefinedKeySurvivesRestart();
    void clickOnRedefinedLetterFiresIt();
    void heldCommandRepeats();
    void heldCommandStopsWhenItsPanelGoes();
    void screenshots();
};

// --- Opening, keys, main commands -------------------------------------------------------

void tst_palette::opensDocksAndCloses()
{
    PaletteHost host;
    QVERIFY(host.Start({QStringLiteral("page1")}));
    host.frame->show();
    QVERIFY(!host.palette->ShownPanel);
    QVERIFY(!host.frame->ToolsPnl()->isVisible());
    host.Key(Qt::Key_Space, QStringLiteral(" "));
    QCOMPARE(host.palette->ShownPanel, host.palette->MainPnl());
    QCOMPARE(host.frame->DockedPanel, host.palette->MainPnl());
    QCOMPARE(host.palette->MainPnl()->parentWidget(), host.frame->ToolsPnl());
    QCOMPARE(host.frame->ToolsPnlTopPnl()->text(), TEP_Frm::MainPanelStatus);
    QCOMPARE(host.Highlighted(), QStringLiteral("Select_Txt_Pnl"));
    // F9 closes; the window's own keys come back.
    host.Key(Qt::Key_F9);
    QVERIFY(!host.palette->ShownPanel);
    QVERIFY(!host.frame->ToolsPnl()->isVisible());
    QCOMPARE(host.palette->ObserverIndex, -1);
    // Open again, go to the next worksheet: the palette comes back there.
    host.Key(Qt::Key_Space, QStringLiteral(" "));
    host.Char('.');
    QCOMPARE(host.Editor().Document()->Name(), QStringLiteral("page2"));
    QCOMPARE(host.palette->ShownPanel, host.palette->MainPnl());
    QVERIFY(host.frame->ToolsPnl()->isVisible());
}

void tst_palette::keysIgnoreLetterCase_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("t") << QStringLiteral("t");
    QTest::newRow("T") << QStringLiteral("T");
}

void tst_palette::keysIgnoreLetterCase()
{
    QFETCH(QString, typed);
    PaletteHost host;
    QVERIFY(host.StartOpen());
    host.Key(Qt::Key_T, typed);
    QVERIFY(dynamic_cast<TDPRptText*>(host.Editor().Current()));
    QCOMPARE(host.palette->Mode(), int(TPaFrmForm::TextMode));
    QCOMPARE(host.frame->DockedPanel, host.palette->TextPnl());
    QCOMPARE(host.frame->ToolsPnlTopPnl()->text(), TEP_Frm::ItemPanelStatus);
}

void tst_palette::mainCommands()
{
    PaletteHost host;
    QVERIFY(host.StartOpen());
    QList<int> zooms;
    QList<QChar> sounds;
    int prints = 0;
    host.palette->OnZoom = [&](int level) { zooms << level; };
    host.palette->OnPlaySound = [&](QChar sound) { sounds << sound; };
    host.palette->OnPrint = [&] { ++prints; };
    for (const char typed : {'1', '2', '3', '/', '*', 'i'})
        host.Char(typed);
    QCOMPARE(zooms, QList<int>({1, 2, 3}));
    QCOMPARE(sounds, QList<QChar>({QLatin1Char('C'), QLatin1Char('A')}));
    QCOMPARE(prints, 1);
    // The previous worksheet of the first one does not exist: a beep.
    const int beeps = host.messenger.Beeps;
    host.Char('0');
    QCOMPARE(host.messenger.Beeps, beeps + 1);
    // A new cross, then Escape back to the main panel, then Delete removes
    // the item chosen by the delete command's highlight.
    host.Char('b');
    QCOMPARE(host.Drawing()->SpDrMode, int(TDPRptSpDr::SpCross));
    host.Key(Qt::Key_Escape, QStringLiteral("\x1b"));
    QCOMPARE(host.palette->ShownPanel, host.palette->MainPnl());
    QCOMPARE(host.ItemCount(), 1);
    host.Key(Qt::Key_Delete); // nothing chosen yet: a beep
    QCOMPARE(host.ItemCount(), 1);
    host.Char('+'); // the next item is chosen, the panel stays
    QCOMPARE(host.palette->ShownPanel, host.palette->MainPnl());
    QVERIFY(host.Editor().Current());
    host.Key(Qt::Key_Delete);
    QCOMPARE(host.ItemCount(), 0);
    QCOMPARE(host.Highlighted(), QStringLiteral("Sup_Pnl"));
}

void tst_palette::missingCallbackIsSkipped()
{
    PaletteHost host;
    QVERIFY(host.StartOpen());
    host.palette->OnZoom = nullptr;
    host.palette->OnPrint = nullptr;
    host.palette->OnPlaySound = nullptr;
    host.palette->OnSiblingDocument = nullptr;
    const int beeps = host.messenger.Beeps;
    for (const char typed : {'1', 'i', '/', '.'})
        host.Char(typed);
    QCOMPARE(host.messenger.Beeps, beeps);
    QCOMPARE(host.palette->ShownPanel, host.palette->MainPnl());
}

// --- Navigation -----------------------------------------------------------------------------

void tst_palette::arrowNavigation_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("to");
    // The next row reaches no further right than the sound: its last command.
    QTest::newRow("down from SoundA") << "SoundA_Pnl" << int(Qt::Key_Down) << "Select_Lines_Pnl";
    // From the last row to the first: the first whose right edge passes.
    QTest::newRow("down from NextIt") << "NextIt_Pnl" << int(Qt::Key_Down) << "Imp_Pnl";
    QTest::newRow("right from SoundA") << "SoundA_Pnl" << int(Qt::Key_Right) << "Select_Rect_Pnl";
    QTest::newRow("left from Select_Txt") << "Select_Txt_Pnl" << int(Qt::Key_Left) << "NextDoc_Pnl";
    QTest::newRow("up from Select_Rect") << "Select_Rect_Pnl" << int(Qt::Key_Up) << "Select_Txt_Pnl";
    QTest::newRow("right in a group") << "ItUp_Pnl" << int(Qt::Key_Right) << "ItUpRight_Pnl";
    QTest::newRow("down to the pen") << "ItDep1_Pnl" << int(Qt::Key_Down) << "PenSizeLess_Pnl";
}

void tst_palette::arrowNavigation()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, to);
    PaletteHost host;
    QVERIFY(host.StartOpen());
    if (from.startsWith(QLatin1String("It")))
        host.Char('a'); // a rectangle: the item panel
    TDPanel* start = host.palette->Panel(from);
    host.palette->ActiveGroup->SelectControl(start->Ctrl);
    host.Key(key);
    QCOMPARE(host.Highlighted(), to);
}

void tst_palette::escapeThenPauseBringsTheCommandBack()
{
    PaletteHost host;
    QVERIFY(host.StartOpen());
    TDPanel* main = host.palette->ActiveGroup;
    main->SelectControl(host.Panel("Zoom2_Pnl")->Ctrl);
    QVERIFY(main->NavigateKey(27));
    QVERIFY(host.Highlighted().isEmpty());
    QVERIFY(!host.Panel("Zoom2_Pnl")->Selected);
    // Without a highlight the keys of the group do not run.
    host.Key(Qt::Key_Right);
    QVERIFY(host.Highlighted().isEmpty());
    QVERIFY(main->NavigateKey(19));
    QCOMPARE(host.Highlighted(), QStringLiteral("Zoom2_Pnl"));
    QVERIFY(!host.Panel("Zoom2_Pnl")->NavigateKey(19)); // only a top group navigates
}

void tst_palette::f4MovesBetweenMemberGroups()
{
    PaletteHost host;
    QVERIFY(host.StartOpen());
    // The main group has no member groups: F4 leaves the highlight.
    host.palette->ActiveGroup->SelectControl(host.Panel("Zoom1_Pnl")->Ctrl);
    host.Key(Qt::Key_F4);
    QCOMPARE(host.Highlighted(), QStringLiteral("Zoom1_Pnl"));
    host.Char('a');
    QCOMPARE(host.Highlighted(), QStringLiteral("ItUpLeft_Pnl"));
    host.Key(Qt::Key_F4);
    QCOMPARE(host.Highlighted(), QStringLiteral("ItSizeML_Pnl"));
    host.Key(Qt::Key_Right);
    host.Key(Qt::Key_F4);
    QCOMPARE(host.Highlighted(), QStringLiteral("Rect_Pnl"));
    host.Key(Qt::Key_F4);
    QCOMPARE(host.Highlighted(), QStringLiteral("ItUpLeft_Pnl"));
    // Each group remembers its command.
    host.Key(Qt::Key_F4);
    QCOMPARE(host.Highlighted(), QStringLiteral("ItSize6_Pnl"));
}

// --- The item panel -------------------------------------------------------------------------

void tst_palette::rectangleDocksItsGroups()
{
    PaletteHost host;
    QVERIFY(host.StartOpen());
    host.Key(Qt::Key_A, QStringLiteral("a"));
    QCOMPARE(host.Drawing()->SpDrMode, int(TDPRptSpDr::SpRect));
    QCOMPARE(host.frame->DockedPanel, host.palette->ItEditPnl());
    QCOMPARE(host.ItemMembers(), QStringList({"ItMovePnl", "ItSizePnl", "RectItTypePnl"}));
    QCOMPARE(host.Highlighted(), QStringLiteral("ItUpLeft_Pnl"));
    // The tools area is as wide as the groups shown.
    QCOMPARE(host.frame->ToolsPnl()->width(), 241 + 112 + 110);
    QVERIFY(host.palette->Control(QStringLiteral("Rect_Pnl"))->isVisible());
    QVERIFY(!host.palette->Control(QStringLiteral("Circle_Pnl"))->isVisible());
}

void tst_palette::itemPanelFollowsTheKind_data()
{
    QTest::addColumn<char>("key");
    QTest::addColumn<QStringList>("members");
    QTest::addColumn<int>("width");
    QTest::newRow("circle") << 'e' << QStringList {"ItMovePnl", "ItSizePnl", "CircleItTypePnl"} << 463;
    QTest::newRow("polyline") << 'g' << QStringList {"ItMovePnl", "ItLinesPnl"} << 521;
    QTest::newRow("arrow") << 'd' << QStringList {"ItMovePnl", "ArrowItFnctPnl"} << 441;
    QTest::newRow("cross") << 'b' << QStringList {"ItMovePnl", "ItSizePnl"} << 353;
}

void tst_palette::itemPanelFollowsTheKind()
{
    QFETCH(char, key);
    QFETCH(QStringList, members);
    QFETCH(int, width);
    PaletteHost host;
    QVERIFY(host.StartOpen());
    host.Char('a'); // a rectangle first: its groups must go
    host.Key(Qt::Key_Escape, QStringLiteral("\x1b"));
    host.Char(key);
    QCOMPARE(host.ItemMembers(), members);
    QCOMPARE(host.palette->DockedWidth(host.palette->ItEditPnl()), width);
    QVERIFY(!host.palette->Control(QStringLiteral("Rect_Pnl"))->isVisible());
}

void tst_palette::keypadSevenActsByMember()
{
    PaletteHost host;
    QVERIFY(host.StartOpen());
    host.Char('a');
    const QRect before = host.Editor().SurfaceOnPage();
    host.Key(Qt::Key_7, QStringLiteral("7"), Qt::KeypadModifier);
    const QRect moved = host.Editor().SurfaceOnPage();
    QCOMPARE(moved.size(), before.size());
    QCOMPARE(moved.topLeft(), before.topLeft() - QPoint(10, 10));
    host.Key(Qt::Key_F4);
    host.Key(Qt::Key_7, QStringLiteral("7"), Qt::KeypadModifier);
    const QRect resized = host.Editor().SurfaceOnPage();
    QCOMPARE(resized.bottomRight(), moved.bottomRight());
    QCOMPARE(resized.size(), moved.size() + QSize(10, 10));
    // A polyline: the digit draws a segment of 5 mm up-left.
    host.Key(Qt::Key_Escape, QStringLiteral("\x1b"));
    host.Char('g');
    const int points = host.Drawing()->Points.size();
    host.Key(Qt::Key_7, QStringLiteral("7"), Qt::KeypadModifier);
    QCOMPARE(host.Drawing()->Points.size(), points); // the move group first
    host.Key(Qt::Key_F4);
    host.Key(Qt::Key_7, QStringLiteral("7"), Qt::KeypadModifier);
    host.Key(Qt::Key_7, QStringLiteral("7"), Qt::KeypadModifier);
    // The first segment starts at the polyline's origin; the origin then
    // follows the points, so the segment is the difference of the last two.
    QCOMPARE(host.Drawing()->Points.size(), points + 3);
    const QPoint added = host.Drawing()->Points.last() - host.Drawing()->Points.value(points + 1);
    QVERIFY2(qAbs(added.x() + 50) <= 3 && qAbs(added.y() + 50) <= 3,
        qPrintable(QStringLiteral("%1,%2").arg(added.x()).arg(added.y())));
}

void tst_palette::resizeDigits_data()
{
    QTest::addColumn<bool>("shrink");
    QTest::addColumn<int>("digit");
    QTest::addColumn<QRect>("change"); // left, top, width, height changes
    QTest::newRow("enlarge 7") << false << 7 << QRect(-10, -10, 10, 10);
    QTest::newRow("enlarge 6") << false << 6 << QRect(0, 0, 10, 0);
    QTest::newRow("enlarge 2") << false << 2 << QRect(0, 0, 0, 10);
    QTest::newRow("shrink 7") << true << 7 << QRect(10, 10, -10, -10);
    QTest::newRow("shrink 3") << true << 3 << QRect(0, 0, -10, -10);
    QTest::newRow("shrink 4") << true << 4 << QRect(10, 0, -10, 0);
}

void tst_palette::resizeDigits()
{
    QFETCH(bool, shrink);
    QFETCH(int, digit);
    QFETCH(QRect, change);
    PaletteHost host;
    QVERIFY(host.StartOpen());
    host.Char('a');
    host.Key(Qt::Key_F4);
    if (shrink) {
        host.Char('-'); // "-" while enlarging switches to shrinking
        QCOMPARE(host.palette->SizeTitle()->text(), QStringLiteral("DIMINUER"));
        QCOMPARE(host.palette->SizeSignTitle()->text(), QStringLiteral("-"));
    }
    const QRect before = host.Editor().SurfaceOnPage();
    host.Key(Qt::Key_0 + digit, QString::number(digit), Qt::KeypadModifier);
    const QRect after = host.Editor().SurfaceOnPage();
    QCOMPARE(after.left() - before.left(), change.x());
    QCOMPARE(after.top() - before.top(), change.y());
    QCOMPARE(after.width() - before.width(), change.width());
    QCOMPARE(after.height() - before.height(), change.height());
    // Keypad 5 switches back.
    host.Key(Qt::Key_5, QStringLiteral("5"), Qt::KeypadModifier);
    QCOMPARE(host.palette->EnlargeMode, shrink);
}

void tst_palette::moveStep_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<QChar>("command");
    QTest::addColumn<int>("to");
    QTest::newRow("+ from 5") << 5 << QChar('+') << 10;
    QTest::newRow("+ from 50") << 50 << QChar('+') << 50;
    QTest::newRow("+ from 7") << 7 << QChar('+') << 1;
    QTest::newRow("- from 1") << 1 << QChar('-') << 1;
    QTest::newRow("- from 20") << 20 << QChar('-') << 10;
    QTest::newRow("* from 3") << 3 << QChar('*') << 20;
    QTest::newRow("/ from 50") << 50 << QChar('/') << 1;
}

void tst_palette::moveStep()
{
    QFETCH(int, from);
    QFETCH(QChar, command);
    QFETCH(int, to);
    PaletteHost host;
    QVERIFY(host.StartOpen());
    host.config.Session.MoveStep = from;
    host.Char('t'); // the text panel: its step commands are characters
    host.Key(Qt::Key_Escape, QStringLiteral("\x1b"));
    host.Char('t');
    host.palette->ActiveGroup->SelectControl(host.Panel("TextUp_Pnl")->Ctrl);
    host.Char(char(command.unicode()));
    QCOMPARE(host.config.Session.MoveStep, to);
    QCOMPARE(host.palette->MVStep1Pnl()->text(), QString::number(to));
    QCOMPARE(host.palette->MVStep2Pnl()->text(), QString::number(to));
}

void tst_palette::arrowTurnsByATenthOfTheStep_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<double>("turn");
    QTest::newRow("clockwise at 10") << 10 << int(Qt::Key_9) << -1.0;
    QTest::newRow("anticlockwise at 10") << 10 << int(Qt::Key_7) << 1.0;
    QTest::newRow("clockwise at 5") << 5 << int(Qt::Key_9) << -0.5;
    QTest::newRow("anticlockwise at 1") << 1 << int(Qt::Key_7) << 0.1;
}

void tst_palette::arrowTurnsByATenthOfTheStep()
{
    QFETCH(int, step);
    QFETCH(int, qtKey);
    QFETCH(double, turn);
    PaletteHost host;
    QVERIFY(host.StartOpen());
    host.Char('d');
    QCOMPARE(host.Drawing()->SpDrMode, int(TDPRptSpDr::SpArrow));
    host.config.Session.MoveStep = step;
    host.Key(Qt::Key_F4);
    QCOMPARE(host.Highlighted(), QStringLiteral("ArrowNonClockWise_Pnl"));
    const float angle = host.Drawing()->Angle;
    const int length = host.Drawing()->Length;
    host.Key(qtKey, QString(QChar(qtKey)), Qt::KeypadModifier);
    const double turned = std::fmod(host.Drawing()->Angle - angle + 540.0, 360.0) - 180.0;
    QVERIFY2(qAbs(turned - turn) < 1e-4, qPrintable(QString::number(host.Drawing()->Angle)));
    host.Key(Qt::Key_1, QStringLiteral("1"), Qt::KeypadModifier);
    QCOMPARE(host.Drawing()->Length, length + step);
    host.Char('r');
    QCOMPARE(host.Drawing()->ArrowType, int(TDPRptSpDr::ArrowRel));
}

void tst_palette::colourAndKindCommands()
{
    PaletteHost host;
    QVERIFY(host.StartOpen());
    host.Char('e');
    host.Char('b'); // blue, in the move group
    QCOMPARE(host.config.Session.CurrentColor, RgbColor(0xFF0000));
    host.Char('m'); // thinner pen: refused at the thinnest? a beep or a change, never both
    host.Key(Qt::Key_F4);
    host.Key(Qt::Key_F4);
    QCOMPARE(host.Highlighted(), QStringLiteral("Circle_Pnl"));
    host.Key(Qt::Key_2, QStringLiteral("2"), Qt::KeypadModifier);
    QCOMPARE(host.Drawing()->SpDrMode, int(TDPRptSpDr::SpFBCircle));
    QCOMPARE(host.Drawing()->BackColors[0], RgbColor(0xFF0000)); // the colour became the fill
    host.Key(Qt::Key_3, QStringLiteral("3"), Qt::KeypadModifier);
    QCOMPARE(host.Drawing()->SpDrMode, int(TDPRptSpDr::SpFCircle));
}

void tst_palette::escapeEndsEditOrClosesPalette()
{
    PaletteHost host;
    QVERIFY(host.StartOpen());
    host.Char('a');
    QCOMPARE(host.palette->ShownPanel, host.palette->ItEditPnl());
    host.Key(Qt::Key_Escape, QStringLiteral("\x1b"));
    QVERIFY(!host.Editor().Current());
    QCOMPARE(host.palette->ShownPanel, host.palette->MainPnl());
    QCOMPARE(host.frame->DockedPanel, host.palette->MainPnl());
    QCOMPARE(host.ItemCount(), 1);
    host.Key(Qt::Key_Escape, QStringLiteral("\x1b"));
    QVERIFY(!host.palette->ShownPanel);
    QVERIFY(!host.frame->ToolsPnl()->isVisible());
    QVERIFY(host.frame->isVisible()); // the worksheet stays
    QCOMPARE(host.quits, 0);
}

void tst_palette::navigationAfterAnEditStaysInMainPanel()
{
    // Navigating to the next item must not take the palette to the item's
    // panel: Escape then reaches the main panel and closes the palette.
    PaletteHost host;
    QVERIFY(host.StartOpen());
    host.Char('a');
    host.Key(Qt::Key_Escape, QStringLiteral("\x1b"));
    host.palette->ActiveGroup->SelectControl(host.Panel("EditIt_Pnl")->Ctrl);
    host.Key(Qt::Key_Return, QStringLiteral("\r")); // chooses the item last edited
    QVERIFY(host.Editor().Current());
    QCOMPARE(host.palette->ShownPanel, host.palette->MainPnl());
    host.Key(Qt::Key_Return, QStringLiteral("\r")); // edits it
    QCOMPARE(host.palette->ShownPanel, host.palette->ItEditPnl());
    host.Key(Qt::Key_Escape, QStringLiteral("\x1b"));
    QCOMPARE(host.palette->ShownPanel, host.palette->MainPnl());
    QVERIFY(host.Editor().Current()); // chosen for the next Enter
    QCOMPARE(host.Highlighted(), QStringLiteral("EditIt_Pnl"));
    host.Key(Qt::Key_Escape, QStringLiteral("\x1b"));
    QVERIFY(!host.palette->ShownPanel);
}

// --- The text panel -------------------------------------------------------------------------

void tst_palette::textBoxEnterInsertsLineMark()
{
    PaletteHost host;
    QVERIFY(host.StartOpen());
    host.Char('t');
    host.palette->ActiveGroup->SelectControl(host.Panel("TextUp_Pnl")->Ctrl);
    host.Key(Qt::Key_Return, QStringLiteral("\r")); // the text box takes the keys
    QLineEdit* box = host.palette->TextEdt();
    QVERIFY(box->hasFocus() || box->isEnabled());
    QCOMPARE(host.Highlighted(), QStringLiteral("TextContent_Pnl"));
    QTest::keyClicks(box, QStringLiteral("abcd"));
    box->setCursorPosition(2);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(box->text(), QStringLiteral("ab\u00B6cd"));
    QCOMPARE(box->cursorPosition(), 3);
    auto* text = dynamic_cast<TDPRptText*>(host.Editor().Current());
    QCOMPARE(text->Value, QStringLiteral("ab\u00B6cd"));
    // Ctrl+Backspace's character 127 is not typed.
    QKeyEvent control(QEvent::KeyPress, Qt::Key_Backspace, Qt::ControlModifier, QStringLiteral("\x7f"));
    QApplication::sendEvent(box, &control);
    QCOMPARE(text->Value, QStringLiteral("ab\u00B6cd"));
    // Keys of the window are not palette keys while the box types.
    host.palette->KeyPress('N');
    QCOMPARE(host.config.Session.CurrentColor, host.config.Settings.ItemForeground);
    // The caret of the item follows the box's.
    box->setCursorPosition(1);
    host.palette->TextCursorTick();
    QCOMPARE(text->EditState.CaretPosition, 1);
    // Escape in the box ends the edit.
    QTest::keyClick(box, Qt::Key_Escape);
    QCOMPARE(host.palette->ShownPanel, host.palette->MainPnl());
}

void tst_palette::textBoxColoursAndParameters()
{
    PaletteHost host;
    QVERIFY(host.StartOpen());
    QLineEdit* box = host.palette->TextEdt();
    QCOMPARE(box->palette().color(QPalette::Disabled, QPalette::Base), QColor(255, 255, 128));
    host.Char('t');
    host.palette->ActiveGroup->SelectControl(host.Panel("TextContent_Pnl")->Ctrl);
    QVERIFY(box->isEnabled());
    QCOMPARE(box->palette().color(QPalette::Active, QPalette::Base), QColor(Qt::white));
    QTest::keyClicks(box, QStringLiteral("Le chat"));
    host.palette->ActiveGroup->SelectControl(host.Panel("TextBold_Pnl")->Ctrl);
    QVERIFY(!box->isEnabled());
    auto* text = dynamic_cast<TDPRptText*>(host.Editor().Current());
    const int size = text->Font.Size;
    host.Char('g');
    QVERIFY(text->Font.Has(FontDescription::Bold));
    QVERIFY(host.palette->BoldCBox()->isChecked());
    host.palette->ActiveGroup->SelectControl(host.Panel("TextFontSizeMore_Pnl")->Ctrl);
    host.Char('+');
    QVERIFY(text->Font.Size > size);
    QCOMPARE(host.palette->FontSizesCBox()->currentText(), QString::number(text->Font.Size));
    QCOMPARE(text->Value, QStringLiteral("Le chat"));
}

void tst_palette::alternativeTextWindow()
{
    PaletteHost host;
    QVERIFY(host.StartOpen());
    host.Char('t');
    host.palette->ActiveGroup->SelectControl(host.Panel("TextContent_Pnl")->Ctrl);
    QTest::keyClicks(host.palette->TextEdt(), QStringLiteral("un"));
    QTest::keyClick(host.palette->TextEdt(), Qt::Key_Return);
    QTest::keyClicks(host.palette->TextEdt(), QStringLiteral("deux"));
    QPoint placed;
    QString shown;
    host.answer = [&](QDialog& dialog) {
        placed = dialog.pos();
        auto* memo = dialog.findChild<QPlainTextEdit*>(QStringLiteral("TextMemo"));
        shown = memo->toPlainText();
        memo->setPlainText(QStringLiteral("un\ndeux\ntrois"));
        dialog.move(40, 50);
        return int(QDialog::Rejected);
    };
    QTest::keyClick(host.palette->TextEdt(), Qt::Key_F3);
    host.palette->EditTextMemoTimer.stop();
    QMetaObject::invokeMethod(&host.palette->EditTextMemoTimer, "timeout", Qt::DirectConnection);
    QCOMPARE(host.dialogs, 1);
    QCOMPARE(placed, QPoint(30, 30));
    QCOMPARE(shown, QStringLiteral("un\ndeux"));
    const QString joined = QStringLiteral("un\u00B6deux\u00B6trois");
    QCOMPARE(dynamic_cast<TDPRptText*>(host.Editor().Current())->Value, joined);
    QCOMPARE(host.palette->TextEdt()->text(), joined);
    QVERIFY2(host.config.Settings.AltTextEditorPlace.startsWith(QLatin1String("(tlwh:50,40,")),
        qPrintable(host.config.Settings.AltTextEditorPlace));
}

// --- Key vocabulary -------------------------------------------------------------------------

void tst_palette::standardKeysMakeMinusDelete()
{
    PaletteHost host;
    QVERIFY(host.StartOpen());
    host.Char('a');
    host.Key(Qt::Key_Escape, QStringLiteral("\x1b"));
    host.Char('b');
    host.Key(Qt::Key_Escape, QStringLiteral("\x1b"));
    QCOMPARE(host.ItemCount(), 2);
    host.messenger.YesNoAnswers = {true};
    host.palette->RestoreStandardKeys();
    QCOMPARE(host.messenger.Asked.value(0), QStringLiteral("Confirmez vous l'initialization des touches par défaut ?"));
    QCOMPARE(host.Panel("Sup_Pnl")->KeyChar, quint8('-'));
    QCOMPARE(host.Panel("PrevIt_Pnl")->KeyChar, quint8('-'));
    QCOMPARE(host.Panel("Select_Circle_Pnl")->Caption(), QStringLiteral("<G>"));
    QCOMPARE(host.Panel("Select_Brackets_Pnl")->Caption(), QStringLiteral("<H>"));
    QCOMPARE(host.Panel("Select_Lines_Pnl")->KeyChar, quint8('J'));
    QCOMPARE(host.palette->Control(QStringLiteral("Sup_Pnl"))->findChild<QLabel*>(QStringLiteral("Sup_Lbl"))->text(),
        QStringLiteral("<->"));
    host.Char('+');
    host.Char('-');
    QCOMPARE(host.ItemCount(), 1); // deleted, not the previous item chosen
    QCOMPARE(host.Highlighted(), QStringLiteral("Sup_Pnl"));
    // "No" leaves everything.
    host.messenger.YesNoAnswers = {false};
    host.Panel("Sup_Pnl")->KeyChar = 'Z';
    host.palette->RestoreStandardKeys();
    QCOMPARE(host.Panel("Sup_Pnl")->KeyChar, quint8('Z'));
}

void tst_palette::restoringTwiceWritesTheSameFile()
{
    PaletteHost host;
    QVERIFY(host.StartOpen());
    const QString settings = host.config.SettingsPath(host.config.CurrentUser());
    host.messenger.YesNoAnswers = {true, true};
    host.palette->RestoreStandardKeys();
    const QByteArray once = ReadAll(settings);
    host.palette->RestoreStandardKeys();
    QCOMPARE(ReadAll(settings), once);
    // The standard set is what the next start applies.
    QVERIFY(once.contains("[TOOLSBARKEYCODES]"));
    QVERIFY2(once.contains("Select_Circle_Pnl=1;0;G;71;\"\";<G>;MS Sans Serif;10;"), once.constData());
    QVERIFY(once.contains("ItDownLeft_Pnl=1;97;\"\";0;\"\";<1>;MS Sans Serif;8;"));
    QVERIFY(host.messenger.Shown.isEmpty());
}

void tst_palette::redefinitionStoresCharacterOrCode_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("character");
    QTest::addColumn<int>("storedCode");
    QTest::addColumn<int>("storedCharacter");
    QTest::newRow("5 of the main keyboard") << 53 << 53 << 0 << 53;
    QTest::newRow("keypad 5") << 101 << 53 << 101 << 0;
    QTest::newRow("K without Shift") << 75 << int('k') << 75 << 0;
    QTest::newRow("K with Shift") << 75 << int('K') << 0 << 75;
    QTest::newRow("F2, no character") << 113 << 0 << 113 << 0;
}

void tst_palette::redefinitionStoresCharacterOrCode()
{
    QFETCH(int, code);
    QFETCH(int, character);
    QFETCH(int, storedCode);
    QFETCH(int, storedCharacter);
    PaletteHost host;
    QVERIFY(host.StartOpen());
    host.palette->ActiveGroup->SelectControl(host.Panel("Select_HL_Pnl")->Ctrl);
    host.answer = [&](QDialog& dialog) {
        auto& keys = static_cast<KeyDefinitionDialog&>(dialog);
        keys.ChooseKeyButton()->click();
        [&] { QVERIFY(!keys.Buttons()->isVisibleTo(&keys)); }();
        keys.TakeKey(code, quint8(character));
        return int(QDialog::Accepted);
    };
    host.Key(Qt::Key_F5);
    QCOMPARE(host.accessChecks, 1);
    QCOMPARE(host.dialogs, 1);
    TDPanel* command = host.Panel("Select_HL_Pnl");
    QCOMPARE(int(command->KeyCode), storedCode);
    QCOMPARE(int(command->KeyChar), storedCharacter);
    const QStringList stored = host.config.Settings.CommandKeys.value(QStringLiteral("Select_HL_Pnl"));
    QCOMPARE(stored.value(1), QString::number(storedCode));
    QCOMPARE(stored.value(3), QString::number(storedCharacter));
}

void tst_palette::keyCaptureSkipsShift()
{
    KeyDefinitionDialog dialog;
    dialog.StartCapture();
    QKeyEvent shift(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
    QApplication::sendEvent(&dialog, &shift);
    QVERIFY(dialog.IsCapturing());
    QKeyEvent k(QEvent::KeyPress, Qt::Key_K, Qt::ShiftModifier, QStringLiteral("K"));
    QApplication::sendEvent(&dialog, &k);
    QVERIFY(!dialog.IsCapturing());
    QCOMPARE(int(dialog.PendingKeyCode), 75);
    QCOMPARE(int(dialog.PendingKeyChar), int('K'));
    QVERIFY(dialog.Buttons()->isVisibleTo(&dialog));
    // A key that types nothing ends the capture too.
    dialog.StartCapture();
    QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &f2);
    QVERIFY(!dialog.IsCapturing());
    QCOMPARE(int(dialog.PendingKeyCode), 113);
    QCOMPARE(int(dialog.PendingKeyChar), 0);
    QVERIFY(!dialog.LaptopButton()->isEnabled());
}

void tst_palette::redefinitionRefusals()
{
    PaletteHost host;
    QVERIFY(host.StartOpen());
    // An escape command is not redefined, and nothing is asked.
    host.palette->ActiveGroup->SelectControl(host.Panel("Esc_Pnl")->Ctrl);
    host.Key(Qt::Key_F5);
    QCOMPARE(
        host.messenger.Shown.value(0), QStringLiteral("Les commandes de type \"escape\" ne sont pas modifiables."));
    QCOMPARE(host.accessChecks, 0);
    // The password refused: no dialog.
    host.palette->ActiveGroup->SelectControl(host.Panel("Zoom1_Pnl")->Ctrl);
    host.accessPasses = false;
    host.Key(Qt::Key_F5);
    QCOMPARE(host.dialogs, 0);
    host.accessPasses = true;
    // In the item panel, N belongs to black in the same group: refused,
    // the dialog comes back; then Escape: reserved; then Cancel.
    host.Char('a');
    host.Key(Qt::Key_Right); // ItUp_Pnl
    QCOMPARE(host.Highlighted(), QStringLiteral("ItUp_Pnl"));
    int round = 0;
    host.answer = [&](QDialog& dialog) {
        auto& keys = static_cast<KeyDefinitionDialog&>(dialog);
        ++round;
        if (round == 3)
            return int(QDialog::Rejected);
        keys.StartCapture();
        keys.TakeKey(round == 1 ? 78 : 27, round == 1 ? 'n' : 27);
        return int(QDialog::Accepted);
    };
    host.messenger.Shown.clear();
    host.Key(Qt::Key_F5);
    QCOMPARE(host.dialogs, 3);
    QCOMPARE(host.messenger.Shown, QStringList({"Touche déja utilisée.", "La touche <Escape> est réservée."}));
    QCOMPARE(int(host.Panel("ItUp_Pnl")->KeyCode), 104);
    QCOMPARE(int(host.Panel("ItUp_Pnl")->KeyChar), 0);
    QVERIFY(!host.config.Settings.CommandKeys.contains(QStringLiteral("ItUp_Pnl")));
}

void tst_palette::ampersandCaption()
{
    PaletteHost host;
    QVERIFY(host.StartOpen());
    host.palette->ActiveGroup->SelectControl(host.Panel("Select_Txt_Pnl")->Ctrl);
    QString offered;
    host.answer = [&](QDialog& dialog) {
        auto& keys = static_cast<KeyDefinitionDialog&>(dialog);
        offered = keys.CmdPnlLblEdt()->text();
        keys.CmdPnlLblEdt()->setText(QStringLiteral("T&x"));
        return int(QDialog::Accepted);
    };
    host.Key(Qt::Key_F5);
    QCOMPARE(offered, QStringLiteral("<T>"));
    TDPanel* command = host.Panel("Select_Txt_Pnl");
    QCOMPARE(command->Caption(), QStringLiteral("T&&x"));
    QCOMPARE(command->Lbl->text(), QStringLiteral("T&x"));
    QCOMPARE(host.config.Settings.CommandKeys.value(QStringLiteral("Select_Txt_Pnl")).value(5), QStringLiteral("T&&x"));
    host.answer = [&](QDialog& dialog) {
        offered = static_cast<KeyDefinitionDialog&>(dialog).CmdPnlLblEdt()->text();
        return int(QDialog::Rejected);
    };
    host.Key(Qt::Key_F5);
    QCOMPARE(offered, QStringLiteral("T&x"));
}

void tst_palette::controlCharacterDefinitionStaysOnItsLine()
{
    // Enter typed for the edit command (its own key): the character 13 is
    // stored by number only, and the ";" of the caption becomes a blank.
    PaletteHost host;
    QVERIFY(host.StartOpen());
    host.palette->ActiveGroup->SelectControl(host.Panel("EditIt_Pnl")->Ctrl);
    host.answer = [&](QDialog& dialog) {
        if (host.dialogs == 3)
            return int(QDialog::Rejected);
        auto& keys = static_cast<KeyDefinitionDialog&>(dialog);
        keys.StartCapture();
        keys.TakeKey(13, 13);
        keys.CmdPnlLblEdt()->setText(QStringLiteral("<a;b>"));
        return int(QDialog::Accepted);
    };
    host.Key(Qt::Key_F5);
    QCOMPARE(host.dialogs, 1);
    QCOMPARE(int(host.Panel("EditIt_Pnl")->KeyChar), 13);
    const QByteArray file = ReadAll(host.config.SettingsPath(host.config.CurrentUser()));
    QVERIFY2(file.contains("EditIt_Pnl=1;0;\"\";13;\"\";<a b>;"), file.constData());
    // Enter is the zoom's no more: refused there.
    host.palette->ActiveGroup->SelectControl(host.Panel("Zoom1_Pnl")->Ctrl);
    host.messenger.Shown.clear();
    host.Key(Qt::Key_F5);
    QCOMPARE(host.dialogs, 3);
    QCOMPARE(host.messenger.Shown, QStringList({"Touche déja utilisée."}));
    QCOMPARE(int(host.Panel("Zoom1_Pnl")->KeyChar), int('1'));
}

void tst_palette::redefinedKeySurvivesRestart()
{
    PaletteHost host;
    QVERIFY(host.StartOpen());
    host.palette->ActiveGroup->SelectControl(host.Panel("Select_HL_Pnl")->Ctrl);
    host.answer = [&](QDialog& dialog) {
        auto& keys = static_cast<KeyDefinitionDialog&>(dialog);
        keys.StartCapture();
        keys.TakeKey(75, 'k');
        keys.CmdPnlLblEdt()->setText(QStringLiteral("<K>"));
        return int(QDialog::Accepted);
    };
    host.Key(Qt::Key_F5);
    const QByteArray file = ReadAll(host.config.SettingsPath(host.config.CurrentUser()));
    QVERIFY2(file.contains("Select_HL_Pnl=1;75;\"\";0;\"\";<K>;"), file.constData());
    // Another run of the program on the same data.
    TEP_Config config;
    QVERIFY(config.Initialise(host.dir.path()).Ok());
    ScriptedMessenger messenger;
    TPaFrmForm palette(config, messenger, host.clock);
    QCOMPARE(int(palette.Panel(QStringLiteral("Select_HL_Pnl"))->KeyChar), int('S'));
    palette.ApplyUserDefinitions();
    QCOMPARE(int(palette.Panel(QStringLiteral("Select_HL_Pnl"))->KeyCode), 75);
    QCOMPARE(int(palette.Panel(QStringLiteral("Select_HL_Pnl"))->KeyChar), 0);
    QCOMPARE(palette.Panel(QStringLiteral("Select_HL_Pnl"))->Lbl->text(), QStringLiteral("<K>"));
    // Another user starts from the initial keys.
    config.Settings.CommandKeys.clear();
    palette.ApplyUserDefinitions();
    QCOMPARE(int(palette.Panel(QStringLiteral("Select_HL_Pnl"))->KeyChar), int('S'));
    QCOMPARE(palette.Panel(QStringLiteral("Select_HL_Pnl"))->Lbl->text(), QStringLiteral("<S>"));
}

void tst_palette::clickOnRedefinedLetterFiresIt()
{
    PaletteHost host;
    QVERIFY(host.StartOpen());
    host.config.Settings.ToolsOneClick = true;
    TDPanel* command = host.Panel("Select_HL_Pnl");
    command->KeyChar = 0;
    command->KeyCode = 75; // K, redefined without Shift
    QTest::mouseClick(command->Ctrl, Qt::LeftButton);
    QVERIFY(host.Drawing());
    QCOMPARE(host.Drawing()->SpDrMode, int(TDPRptSpDr::SpHighLight));
    // The key itself fires it too.
    host.Key(Qt::Key_Escape, QStringLiteral("\x1b"));
    host.Key(Qt::Key_K, QStringLiteral("k"));
    QCOMPARE(host.ItemCount(), 2);
}

// --- The mouse ------------------------------------------------------------------------------

void tst_palette::heldCommandRepeats()
{
    PaletteHost host;
    QVERIFY(host.StartOpen());
    host.config.Settings.FirstMouseDelay = 1000;
    host.config.Settings.MouseDelay = 200;
    host.Char('a');
    TDPanel* up = host.Panel("ItUp_Pnl");
    const auto top = [&] { return host.Editor().SurfaceOnPage().top(); };
    const int start = top();
    // The first press only highlights (one click is not enough here).
    QTest::mousePress(up->Ctrl, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(host.Highlighted(), QStringLiteral("ItUp_Pnl"));
    QCOMPARE(top(), start);
    QTest::mouseRelease(up->Ctrl, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!host.palette->MouseTimer.isActive());
    // The second press fires, then the held button repeats.
    QTest::mousePress(up->Ctrl, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(top(), start - 10);
    QVERIFY(host.palette->MouseTimer.isActive());
    const auto tick = [&](int ms) {
        host.clock.Advance(ms);
        host.palette->MouseTimerTick();
    };
    tick(980);
    QCOMPARE(top(), start - 10);
    tick(20);
    QCOMPARE(top(), start - 10); // not more than the delay yet
    tick(20);
    QCOMPARE(top(), start - 20);
    tick(200);
    QCOMPARE(top(), start - 20);
    tick(20);
    QCOMPARE(top(), start - 30);
    // The pointer leaves the command: the repeat ends.
    QMouseEvent away(QEvent::MouseMove, QPointF(-40, 5), up->Ctrl->mapToGlobal(QPointF(-40, 5)), Qt::NoButton,
        Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(up->Ctrl, &away);
    tick(240);
    QCOMPARE(top(), start - 30);
    QVERIFY(!host.palette->MouseTimer.isActive());
    QCOMPARE(host.palette->RepeatStart, 0);
    QTest::mouseRelease(up->Ctrl, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(host.palette->RepeatDelay, qint64(TPaFrmForm::IdleRepeatDelay));
    // A main panel command does not repeat.
    host.Key(Qt::Key_Escape, QStringLiteral("\x1b"));
    QTest::mousePress(host.Panel("Zoom2_Pnl")->Ctrl, Qt::LeftButton);
    QVERIFY(!host.palette->MouseTimer.isActive());
}

void tst_palette::heldCommandStopsWhenItsPanelGoes()
{
    // One click fires; holding the item panel's Esc ends the edit, and the
    // repeat must not fire Escape again in the main panel (closing it).
    PaletteHost host;
    QVERIFY(host.StartOpen());
    host.config.Settings.ToolsOneClick = true;
    host.Char('a');
    TDPanel* esc = host.Panel("ItEsc_Pnl");
    QTest::mousePress(esc->Ctrl, Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(host.palette->ShownPanel, host.palette->MainPnl());
    host.clock.Advance(5000);
    host.palette->MouseTimerTick();
    QCOMPARE(host.palette->ShownPanel, host.palette->MainPnl());
    // Held on a move, the panel changing meanwhile (the item deleted by a
    // key) ends the repeat too.
    host.Char('a');
    TDPanel* up = host.Panel("ItUp_Pnl");
    QTest::mousePress(up->Ctrl, Qt::LeftButton, {}, QPoint(3, 3));
    QVERIFY(host.palette->MouseTimer.isActive());
    host.Key(Qt::Key_Escape, QStringLiteral("\x1b"));
    host.clock.Advance(5000);
    host.palette->MouseTimerTick();
    QCOMPARE(host.palette->ShownPanel, host.palette->MainPnl());
    QVERIFY(!host.palette->MouseTimer.isActive());
}

// --- Pictures -------------------------------------------------------------------------------

void tst_palette::screenshots()
{
    {
        // The palette on its own: its window shows the main panel.
        TEP_Config config;
        ScriptedMessenger messenger;
        FakeClock clock;
        TPaFrmForm floating(config, messenger, clock);
        floating.ActiveGroup = floating.Group(QStringLiteral("MainPnl"));
        floating.ActiveGroup->SelectControl(floating.Control(QStringLiteral("Select_Rect_Pnl")));
        floating.show();
        QCOMPARE(floating.size(), QSize(633, 106));
        QVERIFY(Screenshots::Save(floating, QStringLiteral("palette-main-floating.png")));
    }
    PaletteHost host;
    QVERIFY(host.StartOpen());
    QVERIFY(Screenshots::Save(*host.frame, QStringLiteral("palette-main-docked.png")));
    host.Char('a');
    QVERIFY(Screenshots::Save(*host.frame->ToolsPnl(), QStringLiteral("palette-item-rectangle.png")));
    host.Key(Qt::Key_Escape, QStringLiteral("\x1b"));
    host.Char('d');
    QVERIFY(Screenshots::Save(*host.frame->ToolsPnl(), QStringLiteral("palette-item-arrow.png")));
    host.Key(Qt::Key_Escape, QStringLiteral("\x1b"));
    host.Char('g');
    host.Key(Qt::Key_F4);
    QVERIFY(Screenshots::Save(*host.frame->ToolsPnl(), QStringLiteral("palette-item-polyline.png")));
    host.Key(Qt::Key_Escape, QStringLiteral("\x1b"));
    host.Char('t');
    host.palette->ActiveGroup->SelectControl(host.Panel("TextContent_Pnl")->Ctrl);
    QTest::keyClicks(host.palette->TextEdt(), QStringLiteral("Le loup"));
    QVERIFY(Screenshots::Save(*host.frame->ToolsPnl(), QStringLiteral("palette-text.png")));
    QVERIFY(Screenshots::Save(*host.frame, QStringLiteral("palette-text-docked.png")));
}

QTEST_MAIN(tst_palette)
#include "tst_palette.moc"
