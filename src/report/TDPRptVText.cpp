#include "TDPRptVText.h"

#include "ReportCanvas.h"
#include "TDPRptPrintParams.h"
#include "TextKeys.h"

#include <QImage>
#include <QPainter>
#include <QTransform>

void TDPRptVText::Reset()
{
    TDPRptRect::Reset();
    Value.clear();
    VTMode = FromTopToBottom;
}

bool TDPRptVText::SetValue(const QVariantList& arguments)
{
    if (arguments.size() != 1 || arguments[0].typeId() != QMetaType::QString)
        return false;
    Value = arguments[0].toString();
    return true;
}

bool TDPRptVText::LoadKey(const QString& key, const QString& value, const QString& line)
{
    if (key == QLatin1String("FONT"))
        TextKeys::ReadFont(value, Font);
    else if (key == QLatin1String("VALUE"))
        Value = TextKeys::ReadValue(line);
    else if (key == QLatin1String("VTMODE"))
        VTMode = value.toUpper() == QLatin1String("FROMBOTTOMTOTOP") ? FromBottomToTop : FromTopToBottom;
    else
        return TDPRptRect::LoadKey(key, value, line);
    return true;
}

bool TDPRptVText::SaveKeys(QStringList& lines) const
{
    if (!TDPRptRect::SaveKeys(lines))
        return false;
    lines << QStringLiteral("FONT=") + TextKeys::FontText(Font) << TextKeys::ValueLine(Value)
          << (VTMode == FromBottomToTop ? QStringLiteral("VTMODE=FROMBOTTOMTOTOP")
                                        : QStringLiteral("VTMODE=FROMTOPTOBOTTOM"));
    return true;
}

std::unique_ptr<TDPRptItem> TDPRptVText::CreateEmpty() const
{
    return std::make_unique<TDPRptVText>();
}

bool TDPRptVText::CopyFrom(const TDPRptItem& source)
{
    if (auto* text = dynamic_cast<const TDPRptVText*>(&source)) {
        Value = text->Value;
        VTMode = text->VTMode;
    }
    return TDPRptRect::CopyFrom(source);
}

bool TDPRptVText::DrawContent(const QRect& clip, ReportCanvas& canvas, TDPRptPrintParams* params, float)
{
    QRect placed, visible;
    if (!PlaceTransparent(clip, canvas, params, placed, visible))
        return true;
    QPainter& painter = canvas.Painter();

    // The line is written across an upright image as long as the item is
    // high, then turned into the item's rectangle. Only the part of that
    // image the visible part of the item shows is made: an item of absurd
    // size costs what the screen shows of it.
    const QRect shown = visible & placed;
    if (shown.isEmpty())
        return true;
    QTransform turn;
    turn.rotate(VTMode == FromBottomToTop ? 270 : 90);
    const QTransform upright = QImage::trueMatrix(turn, placed.height(), placed.width());
    const QRect part = upright.inverted().mapRect(QRectF(shown.translated(-placed.topLeft()))).toAlignedRect();
    QImage line(part.size(), QImage::Format_ARGB32_Premultiplied);
    line.fill(Transparent ? QColor(Qt::transparent) : BackColors[size_t(ColorIndex)].ToQColor());
    {
        QPainter writer(&line);
        const QFont font = canvas.FontFor(Font);
        writer.setFont(font);
        writer.setPen(Font.Color.ToQColor());
        writer.drawText(2 - part.left(), QFontMetrics(font).ascent() - part.top(), Value);
    }
    const QImage turned = line.transformed(turn);
    painter.save();
    painter.setClipRect(visible, Qt::IntersectClip);
    painter.drawImage(shown.topLeft(), turned);
    painter.restore();
    return true;
}
