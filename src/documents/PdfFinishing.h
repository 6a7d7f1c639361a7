#pragma once

#include "params/Outcome.h"

#include <QList>
#include <QString>

// An entry of a PDF's outline (the bookmarks a reader shows beside the
// pages): its title, the page it opens (counted from 0) and its own entries.
struct PdfOutlineEntry {
    QString title;
    int page = 0;
    bool open = false; // its entries show without a click
    QList<PdfOutlineEntry> children;
};

// What Qt's PDF writer cannot give a file: the outline, and the author in
// the document's information. A draft written by Qt is read with libqpdf,
// completed, and written to its place through the safe-save helper, so the
// target is either the old file or the whole new one.
class PdfFinishing {
public:
    static Outcome Finish(const QString& draft, const QString& fileName, const QList<PdfOutlineEntry>& outline,
        const QString& title, const QString& author);
};
