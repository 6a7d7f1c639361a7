// The documents view's changes: new names, scanned pages, imports (copy and
// transfer), new folders, deletions with their questions, and drag and drop
// with its rules, its scrolling and its errors.
#include "DocsTreeBench.h"
#include "documents/JpegHeader.h"
#include "selection/DragScroller.h"

#include <QApplication>
#include <QMimeData>
#include <QScrollBar>

namespace {

const QString DeleteRootQuestion = QStringLiteral("Attention vous allez supprimer définitivement tous les documents "
                                                  "de l'application.\nConfirmez vous cette opération?");

// A drag of one entry over another, then the drop, as the window system
// sends them to the view.
void DragAndDrop(TEP_DocsTree& tree, TEP_DocsNode* dragged, TEP_DocsNode* target)
{
    std::unique_ptr<QMimeData> data(TEP_DocsTree::DragData(*dragged));
    const QPoint over = tree.visualRect(tree.IndexOf(target)).center();
    QDragEnterEvent enter(over, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree.viewport(), &enter);
    QDragMoveEvent move(over, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree.viewport(), &move);
    QDropEvent drop(over, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree.viewport(), &drop);
}

} // namespace

class TestDocsTreeEdits : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void checkNewName_data();
    void checkNewName();
    void addScannedPage_data();
    void addScannedPage();
    void addingAnExistingNameWritesNothing();
    void import_data();
    void import();
    void newFolder_data();
    void newFolder();
    void deleteSelected_data();
    void deleteSelected();
    void deletingTheRootLeavesItEmpty();
    void deletingWithoutSelection();
    void dropRules_data();
    void dropRules();
    void droppingAFolderOnAWorksheetOfItsFolderOnlyReorders();
    void droppingOnAFolderMovesTheFiles();
    void droppingOnAWorksheetOfAnotherFolder();
    void movedFolderKeepsItsExpansion();
    void failedDropShowsTheTextViewer();
    void beforeDropMayRefuse();
    void dragScrollsOneLineEvery200Ms();

private:
    std::unique_ptr<DocsTreeBench> m_bench;
    QTemporaryDir m_outside; // files to import
};

void TestDocsTreeEdits::init()
{
    m_bench = std::make_unique<DocsTreeBench>();
}

void TestDocsTreeEdits::cleanup()
{
    m_bench.reset();
}

void TestDocsTreeEdits::checkNewName_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("free");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QString>("trimmed");
    QTest::addColumn<QString>("message");
    QTest::newRow("free, trimmed") << "Lecture/lecture2"
                                   << "  lecture4 " << true << false << "lecture4"
                                   << "";
    QTest::newRow("empty") << "Lecture"
                           << "   " << false << false << ""
                           << "Un document ne peut posséder un nom vide.";
    QTest::newRow("a worksheet, any case") << "Lecture/lecture2"
                                           << "LECTURE1" << false << true << "LECTURE1"
                                           << "";
    QTest::newRow("a sub-folder") << "Calcul"
                                  << "tables" << false << false << "tables"
                                  << "Le document ou le dossier \"tables\" existe déja.";
    QTest::newRow("a picture another PC added") << "Calcul"
                                                << "multiplication" << false << true << "multiplication"
                                                << "";
    const QString refused = QStringLiteral("ne peut pas être un nom de fiche");
    QTest::newRow("slash") << "Lecture"
                           << "a/b" << false << false << "a/b" << refused;
    QTest::newRow("colon") << "Lecture"
                           << "lecture:2" << false << false << "lecture:2" << refused;
    QTest::newRow("device name") << "Lecture"
                                 << "Con" << false << false << "Con" << refused;
    QTest::newRow("a dot") << "Lecture"
                           << "page.2" << false << false << "page.2" << refused;
    QTest::newRow("nothing selected") << "-"
                                      << "page" << false << false << "page"
                                      << "Impossible d'ajouter un document : aucun noeud n'est sélectionné.";
}

