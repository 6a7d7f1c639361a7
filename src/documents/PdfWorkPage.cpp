#include "PdfWorkPage.h"

#include "TEP_Doc.h"
#include "params/Numbers.h"
#include "report/ReportDrawing.h"
#include "report/TDPRptItem.h"
#include "report/TDPRptSpDr.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>

namespace {

constexpr double kA4Short = 2100; // tenths of a millimetre
constexpr double kA4Long = 2970;
constexpr double kHeaderPoints = 8;

} // namespace

bool PdfWorkPage::IsLandscape(const TDPRptItem& tree)
{
    return tree.Width > TEP_Doc::LandscapeWidth;
}

QPageLayout PdfWorkPage::LayoutFor(bool landscape)
{
    return QPageLayout(QPageSize(QPageSize::A4), landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
        QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

QRect PdfWorkPage::WorkRect(bool landscape, int resolution)
{
    const double scale = resolution / 254.0;
    const double sheetWidth = landscape ? kA4Long : kA4Short, sheetHeight = landscape ? kA4Short : kA4Long;
    const double width = landscape ? TEP_Doc::LongSide : TEP_Doc::ShortSide;
    const double height = landscape ? TEP_Doc::ShortSide : TEP_Doc::LongSide;
    return QRect(RoundHalfEven((sheetWidth - width) / 2 * scale), RoundHalfEven((sheetHeight - height) / 2 * scale),
        RoundHalfEven(width * scale), RoundHalfEven(height * scale));
}

QRect PdfWorkPage::HeaderRect(bool landscape, int resolution)
{
    const QRect work = WorkRect(landscape, resolution);
    return QRect(work.left(), 0, work.width(), work.top());
}

bool PdfWorkPage::HasHighlight(const TDPRptItem& item)
{
    if (auto* drawing = dynamic_cast<const TDPRptSpDr*>(&item); drawing && drawing->SpDrMode == TDPRptSpDr::SpHighLight)
        return true;
    for (int i = 0; i < item.ChildCount(); ++i)
        if (const TDPRptItem* child = item.ChildAt(i); child && HasHighlight(*child))
            return true;
    return false;
}

bool PdfWorkPage::Draw(QPainter& painter, int resolution, TDPRptItem& tree, const QString& header)
{
    const bool landscape = IsLandscape(tree);
    const QRect work = WorkRect(landscape, resolution);
    const QRect band = HeaderRect(landscape, resolution);

    painter.save();
    QFont font(QStringLiteral("Arial"));
    // Small enough to leave the margin's edges free whatever the resolution.
    font.setPixelSize(std::max(1, std::min(RoundHalfEven(kHeaderPoints * resolution / 72.0), band.height() * 6 / 10)));
    painter.setFont(font);
    painter.setPen(QColor(60, 60, 60));
    const QString shown = QFontMetrics(font).elidedText(header, Qt::ElideMiddle, band.width());
    painter.drawText(band, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    painter.restore();

    const float unitScale = float(resolution / 254.0);
    const QRect target(QPoint(0, 0), work.size());
    SurfaceDrawing drawing = PrintedPageDrawing(nullptr, target, unitScale, resolution, 1);
    QImage finished;
    if (HasHighlight(tree)) {
        // Highlights darken whatever lies under them, the pupil's own items
        // included: the page is drawn as a picture first, and each highlight
        // takes its pixels from it.
        finished = QImage(work.size(), QImage::Format_RGB32);
        if (finished.isNull())
            return false;
        finished.fill(Qt::white);
        const int dotsPerMetre = RoundHalfEven(resolution / 0.0254);
        finished.setDotsPerMeterX(dotsPerMetre);
        finished.setDotsPerMeterY(dotsPerMetre);
        QPainter picture(&finished);
        const SurfaceDrawing pictureDrawing = PrintedPageDrawing(&finished, target, unitScale, resolution, 1);
        if (!DrawReportTree(tree, picture, pictureDrawing))
            return false;
        drawing.surface = &finished;
        drawing.pageIsFinished = true;
    }
    painter.save();
    painter.translate(work.topLeft());
    painter.setClipRect(target);
    const bool drawn = DrawReportTree(tree, painter, drawing);
    painter.restore();
    return drawn;
}
