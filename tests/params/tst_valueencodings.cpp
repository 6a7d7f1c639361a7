// Booleans, colours, fonts and window rectangles in settings files.
#include "params/Param_Obj.h"
#include "params/TTslOfTsl.h"
#include "params/ValueEncodings.h"

#include <QTest>

class TestValueEncodings : public QObject {
    Q_OBJECT

private slots:
    void booleans_data();
    void booleans();
    void colors_data();
    void colors();
    void colorWriting();
    void readColorDefault();
    void fonts_data();
    void fonts();
    void fontWriting();
    void rectangles_data();
    void rectangles();
    void listOfLists();
};

void TestValueEncodings::booleans_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("recognised");
    QTest::addColumn<bool>("readValue");
    QTest::newRow("oui") << "oui" << true << true;
    QTest::newRow(" Yes ") << " Yes " << true << true;
    QTest::newRow("YES") << "YES" << true << true;
    QTest::newRow("non") << "non" << true << false;
    QTest::newRow("NO") << "NO" << true << false;
    QTest::newRow("maybe") << "maybe" << false << false;
    QTest::newRow("1") << "1" << false << false;
}

void TestValueEncodings::booleans()
{
    QFETCH(QString, stored);
    QFETCH(bool, recognised);
    QFETCH(bool, readValue);
    bool value = !readValue;
    const bool before = value;
    QCOMPARE(ParamToBool(stored, value), recognised);
    QCOMPARE(value, recognised ? readValue : before);

    Param_Obj params;
    params.Append("[S]");
    params.Append("B=" + stored);
    QCOMPARE(ReadParamBool(params, "S", "B", true), readValue);
    QCOMPARE(ReadParamBool(params, "S", "MISSING", true), true);
    QCOMPARE(ReadParamBool(params, "S", "MISSING", false), false);
    QCOMPARE(BoolToParam(true), QString("YES"));
    QCOMPARE(BoolToParam(false), QString("NO"));
}

void TestValueEncodings::colors_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<quint32>("value");
    QTest::newRow("components") << "0*128*255" << true << quint32(0xFF8000);
    QTest::newRow("red") << "255*0*0" << true << quint32(0x0000FF);
    QTest::newRow("component too large") << "256*0*0" << false << quint32(0);
    QTest::newRow("negative component") << "-1*0*0" << false << quint32(0);
    QTest::newRow("colour number") << "16777215" << true << quint32(0xFFFFFF);
    QTest::newRow("one star: a bad number") << "1*2" << false << quint32(0);
    QTest::newRow("three stars") << "1*2*3*4" << false << quint32(0);
    QTest::newRow("text") << "red" << false << quint32(0);
}

void TestValueEncodings::colors()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(quint32, value);
    RgbColor color(0x123456);
    QCOMPARE(ParamToColor(text, color), ok);
    QCOMPARE(color.Value(), ok ? value : quint32(0x123456));
}

void TestValueEncodings::colorWriting()
{
    QCOMPARE(ColorToParam(RgbColor(0x0000FF)), QString("255*0*0"));
    QCOMPARE(ColorToParam(RgbColor::FromRgb(1, 2, 3)), QString("1*2*3"));
    // A system colour (button face) is written as its RGB value.
    QCOMPARE(ColorToParam(RgbColor(0xFF00000F)), QString("240*240*240"));
    QCOMPARE(RgbColor(0x0000FF).ToQColor(), QColor(255, 0, 0));
    QCOMPARE(RgbColor::FromQColor(QColor(0, 128, 192)).Value(), quint32(0xC08000));
}

void TestValueEncodings::readColorDefault()
{
    Param_Obj params;
    params.LoadFromLines({"[S]", "GOOD= 0*0*255 ", "BAD=300*0*0"});
    RgbColor color;
    QVERIFY(ReadParamColor(params, "S", "GOOD", RgbColor(7), color));
    QCOMPARE(color.Value(), quint32(0xFF0000));
    QVERIFY(!ReadParamColor(params, "S", "BAD", RgbColor(7), color));
    QCOMPARE(color.Value(), quint32(7));
    QVERIFY(!ReadParamColor(params, "S", "MISSING", RgbColor(8), color));
    QCOMPARE(color.Value(), quint32(8));
}

