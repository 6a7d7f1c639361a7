#pragma once

#include <QByteArray>
#include <QString>

// Reading a file's bytes, with the French sentence every reader of the
// system gives when it cannot.
class FileBytes {
public:
    // At most maxBytes when it is positive (a header), else the whole file.
    static bool Read(const QString& fileName, QByteArray& bytes, QString* error = nullptr, qint64 maxBytes = 0);
};
