#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class EP_ItEdt;
class Messenger;
class SpeechEngine;
class TEP_Config;

// Reading the pupil's text aloud: the selected text item, or with no text
// selected every text item of the page in reading order. F11 starts and
// stops; while speech plays, Esc only stops it.
//
// The keys come here before any other handler of the window (a docked
// panel, the editor): TakeKey answers whether it took them.
class ReadAloud : public QObject {
    Q_OBJECT
public:
    ReadAloud(EP_ItEdt& editor, TEP_Config& config, Messenger& messenger, QObject* parent = nullptr);
    ~ReadAloud() override;

    // Made at the first reading (a speech server is not asked before a
    // pupil wants it); the program's: speech-dispatcher, else espeak-ng.
    // None: every reading beeps.
    std::function<std::unique_ptr<SpeechEngine>(QString* why)> MakeEngine;

    // Windows key code: F11 starts or stops a reading; Esc stops one.
    // True when the key was taken.
    bool TakeKey(int key);
    // Starts reading what is selected or the page; beeps when there is
    // nothing to read or no engine.
    bool Start();
    void Stop();
    bool Toggle();
    bool IsSpeaking() const;
    // What a reading now would say.
    QStringList Phrases() const;
    SpeechEngine* Engine() const { return m_engine.get(); }
    // Why no engine could be made (empty when one was).
    QString EngineProblem() const { return m_problem; }

signals:
    void SpeakingChanged(bool speaking);

private:
    SpeechEngine* EnsureEngine();

    EP_ItEdt& m_editor;
    TEP_Config& m_config;
    Messenger& m_messenger;
    std::unique_ptr<SpeechEngine> m_engine;
    bool m_engineTried = false;
    QString m_problem;
};
