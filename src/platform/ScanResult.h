#pragma once

#include <QImage>
#include <QMetaType>
#include <QString>

// What a scan hands back to the selection screen: a page with its
// resolution, a cancellation, or a failure with its French text.
struct ScanResult {
    enum class Outcome {
        Page,
        Cancelled,
        Failed,
        NoPage, // the external capture program ended without writing anything
    };

    // A page whose resolution the scanner does not tell is taken at 300 dpi,
    // as exports do.
    static constexpr int DefaultResolution = 300;

    Outcome outcome = Outcome::Failed;
    QImage image; // Format_RGB32
    int horizontalResolution = 0; // dots per inch
    int verticalResolution = 0;
    QString message;

    bool IsPage() const { return outcome == Outcome::Page; }

    static ScanResult Page(const QImage& image, int horizontalResolution, int verticalResolution)
    {
        ScanResult result;
        result.outcome = Outcome::Page;
        result.image = image.convertToFormat(QImage::Format_RGB32);
        result.horizontalResolution = horizontalResolution > 0 ? horizontalResolution : DefaultResolution;
        result.verticalResolution = verticalResolution > 0 ? verticalResolution : result.horizontalResolution;
        return result;
    }
    static ScanResult Cancelled()
    {
        ScanResult result;
        result.outcome = Outcome::Cancelled;
        return result;
    }
    static ScanResult Failure(const QString& message, Outcome outcome = Outcome::Failed)
    {
        ScanResult result;
        result.outcome = outcome;
        result.message = message;
        return result;
    }
};

Q_DECLARE_METATYPE(ScanResult)
