// Worksheet documents: binding, work files, page placement, renames, moves,
// deletes and export.
#include "JpegFixtures.h"
#include "TestFiles.h"
#include "documents/JpegHeader.h"
#include "documents/TEP_Doc.h"
#include "report/JpegCodec.h"
#include "report/TDPRptImg.h"
#include "report/TDPRptRect.h"
#include "report/TDPRptSpDr.h"
#include "report/TDPRptText.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A picture of `millimetres` at 100 dpi.
QByteArray Picture(QSizeF millimetres, int dpi = 100)
{
    return JpegFixtures::Jpeg(qRound(millimetres.width() / 25.4 * dpi), qRound(millimetres.height() / 25.4 * dpi), dpi);
}

} // namespace

class TestWorksheet : public QObject {
    Q_OBJECT

private slots:
    void init();
    void lifeCycle();
    void placement_data();
    void placement();
    void imageFiles();
    void pathsFromTheLastListing();
    void damagedWorkFileIsNeverOverwritten();
    void failedSaveIsShown();
    void rename();
    void refusedNames_data();
    void refusedNames();
    void renameUserWork();
    void move();
    void alreadyMoved();
    void deletes();
    void exportPage();
    void createFromPicture();

private:
    QString Path(const QString& name) const { return m_dir->filePath(name); }
    void Write(const QString& name, const QByteArray& bytes) { QVERIFY(TestFiles::WriteBytes(Path(name), bytes)); }
    bool Has(const QString& name) const { return QFileInfo::exists(Path(name)); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestWorksheet::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestWorksheet::lifeCycle()
{
    Write("Fiche.jpg", Picture({190, 270}));
    TEP_Doc doc;
    QVERIFY(doc.EPDoc_Init("Fiche", m_dir->path() + "/"));
    QVERIFY(doc.HasJpg());
    QCOMPARE(doc.ImagePath(), Path("Fiche.jpg"));
    QVERIFY(doc.EPDoc_SetUser(" Paul "));
    QCOMPARE(doc.WorkPath(), Path("Fiche_Paul.txt"));
    QVERIFY(!doc.HasWork());
    const Outcome loaded = doc.EPDoc_LoadForUse();
    QVERIFY(loaded);
    QVERIFY2(!loaded.HasMessages(), qPrintable(loaded.Text()));
    QCOMPARE(doc.Tree()->Width, 2000.0f);
    QCOMPARE(doc.ImageItem()->ImageName, Path("Fiche.jpg"));
    QCOMPARE(doc.ImageItem()->Width, 1900.0f);
    QCOMPARE(doc.ImageItem()->Height, 2700.0f);

    QVERIFY(doc.EPDoc_Save());
    QVERIFY(!Has("Fiche_Paul.txt")); // untouched: no file

    auto* highlight = doc.Tree()->AddChild("NEWIT_1", std::make_unique<TDPRptSpDr>());
    highlight->Name = "NEWIT_1";
    highlight->SpDrMode = TDPRptSpDr::SpHighLight;
    highlight->Width = 500;
    highlight->Height = 100;
    highlight->PosX = 100;
    highlight->PosY = 200;
    QVERIFY(doc.EPDoc_Save());
    QVERIFY(Has("Fiche_Paul.txt"));
    QVERIFY(doc.HasWork());
    const QByteArray written = TestFiles::ReadBytes(Path("Fiche_Paul.txt"));
    QVERIFY(
        written.startsWith("[MAINRECT]\r\nTYPE=RECT\r\nRECT=2000,2829\r\nCHILD=MAINIMG,0,0\r\nCHILD=NEWIT_1,100,200"));

    doc.EPDoc_Close();
    QVERIFY(!doc.IsLoaded());
    const Outcome notLoaded = doc.EPDoc_Save();
    QVERIFY(!notLoaded);
    QCOMPARE(
        notLoaded.Messages(), QStringList {"Impossible de sauvegarder les données du document (données non chargées)"});
    QVERIFY(doc.EPDoc_LoadForUse());
    QCOMPARE(doc.Tree()->ChildCount(), 2);
    QVERIFY(QFile::remove(Path("Fiche_Paul.txt")));
    QVERIFY(doc.EPDoc_Save());
    QVERIFY(!Has("Fiche_Paul.txt")); // unchanged since loading: nothing written
    QVERIFY(!doc.EPDoc_IsLandscape());
}

void TestWorksheet::placement_data()
{
    QTest::addColumn<QSizeF>("millimetres");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<float>("fitScale");
    QTest::newRow("portrait, unscaled") << QSizeF(190, 270) << false << QSize(1900, 2700) << 1.0f;
    QTest::newRow("landscape, unscaled") << QSizeF(250, 180) << true << QSize(2500, 1800) << 1.0f;
    QTest::newRow("too large: landscape, scaled") << QSizeF(300, 300) << true << QSize(2000, 2000) << 0.6667f;
    QTest::newRow("too tall: portrait, scaled") << QSizeF(210, 400) << false << QSize(1485, 2829) << 0.7072f;
}

void TestWorksheet::placement()
{
    QFETCH(QSizeF, millimetres);
    QFETCH(bool, landscape);
    QFETCH(QSize, size);
    QFETCH(float, fitScale);
    Write("Page.jpg", Picture(millimetres));
    TEP_Doc doc;
    QVERIFY(doc.EPDoc_Init("Page", m_dir->path()));
    QVERIFY(doc.EPDoc_SetUser("Zoé"));
    QVERIFY(doc.EPDoc_LoadForUse());
    QCOMPARE(doc.EPDoc_IsLandscape(), landscape);
    QCOMPARE(doc.Tree()->Width, landscape ? 2829.0f : 2000.0f);
    QVERIFY(qAbs(doc.ImageItem()->Width - size.width()) <= 1);
    QVERIFY(qAbs(doc.ImageItem()->Height - size.height()) <= 1);
    QVERIFY(qAbs(doc.FitScale() - fitScale) < 0.001f);
    QCOMPARE(doc.HorizontalResolution(), 100);
}

void TestWorksheet::imageFiles()
{
    Write("a.jpeg", JpegFixtures::Jpeg(64, 64));
    Write("a.jpg", JpegFixtures::Jpeg(64, 64));
    Write("b.JPEG", JpegFixtures::Jpeg(64, 64));
    Write("b_C.wav", "RIFF");
    Write("b_A.wav", "RIFF");
    Write("b_BKL.txt", "");
    TEP_Doc doc;
    QVERIFY(doc.EPDoc_Init("a", m_dir->path()));
    QVERIFY(doc.HasJpg() && doc.HasJpeg());
    QCOMPARE(doc.ImagePath(), Path("a.jpg")); // ".jpg" wins
    QVERIFY(doc.EPDoc_Init("b", m_dir->path()));
    QCOMPARE(doc.ImagePath(), Path("b.JPEG")); // any letter case
    QCOMPARE(doc.FileFlags(),
        int(TEP_Doc::JpegFile | TEP_Doc::InstructionSound | TEP_Doc::HelpSound | TEP_Doc::BackgroundLayer));
    const Outcome noImage = doc.EPDoc_Init("c", m_dir->path());
    QVERIFY(!noImage);
    QCOMPARE(noImage.Messages(), QStringList {"Aucun fichier image associé au document : \"c\"."});
    QVERIFY(!doc.IsInitialised());
    const Outcome noUser = doc.EPDoc_SetUser("x");
    QVERIFY(!noUser);
    QCOMPARE(noUser.Messages(), QStringList {"Document non initialisé"});

    // Unknown resolution: fitted to the page by its proportions.
    QByteArray unknown = JpegFixtures::Jpeg(400, 200);
    JpegHeader::StampResolution(unknown, 0, 0);
    Write("u.jpg", unknown);
    QVERIFY(doc.EPDoc_Init("u", m_dir->path()));
    QVERIFY(doc.EPDoc_SetUser("x"));
    QVERIFY(doc.EPDoc_LoadForUse());
    QVERIFY(doc.EPDoc_IsLandscape());
    QCOMPARE(doc.ImageItem()->Width, 2829.0f);
    QCOMPARE(doc.ImageItem()->Height, 1414.0f); // 1414.5, halves to even
}

void TestWorksheet::pathsFromTheLastListing()
{
    // Names as a Windows PC or a copy left them: the getters give them as
    // the folder's listing found them, and do not look at the disk again
    // (the selection screen asks them several times a second).
    Write("Fiche.jpg", JpegFixtures::Jpeg(64, 64));
    Write("fiche_c.WAV", "c");
    Write("FICHE_A.wav", "a");
    Write("Fiche_bkl.txt", "");
    Write("FICHE_Paul.TXT", "p");
    TEP_Doc doc;
    QVERIFY(doc.EPDoc_Init("Fiche", m_dir->path()));
    QVERIFY(doc.EPDoc_SetUser("paul"));
    QCOMPARE(doc.InstructionSoundPath(), Path("fiche_c.WAV"));
    QCOMPARE(doc.HelpSoundPath(), Path("FICHE_A.wav"));
    QCOMPARE(doc.BackgroundLayerPath(), Path("Fiche_bkl.txt"));
    QCOMPARE(doc.WorkPath(), Path("FICHE_Paul.TXT"));
    QCOMPARE(doc.WorkPath("Zoé"), Path("Fiche_Zoé.txt")); // no work yet: the name it will have

    QVERIFY(QFile::rename(Path("fiche_c.WAV"), Path("Fiche_C.wav")));
    QCOMPARE(doc.InstructionSoundPath(), Path("fiche_c.WAV")); // not listed again
    QVERIFY(doc.EPDoc_Refresh());
    QCOMPARE(doc.InstructionSoundPath(), Path("Fiche_C.wav"));
    QVERIFY(QFile::remove(Path("FICHE_Paul.TXT")));
    QVERIFY(doc.EPDoc_RefreshWork());
    QVERIFY(!doc.HasWork());
    QCOMPARE(doc.WorkPath(), Path("Fiche_paul.txt"));
}

void TestWorksheet::damagedWorkFileIsNeverOverwritten()
{
    Write("Fiche.jpg", Picture({190, 270}));
    const QByteArray damaged("[MAINRECT]\r\nTYPE=RECT\r\nRECT=0,0\r\n");
    Write("Fiche_Paul.txt", damaged);
    TEP_Doc doc;
    QVERIFY(doc.EPDoc_Init("Fiche", m_dir->path()));
    QVERIFY(doc.EPDoc_SetUser("paul")); // the file's name differs in letter case only
    QVERIFY(doc.HasWork());
    const Outcome loaded = doc.EPDoc_LoadForUse();
    QVERIFY(!loaded);
    QCOMPARE(loaded.Messages(),
        QStringList {QStringLiteral("Le fichier de définition \"%1\" contient des erreurs (DPRpt_Load())")
                         .arg(Path("Fiche_Paul.txt"))});
    QVERIFY(!doc.EPDoc_Save());
    QCOMPARE(TestFiles::ReadBytes(Path("Fiche_Paul.txt")), damaged);
}

void TestWorksheet::failedSaveIsShown()
{
    Write("Fiche.jpg", Picture({190, 270}));
    QDir(m_dir->path()).mkdir("Fiche_Paul.txt"); // a folder where the work file should go
    TEP_Doc doc;
    QVERIFY(doc.EPDoc_Init("Fiche", m_dir->path()));
    QVERIFY(doc.EPDoc_SetUser("Paul"));
    QVERIFY(doc.EPDoc_LoadForUse());
    doc.Tree()->Width = 2001;
    const Outcome saved = doc.EPDoc_Save(); // reported like every other operation: the caller shows it
    QVERIFY(!saved);
    QCOMPARE(saved.Messages(),
        QStringList {
            QStringLiteral("Impossible de sauvegarder le fichier : %1\nc'est un dossier").arg(Path("Fiche_Paul.txt"))});
    QVERIFY(doc.IsLoaded()); // the work is still there for a later save
}

void TestWorksheet::rename()
{
    Write("abc.jpg", JpegFixtures::Jpeg(64, 64));
    Write("abc_C.wav", "c");
    Write("abc_BKL.txt", "b");
    Write("abc_Paul.txt", "p");
    Write("abc_Zoé.txt", "z");
    TEP_Doc doc;
    QVERIFY(doc.EPDoc_Init("abc", m_dir->path()));
    QVERIFY(doc.EPDoc_SetUser("Paul"));
    QVERIFY(doc.EPDoc_Rename(" abc "));
    QVERIFY(Has("abc.jpg"));
    const Outcome renamed = doc.EPDoc_Rename("ABC");
    QVERIFY(renamed);
    QVERIFY2(!renamed.HasMessages(), qPrintable(renamed.Text()));
    QCOMPARE(doc.Name(), QString("ABC"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files),
        (QStringList {"ABC.jpg", "ABC_BKL.txt", "ABC_C.wav", "ABC_Paul.txt", "ABC_Zoé.txt"}));
    // The getters follow the files under their new names.
    QCOMPARE(doc.InstructionSoundPath(), Path("ABC_C.wav"));
    QCOMPARE(doc.WorkPath(), Path("ABC_Paul.txt"));

    Write("Autre.jpg", "x");
    const Outcome refused = doc.EPDoc_Rename("Autre"); // never replaces a file
    QVERIFY(!refused);
    QCOMPARE(refused.Messages(), QStringList {"Le document ou dossier \"Autre\" existe déja."});
    // Nor takes another worksheet's name in another case.
    QCOMPARE(doc.EPDoc_Rename("AUTRE").Messages(), QStringList {"Le document ou dossier \"AUTRE\" existe déja."});
    QCOMPARE(doc.Name(), QString("ABC"));
    QVERIFY(Has("ABC.jpg"));

    // A file that cannot follow is told; the document has its new name all
    // the same.
    Write("Neuf_C.wav", "already there");
    const Outcome partly = doc.EPDoc_Rename("Neuf");
    QVERIFY(partly);
    QCOMPARE(partly.Messages(),
        QStringList {QStringLiteral("Impossible de renommer le fichier \"%1\" en \"%2\"!!")
                         .arg(Path("ABC_C.wav"), Path("Neuf_C.wav"))});
    QCOMPARE(doc.Name(), QString("Neuf"));
    QVERIFY(Has("Neuf.jpg") && Has("Neuf_Paul.txt") && Has("ABC_C.wav"));
}

void TestWorksheet::refusedNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("dot") << "page.2";
    QTest::newRow("backslash") << "a\\b";
    QTest::newRow("slash") << "../dehors";
    QTest::newRow("empty") << "  ";
    QTest::newRow("reserved") << "con";
    QTest::newRow("colon") << "a:b";
    QTest::newRow("control") << QString("a\tb");
}

void TestWorksheet::refusedNames()
{
    QFETCH(QString, name);
    Write("abc.jpg", JpegFixtures::Jpeg(64, 64));
    TEP_Doc doc;
    QVERIFY(doc.EPDoc_Init("abc", m_dir->path()));
    const Outcome renamed = doc.EPDoc_Rename(name);
    QVERIFY(!renamed);
    QCOMPARE(renamed.Messages(),
        QStringList {
            QStringLiteral("Un nom de document ne peut être vide ou contenir le caractère  '\\' ni un point.")});
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList {"abc.jpg"});
}

