// Which files belong to which worksheet, as a data root built by hand shows
// them: names prefixing other names, letter case, links and hidden folders.
#include "ScratchFolder.h"
#include "documents/FolderFiles.h"
#include "documents/TEP_Doc.h"
#include "documents/TEP_DocsNode.h"
#include "params/Param_Obj.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace {

QStringList Names(const TEP_DocsNode& node)
{
    QStringList names;
    for (int i = 0; i < node.ChildCount(); ++i)
        names << node.ChildAt(i)->Name();
    return names;
}

} // namespace

class TestFileOwnership : public QObject, private ScratchFolder {
    Q_OBJECT

private slots:
    void init();
    void longestWorksheetNameOwnsTheFile_data();
    void longestWorksheetNameOwnsTheFile();
    void operationsTouchOnlyTheirOwnFiles_data();
    void operationsTouchOnlyTheirOwnFiles();
    void workNamedLikeAnotherWorksheetsWork();
    void namesDifferingOnlyByCase();
    void backgroundLayerIsNobodysWork();
    void linksAreNeverFollowed();
    void hiddenFoldersAndLowerCaseData();
};

void TestFileOwnership::init()
{
    NewScratchFolder();
}

void TestFileOwnership::longestWorksheetNameOwnsTheFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("owner");
    QTest::newRow("work of A") << "A_paul.txt"
                               << "A";
    QTest::newRow("work of A_2") << "A_2_paul.txt"
                                 << "A_2";
    QTest::newRow("layer of A_2") << "A_2_BKL.txt"
                                  << "A_2";
    QTest::newRow("sound of A_2") << "A_2_C.wav"
                                  << "A_2";
    QTest::newRow("work of A_2 in other case") << "a_2_Zoé.txt"
                                               << "A_2";
    QTest::newRow("pupil 2 on A") << "A_2.txt"
                                  << "A";
    QTest::newRow("work of A_2_b") << "A_2_b_x.txt"
                                   << "A_2_b";
    QTest::newRow("no worksheet") << "B_paul.txt"
                                  << "";
    QTest::newRow("prefix without separator") << "AB_paul.txt"
                                              << "";
}

void TestFileOwnership::longestWorksheetNameOwnsTheFile()
{
    QFETCH(QString, file);
    QFETCH(QString, owner);
    for (const char* picture : {"A.jpg", "A_2.jpeg", "A_2_b.JPG"})
        File(picture);
    QCOMPARE(FolderFiles(m_dir->path()).WorksheetOf(file), owner);
}

void TestFileOwnership::operationsTouchOnlyTheirOwnFiles_data()
{
    QTest::addColumn<QString>("operation");
    for (const char* operation : {"list", "rename", "move", "delete", "delete work", "rename pupil"})
        QTest::newRow(operation) << operation;
}

void TestFileOwnership::operationsTouchOnlyTheirOwnFiles()
{
    QFETCH(QString, operation);
    Folder("Autre");
    Jpeg("A.jpg");
    File("A_paul.txt");
    File("A_BKL.txt");
    Jpeg("A_2.jpg");
    const QStringList others {"A_2.jpg", "A_2_paul.txt", "A_2_BKL.txt", "A_2_C.wav", "a_2_Zoé.txt"};
    for (const QString& name : others.mid(1))
        File(name, name.toUtf8());
    TEP_Doc doc;
    QVERIFY(doc.EPDoc_Init("A", m_dir->path()));
    QVERIFY(doc.EPDoc_SetUser("paul"));

    Outcome done;
    if (operation == "list") {
        QStringList files, users;
        QCOMPARE(doc.EPDoc_ListWork(files, users), 1);
        QCOMPARE(users, QStringList {"paul"});
    } else if (operation == "rename") {
        done = doc.EPDoc_Rename("B");
        QVERIFY(Has("B_paul.txt") && Has("B_BKL.txt"));
    } else if (operation == "move") {
        done = doc.EPDoc_MoveTo(Path("Autre"), false);
        QVERIFY(Has("Autre/A_paul.txt") && Has("Autre/A_BKL.txt"));
    } else if (operation == "delete") {
        done = doc.EPDoc_DeleteFiles();
        QVERIFY(!Has("A_paul.txt") && !Has("A.jpg"));
    } else if (operation == "delete work") {
        done = doc.EPDoc_DeleteWork(QString());
        QVERIFY(!Has("A_paul.txt"));
    } else if (operation == "rename pupil") {
        // A pupil "2" renamed: "A_2_paul.txt" is not his work on A.
        done = doc.EPDoc_RenameUserWork("2_paul", "Hugo");
        QVERIFY(!Has("A_Hugo.txt"));
    }
    QVERIFY2(done && !done.HasMessages(), qPrintable(done.Text()));
    for (const QString& name : others)
        QVERIFY2(Has(name) && (name.endsWith(".jpg") || TestFiles::ReadBytes(Path(name)) == name.toUtf8()),
            qPrintable(name));
}

