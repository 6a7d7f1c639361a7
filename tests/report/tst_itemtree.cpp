// The item tree: scale and rectangles, children, names and paths, and the
// drawing of rectangle items on a bitmap.
#include "report/ReportCanvas.h"
#include "report/TDPRptRect.h"

#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kGreen = 0xFF00FF00;
constexpr QRgb kGrey = 0xFF808080;

std::unique_ptr<TDPRptRect> NewRect(const QString& name, float width, float height, float x = 0, float y = 0)
{
    auto item = std::make_unique<TDPRptRect>();
    item->Name = name;
    item->Width = width;
    item->Height = height;
    item->PosX = x;
    item->PosY = y;
    return item;
}

// Draws the tree on a grey 200 x 200 bitmap at scale 1.
QImage Draw(TDPRptItem& root, float scale = 1.0f)
{
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(kGrey);
    QPainter painter(&image);
    ReportCanvas canvas(painter);
    root.DrawAt(image.rect(), canvas, nullptr, scale);
    painter.end();
    return image;
}

class Probe : public TDPRptRect {
public:
    explicit Probe(bool* deleted)
        : m_deleted(deleted)
    { }
    ~Probe() override { *m_deleted = true; }

private:
    bool* m_deleted;
};

} // namespace

class TestItemTree : public QObject {
    Q_OBJECT

private slots:
    void rectanglesFollowScale();
    void setScaleRules();
    void borderWidthsScale_data();
    void borderWidthsScale();
    void clipToParent_data();
    void clipToParent();
    void childList();
    void freeingRemovesFromParent();
    void refusedChildren();
    void namesAndPaths();
    void pointQueries();
    void tagsColoursAssignReset();
    void copiesStayFree();

    void drawsBackgroundsClipped();
    void transparentInvisibleAndCustomDraw();
    void drawsBorderBands();
    void drawInRectAndPrintAt();
};

void TestItemTree::rectanglesFollowScale()
{
    TDPRptRect root;
    root.Name = "ROOT";
    root.Width = 400;
    root.Height = 300;
    auto* child = root.AddChild("C", NewRect("C", 301, 200, 125, 35));
    QVERIFY(root.SetScale(0.5f));

    // Halves go to the even integer: 62.5 -> 62, 17.5 -> 18.
    QCOMPARE(child->ScaledPos, QPoint(62, 18));
    QCOMPARE(child->PixelRect, QRect(QPoint(0, 0), QPoint(150, 99)));
    QCOMPARE(child->ScreenRect, QRect(QPoint(62, 18), QPoint(212, 117)));
    QCOMPARE(child->AbsoluteRect.x, 125.0f);
    QCOMPARE(child->Scale, 0.5f);

    // Moving needs a relayout; the offsets X, Y add to the absolute place.
    child->PosX = 10;
    root.X = 4;
    QVERIFY(root.Relayout());
    QCOMPARE(child->AbsoluteRect.x, 14.0f);
    QCOMPARE(child->ScreenRect.left(), 7);
    QCOMPARE(root.PixelRect, QRect(QPoint(2, 0), QPoint(199, 149)));
}

void TestItemTree::setScaleRules()
{
    TDPRptRect item;
    QVERIFY(!item.SetScale(1.0f)); // size unset
    item.Width = 10;
    item.Height = 10;
    QVERIFY(!item.SetScale(-1.0f)); // never had a valid scale
    QVERIFY(!item.SetScale(0.0f));
    QVERIFY(item.SetScale(2.0f));
    QVERIFY(item.SetScale(-1.0f)); // keeps 2
    QVERIFY(item.SetScale(std::numeric_limits<float>::quiet_NaN())); // not a number: kept too
    QCOMPARE(item.Scale, 2.0f);
    item.X = -1;
    QVERIFY(!item.SetScale(1.0f));
    QCOMPARE(item.Scale, 2.0f);
}

void TestItemTree::borderWidthsScale_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<float>("scale");
    QTest::addColumn<int>("scaled");
    QTest::newRow("thin at half scale stays visible") << 1 << 0.5f << 1;
    QTest::newRow("zero stays zero") << 0 << 2.0f << 0;
    QTest::newRow("3 at 1") << 3 << 1.0f << 3;
    QTest::newRow("5 at 0.5") << 5 << 0.5f << 2;
    QTest::newRow("10 at 0.378") << 10 << 0.3779528f << 3;
}

