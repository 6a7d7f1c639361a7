#pragma once

class PrinterDevice;
class QImage;

// Scales in device pixels per document unit (tenths of a millimetre), and
// the correction of font resolutions that keeps text in proportion.
namespace DeviceScales {

// The screen's pixels per inch / 254 (96 dpi when no screen is known).
float ScreenUnitScale();
// The printer canvas's font resolution / 254. A job is begun for the
// reading only where the printer needs one, and abandoned right after.
float PrinterUnitScale(PrinterDevice& printer);

// Fonts do not grow exactly in proportion to the resolution (pixel sizes are
// whole numbers): the resolution to give a surface's fonts so that a sample
// text drawn on a surface of the given resolution measures, in centimetres,
// what it measures at 96 dpi.
int FontResolutionFor(int resolution);
// Width in centimetres of 42 "0" in Courier New 11 pt at a resolution.
double MeasureSample(int resolution);
// Gives a surface the resolution its fonts are measured at.
void SetResolution(QImage& surface, int dotsPerInch);
// The reference width, 0 until the first correction other than 96 dpi.
double ReferenceWidth();

} // namespace DeviceScales
