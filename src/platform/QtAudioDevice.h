#pragma once

#include "platform/AudioDevice.h"
#include "platform/PlaybackBuffer.h"
#include "platform/WavFile.h"

#include <QAudioFormat>
#include <QObject>
#include <memory>

class QAudioSink;
class QAudioSource;
class QIODevice;

// The media player device over the sound server, through Qt Multimedia: an
// output stream fed from the samples of the open WAV file, an input stream
// gathering a recording in memory. Our own stream's volume is the volume.
class QtAudioDevice : public QObject, public AudioDevice {
    Q_OBJECT

public:
    // A recording stops growing after this many bytes (20 minutes): a
    // recording left running must not fill the memory of the PC.
    static constexpr qint64 MaxRecordingBytes = qint64(20) * 60 * 176400;

    explicit QtAudioDevice(QObject* parent = nullptr);
    ~QtAudioDevice() override;

    bool IsAvailable() const override;
    bool Open(const QString& fileName, QString& error) override;
    void Close() override;
    bool Play(QString& error) override;
    void Pause() override;
    void Stop() override;
    Mode State() const override { return m_mode; }
    qint64 PositionMs() const override;
    qint64 LengthMs() const override { return m_file.LengthMs(); }
    bool StartRecording(QString& error) override;
    qint64 RecordedBytes() const override { return m_recorded.size(); }
    bool SaveRecording(const QString& fileName, QString& error) override;
    int Volume() const override { return m_volume; }
    void SetVolume(int volume) override;

    // Nanoseconds from the last play command to the first samples handed
    // to the output stream; -1 while none were.
    qint64 LastStartLatencyNs() const { return m_buffer.FirstReadNs(); }
    // When the last play handed its first samples to the output stream.
    PlaybackBuffer::TimePoint FirstSamplesAt() const { return m_buffer.FirstReadAt(); }

private:
    void OutputStateChanged(int state);
    void InputStateChanged(int state);
    void AwaitEnd();
    void FinishPlay(quint64 run);
    void GatherRecording();
    void ReleaseOutput();
    void ReleaseInput();

    WavFile m_file;
    QAudioFormat m_format;
    PlaybackBuffer m_buffer;
    std::unique_ptr<QAudioSink> m_sink;
    std::unique_ptr<QAudioSource> m_source;
    QIODevice* m_sourceStream = nullptr;
    QByteArray m_recorded;
    Mode m_mode = Mode::Closed;
    qint64 m_startPositionMs = 0; // where the running play started
    qint64 m_positionMs = 0; // while stopped or paused
    quint64 m_run = 0; // counts plays, so a late end belongs to its own
    int m_volume = MaxVolume;
};
