// A class's work in one PDF: `pupils` pupils x `worksheets` worksheets, each
// a 300 dpi A4 scan with 50 items of every kind, written at 300 dpi. Peak
// memory is measured for two numbers of pages: it should not grow with them
// (each worksheet's picture is let go before the next).
#include "BenchData.h"
#include "documents/ClassWorkPdf.h"
#include "documents/TEP_DocsNode.h"
#include "params/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// state.range(0): pupils; state.range(1): worksheets.
void BM_ClassWorkPdf300dpi(benchmark::State& state)
{
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("Fiches"));
    QDir().mkpath(folder);
    const QStringList work = BenchData::WorkItems(50);
    for (int w = 0; w < state.range(1); ++w) {
        const QString name = folder + QStringLiteral("/Fiche%1").arg(w, 2, 10, QLatin1Char('0'));
        QFile picture(name + QStringLiteral(".jpg"));
        if (!picture.open(QIODevice::WriteOnly) || picture.write(BenchData::ScannedPageJpeg()) <= 0)
            return state.SkipWithError("no worksheet");
        for (int p = 0; p < state.range(0); ++p)
            TextFile::WriteLines(name + QStringLiteral("_Élève%1.txt").arg(p, 2, 10, QLatin1Char('0')), work);
    }
    TEP_DocsNode tree;
    (void)tree.Scan(folder);
    const QString pdf = root.filePath(QStringLiteral("classe.pdf"));
    BenchData::PeakMemory peak;
    int pages = 0;
    for (auto _ : state) {
        ClassWorkPdf writer;
        writer.SetWorksheets(ClassWorkPdf::WorksheetsUnder(tree));
        writer.SetTitle(QStringLiteral("Travail de la classe"));
        writer.SetAuthor(QStringLiteral("Ardoisine"));
        if (!writer.Write(pdf))
            return state.SkipWithError("the PDF was not written");
        pages = writer.WrittenPages();
    }
    state.counters["pages"] = pages;
    state.counters["pdf_MB"] = double(QFileInfo(pdf).size()) / 1e6;
    state.counters["peak_MB"] = peak.Megabytes();
}

} // namespace

BENCHMARK(BM_ClassWorkPdf300dpi)
    ->Args({30, 10})
    ->Args({6, 10})
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
