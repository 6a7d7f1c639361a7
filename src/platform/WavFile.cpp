#include "platform/WavFile.h"
#include "params/SafeSave.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace {

quint16 U16(const char* p)
{
    return qFromLittleEndian<quint16>(p);
}

quint32 U32(const char* p)
{
    return qFromLittleEndian<quint32>(p);
}

void PutU16(QByteArray& bytes, quint16 value)
{
    char raw[2];
    qToLittleEndian(value, raw);
    bytes.append(raw, 2);
}

void PutU32(QByteArray& bytes, quint32 value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    bytes.append(raw, 4);
}

bool Refuse(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

QString NotWav()
{
    return QStringLiteral("ce n'est pas un fichier son WAV.");
}

} // namespace

qint64 WavFile::LengthMs() const
{
    return BytesToMs(Samples.size());
}

qint64 WavFile::BytesToMs(qint64 bytes) const
{
    const qint64 rate = ByteRate();
    return rate > 0 ? bytes * 1000 / rate : 0;
}

QByteArray WavFile::Header(int channels, int sampleRate, int bitsPerSample, quint32 dataBytes)
{
    const int blockSize = channels * (bitsPerSample / 8);
    QByteArray bytes;
    bytes.reserve(HeaderSize);
    bytes.append("RIFF", 4);
    PutU32(bytes, 36 + dataBytes + (dataBytes & 1));
    bytes.append("WAVEfmt ", 8);
    PutU32(bytes, 16);
    PutU16(bytes, FormatPcm);
    PutU16(bytes, quint16(channels));
    PutU32(bytes, quint32(sampleRate));
    PutU32(bytes, quint32(sampleRate) * quint32(blockSize));
    PutU16(bytes, quint16(blockSize));
    PutU16(bytes, quint16(bitsPerSample));
    bytes.append("data", 4);
    PutU32(bytes, dataBytes);
    return bytes;
}

QByteArray WavFile::EmptyRecording()
{
    return Header(RecordChannels, RecordSampleRate, RecordBitsPerSample, 0);
}

bool WavFile::ParseFormat(const QByteArray& chunk, QString* error)
{
    if (chunk.size() < 16)
        return Refuse(error, NotWav());
    const char* p = chunk.constData();
    int tag = U16(p);
    Channels = U16(p + 2);
    SampleRate = int(qMin<quint32>(U32(p + 4), 1u << 30));
    BitsPerSample = U16(p + 14);
    // The extensible header names the real encoding in its sub-format.
    if (tag == FormatExtensible && chunk.size() >= 26)
        tag = U16(p + 24);
    IsFloat = tag == FormatFloat;
    if (tag != FormatPcm && tag != FormatFloat)
        return Refuse(error, QStringLiteral("son compressé (format %1) : seuls les sons PCM sont lus.").arg(tag));
    const bool bitsKnown = IsFloat
        ? BitsPerSample == 32
        : (BitsPerSample == 8 || BitsPerSample == 16 || BitsPerSample == 24 || BitsPerSample == 32);
    if (!bitsKnown || Channels < 1 || Channels > 8 || SampleRate < 1000 || SampleRate > 384000)
        return Refuse(error,
            QStringLiteral("format de son non pris en charge (%1 voies, %2 Hz, %3 bits).")
                .arg(Channels)
                .arg(SampleRate)
                .arg(BitsPerSample));
    return true;
}

bool WavFile::Parse(const QByteArray& bytes, QString* error)
{
    *this = WavFile();
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return Refuse(error, NotWav());
    bool formatSeen = false;
    qint64 at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const qint64 declared = U32(bytes.constData() + at + 4);
        const qint64 start = at + 8;
        // A copy cut short keeps what arrived of its last chunk.
        const qint64 size = qMin(declared, bytes.size() - start);
        if (id == "fmt ") {
            if (!ParseFormat(bytes.mid(start, size), error))
                return false;
            formatSeen = true;
        } else if (id == "data") {
            if (!formatSeen)
                return Refuse(error, NotWav());
            const qint64 whole = size - size % BlockSize();
            Samples = bytes.mid(start, whole);
            return true;
        }
        at = start + declared + (declared & 1);
    }
    return Refuse(error, formatSeen ? QStringLiteral("le fichier ne contient aucun son.") : NotWav());
}

bool WavFile::Load(const QString& fileName, QString* error)
{
    QFile file(fileName);
    QString reason;
    if (!file.open(QIODevice::ReadOnly))
        reason = file.errorString();
    else if (file.size() > MaxFileBytes)
        reason = QStringLiteral("le fichier est trop grand.");
    else if (Parse(file.readAll(), &reason))
        return true;
    return Refuse(error,
        QStringLiteral("Impossible de lire le fichier son \"%1\" : %2").arg(QFileInfo(fileName).fileName(), reason));
}

QByteArray WavFile::Bytes() const
{
    Q_ASSERT(!IsFloat);
    QByteArray bytes = Header(Channels, SampleRate, BitsPerSample, quint32(Samples.size()));
    bytes += Samples;
    if (Samples.size() & 1)
        bytes += '\0';
    return bytes;
}

bool WavFile::Save(const QString& fileName, QString* error) const
{
    if (IsFloat || Samples.size() > MaxFileBytes)
        return Refuse(error, QStringLiteral("Erreur interne : format d'enregistrement inattendu."));
    return SafeSave::WriteFile(fileName, Bytes(), nullptr, error);
}
