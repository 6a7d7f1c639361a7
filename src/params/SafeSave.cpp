#include "SafeSave.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

namespace {

QString FailureText(const QString& fileName, const QString& cause)
{
    return QStringLiteral("Impossible d'enregistrer le fichier « %1 » : %2.")
        .arg(QDir::toNativeSeparators(fileName), cause);
}

void SetError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

} // namespace

QString SafeSave::ErrorText(int errorNumber)
{
    switch (errorNumber) {
    case ENOSPC:
        return QStringLiteral("le disque est plein");
    case EDQUOT:
        return QStringLiteral("le quota d'espace disque est dépassé");
    case EACCES:
    case EPERM:
        return QStringLiteral("l'accès est refusé");
    case EROFS:
        return QStringLiteral("le support est en lecture seule");
    case EFBIG:
        return QStringLiteral("le fichier est trop volumineux");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("le dossier n'existe pas");
    case EISDIR:
        return QStringLiteral("c'est un dossier");
    case EIO:
        return QStringLiteral("erreur d'entrée-sortie sur le support");
    case ENAMETOOLONG:
        return QStringLiteral("le nom est trop long");
    default:
        return QStringLiteral("erreur système %1").arg(errorNumber);
    }
}

bool SafeSave::WriteFile(const QString& fileName, const QByteArray& bytes, QString* error)
{
    const QFileInfo target(fileName);
    if (target.isDir()) {
        SetError(error, FailureText(fileName, ErrorText(EISDIR)));
        return false;
    }
    if (!target.dir().exists()) {
        SetError(error, FailureText(fileName, ErrorText(ENOENT)));
        return false;
    }

    QSaveFile file(fileName);
    // Never fall back to writing the target in place: that is what loses files.
    file.setDirectWriteFallback(false);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        const int cause = errno;
        SetError(error, FailureText(fileName, cause ? ErrorText(cause) : file.errorString()));
        return false;
    }
    // QSaveFile's own message after a failed write can be empty or vague, so
    // the system error is kept right where the write fails.
    errno = 0;
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    const int writeCause = errno;
    if (!written) {
        file.cancelWriting();
        SetError(error, FailureText(fileName, writeCause ? ErrorText(writeCause) : file.errorString()));
        return false;
    }
    errno = 0;
    if (!file.commit()) {
        const int cause = errno;
        const QString qtText = file.errorString();
        SetError(error, FailureText(fileName, cause ? ErrorText(cause) : qtText));
        return false;
    }
    return true;
}
