#pragma once

#include "params/RgbColor.h"

#include <QList>
#include <QPair>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <functional>
#include <stdexcept>

class Param_Obj;
class ReportCanvas;
class TDPRptPrintParams;

// Raised when a child is refused (an item that cannot have children, or no
// item at all).
class ReportItemError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// A rectangle in document units (tenths of a millimetre).
struct UnitRect {
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;
};

// What dragging a handle would give, without changing the item.
struct HandleDrag {
    QRect rect;
    float angle = 0;
    int length = 0;
};

// A node of the report item tree: a named item with a size in document units,
// a place in its parent and owned children. Subclasses draw rectangles, text,
// special drawings, images and grids. A scale is device pixels per unit.
class TDPRptItem {
public:
    static constexpr float Unset = 2147483648.0f;

    TDPRptItem();
    virtual ~TDPRptItem();
    TDPRptItem(const TDPRptItem&) = delete;
    TDPRptItem& operator=(const TDPRptItem&) = delete;

    // --- Virtual operations, in slot order ---
    virtual bool SetScale(float scale);
    virtual bool DrawAt(const QRect& parentRect, ReportCanvas& canvas, TDPRptPrintParams* params, float scale);
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
    virtual bool DragHandle(int handle, int dx, int dy, bool flag, HandleDrag& result) const;
    virtual bool ApplyHandleDrag(int handle, int dx, int dy, bool keepPosition);
    virtual bool HandlePoint(int handle, QPoint& point) const;
    virtual void SetTag(bool recurse, int value);
    virtual int Kind() const { return 1; }
    virtual QString TypeName() const { return QStringLiteral("BASIC"); }
    virtual void Reset();
    virtual bool AssignFrom(int mode, TDPRptItem* source);

    // --- Children ---
    // Adds an item under a name; an item already in the list is not added
    // twice (its index is returned). Raises ReportItemError when refused.
    int AddObject(const QString& name, TDPRptItem* item);
    int InsertObject(int index, const QString& name, TDPRptItem* item);
    // Inserts the item at a position (appends past the end) unless it is
    // already a child; a negative position does nothing.
    bool InsertChild(int position, TDPRptItem* item);
    // By name (trimmed, any case), by object, or both (then both must match
    // the same entry). With freeItem the child is deleted.
    bool RemoveChild(const QString& name, TDPRptItem* item, bool freeItem);
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
    // Set by the item editor: the selection frame is drawn; the item is
    // hidden on the page while its edit surface shows it; it is being edited.
    bool SelectionVisible = false;
    bool HiddenWhileEdited = false;
    bool BeingEdited = false;
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

private:
    struct Child {
        QString name;
        TDPRptItem* item;
    };
    void CheckChild(TDPRptItem* item, const char* operation) const;
    void AdoptChild(TDPRptItem* item);
    void FreeChildren();

    QList<Child> m_children;
    TDPRptItem* m_parent = nullptr;
    bool m_rectSeen = false; // during LoadFromParams
};
