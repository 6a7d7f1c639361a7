#pragma once

#include <QFontMetrics>
#include <QList>
#include <QRect>
#include <QString>

// Where each line of a text item goes: the value cut into lines at "¶",
// wrapped greedily when asked, each line placed by the item's alignment.
// Positions are in the coordinates of the drawing rectangle given.
class TextLayout {
public:
    enum VAlign { VBottom = 1, VExplicitOffset = 2, VTop = 4, VDefault = 8, VLetter = 16 };
    enum HAlign { HRight = 1, HCentered = 2 };
    // The share of the line height above the writing line of a "LETTER"
    // position, in single precision as stored.
    static constexpr float LetterRatio = 0.73333335f;

    struct Settings {
        QRect rect; // drawing rectangle, inclusive edges
        int margin = 0; // pixels
        int hAlign = 0;
        int vAlign = VDefault;
        int offset = 0; // vertical offset in pixels
        bool wordWrap = true;
        int lineHeight = 0; // 0: the font's height
        int cellWidth = 0; // pixels per character when characters sit in cells
        double wordPitch = 0; // pixels per comma-separated word (word i starts at round(i x pitch))
        int pad = 0; // minimum number of character cells
    };

    // A line's horizontal geometry is kept in 64 bits: a file may claim cells
    // and pads far beyond any page, and only the cells a drawing shows are
    // ever drawn.
    struct Line {
        int start = 0; // index of the line's first character in the value
        QString text; // the characters (cells: without the padding)
        qint64 x = 0;
        int y = 0; // top of the line
        qint64 width = 0;
        qint64 cells = 0; // character cells, the padding included
    };

    TextLayout(const QString& value, const QFontMetrics& metrics, const Settings& settings);

    const QList<Line>& Lines() const { return m_lines; }
    const Settings& Config() const { return m_settings; }
    int LineHeight() const { return m_lineHeight; }
    // x of the caret before character `position` of the value, and its line.
    QPoint CaretPoint(int position, int* lineIndex = nullptr) const;
    // The caret position nearest to a point.
    int PositionAt(QPoint point) const;
    // Left edge of character i of a line (cells or measured advances).
    qint64 CharLeft(const Line& line, qint64 i) const;
    // Left edge of word i of a line of words in cells.
    qint64 WordLeft(const Line& line, int i) const;
    // A horizontal position brought into the pixel range drawings use.
    static int ToPixel(qint64 x);

private:
    void Cut(const QString& value);
    void Wrap(const QString& text, int start, int available);
    qint64 Measure(const QString& text) const;
    qint64 PlaceX(qint64 width) const;
    int BaseY() const;

    QFontMetrics m_metrics;
    Settings m_settings;
    int m_lineHeight = 0;
    QList<Line> m_lines;
};
