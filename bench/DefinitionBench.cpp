// Loading and saving work files: both must grow linearly with the number of
// items (a work file holds one section per item).
#include "BenchData.h"
#include "params/Param_Obj.h"
#include "params/TextFile.h"
#include "report/DefinitionFile.h"
#include "report/TDPRptRect.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

void BM_LoadDefinition(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("Fiche_Paul.txt"));
    TextFile::WriteLines(fileName, BenchData::RectangleItems(int(state.range(0))));
    BenchData::PeakMemory peak;
    for (auto _ : state) {
        TDPRptRect root;
        Param_Obj params;
        params.LoadFromFile(fileName);
        if (!DPRpt_Load(&root, QStringLiteral("MAINRECT"), params) || root.ChildCount() != state.range(0))
            state.SkipWithError("load failed");
        root.SetScale(1.0f);
    }
    state.counters["peak_MB"] = peak.Megabytes();
    state.SetComplexityN(state.range(0));
}

void BM_SaveDefinition(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("Fiche_Paul.txt"));
    Param_Obj params;
    params.LoadFromLines(BenchData::RectangleItems(int(state.range(0))));
    TDPRptRect root;
    DPRpt_Load(&root, QStringLiteral("MAINRECT"), params);
    root.SetScale(1.0f);
    for (auto _ : state) {
        QStringList lines;
        SaveToLines(&root, lines);
        if (!TextFile::WriteLines(fileName, lines))
            state.SkipWithError("save failed");
    }
    state.SetComplexityN(state.range(0));
}

} // namespace

BENCHMARK(BM_LoadDefinition)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_SaveDefinition)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
