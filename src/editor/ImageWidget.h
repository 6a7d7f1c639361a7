#pragma once

#include <QImage>
#include <QWidget>

// An image element of a window (the page, its sheet, the edit surface of the
// selected item): it owns a bitmap that the program draws into and only
// copies the bitmap to the screen when painted. Whoever draws tells it which
// area changed, so a key press repaints that area and nothing more.
class ImageWidget : public QWidget {
    Q_OBJECT
public:
    explicit ImageWidget(QWidget* parent = nullptr);

    QImage& Image() { return m_image; }
    const QImage& Image() const { return m_image; }
    // The bitmap takes that size (cleared to the colour) and the widget
    // with it.
    void SetImageSize(QSize size, QColor fill = Qt::white);
    void Clear(QColor fill = Qt::white);
    // The area of the bitmap that changed is shown again.
    void Changed(const QRect& area);
    void Changed() { update(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};
