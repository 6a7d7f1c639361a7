#include "PicturePreview.h"

#include <QPainter>

void PicturePreview::Draw(QPainter& painter, const QRect& rect, const QImage& picture)
{
    if (picture.isNull() || rect.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(rect, picture);
    painter.restore();
}
