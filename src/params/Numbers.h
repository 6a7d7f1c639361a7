#pragma once

#include <QString>
#include <optional>

// Number reading rules of the stored files, and the one rounding used by
// every pixel computation.

// An integer is made only of the characters "-0123456789", converts
// completely and fits in 32 bits. No blanks are accepted around it.
std::optional<int> TextToInt(const QString& text);
bool IsIntegerText(const QString& text);

// A decimal number accepts "," in place of ".". Never depends on the locale.
std::optional<double> TextToDecimal(const QString& text);

// Nearest integer, halves to the even one (2.5 gives 2, 3.5 gives 4).
// Values beyond the 32-bit range are clamped to it; NaN gives 0.
int RoundHalfEven(double value);