void TestFileOwnership::workNamedLikeAnotherWorksheetsWork()
{
    // A pupil "2_paul" on A would save over paul's work on A_2.
    Jpeg("A.jpg");
    Jpeg("A_2.jpg");
    File("A_2_paul.txt", "paul's work");
    TEP_Doc doc;
    QVERIFY(doc.EPDoc_Init("A", m_dir->path()));
    QVERIFY(doc.EPDoc_SetUser("2_paul"));
    QVERIFY(!doc.HasWork());
    const Outcome loaded = doc.EPDoc_LoadForUse();
    QVERIFY(!loaded);
    QCOMPARE(loaded.Text(),
        QString("Le travail de \"2_paul\" sur la fiche \"A\" ne peut pas être ouvert : son fichier \"A_2_paul.txt\" "
                "serait celui du travail de \"paul\" sur la fiche \"A_2\"."));
    QVERIFY(!doc.EPDoc_DeleteCurrentWork());
    QVERIFY(doc.EPDoc_DeleteWork("2_paul"));
    QCOMPARE(TestFiles::ReadBytes(Path("A_2_paul.txt")), QByteArray("paul's work"));
}

void TestFileOwnership::namesDifferingOnlyByCase()
{
    Jpeg("Page.jpg");
    Jpeg("page.jpeg");
    Jpeg("X.JPG");
    Folder("CM1");
    Folder("CE2");
    TEP_DocsNode root;
    Scan(root);
    QCOMPARE(Names(root), (QStringList {"Page", "X", "CE2", "CM1"})); // one worksheet each
    QCOMPARE(root.FindChildByName("page")->Document()->ImagePath(), Path("Page.jpg"));

    // Creating or renaming into a name the place has in another case.
    TEP_Doc created;
    for (const char* name : {"PAGE", "x", "cm1"}) {
        const Outcome refused
            = created.EPDoc_CreateFromPicture(name, m_dir->path(), 300, 300, JpegFixtures::Pattern(16, 16));
        QVERIFY(!refused);
        QCOMPARE(refused.Text(), QStringLiteral("Le document ou dossier \"%1\" existe déja.").arg(name));
    }
    QVERIFY(!root.RenameChild(root.FindChildByName("X"), "page"));
    QVERIFY(!root.RenameChild(root.FindChildByName("CE2"), "cm1"));
    QVERIFY(!root.RenameChild(root.FindChildByName("CE2"), "x"));
    QStringList entries = QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    entries.sort();
    QCOMPARE(entries, (QStringList {"CE2", "CM1", "Page.jpg", "X.JPG", "page.jpeg"}));
    // Changing only the case of an item's own name still renames it.
    QVERIFY(root.RenameChild(root.FindChildByName("CE2"), "ce2"));
    QVERIFY(root.RenameChild(root.FindChildByName("X"), "x"));
    QVERIFY(Has("ce2") && Has("x.JPG"));

    // Moving where the same name exists in another case.
    Jpeg("CM1/x.jpeg");
    int placement = 0;
    const Outcome moved = root.Move(root.FindChildByName("x"), root.FindChildByName("CM1"), placement);
    QVERIFY(!moved);
    QVERIFY2(moved.Text().startsWith("Le document ne peut être déplacé : le document ou dossier \"x\" existe"),
        qPrintable(moved.Text()));
    QVERIFY(Has("x.JPG") && Has("CM1/x.jpeg"));
}

