#include "TDPRptItem.h"

#include "params/Numbers.h"
#include "params/Param_Obj.h"
#include "params/StrFields.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <typeinfo>

namespace {

int R(double value)
{
    return TDPRptItem::ToPixel(value);
}

bool IsSet(float value)
{
    return value != TDPRptItem::Unset && !std::isnan(value);
}

} // namespace

int TDPRptItem::ToPixel(double value)
{
    return std::clamp(RoundHalfEven(value), -FarPixel, FarPixel);
}

TDPRptItem::TDPRptItem()
{
    ResetItemFields();
}

TDPRptItem::~TDPRptItem()
{
    FreeChildren();
    // Freeing an item its parent still lists (delete of a child) takes it
    // out of the list first; an item no list holds touches no parent.
    if (m_parent) {
        const int index = m_parent->IndexOfChild(this);
        if (index >= 0) {
            m_parent->m_children[size_t(index)].item.release();
            m_parent->m_children.erase(m_parent->m_children.begin() + index);
        }
    }
}

void TDPRptItem::ResetItemFields()
{
    Name.clear();
    LogName.clear();
    PathFlag = false;
    X = 0;
    Y = 0;
    Width = Unset;
    Height = Unset;
    PixelRect.setCoords(0, 0, std::numeric_limits<int>::max(), std::numeric_limits<int>::max());
    Scale = -1;
    ScaleValid = false;
    ScaledPos = QPoint();
    PosX = 0;
    PosY = 0;
    ChildNames.clear();
    CanHaveChildren = true;
    ScreenRect = QRect();
    AbsoluteRect = UnitRect();
    ColorIndex = 0;
    ForeColors = {RgbColor(0x000000), RgbColor(0x808080), RgbColor(0xFF0000)};
    BackColors = {RgbColor(0xFFFFFF), RgbColor(0xFFFFFF), RgbColor(0xFFFFFF)};
    Tag = 0;
    Visible = true;
    GridExtX = 0;
    GridExtY = 0;
    EditState = ItemEditState();
    m_layoutParentRect.reset();
}

void TDPRptItem::Reset()
{
    ResetItemFields();
    FreeChildren();
}

// --- Children ---------------------------------------------------------------

void TDPRptItem::FreeChildren()
{
    while (!m_children.empty()) {
        std::unique_ptr<TDPRptItem> child = std::move(m_children.back().item);
        m_children.pop_back();
        child->m_parent = nullptr;
    }
}

int TDPRptItem::Insert(int index, const QString& name, std::unique_ptr<TDPRptItem> item)
{
    Q_ASSERT_X(item, "TDPRptItem", "no item to add");
    if (!item)
        return -1;
    // A handle on an item some list already owns is a second owner: it is
    // let go, never freed, whatever the answer.
    const int existing = IndexOfChild(item.get());
    if (existing >= 0) {
        item.release();
        return existing;
    }
    bool ancestor = item->m_parent != nullptr;
    for (const TDPRptItem* up = this; up && !ancestor; up = up->m_parent)
        ancestor = up == item.get();
    if (ancestor) {
        Q_ASSERT_X(false, "TDPRptItem", "an item owned elsewhere cannot join this list");
        item.release();
        return -1;
    }
    Q_ASSERT_X(CanHaveChildren, "TDPRptItem", "item can not have children");
    if (!CanHaveChildren)
        return -1; // the refused item is freed here
    item->m_parent = this;
    index = std::clamp(index, 0, ChildCount());
    m_children.insert(m_children.begin() + index, Child {name, std::move(item)});
    return index;
}

int TDPRptItem::AddObject(const QString& name, std::unique_ptr<TDPRptItem> item)
{
    return Insert(ChildCount(), name, std::move(item));
}

int TDPRptItem::InsertObject(int index, const QString& name, std::unique_ptr<TDPRptItem> item)
{
    return Insert(index, name, std::move(item));
}

bool TDPRptItem::InsertChild(int position, std::unique_ptr<TDPRptItem> item)
{
    if (position < 0 || !item)
        return false;
    if (IndexOfChild(item.get()) >= 0) {
        item.release(); // already listed: nothing to insert
        return false;
    }
    const QString name = item->Name;
    return Insert(std::min(position, ChildCount()), name, std::move(item)) >= 0;
}

int TDPRptItem::IndexOf(const QString& name, const TDPRptItem* item) const
{
    const QString wanted = StrTrim(name);
    if (wanted.isEmpty())
        return IndexOfChild(item);
    for (int i = 0; i < ChildCount(); ++i) {
        const Child& child = m_children[size_t(i)];
        if (StrTrim(child.name).compare(wanted, Qt::CaseInsensitive) == 0)
            return item && child.item.get() != item ? -1 : i;
    }
    return -1;
}

