#include "TDPRptSpDr.h"

#include "PlaneGeometry.h"
#include "ReportCanvas.h"
#include "SpDrPainter.h"
#include "TDPRptPrintParams.h"
#include "params/Numbers.h"
#include "params/StrFields.h"

#include <QLineF>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

constexpr double kPi = 3.14159265358979323846;

const std::array<const char*, 16> kModeNames = {"", "SpRect", "SpFRect", "SpFBRect", "SpCross", "SpHLine", "SpHRel",
    "SpTBRel", "SpBTRel", "SpBCircle", "SpFCircle", "SpFBCircle", "SpBrackets", "SpLines", "SpHighLight", "SpArrow"};

const std::array<const char*, 3> kArrowTypes = {"ARROW", "LINE", "REL"};

int R(double value)
{
    return RoundHalfEven(value);
}

double Radians(double degrees)
{
    return degrees * kPi / 180.0;
}

double InCircle(double degrees)
{
    degrees = std::fmod(degrees, 360.0);
    return degrees < 0 ? degrees + 360.0 : degrees;
}

QRect HandleAround(QPoint centre)
{
    // A corner of an absurd size lies at the end of the pixel range: its
    // handle stays inside it.
    constexpr int h = TDPRptSpDr::HandleHalfSize;
    constexpr int lowest = std::numeric_limits<int>::min() + h, highest = std::numeric_limits<int>::max() - h;
    centre = QPoint(std::clamp(centre.x(), lowest, highest), std::clamp(centre.y(), lowest, highest));
    return QRect(centre - QPoint(h, h), centre + QPoint(h, h));
}

} // namespace

TDPRptSpDr::TDPRptSpDr()
{
    ResetDrawingFields();
}

void TDPRptSpDr::ResetDrawingFields()
{
    CanHaveChildren = false;
    SpDrMode = SpRect;
    PenSize = 1;
    ShapePoints.clear();
    ShapePixelPoints.clear();
    Points.clear();
    PointPixels.clear();
    ArrowType = ArrowHead;
    Angle = 0;
    Length = 200;
    HandleRects.clear();
    m_drawingOffset = QPointF();
    m_snapshots.clear();
    m_lineHeightPending = false;
}

void TDPRptSpDr::Reset()
{
    TDPRptRect::Reset();
    ResetDrawingFields();
}

QString TDPRptSpDr::ModeName(int mode)
{
    return mode >= 0 && mode < int(kModeNames.size()) ? QString::fromLatin1(kModeNames[size_t(mode)]) : QString();
}

void TDPRptSpDr::ModeFromName(const QString& name)
{
    const QString wanted = StrTrim(name);
    for (int mode = 1; mode < int(kModeNames.size()); ++mode)
        if (wanted.compare(QLatin1String(kModeNames[size_t(mode)]), Qt::CaseInsensitive) == 0)
            SpDrMode = mode;
}

bool TDPRptSpDr::IsRectLike() const
{
    const int mode = ShapeMode();
    return (mode >= SpRect && mode <= SpHLine) || (mode >= SpBCircle && mode <= SpBrackets) || mode == SpHighLight;
}

std::unique_ptr<TDPRptItem> TDPRptSpDr::CreateEmpty() const
{
    return std::make_unique<TDPRptSpDr>();
}

QPointF TDPRptSpDr::LayoutOrigin() const
{
    return QPointF(PosX - m_drawingOffset.x(), PosY - m_drawingOffset.y());
}

QPoint TDPRptSpDr::DrawingOffsetPixels() const
{
    if (SpDrMode != SpArrow || ShapePixelPoints.isEmpty())
        return QPoint();
    return ShapePixelPoints[0] - ScreenRect.topLeft();
}

// --- Geometry -------------------------------------------------------------------

bool TDPRptSpDr::SetScale(float scale)
{
    if (!(scale > 0) || !std::isfinite(scale)) {
        if (!ScaleValid)
            return false;
        scale = Scale;
    }
    ComputeGeometry(scale);
    if (!TDPRptRect::SetScale(scale))
        return false;
    return ComputeScreenPoints();
}

