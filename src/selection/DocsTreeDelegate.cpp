#include "DocsTreeDelegate.h"

#include "DocsTreeIcons.h"
#include "DocsTreeModel.h"

#include "documents/FileNameRules.h"

#include <QLineEdit>
#include <QPainter>
#include <QPen>
#include <QStyle>
#include <QWidget>

namespace {

constexpr int Margin = 2;
constexpr int Gap = 4;

QFont EntryFont(const QStyleOptionViewItem& option, const QModelIndex& index)
{
    const QVariant font = index.data(Qt::FontRole);
    return font.isValid() ? font.value<QFont>() : option.font;
}

} // namespace

DocsTreeDelegate::DocsTreeDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{ }

int DocsTreeDelegate::IconSize(const QFontMetrics& metrics)
{
    return std::max(16, metrics.height());
}

QRect DocsTreeDelegate::TextRect(const QStyleOptionViewItem& option, const QModelIndex& index)
{
    const QFont font = EntryFont(option, index);
    const QFontMetrics metrics(font);
    const int icon = IconSize(QFontMetrics(option.font));
    const int left = option.rect.left() + Margin + icon + Gap;
    const int width = metrics.horizontalAdvance(index.data(Qt::DisplayRole).toString()) + 2 * Margin;
    return QRect(
        left, option.rect.top(), std::min(width, std::max(0, option.rect.right() - left + 1)), option.rect.height());
}

QWidget* DocsTreeDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    auto* editor = new QLineEdit(parent);
    editor->setMaxLength(FileNameRules::MaxLength);
    editor->setFrame(true);
    editor->setAccessibleName(QStringLiteral("Nouveau nom"));
    editor->setAccessibleDescription(QStringLiteral("Le nouveau nom de « %1 » ; Entrée renomme, Echap annule")
                                         .arg(index.data(Qt::DisplayRole).toString()));
    return editor;
}

void DocsTreeDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    painter->save();
    const int icon = IconSize(QFontMetrics(option.font));
    const auto kind = DocsTreeIcons::Kind(index.data(DocsTreeModel::IconKindRole).toInt());
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QPoint iconAt(option.rect.left() + Margin, option.rect.top() + (option.rect.height() - icon) / 2);
    painter->drawPixmap(iconAt, DocsTreeIcons::Icon(kind, icon, ratio));

    const QRect textRect = TextRect(option, index);
    const bool dropTarget = IsDropTarget && IsDropTarget(index);
    if (dropTarget)
        painter->fillRect(textRect, RgbColor(DropTargetColor).ToQColor());
    else if (option.state & QStyle::State_Selected)
        painter->fillRect(textRect, m_selectedBackground.ToQColor());

    painter->setFont(EntryFont(option, index));
    const QVariant foreground = index.data(Qt::ForegroundRole);
    painter->setPen(foreground.isValid() ? foreground.value<QColor>() : option.palette.color(QPalette::Text));
    painter->drawText(textRect.adjusted(Margin, 0, -Margin, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
        index.data(Qt::DisplayRole).toString());

    if ((option.state & QStyle::State_HasFocus) && option.widget && option.widget->hasFocus()) {
        // A dotted frame round the text, as the original platform's tree
        // views show the keyboard's place.
        painter->setPen(QPen(option.palette.color(QPalette::Text), 1, Qt::DotLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(textRect.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

QSize DocsTreeDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QFontMetrics metrics(EntryFont(option, index));
    const int icon = IconSize(QFontMetrics(option.font));
    const int width
        = Margin + icon + Gap + metrics.horizontalAdvance(index.data(Qt::DisplayRole).toString()) + 3 * Margin;
    return QSize(width, std::max(icon, metrics.height()) + 2 * Margin);
}

void DocsTreeDelegate::updateEditorGeometry(
    QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QRect rect = TextRect(option, index);
    // Room to type a longer name.
    rect.setRight(std::max(option.rect.right(), rect.left() + 200));
    editor->setGeometry(rect);
}
