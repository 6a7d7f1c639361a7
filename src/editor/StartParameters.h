#pragma once

#include <QString>
#include <QStringList>

// The program's command line: "DIR=<data root>", the key in any letter
// case, the last one given winning; other parameters are ignored. A PC's
// system-wide default data root comes from a small file IT staff write once
// per PC; the command line wins over it.
namespace StartParameters {
inline const QString SystemConfigurationFile = QStringLiteral("/etc/ardoisine.conf");

// The data root the parameters name, or the fallback when none does. The
// path is everything after the first "=" (a path may hold "="); trailing
// "/" and "\" are removed, but a root of "/" alone is kept.
QString WorkDir(const QStringList& parameters, const QString& fallback);

// The data root named by the last "DIR=" line of the system-wide file
// (key in any letter case, blanks around key and path ignored, blank lines
// and lines starting with "#" skipped; UTF-8, or Windows-1252 when the bytes
// are not UTF-8). Empty when the file is missing, unreadable or names none:
// none of these is an error, the PC then simply has no default.
QString SystemWorkDir(const QString& configurationFile);

// The parameters with the system-wide default in front of them, so that a
// "DIR=" on the command line, coming later, wins.
QStringList WithSystemWorkDir(const QStringList& parameters, const QString& configurationFile);

// What "--help" and "--version" print.
bool AsksForHelp(const QStringList& parameters);
bool AsksForVersion(const QStringList& parameters);
QString HelpText();
QString VersionText();
} // namespace StartParameters
