#include "DragScroller.h"

#include "platform/Clock.h"

#include <QAbstractScrollArea>
#include <QScrollBar>

DragScroller::DragScroller(QAbstractScrollArea& view, const Clock& clock, QObject* parent)
    : QObject(parent)
    , m_view(view)
    , m_clock(clock)
{
    m_timer.setInterval(PeriodMs);
    connect(&m_timer, &QTimer::timeout, this, &DragScroller::Tick);
}

void DragScroller::PointerAt(QPoint position)
{
    const int height = m_view.viewport()->height();
    const int direction = position.y() < EdgePixels ? -1 : position.y() >= height - EdgePixels ? 1 : 0;
    if (direction == 0) {
        Stop();
        return;
    }
    if (direction != m_direction) {
        // The first line comes one period after the pointer reached the edge.
        m_direction = direction;
        m_lastStep = m_clock.NowMs();
    }
    if (!m_timer.isActive())
        m_timer.start();
}

void DragScroller::Stop()
{
    m_timer.stop();
    m_direction = 0;
}

void DragScroller::Tick()
{
    if (m_direction == 0)
        return;
    const qint64 now = m_clock.NowMs();
    if (now - m_lastStep < PeriodMs)
        return;
    m_lastStep = now;
    m_view.verticalScrollBar()->triggerAction(
        m_direction < 0 ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd);
}
