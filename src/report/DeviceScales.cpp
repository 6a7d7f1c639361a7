#include "DeviceScales.h"

#include "PrinterDevice.h"
#include "params/Numbers.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>

namespace DeviceScales {

namespace {

double g_referenceWidth = 0; // measured once per run, on the UI thread

const QString& SampleText()
{
    static const QString sample(42, QLatin1Char('0'));
    return sample;
}

} // namespace

float ScreenUnitScale()
{
    const QScreen* screen = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return float(dpi / 254.0);
}

float PrinterUnitScale(PrinterDevice& printer)
{
    if (printer.IsPrinting() || !printer.ResolutionNeedsJob())
        return float(printer.FontResolution() / 254.0);
    if (!printer.BeginJob())
        return float(printer.FontResolution() / 254.0);
    const int resolution = printer.FontResolution();
    printer.AbortJob();
    return float(resolution / 254.0);
}

void SetResolution(QImage& surface, int dotsPerInch)
{
    const int dotsPerMeter = RoundHalfEven(dotsPerInch / 0.0254);
    surface.setDotsPerMeterX(dotsPerMeter);
    surface.setDotsPerMeterY(dotsPerMeter);
}

double MeasureSample(int resolution)
{
    QImage bitmap(100, 100, QImage::Format_RGB32);
    SetResolution(bitmap, resolution);
    QFont font(QStringLiteral("Courier New"));
    font.setPointSize(11);
    const double width = QFontMetricsF(font, &bitmap).horizontalAdvance(SampleText());
    return width / resolution * 2.54;
}

double ReferenceWidth()
{
    return g_referenceWidth;
}

int FontResolutionFor(int resolution)
{
    if (resolution == 96 || resolution <= 0)
        return resolution;
    if (!(g_referenceWidth > 0))
        g_referenceWidth = MeasureSample(96);
    if (!(g_referenceWidth > 0))
        return resolution;
    // Text measuring less than in proportion at this resolution needs a
    // larger font resolution to keep its size on the page, and the reverse.
    const double sample = MeasureSample(resolution);
    if (!(sample > 0))
        return resolution;
    return RoundHalfEven(g_referenceWidth / sample * resolution);
}

} // namespace DeviceScales
