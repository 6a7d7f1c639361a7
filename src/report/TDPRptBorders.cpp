#include "TDPRptBorders.h"

#include "params/Numbers.h"
#include "params/StrFields.h"

#include <QPainter>

namespace {

constexpr double kWidthFactor = 0.8466666666666667;

BorderLevel ReadLevel(const QString& group, int& number)
{
    BorderLevel level;
    number = 0;
    for (const auto& [name, value] : StrNameValuePairs(group)) {
        const std::optional<int> integer = TextToInt(value);
        if (name == QLatin1String("BORDER"))
            number = integer.value_or(0);
        else if (name == QLatin1String("STYLE"))
            level.Style = value.toUpper() == QLatin1String("SOLID") ? BorderLevel::Solid
                : value.toUpper() == QLatin1String("TRANSPARENT")   ? BorderLevel::Transparent
                                                                    : BorderLevel::None;
        else if (name == QLatin1String("WIDTH") && integer && *integer >= 0)
            level.Width = *integer;
        else if (name == QLatin1String("COLOR") && integer)
            level.Color = RgbColor(quint32(*integer));
    }
    return level;
}

} // namespace

void TDPRptBorders::EnsureLevels(int count)
{
    for (QList<BorderLevel>& levels : m_sides)
        while (levels.size() < count)
            levels.append(BorderLevel());
}

void TDPRptBorders::Clear()
{
    for (QList<BorderLevel>& levels : m_sides)
        levels.clear();
}

void TDPRptBorders::SetScale(float scale)
{
    if (!(scale > 0) || !std::isfinite(scale))
        return;
    m_scale = scale;
    for (QList<BorderLevel>& levels : m_sides) {
        int offset = 0;
        for (BorderLevel& level : levels) {
            level.ScaledWidth = RoundHalfEven(level.Width * double(scale) * kWidthFactor);
            if (level.Width != 0)
                level.ScaledWidth = std::max(level.ScaledWidth, 1);
            level.Offset = offset;
            offset += level.ScaledWidth;
        }
    }
}

void TDPRptBorders::ReadSide(Side side, const QString& value)
{
    qsizetype open = value.indexOf(QLatin1Char('('));
    while (open >= 0) {
        const qsizetype close = value.indexOf(QLatin1Char(')'), open + 1);
        if (close < 0)
            return;
        int number = 0;
        const BorderLevel level = ReadLevel(value.mid(open + 1, close - open - 1), number);
        if (number > 0 && number <= MaxLevels) {
            EnsureLevels(number);
            Level(side, number) = level;
        }
        open = value.indexOf(QLatin1Char('('), close + 1);
    }
}

QString TDPRptBorders::SideText(Side side) const
{
    QString text;
    const QList<BorderLevel>& levels = m_sides[side - 1];
    for (qsizetype i = 0; i < levels.size(); ++i) {
        const BorderLevel& level = levels[i];
        if (level.Style != BorderLevel::Solid && level.Style != BorderLevel::Transparent)
            continue;
        text += QStringLiteral("(BORDER:%1,STYLE:%2,WIDTH:%3,COLOR:%4)")
                    .arg(i + 1)
                    .arg(level.Style == BorderLevel::Solid ? QStringLiteral("SOLID") : QStringLiteral("TRANSPARENT"))
                    .arg(std::max(level.Width, 0))
                    .arg(level.Color.Number());
    }
    return text;
}

QString TDPRptBorders::SideKey(Side side)
{
    switch (side) {
    case Top:
        return QStringLiteral("TOPBORDERS");
    case Right:
        return QStringLiteral("RIGHTBORDERS");
    case Bottom:
        return QStringLiteral("BOTTOMBORDERS");
    case Left:
        return QStringLiteral("LEFTBORDERS");
    }
    return QString();
}

void TDPRptBorders::Draw(QPainter& painter, const QRect& rect) const
{
    for (const Side side : Sides) {
        const QList<BorderLevel>& levels = m_sides[side - 1];
        int total = 0;
        for (const BorderLevel& level : levels)
            total += std::max(level.ScaledWidth, 0);
        for (const BorderLevel& level : levels) {
            if (level.Style != BorderLevel::Solid || level.ScaledWidth <= 0)
                continue;
            // Level 1 is innermost: a level lies inside the outer levels'
            // bands, counted from the rectangle's edge.
            const int depth = total - level.Offset - level.ScaledWidth;
            const int width = level.ScaledWidth;
            QRect band;
            if (side == Top)
                band.setCoords(rect.left(), rect.top() + depth, rect.right(), rect.top() + depth + width - 1);
            else if (side == Bottom)
                band.setCoords(rect.left(), rect.bottom() - depth - width + 1, rect.right(), rect.bottom() - depth);
            else if (side == Left)
                band.setCoords(rect.left() + depth, rect.top(), rect.left() + depth + width - 1, rect.bottom());
            else
                band.setCoords(rect.right() - depth - width + 1, rect.top(), rect.right() - depth, rect.bottom());
            painter.fillRect(band.intersected(rect), level.Color.ToQColor());
        }
    }
}
