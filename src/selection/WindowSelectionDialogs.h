#pragma once

#include "SelectionDialogs.h"

#include <QPointer>
#include <QWidget>

class Messenger;
class TEP_Config;

// The program's windows behind the selection screen's questions.
class WindowSelectionDialogs : public SelectionDialogs {
public:
    WindowSelectionDialogs(TEP_Config& config, Messenger& messenger, QWidget* parent);

    bool AskQuit() override;
    PasswordAnswer AskPassword(const QString& title, bool withDoNotShowAgain) override;
    int ChooseUserName() override;
    bool EditUserNames() override;
    QString ChooseImportFile() override;
    QString ChooseExportFile(const QString& folder, const QString& proposedName) override;
    std::optional<RgbColor> ChooseColor(RgbColor initial) override;
    std::optional<FontDescription> ChooseFont(const FontDescription& initial) override;
    bool EditEntryLook(TEP_DocsNode& node) override;
    void ShowInfoMessage(const QString& caption, const QString& message, bool& show) override;
    QString ChooseScanner(const QList<ScannerDevice>& devices, const QString& preferred) override;
    std::optional<QStringList> ChoosePupils(const QStringList& pupils) override;

private:
    TEP_Config& m_config;
    Messenger& m_messenger;
    QPointer<QWidget> m_parent;
};
