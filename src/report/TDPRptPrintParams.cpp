#include "TDPRptPrintParams.h"

#include <QImage>
#include <QPainter>

bool TDPRptPrintParams::HasPage() const
{
    return Source && Destination && !Source->isNull() && OffsetX >= 0 && OffsetY >= 0;
}

void TDPRptPrintParams::RestorePage(QPainter& painter, const QRect& destRect) const
{
    if (!HasPage() || (Source == Destination && OffsetX == 0 && OffsetY == 0))
        return;
    const QRect sourceRect = destRect.translated(Offset()).intersected(Source->rect());
    if (!sourceRect.isEmpty())
        painter.drawImage(sourceRect.topLeft() - Offset(), *Source, sourceRect);
}
