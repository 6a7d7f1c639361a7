#include "ImageWidget.h"

#include <QPaintEvent>
#include <QPainter>

ImageWidget::ImageWidget(QWidget* parent)
    : QWidget(parent)
    , m_image(1, 1, QImage::Format_RGB32)
{
    m_image.fill(Qt::white);
    // The bitmap covers the whole widget: nothing under it needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(1, 1);
}

void ImageWidget::SetImageSize(QSize size, QColor fill)
{
    size = size.expandedTo(QSize(1, 1));
    if (m_image.size() != size)
        m_image = QImage(size, QImage::Format_RGB32);
    m_image.fill(fill);
    resize(size);
    update();
}

void ImageWidget::Clear(QColor fill)
{
    m_image.fill(fill);
    update();
}

void ImageWidget::Changed(const QRect& area)
{
    update(area);
}

void ImageWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    painter.drawImage(area.topLeft(), m_image, area);
    // A widget larger than its bitmap (never by our own sizing) shows white.
    const QRect outside = QRegion(area).subtracted(QRegion(m_image.rect())).boundingRect();
    if (!outside.isEmpty())
        painter.fillRect(outside, Qt::white);
}
