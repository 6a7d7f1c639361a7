#include "CommandPictures.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

QPixmap CommandPictures::Picture(const QString& name, QSize size, bool greyed)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/commands/pictures/%1.svg").arg(name));
    if (renderer.isValid()) {
        QPainter painter(&image);
        renderer.render(&painter);
    }
    if (greyed) {
        // Pale grey: the shape stays readable, the colour says "absent".
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int alpha = qAlpha(line[x]);
                const int grey = (qGray(qUnpremultiply(line[x])) + 2 * 192) / 3 * alpha / 255;
                line[x] = qRgba(grey, grey, grey, alpha);
            }
        }
    }
    return QPixmap::fromImage(image);
}
