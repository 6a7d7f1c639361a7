#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

// Reads text aloud in French. The program's engines: speech-dispatcher when
// its server answers, else the espeak-ng library with its French voice;
// another one writes the speech into a WAV file instead of the speakers.
//
// What is read comes as phrases; a short pause separates them (a line mark,
// another text item), so a pupil hears where a line ended.
class SpeechEngine : public QObject {
    Q_OBJECT
public:
    static constexpr int PauseMs = 600;
    static constexpr int NormalRate = 100; // percent of the voice's own speed
    static constexpr int MinRate = 50;
    static constexpr int MaxRate = 200;
    static inline const QString DefaultVoice = QStringLiteral("fr");

    ~SpeechEngine() override = default;

    // Starts reading (what was being read stops first); false when the
    // engine refuses.
    virtual bool Speak(const QStringList& phrases) = 0;
    virtual void Stop() = 0;
    virtual bool IsSpeaking() const = 0;
    // The user's settings, taken at the next Speak: speed in percent of the
    // voice's own (MinRate..MaxRate), voice name ("fr" when empty).
    void SetRate(int percent) { m_rate = qBound(MinRate, percent, MaxRate); }
    void SetVoice(const QString& voice) { m_voice = voice.trimmed().isEmpty() ? DefaultVoice : voice.trimmed(); }
    int Rate() const { return m_rate; }
    QString Voice() const { return m_voice; }

    // The phrases as speech markup: text escaped, a pause between phrases.
    static QByteArray Markup(const QStringList& phrases);
    // speech-dispatcher when its server answers, else espeak-ng playing
    // through the sound server; none when neither can speak (*why says
    // what to install or start).
    static std::unique_ptr<SpeechEngine> MakeDefault(QString* why = nullptr);

signals:
    // The reading came to its end or was stopped.
    void Finished();

protected:
    int m_rate = NormalRate;
    QString m_voice = DefaultVoice;
};
