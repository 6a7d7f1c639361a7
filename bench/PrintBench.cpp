// Printing a pupil's page: the worksheet scan and 200 items drawn into the
// printer's bitmap at 300 dpi, put on the page and written as a PDF (the
// printer of a PC without one). The divisor ("PrinterResDiv") 1 draws the
// full 300 dpi bitmap; 4 draws a quarter-size one and stretches it.
#include "BenchData.h"
#include "config/TEP_Config.h"
#include "documents/ScriptedMessenger.h"
#include "documents/TEP_Doc.h"
#include "documents/TEP_DocsNode.h"
#include "params/TextFile.h"
#include "platform/QtPrinterDevice.h"
#include "printing/PrintDocument.h"
#include "report/TDPRptRect.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// state.range(0): the divisor.
void BM_PrintPage300dpiPdf(benchmark::State& state)
{
    QTemporaryDir root;
    const QString worksheets = root.filePath(QStringLiteral("Documents/Fiches"));
    QDir().mkpath(worksheets);
    QFile picture(worksheets + QStringLiteral("/Fiche.jpg"));
    if (!picture.open(QIODevice::WriteOnly) || picture.write(BenchData::ScannedPageJpeg()) <= 0)
        return state.SkipWithError("no worksheet");
    picture.close();
    TextFile::WriteLines(worksheets + QStringLiteral("/Fiche_Paul.txt"), BenchData::WorkItems(200));

    TEP_Config config;
    TEP_Doc* document = nullptr;
    if (config.Initialise(root.path()) && config.SetUser(QStringLiteral("Paul"), false)) {
        TEP_DocsNode* node = config.Tree()->FindChildByName(QStringLiteral("Fiche"));
        document = node ? node->Document() : nullptr;
    }
    if (!document || !config.SetCurrentDocument(document))
        return state.SkipWithError("the worksheet did not open");
    config.Settings.PrintConfirmDialog = false;
    config.PrinterResDiv = int(state.range(0));

    QtPrinterDevice printer(QString(), QtPrinterDevice::Destination::PdfFile);
    printer.Printer().setResolution(300);
    ScriptedMessenger messenger;
    PrintRequest request;
    request.config = &config;
    request.document = document;
    request.tree = document->Tree();
    request.user = config.CurrentUser();
    request.messenger = &messenger;
    request.printer = &printer;
    BenchData::PeakMemory peak;
    qint64 pdfBytes = 0;
    for (auto _ : state) {
        const PrintOutcome outcome = PrintDocument(request);
        if (outcome.status != PrintOutcome::Printed)
            return state.SkipWithError("printing failed");
        state.PauseTiming();
        pdfBytes = QFileInfo(outcome.pdfFile).size();
        QFile::remove(outcome.pdfFile);
        messenger.Shown.clear();
        state.ResumeTiming();
    }
    state.counters["pdf_MB"] = double(pdfBytes) / 1e6;
    state.counters["peak_MB"] = peak.Megabytes();
}

} // namespace

BENCHMARK(BM_PrintPage300dpiPdf)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
