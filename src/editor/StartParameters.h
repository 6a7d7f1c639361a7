#pragma once

#include <QString>
#include <QStringList>

// The program's command line: "DIR=<data root>", the key in any letter
// case, the last one given winning; other parameters are ignored.
namespace StartParameters {
// The data root the parameters name, or the fallback when none does. The
// path is everything after the first "=" (a path may hold "="); trailing
// "/" and "\" are removed, but a root of "/" alone is kept.
QString WorkDir(const QStringList& parameters, const QString& fallback);
} // namespace StartParameters
