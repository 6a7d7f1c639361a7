// The program: the main window runs the start-up sequence and the
// selection loop; the event loop runs until the selection screen is left
// without a worksheet or the session ends.
#include "SelectionScreenChooser.h"

#include "commands/PaletteConnection.h"
#include "commands/TPaFrmForm.h"
#include "config/TEP_Config.h"
#include "editor/StartParameters.h"
#include "editor/TEP_Frm.h"
#include "platform/DialogMessenger.h"
#include "platform/FrenchTranslations.h"
#include "platform/QtPrinterDevice.h"
#include "platform/SessionEndWatcher.h"
#include "platform/SteadyClock.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>

namespace {
int Run(QApplication& application)
{
    SteadyClock clock;
    TEP_Config config;
    config.DefaultPrinterName = [] { return QtPrinterDevice::DefaultPrinterName(); };
    DialogMessenger messenger;
    TEP_Frm window(config, messenger, clock);
    messenger.SetParent(&window);
    window.MakeChooser = [&] {
        return std::make_unique<SelectionScreenChooser>(config, messenger, clock, window.SoundPlayer(), &window);
    };
    TPaFrmForm palette(config, messenger, clock, &window);
    // Without a password nothing is asked; otherwise the selection
    // screen's question, passed once for the session when so chosen.
    PaletteConnection::Connect(window, palette, [&] {
        if (config.Password.isEmpty())
            return true;
        auto* chooser = dynamic_cast<SelectionScreenChooser*>(window.Chooser());
        return chooser && chooser->AskSettingsPassword();
    });
    SessionEndWatcher sessionEnd;
    QObject::connect(&sessionEnd, &SessionEndWatcher::SessionEnding, &window, &TEP_Frm::EndSession);

    // The PC's default data root goes in front of the command line, whose
    // own "DIR=" then wins.
    const QStringList parameters
        = StartParameters::WithSystemWorkDir(application.arguments().mid(1), StartParameters::SystemConfigurationFile);
    int result = 0;
    if (window.Initialize(parameters))
        result = application.exec();
    // Whatever ended the run, the pupil's work and the settings are written
    // while everything they need still exists.
    window.SaveWork();
    if (!config.DataRoot().isEmpty()) {
        const Outcome saved = config.SaveAll();
        if (saved.HasMessages())
            messenger.ShowMessages(saved.Messages());
    }
    // Sound objects go before the application object (the sound server's
    // library may abort otherwise).
    window.ReleaseSoundPlayer();
    return result;
}

// "--help" and "--version" are answered before any window system is
// opened: IT staff may ask on a PC reached over ssh, without a display.
bool AnsweredInformation(int argc, char** argv)
{
    QStringList parameters;
    for (int index = 1; index < argc; ++index)
        parameters << QString::fromLocal8Bit(argv[index]);
    QString text;
    if (StartParameters::AsksForHelp(parameters))
        text = StartParameters::HelpText();
    else if (StartParameters::AsksForVersion(parameters))
        text = StartParameters::VersionText();
    else
        return false;
    fputs(text.toUtf8().constData(), stdout);
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    if (AnsweredInformation(argc, argv))
        return 0;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ardoisine"));
    // The desktop entry and the icon the package installs name the windows
    // in the task bar.
    QGuiApplication::setDesktopFileName(QStringLiteral("fr.ardoisine.Ardoisine"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("fr.ardoisine.Ardoisine")));
    QApplication::setQuitOnLastWindowClosed(false);
    FrenchTranslations::Install();
    return Run(application);
}
