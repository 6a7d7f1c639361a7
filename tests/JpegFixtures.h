#pragma once

#include "report/JpegCodec.h"

#include <QByteArray>
#include <QImage>
#include <QPainter>

// Small JPEG files made by the tests themselves.
namespace JpegFixtures {

// A picture with distinct corners, so turns and flips show.
inline QImage Pattern(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 4, height / 4, Qt::red);
    painter.fillRect(width - width / 4, 0, width / 4, height / 4, Qt::blue);
    painter.fillRect(0, height - height / 4, width / 4, height / 4, Qt::green);
    return image;
}

inline QByteArray Jpeg(int width, int height, int dpi = 300)
{
    return JpegCodec::Encode(Pattern(width, height), dpi);
}

// Offset of the first marker of that kind (0xFF, code), -1 if none.
inline qsizetype Marker(const QByteArray& jpeg, uchar code)
{
    for (qsizetype i = 2; i + 1 < jpeg.size(); ++i)
        if (uchar(jpeg[i]) == 0xFF && uchar(jpeg[i + 1]) == code)
            return i;
    return -1;
}

// The same file with its JFIF header replaced by a minimal EXIF one.
inline QByteArray WithoutJfif(QByteArray jpeg)
{
    const int app0Length = (uchar(jpeg[4]) << 8) | uchar(jpeg[5]);
    const QByteArray exif("\xFF\xE1\x00\x0E"
                          "Exif\x00\x00"
                          "\x00\x00\x00\x00\x00\x00",
        16);
    return jpeg.left(2) + exif + jpeg.mid(4 + app0Length);
}

} // namespace JpegFixtures