std::unique_ptr<TDPRptItem> TDPRptItem::TakeChild(const QString& name, const TDPRptItem* item)
{
    const int index = IndexOf(name, item);
    if (index < 0)
        return nullptr;
    std::unique_ptr<TDPRptItem> child = std::move(m_children[size_t(index)].item);
    m_children.erase(m_children.begin() + index);
    child->m_parent = nullptr;
    return child;
}

bool TDPRptItem::RemoveChild(const QString& name, const TDPRptItem* item)
{
    return TakeChild(name, item) != nullptr;
}

TDPRptItem* TDPRptItem::ChildAt(int position) const
{
    return position >= 0 && position < ChildCount() ? m_children[size_t(position)].item.get() : nullptr;
}

QString TDPRptItem::ChildName(int position) const
{
    return position >= 0 && position < ChildCount() ? m_children[size_t(position)].name : QString();
}

int TDPRptItem::IndexOfChild(const TDPRptItem* item) const
{
    // Every item in the list has this item as its parent: others need no search.
    if (!item || item->m_parent != this)
        return -1;
    for (int i = 0; i < ChildCount(); ++i)
        if (m_children[size_t(i)].item.get() == item)
            return i;
    return -1;
}

TDPRptItem* TDPRptItem::Root()
{
    TDPRptItem* root = this;
    while (root->m_parent)
        root = root->m_parent;
    return root;
}

QString TDPRptItem::Path() const
{
    const QString own = LogName.isEmpty() ? Name : LogName;
    if (PathFlag && m_parent)
        return m_parent->Path() + QLatin1Char('\\') + own;
    return own;
}

TDPRptItem* TDPRptItem::FindByPath(const QString& path)
{
    if (Path() == path)
        return this;
    for (const Child& child : m_children)
        if (TDPRptItem* found = child.item->FindByPath(path))
            return found;
    return nullptr;
}

TDPRptItem* TDPRptItem::FindByName(const QString& name)
{
    if (Name == name)
        return this;
    for (const Child& child : m_children)
        if (TDPRptItem* found = child.item->FindByName(name))
            return found;
    return nullptr;
}

void TDPRptItem::ItemsAtPoint(int x, int y, QList<QPair<QString, TDPRptItem*>>& items)
{
    if (ScreenRect.contains(x, y))
        items.append({Name, this});
    for (const Child& child : m_children)
        child.item->ItemsAtPoint(x, y, items);
}

// --- Scale and rectangles ---------------------------------------------------

bool TDPRptItem::GeometryValid() const
{
    return IsSet(X) && IsSet(Y) && IsSet(Width) && IsSet(Height) && X >= 0 && Y >= 0 && Width > 0 && Height > 0;
}

bool TDPRptItem::SetScale(float scale)
{
    if (!(scale > 0) || !std::isfinite(scale)) {
        if (!ScaleValid)
            return false;
        scale = Scale;
    }
    if (!GeometryValid())
        return false;
    Scale = scale;
    ScaleValid = true;
    ComputeRects();
    for (const Child& child : m_children)
        child.item->SetScale(scale);
    return true;
}

bool TDPRptItem::ScaleChildren(float scale)
{
    bool ok = true;
    for (const Child& child : m_children)
        ok = child.item->SetScale(scale) && ok;
    return ok;
}

bool TDPRptItem::ComputeRects()
{
    const double s = Scale;
    const QPointF origin = LayoutOrigin();
    ScaledPos = QPoint(R(origin.x() * s), R(origin.y() * s));
    PixelRect.setCoords(R(X * s), R(Y * s), R((origin.x() + Width) * s) - 1 - ScaledPos.x(),
        R((origin.y() + Height) * s) - 1 - ScaledPos.y());
    const float placeX = X + float(origin.x());
    const float placeY = Y + float(origin.y());
    const UnitRect* parent = m_parent ? &m_parent->AbsoluteRect : m_layoutParentRect ? &*m_layoutParentRect : nullptr;
    if (parent)
        AbsoluteRect = {parent->x + placeX, parent->y + placeY, Width, Height};
    else
        AbsoluteRect = {X, Y, Width, Height};
    const UnitRect& a = AbsoluteRect;
    ScreenRect.setCoords(
        R(a.x * s), R(a.y * s), R((double(a.x) + a.width) * s) - 1, R((double(a.y) + a.height) * s) - 1);
    return true;
}

bool TDPRptItem::Relayout()
{
    bool ok = ComputeRects();
    for (const Child& child : m_children)
        ok = child.item->Relayout() && ok;
    return ok;
}

// --- Drawing ------------------------------------------------------------------

bool TDPRptItem::UseScale(float scale)
{
    if (!(scale > 0) && ScaleValid)
        return true;
    return SetScale(scale);
}

