// The documents tree: scanning folders, folder data, and editing the tree
// with its files on disk.
#include "ScratchFolder.h"
#include "documents/DocsTreeListener.h"
#include "documents/TEP_Doc.h"
#include "documents/TEP_DocsNode.h"
#include "params/Param_Obj.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList Names(const TEP_DocsNode& node)
{
    QStringList names;
    for (int i = 0; i < node.ChildCount(); ++i)
        names << node.ChildAt(i)->Name();
    return names;
}

// What a tree view keeps, built from the notifications alone: each folder's
// children as the view's rows. Every "about to" call is checked against the
// tree as it still is, every call after it against the tree as it now is.
class MirrorListener : public DocsTreeListener {
public:
    explicit MirrorListener(TEP_DocsNode& root) { Take(root); }

    void NodesAboutToBeInserted(TEP_DocsNode& parent, int first, int last) override
    {
        Check(parent);
        m_pending = {&parent, first, last};
    }
    void NodesInserted(TEP_DocsNode& parent, int first, int last) override
    {
        Expect(m_pending.parent == &parent && m_pending.first == first && m_pending.last == last);
        for (int row = first; row <= last; ++row) {
            m_rows[&parent].insert(row, parent.ChildAt(row));
            Take(*parent.ChildAt(row)); // comes with what is under it
        }
        Check(parent);
        ++Changes;
    }
    void NodesAboutToBeRemoved(TEP_DocsNode& parent, int first, int last) override
    {
        Check(parent);
        for (int row = last; row >= first; --row)
            Forget(m_rows[&parent].takeAt(row));
        m_pending = {&parent, first, last};
    }
    void NodesRemoved(TEP_DocsNode& parent, int first, int last) override
    {
        Expect(m_pending.parent == &parent && m_pending.first == first && m_pending.last == last);
        Check(parent);
        ++Changes;
    }
    void NodeAboutToBeMoved(TEP_DocsNode& from, int fromRow, TEP_DocsNode& to, int toRow) override
    {
        Check(from);
        Check(to);
        const TEP_DocsNode* node = m_rows[&from].takeAt(fromRow);
        Expect(from.ChildAt(fromRow) == node);
        m_rows[&to].insert(toRow, node);
    }
    void NodeMoved(TEP_DocsNode& node) override
    {
        Check(*node.Parent());
        ++Changes;
    }
    void NodeRenamed(TEP_DocsNode& node) override { Renamed << node.Name(); }
    void ChildrenAboutToBeReordered(TEP_DocsNode& parent) override { Check(parent); }
    void ChildrenReordered(TEP_DocsNode& parent) override
    {
        // A view maps its rows by the nodes: the same nodes, in another order.
        QList<const TEP_DocsNode*> now;
        for (int i = 0; i < parent.ChildCount(); ++i)
            now << parent.ChildAt(i);
        QList<const TEP_DocsNode*> before = m_rows[&parent];
        std::sort(before.begin(), before.end());
        QList<const TEP_DocsNode*> sorted = now;
        std::sort(sorted.begin(), sorted.end());
        Expect(before == sorted);
        m_rows[&parent] = now;
    }
    void RescanStarted(TEP_DocsNode&) override { ++Rescans; }

    // The mirror and the tree agree everywhere under root.
    bool Matches(const TEP_DocsNode& root) const
    {
        if (m_rows.value(&root).size() != root.ChildCount())
            return false;
        for (int i = 0; i < root.ChildCount(); ++i)
            if (m_rows.value(&root)[i] != root.ChildAt(i) || !Matches(*root.ChildAt(i)))
                return false;
        return true;
    }

