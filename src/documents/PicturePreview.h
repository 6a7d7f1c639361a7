#pragma once

#include <QImage>
#include <QRect>

class QPainter;

// Draws a picture stretched into a preview rectangle (the selection screen's
// preview of a worksheet).
class PicturePreview {
public:
    static void Draw(QPainter& painter, const QRect& rect, const QImage& picture);
};
