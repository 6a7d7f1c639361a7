#include "EditorSession.h"

const QList<int>& EditorSession::MoveSteps()
{
    static const QList<int> steps {1, 2, 3, 4, 5, 10, 20, 50};
    return steps;
}

void EditorSession::Start(RgbColor itemColor, int itemPenSize)
{
    MoveStep = InitialMoveStep;
    CurrentColor = itemColor;
    CurrentPenSize = itemPenSize;
}

int EditorSession::SetMoveStep(QChar command)
{
    const QList<int>& steps = MoveSteps();
    const qsizetype at = steps.indexOf(MoveStep);
    switch (command.unicode()) {
    case '*':
        MoveStep = 20;
        break;
    case '/':
        MoveStep = 1;
        break;
    case '+':
        if (at < 0)
            MoveStep = steps.first();
        else if (at + 1 < steps.size())
            MoveStep = steps[at + 1];
        break;
    case '-':
        if (at > 0)
            MoveStep = steps[at - 1];
        break;
    default:
        break;
    }
    return MoveStep;
}
