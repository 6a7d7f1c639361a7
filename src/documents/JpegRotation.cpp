#include "JpegRotation.h"

#include "JpegHeader.h"
#include "MessageText.h"
#include "params/FileBytes.h"
#include "report/JpegCodec.h"

#include "params/SafeSave.h"

#include <QDir>
#include <turbojpeg.h>

using MessageText::Quoted;

QImage JpegRotation::Turned(const QImage& image, bool clockwise)
{
    const QImage a = image.convertToFormat(QImage::Format_RGB32);
    const int w = a.width();
    const int h = a.height();
    QImage b(h, w, QImage::Format_RGB32);
    if (b.isNull())
        return b;
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            if (clockwise)
                reinterpret_cast<QRgb*>(b.scanLine(x))[h - 1 - y] = row[x];
            else
                reinterpret_cast<QRgb*>(b.scanLine(w - 1 - x))[y] = row[x];
        }
    }
    return b;
}

QByteArray JpegRotation::TurnedLosslessly(const QByteArray& jpeg, bool clockwise)
{
    tjhandle handle = tjInitTransform();
    if (!handle)
        return QByteArray();
    tjtransform transform {};
    transform.op = clockwise ? TJXOP_ROT90 : TJXOP_ROT270;
    // Perfect: refuse rather than drop the partial blocks at the edges. No
    // markers are copied, so an EXIF orientation can never turn it twice.
    transform.options = TJXOPT_PERFECT | TJXOPT_COPYNONE;
    unsigned char* output = nullptr;
    unsigned long size = 0;
    const int status = tjTransform(handle, reinterpret_cast<const unsigned char*>(jpeg.constData()),
        (unsigned long)jpeg.size(), 1, &output, &size, &transform, 0);
    QByteArray turned;
    if (status == 0 && output)
        turned = QByteArray(reinterpret_cast<const char*>(output), qsizetype(size));
    tjFree(output);
    tjDestroy(handle);
    return turned;
}

Outcome JpegRotation::Rotate(bool clockwise, const QString& source, const QString& target)
{
    JpegHeader::Resolution resolution;
    if (!JpegHeader::ReadResolution(source, resolution))
        return Outcome::Failure(
            QStringLiteral("Impossible de lire les caractéristiques de l'image %1. Rotation impossible.")
                .arg(Quoted(source)));
    const Outcome failure
        = Outcome::Failure(QStringLiteral("Errreur inconnue lors de la rotation de l'image %1").arg(Quoted(source)));
    QByteArray data;
    if (!FileBytes::Read(source, data, nullptr))
        return failure;
    QByteArray turned = TurnedLosslessly(data, clockwise);
    if (turned.isEmpty() || !JpegHeader::StampResolution(turned, resolution.horizontal, resolution.vertical)) {
        const QImage picture = JpegCodec::Decode(data, source);
        turned = picture.isNull() ? QByteArray() : JpegCodec::Encode(Turned(picture, clockwise));
        if (turned.isEmpty() || !JpegHeader::StampResolution(turned, resolution.horizontal, resolution.vertical))
            return failure;
    }
    if (!SafeSave::WriteFile(target, turned, nullptr))
        return failure;
    return {};
}
