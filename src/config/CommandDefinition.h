#pragma once

#include <QString>
#include <QStringList>

// The key, caption and caption font of one palette command, as eight text
// fields: version mark ("1"), key code, key character, character code,
// reserved (empty), caption, font name, font size. The user's
// redefinitions are kept in the settings file under "TOOLSBARKEYCODES",
// one line per command, the fields written as a list value.
class CommandDefinition {
public:
    static constexpr int FieldCount = 8;
    static inline const QString Heading = QStringLiteral("TOOLSBARKEYCODES");

    int KeyCode = 0; // Windows virtual-key code; 0: none
    int KeyChar = 0; // Windows-1252 character code; 0: none
    QString Caption;
    QString FontName;
    int FontSize = 0;

    QStringList Fields() const;
    // Sets what the fields give: fields 1 and 3 (codes) and 7 (size) only
    // when they are decimal integers, 5 and 6 as they stand; fields are
    // trimmed, the version mark and the reserved field are not read, and
    // missing fields leave their values.
    void Apply(const QStringList& fields);
    // The fields of a definition written as one text, each field followed
    // by ";" and an empty one written as two quotes
    // ("1;   0;T;84;"";<T>;MS Sans Serif;10;"): every ";" separates.
    static QStringList SplitText(const QString& text);

    friend bool operator==(const CommandDefinition&, const CommandDefinition&) = default;
};
