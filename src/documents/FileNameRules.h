#pragma once

#include <QString>

// Names typed by people (pupils, worksheets, folders) become file names on a
// data root often shared with Windows PCs: they must be valid there too and
// never reach outside their folder.
class FileNameRules {
public:
    // Refuses "/ \ : * ? " < > |", control characters, "." and "..", reserved
    // device names (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an
    // extension), a trailing dot or blank, and names over MaxLength
    // characters (the files made from a name add suffixes to it).
    static bool IsSafe(const QString& name);
    static constexpr int MaxLength = 120;
    // Joins with one separator, added only when the folder does not end
    // with one ("/" or "\").
    static QString Join(const QString& folder, const QString& fileName);
};
