#pragma once

#include <QString>
#include <functional>

// The media player device of the sound panel: one WAV file open at a time,
// played, paused, stopped and rewound, or recorded into and saved. The
// program uses the sound server through Qt; tests may script one.
class AudioDevice {
public:
    enum class Mode { Closed, Stopped, Playing, Paused, Recording };
    static constexpr int MaxVolume = 65535;

    virtual ~AudioDevice() = default;

    // False when no sound server answers: nothing can be heard or recorded.
    virtual bool IsAvailable() const = 0;
    // Opens a WAV file (closing what was open) at position 0. A French
    // reason comes back in error on failure.
    virtual bool Open(const QString& fileName, QString& error) = 0;
    virtual void Close() = 0;
    // Plays from the current position.
    virtual bool Play(QString& error) = 0;
    virtual void Pause() = 0;
    // Stops playing or recording and rewinds to 0; the file stays open.
    virtual void Stop() = 0;
    virtual Mode State() const = 0;
    virtual qint64 PositionMs() const = 0;
    virtual qint64 LengthMs() const = 0;

    // Records into the open file from its start, in the open file's format
    // (the recording template: 44.1 kHz, stereo, 16 bits).
    virtual bool StartRecording(QString& error) = 0;
    // Bytes of sound received since the recording started.
    virtual qint64 RecordedBytes() const = 0;
    // Writes what was recorded as a WAV file (the recording stays).
    virtual bool SaveRecording(const QString& fileName, QString& error) = 0;

    // The volume of the device's own output stream, 0..MaxVolume on both
    // channels; the system mixer is never touched.
    virtual int Volume() const = 0;
    virtual void SetVolume(int volume) = 0;

    // Called when the sound played up to the end of its stream.
    std::function<void()> OnPlayEnded;
    // Called when the sound server drops a stream (the reason in French).
    std::function<void(const QString&)> OnFailure;
};
