#pragma once

#include "report/TDPRptSpDr.h"

#include <QImage>

// An item of a worksheet's background layer: a sound marker shown as a
// loudspeaker picture (mode "BKSOUND", 16), built on the special drawing for
// its geometry, selection and handles. Operations of the special drawing
// that depend on the mode run as if it were a rectangle.
class TBkLayerIt : public TDPRptSpDr {
public:
    static constexpr int BkSound = 16;
    // Smallest width or height on screen a resize may leave.
    static constexpr int MinimumPixels = 21;

    bool SaveKeys(QStringList& lines) const override;
    bool DrawContent(const QRect& clip, ReportCanvas& canvas, TDPRptPrintParams* params, float scale) override;
    bool DrawBorders(const QRect& parentRect, ReportCanvas& canvas, TDPRptPrintParams* params) override;
    int HitDistance(int x, int y) const override;
    bool DragHandle(int handle, int dx, int dy, bool flag, HandleDrag& result) const override;
    bool ApplyHandleDrag(int handle, int dx, int dy, bool keepPosition) override;
    bool ComputeScreenPoints() override;
    QString TypeName() const override { return QStringLiteral("BKLITEM"); }
    QString ModeName() const override;
    void ModeFromName(const QString& name) override;
    void Reset() override;
    bool AssignFrom(int mode, TDPRptItem* source) override;

    // The picture drawn in mode 16 (null in other modes).
    const QImage* Picture() const;

    QString PictureName = QStringLiteral("SOUND1");
    // The item's own mode while it is switched to the rectangle mode; -1
    // when not switched.
    int SavedMode = -1;

protected:
    bool LoadKey(const QString& key, const QString& value, const QString& line) override;

private:
    // Runs a special-drawing operation with the mode switched to 1.
    template <typename Operation> auto AsRectangle(Operation operation) const;
    // The vertical drag that keeps the picture's proportions.
    int ProportionalDy(int handle, int dx) const;
};
