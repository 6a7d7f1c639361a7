// ToolsPnl, the panel of the main window that hosts one command panel of the
// tools palette: its place, its title and pin, and its dragging by the
// title.
#include "TEP_Frm.h"

#include "ImageWidget.h"
#include "PageScrollBox.h"
#include "ProgramPictures.h"

#include "config/TEP_Config.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>

namespace {
constexpr int kTitleHeight = 22;
constexpr int kPinSide = 16;
constexpr int kNewPaletteGap = 10; // above the bottom of the page's view
constexpr int kNewPaletteLeft = 30;
} // namespace

void TEP_Frm::BuildToolsPanel()
{
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("ToolsPnl"));
    frame->setAccessibleName(QStringLiteral("Trousse"));
    frame->setAccessibleDescription(QStringLiteral("Les commandes de la trousse, à déplacer par leur titre"));
    frame->setFrameShape(QFrame::Box);
    frame->setAutoFillBackground(true);
    frame->setAttribute(Qt::WA_OpaquePaintEvent, false);
    m_toolsPanel = frame;
    m_toolsTitle = new QLabel(m_toolsPanel);
    m_toolsTitle->setObjectName(QStringLiteral("ToolsPnlTopPnl"));
    m_toolsTitle->setAccessibleName(QStringLiteral("Titre de la trousse"));
    m_toolsTitle->setAccessibleDescription(QStringLiteral("Faire glisser pour déplacer la trousse"));
    m_toolsTitle->setTextFormat(Qt::PlainText);
    m_toolsTitle->setAutoFillBackground(true);
    m_toolsTitle->setStyleSheet(QStringLiteral("background: #000080; color: white; padding-left: 4px;"));
    m_toolsTitle->setGeometry(0, 0, 200, kTitleHeight);
    m_toolsTitle->installEventFilter(this);
    m_pinImage = new QLabel(m_toolsTitle);
    m_pinImage->setObjectName(QStringLiteral("PinImage"));
    m_pinImage->setAccessibleName(QStringLiteral("Position verrouillée"));
    m_pinImage->setPixmap(ProgramPictures::Picture(QStringLiteral("pin"), QSize(kPinSide, kPinSide)));
    m_pinImage->hide();
    m_toolsPanel->resize(200, kTitleHeight + 1);
    m_toolsPanel->hide();
}

void TEP_Frm::PlaceToolsPanel()
{
    UserSettings& settings = m_config.Settings;
    const int paletteHeight = PaletteHeight ? PaletteHeight() : m_toolsPanel->height();
    if (settings.ToolsTop < 0)
        settings.ToolsTop = m_scrollBox->ClientSize().height() + m_scrollBox->y() - paletteHeight - kNewPaletteGap;
    if (settings.ToolsLeft < 0)
        settings.ToolsLeft = m_scrollBox->x() + kNewPaletteLeft;
    m_toolsPanel->move(settings.ToolsLeft, settings.ToolsTop);
}

void TEP_Frm::DockPanel(QWidget* panel)
{
    if (DockedPanel && DockedPanel != panel) {
        DockedPanel->hide();
        DockedPanel->setParent(m_dockedHome);
        DockedPanel = nullptr;
    }
    if (panel) {
        if (panel->parentWidget() != m_toolsPanel)
            m_dockedHome = panel->parentWidget();
        panel->setParent(m_toolsPanel);
        panel->move(0, kTitleHeight + 1);
        const int width = DockedPanelWidth ? DockedPanelWidth(panel) : panel->width();
        m_toolsPanel->resize(width, kTitleHeight + panel->height() + 1);
        QPoint at = m_toolsPanel->pos();
        if (at.x() + m_toolsPanel->width() > ClientSize().width())
            at.setX(ClientSize().width() - m_toolsPanel->width());
        if (at.y() + m_toolsPanel->height() > ClientSize().height())
            at.setY(ClientSize().height() - m_toolsPanel->height());
        m_toolsPanel->move(at);
        m_toolsTitle->setGeometry(0, 0, width, kTitleHeight);
        m_pinImage->move(width - kPinSide - 4, (kTitleHeight - kPinSide) / 2);
        panel->show();
        DockedPanel = panel;
    }
    m_toolsPanel->setVisible(DockedPanel != nullptr);
    if (DockedPanel)
        m_toolsPanel->raise();
    UpdateToolsStatus();
}

void TEP_Frm::UpdateToolsStatus()
{
    if (!m_toolsPanel->isVisible())
        return;
    QString status = DockedPanel && DockedPanel == PaletteMainPanel ? MainPanelStatus : ItemPanelStatus;
    if (ToolsLocked)
        status += LockedStatus;
    m_toolsTitle->setText(status);
    m_pinImage->setVisible(ToolsLocked);
}

bool TEP_Frm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_scrollBox->PageImage() && OfferPageClick(event))
        return true;
    if (watched == m_toolsTitle) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease:
            ToolsTitleMouse(event);
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TEP_Frm::ToolsTitleMouse(QEvent* event)
{
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint point = mouse->position().toPoint();
    if (event->type() == QEvent::MouseButtonPress) {
        if (mouse->button() != Qt::LeftButton || ToolsLocked)
            return;
        ToolsDragging = true;
        ToolsDragX = point.x();
        ToolsDragY = point.y();
        return;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        ToolsDragging = false;
        return;
    }
    if (!ToolsDragging)
        return;
    const QRect old = m_toolsPanel->geometry();
    int left = std::max(0, old.left() + point.x() - ToolsDragX);
    int top = std::max(0, old.top() + point.y() - ToolsDragY);
    // A move that would take the panel past the window's right or bottom
    // edge leaves that coordinate where it was.
    if (left + old.width() > ClientSize().width())
        left = old.left();
    if (top + old.height() > ClientSize().height())
        top = old.top();
    m_toolsPanel->move(left, top);
    m_config.Settings.ToolsTop = top;
    m_config.Settings.ToolsLeft = left;
}
