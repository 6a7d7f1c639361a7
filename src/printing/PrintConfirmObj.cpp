#include "printing/PrintConfirmObj.h"

#include "platform/KeyTranslator.h"
#include "platform/WindowsKeys.h"

#include <QDialog>
#include <QKeyEvent>

PrintConfirmObj::PrintConfirmObj(QDialog& window)
    : QObject(&window)
    , m_window(window)
{
    window.installEventFilter(this);
    for (QWidget* child : window.findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool PrintConfirmObj::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const int code = KeyTranslator::KeyCode(*static_cast<QKeyEvent*>(event));
    if (code == WindowsKeys::Return) {
        m_window.accept();
        return true;
    }
    if (code == WindowsKeys::Escape) {
        m_window.reject();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
