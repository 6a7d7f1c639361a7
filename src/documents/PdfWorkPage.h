#pragma once

#include <QPageLayout>
#include <QString>

class QPainter;
class TDPRptItem;

// One pupil's page in a PDF of a class's work: an A4 sheet in the
// worksheet's orientation with the work page (200 x 282.9 mm) centred on it,
// as a printed sheet has it, drawn by the printed page's drawing at the
// PDF's resolution: text and shapes stay vector, the worksheet's picture is
// drawn as the image item keeps it, so pages sharing that picture share it
// in the file. A header line ("Prénom — Fiche — date") sits in the top
// margin, outside the work page.
class PdfWorkPage {
public:
    static bool IsLandscape(const TDPRptItem& tree);
    // The A4 sheet without margins: the page places the work itself.
    static QPageLayout LayoutFor(bool landscape);
    // Draws on a page of that layout; painter's device at `resolution` dpi.
    // False when the report engine refuses the drawing.
    static bool Draw(QPainter& painter, int resolution, TDPRptItem& tree, const QString& header);
    // Whether a highlight is drawn (it tints the pixels under it, so such a
    // page is also drawn as a picture for the highlights to take).
    static bool HasHighlight(const TDPRptItem& item);
    // The header's place on the sheet at that resolution: the top margin.
    static QRect HeaderRect(bool landscape, int resolution);
    // The work page's place on the sheet at that resolution.
    static QRect WorkRect(bool landscape, int resolution);
};
