#include "WindowSelectionDialogs.h"

#include "EntryLookDialog.h"
#include "PasswordDialog.h"
#include "PupilChoiceDialog.h"
#include "TEP_QuitFrm.h"
#include "config/dialogs/TEP_UsersMngFrm.h"
#include "platform/ScannerChooserDialog.h"
#include "printing/PrintDialogs.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>

WindowSelectionDialogs::WindowSelectionDialogs(TEP_Config& config, Messenger& messenger, QWidget* parent)
    : m_config(config)
    , m_messenger(messenger)
    , m_parent(parent)
{ }

bool WindowSelectionDialogs::AskQuit()
{
    return TEP_QuitFrm::Ask(m_parent);
}

PasswordAnswer WindowSelectionDialogs::AskPassword(const QString& title, bool withDoNotShowAgain)
{
    return PasswordDialog::Ask(title, withDoNotShowAgain, m_parent);
}

int WindowSelectionDialogs::ChooseUserName()
{
    return TEP_UsersMngFrm::ChooseName(m_config, m_messenger, m_parent);
}

bool WindowSelectionDialogs::EditUserNames()
{
    return TEP_UsersMngFrm::EditUserNames(m_config, m_messenger, m_parent);
}

QString WindowSelectionDialogs::ChooseImportFile()
{
    return QFileDialog::getOpenFileName(m_parent, QStringLiteral("Importer un document"), QString(),
        QStringLiteral("Fichiers JPEG (*.jpg *.jpeg *.JPG *.JPEG)"));
}

QString WindowSelectionDialogs::ChooseExportFile(const QString& folder, const QString& proposedName)
{
    return QFileDialog::getSaveFileName(m_parent, QStringLiteral("Exporter le travail"),
        QDir(folder).filePath(proposedName), QStringLiteral("Fichiers JPEG (*.jpg *.jpeg)"));
}

std::optional<RgbColor> WindowSelectionDialogs::ChooseColor(RgbColor initial)
{
    const QColor chosen = QColorDialog::getColor(initial.ToQColor(), m_parent, QStringLiteral("Couleur"));
    if (!chosen.isValid())
        return std::nullopt;
    return RgbColor::FromQColor(chosen);
}

std::optional<FontDescription> WindowSelectionDialogs::ChooseFont(const FontDescription& initial)
{
    bool ok = false;
    const QFont chosen
        = QFontDialog::getFont(&ok, initial.ToQFont(), m_parent, QStringLiteral("Police de l'arbre des documents"));
    if (!ok)
        return std::nullopt;
    FontDescription font = initial;
    font.Name = chosen.family();
    font.Size = chosen.pointSize() > 0 ? chosen.pointSize() : initial.Size;
    font.Styles = (chosen.bold() ? FontDescription::Bold : 0) | (chosen.italic() ? FontDescription::Italic : 0)
        | (chosen.underline() ? FontDescription::Underline : 0) | (chosen.strikeOut() ? FontDescription::StrikeOut : 0);
    // Qt's font window has no colour: the text's colour is chosen next
    // (cancelled: it stays).
    const QColor color = QColorDialog::getColor(
        initial.Color.ToQColor(), m_parent, QStringLiteral("Couleur du texte de l'arbre des documents"));
    if (color.isValid())
        font.Color = RgbColor::FromQColor(color);
    return font;
}

bool WindowSelectionDialogs::EditEntryLook(TEP_DocsNode& node)
{
    return EntryLookDialog::Edit(node, m_parent);
}

void WindowSelectionDialogs::ShowInfoMessage(const QString& caption, const QString& message, bool& show)
{
    ::ShowInfoMessage(caption, message, show, m_parent);
}

QString WindowSelectionDialogs::ChooseScanner(const QList<ScannerDevice>& devices, const QString& preferred)
{
    return ScannerChooserDialog::Choose(m_parent, devices, preferred);
}

std::optional<QStringList> WindowSelectionDialogs::ChoosePupils(const QStringList& pupils)
{
    return PupilChoiceDialog::Ask(pupils, m_parent);
}
