#pragma once

#include "SaneLibrary.h"
#include "Scanner.h"

#include <QThread>

class SaneSession;

// Scanning through SANE. The library is loaded at the first question, and
// every SANE call runs on a worker thread of this object's own; answers
// come back as signals on the window's thread.
class SaneScanner : public Scanner {
    Q_OBJECT

public:
    // The library's name and major version (tests name a missing one).
    explicit SaneScanner(
        QObject* parent = nullptr, const QString& libraryName = QStringLiteral("sane"), int libraryVersion = 1);
    // Stops a running acquisition and waits for the worker to end.
    ~SaneScanner() override;

    bool IsAvailable(QString* message = nullptr) override;
    bool ListDevices() override;
    bool Acquire(const QString& deviceName) override;
    void Cancel() override;
    bool IsBusy() const override { return m_busy; }

private:
    void OnDevicesListed(const QList<ScannerDevice>& devices, const QString& error);
    void OnFinished(const ScanResult& result);
    bool StartSession();

    SaneLibrary m_library;
    QThread m_thread;
    SaneSession* m_session = nullptr; // lives on m_thread, deleted after it ends
    bool m_busy = false;
};