bool TDPRptSpDr::Relayout()
{
    // The shape's pixel points follow its rectangles: laid out again after a
    // move, the drawing and its hit tests must not stay where it was.
    if (!ScaleValid)
        return TDPRptRect::Relayout();
    ComputeGeometry(Scale);
    const bool ok = TDPRptRect::Relayout();
    return ComputeScreenPoints() && ok;
}

void TDPRptSpDr::ConvertRelation()
{
    const double w = Width;
    const double h = Height;
    const int pen = PenSize;
    const double a = std::atan(h / w);
    const int slantedLength = R((h - 4.0 * pen) / std::sin(a)) + pen - 2;
    if (SpDrMode == SpHRel) {
        Angle = 0;
        Length = R(w) - 2 * pen;
    } else if (SpDrMode == SpTBRel) {
        Angle = float(360.0 - a * 180.0 / kPi);
        Length = slantedLength;
    } else {
        Angle = float(a * 180.0 / kPi);
        Length = slantedLength;
        PosY += float(h - 4.0 * pen);
    }
    PosX += float(pen + 1);
    PosY += float(pen + 4);
    // A relation shorter than an arrow may be would be saved with a length
    // the next reading ignores (and would draw it 200 units long).
    Length = std::max(Length, int(MinLength));
    SpDrMode = SpArrow;
    ArrowType = ArrowRel;
}

void TDPRptSpDr::ComputeLinesBox()
{
    if (Points.isEmpty())
        return;
    int minX = Points[0].x(), maxX = minX, minY = Points[0].y(), maxY = minY;
    for (const QPoint& p : std::as_const(Points)) {
        minX = std::min(minX, p.x());
        maxX = std::max(maxX, p.x());
        minY = std::min(minY, p.y());
        maxY = std::max(maxY, p.y());
    }
    PosX += float(minX);
    PosY += float(minY);
    for (QPoint& p : Points)
        p -= QPoint(minX, minY);
    X = 0;
    Y = 0;
    Width = float(maxX - minX + 1);
    Height = float(maxY - minY + 1);
}

void TDPRptSpDr::ComputeArrow(float scale)
{
    Angle = float(InCircle(Angle));
    const double angle = Radians(Angle);
    const QPoint tail(R(PosX), R(PosY));
    const QPoint tip(R(PosX + std::cos(angle) * Length), R(PosY - std::sin(angle) * Length));
    ShapePoints = {tail, tip, QPoint(0, 0)};
    if (ArrowType == ArrowHead) {
        const int head = std::max(20, Length / 10);
        for (const double wing : {InCircle(180.0 + 35.0 - Angle), InCircle(180.0 - 35.0 - Angle)})
            ShapePoints.append(
                QPoint(R(std::cos(Radians(wing)) * head + tip.x()), R(std::sin(Radians(wing)) * head + tip.y())));
    }

    // The rectangle encloses everything drawn: the pen's width and, for a
    // relation, the end dots (at least 6 pixels wide on any surface).
    double margin = PenSize * (ArrowType == ArrowHead ? 1.0 : 4.0);
    if (ArrowType == ArrowRel) {
        const int dotPixels = std::max(6, R(std::min(PenSize * 3 / 2, MaxRelDot) * double(scale)));
        const double reachPixels = dotPixels / 2 + dotPixels / 2 / 2.0 + 1.0;
        margin = std::max(margin, reachPixels / scale);
    }
    double left = tail.x(), right = tail.x(), top = tail.y(), bottom = tail.y();
    for (int i = 0; i < ShapePoints.size(); ++i) {
        if (i == 2)
            continue; // P2 is a placeholder
        left = std::min(left, double(ShapePoints[i].x()));
        right = std::max(right, double(ShapePoints[i].x()));
        top = std::min(top, double(ShapePoints[i].y()));
        bottom = std::max(bottom, double(ShapePoints[i].y()));
    }
    // The rectangle never starts before its parent's corner, where it would
    // be clipped away whole.
    const double boxLeft = std::max(0.0, std::floor(left - margin));
    const double boxTop = std::max(0.0, std::floor(top - margin));
    m_drawingOffset = QPointF(std::max(0.0, PosX - boxLeft), std::max(0.0, PosY - boxTop));
    X = 0;
    Y = 0;
    Width = float(std::ceil(right + margin) - boxLeft + 1);
    Height = float(std::ceil(bottom + margin) - boxTop + 1);
}

