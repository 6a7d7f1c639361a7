#include "TDPRptGrid.h"

#include "params/Numbers.h"
#include "params/StrFields.h"

#include <algorithm>

namespace {

// A forged SIZE must not make the layout walk billions of cells.
constexpr int kMaxCells = 10000;

} // namespace

void TDPRptGrid::Reset()
{
    TDPRptRect::Reset();
    RowCount = 0;
    ColumnCount = 0;
    RowSizes.clear();
    ColumnSizes.clear();
}

QList<int> TDPRptGrid::ReadSizes(const QString& value)
{
    // No sizes are written as an empty value, which must read back as none.
    QList<int> sizes;
    if (StrTrim(value).isEmpty())
        return sizes;
    for (const QString& field : StrSplitFields(value, QStringLiteral(",")))
        sizes << std::max(0, TextToInt(field).value_or(0));
    return sizes;
}

QString TDPRptGrid::SizesText(const QList<int>& sizes)
{
    QStringList fields;
    for (const int size : sizes)
        fields << QString::number(size);
    return fields.join(QLatin1Char(','));
}

bool TDPRptGrid::LoadKey(const QString& key, const QString& value, const QString& line)
{
    if (key == QLatin1String("SIZE")) {
        for (const auto& [name, number] : StrNameValuePairs(value)) {
            const int count = std::clamp(TextToInt(number).value_or(0), 0, kMaxCells);
            if (name == QLatin1String("ROWCOUNT"))
                RowCount = count;
            else if (name == QLatin1String("COLCOUNT"))
                ColumnCount = count;
        }
        if (qint64(RowCount) * ColumnCount > kMaxCells)
            RowCount = ColumnCount = 0;
    } else if (key == QLatin1String("ROWSIZES")) {
        RowSizes = ReadSizes(value);
    } else if (key == QLatin1String("COLSIZES")) {
        ColumnSizes = ReadSizes(value);
    } else {
        return TDPRptRect::LoadKey(key, value, line);
    }
    return true;
}

bool TDPRptGrid::SaveKeys(QStringList& lines) const
{
    if (!TDPRptRect::SaveKeys(lines))
        return false;
    lines << QStringLiteral("SIZE=ROWCOUNT:%1,COLCOUNT:%2").arg(RowCount).arg(ColumnCount);
    lines << QStringLiteral("ROWSIZES=") + SizesText(RowSizes);
    lines << QStringLiteral("COLSIZES=") + SizesText(ColumnSizes);
    return true;
}

TDPRptItem* TDPRptGrid::Cell(int row, int column) const
{
    if (row < 0 || column < 0 || row >= RowCount || column >= ColumnCount)
        return nullptr;
    return ChildAt(row * ColumnCount + column);
}

void TDPRptGrid::LayoutCells()
{
    int top = 0;
    for (int row = 0; row < RowCount; ++row) {
        const int height = RowSizes.value(row, 0);
        int left = 0;
        for (int column = 0; column < ColumnCount; ++column) {
            const int width = ColumnSizes.value(column, 0);
            if (TDPRptItem* cell = Cell(row, column)) {
                cell->PosX = float(left);
                cell->PosY = float(top);
                if (width > 0)
                    cell->Width = float(width);
                if (height > 0)
                    cell->Height = float(height);
            }
            left += width + GridExtX;
        }
        top += height + GridExtY;
    }
}

bool TDPRptGrid::SetScale(float scale)
{
    LayoutCells();
    return TDPRptRect::SetScale(scale);
}

bool TDPRptGrid::ComputeRects()
{
    LayoutCells();
    return TDPRptRect::ComputeRects();
}

bool TDPRptGrid::SetValue(const QVariantList& arguments)
{
    if (arguments.size() != 3)
        return false;
    TDPRptItem* cell = Cell(arguments[0].toInt(), arguments[1].toInt());
    return cell && cell->SetValue({arguments[2]});
}

QVariant TDPRptGrid::GetValue() const
{
    QVariantList values;
    for (int i = 0; i < std::min(ChildCount(), RowCount * ColumnCount); ++i)
        values << ChildAt(i)->GetValue();
    return values;
}

std::unique_ptr<TDPRptItem> TDPRptGrid::CreateEmpty() const
{
    return std::make_unique<TDPRptGrid>();
}

bool TDPRptGrid::CopyFrom(const TDPRptItem& source)
{
    if (auto* grid = dynamic_cast<const TDPRptGrid*>(&source)) {
        RowCount = grid->RowCount;
        ColumnCount = grid->ColumnCount;
        RowSizes = grid->RowSizes;
        ColumnSizes = grid->ColumnSizes;
    }
    return TDPRptRect::CopyFrom(source);
}
