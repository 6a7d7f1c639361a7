#pragma once

#include <QByteArray>
#include <QString>

// The single-byte code page of the stored files. Every byte maps to one
// character (the five bytes Windows leaves undefined map to the C1 controls
// of the same value), so a file read and written back keeps its bytes.
class Windows1252 {
public:
    static QString Decode(const char* bytes, qsizetype size);
    // True when every character of the text has a byte in the code page.
    static bool CanEncode(const QString& text);
    // Characters without a byte become "?"; check CanEncode first.
    static QByteArray Encode(const QString& text);

private:
    static int ByteFor(char16_t c);
};
