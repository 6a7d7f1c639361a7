#pragma once

#include "TDPRptRect.h"

// One line of text written a quarter turn, reading downwards or upwards.
class TDPRptVText : public TDPRptRect {
public:
    enum Direction { FromTopToBottom = 0, FromBottomToTop = 1 };

    bool DrawContent(const QRect& clip, ReportCanvas& canvas, TDPRptPrintParams* params, float scale) override;
    bool SaveKeys(QStringList& lines) const override;
    bool SetValue(const QVariantList& arguments) override;
    QVariant GetValue() const override { return Value; }
    int Kind() const override { return 10; }
    QString TypeName() const override { return QStringLiteral("VTEXT"); }
    void Reset() override;
    std::unique_ptr<TDPRptItem> CreateEmpty() const override;

    QString Value;
    int VTMode = FromTopToBottom;

protected:
    bool CopyFrom(const TDPRptItem& source) override;
    bool LoadKey(const QString& key, const QString& value, const QString& line) override;
};
