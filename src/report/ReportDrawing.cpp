#include "ReportDrawing.h"

#include "DeviceScales.h"
#include "ReportCanvas.h"
#include "TDPRptItem.h"
#include "TDPRptPrintParams.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

bool DrawReportTree(TDPRptItem& root, QPainter& painter, const SurfaceDrawing& drawing)
{
    if (!root.SetScale(drawing.scale))
        return false;
    int fontResolution = 96;
    if (drawing.nominalResolution > 0)
        fontResolution = DeviceScales::FontResolutionFor(drawing.nominalResolution);
    else if (painter.device())
        fontResolution = painter.device()->logicalDpiY();
    ReportCanvas canvas(painter, fontResolution);

    TDPRptPrintParams params;
    params.Destination = drawing.surface;
    params.Source = drawing.page ? drawing.page : drawing.surface;
    params.OffsetX = drawing.page ? drawing.pageOffset.x() : 0;
    params.OffsetY = drawing.page ? drawing.pageOffset.y() : 0;
    params.Selection = drawing.selection;
    params.SourceIsFinishedPage = drawing.pageIsFinished;

    QRect target = drawing.target;
    if (target.isEmpty() && painter.device())
        target = QRect(0, 0, painter.device()->width(), painter.device()->height());
    return root.DrawAt(target, canvas, &params, -1);
}

SurfaceDrawing PrintedPageDrawing(
    QImage* surface, const QRect& target, float printerUnitScale, int printerFontResolution, int divisor)
{
    Q_ASSERT(divisor > 0);
    divisor = std::max(divisor, 1);
    SurfaceDrawing drawing;
    drawing.surface = surface;
    drawing.scale = printerUnitScale / float(divisor);
    drawing.nominalResolution = printerFontResolution / divisor;
    drawing.target = target;
    return drawing;
}

bool DrawReportTreeOffScreen(const TDPRptItem& root, QPainter& painter, const SurfaceDrawing& drawing)
{
    const std::unique_ptr<TDPRptItem> copy = root.DeepCopy();
    return copy && DrawReportTree(*copy, painter, drawing);
}
