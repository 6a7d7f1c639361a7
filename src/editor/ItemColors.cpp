#include "ItemColors.h"

#include "report/TDPRptSpDr.h"
#include "report/TDPRptText.h"

namespace {
bool ColorIsFill(const TDPRptSpDr& drawing)
{
    return drawing.SpDrMode == TDPRptSpDr::SpFBRect || drawing.SpDrMode == TDPRptSpDr::SpFBCircle;
}
} // namespace

namespace ItemColors {

RgbColor ColorOf(const TDPRptItem& item)
{
    if (const auto* text = dynamic_cast<const TDPRptText*>(&item))
        return text->Font.Color;
    if (const auto* drawing = dynamic_cast<const TDPRptSpDr*>(&item))
        return ColorIsFill(*drawing) ? drawing->BackColors[0] : drawing->ForeColors[0];
    return item.ForeColors[0];
}

void SetColor(TDPRptItem& item, RgbColor color)
{
    if (auto* text = dynamic_cast<TDPRptText*>(&item))
        text->Font.Color = color;
    else if (auto* drawing = dynamic_cast<TDPRptSpDr*>(&item); drawing && ColorIsFill(*drawing))
        drawing->BackColors[0] = color;
    else
        item.ForeColors[0] = color;
}

int PenSizeOf(const TDPRptItem& item)
{
    const auto* drawing = dynamic_cast<const TDPRptSpDr*>(&item);
    return drawing ? drawing->PenSize : -1;
}

} // namespace ItemColors