    int Changes = 0;
    int Rescans = 0;
    QStringList Renamed;
    bool Consistent = true;

private:
    struct Pending {
        const TEP_DocsNode* parent = nullptr;
        int first = -1;
        int last = -1;
    };
    void Expect(bool condition) { Consistent = Consistent && condition; }
    void Check(const TEP_DocsNode& parent)
    {
        const QList<const TEP_DocsNode*> rows = m_rows.value(&parent);
        Expect(rows.size() == parent.ChildCount());
        for (int i = 0; i < rows.size() && i < parent.ChildCount(); ++i)
            Expect(rows[i] == parent.ChildAt(i));
    }
    void Take(const TEP_DocsNode& node)
    {
        QList<const TEP_DocsNode*>& rows = m_rows[&node];
        rows.clear();
        for (int i = 0; i < node.ChildCount(); ++i) {
            rows << node.ChildAt(i);
            Take(*node.ChildAt(i));
        }
    }
    void Forget(const TEP_DocsNode* node)
    {
        for (const TEP_DocsNode* child : m_rows.value(node))
            Forget(child);
        m_rows.remove(node);
    }
    QHash<const TEP_DocsNode*, QList<const TEP_DocsNode*>> m_rows;
    Pending m_pending;
};

} // namespace

class TestDocsTree : public QObject, private ScratchFolder {
    Q_OBJECT

private slots:
    void init();
    void scansDocumentsAndFolders();
    void missingFolder();
    void partialOrder();
    void coloursAndStyles();
    void saveFolderData();
    void newFolders();
    void renameChildren();
    void reorderAndMove();
    void moveFolder();
    void moveAfterDirMoveReportsMissingFiles();
    void deleteChildren();
    void rescanFollowsTheDisk();
    void usersForAll();
    void previousAndNext();
    void guards();
    void listenersFollowEveryChange();
    void selectionLeavesWithItsNode();
};

void TestDocsTree::init()
{
    NewScratchFolder();
    Folder("CM1");
    Folder("CE2");
    Jpeg("x.jpg");
    Jpeg("x.jpeg");
    Jpeg("b.JPG");
    Jpeg("a.b.jpg");
    File("notes.txt");
    Jpeg("CM1/Lecture.jpg");
    Jpeg("CM1/Calcul.jpg");
    Folder("CM1/Sciences");
    Jpeg("CM1/Sciences/Plantes.jpg");
}

void TestDocsTree::scansDocumentsAndFolders()
{
    TEP_DocsNode root;
    Scan(root);
    QCOMPARE(Names(root), (QStringList {"a.b", "b", "x", "CE2", "CM1"}));
    QVERIFY(root.ChildAt(2)->IsDocument());
    QCOMPARE(root.ChildAt(2)->Document()->ImagePath(), Path("x.jpg"));
    TEP_DocsNode* cm1 = root.FindChildByName(" cm1 ");
    QVERIFY(cm1);
    QVERIFY(!cm1->IsDocument());
    QCOMPARE(cm1->Path(), Path("CM1"));
    QCOMPARE(Names(*cm1), (QStringList {"Calcul", "Lecture", "Sciences"}));
    QCOMPARE(cm1->Parent(), &root);
    TEP_DocsNode* plantes = cm1->FindChildByName("Sciences")->FindChildByName("Plantes");
    QCOMPARE(root.FindDocumentNode(plantes->Document()), plantes);
    QCOMPARE(plantes->FolderPath(), Path("CM1/Sciences"));
}

void TestDocsTree::missingFolder()
{
    TEP_DocsNode root;
    const Outcome scanned = root.Scan(Path("absent"));
    QVERIFY(!scanned);
    QVERIFY(!root.Exists());
    QCOMPARE(scanned.Messages(),
        QStringList {QStringLiteral("Le répertoire de documents \"%1\" n'existe pas.").arg(Path("absent"))});
}

void TestDocsTree::partialOrder()
{
    File("CM1/Data.txt", "[SUBDIRDATA]\r\nITEMSSORT=Sciences;lecture;Inconnu;\r\n");
    TEP_DocsNode root;
    Scan(root);
    QCOMPARE(Names(*root.FindChildByName("CM1")), (QStringList {"Sciences", "Lecture", "Calcul"}));
}