void TestWorksheet::renameUserWork()
{
    Write("Fiche.jpg", JpegFixtures::Jpeg(64, 64));
    Write("Fiche_paul.txt", "p");
    TEP_Doc doc;
    QVERIFY(doc.EPDoc_Init("Fiche", m_dir->path()));
    QVERIFY(doc.EPDoc_SetUser("PAUL"));
    QCOMPARE(doc.WorkPath(), Path("Fiche_paul.txt"));
    QVERIFY(doc.EPDoc_RenameUserWork("paul", "Paul"));
    QCOMPARE(doc.CurrentUser(), QString("Paul"));
    QVERIFY(Has("Fiche_Paul.txt"));
    QVERIFY(!Has("Fiche_paul.txt"));
    QCOMPARE(doc.WorkPath(), Path("Fiche_Paul.txt"));
    QVERIFY(doc.HasWork());
    QVERIFY(doc.EPDoc_RenameUserWork("Nobody", "Somebody")); // no work: no error
    const Outcome empty = doc.EPDoc_RenameUserWork(" ", "x");
    QVERIFY(!empty);
    QCOMPARE(empty.Messages().last(),
        QString("Nom d'utilisateur vide impossible de procéder au changement de nom d'utilisateur : \"\" => \"x\"."));
}

void TestWorksheet::move()
{
    Write("Fiche.jpg", JpegFixtures::Jpeg(64, 64));
    Write("Fiche_A.wav", "a");
    Write("Fiche_BKL.txt", "b");
    Write("Fiche_Paul.txt", "p");
    Write("Autre.jpg", "x");
    QDir(m_dir->path()).mkdir("CM1");
    TEP_Doc doc;
    QVERIFY(doc.EPDoc_Init("Fiche", m_dir->path()));
    const Outcome absent = doc.EPDoc_MoveTo(Path("absent"), false);
    QVERIFY(!absent);
    QCOMPARE(absent.Messages(),
        QStringList {QStringLiteral("Le document ne peut être déplacé : le répertoire \"%1\" n'existe pas!")
                         .arg(Path("absent"))});
    QVERIFY(doc.EPDoc_MoveTo(Path("CM1"), false));
    QCOMPARE(QDir(Path("CM1")).entryList(QDir::Files),
        (QStringList {"Fiche.jpg", "Fiche_A.wav", "Fiche_BKL.txt", "Fiche_Paul.txt"}));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList {"Autre.jpg"});
    QCOMPARE(doc.Folder(), Path("CM1"));
    QCOMPARE(doc.ImagePath(), Path("CM1/Fiche.jpg"));
    QCOMPARE(doc.BackgroundLayerPath(), Path("CM1/Fiche_BKL.txt"));
}

