#pragma once

#include <QString>

// Moving a file or folder by renaming it, never over an existing file: a
// move that would replace something fails and leaves both where they were.
// Nothing is copied, so a move never leaves two copies or half a file.
class FileMove {
public:
    // On failure *cause (when given) receives the system's reason in French
    // ("un fichier de ce nom existe déjà").
    static bool Rename(const QString& from, const QString& to, QString* cause = nullptr);
    // The French reason for a system error number of a rename.
    static QString ErrorText(int errorNumber);
};
