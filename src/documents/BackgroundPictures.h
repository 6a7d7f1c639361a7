#pragma once

#include <QImage>
#include <QString>

// The two loudspeaker pictures of background sound markers, shared by every
// marker: "SOUND1" (the instruction) and "SOUND2" (the help). Loaded from
// the program's resources on first use.
class BackgroundPictures {
public:
    // "SOUND2" (trimmed, any case) names the second picture; any other name
    // the first.
    static QString NormalisedName(const QString& name);
    static const QImage& Picture(const QString& name);
    // Replaces a picture for the rest of the run (a null image: markers
    // draw without it).
    static void SetPicture(const QString& name, const QImage& picture);

private:
    static QImage& Slot(const QString& name);
};
