#include "SpeechDispatcherEngine.h"

#include <QMetaObject>
#include <QMutex>
#include <QPointer>
#include <libspeechd.h>

namespace {

// The library's notices name no object and come on its own thread.
QMutex g_mutex;
QPointer<SpeechDispatcherEngine> g_engine;

SPDConnection* Library(void* connection)
{
    return static_cast<SPDConnection*>(connection);
}

} // namespace

std::unique_ptr<SpeechDispatcherEngine> SpeechDispatcherEngine::Connect(QString* why)
{
    char* error = nullptr;
    SPDConnection* connection = spd_open2("ardoisine", "lecture", nullptr, SPD_MODE_THREADED, nullptr, 0, &error);
    if (!connection) {
        if (why)
            *why = QStringLiteral("Le serveur speech-dispatcher ne répond pas (%1).").arg(QString::fromUtf8(error));
        free(error);
        return nullptr;
    }
    free(error);
    std::unique_ptr<SpeechDispatcherEngine> engine(new SpeechDispatcherEngine(connection));
    QMutexLocker lock(&g_mutex);
    g_engine = engine.get();
    return engine;
}

SpeechDispatcherEngine::SpeechDispatcherEngine(void* connection)
    : m_connection(connection)
{
    const auto notified
        = [](size_t message, size_t client, SPDNotificationType state) { Notified(message, client, int(state)); };
    SPDConnection* library = Library(m_connection);
    library->callback_end = notified;
    library->callback_cancel = notified;
    spd_set_notification_on(library, SPD_END);
    spd_set_notification_on(library, SPD_CANCEL);
    spd_set_data_mode(library, SPD_DATA_SSML);
}

SpeechDispatcherEngine::~SpeechDispatcherEngine()
{
    {
        QMutexLocker lock(&g_mutex);
        g_engine = nullptr;
    }
    spd_cancel(Library(m_connection));
    spd_close(Library(m_connection));
}

void SpeechDispatcherEngine::Notified(size_t message, size_t, int)
{
    QMutexLocker lock(&g_mutex);
    if (g_engine)
        QMetaObject::invokeMethod(
            g_engine.data(),
            [engine = g_engine, message] {
                if (engine)
                    engine->MessageEnded(int(message));
            },
            Qt::QueuedConnection);
}

bool SpeechDispatcherEngine::Speak(const QStringList& phrases)
{
    Stop();
    spd_set_language(Library(m_connection), "fr");
    if (m_voice != DefaultVoice)
        spd_set_synthesis_voice(Library(m_connection), m_voice.toUtf8().constData());
    // -100..100 around the voice's own speed.
    spd_set_voice_rate(Library(m_connection), qBound(-100, m_rate - NormalRate, 100));
    const int message = spd_say(Library(m_connection), SPD_TEXT, SpeechEngine::Markup(phrases).constData());
    if (message <= 0)
        return false;
    m_message = message;
    return true;
}

void SpeechDispatcherEngine::Stop()
{
    if (m_message <= 0)
        return;
    spd_cancel(Library(m_connection));
    m_message = 0;
    emit Finished();
}

void SpeechDispatcherEngine::MessageEnded(int message)
{
    if (message != m_message)
        return; // a reading already stopped
    m_message = 0;
    emit Finished();
}