void TestItemTree::borderWidthsScale()
{
    QFETCH(int, width);
    QFETCH(float, scale);
    QFETCH(int, scaled);
    TDPRptRect item;
    item.Width = 100;
    item.Height = 100;
    item.Borders.ReadSide(TDPRptBorders::Top,
        QStringLiteral("(BORDER:1,STYLE:SOLID,WIDTH:%1,COLOR:0)(BORDER:2,STYLE:SOLID,WIDTH:7,COLOR:0)").arg(width));
    QVERIFY(item.SetScale(scale));
    QCOMPARE(item.Borders.Level(TDPRptBorders::Top, 1).ScaledWidth, scaled);
    QCOMPARE(item.Borders.Level(TDPRptBorders::Top, 2).Offset, scaled);
    QCOMPARE(item.Borders.Level(TDPRptBorders::Bottom, 1).ScaledWidth, 0); // unused sides exist, empty
    item.Borders.SetScale(0.0f); // ignored
    QCOMPARE(item.Borders.Scale(), scale);
}

void TestItemTree::clipToParent_data()
{
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QRect>("result");
    const QRect parent(QPoint(10, 10), QPoint(109, 109));
    Q_UNUSED(parent);
    QTest::newRow("inside") << QRect(0, 0, 20, 20) << QPoint(5, 5) << true << QRect(15, 15, 20, 20);
    QTest::newRow("cut right and bottom")
        << QRect(0, 0, 200, 10) << QPoint(5, 95) << true << QRect(QPoint(15, 105), QPoint(109, 109));
    QTest::newRow("top-left on the edge")
        << QRect(0, 0, 5, 5) << QPoint(99, 99) << true << QRect(QPoint(109, 109), QPoint(109, 109));
    QTest::newRow("starts left of parent") << QRect(0, 0, 50, 50) << QPoint(-20, 0) << false << QRect(-10, 10, 50, 50);
    QTest::newRow("starts below parent") << QRect(0, 0, 5, 5) << QPoint(0, 100) << false << QRect(10, 110, 5, 5);
}

void TestItemTree::clipToParent()
{
    QFETCH(QRect, rect);
    QFETCH(QPoint, offset);
    QFETCH(bool, visible);
    QFETCH(QRect, result);
    TDPRptRect item;
    QCOMPARE(item.ClipToParent(QRect(QPoint(10, 10), QPoint(109, 109)), offset, rect), visible);
    QCOMPARE(rect, result);

    UnitRect unit {5, 5, 200, 20};
    QVERIFY(item.ClipToParentF({10, 10, 100, 100}, 0, 0, unit));
    QCOMPARE(unit.width, 95.0f);
    QCOMPARE(unit.height, 20.0f);
    UnitRect outside {-20, 0, 5, 5};
    QVERIFY(!item.ClipToParentF({10, 10, 100, 100}, 0, 0, outside));
}

void TestItemTree::childList()
{
    TDPRptRect root;
    auto* a = root.AddChild("A", NewRect("A", 10, 10));
    QCOMPARE(root.AddObject("A", std::unique_ptr<TDPRptItem>(a)), 0); // already there: kept once, not freed
    auto b = NewRect("B", 10, 10);
    auto* bAdded = b.get();
    QVERIFY(root.InsertChild(0, std::move(b)));
    QVERIFY(!root.InsertChild(0, std::unique_ptr<TDPRptItem>(bAdded)));
    QVERIFY(!root.InsertChild(-1, NewRect("C", 10, 10)));
    auto c = NewRect("C", 10, 10);
    auto* cAdded = c.get();
    QVERIFY(root.InsertChild(99, std::move(c))); // past the end: appended
    QCOMPARE(root.ChildCount(), 3);
    QCOMPARE(root.ChildAt(0), bAdded);
    QCOMPARE(root.ChildAt(2), cAdded);
    QVERIFY(!root.ChildAt(3));
    QCOMPARE(root.ChildName(2), QString("C"));
    QCOMPARE(cAdded->Parent(), &root);

    QVERIFY(!root.TakeChild("a", bAdded)); // name and object disagree
    std::unique_ptr<TDPRptItem> taken = root.TakeChild(" a ", a);
    QCOMPARE(taken.get(), a);
    QCOMPARE(a->Parent(), nullptr);
    QVERIFY(root.RemoveChild(QString(), bAdded));
    QVERIFY(!root.RemoveChild("missing", nullptr));
    QCOMPARE(root.ChildCount(), 1);

    // A taken item joins another tree, at a position.
    TDPRptRect other;
    QCOMPARE(other.InsertObject(-5, "A", std::move(taken)), 0);
    QCOMPARE(other.InsertObject(0, "C", root.TakeChild("C", nullptr)), 0);
    QCOMPARE(root.ChildCount(), 0);
    QCOMPARE(other.ChildAt(0), cAdded);
    QCOMPARE(other.ChildAt(1), a);
    QCOMPARE(a->Parent(), &other);
}

