// Text items in the editor: creation, fitting, fonts, the caret, typing and
// undo of typing.
#include "EditorHost.h"

#include "platform/WindowsKeys.h"

#include <QFontMetrics>
#include <QtTest>

namespace {
const QChar kLineMark(0x00B6);

// Types as the dispatch gives keys: a key-down, then its character.
void Type(EP_ItEdt& editor, const QString& text)
{
    for (const QChar c : text) {
        if (c == QLatin1Char('\r'))
            editor.KeyDown(WindowsKeys::Return, 0);
        editor.KeyPress(c);
    }
}

TDPRptText* NewText(EditorHost& host)
{
    if (!host.editor.AddText(&host.box))
        return nullptr;
    host.editor.KeyDown(WindowsKeys::Return, 0);
    host.editor.KeyPress(QChar(WindowsKeys::EnterCharacter));
    return dynamic_cast<TDPRptText*>(host.editor.Current());
}
} // namespace

class TestTextEditing : public QObject {
    Q_OBJECT
private slots:
    void newTextIsSizedOnSample();
    void newTextTakesGivenFont();
    void emptyNewTextRemovedAtEnd();
    void typingFitsTheItem();
    void enterStartsEntryOnce();
    void otherStartsTypeTheFirstEnter();
    void editingKeys_data();
    void editingKeys();
    void characterLeavingPageRefused();
    void controlCharactersNotTyped();
    void escapeStopsEntry();
    void fontStepThatNoLongerFitsIsUndone();
    void fontSizeSteps();
    void boldAndUnderline();
    void undoAfterBackspaceRestoresCharacter();
    void typingUndoneAtOnce();
    void caretBlinks();
    void placeCaretAtClick();
    void clickOutsideTextStartsEntryAtEnd();
    void accentsSavedAndReloaded();
    void fontChoicesReachSettingsFile();
};

void TestTextEditing::newTextIsSizedOnSample()
{
    EditorHost host(1.5);
    host.config.Fonts.SelectByName(QStringLiteral("Arial"));
    host.config.Fonts.Size = 14;
    QVERIFY(host.editor.AddText(&host.box));
    auto* text = dynamic_cast<TDPRptText*>(host.editor.Current());
    QVERIFY(text);
    QCOMPARE(text->Value, QString());
    QCOMPARE(text->Font.Name, QStringLiteral("Arial"));
    QCOMPARE(text->Font.Size, 14);
    QCOMPARE(host.editor.TextEntry, 0);
    QCOMPARE(host.Surface().size(), host.editor.TextPixelSize(*text, QStringLiteral("gfP_m")));
    // As wide as the sample with its margins, as high as a line.
    const QFontMetrics metrics(host.box.EditImage()->font());
    const int margin = RoundHalfEven(20 * host.Scale());
    QVERIFY(host.Surface().width() > 2 * margin + 20);
    QVERIFY(host.Surface().height() > 14);
    QVERIFY(host.Surface().height() < 60);
    // Sizing records no text step: creation and selection only.
    QCOMPARE(host.editor.UndoList().Count(), 2);
}

void TestTextEditing::newTextTakesGivenFont()
{
    EditorHost host;
    host.config.Session.CurrentColor = RgbColor(0x0000FF);
    host.config.Fonts.Bold = true;
    QVERIFY(host.editor.AddText(&host.box, QStringLiteral("Courier New"), 20));
    auto* text = dynamic_cast<TDPRptText*>(host.editor.Current());
    QCOMPARE(text->Font.Name, QStringLiteral("Courier New"));
    QCOMPARE(text->Font.Size, 20);
    QCOMPARE(text->Font.Color, RgbColor(0x0000FF));
    QVERIFY(text->Font.Has(FontDescription::Bold));
    QVERIFY(!text->Font.Has(FontDescription::Underline));
    QVERIFY(text->Name.startsWith(QLatin1String("NEWIT_")));
}

void TestTextEditing::emptyNewTextRemovedAtEnd()
{
    EditorHost host;
    const int children = host.Root().ChildCount();
    TDPRptText* text = NewText(host);
    QVERIFY(text);
    Type(host.editor, QStringLiteral("   "));
    host.editor.EndEdit(&host.box, true);
    QCOMPARE(host.Root().ChildCount(), children);
}

