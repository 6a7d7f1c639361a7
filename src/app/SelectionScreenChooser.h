#pragma once

#include "editor/DocumentChooser.h"
#include "selection/TEP_SelectFrm.h"

class Clock;
class Messenger;
class TEPSND_DocSoundPlayer;
class TEP_Config;

// The main window chooses its worksheets on the selection screen, made once
// and kept for the whole run.
class SelectionScreenChooser : public DocumentChooser {
public:
    SelectionScreenChooser(
        TEP_Config& config, Messenger& messenger, const Clock& clock, TEPSND_DocSoundPlayer* player, QWidget* parent)
        : m_screen(config, messenger, clock, player, nullptr, parent)
    { }
    bool ChooseDocument() override { return m_screen.ChooseDocument(); }
    bool AskSettingsPassword() { return m_screen.AskSettingsPassword(); }

private:
    TEP_SelectFrm m_screen;
};
