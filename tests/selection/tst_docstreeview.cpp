// The documents view: loading, drawing, refreshing with the expanded folders
// and the selection kept, moving in tree order, keys, renaming in place and
// what a pupil may do.
#include "DocsTreeBench.h"
#include "Screenshots.h"
#include "params/Param_Obj.h"
#include "selection/DocsTreeDelegate.h"
#include "selection/DocsTreeIcons.h"

#include <QApplication>
#include <QLineEdit>
#include <QMimeData>

namespace {

QStringList Walk(DocsTreeBench& bench, bool (TEP_DocsTree::*step)())
{
    QStringList visited;
    while ((*bench.tree.*step)())
        visited << bench.Selected();
    return visited;
}

// The colour drawn in the middle of an entry's text background.
QColor BackgroundOf(DocsTreeBench& bench, const QString& entry)
{
    const QRect rect = bench.tree->visualRect(bench.tree->IndexOf(bench.Node(entry)));
    const QImage image = bench.tree->viewport()->grab().toImage();
    const int textLeft = rect.left() + 2 + DocsTreeDelegate::IconSize(bench.tree->fontMetrics()) + 4;
    // Above the first letter, inside the focus frame.
    return image.pixelColor(textLeft + 3, rect.top() + 3);
}

} // namespace

class TestDocsTreeView : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void loadShowsTheTreeInItsOrder();
    void entriesShowColoursStylesAndPictures();
    void refreshKeepsExpandedFoldersAndSelection();
    void refreshOneDocument();
    void removalMovesTheSelection_data();
    void removalMovesTheSelection();
    void nextAndPreviousFollowTreeOrder();
    void selectionByNames();
    void keysGoToTheScreenFirst();
    void renameInPlace();
    void renameRefused_data();
    void renameRefused();
    void renamingTheRootKeepsItsName();
    void pupilPermissions_data();
    void pupilPermissions();
    void handlersHearClicksAndFolders();
    void agreementNamesTheDifference();
    void screenshot();

private:
    std::unique_ptr<DocsTreeBench> m_bench;
};

void TestDocsTreeView::init()
{
    m_bench = std::make_unique<DocsTreeBench>();
}

void TestDocsTreeView::cleanup()
{
    m_bench.reset();
}

void TestDocsTreeView::loadShowsTheTreeInItsOrder()
{
    DocsTreeBench& b = *m_bench;
    TEP_DocsTree& tree = *b.tree;
    QCOMPARE(tree.model()->rowCount(), 1);
    QCOMPARE(tree.model()->index(0, 0).data().toString(), QStringLiteral("Documents"));
    QCOMPARE(b.Entries(""), QStringList({"Lecture", "Calcul", "Géographie", "accueil"}));
    QCOMPARE(b.Entries("Lecture"), QStringList({"lecture1", "lecture2", "lecture3"}));
    QCOMPARE(b.Entries("Calcul"), QStringList({"addition", "soustraction", "Tables"}));
    QCOMPARE(b.Entries("Calcul/Tables"), QStringList({"table2"}));
    for (const QString& folder : QStringList {"", "Lecture", "Calcul", "Calcul/Tables", "Géographie"})
        QVERIFY2(tree.CheckAgreement(b.Node(folder)).Ok(), qPrintable(folder));

    // The root is open and selected, and the tree knows it.
    QVERIFY(b.IsExpanded(""));
    QVERIFY(!b.IsExpanded("Lecture"));
    QVERIFY(tree.IsRootSelected());
    QCOMPARE(b.Root()->SelectedNode(), b.Root());
    QCOMPARE(tree.font().family(), QStringLiteral("Arial"));
    QCOMPARE(tree.font().pointSize(), 10);

    const auto kind
        = [&](const QString& entry) { return tree.IndexOf(b.Node(entry)).data(DocsTreeModel::IconKindRole).toInt(); };
    QCOMPARE(kind("Lecture"), int(DocsTreeIcons::Folder));
    QCOMPARE(kind("Lecture/lecture1"), int(DocsTreeIcons::WorksheetWithWork));
    QCOMPARE(kind("Lecture/lecture2"), int(DocsTreeIcons::Worksheet));
    QCOMPARE(tree.IndexOf(b.Node("Lecture/lecture1")).data(Qt::AccessibleDescriptionRole).toString(),
        QStringLiteral("Fiche de travail, avec du travail de l'utilisateur"));
    QVERIFY(!tree.accessibleName().isEmpty() && !tree.accessibleDescription().isEmpty());

    // The root shows the display name of the general file.
    b.config.DocsRootName = QStringLiteral("Fiches du CM1");
    QVERIFY(tree.Load(b.Root()).Ok());
    QCOMPARE(tree.model()->index(0, 0).data().toString(), QStringLiteral("Fiches du CM1"));

    const Outcome none = tree.Load(nullptr);
    QVERIFY(!none);
    QCOMPARE(none.Text(), QStringLiteral("Erreur lors du chargement de l'arbre des documents!"));
    QCOMPARE(tree.model()->rowCount(), 0);
}

