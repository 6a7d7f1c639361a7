#include "SpDrPainter.h"

#include "Highlighter.h"
#include "SelectionLook.h"
#include "TDPRptPrintParams.h"
#include "TDPRptSpDr.h"
#include "params/Numbers.h"

#include <QPainter>
#include <algorithm>

namespace {

// Everything one drawing needs, in surface pixels.
struct Stroke {
    QPainter& painter;
    const TDPRptSpDr& item;
    QList<QPoint> corners; // shape pixel points, shifted
    QColor fore;
    QColor back;
    int p; // pen in pixels
    QPen widePen;
    QRect visible; // the part of the surface that can be painted

    QPoint P(int i) const { return corners.value(i); }
};

// What the painter can reach on its surface (its clip included), in the
// coordinates drawn with.
QRect VisibleArea(const QPainter& painter)
{
    QRect area(-(1 << 28), -(1 << 28), 1 << 29, 1 << 29);
    if (const QPaintDevice* device = painter.device())
        area = painter.transform().inverted().mapRect(QRect(0, 0, device->width(), device->height()));
    if (painter.hasClipping())
        area &= painter.clipBoundingRect().toAlignedRect();
    return area;
}

// A band of pixels, inclusive edges in any range: only its visible part is
// filled.
void FillBand(
    QPainter& painter, const QRect& visible, qint64 left, qint64 top, qint64 right, qint64 bottom, const QColor& color)
{
    left = std::max<qint64>(left, visible.left());
    top = std::max<qint64>(top, visible.top());
    right = std::min<qint64>(right, visible.right());
    bottom = std::min<qint64>(bottom, visible.bottom());
    if (right >= left && bottom >= top)
        painter.fillRect(QRect(QPoint(int(left), int(top)), QPoint(int(right), int(bottom))), color);
}

void FillBand(const Stroke& s, qint64 left, qint64 top, qint64 right, qint64 bottom, const QColor& color)
{
    FillBand(s.painter, s.visible, left, top, right, bottom, color);
}

// The band numbers (0 to count - 1) whose bands can show: those that lie
// in the given ranges (each a range of band numbers that reach the visible
// area). The cost is that of the visible area, whatever the pen claims.
template <typename Draw> void ForVisibleBands(qint64 count, QList<QPair<qint64, qint64>> ranges, Draw draw)
{
    for (auto& [first, last] : ranges) {
        first = std::max<qint64>(first, 0);
        last = std::min<qint64>(last, count - 1);
    }
    std::sort(ranges.begin(), ranges.end());
    qint64 next = 0; // bands below it are done
    for (const auto& [first, last] : std::as_const(ranges))
        for (qint64 i = std::max(first, next); i <= last; ++i, next = i)
            draw(i);
}

// Rectangle outline p pixels thick: band i is the one-pixel frame i pixels
// inside the corners.
void Outline(const Stroke& s)
{
    const qint64 left = s.P(0).x(), top = s.P(0).y(), right = s.P(2).x(), bottom = s.P(2).y();
    const QRect& v = s.visible;
    ForVisibleBands(std::max(1, s.p),
        {{v.top() - top, v.bottom() - top}, {bottom - v.bottom(), bottom - v.top()},
            {v.left() - left, v.right() - left}, {right - v.right(), right - v.left()}},
        [&](qint64 i) {
            FillBand(s, left + i, top + i, right - i, top + i, s.fore);
            FillBand(s, right - i, top + i, right - i, bottom - i, s.fore);
            FillBand(s, left + i, bottom - i, right - i, bottom - i, s.fore);
            FillBand(s, left + i, top + i, left + i, bottom - i, s.fore);
        });
}

void FilledEllipse(QPainter& painter, int left, int top, int right, int bottom, const QColor& color)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(QRectF(left, top, right - left, bottom - top));
}

// Relation shapes not yet turned into arrows (only seen before their first
// layout).
void Relation(const Stroke& s, int mode)
{
    const int left = s.P(0).x(), top = s.P(0).y(), right = s.P(2).x(), bottom = s.P(2).y();
    s.painter.setPen(QPen(s.fore, 1));
    if (mode == TDPRptSpDr::SpHRel) {
        const int m = top + (bottom - top) / 2;
        s.painter.drawLine(left, m, right, m);
        FilledEllipse(s.painter, left, m - 3, left + 6, m + 3, s.fore);
        FilledEllipse(s.painter, right - 5, m - 3, right + 1, m + 3, s.fore);
    } else if (mode == TDPRptSpDr::SpTBRel) {
        s.painter.drawLine(left + 3, top + 3, right - 3, bottom - 3);
        FilledEllipse(s.painter, left, top, left + 6, top + 6, s.fore);
        FilledEllipse(s.painter, right - 6, bottom - 6, right, bottom, s.fore);
    } else {
        s.painter.drawLine(left + 3, bottom - 3, right - 3, top + 3);
        FilledEllipse(s.painter, left, bottom - 6, left + 6, bottom, s.fore);
        FilledEllipse(s.painter, right - 6, top, right, top + 6, s.fore);
    }
}