void TestFileOwnership::backgroundLayerIsNobodysWork()
{
    Jpeg("Fiche.jpg");
    File("Fiche_BKL.txt", "[BKL]\r\n");
    TEP_Doc doc;
    QVERIFY(doc.EPDoc_Init("Fiche", m_dir->path()));
    for (const char* user : {"BKL", "bkl"}) {
        QVERIFY(doc.EPDoc_SetUser(user));
        QVERIFY(!doc.HasWork());
        const Outcome loaded = doc.EPDoc_LoadForUse();
        QVERIFY(!loaded);
        QVERIFY2(loaded.Text().startsWith(QStringLiteral("Le nom \"%1\" est celui du fond de page").arg(user)),
            qPrintable(loaded.Text()));
    }
    QVERIFY(doc.EPDoc_RenameUserWork("bkl", "Paul"));
    QVERIFY(doc.EPDoc_DeleteWork("BKL"));
    QCOMPARE(TestFiles::ReadBytes(Path("Fiche_BKL.txt")), QByteArray("[BKL]\r\n"));
    QVERIFY(!Has("Fiche_Paul.txt"));
}

void TestFileOwnership::linksAreNeverFollowed()
{
    QTemporaryDir outside;
    QVERIFY(TestFiles::WriteBytes(outside.filePath("Secret.jpg"), JpegFixtures::Jpeg(16, 16)));
    QVERIFY(TestFiles::WriteBytes(outside.filePath("Secret_paul.txt"), "x"));
    Folder("Fiches/CM1");
    Jpeg("Fiches/CM1/Lecture.jpg");
    QVERIFY(QFile::link(Path("Fiches"), Path("Fiches/CM1/boucle"))); // up the tree: a scan would never end
    QVERIFY(QFile::link(outside.path(), Path("Fiches/CM1/ailleurs")));
    QVERIFY(QFile::link(outside.filePath("Secret.jpg"), Path("Fiches/Lien.jpg"))); // a leaf, as a file
    QVERIFY(QFile::link(Path("nulle part"), Path("Fiches/cassé")));

    TEP_DocsNode root;
    Scan(root, Path("Fiches"));
    QCOMPARE(Names(root), (QStringList {"Lien", "CM1"}));
    QCOMPARE(Names(*root.FindChildByName("CM1")), QStringList {"Lecture"});
    QVERIFY(root.FindChildByName("Lien")->Document()->EPDoc_DeleteFiles());
    QVERIFY(!QFileInfo(Path("Fiches/Lien.jpg")).isSymLink());
    QVERIFY(QFileInfo::exists(outside.filePath("Secret.jpg"))); // the link went, not what it led to

    // Moving and deleting a folder that holds links.
    Folder("Fiches/CE2");
    QVERIFY(root.Rescan());
    TEP_DocsNode* ce2 = root.FindChildByName("CE2");
    QVERIFY(ce2);
    int placement = 0;
    QVERIFY(root.Move(root.FindChildByName("CM1"), ce2, placement));
    QVERIFY(QFileInfo(Path("Fiches/CE2/CM1/ailleurs")).isSymLink());
    const Outcome deleted = root.EPDocNd_DeleteChild(ce2);
    QVERIFY2(deleted && !Has("Fiches/CE2"), qPrintable(deleted.Text()));
    QVERIFY(QFileInfo::exists(outside.filePath("Secret.jpg")));
    QVERIFY(QFileInfo::exists(outside.filePath("Secret_paul.txt")));
    QVERIFY(QFileInfo(Path("Fiches")).isDir());
}

void TestFileOwnership::hiddenFoldersAndLowerCaseData()
{
    Folder(".Trash-1000");
    Jpeg(".Trash-1000/Ancienne.jpg");
    Folder(".git");
    Jpeg("._Fiche.jpg"); // left by a Mac
    Jpeg("Calcul.jpg");
    Jpeg("Lecture.jpg");
    File("data.txt", "[SUBDIRDATA]\r\nITEMSSORT=Lecture;Calcul;\r\nDIRFONTCOLOR=255*0*0\r\n");
    TEP_DocsNode root;
    Scan(root);
    QCOMPARE(Names(root), (QStringList {"Lecture", "Calcul"}));
    QCOMPARE(root.Color().Value(), 0x0000FFu);
    QVERIFY(root.SaveFolderData()); // into the file as it is named
    QCOMPARE(
        QDir(m_dir->path()).entryList({"*.txt"}, QDir::Files, QDir::Name | QDir::IgnoreCase), QStringList {"data.txt"});
    TEP_DocsNode* folder = nullptr;
    QVERIFY(root.NewFolder(false, &folder));
    QCOMPARE(folder->Name(), QString("Dossier sans titre"));
    QVERIFY(!root.RenameChild(folder, ".cache")); // would vanish from the tree
}

QTEST_MAIN(TestFileOwnership)
#include "tst_fileownership.moc"
