#pragma once

#include <QDateTime>
#include <QString>

// Marks a pupil's work on a worksheet as open, so that a second PC (or a
// second window) opening the same work is told instead of both saving over
// each other. The lock is a small file beside the work file, created
// atomically, naming the host, the user of the session, the process and when
// it was taken.
//
// The machine is known by its machine id (/etc/machine-id) and the boot by
// the kernel's boot id, beside the host name: PCs cloned with one host name
// are told apart, and a reboot is seen even when a process number is reused.
//
// A lock left by a crash is taken over: on the same machine when it dates
// from an earlier boot, or when its process is gone (a process of that number
// started at another time is another process); from another machine when it
// has not been refreshed for StaleHours (every save refreshes it).
class WorkLock {
public:
    static constexpr int StaleHours = 12;

    struct Holder {
        QString host;
        QString account;
        qint64 process = 0;
        QDateTime since;
        QString machine; // empty in locks of older versions
        QString boot;
        qint64 started = -1; // process start, in clock ticks after boot; -1 unknown
    };

    // This machine's id and the current boot's id (empty when the system
    // does not tell).
    static QString MachineId();
    static QString BootId();
    // When a process started (clock ticks after boot), -1 when it does not run
    // or cannot be read.
    static qint64 ProcessStartTime(qint64 process);

    WorkLock();
    ~WorkLock();
    WorkLock(const WorkLock&) = delete;
    WorkLock& operator=(const WorkLock&) = delete;

    // True when the lock is ours (taken now or already held by this object);
    // otherwise *holder says who has it.
    bool Acquire(const QString& lockPath, Holder* holder = nullptr);
    void Release();
    // Marks the lock as alive (its modification time).
    void Refresh();
    bool IsHeld() const { return !m_path.isEmpty(); }
    QString Path() const { return m_path; }

    // The French sentence telling who holds a pupil's work.
    static QString HeldMessage(
        const QString& user, const QString& document, const Holder& holder, const QString& lockPath);

private:
    bool TryCreate(const QString& lockPath);
    bool IsStale(const QString& lockPath, const Holder& holder) const;
    static bool ReadHolder(const QString& lockPath, Holder& holder, QString& token);

    QString m_token; // tells this object's lock from any other, even in the same process
    QString m_path;
};
