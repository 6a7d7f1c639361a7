// User settings: reading rules, write order and round trips; the fonts list.
#include "TestFiles.h"
#include "config/CommandDefinition.h"
#include "config/TEP_Fonts.h"
#include "config/UserSettings.h"
#include "documents/TBkLayerIt.h"
#include "params/Param_Obj.h"
#include "report/TDPRptSpDr.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

UserSettings Read(const QStringList& keys, QSize screen = QSize())
{
    Param_Obj file;
    file.LoadFromLines(QStringList {"[ARDOISINE]"} + keys);
    UserSettings settings;
    settings.Read(file, UserSettings::Heading, screen);
    return settings;
}

} // namespace

class TestUserSettings : public QObject {
    Q_OBJECT

private slots:
    void defaults();
    void integers_data();
    void integers();
    void booleansWithTheirQuirks_data();
    void booleansWithTheirQuirks();
    void sizesColoursFonts();
    void hintFontBold();
    void writeOrderAndRoundTrip();
    void keyCodesSectionIsKept();
    void otherHeadings();
    void sizeKeysByMode_data();
    void sizeKeysByMode();
    void commandDefinitionFields_data();
    void commandDefinitionFields();
    void commandKeysRoundTrip();
    void fontsList();
    void fontSteps();
};

void TestUserSettings::defaults()
{
    const UserSettings s = Read({});
    QCOMPARE(s.ToolsTop, -1);
    QCOMPARE(s.ActivePanel.Value(), quint32(0xC08000));
    QCOMPARE(s.ItemPenSize, 5);
    QCOMPARE(s.TextFontName, QString("Arial"));
    QCOMPARE(s.ItemSizes.value("SpBkSound"), QSize(200, 200));
    QCOMPARE(s.FirstMouseDelay, 1000);
    QCOMPARE(s.MouseDelay, 200);
    QCOMPARE(s.HintFontSize, 14);
    QVERIFY(!s.HintFontBold.has_value());
    QVERIFY(s.ToolbarShowHint && s.ToolbarHorizontal && !s.ToolsOneClick);
    QCOMPARE(s.SelectionDisplayMode, 1);
    QCOMPARE(s.SelectionColor.Value(), quint32(0x008000));
    QCOMPARE(s.TreeFont.Name, QString("Arial"));
    QCOMPARE(s.TreeWidth, -1);
    QCOMPARE(s.SpeechRate, 100);
    QCOMPARE(s.SpeechVoice, QString("fr"));
    QCOMPARE(Read({"SPEECHVOICE= "}).SpeechVoice, QString("fr"));
    QCOMPARE(Read({"SPEECHVOICE=fr-be"}).SpeechVoice, QString("fr-be"));
    QCOMPARE(s.InactiveGroupPanel.Resolved().Value(), quint32(0xF0F0F0)); // the button face
}

void TestUserSettings::integers_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("value");
    QTest::newRow("mouse delay rounded down") << "MOUSEDELAY=275"
                                              << "MouseDelay" << 250;
    QTest::newRow("mouse delay too small") << "MOUSEDELAY=30"
                                           << "MouseDelay" << 200;
    QTest::newRow("mouse delay not a number") << "MOUSEDELAY=abc"
                                              << "MouseDelay" << 200;
    QTest::newRow("first delay at the top") << "FMOUSEDELAY=3000"
                                            << "FirstMouseDelay" << 3000;
    QTest::newRow("pen size too large") << "ITPENSIZE=101"
                                        << "ItemPenSize" << 5;
    QTest::newRow("pen size") << "ITPENSIZE=100"
                              << "ItemPenSize" << 100;
    QTest::newRow("selection mode never read") << "SELDMODE=0"
                                               << "SelectionDisplayMode" << 1;
    QTest::newRow("new item place never read") << "NEWITEMPOS=1"
                                               << "NewItemPosition" << 0;
    QTest::newRow("hint size -1") << "HINTFONTSIZE=-1"
                                  << "HintFontSize" << 14;
    QTest::newRow("text size below 5") << "TEXTFONTSIZE=4"
                                       << "TextFontSize" << 10;
    QTest::newRow("toolbar top 0") << "TBTOP=0"
                                   << "ToolbarTop" << 2;
    QTest::newRow("palette below the screen") << "TOOLSFRMTOP=980"
                                              << "ToolsTop" << -1;
    QTest::newRow("palette on the screen") << "TOOLSFRMTOP=973"
                                           << "ToolsTop" << 973;
    QTest::newRow("speech rate") << "SPEECHRATE=70"
                                 << "SpeechRate" << 70;
    QTest::newRow("speech rate too slow") << "SPEECHRATE=49"
                                          << "SpeechRate" << 100;
    QTest::newRow("speech rate at the top") << "SPEECHRATE=200"
                                            << "SpeechRate" << 200;
    QTest::newRow("speech rate too fast") << "SPEECHRATE=201"
                                          << "SpeechRate" << 100;
}

