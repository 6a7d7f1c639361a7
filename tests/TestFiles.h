#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

// Small helpers the test suites share to lay fixture files down.
namespace TestFiles {

inline bool WriteBytes(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray ReadBytes(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Lines joined with CR LF, each byte as given (Latin-1 in the literal).
inline QByteArray CrLf(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

} // namespace TestFiles
