#pragma once

#include "params/Outcome.h"

#include <QImage>
#include <QString>

// A data root to try the program on, drawn by the program's own code: a
// French dictation page, a page of additions with boxes to fill, a
// landscape map and a conjugation table, at 150 and 300 dpi with their
// resolution in the JFIF header, in coloured folders, with two pupils.
class DemoDataRoot {
public:
    static inline const QStringList Pupils = {QStringLiteral("Léa"), QStringLiteral("Hugo")};

    // Creates the data root in an empty or missing folder; an existing data
    // root is left as it is (a second run changes nothing).
    static Outcome Create(const QString& root);

    // The pages, at a resolution (dots per inch).
    static QImage DictationPage(int dpi);
    static QImage AdditionsPage(int dpi);
    static QImage MapPage(int dpi);
    static QImage ConjugationPage(int dpi);
};
