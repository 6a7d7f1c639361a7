#include "Highlighter.h"

#include <QPainter>
#include <algorithm>

Highlighter::Tint Highlighter::TintFor(RgbColor pen)
{
    switch (pen.Value()) {
    case 0x000000: // black
        return {80, 80, 80};
    case 0x0080FF: // orange
        return {0, 80, 180};
    case 0x0000FF: // red
        return {0, 180, 0};
    case 0xFF0000: // blue
        return {180, 0, 0};
    case 0x008000: // green
        return {180, 0, 180};
    default: // yellow and every other colour
        return {0, 0, 180};
    }
}

QImage Highlighter::Tinted(const QImage& source, const QRect& sourceRect, RgbColor pen, QPoint* clippedOffset)
{
    const QRect inside = sourceRect.intersected(source.rect());
    if (clippedOffset)
        *clippedOffset = inside.topLeft() - sourceRect.topLeft();
    if (inside.isEmpty())
        return QImage();
    QImage region = source.copy(inside).convertToFormat(QImage::Format_RGB32);
    const Tint tint = TintFor(pen);
    for (int y = 0; y < region.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(region.scanLine(y));
        for (int x = 0; x < region.width(); ++x) {
            const QRgb p = row[x];
            row[x] = qRgb(std::max(qRed(p) - tint.red, 0), std::max(qGreen(p) - tint.green, 0),
                std::max(qBlue(p) - tint.blue, 0));
        }
    }
    return region;
}

void Highlighter::Paint(QPainter& painter, const QImage& source, const QRect& destRect, QPoint offset, RgbColor pen)
{
    QPoint clipped;
    const QImage tinted = Tinted(source, destRect.translated(offset), pen, &clipped);
    if (!tinted.isNull())
        painter.drawImage(destRect.topLeft() + clipped, tinted);
}
