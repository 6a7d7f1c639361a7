#pragma once

#include "TDPRptRect.h"

#include <QImage>

// A picture drawn into its rectangle: the worksheet page itself. The file is
// decoded at the first drawing, for the size it is drawn at, and a copy
// scaled to the current target is kept, so drawing again at the same scale
// is a plain copy of pixels.
class TDPRptImg : public TDPRptRect {
public:
    // Whether new items read pictures through the platform imaging path
    // (Qt's image reader) rather than the JPEG decoder.
    static bool UsePlatformImagingByDefault;

    TDPRptImg();

    bool DrawContent(const QRect& clip, ReportCanvas& canvas, TDPRptPrintParams* params, float scale) override;
    bool SaveKeys(QStringList& lines) const override;
    int Kind() const override { return 34; }
    QString TypeName() const override { return QStringLiteral("IMG"); }
    void Reset() override;
    std::unique_ptr<TDPRptItem> CreateEmpty() const override;

    // Where a picture of that size lands in the target rectangle.
    QRect PlacementIn(const QRect& target, QSize picture) const;
    // Reads the picture now, for drawing into an item of that pixel size
    // (empty: at full size).
    bool LoadPicture(QSize target = QSize());
    const QImage& Picture() const { return m_picture; }
    // The picture's full size, known once it was read.
    QSize PictureSize() const { return m_pictureSize; }
    // Why the picture could not be read (French), empty otherwise.
    QString LastError() const { return m_error; }
    void ForgetPicture();
    // Takes the picture another item decoded, with its copy scaled for the
    // size last drawn, when both show the same file: pages drawn one after
    // the other then share one decoded picture (and a PDF holds it once).
    // False, and nothing taken, when the files differ or nothing was read.
    bool SharePictureOf(const TDPRptImg& other);

    QString ImageName;
    bool Centered = false;
    bool UsePlatformImaging = UsePlatformImagingByDefault;

protected:
    bool CopyFrom(const TDPRptItem& source) override;
    bool LoadKey(const QString& key, const QString& value, const QString& line) override;

private:
    bool LoadThroughPlatform(const QString& fileName, QSize target);
    // Whether a scaled copy of the picture that size is worth keeping for
    // drawings on that painter's surface.
    static bool KeepsScaledCopy(QSize size, const QPainter& painter);
    const QImage& ScaledTo(QSize size);

    QImage m_picture; // decoded, possibly reduced by the decoder
    QSize m_pictureSize; // full size of the picture in its file
    int m_decodedDenominator = 1;
    QImage m_scaled; // m_picture at the size last drawn
    bool m_failed = false;
    QString m_error;
};
