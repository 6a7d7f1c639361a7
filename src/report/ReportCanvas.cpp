#include "ReportCanvas.h"

#include "params/FontSpec.h"
#include "params/Numbers.h"

#include <algorithm>

QFont ReportCanvas::FontAt(const FontSpec& spec, int fontResolution)
{
    QFont font = spec.ToQFont();
    font.setPixelSize(std::max(1, RoundHalfEven(spec.Size * double(fontResolution) / 72.0)));
    return font;
}
