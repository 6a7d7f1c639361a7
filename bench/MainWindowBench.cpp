// The main window: opening a worksheet (a 300 dpi A4 scan with 200 of the
// pupil's items) from the key that opens it to the first painted page, and
// drawing the page again at 150 %.
#include "BenchData.h"

#include "config/TEP_Config.h"
#include "documents/ScriptedMessenger.h"
#include "documents/TEP_Doc.h"
#include "documents/TEP_DocsNode.h"
#include "editor/EP_ItEdt.h"
#include "editor/ImageWidget.h"
#include "editor/PageScrollBox.h"
#include "editor/TEP_Frm.h"
#include "params/TextFile.h"
#include "platform/SteadyClock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A data root whose one worksheet has the default user's work, and the main
// window over it, shown in a 1280 x 1024 window on a 96 dpi screen.
struct OpenedWindow {
    OpenedWindow()
    {
        const QString folder = dir.path() + QStringLiteral("/Documents/Fiches");
        QDir().mkpath(folder);
        BenchData::WriteScannedPage(folder + QStringLiteral("/Fiche.jpg"));
        TextFile::WriteLines(folder + QStringLiteral("/Fiche_XXXX.txt"), BenchData::WorkItems(200));
        ok = config.Initialise(dir.path()).Ok() && config.Tree() && config.Tree()->ChildCount() == 1;
        frame.ScreenPpi = 96.0;
        frame.MakeSoundPlayer = nullptr;
        frame.resize(1280, 1024);
        frame.show();
    }
    TEP_Doc* Document() const { return config.Tree()->ChildAt(0)->Document(); }
    // The worksheet closed as the selection screen leaves it: its pictures
    // and items freed.
    void Close()
    {
        frame.Editor().Detach(&frame);
        frame.RootItem = nullptr;
        (void)config.SetCurrentDocument(nullptr);
    }
    bool Open()
    {
        if (!config.SetCurrentDocument(Document()).Ok() || !frame.ShowDocument())
            return false;
        frame.EditSCBox()->PageImage()->repaint();
        return true;
    }

    QTemporaryDir dir;
    TEP_Config config;
    ScriptedMessenger messenger;
    SteadyClock clock;
    TEP_Frm frame {config, messenger, clock};
    bool ok = false;
};

// state.range(0): the zoom level (1 fit, 2 100 %, 3 150 %).
void BM_MainWindowOpen(benchmark::State& state)
{
    OpenedWindow window;
    if (!window.ok) {
        state.SkipWithError("no data root");
        return;
    }
    window.frame.SetZoom(int(state.range(0)));
    for (auto _ : state) {
        if (!window.Open()) {
            state.SkipWithError("not opened");
            return;
        }
        state.PauseTiming();
        window.Close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MainWindowOpen)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

void BM_MainWindowRedrawPage(benchmark::State& state)
{
    OpenedWindow window;
    if (!window.ok || !window.Open()) {
        state.SkipWithError("not opened");
        return;
    }
    window.frame.SetZoom(TEP_Frm::LargeZoom);
    for (auto _ : state)
        window.frame.RedrawPage();
    state.counters["page_px"] = window.frame.EditSCBox()->PageImage()->Image().width();
}
BENCHMARK(BM_MainWindowRedrawPage)->Unit(benchmark::kMillisecond);

} // namespace