void TestDocsTreeView::entriesShowColoursStylesAndPictures()
{
    DocsTreeBench& b = *m_bench;
    TEP_DocsTree& tree = *b.tree;
    const auto colour
        = [&](const QString& entry) { return tree.IndexOf(b.Node(entry)).data(Qt::ForegroundRole).value<QColor>(); };
    const auto font
        = [&](const QString& entry) { return tree.IndexOf(b.Node(entry)).data(Qt::FontRole).value<QFont>(); };
    QCOMPARE(colour("accueil"), QColor(200, 0, 0));
    QVERIFY(font("accueil").bold() && !font("accueil").italic());
    QCOMPARE(colour("Calcul/addition"), QColor(0, 0, 160)); // its folder's
    QCOMPARE(colour("Lecture/lecture1"), QColor(0, 0, 0));
    QVERIFY(font("Lecture/lecture3").italic() && !font("Lecture/lecture3").bold());
    QCOMPARE(font("Lecture/lecture3").family(), QStringLiteral("Arial"));

    // The selected entry on "TREESELECTEDITCOLOR", a drop target on grey.
    b.config.Settings.TreeSelectedColor = RgbColor::FromRgb(255, 230, 0);
    tree.ApplyLook();
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    QVERIFY(b.Select("accueil"));
    QCOMPARE(BackgroundOf(b, "accueil"), QColor(255, 230, 0));
    QCOMPARE(BackgroundOf(b, "Calcul"), QColor(Qt::white));

    std::unique_ptr<QMimeData> dragged(TEP_DocsTree::DragData(*b.Node("accueil")));
    const QPoint over = tree.visualRect(tree.IndexOf(b.Node("Calcul"))).center();
    QDragEnterEvent enter(over, Qt::MoveAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree.viewport(), &enter);
    QDragMoveEvent move(over, Qt::MoveAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree.viewport(), &move);
    QVERIFY(move.isAccepted());
    QCOMPARE(tree.DropTarget(), b.Node("Calcul"));
    QCOMPARE(BackgroundOf(b, "Calcul"), QColor(0xC0, 0xC0, 0xC0));
    QDragLeaveEvent leave;
    QApplication::sendEvent(tree.viewport(), &leave);
    QCOMPARE(tree.DropTarget(), nullptr);
    QCOMPARE(BackgroundOf(b, "Calcul"), QColor(Qt::white));
}

void TestDocsTreeView::refreshKeepsExpandedFoldersAndSelection()
{
    DocsTreeBench& b = *m_bench;
    TEP_DocsTree& tree = *b.tree;
    QVERIFY(b.Select("Calcul/Tables/table2"));
    tree.expand(tree.IndexOf(b.Node("Lecture")));
    QVERIFY(b.IsExpanded("Calcul") && b.IsExpanded("Calcul/Tables") && b.IsExpanded("Lecture"));
    int selectionChanges = 0;
    tree.handlers.selectionChanged = [&](TEP_DocsNode*) { ++selectionChanges; };

    // Another PC adds worksheets (one with the user's work) and a folder.
    b.Jpeg("Calcul/Tables/table3.jpg");
    b.Jpeg("Lecture/lecture0.jpg");
    b.File("Lecture/lecture0_XXXX.txt", TestFiles::CrLf(TEP_Doc::InitialDefinition()));
    QVERIFY(QDir().mkpath(b.Path("Sciences")));
    b.Jpeg("Sciences/plantes.jpg");
    const Outcome refreshed = tree.Refresh();
    QVERIFY2(refreshed.Ok() && !refreshed.HasMessages(), qPrintable(refreshed.Text()));

    QCOMPARE(b.Entries("Calcul/Tables"), QStringList({"table2", "table3"}));
    QCOMPARE(b.Entries("Lecture"), QStringList({"lecture1", "lecture2", "lecture3", "lecture0"}));
    QCOMPARE(b.Entries(""), QStringList({"Lecture", "Calcul", "Géographie", "accueil", "Sciences"}));
    QVERIFY(b.IsExpanded("Calcul") && b.IsExpanded("Calcul/Tables") && b.IsExpanded("Lecture"));
    QVERIFY(!b.IsExpanded("Géographie") && !b.IsExpanded("Sciences"));
    QCOMPARE(b.Selected(), QStringLiteral("Calcul/Tables/table2"));
    QCOMPARE(b.Root()->SelectedNode(), b.Node("Calcul/Tables/table2"));
    QCOMPARE(selectionChanges, 0);
    // The new worksheet shows the current user's work.
    QCOMPARE(tree.IndexOf(b.Node("Lecture/lecture0")).data(DocsTreeModel::IconKindRole).toInt(),
        int(DocsTreeIcons::WorksheetWithWork));
    for (const QString& folder : QStringList {"", "Lecture", "Calcul", "Calcul/Tables", "Sciences"})
        QVERIFY2(tree.CheckAgreement(b.Node(folder)).Ok(), qPrintable(folder));
}