void TestDocsTree::coloursAndStyles()
{
    File("Data.txt",
        "[SUBDIRDATA]\r\nDIRFONTCOLOR=0*0*255\r\nDOCSCOLORS=x,255*0*0;b,nope;\r\n"
        "DOCSSTYLES=x,B:YES,U:oui,I:NO,S:maybe;b,Q:YES;\r\n");
    File("CM1/Data.txt", "[SUBDIRDATA]\r\nDIRFONTCOLOR=0*128*0\r\n");
    TEP_DocsNode root;
    Scan(root);
    QCOMPARE(root.Color().Value(), quint32(0xFF0000));
    TEP_DocsNode* x = root.FindChildByName("x");
    QVERIFY(!x->ColorInherits());
    QCOMPARE(x->Color().Value(), quint32(0x0000FF));
    QCOMPARE(x->TextStyle(), int(TEP_DocsNode::Bold | TEP_DocsNode::Underline));
    QVERIFY(!x->StyleInherits());
    TEP_DocsNode* b = root.FindChildByName("b");
    QVERIFY(b->ColorInherits());
    QCOMPARE(b->Color().Value(), quint32(0xFF0000)); // the folder's colour
    QVERIFY(b->StyleInherits()); // no boolean read
    TEP_DocsNode* cm1 = root.FindChildByName("CM1");
    QCOMPARE(cm1->Color().Value(), quint32(0x008000));
    QCOMPARE(cm1->FindChildByName("Lecture")->Color().Value(), quint32(0x008000));
    QCOMPARE(root.FindChildByName("CE2")->Color().Value(), quint32(0xFF0000));

    root.SetOwnColor(RgbColor(0x123456));
    QCOMPARE(b->Color().Value(), quint32(0x123456));
    QCOMPARE(x->Color().Value(), quint32(0x0000FF));
    x->InheritColor();
    QCOMPARE(x->Color().Value(), quint32(0x123456));
}

void TestDocsTree::saveFolderData()
{
    TEP_DocsNode root;
    Scan(root);
    root.FindChildByName("x")->SetOwnColor(RgbColor(0x0000FF));
    root.FindChildByName("b")->SetOwnStyle(TEP_DocsNode::Italic | TEP_DocsNode::StrikeOut);
    int placement = 0;
    QVERIFY(root.Move(root.FindChildByName("x"), root.FindChildByName("a.b"), placement));
    QVERIFY(root.SaveFolderDataRecursive());
    Param_Obj data;
    QVERIFY(data.LoadFromFile(Path("Data.txt")));
    QStringList order;
    data.PRReads("SUBDIRDATA", "ITEMSSORT", &order);
    QCOMPARE(order, (QStringList {"x", "a.b", "b", "CE2", "CM1"}));
    QCOMPARE(data.PRRead("SUBDIRDATA", "DIRFONTCOLOR"), QString("0*0*0"));
    QCOMPARE(data.PRReads("SUBDIRDATA", "DOCSCOLORS"), QString("x,255*0*0;"));
    QCOMPARE(data.PRReads("SUBDIRDATA", "DOCSSTYLES"), QString("b,B:NO,U:NO,I:YES,S:YES;"));
    QVERIFY(Has("CM1/Sciences/Data.txt"));

    TEP_DocsNode again;
    Scan(again);
    QCOMPARE(Names(again), (QStringList {"x", "a.b", "b", "CE2", "CM1"}));
    QCOMPARE(again.FindChildByName("b")->TextStyle(), int(TEP_DocsNode::Italic | TEP_DocsNode::StrikeOut));
    QCOMPARE(again.FindChildByName("x")->Color().Value(), quint32(0x0000FF));
}

