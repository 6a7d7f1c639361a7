#pragma once

#include "ItemEditState.h"
#include "params/RgbColor.h"

#include <QList>
#include <QPair>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class Param_Obj;
class ReportCanvas;
class TDPRptPrintParams;

// A rectangle in document units (tenths of a millimetre).
struct UnitRect {
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;
};

// What dragging a handle would give, computed without changing the item;
// ApplyHandleDrag then makes it the item's geometry.
struct HandleDrag {
    int handle = 0;
    QRect rect; // the item's new screen rectangle
    float angle = 0; // arrows: the new direction and length
    int length = 0;
    // The geometry the drag was computed from: a drag applied to an item
    // that changed meanwhile is refused.
    QRect from;
    float scale = 0;
};

// A node of the report item tree: a named item with a size in document units,
// a place in its parent and owned children. Subclasses draw rectangles, text,
// special drawings, images and grids. A scale is device pixels per unit.
//
// Ownership: a parent owns its children. Items come in and go out of a tree
// as std::unique_ptr (factories, AddObject, InsertObject, InsertChild,
// TakeChild); a refused child is freed, never left to the caller. Mistakes
// of the program (a child refused, a bad mode) assert in debug builds and
// are refused with false, -1 or null: nothing here throws.
class TDPRptItem {
public:
    static constexpr float Unset = 2147483648.0f;
    // Pixel positions and sizes are kept within this distance of the
    // origin: far beyond any surface (the visible result is the same), with
    // room for the sums and differences drawing makes of them.
    static constexpr int FarPixel = 1 << 29;
    // A position in pixels, rounded (halves to even) and kept within FarPixel.
    static int ToPixel(double value);

    TDPRptItem();
    virtual ~TDPRptItem();
    TDPRptItem(const TDPRptItem&) = delete;
    TDPRptItem& operator=(const TDPRptItem&) = delete;

    // --- Virtual operations ---
    virtual bool SetScale(float scale);
    virtual bool DrawAt(const QRect& parentRect, ReportCanvas& canvas, TDPRptPrintParams* params, float scale);
    // Draws the item as if placed at (x, y) pixels, at that scale, leaving
    // it as it was.
    virtual bool PrintAt(ReportCanvas& canvas, TDPRptPrintParams* params, int x, int y, int width, int height,
        float scale, const QRect& rect);
    virtual bool SetValue(const QVariantList& arguments);
    virtual QVariant GetValue() const;
    virtual TDPRptItem* FindByPath(const QString& path);
    virtual bool LoadFromParams(const QString& section, const Param_Obj& params, int first, int last);
    virtual bool SaveKeys(QStringList& lines) const;
    virtual bool ScaleChildren(float scale);
    virtual bool Relayout();
    virtual bool ComputeRects();
    virtual bool DrawContent(const QRect& clip, ReportCanvas& canvas, TDPRptPrintParams* params, float scale);
    virtual bool DrawInRect(const UnitRect& rect, ReportCanvas& canvas, float scale);
    virtual bool SetColorIndex(int index);
    virtual bool ClipToParent(const QRect& parent, const QPoint& offset, QRect& rect) const;
    virtual bool ClipToParentF(const UnitRect& parent, float offsetX, float offsetY, UnitRect& rect) const;
    virtual TDPRptItem* FindByName(const QString& name);
    virtual int HitDistance(int x, int y) const;
    // Point editing: only special drawings have handles.
    virtual int HandleAt(int x, int y) const;
    // flag: keep the item's position (the result is only resized).
    virtual bool DragHandle(int handle, int dx, int dy, bool flag, HandleDrag& result) const;
    // Makes a drag computed by DragHandle the item's geometry.
    virtual bool ApplyHandleDrag(const HandleDrag& drag);
    virtual bool HandlePoint(int handle, QPoint& point) const;
    virtual void SetTag(bool recurse, int value);
    virtual int Kind() const { return 1; }
    virtual QString TypeName() const { return QStringLiteral("BASIC"); }
    virtual void Reset();
    // Moves a loaded item to the place its own layout gives it, before it
    // is first laid out (special drawings turn older shapes into their
    // current form); the loader then checks that place reads back.
    virtual void SettlePlace() { }
    // Copies the source's fields (names, geometry, colours, flags, child
    // names), never its parent link nor its editing state; mode 1 also
    // takes the source's children over. False for another mode, no source,
    // or a source of a class this one cannot take.
    bool AssignFrom(int mode, TDPRptItem* source);
    // A new empty item of the same class.
    virtual std::unique_ptr<TDPRptItem> CreateEmpty() const;
    // A free copy of the item and its whole subtree, without editing state.
    std::unique_ptr<TDPRptItem> DeepCopy() const;

