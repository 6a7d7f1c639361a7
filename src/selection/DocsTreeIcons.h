#pragma once

#include <QPixmap>

class TEP_DocsNode;

// The pictures of the documents view's entries, drawn for this program as
// SVG resources and rendered at the size asked (sharp at any font size and
// screen scale): a folder, a worksheet without work of the current user, a
// worksheet with work.
class DocsTreeIcons {
public:
    enum Kind { Folder = 0, Worksheet = 1, WorksheetWithWork = 2 };

    static Kind KindOf(const TEP_DocsNode& node);
    // A square picture of size logical pixels for a screen of that pixel
    // ratio; rendered once per kind, size and ratio.
    static QPixmap Icon(Kind kind, int size, qreal devicePixelRatio = 1.0);
};
