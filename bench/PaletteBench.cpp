// The tools palette: making it (every panel, key and neighbour), the main
// panel's geometric neighbours, and one firing of a command held down with
// the mouse, which moves the edited item's surface and draws nothing else.
#include "BenchData.h"
#include "FakeClock.h"

#include "commands/PaletteConnection.h"
#include "commands/TDPanel.h"
#include "commands/TPaFrmForm.h"
#include "config/TEP_Config.h"
#include "documents/ScriptedMessenger.h"
#include "documents/TEP_DocsNode.h"
#include "editor/EP_ItEdt.h"
#include "editor/ImageWidget.h"
#include "editor/PageScrollBox.h"
#include "editor/TEP_Frm.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_PaletteBuild(benchmark::State& state)
{
    TEP_Config config;
    ScriptedMessenger messenger;
    FakeClock clock;
    for (auto _ : state) {
        TPaFrmForm palette(config, messenger, clock);
        benchmark::DoNotOptimize(palette.MainPnl());
    }
}
BENCHMARK(BM_PaletteBuild)->Unit(benchmark::kMillisecond);

void BM_PaletteBuildNeighbours(benchmark::State& state)
{
    TEP_Config config;
    ScriptedMessenger messenger;
    FakeClock clock;
    TPaFrmForm palette(config, messenger, clock);
    TDPanel* main = palette.Group(QStringLiteral("MainPnl"));
    for (auto _ : state)
        main->BuildNeighbours();
}
BENCHMARK(BM_PaletteBuildNeighbours)->Unit(benchmark::kMicrosecond);

// A 300 dpi worksheet at 100 % in the main window, the palette docked with
// a rectangle being edited and its "up" command held down.
void BM_PaletteHeldCommandRepeat(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/Documents/Fiches");
    QDir().mkpath(folder);
    BenchData::WriteScannedPage(folder + QStringLiteral("/Fiche.jpg"));
    TEP_Config config;
    ScriptedMessenger messenger;
    FakeClock clock;
    TEP_Frm frame(config, messenger, clock);
    frame.ScreenPpi = 96.0;
    frame.MakeSoundPlayer = nullptr;
    frame.resize(1280, 1024);
    frame.show();
    TPaFrmForm palette(config, messenger, clock);
    PaletteConnection::Connect(frame, palette, [] { return true; });
    if (!config.Initialise(dir.path()).Ok() || !config.Tree() || config.Tree()->ChildCount() != 1
        || !config.SetCurrentDocument(config.Tree()->ChildAt(0)->Document()).Ok() || !frame.ShowDocument()) {
        state.SkipWithError("not opened");
        return;
    }
    frame.SetZoom(TEP_Frm::FullZoom);
    palette.OpenPalette();
    palette.KeyPress('A');
    TDPanel* up = palette.Panel(QStringLiteral("ItUp_Pnl"));
    config.Settings.ToolsOneClick = true;
    config.Session.MoveStep = 1;
    palette.CommandPressed(*up, up->Ctrl->mapToGlobal(QPoint(3, 3)));
    EP_ItEdt& editor = frame.Editor();
    const int redraws = frame.RedrawCount();
    for (auto _ : state) {
        clock.Advance(config.Settings.MouseDelay + 20);
        palette.MouseTimerTick();
        editor.EditImage()->repaint();
        if (editor.SurfaceOnPage().top() < 20) {
            state.PauseTiming();
            editor.Move(EP_ItEdt::MoveDown, 1000, true);
            state.ResumeTiming();
        }
    }
    palette.CommandReleased(*up);
    state.counters["page_redraws"] = frame.RedrawCount() - redraws;
    state.counters["surface_px"] = editor.EditImage()->width() * editor.EditImage()->height();
    state.counters["page_px"] = editor.PageImage()->width() * editor.PageImage()->height();
}
BENCHMARK(BM_PaletteHeldCommandRepeat)->Unit(benchmark::kMicrosecond);

} // namespace