void TestTextEditing::typingFitsTheItem()
{
    EditorHost host;
    int callbacks = 0;
    host.editor.TextCallback = [&](const QString&) { ++callbacks; };
    TDPRptText* text = NewText(host);
    const QSize empty = host.Surface().size();
    Type(host.editor, QStringLiteral("Le chat\rdort"));
    QCOMPARE(text->Value, QStringLiteral("Le chat") + kLineMark + QStringLiteral("dort"));
    QCOMPARE(text->EditState.CaretPosition, 12);
    QVERIFY(host.Surface().height() > empty.height() * 3 / 2);
    QCOMPARE(host.Surface().size(), host.editor.TextPixelSize(*text, text->Value));
    QCOMPARE(callbacks, 12);
    // What the item draws on the page when its edit ends keeps every line:
    // the layout does not wrap a text in the room made for it.
    host.editor.EndEdit(&host.box, true);
    QVERIFY(text->Width > 0);
    const QImage& page = host.box.PageImage()->Image();
    const QRect at = text->ScreenRect;
    int dark = 0;
    for (int y = at.top() + at.height() / 2; y <= at.bottom(); ++y)
        for (int x = at.left(); x <= at.right(); ++x)
            dark += page.pixelColor(x, y).lightness() < 100;
    QVERIFY(dark > 20);
}

void TestTextEditing::enterStartsEntryOnce()
{
    EditorHost host;
    TDPRptText* text = host.AddText(QStringLiteral("T"), QStringLiteral("ab"), QRectF(100, 100, 600, 200));
    QVERIFY(host.editor.Select(&host.box, text));
    QVERIFY(host.editor.KeyDown(WindowsKeys::Return, 0));
    QCOMPARE(host.editor.TextEntry, 1);
    QVERIFY(host.editor.IsCaretTimerActive());
    QCOMPARE(text->EditState.CaretPosition, 2);
    QVERIFY(host.editor.KeyPress(QChar(WindowsKeys::EnterCharacter)));
    QCOMPARE(text->Value, QStringLiteral("ab"));
    QCOMPARE(host.editor.TextEntry, 2);
    Type(host.editor, QStringLiteral("\rc"));
    QCOMPARE(text->Value, QStringLiteral("ab") + kLineMark + QStringLiteral("c"));
}

void TestTextEditing::otherStartsTypeTheFirstEnter()
{
    EditorHost host;
    TDPRptText* text = host.AddText(QStringLiteral("T"), QStringLiteral("ab"), QRectF(100, 100, 600, 200));
    QVERIFY(host.editor.Select(&host.box, text));
    host.editor.BeginTextEntry(); // a double click, the toolbar
    QCOMPARE(host.editor.TextEntry, 2);
    QVERIFY(host.editor.KeyPress(QChar(WindowsKeys::EnterCharacter)));
    QCOMPARE(text->Value, QStringLiteral("ab") + kLineMark);
}

void TestTextEditing::editingKeys_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("expectedCaret");
    const QString two = QStringLiteral("abcdef") + kLineMark + QStringLiteral("gh");
    QTest::newRow("Backspace") << "abc" << 2 << WindowsKeys::Back << "ac" << 1;
    QTest::newRow("Backspace at 0") << "abc" << 0 << WindowsKeys::Back << "abc" << 0;
    QTest::newRow("Delete") << "abc" << 1 << WindowsKeys::Delete << "ac" << 1;
    QTest::newRow("Delete at the end") << "abc" << 3 << WindowsKeys::Delete << "abc" << 3;
    QTest::newRow("Backspace of a line mark") << two << 7 << WindowsKeys::Back << "abcdefgh" << 6;
    QTest::newRow("Left") << "abc" << 2 << WindowsKeys::Left << "abc" << 1;
    QTest::newRow("Left at 0") << "abc" << 0 << WindowsKeys::Left << "abc" << 0;
    QTest::newRow("Right at the end") << "abc" << 3 << WindowsKeys::Right << "abc" << 3;
    QTest::newRow("Home") << "abc" << 2 << WindowsKeys::Home << "abc" << 0;
    QTest::newRow("End") << "abc" << 1 << WindowsKeys::End << "abc" << 3;
    QTest::newRow("Down keeps the column") << two << 1 << WindowsKeys::Down << two << 8;
    QTest::newRow("Down to a shorter line's end") << two << 5 << WindowsKeys::Down << two << 9;
    QTest::newRow("Up keeps the column") << two << 9 << WindowsKeys::Up << two << 2;
    QTest::newRow("Up on the first line") << two << 3 << WindowsKeys::Up << two << 3;
    QTest::newRow("Down on the last line") << two << 8 << WindowsKeys::Down << two << 8;
    QTest::newRow("Backspace of a character beyond 65536")
        << QString::fromUtf8("a\xF0\x9F\x99\x82") << 3 << WindowsKeys::Back << "a" << 1;
}

