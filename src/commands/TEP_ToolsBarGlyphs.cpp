#include "TEP_ToolsBarGlyphs.h"

#include "TEP_ToolsBarButton.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

int TEP_ToolsBarGlyphs::GlyphSide(int sizeZoom)
{
    switch (sizeZoom) {
    case 1:
        return 16;
    case 3:
        return 27;
    default:
        return 21;
    }
}

QString TEP_ToolsBarGlyphs::SourceOf(const QString& glyph)
{
    return QStringLiteral(":/commands/icons/%1.svg").arg(glyph);
}

QPixmap TEP_ToolsBarGlyphs::Picture(const QString& glyph, int sizeZoom)
{
    if (glyph.isEmpty() || !QFile::exists(SourceOf(glyph)))
        return QPixmap();
    const int side = GlyphSide(sizeZoom);
    const QString key = glyph + QLatin1Char('_') + QString::number(side);
    auto found = m_pictures.find(key);
    if (found != m_pictures.end())
        return *found;
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QSvgRenderer renderer(SourceOf(glyph));
    if (renderer.isValid()) {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
    }
    return *m_pictures.insert(key, picture);
}

QFont TEP_ToolsBarGlyphs::CaptionFont(QFont base, int tag, int sizeZoom)
{
    const int step = std::clamp(sizeZoom, 1, 3) - 1;
    static constexpr int kSmall[3] = {8, 12, 14};
    static constexpr int kLarge[3] = {14, 20, 32};
    if (tag == TEP_ToolsBarButton::LargeCaptionTag) {
        base.setPointSize(kLarge[step]);
        base.setBold(true);
    } else {
        base.setPointSize(kSmall[step]);
        base.setBold(step > 0);
    }
    return base;
}
