// A pupil typing into the real editor of the real main window (offscreen),
// for the test that kills it at random moments. Types one character every
// TypeEveryMs into text items of TypedPerItem characters, leaves and opens
// the worksheet again (a save) every SaveEvery characters, and prints
// "<characters typed> <milliseconds since the epoch>" after each character.
// The characters typed are Sentence over and over, one sentence an item,
// each item a line below the previous one.
//
// Usage: recovery_editor DATAROOT WORKSHEET [PUPIL]
#include "config/TEP_Config.h"
#include "documents/ScriptedMessenger.h"
#include "documents/TEP_DocsNode.h"
#include "editor/DocumentChooser.h"
#include "editor/EP_ItEdt.h"
#include "editor/ImageWidget.h"
#include "editor/PageScrollBox.h"
#include "editor/TEP_Frm.h"
#include "platform/SteadyClock.h"
#include "platform/WindowsKeys.h"

#include <QApplication>
#include <QDateTime>
#include <QTimer>
#include <cstdio>

namespace {

constexpr int TypeEveryMs = 15;
const QString Sentence = QStringLiteral("Le petit chat dort sur le lit.");
const int TypedPerItem = int(Sentence.size());
constexpr int LineStep = 40; // pixels between two items
constexpr int SaveEvery = 90;
constexpr int StopAfterMs = 30000; // killed long before

class OneWorksheet : public DocumentChooser {
public:
    OneWorksheet(TEP_Config& config, const QString& name, const QString& pupil)
        : m_config(config)
        , m_name(name)
        , m_pupil(pupil)
    { }
    bool ChooseDocument() override
    {
        if (m_chosen)
            return false;
        m_chosen = true;
        if (!m_pupil.isEmpty() && !m_config.SetUser(m_pupil, false))
            return false;
        TEP_DocsNode* node = Find(m_config.Tree());
        return node && m_config.SetCurrentDocument(node->Document()).Ok();
    }

private:
    TEP_DocsNode* Find(TEP_DocsNode* folder) const
    {
        for (int index = 0; folder && index < folder->ChildCount(); ++index) {
            TEP_DocsNode* child = folder->ChildAt(index);
            if (child->IsDocument() && child->Name() == m_name)
                return child;
            if (TEP_DocsNode* found = child->IsDocument() ? nullptr : Find(child))
                return found;
        }
        return nullptr;
    }
    TEP_Config& m_config;
    QString m_name;
    QString m_pupil;
    bool m_chosen = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: recovery_editor DATAROOT WORKSHEET [PUPIL]\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const QString worksheet = QString::fromLocal8Bit(argv[2]);
    const QString pupil = argc == 4 ? QString::fromLocal8Bit(argv[3]) : QString();
    TEP_Config config;
    ScriptedMessenger messenger; // any question: "Non"
    SteadyClock clock;
    TEP_Frm frame(config, messenger, clock);
    frame.ShowSplash = [](SplashWindow&) {};
    frame.MakeSoundPlayer = nullptr;
    frame.Quit = [] {};
    frame.MakeChooser = [&] { return std::make_unique<OneWorksheet>(config, worksheet, pupil); };
    if (!frame.Initialize({QStringLiteral("DIR=") + root}) || !frame.RootItem) {
        std::fprintf(stderr, "not opened: %s\n", qPrintable(messenger.Shown.join(QLatin1Char('\n'))));
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);

    int typed = 0;
    QTimer typing;
    typing.callOnTimeout([&] {
        EP_ItEdt& editor = frame.Editor();
        if (typed > 0 && typed % SaveEvery == 0 && editor.Current()) {
            frame.SaveWork(); // as when the pupil leaves the worksheet
            frame.ShowDocument();
        }
        if (typed % TypedPerItem == 0) {
            if (!editor.AddText(&frame)) {
                std::fprintf(stderr, "no text item added\n");
                application.exit(1);
                return;
            }
            editor.Move(EP_ItEdt::MoveDown, LineStep * (typed / TypedPerItem % 20), true);
            editor.KeyDown(WindowsKeys::Return, 0); // Enter starts the text entry
            editor.KeyPress(QChar(WindowsKeys::EnterCharacter));
        }
        if (!editor.KeyPress(Sentence[typed % TypedPerItem])) {
            std::fprintf(stderr, "character refused\n");
            application.exit(1);
            return;
        }
        ++typed;
        std::printf("%d %lld\n", typed, QDateTime::currentMSecsSinceEpoch());
        std::fflush(stdout);
    });
    typing.start(TypeEveryMs);
    QTimer::singleShot(StopAfterMs, &application, [&] { application.exit(0); });
    return application.exec();
}
