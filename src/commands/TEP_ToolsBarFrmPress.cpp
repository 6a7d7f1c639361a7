// The command buttons of the toolbar: what a press does, the repeat while
// the button is held, and the release.
#include "TEP_ToolsBar.h"
#include "TEP_ToolsBarButton.h"
#include "TEP_ToolsBarFrm.h"

#include "config/TEP_Config.h"
#include "documents/Messenger.h"
#include "documents/TEP_Doc.h"
#include "documents/TEP_DocsNode.h"
#include "editor/EP_ItEdt.h"
#include "editor/ImageWidget.h"
#include "editor/PageScrollBox.h"
#include "platform/Clock.h"
#include "platform/WindowsKeys.h"
#include "report/TDPRptSpDr.h"
#include "report/TDPRptText.h"

void TEP_ToolsBarFrm::GenSBtnMouseDown(TEP_ToolsBarButton* button, int x, int y)
{
    if (!button || !Bar.ItemEditor)
        return;
    const int layouts = Bar.LayoutCount();
    if (!Press(*button)) {
        Bar.Messages().Beep();
        return;
    }
    // A press that laid the bar out again took the button away from under
    // the pointer: its release will not come, so it does not repeat.
    if (x < 0 || y < 0 || Bar.LayoutCount() != layouts || !button->isVisible())
        return;
    Bar.RepeatButton = button;
    m_repeatDue = Bar.Time().NowMs() + Bar.Settings().FirstMouseDelay;
    ToolsBarTimer.start(Bar.Settings().FirstMouseDelay);
}

void TEP_ToolsBarFrm::GenSBtnMouseUp(TEP_ToolsBarButton* button)
{
    StopRepeat();
    // Printing asks its own question: the bar only says "print".
    if (button && button->objectName() == QLatin1String("PrintSBtn") && Bar.OnPrint)
        Bar.OnPrint();
}

void TEP_ToolsBarFrm::StopRepeat()
{
    ToolsBarTimer.stop();
    Bar.RepeatButton = nullptr;
}

void TEP_ToolsBarFrm::RepeatTick()
{
    TEP_ToolsBarButton* button = Bar.RepeatButton;
    if (!button)
        return;
    const qint64 now = Bar.Time().NowMs();
    if (now < m_repeatDue) {
        ToolsBarTimer.start(int(m_repeatDue - now));
        return;
    }
    const int delay = Bar.Settings().MouseDelay;
    m_repeatDue = now + delay;
    ToolsBarTimer.start(delay);
    GenSBtnMouseDown(button, -1, -1);
}

bool TEP_ToolsBarFrm::Press(TEP_ToolsBarButton& button)
{
    EP_ItEdt& editor = *Bar.ItemEditor;
    const QString name = button.objectName();
    auto is = [&name](const char* other) { return name == QLatin1String(other); };
    if (is("ZoomMoreSBtn") || is("ZoomLessSBtn"))
        return PressZoom(is("ZoomMoreSBtn"));
    if (is("ClockWiseSBtn") || is("NonClockWiseSBtn")) {
        // Angles turn counter-clockwise: clockwise takes degrees off.
        return editor.TurnArrow(is("ClockWiseSBtn") ? -TEP_ToolsBar::ArrowTurn : TEP_ToolsBar::ArrowTurn);
    }
    if (is("LengthMoreSBtn") || is("LengthLessSBtn"))
        return editor.ChangeArrowLength(
            is("LengthMoreSBtn") ? TEP_ToolsBar::ArrowLengthStep : -TEP_ToolsBar::ArrowLengthStep);
    if (button.Group() != 0 && (is("ArrowArrowSbtn") || is("ArrowRelSBtn") || is("ArrowLineSBtn"))) {
        if (!editor.SetArrowType(button.Value()))
            return false;
        for (TEP_ToolsBarButton* member : Group(button.Group()))
            member->SetDown(member == &button);
        return true;
    }
    if (is("PolicePlusSBtn"))
        return editor.PreviousFont();
    if (is("PoliceMinusSBtn"))
        return editor.NextFont();
    if (is("PoliceSizePlusSBtn"))
        return editor.LargerFont();
    if (is("PoliceSizeMinusSBtn"))
        return editor.SmallerFont();
    if (is("BoldSBtn") || is("UnderlineSBtn"))
        return PressTextStyle(is("BoldSBtn"));
    if (is("PenSizeLessSBtn") || is("PenSizeMoreSBtn"))
        return editor.ChangePenSize(is("PenSizeMoreSBtn") ? TEP_ToolsBar::PenStep : -TEP_ToolsBar::PenStep);
    if (is("ToolsBarMode1SBtn") || is("ToolsBarMode2SBtn")) {
        Bar.Layout(Bar.IsVertical(), is("ToolsBarMode2SBtn"));
        return true;
    }
    if (is("DeleteItSBtn")) {
        if (!editor.KeyDown(WindowsKeys::Delete, 0))
            return false;
        Bar.Layout(Bar.IsVertical(), true);
        return true;
    }
    if (is("PrevSheetSBtn") || is("NextSheetSBtn")) {
        if (!Bar.OnSiblingDocument || !Bar.OnSiblingDocument(is("PrevSheetSBtn")))
            return false;
        Bar.Layout(Bar.IsVertical(), false);
        return true;
    }
    if (is("SupFirstPtSBtn"))
        return editor.DeleteFirstPoint();
    if (is("SupLastPtSBtn"))
        return editor.DeleteLastPoint();
    if (is("SizeMoreOrLessSBtn")) {
        Bar.Enlarge = !Bar.Enlarge;
        button.setText(Bar.Enlarge ? QStringLiteral("+") : QStringLiteral("-"));
        return true;
    }
    if (is("SizeTopSBtn") || is("SizeBottomSBtn") || is("SizeLeftSBtn") || is("SizeRightSBtn"))
        return PressEdge(name);
    if (is("ConsigneSBtn") || is("HelpSBtn"))
        return PressSound(is("ConsigneSBtn") ? QLatin1Char('C') : QLatin1Char('A'));
    // The print button acts on its release.
    return true;
}

