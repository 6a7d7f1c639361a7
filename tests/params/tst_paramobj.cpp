// Parameter files: text splitting, number rules, reading, writing and
// section operations of Param_Obj.
#include "TestFiles.h"
#include "params/Numbers.h"
#include "params/Param_Obj.h"
#include "params/StrFields.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

Param_Obj Params(const QStringList& lines)
{
    Param_Obj params;
    params.LoadFromLines(lines);
    return params;
}

} // namespace

class TestParamObj : public QObject {
    Q_OBJECT

private slots:
    void wordsAndFields_data();
    void wordsAndFields();
    void integers_data();
    void integers();
    void decimalsAndRounding();

    void read_data();
    void read();
    void readList_data();
    void readList();
    void readDefaultAndInteger();

    void encodeOnWrite_data();
    void encodeOnWrite();
    void lineBreaksNeverReachTheFile();
    void writePlacement();
    void writeList();
    void loadNormalises();
    void indexFollowsEdits();

    void clearSections_data();
    void clearSections();
    void headingRanges();
    void rangesBeyond32767Lines();
    void renumberHeadings();
    void multipleValues();
    void searchCountAndSectionText();
};

void TestParamObj::wordsAndFields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("delimiters");
    QTest::addColumn<int>("wordCount");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<int>("fieldCount");
    QTest::addColumn<QStringList>("fields");

    QTest::newRow("runs") << ";a;;b;"
                          << ";" << 2 << QStringList {"a", "b"} << 5 << QStringList {"", "a", "", "b", ""};
    QTest::newRow("empty") << ""
                           << ";" << 0 << QStringList {} << 1 << QStringList {""};
    QTest::newRow("two delimiters") << "[ITEM.12]"
                                    << "[]." << 2 << QStringList {"ITEM", "12"} << 4
                                    << QStringList {"", "ITEM", "12", ""};
    QTest::newRow("blanks kept") << " a , b "
                                 << "," << 2 << QStringList {" a ", " b "} << 2 << QStringList {" a ", " b "};
}

void TestParamObj::wordsAndFields()
{
    QFETCH(QString, text);
    QFETCH(QString, delimiters);
    QFETCH(int, wordCount);
    QFETCH(QStringList, words);
    QFETCH(int, fieldCount);
    QFETCH(QStringList, fields);

    QCOMPARE(StrWordCount(text, delimiters), wordCount);
    for (int i = 0; i < words.size(); ++i)
        QCOMPARE(StrExtractWord(i + 1, text, delimiters), words[i]);
    QCOMPARE(StrExtractWord(wordCount + 1, text, delimiters), QString());
    QCOMPARE(StrFieldCount(text, delimiters), fieldCount);
    for (int i = 0; i < fields.size(); ++i)
        QCOMPARE(StrExtractField(i + 1, text, delimiters), fields[i]);
    QStringList trimmed;
    for (const QString& field : fields)
        trimmed.append(field.trimmed());
    QCOMPARE(StrSplitFields(text, delimiters), trimmed);
}

void TestParamObj::integers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "42" << true << 42;
    QTest::newRow("negative") << "-7" << true << -7;
    QTest::newRow("plus sign") << "+7" << false << 0;
    QTest::newRow("blank around") << " 7" << false << 0;
    QTest::newRow("minus alone") << "-" << false << 0;
    QTest::newRow("minus inside") << "1-2" << false << 0;
    QTest::newRow("decimal") << "1.5" << false << 0;
    QTest::newRow("hex") << "0x10" << false << 0;
    QTest::newRow("32-bit limit") << "2147483647" << true << 2147483647;
    QTest::newRow("overflow") << "2147483648" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
}

void TestParamObj::integers()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    const std::optional<int> read = TextToInt(text);
    QCOMPARE(read.has_value(), valid);
    if (valid)
        QCOMPARE(*read, value);
}

void TestParamObj::decimalsAndRounding()
{
    QCOMPARE(TextToDecimal("12,5").value_or(-1), 12.5);
    QCOMPARE(TextToDecimal("12.5").value_or(-1), 12.5);
    QVERIFY(!TextToDecimal("abc"));
    QVERIFY(!TextToDecimal("nan"));
    QVERIFY(!TextToDecimal(""));

    QCOMPARE(RoundHalfEven(2.5), 2);
    QCOMPARE(RoundHalfEven(3.5), 4);
    QCOMPARE(RoundHalfEven(-2.5), -2);
    QCOMPARE(RoundHalfEven(-0.5), 0);
    QCOMPARE(RoundHalfEven(0.5000001), 1);
    QCOMPARE(RoundHalfEven(2.4999), 2);
    QCOMPARE(RoundHalfEven(-3.6), -4);
    QCOMPARE(RoundHalfEven(1e12), 2147483647);
    QCOMPARE(RoundHalfEven(std::nan("")), 0);
}