void TestTextEditing::editingKeys()
{
    QFETCH(QString, value);
    QFETCH(int, caret);
    QFETCH(int, key);
    QFETCH(QString, expected);
    QFETCH(int, expectedCaret);
    EditorHost host;
    TDPRptText* text = host.AddText(QStringLiteral("T"), value, QRectF(100, 100, 600, 200));
    QVERIFY(host.editor.Select(&host.box, text));
    host.editor.BeginTextEntry();
    host.editor.SetCaret(caret, false);
    host.clock.Advance(1000);
    text->EditState.CaretVisible = false;
    QVERIFY(host.editor.KeyDown(key, 0));
    QCOMPARE(text->Value, expected);
    QCOMPARE(text->EditState.CaretPosition, expectedCaret);
    QVERIFY(text->EditState.CaretVisible);
    // A shift key held: the keys are not the text's.
    QVERIFY(!host.editor.KeyDown(key, WindowsKeys::ShiftDown));
}

void TestTextEditing::characterLeavingPageRefused()
{
    EditorHost host;
    TDPRptText* text = NewText(host);
    Type(host.editor, QStringLiteral("a"));
    // The item near the right edge of the page.
    const QRect page = host.PageRect();
    host.editor.PlaceSurface(QPoint(page.width() - host.Surface().width() - 2, 100));
    const QString before = text->Value;
    const int records = host.editor.UndoList().Count();
    QVERIFY(host.editor.KeyPress(QLatin1Char('W')));
    QCOMPARE(text->Value, before);
    QCOMPARE(text->EditState.CaretPosition, int(before.size()));
    QCOMPARE(host.editor.UndoList().Count(), records);
    QVERIFY(host.messenger.Beeps > 0);
}

void TestTextEditing::controlCharactersNotTyped()
{
    EditorHost host;
    TDPRptText* text = NewText(host);
    QVERIFY(!host.editor.KeyPress(QChar(0x7f))); // X11's text of the Delete key
    QVERIFY(!host.editor.KeyPress(QChar(WindowsKeys::TabCharacter)));
    QVERIFY(!host.editor.KeyPressText(QStringLiteral("\x7f")));
    QCOMPARE(text->Value, QString());
}

void TestTextEditing::escapeStopsEntry()
{
    EditorHost host;
    TDPRptText* text = NewText(host);
    Type(host.editor, QStringLiteral("ab"));
    QVERIFY(host.editor.KeyPress(QChar(WindowsKeys::EscapeCharacter)));
    QCOMPARE(host.editor.TextEntry, 0);
    QVERIFY(!text->EditState.CaretVisible);
    QVERIFY(!host.editor.IsCaretTimerActive());
    QVERIFY(host.editor.IsEditing());
    // Now the arrows move the item again.
    const QPoint before = host.Surface().topLeft();
    host.editor.KeyDown(WindowsKeys::Right, 0);
    QCOMPARE(host.Surface().topLeft(), before + QPoint(host.config.Session.MoveStep, 0));
}

void TestTextEditing::fontStepThatNoLongerFitsIsUndone()
{
    EditorHost host;
    host.config.Fonts.SetNames({QStringLiteral("Arial"), QStringLiteral("Courier New")});
    host.config.Fonts.SelectByName(QStringLiteral("Arial"));
    host.config.Fonts.Size = 20;
    TDPRptText* text = NewText(host);
    Type(host.editor, QStringLiteral("iiiiiiiiii"));
    // Against the right edge: the wider font does not fit.
    const QRect page = host.PageRect();
    host.editor.PlaceSurface(QPoint(page.width() - host.Surface().width() - 2, 100));
    const QSize size = host.Surface().size();
    const int records = host.editor.UndoList().Count();
    QVERIFY(!host.editor.NextFont());
    QCOMPARE(text->Font.Name, QStringLiteral("Arial"));
    QCOMPARE(host.config.Fonts.CurrentName(), QStringLiteral("Arial"));
    QCOMPARE(host.Surface().size(), size);
    QCOMPARE(host.editor.UndoList().Count(), records);
    // With room, it steps and one undo brings the font back.
    host.editor.PlaceSurface(QPoint(10, 100));
    QVERIFY(host.editor.NextFont());
    QCOMPARE(text->Font.Name, QStringLiteral("Courier New"));
    QCOMPARE(host.config.Fonts.CurrentName(), QStringLiteral("Courier New"));
    QVERIFY(!host.editor.NextFont()); // the end of the list
    QVERIFY(host.editor.PreviousFont());
    QCOMPARE(text->Font.Name, QStringLiteral("Arial"));
    host.editor.UndoList().Undo();
    QCOMPARE(text->Font.Name, QStringLiteral("Courier New"));
}

