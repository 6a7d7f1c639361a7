#pragma once

#include <QtGlobal>

// The key vocabulary of the program: Windows virtual-key codes and the
// Windows shift-state bits. Stored key codes (the palette's commands, the
// users' redefinitions) and every key rule use these values, whatever the
// keyboard layout or the windowing system.
namespace WindowsKeys {

inline constexpr int Back = 8;
inline constexpr int Tab = 9;
inline constexpr int Return = 13;
inline constexpr int Shift = 16;
inline constexpr int Control = 17;
inline constexpr int Alt = 18; // VK_MENU
inline constexpr int Pause = 19;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int PageUp = 33; // VK_PRIOR
inline constexpr int PageDown = 34; // VK_NEXT
inline constexpr int End = 35;
inline constexpr int Home = 36;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Insert = 45;
inline constexpr int Delete = 46;
inline constexpr int Digit0 = 48; // main-row digits 48-57
inline constexpr int LetterA = 65; // letters 65-90
inline constexpr int LetterZ = 90;
inline constexpr int Numpad0 = 96; // keypad digits 96-105
inline constexpr int Multiply = 106;
inline constexpr int Add = 107;
inline constexpr int Separator = 108;
inline constexpr int Subtract = 109;
inline constexpr int Decimal = 110;
inline constexpr int Divide = 111;
inline constexpr int F1 = 112; // F1-F24: 112-135

constexpr int Digit(int digit)
{
    return Digit0 + digit;
}
constexpr int Numpad(int digit)
{
    return Numpad0 + digit;
}
constexpr int Letter(char upperCaseLetter)
{
    return LetterA + (upperCaseLetter - 'A');
}
constexpr int Function(int number)
{
    return F1 + number - 1;
}
constexpr bool IsNumpad(int code)
{
    return code >= Numpad0 && code <= Divide;
}

// Character codes the key rules name.
inline constexpr quint8 BackspaceCharacter = 8;
inline constexpr quint8 TabCharacter = 9;
inline constexpr quint8 LineFeedCharacter = 10; // Ctrl+Enter
inline constexpr quint8 EnterCharacter = 13;
inline constexpr quint8 EscapeCharacter = 27;
inline constexpr quint8 DeleteCharacter = 127; // Ctrl+Backspace

// The shift state handed with a key code, as Windows gives it (the bits of
// ssShift, ssAlt and ssCtrl). AltGr sets neither Alt nor Ctrl.
enum ShiftFlag : quint8 {
    ShiftDown = 1 << 0,
    AltDown = 1 << 1,
    CtrlDown = 1 << 2,
};

} // namespace WindowsKeys