bool TEP_ToolsBarFrm::PressZoom(bool up)
{
    EP_ItEdt& editor = *Bar.ItemEditor;
    // The edit ends first and may take an empty item away: the item is
    // found again by its name, and selected again only if it is still there.
    const TDPRptItem* selected = editor.Current();
    const QString name = selected ? selected->Name : QString();
    editor.EndEdit(Bar.EditorOwner(), true);
    const bool zoomed = Bar.OnZoomInOut && Bar.OnZoomInOut(up);
    if (!name.isEmpty() && editor.Root() && !editor.Current()) {
        if (TDPRptItem* again = editor.Root()->FindByName(name); again && again != editor.Root())
            editor.Select(Bar.EditorOwner(), again);
    }
    return zoomed;
}

bool TEP_ToolsBarFrm::PressEdge(const QString& name)
{
    EP_ItEdt& editor = *Bar.ItemEditor;
    const int step = editor.Config().Session.MoveStep;
    const bool vertical = name == QLatin1String("SizeTopSBtn") || name == QLatin1String("SizeBottomSBtn");
    // The top and left edges move the drawing as well: growing there moves
    // it up (left) by the step, shrinking there moves it down (right).
    const bool movingEdge = name == QLatin1String("SizeTopSBtn") || name == QLatin1String("SizeLeftSBtn");
    const int change = Bar.Enlarge ? step : -step;
    const int heightChange = vertical ? change : 0;
    const int widthChange = vertical ? 0 : change;
    int direction = 0;
    if (movingEdge)
        direction = vertical ? (Bar.Enlarge ? EP_ItEdt::MoveUp : EP_ItEdt::MoveDown)
                             : (Bar.Enlarge ? EP_ItEdt::MoveLeft : EP_ItEdt::MoveRight);
    if (!editor.Resize(heightChange, widthChange, false))
        return false;
    if (direction != 0 && !editor.Move(direction, step, false))
        return false;
    // Growing moves first so that the far edge stays; shrinking sizes
    // first for the same reason.
    if (Bar.Enlarge && direction != 0 && !editor.Move(direction, step, true))
        return false;
    if (!editor.Resize(heightChange, widthChange, true))
        return false;
    if (!Bar.Enlarge && direction != 0 && !editor.Move(direction, step, true))
        return false;
    return true;
}

bool TEP_ToolsBarFrm::PressTextStyle(bool bold)
{
    EP_ItEdt& editor = *Bar.ItemEditor;
    if (!dynamic_cast<TDPRptText*>(editor.Current()))
        return false;
    return bold ? editor.ToggleBold() : editor.ToggleUnderline();
}

bool TEP_ToolsBarFrm::PressSound(QChar letter)
{
    const TEP_Doc* document = Bar.ItemEditor->Document();
    const bool has
        = document && (letter == QLatin1Char('C') ? document->HasInstructionSound() : document->HasHelpSound());
    if (!has || !Bar.OnPlaySound)
        return false;
    Bar.OnPlaySound(letter);
    return true;
}
