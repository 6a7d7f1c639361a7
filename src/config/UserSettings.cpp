#include "UserSettings.h"

#include "CommandDefinition.h"
#include "documents/TBkLayerIt.h"
#include "params/Numbers.h"
#include "params/Param_Obj.h"
#include "params/StrFields.h"
#include "params/ValueEncodings.h"
#include "report/TDPRptSpDr.h"

#include <QFileInfo>

namespace {

// Reads one key of the settings heading by the rules of its kind.
class Reader {
public:
    Reader(const Param_Obj& file, const QString& heading)
        : m_file(file)
        , m_heading(heading)
    { }
    QString Text(const char* key) const { return m_file.PRRead(m_heading, QLatin1String(key)); }
    bool Present(const char* key) const { return m_file.PRGetParIdx(m_heading, QLatin1String(key)) >= 0; }
    bool Boolean(const char* key, bool fallback) const
    {
        return ReadParamBool(m_file, m_heading, QLatin1String(key), fallback);
    }

    void Int(const char* key, int& value, int low, int high) const
    {
        const std::optional<int> read = TextToInt(StrTrim(Text(key)));
        if (read && *read >= low && *read <= high)
            value = *read;
    }
    void Delay(const char* key, int& value) const
    {
        int read = -1;
        Int(key, read, 50, 3000);
        if (read >= 0)
            value = read / 50 * 50;
    }
    void Bool(const char* key, bool& value) const { value = Boolean(key, value); }
    // True unless the value is "NO" or "NON".
    void UnlessNo(const char* key, bool& value) const
    {
        const QString text = StrTrim(Text(key)).toUpper();
        value = text != QLatin1String("NO") && text != QLatin1String("NON");
    }
    void Color(const char* key, RgbColor& value) const
    {
        RgbColor read;
        if (ReadParamColor(m_file, m_heading, QLatin1String(key), value, read))
            value = read;
    }
    void Font(const char* key, FontDescription& value) const
    {
        // Styles only ever add up in the font form: the stored text alone
        // says which are set, whatever the default had.
        FontDescription read = value;
        read.Styles = 0;
        const QString text = Text(key);
        if (text != PR_NOVALUE && ParamToFont(text, read))
            value = read;
    }
    void String(const char* key, QString& value) const
    {
        const QString text = Text(key);
        if (text != PR_NOVALUE)
            value = text;
    }
    void Size(const QString& key, QSize& value) const
    {
        const QStringList fields = StrSplitFields(m_file.PRRead(m_heading, key), QStringLiteral(","));
        const std::optional<int> w = fields.size() == 2 ? TextToInt(fields[0]) : std::nullopt;
        const std::optional<int> h = fields.size() == 2 ? TextToInt(fields[1]) : std::nullopt;
        if (w && h && *w >= 1 && *w <= 2099 && *h >= 1 && *h <= 2099)
            value = QSize(*w, *h);
    }

private:
    const Param_Obj& m_file;
    const QString& m_heading;
};

} // namespace

const QStringList& UserSettings::SizeKeys()
{
    static const QStringList keys {"SpRect", "SpCross", "SpHLine", "SpHRel", "SpTBRel", "SpBTRel", "SpBCircle",
        "SpFCircle", "SpFBCircle", "SpBrackets", "SpLines", "SpHighLight", "SpBkSound"};
    return keys;
}

QString UserSettings::SizeKeyForMode(int mode)
{
    switch (mode) {
    case TDPRptSpDr::SpRect:
    case TDPRptSpDr::SpFRect:
    case TDPRptSpDr::SpFBRect:
        return QStringLiteral("SpRect");
    case TDPRptSpDr::SpCross:
        return QStringLiteral("SpCross");
    case TDPRptSpDr::SpHLine:
        return QStringLiteral("SpHLine");
    case TDPRptSpDr::SpHRel:
        return QStringLiteral("SpHRel");
    case TDPRptSpDr::SpTBRel:
        return QStringLiteral("SpTBRel");
    case TDPRptSpDr::SpBTRel:
        return QStringLiteral("SpBTRel");
    case TDPRptSpDr::SpBCircle:
        return QStringLiteral("SpBCircle");
    case TDPRptSpDr::SpFCircle:
        return QStringLiteral("SpFCircle");
    case TDPRptSpDr::SpFBCircle:
        return QStringLiteral("SpFBCircle");
    case TDPRptSpDr::SpBrackets:
        return QStringLiteral("SpBrackets");
    case TDPRptSpDr::SpLines:
        return QStringLiteral("SpLines");
    case TDPRptSpDr::SpHighLight:
        return QStringLiteral("SpHighLight");
    case TBkLayerIt::BkSound:
        return QStringLiteral("SpBkSound");
    default: // SpArrow: its size follows its angle and length
        return QString();
    }
}