void TestDocsTreeView::refreshOneDocument()
{
    DocsTreeBench& b = *m_bench;
    const auto kind = [&](const QString& entry) {
        return b.tree->IndexOf(b.Node(entry)).data(DocsTreeModel::IconKindRole).toInt();
    };
    QCOMPARE(kind("Lecture/lecture2"), int(DocsTreeIcons::Worksheet));
    b.File("Lecture/lecture2_XXXX.txt", TestFiles::CrLf(TEP_Doc::InitialDefinition()));
    QVERIFY(b.tree->RefreshDocument(b.Node("Lecture/lecture2")->Document()).Ok());
    QCOMPARE(kind("Lecture/lecture2"), int(DocsTreeIcons::WorksheetWithWork));

    // A worksheet of another tree has no entry here.
    TEP_DocsNode other;
    QVERIFY(other.Scan(b.Path("Lecture")).Ok());
    const Outcome stranger = b.tree->RefreshDocument(other.FindChildByName("lecture1")->Document());
    QVERIFY(!stranger);
    QCOMPARE(stranger.Text(), QStringLiteral("Le document \"lecture1\" n'existe pas dans le composant arbre."));

    // Loading again (another user chosen) keeps the selection.
    QVERIFY(b.Select("Calcul/soustraction"));
    QVERIFY(b.tree->Load(b.Root()).Ok());
    QCOMPARE(b.Selected(), QStringLiteral("Calcul/soustraction"));
}

void TestDocsTreeView::removalMovesTheSelection_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("removed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("changes");
    QTest::newRow("selected worksheet gone: the next") << "Lecture/lecture2"
                                                       << "Lecture/lecture2.jpg"
                                                       << "Lecture/lecture3" << 1;
    QTest::newRow("last worksheet gone: the previous") << "Lecture/lecture3"
                                                       << "Lecture/lecture3.jpg"
                                                       << "Lecture/lecture2" << 1;
    QTest::newRow("only worksheet gone: its folder") << "Géographie/carte"
                                                     << "Géographie/carte.jpg"
                                                     << "Géographie" << 1;
    // Its folder empties first (told), then goes.
    QTest::newRow("a folder above gone: the folder's next") << "Calcul/Tables/table2"
                                                            << "Calcul"
                                                            << "Géographie" << 2;
    QTest::newRow("another worksheet gone: the selection stays") << "Lecture/lecture1"
                                                                 << "Lecture/lecture3.jpg"
                                                                 << "Lecture/lecture1" << 0;
}

void TestDocsTreeView::removalMovesTheSelection()
{
    QFETCH(QString, selected);
    QFETCH(QString, removed);
    QFETCH(QString, expected);
    QFETCH(int, changes);
    DocsTreeBench& b = *m_bench;
    QVERIFY(b.Select(selected));
    QList<TEP_DocsNode*> told;
    b.tree->handlers.selectionChanged = [&](TEP_DocsNode* node) { told << node; };
    // Another PC removes it; the rescan frees its node.
    const QString path = b.Path(removed);
    QVERIFY(QFileInfo(path).isDir() ? QDir(path).removeRecursively() : QFile::remove(path));
    QVERIFY(b.tree->Refresh().Ok());
    QCOMPARE(b.Selected(), expected);
    QCOMPARE(b.Root()->SelectedNode(), b.Node(expected));
    QCOMPARE(told.size(), changes);
    if (changes)
        QCOMPARE(told.last(), b.Node(expected));
}

