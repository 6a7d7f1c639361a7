#pragma once

#include "params/Outcome.h"

#include <QImage>
#include <QString>

// Turning a worksheet picture a quarter turn, in place or into another file.
// Where the picture is made of whole blocks the turn is lossless (the
// compressed data is rearranged, not decoded); otherwise it is decoded,
// turned and encoded again. The source's resolution is stamped into the
// result either way.
class JpegRotation {
public:
    // clockwise: the pixel at column x, row y goes to column H - 1 - y, row x
    // (H the height); otherwise to column y, row W - 1 - x.
    static Outcome Rotate(bool clockwise, const QString& source, const QString& target);
    static QImage Turned(const QImage& image, bool clockwise);
    // The lossless turn of JPEG data; empty when the picture does not allow it.
    static QByteArray TurnedLosslessly(const QByteArray& jpeg, bool clockwise);
};