    // --- Children ---
    // Adds an item under a name and returns its index. Refused with -1 when
    // this item cannot have children (the item is freed) or when the item
    // belongs to another list or is an ancestor of this one (left to its
    // owner). Handing over an item that is already a child returns its
    // index and changes nothing.
    int AddObject(const QString& name, std::unique_ptr<TDPRptItem> item);
    int InsertObject(int index, const QString& name, std::unique_ptr<TDPRptItem> item);
    // AddObject for a caller that goes on working with the item: the item in
    // its new place, or null when refused (and freed).
    template <typename Item> Item* AddChild(const QString& name, std::unique_ptr<Item> item)
    {
        Item* added = item.get();
        return AddObject(name, std::move(item)) >= 0 ? added : nullptr;
    }
    // Inserts the item under its Name at a position (appends past the end);
    // a negative position is refused.
    bool InsertChild(int position, std::unique_ptr<TDPRptItem> item);
    // Finds a child by name (trimmed, any case), by object, or both (then
    // both must match the same entry). RemoveChild frees it; TakeChild
    // hands it back, free of any parent.
    bool RemoveChild(const QString& name, const TDPRptItem* item);
    std::unique_ptr<TDPRptItem> TakeChild(const QString& name, const TDPRptItem* item);
    int ChildCount() const { return int(m_children.size()); }
    TDPRptItem* ChildAt(int position) const;
    QString ChildName(int position) const;
    int IndexOfChild(const TDPRptItem* item) const;
    TDPRptItem* Parent() const { return m_parent; }
    TDPRptItem* Root();

    // LogName, else Name; behind the parent's path and "\" with the path flag.
    QString Path() const;
    // Adds (name, item) for this item and every descendant, parents first,
    // whose screen rectangle holds the point (edges included).
    void ItemsAtPoint(int x, int y, QList<QPair<QString, TDPRptItem*>>& items);
    // Same geometry test as SetScale.
    bool GeometryValid() const;
    // For drawing: a scale above 0 is set (the rectangles follow it); -1 uses
    // the scale and rectangles already set, without computing them again on
    // every redraw (moves and resizes call Relayout or SetScale).
    bool UseScale(float scale);

    // --- Fields ---
    QString Name;
    QString LogName;
    bool PathFlag = false;
    float X = 0;
    float Y = 0;
    float Width = Unset;
    float Height = Unset;
    QRect PixelRect; // left, top, width - 1, height - 1 at the current scale
    float Scale = -1;
    bool ScaleValid = false;
    QPoint ScaledPos;
    float PosX = 0;
    float PosY = 0;
    QStringList ChildNames; // CHILD values read from the file, until the children load
    bool CanHaveChildren = true;
    QRect ScreenRect;
    UnitRect AbsoluteRect;
    int ColorIndex = 0;
    std::array<RgbColor, 3> ForeColors;
    std::array<RgbColor, 3> BackColors;
    int Tag = 0;
    bool Visible = true;
    int GridExtX = 0;
    int GridExtY = 0;
    // Set by the item editor; copies leave it out.
    ItemEditState EditState;
    // Called with stage 0 before and 1 after drawing a rectangle item; true
    // at stage 0 suppresses the drawing.
    std::function<bool(int stage, TDPRptItem* item)> OnCustomDraw;

protected:
    // One line of the item's section, read by LoadFromParams in a single
    // pass: key = the line's first "="-field, trimmed and upper-cased; value =
    // its second field, trimmed (text after a second "=" is not part of it);
    // line = the whole line, for keys that need it. Each class reads its own
    // keys and hands the others to its base. False stops the load as failed.
    virtual bool LoadKey(const QString& key, const QString& value, const QString& line);
    // Where the item's rectangle starts in its parent, in document units.
    // Items whose stored place is not their rectangle's corner (arrows keep
    // their tail) answer otherwise.
    virtual QPointF LayoutOrigin() const { return QPointF(PosX, PosY); }
    // A section range clamped into the file.
    static void ClampSection(const Param_Obj& params, int& first, int& last);
    void ResetItemFields();
    // The fields AssignFrom copies; each class adds its own and may refuse a
    // source it cannot take (false, nothing copied).
    virtual bool CopyFrom(const TDPRptItem& source);
    // Lays a free item out as if it were a child of that parent (a what-if
    // copy computing a drag), without joining the parent's list.
    void LayOutAsChildOf(const TDPRptItem* parent);

private:
    struct Child {
        QString name;
        std::unique_ptr<TDPRptItem> item;
    };
    int Insert(int index, const QString& name, std::unique_ptr<TDPRptItem> item);
    int IndexOf(const QString& name, const TDPRptItem* item) const;
    void FreeChildren();

    std::vector<Child> m_children;
    TDPRptItem* m_parent = nullptr;
    // The parent's absolute rectangle for a free item laid out as its child.
    std::optional<UnitRect> m_layoutParentRect;
    bool m_rectSeen = false; // during LoadFromParams
};
