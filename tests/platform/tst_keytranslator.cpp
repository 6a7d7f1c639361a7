// Key events of QWERTY and AZERTY keyboards become Windows key codes and
// Windows-1252 characters. Scan codes are the X11/xkb key codes (evdev + 8).
#include "platform/KeyTranslator.h"
#include "platform/WindowsKeys.h"

#include <QKeyEvent>
#include <QTest>

using namespace WindowsKeys;

namespace {

// X11 key codes of the keys the table uses.
enum ScanCode : quint32 {
    KeyEscape = 9,
    KeyRow1 = 10, // "1" on QWERTY, "&" on AZERTY ... KeyRow0 = 19
    KeyRow2 = 11,
    KeyRow3 = 12,
    KeyRow4 = 13,
    KeyRow5 = 14,
    KeyRow6 = 15,
    KeyRow7 = 16,
    KeyRow8 = 17,
    KeyRow9 = 18,
    KeyRow0 = 19,
    KeyMinusRow = 20,
    KeyBackspace = 22,
    KeyTab = 23,
    KeyQ = 24, // "a" on AZERTY
    KeyE = 26,
    KeyBracketRight = 35, // "$" on AZERTY
    KeyReturn = 36,
    KeyControl = 37,
    KeyA = 38, // "q" on AZERTY
    KeyG = 42,
    KeyH = 43,
    KeySemicolon = 47, // "m" on AZERTY
    KeyApostrophe = 48, // "ù" on AZERTY
    KeyGrave = 49, // "²" on AZERTY
    KeyShift = 50,
    KeyBackslash = 51, // "*" on AZERTY
    KeyZ = 52, // "w" on AZERTY
    KeyComma = 59, // ";" on AZERTY
    KeyPeriod = 60, // ":" on AZERTY
    KeyKeypadMultiply = 63,
    KeyAlt = 64,
    KeySpace = 65,
    KeyF1 = 67,
    KeyF8 = 74,
    KeyKeypad7 = 79,
    KeyKeypad8 = 80,
    KeyKeypadMinus = 82,
    KeyKeypad5 = 84,
    KeyKeypadPlus = 86,
    KeyKeypad1 = 87,
    KeyKeypad0 = 90,
    KeyKeypadDecimal = 91,
    KeyF12 = 96,
    KeyKeypadEnter = 104,
    KeyKeypadDivide = 106,
    KeyAltGr = 108,
    KeyHome = 110,
    KeyUp = 111,
    KeyPageUp = 112,
    KeyLeft = 113,
    KeyRight = 114,
    KeyEnd = 115,
    KeyDown = 116,
    KeyPageDown = 117,
    KeyInsert = 118,
    KeyDelete = 119,
    KeyPause = 127,
};

constexpr quint8 Shift_ = ShiftDown;
constexpr quint8 Ctrl_ = CtrlDown;
constexpr quint8 Alt_ = AltDown;

} // namespace

class TestKeyTranslator : public QObject {
    Q_OBJECT

private slots:
    void translate_data();
    void translate();
    void releaseHasNoCharacter();
    void upperCase_data();
    void upperCase();
    void composedText();
};