void TestValueEncodings::fonts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("name");
    QTest::addColumn<quint32>("color");
    QTest::addColumn<int>("styles");

    QTest::newRow("full") << "10,Courier New,COLOR:255*0*0,Bold,Italic" << true << 10 << "Courier New"
                          << quint32(0x0000FF)
                          << int(FontDescription::Underline | FontDescription::Bold | FontDescription::Italic);
    QTest::newRow("name alone") << "Arial" << false << 12 << "Start" << quint32(0x00FF00)
                                << int(FontDescription::Underline);
    QTest::newRow("two fields apply but fail")
        << "14,Arial" << false << 14 << "Arial" << quint32(0x00FF00) << int(FontDescription::Underline);
    QTest::newRow("styles only add") << "x,,strikeout" << false << 12 << "Start" << quint32(0x00FF00)
                                     << int(FontDescription::Underline | FontDescription::StrikeOut);
    QTest::newRow("integer name refused")
        << "8,12,COLOR:0*0*0" << true << 8 << "Start" << quint32(0) << int(FontDescription::Underline);
    QTest::newRow("empty") << "  " << false << 12 << "Start" << quint32(0x00FF00) << int(FontDescription::Underline);
}

void TestValueEncodings::fonts()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, size);
    QFETCH(QString, name);
    QFETCH(quint32, color);
    QFETCH(int, styles);
    FontDescription font {12, "Start", RgbColor(0x00FF00), FontDescription::Underline};
    QCOMPARE(ParamToFont(text, font), ok);
    QCOMPARE(font.Size, size);
    QCOMPARE(font.Name, name);
    QCOMPARE(font.Color.Value(), color);
    QCOMPARE(font.Styles, styles);
}

void TestValueEncodings::fontWriting()
{
    const FontDescription font {12, "Arial", RgbColor(0), FontDescription::Bold | FontDescription::StrikeOut};
    QCOMPARE(FontToParam(&font), QString("12,Arial,COLOR:0*0*0,Bold,StrikeOut"));
    QCOMPARE(FontToParam(nullptr), QString());
    FontDescription read;
    FontFieldsRead fields;
    QVERIFY(ParamToFont(FontToParam(&font), read, &fields));
    QVERIFY(fields.size && fields.name && fields.color);
    QCOMPARE(read, font);
}

void TestValueEncodings::rectangles_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QList<int>>("values");
    QTest::newRow("small size raised") << "(TLWH:10,20,30,40)" << true << QList<int> {10, 20, 50, 50};
    QTest::newRow("lower case, negatives") << " (tlwh:-5,-8,640,480) " << true << QList<int> {-5, -8, 640, 480};
    QTest::newRow("three fields") << "(tlwh:10,20,300)" << false << QList<int> {};
    QTest::newRow("text after )") << "(tlwh:1,2,300,300)x" << false << QList<int> {};
    QTest::newRow("bad number") << "(tlwh:1,2,3a,300)" << false << QList<int> {};
    QTest::newRow("other tag") << "(ltwh:1,2,300,300)" << false << QList<int> {};
}

void TestValueEncodings::rectangles()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QList<int>, values);
    int top = -1, left = -1, width = -1, height = -1;
    QCOMPARE(ParamToRect(text, top, left, width, height), ok);
    if (ok)
        QCOMPARE((QList<int> {top, left, width, height}), values);
    else
        QCOMPARE((QList<int> {top, left, width, height}), (QList<int> {-1, -1, -1, -1}));
    QCOMPARE(WindowToParam(QRect(20, 10, 300, 200)), QString("(tlwh:10,20,300,200)"));
}

void TestValueEncodings::listOfLists()
{
    TTslOfTsl lists;
    QCOMPARE(lists.Add("Panel", {"a", "b"}), 0);
    lists.Add("Other", {"c"});
    QCOMPARE(*lists.ListAt(0), (QStringList {"a", "b"}));
    QCOMPARE(lists.Name(1), QString("Other"));
    QCOMPARE(lists.IndexOf("other"), 1);
    QVERIFY(!lists.ListAt(2));
    QVERIFY(!lists.ListAt(-1));
}

QTEST_GUILESS_MAIN(TestValueEncodings)
#include "tst_valueencodings.moc"
