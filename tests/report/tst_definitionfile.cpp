// Definition files: loading item trees, the CHILD rules, and saving back.
#include "TestFiles.h"
#include "params/Param_Obj.h"
#include "report/DefinitionFile.h"
#include "report/ItemTypeRegistry.h"
#include "report/TDPRptRect.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <typeinfo>

namespace {

Param_Obj Params(const QStringList& lines)
{
    Param_Obj params;
    params.LoadFromLines(lines);
    return params;
}

QStringList Saved(TDPRptItem* root)
{
    root->SetScale(1.0f);
    QStringList lines;
    if (!SaveToLines(root, lines))
        return {"save failed"};
    return lines;
}

const QStringList kWorkFile {"[MAINRECT]", "TYPE=RECT", "RECT=2000,2829", "CHILD=IMG,0,0", "CHILD=NEWIT_1,120,340",
    "CHILD=NEWIT_2,500,600", "", "[IMG]", "LOGNAME=Page", "TYPE=RECT", "RECT=2000,2829", "TRANSPARENT=YES", "",
    "[NEWIT_1]", "TYPE=RECT", "RECT=300,200", "COLORS=BACK:255", "GRIDEXT=X:3",
    "TOPBORDERS=(BORDER:1,STYLE:SOLID,WIDTH:2,COLOR:0)(BORDER:2,STYLE:TRANSPARENT,WIDTH:5,COLOR:65280)",
    "LEFTBORDERS=(BORDER:2,STYLE:SOLID,WIDTH:1,COLOR:16711680)", "CHILD=NEWIT_3,10,10", "", "[NEWIT_3]", "TYPE=RECT",
    "RECT=50,50", "COLORS=BACK:-16777201", "", "[NEWIT_2]", "TYPE=RECT", "RECT=100,100"};

} // namespace

class TestDefinitionFile : public QObject {
    Q_OBJECT

private slots:
    void loadsTree();
    void saveLoadSaveIsStable();
    void readsBackAsWritten_data();
    void readsBackAsWritten();
    void loadFromFileAndMissingFile();
    void rectRules_data();
    void rectRules();
    void childRules_data();
    void childRules();
    void typeWordIsExact();
    void engineTypesStandAlone();
    void cyclicChildIsSkipped();
    void createByKind();
    void unscalableItemIsNotWritten();
    void newItemNames();
    void newItemNameIgnoresCase_data();
    void newItemNameIgnoresCase();
};

void TestDefinitionFile::loadsTree()
{
    const Param_Obj params = Params(kWorkFile);
    TDPRptRect root;
    QVERIFY(DPRpt_Load(&root, "MAINRECT", params));
    QCOMPARE(root.Name, QString("MAINRECT"));
    QCOMPARE(root.ChildCount(), 3);
    QCOMPARE(root.ChildName(1), QString("NEWIT_1"));
    QVERIFY(root.ChildNames.isEmpty());

    auto* image = static_cast<TDPRptRect*>(root.ChildAt(0));
    QCOMPARE(image->LogName, QString("Page"));
    QVERIFY(image->Transparent);

    auto* item = static_cast<TDPRptRect*>(root.FindByName("NEWIT_1"));
    QVERIFY(item);
    QCOMPARE(item->Parent(), &root);
    QCOMPARE(item->PosX, 120.0f);
    QCOMPARE(item->PosY, 340.0f);
    QCOMPARE(item->Width, 300.0f);
    QCOMPARE(item->BackColors[0].Value(), quint32(255));
    QCOMPARE(item->GridExtX, 3);
    QCOMPARE(item->GridExtY, 0);
    QCOMPARE(item->Borders.LevelCount(), 2);
    QCOMPARE(item->Borders.Level(TDPRptBorders::Top, 2).Style, int(BorderLevel::Transparent));
    QCOMPARE(item->Borders.Level(TDPRptBorders::Top, 2).Color.Value(), quint32(65280));
    QCOMPARE(item->Borders.Level(TDPRptBorders::Left, 1).Style, int(BorderLevel::None));
    QCOMPARE(item->Borders.Level(TDPRptBorders::Left, 2).Width, 1);
    QCOMPARE(item->ChildCount(), 1);
    QCOMPARE(root.FindByName("NEWIT_3")->BackColors[0].Number(), -16777201);
}

