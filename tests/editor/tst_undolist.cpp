// The undo list behind the item editor: records, collapsing, compaction,
// cancelling and replay.
#include "EditorHost.h"

#include "editor/ItemColors.h"
#include "editor/TEP_UndoList.h"
#include "platform/WindowsKeys.h"

#include <QtTest>

namespace {
QList<int> Kinds(const TEP_UndoList& list)
{
    QList<int> kinds;
    for (int i = 0; i < list.Count(); ++i)
        kinds << list.At(i).Kind;
    return kinds;
}
} // namespace

class TestUndoList : public QObject {
    Q_OBJECT
private slots:
    void emptyListDoesNothing();
    void fiveArrowMovesUndoneAtOnce();
    void undoCreationRemovesItemOnly();
    void undoDeletionRestoresItemAndSelectsIt();
    void recordsCollapseAndCompact_data();
    void recordsCollapseAndCompact();
    void colourStepsEachUndone();
    void cancelRemovesOnlyWhatWasAppended();
    void stepOfVanishedItemIsDropped();
    void undoSelectsItemFirst();
    void undoResizeGoesBackToSize();
    void refusedResizeStopsAndIsDropped();
    void undoReshapeRestoresArrow();
    void undoCarryStartPutsItemBack();
    void listEmptiedOnAttachAndDetach();
};

void TestUndoList::emptyListDoesNothing()
{
    EditorHost host;
    TDPRptSpDr* item = host.AddDrawing(QStringLiteral("R"), TDPRptSpDr::SpRect, QRectF(500, 500, 200, 200));
    host.editor.UndoList().Undo();
    QVERIFY(!host.editor.IsEditing());
    QVERIFY(!host.editor.UndoList().Replaying);
    QCOMPARE(host.Root().FindByName(QStringLiteral("R")), item);
}

void TestUndoList::fiveArrowMovesUndoneAtOnce()
{
    EditorHost host;
    TDPRptSpDr* item = host.AddDrawing(QStringLiteral("R"), TDPRptSpDr::SpRect, QRectF(500, 500, 200, 200));
    QVERIFY(host.editor.Select(&host.box, item));
    const QPoint before = host.Surface().topLeft();
    for (int i = 0; i < 5; ++i)
        host.editor.KeyDown(WindowsKeys::Right, 0);
    QCOMPARE(host.Surface().topLeft(), before + QPoint(50, 0));
    QCOMPARE(Kinds(host.editor.UndoList()), (QList<int> {TEP_Undo::Selected, TEP_Undo::Moved}));
    host.editor.UndoList().Undo();
    QCOMPARE(host.Surface().topLeft(), before);
    QCOMPARE(host.editor.Current(), item);
}

void TestUndoList::undoCreationRemovesItemOnly()
{
    EditorHost host;
    TDPRptSpDr* older = host.AddDrawing(QStringLiteral("A"), TDPRptSpDr::SpRect, QRectF(500, 500, 200, 200));
    int afterDelete = 0;
    host.editor.AfterDelete = [&] { ++afterDelete; };
    QVERIFY(host.editor.Select(&host.box, older));
    const QPoint olderPlace = host.Surface().topLeft();
    host.editor.KeyDown(WindowsKeys::Down, 0);
    const int children = host.Root().ChildCount();
    QVERIFY(host.editor.AddDrawing(&host.box, TDPRptSpDr::SpCross));
    const QString name = host.editor.Current()->Name;
    QCOMPARE(Kinds(host.editor.UndoList()).mid(2), (QList<int> {TEP_Undo::Created, TEP_Undo::Selected}));
    host.editor.UndoList().Undo();
    QVERIFY(!host.Root().FindByName(name));
    QCOMPARE(host.Root().ChildCount(), children);
    QCOMPARE(afterDelete, 1);
    // The same press does not go on to undo the move of the older item.
    QVERIFY(!host.editor.IsEditing());
    QCOMPARE(Kinds(host.editor.UndoList()), (QList<int> {TEP_Undo::Selected, TEP_Undo::Moved}));
    host.editor.UndoList().Undo();
    QCOMPARE(host.editor.Current(), older);
    QCOMPARE(host.Surface().topLeft(), olderPlace);
}

