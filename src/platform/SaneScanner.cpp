#include "SaneScanner.h"

#include "SaneSession.h"

SaneScanner::SaneScanner(QObject* parent, const QString& libraryName, int libraryVersion)
    : Scanner(parent)
    , m_library(libraryName, libraryVersion)
{
    qRegisterMetaType<ScanResult>();
    qRegisterMetaType<ScannerDevice>();
    qRegisterMetaType<QList<ScannerDevice>>();
    m_thread.setObjectName(QStringLiteral("SANE"));
}

SaneScanner::~SaneScanner()
{
    if (!m_session)
        return;
    m_session->Cancel();
    // sane_exit runs on the thread that used the library.
    QMetaObject::invokeMethod(
        m_session, [session = m_session] { session->Shutdown(); }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
    delete m_session;
}

bool SaneScanner::IsAvailable(QString* message)
{
    return m_library.Load(message);
}

bool SaneScanner::StartSession()
{
    if (m_busy || !m_library.Load())
        return false;
    if (!m_session) {
        m_session = new SaneSession(m_library);
        m_session->moveToThread(&m_thread);
        connect(m_session, &SaneSession::DevicesListed, this, &SaneScanner::OnDevicesListed);
        connect(m_session, &SaneSession::Finished, this, &SaneScanner::OnFinished);
        m_thread.start();
    }
    m_busy = true;
    return true;
}

bool SaneScanner::ListDevices()
{
    if (!StartSession())
        return false;
    QMetaObject::invokeMethod(
        m_session, [session = m_session] { session->ListDevices(); }, Qt::QueuedConnection);
    return true;
}

bool SaneScanner::Acquire(const QString& deviceName)
{
    if (!StartSession())
        return false;
    m_session->ClearCancel();
    QMetaObject::invokeMethod(
        m_session, [session = m_session, deviceName] { session->Acquire(deviceName); }, Qt::QueuedConnection);
    return true;
}

void SaneScanner::Cancel()
{
    if (m_session && m_busy)
        m_session->Cancel();
}

void SaneScanner::OnDevicesListed(const QList<ScannerDevice>& devices, const QString& error)
{
    m_busy = false;
    emit DevicesListed(devices, error);
}

void SaneScanner::OnFinished(const ScanResult& result)
{
    m_busy = false;
    emit Finished(result);
}
