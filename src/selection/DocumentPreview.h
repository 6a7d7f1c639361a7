#pragma once

#include <QImage>
#include <QWidget>

// The preview of the selected worksheet: its picture fitted into the panel
// with its proportions kept, centred, on the panel's background. The
// picture is read once per worksheet (decoded at the size it is shown) and
// only copied when painted.
class DocumentPreview : public QWidget {
    Q_OBJECT

public:
    explicit DocumentPreview(QWidget* parent = nullptr);

    // Reads the picture file; false (and nothing shown) when it is missing
    // or cannot be read.
    bool ShowPicture(const QString& file, bool platformImaging);
    void Clear();
    bool HasPicture() const { return !m_shown.isNull(); }
    // Where the picture lies in the panel.
    QRect PictureRect() const { return m_placement; }
    // The full size of the picture in its file.
    QSize PictureSize() const { return m_pictureSize; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Place();

    QImage m_decoded; // as read, possibly reduced by the decoder
    QSize m_pictureSize;
    QImage m_shown; // m_decoded at the size shown
    QRect m_placement;
};
