// One key on the selected item of a page of 200 pupil's items at 150 %:
// the item editor redraws the item's edit surface, never the page.
#include "BenchData.h"
#include "config/TEP_Config.h"
#include "documents/ScriptedMessenger.h"
#include "documents/TEP_Doc.h"
#include "editor/EP_ItEdt.h"
#include "editor/ImageWidget.h"
#include "editor/PageScrollBox.h"
#include "params/Numbers.h"
#include "report/ReportDrawing.h"
#include "report/TDPRptSpDr.h"

#include <QApplication>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// The main window's part: the page laid out in the scroll box and drawn.
struct EditedPage {
    explicit EditedPage(int zoom)
        : folder(200)
        , editor(config, messenger)
        , scale(BenchData::ScreenScale(zoom))
    {
        if (document.EPDoc_Init(QStringLiteral("Fiche"), folder.Path())
            && document.EPDoc_SetUser(QStringLiteral("Paul")))
            (void)document.EPDoc_LoadForUse();
        if (!document.IsLoaded())
            return;
        config.ApplySettings();
        box.resize(1280, 900);
        box.show();
        const TDPRptItem& root = *document.Tree();
        box.LayOutPage(QSize(RoundHalfEven(2100 * scale), RoundHalfEven(2970 * scale)),
            QSize(RoundHalfEven(root.Width * scale), RoundHalfEven(root.Height * scale)));
        editor.RedrawPage = [this] { Redraw(); };
        Redraw();
        editor.Attach(&box, &document, &box, box.EditImage(), box.PageImage());
    }

    void Redraw()
    {
        ++redraws;
        QImage& page = box.PageImage()->Image();
        QPainter painter(&page);
        SurfaceDrawing drawing;
        drawing.surface = &page;
        drawing.scale = scale;
        drawing.nominalResolution = RoundHalfEven(scale * 254.0);
        DrawReportTree(*document.Tree(), painter, drawing);
        box.PageImage()->update();
    }

    BenchData::WorksheetFolder folder;
    TEP_Config config;
    ScriptedMessenger messenger;
    TEP_Doc document;
    PageScrollBox box;
    EP_ItEdt editor;
    float scale;
    int redraws = 0;
};

// state.range(0): 0 a move by the arrow keys' step, 1 a colour change, 2 a
// resize; each key is shown on the screen before the next.
void BM_EditorKey(benchmark::State& state)
{
    EditedPage page(150);
    TDPRptItem* item = page.document.Tree() ? page.document.Tree()->FindByName(QStringLiteral("NEWIT_1")) : nullptr;
    if (!item || !page.editor.Select(&page.box, item)) {
        state.SkipWithError("no page");
        return;
    }
    page.editor.PlaceSurface(QPoint(300, 300));
    QCoreApplication::processEvents();
    const int redraws = page.redraws;
    int key = 0;
    for (auto _ : state) {
        const bool back = key++ % 2;
        switch (state.range(0)) {
        case 0:
            page.editor.Move(back ? EP_ItEdt::MoveLeft : EP_ItEdt::MoveRight, 10, true);
            break;
        case 1:
            page.editor.SetColor(RgbColor(back ? 0x0000FF : 0xFF0000));
            break;
        default:
            page.editor.Resize(back ? -4 : 4, back ? -6 : 6, true);
            break;
        }
        QCoreApplication::processEvents();
    }
    state.counters["page_redraws"] = page.redraws - redraws;
    page.editor.EndEdit(&page.box, true);
    state.counters["redraws_at_end"] = page.redraws - redraws;
}

} // namespace

BENCHMARK(BM_EditorKey)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