void TestUndoList::undoDeletionRestoresItemAndSelectsIt()
{
    EditorHost host;
    host.AddDrawing(QStringLiteral("A"), TDPRptSpDr::SpRect, QRectF(100, 100, 200, 200));
    TDPRptSpDr* item = host.AddDrawing(QStringLiteral("B"), TDPRptSpDr::SpCross, QRectF(500, 500, 200, 200), 9);
    host.AddDrawing(QStringLiteral("C"), TDPRptSpDr::SpRect, QRectF(900, 900, 200, 200));
    const int index = host.Root().IndexOfChild(item);
    QVERIFY(host.editor.Select(&host.box, item));
    QVERIFY(host.editor.Move(EP_ItEdt::MoveLeft, 10, true));
    const QRect placed = host.SurfaceOnPage();
    QVERIFY(host.editor.KeyDown(WindowsKeys::Delete, 0));
    QVERIFY(!host.Root().FindByName(QStringLiteral("B")));
    TDPRptItem* selectedByUndo = nullptr;
    host.editor.UndoList().OnSelected = [&](TDPRptItem* selected) { selectedByUndo = selected; };
    host.editor.UndoList().Undo();
    TDPRptItem* back = host.Root().FindByName(QStringLiteral("B"));
    QVERIFY(back);
    QCOMPARE(host.Root().IndexOfChild(back), index);
    QCOMPARE(host.Root().ChildName(index), QStringLiteral("B"));
    QCOMPARE(host.editor.Current(), back);
    QCOMPARE(selectedByUndo, back);
    QCOMPARE(dynamic_cast<TDPRptSpDr*>(back)->PenSize, 9);
    QCOMPARE(host.SurfaceOnPage(), placed);
}

void TestUndoList::recordsCollapseAndCompact_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QList<int>>("kinds");
    const int select = TEP_Undo::Selected, move = TEP_Undo::Moved, resize = TEP_Undo::Resized,
              geometry = TEP_Undo::GeometrySnapshot, drag = TEP_Undo::SurfaceDragged;
    QTest::newRow("same item selected twice") << "select,select" << QList<int> {select};
    QTest::newRow("moves then resizes") << "move,move,resize,resize" << QList<int> {select, move, resize};
    QTest::newRow("move, resize, move") << "move,resize,move" << QList<int> {select, move, resize, move};
    QTest::newRow("equal geometry snapshots") << "geometry,geometry" << QList<int> {select, geometry};
    QTest::newRow("surface drags are kept apart from moves")
        << "drag,move,move,drag" << QList<int> {select, drag, move, drag};
}

void TestUndoList::recordsCollapseAndCompact()
{
    QFETCH(QString, steps);
    QFETCH(QList<int>, kinds);
    EditorHost host;
    TDPRptSpDr* item = host.AddDrawing(QStringLiteral("R"), TDPRptSpDr::SpRect, QRectF(500, 500, 200, 200));
    QVERIFY(host.editor.Select(&host.box, item));
    TEP_UndoList& list = host.editor.UndoList();
    for (const QString& step : steps.split(QLatin1Char(','))) {
        if (step == QLatin1String("select"))
            host.editor.Select(&host.box, item);
        else if (step == QLatin1String("move"))
            host.editor.Move(EP_ItEdt::MoveDown, 5, true);
        else if (step == QLatin1String("resize"))
            host.editor.Resize(5, 5, true);
        else if (step == QLatin1String("geometry"))
            list.RecordGeometry();
        else if (step == QLatin1String("drag"))
            list.RecordSurfaceDrag();
    }
    QCOMPARE(Kinds(list), kinds);
}