void TestUserSettings::integers()
{
    QFETCH(QString, line);
    QFETCH(QString, field);
    QFETCH(int, value);
    const UserSettings s = Read({line}, QSize(1280, 1024));
    const QMap<QString, int> fields {{"MouseDelay", s.MouseDelay}, {"FirstMouseDelay", s.FirstMouseDelay},
        {"ItemPenSize", s.ItemPenSize}, {"SelectionDisplayMode", s.SelectionDisplayMode},
        {"NewItemPosition", s.NewItemPosition}, {"HintFontSize", s.HintFontSize}, {"TextFontSize", s.TextFontSize},
        {"ToolbarTop", s.ToolbarTop}, {"ToolsTop", s.ToolsTop}, {"SpeechRate", s.SpeechRate}};
    QCOMPARE(fields.value(field), value);
}

void TestUserSettings::booleansWithTheirQuirks_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("oneClick");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<bool>("showHint");
    QTest::addColumn<bool>("printConfirm");
    QTest::newRow("YES") << "YES" << true << true << true << true;
    QTest::newRow("yes") << "yes" << false << true << true << true;
    QTest::newRow("OUI") << "OUI" << true << false << true << true;
    QTest::newRow("non") << "non" << false << false << false << false;
    QTest::newRow("other") << "peut-être" << false << false << false << true;
}

void TestUserSettings::booleansWithTheirQuirks()
{
    QFETCH(QString, value);
    QFETCH(bool, oneClick);
    QFETCH(bool, horizontal);
    QFETCH(bool, showHint);
    QFETCH(bool, printConfirm);
    const UserSettings s = Read({"TOOLSONECLICK=" + value, "TBVERTICAL=" + value, "TBSHOWHINT=" + value,
        "DLG_PRINTCONFIRM=" + value, "SCANALLOWED=" + value});
    QCOMPARE(s.ToolsOneClick, oneClick);
    QCOMPARE(s.ToolbarHorizontal, horizontal);
    QCOMPARE(s.ToolbarShowHint, showHint);
    QCOMPARE(s.PrintConfirmDialog, printConfirm);
    QCOMPARE(s.ScanAllowed, value.toUpper() == "YES" || value.toUpper() == "OUI");
}

void TestUserSettings::sizesColoursFonts()
{
    const UserSettings s = Read({"SpRect=0,50", "SpCross=150", "SpHLine=300,40", "SpLines=2100,5", "AP=0*0*255",
        "IP=300*0*0", "TREEFONT=12,Courier New,COLOR:255*0*0,Bold", "ALTTEXTEDTFONT=Arial"});
    QCOMPARE(s.ItemSizes.value("SpRect"), QSize(200, 200));
    QCOMPARE(s.ItemSizes.value("SpCross"), QSize(200, 200));
    QCOMPARE(s.ItemSizes.value("SpHLine"), QSize(300, 40));
    QCOMPARE(s.ItemSizes.value("SpLines"), QSize(200, 200));
    QCOMPARE(s.ActivePanel.Value(), quint32(0xFF0000));
    QCOMPARE(s.InactivePanel.Value(), quint32(0x80FF80));
    QCOMPARE(s.TreeFont.Size, 12);
    QVERIFY(s.TreeFont.Has(FontDescription::Bold));
    QCOMPARE(s.AltTextEditorFont, s.TreeFont); // defaults to the tree's font
}

