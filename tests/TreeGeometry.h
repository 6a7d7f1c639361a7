#pragma once

#include "report/ItemEditState.h"
#include "report/TDPRptItem.h"
#include "report/TDPRptSpDr.h"

#include <QRect>
#include <QStringList>

// Everything the screen's hit tests and redraws read, item by item: a drawing
// made off the screen (print, export, preview) must leave all of it as it was.
namespace TreeGeometry {

inline QString RectText(const QRect& r)
{
    return QStringLiteral("%1,%2,%3,%4").arg(r.left()).arg(r.top()).arg(r.right()).arg(r.bottom());
}

inline void Collect(const TDPRptItem& item, QStringList& lines)
{
    QString line = QStringLiteral("%1 scale %2 valid %3 pixel %4 screen %5 pos %6,%7 abs %8,%9 size %10x%11")
                       .arg(item.Name)
                       .arg(double(item.Scale))
                       .arg(item.ScaleValid)
                       .arg(RectText(item.PixelRect), RectText(item.ScreenRect))
                       .arg(item.ScaledPos.x())
                       .arg(item.ScaledPos.y())
                       .arg(double(item.AbsoluteRect.x))
                       .arg(double(item.AbsoluteRect.y))
                       .arg(double(item.Width))
                       .arg(double(item.Height));
    if (const auto* drawing = dynamic_cast<const TDPRptSpDr*>(&item)) {
        for (const QRect& handle : drawing->HandleRects)
            line += QStringLiteral(" handle ") + RectText(handle);
        for (const QPoint& p : drawing->ShapePixelPoints + drawing->PointPixels)
            line += QStringLiteral(" point %1,%2").arg(p.x()).arg(p.y());
    }
    const ItemEditState& state = item.EditState;
    line += QStringLiteral(" edit %1%2%3%4%5 caret %6")
                .arg(state.SelectionVisible)
                .arg(state.HiddenWhileEdited)
                .arg(state.BeingEdited)
                .arg(state.HandlesShown)
                .arg(state.CaretVisible)
                .arg(state.CaretPosition);
    lines.append(line);
    for (int i = 0; i < item.ChildCount(); ++i)
        Collect(*item.ChildAt(i), lines);
}

inline QStringList Of(const TDPRptItem& root)
{
    QStringList lines;
    Collect(root, lines);
    return lines;
}

} // namespace TreeGeometry