void TestItemTree::freeingRemovesFromParent()
{
    bool deleted = false;
    TDPRptRect root;
    auto* probe = root.AddChild("P", std::make_unique<Probe>(&deleted));
    root.AddObject("Q", NewRect("Q", 1, 1));
    delete probe; // freeing a child takes it out of its parent's list
    QVERIFY(deleted);
    QCOMPARE(root.ChildCount(), 1);
    QCOMPARE(root.ChildName(0), QString("Q"));

    deleted = false;
    root.AddObject("P", std::make_unique<Probe>(&deleted));
    QVERIFY(root.RemoveChild("P", nullptr));
    QVERIFY(deleted);

    deleted = false;
    root.AddObject("P", std::make_unique<Probe>(&deleted));
    std::unique_ptr<TDPRptItem> kept = root.TakeChild("p", nullptr);
    QVERIFY(!deleted);
    kept.reset(); // a taken item no list holds touches no parent when freed
    QVERIFY(deleted);
    QCOMPARE(root.ChildCount(), 1);

    deleted = false;
    root.AddObject("P", std::make_unique<Probe>(&deleted));
    root.Reset();
    QVERIFY(deleted);
    QCOMPARE(root.ChildCount(), 0);
}

void TestItemTree::refusedChildren()
{
#ifndef QT_NO_DEBUG
    QSKIP("a refused child is a mistake of the program: debug builds stop on its assertion");
#endif
    // A refused item is freed, not leaked, and the tree is unchanged.
    bool deleted = false;
    TDPRptRect root;
    root.CanHaveChildren = false;
    QCOMPARE(root.AddObject("P", std::make_unique<Probe>(&deleted)), -1);
    QVERIFY(deleted);
    deleted = false;
    QCOMPARE(root.InsertObject(0, "P", std::make_unique<Probe>(&deleted)), -1);
    QVERIFY(deleted);
    QVERIFY(!root.AddChild("C", NewRect("C", 1, 1)));
    QCOMPARE(root.ChildCount(), 0);
    root.CanHaveChildren = true;
    QCOMPARE(root.AddObject("X", nullptr), -1);

    // An item owned elsewhere (an ancestor, or a child of another item) is
    // refused and left to its owner.
    auto* child = root.AddChild("C", NewRect("C", 1, 1));
    auto* grandChild = child->AddChild("G", NewRect("G", 1, 1));
    QCOMPARE(grandChild->AddObject("ROOT", std::unique_ptr<TDPRptItem>(&root)), -1);
    QCOMPARE(child->AddObject("SELF", std::unique_ptr<TDPRptItem>(child)), -1);
    TDPRptRect other;
    QCOMPARE(other.AddObject("G", std::unique_ptr<TDPRptItem>(grandChild)), -1);
    QCOMPARE(grandChild->Parent(), child);
    QCOMPARE(child->ChildCount(), 1);
    QCOMPARE(other.ChildCount(), 0);
    QCOMPARE(root.ChildCount(), 1);
}

