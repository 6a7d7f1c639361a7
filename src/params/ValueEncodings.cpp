#include "ValueEncodings.h"

#include "Numbers.h"
#include "Param_Obj.h"
#include "StrFields.h"

#include <array>

QString BoolToParam(bool value)
{
    return value ? QStringLiteral("YES") : QStringLiteral("NO");
}

bool ParamToBool(const QString& text, bool& value)
{
    const QString word = StrTrim(text).toUpper();
    if (word == QLatin1String("YES") || word == QLatin1String("OUI")) {
        value = true;
        return true;
    }
    if (word == QLatin1String("NO") || word == QLatin1String("NON")) {
        value = false;
        return true;
    }
    return false;
}

bool ReadParamBool(const Param_Obj& params, const QString& heading, const QString& key, bool defaultValue)
{
    const QString text = params.PRRead(heading, key);
    if (text == PR_NOVALUE)
        return defaultValue;
    const QString word = StrTrim(text).toUpper();
    return word == QLatin1String("OUI") || word == QLatin1String("YES");
}

QString ColorToParam(RgbColor color)
{
    return QStringLiteral("%1*%2*%3").arg(color.Red()).arg(color.Green()).arg(color.Blue());
}

bool ParamToColor(const QString& text, RgbColor& color)
{
    if (text.count(QLatin1Char('*')) == 2) {
        std::array<int, 3> parts {};
        for (int i = 0; i < 3; ++i) {
            const std::optional<int> part = TextToInt(StrTrim(StrExtractField(i + 1, text, QStringLiteral("*"))));
            if (!part || *part < 0 || *part > 255)
                return false;
            parts[size_t(i)] = *part;
        }
        color = RgbColor::FromRgb(parts[0], parts[1], parts[2]);
        return true;
    }
    const std::optional<int> number = TextToInt(StrTrim(text));
    if (!number)
        return false;
    color = RgbColor(quint32(*number));
    return true;
}

bool ReadParamColor(
    const Param_Obj& params, const QString& heading, const QString& key, RgbColor defaultValue, RgbColor& color)
{
    const QString text = params.PRRead(heading, key);
    if (text != PR_NOVALUE && ParamToColor(StrTrim(text).toUpper(), color))
        return true;
    color = defaultValue;
    return false;
}

QString FontToParam(const FontDescription* font)
{
    if (!font)
        return QString();
    return QStringLiteral("%1,%2,COLOR:%3").arg(font->Size).arg(font->Name, ColorToParam(font->Color))
        + font->StyleSuffix();
}

namespace {

void ApplyFontPart(const QString& part, FontDescription& font, FontFieldsRead& read)
{
    const QString name = StrTrim(StrExtractField(1, part, QStringLiteral(":"))).toUpper();
    const QString value = StrTrim(part.mid(part.indexOf(QLatin1Char(':')) + 1));
    font.Styles |= FontDescription::StyleNamed(name);
    if (name == QLatin1String("COLOR") && part.contains(QLatin1Char(':')) && ParamToColor(value, font.Color))
        read.color = true;
}

} // namespace

bool ParamToFont(const QString& text, FontDescription& font, FontFieldsRead* readOut)
{
    FontFieldsRead read;
    const QString trimmed = StrTrim(text);
    if (trimmed.isEmpty()) {
        if (readOut)
            *readOut = read;
        return false;
    }
    const QStringList fields = StrSplitFields(trimmed, QStringLiteral(","));
    if (const std::optional<int> size = TextToInt(fields[0])) {
        font.Size = *size;
        read.size = true;
    }
    if (fields.size() > 1 && !fields[1].isEmpty() && !IsIntegerText(fields[1])) {
        font.Name = fields[1];
        read.name = true;
    }
    for (qsizetype i = 2; i < fields.size(); ++i)
        ApplyFontPart(fields[i], font, read);
    if (readOut)
        *readOut = read;
    return fields.size() >= 3 && (read.size || read.name || read.color);
}

QString WindowToParam(const QRect& geometry)
{
    return QStringLiteral("(tlwh:%1,%2,%3,%4)")
        .arg(geometry.top())
        .arg(geometry.left())
        .arg(geometry.width())
        .arg(geometry.height());
}

bool ParamToRect(const QString& text, int& top, int& left, int& width, int& height)
{
    const QString upper = StrTrim(text).toUpper();
    const QString tag = QStringLiteral("(TLWH:");
    if (!upper.startsWith(tag) || upper.indexOf(QLatin1Char(')')) != upper.size() - 1)
        return false;
    const QStringList fields = upper.mid(tag.size(), upper.size() - tag.size() - 1).split(QLatin1Char(','));
    if (fields.size() != 4)
        return false;
    std::array<int, 4> values {};
    for (int i = 0; i < 4; ++i) {
        const std::optional<int> value = TextToInt(StrTrim(fields[i]));
        if (!value)
            return false;
        values[size_t(i)] = *value;
    }
    top = values[0];
    left = values[1];
    width = std::max(values[2], 50);
    height = std::max(values[3], 50);
    return true;
}
