#pragma once

#include "params/RgbColor.h"

#include <QString>
#include <memory>

class TDPRptItem;

// One step of the undo list: enough to put one item back as it was before
// a change. The item is named, not pointed at, so a step outlives the item's
// removal and re-creation; a deleted item itself is owned by its step.
class TEP_Undo {
public:
    enum RecordKind {
        Selected = 1,
        Created = 2,
        CarryStarted = 3,
        SurfaceDragged = 4,
        Moved = 5,
        Resized = 6,
        GeometrySnapshot = 7,
        ColorChanged = 8,
        TextChanged = 9,
        CaretMoved = 10,
        Reshaped = 11,
        Deleted = 12,
    };
    enum ReshapeFlag { SquareDrag = 0, Modify = 1 };

    TEP_Undo(int kind, const QString& itemName);
    ~TEP_Undo();
    TEP_Undo(const TEP_Undo&) = delete;
    TEP_Undo& operator=(const TEP_Undo&) = delete;

    // The same kind, item and stored values: a repeated snapshot that adds
    // nothing to undo.
    bool SameSnapshot(const TEP_Undo& other) const;

    int Kind;
    int Flag = 0;
    QString ItemName;
    // The edit surface relative to the page image, in pixels.
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int PenSize = -1; // special drawings only
    // The item's own size and place, in tenths of a millimetre, so that a
    // restored item is exactly what it was (pixels lose the fractions).
    float UnitWidth = 0;
    float UnitHeight = 0;
    float PosX = 0;
    float PosY = 0;
    RgbColor Color;
    QString Text;
    int Caret = 0;
    int Index = -1; // a deleted item's place among its siblings
    std::unique_ptr<TDPRptItem> SavedState;
    std::unique_ptr<TDPRptItem> DeletedItem;
};
