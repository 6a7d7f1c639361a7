#include "TEP_Undo.h"

#include "report/TDPRptItem.h"

TEP_Undo::TEP_Undo(int kind, const QString& itemName)
    : Kind(kind)
    , ItemName(itemName)
{ }

TEP_Undo::~TEP_Undo() = default;

bool TEP_Undo::SameSnapshot(const TEP_Undo& other) const
{
    if (Kind != other.Kind || ItemName.compare(other.ItemName, Qt::CaseInsensitive) != 0)
        return false;
    switch (Kind) {
    case Selected:
        return true;
    case CarryStarted:
        return PosX == other.PosX && PosY == other.PosY;
    case SurfaceDragged:
    case Moved:
        return Left == other.Left && Top == other.Top;
    case Resized:
        return Width == other.Width && Height == other.Height;
    case GeometrySnapshot:
        return Left == other.Left && Top == other.Top && Width == other.Width && Height == other.Height
            && PenSize == other.PenSize;
    default:
        return false;
    }
}
