#include "PasswordDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PasswordDialog::PasswordDialog(const QString& title, bool withDoNotShowAgain, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    setAccessibleName(title);
    setAccessibleDescription(QStringLiteral("Saisie du mot de passe des réglages"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* prompt = new QLabel(title + QStringLiteral(" :"), this);
    m_field = new QLineEdit(this);
    m_field->setEchoMode(QLineEdit::Password);
    // Every typed character shows as a star, whatever the style's mark.
    m_field->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    m_field->setAccessibleName(title);
    m_field->setAccessibleDescription(QStringLiteral("Mot de passe, caractères masqués"));
    prompt->setBuddy(m_field);

    m_doNotShowAgain = new QCheckBox(QStringLiteral("Ne plus afficher"), this);
    m_doNotShowAgain->setAccessibleName(QStringLiteral("Ne plus afficher"));
    m_doNotShowAgain->setAccessibleDescription(
        QStringLiteral("Ne plus demander le mot de passe jusqu'à la fin du programme"));
    m_doNotShowAgain->setVisible(withDoNotShowAgain);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    buttons->button(QDialogButtonBox::Ok)->setAccessibleName(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setAccessibleDescription(QStringLiteral("Valider le mot de passe"));
    buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(QStringLiteral("Annuler"));
    buttons->button(QDialogButtonBox::Cancel)->setAccessibleDescription(QStringLiteral("Abandonner"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_field);
    layout->addWidget(m_doNotShowAgain);
    layout->addWidget(buttons);
    setMinimumWidth(300);
    m_field->setFocus();
}

PasswordAnswer PasswordDialog::Answer() const
{
    PasswordAnswer answer;
    answer.accepted = result() == Accepted;
    answer.text = m_field->text();
    answer.doNotShowAgain = !m_doNotShowAgain->isHidden() && m_doNotShowAgain->isChecked();
    return answer;
}

PasswordAnswer PasswordDialog::Ask(const QString& title, bool withDoNotShowAgain, QWidget* parent)
{
    PasswordDialog dialog(title, withDoNotShowAgain, parent);
    dialog.exec();
    return dialog.Answer();
}
