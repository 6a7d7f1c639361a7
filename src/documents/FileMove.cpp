#include "FileMove.h"

#include "params/SafeSave.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

namespace {

bool Failed(int errorNumber, QString* cause)
{
    if (cause)
        *cause = FileMove::ErrorText(errorNumber);
    return false;
}

} // namespace

QString FileMove::ErrorText(int errorNumber)
{
    switch (errorNumber) {
    case EEXIST:
    case ENOTEMPTY:
        return QStringLiteral("un fichier de ce nom existe déjà");
    case EXDEV:
        return QStringLiteral("la destination est sur un autre support");
    case ENOENT:
        return QStringLiteral("le fichier ou son dossier n'existe pas");
    case EBUSY:
        return QStringLiteral("le fichier est en cours d'utilisation");
    default:
        return SafeSave::ErrorText(errorNumber);
    }
}

bool FileMove::Rename(const QString& from, const QString& to, QString* cause)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
    const int refused = errno;
    // File systems that do not know the flag (some network shares): a hard
    // link is refused as well when the target exists; without links, the
    // test and the rename stay as close together as they can.
    if (refused != EINVAL && refused != ENOSYS && refused != EOPNOTSUPP)
        return Failed(refused, cause);
    if (::link(source.constData(), target.constData()) == 0) {
        if (::unlink(source.constData()) == 0)
            return true;
        const int kept = errno;
        ::unlink(target.constData()); // the source stays, whole
        return Failed(kept, cause);
    }
    if (errno == EEXIST)
        return Failed(EEXIST, cause);
    if (::access(target.constData(), F_OK) == 0)
        return Failed(EEXIST, cause);
    if (errno != ENOENT)
        return Failed(errno, cause);
    if (::rename(source.constData(), target.constData()) == 0)
        return true;
    return Failed(errno, cause);
}