void TestWorksheet::alreadyMoved()
{
    Write("Fiche.jpg", JpegFixtures::Jpeg(64, 64));
    Write("Fiche_C.wav", "c");
    Write("Fiche_Paul.txt", "p");
    TEP_Doc doc;
    QVERIFY(doc.EPDoc_Init("Fiche", m_dir->path()));
    QVERIFY(doc.EPDoc_SetUser("Paul"));
    QDir(m_dir->path()).mkdir("CM2");
    QVERIFY(QFile::rename(Path("Fiche.jpg"), Path("CM2/Fiche.jpg"))); // the folder went, the sound not
    const Outcome moved = doc.EPDoc_MoveTo(Path("CM2"), true);
    QVERIFY(moved);
    QCOMPARE(moved.Messages(),
        (QStringList {QStringLiteral("Le fichier son \"%1\" n'existe pas!").arg(Path("CM2/Fiche_C.wav")),
            QStringLiteral("Le fichier de travail \"%1\" n'existe pas!").arg(Path("CM2/Fiche_Paul.txt"))}));
    QVERIFY(Has("Fiche_C.wav")); // nothing moved
    QCOMPARE(doc.ImagePath(), Path("CM2/Fiche.jpg"));
}

void TestWorksheet::deletes()
{
    Write("Fiche.jpg", JpegFixtures::Jpeg(64, 64));
    Write("Fiche_C.wav", "c");
    Write("Fiche_Paul.txt", "p");
    Write("Fiche_Zoé.txt", "z");
    Write("Fiche_Léa.txt", "l");
    TEP_Doc doc;
    QVERIFY(doc.EPDoc_Init("Fiche", m_dir->path()));
    QVERIFY(doc.EPDoc_SetUser("Paul"));
    QStringList files, users;
    QCOMPARE(doc.EPDoc_ListWork(files, users), 3);
    QVERIFY(users.contains("Zoé"));

    QVERIFY(doc.EPDoc_DeleteWork("zoé"));
    QVERIFY(!Has("Fiche_Zoé.txt"));
    QVERIFY(Has("Fiche_Paul.txt")); // another pupil's work stays
    QVERIFY(doc.EPDoc_DeleteCurrentWork());
    QVERIFY(!Has("Fiche_Paul.txt"));
    const Outcome again = doc.EPDoc_DeleteCurrentWork();
    QVERIFY(!again);
    QCOMPARE(again.Messages(),
        QStringList {QStringLiteral("Le document de travail n'existe pas (\"%1\").").arg(Path("Fiche_Paul.txt"))});
    QVERIFY(doc.EPDoc_DeleteWork(""));
    QVERIFY(!Has("Fiche_Léa.txt"));
    QVERIFY(doc.EPDoc_DeleteFiles());
    QVERIFY(QDir(m_dir->path()).entryList(QDir::Files).isEmpty());
}

