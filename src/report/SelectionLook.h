#pragma once

#include "params/RgbColor.h"

// How the selected item shows on the edit surface, as the user's settings
// choose it: the one-pixel frames round it (as many as the frame width,
// drawn inwards) and the resize squares of its handles. Passed to a drawing
// with its parameters; the defaults are the look without settings.
struct SelectionLook {
    RgbColor frameColor {0x008000}; // green
    int frameWidth = 1; // 0 to 3
    int resizeSquareSize = 4; // half the side of a resize square, pixels
    RgbColor resizeSquareColor {0xFFFFFF};

    friend bool operator==(const SelectionLook&, const SelectionLook&) = default;
};
