// What a pupil waits for: a worksheet opening, the page redrawn, one item
// redrawn while typing, the work saved, the page exported.
#include "BenchData.h"
#include "BenchShare.h"
#include "NetworkShare.h"
#include "documents/FolderFiles.h"
#include "documents/TEP_Doc.h"
#include "report/ReportCanvas.h"
#include "report/ReportDrawing.h"
#include "report/TDPRptRect.h"
#include "report/TDPRptText.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

std::unique_ptr<TEP_Doc> Open(const BenchData::WorksheetFolder& folder)
{
    auto doc = std::make_unique<TEP_Doc>();
    // IsLoaded() tells the callers whether it opened.
    if (doc->EPDoc_Init(QStringLiteral("Fiche"), folder.Path()) && doc->EPDoc_SetUser(QStringLiteral("Paul")))
        (void)doc->EPDoc_LoadForUse();
    return doc;
}

// The page image of the main window, drawn the way the window draws it.
QImage DrawPage(TDPRptItem& root, float scale, int zoomResolution)
{
    root.SetScale(scale);
    QImage page(root.PixelRect.width(), root.PixelRect.height(), QImage::Format_RGB32);
    QPainter painter(&page);
    SurfaceDrawing drawing;
    drawing.surface = &page;
    drawing.scale = scale;
    drawing.nominalResolution = zoomResolution;
    DrawReportTree(root, painter, drawing);
    return page;
}

int ZoomResolution(int zoom)
{
    return zoom <= 0 ? int(BenchData::ScreenScale(0) * 254 + 0.5) : 96 * zoom / 100;
}

// state.range(0): zoom in percent (0: the whole page in view).
void BM_OpenWorksheet(benchmark::State& state)
{
    BenchData::WorksheetFolder folder(200);
    const int zoom = int(state.range(0));
    BenchData::PeakMemory peak;
    for (auto _ : state) {
        std::unique_ptr<TEP_Doc> doc = Open(folder);
        if (!doc->IsLoaded())
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(
            DrawPage(*doc->Tree(), BenchData::ScreenScale(zoom), ZoomResolution(zoom)).constBits());
    }
    state.counters["peak_MB"] = peak.Megabytes();
}

// The same opening at 100 %, the worksheet on the network share.
void BM_OpenWorksheetSshfs(benchmark::State& state)
{
    NetworkShare* share = BenchShare::Share();
    if (!share) {
        state.SkipWithError(qPrintable(BenchShare::ShareProblem()));
        return;
    }
    BenchData::WorksheetFolder folder(200, share->MountPoint());
    for (auto _ : state) {
        std::unique_ptr<TEP_Doc> doc = Open(folder);
        if (!doc->IsLoaded())
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(DrawPage(*doc->Tree(), BenchData::ScreenScale(100), ZoomResolution(100)).constBits());
    }
}

// The page drawn again: the picture from its cached copy, then the items.
void BM_RedrawPage(benchmark::State& state)
{
    BenchData::WorksheetFolder folder(200);
    std::unique_ptr<TEP_Doc> doc = Open(folder);
    const int zoom = int(state.range(0));
    const float scale = BenchData::ScreenScale(zoom);
    DrawPage(*doc->Tree(), scale, ZoomResolution(zoom));
    QImage page(doc->Tree()->PixelRect.width(), doc->Tree()->PixelRect.height(), QImage::Format_RGB32);
    BenchData::PeakMemory peak;
    for (auto _ : state) {
        QPainter painter(&page);
        SurfaceDrawing drawing;
        drawing.surface = &page;
        drawing.scale = -1;
        drawing.nominalResolution = ZoomResolution(zoom);
        DrawReportTree(*doc->Tree(), painter, drawing);
    }
    state.counters["peak_MB"] = peak.Megabytes();
}