void TestKeyTranslator::translate_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<quint32>("scanCode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("character");
    QTest::addColumn<int>("shift");

    const int none = Qt::NoModifier;
    const int shift = Qt::ShiftModifier;
    const int ctrl = Qt::ControlModifier;
    const int alt = Qt::AltModifier;
    const int keypad = Qt::KeypadModifier;
    const QString noText;
    auto row = [](const char* name, int key, int modifiers, quint32 scanCode, const QString& text, int code,
                   int character, int shiftState) {
        QTest::newRow(name) << key << modifiers << scanCode << text << code << character << shiftState;
    };

    // QWERTY letters, digits and the punctuation whose Qt::Key values are
    // also Windows codes of other keys.
    row("qwerty a", Qt::Key_A, none, KeyA, "a", Letter('A'), 'a', 0);
    row("qwerty shift A", Qt::Key_A, shift, KeyA, "A", Letter('A'), 'A', Shift_);
    row("qwerty z", Qt::Key_Z, none, KeyZ, "z", Letter('Z'), 'z', 0);
    row("qwerty 1", Qt::Key_1, none, KeyRow1, "1", Digit(1), '1', 0);
    row("qwerty 0", Qt::Key_0, none, KeyRow0, "0", Digit(0), '0', 0);
    row("qwerty shift 1 = !", Qt::Key_Exclam, shift, KeyRow1, "!", Digit(1), '!', Shift_);
    row("qwerty shift 5 = %", Qt::Key_Percent, shift, KeyRow5, "%", Digit(5), '%', Shift_);
    row("qwerty shift 7 = &", Qt::Key_Ampersand, shift, KeyRow7, "&", Digit(7), '&', Shift_);
    row("qwerty shift 9 = (", Qt::Key_ParenLeft, shift, KeyRow9, "(", Digit(9), '(', Shift_);
    row("qwerty .", Qt::Key_Period, none, KeyPeriod, ".", 0, '.', 0);
    row("qwerty -", Qt::Key_Minus, none, KeyMinusRow, "-", 0, '-', 0);
    row("qwerty '", Qt::Key_Apostrophe, none, KeyApostrophe, "'", 0, '\'', 0);
    row("qwerty shift = +", Qt::Key_Plus, shift, 21, "+", 0, '+', Shift_);
    row("qwerty /", Qt::Key_Slash, none, 61, "/", 0, '/', 0);
    row("synthetic 5 without scan code", Qt::Key_5, none, 0, "5", Digit(5), '5', 0);

    // AZERTY: the unshifted digit row types symbols yet gives the digit codes.
    row("azerty &", Qt::Key_Ampersand, none, KeyRow1, "&", Digit(1), '&', 0);
    row("azerty é", Qt::Key_Eacute, none, KeyRow2, "é", Digit(2), 0xE9, 0);
    row("azerty \"", Qt::Key_QuoteDbl, none, KeyRow3, "\"", Digit(3), '"', 0);
    row("azerty '", Qt::Key_Apostrophe, none, KeyRow4, "'", Digit(4), '\'', 0);
    row("azerty (", Qt::Key_ParenLeft, none, KeyRow5, "(", Digit(5), '(', 0);
    row("azerty -", Qt::Key_Minus, none, KeyRow6, "-", Digit(6), '-', 0);
    row("azerty è", Qt::Key_Egrave, none, KeyRow7, "è", Digit(7), 0xE8, 0);
    row("azerty _", Qt::Key_Underscore, none, KeyRow8, "_", Digit(8), '_', 0);
    row("azerty ç", Qt::Key_Ccedilla, none, KeyRow9, "ç", Digit(9), 0xE7, 0);
    row("azerty à", Qt::Key_Agrave, none, KeyRow0, "à", Digit(0), 0xE0, 0);
    row("azerty shift & = 1", Qt::Key_1, shift, KeyRow1, "1", Digit(1), '1', Shift_);
    row("azerty shift à = 0", Qt::Key_0, shift, KeyRow0, "0", Digit(0), '0', Shift_);
    row("azerty a", Qt::Key_A, none, KeyQ, "a", Letter('A'), 'a', 0);
    row("azerty q", Qt::Key_Q, none, KeyA, "q", Letter('Q'), 'q', 0);
    row("azerty m", Qt::Key_M, none, KeySemicolon, "m", Letter('M'), 'm', 0);
    row("azerty w", Qt::Key_W, none, KeyZ, "w", Letter('W'), 'w', 0);
    row("azerty ù", Qt::Key_Ugrave, none, KeyApostrophe, "ù", 0, 0xF9, 0);
    row("azerty shift ù = %", Qt::Key_Percent, shift, KeyApostrophe, "%", 0, '%', Shift_);
    row("azerty $", Qt::Key_Dollar, none, KeyBracketRight, "$", 0, '$', 0);
    row("azerty *", Qt::Key_Asterisk, none, KeyBackslash, "*", 0, '*', 0);
    row("azerty shift * = µ", Qt::Key_mu, shift, KeyBackslash, "µ", 0, 0xB5, Shift_);
    row("azerty :", Qt::Key_Colon, none, KeyPeriod, ":", 0, ':', 0);
    row("azerty shift ; = .", Qt::Key_Period, shift, KeyComma, ".", 0, '.', Shift_);
    row("azerty ²", Qt::Key_twosuperior, none, KeyGrave, "²", 0, 0xB2, 0);

    // AltGr is neither Alt nor Ctrl, however the system reports it.
    row("altgr key", Qt::Key_AltGr, none, KeyAltGr, noText, 0, 0, 0);
    row("azerty altgr à = @", Qt::Key_At, none, KeyRow0, "@", Digit(0), '@', 0);
    row("azerty altgr e = € (group switch)", 0x20AC, Qt::GroupSwitchModifier, KeyE, "€", 0, 0x80, 0);
    row("azerty altgr e = € (ctrl+alt)", 0x20AC, ctrl | alt, KeyE, "€", 0, 0x80, 0);
    row("azerty shift altgr = (ctrl+alt)", Qt::Key_BraceRight, shift | ctrl | alt, 21, "}", 0, '}', Shift_);

    // The keypad, NumLock on or off.
    row("keypad 1 numlock", Qt::Key_1, keypad, KeyKeypad1, "1", Numpad(1), '1', 0);
    row("keypad 1 no numlock", Qt::Key_End, keypad, KeyKeypad1, noText, Numpad(1), 0, 0);
    row("keypad 0 no numlock", Qt::Key_Insert, keypad, KeyKeypad0, noText, Numpad(0), 0, 0);
    row("keypad 5 no numlock", Qt::Key_Clear, keypad, KeyKeypad5, noText, Numpad(5), 0, 0);
    row("keypad 7 no numlock", Qt::Key_Home, keypad, KeyKeypad7, noText, Numpad(7), 0, 0);
    row("keypad 8 no numlock", Qt::Key_Up, keypad, KeyKeypad8, noText, Numpad(8), 0, 0);
    row("keypad 8 numlock", Qt::Key_8, keypad, KeyKeypad8, "8", Numpad(8), '8', 0);
    row("keypad *", Qt::Key_Asterisk, keypad, KeyKeypadMultiply, "*", Multiply, '*', 0);
    row("keypad +", Qt::Key_Plus, keypad, KeyKeypadPlus, "+", Add, '+', 0);
    row("keypad -", Qt::Key_Minus, keypad, KeyKeypadMinus, "-", Subtract, '-', 0);
    row("keypad /", Qt::Key_Slash, keypad, KeyKeypadDivide, "/", Divide, '/', 0);
    row("keypad . numlock", Qt::Key_Period, keypad, KeyKeypadDecimal, ".", Decimal, '.', 0);
    row("keypad , numlock", Qt::Key_Comma, keypad, KeyKeypadDecimal, ",", Decimal, ',', 0);
    row("keypad . no numlock", Qt::Key_Delete, keypad, KeyKeypadDecimal, "\x7f", Decimal, 0, 0);
    row("keypad enter", Qt::Key_Enter, keypad, KeyKeypadEnter, "\r", Return, 13, 0);

    // Named keys.
    row("F1", Qt::Key_F1, none, KeyF1, noText, Function(1), 0, 0);
    row("F8", Qt::Key_F8, none, KeyF8, noText, Function(8), 0, 0);
    row("F12", Qt::Key_F12, none, KeyF12, noText, Function(12), 0, 0);
    row("ctrl F7", Qt::Key_F7, ctrl, 73, noText, Function(7), 0, Ctrl_);
    row("left", Qt::Key_Left, none, KeyLeft, noText, Left, 0, 0);
    row("up", Qt::Key_Up, none, KeyUp, noText, Up, 0, 0);
    row("right", Qt::Key_Right, none, KeyRight, noText, Right, 0, 0);
    row("down", Qt::Key_Down, none, KeyDown, noText, Down, 0, 0);
    row("shift left", Qt::Key_Left, shift, KeyLeft, noText, Left, 0, Shift_);
    row("home", Qt::Key_Home, none, KeyHome, noText, Home, 0, 0);
    row("end", Qt::Key_End, none, KeyEnd, noText, End, 0, 0);
    row("page up", Qt::Key_PageUp, none, KeyPageUp, noText, PageUp, 0, 0);
    row("page down", Qt::Key_PageDown, none, KeyPageDown, noText, PageDown, 0, 0);
    row("insert", Qt::Key_Insert, none, KeyInsert, noText, Insert, 0, 0);
    row("delete types nothing", Qt::Key_Delete, none, KeyDelete, "\x7f", Delete, 0, 0);
    row("backspace", Qt::Key_Backspace, none, KeyBackspace, "\b", Back, 8, 0);
    row("tab", Qt::Key_Tab, none, KeyTab, "\t", Tab, 9, 0);
    row("shift tab", Qt::Key_Backtab, shift, KeyTab, noText, Tab, 9, Shift_);
    row("enter", Qt::Key_Return, none, KeyReturn, "\r", Return, 13, 0);
    row("escape", Qt::Key_Escape, none, KeyEscape, "\x1b", Escape, 27, 0);
    row("space", Qt::Key_Space, none, KeySpace, " ", Space, ' ', 0);
    row("pause", Qt::Key_Pause, none, KeyPause, noText, Pause, 0, 0);

    // Modifier keys count as held while pressed.
    row("shift pressed", Qt::Key_Shift, none, KeyShift, noText, WindowsKeys::Shift, 0, Shift_);
    row("ctrl pressed", Qt::Key_Control, none, KeyControl, noText, Control, 0, Ctrl_);
    row("alt pressed", Qt::Key_Alt, none, KeyAlt, noText, WindowsKeys::Alt, 0, Alt_);

    // Control characters: Ctrl+letter 1-26 (X11 types them too), Ctrl+Backspace 127.
    row("ctrl a", Qt::Key_A, ctrl, KeyA, "\x01", Letter('A'), 1, Ctrl_);
    row("ctrl g", Qt::Key_G, ctrl, KeyG, "\x07", Letter('G'), 7, Ctrl_);
    row("ctrl h", Qt::Key_H, ctrl, KeyH, "\x08", Letter('H'), 8, Ctrl_);
    row("ctrl z", Qt::Key_Z, ctrl, KeyZ, "\x1a", Letter('Z'), 26, Ctrl_);
    row("ctrl shift a", Qt::Key_A, ctrl | shift, KeyA, "\x01", Letter('A'), 1, Ctrl_ | Shift_);
    row("ctrl z without x11 text", Qt::Key_Z, ctrl, 0, "z", Letter('Z'), 26, Ctrl_);
    row("ctrl backspace", Qt::Key_Backspace, ctrl, KeyBackspace, "\b", Back, 127, Ctrl_);
    row("ctrl enter", Qt::Key_Return, ctrl, KeyReturn, "\r", Return, 10, Ctrl_);
    row("ctrl 1", Qt::Key_1, ctrl, KeyRow1, "1", Digit(1), 0, Ctrl_);
    row("ctrl azerty &", Qt::Key_Ampersand, ctrl, KeyRow1, "&", Digit(1), 0, Ctrl_);
    row("alt a", Qt::Key_A, alt, KeyA, "a", Letter('A'), 0, Alt_);
    row("ctrl alt a", Qt::Key_A, ctrl | alt, KeyA, "\x01", Letter('A'), 0, Ctrl_ | Alt_);
    row("ctrl alt delete", Qt::Key_Delete, ctrl | alt, KeyDelete, "\x7f", Delete, 0, Ctrl_ | Alt_);

    // Characters outside Windows-1252 are not typed.
    row("greek letter", 0x3B1, none, KeyA, QString(QChar(0x3B1)), 0, 0, 0);
}

