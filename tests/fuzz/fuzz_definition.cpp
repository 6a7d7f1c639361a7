// A whole work file: the item tree loaded, laid out, drawn off screen, saved,
// loaded again and saved again, which must give the same text.
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
        DrawReportTreeOffScreen(*tree, painter, drawing);
    }
    // Saved, reloaded and saved again, a tree gives the same text: a save
    // that does not reload as written is how a pupil's work is lost.
    const auto save = [](TDPRptItem& item, QStringList& lines) {
        item.SetScale(1.0f);
        return SaveToLines(&item, lines);
    };
    QStringList saved;
    if (!save(*tree, saved))
        return 0;
    // A file holds its items' places in their parents' CHILD lines: the root
    // has none, so a root special drawing that places itself (a relation
    // turned into an arrow, a polyline fitted to its points) cannot be
    // compared. Work files have a rectangle at the root.
    if (tree->PosX != 0 || tree->PosY != 0)
        return 0;
    Param_Obj again;
    again.LoadFromLines(TextFile::DecodeLines(TextFile::EncodeLines(saved)));
    std::unique_ptr<TDPRptItem> reloaded = DPRpt_CreateItem(tree->Name, again);
    QStringList savedAgain;
    if (!reloaded || !save(*reloaded, savedAgain) || savedAgain != saved)
        __builtin_trap();
    return 0;
}
