#pragma once

#include "params/RgbColor.h"

#include <QImage>
#include <QPoint>
#include <QRect>

class QPainter;

// The highlighter pen: darkens the page under a stroke by subtracting from
// chosen channels, so printed text stays readable through it. The tint is
// computed from the source pixels (the page without the stroke), never from
// what is already drawn on the destination.
class Highlighter {
public:
    // The page pixels of sourceRect, tinted for the pen colour. Parts of the
    // rectangle outside the source are left out (the result is smaller).
    static QImage Tinted(const QImage& source, const QRect& sourceRect, RgbColor pen, QPoint* clippedOffset = nullptr);

    // Paints the tinted copy of the source at destRect moved by offset.
    static void Paint(QPainter& painter, const QImage& source, const QRect& destRect, QPoint offset, RgbColor pen);

    // Subtractions per channel for a pen colour (red in the low byte).
    struct Tint {
        int red;
        int green;
        int blue;
    };
    static Tint TintFor(RgbColor pen);
};