void TDPRptSpDr::SettlePlace()
{
    if (SpDrMode == SpHRel || SpDrMode == SpTBRel || SpDrMode == SpBTRel)
        ConvertRelation();
    if (m_lineHeightPending && SpDrMode == SpHLine)
        PosY += float(PenSize - 1);
    m_lineHeightPending = false;
    if (SpDrMode == SpLines)
        ComputeLinesBox();
}

bool TDPRptSpDr::ComputeGeometry(float scale)
{
    SettlePlace();
    if (SpDrMode == SpArrow) {
        ComputeArrow(scale);
        return true;
    }
    m_drawingOffset = QPointF();
    if (SpDrMode == SpHLine)
        Height = float(PenSize);
    if (!GeometryValid())
        return false;
    const int left = R(PosX), top = R(PosY), right = R(double(PosX) + Width), bottom = R(double(PosY) + Height);
    ShapePoints = {QPoint(left, top), QPoint(right, top), QPoint(right, bottom), QPoint(left, bottom)};
    return true;
}

QPoint TDPRptSpDr::AbsolutePixel(QPoint unitsInParent) const
{
    const QPointF origin = LayoutOrigin();
    const double parentX = AbsoluteRect.x - X - origin.x();
    const double parentY = AbsoluteRect.y - Y - origin.y();
    return QPoint(ToPixel((parentX + unitsInParent.x()) * Scale), ToPixel((parentY + unitsInParent.y()) * Scale));
}

bool TDPRptSpDr::ComputeScreenPoints()
{
    const double s = Scale;
    const int mode = ShapeMode();
    ShapePixelPoints.clear();
    if (mode == SpArrow) {
        for (const QPoint& p : std::as_const(ShapePoints))
            ShapePixelPoints.append(AbsolutePixel(p));
    } else {
        const UnitRect& a = AbsoluteRect;
        const int left = ToPixel(a.x * s), top = ToPixel(a.y * s);
        const int right = ToPixel((double(a.x) + a.width) * s), bottom = ToPixel((double(a.y) + a.height) * s);
        ShapePixelPoints = {QPoint(left, top), QPoint(right, top), QPoint(right, bottom), QPoint(left, bottom)};
    }
    PointPixels.clear();
    for (const QPoint& p : std::as_const(Points))
        PointPixels.append(ScreenRect.topLeft() + QPoint(ToPixel(p.x() * s), ToPixel(p.y() * s)));

    HandleRects.clear();
    if (mode == SpArrow && ShapePixelPoints.size() > 1)
        HandleRects.append(HandleAround(ShapePixelPoints[1]));
    else if (mode == SpLines)
        for (const QPoint& p : std::as_const(PointPixels))
            HandleRects.append(HandleAround(p));
    else if (IsRectLike())
        for (const QPoint& corner : std::as_const(ShapePixelPoints))
            HandleRects.append(HandleAround(corner));
    return true;
}

// --- File keys -------------------------------------------------------------------

bool TDPRptSpDr::ReadPoints(const QString& value)
{
    QList<QPoint> read;
    const QStringList pieces = value.split(QLatin1Char(')'));
    if (pieces.size() < 2 || !StrTrim(pieces.last()).isEmpty())
        return false;
    for (qsizetype i = 0; i + 1 < pieces.size(); ++i) {
        const QString piece = StrTrim(pieces[i]);
        if (!piece.startsWith(QLatin1Char('(')))
            return false;
        const QStringList xy = StrSplitFields(piece.mid(1), QStringLiteral(","));
        const std::optional<int> x = xy.size() == 2 ? TextToInt(xy[0]) : std::nullopt;
        const std::optional<int> y = xy.size() == 2 ? TextToInt(xy[1]) : std::nullopt;
        if (!x || !y || *x < 0 || *y < 0)
            return false;
        read.append(QPoint(*x, *y));
    }
    if (!m_pointsRead)
        Points.clear();
    Points.append(read);
    return true;
}

