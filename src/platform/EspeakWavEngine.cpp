#include "EspeakWavEngine.h"

#include "EspeakEngine.h"
#include "WavFile.h"

#include <QMetaObject>
#include <espeak-ng/speak_lib.h>

namespace {

QByteArray* g_samples = nullptr; // the reading under way; synthesis is synchronous

int CollectSamples(short* samples, int count, espeak_EVENT*)
{
    if (g_samples && samples && count > 0)
        g_samples->append(reinterpret_cast<const char*>(samples), qsizetype(count) * qsizetype(sizeof(short)));
    return 0; // go on
}

} // namespace

std::unique_ptr<EspeakWavEngine> EspeakWavEngine::Open(const QString& wavPath, QString* why)
{
    const int rate = EspeakEngine::Initialise(AUDIO_OUTPUT_SYNCHRONOUS, why);
    if (rate <= 0)
        return nullptr;
    espeak_SetSynthCallback(CollectSamples);
    return std::unique_ptr<EspeakWavEngine>(new EspeakWavEngine(wavPath, rate));
}

EspeakWavEngine::EspeakWavEngine(const QString& wavPath, int sampleRate)
    : m_path(wavPath)
    , m_sampleRate(sampleRate)
{ }

EspeakWavEngine::~EspeakWavEngine()
{
    EspeakEngine::Close();
}

bool EspeakWavEngine::Speak(const QStringList& phrases)
{
    EspeakEngine::Apply(m_rate, m_voice);
    QByteArray samples;
    g_samples = &samples;
    // Synchronous output: the samples are all there when the call returns.
    const bool synthesised = EspeakEngine::Synthesise(phrases);
    g_samples = nullptr;
    if (!synthesised) {
        m_lastError = QStringLiteral("La synthèse vocale a échoué.");
        return false;
    }
    WavFile wav;
    wav.Channels = 1;
    wav.SampleRate = m_sampleRate;
    wav.BitsPerSample = 16;
    wav.Samples = samples;
    m_lastError.clear();
    if (!wav.Save(m_path, &m_lastError))
        return false;
    ++m_readings;
    // Told after the caller has seen the reading start, as a real one.
    QMetaObject::invokeMethod(this, &SpeechEngine::Finished, Qt::QueuedConnection);
    return true;
}
