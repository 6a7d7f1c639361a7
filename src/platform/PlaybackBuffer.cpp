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
    m_request.start();
    m_firstReadNs = -1;
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
    if (m_firstReadNs < 0 && m_request.isValid())
        m_firstReadNs = m_request.nsecsElapsed();
    return count;
}

qint64 PlaybackBuffer::writeData(const char*, qint64)
{
    return -1;
}
