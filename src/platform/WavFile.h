#pragma once

#include <QByteArray>
#include <QString>

// A WAV file: the format of its samples and the samples themselves. Reads
// any PCM file (8, 16, 24 or 32-bit integers, 32-bit floats, plain or
// extensible header, chunks in any order, a data chunk cut short by a copy
// that stopped); writes the canonical 44-byte header followed by the data.
class WavFile {
public:
    static constexpr int FormatPcm = 1;
    static constexpr int FormatFloat = 3;
    static constexpr int FormatExtensible = 0xFFFE;
    static constexpr int HeaderSize = 44;
    // What the recordings are: every PC sharing the data root plays them.
    static constexpr int RecordChannels = 2;
    static constexpr int RecordSampleRate = 44100;
    static constexpr int RecordBitsPerSample = 16;
    // A sound file larger than this is refused before it is read.
    static constexpr qint64 MaxFileBytes = qint64(512) * 1024 * 1024;

    int Channels = 0;
    int SampleRate = 0;
    int BitsPerSample = 0;
    bool IsFloat = false;
    // Whole frames only.
    QByteArray Samples;

    int BlockSize() const { return Channels * (BitsPerSample / 8); }
    qint64 ByteRate() const { return qint64(SampleRate) * BlockSize(); }
    qint64 LengthMs() const;
    // Milliseconds of sound in a number of bytes of this format.
    qint64 BytesToMs(qint64 bytes) const;

    // The header of an integer PCM file holding dataBytes of samples.
    static QByteArray Header(int channels, int sampleRate, int bitsPerSample, quint32 dataBytes);
    // An empty recording: 44.1 kHz, stereo, 16 bits, no samples.
    static QByteArray EmptyRecording();

    // False with a French reason when the bytes are not a readable PCM WAV.
    bool Parse(const QByteArray& bytes, QString* error = nullptr);
    bool Load(const QString& fileName, QString* error = nullptr);
    // Header and samples, ready to be written.
    QByteArray Bytes() const;
    // Through the safe-save helper: the old file stays when the write fails.
    bool Save(const QString& fileName, QString* error = nullptr) const;

private:
    bool ParseFormat(const QByteArray& chunk, QString* error);
};
