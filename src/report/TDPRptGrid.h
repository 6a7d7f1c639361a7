#pragma once

#include "TDPRptRect.h"

#include <QList>

// A rectangle divided into rows and columns whose cells hold items.
//
// The cells are the grid's children, in row order (row 0 columns 0..n-1,
// then row 1, …), written as ordinary CHILD lines and sections after the
// grid's own keys. Their place and size come from the layout, not from the
// file: cell (r, c) starts after the sizes of the rows and columns before
// it, with the grid extents X and Y (GRIDEXT) as a gap between columns and
// between rows, and takes its row's height and its column's width. Children
// beyond rows x columns keep their own place.
class TDPRptGrid : public TDPRptRect {
public:
    bool SetScale(float scale) override;
    bool ComputeRects() override;
    bool SaveKeys(QStringList& lines) const override;
    // Arguments: row, column and a text for that cell's item.
    bool SetValue(const QVariantList& arguments) override;
    // The cells' values in row order.
    QVariant GetValue() const override;
    int Kind() const override { return 18; }
    QString TypeName() const override { return QStringLiteral("GRID"); }
    void Reset() override;
    std::unique_ptr<TDPRptItem> CreateEmpty() const override;

    TDPRptItem* Cell(int row, int column) const;
    // Places and sizes the cells.
    void LayoutCells();

    int RowCount = 0;
    int ColumnCount = 0;
    QList<int> RowSizes;
    QList<int> ColumnSizes;

protected:
    bool CopyFrom(const TDPRptItem& source) override;
    bool LoadKey(const QString& key, const QString& value, const QString& line) override;

private:
    static QList<int> ReadSizes(const QString& value);
    static QString SizesText(const QList<int>& sizes);
};
