#include "FileBytes.h"

#include "SafeSave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

bool FileBytes::Read(const QString& fileName, QByteArray& bytes, QString* error, qint64 maxBytes)
{
    QFile file(fileName);
    errno = 0;
    const bool folder = QFileInfo(fileName).isDir();
    if (folder || !file.open(QIODevice::ReadOnly)) {
        const int cause = folder ? EISDIR : errno;
        if (error)
            *error = QStringLiteral("Impossible de lire le fichier « %1 » : %2.")
                         .arg(QDir::toNativeSeparators(fileName), SafeSave::ErrorText(cause));
        return false;
    }
    bytes = maxBytes > 0 ? file.read(maxBytes) : file.readAll();
    return true;
}