void TestDocsTreeEdits::checkNewName()
{
    QFETCH(QString, selected);
    QFETCH(QString, name);
    QFETCH(bool, free);
    QFETCH(bool, exists);
    QFETCH(QString, trimmed);
    QFETCH(QString, message);
    DocsTreeBench& b = *m_bench;
    b.Jpeg("Calcul/Multiplication.JPG"); // on disk, not yet in the tree
    if (selected == QLatin1String("-"))
        b.tree->setCurrentIndex(QModelIndex());
    else
        QVERIFY(b.Select(selected));
    bool found = !exists;
    const Outcome checked = b.tree->CheckNewName(name, found);
    QCOMPARE(checked.Ok(), free);
    QCOMPARE(found, exists);
    QCOMPARE(name, trimmed);
    QVERIFY2(checked.Text().contains(message), qPrintable(checked.Text()));
    QCOMPARE(checked.Text().isEmpty(), message.isEmpty());
}

void TestDocsTreeEdits::addScannedPage_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("a worksheet selected: just before it")
        << "Lecture/lecture2"
        << "Lecture" << QStringList({"lecture1", "scan", "lecture2", "lecture3"});
    QTest::newRow("a folder selected: first in it")
        << "Calcul"
        << "Calcul" << QStringList({"scan", "addition", "soustraction", "Tables"});
    QTest::newRow("the root selected") << ""
                                       << "" << QStringList({"scan", "Lecture", "Calcul", "Géographie", "accueil"});
}

void TestDocsTreeEdits::addScannedPage()
{
    QFETCH(QString, selected);
    QFETCH(QString, folder);
    QFETCH(QStringList, order);
    DocsTreeBench& b = *m_bench;
    QVERIFY(b.Select(selected));
    const QImage page = JpegFixtures::Pattern(80, 110);
    const Outcome added = b.tree->AddDocument(QStringLiteral(" scan "), &page, 150, 300);
    QVERIFY2(added.Ok() && !added.HasMessages(), qPrintable(added.Text()));
    QCOMPARE(b.Children(folder), order);
    QCOMPARE(b.Entries(folder), order);
    const QString scan = folder.isEmpty() ? QStringLiteral("scan") : folder + QStringLiteral("/scan");
    QCOMPARE(b.Selected(), scan);
    QCOMPARE(b.Root()->SelectedNode(), b.Node(scan));
    const TEP_Doc* document = b.Node(scan)->Document();
    QVERIFY(document->IsUserSet());
    QCOMPARE(document->CurrentUser(), QStringLiteral("XXXX"));
    JpegHeader::Resolution resolution;
    QVERIFY(JpegHeader::ReadResolution(b.Path(scan + ".jpg"), resolution));
    QCOMPARE(resolution.horizontal, 300);
    QCOMPARE(resolution.vertical, 150);
}

void TestDocsTreeEdits::addingAnExistingNameWritesNothing()
{
    DocsTreeBench& b = *m_bench;
    QVERIFY(b.Select("Lecture/lecture3"));
    const QByteArray before = TestFiles::ReadBytes(b.Path("Lecture/lecture2.jpg"));
    const QImage page = JpegFixtures::Pattern(80, 110);
    const Outcome added = b.tree->AddDocument(QStringLiteral("Lecture2"), &page, 300, 300);
    QVERIFY(!added);
    QCOMPARE(added.Text(), QStringLiteral("Le document ou le dossier \"Lecture2\" existe déja."));
    QCOMPARE(TestFiles::ReadBytes(b.Path("Lecture/lecture2.jpg")), before);
    QVERIFY(!QFileInfo::exists(b.Path("Lecture/Lecture2.jpg")));
    QCOMPARE(b.Children("Lecture"), QStringList({"lecture1", "lecture2", "lecture3"}));
}

