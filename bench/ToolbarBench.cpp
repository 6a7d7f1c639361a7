// The toolbar: laying the bar out again, which it does each time an item is
// selected or its edit ends, for a selected rectangle (the longest list) and
// for the general commands, at the three size steps.
#include "BenchData.h"

#include "commands/TEP_ToolsBar.h"
#include "config/TEP_Config.h"
#include "documents/ScriptedMessenger.h"
#include "documents/TEP_Doc.h"
#include "documents/TEP_DocsNode.h"
#include "editor/EP_ItEdt.h"
#include "editor/ImageWidget.h"
#include "editor/PageScrollBox.h"
#include "editor/TEP_Frm.h"
#include "platform/SteadyClock.h"
#include "report/TDPRptSpDr.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A worksheet shown in a 1280 x 1024 main window with the bar on it.
struct BarOnWorksheet {
    BarOnWorksheet()
    {
        const QString folder = dir.path() + QStringLiteral("/Documents/Fiches");
        QDir().mkpath(folder);
        BenchData::WriteScannedPage(folder + QStringLiteral("/Fiche.jpg"));
        frame.ScreenPpi = 96.0;
        frame.MakeSoundPlayer = nullptr;
        frame.resize(1280, 1024);
        frame.show();
        ok = config.Initialise(dir.path()).Ok() && config.Tree() && config.Tree()->ChildCount() == 1
            && config.SetCurrentDocument(config.Tree()->ChildAt(0)->Document()).Ok() && frame.ShowDocument();
        bar.Create(frame.Editor(), frame.ToolsBarPnl(), &frame);
        bar.ShowBar();
    }

    QTemporaryDir dir;
    TEP_Config config;
    ScriptedMessenger messenger;
    SteadyClock clock;
    TEP_Frm frame {config, messenger, clock};
    TEP_ToolsBar bar {messenger, clock};
    bool ok = false;
};

// state.range(0): the size step; state.range(1): 1 with a selected
// rectangle, 0 for the general commands.
void BM_ToolbarLayout(benchmark::State& state)
{
    BarOnWorksheet window;
    if (!window.ok) {
        state.SkipWithError("no worksheet");
        return;
    }
    window.config.Settings.ToolbarSizeZoom = int(state.range(0));
    const bool item = state.range(1) != 0;
    if (item && !window.frame.Editor().AddDrawing(&window.frame, TDPRptSpDr::SpRect)) {
        state.SkipWithError("no rectangle");
        return;
    }
    for (auto _ : state)
        window.bar.Layout(false, item);
    state.counters["width_px"] = window.frame.ToolsBarPnl()->width();
}
BENCHMARK(BM_ToolbarLayout)
    ->Args({1, 0})
    ->Args({2, 0})
    ->Args({3, 0})
    ->Args({1, 1})
    ->Args({2, 1})
    ->Args({3, 1})
    ->Unit(benchmark::kMicrosecond);

} // namespace