void TestDocsTree::newFolders()
{
    TEP_DocsNode root;
    Scan(root);
    TEP_DocsNode* first = nullptr;
    TEP_DocsNode* second = nullptr;
    QVERIFY(root.NewFolder(false, &first));
    QVERIFY(root.NewFolder(true, &second));
    QCOMPARE(first->Name(), QString("Dossier sans titre"));
    QCOMPARE(second->Name(), QString("Dossier sans titre (1)"));
    QCOMPARE(root.ChildAt(0), second);
    QCOMPARE(root.ChildAt(root.ChildCount() - 1), first);
    QVERIFY(QFileInfo(Path("Dossier sans titre (1)")).isDir());

    TEP_DocsNode* lecture = root.FindChildByName("CM1")->FindChildByName("Lecture");
    TEP_DocsNode* third = nullptr;
    QVERIFY(lecture->NewFolder(false, &third)); // on a document: in its folder, at its place
    QCOMPARE(third->Path(), Path("CM1/Dossier sans titre"));
    QCOMPARE(root.FindChildByName("CM1")->ChildAt(1), third);
}

void TestDocsTree::renameChildren()
{
    File("b_Paul.txt");
    TEP_DocsNode root;
    Scan(root);
    TEP_DocsNode* b = root.FindChildByName("b");
    Outcome renamed = root.RenameChild(b, "X");
    QVERIFY(!renamed);
    QCOMPARE(renamed.Messages(), QStringList {"Le document ou dossier \"X\" existe déja."});
    renamed = root.RenameChild(b, " ");
    QVERIFY(!renamed);
    QCOMPARE(renamed.Messages(), QStringList {"Le nom d'un document ou d'un dossier ne peut être vide."});
    QVERIFY(root.RenameChild(b, "b"));
    QVERIFY(root.RenameChild(b, "Bravo"));
    QCOMPARE(b->Name(), QString("Bravo"));
    QVERIFY(Has("Bravo.JPG") && Has("Bravo_Paul.txt"));

    TEP_DocsNode* cm1 = root.FindChildByName("CM1");
    renamed = root.RenameChild(cm1, "CM1/../..");
    QVERIFY(!renamed);
    QVERIFY2(renamed.Text().contains("ne peut pas être un nom de dossier"), qPrintable(renamed.Text()));
    QVERIFY(root.RenameChild(cm1, "CM1 B"));
    QCOMPARE(cm1->Path(), Path("CM1 B"));
    TEP_DocsNode* plantes = cm1->FindChildByName("Sciences")->FindChildByName("Plantes");
    QCOMPARE(plantes->Document()->ImagePath(), Path("CM1 B/Sciences/Plantes.jpg"));
    renamed = cm1->RenameChild(root.FindChildByName("x"), "y");
    QVERIFY(!renamed);
    QCOMPARE(renamed.Messages(), QStringList {"Renommer un noeud n'appartenant pas à la liste non prévu."});
    QVERIFY(root.RenameChild(&root, "Fiches de la classe")); // the root: its display name only
    QCOMPARE(root.Name(), QString("Fiches de la classe"));
    QCOMPARE(root.Path(), m_dir->path());
}

void TestDocsTree::reorderAndMove()
{
    File("CM1/Lecture_Paul.txt");
    TEP_DocsNode root;
    Scan(root);
    TEP_DocsNode* cm1 = root.FindChildByName("CM1");
    int placement = 0;
    // Same folder: only the order changes.
    QVERIFY(root.Move(root.FindChildByName("a.b"), root.FindChildByName("x"), placement));
    QCOMPARE(placement, int(TEP_DocsNode::AtTargetPosition));
    QCOMPARE(Names(root), (QStringList {"b", "x", "a.b", "CE2", "CM1"}));
    QVERIFY(root.Move(root.FindChildByName("a.b"), root.FindChildByName("b"), placement));
    QCOMPARE(Names(root), (QStringList {"a.b", "b", "x", "CE2", "CM1"}));
    QVERIFY(Has("a.b.jpg"));

    // Another folder: the files move and the node takes the target's place.
    TEP_DocsNode* lecture = cm1->FindChildByName("Lecture");
    QVERIFY(root.Move(lecture, root.FindChildByName("b"), placement));
    QCOMPARE(placement, int(TEP_DocsNode::AtTargetPosition));
    QCOMPARE(Names(root), (QStringList {"a.b", "Lecture", "b", "x", "CE2", "CM1"}));
    QVERIFY(Has("Lecture.jpg") && Has("Lecture_Paul.txt") && !Has("CM1/Lecture.jpg"));
    QCOMPARE(lecture->Parent(), &root);

    QVERIFY(root.Move(lecture, root.FindChildByName("CE2"), placement)); // onto a folder: first in it
    QCOMPARE(placement, int(TEP_DocsNode::FirstInFolder));
    QVERIFY(Has("CE2/Lecture.jpg"));
    QVERIFY(!root.Move(&root, cm1, placement)); // the root never moves
}

