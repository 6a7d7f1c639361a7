#pragma once

#include "SpeechEngine.h"

// Speech through the speech-dispatcher server (libspeechd), which the
// desktop's screen reader may share. Only taken when the server already
// answers: it is never started from here.
class SpeechDispatcherEngine : public SpeechEngine {
    Q_OBJECT
public:
    // None (and *why) when no server answers.
    static std::unique_ptr<SpeechDispatcherEngine> Connect(QString* why = nullptr);
    ~SpeechDispatcherEngine() override;

    bool Speak(const QStringList& phrases) override;
    void Stop() override;
    bool IsSpeaking() const override { return m_message > 0; }

private:
    // connection: the library's SPDConnection (its type has no name to declare).
    explicit SpeechDispatcherEngine(void* connection);
    // The server's end-of-message notice, brought to the window's thread.
    void MessageEnded(int message);
    static void Notified(size_t message, size_t client, int state);

    void* m_connection = nullptr;
    int m_message = 0; // the message being read, 0 when none
};
