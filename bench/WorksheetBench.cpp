// Opening a worksheet for a pupil and saving it after a change: the moments
// a pupil waits for.
#include "BenchData.h"
#include "documents/TEP_Doc.h"
#include "params/TextFile.h"
#include "report/JpegCodec.h"
#include "report/ReportDrawing.h"
#include "report/TDPRptRect.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A folder holding a 300 dpi A4 scan and a pupil's work of `items` drawings.
struct Worksheet {
    explicit Worksheet(int items)
    {
        JpegCodec::EncodeToFile(BenchData::ScannedPage(), dir.filePath(QStringLiteral("Fiche.jpg")), 300);
        QStringList work = BenchData::MixedDrawings(items);
        work.insert(3, QStringLiteral("CHILD=MAINIMG,0,0"));
        work << QString() << QStringLiteral("[MAINIMG]") << QStringLiteral("TYPE=IMG")
             << QStringLiteral("RECT=2000,2829") << QStringLiteral("IMGNAME=");
        TextFile::WriteLines(dir.filePath(QStringLiteral("Fiche_Paul.txt")), work);
    }
    QTemporaryDir dir;
};

// Bind, choose the pupil, load the work, place the page, first drawing at
// 100 % on a 96 dpi screen (the picture decoded for that size).
void BM_OpenWorksheet(benchmark::State& state)
{
    Worksheet sheet(int(state.range(0)));
    const float scale = float(96.0 / 254.0);
    for (auto _ : state) {
        TEP_Doc doc;
        doc.EPDoc_Init(QStringLiteral("Fiche"), sheet.dir.path());
        doc.EPDoc_SetUser(QStringLiteral("Paul"));
        if (!doc.EPDoc_LoadForUse())
            state.SkipWithError("load failed");
        doc.Tree()->SetScale(scale);
        QImage page(doc.Tree()->PixelRect.width(), doc.Tree()->PixelRect.height(), QImage::Format_RGB32);
        QPainter painter(&page);
        SurfaceDrawing drawing;
        drawing.surface = &page;
        drawing.scale = scale;
        drawing.nominalResolution = 96;
        DrawReportTree(*doc.Tree(), painter, drawing);
    }
}

void BM_SaveAfterOneChange(benchmark::State& state)
{
    Worksheet sheet(int(state.range(0)));
    TEP_Doc doc;
    doc.EPDoc_Init(QStringLiteral("Fiche"), sheet.dir.path());
    doc.EPDoc_SetUser(QStringLiteral("Paul"));
    doc.EPDoc_LoadForUse();
    TDPRptItem* item = doc.Tree()->ChildAt(1);
    for (auto _ : state) {
        item->PosX = item->PosX == 100 ? 101 : 100;
        if (!doc.EPDoc_Save())
            state.SkipWithError("save failed");
    }
}

} // namespace

BENCHMARK(BM_OpenWorksheet)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveAfterOneChange)->Arg(200)->Unit(benchmark::kMillisecond);
