#pragma once

#include <QStringList>

// Work files the benchmarks make for themselves.
namespace BenchData {

// A page root holding `count` rectangle items, some with borders.
QStringList RectangleItems(int count);
// A page root holding `count` special drawings of every mode in turn,
// spread over an A4 page.
QStringList MixedDrawings(int count);

} // namespace BenchData