void TestDefinitionFile::saveLoadSaveIsStable()
{
    TDPRptRect root;
    QVERIFY(DPRpt_Load(&root, "MAINRECT", Params(kWorkFile)));
    const QStringList first = Saved(&root);
    // Sections in tree order, an empty line before each child's section.
    QCOMPARE(first.mid(0, 7),
        (QStringList {"[MAINRECT]", "TYPE=RECT", "RECT=2000,2829", "CHILD=IMG,0,0", "CHILD=NEWIT_1,120,340",
            "CHILD=NEWIT_2,500,600", ""}));
    QCOMPARE(
        first.mid(7, 5), (QStringList {"[IMG]", "LOGNAME=Page", "TYPE=RECT", "RECT=2000,2829", "TRANSPARENT=YES"}));
    QVERIFY(first.contains("TOPBORDERS=(BORDER:1,STYLE:SOLID,WIDTH:2,COLOR:0)"
                           "(BORDER:2,STYLE:TRANSPARENT,WIDTH:5,COLOR:65280)"));
    QVERIFY(first.contains("LEFTBORDERS=(BORDER:2,STYLE:SOLID,WIDTH:1,COLOR:16711680)"));
    QVERIFY(!first.contains("RIGHTBORDERS", Qt::CaseInsensitive));
    QVERIFY(first.contains("GRIDEXT=X:3"));
    QCOMPARE(first.count("COLORS=BACK:255"), 1);
    QCOMPARE(first.filter("COLORS=").size(), 2); // white is not written
    QCOMPARE(first.indexOf("[NEWIT_3]") < first.indexOf("[NEWIT_2]"), true);

    TDPRptRect reloaded;
    QVERIFY(DPRpt_Load(&reloaded, "MAINRECT", Params(first)));
    QCOMPARE(Saved(&reloaded), first);
}

void TestDefinitionFile::readsBackAsWritten_data()
{
    // Files whose first load changes something (found by the definition
    // fuzzer): what is then saved must read back and save as the same text.
    QTest::addColumn<QStringList>("sections");
    QTest::addColumn<int>("items");
    const QStringList page {"[MAIN]", "TYPE=RECT", "RECT=300,200"};
    QTest::newRow("grid without sizes") << page
            + QStringList {"CHILD=G,0,0", "[G]", "TYPE=GRID", "RECT=100,100", "SIZE=ROWCOUNT:0,COLCOUNT:0"}
                                        << 2;
    // Two parents list B: one section, so one item (under the first).
    QTest::newRow("section listed twice") << page
            + QStringList {"CHILD=A,0,0", "CHILD=B,50,50", "CHILD=C,100,0", "[A]", "TYPE=RECT", "RECT=100,100",
                "CHILD=B,5,5", "[B]", "TYPE=RECT", "RECT=10,10", "[C]", "TYPE=RECT", "RECT=100,100", "CHILD=B,7,7"}
                                          << 4;
    // Each section lists the next one twice: one item per section, never
    // 2^n of them.
    QStringList doubling = page + QStringList {"CHILD=S1,1,1", "CHILD=S1,2,2"};
    for (int i = 1; i <= 40; ++i)
        doubling << QStringLiteral("[S%1]").arg(i) << "TYPE=RECT"
                 << "RECT=100,100" << QStringLiteral("CHILD=S%1,1,1").arg(i + 1)
                 << QStringLiteral("CHILD=S%1,2,2").arg(i + 1);
    doubling << "[S41]"
             << "TYPE=RECT"
             << "RECT=100,100";
    QTest::newRow("each section listing the next twice") << doubling << 42;
    // A large page of work still loads whole.
    QStringList large = page;
    for (int i = 0; i < 10000; ++i)
        large << QStringLiteral("CHILD=I%1,%2,%3").arg(i).arg(i % 290).arg(i / 100);
    for (int i = 0; i < 10000; ++i)
        large << QStringLiteral("[I%1]").arg(i) << "TYPE=RECT"
              << "RECT=10,10";
    QTest::newRow("10,000 items") << large << 10001;
    // Turned into an arrow shorter than a file may hold.
    QTest::newRow("short relation") << page
            + QStringList {"CHILD=R,20,20", "[R]", "TYPE=SPDR", "RECT=30,40", "SPDRMODE=SpHRel", "PENSIZE=2"}
                                    << 2;
    // Turned into an arrow whose tail lies past the page's edge.
    QTest::newRow("relation at the edge")
        << page + QStringList {"CHILD=R,298,100", "[R]", "TYPE=SPDR", "RECT=100,40", "SPDRMODE=SpHRel", "PENSIZE=2"}
        << 2;
    // Turned into an arrow whose tail would be above the page.
    QTest::newRow("thin relation at the top")
        << page + QStringList {"CHILD=R,20,0", "[R]", "TYPE=SPDR", "RECT=100,10", "SPDRMODE=SpBTRel", "PENSIZE=10"}
        << 2;
    // Fitted to its points, it starts past the page's edge.
    QTest::newRow("polyline past the edge") << page
            + QStringList {"CHILD=L,250,20", "[L]", "TYPE=SPDR", "RECT=10,10", "SPDRMODE=SpLines",
                "SPDRPOINTS=(60,0)(90,30)"} << 2;
}

