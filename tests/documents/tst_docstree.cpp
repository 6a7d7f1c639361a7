// The documents tree: scanning folders, folder data, and editing the tree
// with its files on disk.
#include "JpegFixtures.h"
#include "TestFiles.h"
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

} // namespace

class TestDocsTree : public QObject {
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

private:
    QString Path(const QString& name) const { return m_dir->filePath(name); }
    void Jpeg(const QString& name) { QVERIFY(TestFiles::WriteBytes(Path(name), JpegFixtures::Jpeg(16, 16))); }
    void File(const QString& name, const QByteArray& bytes = "x") { QVERIFY(TestFiles::WriteBytes(Path(name), bytes)); }
    void Folder(const QString& name) { QVERIFY(QDir(m_dir->path()).mkpath(name)); }
    bool Has(const QString& name) const { return QFileInfo::exists(Path(name)); }
    void Scan(TEP_DocsNode& root)
    {
        bool exists = false;
        QStringList messages;
        QVERIFY(root.Scan(m_dir->path(), exists, &messages));
        QVERIFY(exists);
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
    }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestDocsTree::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
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
    bool exists = true;
    QStringList messages;
    QVERIFY(!root.Scan(Path("absent"), exists, &messages));
    QVERIFY(!exists);
    QCOMPARE(
        messages, QStringList {QStringLiteral("Le répertoire de documents \"%1\" n'existe pas.").arg(Path("absent"))});
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
    QStringList messages;
    QVERIFY(root.NewFolder(false, &first, &messages));
    QVERIFY(root.NewFolder(true, &second, &messages));
    QCOMPARE(first->Name(), QString("Dossier sans titre"));
    QCOMPARE(second->Name(), QString("Dossier sans titre (1)"));
    QCOMPARE(root.ChildAt(0), second);
    QCOMPARE(root.ChildAt(root.ChildCount() - 1), first);
    QVERIFY(QFileInfo(Path("Dossier sans titre (1)")).isDir());

    TEP_DocsNode* lecture = root.FindChildByName("CM1")->FindChildByName("Lecture");
    TEP_DocsNode* third = nullptr;
    QVERIFY(lecture->NewFolder(false, &third, &messages)); // on a document: in its folder, at its place
    QCOMPARE(third->Path(), Path("CM1/Dossier sans titre"));
    QCOMPARE(root.FindChildByName("CM1")->ChildAt(1), third);
}

void TestDocsTree::renameChildren()
{
    File("b_Paul.txt");
    TEP_DocsNode root;
    Scan(root);
    QStringList messages;
    TEP_DocsNode* b = root.FindChildByName("b");
    QVERIFY(!root.RenameChild(b, "X", &messages));
    QCOMPARE(messages.last(), QString("Le document ou dossier \"X\" existe déja."));
    QVERIFY(!root.RenameChild(b, " ", &messages));
    QCOMPARE(messages.last(), QString("Le nom d'un document ou d'un dossier ne peut être vide."));
    QVERIFY(root.RenameChild(b, "b", &messages));
    QVERIFY(root.RenameChild(b, "Bravo", &messages));
    QCOMPARE(b->Name(), QString("Bravo"));
    QVERIFY(Has("Bravo.JPG") && Has("Bravo_Paul.txt"));

    TEP_DocsNode* cm1 = root.FindChildByName("CM1");
    QVERIFY(!root.RenameChild(cm1, "CM1/../..", &messages));
    QVERIFY2(messages.last().contains("ne peut pas être un nom de dossier"), qPrintable(messages.last()));
    QVERIFY(root.RenameChild(cm1, "CM1 B", &messages));
    QCOMPARE(cm1->Path(), Path("CM1 B"));
    TEP_DocsNode* plantes = cm1->FindChildByName("Sciences")->FindChildByName("Plantes");
    QCOMPARE(plantes->Document()->ImagePath(), Path("CM1 B/Sciences/Plantes.jpg"));
    QVERIFY(!cm1->RenameChild(root.FindChildByName("x"), "y", &messages));
    QCOMPARE(messages.last(), QString("Renommer un noeud n'appartenant pas à la liste non prévu."));
    QVERIFY(root.RenameChild(&root, "Fiches de la classe", &messages)); // the root: its display name only
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
    QStringList messages;
    QVERIFY(root.Move(sciences, root.FindChildByName("CE2"), placement, &messages));
    QCOMPARE(placement, int(TEP_DocsNode::FirstInFolder));
    QVERIFY(Has("CE2/Sciences/Plantes.jpg"));
    QCOMPARE(sciences->Path(), Path("CE2/Sciences"));
    QCOMPARE(sciences->FindChildByName("Plantes")->Document()->Folder(), Path("CE2/Sciences"));
    QVERIFY(!root.Move(root.FindChildByName("CE2"), sciences, placement, &messages)); // not into itself
    QVERIFY2(messages.last().startsWith("Impossible de renommer le répertoire"), qPrintable(messages.last()));
}

