#include "ReportCanvas.h"

#include "params/FontDescription.h"
#include "params/Numbers.h"

#include <algorithm>

QFont ReportCanvas::FontAt(const FontDescription& description, int fontResolution)
{
    QFont font = description.ToQFont();
    font.setPixelSize(std::max(1, RoundHalfEven(description.Size * double(fontResolution) / 72.0)));
    return font;
}
