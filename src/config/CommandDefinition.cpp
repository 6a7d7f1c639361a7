#include "CommandDefinition.h"

#include "params/Numbers.h"
#include "params/StrFields.h"
#include "params/Windows1252.h"

QStringList CommandDefinition::Fields() const
{
    const char byte = char(KeyChar & 0xFF);
    const QString character = KeyChar == 0 ? QString() : Windows1252::Decode(&byte, 1);
    return {QStringLiteral("1"), QString::number(KeyCode), character, QString::number(KeyChar), QString(), Caption,
        FontName, QString::number(FontSize)};
}

void CommandDefinition::Apply(const QStringList& fields)
{
    const auto field = [&](int i) { return StrTrim(fields.value(i)); };
    if (const std::optional<int> code = TextToInt(field(1)); code && fields.size() > 1)
        KeyCode = *code & 0xFFFF;
    if (const std::optional<int> code = TextToInt(field(3)); code && fields.size() > 3)
        KeyChar = *code & 0xFF;
    if (fields.size() > 5)
        Caption = field(5);
    if (fields.size() > 6)
        FontName = field(6);
    if (const std::optional<int> size = TextToInt(field(7)); size && fields.size() > 7)
        FontSize = *size;
}

QStringList CommandDefinition::SplitText(const QString& text)
{
    QStringList fields = text.split(QLatin1Char(';'));
    if (!fields.isEmpty() && StrTrim(fields.last()).isEmpty())
        fields.removeLast(); // the text ends with ";"
    for (QString& field : fields) {
        field = StrTrim(field);
        if (field == QLatin1String("\"\""))
            field.clear();
    }
    return fields;
}