bool TDPRptSpDr::LoadKey(const QString& key, const QString& value, const QString& line)
{
    const QString firstField = StrTrim(StrExtractField(1, value, QStringLiteral(",")));
    if (key == QLatin1String("SPDRMODE")) {
        ModeFromName(value);
    } else if (key == QLatin1String("PENSIZE")) {
        if (const std::optional<int> pen = TextToInt(value); pen && *pen >= 1)
            PenSize = *pen;
    } else if (key == QLatin1String("SPDRFGCOLOR")) {
        if (const std::optional<int> color = TextToInt(value))
            ForeColors[0] = RgbColor(quint32(*color));
    } else if (key == QLatin1String("SPDRBKCOLOR")) {
        if (const std::optional<int> color = TextToInt(value))
            BackColors[0] = RgbColor(quint32(*color));
    } else if (key == QLatin1String("SPDRPOINTS")) {
        if (m_pointsBad || !ReadPoints(value)) {
            m_pointsBad = true;
            Points = {QPoint(0, 0)};
        }
        m_pointsRead = true;
    } else if (key == QLatin1String("SPDRLENGTHS")) {
        if (const std::optional<int> length = TextToInt(firstField); length && *length >= MinLength)
            Length = *length;
    } else if (key == QLatin1String("SPDRANGLES")) {
        if (const std::optional<double> angle = TextToDecimal(firstField); angle && *angle >= 0 && *angle < 360)
            Angle = float(*angle);
    } else if (key == QLatin1String("SPDRARROWTYPE")) {
        for (int type = 0; type < int(kArrowTypes.size()); ++type)
            if (value == QLatin1String(kArrowTypes[size_t(type)]))
                ArrowType = type;
    } else {
        return TDPRptRect::LoadKey(key, value, line);
    }
    return true;
}

bool TDPRptSpDr::LoadFromParams(const QString& section, const Param_Obj& params, int first, int last)
{
    m_pointsRead = false;
    m_pointsBad = false;
    if (!TDPRptRect::LoadFromParams(section, params, first, last))
        return false;
    // Older files kept horizontal lines taller than their pen: the line is
    // laid at its bottom once the item has its place.
    m_lineHeightPending = SpDrMode == SpHLine && float(PenSize) != Height;
    return true;
}

bool TDPRptSpDr::SaveKeys(QStringList& lines) const
{
    if (!TDPRptRect::SaveKeys(lines))
        return false;
    lines.append(QStringLiteral("SPDRMODE=") + ModeName());
    lines.append(QStringLiteral("PENSIZE=%1").arg(PenSize));
    if (ForeColors[0].Value() != 0)
        lines.append(QStringLiteral("SPDRFGCOLOR=%1").arg(ForeColors[0].Number()));
    if (BackColors[0].Value() != 0)
        lines.append(QStringLiteral("SPDRBKCOLOR=%1").arg(BackColors[0].Number()));
    if (SpDrMode == SpLines) {
        QString line;
        for (int i = 0; i < Points.size(); ++i) {
            line += QStringLiteral("(%1,%2)").arg(Points[i].x()).arg(Points[i].y());
            if (i % 5 == 4 || i + 1 == Points.size()) {
                lines.append(QStringLiteral("SPDRPOINTS=") + line);
                line.clear();
            }
        }
    } else if (SpDrMode == SpArrow) {
        lines.append(QStringLiteral("SPDRLENGTHS=%1").arg(Length));
        // Always a point: a decimal comma would lose the fraction on reading.
        lines.append(QStringLiteral("SPDRANGLES=") + QString::number(double(Angle), 'f', 2));
        lines.append(QStringLiteral("SPDRARROWTYPE=")
            + QLatin1String(kArrowTypes[size_t(std::clamp(ArrowType, 0, int(kArrowTypes.size()) - 1))]));
    }
    return true;
}