void TestDocsTree::moveFolder()
{
    TEP_DocsNode root;
    Scan(root);
    TEP_DocsNode* sciences = root.FindChildByName("CM1")->FindChildByName("Sciences");
    int placement = 0;
    QVERIFY(root.Move(sciences, root.FindChildByName("CE2"), placement));
    QCOMPARE(placement, int(TEP_DocsNode::FirstInFolder));
    QVERIFY(Has("CE2/Sciences/Plantes.jpg"));
    QCOMPARE(sciences->Path(), Path("CE2/Sciences"));
    QCOMPARE(sciences->FindChildByName("Plantes")->Document()->Folder(), Path("CE2/Sciences"));
    const Outcome intoItself = root.Move(root.FindChildByName("CE2"), sciences, placement);
    QVERIFY(!intoItself);
    QVERIFY2(
        intoItself.Messages().last().startsWith("Impossible de renommer le répertoire"), qPrintable(intoItself.Text()));
}

void TestDocsTree::moveAfterDirMoveReportsMissingFiles()
{
    File("CM1/Calcul_C.wav");
    TEP_DocsNode root;
    Scan(root);
    TEP_DocsNode* cm1 = root.FindChildByName("CM1");
    QVERIFY(QDir().rename(Path("CM1"), Path("Moved")));
    QVERIFY(QFile::remove(Path("Moved/Calcul_C.wav")));
    const Outcome moved = TEP_DocsNode::EPDocNd_MoveAfterDirMove(cm1, Path("Moved"));
    QVERIFY(!moved);
    QCOMPARE(moved.Messages(),
        (QStringList {QStringLiteral("========== Fichier : \"%1\" ==========").arg(Path("CM1/Calcul.jpg")),
            QStringLiteral("Le fichier son \"%1\" n'existe pas!").arg(Path("Moved/Calcul_C.wav"))}));
    QCOMPARE(cm1->Name(), QString("Moved"));
    QVERIFY(!TEP_DocsNode::EPDocNd_MoveAfterDirMove(cm1, Path("nowhere")));
}

void TestDocsTree::deleteChildren()
{
    File("x_Paul.txt");
    File("CM1/Sciences/Data.txt", "[SUBDIRDATA]\r\n");
    TEP_DocsNode root;
    Scan(root);
    QVERIFY(root.EPDocNd_DeleteChild(root.FindChildByName("x")));
    QVERIFY(!Has("x.jpg") && !Has("x_Paul.txt"));
    QVERIFY(!root.FindChildByName("x"));
    const Outcome deleted = root.EPDocNd_DeleteChild(root.FindChildByName("CM1"));
    QVERIFY(deleted);
    QVERIFY2(!deleted.HasMessages(), qPrintable(deleted.Text()));
    QVERIFY(!Has("CM1"));
    TEP_DocsNode other;
    const Outcome stranger = root.EPDocNd_DeleteChild(&other);
    QVERIFY(!stranger);
    QVERIFY(stranger.Text().endsWith("l'objet fils n'existe pas"));
}

void TestDocsTree::rescanFollowsTheDisk()
{
    TEP_DocsNode root;
    Scan(root);
    QVERIFY(QFile::remove(Path("b.JPG")));
    Jpeg("c.jpg");
    QVERIFY(QDir(Path("CE2")).removeRecursively());
    Folder("CP");
    QVERIFY(root.Rescan());
    QCOMPARE(Names(root), (QStringList {"a.b", "x", "CM1", "c", "CP"}));
    QCOMPARE(root.FindChildByName("c")->Color(), root.Color());

    // A folder another PC made takes its parent's colour, as one found at
    // the first scan does.
    root.SetOwnColor(RgbColor(0x0000FF));
    Folder("CE1");
    QVERIFY(root.Rescan());
    QVERIFY(root.FindChildByName("CE1")->ColorInherits());
    QCOMPARE(root.FindChildByName("CE1")->Color(), RgbColor(0x0000FF));
}

