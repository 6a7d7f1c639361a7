#include "SaneSession.h"

#include "SaneImageBuilder.h"
#include "SaneLibrary.h"
#include "SaneOptions.h"

#include <QByteArray>

namespace {

// Bytes asked of the device per read.
constexpr SANE_Int ReadSize = 64 * 1024;

} // namespace

SaneSession::SaneSession(const SaneLibrary& library)
    : m_library(library)
{ }

QString SaneSession::StatusText(SANE_Status status)
{
    switch (status) {
    case SANE_STATUS_UNSUPPORTED:
        return QStringLiteral("opération non prise en charge par le scanner");
    case SANE_STATUS_INVAL:
        return QStringLiteral("réglage refusé par le scanner");
    case SANE_STATUS_JAMMED:
        return QStringLiteral("le papier est coincé dans le scanner");
    case SANE_STATUS_NO_DOCS:
        return QStringLiteral("il n'y a pas de document dans le chargeur");
    case SANE_STATUS_COVER_OPEN:
        return QStringLiteral("le capot du scanner est ouvert");
    case SANE_STATUS_DEVICE_BUSY:
        return QStringLiteral("le scanner est occupé");
    case SANE_STATUS_IO_ERROR:
        return QStringLiteral("erreur de communication avec le scanner");
    case SANE_STATUS_NO_MEM:
        return QStringLiteral("mémoire insuffisante");
    case SANE_STATUS_ACCESS_DENIED:
        return QStringLiteral("accès au scanner refusé");
    default:
        return QStringLiteral("erreur du scanner (code %1)").arg(int(status));
    }
}

bool SaneSession::Initialise(QString* error)
{
    if (m_initialised)
        return true;
    Q_ASSERT(m_library.IsLoaded());
    if (!m_library.IsLoaded()) {
        *error = SaneLibrary::MissingMessage();
        return false;
    }
    SANE_Int version = 0;
    const SANE_Status status = m_library.init(&version, nullptr);
    if (status != SANE_STATUS_GOOD) {
        *error = QStringLiteral("La librairie SANE ne peut être initialisée : %1.").arg(StatusText(status));
        return false;
    }
    m_initialised = true;
    return true;
}

void SaneSession::Shutdown()
{
    if (m_initialised)
        m_library.exit();
    m_initialised = false;
}

void SaneSession::ListDevices()
{
    QString error;
    QList<ScannerDevice> devices;
    const SANE_Device** list = nullptr;
    if (Initialise(&error)) {
        // Network scanners too: a school's scanner is often shared.
        const SANE_Status status = m_library.getDevices(&list, SANE_FALSE);
        if (status != SANE_STATUS_GOOD)
            error = QStringLiteral("La liste des scanners ne peut être lue : %1.").arg(StatusText(status));
    }
    for (; error.isEmpty() && list && *list; ++list) {
        const SANE_Device* device = *list;
        devices.append({QString::fromUtf8(device->name), QString::fromUtf8(device->vendor),
            QString::fromUtf8(device->model), QString::fromUtf8(device->type)});
    }
    emit DevicesListed(devices, error);
}

void SaneSession::Cancel()
{
    m_cancelled = true;
    const std::lock_guard<std::mutex> lock(m_handleMutex);
    if (m_handle)
        m_library.cancel(m_handle);
}

void SaneSession::Acquire(const QString& deviceName)
{
    emit Finished(Scan(deviceName));
}

ScanResult SaneSession::Scan(const QString& deviceName)
{
    QString error;
    if (!Initialise(&error))
        return ScanResult::Failure(error);
    if (m_cancelled)
        return ScanResult::Cancelled();
    SANE_Handle handle = nullptr;
    const SANE_Status status = m_library.open(deviceName.toUtf8().constData(), &handle);
    if (status != SANE_STATUS_GOOD || !handle)
        return ScanResult::Failure(
            QStringLiteral("Le scanner \"%1\" ne peut être ouvert : %2.").arg(deviceName, StatusText(status)));
    {
        const std::lock_guard<std::mutex> lock(m_handleMutex);
        m_handle = handle;
    }
    SaneOptions options(m_library, handle);
    options.SelectColour(); // a device that refuses colour still gives its page
    const ScanResult result = m_cancelled
        ? ScanResult::Cancelled()
        : ReadPage(handle, options.HorizontalResolution(), options.VerticalResolution());
    Close(handle);
    return result;
}

void SaneSession::Close(SANE_Handle handle)
{
    m_library.cancel(handle); // ends the scan, whatever state it is in
    {
        const std::lock_guard<std::mutex> lock(m_handleMutex);
        m_handle = nullptr;
    }
    m_library.close(handle);
}

ScanResult SaneSession::ReadPage(SANE_Handle handle, int horizontal, int vertical)
{
    SaneImageBuilder builder;
    SANE_Parameters parameters {};
    do {
        const SANE_Status status = m_library.start(handle);
        if (status == SANE_STATUS_CANCELLED || m_cancelled)
            return ScanResult::Cancelled();
        if (status != SANE_STATUS_GOOD)
            return ScanResult::Failure(
                QStringLiteral("La numérisation ne peut commencer : %1.").arg(StatusText(status)));
        if (m_library.getParameters(handle, &parameters) != SANE_STATUS_GOOD)
            return ScanResult::Failure(QStringLiteral("Le scanner ne donne pas le format de l'image."));
        QString error;
        if (!builder.BeginFrame(parameters, &error))
            return ScanResult::Failure(error);
        if (const std::optional<ScanResult> stop = ReadFrame(handle, builder))
            return *stop;
    } while (!parameters.last_frame);
    return ScanResult::Page(builder.Image(), horizontal, vertical);
}

// A frame's bytes until its end: nothing when the frame is whole, else why
// the page stops there.
std::optional<ScanResult> SaneSession::ReadFrame(SANE_Handle handle, SaneImageBuilder& builder)
{
    QByteArray buffer(ReadSize, Qt::Uninitialized);
    QString error;
    for (;;) {
        SANE_Int length = 0;
        const SANE_Status status
            = m_library.read(handle, reinterpret_cast<SANE_Byte*>(buffer.data()), ReadSize, &length);
        if (status == SANE_STATUS_CANCELLED || m_cancelled)
            return ScanResult::Cancelled();
        if (status == SANE_STATUS_EOF)
            break;
        if (status != SANE_STATUS_GOOD)
            return ScanResult::Failure(
                QStringLiteral("La numérisation s'est interrompue : %1.").arg(StatusText(status)));
        if (!builder.Append(buffer.constData(), length, &error))
            return ScanResult::Failure(error);
    }
    if (!builder.EndFrame(&error))
        return ScanResult::Failure(error);
    return std::nullopt;
}
