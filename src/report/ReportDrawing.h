#pragma once

#include "SelectionLook.h"

#include <QPoint>
#include <QRect>

class QImage;
class QPainter;
class TDPRptItem;

// The one sequence every surface follows to draw an item tree: the page
// image, the edit surface of a selected item, an exported picture, a
// printed page.
struct SurfaceDrawing {
    QImage* surface = nullptr; // the bitmap painted on (may be null for a printer)
    float scale = 0; // pixels per document unit; <= 0 keeps the root's scale
    // Resolution the surface stands for, in dpi, whose corrected value sizes
    // the fonts; 0 leaves the surface's own resolution (exports).
    int nominalResolution = 0;
    QRect target; // empty: the whole surface
    // The page under the items; null: the surface itself at offset 0.
    QImage* page = nullptr;
    QPoint pageOffset;
    SelectionLook selection; // how a selected item shows
    // The page (or the surface) already holds the finished drawing of the
    // tree: highlights copy it rather than tint it again.
    bool pageIsFinished = false;
};

// The drawing of a printed page: the printer's scale (pixels per tenth of a
// millimetre) and font resolution, both divided by the divisor, over the
// target rectangle of the surface.
SurfaceDrawing PrintedPageDrawing(
    QImage* surface, const QRect& target, float printerUnitScale, int printerFontResolution, int divisor);

// Scales the root, corrects the font resolution, hands the page pixels to the
// items and draws the root with the scale already set. For the surfaces the
// screen shows (the page image, the edit surface): the tree keeps the scale
// and the rectangles its hit tests use.
bool DrawReportTree(TDPRptItem& root, QPainter& painter, const SurfaceDrawing& drawing);

// The same drawing for a surface the screen does not show (an exported
// picture, a printed page, a preview): it draws a copy of the tree, so the
// items on screen keep their scale and hit rectangles while a pupil edits,
// and the editing marks (selection frame, caret, an item lifted onto the
// edit surface) stay off the paper.
bool DrawReportTreeOffScreen(const TDPRptItem& root, QPainter& painter, const SurfaceDrawing& drawing);
