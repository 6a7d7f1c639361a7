#pragma once

#include "SpeechEngine.h"

#include <QTimer>

// The espeak-ng library speaking through the sound server, with its French
// voice. The library keeps one state for the whole process: one espeak-ng
// engine (this one or the WAV writer) at a time.
class EspeakEngine : public SpeechEngine {
    Q_OBJECT
public:
    static constexpr int NormalWordsPerMinute = 175;
    // None (and *why) when the library cannot start or has no French voice.
    static std::unique_ptr<EspeakEngine> Open(QString* why = nullptr);
    ~EspeakEngine() override;

    bool Speak(const QStringList& phrases) override;
    void Stop() override;
    bool IsSpeaking() const override { return m_speaking; }

    // Shared with the WAV writer. output: an espeak_AUDIO_OUTPUT value;
    // answers the sample rate, 0 on failure (*why).
    static int Initialise(int output, QString* why);
    // Voice and speed before a reading; false when the voice is unknown
    // (the French voice is taken then).
    static bool Apply(int ratePercent, const QString& voice);
    // Ends the library's use (the engine's destructor calls it).
    static void Close();
    // Synthesis of the markup of some phrases; false when refused.
    static bool Synthesise(const QStringList& phrases);

private:
    EspeakEngine();
    void Poll();

    QTimer m_poll;
    bool m_speaking = false;
    bool m_heard = false;
    int m_polls = 0;
};
