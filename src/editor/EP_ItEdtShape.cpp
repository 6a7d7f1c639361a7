// The item editor: colour, pen, shape, place and size of the selected item.
#include "EP_ItEdt.h"

#include "ImageWidget.h"
#include "ItemColors.h"
#include "PageScrollBox.h"

#include "config/TEP_Config.h"
#include "documents/Messenger.h"
#include "params/Numbers.h"
#include "report/TDPRptSpDr.h"
#include "report/TDPRptText.h"

#include <cmath>

bool EP_ItEdt::SetColor(RgbColor color)
{
    if (!m_current)
        return false;
    m_undo.RecordColor();
    m_config.Session.CurrentColor = color;
    ItemColors::SetColor(*m_current, color);
    m_changed = true;
    DrawSelection();
    return true;
}

bool EP_ItEdt::ChangeDrawingKind(int mode)
{
    // Rectangles and circles change between their outlined, filled and
    // filled-with-outline kinds, keeping the colour the pupil sees.
    const auto family = [](int kind) {
        if (kind >= TDPRptSpDr::SpRect && kind <= TDPRptSpDr::SpFBRect)
            return 1;
        return kind >= TDPRptSpDr::SpBCircle && kind <= TDPRptSpDr::SpFBCircle ? 2 : 0;
    };
    TDPRptSpDr* drawing = CurrentDrawing();
    if (!drawing || family(mode) == 0 || family(mode) != family(drawing->SpDrMode))
        return false;
    if (mode == drawing->SpDrMode)
        return true;
    const RgbColor color = ItemColors::ColorOf(*drawing);
    m_undo.BeginGroup(TEP_Undo::Modify);
    drawing->SpDrMode = mode;
    ItemColors::SetColor(*drawing, color);
    if (mode == TDPRptSpDr::SpFBRect || mode == TDPRptSpDr::SpFBCircle)
        drawing->ForeColors[0] = RgbColor(0);
    drawing->SetScale(RootScale());
    m_changed = true;
    DrawSelection();
    return true;
}

bool EP_ItEdt::ChangePenSize(int delta)
{
    TDPRptSpDr* drawing = CurrentDrawing();
    if (!drawing)
        return false;
    const int size = drawing->PenSize + delta;
    if (size < MinPenSize || size > MaxPenSize)
        return false;
    const int type = drawing->SpDrMode == TDPRptSpDr::SpArrow ? drawing->ArrowType : int(NoPointOperation);
    if (!ModifyDrawing(delta, drawing->Length, drawing->Angle, type))
        return false;
    m_config.Session.CurrentPenSize = size;
    return true;
}

bool EP_ItEdt::ModifyDrawing(int penDelta, int length, float angle, int typeOrPointOperation, int x, int y)
{
    TDPRptSpDr* drawing = CurrentDrawing();
    if (!drawing)
        return false;
    drawing->PushShape();
    // A polyline's place follows its points: kept to be put back as well.
    const float posX = drawing->PosX, posY = drawing->PosY;
    const TEP_Undo* group = m_undo.BeginGroup(TEP_Undo::Modify);
    const QPoint originBefore = drawing->ScreenRect.topLeft();
    const QSize sizeBefore = SurfaceRect().size();
    if (drawing->SpDrMode == TDPRptSpDr::SpArrow) {
        drawing->Angle = angle;
        drawing->Length = std::max(length, int(TDPRptSpDr::MinLength));
        drawing->ArrowType = typeOrPointOperation;
    } else if (drawing->SpDrMode == TDPRptSpDr::SpLines) {
        const QPoint point(x, y);
        if (x != NoPoint && y != NoPoint && (drawing->Points.isEmpty() || drawing->Points.last() != point))
            drawing->Points.append(point);
        if (typeOrPointOperation == DeleteFirst && !drawing->Points.isEmpty())
            drawing->Points.removeFirst();
        else if (typeOrPointOperation == DeleteLast && !drawing->Points.isEmpty())
            drawing->Points.removeLast();
    }
    drawing->PenSize += penDelta;
    drawing->SetScale(RootScale());
    const QRect rect(SurfaceRect().topLeft() + drawing->ScreenRect.topLeft() - originBefore,
        drawing->PixelRect.size().boundedTo(QSize(MaxSurfaceSide, MaxSurfaceSide)));
    if (!InsidePage(rect) || !PointsInsidePage(*drawing, rect.topLeft())) {
        drawing->PopShape(true);
        drawing->PosX = posX;
        drawing->PosY = posY;
        drawing->SetScale(RootScale());
        m_undo.Cancel(group);
        DrawSelection();
        return false;
    }
    drawing->PopShape(false);
    SetSurfaceRect(rect);
    m_changed = true;
    DrawSelection();
    if (rect.size() != sizeBefore)
        DrawSelection();
    return true;
}

