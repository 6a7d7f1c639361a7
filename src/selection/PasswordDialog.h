#pragma once

#include "SelectionDialogs.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

// The small password window of the settings: a masked field (each character
// shown as "*"), and on the question that opens the settings the box
// "Ne plus afficher".
class PasswordDialog : public QDialog {
    Q_OBJECT

public:
    PasswordDialog(const QString& title, bool withDoNotShowAgain, QWidget* parent = nullptr);

    QLineEdit* Field() const { return m_field; }
    QCheckBox* DoNotShowAgain() const { return m_doNotShowAgain; }
    PasswordAnswer Answer() const;

    static PasswordAnswer Ask(const QString& title, bool withDoNotShowAgain, QWidget* parent);

private:
    QLineEdit* m_field = nullptr;
    QCheckBox* m_doNotShowAgain = nullptr;
};
