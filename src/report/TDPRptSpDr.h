#pragma once

#include "TDPRptRect.h"

#include <QList>
#include <QPoint>
#include <vector>

// A special drawing: most of what a pupil lays on a page (rectangles,
// circles, crosses, lines, brackets, polylines, arrows, highlights), chosen
// by a mode code. It cannot have children.
//
// Pixel points (shape corners, arrow points, polyline points, handles) are
// kept in page pixels, like the screen rectangle; drawing on another surface
// shifts them by the difference between the item's placed rectangle and its
// screen rectangle.
class TDPRptSpDr : public TDPRptRect {
public:
    enum Mode {
        SpNone = 0,
        SpRect,
        SpFRect,
        SpFBRect,
        SpCross,
        SpHLine,
        SpHRel,
        SpTBRel,
        SpBTRel,
        SpBCircle,
        SpFCircle,
        SpFBCircle,
        SpBrackets,
        SpLines,
        SpHighLight,
        SpArrow,
    };
    enum ArrowKind { ArrowHead = 0, ArrowLine = 1, ArrowRel = 2 };
    // The end dots of relation arrows are capped at this size (units).
    static constexpr int MaxRelDot = 30;
    // The shortest arrow a file may hold (units): shorter lengths are not
    // read, so no arrow is ever made shorter.
    static constexpr int MinLength = 50;
    static constexpr int HandleHalfSize = 4;

    TDPRptSpDr();

    bool SetScale(float scale) override;
    bool Relayout() override;
    bool SaveKeys(QStringList& lines) const override;
    bool LoadFromParams(const QString& section, const Param_Obj& params, int first, int last) override;
    bool DrawContent(const QRect& clip, ReportCanvas& canvas, TDPRptPrintParams* params, float scale) override;
    int HitDistance(int x, int y) const override;
    int HandleAt(int x, int y) const override;
    bool DragHandle(int handle, int dx, int dy, bool flag, HandleDrag& result) const override;
    bool ApplyHandleDrag(const HandleDrag& drag) override;
    bool HandlePoint(int handle, QPoint& point) const override;
    QString TypeName() const override { return QStringLiteral("SPDR"); }
    void Reset() override;
    std::unique_ptr<TDPRptItem> CreateEmpty() const override;
    bool PaintBackground(const QRect& parentRect, ReportCanvas& canvas, TDPRptPrintParams* params) override;
    bool DrawBorders(const QRect& parentRect, ReportCanvas& canvas, TDPRptPrintParams* params) override;
    QPointF LayoutOrigin() const override;
    void SettlePlace() override;

    // Shape points in document units; relation modes become "REL" arrows
    // first. Uses the scale being set (the end dots of relations have a
    // minimum size in pixels).
    virtual bool ComputeGeometry(float scale);
    virtual bool ComputeScreenPoints();
    virtual QString ModeName() const { return ModeName(SpDrMode); }
    virtual void ModeFromName(const QString& name);
    static QString ModeName(int mode);

    void PushShape();
    bool PopShape(bool restore);
    int SnapshotCount() const { return int(m_snapshots.size()); }

    // The mode whose geometry, handles and selection frame the item has:
    // its own, or the one a class built on this borrows for a mode of its
    // own.
    virtual int ShapeMode() const { return SpDrMode; }
    // Rectangles, crosses, lines, circles, brackets and highlights (by the
    // shape mode).
    bool IsRectLike() const;
    // From the top-left corner of the item's rectangle to the arrow's tail,
    // in document units and in pixels at the current scale (never negative).
    QPointF DrawingOffset() const { return m_drawingOffset; }
    QPoint DrawingOffsetPixels() const;

    int SpDrMode = SpRect;
    int PenSize = 1;
    QList<QPoint> ShapePoints;
    QList<QPoint> ShapePixelPoints;
    QList<QPoint> Points;
    QList<QPoint> PointPixels;
    int ArrowType = ArrowHead;
    float Angle = 0;
    int Length = 200;
    QList<QRect> HandleRects;

protected:
    bool LoadKey(const QString& key, const QString& value, const QString& line) override;
    bool CopyFrom(const TDPRptItem& source) override;

private:
    struct Shape {
        int mode;
        int penSize;
        int arrowType;
        float angle;
        int length;
        QList<QPoint> points;
        QList<QPoint> pointPixels;
    };
    void ResetDrawingFields();
    void ConvertRelation();
    void ComputeArrow(float scale);
    void ComputeLinesBox();
    bool ReadPoints(const QString& value);
    QPoint AbsolutePixel(QPoint unitsInParent) const;
    // Where the item lands when drawn in parentRect, minus its screen place.
    QPoint DrawingShift(const QRect& parentRect) const;

    QPointF m_drawingOffset;
    std::vector<Shape> m_snapshots;
    bool m_pointsRead = false; // during a load: later SPDRPOINTS lines append
    bool m_pointsBad = false;
    bool m_lineHeightPending = false; // SpHLine loaded with Height != PenSize
};