QSize UserSettings::DefaultSize(int mode) const
{
    return ItemSizes.value(SizeKeyForMode(mode), QSize(200, 200));
}

void UserSettings::RememberSize(int mode, QSize size)
{
    const QString key = SizeKeyForMode(mode);
    // Kept within what a settings file accepts on reading.
    if (!key.isEmpty() && size.width() >= 1 && size.width() <= 2099 && size.height() >= 1 && size.height() <= 2099)
        ItemSizes[key] = size;
}

void UserSettings::Reset()
{
    ToolsTop = ToolsLeft = -1;
    NewItemPosition = 0;
    ActiveLabel = RgbColor(0xFFFFFF);
    ActivePanel = RgbColor(0xC08000);
    InactiveLabel = RgbColor(0x000000);
    InactivePanel = RgbColor(0x80FF80);
    ActiveGroupLabel = RgbColor(0x000000);
    ActiveGroupPanel = RgbColor(0xF0CAA6);
    InactiveGroupLabel = RgbColor(0x000000);
    InactiveGroupPanel = RgbColor(0xFF00000F); // the system's button face
    ItemForeground = RgbColor(0x000000);
    ItemBackground = RgbColor(0xFFFFFF);
    ItemPenSize = 5;
    TextFontName = QStringLiteral("Arial");
    TextFontSize = 10;
    TextFontUnderline = TextFontBold = false;
    ItemSizes.clear();
    for (const QString& key : SizeKeys())
        ItemSizes.insert(key, QSize(200, 200));
    FirstMouseDelay = 1000;
    MouseDelay = 200;
    ScanAllowed = RenameAllowed = DeleteAllowed = MoveAllowed = false;
    FolderCreateAllowed = FolderRenameAllowed = FolderDeleteAllowed = FolderMoveAllowed = false;
    HintFontName.clear();
    HintFontSize = 14;
    HintFontBold.reset();
    ResizeSquareSize = 4;
    ResizeSquareColor = RgbColor(0xFFFFFF);
    SelectionBorderWidth = 1;
    ToolsOneClick = false;
    ToolbarShowHint = ToolbarHorizontal = true;
    ToolbarTop = ToolbarLeft = ToolbarSizeZoom = 2;
    SelectionDisplayMode = 1;
    SelectionBlink = 0;
    SelectionColor = RgbColor(0x008000);
    ScanTypeDialog = PrintConfirmDialog = PrintWaitDialog = true;
    TreeFont = FontDescription {10, QStringLiteral("Arial"), RgbColor(0), 0};
    TreeSelectedColor = RgbColor(0x00FFFF);
    TreeWidth = -1;
    AltTextEditorPlace.clear();
    AltTextEditorFont = TreeFont;
    SpeechRate = DefaultSpeechRate;
    SpeechVoice = DefaultSpeechVoice;
    CommandKeys.clear();
}

