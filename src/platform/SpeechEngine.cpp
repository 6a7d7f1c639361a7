#include "SpeechEngine.h"

#include "EspeakEngine.h"
#include "SpeechDispatcherEngine.h"

QByteArray SpeechEngine::Markup(const QStringList& phrases)
{
    QString markup = QStringLiteral("<speak xml:lang=\"fr\">");
    const QString pause = QStringLiteral("<break time=\"%1ms\"/>").arg(PauseMs);
    for (qsizetype index = 0; index < phrases.size(); ++index) {
        if (index > 0)
            markup += pause;
        markup += phrases[index].toHtmlEscaped();
    }
    markup += QStringLiteral("</speak>");
    return markup.toUtf8();
}

std::unique_ptr<SpeechEngine> SpeechEngine::MakeDefault(QString* why)
{
    QString dispatcherProblem, espeakProblem;
    if (auto dispatcher = SpeechDispatcherEngine::Connect(&dispatcherProblem))
        return dispatcher;
    if (auto espeak = EspeakEngine::Open(&espeakProblem))
        return espeak;
    if (why)
        *why = espeakProblem.isEmpty() ? dispatcherProblem : espeakProblem;
    return nullptr;
}
