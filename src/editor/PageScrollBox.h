#pragma once

#include <QScrollArea>

class ImageWidget;

// The scroll box that holds the page of the open worksheet: the A4 sheet,
// the page image the report engine draws on, the edit surface of the
// selected item and the surface of an item carried by the mouse, all
// children of one content widget. Positions of these elements are in the
// content widget's coordinates, which scrolling does not change.
class PageScrollBox : public QScrollArea {
    Q_OBJECT
public:
    static constexpr int EdgeGap = 2; // sheet to box edge when the box is smaller
    static constexpr int BottomMargin = 3; // room left under the sheet
    explicit PageScrollBox(QWidget* parent = nullptr);

    QWidget* Content() const { return m_content; }
    ImageWidget* SheetImage() const { return m_sheet; }
    ImageWidget* PageImage() const { return m_page; }
    ImageWidget* EditImage() const { return m_edit; }
    ImageWidget* MovedImage() const { return m_moved; }

    // Places the sheet (silver, framed in black) centred in the box, or 2
    // pixels from its edge when larger, and the page image centred in the
    // sheet; both scroll positions go back to 0. The page image is white.
    void LayOutPage(QSize sheet, QSize page);
    QSize ClientSize() const;
    // How far the content is scrolled: content = viewport + offset.
    QPoint ScrollOffset() const;
    void SetScrollOffset(QPoint offset);
    // Scrolls as little as needed for the area (content coordinates) to be
    // in view, its top-left corner first when it is larger than the view.
    void EnsureVisible(const QRect& area);

private:
    QWidget* m_content;
    ImageWidget* m_sheet;
    ImageWidget* m_page;
    ImageWidget* m_edit;
    ImageWidget* m_moved;
};