void TestDocsTree::usersForAll()
{
    File("x_paul.txt");
    File("CM1/Calcul_Paul.txt");
    TEP_DocsNode root;
    Scan(root);
    QVERIFY(root.SetUserForAll("Paul"));
    TEP_DocsNode* calcul = root.FindChildByName("CM1")->FindChildByName("Calcul");
    QVERIFY(calcul->Document()->HasWork());
    QVERIFY(root.FindChildByName("x")->Document()->HasWork()); // letter case of the share ignored
    QCOMPARE(calcul->User(), QString("Paul"));
    QVERIFY(root.RenameUserForAll("paul", "Paulo"));
    QVERIFY(Has("CM1/Calcul_Paulo.txt") && Has("x_Paulo.txt"));
    QCOMPARE(calcul->User(), QString("Paulo"));
    QVERIFY(root.DeleteWorkForAll("Paulo"));
    QVERIFY(!Has("CM1/Calcul_Paulo.txt") && !Has("x_Paulo.txt"));
}

void TestDocsTree::previousAndNext()
{
    TEP_DocsNode root;
    Scan(root);
    TEP_DocsNode* b = root.FindChildByName("b");
    QCOMPARE(b->PreviousDocument(), root.FindChildByName("a.b"));
    QCOMPARE(b->NextDocument(), root.FindChildByName("x"));
    QCOMPARE(root.FindChildByName("x")->NextDocument(), nullptr); // folders are skipped
    QCOMPARE(root.PreviousDocument(), nullptr);
}

void TestDocsTree::guards()
{
    TEP_DocsNode root;
    Scan(root);
    TEP_DocsNode* x = root.FindChildByName("x");
    const Outcome onDocument = x->AddDocument("y");
    QVERIFY(!onDocument);
    QCOMPARE(onDocument.Messages(), QStringList {"Un document ne peut être ajouté à un autre document"});
    auto document = std::make_unique<TEP_Doc>();
    QVERIFY(document->EPDoc_Init("b", m_dir->path()));
    const Outcome twice = root.AddDocumentNode("x", std::move(document), nullptr);
    QVERIFY(!twice);
    QCOMPARE(twice.Messages(), QStringList {"Le document \"b\" existe déja dans la liste"});
#ifdef QT_NO_DEBUG
    // A child given to a document, or no child at all, is a fault of the
    // program: refused (and freed), never an exception. With assertions on,
    // the assertion stops the program instead.
    QTest::ignoreMessage(QtWarningMsg, "Erreur interne : TEP_DocsNode::InsertObject() appelée pour un document.");
    QCOMPARE(x->AddObject(std::make_unique<TEP_DocsNode>()), -1);
    QCOMPARE(x->ChildCount(), 0);
    QTest::ignoreMessage(
        QtWarningMsg, "Erreur interne : TEP_DocsNode::InsertObject() appelée avec un objet de type incorrect.");
    QCOMPARE(root.InsertObject(0, nullptr), -1);
#endif
}