void TestDocsTreeEdits::import_data()
{
    QTest::addColumn<QString>("file"); // in a folder outside the data root
    QTest::addColumn<bool>("copy");
    QTest::addColumn<QString>("already"); // in Lecture before the import ("/" ending: a folder)
    QTest::addColumn<QString>("message"); // empty: imported
    QTest::addColumn<bool>("sourceKept");
    QTest::newRow("copy") << "photo.JPG" << true << ""
                          << "" << true;
    QTest::newRow("transfer") << "photo.jpeg" << false << ""
                              << "" << false;
    QTest::newRow("photo.JPEG next to photo.jpg") << "photo.JPEG" << false << "photo.jpg"
                                                  << "Le document \"photo\" existe déja." << true;
    QTest::newRow("Photo.jpg next to photo.JPEG") << "Photo.jpg" << true << "photo.JPEG"
                                                  << "Le document \"Photo\" existe déja." << true;
    QTest::newRow("failed transfer keeps the source") << "photo.jpg" << false << "photo.jpg/"
                                                      << "Impossible de copier le document" << true;
    QTest::newRow("not a JPEG file") << "photo.png" << true << ""
                                     << "ne possède pas une extension de fichier JPEG." << true;
    QTest::newRow("a folder's name") << "Sons.jpg" << false << "Sons/"
                                     << "Le document ou le dossier \"Sons\" existe déja." << true;
}

void TestDocsTreeEdits::import()
{
    QFETCH(QString, file);
    QFETCH(bool, copy);
    QFETCH(QString, already);
    QFETCH(QString, message);
    QFETCH(bool, sourceKept);
    DocsTreeBench& b = *m_bench;
    const QString source = m_outside.filePath(file);
    const QByteArray bytes = JpegFixtures::Jpeg(30, 40);
    QVERIFY(TestFiles::WriteBytes(source, bytes));
    if (already.endsWith('/')) {
        QVERIFY(QDir().mkpath(b.Path("Lecture/" + already)));
    } else if (!already.isEmpty()) {
        b.Jpeg("Lecture/" + already);
    }
    QVERIFY(b.tree->Refresh().Ok());
    const QStringList before = b.Children("Lecture");
    const QStringList filesBefore = QDir(b.Path("Lecture")).entryList(QDir::Files);
    QVERIFY(b.Select("Lecture/lecture2"));

    const Outcome imported = b.tree->Import(source, copy);
    QCOMPARE(QFileInfo::exists(source), sourceKept);
    if (message.isEmpty()) {
        QVERIFY2(imported.Ok() && !imported.HasMessages(), qPrintable(imported.Text()));
        QCOMPARE(b.Children("Lecture"), QStringList({"lecture1", "photo", "lecture2", "lecture3"}));
        QCOMPARE(b.Selected(), QStringLiteral("Lecture/photo"));
        QCOMPARE(TestFiles::ReadBytes(b.Path("Lecture/" + file)), bytes);
        return;
    }
    QVERIFY(!imported);
    QVERIFY2(imported.Text().contains(message), qPrintable(imported.Text()));
    QCOMPARE(TestFiles::ReadBytes(source), bytes);
    // Nothing changed in the folder: no file replaced, none left behind.
    QCOMPARE(b.Children("Lecture"), before);
    QCOMPARE(QDir(b.Path("Lecture")).entryList(QDir::Files), filesBefore);
    if (!already.isEmpty() && !already.endsWith('/'))
        QVERIFY(TestFiles::ReadBytes(b.Path("Lecture/" + already)) != bytes);
}

void TestDocsTreeEdits::newFolder_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("a worksheet selected: at its place")
        << "Lecture/lecture2"
        << "Lecture" << QStringList({"lecture1", "Dossier sans titre", "lecture2", "lecture3"});
    QTest::newRow("a folder selected: first in it")
        << "Calcul"
        << "Calcul" << QStringList({"Dossier sans titre", "addition", "soustraction", "Tables"});
}

