#pragma once

#include <QObject>
#include <QPoint>
#include <QTimer>

class Clock;
class QAbstractScrollArea;

// Scrolls a view while a drag rests near its top or bottom edge: within
// EdgePixels of an edge, one line towards that edge every PeriodMs. The
// timer only schedules the ticks; the clock decides when a line is due, so
// a test moves a fake clock and calls Tick().
class DragScroller : public QObject {
    Q_OBJECT

public:
    static constexpr int EdgePixels = 5;
    static constexpr int PeriodMs = 200;

    DragScroller(QAbstractScrollArea& view, const Clock& clock, QObject* parent = nullptr);

    // The pointer of the drag, in the view's viewport.
    void PointerAt(QPoint position);
    // The drag left the view, dropped or was given up.
    void Stop();
    bool IsRunning() const { return m_timer.isActive(); }
    // -1 up, 1 down, 0 away from the edges.
    int Direction() const { return m_direction; }

    void Tick();

private:
    QAbstractScrollArea& m_view;
    const Clock& m_clock;
    QTimer m_timer;
    int m_direction = 0;
    qint64 m_lastStep = 0;
};
