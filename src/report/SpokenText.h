#pragma once

#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

class TDPRptItem;

// What reading aloud says of a page: the text items in reading order, each
// cut into phrases at its line marks "¶", which are heard as pauses and
// never spoken.
class SpokenText {
public:
    // The phrases of one text: its lines, trimmed, blank ones left out.
    static QStringList Phrases(const QString& value);
    // Whether an item holds text to read (a visible text item); *value
    // receives the text.
    static bool IsText(const TDPRptItem& item, QString* value = nullptr);
    // The visible text items of a tree in reading order: top to bottom,
    // left to right. Items whose tops lie within half the first one's
    // height of each other are one line of the page, read left to right, so
    // words set side by side by hand are read in order even when they are
    // not exactly aligned.
    static QList<const TDPRptItem*> ReadingOrder(const TDPRptItem& root);
    // The phrases of every text item of the tree in reading order.
    static QStringList PagePhrases(const TDPRptItem& root);
    // Where an item sits on the page (its parents' places added).
    static QPointF PagePosition(const TDPRptItem& item);
};
