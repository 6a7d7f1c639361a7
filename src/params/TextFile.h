#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Reading and writing the system's text files as lists of lines.
//
// Files are Windows-1252 with CR LF line ends. A text that needs a character
// outside that code page is written as UTF-8 behind a byte-order mark, and a
// file that begins with the mark is read as UTF-8, so nothing typed is lost.
// On reading, CR LF, CR and LF all end a line, and a NUL byte ends the text;
// on writing, a CR or LF inside a line is written as a blank.
class TextFile {
public:
    static QStringList DecodeLines(const QByteArray& bytes);
    static QByteArray EncodeLines(const QStringList& lines);

    // A missing or unreadable file gives false and a French sentence.
    static bool ReadLines(const QString& fileName, QStringList& lines, QString* error = nullptr);
    // Through SafeSave: the old file survives any failure.
    static bool WriteLines(
        const QString& fileName, const QStringList& lines, QString* error = nullptr, QString* cause = nullptr);

    static QStringList SplitLines(const QString& text);
};