void TestDocsTreeView::nextAndPreviousFollowTreeOrder()
{
    DocsTreeBench& b = *m_bench;
    const QStringList order = {"Lecture", "Lecture/lecture1", "Lecture/lecture2", "Lecture/lecture3", "Calcul",
        "Calcul/addition", "Calcul/soustraction", "Calcul/Tables", "Calcul/Tables/table2", "Géographie",
        "Géographie/carte", "accueil"};
    // Closed folders included: their entries are opened to show the selection.
    QCOMPARE(Walk(b, &TEP_DocsTree::SelectNext), order);
    QVERIFY(b.IsExpanded("Calcul/Tables"));
    QCOMPARE(b.Selected(), QStringLiteral("accueil"));
    QStringList back = order;
    std::reverse(back.begin(), back.end());
    back.removeFirst();
    back << QString(); // the root
    QCOMPARE(Walk(b, &TEP_DocsTree::SelectPrevious), back);
    QVERIFY(b.tree->IsRootSelected());
}

void TestDocsTreeView::selectionByNames()
{
    DocsTreeBench& b = *m_bench;
    QVERIFY(b.tree->SelectNames({"calcul", "TABLES", "table2"}));
    QCOMPARE(b.tree->SelectedNames(), QStringList({"Calcul", "Tables", "table2"}));
    QCOMPARE(b.tree->SelectedDocument(), b.Node("Calcul/Tables/table2")->Document());
    // A name no longer there: the deepest entry found.
    QVERIFY(!b.tree->SelectNames({"Lecture", "lecture9"}));
    QCOMPARE(b.Selected(), QStringLiteral("Lecture"));
    QVERIFY(b.tree->SelectDocument(b.Node("accueil")->Document()));
    QCOMPARE(b.Selected(), QStringLiteral("accueil"));
}

void TestDocsTreeView::keysGoToTheScreenFirst()
{
    DocsTreeBench& b = *m_bench;
    TEP_DocsTree& tree = *b.tree;
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    QList<TranslatedKey> keys;
    tree.handlers.keyPressed = [&](const TranslatedKey& key) {
        keys << key;
        if (key.character == 8) // the screen's "next entry"
            return tree.SelectNext();
        return false;
    };
    QTest::keyClick(&tree, Qt::Key_Backspace);
    QCOMPARE(b.Selected(), QStringLiteral("Lecture"));
    QTest::keyClick(&tree, Qt::Key_F8);
    QCOMPARE(keys.last().code, 119);
    QCOMPARE(keys.last().character, quint8(1));
    // Keys the screen leaves move in the tree.
    QTest::keyClick(&tree, Qt::Key_Down);
    QCOMPARE(b.Selected(), QStringLiteral("Calcul"));
    QCOMPARE(keys.last().code, 40);
    QTest::keyClick(&tree, Qt::Key_Right);
    QVERIFY(b.IsExpanded("Calcul"));

    // While a name is edited, its keys are the editor's.
    const int before = int(keys.size());
    QVERIFY(tree.StartRename());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ab"));
    QCOMPARE(int(keys.size()), before);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(b.Selected(), QStringLiteral("Calcul"));
}

