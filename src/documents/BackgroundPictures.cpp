#include "BackgroundPictures.h"

#include "params/StrFields.h"

QString BackgroundPictures::NormalisedName(const QString& name)
{
    return StrTrim(name).toUpper() == QLatin1String("SOUND2") ? QStringLiteral("SOUND2") : QStringLiteral("SOUND1");
}

QImage& BackgroundPictures::Slot(const QString& name)
{
    static QImage first(QStringLiteral(":/pictures/sound1.png"));
    static QImage second(QStringLiteral(":/pictures/sound2.png"));
    return NormalisedName(name) == QLatin1String("SOUND2") ? second : first;
}

const QImage& BackgroundPictures::Picture(const QString& name)
{
    return Slot(name);
}

void BackgroundPictures::SetPicture(const QString& name, const QImage& picture)
{
    Slot(name) = picture;
}
