#include "TextMemoWindow.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {
const QChar kLineMark(0x00B6);
}

TextMemoWindow::TextMemoWindow(const QString& text, QWidget* parent)
    : QDialog(parent)
    , m_accepted(text)
{
    setObjectName(QStringLiteral("TextMemoPnl"));
    setWindowTitle(Title);
    setAccessibleName(Title);
    setAccessibleDescription(QStringLiteral("Le texte de l'élément, une ligne par retour à la ligne"));
    auto* layout = new QVBoxLayout(this);
    auto* hints = new QHBoxLayout;
    hints->addWidget(new QLabel(QStringLiteral("<F3> : Police"), this));
    hints->addStretch();
    hints->addWidget(new QLabel(QStringLiteral("<Escape> : Sortir"), this));
    layout->addLayout(hints);
    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("TextMemo"));
    m_memo->setAccessibleName(QStringLiteral("Texte de l'élément"));
    m_memo->setPlainText(text.split(kLineMark).join(QLatin1Char('\n')));
    m_memo->moveCursor(QTextCursor::End);
    m_memo->installEventFilter(this);
    layout->addWidget(m_memo);
    resize(400, 200);
    connect(m_memo, &QPlainTextEdit::textChanged, this, &TextMemoWindow::Changed);
}

QString TextMemoWindow::Text() const
{
    return m_memo->toPlainText().split(QLatin1Char('\n')).join(kLineMark);
}

void TextMemoWindow::Changed()
{
    if (m_restoring)
        return;
    const QString text = Text();
    if (!TextChanged || TextChanged(text)) {
        m_accepted = text;
        return;
    }
    m_restoring = true;
    m_memo->setPlainText(m_accepted.split(kLineMark).join(QLatin1Char('\n')));
    m_memo->moveCursor(QTextCursor::End);
    m_restoring = false;
}

bool TextMemoWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_memo && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F3) {
            if (FontWanted)
                FontWanted();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
