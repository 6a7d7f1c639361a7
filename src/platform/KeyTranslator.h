#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

class QKeyEvent;

// One key event as the key rules see it: the key-down code (a Windows
// virtual-key code, WindowsKeys.h) with its shift state, and the character
// typed (a Windows-1252 byte) that follows a key-down as a key-press.
struct TranslatedKey {
    int code = 0; // 0: the key has no code of its own (punctuation, dead keys, AltGr)
    quint8 character = 0; // 0: the key types nothing
    quint8 shift = 0; // WindowsKeys::ShiftFlag bits
    bool autoRepeat = false;

    bool HasCode() const { return code != 0; }
    bool HasCharacter() const { return character != 0; }
};

// The one place where Qt key events become the program's key codes and
// characters, so that every layout (QWERTY, AZERTY, ...) and the keypad
// with or without NumLock give what a Windows keyboard gives. Qt::Key
// values never serve as codes: on AZERTY "(" "&" "'" "%" "." "-" carry the
// Qt values of Down, Up, Right, Left, Delete and Insert.
class KeyTranslator {
public:
    // X11 and Wayland key codes of the main-row digits "1" to "0" (evdev
    // scan codes 2 to 11, plus 8).
    static constexpr quint32 FirstDigitRowKey = 10;
    static constexpr quint32 LastDigitRowKey = 19;

    // A key press gives code and character; a key release its code only.
    static TranslatedKey Translate(const QKeyEvent& event);

    static int KeyCode(const QKeyEvent& event);
    static quint8 ShiftState(const QKeyEvent& event);
    static quint8 Character(const QKeyEvent& event);

    // The characters of a text an input method composed ("ê" from a dead
    // key and "e"): each one Windows-1252 can hold, in order.
    static QByteArray Characters(const QString& text);

    // Upper case without leaving Windows-1252: "é" gives "É", "ÿ" gives
    // "Ÿ", while "µ" and "ß" stay as they are (their capitals have no byte).
    static quint8 UpperCase(quint8 character);

private:
    static bool IsAltGr(const QKeyEvent& event);
    static int KeypadCode(int key);
    static int NamedKeyCode(int key);
    static quint8 ControlCharacter(int key);
    static quint8 TextCharacter(const QString& text);
};
