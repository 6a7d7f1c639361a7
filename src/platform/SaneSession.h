#pragma once

#include "ScanResult.h"
#include "Scanner.h"

#include <QObject>
#include <atomic>
#include <mutex>
#include <optional>
#include <sane/sane.h>

class SaneImageBuilder;
class SaneLibrary;

// The SANE calls, all made on one worker thread (SaneScanner owns it):
// listing devices and reading a page can take seconds, and the window must
// stay alive meanwhile. Only Cancel is called from the window's thread, as
// SANE allows at any time.
class SaneSession : public QObject {
    Q_OBJECT

public:
    explicit SaneSession(const SaneLibrary& library);

    // Any thread: before queueing an acquisition (a Cancel arriving before it
    // starts must still count) and to stop one.
    void ClearCancel() { m_cancelled = false; }
    void Cancel();

    // Worker thread.
    void ListDevices();
    void Acquire(const QString& deviceName);
    // Ends the use of the library (sane_exit); the session can start again.
    void Shutdown();

signals:
    void DevicesListed(const QList<ScannerDevice>& devices, const QString& error);
    void Finished(const ScanResult& result);

private:
    bool Initialise(QString* error);
    ScanResult Scan(const QString& deviceName);
    ScanResult ReadPage(SANE_Handle handle, int horizontal, int vertical);
    std::optional<ScanResult> ReadFrame(SANE_Handle handle, SaneImageBuilder& builder);
    void Close(SANE_Handle handle);
    static QString StatusText(SANE_Status status);

    const SaneLibrary& m_library;
    bool m_initialised = false;
    std::mutex m_handleMutex; // guards m_handle against Cancel from the window's thread
    SANE_Handle m_handle = nullptr;
    std::atomic_bool m_cancelled = false;
};