void TestDocsTreeEdits::newFolder()
{
    QFETCH(QString, selected);
    QFETCH(QString, folder);
    QFETCH(QStringList, order);
    DocsTreeBench& b = *m_bench;
    QVERIFY(b.Select(selected));
    const Outcome created = b.tree->NewFolder();
    QVERIFY2(created.Ok() && !created.HasMessages(), qPrintable(created.Text()));
    QCOMPARE(b.Children(folder), order);
    QCOMPARE(b.Entries(folder), order);
    QCOMPARE(b.Selected(), folder + QStringLiteral("/Dossier sans titre"));
    QVERIFY(QFileInfo(b.Path(folder + "/Dossier sans titre")).isDir());
}

void TestDocsTreeEdits::deleteSelected_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("gone"); // a file or folder
    QTest::addColumn<QString>("after"); // selected afterwards
    const QString document
        = QStringLiteral("Vous allez supprimer définitivement le document \"%1\".\nConfirmez vous cette opération?");
    QTest::newRow("a worksheet: the next is selected")
        << "Lecture/lecture2" << true << document.arg("lecture2") << "Lecture/lecture2.jpg"
        << "Lecture/lecture3";
    QTest::newRow("the last worksheet: the previous")
        << "Lecture/lecture3" << true << document.arg("lecture3") << "Lecture/lecture3.jpg"
        << "Lecture/lecture2";
    QTest::newRow("the only worksheet: its folder")
        << "Géographie/carte" << true << document.arg("carte") << "Géographie/carte.jpg"
        << "Géographie";
    QTest::newRow("a folder and all it holds")
        << "Calcul" << true
        << "Vous allez supprimer définitivement le dossier \"Calcul\" et tout ce qu'il contient.\nConfirmez vous "
           "cette opération?"
        << "Calcul"
        << "Géographie";
    QTest::newRow("No deletes nothing") << "Lecture/lecture2" << false << document.arg("lecture2") << ""
                                        << "Lecture/lecture2";
}

void TestDocsTreeEdits::deleteSelected()
{
    QFETCH(QString, selected);
    QFETCH(bool, answer);
    QFETCH(QString, question);
    QFETCH(QString, gone);
    QFETCH(QString, after);
    DocsTreeBench& b = *m_bench;
    QVERIFY(b.Select(selected));
    QList<TEP_DocsNode*> told;
    b.tree->handlers.selectionChanged = [&](TEP_DocsNode* node) { told << node; };
    b.messenger.YesNoAnswers = {answer};
    const Outcome deleted = b.tree->DeleteSelected();
    QVERIFY2(deleted.Ok() && !deleted.HasMessages(), qPrintable(deleted.Text()));
    QCOMPARE(b.messenger.Asked, QStringList({question}));
    if (!gone.isEmpty())
        QVERIFY(!QFileInfo::exists(b.Path(gone)));
    else
        QVERIFY(QFileInfo::exists(b.Path(selected + ".jpg")));
    QCOMPARE(b.Selected(), after);
    QCOMPARE(b.Root()->SelectedNode(), b.Node(after));
    QCOMPARE(told.size(), answer ? 1 : 0);
    const QString parent = selected.section('/', 0, -2);
    QCOMPARE(b.Entries(parent), b.Children(parent));
}

