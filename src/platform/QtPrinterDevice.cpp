#include "QtPrinterDevice.h"

#include "documents/MessageText.h"
#include "params/FileBytes.h"
#include "params/SafeSave.h"

#include <QFile>
#include <QPageSize>
#include <QPrinterInfo>

QtPrinterDevice::QtPrinterDevice(const QString& printerName, Destination destination)
    : m_printer(QPrinter::HighResolution)
{
    if (destination != Destination::SystemPrinter) {
        UsePdfOutput(destination == Destination::PdfFileAsPrinter);
        return;
    }
    if (!printerName.isEmpty())
        m_printer.setPrinterName(printerName);
    if (printerName.isEmpty() || !m_printer.isValid()) {
        const QString fallback = DefaultPrinterName();
        if (!fallback.isEmpty())
            m_printer.setPrinterName(fallback);
    }
    if (m_printer.printerName().isEmpty() || !m_printer.isValid())
        UsePdfOutput();
}

void QtPrinterDevice::UsePdfOutput(bool asPrinter)
{
    m_printsToPdf = !asPrinter;
    m_writesPdfFile = true;
    m_printer.setOutputFormat(QPrinter::PdfFormat);
    // The worksheets are A4 pages, whatever the locale's paper.
    m_printer.setPageSize(QPageSize(QPageSize::A4));
    m_printer.setResolution(PdfResolution);
}

QtPrinterDevice::~QtPrinterDevice()
{
    // A job is never left begun.
    if (IsPrinting())
        AbortJob();
}

QString QtPrinterDevice::Name() const
{
    return m_printer.printerName();
}

bool QtPrinterDevice::IsPrinting() const
{
    return m_painter && m_painter->isActive();
}

bool QtPrinterDevice::BeginJob()
{
    if (IsPrinting())
        return true;
    m_errorText.clear();
    if (m_writesPdfFile && !BeginPdfJob())
        return false;
    m_painter = std::make_unique<QPainter>();
    if (m_painter->begin(&m_printer))
        return true;
    m_painter.reset();
    m_pdfJobFolder.reset();
    m_errorText = m_writesPdfFile
        ? QStringLiteral("Le fichier PDF %1 ne peut être créé.").arg(MessageText::Quoted(m_pdfFileName))
        : QStringLiteral("L'impression ne peut commencer sur l'imprimante %1.")
              .arg(MessageText::Quoted(m_printer.printerName()));
    return false;
}

bool QtPrinterDevice::BeginPdfJob()
{
    if (m_pdfFileName.isEmpty()) {
        m_errorText = QStringLiteral("Aucune imprimante n'est installée et aucun fichier PDF n'a été choisi.");
        return false;
    }
    m_pdfJobFolder = std::make_unique<QTemporaryDir>();
    if (!m_pdfJobFolder->isValid()) {
        m_errorText = QStringLiteral("Le dossier temporaire de l'impression ne peut être créé : %1")
                          .arg(m_pdfJobFolder->errorString());
        m_pdfJobFolder.reset();
        return false;
    }
    m_printer.setOutputFileName(m_pdfJobFolder->filePath(QStringLiteral("page.pdf")));
    return true;
}

void QtPrinterDevice::AbortJob()
{
    if (!m_painter)
        return;
    m_printer.abort();
    if (m_painter->isActive())
        m_painter->end();
    m_painter.reset();
    m_pdfJobFolder.reset();
}

bool QtPrinterDevice::EndJob()
{
    if (!m_painter)
        return false;
    m_errorText.clear();
    bool ended = m_painter->end();
    m_painter.reset();
    if (m_writesPdfFile)
        ended = ended && SavePdf();
    else if (!ended)
        m_errorText = QStringLiteral("L'impression sur l'imprimante %1 n'a pu se terminer.")
                          .arg(MessageText::Quoted(m_printer.printerName()));
    m_pdfJobFolder.reset();
    return ended;
}

bool QtPrinterDevice::SavePdf()
{
    QByteArray bytes;
    QString error;
    if (!FileBytes::Read(m_printer.outputFileName(), bytes, &error) || bytes.isEmpty()) {
        m_errorText = QStringLiteral("Le fichier PDF %1 n'a pu être écrit.").arg(MessageText::Quoted(m_pdfFileName));
        return false;
    }
    if (!SafeSave::WriteFile(m_pdfFileName, bytes, &error)) {
        m_errorText = error;
        return false;
    }
    return true;
}

int QtPrinterDevice::FontResolution() const
{
    return m_printer.resolution();
}

QString QtPrinterDevice::DefaultPrinterName()
{
    return QPrinterInfo::defaultPrinterName();
}
