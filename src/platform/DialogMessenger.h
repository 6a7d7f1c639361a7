#pragma once

#include "documents/Messenger.h"

#include <QPointer>
#include <QWidget>

// The messenger of the program: message boxes, Yes/No questions and input
// boxes with French buttons, the text viewer for long lists, and the system
// beep. Qt's own French texts are loaded with the first messenger.
class DialogMessenger : public Messenger {
public:
    explicit DialogMessenger(QWidget* parent = nullptr);

    void ShowMessage(const QString& text) override;
    void ShowLines(const QString& title, const QStringList& lines) override;
    bool AskYesNo(const QString& question) override;
    bool AskText(const QString& title, const QString& prompt, const QString& defaultText, QString& answer) override;
    void Beep() override;

    void SetParent(QWidget* parent) { m_parent = parent; }

private:
    QPointer<QWidget> m_parent;
};
