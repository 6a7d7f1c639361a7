#pragma once

#include <QImage>
#include <QStringList>

// Work files the benchmarks make for themselves.
namespace BenchData {

// A page root holding `count` rectangle items, some with borders.
QStringList RectangleItems(int count);
// A page root holding `count` special drawings of every mode in turn,
// spread over an A4 page.
QStringList MixedDrawings(int count);
// A 2480 x 3508 page (A4 at 300 dpi) with lines of dark "text" on a slightly
// uneven paper, compressing like a real scan.
QImage ScannedPage();

} // namespace BenchData
