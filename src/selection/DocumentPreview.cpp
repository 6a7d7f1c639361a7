#include "DocumentPreview.h"

#include "report/TDPRptImg.h"

#include <QPainter>

DocumentPreview::DocumentPreview(QWidget* parent)
    : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Aperçu"));
    setAccessibleDescription(QStringLiteral("Aperçu de la page du document sélectionné"));
    setMinimumSize(120, 160);
}

bool DocumentPreview::ShowPicture(const QString& file, bool platformImaging)
{
    Clear();
    if (file.isEmpty())
        return false;
    // Read as the worksheet's page is, through the same two paths.
    TDPRptImg reader;
    reader.ImageName = file;
    reader.Centered = true;
    reader.UsePlatformImaging = platformImaging;
    if (!reader.LoadPicture(size()) || reader.Picture().isNull())
        return false;
    m_decoded = reader.Picture();
    m_pictureSize = reader.PictureSize();
    Place();
    return true;
}

void DocumentPreview::Clear()
{
    m_decoded = QImage();
    m_shown = QImage();
    m_pictureSize = QSize();
    m_placement = QRect();
    update();
}

void DocumentPreview::Place()
{
    if (m_decoded.isNull() || m_pictureSize.isEmpty() || width() <= 0 || height() <= 0)
        return;
    TDPRptImg placer;
    placer.Centered = true;
    m_placement = placer.PlacementIn(rect(), m_pictureSize);
    m_shown = m_decoded.scaled(m_placement.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    update();
}

void DocumentPreview::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Place();
}

void DocumentPreview::paintEvent(QPaintEvent*)
{
    if (m_shown.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(m_placement.topLeft(), m_shown);
}