void TestDocsTreeEdits::deletingTheRootLeavesItEmpty()
{
    DocsTreeBench& b = *m_bench;
    QVERIFY(b.tree->IsRootSelected());
    b.messenger.YesNoAnswers = {false, true};
    QVERIFY(b.tree->DeleteSelected().Ok());
    QCOMPARE(b.Entries("").size(), 4);

    const Outcome deleted = b.tree->DeleteSelected();
    QVERIFY2(deleted.Ok(), qPrintable(deleted.Text()));
    QCOMPARE(b.messenger.Asked, QStringList({DeleteRootQuestion, DeleteRootQuestion}));
    QCOMPARE(b.tree->model()->rowCount(), 1);
    QCOMPARE(b.Entries(""), QStringList());
    QVERIFY(b.tree->IsRootSelected());
    QCOMPARE(b.Root()->SelectedNode(), b.Root());
    // The worksheets folder stays, with only its own data file.
    QCOMPARE(QDir(b.config.WorksheetsFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
        QStringList({"Data.txt"}));
}

void TestDocsTreeEdits::deletingWithoutSelection()
{
    DocsTreeBench& b = *m_bench;
    b.tree->setCurrentIndex(QModelIndex());
    const Outcome deleted = b.tree->DeleteSelected();
    QVERIFY(!deleted);
    QCOMPARE(deleted.Text(),
        QStringLiteral("Erreur dans la fonction TEP_DocsTree.EPDocT_DeleteSelectedNode() : il n'y "
                       "a aucun noeud électionné."));
    QVERIFY(b.messenger.Asked.isEmpty());
}

void TestDocsTreeEdits::dropRules_data()
{
    QTest::addColumn<QString>("dragged");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("the root never moves") << ""
                                          << "Lecture" << false;
    QTest::newRow("onto itself") << "Lecture"
                                 << "Lecture" << false;
    QTest::newRow("into the folder it is in") << "Lecture/lecture1"
                                              << "Lecture" << false;
    QTest::newRow("a folder into its sub-folder") << "Calcul"
                                                  << "Calcul/Tables" << false;
    QTest::newRow("a folder onto a worksheet under it") << "Calcul"
                                                        << "Calcul/Tables/table2" << false;
    QTest::newRow("a worksheet into another folder") << "Lecture/lecture1"
                                                     << "Calcul" << true;
    QTest::newRow("a worksheet onto one of its folder") << "Lecture/lecture1"
                                                        << "Lecture/lecture3" << true;
    QTest::newRow("a folder onto a worksheet of its folder") << "Géographie"
                                                             << "accueil" << true;
    QTest::newRow("a sub-folder onto a worksheet beside it") << "Calcul/Tables"
                                                             << "Calcul/addition" << true;
    QTest::newRow("a folder into another folder") << "Géographie"
                                                  << "Lecture" << true;
    QTest::newRow("a folder up to the root") << "Calcul/Tables"
                                             << "" << true;
}

void TestDocsTreeEdits::dropRules()
{
    QFETCH(QString, dragged);
    QFETCH(QString, target);
    QFETCH(bool, accepted);
    DocsTreeBench& b = *m_bench;
    QCOMPARE(b.tree->AcceptsDrop(b.Node(dragged), b.Node(target)), accepted);
    // A refused drop changes nothing.
    if (!accepted) {
        QVERIFY(!b.tree->DropOn(b.Node(dragged), b.Node(target)));
        QCOMPARE(b.Children("Calcul"), QStringList({"addition", "soustraction", "Tables"}));
        QVERIFY(QFileInfo(b.Path("Calcul/Tables")).isDir());
    }
}

void TestDocsTreeEdits::droppingAFolderOnAWorksheetOfItsFolderOnlyReorders()
{
    DocsTreeBench& b = *m_bench;
    TEP_DocsTree& tree = *b.tree;
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    QStringList heard;
    tree.handlers.beforeDrop = [&](TEP_DocsNode* dragged, TEP_DocsNode* target) {
        heard << dragged->Name() + " on " + target->Name();
        return true;
    };
    tree.handlers.afterDrop = [&](TEP_DocsNode* dragged, bool moved) {
        heard << QStringLiteral("%1 moved %2").arg(dragged->Name()).arg(moved);
    };
    const QString path = b.Node("Géographie")->Path();
    DragAndDrop(tree, b.Node("Géographie"), b.Node("accueil"));
    QCOMPARE(heard, QStringList({"Géographie on accueil", "Géographie moved 1"}));
    QCOMPARE(b.Children(""), QStringList({"Lecture", "Calcul", "accueil", "Géographie"}));
    QCOMPARE(b.Entries(""), b.Children(""));
    QCOMPARE(b.Node("Géographie")->Path(), path);
    QVERIFY(QFileInfo::exists(b.Path("Géographie/carte.jpg")));
    QCOMPARE(b.Selected(), QStringLiteral("Géographie"));
    QVERIFY(b.messenger.ViewerTitles.isEmpty());
    // And back: dropped on the worksheet now before it.
    DragAndDrop(tree, b.Node("Géographie"), b.Node("accueil"));
    QCOMPARE(b.Entries(""), QStringList({"Lecture", "Calcul", "Géographie", "accueil"}));
}

void TestDocsTreeEdits::droppingOnAFolderMovesTheFiles()
{
    DocsTreeBench& b = *m_bench;
    TEP_DocsTree& tree = *b.tree;
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    tree.expand(tree.IndexOf(b.Node("Lecture")));
    DragAndDrop(tree, b.Node("Lecture/lecture1"), b.Node("Calcul"));
    QCOMPARE(b.Entries("Lecture"), QStringList({"lecture2", "lecture3"}));
    QCOMPARE(b.Entries("Calcul"), QStringList({"lecture1", "addition", "soustraction", "Tables"}));
    QCOMPARE(b.Children("Calcul"), b.Entries("Calcul"));
    QVERIFY(QFileInfo::exists(b.Path("Calcul/lecture1.jpg")));
    QVERIFY(QFileInfo::exists(b.Path("Calcul/lecture1_XXXX.txt")));
    QVERIFY(!QFileInfo::exists(b.Path("Lecture/lecture1.jpg")));
    // The folder is opened and selected.
    QVERIFY(b.IsExpanded("Calcul"));
    QCOMPARE(b.Selected(), QStringLiteral("Calcul"));
    // It now takes its new folder's colour.
    QCOMPARE(tree.IndexOf(b.Node("Calcul/lecture1")).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 160));
}