bool EP_ItEdt::TurnArrow(float degrees)
{
    TDPRptSpDr* drawing = CurrentDrawing();
    return drawing && drawing->SpDrMode == TDPRptSpDr::SpArrow
        && ModifyDrawing(0, drawing->Length, drawing->Angle + degrees, drawing->ArrowType);
}

bool EP_ItEdt::ChangeArrowLength(int delta)
{
    TDPRptSpDr* drawing = CurrentDrawing();
    return drawing && drawing->SpDrMode == TDPRptSpDr::SpArrow
        && ModifyDrawing(0, drawing->Length + delta, drawing->Angle, drawing->ArrowType);
}

bool EP_ItEdt::SetArrowType(int type)
{
    TDPRptSpDr* drawing = CurrentDrawing();
    return drawing && drawing->SpDrMode == TDPRptSpDr::SpArrow && type >= TDPRptSpDr::ArrowHead
        && type <= TDPRptSpDr::ArrowRel && ModifyDrawing(0, drawing->Length, drawing->Angle, type);
}

bool EP_ItEdt::AddPoint(int x, int y)
{
    TDPRptSpDr* drawing = CurrentDrawing();
    if (!drawing || drawing->SpDrMode != TDPRptSpDr::SpLines)
        return false;
    // A point of the surface is a point from the item's origin.
    const double scale = RootScale();
    return ModifyDrawing(
        0, drawing->Length, drawing->Angle, NoPointOperation, RoundHalfEven(x / scale), RoundHalfEven(y / scale));
}

bool EP_ItEdt::DeleteFirstPoint()
{
    TDPRptSpDr* drawing = CurrentDrawing();
    return drawing && drawing->SpDrMode == TDPRptSpDr::SpLines && !drawing->Points.isEmpty()
        && ModifyDrawing(0, drawing->Length, drawing->Angle, DeleteFirst);
}

bool EP_ItEdt::DeleteLastPoint()
{
    TDPRptSpDr* drawing = CurrentDrawing();
    return drawing && drawing->SpDrMode == TDPRptSpDr::SpLines && !drawing->Points.isEmpty()
        && ModifyDrawing(0, drawing->Length, drawing->Angle, DeleteLast);
}

// --- Moves -----------------------------------------------------------------------

bool EP_ItEdt::Move(int directions, int step, bool apply)
{
    return Move(directions, step, step, apply);
}

bool EP_ItEdt::Move(int directions, int horizontalStep, int verticalStep, bool apply)
{
    if (!m_current || directions == 0)
        return false;
    const QRect page = PageRect();
    const QRect surface = SurfaceRect();
    const bool up = directions & MoveUp, down = directions & MoveDown;
    const bool left = directions & MoveLeft, right = directions & MoveRight;
    const int dx = horizontalStep, dy = verticalStep;
    const bool upOk = surface.top() - dy >= page.top();
    const bool downOk = surface.top() + surface.height() + dy < page.top() + page.height();
    const bool leftOk = surface.left() - dx >= page.left();
    const bool rightOk = surface.left() + surface.width() + dx < page.left() + page.width();
    const bool verticalOk = (!up || upOk) && (!down || downOk);
    const bool horizontalOk = (!left || leftOk) && (!right || rightOk);
    const bool vertical = up || down, horizontal = left || right;
    bool allowed = verticalOk && horizontalOk;
    // A diagonal move along an edge goes on along it.
    if (vertical && horizontal && (verticalOk || horizontalOk))
        allowed = true;
    if (!apply) {
        ScrollToCurrent();
        return allowed;
    }
    QPoint to = surface.topLeft();
    if (up)
        to.ry() = upOk ? to.y() - dy : page.top();
    if (down)
        to.ry() = downOk ? to.y() + dy : page.top() + page.height() - 1 - surface.height();
    if (left)
        to.rx() = leftOk ? to.x() - dx : page.left();
    if (right)
        to.rx() = rightOk ? to.x() + dx : page.left() + page.width() - 1 - surface.width();
    if (to != surface.topLeft()) {
        // Recorded before any change, a snap to the edge included.
        if (!Sizing)
            m_undo.RecordMove();
        PutSurface(to - page.topLeft());
        SyncPosition(*m_current);
        m_changed = true;
    }
    DrawSelection();
    ScrollToCurrent();
    return allowed;
}