// --- Snapshots and copies ---------------------------------------------------------

void TDPRptSpDr::PushShape()
{
    m_snapshots.push_back(Shape {SpDrMode, PenSize, ArrowType, Angle, Length, Points, PointPixels});
}

bool TDPRptSpDr::PopShape(bool restore)
{
    if (m_snapshots.empty())
        return false;
    const Shape shape = m_snapshots.back();
    m_snapshots.pop_back();
    if (restore) {
        SpDrMode = shape.mode;
        PenSize = shape.penSize;
        ArrowType = shape.arrowType;
        Angle = shape.angle;
        Length = shape.length;
        Points = shape.points;
        PointPixels = shape.pointPixels;
    }
    return true;
}

bool TDPRptSpDr::CopyFrom(const TDPRptItem& source)
{
    if (auto* drawing = dynamic_cast<const TDPRptSpDr*>(&source)) {
        SpDrMode = drawing->SpDrMode;
        PenSize = drawing->PenSize;
        ShapePoints = drawing->ShapePoints;
        ShapePixelPoints = drawing->ShapePixelPoints;
        Points = drawing->Points;
        PointPixels = drawing->PointPixels;
        ArrowType = drawing->ArrowType;
        Angle = drawing->Angle;
        Length = drawing->Length;
        HandleRects = drawing->HandleRects;
        m_drawingOffset = drawing->m_drawingOffset;
        // A line loaded but not laid out yet still owes its move to the
        // bottom; a copy owes it too.
        m_lineHeightPending = drawing->m_lineHeightPending;
    }
    return TDPRptRect::CopyFrom(source);
}

// --- Handles and hit test ---------------------------------------------------------

int TDPRptSpDr::HandleAt(int x, int y) const
{
    for (int i = 0; i < HandleRects.size(); ++i)
        if (HandleRects[i].contains(x, y))
            return i + 1;
    return 0;
}

bool TDPRptSpDr::DragHandle(int handle, int dx, int dy, bool flag, HandleDrag& result) const
{
    if (!ScaleValid)
        return false;
    if (ShapeMode() == SpArrow && handle == 1 && ShapePoints.size() > 1) {
        const QPointF tail(PosX, PosY);
        const QPointF tip(R(ShapePoints[1].x() + dx / double(Scale)), R(ShapePoints[1].y() + dy / double(Scale)));
        const int length = R(QLineF(tail, tip).length());
        if (length < MinLength)
            return false;
        // The turned arrow is laid out on a copy, where the item sits.
        TDPRptSpDr turned;
        turned.CopyFrom(*this);
        turned.LayOutAsChildOf(Parent());
        turned.Angle = float(std::atan2(tail.y() - tip.y(), tip.x() - tail.x()) * 180.0 / kPi);
        turned.Length = length;
        if (!turned.SetScale(Scale))
            return false;
        result = {handle, turned.ScreenRect, turned.Angle, length, ScreenRect, Scale};
        return true;
    }
    if (!IsRectLike() || handle < 1 || handle > 4)
        return false;
    static constexpr std::array<std::array<int, 4>, 4> kMoveAndSize
        = {{{1, 1, -1, -1}, {0, 1, 1, -1}, {0, 0, 1, 1}, {1, 0, -1, 1}}};
    const std::array<int, 4>& k = kMoveAndSize[size_t(handle - 1)];
    const int vertical = ShapeMode() == SpHLine ? 0 : dy;
    const QPoint move(k[0] * dx, k[1] * vertical);
    const QSize size(ScreenRect.width() + k[2] * dx, ScreenRect.height() + k[3] * vertical);
    if (size.width() < 1 || size.height() < 1)
        return false;
    result = {handle, QRect(ScreenRect.topLeft() + (flag ? QPoint() : move), size), 0, 0, ScreenRect, Scale};
    return true;
}

