#pragma once

#include <QString>

// What the report engine needs of a printer: its canvas resolution and the
// state of its job. The Qt implementation lives with the platform layer;
// tests use a scripted one.
class PrinterDevice {
public:
    virtual ~PrinterDevice() = default;

    virtual QString Name() const = 0;
    virtual bool IsPrinting() const = 0;
    // Some printers only tell their canvas resolution while a job runs.
    virtual bool ResolutionNeedsJob() const = 0;
    virtual bool BeginJob() = 0;
    virtual void AbortJob() = 0;
    // Dots per inch of the printer canvas's fonts.
    virtual int FontResolution() const = 0;
};
