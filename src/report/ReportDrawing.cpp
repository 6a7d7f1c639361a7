#include "ReportDrawing.h"

#include "DeviceScales.h"
#include "ReportCanvas.h"
#include "TDPRptItem.h"
#include "TDPRptPrintParams.h"

#include <QImage>
#include <QPainter>

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

    QRect target = drawing.target;
    if (target.isEmpty() && painter.device())
        target = QRect(0, 0, painter.device()->width(), painter.device()->height());
    return root.DrawAt(target, canvas, &params, -1);
}

bool DrawReportTreeOffScreen(const TDPRptItem& root, QPainter& painter, const SurfaceDrawing& drawing)
{
    const std::unique_ptr<TDPRptItem> copy = root.DeepCopy();
    return copy && DrawReportTree(*copy, painter, drawing);
}