void UserSettings::Read(const Param_Obj& file, const QString& heading, QSize screen)
{
    const QMap<QString, QStringList> commandKeys = CommandKeys; // another section
    Reset();
    CommandKeys = commandKeys;
    const Reader r(file, heading);
    const int maxInt = std::numeric_limits<int>::max();
    const int minInt = std::numeric_limits<int>::min();
    r.Int("TOOLSFRMTOP", ToolsTop, minInt, screen.isEmpty() ? maxInt : screen.height() - 51);
    r.Int("TOOLSFRMLEFT", ToolsLeft, minInt, screen.isEmpty() ? maxInt : screen.width() - 51);
    // NEWITEMPOS and SELDMODE are written but never read back.
    r.Color("AL", ActiveLabel);
    r.Color("AP", ActivePanel);
    r.Color("IL", InactiveLabel);
    r.Color("IP", InactivePanel);
    r.Color("APL", ActiveGroupLabel);
    r.Color("APP", ActiveGroupPanel);
    r.Color("IPL", InactiveGroupLabel);
    r.Color("IPP", InactiveGroupPanel);
    r.Color("ITFGCOLOR", ItemForeground);
    r.Color("ITBKCOLOR", ItemBackground);
    r.Int("ITPENSIZE", ItemPenSize, 5, 100);
    r.String("TEXTFONTNAME", TextFontName);
    r.Int("TEXTFONTSIZE", TextFontSize, 5, maxInt);
    r.Bool("TEXTFONTUNDERLINE", TextFontUnderline);
    r.Bool("TEXTFONTBOLD", TextFontBold);
    for (const QString& key : SizeKeys())
        r.Size(key, ItemSizes[key]);
    r.Delay("FMOUSEDELAY", FirstMouseDelay);
    r.Delay("MOUSEDELAY", MouseDelay);
    r.Bool("SCANALLOWED", ScanAllowed);
    r.Bool("RENALLOWED", RenameAllowed);
    r.Bool("SUPALLOWED", DeleteAllowed);
    r.Bool("MOVEALLOWED", MoveAllowed);
    r.Bool("DIRCALLOWED", FolderCreateAllowed);
    r.Bool("DIRRALLOWED", FolderRenameAllowed);
    r.Bool("DIRSALLOWED", FolderDeleteAllowed);
    r.Bool("DIRMALLOWED", FolderMoveAllowed);
    r.String("HINTFONTNAME", HintFontName);
    r.Int("HINTFONTSIZE", HintFontSize, 8, 24);
    if (r.Present("HINTFONTBOLD")) // present but empty reads as "not bold"
        HintFontBold = r.Boolean("HINTFONTBOLD", false);
    r.Int("RESIZESQSIZE", ResizeSquareSize, 2, 4);
    r.Color("RESIZESQCOLOR", ResizeSquareColor);
    r.Int("SELBORDERWIDTH", SelectionBorderWidth, 0, 3);
    const QString oneClick = StrTrim(r.Text("TOOLSONECLICK"));
    ToolsOneClick = oneClick == QLatin1String("YES") || oneClick == QLatin1String("OUI");
    r.Bool("TBSHOWHINT", ToolbarShowHint);
    const QString horizontal = r.Text("TBVERTICAL");
    ToolbarHorizontal = horizontal == PR_NOVALUE || StrTrim(horizontal).toUpper() == QLatin1String("YES");
    r.Int("TBTOP", ToolbarTop, 1, maxInt);
    r.Int("TBLEFT", ToolbarLeft, 1, maxInt);
    r.Int("TBSIZEZOOM", ToolbarSizeZoom, 1, 3);
    r.Int("SELDBLINK", SelectionBlink, 0, 3);
    r.Color("DEBUGCOLOR", SelectionColor);
    r.UnlessNo("DLG_SCANTYPE", ScanTypeDialog);
    r.UnlessNo("DLG_PRINTCONFIRM", PrintConfirmDialog);
    r.UnlessNo("DLG_PRINTWAIT", PrintWaitDialog);
    r.Font("TREEFONT", TreeFont);
    r.Color("TREESELECTEDITCOLOR", TreeSelectedColor);
    r.Int("TREEWIDTH", TreeWidth, minInt, maxInt);
    r.String("ALTTEXTEDTPOS", AltTextEditorPlace);
    AltTextEditorFont = TreeFont;
    r.Font("ALTTEXTEDTFONT", AltTextEditorFont);
    r.Int("SPEECHRATE", SpeechRate, MinSpeechRate, MaxSpeechRate);
    r.String("SPEECHVOICE", SpeechVoice);
    if (StrTrim(SpeechVoice).isEmpty())
        SpeechVoice = DefaultSpeechVoice;
}