void TestKeyTranslator::translate()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(quint32, scanCode);
    QFETCH(QString, text);
    QFETCH(int, code);
    QFETCH(int, character);
    QFETCH(int, shift);

    const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), scanCode, 0, 0, text);
    const TranslatedKey translated = KeyTranslator::Translate(event);
    QCOMPARE(translated.code, code);
    QCOMPARE(int(translated.character), character);
    QCOMPARE(int(translated.shift), shift);
    QVERIFY(!translated.autoRepeat);
}

void TestKeyTranslator::releaseHasNoCharacter()
{
    const QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, KeyA, 0, 0, "a");
    TranslatedKey key = KeyTranslator::Translate(release);
    QCOMPARE(key.code, Letter('A'));
    QVERIFY(!key.HasCharacter());

    // X11 reports the released modifier as still held: it no longer is.
    const QKeyEvent shiftUp(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier, KeyShift, 0, 0);
    key = KeyTranslator::Translate(shiftUp);
    QCOMPARE(key.code, WindowsKeys::Shift);
    QCOMPARE(int(key.shift), 0);
    const QKeyEvent ctrlUp(
        QEvent::KeyRelease, Qt::Key_Control, Qt::ControlModifier | Qt::ShiftModifier, KeyControl, 0, 0);
    QCOMPARE(int(KeyTranslator::Translate(ctrlUp).shift), int(Shift_));

    const QKeyEvent repeated(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier, KeyLeft, 0, 0, QString(), true);
    QVERIFY(KeyTranslator::Translate(repeated).autoRepeat);
}

