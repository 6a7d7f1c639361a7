#pragma once

#include "platform/AudioDevice.h"
#include "platform/WavFile.h"

#include <QStringList>

// A media player device the tests drive by hand: it reads the WAV files for
// real, "plays" until told the stream ended and "records" the bytes it is
// given. Each failure can be switched on.
class FakeAudioDevice : public AudioDevice {
public:
    bool IsAvailable() const override { return Available; }
    bool Open(const QString& fileName, QString& error) override
    {
        Close();
        Log << QStringLiteral("open ") + fileName;
        if (!m_file.Load(fileName, &error))
            return false;
        m_mode = Mode::Stopped;
        return true;
    }
    void Close() override
    {
        if (m_mode != Mode::Closed)
            Log << QStringLiteral("close");
        m_mode = Mode::Closed;
        m_file = WavFile();
        Position = 0;
    }
    bool Play(QString& error) override
    {
        if (FailPlay) {
            error = QStringLiteral("lecture refusée");
            return false;
        }
        Log << QStringLiteral("play");
        m_mode = Mode::Playing;
        return true;
    }
    void Pause() override
    {
        Log << QStringLiteral("pause");
        if (m_mode == Mode::Playing)
            m_mode = Mode::Paused;
    }
    void Stop() override
    {
        if (m_mode != Mode::Closed)
            m_mode = Mode::Stopped;
        Position = 0;
    }
    Mode State() const override { return m_mode; }
    qint64 PositionMs() const override { return Position; }
    qint64 LengthMs() const override { return m_file.LengthMs(); }
    bool StartRecording(QString& error) override
    {
        if (FailRecord) {
            error = QStringLiteral("micro absent");
            return false;
        }
        Log << QStringLiteral("record");
        Recorded = 0;
        m_mode = Mode::Recording;
        return true;
    }
    qint64 RecordedBytes() const override { return Recorded; }
    bool SaveRecording(const QString& fileName, QString& error) override
    {
        WavFile recording;
        recording.Channels = 2;
        recording.SampleRate = 44100;
        recording.BitsPerSample = 16;
        recording.Samples = QByteArray(int(Recorded), '\x01');
        return recording.Save(fileName, &error);
    }
    int Volume() const override { return VolumeLevel; }
    void SetVolume(int volume) override { VolumeLevel = volume; }

    // The stream of the playing sound ran out.
    void EndStream()
    {
        m_mode = Mode::Stopped;
        Position = LengthMs();
        if (OnPlayEnded)
            OnPlayEnded();
    }

    bool Available = true;
    bool FailPlay = false;
    bool FailRecord = false;
    qint64 Position = 0;
    qint64 Recorded = 0;
    int VolumeLevel = 40000;
    QStringList Log;

private:
    WavFile m_file;
    Mode m_mode = Mode::Closed;
};