void TestTextEditing::fontSizeSteps()
{
    EditorHost host;
    host.config.Fonts.Size = 10;
    TDPRptText* text = NewText(host);
    Type(host.editor, QStringLiteral("abc"));
    // The list steps from the item's size, not its own.
    text->Font.Size = 14;
    QVERIFY(host.editor.LargerFont());
    QCOMPARE(text->Font.Size, 16);
    QCOMPARE(host.config.Fonts.Size, 16);
    QVERIFY(host.editor.SmallerFont());
    QCOMPARE(text->Font.Size, 14);
    QCOMPARE(host.config.Fonts.Size, 14);
    // A size that would leave the page: refused, the list keeps its size.
    const QRect page = host.PageRect();
    host.editor.PlaceSurface(QPoint(page.width() - host.Surface().width() - 2, 100));
    QVERIFY(!host.editor.LargerFont());
    QCOMPARE(text->Font.Size, 14);
    QCOMPARE(host.config.Fonts.Size, 14);
    text->Font.Size = 72;
    host.editor.PlaceSurface(QPoint(10, 10));
    QVERIFY(!host.editor.LargerFont()); // no larger step
    QCOMPARE(host.config.Fonts.Size, 14);
}

void TestTextEditing::boldAndUnderline()
{
    EditorHost host;
    TDPRptText* text = NewText(host);
    Type(host.editor, QStringLiteral("abc"));
    QVERIFY(host.editor.ToggleBold());
    QVERIFY(text->Font.Has(FontDescription::Bold));
    QVERIFY(host.editor.ToggleUnderline());
    QVERIFY(text->Font.Has(FontDescription::Underline));
    host.editor.UndoList().Undo();
    QVERIFY(!text->Font.Has(FontDescription::Underline));
    QVERIFY(text->Font.Has(FontDescription::Bold));
}

void TestTextEditing::undoAfterBackspaceRestoresCharacter()
{
    EditorHost host;
    TDPRptText* text = host.AddText(QStringLiteral("T"), QStringLiteral("chat"), QRectF(100, 100, 600, 200));
    QVERIFY(host.editor.Select(&host.box, text));
    host.editor.BeginTextEntry();
    QVERIFY(host.editor.KeyDown(WindowsKeys::Back, 0));
    QCOMPARE(text->Value, QStringLiteral("cha"));
    host.editor.UndoList().Undo();
    QCOMPARE(text->Value, QStringLiteral("chat"));
    QCOMPARE(text->EditState.CaretPosition, 4);
}

void TestTextEditing::typingUndoneAtOnce()
{
    EditorHost host;
    TDPRptText* text = host.AddText(QStringLiteral("T"), QStringLiteral("a"), QRectF(100, 100, 600, 200));
    QVERIFY(host.editor.Select(&host.box, text));
    host.editor.BeginTextEntry();
    Type(host.editor, QStringLiteral("bcd"));
    host.editor.KeyDown(WindowsKeys::Left, 0);
    host.editor.KeyDown(WindowsKeys::Left, 0);
    QCOMPARE(text->EditState.CaretPosition, 2);
    host.editor.UndoList().Undo(); // the caret moves, at once
    QCOMPARE(text->EditState.CaretPosition, 4);
    host.editor.UndoList().Undo(); // the typing, at once
    QCOMPARE(text->Value, QStringLiteral("a"));
}

void TestTextEditing::caretBlinks()
{
    EditorHost host;
    TDPRptText* text = NewText(host);
    QVERIFY(text->EditState.CaretVisible);
    host.clock.Advance(349);
    host.editor.CaretTick();
    QVERIFY(text->EditState.CaretVisible);
    host.clock.Advance(1);
    host.editor.CaretTick();
    QVERIFY(!text->EditState.CaretVisible);
    // A key shows the caret again and restarts the count.
    host.clock.Advance(200);
    host.editor.KeyPress(QLatin1Char('a'));
    QVERIFY(text->EditState.CaretVisible);
    host.clock.Advance(300);
    host.editor.CaretTick();
    QVERIFY(text->EditState.CaretVisible);
}

