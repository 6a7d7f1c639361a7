#pragma once

#include <QObject>

class QSocketNotifier;

// Tells the program that the session ends: a logout or shutdown asks the
// application to commit its data (the session manager), or the system sends
// SIGTERM (systemd, a shutdown from the console). The signal handler only
// writes a byte into a pipe; the notification comes later, on the user
// interface thread, where saving is safe.
//
// One watcher at a time owns the SIGTERM handler; it gives the previous one
// back when destroyed.
class SessionEndWatcher : public QObject {
    Q_OBJECT
public:
    explicit SessionEndWatcher(QObject* parent = nullptr);
    ~SessionEndWatcher() override;

    // False when the pipe or the handler could not be set up (the program
    // then ends on SIGTERM without saving, as before).
    bool IsWatchingSignals() const { return m_notifier != nullptr; }

signals:
    // Emitted once per ending: save everything, then quit.
    void SessionEnding();

private:
    void SignalArrived();
    void CommitDataRequested();

    QSocketNotifier* m_notifier = nullptr;
    bool m_told = false;
};
