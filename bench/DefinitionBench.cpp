// Loading and saving work files: both must grow linearly with the number of
// items (a work file holds one section per item).
#include "params/Param_Obj.h"
#include "params/TextFile.h"
#include "report/DefinitionFile.h"
#include "report/TDPRptRect.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

QStringList DefinitionWithItems(int count)
{
    QStringList lines {QStringLiteral("[MAINRECT]"), QStringLiteral("TYPE=RECT"), QStringLiteral("RECT=2000,2829")};
    for (int i = 1; i <= count; ++i)
        lines.append(QStringLiteral("CHILD=NEWIT_%1,%2,%3").arg(i).arg(i * 7 % 1900).arg(i * 13 % 2700));
    for (int i = 1; i <= count; ++i) {
        lines.append(QString());
        lines.append(QStringLiteral("[NEWIT_%1]").arg(i));
        lines.append(QStringLiteral("TYPE=RECT"));
        lines.append(QStringLiteral("RECT=%1,%2").arg(50 + i % 90).arg(40 + i % 70));
        lines.append(QStringLiteral("COLORS=BACK:%1").arg(i * 4099 % 16777215));
        if (i % 3 == 0) lines.append(QStringLiteral("TOPBORDERS=(BORDER:1,STYLE:SOLID,WIDTH:2,COLOR:255)"));
    }
    return lines;
}

void BM_LoadDefinition(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("Fiche_Paul.txt"));
    TextFile::WriteLines(fileName, DefinitionWithItems(int(state.range(0))));
    for (auto _ : state) {
        TDPRptRect root;
        Param_Obj params;
        params.LoadFromFile(fileName);
        if (!DPRpt_Load(&root, QStringLiteral("MAINRECT"), params) || root.ChildCount() != state.range(0))
            state.SkipWithError("load failed");
        root.SetScale(1.0f);
    }
    state.SetComplexityN(state.range(0));
}

void BM_SaveDefinition(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("Fiche_Paul.txt"));
    Param_Obj params;
    params.LoadFromLines(DefinitionWithItems(int(state.range(0))));
    TDPRptRect root;
    DPRpt_Load(&root, QStringLiteral("MAINRECT"), params);
    root.SetScale(1.0f);
    for (auto _ : state) {
        QStringList lines;
        SaveToLines(&root, lines);
        if (!TextFile::WriteLines(fileName, lines)) state.SkipWithError("save failed");
    }
    state.SetComplexityN(state.range(0));
}

} // namespace

BENCHMARK(BM_LoadDefinition)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_SaveDefinition)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
