#pragma once

#include "report/PrinterDevice.h"

#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <memory>

// The printer through Qt and CUPS. A computer without a printer prints into
// a PDF file whose path the caller gives, so that printing still leaves a
// page somewhere.
class QtPrinterDevice : public PrinterDevice {
public:
    enum class Destination {
        SystemPrinter, // the named printer, else the default one, else a PDF
        PdfFile, // a PDF whatever printers the system has (tests, benchmarks)
        // A printer whose sheets land in the PDF file named by
        // SetPdfFileName: what follows a sheet sent to a printer (the notice
        // to wait for it) can be seen without one (tests).
        PdfFileAsPrinter,
    };
    // Pages printed into a PDF (no printer) have the resolution of the
    // scanned worksheets: enough for the page, small enough to mail.
    static constexpr int PdfResolution = 300;

    // An empty name, or the name of a printer that no longer exists, selects
    // the system's default printer; without one the device writes a PDF.
    explicit QtPrinterDevice(
        const QString& printerName = QString(), Destination destination = Destination::SystemPrinter);
    ~QtPrinterDevice() override;

    QString Name() const override;
    bool IsPrinting() const override;
    // Qt knows a printer's resolution without a job.
    bool ResolutionNeedsJob() const override { return false; }
    // Refused in PDF mode until a file is named; ErrorText() tells why.
    bool BeginJob() override;
    void AbortJob() override;
    int FontResolution() const override;

    QPrinter& Printer() { return m_printer; }
    // The painter of the running job, or nullptr.
    QPainter* JobPainter() { return m_painter.get(); }
    // Ends a job normally: the page goes to the printer, or the PDF is
    // saved (through the safe-save helper) at its path. On failure the
    // French sentence is in ErrorText().
    bool EndJob();

    // True when there is no printer and jobs become PDF files.
    bool PrintsToPdf() const { return m_printsToPdf; }
    // True when jobs are written into the PDF file named below, with a
    // printer or without.
    bool WritesPdfFile() const { return m_writesPdfFile; }
    void SetPdfFileName(const QString& fileName) { m_pdfFileName = fileName; }
    QString PdfFileName() const { return m_pdfFileName; }
    // What the last failed BeginJob or EndJob met, in French.
    QString ErrorText() const { return m_errorText; }

    // The name of the default printer, empty when the system has none.
    static QString DefaultPrinterName();

private:
    void UsePdfOutput(bool asPrinter = false);
    bool BeginPdfJob();
    bool SavePdf();

    QPrinter m_printer;
    std::unique_ptr<QPainter> m_painter;
    bool m_printsToPdf = false;
    bool m_writesPdfFile = false;
    QString m_pdfFileName;
    // The job is drawn here first: the file at m_pdfFileName only ever
    // holds a whole document.
    std::unique_ptr<QTemporaryDir> m_pdfJobFolder;
    QString m_errorText;
};
