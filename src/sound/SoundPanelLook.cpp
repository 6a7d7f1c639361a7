#include "sound/SoundPanelLook.h"
#include "params/RgbColor.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QWidget>

namespace SoundPanelLook {

namespace {

constexpr int Side = 20;

void Draw(QPainter& painter, Glyph glyph, const QColor& ink)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    switch (glyph) {
    case Glyph::Play: {
        QPainterPath triangle;
        triangle.moveTo(5, 3);
        triangle.lineTo(17, 10);
        triangle.lineTo(5, 17);
        triangle.closeSubpath();
        painter.drawPath(triangle);
        break;
    }
    case Glyph::Pause:
        painter.drawRect(5, 4, 4, 12);
        painter.drawRect(11, 4, 4, 12);
        break;
    case Glyph::Stop:
        painter.drawRect(5, 5, 10, 10);
        break;
    case Glyph::Record:
        painter.setBrush(ink == Qt::black ? QColor(0xD0, 0, 0) : ink);
        painter.drawEllipse(4, 4, 12, 12);
        break;
    case Glyph::Delete:
        painter.setPen(QPen(ink, 2.5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(5, 5, 15, 15);
        painter.drawLine(15, 5, 5, 15);
        break;
    }
}

QPixmap Picture(Glyph glyph, const QColor& ink)
{
    QPixmap pixmap(Side, Side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    Draw(painter, glyph, ink);
    return pixmap;
}

} // namespace

QIcon ButtonIcon(Glyph glyph)
{
    QIcon icon;
    icon.addPixmap(Picture(glyph, Qt::black), QIcon::Normal);
    icon.addPixmap(Picture(glyph, QColor(0xA0, 0xA0, 0xA0)), QIcon::Disabled);
    return icon;
}

QColor InstructionColour()
{
    return RgbColor(0x00FF00).ToQColor();
}

QColor HelpColour()
{
    return RgbColor(0x00FFFF).ToQColor();
}

void SetBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(
        QPalette::Window, colour.isValid() ? colour : widget->parentWidget()->palette().color(QPalette::Window));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace SoundPanelLook
