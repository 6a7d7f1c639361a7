#pragma once

#include "platform/Clock.h"

#include <QElapsedTimer>

// The program's clock: the system's monotonic clock.
class SteadyClock : public Clock {
public:
    SteadyClock();
    qint64 NowMs() const override;

private:
    QElapsedTimer m_timer;
};
