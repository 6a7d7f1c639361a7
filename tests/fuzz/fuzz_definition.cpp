// A whole work file: the item tree loaded, laid out, drawn, saved and loaded
// again.
#include "FuzzSupport.h"
#include "params/Param_Obj.h"
#include "params/TextFile.h"
#include "report/DefinitionFile.h"
#include "report/ReportDrawing.h"
#include "report/TDPRptItem.h"

#include <QImage>
#include <QPainter>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 64 * 1024)
        return 0;
    Param_Obj params;
    params.LoadFromLines(TextFile::DecodeLines(FuzzSupport::Bytes(data, size)));
    PRHeadingList headings;
    params.PRGetHeadingsB(headings);
    const QString root = headings.isEmpty() ? QStringLiteral("MAINRECT") : headings.first().name;
    std::unique_ptr<TDPRptItem> tree = DPRpt_CreateItem(root, params);
    if (!tree)
        return 0;
    QImage page(64, 64, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        SurfaceDrawing drawing;
        drawing.surface = &page;
        drawing.scale = 0.03f;
        drawing.nominalResolution = 8;
        DrawReportTree(*tree, painter, drawing);
    }
    tree->SetScale(1.0f);
    QStringList saved;
    if (!SaveToLines(tree.get(), saved))
        return 0;
    Param_Obj again;
    again.LoadFromLines(saved);
    std::unique_ptr<TDPRptItem> reloaded = DPRpt_CreateItem(tree->Name, again);
    if (reloaded) {
        reloaded->SetScale(1.0f);
        QStringList savedAgain;
        SaveToLines(reloaded.get(), savedAgain);
    }
    return 0;
}
