#pragma once

#include <QByteArray>
#include <QIODevice>
#include <chrono>

// The samples of an open sound, read by the output stream as it needs them.
// Keeps the moment the first samples were handed over, so the delay between
// a play command and the first sound can be measured.
class PlaybackBuffer : public QIODevice {
    Q_OBJECT

public:
    explicit PlaybackBuffer(QObject* parent = nullptr);

    void SetSamples(const QByteArray& samples);
    // Serves from this byte on (whole frames given by the caller).
    void SetOffset(qint64 offset);
    qint64 Offset() const { return m_offset; }
    qint64 Size() const { return m_samples.size(); }

    using TimePoint = std::chrono::steady_clock::time_point;
    // Starts the measure of the first read.
    void MarkRequest();
    // Nanoseconds from MarkRequest to the first samples read; -1 before.
    qint64 FirstReadNs() const;
    // When the first samples were read; the epoch before.
    TimePoint FirstReadAt() const { return m_firstReadAt; }

    bool atEnd() const override;
    qint64 bytesAvailable() const override;
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    QByteArray m_samples;
    qint64 m_offset = 0;
    TimePoint m_requestAt;
    TimePoint m_firstReadAt;
};