void TestDefinitionFile::readsBackAsWritten()
{
    QFETCH(QStringList, sections);
    QFETCH(int, items);
    TDPRptRect root;
    QVERIFY(DPRpt_Load(&root, "MAIN", Params(sections)));
    QVERIFY(root.SetScale(1.0f));
    const QStringList first = Saved(&root);
    QCOMPARE(first.filter(QRegularExpression("^\\[")).size(), items);

    TDPRptRect reloaded;
    QVERIFY(DPRpt_Load(&reloaded, "MAIN", Params(first)));
    QVERIFY(reloaded.SetScale(1.0f));
    QCOMPARE(Saved(&reloaded), first);
}

void TestDefinitionFile::loadFromFileAndMissingFile()
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath("Fiche_Paul.txt");
    QVERIFY(TestFiles::WriteBytes(fileName, TestFiles::CrLf(kWorkFile)));
    TDPRptRect root;
    QVERIFY(DPRpt_Load(&root, "mainrect", fileName));
    QCOMPARE(root.ChildCount(), 3);
    std::unique_ptr<TDPRptItem> created = DPRpt_CreateItem("NEWIT_2", fileName);
    QVERIFY(created);
    QCOMPARE(created->TypeName(), QString("RECT"));
    QVERIFY(!DPRpt_Load(&root, "MAINRECT", dir.filePath("absent.txt")));
    QCOMPARE(root.ChildCount(), 3); // an unreadable file leaves the tree alone
    QVERIFY(!DPRpt_Load(&root, "NOSECTION", fileName));
    QCOMPARE(root.ChildCount(), 0); // reset before the section is looked up
}

void TestDefinitionFile::rectRules_data()
{
    QTest::addColumn<QStringList>("section");
    QTest::addColumn<bool>("loads");
    QTest::newRow("valid") << QStringList {"TYPE=RECT", "RECT=10,20"} << true;
    QTest::newRow("zero width") << QStringList {"TYPE=RECT", "RECT=0,10"} << false;
    QTest::newRow("one field") << QStringList {"TYPE=RECT", "RECT=10"} << false;
    QTest::newRow("not numbers") << QStringList {"TYPE=RECT", "RECT=a,b"} << false;
    QTest::newRow("no RECT") << QStringList {"TYPE=RECT", "LOGNAME=x"} << false;
    QTest::newRow("one line only") << QStringList {"RECT=10,20"} << false;
    QTest::newRow("text after second =") << QStringList {"TYPE=RECT", "RECT=10,20=junk"} << true;
    QTest::newRow("key case and blanks") << QStringList {"TYPE=RECT", " rect = 10 , 20 "} << true;
}

