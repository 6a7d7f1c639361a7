#pragma once

#include "Messenger.h"

#include <QList>
#include <optional>

// A messenger that records what was shown and answers from a script, for
// the tests and for the admin tool (which answers every question "No").
class ScriptedMessenger : public Messenger {
public:
    void ShowMessage(const QString& text) override { Shown << text; }
    void ShowLines(const QString& title, const QStringList& lines) override
    {
        ViewerTitles << title;
        ViewerLines << lines;
    }
    bool AskYesNo(const QString& question) override
    {
        Asked << question;
        return YesNoAnswers.isEmpty() ? false : YesNoAnswers.takeFirst();
    }
    bool AskText(const QString& title, const QString& prompt, const QString& defaultText, QString& answer) override
    {
        Asked << title + QLatin1String(" | ") + prompt + QLatin1String(" | ") + defaultText;
        if (TextAnswers.isEmpty() || !TextAnswers.first().has_value()) {
            if (!TextAnswers.isEmpty())
                TextAnswers.removeFirst();
            return false;
        }
        answer = *TextAnswers.takeFirst();
        return true;
    }
    void Beep() override { ++Beeps; }

    QStringList Shown;
    QStringList Asked;
    QStringList ViewerTitles; // the text viewer's windows, in order
    QList<QStringList> ViewerLines;
    QList<bool> YesNoAnswers;
    QList<std::optional<QString>> TextAnswers; // nullopt: cancelled
    int Beeps = 0;
};
