#pragma once

#include "params/RgbColor.h"

#include <QStyledItemDelegate>
#include <functional>

// Draws an entry of the documents view: its picture, then its text in the
// node's colour and styles, on the selection colour when it is selected and
// on grey (0xC0C0C0) when it is where a drag would drop; and edits its name
// in place, beside the picture.
class DocsTreeDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    static constexpr quint32 DropTargetColor = 0xC0C0C0;

    explicit DocsTreeDelegate(QObject* parent = nullptr);

    void SetSelectedBackground(RgbColor color) { m_selectedBackground = color; }
    RgbColor SelectedBackground() const { return m_selectedBackground; }
    // Tells whether an entry is the drop target of the drag under way.
    std::function<bool(const QModelIndex&)> IsDropTarget;

    // The picture's side for a font: at least 16 pixels, else the line's
    // height.
    static int IconSize(const QFontMetrics& metrics);

    // A line edit for the name, no longer than a file name may be.
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void updateEditorGeometry(
        QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    // Where the text goes in an entry's rectangle, after the picture.
    static QRect TextRect(const QStyleOptionViewItem& option, const QModelIndex& index);

    RgbColor m_selectedBackground = RgbColor(0x00FFFF);
};
