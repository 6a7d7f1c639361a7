#pragma once

#include "RgbColor.h"

#include <QFont>
#include <QString>

// A font as the stored files describe it: size in points, face name, colour
// and styles. The drawing code turns it into a QFont for its surface.
struct FontDescription {
    enum Style { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

    int Size = 10;
    QString Name = QStringLiteral("Courier New");
    RgbColor Color;
    int Styles = 0;

    bool Has(Style style) const { return (Styles & style) != 0; }
    // ",Bold", ",Italic", ",Underline", ",StrikeOut" for the styles set, in
    // that order, as every stored font form writes them.
    QString StyleSuffix() const;
    // The style an upper-case word names ("BOLD" …), 0 for any other word.
    static int StyleNamed(const QString& upperWord);
    // The face, styles and point size; the caller sets the pixel size where
    // the surface's resolution is known.
    QFont ToQFont() const;

    friend bool operator==(const FontDescription&, const FontDescription&) = default;
};
