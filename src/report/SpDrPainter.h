#pragma once

#include <QPoint>
#include <QRect>

class QPainter;
class TDPRptPrintParams;
class TDPRptSpDr;
struct SelectionLook;

// Draws special drawings with exact pixel geometry: antialiasing off, thin
// outlines and brackets as one-pixel bands. Pixel points are page pixels;
// shift moves them onto the surface being drawn.
class SpDrPainter {
public:
    static void Draw(const TDPRptSpDr& item, QPainter& painter, QPoint shift, const TDPRptPrintParams* params);
    // The selection frame, handle marks and shown handles (the resize
    // squares), in the look the settings give.
    static void DrawSelection(const TDPRptSpDr& item, QPainter& painter, QPoint shift, const SelectionLook& look);
    // As many one-pixel frames as the look's width, inwards from frame.
    static void DrawSelectionFrame(QPainter& painter, const QRect& frame, const SelectionLook& look);
};
