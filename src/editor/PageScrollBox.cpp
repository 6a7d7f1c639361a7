#include "PageScrollBox.h"

#include "ImageWidget.h"

#include <QPainter>
#include <QScrollBar>

namespace {
const QColor kSheetColor(0xC0, 0xC0, 0xC0); // silver

int Centred(int room, int size, int gap)
{
    return room > size ? (room - size) / 2 : gap;
}

// The smallest scroll that brings [from, to] into a view of that length.
int ScrollFor(int scroll, int view, int from, int to)
{
    if (to - from + 1 > view || from < scroll)
        return from;
    if (to >= scroll + view)
        return to - view + 1;
    return scroll;
}
} // namespace

PageScrollBox::PageScrollBox(QWidget* parent)
    : QScrollArea(parent)
    , m_content(new QWidget)
    , m_sheet(new ImageWidget(m_content))
    , m_page(new ImageWidget(m_content))
    , m_edit(new ImageWidget(m_content))
    , m_moved(new ImageWidget(m_content))
{
    setObjectName(QStringLiteral("EditSCBox"));
    m_content->setObjectName(QStringLiteral("EditSCBoxContent"));
    m_sheet->setObjectName(QStringLiteral("PageMarkerImg"));
    m_page->setObjectName(QStringLiteral("PrinterImg"));
    m_edit->setObjectName(QStringLiteral("EditedItImg"));
    m_moved->setObjectName(QStringLiteral("MovedItImg"));
    setAccessibleName(QStringLiteral("Page"));
    setAccessibleDescription(QStringLiteral("La fiche ouverte et les éléments posés dessus"));
    m_content->setAutoFillBackground(true);
    QPalette palette = m_content->palette();
    palette.setColor(QPalette::Window, Qt::white);
    m_content->setPalette(palette);
    setBackgroundRole(QPalette::Base);
    setWidgetResizable(false);
    setWidget(m_content);
    m_sheet->hide();
    m_edit->hide();
    m_moved->hide();
}

QSize PageScrollBox::ClientSize() const
{
    return viewport()->size();
}

QPoint PageScrollBox::ScrollOffset() const
{
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void PageScrollBox::SetScrollOffset(QPoint offset)
{
    horizontalScrollBar()->setValue(offset.x());
    verticalScrollBar()->setValue(offset.y());
}

void PageScrollBox::LayOutPage(QSize sheet, QSize page)
{
    SetScrollOffset(QPoint(0, 0));
    const QSize client = ClientSize();
    const QPoint sheetAt(
        Centred(client.width(), sheet.width(), EdgeGap), Centred(client.height(), sheet.height(), EdgeGap));
    m_sheet->SetImageSize(sheet, kSheetColor);
    {
        QPainter painter(&m_sheet->Image());
        painter.setPen(Qt::black);
        painter.drawRect(m_sheet->Image().rect().adjusted(0, 0, -1, -1));
    }
    m_sheet->move(sheetAt);
    m_sheet->show();

    const QPoint pageAt(
        sheetAt.x() + Centred(sheet.width(), page.width(), 0), sheetAt.y() + Centred(sheet.height(), page.height(), 0));
    m_page->SetImageSize(page);
    m_page->move(pageAt);
    m_page->show();
    m_page->raise();
    m_edit->raise();
    m_moved->raise();

    const QRect used = m_sheet->geometry().united(m_page->geometry());
    m_content->resize(std::max(client.width(), used.right() + 1 + EdgeGap),
        std::max(client.height(), used.bottom() + 1 + BottomMargin));
}

void PageScrollBox::EnsureVisible(const QRect& area)
{
    const QSize view = ClientSize();
    const QPoint scroll = ScrollOffset();
    SetScrollOffset(QPoint(ScrollFor(scroll.x(), view.width(), area.left(), area.right()),
        ScrollFor(scroll.y(), view.height(), area.top(), area.bottom())));
}
