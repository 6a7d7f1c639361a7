#pragma once

#include <QtGlobal>

// Where timer rules read the time. QTimer schedules the ticks; the clock
// decides what a tick does, so tests advance a fake clock instead of sleeping.
class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds from an arbitrary origin; never goes back.
    virtual qint64 NowMs() const = 0;
};
