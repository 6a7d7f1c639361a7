#include "SpokenText.h"

#include "TDPRptItem.h"
#include "TDPRptText.h"
#include "TDPRptVText.h"

#include <algorithm>

namespace {

const QChar LineMark(0x00B6); // ¶

void CollectTexts(const TDPRptItem& item, QList<const TDPRptItem*>& texts)
{
    if (!item.Visible)
        return;
    if (SpokenText::IsText(item))
        texts << &item;
    for (int index = 0; index < item.ChildCount(); ++index)
        if (const TDPRptItem* child = item.ChildAt(index))
            CollectTexts(*child, texts);
}

} // namespace

QStringList SpokenText::Phrases(const QString& value)
{
    QStringList phrases;
    for (const QString& line : value.split(LineMark)) {
        const QString phrase = line.simplified();
        if (!phrase.isEmpty())
            phrases << phrase;
    }
    return phrases;
}

bool SpokenText::IsText(const TDPRptItem& item, QString* value)
{
    if (!item.Visible)
        return false;
    if (const auto* text = dynamic_cast<const TDPRptText*>(&item)) {
        if (value)
            *value = text->Value;
        return true;
    }
    if (const auto* text = dynamic_cast<const TDPRptVText*>(&item)) {
        if (value)
            *value = text->Value;
        return true;
    }
    return false;
}

QPointF SpokenText::PagePosition(const TDPRptItem& item)
{
    QPointF position;
    for (const TDPRptItem* step = &item; step && step->Parent(); step = step->Parent())
        position += QPointF(step->PosX, step->PosY);
    return position;
}

QList<const TDPRptItem*> SpokenText::ReadingOrder(const TDPRptItem& root)
{
    QList<const TDPRptItem*> texts;
    CollectTexts(root, texts);
    struct Placed {
        const TDPRptItem* item;
        QPointF position;
        double height;
    };
    QList<Placed> placed;
    for (const TDPRptItem* text : std::as_const(texts))
        placed << Placed {text, PagePosition(*text), std::max(0.0, double(text->Height))};
    // Top to bottom first (stable: the tree's order breaks ties).
    std::stable_sort(
        placed.begin(), placed.end(), [](const Placed& a, const Placed& b) { return a.position.y() < b.position.y(); });
    QList<const TDPRptItem*> order;
    for (qsizetype first = 0; first < placed.size();) {
        // One line: the items whose tops are above the middle of its first.
        const double limit = placed[first].position.y() + placed[first].height / 2;
        qsizetype end = first + 1;
        while (end < placed.size() && placed[end].position.y() < limit)
            ++end;
        std::stable_sort(placed.begin() + first, placed.begin() + end,
            [](const Placed& a, const Placed& b) { return a.position.x() < b.position.x(); });
        for (qsizetype index = first; index < end; ++index)
            order << placed[index].item;
        first = end;
    }
    return order;
}

QStringList SpokenText::PagePhrases(const TDPRptItem& root)
{
    QStringList phrases;
    QString value;
    for (const TDPRptItem* item : ReadingOrder(root))
        if (IsText(*item, &value))
            phrases += Phrases(value);
    return phrases;
}
