#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The keys of the palette's commands: the key each one has when the
// palette is made, and the standard keyboard set a user can restore, each
// standard entry written as one definition text
// ("1;   0;T;84;"";<T>;MS Sans Serif;10;").
class CommandVocabulary {
public:
    struct InitialKey {
        QString name;
        quint8 keyChar = 0;
        quint16 keyCode = 0;
    };
    struct StandardKey {
        QString name;
        QString definition;
    };

    static const QList<InitialKey>& InitialKeys();
    static const InitialKey* Initial(const QString& name);
    // In the order the restore applies them.
    static const QList<StandardKey>& StandardKeys();
    // A definition text of the standard set: a key code, or a character
    // with key code 0.
    static QString StandardText(int keyCode, int keyChar, const QString& caption, const QString& font, int size);
};