// One key typed into a text: the item alone redrawn on its edit surface.
void BM_DrawOneItem(benchmark::State& state)
{
    BenchData::WorksheetFolder folder(200);
    std::unique_ptr<TEP_Doc> doc = Open(folder);
    doc->Tree()->SetScale(BenchData::ScreenScale(100));
    auto* text = dynamic_cast<TDPRptText*>(doc->Tree()->FindByName(QStringLiteral("NEWIT_5")));
    QImage surface(text->PixelRect.width(), text->PixelRect.height(), QImage::Format_RGB32);
    text->EditState.CaretVisible = true;
    text->EditState.SelectionVisible = true;
    int typed = 0;
    for (auto _ : state) {
        text->Value += QLatin1Char('a' + typed++ % 26);
        text->EditState.CaretPosition = int(text->Value.size());
        surface.fill(Qt::white);
        QPainter painter(&surface);
        ReportCanvas canvas(painter, 96);
        text->DrawAt(QRect(-text->ScreenRect.left(), -text->ScreenRect.top(), 4000, 4000), canvas, nullptr, -1);
        if (text->Value.size() > 80)
            text->Value.chop(40);
    }
}

void BM_SaveAfterOneChange(benchmark::State& state)
{
    BenchData::WorksheetFolder folder(int(state.range(0)));
    std::unique_ptr<TEP_Doc> doc = Open(folder);
    TDPRptItem* item = doc->Tree()->ChildAt(1);
    BenchData::PeakMemory peak;
    for (auto _ : state) {
        item->PosX = item->PosX == 100 ? 101 : 100;
        if (!doc->EPDoc_Save())
            state.SkipWithError("save failed");
    }
    state.counters["peak_MB"] = peak.Megabytes();
}

// The page with the pupil's work as a 300 dpi JPEG.
void BM_ExportPage300dpi(benchmark::State& state)
{
    BenchData::WorksheetFolder folder(200);
    std::unique_ptr<TEP_Doc> doc = Open(folder);
    const QString target = folder.dir.filePath(QStringLiteral("export.jpg"));
    BenchData::PeakMemory peak;
    for (auto _ : state)
        if (!doc->EPDoc_ExportJpeg(target))
            state.SkipWithError("export failed");
    state.counters["peak_MB"] = peak.Megabytes();
}

// A class's folder as the selection screen sees it: 400 worksheets, each
// with a sound, a layer and the work of 3 pupils (2,400 files).
struct ClassFolder {
    ClassFolder()
    {
        for (int i = 0; i < 400; ++i)
            for (const char* suffix : {".jpg", "_C.wav", "_BKL.txt", "_Paul.txt", "_Zoé.txt", "_Léa.txt"}) {
                QFile file(dir.filePath(QStringLiteral("Fiche %1%2").arg(i).arg(QString::fromUtf8(suffix))));
                file.open(QIODevice::WriteOnly);
            }
    }
    QTemporaryDir dir;
};

// What the selection screen asks a worksheet on each of its ticks: the
// paths of its files.
void BM_DocumentPaths(benchmark::State& state)
{
    ClassFolder folder;
    TEP_Doc doc;
    if (!doc.EPDoc_Init(QStringLiteral("Fiche 200"), folder.dir.path()) || !doc.EPDoc_SetUser(QStringLiteral("Paul")))
        state.SkipWithError("init failed");
    for (auto _ : state) {
        benchmark::DoNotOptimize(doc.ImagePath());
        benchmark::DoNotOptimize(doc.WorkPath());
        benchmark::DoNotOptimize(doc.InstructionSoundPath());
        benchmark::DoNotOptimize(doc.HelpSoundPath());
        benchmark::DoNotOptimize(doc.BackgroundLayerPath());
    }
}

// One listing of that folder: what each path cost when it was looked up on
// disk.
void BM_ListFolderReference(benchmark::State& state)
{
    ClassFolder folder;
    for (auto _ : state) {
        const FolderFiles listing(folder.dir.path());
        benchmark::DoNotOptimize(listing.Names().size());
    }
}

} // namespace

BENCHMARK(BM_DocumentPaths)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ListFolderReference)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenWorksheet)->Arg(0)->Arg(100)->Arg(150)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenWorksheetSshfs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawPage)->Arg(100)->Arg(150)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawOneItem)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveAfterOneChange)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportPage300dpi)->Unit(benchmark::kMillisecond);
