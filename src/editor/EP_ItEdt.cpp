#include "EP_ItEdt.h"

#include "ImageWidget.h"
#include "ItemColors.h"
#include "PageScrollBox.h"

#include "config/TEP_Config.h"
#include "documents/Messenger.h"
#include "documents/TEP_Doc.h"
#include "params/Numbers.h"
#include "platform/SteadyClock.h"
#include "report/DeviceScales.h"
#include "report/ReportCanvas.h"
#include "report/TDPRptPrintParams.h"
#include "report/TDPRptSpDr.h"
#include "report/TDPRptText.h"

#include <QPainter>
#include <algorithm>

namespace {
constexpr int kBlinkTickMs = 50;
// Room on every side of an item drawn alone on its surface.
constexpr int kFarAway = 1 << 20;
} // namespace

EP_ItEdt::EP_ItEdt(TEP_Config& config, Messenger& messenger, const Clock* clock, QObject* parent)
    : QObject(parent)
    , m_config(config)
    , m_messenger(messenger)
    , m_ownClock(clock ? nullptr : std::make_unique<SteadyClock>())
    , m_clock(clock ? clock : m_ownClock.get())
    , m_undo(*this)
{
    m_caretTimer.setInterval(CaretTickMs);
    connect(&m_caretTimer, &QTimer::timeout, this, &EP_ItEdt::CaretTick);
    m_blinkTimer.setInterval(kBlinkTickMs);
    connect(&m_blinkTimer, &QTimer::timeout, this, &EP_ItEdt::BlinkTick);
}

EP_ItEdt::~EP_ItEdt() = default;

// --- Worksheet ----------------------------------------------------------------

void EP_ItEdt::Attach(
    QObject* owner, TEP_Doc* document, PageScrollBox* scrollBox, ImageWidget* editImage, ImageWidget* pageImage)
{
    Q_ASSERT(document && document->Tree());
    if (document && document->Tree())
        Take(owner, document, document->Tree(), scrollBox, editImage, pageImage, document->ImagePath());
}

void EP_ItEdt::AttachTree(QObject* owner, TDPRptItem* root, PageScrollBox* scrollBox, ImageWidget* editImage,
    ImageWidget* pageImage, const QString& documentPath)
{
    Take(owner, nullptr, root, scrollBox, editImage, pageImage, documentPath);
}

void EP_ItEdt::Take(QObject* owner, TEP_Doc* document, TDPRptItem* root, PageScrollBox* scrollBox,
    ImageWidget* editImage, ImageWidget* pageImage, const QString& documentPath)
{
    Q_ASSERT(root && scrollBox && editImage && pageImage);
    if (!root || !scrollBox || !editImage || !pageImage)
        return;
    if (m_root)
        Detach(owner);
    m_owner = owner;
    m_root = root;
    m_document = document;
    m_documentChanged = documentPath != m_documentPath;
    m_documentPath = documentPath;
    m_scrollBox = scrollBox;
    m_editImage = editImage;
    m_pageImage = pageImage;
    m_lastEditedName.clear();
    m_undo.Clear();
    Notify(Attached);
}

void EP_ItEdt::Detach(QObject* owner)
{
    if (!m_root)
        return;
    EndEdit(owner, true);
    Notify(Detaching);
    m_root = nullptr;
    m_document = nullptr;
    m_current = nullptr;
    m_lastEditedName.clear();
    m_undo.Clear();
}

// --- Observers ------------------------------------------------------------------

int EP_ItEdt::AddObserver(Observer observer)
{
    m_observers.push_back(std::move(observer));
    return int(m_observers.size()) - 1;
}

void EP_ItEdt::RemoveObserver(int index)
{
    if (index >= 0 && index < int(m_observers.size()))
        m_observers[size_t(index)] = nullptr;
}

void EP_ItEdt::Notify(int event)
{
    // An observer may add or remove observers, or call the editor again:
    // each call works on its own copy, and slots added meanwhile are told.
    for (size_t i = 0; i < m_observers.size(); ++i) {
        const Observer observer = m_observers[i];
        if (observer)
            observer(m_owner, event, *this);
    }
}

// --- Geometry of the surfaces -----------------------------------------------------

QRect EP_ItEdt::PageRect() const
{
    return m_pageImage ? m_pageImage->geometry() : QRect();
}

QRect EP_ItEdt::SurfaceRect() const
{
    return m_editImage ? m_editImage->geometry() : QRect();
}

QRect EP_ItEdt::SurfaceOnPage() const
{
    return SurfaceRect().translated(-PageRect().topLeft());
}

void EP_ItEdt::PutSurface(QPoint onPage)
{
    if (m_editImage)
        m_editImage->move(PageRect().topLeft() + onPage);
}

void EP_ItEdt::PlaceSurface(QPoint onPage)
{
    PutSurface(onPage);
    if (m_current && m_editImage) {
        SyncPosition(*m_current);
        DrawSelection();
    }
}

