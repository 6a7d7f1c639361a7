#pragma once

#include <QCursor>
#include <QGuiApplication>

// A cursor shown over every window of the program for as long as the guard
// lives: the hourglass of a long task, the arrow of a question asked during
// one. Guards nest; each restores what was shown before it, also when its
// task returns early.
class OverrideCursor {
public:
    explicit OverrideCursor(Qt::CursorShape shape)
        : m_active(qGuiApp != nullptr)
    {
        if (m_active)
            QGuiApplication::setOverrideCursor(QCursor(shape));
    }
    ~OverrideCursor() { Restore(); }
    OverrideCursor(const OverrideCursor&) = delete;
    OverrideCursor& operator=(const OverrideCursor&) = delete;

    // Gives the previous cursor back before the guard goes.
    void Restore()
    {
        if (m_active)
            QGuiApplication::restoreOverrideCursor();
        m_active = false;
    }

private:
    bool m_active;
};
