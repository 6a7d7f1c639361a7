#pragma once

#include "ScanResult.h"

#include <QList>
#include <QObject>
#include <QString>

// A scanner the user can pick.
struct ScannerDevice {
    QString name; // what Acquire takes
    QString vendor;
    QString model;
    QString type;

    // "Vendor Model (type)", or the name when the device tells nothing else.
    QString Label() const;
};

Q_DECLARE_METATYPE(ScannerDevice)

// What the selection screen needs of a scanner library: is it there, which
// scanners does it see, one colour page from the chosen one. Listing and
// acquiring answer later through signals, so the window never freezes while
// a scanner warms up or a network is searched. Tests use a scripted one.
class Scanner : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // False when scanning cannot work on this computer, with the French
    // message to show.
    virtual bool IsAvailable(QString* message = nullptr) = 0;
    // Answered by DevicesListed; false (and no answer) while busy.
    virtual bool ListDevices() = 0;
    // Answered by Finished; false (and no answer) while busy.
    virtual bool Acquire(const QString& deviceName) = 0;
    // Stops the running acquisition as soon as the device allows; it then
    // finishes as cancelled.
    virtual void Cancel() = 0;
    virtual bool IsBusy() const = 0;

signals:
    void DevicesListed(const QList<ScannerDevice>& devices, const QString& error);
    void Finished(const ScanResult& result);
};