bool TDPRptSpDr::ApplyHandleDrag(const HandleDrag& drag)
{
    // A drag computed on other geometry would resize the item wrongly.
    if (!ScaleValid || drag.scale != Scale || drag.from != ScreenRect)
        return false;
    if (ShapeMode() == SpArrow && drag.handle == 1) {
        if (drag.length < MinLength)
            return false;
        Angle = drag.angle;
        Length = drag.length;
        return SetScale(Scale);
    }
    if (!IsRectLike() || drag.handle < 1 || drag.handle > 4 || drag.rect.width() < 1 || drag.rect.height() < 1)
        return false;
    const QPoint move = drag.rect.topLeft() - ScreenRect.topLeft();
    Width = float(drag.rect.width() / double(Scale));
    if (ShapeMode() != SpHLine)
        Height = float(drag.rect.height() / double(Scale));
    PosX += float(move.x() / double(Scale));
    PosY += float(move.y() / double(Scale));
    return SetScale(Scale);
}

bool TDPRptSpDr::HandlePoint(int handle, QPoint& point) const
{
    const bool hasHandle = (IsRectLike() && handle >= 1 && handle <= 4) || (ShapeMode() == SpArrow && handle == 1);
    if (!hasHandle || handle > HandleRects.size())
        return false;
    point = HandleRects[handle - 1].bottomRight();
    return true;
}

int TDPRptSpDr::HitDistance(int x, int y) const
{
    if (!ScreenRect.contains(x, y))
        return 10000;
    const QPointF p(x, y);
    const QList<QPoint>& c = ShapePixelPoints;
    auto segment = [&](int a, int b) { return PlaneGeometry::DistanceToSegment(p, c[a], c[b]); };
    switch (SpDrMode) {
    case SpBCircle:
    case SpFCircle:
    case SpFBCircle:
        return R(PlaneGeometry::DistanceToEllipse(p, QRect(c[0], c[2])));
    case SpCross:
        return R(std::min(segment(0, 2), segment(1, 3)));
    case SpTBRel:
        return R(segment(0, 2));
    case SpBTRel:
        return R(segment(3, 1));
    case SpLines: {
        double best = PointPixels.isEmpty() ? 0 : QLineF(p, PointPixels[0]).length();
        for (int i = 1; i < PointPixels.size(); ++i)
            best = std::min(best, PlaneGeometry::DistanceToSegment(p, PointPixels[i - 1], PointPixels[i]));
        return R(best);
    }
    case SpArrow: {
        double best = segment(0, 1);
        if (ArrowType == ArrowHead && c.size() > 4)
            best = std::min({best, segment(1, 3), segment(1, 4)});
        return R(best);
    }
    default:
        return 0;
    }
}

// --- Drawing -------------------------------------------------------------------------

QPoint TDPRptSpDr::DrawingShift(const QRect& parentRect) const
{
    return parentRect.topLeft() + ScaledPos + PixelRect.topLeft() - ScreenRect.topLeft();
}

bool TDPRptSpDr::PaintBackground(const QRect&, ReportCanvas&, TDPRptPrintParams*)
{
    return true; // each mode paints its own fill
}

bool TDPRptSpDr::DrawContent(const QRect& clip, ReportCanvas& canvas, TDPRptPrintParams* params, float)
{
    QRect placed;
    if (!PlacedRect(clip, placed))
        return true;
    const QPoint shift = DrawingShift(clip);
    if (params && SpDrMode >= SpRect && SpDrMode <= SpArrow)
        params->RestorePage(canvas.Painter(), ScreenRect.translated(shift));
    SpDrPainter::Draw(*this, canvas.Painter(), shift, params);
    return true;
}

bool TDPRptSpDr::DrawBorders(const QRect& parentRect, ReportCanvas& canvas, TDPRptPrintParams* params)
{
    const int mode = ShapeMode();
    if (mode == SpNone || mode == SpHRel || mode == SpTBRel || mode == SpBTRel)
        return TDPRptRect::DrawBorders(parentRect, canvas, params);
    QRect placed;
    if (PlacedRect(parentRect, placed))
        SpDrPainter::DrawSelection(
            *this, canvas.Painter(), DrawingShift(parentRect), params ? params->Selection : SelectionLook());
    return true;
}
