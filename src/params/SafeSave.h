#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

class QIODevice;

// The one way the system writes a file: the bytes go to a temporary file in
// the same folder, are flushed to the disk, and the temporary then replaces
// the target in one rename. A crash or a full disk leaves the old file or the
// complete new one, never a cut one.
//
// The temporary carries a name only this program writes
// (".<file>.ardoisine-XXXXXXXX.tmp"), so the clean-up of temporaries left by
// a save cut short can never take a file a person named.
class SafeSave {
public:
    // On failure the previous file is untouched and *error (when given)
    // receives a French sentence naming the file and the cause.
    // *cause (when given) receives the reason alone ("le disque est plein").
    static bool WriteFile(
        const QString& fileName, const QByteArray& bytes, QString* error = nullptr, QString* cause = nullptr);

    // The same for a file too large to hold in memory: write() puts the
    // bytes into the temporary file and returns false when it could not
    // (the system error number, errno, says why).
    static bool WriteStream(const QString& fileName, const std::function<bool(QIODevice&)>& write,
        QString* error = nullptr, QString* cause = nullptr);

    // A French description of a system error number.
    static QString ErrorText(int errorNumber);

    // A save cut short (a PC switched off) leaves its temporary beside the
    // target. Removes the temporaries of this program in a folder that are
    // older than the given age (a younger one may be another PC's save under
    // way); returns how many went.
    static int RemoveStaleTemporaries(const QString& folder, int olderThanSeconds = 600);
    static bool IsTemporaryName(const QString& fileName);
    // The name of a new temporary for that file name (without folder).
    static QString TemporaryNameFor(const QString& fileName);
};
