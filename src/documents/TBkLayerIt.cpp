#include "TBkLayerIt.h"

#include "BackgroundPictures.h"
#include "params/Numbers.h"
#include "params/StrFields.h"
#include "report/ReportCanvas.h"

#include <QPainter>

template <typename Operation> auto TBkLayerIt::AsRectangle(Operation operation) const
{
    auto* self = const_cast<TBkLayerIt*>(this);
    const bool switched = self->SpDrMode == BkSound && self->SavedMode < 0;
    if (switched) {
        self->SavedMode = self->SpDrMode;
        self->SpDrMode = SpRect;
    }
    const auto result = operation();
    if (switched) {
        self->SpDrMode = self->SavedMode;
        self->SavedMode = -1;
    }
    return result;
}

void TBkLayerIt::Reset()
{
    TDPRptSpDr::Reset();
    PictureName = QStringLiteral("SOUND1");
    SavedMode = -1;
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

bool TBkLayerIt::AssignFrom(int mode, TDPRptItem* source)
{
    if (auto* marker = dynamic_cast<TBkLayerIt*>(source); marker && marker != this)
        PictureName = marker->PictureName;
    return TDPRptSpDr::AssignFrom(mode, source);
}

const QImage* TBkLayerIt::Picture() const
{
    if (SpDrMode != BkSound)
        return nullptr;
    const QImage& picture = BackgroundPictures::Picture(PictureName);
    return picture.isNull() ? nullptr : &picture;
}

bool TBkLayerIt::ComputeScreenPoints()
{
    return AsRectangle([this] { return TDPRptSpDr::ComputeScreenPoints(); });
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

bool TBkLayerIt::DrawBorders(const QRect& parentRect, ReportCanvas& canvas, TDPRptPrintParams* params)
{
    return AsRectangle([&] { return TDPRptSpDr::DrawBorders(parentRect, canvas, params); });
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
    const int proportional = ProportionalDy(handle, dx);
    const bool ok = AsRectangle([&] { return TDPRptSpDr::DragHandle(handle, dx, proportional, flag, result); });
    return ok && result.rect.width() >= MinimumPixels && result.rect.height() >= MinimumPixels;
}

bool TBkLayerIt::ApplyHandleDrag(int handle, int dx, int dy, bool keepPosition)
{
    if (SpDrMode != BkSound)
        return TDPRptSpDr::ApplyHandleDrag(handle, dx, dy, keepPosition);
    HandleDrag drag;
    if (!DragHandle(handle, dx, dy, false, drag))
        return false;
    const int proportional = ProportionalDy(handle, dx);
    return AsRectangle([&] { return TDPRptSpDr::ApplyHandleDrag(handle, dx, proportional, keepPosition); });
}
