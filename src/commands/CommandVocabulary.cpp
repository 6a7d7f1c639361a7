#include "CommandVocabulary.h"

namespace {
constexpr char kSans[] = "MS Sans Serif";
constexpr char kNarrow[] = "Arial Narrow";

QList<CommandVocabulary::InitialKey> MakeInitialKeys()
{
    // Characters are compared in upper case; codes are Windows virtual-key
    // codes (keypad keys 96 to 111).
    return {
        {QStringLiteral("Select_Txt_Pnl"), 'T', 0},
        {QStringLiteral("Select_HL_Pnl"), 'S', 0},
        {QStringLiteral("Select_Rect_Pnl"), 'A', 0},
        {QStringLiteral("Select_Cross_Pnl"), 'B', 0},
        {QStringLiteral("Select_HLine_Pnl"), 'C', 0},
        {QStringLiteral("Select_Rel_Pnl"), 'D', 0},
        {QStringLiteral("Select_Circle_Pnl"), 'E', 0},
        {QStringLiteral("Select_Brackets_Pnl"), 'F', 0},
        {QStringLiteral("Select_Lines_Pnl"), 'G', 0},
        {QStringLiteral("SoundC_Pnl"), '/', 0},
        {QStringLiteral("SoundA_Pnl"), '*', 0},
        {QStringLiteral("Zoom1_Pnl"), '1', 0},
        {QStringLiteral("Zoom2_Pnl"), '2', 0},
        {QStringLiteral("Zoom3_Pnl"), '3', 0},
        {QStringLiteral("PrevDoc_Pnl"), '0', 0},
        {QStringLiteral("NextDoc_Pnl"), '.', 0},
        {QStringLiteral("Sup_Pnl"), 0, 46},
        {QStringLiteral("Imp_Pnl"), 'I', 0},
        {QStringLiteral("Esc_Pnl"), 27, 0},
        {QStringLiteral("PrevIt_Pnl"), '-', 0},
        {QStringLiteral("NextIt_Pnl"), '+', 0},
        {QStringLiteral("EditIt_Pnl"), 13, 0},
        {QStringLiteral("TextUpLeft_Pnl"), 0, 103},
        {QStringLiteral("TextUp_Pnl"), 0, 104},
        {QStringLiteral("TextUpRight_Pnl"), 0, 105},
        {QStringLiteral("TextLeft_Pnl"), 0, 100},
        {QStringLiteral("TextRight_Pnl"), 0, 102},
        {QStringLiteral("TextDownLeft_Pnl"), 0, 97},
        {QStringLiteral("TextDown_Pnl"), 0, 98},
        {QStringLiteral("TextDownRight_Pnl"), 0, 99},
        {QStringLiteral("TextDep1_Pnl"), '/', 0},
        {QStringLiteral("TextDepLess_Pnl"), '-', 0},
        {QStringLiteral("TextDepMore_Pnl"), '+', 0},
        {QStringLiteral("TextDep20_Pnl"), '*', 0},
        {QStringLiteral("TextEsc_Pnl"), 27, 0},
        {QStringLiteral("TextBlack_Pnl"), 'N', 0},
        {QStringLiteral("TextGreen_Pnl"), 'V', 0},
        {QStringLiteral("TextBlue_Pnl"), 'B', 0},
        {QStringLiteral("TextRed_Pnl"), 'R', 0},
        {QStringLiteral("TextOrange_Pnl"), 'O', 0},
        {QStringLiteral("TextYellow_Pnl"), 'J', 0},
        {QStringLiteral("TextContent_Pnl"), 'T', 0},
        {QStringLiteral("TextPrevFont_Pnl"), 'P', 0},
        {QStringLiteral("TextNextFont_Pnl"), 'S', 0},
        {QStringLiteral("TextFontSizeLess_Pnl"), '-', 0},
        {QStringLiteral("TextFontSizeMore_Pnl"), '+', 0},
        {QStringLiteral("TextUnderline_Pnl"), '_', 0},
        {QStringLiteral("TextBold_Pnl"), 'g', 0},
        {QStringLiteral("ItUpLeft_Pnl"), 0, 103},
        {QStringLiteral("ItUp_Pnl"), 0, 104},
        {QStringLiteral("ItUpRight_Pnl"), 0, 105},
        {QStringLiteral("ItLeft_Pnl"), 0, 100},
        {QStringLiteral("ItRight_Pnl"), 0, 102},
        {QStringLiteral("ItDownLeft_Pnl"), 0, 97},
        {QStringLiteral("ItDown_Pnl"), 0, 98},
        {QStringLiteral("ItDownRight_Pnl"), 0, 99},
        {QStringLiteral("ItDep1_Pnl"), 0, 111},
        {QStringLiteral("ItDepLess_Pnl"), 0, 109},
        {QStringLiteral("ItDepMore_Pnl"), 0, 107},
        {QStringLiteral("ItDep20_Pnl"), 0, 106},
        {QStringLiteral("ItEsc_Pnl"), 27, 0},
        {QStringLiteral("ItBlack_Pnl"), 'N', 0},
        {QStringLiteral("ItGreen_Pnl"), 'V', 0},
        {QStringLiteral("ItBlue_Pnl"), 'B', 0},
        {QStringLiteral("ItRed_Pnl"), 'R', 0},
        {QStringLiteral("ItOrange_Pnl"), 'O', 0},
        {QStringLiteral("ItYellow_Pnl"), 'J', 0},
        {QStringLiteral("PenSizeLess_Pnl"), 'M', 0},
        {QStringLiteral("PenSizeMore_Pnl"), 'P', 0},
        {QStringLiteral("ItSizeML_Pnl"), 0, 101},
        {QStringLiteral("ItSize7_Pnl"), 0, 103},
        {QStringLiteral("ItSize8_Pnl"), 0, 104},
        {QStringLiteral("ItSize9_Pnl"), 0, 105},
        {QStringLiteral("ItSize4_Pnl"), 0, 100},
        {QStringLiteral("ItSize6_Pnl"), 0, 102},
        {QStringLiteral("ItSize1_Pnl"), 0, 97},
        {QStringLiteral("ItSize2_Pnl"), 0, 98},
        {QStringLiteral("ItSize3_Pnl"), 0, 99},
        {QStringLiteral("DepL7_Pnl"), 0, 103},
        {QStringLiteral("DepL8_Pnl"), 0, 104},
        {QStringLiteral("DepL9_Pnl"), 0, 105},
        {QStringLiteral("DepL4_Pnl"), 0, 100},
        {QStringLiteral("DepL6_Pnl"), 0, 102},
        {QStringLiteral("DepL1_Pnl"), 0, 97},
        {QStringLiteral("DepL2_Pnl"), 0, 98},
        {QStringLiteral("DepL3_Pnl"), 0, 99},
        {QStringLiteral("DepLP_Pnl"), 'P', 0},
        {QStringLiteral("DepLD_Pnl"), 'D', 0},
        {QStringLiteral("ArrowNonClockWise_Pnl"), 0, 103},
        {QStringLiteral("ArrowClockWise_Pnl"), 0, 105},
        {QStringLiteral("ArrowLengthening_Pnl"), 0, 97},
        {QStringLiteral("ArrowNarrowing_Pnl"), 0, 99},
        {QStringLiteral("ArrowArrowT_Pnl"), 'F', 0},
        {QStringLiteral("ArrowRelT_Pnl"), 'R', 0},
        {QStringLiteral("ArrowLineT_Pnl"), 'T', 0},
        {QStringLiteral("Circle_Pnl"), 0, 97},
        {QStringLiteral("SCircle_Pnl"), 0, 98},
        {QStringLiteral("FullCircle_Pnl"), 0, 99},
        {QStringLiteral("Rect_Pnl"), 0, 97},
        {QStringLiteral("SRect_Pnl"), 0, 98},
        {QStringLiteral("FullRect_Pnl"), 0, 99},
    };
}

// One standard entry: a character key ("<T>") or a key code ("<7>").
CommandVocabulary::StandardKey Character(const char* name, char key, const char* caption, const char* font, int size)
{
    return {QString::fromLatin1(name),
        CommandVocabulary::StandardText(0, quint8(key), QString::fromLatin1(caption), QString::fromLatin1(font), size)};
}

CommandVocabulary::StandardKey Code(const char* name, int code, const char* caption, int size = 8)
{
    return {QString::fromLatin1(name),
        CommandVocabulary::StandardText(code, 0, QString::fromLatin1(caption), QString::fromLatin1(kSans), size)};
}

void AddMoves(QList<CommandVocabulary::StandardKey>& keys, const char* prefix)
{
    const struct {
        const char* suffix;
        int code;
        const char* caption;
    } moves[] = {{"UpLeft_Pnl", 103, "<7>"}, {"Up_Pnl", 104, "<8>"}, {"UpRight_Pnl", 105, "<9>"},
        {"Left_Pnl", 100, "<4>"}, {"Right_Pnl", 102, "<6>"}, {"DownLeft_Pnl", 97, "<1>"}, {"Down_Pnl", 98, "<2>"},
        {"DownRight_Pnl", 99, "<3>"}};
    for (const auto& move : moves)
        keys.append(Code((QByteArray(prefix) + move.suffix).constData(), move.code, move.caption));
}

void AddColours(QList<CommandVocabulary::StandardKey>& keys, const char* prefix)
{
    const struct {
        const char* suffix;
        char key;
        const char* caption;
    } colours[] = {{"Black_Pnl", 'N', "<N>"}, {"Green_Pnl", 'V', "<V>"}, {"Blue_Pnl", 'B', "<B>"},
        {"Red_Pnl", 'R', "<R>"}, {"Orange_Pnl", 'O', "<O>"}, {"Yellow_Pnl", 'J', "<J>"}};
    for (const auto& colour : colours)
        keys.append(
            Character((QByteArray(prefix) + colour.suffix).constData(), colour.key, colour.caption, kNarrow, 9));
}

void AddKeypad(QList<CommandVocabulary::StandardKey>& keys, const char* prefix)
{
    for (const int digit : {7, 8, 9, 4, 6, 1, 2, 3})
        keys.append(Code(QByteArray(prefix).append(QByteArray::number(digit)).append("_Pnl").constData(), 96 + digit,
            QStringLiteral("<%1>").arg(digit).toLatin1().constData()));
}

QList<CommandVocabulary::StandardKey> MakeStandardKeys()
{
    QList<CommandVocabulary::StandardKey> keys {
        Character("Select_Txt_Pnl", 'T', "<T>", kSans, 10),
        Character("Select_HL_Pnl", 'S', "<S>", kSans, 10),
        Character("Select_Rect_Pnl", 'A', "<A>", kSans, 10),
        Character("Select_Cross_Pnl", 'B', "<B>", kSans, 10),
        Character("Select_HLine_Pnl", 'C', "<C>", kSans, 10),
        Character("Select_Rel_Pnl", 'D', "<D>", kSans, 10),
        Character("Select_Circle_Pnl", 'G', "<G>", kSans, 10),
        Character("Select_Brackets_Pnl", 'H', "<H>", kSans, 10),
        Character("Select_Lines_Pnl", 'J', "<J>", kSans, 10),
        Character("SoundC_Pnl", '/', "</>", kSans, 10),
        Character("SoundA_Pnl", '*', "<*>", kSans, 10),
        Character("Zoom1_Pnl", '1', "<1>", kSans, 10),
        Character("Zoom2_Pnl", '2', "<2>", kSans, 10),
        Character("Zoom3_Pnl", '3', "<3>", kSans, 10),
        Character("PrevDoc_Pnl", '0', "<0>", kSans, 10),
        Character("NextDoc_Pnl", '.', "<.>", kSans, 10),
        Character("Sup_Pnl", '-', "<->", kSans, 10),
        Character("Imp_Pnl", 'I', "<i>", kSans, 10),
    };
    AddMoves(keys, "It");
    keys.append(Code("ItDep1_Pnl", 111, "</>"));
    keys.append(Code("ItDepLess_Pnl", 109, "<->"));
    keys.append(Code("ItDepMore_Pnl", 107, "<+>"));
    keys.append(Code("ItDep20_Pnl", 106, "<*>"));
    keys.append(Character("PenSizeLess_Pnl", 'M', "<M>", kSans, 8));
    keys.append(Character("PenSizeMore_Pnl", 'P', "<P>", kSans, 8));
    AddColours(keys, "It");
    keys.append(Code("ItSizeML_Pnl", 101, "<5>"));
    AddKeypad(keys, "ItSize");
    AddKeypad(keys, "DepL");
    keys.append(Character("DepLP_Pnl", 'P', "Supprimer le premier trait <P>", kSans, 8));
    keys.append(Character("DepLD_Pnl", 'D', "Supprimer le dernier trait <D>", kSans, 8));
    AddMoves(keys, "Text");
    keys.append(Character("TextDep1_Pnl", '/', "</>", kSans, 8));
    keys.append(Character("TextDepLess_Pnl", '-', "<->", kSans, 8));
    keys.append(Character("TextDepMore_Pnl", '+', "<+>", kSans, 8));
    keys.append(Character("TextDep20_Pnl", '*', "<*>", kSans, 8));
    AddColours(keys, "Text");
    keys.append(Character("TextContent_Pnl", 'T', "<T>", kSans, 8));
    keys.append(Character("TextPrevFont_Pnl", 'P', "<P>", kSans, 8));
    keys.append(Character("TextNextFont_Pnl", 'S', "<S>", kSans, 8));
    keys.append(Character("TextFontSizeLess_Pnl", '-', "<->", kSans, 10));
    keys.append(Character("TextFontSizeMore_Pnl", '+', "<+>", kSans, 10));
    keys.append(Character("TextUnderline_Pnl", '_', "<_>", kSans, 8));
    keys.append(Character("TextBold_Pnl", 'g', "<G>", kSans, 8));
    keys.append(Code("Circle_Pnl", 97, "<1>"));
    keys.append(Code("SCircle_Pnl", 98, "<2>"));
    keys.append(Code("FullCircle_Pnl", 99, "<3>"));
    keys.append(Code("Rect_Pnl", 97, "<1>"));
    keys.append(Code("SRect_Pnl", 98, "<2>"));
    keys.append(Code("FullRect_Pnl", 99, "<3>"));
    keys.append(Code("ArrowNonClockWise_Pnl", 103, "<7>"));
    keys.append(Code("ArrowClockWise_Pnl", 105, "<9>"));
    keys.append(Code("ArrowLengthening_Pnl", 97, "<1>"));
    keys.append(Code("ArrowNarrowing_Pnl", 99, "<3>"));
    keys.append(Character("ArrowArrowT_Pnl", 'F', "<F>", kSans, 8));
    keys.append(Character("ArrowRelT_Pnl", 'R', "<R>", kSans, 8));
    keys.append(Character("ArrowLineT_Pnl", 'T', "<T>", kSans, 8));
    return keys;
}
} // namespace

const QList<CommandVocabulary::InitialKey>& CommandVocabulary::InitialKeys()
{
    static const QList<InitialKey> keys = MakeInitialKeys();
    return keys;
}

const CommandVocabulary::InitialKey* CommandVocabulary::Initial(const QString& name)
{
    for (const InitialKey& key : InitialKeys())
        if (key.name == name)
            return &key;
    return nullptr;
}

const QList<CommandVocabulary::StandardKey>& CommandVocabulary::StandardKeys()
{
    static const QList<StandardKey> keys = MakeStandardKeys();
    return keys;
}

QString CommandVocabulary::StandardText(int keyCode, int keyChar, const QString& caption, const QString& font, int size)
{
    const QString character = keyChar == 0 ? QStringLiteral(" ") : QString(QChar(keyChar));
    return QStringLiteral("1;%1;%2;%3;\"\";%4;%5;%6;")
        .arg(keyCode, 4)
        .arg(character)
        .arg(keyChar)
        .arg(caption, font)
        .arg(size);
}
