#include "ReadAloud.h"

#include "EP_ItEdt.h"
#include "ImageWidget.h"
#include "PageScrollBox.h"

#include "config/TEP_Config.h"
#include "documents/Messenger.h"
#include "platform/SpeechEngine.h"
#include "platform/WindowsKeys.h"
#include "report/SpokenText.h"
#include "report/TDPRptItem.h"

ReadAloud::ReadAloud(EP_ItEdt& editor, TEP_Config& config, Messenger& messenger, QObject* parent)
    : QObject(parent)
    , m_editor(editor)
    , m_config(config)
    , m_messenger(messenger)
{
    MakeEngine = [](QString* why) { return SpeechEngine::MakeDefault(why); };
}

ReadAloud::~ReadAloud()
{
    if (m_engine)
        m_engine->disconnect(this);
}

bool ReadAloud::TakeKey(int key)
{
    if (key == WindowsKeys::Function(11)) {
        Toggle();
        return true;
    }
    if (key == WindowsKeys::Escape && IsSpeaking()) {
        Stop();
        return true;
    }
    return false;
}

QStringList ReadAloud::Phrases() const
{
    QString value;
    if (const TDPRptItem* current = m_editor.Current(); current && SpokenText::IsText(*current, &value))
        return SpokenText::Phrases(value);
    if (const TDPRptItem* root = m_editor.Root())
        return SpokenText::PagePhrases(*root);
    return {};
}

SpeechEngine* ReadAloud::EnsureEngine()
{
    if (m_engineTried)
        return m_engine.get();
    m_engineTried = true;
    if (MakeEngine)
        m_engine = MakeEngine(&m_problem);
    if (m_engine) {
        m_problem.clear();
        connect(m_engine.get(), &SpeechEngine::Finished, this, [this] { emit SpeakingChanged(false); });
    }
    return m_engine.get();
}

bool ReadAloud::Start()
{
    const QStringList phrases = Phrases();
    SpeechEngine* engine = phrases.isEmpty() ? nullptr : EnsureEngine();
    if (!engine) {
        m_messenger.Beep();
        return false;
    }
    const UserSettings& settings = m_config.Settings;
    engine->SetRate(settings.SpeechRate);
    engine->SetVoice(settings.SpeechVoice);
    if (!engine->Speak(phrases)) {
        m_messenger.Beep();
        return false;
    }
    emit SpeakingChanged(true);
    return true;
}

void ReadAloud::Stop()
{
    if (m_engine && m_engine->IsSpeaking())
        m_engine->Stop();
}

bool ReadAloud::Toggle()
{
    if (IsSpeaking()) {
        Stop();
        return true;
    }
    return Start();
}

bool ReadAloud::IsSpeaking() const
{
    return m_engine && m_engine->IsSpeaking();
}