void TestItemTree::namesAndPaths()
{
    TDPRptRect root;
    root.Name = "ROOT";
    auto* child = root.AddChild("C", NewRect("C", 1, 1));
    child->LogName = "Page";
    auto* grandChild = child->AddChild("G", NewRect("G", 1, 1));

    QCOMPARE(child->Path(), QString("Page"));
    child->PathFlag = true;
    grandChild->PathFlag = true;
    QCOMPARE(grandChild->Path(), QString("ROOT\\Page\\G"));
    QCOMPARE(root.FindByPath("ROOT\\Page\\G"), grandChild);
    QCOMPARE(root.FindByPath("ROOT\\C"), nullptr);
    QCOMPARE(root.FindByName("G"), grandChild);
    QCOMPARE(root.FindByName("g"), nullptr); // exact
    QCOMPARE(grandChild->Root(), &root);
}

void TestItemTree::pointQueries()
{
    TDPRptRect root;
    root.Name = "ROOT";
    root.Width = 100;
    root.Height = 100;
    root.AddObject("A", NewRect("A", 20, 20, 10, 10));
    root.AddObject("B", NewRect("B", 50, 50, 20, 20));
    QVERIFY(root.SetScale(1.0f));

    QList<QPair<QString, TDPRptItem*>> items;
    root.ItemsAtPoint(25, 25, items);
    QCOMPARE(items.size(), 3);
    QCOMPARE(items[0].first, QString("ROOT"));
    QCOMPARE(items[1].first, QString("A"));
    QCOMPARE(items[2].first, QString("B"));

    const TDPRptItem* a = root.ChildAt(0);
    QCOMPARE(a->HitDistance(10, 10), 0);
    QCOMPARE(a->HitDistance(29, 29), 0); // edges included
    QCOMPARE(a->HitDistance(30, 29), 10000);
    QCOMPARE(a->HandleAt(10, 10), 0);
    HandleDrag drag;
    QVERIFY(!root.ChildAt(0)->DragHandle(1, 1, 1, false, drag));
    QVERIFY(!root.ChildAt(0)->ApplyHandleDrag(HandleDrag {1, QRect(10, 10, 5, 5), 0, 0, a->ScreenRect, 1.0f}));
    QPoint point;
    QVERIFY(!a->HandlePoint(1, point));
}

void TestItemTree::tagsColoursAssignReset()
{
    TDPRptRect root;
    root.Name = "ROOT";
    root.Width = 100;
    root.Height = 80;
    root.Transparent = true;
    root.Font.Name = "Arial";
    root.Borders.ReadSide(TDPRptBorders::Top, "(BORDER:1,STYLE:SOLID,WIDTH:2,COLOR:0)");
    auto* child = root.AddChild("C", NewRect("C", 1, 1));

    root.SetTag(false, 5);
    QCOMPARE(child->Tag, 0);
    root.SetTag(true, 7);
    QCOMPARE(child->Tag, 7);
    QVERIFY(!root.SetColorIndex(3));
    QVERIFY(!root.SetColorIndex(-1));
    QVERIFY(root.SetColorIndex(2));
    QCOMPARE(child->ColorIndex, 2);

    TDPRptRect copy;
    QVERIFY(!copy.AssignFrom(2, &root));
    QVERIFY(copy.AssignFrom(0, &root));
    QCOMPARE(copy.Name, QString("ROOT"));
    QCOMPARE(copy.Height, 80.0f);
    QVERIFY(copy.Transparent);
    QCOMPARE(copy.Font.Name, QString("Arial"));
    QCOMPARE(copy.Borders, root.Borders);
    QCOMPARE(copy.ChildCount(), 0);
    QVERIFY(!child->AssignFrom(1, &root)); // it would take itself
    QCOMPARE(root.ChildCount(), 1);
    QVERIFY(copy.AssignFrom(1, &root)); // children change owner
    QCOMPARE(copy.ChildCount(), 1);
    QCOMPARE(root.ChildCount(), 0);
    QCOMPARE(child->Parent(), &copy);

    copy.Reset();
    QCOMPARE(copy.Name, QString());
    QCOMPARE(copy.Width, TDPRptItem::Unset);
    QCOMPARE(copy.Scale, -1.0f);
    QCOMPARE(copy.ChildCount(), 0);
    QVERIFY(!copy.Transparent);
    QCOMPARE(copy.Font, FontDescription());
    QCOMPARE(copy.Borders.LevelCount(), 0);
    QCOMPARE(copy.ForeColors[1].Value(), quint32(0x808080));
    QCOMPARE(copy.BackColors[2].Value(), quint32(0xFFFFFF));
    QVERIFY(copy.Visible);
    QVERIFY(copy.CanHaveChildren);
}