void TestKeyTranslator::upperCase_data()
{
    QTest::addColumn<int>("character");
    QTest::addColumn<int>("upper");
    QTest::newRow("a") << int('a') << int('A');
    QTest::newRow("z") << int('z') << int('Z');
    QTest::newRow("A stays") << int('A') << int('A');
    QTest::newRow("digit") << int('1') << int('1');
    QTest::newRow("star") << int('*') << int('*');
    QTest::newRow("é") << 0xE9 << 0xC9;
    QTest::newRow("à") << 0xE0 << 0xC0;
    QTest::newRow("ç") << 0xE7 << 0xC7;
    QTest::newRow("ÿ to Ÿ") << 0xFF << 0x9F;
    QTest::newRow("œ to Œ") << 0x9C << 0x8C;
    QTest::newRow("š to Š") << 0x9A << 0x8A;
    QTest::newRow("ž to Ž") << 0x9E << 0x8E;
    QTest::newRow("µ stays (capital mu is Greek)") << 0xB5 << 0xB5;
    QTest::newRow("ß stays (capital is two letters)") << 0xDF << 0xDF;
    QTest::newRow("÷ stays") << 0xF7 << 0xF7;
}

void TestKeyTranslator::upperCase()
{
    QFETCH(int, character);
    QFETCH(int, upper);
    QCOMPARE(int(KeyTranslator::UpperCase(quint8(character))), upper);
}

void TestKeyTranslator::composedText()
{
    // A dead key "^" then "e" arrives as the text "ê" from the input method.
    QCOMPARE(KeyTranslator::Characters(QStringLiteral("ê")), QByteArray("\xEA"));
    QCOMPARE(KeyTranslator::Characters(QStringLiteral("€œ")), QByteArray("\x80\x9C"));
    QCOMPARE(KeyTranslator::Characters(QString::fromUtf8("a\u03A9\U0001F600b")), QByteArray("ab"));
    QCOMPARE(KeyTranslator::Characters(QStringLiteral("\r\x7f")), QByteArray());
}

QTEST_MAIN(TestKeyTranslator)
#include "tst_keytranslator.moc"