void TestUndoList::colourStepsEachUndone()
{
    EditorHost host;
    TDPRptSpDr* item = host.AddDrawing(QStringLiteral("R"), TDPRptSpDr::SpFBRect, QRectF(500, 500, 200, 200));
    item->BackColors[0] = RgbColor(0x00FFFF);
    QVERIFY(host.editor.Select(&host.box, item));
    QVERIFY(host.editor.SetColor(RgbColor(0x0000FF)));
    QVERIFY(host.editor.SetColor(RgbColor(0xFF0000)));
    QCOMPARE(item->BackColors[0], RgbColor(0xFF0000));
    QCOMPARE(item->ForeColors[0], RgbColor(0));
    host.editor.UndoList().Undo();
    QCOMPARE(item->BackColors[0], RgbColor(0x0000FF));
    host.editor.UndoList().Undo();
    QCOMPARE(item->BackColors[0], RgbColor(0x00FFFF));
    QCOMPARE(host.config.Session.CurrentColor, RgbColor(0x00FFFF));
}

void TestUndoList::cancelRemovesOnlyWhatWasAppended()
{
    EditorHost host;
    TDPRptSpDr* item = host.AddDrawing(QStringLiteral("R"), TDPRptSpDr::SpRect, QRectF(500, 500, 200, 200));
    QVERIFY(host.editor.Select(&host.box, item));
    TEP_UndoList& list = host.editor.UndoList();
    const TEP_Undo* first = list.RecordGeometry();
    QVERIFY(first);
    // The same snapshot again is not appended: cancelling it leaves the
    // first one in place.
    const TEP_Undo* repeated = list.RecordGeometry();
    QCOMPARE(repeated, nullptr);
    list.Cancel(repeated);
    QCOMPARE(list.Newest(), first);
    list.Cancel(first);
    QCOMPARE(Kinds(list), QList<int> {TEP_Undo::Selected});
}

void TestUndoList::stepOfVanishedItemIsDropped()
{
    EditorHost host;
    TDPRptSpDr* kept = host.AddDrawing(QStringLiteral("A"), TDPRptSpDr::SpRect, QRectF(100, 100, 200, 200));
    TDPRptSpDr* gone = host.AddDrawing(QStringLiteral("B"), TDPRptSpDr::SpRect, QRectF(500, 500, 200, 200));
    QVERIFY(host.editor.Select(&host.box, kept));
    const QPoint keptPlace = host.Surface().topLeft();
    host.editor.Move(EP_ItEdt::MoveRight, 10, true);
    QVERIFY(host.editor.Select(&host.box, gone));
    host.editor.Move(EP_ItEdt::MoveRight, 10, true);
    host.editor.EndEdit(&host.box, true);
    // Removed behind the editor's back (as a carried item's editor may).
    QVERIFY(host.Root().RemoveChild(QStringLiteral("B"), gone));
    // B's steps are dropped and the undo goes on with A's move.
    host.editor.UndoList().Undo();
    QCOMPARE(host.editor.Current(), kept);
    QCOMPARE(host.Surface().topLeft(), keptPlace);
    QCOMPARE(Kinds(host.editor.UndoList()), QList<int> {TEP_Undo::Selected});
}

void TestUndoList::undoSelectsItemFirst()
{
    EditorHost host;
    TDPRptSpDr* first = host.AddDrawing(QStringLiteral("A"), TDPRptSpDr::SpRect, QRectF(100, 100, 200, 200));
    TDPRptSpDr* second = host.AddDrawing(QStringLiteral("B"), TDPRptSpDr::SpRect, QRectF(500, 500, 200, 200));
    QVERIFY(host.editor.Select(&host.box, first));
    QVERIFY(host.editor.SetColor(RgbColor(0x0000FF)));
    // Selecting B through undo would be recorded again: recording is off
    // while replaying.
    QVERIFY(host.editor.Select(&host.box, second));
    const int count = host.editor.UndoList().Count();
    TDPRptItem* told = nullptr;
    host.editor.UndoList().OnSelected = [&](TDPRptItem* item) { told = item; };
    host.editor.UndoList().Undo(); // B's selection: B already selected, goes on to A's colour
    QCOMPARE(host.editor.Current(), first);
    QCOMPARE(told, first);
    QCOMPARE(first->ForeColors[0], RgbColor(0));
    QCOMPARE(host.editor.UndoList().Count(), count - 2);
}

