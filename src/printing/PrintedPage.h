#pragma once

#include <QImage>
#include <QSize>

class QPainter;
class TDPRptItem;

// The page as it goes to the printer: the worksheet and its work drawn into
// a bitmap of the printer's page at the printer's resolution divided by the
// divisor ("PrinterResDiv"), then copied onto the printer's canvas, 1:1 with
// divisor 1, else stretched back to the page's size.
class PrintedPage {
public:
    // A bitmap larger than this is not asked for: 256 MB at 4 bytes a pixel.
    // A 1,200 dpi printer's A4 page at divisor 1 (about 140 megapixels) is
    // printed at divisor 2 instead.
    static constexpr qint64 DefaultMaxPixels = 64'000'000;
    // Past this, the bitmap would no longer show a worksheet.
    static constexpr int MaxDivisor = 32;

    // The smallest divisor, from the one asked for up, whose bitmap of a
    // page of that many printer pixels stays within the budget; 0 if none.
    static int DivisorFor(QSize pagePixels, int divisor, qint64 maxPixels);

    // Makes the bitmap, white, for a page of that many printer pixels at the
    // divisor; raises the divisor while the bitmap is over budget or cannot
    // be had. False when no divisor up to MaxDivisor gives one.
    bool Allocate(QSize pagePixels, int divisor, qint64 maxPixels = DefaultMaxPixels);

    // Draws the tree into the bitmap at the printer's scale (pixels per
    // tenth of a millimetre) and font resolution, both divided by the
    // divisor. It draws a copy: the tree on screen keeps its scale and hit
    // rectangles, and the item being edited is drawn at its place without
    // its editing marks. False when the report engine refuses the drawing.
    bool Draw(const TDPRptItem& tree, float printerUnitScale, int printerFontResolution);

    // Puts the bitmap on the printer's canvas: copied 1:1 with divisor 1,
    // else stretched without smoothing over (width x divisor - 1) x
    // (height x divisor - 1) printer pixels.
    void PaintOn(QPainter& printerCanvas) const;
    // Where PaintOn puts the bitmap, in printer pixels.
    QRect PrinterRect() const;

    const QImage& Bitmap() const { return m_bitmap; }
    int Divisor() const { return m_divisor; }

private:
    QImage m_bitmap;
    int m_divisor = 1;
};
