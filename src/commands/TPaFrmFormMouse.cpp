// Commands by the mouse: a press acts like a click; a command held down
// repeats, first after the user's first delay, then at the user's pace,
// for pupils who cannot click again and again.
#include "TPaFrmForm.h"

#include "TDPanel.h"

#include "editor/EP_ItEdt.h"
#include "editor/ImageWidget.h"
#include "editor/PageScrollBox.h"

#include "config/TEP_Config.h"
#include "platform/Clock.h"

#include <QWidget>

void TPaFrmForm::CommandPressed(TDPanel& command, QPoint globalPoint)
{
    m_pointer = globalPoint;
    StopRepeat();
    command.Activate();
    TextTimerWasOn = TextTimer.isActive();
    // A command whose press changed the panel (an end of edit) is done.
    QWidget* top = command.Top()->Ctrl;
    if (!command.AutoRepeat || top != ShownPanel)
        return;
    RepeatStart = m_clock.NowMs();
    RepeatDelay = m_config.Settings.FirstMouseDelay;
    RepeatPanel = &command;
    m_repeatPanel = top;
    TextTimer.stop();
    MouseTimer.start();
}

void TPaFrmForm::CommandPointerMoved(TDPanel&, QPoint globalPoint)
{
    m_pointer = globalPoint;
}

void TPaFrmForm::CommandReleased(TDPanel&)
{
    StopRepeat();
    if (TextTimerWasOn)
        TextTimer.start();
    else
        TextTimer.stop();
}

void TPaFrmForm::StopRepeat()
{
    RepeatStart = 0;
    RepeatDelay = IdleRepeatDelay;
    MouseTimer.stop();
}

void TPaFrmForm::MouseTimerTick()
{
    MouseTimer.stop();
    if (!RepeatPanel || RepeatStart <= 0)
        return;
    // The held command went with its panel (an end of edit) or was hidden:
    // repeating it would act where the pupil is not pointing.
    QWidget* control = RepeatPanel->Ctrl;
    if (!control || ShownPanel != m_repeatPanel || !control->isVisibleTo(m_repeatPanel)) {
        RepeatStart = 0;
        return;
    }
    const qint64 now = m_clock.NowMs();
    if (now - RepeatStart > RepeatDelay) {
        const QRect onScreen(control->mapToGlobal(QPoint(0, 0)), control->size());
        if (!onScreen.contains(m_pointer)) {
            RepeatStart = 0;
            return;
        }
        RepeatStart = now;
        RepeatDelay = m_config.Settings.MouseDelay;
        RepeatPanel->Activate();
    }
    if (RepeatStart > 0)
        MouseTimer.start();
}
