#pragma once

#include "TDPRptRect.h"
#include "TextLayout.h"

#include <QPoint>

class QPainter;

// Text typed by a pupil: lines separated by "¶", laid out by alignment
// flags, greedy word wrap or fixed character cells, in the rectangle's font.
class TDPRptText : public TDPRptRect {
public:
    enum DrawMode { PlainText = 0, BottomHalfRect = 1, CustomDraw = 2 };
    enum Separator { NoSeparator = 0, SeparatorMax = 1, SeparatorHalf = 2 };
    // Symbolic cell border widths.
    static constexpr int NormalBorder = 2147483647;
    static constexpr int BoldBorder = 1879048191;
    // Default vertical offset constants (single precision as stored).
    static constexpr float OffsetUnit = 60.0f;

    TDPRptText();

    bool DrawContent(const QRect& clip, ReportCanvas& canvas, TDPRptPrintParams* params, float scale) override;
    bool DrawBorders(const QRect& parentRect, ReportCanvas& canvas, TDPRptPrintParams* params) override;
    bool SaveKeys(QStringList& lines) const override;
    bool SetValue(const QVariantList& arguments) override;
    QVariant GetValue() const override { return Value; }
    int Kind() const override { return 6; }
    QString TypeName() const override { return QStringLiteral("TEXT"); }
    void Reset() override;
    std::unique_ptr<TDPRptItem> CreateEmpty() const override;

    // The default vertical offset (document units) for a set of flags.
    static float DefaultOffset(int vAlignFlags);
    // Sets the flags and the offset that goes with them.
    void SetVAlign(int flags);

    // The caret position nearest to a point given relative to the item's
    // pixel rectangle, in the layout of a drawing at the current scale on a
    // surface whose fonts have that resolution (the editor's edit surface).
    int CaretPositionAt(QPoint point, int fontResolution) const;

    QString Value;
    int VAlignFlags = TextLayout::VDefault;
    float VOffset = 0;
    int HAlignFlags = 0;
    float HMargin = 20;
    float CharWidth = 0;
    float WordWidth = 0;
    float CharHeight = 0;
    int TextDrawMode = PlainText;
    int LeftBorder = 0;
    int RightBorder = 0;
    int BottomBorder = 0;
    int CellSeparator = NoSeparator;
    int Pad = 0;
    RgbColor CellBorderColor {0xFFFFFF};
    bool WordWrap = true;

protected:
    bool CopyFrom(const TDPRptItem& source) override;
    bool LoadKey(const QString& key, const QString& value, const QString& line) override;

private:
    void ResetTextFields();
    void ReadVAlign(const QString& value);
    void ReadHAlign(const QString& value);
    void ReadDrawMode(const QString& value);
    QString VAlignText() const;
    QString HAlignText() const;
    QString DrawModeText() const;
    TextLayout::Settings LayoutSettings(const QRect& rect) const;
    TextLayout LayoutIn(const QRect& rect, const QFont& font) const;
    // The cells the visible area shows, and their borders.
    void DrawCells(QPainter& painter, const TextLayout& layout, const QFont& font, const QRect& visible) const;
    int BorderPixels(int width) const;
};
