#include "SafeSave.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <cerrno>

namespace {

struct Failure {
    const QString& fileName;
    QString* error;
    QString* cause;

    bool operator()(const QString& reason) const
    {
        if (error)
            *error = QStringLiteral("Impossible d'enregistrer le fichier « %1 » : %2.")
                         .arg(QDir::toNativeSeparators(fileName), reason);
        if (cause)
            *cause = reason;
        return false;
    }
};

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
    case 0:
        return QStringLiteral("erreur inconnue du système");
    default:
        return QStringLiteral("erreur système %1").arg(errorNumber);
    }
}

bool SafeSave::WriteFile(const QString& fileName, const QByteArray& bytes, QString* error, QString* cause)
{
    const Failure fail {fileName, error, cause};
    const QFileInfo target(fileName);
    if (target.isDir())
        return fail(ErrorText(EISDIR));
    if (!target.dir().exists())
        return fail(ErrorText(ENOENT));

    QSaveFile file(fileName);
    // Never fall back to writing the target in place: that is what loses files.
    file.setDirectWriteFallback(false);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        const int reason = errno;
        return fail(ErrorText(reason));
    }
    // QSaveFile's own message after a failed write can be empty or vague, so
    // the system error is kept right where the write fails.
    errno = 0;
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    const int writeCause = errno;
    if (!written) {
        file.cancelWriting();
        return fail(ErrorText(writeCause));
    }
    errno = 0;
    if (!file.commit()) {
        const int reason = errno;
        return fail(ErrorText(reason));
    }
    return true;
}

bool SafeSave::IsTemporaryName(const QString& fileName)
{
    // The system's own files with the six random letters and digits of a
    // temporary after them. A suffix of lower-case letters only reads like a
    // word ("notes.txt.backup") and is left alone: a person may have named it.
    static const QRegularExpression temporary(
        QStringLiteral("^.+\\.(txt|conf|jpg|jpeg|wav|png|pdf)\\.([A-Za-z0-9]{6})$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression word(QStringLiteral("^[a-z]{6}$"));
    const QRegularExpressionMatch match = temporary.match(fileName);
    return match.hasMatch() && !word.match(match.captured(2)).hasMatch();
}

int SafeSave::RemoveStaleTemporaries(const QString& folder, int olderThanSeconds)
{
    const QDateTime limit = QDateTime::currentDateTimeUtc().addSecs(-olderThanSeconds);
    int removed = 0;
    QDirIterator files(folder, QDir::Files | QDir::Hidden);
    while (files.hasNext()) {
        files.next();
        if (IsTemporaryName(files.fileName()) && files.fileInfo().lastModified().toUTC() <= limit
            && QFile::remove(files.filePath()))
            ++removed;
    }
    return removed;
}