void TestDocsTree::moveAfterDirMoveReportsMissingFiles()
{
    File("CM1/Calcul_C.wav");
    TEP_DocsNode root;
    Scan(root);
    TEP_DocsNode* cm1 = root.FindChildByName("CM1");
    QVERIFY(QDir().rename(Path("CM1"), Path("Moved")));
    QVERIFY(QFile::remove(Path("Moved/Calcul_C.wav")));
    QStringList messages;
    QVERIFY(!TEP_DocsNode::EPDocNd_MoveAfterDirMove(cm1, Path("Moved"), &messages));
    QCOMPARE(messages,
        (QStringList {QStringLiteral("========== Fichier : \"%1\" ==========").arg(Path("CM1/Calcul.jpg")),
            QStringLiteral("Le fichier son \"%1\" n'existe pas!").arg(Path("Moved/Calcul_C.wav"))}));
    QCOMPARE(cm1->Name(), QString("Moved"));
    QVERIFY(!TEP_DocsNode::EPDocNd_MoveAfterDirMove(cm1, Path("nowhere"), &messages));
}

void TestDocsTree::deleteChildren()
{
    File("x_Paul.txt");
    File("CM1/Sciences/Data.txt", "[SUBDIRDATA]\r\n");
    TEP_DocsNode root;
    Scan(root);
    QStringList messages;
    QVERIFY(root.EPDocNd_DeleteChild(root.FindChildByName("x"), &messages));
    QVERIFY(!Has("x.jpg") && !Has("x_Paul.txt"));
    QVERIFY(!root.FindChildByName("x"));
    QVERIFY(root.EPDocNd_DeleteChild(root.FindChildByName("CM1"), &messages));
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
    QVERIFY(!Has("CM1"));
    TEP_DocsNode other;
    QVERIFY(!root.EPDocNd_DeleteChild(&other, &messages));
    QVERIFY(messages.last().endsWith("l'objet fils n'existe pas"));
}

void TestDocsTree::rescanFollowsTheDisk()
{
    TEP_DocsNode root;
    Scan(root);
    QVERIFY(QFile::remove(Path("b.JPG")));
    Jpeg("c.jpg");
    QVERIFY(QDir(Path("CE2")).removeRecursively());
    Folder("CP");
    QStringList messages;
    QVERIFY(root.Rescan(&messages));
    QCOMPARE(Names(root), (QStringList {"a.b", "x", "CM1", "c", "CP"}));
}

void TestDocsTree::usersForAll()
{
    File("x_paul.txt");
    File("CM1/Calcul_Paul.txt");
    TEP_DocsNode root;
    Scan(root);
    QStringList messages;
    QVERIFY(root.SetUserForAll("Paul", &messages));
    TEP_DocsNode* calcul = root.FindChildByName("CM1")->FindChildByName("Calcul");
    QVERIFY(calcul->Document()->HasWork());
    QVERIFY(root.FindChildByName("x")->Document()->HasWork()); // letter case of the share ignored
    QCOMPARE(calcul->User(), QString("Paul"));
    QVERIFY(root.RenameUserForAll("paul", "Paulo", &messages));
    QVERIFY(Has("CM1/Calcul_Paulo.txt") && Has("x_Paulo.txt"));
    QCOMPARE(calcul->User(), QString("Paulo"));
    QVERIFY(root.DeleteWorkForAll("Paulo", &messages));
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
    try {
        x->AddObject(new TEP_DocsNode);
        QFAIL("no error raised");
    } catch (const DocsNodeError& error) {
        QCOMPARE(QString(error.what()), QString("Erreur interne : TEP_DocsNode.AddObject() appelée pour un document."));
    }
    QVERIFY_THROWS_EXCEPTION(DocsNodeError, root.InsertObject(0, nullptr));
    QStringList messages;
    QVERIFY(!x->AddDocument("y", &messages));
    QCOMPARE(messages.last(), QString("Un document ne peut être ajouté à un autre document"));
    auto document = std::make_unique<TEP_Doc>();
    QVERIFY(document->EPDoc_Init("b", m_dir->path()));
    QVERIFY(!root.AddDocumentNode("x", std::move(document), nullptr, &messages));
    QCOMPARE(messages.last(), QString("Le document \"b\" existe déja dans la liste"));
}

QTEST_MAIN(TestDocsTree)
#include "tst_docstree.moc"