void EP_ItEdt::SetSurfaceRect(const QRect& rect)
{
    if (!m_editImage)
        return;
    m_editImage->move(rect.topLeft());
    if (m_editImage->size() != rect.size())
        m_editImage->SetImageSize(rect.size());
}

// The rules every change of the selected item keeps: top and left not
// outside the page image, bottom and right strictly inside it.
bool EP_ItEdt::InsidePage(const QRect& rect) const
{
    const QRect page = PageRect();
    return rect.top() >= page.top() && rect.left() >= page.left() && rect.bottom() < page.bottom()
        && rect.right() < page.right();
}

float EP_ItEdt::RootScale() const
{
    return m_root && m_root->ScaleValid ? m_root->Scale : 1.0f;
}

int EP_ItEdt::FontResolution() const
{
    // The surface's fonts are sized as the page's are, so a text keeps its
    // size when its edit ends.
    static int s_resolution = 0;
    static int s_corrected = 0;
    const int resolution = RoundHalfEven(double(RootScale()) * 254.0);
    if (resolution != s_resolution) {
        s_corrected = DeviceScales::FontResolutionFor(resolution);
        s_resolution = resolution;
    }
    return s_corrected;
}

TDPRptSpDr* EP_ItEdt::CurrentDrawing() const
{
    return dynamic_cast<TDPRptSpDr*>(m_current);
}

TDPRptText* EP_ItEdt::CurrentText() const
{
    return dynamic_cast<TDPRptText*>(m_current);
}

bool EP_ItEdt::IsTextEntry() const
{
    return CurrentText() && TextEntry > 0;
}

TDPRptItem* EP_ItEdt::LastEdited() const
{
    if (!m_root || m_lastEditedName.isEmpty())
        return nullptr;
    for (int i = 1; i < m_root->ChildCount(); ++i)
        if (m_root->ChildName(i) == m_lastEditedName)
            return m_root->ChildAt(i);
    return nullptr;
}

void EP_ItEdt::Redraw()
{
    if (RedrawPage)
        RedrawPage();
}

// --- Selection --------------------------------------------------------------------

bool EP_ItEdt::Select(QObject* owner, TDPRptItem* item, int y, int x, bool placeCaret)
{
    Q_ASSERT(m_root);
    if (!m_root || !item || item == m_root || item->Root() != m_root)
        return false;
    // Selecting the item already selected ends its edit without losing it,
    // even when it is still empty.
    EndEdit(owner, item != m_current);
    // An observer told of that end may have selected an item of its own.
    if (m_current && m_current != item)
        EndEdit(owner, true);
    if (!dynamic_cast<TDPRptSpDr*>(item) && !dynamic_cast<TDPRptText*>(item)) {
        m_messenger.ShowMessage(QStringLiteral("Les éléments de ce type ne sont pas éditables."));
        return false;
    }
    m_owner = owner;
    m_current = item;
    item->SetScale(RootScale());
    item->EditState.SelectionVisible = true;
    m_lastBlink = m_clock->NowMs();
    m_blinkTimer.start();
    item->SetTag(true, m_config.Settings.SelectionDisplayMode);

    const QPoint onPage = item->ScreenRect.topLeft();
    if (m_editImage)
        m_editImage->move(PageRect().topLeft() + onPage);
    TakeColorAndPen(*item);
    if (auto* text = CurrentText()) {
        TextEntry = 0;
        text->EditState.CaretVisible = false;
        if (placeCaret && CaretAtClick) {
            const QPoint inItem(x - onPage.x(), y - onPage.y());
            if (QRect(QPoint(0, 0), text->PixelRect.size()).contains(inItem))
                PlaceCaretAt(inItem.x(), inItem.y());
            else
                StartTextEntry(2);
        }
    }
    item->EditState.HiddenWhileEdited = true;
    Modified = false;
    m_changed = false;
    Redraw();
    DrawSelection();
    m_undo.RecordSelection();
    Notify(Selected);
    return true;
}

void EP_ItEdt::TakeColorAndPen(TDPRptItem& item)
{
    EditorSession& session = m_config.Session;
    session.CurrentColor = ItemColors::ColorOf(item);
    if (auto* drawing = dynamic_cast<TDPRptSpDr*>(&item)) {
        drawing->EditState.BeingEdited = true;
        drawing->EditState.HandlesShown = true;
        // A filled circle and a highlighter are drawn with a pen of their
        // own: the pen size the commands show stays the one last chosen.
        if (drawing->SpDrMode != TDPRptSpDr::SpFCircle && drawing->SpDrMode != TDPRptSpDr::SpHighLight)
            session.CurrentPenSize = drawing->PenSize;
    }
}

bool EP_ItEdt::IsEmptyItem(const TDPRptItem& item)
{
    if (const auto* text = dynamic_cast<const TDPRptText*>(&item))
        return text->Value.trimmed().isEmpty();
    if (const auto* drawing = dynamic_cast<const TDPRptSpDr*>(&item))
        return drawing->SpDrMode == TDPRptSpDr::SpLines && drawing->Points.isEmpty();
    return false;
}