bool EP_ItEdt::MoveByDigit(QChar digit, int step, bool apply)
{
    static const int kDirections[10] = {0, MoveDown | MoveLeft, MoveDown, MoveDown | MoveRight, MoveLeft, 0, MoveRight,
        MoveUp | MoveLeft, MoveUp, MoveUp | MoveRight};
    if (digit < QLatin1Char('0') || digit > QLatin1Char('9'))
        return false;
    const int directions = kDirections[digit.unicode() - '0'];
    return directions != 0 && Move(directions, step, apply);
}

bool EP_ItEdt::Resize(int heightChange, int widthChange, bool apply)
{
    TDPRptSpDr* drawing = CurrentDrawing();
    if (!drawing || !drawing->IsRectLike()) {
        if (apply)
            m_messenger.Beep();
        return false;
    }
    const QRect page = PageRect();
    const QRect surface = SurfaceRect();
    // Replayed steps give the sizes to go back to.
    int dh = m_undo.Replaying ? heightChange - surface.height() : heightChange;
    const int dw = m_undo.Replaying ? widthChange - surface.width() : widthChange;
    // A line is as high as its pen.
    if (drawing->SpDrMode == TDPRptSpDr::SpHRel || drawing->SpDrMode == TDPRptSpDr::SpHLine)
        dh = 0;
    const double minimum = 20.0 * RootScale(); // 2 mm
    const int height = surface.height() + dh, width = surface.width() + dw;
    const bool heightOk
        = surface.top() + height < page.top() + page.height() - 1 && height >= minimum && height <= MaxSurfaceSide;
    const bool widthOk
        = surface.left() + width < page.left() + page.width() - 1 && width >= minimum && width <= MaxSurfaceSide;
    const bool allowed = (dh == 0 || heightOk) && (dw == 0 || widthOk);
    if (!apply)
        return allowed;
    const bool applyHeight = dh != 0 && heightOk, applyWidth = dw != 0 && widthOk;
    if (!applyHeight && !applyWidth) {
        if (dh != 0 || dw != 0)
            m_messenger.Beep();
        return allowed;
    }
    if (!Sizing)
        m_undo.RecordResize();
    const double scale = RootScale();
    if (applyHeight)
        drawing->Height = float(drawing->Height + dh / scale);
    if (applyWidth)
        drawing->Width = float(drawing->Width + dw / scale);
    SetSurfaceRect(
        QRect(surface.topLeft(), QSize(applyWidth ? width : surface.width(), applyHeight ? height : surface.height())));
    RememberModeSize(*drawing);
    m_changed = true;
    DrawSelection();
    ScrollToCurrent();
    return allowed;
}

// --- Resize squares ------------------------------------------------------------------

int EP_ItEdt::SquareAt(int x, int y) const
{
    if (!m_current)
        return 0;
    const QPoint onPage = QPoint(x, y) + m_current->ScreenRect.topLeft();
    return m_current->HandleAt(onPage.x(), onPage.y());
}

bool EP_ItEdt::SquareCentre(int square, QPoint& centre) const
{
    const TDPRptSpDr* drawing = CurrentDrawing();
    if (!drawing || square < 1 || square > drawing->HandleRects.size())
        return false;
    centre = drawing->HandleRects[square - 1].center() - drawing->ScreenRect.topLeft();
    return true;
}

