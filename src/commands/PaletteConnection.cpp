#include "PaletteConnection.h"

#include "TPaFrmForm.h"

#include "editor/EP_ItEdt.h"
#include "editor/ImageWidget.h"
#include "editor/PageScrollBox.h"
#include "editor/TEP_Frm.h"
#include "platform/KeyTranslator.h"
#include "platform/WindowsKeys.h"
#include "sound/TEPSND_DocSoundPlayer.h"

#include <QKeyEvent>

void PaletteConnection::Connect(TEP_Frm& window, TPaFrmForm& palette, std::function<bool()> accessCheck)
{
    palette.AttachEditor(window.Editor());
    palette.OnDockPanel = [&window](QWidget* panel) { window.DockPanel(panel); };
    palette.OnPrint = [&window] { window.PrintDocument(); };
    palette.OnZoom = [&window](int level) { window.SetZoom(level); };
    palette.OnPlaySound = [&window](QChar sound) {
        if (TEPSND_DocSoundPlayer* player = window.SoundPlayer())
            player->Play(sound);
    };
    // The window beeps itself when there is no such worksheet.
    palette.OnSiblingDocument = [&window](bool previous) {
        window.GoToSiblingDocument(previous);
        return true;
    };
    palette.OnAccessCheck = std::move(accessCheck);
    window.DockedPanelWidth = [&palette](QWidget* panel) { return palette.DockedWidth(panel); };
    window.PaletteMainPanel = palette.MainPnl();
    window.PaletteHeight = [&palette] { return palette.height(); };
    window.KeyDispatch = [&window, &palette](QKeyEvent* event) {
        if (!PaletteKey(window, palette, *event))
            return false;
        event->accept();
        return true;
    };
    // A worksheet shown again brings back a palette that was open when the
    // previous one went (the palette stops observing the editor while it
    // is closed, so the editor's attach cannot tell it).
    const std::function<void()> before = window.AfterShow;
    window.AfterShow = [before, &window, &palette] {
        if (before)
            before();
        if (palette.PaletteOpen && !palette.ShownPanel && window.Editor().Root())
            palette.OpenPalette();
    };
}

bool PaletteConnection::PaletteKey(TEP_Frm& window, TPaFrmForm& palette, const QKeyEvent& event)
{
    const TranslatedKey key = KeyTranslator::Translate(event);
    if (!palette.ShownPanel) {
        if (key.character == ' ' && window.Editor().Root()) {
            palette.OpenPalette();
            return true;
        }
        return false;
    }
    if (key.code == WindowsKeys::Function(9) && key.shift == 0) {
        palette.ClosePalette();
        return true;
    }
    // A key-down, then the character it types, as the system sends them.
    if (key.HasCode())
        palette.KeyDown(key.code, key.shift);
    if (key.HasCharacter() && palette.ShownPanel)
        palette.KeyPress(key.character);
    return true;
}