void EP_ItEdt::EndEdit(QObject* owner, bool removeEmpty)
{
    m_caretTimer.stop();
    m_blinkTimer.stop();
    TextEntry = 0;
    if (!m_current || Busy) {
        if (!m_current && m_editImage)
            m_editImage->hide();
        if (!m_current)
            Redraw();
        return;
    }
    m_owner = owner;
    Busy = true;
    TDPRptItem* item = m_current;
    // Observers hear of the end with nothing selected: an item removed
    // here is gone before they are told.
    m_current = nullptr;
    if (removeEmpty && IsEmptyItem(*item)) {
        m_root->RemoveChild(item->Name, item);
    } else {
        if (auto* text = dynamic_cast<TDPRptText*>(item))
            text->EditState.CaretVisible = false;
        if (auto* drawing = dynamic_cast<TDPRptSpDr*>(item)) {
            drawing->EditState.BeingEdited = false;
            drawing->EditState.HandlesShown = false;
            RememberModeSize(*drawing);
        }
        item->EditState.SelectionVisible = false;
        item->EditState.HiddenWhileEdited = false;
        item->SetScale(RootScale());
        m_lastEditedName = item->Name;
    }
    // Done before the observers hear of it: one of them may select another
    // item, whose edit must then be able to end in turn.
    Busy = false;
    Notify(EditEnded);
    // An observer may have selected another item meanwhile.
    if (!m_current) {
        if (m_editImage)
            m_editImage->hide();
        Redraw();
    }
}

void EP_ItEdt::SyncPosition(TDPRptItem& item)
{
    // The item's stored place follows its surface, so that the tree tells
    // where each item is at any moment (an arrow's tail, a polyline's
    // origin).
    QPoint offset;
    if (const auto* drawing = dynamic_cast<const TDPRptSpDr*>(&item))
        offset = drawing->DrawingOffsetPixels();
    const QPoint onPage = SurfaceOnPage().topLeft();
    const double scale = RootScale();
    const UnitRect parent = item.Parent() ? item.Parent()->AbsoluteRect : UnitRect();
    item.PosX = float((onPage.x() + offset.x()) / scale - parent.x - item.X);
    item.PosY = float((onPage.y() + offset.y()) / scale - parent.y - item.Y);
    item.SetScale(RootScale());
}

void EP_ItEdt::RememberModeSize(const TDPRptSpDr& drawing)
{
    m_config.Settings.RememberSize(
        drawing.SpDrMode, QSize(RoundHalfEven(drawing.Width), RoundHalfEven(drawing.Height)));
}

// --- Drawing on the edit surface ------------------------------------------------

void EP_ItEdt::DrawSelection()
{
    if (!m_current || !m_editImage || !m_pageImage)
        return;
    TDPRptItem& item = *m_current;
    item.SetScale(RootScale());
    const QSize size = item.PixelRect.size().boundedTo(QSize(MaxSurfaceSide, MaxSurfaceSide));
    SetSurfaceRect(QRect(SurfaceRect().topLeft(), size));
    QImage& image = m_editImage->Image();
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        ReportCanvas canvas(painter, FontResolution());
        TDPRptPrintParams params;
        params.Destination = &image;
        // The page under the item, without it: highlights tint it and
        // transparent items show it.
        params.Source = &m_pageImage->Image();
        const QPoint onPage = SurfaceOnPage().topLeft();
        params.OffsetX = onPage.x();
        params.OffsetY = onPage.y();
        params.Selection = m_config.Applied().selection;
        const QPoint origin = item.PixelRect.topLeft() + item.ScaledPos;
        item.DrawAt(QRect(-origin, QSize(kFarAway, kFarAway)), canvas, &params, -1);
    }
    m_editImage->show();
    m_editImage->raise();
    m_editImage->update();
}

void EP_ItEdt::ScrollToCurrent()
{
    if (m_current && m_scrollBox)
        m_scrollBox->EnsureVisible(SurfaceRect());
}

// --- Timers -------------------------------------------------------------------------

void EP_ItEdt::BlinkTick()
{
    const int blink = m_config.Applied().selectionBlink;
    if (!m_current || blink <= 0)
        return;
    const int period = blink <= 3 ? blink * BlinkUnitMs : BlinkUnitMs;
    const qint64 now = m_clock->NowMs();
    if (now - m_lastBlink < period)
        return;
    m_lastBlink = now;
    m_current->EditState.SelectionVisible = !m_current->EditState.SelectionVisible;
    DrawSelection();
}

void EP_ItEdt::CaretTick()
{
    TDPRptText* text = CurrentText();
    if (!text)
        return;
    const qint64 now = m_clock->NowMs();
    if (now - m_lastCaretToggle < CaretFlipMs)
        return;
    m_lastCaretToggle = now;
    text->EditState.CaretVisible = !text->EditState.CaretVisible;
    DrawSelection();
}