void EP_ItEdt::ToggleResizeMode()
{
    ResizeMode = ResizeMode == 0 ? 1 : 0;
}

bool EP_ItEdt::StartSquareResize(int mode)
{
    TDPRptSpDr* drawing = CurrentDrawing();
    if (!drawing)
        return false;
    const int effective = mode >= 0 ? mode : ResizeMode;
    if (drawing->SpDrMode == TDPRptSpDr::SpArrow)
        m_undo.BeginGroup(TEP_Undo::SquareDrag);
    else
        m_undo.RecordGeometry();
    // A resize held on the diagonal starts from a square shape: the longer
    // side comes down to the shorter one, so the item stays on the page.
    if (effective == 2 && drawing->IsRectLike() && drawing->SpDrMode != TDPRptSpDr::SpHLine) {
        const QRect surface = SurfaceRect();
        const int side = std::min(surface.width(), surface.height());
        const double scale = RootScale();
        drawing->Width = float(side / scale);
        drawing->Height = float(side / scale);
        SetSurfaceRect(QRect(surface.topLeft(), QSize(side, side)));
        m_changed = true;
        DrawSelection();
    }
    m_undo.Compact();
    return true;
}

bool EP_ItEdt::DragSquare(int square, int dx, int dy)
{
    TDPRptSpDr* drawing = CurrentDrawing();
    if (!drawing || square < 1 || square > 4 || (dx == 0 && dy == 0))
        return false;
    const bool arrow = drawing->SpDrMode == TDPRptSpDr::SpArrow;
    if (!arrow && ResizeMode != 0) {
        const int value = std::abs(dx) >= std::abs(dy) ? dx : dy;
        const bool sameSigns = square == 1 || square == 3;
        if (std::abs(dx) >= std::abs(dy)) {
            dx = value;
            dy = sameSigns ? value : -value;
        } else {
            dy = value;
            dx = sameSigns ? value : -value;
        }
    }
    drawing->SetScale(RootScale());
    HandleDrag moved;
    if (!drawing->DragHandle(square, dx, dy, false, moved))
        return false;
    const QRect surface = SurfaceRect();
    const QRect rect = moved.rect.translated(surface.topLeft() - drawing->ScreenRect.topLeft());
    if (rect == surface || !InsidePage(rect))
        return false;
    const TEP_Undo* record = arrow ? m_undo.BeginGroup(TEP_Undo::SquareDrag) : m_undo.RecordGeometry();
    drawing->PushShape();
    const float posX = drawing->PosX, posY = drawing->PosY;
    const float width = drawing->Width, height = drawing->Height;
    const bool applied = drawing->ApplyHandleDrag(moved) && drawing->SetScale(RootScale());
    if (!applied || !PointsInsidePage(*drawing, rect.topLeft())) {
        drawing->PopShape(true);
        drawing->PosX = posX;
        drawing->PosY = posY;
        drawing->Width = width;
        drawing->Height = height;
        drawing->SetScale(RootScale());
        m_undo.Cancel(record);
        m_undo.Compact();
        return false;
    }
    drawing->PopShape(false);
    SetSurfaceRect(rect);
    m_changed = true;
    DrawSelection();
    m_undo.Compact();
    return true;
}

bool EP_ItEdt::PointsInsidePage(const TDPRptSpDr& drawing, QPoint surfaceAt) const
{
    // An arrow's rectangle stops at the page's corner: its points tell
    // whether it would leave the page.
    if (drawing.SpDrMode != TDPRptSpDr::SpArrow)
        return true;
    const QRect page = PageRect();
    const QPoint shift = surfaceAt - drawing.ScreenRect.topLeft();
    for (int i = 0; i < drawing.ShapePixelPoints.size(); ++i) {
        const QPoint point = drawing.ShapePixelPoints[i] + shift;
        if (i != 2 && !page.contains(point))
            return false;
    }
    return true;
}

void EP_ItEdt::RestoreSaved(TDPRptItem& item, TDPRptItem& saved)
{
    item.AssignFrom(0, &saved);
    item.SetScale(RootScale());
}
