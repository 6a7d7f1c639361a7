#include "TextViewerDialog.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TextViewerDialog::TextViewerDialog(const QString& title, const QStringList& lines, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    setModal(true);
    setAccessibleName(title);
    setAccessibleDescription(QStringLiteral("Fenêtre de messages à lire, à fermer par le bouton Fermer"));

    m_text = new QPlainTextEdit(this);
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setAccessibleName(QStringLiteral("Messages"));
    m_text->setAccessibleDescription(QStringLiteral("Les messages, une ligne chacun, en lecture seule"));
    // Windows line ends inside a message become line breaks.
    QStringList shown;
    for (const QString& line : lines)
        shown << QString(line).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_text->setPlainText(shown.join(QLatin1Char('\n')));

    m_close = new QPushButton(QStringLiteral("Fermer"), this);
    m_close->setDefault(true);
    m_close->setAccessibleName(QStringLiteral("Fermer"));
    m_close->setAccessibleDescription(QStringLiteral("Ferme la fenêtre des messages"));
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addLayout(buttons);
    resize(640, 400);
    m_close->setFocus();
}

void TextViewerDialog::Show(QWidget* parent, const QString& title, const QStringList& lines)
{
    TextViewerDialog dialog(title, lines, parent);
    dialog.exec();
}
