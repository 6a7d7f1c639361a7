#include "UserSettings.h"

#include "params/Numbers.h"
#include "params/Param_Obj.h"
#include "params/StrFields.h"
#include "params/ValueEncodings.h"

#include <QFileInfo>

namespace {

// Reads one key of the settings heading by the rules of its kind.
class Reader {
public:
    explicit Reader(const Param_Obj& file)
        : m_file(file)
    { }
    QString Text(const char* key) const { return m_file.PRRead(UserSettings::Heading, QLatin1String(key)); }
    bool Present(const char* key) const { return m_file.PRGetParIdx(UserSettings::Heading, QLatin1String(key)) >= 0; }

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
    void Bool(const char* key, bool& value) const
    {
        value = ReadParamBool(m_file, UserSettings::Heading, QLatin1String(key), value);
    }
    // True unless the value is "NO" or "NON".
    void UnlessNo(const char* key, bool& value) const
    {
        const QString text = StrTrim(Text(key)).toUpper();
        value = text != QLatin1String("NO") && text != QLatin1String("NON");
    }
    void Color(const char* key, RgbColor& value) const
    {
        RgbColor read;
        if (ReadParamColor(m_file, UserSettings::Heading, QLatin1String(key), value, read))
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
        const QStringList fields = StrSplitFields(m_file.PRRead(UserSettings::Heading, key), QStringLiteral(","));
        const std::optional<int> w = fields.size() == 2 ? TextToInt(fields[0]) : std::nullopt;
        const std::optional<int> h = fields.size() == 2 ? TextToInt(fields[1]) : std::nullopt;
        if (w && h && *w >= 1 && *w <= 2099 && *h >= 1 && *h <= 2099)
            value = QSize(*w, *h);
    }

private:
    const Param_Obj& m_file;
};

} // namespace

const QStringList& UserSettings::SizeKeys()
{
    static const QStringList keys {"SpRect", "SpCross", "SpHLine", "SpHRel", "SpTBRel", "SpBTRel", "SpBCircle",
        "SpFCircle", "SpFBCircle", "SpBrackets", "SpLines", "SpHighLight", "SpBkSound"};
    return keys;
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
}

void UserSettings::Read(const Param_Obj& file, QSize screen)
{
    Reset();
    const Reader r(file);
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
        HintFontBold = ReadParamBool(file, Heading, QStringLiteral("HINTFONTBOLD"), false);
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
}

void UserSettings::Write(Param_Obj& file) const
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
    };
    // The heading is rewritten whole; a key written into a section goes
    // right after its heading, so the keys are written last first.
    file.PRClearSpecial(Heading, QStringLiteral("="));
    for (auto it = keys.crbegin(); it != keys.crend(); ++it)
        file.PRWrite(Heading, it->first, it->second);
}

void UserSettings::LoadFile(const QString& fileName, QSize screen)
{
    Param_Obj file;
    if (QFileInfo(fileName).isFile())
        file.LoadFromFile(fileName);
    Read(file, screen);
}

bool UserSettings::SaveFile(const QString& fileName, QString* error) const
{
    Param_Obj file;
    if (QFileInfo(fileName).isFile())
        file.LoadFromFile(fileName); // keeps the palette's key codes
    Write(file);
    return file.SaveToFile(fileName, error);
}
