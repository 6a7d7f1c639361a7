// The key vocabulary of the palette: the initial keys, the user's stored
// redefinitions, the standard keyboard set and the redefinition of one
// command's key, caption and caption font.
#include "TPaFrmForm.h"

#include "CommandVocabulary.h"
#include "KeyDefinitionDialog.h"
#include "TDPanel.h"

#include "editor/EP_ItEdt.h"
#include "editor/ImageWidget.h"
#include "editor/PageScrollBox.h"

#include "config/CommandDefinition.h"
#include "config/TEP_Config.h"
#include "documents/Messenger.h"
#include "platform/WindowsKeys.h"

#include <QLabel>
#include <QLineEdit>

namespace {
const QString kEscapeRefused = QStringLiteral("Les commandes de type \"escape\" ne sont pas modifiables.");
const QString kEscapeReserved = QStringLiteral("La touche <Escape> est réservée.");
const QString kKeyUsed = QStringLiteral("Touche déja utilisée.");
const QString kRestoreQuestion = QStringLiteral("Confirmez vous l'initialization des touches par défaut ?");

// The definition as the settings file keeps it: no control character in
// field 2 (it would cut the line), no ";" in the caption.
QStringList Storable(QStringList fields)
{
    if (fields.value(3).toInt() < 32)
        fields[2].clear();
    fields[5].replace(QLatin1Char(';'), QLatin1Char(' '));
    return fields;
}
} // namespace

void TPaFrmForm::RememberInitialKeys()
{
    for (const auto& panel : m_panels)
        if (!panel->IsGroup())
            m_initialDefinitions.insert(panel->Name(), panel->GetDefinition());
}

void TPaFrmForm::ResetToInitialKeys()
{
    for (const auto& panel : m_panels)
        if (const auto found = m_initialDefinitions.constFind(panel->Name()); found != m_initialDefinitions.cend())
            panel->ApplyDefinition(*found);
}

void TPaFrmForm::ApplyUserDefinitions()
{
    ResetToInitialKeys();
    for (auto it = m_config.Settings.CommandKeys.cbegin(); it != m_config.Settings.CommandKeys.cend(); ++it)
        if (TDPanel* command = Panel(it.key()); command && !command->IsGroup())
            command->ApplyDefinition(it.value());
    m_definitionsUser = m_config.CurrentUser();
}

TDPanel* TPaFrmForm::FindInGroups(const QString& name) const
{
    for (TDPanel* group : GroupsList.Children())
        if (TDPanel* found = group->FindByName(name))
            return found;
    return nullptr;
}

void TPaFrmForm::RestoreStandardKeys()
{
    if (!m_messenger.AskYesNo(kRestoreQuestion))
        return;
    QMap<QString, QStringList>& stored = m_config.Settings.CommandKeys;
    for (const CommandVocabulary::StandardKey& key : CommandVocabulary::StandardKeys()) {
        TDPanel* command = FindInGroups(key.name);
        if (!command) {
            m_messenger.ShowMessage(
                QStringLiteral("Erreur interne : pas de définition pour le panneau %1 !").arg(key.name));
            continue;
        }
        command->ApplyDefinition(CommandDefinition::SplitText(key.definition));
        // The keys in force at the next start are the stored ones: the
        // standard set is stored too, over the user's own for these commands.
        for (const QString& name : stored.keys())
            if (name.compare(key.name, Qt::CaseInsensitive) == 0)
                stored.remove(name);
        stored.insert(key.name, Storable(command->GetDefinition()));
    }
    const Outcome saved = m_config.SaveUserSettings();
    if (saved.HasMessages())
        m_messenger.ShowMessages(saved.Messages());
}

void TPaFrmForm::RedefineKey()
{
    TDPanel* command = ActiveGroup ? ActiveGroup->DeepestSelected() : nullptr;
    if (!command || command->IsGroup())
        return;
    if (command->KeyCode == WindowsKeys::Escape || command->KeyChar == WindowsKeys::EscapeCharacter) {
        m_messenger.ShowMessage(kEscapeRefused);
        return;
    }
    if (OnAccessCheck && !OnAccessCheck())
        return;
    QWidget* mainWindow = ShownPanel ? ShownPanel->window() : window();
    KeyDefinitionDialog dialog(mainWindow);
    PendingKeyCode = command->KeyCode;
    PendingKeyChar = command->KeyChar;
    dialog.PendingKeyCode = PendingKeyCode;
    dialog.PendingKeyChar = PendingKeyChar;
    dialog.CmdPnlLblEdt()->setText(QString(command->Caption()).replace(QStringLiteral("&&"), QStringLiteral("&")));
    if (QLabel* shown = command->CaptionControl())
        dialog.CaptionFont = shown->font();
    connect(&dialog, &KeyDefinitionDialog::FontWanted, &dialog, [&] {
        if (ChooseFont)
            ChooseFont(dialog.CaptionFont, &dialog);
    });
    connect(&dialog, &KeyDefinitionDialog::StandardWanted, &dialog, [this] { RestoreStandardKeys(); });
    if (command->Ctrl) {
        dialog.resize(std::max(command->Ctrl->width() * 3, 420), dialog.sizeHint().height());
        dialog.move(mainWindow->geometry().center() - dialog.rect().center());
    }
    while (RunDialog(dialog) == QDialog::Accepted) {
        PendingKeyCode = dialog.PendingKeyCode;
        PendingKeyChar = dialog.PendingKeyChar;
        if (RedefineOnce(*command, dialog))
            break;
    }
}

bool TPaFrmForm::RedefineOnce(TDPanel& command, KeyDefinitionDialog& dialog)
{
    if (PendingKeyCode == WindowsKeys::Escape) {
        m_messenger.ShowMessage(kEscapeReserved);
        dialog.PendingKeyCode = PendingKeyCode = command.KeyCode;
        dialog.PendingKeyChar = PendingKeyChar = command.KeyChar;
        return false;
    }
    // The command's own key does not count as taken. Its siblings are the
    // commands that answer in the same place.
    const quint16 oldCode = command.KeyCode;
    const quint8 oldChar = command.KeyChar;
    command.KeyCode = 0;
    command.KeyChar = 0;
    TDPanelTbl* siblings = command.ParentPnl;
    if (siblings && (siblings->FindByKeyChar(PendingKeyChar) || siblings->FindByKeyCode(PendingKeyCode))) {
        command.KeyCode = oldCode;
        command.KeyChar = oldChar;
        m_messenger.ShowMessage(kKeyUsed);
        return false;
    }
    if (PendingKeyChar != 0 && PendingKeyChar == PendingKeyCode)
        command.KeyChar = PendingKeyChar;
    else
        command.KeyCode = PendingKeyCode;
    command.SetCaption(dialog.CmdPnlLblEdt()->text().replace(QStringLiteral("&"), QStringLiteral("&&")));
    if (QLabel* shown = command.CaptionControl()) {
        QFont font = shown->font();
        font.setFamily(dialog.CaptionFont.family());
        if (dialog.CaptionFont.pointSize() > 0)
            font.setPointSize(dialog.CaptionFont.pointSize());
        shown->setFont(font);
    }
    command.SaveDefinition();
    return true;
}