void TestTextEditing::placeCaretAtClick()
{
    EditorHost host(1.5);
    TDPRptText* text = host.AddText(
        QStringLiteral("T"), QStringLiteral("abcdef") + kLineMark + QStringLiteral("gh"), QRectF(100, 100, 900, 400));
    QVERIFY(host.editor.Select(&host.box, text));
    host.editor.BeginTextEntry();
    // Far right of the second line: its end; before the first letter: 0.
    const int lineHeight = host.editor.TextPixelSize(*text, QStringLiteral("a")).height() - 1;
    host.editor.PlaceCaretAt(host.Surface().width() - 3, lineHeight + lineHeight / 2);
    QCOMPARE(text->EditState.CaretPosition, 9);
    host.editor.PlaceCaretAt(0, 2);
    QCOMPARE(text->EditState.CaretPosition, 0);
    host.editor.UndoList().Undo();
    QCOMPARE(text->EditState.CaretPosition, 9);
    QVERIFY(!host.editor.CaretAtClick);
}

void TestTextEditing::clickOutsideTextStartsEntryAtEnd()
{
    EditorHost host;
    host.editor.CaretAtClick = true;
    TDPRptText* text = host.AddText(QStringLiteral("T"), QStringLiteral("abc"), QRectF(100, 100, 600, 200));
    const QRect at = text->ScreenRect;
    QVERIFY(host.editor.Select(&host.box, text, at.top() + 2, at.left() + 1, true));
    QCOMPARE(text->EditState.CaretPosition, 0);
    QCOMPARE(host.editor.TextEntry, 0);
    QVERIFY(host.editor.Select(&host.box, text, at.bottom() + 50, at.left(), true));
    QCOMPARE(host.editor.TextEntry, 2);
    QCOMPARE(text->EditState.CaretPosition, 3);
}

void TestTextEditing::accentsSavedAndReloaded()
{
    EditorHost host;
    TDPRptText* text = NewText(host);
    Type(host.editor, QString::fromUtf8("é œ € "));
    QVERIFY(host.editor.KeyPressText(QString::fromUtf8("ê"))); // a dead key and "e"
    QVERIFY(host.editor.KeyPressText(QString::fromUtf8(" ő")));
    const QString expected = QString::fromUtf8("é œ € ê ő");
    QCOMPARE(text->Value, expected);
    const QString name = text->Name;
    host.editor.Detach(&host.box);
    QVERIFY(host.document.EPDoc_Save());
    host.document.EPDoc_Close();
    TEP_Doc reloaded;
    QVERIFY(reloaded.EPDoc_Init(QStringLiteral("Dictée"), host.dir.path() + QStringLiteral("/Fiches")));
    QVERIFY(reloaded.EPDoc_SetUser(QStringLiteral("Paul")));
    const Outcome loaded = reloaded.EPDoc_LoadForUse();
    QVERIFY2(loaded.Ok(), qPrintable(loaded.Text()));
    auto* back = dynamic_cast<TDPRptText*>(reloaded.Tree()->FindByName(name));
    QVERIFY(back);
    QCOMPARE(back->Value, expected);
}

void TestTextEditing::fontChoicesReachSettingsFile()
{
    EditorHost host;
    QVERIFY(host.config.Initialise(host.dir.path()));
    QVERIFY(host.config.SetUser(QStringLiteral("Paul"), false));
    host.config.Fonts.SetNames({QStringLiteral("Arial"), QStringLiteral("Courier New")});
    host.config.Fonts.SelectByName(QStringLiteral("Arial"));
    host.config.Fonts.Size = 12;
    TDPRptText* text = NewText(host);
    Type(host.editor, QStringLiteral("abc"));
    QVERIFY(host.editor.NextFont());
    QVERIFY(host.editor.LargerFont());
    QCOMPARE(text->Font.Size, 14);
    QVERIFY(host.config.SaveUserSettings());
    const QByteArray saved = TestFiles::ReadBytes(host.config.SettingsPath(QStringLiteral("Paul")));
    QVERIFY2(saved.contains("TEXTFONTNAME=Courier New"), saved.constData());
    QVERIFY(saved.contains("TEXTFONTSIZE=14"));
}

QTEST_MAIN(TestTextEditing)
#include "tst_textediting.moc"
