#include "TDPRptRect.h"

#include "ReportCanvas.h"
#include "TDPRptPrintParams.h"
#include "params/StrFields.h"

#include <QPainter>

TDPRptRect::TDPRptRect() = default;

void TDPRptRect::Reset()
{
    TDPRptItem::Reset();
    Borders.Clear();
    Transparent = false;
    Font = FontDescription();
}

bool TDPRptRect::SetScale(float scale)
{
    if (!TDPRptItem::SetScale(scale))
        return false;
    Borders.SetScale(Scale);
    return true;
}

bool TDPRptRect::PlacedRect(const QRect& parentRect, QRect& rect) const
{
    rect = PixelRect;
    return ClipToParent(parentRect, ScaledPos, rect);
}

bool TDPRptRect::PlacedRects(const QRect& parentRect, QRect& placed, QRect& visible) const
{
    placed = PixelRect.translated(parentRect.topLeft() + ScaledPos);
    return PlacedRect(parentRect, visible);
}

bool TDPRptRect::PlaceTransparent(
    const QRect& parentRect, ReportCanvas& canvas, TDPRptPrintParams* params, QRect& placed, QRect& visible) const
{
    if (!PlacedRects(parentRect, placed, visible))
        return false;
    if (Transparent && params)
        params->RestorePage(canvas.Painter(), visible);
    return true;
}

bool TDPRptRect::DrawAt(const QRect& parentRect, ReportCanvas& canvas, TDPRptPrintParams* params, float scale)
{
    if (!UseScale(scale))
        return false;
    if (!Visible)
        return true;
    bool ok = true;
    if (!(OnCustomDraw && OnCustomDraw(0, this)))
        ok = PaintBackground(parentRect, canvas, params) && DrawContent(parentRect, canvas, params, -1)
            && DrawBorders(parentRect, canvas, params);
    if (OnCustomDraw)
        OnCustomDraw(1, this);
    return ok;
}

bool TDPRptRect::PaintBackground(const QRect& parentRect, ReportCanvas& canvas, TDPRptPrintParams*)
{
    QRect rect;
    if (!Transparent && PlacedRect(parentRect, rect))
        canvas.Painter().fillRect(rect, BackColors[size_t(ColorIndex)].ToQColor());
    return true;
}

bool TDPRptRect::DrawBorders(const QRect& parentRect, ReportCanvas& canvas, TDPRptPrintParams*)
{
    QRect rect;
    if (PlacedRect(parentRect, rect))
        Borders.Draw(canvas.Painter(), rect);
    return true;
}

bool TDPRptRect::LoadKey(const QString& key, const QString& value, const QString& line)
{
    if (key == QLatin1String("TRANSPARENT")) {
        Transparent = value.toUpper() == QLatin1String("YES");
        return true;
    }
    for (const TDPRptBorders::Side side : TDPRptBorders::Sides) {
        if (key == TDPRptBorders::SideKey(side)) {
            Borders.ReadSide(side, value);
            return true;
        }
    }
    return TDPRptItem::LoadKey(key, value, line);
}

bool TDPRptRect::SaveKeys(QStringList& lines) const
{
    if (!TDPRptItem::SaveKeys(lines))
        return false;
    for (const TDPRptBorders::Side side : TDPRptBorders::Sides) {
        const QString text = Borders.SideText(side);
        if (!text.isEmpty())
            lines.append(TDPRptBorders::SideKey(side) + QLatin1Char('=') + text);
    }
    if (Transparent)
        lines.append(QStringLiteral("TRANSPARENT=YES"));
    return true;
}

std::unique_ptr<TDPRptItem> TDPRptRect::CreateEmpty() const
{
    return std::make_unique<TDPRptRect>();
}

bool TDPRptRect::CopyFrom(const TDPRptItem& source)
{
    if (!TDPRptItem::CopyFrom(source))
        return false;
    if (const auto* rect = dynamic_cast<const TDPRptRect*>(&source)) {
        Borders = rect->Borders;
        Transparent = rect->Transparent;
        Font = rect->Font;
    }
    return true;
}
