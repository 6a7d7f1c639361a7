// The documents view of the selection screen on a data root of 10,000
// worksheets in 100 folders, every folder open: showing it (the entries
// built from the tree, the first picture of the view drawn) and refreshing
// it (the tree rescanned, the open folders and the selection kept). The
// selection screen refreshes the view each time it is shown.
#include "config/TEP_Config.h"
#include "documents/ScriptedMessenger.h"
#include "documents/TEP_DocsNode.h"
#include "platform/SteadyClock.h"
#include "selection/TEP_DocsTree.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct ViewData {
    ViewData()
    {
        for (int folder = 0; folder < 100; ++folder) {
            const QString path = dir.filePath(QStringLiteral("Classe %1").arg(folder));
            QDir().mkpath(path);
            for (int sheet = 0; sheet < 100; ++sheet)
                QFile(QStringLiteral("%1/Fiche %2.jpg").arg(path).arg(sheet)).open(QIODevice::WriteOnly);
        }
        ok = root.Scan(dir.path()).Ok();
    }
    QTemporaryDir dir;
    TEP_DocsNode root;
    bool ok = false;
};

struct View {
    View(TEP_DocsNode& root)
        : tree(config, messenger, clock)
    {
        tree.resize(350, 900);
        loaded = tree.Load(&root).Ok();
    }
    ~View() { (void)tree.Load(nullptr); }
    TEP_Config config;
    ScriptedMessenger messenger;
    SteadyClock clock;
    TEP_DocsTree tree;
    bool loaded = false;
};

void BM_LoadDocsView(benchmark::State& state)
{
    ViewData data;
    for (auto _ : state) {
        View view(data.root);
        view.tree.expandAll();
        benchmark::DoNotOptimize(view.tree.viewport()->grab());
        if (!data.ok || !view.loaded)
            state.SkipWithError("the data root could not be shown");
    }
    state.counters["entries"] = 10101;
}

void BM_RefreshDocsView(benchmark::State& state)
{
    ViewData data;
    View view(data.root);
    view.tree.expandAll();
    view.tree.SelectNames({QStringLiteral("Classe 50"), QStringLiteral("Fiche 50")});
    for (auto _ : state) {
        if (!view.tree.Refresh().Ok() || view.tree.SelectedNames().size() != 2)
            state.SkipWithError("the refresh lost the selection");
        benchmark::DoNotOptimize(view.tree.viewport()->grab());
    }
}

} // namespace

BENCHMARK(BM_LoadDocsView)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshDocsView)->Unit(benchmark::kMillisecond);
