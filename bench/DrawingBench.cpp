// Drawing a page of pupils' drawings on an A4 page bitmap at screen zooms.
#include "BenchData.h"
#include "params/Param_Obj.h"
#include "report/DefinitionFile.h"
#include "report/ReportDrawing.h"
#include "report/TDPRptItem.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// state.range(0): zoom in percent, on a 96 dpi screen.
void BM_DrawMixedPage(benchmark::State& state)
{
    Param_Obj params;
    params.LoadFromLines(BenchData::MixedDrawings(300));
    std::unique_ptr<TDPRptItem> root = DPRpt_CreateItem(QStringLiteral("MAINRECT"), params);
    const float scale = float(96.0 / 254.0 * state.range(0) / 100.0);
    root->SetScale(scale);
    QImage scan(root->PixelRect.right() + 1, root->PixelRect.bottom() + 1, QImage::Format_RGB32);
    scan.fill(qRgb(250, 250, 245));
    QImage page = scan;
    for (auto _ : state) {
        page = scan; // the cached page picture, then the items over it
        page.detach();
        QPainter painter(&page);
        SurfaceDrawing drawing;
        drawing.surface = &page;
        drawing.scale = scale;
        drawing.nominalResolution = int(96 * state.range(0) / 100);
        if (!DrawReportTree(*root, painter, drawing))
            state.SkipWithError("drawing failed");
    }
    state.counters["pixels"] = double(page.width()) * page.height();
}

} // namespace

BENCHMARK(BM_DrawMixedPage)->Arg(100)->Arg(150)->Unit(benchmark::kMillisecond);