void TestDocsTreeEdits::droppingOnAWorksheetOfAnotherFolder()
{
    DocsTreeBench& b = *m_bench;
    QVERIFY(b.tree->DropOn(b.Node("Lecture/lecture1"), b.Node("Calcul/soustraction")));
    QCOMPARE(b.Entries("Calcul"), QStringList({"addition", "lecture1", "soustraction", "Tables"}));
    QCOMPARE(b.Children("Calcul"), b.Entries("Calcul"));
    QVERIFY(QFileInfo::exists(b.Path("Calcul/lecture1.jpg")));
    QCOMPARE(b.Selected(), QStringLiteral("Calcul/lecture1"));
}

void TestDocsTreeEdits::movedFolderKeepsItsExpansion()
{
    DocsTreeBench& b = *m_bench;
    TEP_DocsTree& tree = *b.tree;
    QVERIFY(b.Select("Calcul/Tables/table2"));
    QVERIFY(b.tree->DropOn(b.Node("Calcul"), b.Node("Lecture")));
    QCOMPARE(b.Entries("Lecture"), QStringList({"Calcul", "lecture1", "lecture2", "lecture3"}));
    QVERIFY(b.IsExpanded("Lecture/Calcul") && b.IsExpanded("Lecture/Calcul/Tables"));
    QVERIFY(QFileInfo::exists(b.Path("Lecture/Calcul/Tables/table2.jpg")));
    QCOMPARE(b.Node("Lecture/Calcul/Tables/table2")->Document()->Folder(), b.Path("Lecture/Calcul/Tables"));
    QCOMPARE(b.Selected(), QStringLiteral("Lecture"));
    QVERIFY(tree.CheckAgreement(b.Root()).Ok());
}

