#include "FontSpec.h"

QFont FontSpec::ToQFont() const
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