void TestDocsTreeView::renameInPlace()
{
    DocsTreeBench& b = *m_bench;
    TEP_DocsTree& tree = *b.tree;
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    QVERIFY(b.Select("Lecture/lecture1"));
    QStringList heard;
    tree.handlers.beforeRename = [&](TEP_DocsNode* node) { heard << "before " + node->Name(); };
    tree.handlers.afterRename = [&](TEP_DocsNode* node, bool renamed) {
        heard << QStringLiteral("after %1 %2").arg(node->Name()).arg(renamed);
    };
    QTest::keyClick(&tree, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    QCOMPARE(editor->text(), QStringLiteral("lecture1"));
    QVERIFY(!editor->accessibleName().isEmpty() && editor->accessibleDescription().contains("lecture1"));
    editor->selectAll();
    editor->insert(QStringLiteral("leçon 1"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!tree.IsEditingName()); // the editor hands its text over after the key

    QCOMPARE(heard, QStringList({"before lecture1", "after leçon 1 1"}));
    QCOMPARE(b.Entries("Lecture"), QStringList({"leçon 1", "lecture2", "lecture3"}));
    QVERIFY(QFileInfo::exists(b.Path("Lecture/leçon 1.jpg")));
    QVERIFY(QFileInfo::exists(b.Path("Lecture/leçon 1_XXXX.txt")));
    QVERIFY(!QFileInfo::exists(b.Path("Lecture/lecture1.jpg")));
    QCOMPARE(b.Selected(), QStringLiteral("Lecture/leçon 1"));
    QVERIFY(b.messenger.Shown.isEmpty());
}

void TestDocsTreeView::renameRefused_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("a sibling's name in other case") << "Lecture/lecture1"
                                                    << "LECTURE2"
                                                    << "Le document ou dossier \"LECTURE2\" existe déja.";
    QTest::newRow("empty") << "Calcul"
                           << "  "
                           << "Le nom d'un document ou d'un dossier ne peut être vide.";
    QTest::newRow("not a folder name") << "Calcul"
                                       << "Calcul:CM1"
                                       << "Le nom \"Calcul:CM1\" ne peut pas être un nom de dossier";
}

void TestDocsTreeView::renameRefused()
{
    QFETCH(QString, entry);
    QFETCH(QString, text);
    QFETCH(QString, message);
    DocsTreeBench& b = *m_bench;
    TEP_DocsTree& tree = *b.tree;
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    QVERIFY(b.Select(entry));
    const QString name = b.Node(entry)->Name();
    bool renamed = true;
    tree.handlers.afterRename = [&](TEP_DocsNode*, bool done) { renamed = done; };
    QVERIFY(tree.StartRename());
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    editor->setText(text);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!tree.IsEditingName());
    QVERIFY(!renamed);
    QCOMPARE(b.messenger.Shown.size(), 1);
    QVERIFY2(b.messenger.Shown[0].startsWith(message), qPrintable(b.messenger.Shown[0]));
    // The entry has its old text back.
    QCOMPARE(tree.IndexOf(b.Node(entry)).data().toString(), name);
    QVERIFY(QFileInfo::exists(b.Path(entry + (b.Node(entry)->IsDocument() ? ".jpg" : ""))));
}

