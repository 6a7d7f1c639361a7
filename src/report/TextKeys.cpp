#include "TextKeys.h"

#include "params/FontDescription.h"
#include "params/Numbers.h"
#include "params/StrFields.h"

namespace TextKeys {

bool ReadFont(const QString& value, FontDescription& font)
{
    const QStringList parts = StrSplitFields(value, QStringLiteral(","));
    const std::optional<int> size = TextToInt(parts.value(0));
    if (!size || *size <= 0)
        return false;
    font.Size = *size;
    if (parts.size() > 1 && !parts[1].isEmpty())
        font.Name = parts[1];
    font.Styles = 0;
    for (qsizetype i = 2; i < parts.size(); ++i) {
        const QString part = parts[i].toUpper();
        font.Styles |= FontDescription::StyleNamed(part);
        if (part.startsWith(QLatin1String("COLOR:")))
            if (const std::optional<int> color = TextToInt(StrTrim(part.mid(6))))
                font.Color = RgbColor(quint32(*color));
    }
    return true;
}

QString FontText(const FontDescription& font)
{
    QString text = QStringLiteral("%1,%2").arg(font.Size).arg(font.Name) + font.StyleSuffix();
    if (font.Color.Value() != 0)
        text += QStringLiteral(",COLOR:%1").arg(font.Color.Number());
    return text;
}

QString ReadValue(const QString& line)
{
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    QString text = equals < 0 ? QString() : line.mid(equals + 1);
    if (text.size() >= 2 && text.front() == QLatin1Char('"') && text.back() == QLatin1Char('"'))
        text = text.mid(1, text.size() - 2);
    return text;
}

QString ValueLine(const QString& text)
{
    // A line break typed or pasted into the text would cut the file's line:
    // it is stored as the line mark. Blanks at either end, and quotes there,
    // would not survive reading unquoted.
    QString value = text;
    value.replace(QStringLiteral("\r\n"), QStringLiteral("¶"));
    value.replace(QLatin1Char('\r'), QStringLiteral("¶"));
    value.replace(QLatin1Char('\n'), QStringLiteral("¶"));
    const auto fragile = [](QChar c) { return c.unicode() <= 0x20 || c == QLatin1Char('"'); };
    if (!value.isEmpty() && (fragile(value.front()) || fragile(value.back())))
        value = QLatin1Char('"') + value + QLatin1Char('"');
    return QStringLiteral("VALUE=") + value;
}

} // namespace TextKeys
