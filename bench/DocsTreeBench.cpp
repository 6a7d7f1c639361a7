// Scanning the documents tree of a data root: 10,000 worksheets in 100
// folders, each folder listed once, on the local disk and through a network
// share. The reference is the cost of one file test per worksheet (what a
// scan doing several tests per document would pay several times over).
#include "BenchData.h"
#include "BenchShare.h"
#include "NetworkShare.h"
#include "documents/TEP_DocsNode.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fstream>
#include <unistd.h>

namespace {

struct DataRoot {
    // Made inside `parent` when given (the folder a share serves).
    explicit DataRoot(const QString& parent = QString())
        : dir(parent.isEmpty() ? QDir::tempPath() + QStringLiteral("/ardoisine-root-XXXXXX")
                               : parent + QStringLiteral("/ardoisine-root-XXXXXX"))
    {
        for (int folder = 0; folder < 100; ++folder) {
            const QString path = dir.filePath(QStringLiteral("Classe %1").arg(folder));
            QDir().mkpath(path);
            for (int sheet = 0; sheet < 100; ++sheet) {
                const QString base = QStringLiteral("%1/Fiche %2").arg(path).arg(sheet);
                files << base + QStringLiteral(".jpg");
                QFile(files.last()).open(QIODevice::WriteOnly);
                if (sheet % 3 == 0)
                    QFile(base + QStringLiteral("_Paul.txt")).open(QIODevice::WriteOnly);
                if (sheet % 10 == 0)
                    QFile(base + QStringLiteral("_C.wav")).open(QIODevice::WriteOnly);
            }
        }
    }
    QTemporaryDir dir;
    QStringList files;
};

DataRoot& Root()
{
    static DataRoot root;
    return root;
}

bool DropPageCache()
{
    ::sync();
    std::ofstream drop("/proc/sys/vm/drop_caches");
    return drop && (drop << "3" << std::endl);
}

void Scan(benchmark::State& state, const QString& folder = Root().dir.path())
{
    TEP_DocsNode root;
    if (!root.Scan(folder) || !root.Exists() || root.ChildCount() != 100)
        state.SkipWithError("scan failed");
}

void BM_ScanTreeWarm(benchmark::State& state)
{
    Root();
    BenchData::PeakMemory peak;
    for (auto _ : state)
        Scan(state);
    state.counters["worksheets"] = 10000;
    state.counters["peak_MB"] = peak.Megabytes();
}

void BM_ScanTreeCold(benchmark::State& state)
{
    Root();
    for (auto _ : state) {
        state.PauseTiming();
        const bool dropped = DropPageCache();
        state.ResumeTiming();
        if (!dropped) {
            state.SkipWithError("the page cache cannot be dropped on this machine");
            break;
        }
        Scan(state);
    }
}

// The same data root on the share: made on the server's disk, scanned
// through sshfs.
void BM_ScanTreeSshfs(benchmark::State& state)
{
    NetworkShare* share = BenchShare::Share();
    if (!share) {
        state.SkipWithError(qPrintable(BenchShare::ShareProblem()));
        return;
    }
    static DataRoot served(share->ServedPath(QString()));
    const QString mounted = share->Path(QFileInfo(served.dir.path()).fileName());
    for (auto _ : state)
        Scan(state, mounted);
    state.counters["worksheets"] = 10000;
}

void BM_OneStatPerWorksheetReference(benchmark::State& state)
{
    const QStringList& files = Root().files;
    for (auto _ : state) {
        int found = 0;
        for (const QString& file : files)
            found += QFileInfo::exists(file);
        benchmark::DoNotOptimize(found);
    }
}

} // namespace

BENCHMARK(BM_ScanTreeWarm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanTreeCold)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ScanTreeSshfs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneStatPerWorksheetReference)->Unit(benchmark::kMillisecond);
