#include "Numbers.h"

#include <cmath>
#include <limits>

std::optional<int> TextToInt(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    for (const QChar c : text)
        if (c != QLatin1Char('-') && (c < QLatin1Char('0') || c > QLatin1Char('9')))
            return std::nullopt;
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

bool IsIntegerText(const QString& text)
{
    return TextToInt(text).has_value();
}

std::optional<double> TextToDecimal(const QString& text)
{
    QString normalised = text.trimmed();
    normalised.replace(QLatin1Char(','), QLatin1Char('.'));
    if (normalised.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = normalised.toDouble(&ok); // QString::toDouble is locale-free
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

int RoundHalfEven(double value)
{
    if (std::isnan(value))
        return 0;
    double rounded = std::round(value);
    if (std::fabs(value - std::trunc(value)) == 0.5)
        rounded = 2.0 * std::round(value / 2.0);
    if (rounded >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (rounded <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(rounded);
}
