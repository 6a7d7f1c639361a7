#pragma once

#include "SpeechEngine.h"

// The espeak-ng library's French voice written into a WAV file (mono,
// 16 bits, the voice's sample rate) instead of the speakers: what a reading
// says can be measured and kept. Each reading replaces the file, through the
// safe-save helper. One espeak-ng engine at a time (see EspeakEngine).
class EspeakWavEngine : public SpeechEngine {
    Q_OBJECT
public:
    static std::unique_ptr<EspeakWavEngine> Open(const QString& wavPath, QString* why = nullptr);
    ~EspeakWavEngine() override;

    // Synthesises the whole reading at once, then tells Finished.
    bool Speak(const QStringList& phrases) override;
    void Stop() override { }
    bool IsSpeaking() const override { return false; }

    QString Path() const { return m_path; }
    int Readings() const { return m_readings; }
    QString LastError() const { return m_lastError; }

private:
    EspeakWavEngine(const QString& wavPath, int sampleRate);

    QString m_path;
    int m_sampleRate = 0;
    int m_readings = 0;
    QString m_lastError;
};
