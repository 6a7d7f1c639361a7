#pragma once

#include "report/TDPRptSpDr.h"

#include <QImage>

// An item of a worksheet's background layer: a sound marker shown as a
// loudspeaker picture (mode "BKSOUND", 16), built on the special drawing for
// its geometry, selection and handles. A marker has the shape of a
// rectangle: the special drawing's operations that depend on the mode
// (moving, resizing, the selection frame, handles) see mode 1 through
// ShapeMode, while the item keeps its own mode.
class TBkLayerIt : public TDPRptSpDr {
public:
    static constexpr int BkSound = 16;
    // Smallest width or height on screen a resize may leave.
    static constexpr int MinimumPixels = 21;

    // Lets definition files name "BKLITEM"; the documents call it before
    // they load any work file.
    static void RegisterItemType();

    bool SaveKeys(QStringList& lines) const override;
    bool DrawContent(const QRect& clip, ReportCanvas& canvas, TDPRptPrintParams* params, float scale) override;
    int HitDistance(int x, int y) const override;
    bool DragHandle(int handle, int dx, int dy, bool flag, HandleDrag& result) const override;
    int ShapeMode() const override;
    QString TypeName() const override { return QStringLiteral("BKLITEM"); }
    QString ModeName() const override;
    void ModeFromName(const QString& name) override;
    void Reset() override;
    std::unique_ptr<TDPRptItem> CreateEmpty() const override;

    // The picture drawn in mode 16 (null in other modes).
    const QImage* Picture() const;

    QString PictureName = QStringLiteral("SOUND1");

protected:
    bool LoadKey(const QString& key, const QString& value, const QString& line) override;
    bool CopyFrom(const TDPRptItem& source) override;

private:
    // The vertical drag that keeps the picture's proportions.
    int ProportionalDy(int handle, int dx) const;
};
