#pragma once

#include <QFont>
#include <QHash>
#include <QPixmap>
#include <QString>

// The pictures of the toolbar's buttons, drawn from their SVG sources at
// the three sizes (16, 21 and 27 pixels for size steps 1, 2 and 3), each
// drawn once and kept; and the caption fonts of the buttons that show text.
class TEP_ToolsBarGlyphs {
public:
    static int GlyphSide(int sizeZoom);
    static QString SourceOf(const QString& glyph);
    // The picture of a glyph at a size step; a null pixmap when the glyph
    // has no source.
    QPixmap Picture(const QString& glyph, int sizeZoom);
    // The caption font for a button's tag at a size step: tag 8 8 points,
    // 12 and 14 bold; tag 10 14, 20 and 32 points, bold.
    static QFont CaptionFont(QFont base, int tag, int sizeZoom);
    int Drawn() const { return int(m_pictures.size()); }

private:
    QHash<QString, QPixmap> m_pictures;
};