void TestItemTree::copiesStayFree()
{
    // A copy of a child (an undo record's saved state) belongs to no list:
    // it outlives the tree it was copied from, and freeing it touches
    // nothing of that tree. The editing state stays with the item on screen.
    auto copy = std::make_unique<TDPRptRect>();
    auto deep = std::unique_ptr<TDPRptItem>();
    {
        auto root = NewRect("ROOT", 100, 100);
        auto* child = root->AddChild("C", NewRect("C", 40, 30, 5, 6));
        auto* grandChild = child->AddChild("G", NewRect("G", 10, 10, 1, 2));
        child->EditState.SelectionVisible = true;
        child->EditState.BeingEdited = true;
        QVERIFY(root->SetScale(1.0f));
        QVERIFY(copy->AssignFrom(0, child));
        QCOMPARE(copy->Parent(), nullptr);
        QVERIFY(!copy->EditState.SelectionVisible && !copy->EditState.BeingEdited);
        QCOMPARE(copy->ScreenRect, child->ScreenRect);

        deep = root->DeepCopy();
        QVERIFY(deep);
        QCOMPARE(deep->ChildCount(), 1);
        TDPRptItem* childCopy = deep->ChildAt(0);
        QVERIFY(childCopy != child);
        QCOMPARE(childCopy->Parent(), deep.get());
        QVERIFY(dynamic_cast<TDPRptRect*>(childCopy));
        QVERIFY(!childCopy->EditState.SelectionVisible);
        QCOMPARE(childCopy->ChildAt(0)->Name, grandChild->Name);
        QCOMPARE(childCopy->ChildAt(0)->ScreenRect, grandChild->ScreenRect);
        QCOMPARE(child->ChildCount(), 1); // the source keeps its children
    }
    QVERIFY(copy->SetScale(2.0f)); // laid out on its own, as a root
    QCOMPARE(copy->ScreenRect, QRect(0, 0, 80, 60));
    copy.reset();
    QVERIFY(deep->SetScale(0.5f));
    QCOMPARE(deep->ChildAt(0)->ChildAt(0)->ScreenRect.topLeft(), QPoint(3, 4));
}

void TestItemTree::drawsBackgroundsClipped()
{
    TDPRptRect root;
    root.Name = "ROOT";
    root.Width = 150;
    root.Height = 150;
    auto* red = root.AddChild("R", NewRect("R", 50, 30, 10, 20));
    red->BackColors[0] = RgbColor(0x0000FF);
    auto* overflowing = root.AddChild("O", NewRect("O", 50, 50, 130, 140));
    overflowing->BackColors[0] = RgbColor(0xFF0000);
    const QImage image = Draw(root);

    QCOMPARE(image.pixel(0, 0), kWhite);
    QCOMPARE(image.pixel(149, 149), kBlue); // clipped at the parent's corner
    QCOMPARE(image.pixel(150, 150), kGrey);
    QCOMPARE(image.pixel(10, 20), kRed);
    QCOMPARE(image.pixel(59, 49), kRed);
    QCOMPARE(image.pixel(60, 49), kWhite);
    QCOMPARE(image.pixel(59, 50), kWhite);
    QCOMPARE(image.pixel(9, 20), kWhite);
    QCOMPARE(image.pixel(130, 140), kBlue);
    QCOMPARE(image.pixel(129, 140), kWhite);

    // Same tree at scale 0.5: the red item covers (5, 10) to (29, 24).
    const QImage half = Draw(root, 0.5f);
    QCOMPARE(half.pixel(5, 10), kRed);
    QCOMPARE(half.pixel(29, 24), kRed);
    QCOMPARE(half.pixel(30, 24), kWhite);
    QCOMPARE(half.pixel(75, 75), kGrey);
}