void TestUserSettings::hintFontBold()
{
    QVERIFY(!Read({}).HintFontBold.has_value());
    QCOMPARE(Read({"HINTFONTBOLD="}).HintFontBold, std::optional<bool>(false));
    QCOMPARE(Read({"HINTFONTBOLD=oui"}).HintFontBold, std::optional<bool>(true));
}

void TestUserSettings::writeOrderAndRoundTrip()
{
    UserSettings settings;
    settings.ToolsTop = 40;
    settings.ActiveLabel = RgbColor(0x0000FF);
    settings.ItemPenSize = 12;
    settings.TextFontName = "Courier New";
    settings.ItemSizes["SpHighLight"] = QSize(600, 60);
    settings.MouseDelay = 350;
    settings.HintFontBold = true;
    settings.ToolsOneClick = true;
    settings.ToolbarHorizontal = false;
    settings.SelectionDisplayMode = 0;
    settings.TreeFont = FontDescription {14, "Arial Narrow", RgbColor(0), FontDescription::Italic};
    settings.AltTextEditorPlace = "(tlwh:10,20,300,200)";
    settings.SpeechRate = 80;
    settings.SpeechVoice = "fr-be";
    Param_Obj file;
    settings.Write(file, UserSettings::Heading);
    const QStringList& lines = file.Lines();
    QCOMPARE(lines[0], QString("[ARDOISINE]"));
    QCOMPARE(lines[1], QString("TOOLSFRMTOP=40"));
    QCOMPARE(lines[4], QString("AL=255*0*0"));
    // The reading-aloud keys come after every key older versions know.
    QCOMPARE(lines.mid(lines.size() - 3), QStringList({"TREEWIDTH=-1", "SPEECHRATE=80", "SPEECHVOICE=fr-be"}));
    QVERIFY(lines.indexOf("SELDMODE=0") > lines.indexOf("TBSIZEZOOM=2"));
    QVERIFY(lines.indexOf("SpRect=200,200") == lines.indexOf("HINTFONTBOLD=YES") + 1);

    UserSettings read;
    read.Read(file, UserSettings::Heading);
    read.SelectionDisplayMode = 0; // never read back: 1
    Param_Obj again;
    read.Write(again, UserSettings::Heading);
    QCOMPARE(again.Lines(), file.Lines());
}

void TestUserSettings::keyCodesSectionIsKept()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Paul.conf");
    QVERIFY(TestFiles::WriteBytes(path, "[TOOLSBARKEYCODES]\r\nSelect_Txt_Pnl=84\r\n[ARDOISINE]\r\nITPENSIZE=9\r\n"));
    UserSettings settings;
    settings.LoadFile(path);
    QCOMPARE(settings.ItemPenSize, 9);
    settings.ItemPenSize = 11;
    QVERIFY(settings.SaveFile(path));
    Param_Obj file;
    QVERIFY(file.LoadFromFile(path));
    QCOMPARE(file.PRRead("TOOLSBARKEYCODES", "Select_Txt_Pnl"), QString("84"));
    QCOMPARE(file.PRRead("ARDOISINE", "ITPENSIZE"), QString("11"));
    QCOMPARE(file.Lines().count("[ARDOISINE]"), 1);
}

void TestUserSettings::otherHeadings()
{
    // Older data keep a user's settings under other headings.
    Param_Obj old;
    old.LoadFromLines({"[ARDOISINER]", "ITPENSIZE=30", "[ARDOISINE]", "ITPENSIZE=7"});
    UserSettings settings;
    settings.Read(old, "ardoisiner");
    QCOMPARE(settings.ItemPenSize, 30);
    settings.Write(old, "CONVERTI");
    QCOMPARE(old.PRRead("CONVERTI", "ITPENSIZE"), QString("30"));
    QCOMPARE(old.PRRead("ARDOISINE", "ITPENSIZE"), QString("7")); // left alone
}

