#pragma once

#include <QString>

// Names typed by people (pupils, worksheets, folders) become file names on a
// data root often shared with Windows PCs: they must be valid there too and
// never reach outside their folder.
class FileNameRules {
public:
    // Refuses "/ \ : * ? " < > |", control characters, "." and "..", reserved
    // device names (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an
    // extension), a leading dot (a hidden file, skipped by the scans), a
    // trailing dot or blank, and names over MaxLength characters (the files
    // made from a name add suffixes to it).
    static bool IsSafe(const QString& name);
    // Names starting with "." are hidden: scans skip them.
    static bool IsHidden(const QString& name) { return name.startsWith(QLatin1Char('.')); }
    static constexpr int MaxLength = 120;
    // Joins with one separator, added only when the folder does not end
    // with one ("/" or "\").
    static QString Join(const QString& folder, const QString& fileName);
};
