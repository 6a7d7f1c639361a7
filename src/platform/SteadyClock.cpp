#include "platform/SteadyClock.h"

SteadyClock::SteadyClock()
{
    m_timer.start();
}

qint64 SteadyClock::NowMs() const
{
    return m_timer.elapsed();
}
