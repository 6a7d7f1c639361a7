#include "FontDescription.h"

QFont FontDescription::ToQFont() const
{
    QFont font(Name);
    if (Size > 0)
        font.setPointSize(Size);
    font.setBold(Has(Bold));
    font.setItalic(Has(Italic));
    font.setUnderline(Has(Underline));
    font.setStrikeOut(Has(StrikeOut));
    return font;
}

QString FontDescription::StyleSuffix() const
{
    QString text;
    if (Has(Bold))
        text += QLatin1String(",Bold");
    if (Has(Italic))
        text += QLatin1String(",Italic");
    if (Has(Underline))
        text += QLatin1String(",Underline");
    if (Has(StrikeOut))
        text += QLatin1String(",StrikeOut");
    return text;
}

int FontDescription::StyleNamed(const QString& upperWord)
{
    if (upperWord == QLatin1String("BOLD"))
        return Bold;
    if (upperWord == QLatin1String("ITALIC"))
        return Italic;
    if (upperWord == QLatin1String("UNDERLINE"))
        return Underline;
    if (upperWord == QLatin1String("STRIKEOUT"))
        return StrikeOut;
    return 0;
}
