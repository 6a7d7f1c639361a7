#pragma once

#include "params/RgbColor.h"

class TDPRptItem;

// The colour of an item as the pupil sees it: the font colour of a text,
// the fill of the filled-with-outline rectangle and circle (their outline
// stays black), the pen colour of the other drawings.
namespace ItemColors {

RgbColor ColorOf(const TDPRptItem& item);
void SetColor(TDPRptItem& item, RgbColor color);
// The pen size of a special drawing, -1 for other items.
int PenSizeOf(const TDPRptItem& item);

} // namespace ItemColors
