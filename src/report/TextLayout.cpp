#include "TextLayout.h"

#include "params/Numbers.h"

#include <algorithm>
#include <cmath>

namespace {

const QChar kLineMark(0x00B6); // ¶

// Rounding as every pixel computation does (halves to even), in 64 bits.
qint64 RoundWide(double value)
{
    if (!std::isfinite(value))
        return 0;
    return qint64(std::clamp(std::nearbyint(value), -1e15, 1e15));
}

} // namespace

TextLayout::TextLayout(const QString& value, const QFontMetrics& metrics, const Settings& settings)
    : m_metrics(metrics)
    , m_settings(settings)
    , m_lineHeight(settings.lineHeight > 0 ? settings.lineHeight : metrics.height())
{
    Cut(value);
    const int top = BaseY();
    for (int i = 0; i < m_lines.size(); ++i) {
        Line& line = m_lines[i];
        line.y = top + i * m_lineHeight;
        line.x = PlaceX(line.width);
    }
}

int TextLayout::ToPixel(qint64 x)
{
    constexpr qint64 kFar = 1 << 30; // far outside any surface, with room for arithmetic
    return int(std::clamp(x, -kFar, kFar));
}

qint64 TextLayout::Measure(const QString& text) const
{
    if (m_settings.cellWidth > 0)
        return qint64(m_settings.cellWidth) * text.size();
    if (m_settings.wordPitch > 0)
        return RoundWide((text.count(QLatin1Char(',')) + 1) * m_settings.wordPitch);
    qint64 width = 0;
    for (const QChar c : text)
        width += m_metrics.horizontalAdvance(c);
    return width;
}

void TextLayout::Cut(const QString& value)
{
    const bool cells = m_settings.cellWidth > 0 || m_settings.wordPitch > 0;
    const int available = std::max(1, m_settings.rect.width() - 2 * m_settings.margin);
    int start = 0;
    while (true) {
        qsizetype mark = value.indexOf(kLineMark, start);
        const QString text = value.mid(start, mark < 0 ? -1 : mark - start);
        if (cells && m_settings.cellWidth > 0) {
            // The padding is a number of cells, never a text that long.
            const qint64 count = std::max<qint64>(text.size(), m_settings.pad);
            m_lines.append(Line {start, text, 0, 0, count * m_settings.cellWidth, count});
        } else if (cells) {
            m_lines.append(Line {start, text, 0, 0, Measure(text), text.count(QLatin1Char(',')) + 1});
        } else if (m_settings.wordWrap) {
            Wrap(text, start, available);
        } else {
            m_lines.append(Line {start, text, 0, 0, Measure(text), text.size()});
        }
        if (mark < 0)
            break;
        start = int(mark) + 1;
    }
}

// Greedy wrap measured character by character: a break at the last space that
// keeps the line narrower than the room (the space is dropped); a word wider
// than the room breaks at the character that overflows.
void TextLayout::Wrap(const QString& text, int start, int available)
{
    int from = 0;
    const int size = int(text.size());
    while (true) {
        int width = 0;
        int lastSpace = -1;
        int i = from;
        for (; i < size; ++i) {
            if (text[i] == QLatin1Char(' ') && width < available)
                lastSpace = i;
            width += m_metrics.horizontalAdvance(text[i]);
            if (width >= available)
                break;
        }
        if (i >= size) {
            const QString piece = text.mid(from);
            m_lines.append(Line {start + from, piece, 0, 0, Measure(piece), piece.size()});
            return;
        }
        int end = i; // first character of the next line
        int next = i;
        if (lastSpace > from) {
            end = lastSpace;
            next = lastSpace + 1;
        } else if (i == from) {
            end = next = i + 1; // a single character wider than the room
        }
        const QString piece = text.mid(from, end - from);
        m_lines.append(Line {start + from, piece, 0, 0, Measure(piece), piece.size()});
        from = next;
    }
}

qint64 TextLayout::PlaceX(qint64 width) const
{
    const QRect& r = m_settings.rect;
    if (m_settings.hAlign & HRight)
        return qint64(r.right()) - width - m_settings.margin - 1;
    if ((m_settings.hAlign & HCentered) && width < r.width())
        return r.left() + (r.width() - width) / 2;
    return qint64(r.left()) + m_settings.margin;
}

int TextLayout::BaseY() const
{
    const int h = m_metrics.height();
    const int lift = (m_settings.vAlign & VTop) ? h
        : (m_settings.vAlign & VLetter)         ? RoundHalfEven(h * double(LetterRatio))
                                                : 0;
    if (m_settings.vAlign & VBottom)
        return m_settings.rect.bottom() - m_settings.offset - lift;
    return m_settings.rect.top() + m_settings.offset - lift;
}

qint64 TextLayout::CharLeft(const Line& line, qint64 i) const
{
    if (m_settings.cellWidth > 0)
        return line.x + i * m_settings.cellWidth;
    return line.x + Measure(line.text.left(i));
}

qint64 TextLayout::WordLeft(const Line& line, int i) const
{
    return line.x + RoundWide(i * m_settings.wordPitch);
}

QPoint TextLayout::CaretPoint(int position, int* lineIndex) const
{
    int index = 0;
    for (int i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].start <= position)
            index = i;
    if (lineIndex)
        *lineIndex = index;
    if (m_lines.isEmpty())
        return QPoint(ToPixel(PlaceX(0)), BaseY());
    const Line& line = m_lines[index];
    const int inLine = std::clamp(position - line.start, 0, int(line.text.size()));
    return QPoint(ToPixel(CharLeft(line, inLine)), line.y);
}

int TextLayout::PositionAt(QPoint point) const
{
    if (m_lines.isEmpty())
        return 0;
    int index = 0;
    for (int i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].y <= point.y())
            index = i;
    const Line& line = m_lines[index];
    int best = 0;
    qint64 bestDistance = std::abs(point.x() - CharLeft(line, 0));
    for (int i = 1; i <= line.text.size(); ++i) {
        const qint64 distance = std::abs(point.x() - CharLeft(line, i));
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return line.start + best;
}
