#pragma once

#include <QByteArray>
#include <QString>

// The one way the system writes a file: the bytes go to a temporary file in
// the same folder, which then replaces the target in one rename. A crash or
// a full disk leaves the old file or the complete new one, never a cut one.
class SafeSave {
public:
    // On failure the previous file is untouched and *error (when given)
    // receives a French sentence naming the file and the cause.
    // *cause (when given) receives the reason alone ("le disque est plein").
    static bool WriteFile(
        const QString& fileName, const QByteArray& bytes, QString* error = nullptr, QString* cause = nullptr);

    // A French description of a system error number.
    static QString ErrorText(int errorNumber);

    // Where the system cannot write a file unnamed (network shares), a save
    // cut short leaves its temporary "<file>.XXXXXX" beside the target.
    // Removes those of the system's own files in a folder that are older
    // than the given age (a younger one may be another PC's save under way);
    // returns how many went.
    static int RemoveStaleTemporaries(const QString& folder, int olderThanSeconds = 600);
    static bool IsTemporaryName(const QString& fileName);
};
