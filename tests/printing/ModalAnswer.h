#pragma once

#include "Screenshots.h"
#include "printing/TPrDialogFrm.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <functional>

// Answers the next printing window a test opens: once it shows modally,
// `answer` gets it (keys, clicks, a screenshot) and must close it.
inline void WhenPrintWindowShows(std::function<void(TPrDialogFrm&)> answer)
{
    QTimer::singleShot(0, [answer] {
        auto* window = qobject_cast<TPrDialogFrm*>(QApplication::activeModalWidget());
        if (!window) {
            // Nothing to answer: whatever modal window is there goes away,
            // and the test's own checks fail.
            if (QWidget* other = QApplication::activeModalWidget())
                other->close();
            return;
        }
        answer(*window);
        if (window->isVisible())
            window->reject(); // an answer that forgot to close it
    });
}

inline QString ScreenshotPath(const QString& name)
{
    return Screenshots::PathOf(name);
}