void TestDocsTree::listenersFollowEveryChange()
{
    File("CM1/Data.txt", "[SUBDIRDATA]\r\nITEMSSORT=Sciences;Lecture;Calcul;\r\n");
    TEP_DocsNode root;
    MirrorListener mirror(root);
    root.AddListener(&mirror);
    Scan(root); // the first scan, heard node by node
    QVERIFY(mirror.Matches(root));
    QCOMPARE(Names(*root.FindChildByName("CM1")), (QStringList {"Sciences", "Lecture", "Calcul"}));

    // Another PC changes the folders; the selection screen rescans.
    QVERIFY(QFile::remove(Path("b.JPG")));
    QVERIFY(QDir(Path("CM1/Sciences")).removeRecursively());
    Jpeg("c.jpg");
    Folder("CP/Lecture");
    Jpeg("CP/Lecture/Sons.jpg");
    const int before = mirror.Changes;
    QVERIFY(root.Rescan());
    QVERIFY(mirror.Rescans > 0);
    QCOMPARE(mirror.Changes - before, 5); // b, Plantes and then Sciences out, c and CP in
    QVERIFY(mirror.Matches(root));

    int placement = 0;
    TEP_DocsNode* cm1 = root.FindChildByName("CM1");
    QVERIFY(root.Move(root.FindChildByName("x"), root.FindChildByName("a.b"), placement)); // reorder
    QVERIFY(root.Move(root.FindChildByName("a.b"), root.FindChildByName("c"), placement)); // and down
    QVERIFY(root.Move(cm1->FindChildByName("Lecture"), root.FindChildByName("x"), placement)); // another folder
    QVERIFY(root.Move(root.FindChildByName("CE2"), cm1, placement)); // a folder into a folder
    QVERIFY(mirror.Matches(root));

    TEP_DocsNode* added = nullptr;
    QVERIFY(cm1->NewFolder(true, &added));
    QVERIFY(root.RenameChild(root.FindChildByName("c"), "Conte"));
    QVERIFY(cm1->RenameChild(added, "Nouveau"));
    QCOMPARE(mirror.Renamed, (QStringList {"Conte", "Nouveau"}));
    QVERIFY(root.EPDocNd_DeleteChild(root.FindChildByName("CP")));
    std::unique_ptr<TEP_DocsNode> taken = root.TakeChild(root.FindChildByName("x"));
    QVERIFY(taken && !taken->Parent());
    QVERIFY(mirror.Matches(root));
    QVERIFY(mirror.Consistent);

    root.RemoveListener(&mirror);
    const int heard = mirror.Changes;
    QVERIFY(root.Rescan());
    QCOMPARE(mirror.Changes, heard);
}

void TestDocsTree::selectionLeavesWithItsNode()
{
    TEP_DocsNode root;
    Scan(root);
    TEP_DocsNode* cm1 = root.FindChildByName("CM1");
    TEP_DocsNode* plantes = cm1->FindChildByName("Sciences")->FindChildByName("Plantes");
    // Told through any node of the tree, kept on the root.
    cm1->SetSelectedNode(plantes);
    QCOMPARE(root.SelectedNode(), plantes);
    QCOMPARE(root.SelectedDocument(), plantes->Document());
    // Other nodes leaving change nothing.
    QVERIFY(root.EPDocNd_DeleteChild(root.FindChildByName("x")));
    QVERIFY(QFile::remove(Path("CM1/Calcul.jpg")));
    QVERIFY(root.Rescan());
    QCOMPARE(root.SelectedNode(), plantes);
    // A folder above it leaving (here a rescan after another PC removed it).
    QVERIFY(QDir(Path("CM1/Sciences")).removeRecursively());
    QVERIFY(root.Rescan());
    QCOMPARE(root.SelectedNode(), nullptr);
    QCOMPARE(root.SelectedDocument(), nullptr);

    // Deleted, or taken out of the tree.
    root.SetSelectedNode(cm1->FindChildByName("Lecture"));
    QVERIFY(cm1->EPDocNd_DeleteChild(cm1->FindChildByName("Lecture")));
    QCOMPARE(root.SelectedNode(), nullptr);
    root.SetSelectedNode(cm1);
    const std::unique_ptr<TEP_DocsNode> taken = root.TakeChild(cm1);
    QCOMPARE(root.SelectedNode(), nullptr);
    QCOMPARE(taken->SelectedNode(), nullptr);
    root.SetSelectedNode(&root);
    root.ClearChildren();
    QCOMPARE(root.SelectedNode(), &root);
}

QTEST_MAIN(TestDocsTree)
#include "tst_docstree.moc"
