// The main window's side of the toolbar: the bar made at start with the
// window's operations as its callbacks, the keys that show, hide and turn
// it, and the page click that places the item it is waiting to add.
#include "TEP_Frm.h"

#include "EP_ItEdt.h"
#include "ImageWidget.h"
#include "PageScrollBox.h"

#include "commands/TEP_ToolsBar.h"
#include "platform/KeyTranslator.h"
#include "platform/WindowsKeys.h"
#include "sound/TEPSND_DocSoundPlayer.h"

#include <QKeyEvent>
#include <QMouseEvent>

void TEP_Frm::CreateToolsBar()
{
    if (m_toolsBar)
        return;
    m_toolsBar = std::make_unique<TEP_ToolsBar>(m_messenger, m_clock);
    m_toolsBar->OnZoomInOut = [this](bool up) { return ZoomInOut(up); };
    m_toolsBar->OnPrint = [this] { PrintDocument(); };
    m_toolsBar->OnSiblingDocument = [this](bool previous) { return GoToSiblingDocument(previous); };
    m_toolsBar->OnAddItemMode = [this](bool on) { SetAddItemMode(on); };
    m_toolsBar->OnPlaySound = [this](QChar letter) {
        if (m_player)
            m_player->Play(letter);
    };
    m_toolsBar->Create(*m_editor, m_toolbarHost, this);
    m_scrollBox->PageImage()->installEventFilter(this);
}

bool TEP_Frm::ToolsBarPendingKey(QKeyEvent* event)
{
    if (!m_toolsBar)
        return false;
    const TranslatedKey key = KeyTranslator::Translate(*event);
    if (m_toolsBar->IsVisible() && m_toolsBar->KeyOffer(key.code))
        return true;
    if (!AddItemMode)
        return false;
    // While the bar waits for a click on the page, keys do nothing and a
    // typed character gives the add up.
    if (key.HasCharacter())
        m_toolsBar->CancelCreation();
    event->accept();
    return true;
}

bool TEP_Frm::ToolsBarKey(QKeyEvent* event)
{
    if (!m_toolsBar || !RootItem || event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
        return false;
    const int code = KeyTranslator::Translate(*event).code;
    if (code == WindowsKeys::Function(9)) {
        m_toolsBar->SetVisible(!m_toolsBar->IsVisible());
        return true;
    }
    if (code == WindowsKeys::Function(10)) {
        m_toolsBar->SetVertical(!m_toolsBar->IsVertical());
        return true;
    }
    return false;
}

bool TEP_Frm::OfferPageClick(QEvent* event)
{
    if (!m_toolsBar || event->type() != QEvent::MouseButtonPress || !RootItem)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
        return false;
    const QPoint point = mouse->position().toPoint();
    bool handled = false;
    m_toolsBar->PageClick(point.x(), point.y(), handled);
    return handled;
}