bool TDPRptItem::DrawAt(const QRect&, ReportCanvas&, TDPRptPrintParams*, float scale)
{
    return UseScale(scale);
}

bool TDPRptItem::PrintAt(
    ReportCanvas& canvas, TDPRptPrintParams* params, int x, int y, int, int, float scale, const QRect& rect)
{
    if (!(scale > 0))
        return false;
    // A copy placed there draws: the item keeps its place, scale and
    // rectangles, which the screen's hit tests use.
    const std::unique_ptr<TDPRptItem> copy = DeepCopy();
    if (!copy)
        return false;
    copy->LayOutAsChildOf(m_parent);
    copy->PosX = float(x / double(scale));
    copy->PosY = float(y / double(scale));
    return copy->DrawAt(rect, canvas, params, scale);
}

bool TDPRptItem::DrawContent(const QRect& clip, ReportCanvas& canvas, TDPRptPrintParams* params, float scale)
{
    QRect own = PixelRect;
    if (!ClipToParent(clip, ScaledPos, own))
        return true;
    // An item being edited shows on its edit surface, not on the page.
    for (const Child& child : m_children)
        if (!child.item->EditState.HiddenWhileEdited)
            child.item->DrawAt(own, canvas, params, scale);
    return true;
}

bool TDPRptItem::DrawInRect(const UnitRect& rect, ReportCanvas& canvas, float scale)
{
    if (!SetScale(scale))
        return false;
    const double s = Scale;
    QRect pixels;
    pixels.setCoords(R(rect.x * s), R(rect.y * s), R((double(rect.x) + rect.width) * s) - 1,
        R((double(rect.y) + rect.height) * s) - 1);
    return DrawAt(pixels, canvas, nullptr, -1);
}

bool TDPRptItem::ClipToParent(const QRect& parent, const QPoint& offset, QRect& rect) const
{
    rect.translate(offset + parent.topLeft());
    const bool visible = rect.top() >= parent.top() && rect.top() <= parent.bottom() && rect.left() >= parent.left()
        && rect.left() <= parent.right();
    if (visible) {
        rect.setBottom(std::min(rect.bottom(), parent.bottom()));
        rect.setRight(std::min(rect.right(), parent.right()));
    }
    return visible;
}

bool TDPRptItem::ClipToParentF(const UnitRect& parent, float offsetX, float offsetY, UnitRect& rect) const
{
    rect.x += offsetX + parent.x;
    rect.y += offsetY + parent.y;
    const bool visible = rect.x >= parent.x && rect.y >= parent.y;
    if (visible) {
        rect.width = std::min(rect.width, parent.x + parent.width - rect.x);
        rect.height = std::min(rect.height, parent.y + parent.height - rect.y);
    }
    return visible;
}

// --- Values, colours, hit tests -----------------------------------------------

bool TDPRptItem::SetValue(const QVariantList&)
{
    return false;
}

QVariant TDPRptItem::GetValue() const
{
    return QVariant();
}

bool TDPRptItem::SetColorIndex(int index)
{
    if (index < 0 || index >= int(ForeColors.size()))
        return false;
    ColorIndex = index;
    for (const Child& child : m_children)
        child.item->SetColorIndex(index);
    return true;
}

int TDPRptItem::HitDistance(int x, int y) const
{
    return ScreenRect.contains(x, y) ? 0 : 10000;
}

int TDPRptItem::HandleAt(int, int) const
{
    return 0;
}

bool TDPRptItem::DragHandle(int, int, int, bool, HandleDrag&) const
{
    return false;
}

bool TDPRptItem::ApplyHandleDrag(const HandleDrag&)
{
    return false;
}

bool TDPRptItem::HandlePoint(int, QPoint&) const
{
    return false;
}

void TDPRptItem::SetTag(bool recurse, int value)
{
    Tag = value;
    if (!recurse)
        return;
    for (const Child& child : m_children)
        child.item->SetTag(true, value);
}

bool TDPRptItem::AssignFrom(int mode, TDPRptItem* source)
{
    if ((mode != 0 && mode != 1) || !source || source == this)
        return false;
    // Taking over the children of an ancestor would take this item too.
    for (const TDPRptItem* up = m_parent; mode == 1 && up; up = up->m_parent)
        if (up == source)
            return false;
    if (!CopyFrom(*source))
        return false;
    // Mode 1 hands the source's children over to this item; a child has one
    // owner, so the source's list is emptied rather than shared.
    while (mode == 1 && source->ChildCount() > 0 && CanHaveChildren) {
        const QString name = source->ChildName(0);
        AddObject(name, source->TakeChild(QString(), source->ChildAt(0)));
    }
    return true;
}

