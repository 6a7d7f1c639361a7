#include "TBkLayerIt.h"

#include "BackgroundPictures.h"
#include "params/Numbers.h"
#include "params/StrFields.h"
#include "report/ItemTypeRegistry.h"
#include "report/ReportCanvas.h"

#include <QPainter>

void TBkLayerIt::RegisterItemType()
{
    // Once per run: every worksheet asks, and a documents tree has thousands.
    static const bool registered = [] {
        ItemTypeRegistry::Instance().Register(
            QStringLiteral("BKLITEM"), 0, [] { return std::unique_ptr<TDPRptItem>(std::make_unique<TBkLayerIt>()); });
        return true;
    }();
    Q_UNUSED(registered);
}

std::unique_ptr<TDPRptItem> TBkLayerIt::CreateEmpty() const
{
    return std::make_unique<TBkLayerIt>();
}

int TBkLayerIt::ShapeMode() const
{
    return SpDrMode == BkSound ? int(SpRect) : SpDrMode;
}

void TBkLayerIt::Reset()
{
    TDPRptSpDr::Reset();
    PictureName = QStringLiteral("SOUND1");
}

QString TBkLayerIt::ModeName() const
{
    return SpDrMode == BkSound ? QStringLiteral("BKSOUND") : TDPRptSpDr::ModeName();
}

void TBkLayerIt::ModeFromName(const QString& name)
{
    if (StrTrim(name).compare(QLatin1String("BKSOUND"), Qt::CaseInsensitive) == 0)
        SpDrMode = BkSound;
    else
        TDPRptSpDr::ModeFromName(name);
}

bool TBkLayerIt::LoadKey(const QString& key, const QString& value, const QString& line)
{
    if (key != QLatin1String("IMGNAME"))
        return TDPRptSpDr::LoadKey(key, value, line);
    // Only a sound marker has a picture; other modes keep the line as it was.
    PictureName = SpDrMode == BkSound ? BackgroundPictures::NormalisedName(value) : value;
    return true;
}

bool TBkLayerIt::SaveKeys(QStringList& lines) const
{
    if (!TDPRptSpDr::SaveKeys(lines))
        return false;
    lines << QStringLiteral("IMGNAME=") + PictureName;
    return true;
}

bool TBkLayerIt::CopyFrom(const TDPRptItem& source)
{
    if (auto* marker = dynamic_cast<const TBkLayerIt*>(&source))
        PictureName = marker->PictureName;
    return TDPRptSpDr::CopyFrom(source);
}

const QImage* TBkLayerIt::Picture() const
{
    if (SpDrMode != BkSound)
        return nullptr;
    const QImage& picture = BackgroundPictures::Picture(PictureName);
    return picture.isNull() ? nullptr : &picture;
}

bool TBkLayerIt::DrawContent(const QRect& clip, ReportCanvas& canvas, TDPRptPrintParams* params, float scale)
{
    if (SpDrMode != BkSound)
        return TDPRptSpDr::DrawContent(clip, canvas, params, scale);
    QRect placed, visible;
    if (!PlacedRects(clip, placed, visible))
        return true;
    QPainter& painter = canvas.Painter();
    painter.save();
    painter.setClipRect(visible, Qt::IntersectClip);
    if (const QImage* picture = Picture()) {
        painter.fillRect(placed, Qt::white);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.drawImage(placed, *picture);
    } else {
        painter.fillRect(placed, RgbColor(0x0000FF).ToQColor());
    }
    painter.restore();
    return true;
}

int TBkLayerIt::HitDistance(int x, int y) const
{
    if (SpDrMode != BkSound)
        return TDPRptSpDr::HitDistance(x, y);
    return ScreenRect.contains(x, y) ? 0 : 10000;
}

int TBkLayerIt::ProportionalDy(int handle, int dx) const
{
    const QImage* picture = Picture();
    const double ratio = picture && picture->width() > 0
        ? double(picture->height()) / picture->width()
        : double(ScreenRect.height()) / std::max(1, ScreenRect.width());
    // The width changes by -dx for the left handles (1, 4) and by dx for the
    // right ones; the height follows, and the drag that gives it depends on
    // whether the handle is at the top (1, 2) or at the bottom (3, 4).
    const int widthChange = (handle == 1 || handle == 4) ? -dx : dx;
    const int heightChange = RoundHalfEven(widthChange * ratio);
    return (handle == 1 || handle == 2) ? -heightChange : heightChange;
}

bool TBkLayerIt::DragHandle(int handle, int dx, int dy, bool flag, HandleDrag& result) const
{
    if (SpDrMode != BkSound)
        return TDPRptSpDr::DragHandle(handle, dx, dy, flag, result);
    if (handle < 1 || handle > 4)
        return false;
    // The marker keeps its picture's proportions: the vertical drag follows
    // the horizontal one.
    HandleDrag drag;
    if (!TDPRptSpDr::DragHandle(handle, dx, ProportionalDy(handle, dx), flag, drag))
        return false;
    if (drag.rect.width() < MinimumPixels || drag.rect.height() < MinimumPixels)
        return false;
    result = drag;
    return true;
}
