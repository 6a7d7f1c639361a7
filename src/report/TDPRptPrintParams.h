#pragma once

#include "SelectionLook.h"

#include <QPoint>
#include <QRect>

class QImage;
class QPainter;

// The drawing parameters passed through every drawing call: the pixels
// under the page, which highlights tint and transparent items restore. The
// caller creates it for one drawing; it owns neither bitmap.
//
// On the page image, an exported picture and a printed page, source and
// destination are the surface's own bitmap with both offsets 0. On the edit
// surface of a selected item the source is the page bitmap (without that
// item) and the offsets are the item's place on the page.
class TDPRptPrintParams {
public:
    QImage* Source = nullptr;
    int OffsetX = -1;
    int OffsetY = -1;
    QImage* Destination = nullptr;
    // The source already holds the whole page as the items paint it (a
    // picture of a page drawn again with vector text): a highlight copies
    // its pixels instead of tinting them a second time.
    bool SourceIsFinishedPage = false;
    // How a selected item shows (the edit surface draws it from the user's
    // settings).
    SelectionLook Selection;

    QPoint Offset() const { return QPoint(OffsetX, OffsetY); }
    // A destination and a source to read the page from, at usable offsets.
    bool HasPage() const;
    // Copies the page pixels under destRect (destination coordinates) from
    // the source back onto the destination; nothing to do when both are the
    // same bitmap at offset 0.
    void RestorePage(QPainter& painter, const QRect& destRect) const;
};