bool TDPRptItem::CopyFrom(const TDPRptItem& source)
{
    // The parent link stays: an item belongs to the list of one parent at a
    // time, and a free copy must never reach the source's parent. The
    // editing state stays too: it belongs to the item on screen.
    Name = source.Name;
    LogName = source.LogName;
    PathFlag = source.PathFlag;
    X = source.X;
    Y = source.Y;
    Width = source.Width;
    Height = source.Height;
    PixelRect = source.PixelRect;
    Scale = source.Scale;
    ScaleValid = source.ScaleValid;
    ScaledPos = source.ScaledPos;
    PosX = source.PosX;
    PosY = source.PosY;
    ChildNames = source.ChildNames;
    CanHaveChildren = source.CanHaveChildren;
    ScreenRect = source.ScreenRect;
    AbsoluteRect = source.AbsoluteRect;
    ColorIndex = source.ColorIndex;
    ForeColors = source.ForeColors;
    BackColors = source.BackColors;
    Tag = source.Tag;
    Visible = source.Visible;
    GridExtX = source.GridExtX;
    GridExtY = source.GridExtY;
    OnCustomDraw = source.OnCustomDraw;
    return true;
}

std::unique_ptr<TDPRptItem> TDPRptItem::CreateEmpty() const
{
    return std::make_unique<TDPRptItem>();
}

std::unique_ptr<TDPRptItem> TDPRptItem::DeepCopy() const
{
    std::unique_ptr<TDPRptItem> copy = CreateEmpty();
    const TDPRptItem* made = copy.get();
    Q_ASSERT_X(made && typeid(*made) == typeid(*this), "TDPRptItem", "CreateEmpty gives another class");
    if (!copy || !copy->CopyFrom(*this))
        return nullptr;
    for (const Child& child : m_children)
        if (std::unique_ptr<TDPRptItem> childCopy = child.item->DeepCopy())
            copy->AddObject(child.name, std::move(childCopy));
    return copy;
}

void TDPRptItem::LayOutAsChildOf(const TDPRptItem* parent)
{
    Q_ASSERT_X(!m_parent, "TDPRptItem", "only a free item is laid out as a child");
    if (parent && !m_parent)
        m_layoutParentRect = parent->AbsoluteRect;
    else
        m_layoutParentRect.reset();
}

// --- Definition file keys -------------------------------------------------------

void TDPRptItem::ClampSection(const Param_Obj& params, int& first, int& last)
{
    first = std::max(first, 0);
    if (last < 0 || last >= params.Count())
        last = params.Count() - 1;
}

bool TDPRptItem::LoadFromParams(const QString& section, const Param_Obj& params, int first, int last)
{
    ClampSection(params, first, last);
    if (last - first + 1 < 2 || StrTrim(section).isEmpty())
        return false;
    m_rectSeen = false;
    for (int i = first; i <= last; ++i) {
        const QString& line = params.Lines()[i];
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        const QString key = StrTrim(equals < 0 ? line : line.left(equals)).toUpper();
        const QString value
            = equals < 0 ? QString() : StrTrim(StrExtractField(1, line.mid(equals + 1), QStringLiteral("=")));
        if (!LoadKey(key, value, line))
            return false;
    }
    if (!m_rectSeen)
        return false;
    Name = StrTrim(section);
    return true;
}

bool TDPRptItem::LoadKey(const QString& key, const QString& value, const QString&)
{
    if (key == QLatin1String("LOGNAME")) {
        LogName = value;
    } else if (key == QLatin1String("RECT")) {
        const QStringList size = StrSplitFields(value, QStringLiteral(","));
        const std::optional<int> w = size.size() >= 2 ? TextToInt(size[0]) : std::nullopt;
        const std::optional<int> h = size.size() >= 2 ? TextToInt(size[1]) : std::nullopt;
        if (!w || !h || *w < 1 || *h < 1)
            return false;
        Width = float(*w);
        Height = float(*h);
        m_rectSeen = true;
    } else if (key == QLatin1String("COLORS")) {
        for (const auto& [name, number] : StrNameValuePairs(value)) {
            const std::optional<int> color = TextToInt(number);
            if (color && name == QLatin1String("BACK"))
                BackColors[0] = RgbColor(quint32(*color));
        }
    } else if (key == QLatin1String("GRIDEXT")) {
        for (const auto& [name, number] : StrNameValuePairs(value)) {
            const std::optional<int> extent = TextToInt(number);
            if (extent && name == QLatin1String("X"))
                GridExtX = *extent;
            else if (extent && name == QLatin1String("Y"))
                GridExtY = *extent;
        }
    } else if (key == QLatin1String("CHILD")) {
        ChildNames.append(value);
    }
    return true;
}

bool TDPRptItem::SaveKeys(QStringList&) const
{
    return true;
}