void TestParamObj::read_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QStringList file {"KEY=above every heading", "[Main]", "A=  a b  ;x", "B=", "C=\"\"", "D=value ; note",
        "E=\"  padded \"", "F=\"a \"\"b\"\"\"", "G=\"only leading", "key = spaced key ", "NOEQUALS", "A=second",
        "[Other]", "A=other", "[MAIN]", "H=duplicate heading"};
    QTest::newRow("first field, trimmed") << file << "Main"
                                          << "A"
                                          << "a b";
    QTest::newRow("nothing after =") << file << "Main"
                                     << "B" << PR_NOVALUE;
    QTest::newRow("two quotes: empty text") << file << "Main"
                                            << "C"
                                            << "";
    QTest::newRow("text after ; is a note") << file << "Main"
                                            << "D"
                                            << "value";
    QTest::newRow("quoted blanks kept") << file << "Main"
                                        << "E"
                                        << "  padded ";
    QTest::newRow("doubled quotes") << file << "Main"
                                    << "F"
                                    << "a \"b\"";
    QTest::newRow("only a leading quote") << file << "Main"
                                          << "G"
                                          << "\"only leading";
    QTest::newRow("keys ignore case and blanks") << file << "MAIN"
                                                 << " KEY "
                                                 << "spaced key";
    QTest::newRow("line without =") << file << "main"
                                    << "noequals"
                                    << "NOEQUALS";
    QTest::newRow("section ends at next heading") << file << "Other"
                                                  << "A"
                                                  << "other";
    QTest::newRow("first duplicate heading wins") << file << "Main"
                                                  << "H" << PR_NOVALUE;
    QTest::newRow("lines above headings unseen") << QStringList {"K=1", "[S]"} << "S"
                                                 << "K" << PR_NOVALUE;
    QTest::newRow("missing heading") << file << "None"
                                     << "A" << PR_NOVALUE;
    QTest::newRow("missing key") << file << "Main"
                                 << "Z" << PR_NOVALUE;
}

void TestParamObj::read()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, heading);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QCOMPARE(Params(lines).PRRead(heading, key), expected);
}

void TestParamObj::readList_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("trimmed items") << QStringList {"[S]", "K=  a b  ;x"} << "  a b  ;x" << QStringList {"a b", "x"};
    QTest::newRow("runs of ;") << QStringList {"[S]", "K=a;;b"} << "a;;b" << QStringList {"a", "b"};
    QTest::newRow("blank item kept inside") << QStringList {"[S]", "K=a; ;b"} << "a; ;b" << QStringList {"a", "", "b"};
    QTest::newRow("blank last item dropped") << QStringList {"[S]", "K=a; ;"} << "a; ;" << QStringList {"a"};
    QTest::newRow("continuation lines") << QStringList {"[S]", "K=a;b;", "k=c;", "L=d", "K=e"} << "a;b;"
                                        << QStringList {"a", "b", "c"};
    QTest::newRow("empty value") << QStringList {"[S]", "K="} << "" << QStringList {};
}

void TestParamObj::readList()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, raw);
    QFETCH(QStringList, items);
    QStringList read {"stale"};
    QCOMPARE(Params(lines).PRReads("S", "K", &read), raw);
    QCOMPARE(read, items);
}

void TestParamObj::readDefaultAndInteger()
{
    const Param_Obj params = Params({"[S]", "EMPTY=", "QUOTES=\"\"", "N= 12 ", "BAD=12a", "NEG=-3;x"});
    QCOMPARE(params.PRReadDefault("S", "EMPTY", "dflt"), QString("dflt"));
    QCOMPARE(params.PRReadDefault("S", "QUOTES", "dflt"), QString());
    QCOMPARE(params.PRReadDefault("S", "MISSING", "dflt"), QString("dflt"));

    int value = 99;
    QCOMPARE(params.PRReadl("S", "N", &value), QString("12"));
    QCOMPARE(value, 12);
    QCOMPARE(params.PRReadl("S", "BAD", &value), PR_NOVALUE);
    QCOMPARE(value, 12);
    QCOMPARE(params.PRReadl("S", "NEG", &value), QString("-3"));
    QCOMPARE(value, -3);
    QCOMPARE(params.PRReadl("S", "NEG"), QString("-3"));
}

