#pragma once

#include <QByteArray>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>

// Work files the benchmarks make for themselves.
namespace BenchData {

// A page root holding `count` rectangle items, some with borders.
QStringList RectangleItems(int count);
// A page root holding `count` special drawings of every mode in turn,
// spread over an A4 page.
QStringList MixedDrawings(int count);
// A pupil's items of every kind in turn (special drawings of each mode, text,
// vertical text, rectangles, background sound markers) under MAINRECT, with
// the page picture item MAINIMG first.
QStringList WorkItems(int count);
// A 2480 x 3508 page (A4 at 300 dpi) with lines of dark "text" on a slightly
// uneven paper, compressing like a real scan.
QImage ScannedPage();
const QByteArray& ScannedPageJpeg();
// Writes the scanned page as a worksheet picture; false when it cannot.
bool WriteScannedPage(const QString& fileName);

// A folder holding "Fiche.jpg" (the 300 dpi scan) and Paul's work of
// `items` items; made inside `parent` when given (a network share).
struct WorksheetFolder {
    explicit WorksheetFolder(int items, const QString& parent = QString());
    QString Path() const;
    QTemporaryDir dir;
};

// The process's peak resident memory since construction (Linux: the
// high-water mark is reset through /proc/self/clear_refs).
class PeakMemory {
public:
    PeakMemory();
    double Megabytes() const;
};

// Zoom factors of the page on a 96 dpi screen; "fit" shows the whole page
// in 900 pixels of height.
float ScreenScale(int zoomPercent);

} // namespace BenchData