void TestDocsTreeEdits::failedDropShowsTheTextViewer()
{
    DocsTreeBench& b = *m_bench;
    // Another PC put a worksheet of the same name in the folder.
    b.Jpeg("Calcul/lecture1.jpg");
    QVERIFY(b.tree->Refresh().Ok());
    QVERIFY(b.Select("Lecture/lecture1"));
    bool moved = true;
    b.tree->handlers.afterDrop = [&](TEP_DocsNode*, bool done) { moved = done; };
    QVERIFY(!b.tree->DropOn(b.Node("Lecture/lecture1"), b.Node("Calcul")));
    QVERIFY(!moved);
    QCOMPARE(b.messenger.ViewerTitles, QStringList({"Erreur(s) de transfer"}));
    QCOMPARE(b.messenger.ViewerLines[0], QStringList({"Le document ou dossier \"lecture1\" existe déja."}));
    QCOMPARE(b.Entries("Lecture"), QStringList({"lecture1", "lecture2", "lecture3"}));
    QVERIFY(QFileInfo::exists(b.Path("Lecture/lecture1_XXXX.txt")));
    QCOMPARE(b.Selected(), QStringLiteral("Lecture/lecture1"));
}

void TestDocsTreeEdits::beforeDropMayRefuse()
{
    DocsTreeBench& b = *m_bench;
    bool after = false;
    b.tree->handlers.beforeDrop = [](TEP_DocsNode*, TEP_DocsNode*) { return false; };
    b.tree->handlers.afterDrop = [&](TEP_DocsNode*, bool) { after = true; };
    QVERIFY(!b.tree->DropOn(b.Node("Lecture/lecture1"), b.Node("Calcul")));
    QVERIFY(!after);
    QVERIFY(QFileInfo::exists(b.Path("Lecture/lecture1.jpg")));
    QCOMPARE(b.Entries("Calcul"), QStringList({"addition", "soustraction", "Tables"}));
}

void TestDocsTreeEdits::dragScrollsOneLineEvery200Ms()
{
    DocsTreeBench& b = *m_bench;
    TEP_DocsTree& tree = *b.tree;
    tree.expandAll();
    tree.resize(240, 110);
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    QScrollBar* bar = tree.verticalScrollBar();
    QVERIFY(bar->maximum() >= 4);
    bar->setValue(3);
    DragScroller& scroller = tree.Scroller();
    const int height = tree.viewport()->height();

    // Within 5 pixels of the top: a line up each 200 ms, the first 200 ms on.
    std::unique_ptr<QMimeData> data(TEP_DocsTree::DragData(*b.Node("accueil")));
    QDragEnterEvent enter(QPoint(20, 4), Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree.viewport(), &enter);
    QDragMoveEvent nearTop(QPoint(20, 4), Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree.viewport(), &nearTop);
    QVERIFY(scroller.IsRunning());
    QCOMPARE(scroller.Direction(), -1);
    b.clock.Advance(199);
    scroller.Tick();
    QCOMPARE(bar->value(), 3);
    b.clock.Advance(1);
    scroller.Tick();
    QCOMPARE(bar->value(), 2);
    b.clock.Advance(100);
    scroller.Tick();
    QCOMPARE(bar->value(), 2);
    b.clock.Advance(100);
    scroller.Tick();
    QCOMPARE(bar->value(), 1);

    // Away from the edges it stops; near the bottom it goes down.
    scroller.PointerAt(QPoint(20, 5));
    QVERIFY(!scroller.IsRunning());
    b.clock.Advance(400);
    scroller.Tick();
    QCOMPARE(bar->value(), 1);
    scroller.PointerAt(QPoint(20, height - 5));
    QCOMPARE(scroller.Direction(), 1);
    b.clock.Advance(200);
    scroller.Tick();
    QCOMPARE(bar->value(), 2);

    // Leaving the view ends it.
    QDragLeaveEvent leave;
    QApplication::sendEvent(tree.viewport(), &leave);
    QVERIFY(!scroller.IsRunning());
}

QTEST_MAIN(TestDocsTreeEdits)
#include "tst_docstreeedits.moc"