void UserSettings::Write(Param_Obj& file, const QString& heading) const
{
    const auto number = [](int value) { return QString::number(value); };
    const auto size = [](QSize value) { return QStringLiteral("%1,%2").arg(value.width()).arg(value.height()); };
    QList<QPair<QString, QString>> keys {
        {"TOOLSFRMTOP", number(ToolsTop)},
        {"TOOLSFRMLEFT", number(ToolsLeft)},
        {"NEWITEMPOS", number(NewItemPosition)},
        {"AL", ColorToParam(ActiveLabel)},
        {"AP", ColorToParam(ActivePanel)},
        {"IL", ColorToParam(InactiveLabel)},
        {"IP", ColorToParam(InactivePanel)},
        {"APL", ColorToParam(ActiveGroupLabel)},
        {"APP", ColorToParam(ActiveGroupPanel)},
        {"IPL", ColorToParam(InactiveGroupLabel)},
        {"IPP", ColorToParam(InactiveGroupPanel)},
        {"ITFGCOLOR", ColorToParam(ItemForeground)},
        {"ITBKCOLOR", ColorToParam(ItemBackground)},
        {"ITPENSIZE", number(ItemPenSize)},
        {"TEXTFONTNAME", TextFontName},
        {"TEXTFONTSIZE", number(TextFontSize)},
        {"TEXTFONTUNDERLINE", BoolToParam(TextFontUnderline)},
        {"TEXTFONTBOLD", BoolToParam(TextFontBold)},
        {"FMOUSEDELAY", number(FirstMouseDelay)},
        {"MOUSEDELAY", number(MouseDelay)},
        {"RESIZESQSIZE", number(ResizeSquareSize)},
        {"RESIZESQCOLOR", ColorToParam(ResizeSquareColor)},
        {"SELBORDERWIDTH", number(SelectionBorderWidth)},
        {"SCANALLOWED", BoolToParam(ScanAllowed)},
        {"RENALLOWED", BoolToParam(RenameAllowed)},
        {"SUPALLOWED", BoolToParam(DeleteAllowed)},
        {"MOVEALLOWED", BoolToParam(MoveAllowed)},
        {"DIRCALLOWED", BoolToParam(FolderCreateAllowed)},
        {"DIRRALLOWED", BoolToParam(FolderRenameAllowed)},
        {"DIRSALLOWED", BoolToParam(FolderDeleteAllowed)},
        {"DIRMALLOWED", BoolToParam(FolderMoveAllowed)},
        {"HINTFONTSIZE", number(HintFontSize)},
        {"HINTFONTNAME", HintFontName},
        {"HINTFONTBOLD", HintFontBold ? BoolToParam(*HintFontBold) : QString()},
    };
    for (const QString& key : SizeKeys())
        keys.append({key, size(ItemSizes.value(key))});
    keys += QList<QPair<QString, QString>> {
        {"TOOLSONECLICK", BoolToParam(ToolsOneClick)},
        {"TBSHOWHINT", BoolToParam(ToolbarShowHint)},
        {"TBVERTICAL", BoolToParam(ToolbarHorizontal)},
        {"TBTOP", number(ToolbarTop)},
        {"TBLEFT", number(ToolbarLeft)},
        {"TBSIZEZOOM", number(ToolbarSizeZoom)},
        {"SELDMODE", number(SelectionDisplayMode)},
        {"SELDBLINK", number(SelectionBlink)},
        {"DEBUGCOLOR", ColorToParam(SelectionColor)},
        {"DLG_SCANTYPE", BoolToParam(ScanTypeDialog)},
        {"DLG_PRINTCONFIRM", BoolToParam(PrintConfirmDialog)},
        {"DLG_PRINTWAIT", BoolToParam(PrintWaitDialog)},
        {"TREEFONT", FontToParam(&TreeFont)},
        {"ALTTEXTEDTPOS", AltTextEditorPlace},
        {"ALTTEXTEDTFONT", FontToParam(&AltTextEditorFont)},
        {"TREESELECTEDITCOLOR", ColorToParam(TreeSelectedColor)},
        {"TREEWIDTH", number(TreeWidth)},
        {"SPEECHRATE", number(SpeechRate)},
        {"SPEECHVOICE", SpeechVoice},
    };
    // The heading is rewritten whole; a key written into a section goes
    // right after its heading, so the keys are written last first.
    file.PRClearSpecial(heading, QStringLiteral("="));
    for (auto it = keys.crbegin(); it != keys.crend(); ++it)
        file.PRWrite(heading, it->first, it->second);
}

void UserSettings::ReadCommandKeys(const Param_Obj& file)
{
    CommandKeys.clear();
    QStringList lines;
    file.PRGetHeadingStr(1, CommandDefinition::Heading, lines);
    for (const QString& line : std::as_const(lines)) {
        const QString name = StrTrim(line.section(QLatin1Char('='), 0, 0));
        if (name.isEmpty() || !line.contains(QLatin1Char('=')) || CommandKeys.contains(name))
            continue; // the first line of a command counts, as for every key
        QStringList fields;
        file.PRReads(CommandDefinition::Heading, name, &fields);
        CommandKeys.insert(name, fields);
    }
}

void UserSettings::WriteCommandKeys(Param_Obj& file) const
{
    file.PRClearSpecial(CommandDefinition::Heading, QStringLiteral("="));
    // Each key goes right after the heading: written last first.
    const QStringList names = CommandKeys.keys();
    for (auto name = names.crbegin(); name != names.crend(); ++name)
        file.PRWrites(CommandDefinition::Heading, *name, CommandKeys.value(*name));
}

void UserSettings::LoadFile(const QString& fileName, QSize screen)
{
    Param_Obj file;
    if (QFileInfo(fileName).isFile())
        file.LoadFromFile(fileName);
    Read(file, Heading, screen);
    ReadCommandKeys(file);
}

Outcome UserSettings::SaveFile(const QString& fileName) const
{
    Param_Obj file;
    if (QFileInfo(fileName).isFile())
        file.LoadFromFile(fileName); // keeps sections of other programs
    Write(file, Heading);
    WriteCommandKeys(file);
    if (file.SaveToFile(fileName))
        return {};
    return Outcome::Failure(
        QStringLiteral("Impossible de sauvegarder la configuration dans le fichier : %1 !").arg(fileName));
}