void TestUserSettings::sizeKeysByMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("key");
    QTest::newRow("rectangle") << int(TDPRptSpDr::SpRect) << "SpRect";
    QTest::newRow("filled rectangle: the rectangle's") << int(TDPRptSpDr::SpFRect) << "SpRect";
    QTest::newRow("filled outlined rectangle: the rectangle's") << int(TDPRptSpDr::SpFBRect) << "SpRect";
    QTest::newRow("cross") << int(TDPRptSpDr::SpCross) << "SpCross";
    QTest::newRow("filled outlined circle") << int(TDPRptSpDr::SpFBCircle) << "SpFBCircle";
    QTest::newRow("highlight") << int(TDPRptSpDr::SpHighLight) << "SpHighLight";
    QTest::newRow("sound marker") << int(TBkLayerIt::BkSound) << "SpBkSound";
    QTest::newRow("arrow: from its geometry") << int(TDPRptSpDr::SpArrow) << "";
    QTest::newRow("none") << int(TDPRptSpDr::SpNone) << "";
}

void TestUserSettings::sizeKeysByMode()
{
    QFETCH(int, mode);
    QFETCH(QString, key);
    QCOMPARE(UserSettings::SizeKeyForMode(mode), key);
    UserSettings settings;
    settings.RememberSize(mode, QSize(640, 120));
    if (key.isEmpty()) {
        QCOMPARE(settings.ItemSizes, UserSettings().ItemSizes); // nothing stored
        QCOMPARE(settings.DefaultSize(mode), QSize(200, 200));
    } else {
        QCOMPARE(settings.ItemSizes.value(key), QSize(640, 120));
        QCOMPARE(settings.DefaultSize(mode), QSize(640, 120));
    }
    settings.RememberSize(mode, QSize(2100, 50)); // a size the file would refuse is not kept
    QCOMPARE(settings.DefaultSize(mode), key.isEmpty() ? QSize(200, 200) : QSize(640, 120));
}

void TestUserSettings::commandDefinitionFields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("keyCode");
    QTest::addColumn<int>("keyChar");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("fontName");
    QTest::addColumn<int>("fontSize");
    QTest::newRow("character") << "1;   0;T;84;\"\";<T>;MS Sans Serif;10;" << 0 << 84 << "<T>"
                               << "MS Sans Serif" << 10;
    QTest::newRow("keypad key") << "1;  97; ;0;\"\";<1>;MS Sans Serif;8;" << 97 << 0 << "<1>"
                                << "MS Sans Serif" << 8;
    QTest::newRow("numbers that are not: kept") << "1;x;;1e3;;Légende;Arial Narrow;grand;" << 5 << 7 << "Légende"
                                                << "Arial Narrow" << 9;
    QTest::newRow("short: the rest kept") << "1;46;" << 46 << 7 << "<old>"
                                          << "Old" << 9;
}

void TestUserSettings::commandDefinitionFields()
{
    QFETCH(QString, text);
    QFETCH(int, keyCode);
    QFETCH(int, keyChar);
    QFETCH(QString, caption);
    QFETCH(QString, fontName);
    QFETCH(int, fontSize);
    CommandDefinition definition {5, 7, "<old>", "Old", 9};
    definition.Apply(CommandDefinition::SplitText(text));
    QCOMPARE(definition.KeyCode, keyCode);
    QCOMPARE(definition.KeyChar, keyChar);
    QCOMPARE(definition.Caption, caption);
    QCOMPARE(definition.FontName, fontName);
    QCOMPARE(definition.FontSize, fontSize);
    CommandDefinition again;
    again.Apply(definition.Fields());
    QCOMPARE(again, definition);
}

