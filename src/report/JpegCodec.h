#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// JPEG decoding and encoding over libjpeg-turbo, safe on hostile files: a
// custom error manager (never exit()), a cut file treated as an error, a
// pixel budget checked from the header before anything is allocated, a cap
// on the decoder's memory and on the number of progressive scans. Every
// failure comes back as a French sentence.
class JpegCodec {
public:
    static constexpr qint64 MaxPixels = 100'000'000;
    static constexpr long MaxDecoderMemory = 512L * 1024 * 1024;
    static constexpr int MaxScans = 500;

    // Decodes to Format_RGB32. With a target size, the DCT scaling of the
    // decoder (1/2, 1/4, 1/8) is used when the target is at most that
    // fraction of the picture in both directions. `name` names the picture
    // in messages.
    static QImage Decode(const QByteArray& data, const QString& name, QSize target = QSize(), QString* error = nullptr);
    static QImage DecodeFile(const QString& fileName, QSize target = QSize(), QString* error = nullptr);
    // The picture's size from its header alone.
    static bool ReadSize(const QByteArray& data, const QString& name, QSize& size, QString* error = nullptr);

    // Whether the file runs to its end-of-image marker: a copy cut short
    // (interrupted on a network) does not, even when its headers are whole.
    // Walks the markers only, without decoding.
    static bool IsComplete(const QByteArray& data);
    // The same, with the decoder's French message for a cut file.
    static bool CheckComplete(const QByteArray& data, const QString& name, QString* error = nullptr);

    // Encodes at the encoder's default quality. A resolution above 0 is
    // written into the JFIF header as dots per inch.
    static QByteArray Encode(const QImage& image, int dotsPerInch = 0, QString* error = nullptr);
    // Encodes and saves through the safe-save helper.
    static bool EncodeToFile(
        const QImage& image, const QString& fileName, int dotsPerInch = 0, QString* error = nullptr);

    // The denominator (1, 2, 4 or 8) the decoder scales by for a target.
    static int ScaleDenominator(QSize picture, QSize target);
};
