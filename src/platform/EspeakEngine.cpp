#include "EspeakEngine.h"

#include <espeak-ng/speak_lib.h>

namespace {

// The library's state is the process's: one engine uses it at a time, and
// it is started once per output kind (started again, its synthesis thread
// may wait forever).
bool g_open = false;
int g_output = -1;
int g_sampleRate = 0;

} // namespace

int EspeakEngine::Initialise(int output, QString* why)
{
    Q_ASSERT(!g_open);
    if (g_open) {
        if (why)
            *why = QStringLiteral("La synthèse vocale espeak-ng est déjà utilisée.");
        return 0;
    }
    if (g_output == output) {
        g_open = true;
        espeak_SetVoiceByName(SpeechEngine::DefaultVoice.toUtf8().constData());
        return g_sampleRate;
    }
    if (g_output >= 0)
        espeak_Terminate();
    g_output = -1;
    // Without this option the library ends the program when its data is missing.
    const int rate = espeak_Initialize(espeak_AUDIO_OUTPUT(output), 200, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (rate <= 0) {
        if (why)
            *why = QStringLiteral("La synthèse vocale espeak-ng ne démarre pas (paquet espeak-ng-data absent ?).");
        return 0;
    }
    if (espeak_SetVoiceByName(SpeechEngine::DefaultVoice.toUtf8().constData()) != EE_OK) {
        espeak_Terminate();
        if (why)
            *why = QStringLiteral("La voix française d'espeak-ng est introuvable (paquet espeak-ng-data).");
        return 0;
    }
    g_open = true;
    g_output = output;
    g_sampleRate = rate;
    return rate;
}

bool EspeakEngine::Apply(int ratePercent, const QString& voice)
{
    const int words = qBound(80, NormalWordsPerMinute * ratePercent / 100, 450);
    espeak_SetParameter(espeakRATE, words, 0);
    if (espeak_SetVoiceByName(voice.toUtf8().constData()) == EE_OK)
        return true;
    espeak_SetVoiceByName(SpeechEngine::DefaultVoice.toUtf8().constData());
    return false;
}

bool EspeakEngine::Synthesise(const QStringList& phrases)
{
    const QByteArray markup = SpeechEngine::Markup(phrases);
    return espeak_Synth(markup.constData(), size_t(markup.size()) + 1, 0, POS_CHARACTER, 0,
               espeakCHARS_UTF8 | espeakSSML, nullptr, nullptr)
        == EE_OK;
}

std::unique_ptr<EspeakEngine> EspeakEngine::Open(QString* why)
{
    if (Initialise(AUDIO_OUTPUT_PLAYBACK, why) <= 0)
        return nullptr;
    return std::unique_ptr<EspeakEngine>(new EspeakEngine());
}

EspeakEngine::EspeakEngine()
{
    m_poll.setInterval(100);
    m_poll.callOnTimeout(this, [this] { Poll(); });
}

EspeakEngine::~EspeakEngine()
{
    espeak_Cancel();
    Close();
}

void EspeakEngine::Close()
{
    // Kept started for the next engine of the same kind.
    g_open = false;
}

bool EspeakEngine::Speak(const QStringList& phrases)
{
    Stop();
    Apply(m_rate, m_voice);
    if (!Synthesise(phrases))
        return false;
    m_speaking = true;
    m_heard = false;
    m_polls = 0;
    m_poll.start();
    return true;
}

void EspeakEngine::Stop()
{
    if (!m_speaking)
        return;
    espeak_Cancel();
    m_poll.stop();
    m_speaking = false;
    emit Finished();
}

void EspeakEngine::Poll()
{
    // The synthesis runs on the library's own thread; asked, it says
    // whether sound is still being played.
    // Sound starts a little after the synthesis: until it has been heard,
    // silence only ends the reading after a while.
    ++m_polls;
    if (espeak_IsPlaying()) {
        m_heard = true;
        return;
    }
    if (!m_heard && m_polls < 30)
        return;
    m_poll.stop();
    m_speaking = false;
    emit Finished();
}