void TestWorksheet::exportPage()
{
    Write("Fiche.jpg", Picture({190, 270}));
    TEP_Doc doc;
    const Outcome uninitialised = doc.EPDoc_ExportJpeg(Path("out.jpg"));
    QVERIFY(!uninitialised);
    QCOMPARE(uninitialised.Messages(), QStringList {"Sauvegarde sur fichier impossible : document non initialisé."});
    QVERIFY(doc.EPDoc_Init("Fiche", m_dir->path()));
    QVERIFY(doc.EPDoc_SetUser("Paul"));
    QVERIFY(doc.EPDoc_LoadForUse());
    auto* highlight = doc.Tree()->AddChild("NEWIT_1", std::make_unique<TDPRptSpDr>());
    highlight->Name = "NEWIT_1";
    highlight->SpDrMode = TDPRptSpDr::SpHighLight;
    highlight->ForeColors[0] = RgbColor(0x0000FF);
    highlight->Width = 500;
    highlight->Height = 200;
    highlight->PosX = 1000;
    highlight->PosY = 1300;
    auto* text = doc.Tree()->AddChild("NEWIT_2", std::make_unique<TDPRptText>());
    text->Name = "NEWIT_2";
    text->Transparent = true;
    text->Width = 1000;
    text->Height = 300;
    text->PosX = 254;
    text->PosY = 1016;
    text->Font.Size = 40;
    text->Value = "MMMMMMMM";
    QVERIFY(doc.EPDoc_Save());

    // Exported while the pupil edits the text at 150 % on screen: the screen
    // keeps its scale and hit rectangles, and the page has the text.
    QVERIFY(doc.Tree()->SetScale(float(96 / 254.0 * 1.5)));
    text->EditState = {true, true, true, false, true, 2};
    const QRect screenRect = text->ScreenRect;
    const QRect pixelRect = text->PixelRect;
    QVERIFY(doc.EPDoc_ExportJpeg(Path("editing.jpg")));
    QVERIFY(doc.IsLoaded());
    QCOMPARE(doc.Tree()->Scale, float(96 / 254.0 * 1.5));
    QCOMPARE(text->ScreenRect, screenRect);
    QCOMPARE(text->PixelRect, pixelRect);
    QVERIFY(text->EditState.HiddenWhileEdited);
    QCOMPARE(text->EditState.CaretPosition, 2);
    doc.EPDoc_Close();

    // Export loads the work it draws.
    QVERIFY(doc.EPDoc_ExportJpeg(Path("out.jpg")));
    QVERIFY(!doc.IsLoaded());
    QCOMPARE(JpegCodec::DecodeFile(Path("editing.jpg")), JpegCodec::DecodeFile(Path("out.jpg")));
    const QImage page = JpegCodec::DecodeFile(Path("out.jpg"));
    QCOMPARE(page.size(), QSize(827, 1169)); // A4 at the picture's 100 dpi
    JpegHeader::Resolution resolution;
    QVERIFY(JpegHeader::ReadResolution(Path("out.jpg"), resolution));
    QCOMPARE(resolution.horizontal, 100);
    const QColor tinted = page.pixelColor(450, 540); // inside the highlight, over white paper
    QVERIFY2(tinted.green() < 110 && tinted.red() > 200 && tinted.blue() > 200, qPrintable(tinted.name()));
    int dark = 0;
    for (int y = 400; y < 520; ++y)
        for (int x = 100; x < 490; ++x)
            dark += page.pixelColor(x, y).lightness() < 80;
    QVERIFY2(dark > 500, qPrintable(QString::number(dark))); // the text of the pupil

    const Outcome noFolder = doc.EPDoc_ExportJpeg(Path("nofolder/out.jpg"));
    QVERIFY(!noFolder);
    // The reason first, then what could not be done.
    QCOMPARE(noFolder.Messages(),
        (QStringList {QStringLiteral("Impossible d'enregistrer le fichier « %1 » : le dossier n'existe pas.")
                          .arg(Path("nofolder/out.jpg")),
            QStringLiteral("Impossible de créer le fichier JPeg : %1.").arg(Path("nofolder/out.jpg"))}));
}

void TestWorksheet::createFromPicture()
{
    TEP_Doc doc;
    QVERIFY(doc.EPDoc_CreateFromPicture("Scan 1", m_dir->path(), 200, 150, JpegFixtures::Pattern(100, 80)));
    QVERIFY(doc.IsInitialised());
    QCOMPARE(doc.ImagePath(), Path("Scan 1.jpg"));
    JpegHeader::Resolution resolution;
    QVERIFY(JpegHeader::ReadResolution(Path("Scan 1.jpg"), resolution));
    QCOMPARE(resolution.horizontal, 200);
    QCOMPARE(resolution.vertical, 150);
    QVERIFY(!doc.EPDoc_CreateFromPicture("../x", m_dir->path(), 200, 200, JpegFixtures::Pattern(10, 10)));
    QVERIFY(!QFileInfo::exists(m_dir->filePath("../x.jpg")));
}

QTEST_MAIN(TestWorksheet)
#include "tst_worksheet.moc"
