#pragma once

#include "report/PrinterDevice.h"

#include <QPainter>
#include <QPrinter>
#include <memory>

// The printer through Qt and CUPS. With no printer installed it stands for
// a PDF file, so that printing still leaves a page somewhere.
class QtPrinterDevice : public PrinterDevice {
public:
    // An empty name selects the system's default printer.
    explicit QtPrinterDevice(const QString& printerName = QString());
    ~QtPrinterDevice() override;

    QString Name() const override;
    bool IsPrinting() const override;
    // Qt knows a printer's resolution without a job.
    bool ResolutionNeedsJob() const override { return false; }
    bool BeginJob() override;
    void AbortJob() override;
    int FontResolution() const override;

    QPrinter& Printer() { return m_printer; }
    // The painter of the running job, or nullptr.
    QPainter* JobPainter() { return m_painter.get(); }
    // Ends a job normally (the page goes to the printer).
    bool EndJob();

    // The name of the default printer, empty when the system has none.
    static QString DefaultPrinterName();

private:
    QPrinter m_printer;
    std::unique_ptr<QPainter> m_painter;
};