// Two square brackets, p pixels thick, with ticks 2p long: band i is one
// column of each bracket and one row of each tick.
void Brackets(const Stroke& s)
{
    const qint64 left = s.P(0).x(), top = s.P(0).y(), right = s.P(1).x(), bottom = s.P(3).y();
    const qint64 p = std::max(1, s.p);
    const QRect& v = s.visible;
    ForVisibleBands(p,
        {{v.left() - left, v.right() - left}, {right - v.right(), right - v.left()}, {v.top() - top, v.bottom() - top},
            {bottom - v.bottom(), bottom - v.top()}},
        [&](qint64 i) {
            FillBand(s, left + i, top, left + i, bottom, s.fore);
            FillBand(s, right - i, top, right - i, bottom, s.fore);
            for (const qint64 row : {top + i, bottom - i}) {
                FillBand(s, left, row, left + 2 * p - 1, row, s.fore);
                FillBand(s, right - 2 * p + 1, row, right, row, s.fore);
            }
        });
}

void Polyline(const Stroke& s, QPoint shift)
{
    const QList<QPoint>& points = s.item.PointPixels;
    if (points.isEmpty())
        return;
    QPolygon line;
    line << points[0] + shift - QPoint(1, 1);
    for (const QPoint& q : points)
        line << q + shift;
    s.painter.setPen(s.widePen);
    s.painter.drawPolyline(line);
}

void Arrow(const Stroke& s)
{
    s.painter.setPen(s.widePen);
    const QPoint tail = s.P(0), tip = s.P(1);
    if (s.item.ArrowType == TDPRptSpDr::ArrowHead && s.corners.size() > 4) {
        s.painter.drawPolyline(QPolygon({tail, tip, s.P(3)}));
        s.painter.drawLine(tip, s.P(4));
        return;
    }
    s.painter.drawLine(tail, tip);
    if (s.item.ArrowType != TDPRptSpDr::ArrowRel)
        return;
    const int d = std::min(s.item.PenSize * 3 / 2, TDPRptSpDr::MaxRelDot);
    const int dot = std::max(6, RoundHalfEven(d * double(s.item.Scale)));
    s.painter.setPen(QPen(s.fore, dot / 2));
    s.painter.setBrush(s.fore);
    for (const QPoint& end : {tail, tip})
        s.painter.drawEllipse(QRect(end - QPoint(dot / 2, dot / 2), end + QPoint(dot / 2, dot / 2)));
}

void Highlight(const Stroke& s, const TDPRptPrintParams* params)
{
    if (!params || !params->HasPage())
        return;
    const QRect area(s.P(0), QPoint(s.P(1).x(), s.P(3).y()));
    if (params->SourceIsFinishedPage) {
        const QRect inside = area.translated(params->Offset()).intersected(params->Source->rect());
        if (!inside.isEmpty())
            s.painter.drawImage(inside.topLeft() - params->Offset(), *params->Source, inside);
        return;
    }
    Highlighter::Paint(s.painter, *params->Source, area, params->Offset(), s.item.ForeColors[0]);
}

