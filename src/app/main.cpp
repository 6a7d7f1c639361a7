// The program: the main window runs the start-up sequence and the
// selection loop; the event loop runs until the selection screen is left
// without a worksheet or the session ends.
#include "SelectionScreenChooser.h"

#include "config/TEP_Config.h"
#include "editor/TEP_Frm.h"
#include "platform/DialogMessenger.h"
#include "platform/FrenchTranslations.h"
#include "platform/QtPrinterDevice.h"
#include "platform/SessionEndWatcher.h"
#include "platform/SteadyClock.h"

#include <QApplication>

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
    SessionEndWatcher sessionEnd;
    QObject::connect(&sessionEnd, &SessionEndWatcher::SessionEnding, &window, &TEP_Frm::EndSession);

    int result = 0;
    if (window.Initialize(application.arguments().mid(1)))
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
} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ardoisine"));
    QApplication::setQuitOnLastWindowClosed(false);
    FrenchTranslations::Install();
    return Run(application);
}