void TestParamObj::encodeOnWrite_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("stored");
    QTest::newRow("plain") << "abc"
                           << "K=abc";
    QTest::newRow("empty") << ""
                           << "K=\"\"";
    QTest::newRow("leading blank") << " abc"
                                   << "K=\" abc\"";
    QTest::newRow("trailing blank") << "abc "
                                    << "K=\"abc \"";
    QTest::newRow("semicolon") << "x;y"
                               << "K=x y";
    QTest::newRow("quotes") << "a \"b\""
                            << "K=\"a \"\"b\"\"\"";
    QTest::newRow("equals kept") << "a=b"
                                 << "K=a=b";
    QTest::newRow("pilcrow") << "un¶deux"
                             << "K=un¶deux";
    QTest::newRow("trailing CR of a Windows line") << "Arial\r"
                                                   << "K=\"Arial \"";
    QTest::newRow("LF injecting a section") << "x\n[B]\nX=1"
                                            << "K=x [B] X=1";
    QTest::newRow("CR LF inside") << "un\r\ndeux"
                                  << "K=un  deux";
}

void TestParamObj::encodeOnWrite()
{
    QFETCH(QString, value);
    QFETCH(QString, stored);
    Param_Obj params = Params({"[S]"});
    params.PRWrite("S", " K ", value);
    QCOMPARE(params.Line(1), stored);
    QString expected = value;
    expected.replace(';', ' ').replace('\r', ' ').replace('\n', ' ');
    QCOMPARE(params.PRRead("S", "K"), expected);
}

void TestParamObj::lineBreaksNeverReachTheFile()
{
    // Whatever way a line break comes in, the file keeps one line per entry
    // and gains no section.
    QTemporaryDir dir;
    const QString file = dir.filePath("Paul.conf");
    Param_Obj params = Params({"[A]"});
    params.PRWrite("A", "NAME", "Paul\r\n[B]\r\nX=1");
    params.PRWrites("A", "LIST", {"un\n[C]", "deux"});
    params.PRWrite("A", "KEY\n[D]", "v");
    params.PRWrite("E\n[F]", "K", "v");
    params.Append("raw\r\n[G]");
    QVERIFY(params.SaveToFile(file));
    const QByteArray bytes = TestFiles::ReadBytes(file);
    QCOMPARE(bytes.count('\r'), bytes.count('\n'));
    QCOMPARE(bytes.count("\r\n"), params.Count());
    Param_Obj read;
    QVERIFY(read.LoadFromFile(file));
    PRHeadingList headings;
    read.PRGetHeadings(headings);
    QCOMPARE(headings.size(), 2);
    QCOMPARE(headings[0].name, QString("A"));
    QCOMPARE(headings[1].name, QString("E [F]"));
    QCOMPARE(read.PRRead("A", "NAME"), QString("Paul  [B]  X=1"));
}

void TestParamObj::writePlacement()
{
    Param_Obj params = Params({"TOP", "[A]", "X=1", "[B]", "Y=2"});
    params.PRWrite("a", "K1", "one");
    params.PRWrite("A", "K2", "two");
    params.PRWrite("A", "x", "replaced");
    params.PRWrite(" New ", "K", "v");
    params.PRWritel("B", "N", -5);
    const QStringList expected {"TOP", "[A]", "K2=two", "K1=one", "x=replaced", "[B]", "N=-5", "Y=2", "[New]", "K=v"};
    QCOMPARE(params.Lines(), expected);
    QCOMPARE(params.PRRead("new", "k"), QString("v"));
    QCOMPARE(params.PRRead("B", "Y"), QString("2"));
}

void TestParamObj::writeList()
{
    Param_Obj params = Params({"[S]", "K=old;", "K=continued;"});
    params.PRWrites("S", "K", {"a", " b", "c;d", ""});
    QCOMPARE(params.Line(1), QString("K=a;\" b\";c d;\"\";"));
    QCOMPARE(params.Line(2), QString("K=continued;"));
    QStringList items;
    params.PRReads("S", "K", &items);
    QCOMPARE(items, (QStringList {"a", " b", "c d", "", "continued"}));
}