void DrawMode(const Stroke& s, QPoint shift, const TDPRptPrintParams* params)
{
    QPainter& painter = s.painter;
    const int hp = std::max(1, RoundHalfEven((s.p + 0.5) / 2));
    switch (s.item.SpDrMode) {
    case TDPRptSpDr::SpRect:
        Outline(s);
        break;
    case TDPRptSpDr::SpFRect:
        painter.fillRect(QRect(s.P(0), s.P(2)), s.fore);
        break;
    case TDPRptSpDr::SpFBRect:
        painter.fillRect(QRect(s.P(0), s.P(2)), s.back);
        Outline(s);
        break;
    case TDPRptSpDr::SpCross:
        painter.setPen(s.widePen);
        painter.drawLine(s.P(0), s.P(2));
        painter.drawLine(s.P(1), s.P(3));
        break;
    case TDPRptSpDr::SpHLine:
        FillBand(s, s.P(0).x(), s.P(0).y(), qint64(s.P(2).x()) - 1, qint64(s.P(2).y()) - 1, s.fore);
        break;
    case TDPRptSpDr::SpHRel:
    case TDPRptSpDr::SpTBRel:
    case TDPRptSpDr::SpBTRel:
        Relation(s, s.item.SpDrMode);
        break;
    case TDPRptSpDr::SpBCircle:
        painter.setPen(s.widePen);
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRectF(
            s.P(0).x() + hp, s.P(0).y() + hp, s.P(1).x() - s.P(0).x() - 2 * hp, s.P(2).y() - s.P(0).y() - 2 * hp));
        break;
    case TDPRptSpDr::SpFCircle:
        FilledEllipse(painter, s.P(0).x(), s.P(0).y(), s.P(1).x(), s.P(2).y(), s.fore);
        break;
    case TDPRptSpDr::SpFBCircle:
        FilledEllipse(painter, s.P(0).x(), s.P(0).y(), s.P(1).x(), s.P(2).y(), s.fore);
        FilledEllipse(painter, s.P(0).x() + s.p, s.P(0).y() + s.p, s.P(1).x() - s.p, s.P(2).y() - s.p, s.back);
        break;
    case TDPRptSpDr::SpBrackets:
        Brackets(s);
        break;
    case TDPRptSpDr::SpLines:
        Polyline(s, shift);
        break;
    case TDPRptSpDr::SpHighLight:
        Highlight(s, params);
        break;
    case TDPRptSpDr::SpArrow:
        Arrow(s);
        break;
    default:
        break; // mode 0 and unknown codes draw nothing
    }
}

} // namespace

void SpDrPainter::Draw(const TDPRptSpDr& item, QPainter& painter, QPoint shift, const TDPRptPrintParams* params)
{
    // A pen wider than any surface paints as one of half the pixel range.
    const int p = std::min(RoundHalfEven(item.PenSize * double(item.Scale)), TDPRptItem::FarPixel / 2);
    Stroke stroke {painter, item, {}, item.ForeColors[0].ToQColor(), item.BackColors[0].ToQColor(), p, QPen(),
        VisibleArea(painter)};
    for (const QPoint& corner : item.ShapePixelPoints)
        stroke.corners.append(corner + shift);
    stroke.widePen = QPen(stroke.fore, std::max(1, p), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(stroke.fore);
    DrawMode(stroke, shift, params);
    painter.restore();
}

void SpDrPainter::DrawSelectionFrame(QPainter& painter, const QRect& frame, const SelectionLook& look)
{
    const QColor color = look.frameColor.ToQColor();
    const QRect visible = VisibleArea(painter);
    for (int i = 0; i < look.frameWidth; ++i) {
        const qint64 left = qint64(frame.left()) + i, top = qint64(frame.top()) + i;
        const qint64 right = qint64(frame.right()) - i, bottom = qint64(frame.bottom()) - i;
        FillBand(painter, visible, left, top, right, top, color);
        FillBand(painter, visible, left, bottom, right, bottom, color);
        FillBand(painter, visible, left, top, left, bottom, color);
        FillBand(painter, visible, right, top, right, bottom, color);
    }
}

void SpDrPainter::DrawSelection(const TDPRptSpDr& item, QPainter& painter, QPoint shift, const SelectionLook& look)
{
    const QRect frame = item.ScreenRect.translated(shift);
    if (item.EditState.SelectionVisible) {
        DrawSelectionFrame(painter, frame, look);
        const QColor color = look.frameColor.ToQColor();
        const int side = RoundHalfEven(item.Scale * 10.0);
        if (side > 0 && item.ShapeMode() == TDPRptSpDr::SpLines) {
            const int half = RoundHalfEven((side + 0.5) / 2);
            for (const QPoint& q : item.PointPixels)
                painter.fillRect(QRect(q + shift - QPoint(half, half), QSize(side, side)), color);
        } else if (side > 0) {
            const QSize size(side, side);
            painter.fillRect(QRect(frame.topLeft(), size), color);
            painter.fillRect(QRect(QPoint(frame.right() - side + 1, frame.top()), size), color);
            painter.fillRect(QRect(QPoint(frame.right() - side + 1, frame.bottom() - side + 1), size), color);
            painter.fillRect(QRect(QPoint(frame.left(), frame.bottom() - side + 1), size), color);
        }
    }
    if (item.EditState.HandlesShown) {
        // The resize squares as the settings size and colour them, centred
        // where the handles are grabbed (the grab area keeps its size).
        const int half = std::max(1, look.resizeSquareSize);
        for (const QRect& handle : item.HandleRects) {
            const QPoint centre = handle.translated(shift).center();
            const QRect r(centre - QPoint(half, half), centre + QPoint(half, half));
            painter.fillRect(r, Qt::black);
            painter.fillRect(r.adjusted(1, 1, -1, -1), look.resizeSquareColor.ToQColor());
        }
    }
}
