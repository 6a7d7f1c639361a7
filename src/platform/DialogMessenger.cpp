#include "platform/DialogMessenger.h"

#include "FrenchTranslations.h"
#include "TextViewerDialog.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

const QString Caption = QStringLiteral("Ardoisine");

} // namespace

DialogMessenger::DialogMessenger(QWidget* parent)
    : m_parent(parent)
{
    FrenchTranslations::Install();
}

void DialogMessenger::ShowMessage(const QString& text)
{
    QMessageBox box(QMessageBox::Information, Caption, text, QMessageBox::NoButton, m_parent);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

void DialogMessenger::ShowLines(const QString& title, const QStringList& lines)
{
    TextViewerDialog::Show(m_parent, title, lines);
}

bool DialogMessenger::AskYesNo(const QString& question)
{
    QMessageBox box(QMessageBox::Question, Caption, question, QMessageBox::NoButton, m_parent);
    QPushButton* yes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

bool DialogMessenger::AskText(const QString& title, const QString& prompt, const QString& defaultText, QString& answer)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Annuler"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    answer = dialog.textValue();
    return true;
}

void DialogMessenger::Beep()
{
    QApplication::beep();
}