void TestParamObj::loadNormalises()
{
    const Param_Obj params = Params({"  [ Name ]  ", "\tA=1  ", "[]", "[ ]", "[", "x]"});
    QCOMPARE(params.Lines(), (QStringList {"[Name]", "A=1", "[??]", "[??]", "[", "x]"}));
    QCOMPARE(params.PRGetParHead("name"), 0);
    QCOMPARE(params.PRGetParHead("NAME"), 0);
    QCOMPARE(params.PRGetParHead("??"), 2);
    // A no-break space is text, not a blank.
    QCOMPARE(Params({QString::fromUtf8("\u00A0x")}).Line(0), QString::fromUtf8("\u00A0x"));
}

void TestParamObj::indexFollowsEdits()
{
    Param_Obj params = Params({"[A]", "K=a", "[B]", "K=b"});
    QCOMPARE(params.PRRead("B", "K"), QString("b"));
    params.PRWrite("A", "NEW", "x"); // shifts every heading below
    QCOMPARE(params.PRGetParHead("B"), 3);
    QCOMPARE(params.PRRead("B", "K"), QString("b"));
    params.Insert(0, "[C]");
    params.Insert(1, "K=c");
    QCOMPARE(params.PRRead("C", "K"), QString("c"));
    QCOMPARE(params.PRRead("A", "K"), QString("a"));
    params.Delete(0);
    QCOMPARE(params.PRGetParHead("C"), -1);
    params.SetLine(1, "[D]");
    QCOMPARE(params.PRRead("D", "NEW"), QString("x"));
    QCOMPARE(params.PRRead("D", "K"), QString("a"));
    QCOMPARE(params.PRGetParHead("A"), -1);
}

void TestParamObj::clearSections_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("special");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("kept");

    const QStringList all {"top", "[ITEM.1]", "a=1", "", "[ITEM.2]", "b=2", "[ITEMS]", "c=3", "[OTHER]", "d=4"};
    QTest::newRow("= removes the base name")
        << "=" << false << "ITEM" << QStringList {"top", "[ITEMS]", "c=3", "[OTHER]", "d=4"};
    QTest::newRow("# keeps only it") << "#" << false << "ITEM"
                                     << QStringList {"[ITEM.1]", "a=1", "", "[ITEM.2]", "b=2"};
    QTest::newRow("* matches prefixes") << "*" << false << "ITEM" << QStringList {"top", "[OTHER]", "d=4"};
    QTest::newRow("case-sensitive") << "=" << false << "item" << all;
    QTest::newRow("special: full name") << "=" << true << "ITEM.2"
                                        << QStringList {
                                               "top", "[ITEM.1]", "a=1", "", "[ITEMS]", "c=3", "[OTHER]", "d=4"};
}

void TestParamObj::clearSections()
{
    QFETCH(QString, mode);
    QFETCH(bool, special);
    QFETCH(QString, name);
    QFETCH(QStringList, kept);
    Param_Obj params = Params({"top", "[ITEM.1]", "a=1", "", "[ITEM.2]", "b=2", "[ITEMS]", "c=3", "[OTHER]", "d=4"});
    if (special)
        params.PRClearSpecial(name, mode);
    else
        params.PRClear(name, mode);
    QCOMPARE(params.Lines(), kept);
    QCOMPARE(params.PRGetParHead("OTHER") >= 0, kept.contains("[OTHER]"));
}

void TestParamObj::headingRanges()
{
    const Param_Obj params = Params({"x", "[A]", "1", "2", "[ B ]", "[C]", "3"});
    PRHeadingList headings;
    QVERIFY(params.PRGetHeadingsB(headings));
    QCOMPARE(headings.size(), 3);
    QCOMPARE(headings[1].name, QString("B"));
    QCOMPARE(headings[1].line, 4);

    int first = 7;
    int last = 7;
    QVERIFY(Param_Obj::PRGetHeadingsBStartAndEnd("a", -1, first, last, headings));
    QCOMPARE(first, 2);
    QCOMPARE(last, 3);
    QVERIFY(Param_Obj::PRGetHeadingsBStartAndEnd("", 1, first, last, headings));
    QCOMPARE(first, 5);
    QCOMPARE(last, 4); // empty section
    QVERIFY(Param_Obj::PRGetHeadingsBStartAndEnd("C", -1, first, last, headings));
    QCOMPARE(last, 6);
    QVERIFY(!Param_Obj::PRGetHeadingsBStartAndEnd("missing", -1, first, last, headings));
    QCOMPARE(first, 0);
    QCOMPARE(last, -1);
    QVERIFY(!Param_Obj::PRGetHeadingsBStartAndEnd("", 3, first, last, headings));

    QVERIFY(params.SectionRange("b", first, last));
    QCOMPARE(first, 5);
    QCOMPARE(last, 4);
}

