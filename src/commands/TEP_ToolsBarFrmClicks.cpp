// The clicked buttons of the toolbar (creation, type and colour buttons)
// and the drag handle that moves and sizes the bar.
#include "TEP_ToolsBar.h"
#include "TEP_ToolsBarButton.h"
#include "TEP_ToolsBarFrm.h"

#include "config/TEP_Config.h"
#include "documents/Messenger.h"
#include "editor/EP_ItEdt.h"
#include "editor/ImageWidget.h"
#include "editor/PageScrollBox.h"
#include "report/TDPRptSpDr.h"

void TEP_ToolsBarFrm::OnCreationButton(TEP_ToolsBarButton* button)
{
    if (!button || !Bar.ItemEditor)
        return;
    if (button->IsDown()) {
        // Pressed again: the add is given up.
        Bar.CancelCreation();
        return;
    }
    for (TEP_ToolsBarButton* member : Group(button->Group()))
        member->SetDown(member == button);
    if (Bar.ItemEditor->Root())
        Bar.ItemEditor->EndEdit(Bar.EditorOwner(), true);
    if (Bar.OnAddItemMode)
        Bar.OnAddItemMode(true);
}

void TEP_ToolsBarFrm::CirclesOrRectsSBtnClick(TEP_ToolsBarButton* button)
{
    if (!button || !Bar.ItemEditor)
        return;
    EP_ItEdt& editor = *Bar.ItemEditor;
    auto* drawing = dynamic_cast<TDPRptSpDr*>(editor.Current());
    // The editor carries the colour the pupil sees over to the new kind
    // (pen or fill, with a black outline for the filled-with-outline kinds).
    if (!drawing || (drawing->SpDrMode != button->Value() && !editor.ChangeDrawingKind(button->Value()))) {
        Bar.Messages().Beep();
        return;
    }
    for (TEP_ToolsBarButton* member : Group(button->Group()))
        member->SetDown(member->Value() == drawing->SpDrMode);
}

void TEP_ToolsBarFrm::ColorSBtnClick(TEP_ToolsBarButton* button)
{
    if (!button || !Bar.ItemEditor)
        return;
    EP_ItEdt& editor = *Bar.ItemEditor;
    if (!editor.Current() || !editor.SetColor(RgbColor(quint32(button->Value()))))
        Bar.Messages().Beep();
}

void TEP_ToolsBarFrm::ToolsBarDragPnlMouseDown(Qt::MouseButton button, int x, int y)
{
    if (button == Qt::RightButton) {
        UserSettings& settings = Bar.Settings();
        settings.ToolbarSizeZoom = settings.ToolbarSizeZoom % 3 + 1;
        Bar.Layout(Bar.IsVertical(), Bar.ItemMode);
        return;
    }
    if (button != Qt::LeftButton || Bar.DragLocked)
        return;
    // Qt gives the handle the mouse until the release.
    DragX = x;
    DragY = y;
    m_dragging = true;
}

void TEP_ToolsBarFrm::ToolsBarDragPnlMouseMove(int x, int y)
{
    QWidget* host = Bar.HostPanel;
    if (!m_dragging || !host || !Bar.MainWindow)
        return;
    const QRect old = host->geometry();
    int left = std::max(0, old.left() + x - DragX);
    int top = std::max(0, old.top() + y - DragY);
    // Past the window's right (bottom) edge the coordinate stays where it
    // was, so the bar never leaves the window.
    const QSize client = Bar.MainWindow->size();
    if (left + old.width() > client.width())
        left = old.left();
    if (top + old.height() > client.height())
        top = old.top();
    host->move(left, top);
    Bar.Settings().ToolbarTop = top;
    Bar.Settings().ToolbarLeft = left;
}

void TEP_ToolsBarFrm::ToolsBarDragPnlMouseUp()
{
    m_dragging = false;
}
