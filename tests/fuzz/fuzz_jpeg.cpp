// The JPEG codec on hostile files: headers, decoding (scaled and not), the
// lossless turn, and encoding what was decoded.
#include "FuzzSupport.h"
#include "documents/JpegRotation.h"
#include "report/JpegCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = FuzzSupport::Bytes(data, size);
    QSize picture;
    QString error;
    if (!JpegCodec::ReadSize(bytes, QStringLiteral("fuzz.jpg"), picture, &error))
        return 0;
    // Large pictures are refused or decoded by the same code; small ones keep
    // the fuzzer fast.
    if (qint64(picture.width()) * picture.height() > 4'000'000)
        return 0;
    const QImage scaled = JpegCodec::Decode(bytes, QStringLiteral("fuzz.jpg"), picture / 4, &error);
    const QImage full = JpegCodec::Decode(bytes, QStringLiteral("fuzz.jpg"), QSize(), &error);
    if (!full.isNull()) {
        JpegCodec::Encode(JpegRotation::Turned(full, true), 300);
        JpegRotation::TurnedLosslessly(bytes, false);
    }
    return scaled.isNull() && !full.isNull() ? 0 : 0;
}