void TestParamObj::rangesBeyond32767Lines()
{
    // Work files of many items outgrow 15-bit line numbers: ranges must
    // still be exact, never wrapped.
    QStringList lines {"[BIG]"};
    for (int i = 0; i < 40000; ++i)
        lines.append(QStringLiteral("K%1=%1").arg(i));
    lines.append("[AFTER]");
    lines.append("X=1");
    const Param_Obj params = Params(lines);
    PRHeadingList headings;
    params.PRGetHeadingsB(headings);
    int first = 0;
    int last = 0;
    QVERIFY(Param_Obj::PRGetHeadingsBStartAndEnd("BIG", -1, first, last, headings));
    QCOMPARE(first, 1);
    QCOMPARE(last, 40000);
    QVERIFY(Param_Obj::PRGetHeadingsBStartAndEnd("AFTER", -1, first, last, headings));
    QCOMPARE(first, 40002);
    QCOMPARE(last, 40002);
    QCOMPARE(params.PRRead("BIG", "K39999"), QString("39999"));
}

void TestParamObj::renumberHeadings()
{
    Param_Obj params = Params({"[IT.1]", "[IT.3]", "a", "[IT.4]", "[OTHER.9]", "[IT.2]"});
    QVERIFY(params.PRReNumberHeading("IT"));
    QCOMPARE(params.Lines(), (QStringList {"[IT.1]", "[IT.2]", "a", "[IT.3]", "[OTHER.9]", "[IT.2]"}));

    Param_Obj bad = Params({"[IT.5]", "[IT.x]", "[IT.7]"});
    QVERIFY(!bad.PRReNumberHeading("IT"));
    QCOMPARE(bad.Lines(), (QStringList {"[IT.1]", "[IT.x]", "[IT.7]"}));
}

void TestParamObj::multipleValues()
{
    Param_Obj params = Params({"[S]"});
    QStringList values;
    for (int i = 0; i < 12; ++i)
        values.append(QStringLiteral("v%1").arg(i));
    params.PRWriteMultiple("S", "P", values);
    QCOMPARE(params.PRRead("S", "P00"), QString("v0"));
    QCOMPARE(params.PRRead("S", "P11"), QString("v11"));
    params.Append("PX=not numbered");
    params.Append("P=bare");

    QStringList read;
    QStringList keys;
    params.PRReadMultiple("S", "P", read, &keys);
    QCOMPARE(read.size(), 13); // PX is not numbered
    QCOMPARE(keys.first(), QString("P00"));
    QCOMPARE(read.first(), QString("v0"));
    QCOMPARE(keys[11], QString("P11"));
    QCOMPARE(keys.last(), QString("P")); // sorted by line text: "P=" after "P11="
    QCOMPARE(read.last(), QString("bare"));
    params.PRReadMultiple("s", "P", read, &keys); // the heading is case-sensitive here
    QVERIFY(read.isEmpty());

    const QStringList names {"A", "B"};
    params.PRWriteMultiple("S", "", {"x", "y"}, &names);
    QCOMPARE(params.PRRead("S", "B"), QString("y"));
}

void TestParamObj::searchCountAndSectionText()
{
    const Param_Obj params = Params({"[A]", "k=1", "k=2", "", "k=3", "[B]", "m=1"});
    QString heading = "unchanged";
    params.PRSearchHeading("k=3", heading);
    QCOMPARE(heading, QString("[A]"));
    heading = "unchanged";
    params.PRSearchHeading("absent", heading);
    QCOMPARE(heading, QString("unchanged"));

    QCOMPARE(params.PRGetParamCountOfHeading("A"), 2);
    QCOMPARE(params.PRGetParamCountOfHeading("b"), 1);

    QStringList list;
    QVERIFY(params.PRGetHeadingStr(1, "a", list));
    QCOMPARE(list, (QStringList {"k=1", "k=2", "", "k=3"}));
    QVERIFY(params.PRGetHeadingStr(2, "1", list));
    QCOMPARE(list, QStringList {"m=1"});
    QVERIFY(params.PRGetHeadingStr(3, QString(), list));
    QCOMPARE(list, (QStringList {"A", "B"}));
    QVERIFY(!params.PRGetHeadingStr(1, "none", list));
}

QTEST_GUILESS_MAIN(TestParamObj)
#include "tst_paramobj.moc"
