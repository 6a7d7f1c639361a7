#include "KeyPanel.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

KeyPanel::KeyPanel(const QString& caption, const QString& accessibleName, const QString& description, QWidget* parent)
    : QFrame(parent)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(2);
    setAutoFillBackground(true);
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(accessibleName);
    setAccessibleDescription(description);
    setMinimumSize(64, 40);

    m_caption = new QLabel(caption, this);
    // "<S>" is a key, not a tag.
    m_caption->setTextFormat(Qt::PlainText);
    m_caption->setAlignment(Qt::AlignCenter);
    QFont font = m_caption->font();
    font.setBold(true);
    font.setPointSize(12);
    m_caption->setFont(font);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(m_caption);
}

QString KeyPanel::Caption() const
{
    return m_caption->text();
}

void KeyPanel::SetCaption(const QString& caption)
{
    m_caption->setText(caption);
}

void KeyPanel::Click()
{
    if (isEnabled())
        emit clicked();
}

void KeyPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QFrame::mousePressEvent(event);
    m_pressed = true;
    setFrameShadow(QFrame::Sunken);
}

void KeyPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_pressed)
        return QFrame::mouseReleaseEvent(event);
    m_pressed = false;
    setFrameShadow(QFrame::Raised);
    // Released outside the panel: no click, as with a button.
    if (rect().contains(event->position().toPoint()))
        Click();
}

void KeyPanel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        m_caption->setEnabled(isEnabled());
    QFrame::changeEvent(event);
}
