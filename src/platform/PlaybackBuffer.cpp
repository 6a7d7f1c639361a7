#include "platform/PlaybackBuffer.h"

#include <cstring>

PlaybackBuffer::PlaybackBuffer(QObject* parent)
    : QIODevice(parent)
{ }

void PlaybackBuffer::SetSamples(const QByteArray& samples)
{
    m_samples = samples;
    m_offset = 0;
}

void PlaybackBuffer::SetOffset(qint64 offset)
{
    m_offset = qBound<qint64>(0, offset, m_samples.size());
}

void PlaybackBuffer::MarkRequest()
{
    m_requestAt = std::chrono::steady_clock::now();
    m_firstReadAt = TimePoint();
}

qint64 PlaybackBuffer::FirstReadNs() const
{
    if (m_firstReadAt == TimePoint())
        return -1;
    return std::chrono::duration_cast<std::chrono::nanoseconds>(m_firstReadAt - m_requestAt).count();
}

bool PlaybackBuffer::atEnd() const
{
    return m_offset >= m_samples.size();
}

qint64 PlaybackBuffer::bytesAvailable() const
{
    return m_samples.size() - m_offset + QIODevice::bytesAvailable();
}

qint64 PlaybackBuffer::readData(char* data, qint64 maxSize)
{
    const qint64 count = qMin(maxSize, m_samples.size() - m_offset);
    if (count <= 0)
        return 0;
    std::memcpy(data, m_samples.constData() + m_offset, size_t(count));
    m_offset += count;
    if (m_firstReadAt == TimePoint() && m_requestAt != TimePoint())
        m_firstReadAt = std::chrono::steady_clock::now();
    return count;
}

qint64 PlaybackBuffer::writeData(const char*, qint64)
{
    return -1;
}
