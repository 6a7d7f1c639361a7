#pragma once

#include "TDPRptBorders.h"
#include "TDPRptItem.h"
#include "params/FontDescription.h"

// The rectangle item on which every visible item is built: a background
// (unless transparent), border levels and the font text items use.
class TDPRptRect : public TDPRptItem {
public:
    TDPRptRect();

    bool SetScale(float scale) override;
    bool DrawAt(const QRect& parentRect, ReportCanvas& canvas, TDPRptPrintParams* params, float scale) override;
    bool SaveKeys(QStringList& lines) const override;
    int Kind() const override { return 2; }
    QString TypeName() const override { return QStringLiteral("RECT"); }
    void Reset() override;
    std::unique_ptr<TDPRptItem> CreateEmpty() const override;

    virtual bool PaintBackground(const QRect& parentRect, ReportCanvas& canvas, TDPRptPrintParams* params);
    virtual bool DrawBorders(const QRect& parentRect, ReportCanvas& canvas, TDPRptPrintParams* params);

    TDPRptBorders Borders;
    bool Transparent = false;
    FontDescription Font;

protected:
    bool CopyFrom(const TDPRptItem& source) override;
    bool LoadKey(const QString& key, const QString& value, const QString& line) override;
    // The pixel rectangle placed in the parent's, clipped; false when the
    // item falls outside.
    bool PlacedRect(const QRect& parentRect, QRect& rect) const;
    // The item's place in the parent's rectangle, whole (placed) and cut to
    // the parent (visible); false when the item falls outside.
    bool PlacedRects(const QRect& parentRect, QRect& placed, QRect& visible) const;
    // PlacedRects, then the page restored under a transparent item (text is
    // drawn over the page, not over what other items left there).
    bool PlaceTransparent(
        const QRect& parentRect, ReportCanvas& canvas, TDPRptPrintParams* params, QRect& placed, QRect& visible) const;
};