void TestItemTree::transparentInvisibleAndCustomDraw()
{
    TDPRptRect root;
    root.Width = 100;
    root.Height = 100;
    root.Transparent = true;
    auto* hidden = root.AddChild("H", NewRect("H", 10, 10, 0, 0));
    hidden->Visible = false;
    hidden->BackColors[0] = RgbColor(0x0000FF);
    auto* custom = root.AddChild("C", NewRect("C", 10, 10, 20, 0));
    custom->BackColors[0] = RgbColor(0x0000FF);
    QList<int> stages;
    custom->OnCustomDraw = [&](int stage, TDPRptItem*) {
        stages.append(stage);
        return true;
    };
    const QImage image = Draw(root);
    QCOMPARE(image.pixel(50, 50), kGrey); // transparent root
    QCOMPARE(image.pixel(5, 5), kGrey); // invisible child
    QCOMPARE(image.pixel(25, 5), kGrey); // drawing suppressed at stage 0
    QCOMPARE(stages, (QList<int> {0, 1}));
    QCOMPARE(hidden->Scale, 1.0f); // an invisible item still gets its scale
}

void TestItemTree::drawsBorderBands()
{
    TDPRptRect root;
    root.Width = 100;
    root.Height = 100;
    auto* boxed = root.AddChild("B", NewRect("B", 40, 40, 10, 20));
    boxed->BackColors[0] = RgbColor(0x0000FF);
    // Level 1 (inner): green, 2 units -> 2 px; level 2 (outer): blue, 1 px.
    boxed->Borders.ReadSide(
        TDPRptBorders::Top, "(BORDER:1,STYLE:SOLID,WIDTH:2,COLOR:65280)(BORDER:2,STYLE:SOLID,WIDTH:1,COLOR:16711680)");
    boxed->Borders.ReadSide(TDPRptBorders::Right, "(BORDER:2,STYLE:TRANSPARENT,WIDTH:3,COLOR:0)");
    const QImage image = Draw(root);
    QCOMPARE(image.pixel(30, 20), kBlue); // outer band at the edge
    QCOMPARE(image.pixel(30, 21), kGreen);
    QCOMPARE(image.pixel(30, 22), kGreen);
    QCOMPARE(image.pixel(30, 23), kRed); // background
    QCOMPARE(image.pixel(49, 40), kRed); // a transparent band is left unpainted
    QCOMPARE(image.pixel(10, 59), kRed); // no bottom border
}

void TestItemTree::drawInRectAndPrintAt()
{
    TDPRptRect item;
    item.Width = 20;
    item.Height = 20;
    item.BackColors[0] = RgbColor(0x0000FF);
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(kGrey);
    QPainter painter(&image);
    ReportCanvas canvas(painter);
    QVERIFY(item.DrawInRect({50, 60, 100, 100}, canvas, 1.0f));
    QVERIFY(item.PrintAt(canvas, nullptr, 120, 130, 20, 20, 1.0f, image.rect()));
    painter.end();
    QCOMPARE(image.pixel(50, 60), kRed);
    QCOMPARE(image.pixel(69, 79), kRed);
    QCOMPARE(image.pixel(70, 60), kGrey);
    QCOMPARE(image.pixel(120, 130), kRed);
    QCOMPARE(item.PosX, 0.0f); // its place is kept
    QCOMPARE(item.ScreenRect.topLeft(), QPoint(0, 0));

    // Printed at another scale, the item keeps the one it has.
    QImage half(100, 100, QImage::Format_RGB32);
    half.fill(kGrey);
    QPainter halfPainter(&half);
    ReportCanvas halfCanvas(halfPainter);
    QVERIFY(item.PrintAt(halfCanvas, nullptr, 40, 40, 10, 10, 0.5f, half.rect()));
    halfPainter.end();
    QCOMPARE(half.pixel(40, 40), kRed);
    QCOMPARE(half.pixel(49, 49), kRed);
    QCOMPARE(half.pixel(50, 50), kGrey);
    QCOMPARE(item.Scale, 1.0f);
    QCOMPARE(item.ScreenRect, QRect(0, 0, 20, 20));
}

QTEST_MAIN(TestItemTree)
#include "tst_itemtree.moc"
