#include "JpegHeader.h"

#include "params/FileBytes.h"
#include "params/Numbers.h"
#include "params/SafeSave.h"

#include <QDir>
#include <QFile>

namespace {

constexpr int kHeadSize = 50;
constexpr int kUnitsOffset = 7; // from the "J" of "JFIF"

int BigEndian16(const QByteArray& bytes, qsizetype at)
{
    return (uchar(bytes[at]) << 8) | uchar(bytes[at + 1]);
}

void PutBigEndian16(QByteArray& bytes, qsizetype at, int value)
{
    bytes[at] = char((value >> 8) & 0xFF);
    bytes[at + 1] = char(value & 0xFF);
}

QByteArray ReadHead(const QString& fileName, qint64 size)
{
    QByteArray head;
    FileBytes::Read(fileName, head, nullptr, size);
    return head;
}

} // namespace

qsizetype JpegHeader::FindJfif(const QByteArray& head)
{
    const qsizetype at = head.left(kHeadSize).indexOf("JFIF");
    // The units and both densities must be inside the bytes read.
    return at >= 0 && at + kUnitsOffset + 5 <= head.size() ? at : -1;
}

bool JpegHeader::ReadResolution(const QByteArray& head, Resolution& resolution)
{
    const qsizetype at = FindJfif(head);
    if (at < 0)
        return false;
    const int units = uchar(head[at + kUnitsOffset]);
    if (units > 2)
        return false;
    int horizontal = BigEndian16(head, at + kUnitsOffset + 1);
    int vertical = BigEndian16(head, at + kUnitsOffset + 3);
    if (units == 0) {
        // Only an aspect ratio ("1:1" in the encoder's default header, which
        // many tools write): no resolution at all, as a density of 0.
        horizontal = vertical = 0;
    } else if (units == 2) {
        horizontal = RoundHalfEven(horizontal * 2.54);
        vertical = RoundHalfEven(vertical * 2.54);
    }
    resolution = {horizontal, vertical};
    return true;
}

bool JpegHeader::ReadResolution(const QString& fileName, Resolution& resolution)
{
    return ReadResolution(ReadHead(fileName, kHeadSize), resolution);
}

bool JpegHeader::StampResolution(QByteArray& bytes, int horizontal, int vertical)
{
    const qsizetype at = FindJfif(bytes);
    if (at < 0)
        return false;
    bytes[at + kUnitsOffset] = 1;
    PutBigEndian16(bytes, at + kUnitsOffset + 1, std::clamp(horizontal, 0, 65535));
    PutBigEndian16(bytes, at + kUnitsOffset + 3, std::clamp(vertical, 0, 65535));
    return true;
}

Outcome JpegHeader::StampResolution(const QString& fileName, int horizontal, int vertical)
{
    QByteArray bytes;
    QString error;
    if (!FileBytes::Read(fileName, bytes, &error))
        return Outcome::Failure(error);
    if (!StampResolution(bytes, horizontal, vertical))
        return Outcome::Failure(QStringLiteral("L'image \"%1\" n'a pas d'en-tête JFIF : sa résolution ne peut pas y "
                                               "être inscrite.")
                                    .arg(QDir::toNativeSeparators(fileName)));
    if (!SafeSave::WriteFile(fileName, bytes, &error))
        return Outcome::Failure(error);
    return {};
}

int JpegHeader::ReadBitmapResolution(const QString& fileName)
{
    return ReadBitmapResolution(ReadHead(fileName, 42));
}

int JpegHeader::ReadBitmapResolution(const QByteArray& head)
{
    if (head.size() < 42 || !head.startsWith("BM"))
        return 0;
    // A signed 32-bit field: above 1,664 dpi its upper bytes count too.
    const qint32 pixelsPerMetre = qint32(quint32(uchar(head[38])) | quint32(uchar(head[39])) << 8
        | quint32(uchar(head[40])) << 16 | quint32(uchar(head[41])) << 24);
    return pixelsPerMetre > 0 ? RoundHalfEven(pixelsPerMetre / 39.370079) : 0;
}
