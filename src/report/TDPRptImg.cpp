#include "TDPRptImg.h"

#include "JpegCodec.h"
#include "ReportCanvas.h"
#include "params/FileBytes.h"
#include "params/Numbers.h"
#include "params/StrFields.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

bool TDPRptImg::UsePlatformImagingByDefault = false;

TDPRptImg::TDPRptImg() = default;

void TDPRptImg::ForgetPicture()
{
    m_picture = QImage();
    m_scaled = QImage();
    m_pictureSize = QSize();
    m_decodedDenominator = 1;
    m_failed = false;
    m_error.clear();
}

void TDPRptImg::Reset()
{
    TDPRptRect::Reset();
    ImageName.clear();
    Centered = false;
    UsePlatformImaging = UsePlatformImagingByDefault;
    ForgetPicture();
}

bool TDPRptImg::LoadKey(const QString& key, const QString& value, const QString& line)
{
    if (key == QLatin1String("IMGNAME")) {
        ImageName = value; // a path holding "=" is cut there, as the file format always did
        ForgetPicture();
    } else if (key == QLatin1String("IMGOPTIONS")) {
        for (const QString& option : StrSplitFields(value.toUpper(), QStringLiteral(",")))
            if (option == QLatin1String("CENTERED"))
                Centered = true;
    } else {
        return TDPRptRect::LoadKey(key, value, line);
    }
    return true;
}

bool TDPRptImg::SaveKeys(QStringList& lines) const
{
    if (!TDPRptRect::SaveKeys(lines))
        return false;
    if (!ImageName.isEmpty())
        lines << QStringLiteral("IMGNAME=") + ImageName;
    if (Centered)
        lines << QStringLiteral("IMGOPTIONS=CENTERED");
    return true;
}

std::unique_ptr<TDPRptItem> TDPRptImg::CreateEmpty() const
{
    return std::make_unique<TDPRptImg>();
}

bool TDPRptImg::CopyFrom(const TDPRptItem& source)
{
    // Only an image gives an image its picture.
    if ((source.Kind() & 34) != 34 || !TDPRptRect::CopyFrom(source))
        return false;
    if (auto* image = dynamic_cast<const TDPRptImg*>(&source)) {
        ImageName = image->ImageName;
        Centered = image->Centered;
        UsePlatformImaging = image->UsePlatformImaging;
        m_picture = image->m_picture;
        m_pictureSize = image->m_pictureSize;
        m_decodedDenominator = image->m_decodedDenominator;
        m_scaled = image->m_scaled;
        m_failed = image->m_failed;
        m_error = image->m_error;
    }
    return true;
}

bool TDPRptImg::SharePictureOf(const TDPRptImg& other)
{
    if (&other == this || other.m_picture.isNull() || StrTrim(other.ImageName) != StrTrim(ImageName))
        return false;
    m_picture = other.m_picture;
    m_pictureSize = other.m_pictureSize;
    m_decodedDenominator = other.m_decodedDenominator;
    m_scaled = other.m_scaled;
    m_failed = false;
    m_error.clear();
    UsePlatformImaging = other.UsePlatformImaging;
    return true;
}

bool TDPRptImg::LoadThroughPlatform(const QString& fileName, QSize target)
{
    QImageReader reader(fileName);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > JpegCodec::MaxPixels)
        return false;
    const int denominator = JpegCodec::ScaleDenominator(size, PlacementIn(QRect(QPoint(), target), size).size());
    if (denominator > 1)
        reader.setScaledSize(size / denominator);
    QImage picture = reader.read();
    if (picture.isNull())
        return false;
    m_picture = picture.convertToFormat(QImage::Format_RGB32);
    m_pictureSize = size;
    m_decodedDenominator = denominator;
    return true;
}

bool TDPRptImg::LoadPicture(QSize target)
{
    const QString fileName = StrTrim(ImageName);
    m_scaled = QImage();
    if (UsePlatformImaging) {
        if (LoadThroughPlatform(fileName, target))
            return true;
        UsePlatformImaging = false; // this picture goes through the JPEG decoder from now on
    }
    QByteArray data;
    QSize size;
    if (!FileBytes::Read(fileName, data, &m_error) || !JpegCodec::ReadSize(data, fileName, size, &m_error)) {
        m_failed = true;
        return false;
    }
    // Decoded for the area the picture covers, not the whole item.
    const QSize area = target.isEmpty() ? QSize() : PlacementIn(QRect(QPoint(), target), size).size();
    m_picture = JpegCodec::Decode(data, fileName, area, &m_error);
    m_failed = m_picture.isNull();
    m_pictureSize = size;
    m_decodedDenominator = JpegCodec::ScaleDenominator(size, area);
    return !m_failed;
}

QRect TDPRptImg::PlacementIn(const QRect& target, QSize picture) const
{
    if (!Centered || picture.isEmpty())
        return target;
    const double dw = target.width(), dh = target.height();
    const double rx = picture.width() / dw, ry = picture.height() / dh;
    if (ry < rx) {
        const int height = RoundHalfEven(picture.height() / rx);
        return QRect(target.left(), target.top() + (target.height() - height) / 2, target.width(), height);
    }
    const int width = RoundHalfEven(picture.width() / ry);
    return QRect(target.left() + (target.width() - width) / 2, target.top(), width, target.height());
}

bool TDPRptImg::KeepsScaledCopy(QSize size, const QPainter& painter)
{
    // A page's picture is never larger than the page drawn on: its scaled
    // copy is kept for the next drawings at that size.
    const QPaintDevice* device = painter.device();
    const qint64 surface = device ? qint64(device->width()) * device->height() : 0;
    return qint64(size.width()) * size.height() <= std::max<qint64>(surface, 1 << 20);
}

const QImage& TDPRptImg::ScaledTo(QSize size)
{
    if (m_scaled.size() != size)
        m_scaled = m_picture.size() == size ? m_picture
                                            : m_picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return m_scaled;
}

bool TDPRptImg::DrawContent(const QRect& clip, ReportCanvas& canvas, TDPRptPrintParams* params, float scale)
{
    QRect placed, visible;
    if (!PlacedRects(clip, placed, visible))
        return true;
    const QString fileName = StrTrim(ImageName);
    if (!fileName.isEmpty() && !m_failed && QFileInfo::exists(fileName)) {
        // Decoded once, and again only when drawn larger than a reduced decode.
        const QSize area = PlacementIn(placed, m_pictureSize).size();
        const bool tooSmall
            = m_decodedDenominator > 1 && (area.width() > m_picture.width() || area.height() > m_picture.height());
        if (m_picture.isNull() || tooSmall)
            LoadPicture(placed.size());
    }
    if (!m_picture.isNull()) {
        const QRect area = PlacementIn(placed, m_pictureSize);
        if (!area.isEmpty()) {
            QPainter& painter = canvas.Painter();
            painter.save();
            painter.setClipRect(visible, Qt::IntersectClip);
            if (KeepsScaledCopy(area.size(), painter)) {
                painter.drawImage(area.topLeft(), ScaledTo(area.size()));
            } else {
                // Larger than the surface (a forged size): scaled while
                // drawn, so only the pixels that show are ever made.
                painter.setRenderHint(QPainter::SmoothPixmapTransform);
                painter.drawImage(QRectF(area), m_picture);
            }
            painter.restore();
        }
    }
    return TDPRptRect::DrawContent(clip, canvas, params, scale);
}