void TestDefinitionFile::rectRules()
{
    QFETCH(QStringList, section);
    QFETCH(bool, loads);
    TDPRptRect item;
    QCOMPARE(DPRpt_Load(&item, "ITEM", Params(QStringList {"[ITEM]"} + section)), loads);
    if (loads) {
        QCOMPARE(item.Width, 10.0f);
        QCOMPARE(item.Height, 20.0f);
    }
}

void TestDefinitionFile::childRules_data()
{
    QTest::addColumn<QString>("childLine");
    QTest::addColumn<bool>("added");
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::newRow("inside") << "CHILD=IMG,30,40" << true << 30.0f << 40.0f;
    QTest::newRow("x past the width") << "CHILD=IMG,900,5" << true << 10.0f << 5.0f;
    QTest::newRow("x equal to the width") << "CHILD=IMG,800,5" << true << 10.0f << 5.0f;
    QTest::newRow("y past the height") << "CHILD=IMG,5,600" << true << 5.0f << 10.0f;
    QTest::newRow("negative") << "CHILD=IMG,-1,5" << false << 0.0f << 0.0f;
    QTest::newRow("two fields") << "CHILD=IMG,5" << false << 0.0f << 0.0f;
    QTest::newRow("not a number") << "CHILD=IMG,5,x" << false << 0.0f << 0.0f;
    QTest::newRow("section missing") << "CHILD=NONE,5,5" << false << 0.0f << 0.0f;
    QTest::newRow("section fails to load") << "CHILD=BROKEN,5,5" << false << 0.0f << 0.0f;
    QTest::newRow("name in other case") << "CHILD=img,1,2" << true << 1.0f << 2.0f;
}

void TestDefinitionFile::childRules()
{
    QFETCH(QString, childLine);
    QFETCH(bool, added);
    QFETCH(float, x);
    QFETCH(float, y);
    TDPRptRect root;
    QVERIFY(DPRpt_Load(&root, "MAIN",
        Params({"[MAIN]", "TYPE=RECT", "RECT=800,600", childLine, "[IMG]", "TYPE=RECT", "RECT=100,50", "[BROKEN]",
            "TYPE=RECT", "RECT=0,0"})));
    QCOMPARE(root.ChildCount(), added ? 1 : 0);
    if (added) {
        QCOMPARE(root.ChildAt(0)->PosX, x);
        QCOMPARE(root.ChildAt(0)->PosY, y);
    }
}

void TestDefinitionFile::typeWordIsExact()
{
    const Param_Obj params = Params(
        {"[A]", "TYPE=text", "RECT=10,10", "[B]", "TYPE=UNKNOWN", "RECT=10,10", "[C]", "TYPE= RECT ", "RECT=10,10"});
    QVERIFY(!DPRpt_CreateItem("A", params));
    QVERIFY(!DPRpt_CreateItem("B", params));
    std::unique_ptr<TDPRptItem> item = DPRpt_CreateItem("C", params);
    QVERIFY(item);
}

void TestDefinitionFile::engineTypesStandAlone()
{
    // The engine knows its own classes; the background layer's type belongs
    // to the documents, which this test does not link.
    const QStringList types {"RECT", "TEXT", "VTEXT", "GRID", "IMG", "SPDR"};
    for (const QString& type : types) {
        std::unique_ptr<TDPRptItem> item = DPRpt_CreateItem("A", Params({"[A]", "TYPE=" + type, "RECT=10,10"}));
        QVERIFY2(item, qPrintable(type));
        QCOMPARE(item->TypeName(), type);
        const std::unique_ptr<TDPRptItem> empty = item->CreateEmpty();
        const TDPRptItem& made = *empty;
        const TDPRptItem& loaded = *item;
        QCOMPARE(typeid(made), typeid(loaded));
    }
    QVERIFY(!ItemTypeRegistry::Instance().IsRegistered("BKLITEM"));
    QVERIFY(!DPRpt_CreateItem("A", Params({"[A]", "TYPE=BKLITEM", "RECT=10,10"})));
}

