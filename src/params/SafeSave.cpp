#include "SafeSave.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Failure {
    const QString& fileName;
    QString* error;
    QString* cause;

    bool operator()(int errorNumber) const
    {
        const QString reason = SafeSave::ErrorText(errorNumber);
        if (error)
            *error = QStringLiteral("Impossible d'enregistrer le fichier « %1 » : %2.")
                         .arg(QDir::toNativeSeparators(fileName), reason);
        if (cause)
            *cause = reason;
        return false;
    }
};

const QLatin1String kTemporaryMark(".ardoisine-");
const QLatin1String kTemporaryEnd(".tmp");
constexpr int kRandomLetters = 8;

// Every byte, through interruptions and short writes; 0 or the error number.
int WriteAll(int descriptor, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(descriptor, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (written == 0)
            return EIO;
        data += written;
        left -= written;
    }
    return 0;
}

// The file the name stands for: a link is written through, as an editor
// would, and stays a link.
QString ResolvedTarget(const QString& fileName)
{
    const QFileInfo info(fileName);
    if (!info.isSymLink())
        return fileName;
    const QString target = info.canonicalFilePath();
    return target.isEmpty() ? fileName : target;
}

// Opens a new temporary beside the target; -1 and errno on failure.
int OpenTemporary(const QString& folder, const QString& fileName, QByteArray& temporary)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = QFile::encodeName(QDir(folder).filePath(SafeSave::TemporaryNameFor(fileName)));
        const int descriptor = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST)
            return descriptor;
    }
    return -1;
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
    case ENOTCONN:
    case ECONNABORTED:
    case ETIMEDOUT:
        return QStringLiteral("la connexion au partage réseau est perdue");
    case 0:
        return QStringLiteral("erreur inconnue du système");
    default:
        return QStringLiteral("erreur système %1").arg(errorNumber);
    }
}

QString SafeSave::TemporaryNameFor(const QString& fileName)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString random;
    for (int i = 0; i < kRandomLetters; ++i)
        random += QLatin1Char(letters[QRandomGenerator::global()->bounded(36)]);
    return QLatin1Char('.') + fileName + kTemporaryMark + random + kTemporaryEnd;
}

namespace {

// Writes through a temporary beside the target, then renames it over the
// target; write() puts the bytes into the open descriptor and returns 0 or
// the system error number.
bool SaveThrough(const QString& fileName, const std::function<int(int)>& write, QString* error, QString* cause)
{
    const Failure fail {fileName, error, cause};
    const QFileInfo target(ResolvedTarget(fileName));
    if (target.isDir())
        return fail(EISDIR);
    if (!target.dir().exists())
        return fail(ENOENT);
    const QByteArray targetName = QFile::encodeName(target.filePath());
    struct stat previous { };
    const bool replacing = ::stat(targetName.constData(), &previous) == 0 && S_ISREG(previous.st_mode);

    QByteArray temporary;
    const int descriptor = OpenTemporary(target.path(), target.fileName(), temporary);
    if (descriptor < 0)
        return fail(errno);
    // The new file keeps the old one's permissions (a share may depend on them).
    if (replacing)
        ::fchmod(descriptor, previous.st_mode & 07777);
    // The write error is kept right where it happens: a network share may
    // report a full disk only when the data is flushed or the file closed.
    int reason = write(descriptor);
    if (reason == 0 && ::fsync(descriptor) != 0)
        reason = errno;
    if (::close(descriptor) != 0 && reason == 0)
        reason = errno;
    if (reason == 0 && ::rename(temporary.constData(), targetName.constData()) != 0)
        reason = errno;
    if (reason == 0)
        return true;
    ::unlink(temporary.constData());
    return fail(reason);
}

} // namespace

bool SafeSave::WriteFile(const QString& fileName, const QByteArray& bytes, QString* error, QString* cause)
{
    return SaveThrough(
        fileName, [&bytes](int descriptor) { return WriteAll(descriptor, bytes); }, error, cause);
}

bool SafeSave::WriteStream(
    const QString& fileName, const std::function<bool(QIODevice&)>& write, QString* error, QString* cause)
{
    return SaveThrough(
        fileName,
        [&write](int descriptor) {
            QFile file;
            if (!file.open(descriptor, QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
                return EIO;
            errno = 0;
            const bool written = write(file) && file.flush();
            const int reason = errno;
            return written ? 0 : (reason != 0 ? reason : EIO);
        },
        error, cause);
}

bool SafeSave::IsTemporaryName(const QString& fileName)
{
    static const QRegularExpression temporary(
        QStringLiteral("^\\..+\\.ardoisine-[a-z0-9]{%1}\\.tmp$").arg(kRandomLetters));
    return temporary.match(fileName).hasMatch();
}

int SafeSave::RemoveStaleTemporaries(const QString& folder, int olderThanSeconds)
{
    const QDateTime limit = QDateTime::currentDateTimeUtc().addSecs(-olderThanSeconds);
    int removed = 0;
    QDirIterator files(folder, QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    while (files.hasNext()) {
        files.next();
        if (IsTemporaryName(files.fileName()) && files.fileInfo().lastModified().toUTC() <= limit
            && QFile::remove(files.filePath()))
            ++removed;
    }
    return removed;
}
