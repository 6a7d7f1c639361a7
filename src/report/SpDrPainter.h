#pragma once

#include <QPoint>

class QPainter;
class TDPRptPrintParams;
class TDPRptSpDr;

// Draws special drawings with exact pixel geometry: antialiasing off, thin
// outlines and brackets as one-pixel bands. Pixel points are page pixels;
// shift moves them onto the surface being drawn.
class SpDrPainter {
public:
    static void Draw(const TDPRptSpDr& item, QPainter& painter, QPoint shift, const TDPRptPrintParams* params);
    // The selection frame, handle marks and shown handles.
    static void DrawSelection(const TDPRptSpDr& item, QPainter& painter, QPoint shift);
};