void TestUserSettings::commandKeysRoundTrip()
{
    // K pressed without Shift and the caption "<K>" in MS Sans Serif 10 for
    // the highlight command.
    const CommandDefinition k {75, 0, "<K>", "MS Sans Serif", 10};
    const CommandDefinition semicolon {0, 59, "a;b", "Arial", 12};
    QCOMPARE(semicolon.Fields()[2], QString(";"));
    QTemporaryDir dir;
    const QString path = dir.filePath("Paul.conf");
    UserSettings settings;
    settings.CommandKeys.insert("Select_HL_Pnl", k.Fields());
    settings.CommandKeys.insert("TextBold_Pnl", semicolon.Fields());
    QVERIFY(settings.SaveFile(path));
    Param_Obj file;
    QVERIFY(file.LoadFromFile(path));
    const int heading = file.PRGetParHead(CommandDefinition::Heading);
    QVERIFY(heading >= 0);
    QCOMPARE(file.Lines().mid(heading, 3),
        (QStringList {"[TOOLSBARKEYCODES]", "Select_HL_Pnl=1;75;\"\";0;\"\";<K>;MS Sans Serif;10;",
            "TextBold_Pnl=1;0;\" \";59;\"\";a b;Arial;12;"})); // ";" cannot be stored: a blank

    UserSettings read;
    read.LoadFile(path);
    QCOMPARE(read.CommandKeys.keys(), (QStringList {"Select_HL_Pnl", "TextBold_Pnl"}));
    CommandDefinition back;
    back.Apply(read.CommandKeys.value("Select_HL_Pnl"));
    QCOMPARE(back, k);
    back.Apply(read.CommandKeys.value("TextBold_Pnl"));
    QCOMPARE(back.KeyChar, 59);
    QCOMPARE(back.Caption, QString("a b"));
    read.Reset();
    QVERIFY(read.CommandKeys.isEmpty());
}

void TestUserSettings::fontsList()
{
    const QStringList installed {"Arial", "Courier New", "Verdana"};
    TEP_Fonts fonts([&](const QString& name) { return installed.contains(name); });
    QCOMPARE(fonts.Names(), (QStringList {"Arial", "Courier New"})); // PlumNal, Arial Narrow not installed
    fonts.ReadFonts("Verdana, Courier New,Inconnue");
    QCOMPARE(fonts.Names(), (QStringList {"Arial", "Courier New", "Verdana"}));
    QCOMPARE(fonts.CurrentName(), QString("Arial"));
    // The stored list stays as stored: another PC may have the fonts this
    // one lacks.
    QCOMPARE(fonts.FontsText(), QString("Verdana,Courier New,Inconnue"));
    fonts.SetNames({"Arial", "Verdana"}); // Courier New taken off the list on this PC
    QCOMPARE(fonts.FontsText(), QString("Inconnue,Arial,Verdana"));
    QCOMPARE(fonts.Names(), (QStringList {"Arial", "Verdana"}));
    fonts.ReadFonts("");
    QCOMPARE(fonts.Names(), QStringList {"Arial"});
    QCOMPARE(fonts.FontsText(), QString());
    fonts.ReadFonts("Verdana,Courier New");
    fonts.SelectByName("verdana");
    QCOMPARE(fonts.CurrentIndex(), 2);
    QVERIFY(!fonts.StepFont(1));
    QVERIFY(fonts.StepFont(-1));
    QCOMPARE(fonts.CurrentName(), QString("Courier New"));
    fonts.SelectByName("Unknown");
    QCOMPARE(fonts.CurrentIndex(), 0);

    // The system's database: Arial is drawn with its metric-compatible
    // substitute, which counts as installed.
    QVERIFY(TEP_Fonts::IsInstalledOnSystem("Arial"));
    QVERIFY(!TEP_Fonts::IsInstalledOnSystem("No Such Font Anywhere"));
}

void TestUserSettings::fontSteps()
{
    TEP_Fonts fonts([](const QString&) { return true; });
    fonts.Size = 13;
    QVERIFY(fonts.StepSize(1));
    QCOMPARE(fonts.Size, 14);
    fonts.Size = 13;
    QVERIFY(fonts.StepSize(-1));
    QCOMPARE(fonts.Size, 12);
    fonts.Size = 72;
    QVERIFY(!fonts.StepSize(1));
    fonts.Size = 6;
    QVERIFY(!fonts.StepSize(-1));
    fonts.Size = 5;
    QVERIFY(fonts.StepSize(1));
    QCOMPARE(fonts.Size, 6);
}

QTEST_MAIN(TestUserSettings)
#include "tst_usersettings.moc"
