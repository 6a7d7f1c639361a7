#pragma once

#include <functional>

class QKeyEvent;
class TEP_Frm;
class TPaFrmForm;

// Puts the palette into the main window: the window's operations become
// the palette's callbacks, the palette's panels dock into the window's
// tools area, and the window's keys reach the palette while one of its
// panels is docked (Space shows it, F9 closes it). The application-wide key
// dispatch takes over PaletteKey when it comes; until then the window's
// key hook calls it.
class PaletteConnection {
public:
    // accessCheck: the settings password question (none: no question).
    static void Connect(TEP_Frm& window, TPaFrmForm& palette, std::function<bool()> accessCheck);
    // A key the window received; true when the palette took it.
    static bool PaletteKey(TEP_Frm& window, TPaFrmForm& palette, const QKeyEvent& event);
};
