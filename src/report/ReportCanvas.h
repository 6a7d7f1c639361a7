#pragma once

#include <QFont>

class QPainter;
struct FontDescription;

// The surface an item tree draws on: a painter over a page bitmap, an edit
// surface, an exported picture or a printer page, and the resolution the
// surface's fonts are sized with (dots per inch, corrected by the caller).
class ReportCanvas {
public:
    explicit ReportCanvas(QPainter& painter, int fontResolution = 96)
        : m_painter(painter)
        , m_fontResolution(fontResolution)
    { }
    QPainter& Painter() const { return m_painter; }
    int FontResolution() const { return m_fontResolution; }
    void SetFontResolution(int resolution) { m_fontResolution = resolution; }
    // The font at its size on this surface: points times the font resolution.
    QFont FontFor(const FontDescription& font) const { return FontAt(font, m_fontResolution); }
    static QFont FontAt(const FontDescription& font, int fontResolution);

private:
    QPainter& m_painter;
    int m_fontResolution;
};
