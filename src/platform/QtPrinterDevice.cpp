#include "QtPrinterDevice.h"

#include <QPrinterInfo>

QtPrinterDevice::QtPrinterDevice(const QString& printerName)
    : m_printer(QPrinter::HighResolution)
{
    const QString name = printerName.isEmpty() ? DefaultPrinterName() : printerName;
    if (!name.isEmpty())
        m_printer.setPrinterName(name);
    if (name.isEmpty() || !m_printer.isValid())
        m_printer.setOutputFormat(QPrinter::PdfFormat);
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
    m_painter = std::make_unique<QPainter>();
    if (m_painter->begin(&m_printer))
        return true;
    m_painter.reset();
    return false;
}

void QtPrinterDevice::AbortJob()
{
    if (!m_painter)
        return;
    m_printer.abort();
    if (m_painter->isActive())
        m_painter->end();
    m_painter.reset();
}

bool QtPrinterDevice::EndJob()
{
    if (!m_painter)
        return false;
    const bool ended = m_painter->end();
    m_painter.reset();
    return ended;
}

int QtPrinterDevice::FontResolution() const
{
    return m_printer.resolution();
}

QString QtPrinterDevice::DefaultPrinterName()
{
    return QPrinterInfo::defaultPrinterName();
}