void TestDefinitionFile::cyclicChildIsSkipped()
{
    // A forged or damaged file whose sections name each other must load in
    // finite time, keeping what it can.
    TDPRptRect root;
    QVERIFY(DPRpt_Load(&root, "A",
        Params({"[A]", "TYPE=RECT", "RECT=100,100", "CHILD=B,1,1", "CHILD=A,2,2", "[B]", "TYPE=RECT", "RECT=50,50",
            "CHILD=A,1,1"})));
    QCOMPARE(root.ChildCount(), 1);
    QCOMPARE(root.ChildAt(0)->ChildCount(), 0);
}

void TestDefinitionFile::createByKind()
{
    std::unique_ptr<TDPRptItem> rect = DPRpt_CreateItemByKind(2);
    QVERIFY(rect);
    QCOMPARE(rect->TypeName(), QString("RECT"));
    QCOMPARE(rect->Kind(), 2);
    QVERIFY(!DPRpt_CreateItemByKind(1));
    QVERIFY(!DPRpt_CreateItemByKind(3));
}

void TestDefinitionFile::unscalableItemIsNotWritten()
{
    TDPRptRect root;
    QStringList lines;
    QVERIFY(!SaveToLines(&root, lines)); // no size, never scaled
    QVERIFY(lines.isEmpty());
    root.Name = "ROOT";
    root.Width = 100;
    root.Height = 100;
    root.AddChild("BAD", std::make_unique<TDPRptRect>())->Name = "BAD";
    QVERIFY(root.SetScale(1.0f));
    QVERIFY(!SaveToLines(&root, lines));
}

void TestDefinitionFile::newItemNames()
{
    TDPRptRect root;
    QVERIFY(DPRpt_Load(&root, "MAINRECT", Params(kWorkFile)));
    // NEWIT_1, NEWIT_2 and NEWIT_3 (a grandchild) are taken.
    QCOMPARE(NewItemName(root.ChildAt(2)), QString("NEWIT_4"));
    QVERIFY(root.RemoveChild("newit_2", nullptr));
    QCOMPARE(NewItemName(&root), QString("NEWIT_2"));
}

void TestDefinitionFile::newItemNameIgnoresCase_data()
{
    QTest::addColumn<QStringList>("names"); // of the page's items, as the file spells them
    QTest::addColumn<QString>("expected");
    QTest::newRow("lower case") << QStringList {"newit_1"} << "NEWIT_2";
    QTest::newRow("mixed cases") << QStringList {"Newit_1", "nEWIT_2", "NEWIT_4"} << "NEWIT_3";
    QTest::newRow("grandchild") << QStringList {"A", "newit_1"} << "NEWIT_2";
}

void TestDefinitionFile::newItemNameIgnoresCase()
{
    // Sections are found ignoring case: a new item named like another in
    // another case would be read back as that other one, and lost.
    QFETCH(QStringList, names);
    QFETCH(QString, expected);
    QStringList lines {"[MAIN]", "TYPE=RECT", "RECT=1000,1000"};
    QStringList sections;
    const bool nested = names.first() == "A";
    for (int i = 0; i < names.size(); ++i) {
        if (i == 0 || !nested)
            lines << QStringLiteral("CHILD=%1,%2,10").arg(names[i]).arg(100 * i);
        sections << "[" + names[i] + "]"
                 << "TYPE=RECT"
                 << "RECT=50,50";
        if (nested && i == 0)
            sections << "CHILD=" + names[1] + ",5,5";
    }
    TDPRptRect root;
    QVERIFY(DPRpt_Load(&root, "MAIN", Params(lines + sections)));
    const QString name = NewItemName(&root);
    QCOMPARE(name, expected);

    auto added = std::make_unique<TDPRptRect>();
    added->Name = name;
    added->Width = added->Height = 30;
    added->PosX = added->PosY = 500;
    root.AddChild(name, std::move(added));
    TDPRptRect reloaded;
    QVERIFY(DPRpt_Load(&reloaded, "MAIN", Params(Saved(&root))));
    QCOMPARE(reloaded.ChildCount(), root.ChildCount());
    QVERIFY(reloaded.FindByName(name));
}

QTEST_MAIN(TestDefinitionFile)
#include "tst_definitionfile.moc"
