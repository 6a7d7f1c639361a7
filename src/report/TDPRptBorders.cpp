#include "TDPRptBorders.h"

#include "params/Numbers.h"
#include "params/StrFields.h"

#include <QPainter>
#include <limits>

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
        qint64 offset = 0;
        for (BorderLevel& level : levels) {
            level.ScaledWidth = RoundHalfEven(level.Width * double(scale) * kWidthFactor);
            if (level.Width != 0)
                level.ScaledWidth = std::max(level.ScaledWidth, 1);
            level.Offset = int(std::min<qint64>(offset, std::numeric_limits<int>::max()));
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
    // Widths and depths in 64 bits: absurd widths in a file must neither
    // overflow nor cost more than the bands' visible part.
    const auto fill = [&](qint64 left, qint64 top, qint64 right, qint64 bottom, const QColor& color) {
        left = std::max<qint64>(left, rect.left());
        top = std::max<qint64>(top, rect.top());
        right = std::min<qint64>(right, rect.right());
        bottom = std::min<qint64>(bottom, rect.bottom());
        if (right >= left && bottom >= top)
            painter.fillRect(QRect(QPoint(int(left), int(top)), QPoint(int(right), int(bottom))), color);
    };
    for (const Side side : Sides) {
        const QList<BorderLevel>& levels = m_sides[side - 1];
        qint64 total = 0;
        for (const BorderLevel& level : levels)
            total += std::max(level.ScaledWidth, 0);
        qint64 offset = 0; // the widths of the levels inside this one
        for (const BorderLevel& level : levels) {
            const qint64 width = std::max(level.ScaledWidth, 0);
            // Level 1 is innermost: a level lies inside the outer levels'
            // bands, counted from the rectangle's edge.
            const qint64 depth = total - offset - width;
            offset += width;
            if (level.Style != BorderLevel::Solid || width <= 0)
                continue;
            const QColor color = level.Color.ToQColor();
            const qint64 left = rect.left(), top = rect.top(), right = rect.right(), bottom = rect.bottom();
            if (side == Top)
                fill(left, top + depth, right, top + depth + width - 1, color);
            else if (side == Bottom)
                fill(left, bottom - depth - width + 1, right, bottom - depth, color);
            else if (side == Left)
                fill(left + depth, top, left + depth + width - 1, bottom, color);
            else
                fill(right - depth - width + 1, top, right - depth, bottom, color);
        }
    }
}
