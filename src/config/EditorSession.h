#pragma once

#include "params/RgbColor.h"

#include <QChar>
#include <QList>

// What the item editor and the command surfaces share while a user works,
// beyond the stored settings: the move step of the move commands, the
// colour of the selected item (or the last one chosen) and the pen size of
// the selected drawing. Kept for the session, never written; each user
// starts from their own defaults.
class EditorSession {
public:
    static constexpr int InitialMoveStep = 10;
    // The steps "+" and "-" go through.
    static const QList<int>& MoveSteps();

    // A new user's start: the move step 10, the colour and pen size that
    // new items get.
    void Start(RgbColor itemColor, int itemPenSize);
    // The move-step commands: "*" gives 20, "/" gives 1, "+" and "-" the
    // next larger or smaller step of MoveSteps() (a step not in the list
    // goes to the first one with "+" and stays with "-"); any other
    // character leaves the step. Returns the step.
    int SetMoveStep(QChar command);

    int MoveStep = InitialMoveStep;
    RgbColor CurrentColor;
    int CurrentPenSize = 5;
};