void TestDocsTreeView::renamingTheRootKeepsItsName()
{
    DocsTreeBench& b = *m_bench;
    TEP_DocsTree& tree = *b.tree;
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    QVERIFY(tree.IsRootSelected());
    QVERIFY(tree.StartRename());
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    editor->setText(QStringLiteral("Fiches de la classe"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!tree.IsEditingName());
    QCOMPARE(tree.model()->index(0, 0).data().toString(), QStringLiteral("Fiches de la classe"));
    QCOMPARE(b.config.DocsRootName, QStringLiteral("Fiches de la classe"));

    // Written at once: the next start shows it (no folder was renamed).
    Param_Obj general;
    QVERIFY(general.LoadFromFile(b.config.GeneralFilePath()));
    QCOMPARE(general.PRRead(TEP_Config::GeneralHeading, "DOCSROOTNAME"), QStringLiteral("Fiches de la classe"));
    QVERIFY(QFileInfo(b.config.WorksheetsFolder()).isDir());
    TEP_Config again;
    QVERIFY(again.Initialise(b.dir.path()).Ok());
    QCOMPARE(again.Tree()->Name(), QStringLiteral("Fiches de la classe"));
}

void TestDocsTreeView::pupilPermissions_data()
{
    QTest::addColumn<bool>("settingsMode");
    QTest::addColumn<QString>("allowed"); // the keys set, among REN DIRR SUP DIRS MOVE DIRM
    QTest::addColumn<QString>("worksheet"); // what may be done: R(ename) D(elete) M(ove)
    QTest::addColumn<QString>("folder");
    QTest::newRow("pupil, nothing allowed") << false << ""
                                            << ""
                                            << "";
    QTest::newRow("pupil, worksheets") << false << "REN SUP MOVE"
                                       << "RDM"
                                       << "";
    QTest::newRow("pupil, folders") << false << "DIRR DIRS DIRM"
                                    << ""
                                    << "RDM";
    QTest::newRow("pupil, renaming only") << false << "REN DIRR"
                                          << "R"
                                          << "R";
    QTest::newRow("settings mode") << true << ""
                                   << "RDM"
                                   << "RDM";
}

void TestDocsTreeView::pupilPermissions()
{
    QFETCH(bool, settingsMode);
    QFETCH(QString, allowed);
    QFETCH(QString, worksheet);
    QFETCH(QString, folder);
    DocsTreeBench& b = *m_bench;
    TEP_DocsTree& tree = *b.tree;
    UserSettings& s = b.config.Settings;
    const QStringList keys = allowed.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    s.RenameAllowed = keys.contains("REN");
    s.FolderRenameAllowed = keys.contains("DIRR");
    s.DeleteAllowed = keys.contains("SUP");
    s.FolderDeleteAllowed = keys.contains("DIRS");
    s.MoveAllowed = keys.contains("MOVE");
    s.FolderMoveAllowed = keys.contains("DIRM");
    tree.SetSettingsMode(settingsMode);
    const auto may = [&](const TEP_DocsNode* node) {
        return QString(tree.MayRename(node) ? "R" : "") + (tree.MayDelete(node) ? "D" : "")
            + (tree.MayDrag(node) ? "M" : "");
    };
    QCOMPARE(may(b.Node("Lecture/lecture2")), worksheet);
    QCOMPARE(may(b.Node("Calcul")), folder);
    QCOMPARE(tree.AcceptsDrop(b.Node("Lecture/lecture2"), b.Node("Calcul")), worksheet.contains('M'));
    QCOMPARE(tree.AcceptsDrop(b.Node("Calcul"), b.Node("Lecture")), folder.contains('M'));
    // The root never moves, and only a teacher deletes everything.
    QVERIFY(!tree.MayDrag(b.Root()));
    QCOMPARE(tree.MayDelete(b.Root()), settingsMode);

    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    QVERIFY(b.Select("Lecture/lecture2"));
    QTest::keyClick(&tree, Qt::Key_F2);
    QCOMPARE(tree.IsEditingName(), worksheet.contains('R'));
    if (tree.IsEditingName())
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

    // A refused deletion asks nothing and deletes nothing.
    b.messenger.YesNoAnswers = {true};
    const Outcome deleted = tree.DeleteSelected();
    QCOMPARE(deleted.Ok(), worksheet.contains('D'));
    QCOMPARE(b.messenger.Asked.size(), worksheet.contains('D') ? 1 : 0);
    QCOMPARE(QFileInfo::exists(b.Path("Lecture/lecture2.jpg")), !worksheet.contains('D'));
}

void TestDocsTreeView::handlersHearClicksAndFolders()
{
    DocsTreeBench& b = *m_bench;
    TEP_DocsTree& tree = *b.tree;
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    QStringList heard;
    tree.handlers.doubleClicked = [&](TEP_DocsNode* node) { heard << "open " + node->Name(); };
    tree.handlers.expandedOrCollapsed
        = [&](TEP_DocsNode* node, bool open) { heard << (open ? "expand " : "collapse ") + node->Name(); };
    tree.handlers.selectionChanged = [&](TEP_DocsNode* node) { heard << "select " + node->Name(); };
    tree.expand(tree.IndexOf(b.Node("Lecture")));
    const QPoint at = tree.visualRect(tree.IndexOf(b.Node("Lecture/lecture2"))).center();
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(tree.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    tree.collapse(tree.IndexOf(b.Node("Lecture")));
    // Closing the folder of the selection selects the folder.
    QCOMPARE(heard,
        QStringList({"expand Lecture", "select lecture2", "open lecture2", "select Lecture", "collapse Lecture"}));
    QCOMPARE(b.Root()->SelectedDocument(), nullptr);
}

void TestDocsTreeView::agreementNamesTheDifference()
{
    DocsTreeBench& b = *m_bench;
    // A folder the view does not show.
    TEP_DocsNode other;
    QVERIFY(other.Scan(b.Path("Lecture")).Ok());
    const Outcome outcome = b.tree->CheckAgreement(&other);
    QVERIFY(!outcome);
    QCOMPARE(outcome.Messages(),
        QStringList({"Erreur de synchronisation entre le composant de visualisation et les données internes :",
            "\"Nombre de noeuds différent : TreeView=, DocsNode=Lecture\"",
            "** Il est préférable de quitter le logiciel et de le relancer **"}));
}

void TestDocsTreeView::screenshot()
{
    DocsTreeBench& b = *m_bench;
    TEP_DocsTree& tree = *b.tree;
    tree.expand(tree.IndexOf(b.Node("Lecture")));
    tree.expand(tree.IndexOf(b.Node("Calcul")));
    QVERIFY(b.Select("Calcul/Tables/table2"));
    QVERIFY(b.Select("Lecture/lecture2"));
    tree.resize(300, 380);
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    tree.setFocus();
    QVERIFY(Screenshots::Save(tree, "docs-tree.png"));
}

QTEST_MAIN(TestDocsTreeView)
#include "tst_docstreeview.moc"
