#include "printing/PrintedPage.h"

#include "report/DeviceScales.h"
#include "report/ReportDrawing.h"

#include <QPainter>
#include <algorithm>

int PrintedPage::DivisorFor(QSize pagePixels, int divisor, qint64 maxPixels)
{
    if (pagePixels.isEmpty())
        return 0;
    for (int d = std::max(divisor, 1); d <= MaxDivisor; ++d) {
        const qint64 width = pagePixels.width() / d, height = pagePixels.height() / d;
        if (width > 0 && height > 0 && width * height <= maxPixels)
            return d;
    }
    return 0;
}

bool PrintedPage::Allocate(QSize pagePixels, int divisor, qint64 maxPixels)
{
    m_bitmap = QImage();
    for (int d = DivisorFor(pagePixels, divisor, maxPixels); d > 0 && d <= MaxDivisor; ++d) {
        const int width = pagePixels.width() / d, height = pagePixels.height() / d;
        if (width <= 0 || height <= 0)
            break;
        // A null image: the memory was not there; a coarser bitmap may be.
        QImage bitmap(width, height, QImage::Format_RGB32);
        if (bitmap.isNull())
            continue;
        bitmap.fill(Qt::white);
        m_bitmap = std::move(bitmap);
        m_divisor = d;
        return true;
    }
    return false;
}

bool PrintedPage::Draw(const TDPRptItem& tree, float printerUnitScale, int printerFontResolution)
{
    if (m_bitmap.isNull() || !(printerUnitScale > 0))
        return false;
    const int resolution = printerFontResolution / m_divisor;
    if (resolution > 0)
        DeviceScales::SetResolution(m_bitmap, resolution);
    QPainter painter(&m_bitmap);
    const SurfaceDrawing drawing
        = PrintedPageDrawing(&m_bitmap, m_bitmap.rect(), printerUnitScale, printerFontResolution, m_divisor);
    return DrawReportTreeOffScreen(tree, painter, drawing);
}

QRect PrintedPage::PrinterRect() const
{
    if (m_divisor == 1)
        return m_bitmap.rect();
    return QRect(0, 0, m_bitmap.width() * m_divisor - 1, m_bitmap.height() * m_divisor - 1);
}

void PrintedPage::PaintOn(QPainter& printerCanvas) const
{
    printerCanvas.save();
    printerCanvas.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (m_divisor == 1)
        printerCanvas.drawImage(QPoint(0, 0), m_bitmap);
    else
        printerCanvas.drawImage(PrinterRect(), m_bitmap);
    printerCanvas.restore();
}
