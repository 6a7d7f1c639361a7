#include "KeyTranslator.h"

#include "WindowsKeys.h"
#include "params/Windows1252.h"

#include <QKeyEvent>

using namespace WindowsKeys;

TranslatedKey KeyTranslator::Translate(const QKeyEvent& event)
{
    TranslatedKey key;
    key.code = KeyCode(event);
    key.shift = ShiftState(event);
    key.character = Character(event);
    key.autoRepeat = event.isAutoRepeat();
    return key;
}

int KeyTranslator::KeyCode(const QKeyEvent& event)
{
    const int key = event.key();
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    // The keypad gives its own codes whatever NumLock says, as the palette's
    // movement commands expect.
    if (keypad) {
        if (const int code = KeypadCode(key))
            return code;
    }
    // Main-row digits come from the physical key: on AZERTY the unshifted
    // keys type "&", "é", ... and still are the digit keys.
    const quint32 scanCode = event.nativeScanCode();
    if (!keypad && scanCode >= FirstDigitRowKey && scanCode <= LastDigitRowKey)
        return Digit0 + int((scanCode - FirstDigitRowKey + 1) % 10);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return LetterA + (key - Qt::Key_A);
    // Events made without a scan code (tests, input methods) name the digit.
    if (!keypad && scanCode == 0 && key >= Qt::Key_0 && key <= Qt::Key_9)
        return Digit0 + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return F1 + (key - Qt::Key_F1);
    return NamedKeyCode(key);
}

int KeyTranslator::KeypadCode(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return Numpad0 + (key - Qt::Key_0);
    switch (key) {
    // NumLock off: the same keys arrive as movement keys.
    case Qt::Key_Insert:
        return Numpad(0);
    case Qt::Key_End:
        return Numpad(1);
    case Qt::Key_Down:
        return Numpad(2);
    case Qt::Key_PageDown:
        return Numpad(3);
    case Qt::Key_Left:
        return Numpad(4);
    case Qt::Key_Clear:
        return Numpad(5);
    case Qt::Key_Right:
        return Numpad(6);
    case Qt::Key_Home:
        return Numpad(7);
    case Qt::Key_Up:
        return Numpad(8);
    case Qt::Key_PageUp:
        return Numpad(9);
    case Qt::Key_Asterisk:
        return Multiply;
    case Qt::Key_Plus:
        return Add;
    case Qt::Key_Minus:
        return Subtract;
    case Qt::Key_Slash:
        return Divide;
    case Qt::Key_Period:
    case Qt::Key_Comma:
    case Qt::Key_Delete:
        return Decimal;
    default:
        return 0; // Enter and the rest: the same codes as the main keys
    }
}

int KeyTranslator::NamedKeyCode(int key)
{
    switch (key) {
    case Qt::Key_Backspace:
        return Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: // Shift+Tab
        return Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Return;
    case Qt::Key_Shift:
        return Shift;
    case Qt::Key_Control:
        return Control;
    case Qt::Key_Alt:
        return Alt;
    case Qt::Key_Pause:
        return Pause;
    case Qt::Key_Escape:
        return Escape;
    case Qt::Key_Space:
        return Space;
    case Qt::Key_PageUp:
        return PageUp;
    case Qt::Key_PageDown:
        return PageDown;
    case Qt::Key_End:
        return End;
    case Qt::Key_Home:
        return Home;
    case Qt::Key_Left:
        return Left;
    case Qt::Key_Up:
        return Up;
    case Qt::Key_Right:
        return Right;
    case Qt::Key_Down:
        return Down;
    case Qt::Key_Insert:
        return Insert;
    case Qt::Key_Delete:
        return Delete;
    default:
        return 0;
    }
}

bool KeyTranslator::IsAltGr(const QKeyEvent& event)
{
    if (event.key() == Qt::Key_AltGr || event.modifiers().testFlag(Qt::GroupSwitchModifier))
        return true;
    // Some systems (remote desktops, Windows-like mappings) report AltGr as
    // Ctrl+Alt; a printable character typed with both is such a key.
    const Qt::KeyboardModifiers both = Qt::ControlModifier | Qt::AltModifier;
    return (event.modifiers() & both) == both && TextCharacter(event.text()) != 0;
}

quint8 KeyTranslator::ShiftState(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool altGr = IsAltGr(event);
    quint8 shift = 0;
    if (modifiers.testFlag(Qt::ShiftModifier))
        shift |= ShiftDown;
    if (!altGr && modifiers.testFlag(Qt::ControlModifier))
        shift |= CtrlDown;
    if (!altGr && modifiers.testFlag(Qt::AltModifier))
        shift |= AltDown;
    // A modifier key counts as held while it is down, whatever the windowing
    // system reports in the event of the key itself.
    quint8 own = 0;
    switch (event.key()) {
    case Qt::Key_Shift:
        own = ShiftDown;
        break;
    case Qt::Key_Control:
        own = CtrlDown;
        break;
    case Qt::Key_Alt:
        own = AltDown;
        break;
    default:
        break;
    }
    if (event.type() == QEvent::KeyRelease)
        shift &= quint8(~own);
    else
        shift |= own;
    return shift;
}

quint8 KeyTranslator::Character(const QKeyEvent& event)
{
    if (event.type() != QEvent::KeyPress)
        return 0;
    const int key = event.key();
    // Delete types nothing, although X11 gives it the text "\x7f".
    if (key == Qt::Key_Delete || key == Qt::Key_AltGr)
        return 0;
    const bool altGr = IsAltGr(event);
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    // Alt+key is a menu key on Windows: no character.
    if (!altGr && modifiers.testFlag(Qt::AltModifier))
        return 0;
    if (!altGr && modifiers.testFlag(Qt::ControlModifier))
        return ControlCharacter(key);
    switch (key) {
    case Qt::Key_Backspace:
        return BackspaceCharacter;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return TabCharacter;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return EnterCharacter;
    case Qt::Key_Escape:
        return EscapeCharacter;
    default:
        return TextCharacter(event.text());
    }
}

quint8 KeyTranslator::ControlCharacter(int key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return quint8(1 + (key - Qt::Key_A));
    switch (key) {
    case Qt::Key_Backspace:
        return DeleteCharacter;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return LineFeedCharacter;
    case Qt::Key_Escape:
        return EscapeCharacter;
    case Qt::Key_Space:
        return ' ';
    default:
        return 0;
    }
}

quint8 KeyTranslator::TextCharacter(const QString& text)
{
    if (text.size() != 1)
        return 0; // nothing typed, or a character outside the basic plane
    const char16_t c = text.front().unicode();
    // Control characters only come from the keys named above.
    if (c < 0x20 || (c >= 0x7F && c < 0xA0))
        return 0;
    const QByteArray bytes = Windows1252::CanEncode(text) ? Windows1252::Encode(text) : QByteArray();
    return bytes.isEmpty() ? 0 : quint8(bytes.front());
}

QByteArray KeyTranslator::Characters(const QString& text)
{
    QByteArray characters;
    for (const QChar c : text) {
        if (const quint8 character = TextCharacter(QString(c)))
            characters.append(char(character));
    }
    return characters;
}

quint8 KeyTranslator::UpperCase(quint8 character)
{
    const char byte = char(character);
    const QString upper = Windows1252::Decode(&byte, 1).toUpper();
    if (upper.size() != 1 || !Windows1252::CanEncode(upper))
        return character;
    // Control characters (Enter, Escape) have no other case.
    const QByteArray encoded = Windows1252::Encode(upper);
    return encoded.size() == 1 ? quint8(encoded.front()) : character;
}
