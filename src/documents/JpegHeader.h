#pragma once

#include "params/Outcome.h"

#include <QByteArray>
#include <QString>

// The scanning resolution carried in a JPEG file's JFIF header (APP0): after
// "JFIF" and a zero byte come two version bytes, the density units (0 none,
// 1 dots per inch, 2 dots per centimetre) and the two densities, 16-bit
// big-endian. Only the first 50 bytes of a file are searched.
class JpegHeader {
public:
    struct Resolution {
        int horizontal = 0; // dots per inch
        int vertical = 0;
        // A density of 0 tells nothing about the page's size.
        bool Usable() const { return horizontal > 0 && vertical > 0; }
    };

    // True when a JFIF header was found with units 0, 1 or 2; units 2 are
    // converted from dots per centimetre, units 0 (an aspect ratio only)
    // give densities of 0.
    static bool ReadResolution(const QString& fileName, Resolution& resolution);
    static bool ReadResolution(const QByteArray& head, Resolution& resolution);
    // Writes units 1 and the densities into the JFIF header; a file without
    // one is left unchanged (a failure). The file is rewritten through the
    // safe-save helper.
    static Outcome StampResolution(const QString& fileName, int horizontal, int vertical);
    static bool StampResolution(QByteArray& bytes, int horizontal, int vertical);
    // Dots per inch of a BMP file (from its horizontal pixels per metre); 0
    // when it cannot be read or the file gives none.
    static int ReadBitmapResolution(const QString& fileName);
    static int ReadBitmapResolution(const QByteArray& head);

private:
    static qsizetype FindJfif(const QByteArray& head);
};