void TestUndoList::undoResizeGoesBackToSize()
{
    EditorHost host(1.5);
    TDPRptSpDr* item = host.AddDrawing(QStringLiteral("R"), TDPRptSpDr::SpRect, QRectF(500, 500, 200, 200));
    QVERIFY(host.editor.Select(&host.box, item));
    const QSize before = host.Surface().size();
    const float width = item->Width;
    for (int i = 0; i < 3; ++i)
        QVERIFY(host.editor.Resize(10, 20, true));
    QCOMPARE(host.Surface().size(), before + QSize(60, 30));
    host.editor.UndoList().Undo();
    QCOMPARE(host.Surface().size(), before);
    QVERIFY(std::abs(item->Width - width) < 1.0f);
    QCOMPARE(host.messenger.Beeps, 0);
}

void TestUndoList::refusedResizeStopsAndIsDropped()
{
    EditorHost host(1.5);
    TDPRptSpDr* item = host.AddDrawing(QStringLiteral("R"), TDPRptSpDr::SpRect, QRectF(500, 500, 200, 200));
    QVERIFY(host.editor.Select(&host.box, item));
    // A size recorded, then the item made narrower and pushed against the
    // right edge, where the recorded size no longer fits.
    host.editor.UndoList().Clear();
    QVERIFY(host.editor.UndoList().RecordResize());
    const QRect page = host.PageRect();
    host.editor.Resize(0, -60, true);
    host.editor.PlaceSurface(QPoint(page.width() - host.Surface().width() - 3, 100));
    const int narrow = host.Surface().width();
    host.editor.UndoList().Undo();
    QCOMPARE(host.editor.UndoList().Count(), 0);
    QCOMPARE(host.Surface().width(), narrow);
    QVERIFY(!host.editor.UndoList().Replaying);
}

void TestUndoList::undoReshapeRestoresArrow()
{
    EditorHost host;
    QVERIFY(host.editor.AddDrawing(&host.box, TDPRptSpDr::SpArrow));
    auto* arrow = dynamic_cast<TDPRptSpDr*>(host.editor.Current());
    host.editor.PlaceSurface(QPoint(300, 300));
    const QRect before = host.Surface();
    QVERIFY(host.editor.TurnArrow(90));
    QVERIFY(host.editor.ChangeArrowLength(-30));
    QCOMPARE(arrow->Length, 170);
    host.editor.UndoList().Undo();
    QCOMPARE(arrow->Length, 200);
    QCOMPARE(arrow->Angle, 90.0f);
    host.editor.UndoList().Undo();
    QCOMPARE(arrow->Angle, 0.0f);
    QCOMPARE(host.Surface(), before);
}

void TestUndoList::undoCarryStartPutsItemBack()
{
    EditorHost host;
    TDPRptSpDr* item = host.AddDrawing(QStringLiteral("R"), TDPRptSpDr::SpRect, QRectF(500, 500, 200, 200));
    QVERIFY(host.editor.UndoList().RecordCarryStart(*item));
    item->PosX = 900;
    item->SetScale(host.Scale());
    host.editor.UndoList().Undo();
    QCOMPARE(item->PosX, 500.0f);
    QCOMPARE(item->ScreenRect.left(), RoundHalfEven(500 * host.Scale()));
}

void TestUndoList::listEmptiedOnAttachAndDetach()
{
    EditorHost host;
    QVERIFY(host.editor.AddDrawing(&host.box, TDPRptSpDr::SpRect));
    QVERIFY(host.editor.UndoList().Count() > 0);
    host.editor.Attach(&host.box, &host.document, &host.box, host.box.EditImage(), host.box.PageImage());
    QCOMPARE(host.editor.UndoList().Count(), 0);
    QVERIFY(host.editor.AddDrawing(&host.box, TDPRptSpDr::SpRect));
    host.editor.Detach(&host.box);
    QCOMPARE(host.editor.UndoList().Count(), 0);
    QVERIFY(!host.editor.DocumentChanged());
}

QTEST_MAIN(TestUndoList)
#include "tst_undolist.moc"
