#pragma once

#include <QString>
#include <QStringList>

// Everything the core tells or asks a person: message boxes, Yes/No
// questions, input boxes and beeps in the program; scripted answers in the
// tests and the admin tool.
class Messenger {
public:
    virtual ~Messenger() = default;
    virtual void ShowMessage(const QString& text) = 0;
    // A list of messages shown as one text, one message a line.
    virtual void ShowMessages(const QStringList& messages) { ShowMessage(messages.join(QLatin1Char('\n'))); }
    // Long lists (every file a transfer could not move): a window with the
    // title and the lines, read-only and scrollable, that returns when the
    // person closes it.
    virtual void ShowLines(const QString& title, const QStringList& lines) = 0;
    virtual bool AskYesNo(const QString& question) = 0;
    // False when the person cancels.
    virtual bool AskText(const QString& title, const QString& prompt, const QString& defaultText, QString& answer) = 0;
    virtual void Beep() = 0;
};
