// The page of the main window: zoom levels, the sheet and the page image
// laid out in the scroll box, and the drawing of the worksheet.
#include "TEP_Frm.h"

#include "EP_ItEdt.h"
#include "ImageWidget.h"
#include "PageScrollBox.h"

#include "config/TEP_Config.h"
#include "params/Numbers.h"
#include "platform/OverrideCursor.h"
#include "report/ReportDrawing.h"
#include "report/TDPRptItem.h"

#include <QPainter>

float TEP_Frm::ScreenScale() const
{
    return float(ScreenPpi / 254.0);
}

float TEP_Frm::DrawingScale() const
{
    return ScreenScale() * ZoomFactor;
}

QSize TEP_Frm::PageUnits() const
{
    if (RootItem && RootItem->Width > PageWidth)
        return QSize(PageHeight, PageWidth);
    return QSize(PageWidth, PageHeight);
}

QSize TEP_Frm::SheetPixels() const
{
    const QSize units = PageUnits();
    const float scale = DrawingScale();
    return QSize(RoundHalfEven(units.width() * scale), RoundHalfEven(units.height() * scale));
}

QSize TEP_Frm::PagePixels() const
{
    if (!RootItem)
        return QSize();
    const float scale = DrawingScale();
    return QSize(RoundHalfEven(RootItem->Width * scale), RoundHalfEven(RootItem->Height * scale));
}

QSize TEP_Frm::ClientSize() const
{
    return size();
}

float TEP_Frm::FitFactor() const
{
    const float scale = ScreenScale();
    const QSize units = PageUnits();
    const double pageWidth = RoundHalfEven(scale * units.width());
    const double pageHeight = RoundHalfEven(scale * units.height());
    const double targetWidth = ClientSize().width() - 1;
    const double targetHeight = ClientSize().height() - 1;
    if (targetWidth <= 0 || targetHeight <= 0 || pageWidth <= 0 || pageHeight <= 0)
        return ZoomTable[0];
    // The page keeps its proportions: it takes the whole width unless it is
    // then too high, and then the whole height.
    const double fittedWidth = pageHeight / targetHeight <= pageWidth / targetWidth
        ? targetWidth
        : RoundHalfEven(pageWidth * targetHeight / pageHeight);
    return float(fittedWidth / (double(scale) * units.width()));
}

void TEP_Frm::SetZoom(int level)
{
    if (level < CurrentZoom || level > LargeZoom)
        return;
    if (level != CurrentZoom && level == ZoomIndex + 1)
        return;
    OverrideCursor hourglass(Qt::WaitCursor);
    TDPRptItem* remembered = m_editor->Current();
    if (m_editor->IsEditing())
        m_editor->EndEdit(this, false);
    if (level == CurrentZoom)
        level = ZoomIndex + 1;
    if (level < FitZoom)
        level = FullZoom;
    if (level == FitZoom)
        ZoomTable[0] = FitFactor();
    ZoomIndex = level - 1;
    ZoomFactor = ZoomTable[size_t(ZoomIndex)];
    if (RootItem)
        LayOutPage();
    hourglass.Restore();
    RedrawPage();
    if (remembered && m_editor->Root())
        m_editor->Select(this, remembered);
}

bool TEP_Frm::ZoomInOut(bool up)
{
    int level = 0;
    if (up && (ZoomIndex == 0 || ZoomIndex == 1))
        level = ZoomIndex + 2;
    else if (!up && (ZoomIndex == 1 || ZoomIndex == 2))
        level = ZoomIndex;
    else
        return false;
    ZoomIndex = -1; // the level is applied again, even the fit
    SetZoom(level);
    return true;
}

void TEP_Frm::LayOutPage()
{
    // The sheet is centred in the scroll box or 2 pixels from its edge, the
    // page image centred on the sheet, with 3 pixels of margin under the
    // sheet so that its bottom edge can be scrolled into view.
    m_scrollBox->LayOutPage(SheetPixels(), PagePixels());
}

void TEP_Frm::RedrawPage()
{
    ImageWidget& page = *m_scrollBox->PageImage();
    ++m_redraws;
    if (!RootItem) {
        page.Clear();
        return;
    }
    OverrideCursor busy(Qt::DragMoveCursor);
    page.Image().fill(Qt::white);
    {
        QPainter painter(&page.Image());
        SurfaceDrawing drawing;
        drawing.surface = &page.Image();
        drawing.scale = DrawingScale();
        drawing.nominalResolution = RoundHalfEven(ScreenPpi * ZoomFactor);
        drawing.selection = m_config.Applied().selection;
        DrawReportTree(*RootItem, painter, drawing);
    }
    page.Changed();
}
