#pragma once

#include <QString>
#include <QStringList>

// What an operation that a person may have to hear about came to: whether
// it succeeded, and the French sentences to show. A failure carries its
// reasons; a success may carry remarks too (an operation that went on past
// a file it could not rename says so). The core never shows them itself:
// the caller (a window, the admin tool) does, so no message box opens from
// inside an operation and no exception reaches an event loop.
class [[nodiscard]] Outcome {
public:
    // A success with nothing to say.
    Outcome() = default;
    static Outcome Failure(const QString& message)
    {
        Outcome outcome;
        outcome.Fail(message);
        return outcome;
    }

    bool Ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const QStringList& Messages() const { return m_messages; }
    bool HasMessages() const { return !m_messages.isEmpty(); }
    // The messages as one text, one a line, as a message box shows them.
    QString Text() const { return m_messages.join(QLatin1Char('\n')); }

    // A sentence that leaves the result as it is.
    Outcome& Note(const QString& message)
    {
        m_messages.append(message);
        return *this;
    }
    Outcome& Note(const QStringList& messages)
    {
        m_messages.append(messages);
        return *this;
    }
    // A failure and its reason (an empty reason adds no sentence).
    Outcome& Fail(const QString& message = QString())
    {
        m_ok = false;
        if (!message.isEmpty())
            m_messages.append(message);
        return *this;
    }
    // Another step's messages; its failure makes this one fail.
    Outcome& Merge(const Outcome& step)
    {
        m_messages.append(step.m_messages);
        m_ok = m_ok && step.m_ok;
        return *this;
    }
    Outcome& Prepend(const QString& message)
    {
        m_messages.prepend(message);
        return *this;
    }

private:
    bool m_ok = true;
    QStringList m_messages;
};
