// The configuration: data root, general file, users and the open worksheet.
#include "JpegFixtures.h"
#include "TestFiles.h"
#include "config/CommandDefinition.h"
#include "config/EditorSession.h"
#include "config/TEP_Config.h"
#include "documents/ScriptedMessenger.h"
#include "documents/TEP_Doc.h"
#include "documents/TEP_DocsNode.h"
#include "params/Param_Obj.h"
#include "report/TDPRptImg.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestConfiguration : public QObject {
    Q_OBJECT

private slots:
    void init();
    void firstStartOnAnEmptyDataRoot();
    void generalFile();
    void passwords_data();
    void passwords();
    void usersList();
    void setUser();
    void refusedUserNames_data();
    void refusedUserNames();
    void renameUser();
    void deleteUser();
    void currentDocument();
    void cutPictureIsToldWhenOpened();
    void openWorksheetLeavesTheTree_data();
    void openWorksheetLeavesTheTree();
    void savingFailuresComeBack();
    void fontChoicesAreSaved();
    void editorSession();
    void moveSteps_data();
    void moveSteps();
    void commandDefinitionsAreWrittenAtOnce();
    void selectionLookAndHintFont();

private:
    QString Path(const QString& name) const { return m_dir->filePath(name); }
    bool Has(const QString& name) const { return QFileInfo::exists(Path(name)); }
    void Write(const QString& name, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(Path(name)).path());
        QVERIFY(TestFiles::WriteBytes(Path(name), bytes));
    }
    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedMessenger m_messenger;
};

void TestConfiguration::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_messenger = ScriptedMessenger();
}

void TestConfiguration::firstStartOnAnEmptyDataRoot()
{
    {
        TEP_Config config;
        const Outcome started = config.Initialise(m_dir->path());
        QVERIFY(started);
        QVERIFY2(!started.HasMessages(), qPrintable(started.Text()));
        QVERIFY(QFileInfo(Path("Documents/Fiches")).isDir());
        QVERIFY(QFileInfo(Path("Documents/Noms")).isDir());
        QVERIFY(Has("Documents/Noms/XXXX.conf"));
        QCOMPARE(config.CurrentUser(), QString("XXXX"));
        QVERIFY(config.IsDefaultUser());
        QCOMPARE(config.ExportDir, Path("Documents exportés"));
        QVERIFY(config.Tree());
        QCOMPARE(config.Tree()->Name(), QString("Documents"));
    }
    QVERIFY(!Has("Ardoisine.txt")); // the end of the configuration writes nothing
    {
        TEP_Config config;
        QVERIFY(config.Initialise(m_dir->path()));
        config.Settings.ItemPenSize = 42;
        QVERIFY(config.SaveAll()); // whoever ends the session
    }
    Param_Obj general;
    QVERIFY(general.LoadFromFile(Path("Ardoisine.txt")));
    QCOMPARE(general.Line(1), QString("PrinterResDiv=1"));
    QCOMPARE(general.PRRead("CONFIG", "VERSION"), QString("400"));
    QCOMPARE(general.PRRead("CONFIG", "FONTS"), QString("Arial,Arial Narrow,PlumNal,Courier New"));
    // This PC's own path to the data root means nothing to the other PCs.
    QCOMPARE(general.PRRead("CONFIG", "EXPORTDIR"), PR_NOVALUE);
    Param_Obj xxxx;
    QVERIFY(xxxx.LoadFromFile(Path("Documents/Noms/XXXX.conf")));
    QCOMPARE(xxxx.PRRead("ARDOISINE", "ITPENSIZE"), QString("42"));

    TEP_Config missing;
    const Outcome refused = missing.Initialise(Path("absent"));
    QVERIFY(!refused);
    QVERIFY(refused.Text().startsWith("Impossible de créer le répertoire"));
    QVERIFY(missing.SaveAll()); // nothing was read: nothing to write
    QVERIFY(!QFileInfo::exists(Path("absent")));
}

void TestConfiguration::generalFile()
{
    Write("Ardoisine.txt",
        "[CONFIG]\r\nUSENAMES=oui\r\nUSEGDIP=NO\r\nDOCSROOTNAME=Fiches de la classe\r\n"
        "PrinterResDiv=7\r\nVERSION=abc\r\nCONFIGKW=bcd\r\nFONTS=Courier New,Arial\r\n");
    TEP_Config config;
    config.DefaultPrinterName = [] { return QStringLiteral("Salle-2"); };
    QVERIFY(config.Initialise(m_dir->path()));
    QVERIFY(config.UseNames);
    QVERIFY(!config.UseGdip);
    QVERIFY(!TDPRptImg::UsePlatformImagingByDefault); // applied for the pictures
    QCOMPARE(config.Tree()->Name(), QString("Fiches de la classe"));
    QCOMPARE(config.PrinterResDiv, 1); // 7 is outside 1..4
    QCOMPARE(config.DataVersion, 400);
    QCOMPARE(config.Password, QString("abc"));
    QCOMPARE(config.PrinterName, QString("Salle-2"));
    QVERIFY(config.Fonts.Names().contains("Courier New"));

    // Older data keep the general keys under other headings.
    Param_Obj old;
    old.LoadFromLines({"[ARDOISINE]", "USENAMES=NO", "PrinterResDiv=3", "DOCSROOTNAME=Classeurs"});
    config.ReadGeneralParams(old, "Ardoisine");
    QVERIFY(!config.UseNames);
    QCOMPARE(config.PrinterResDiv, 3);
    QCOMPARE(config.DocsRootName, QString("Classeurs"));
    config.WriteGeneralParams(old, "CONFIG");
    QCOMPARE(old.PRRead("CONFIG", "PrinterResDiv"), QString("3"));
    QCOMPARE(old.PRRead("ARDOISINE", "DOCSROOTNAME"), QString("Classeurs"));
    TDPRptImg::UsePlatformImagingByDefault = false;
}

void TestConfiguration::passwords_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("letters") << "abc"
                             << "bcd";
    QTest::newRow("accents and digits") << "é9z"
                                        << "ê:{";
    QTest::newRow("empty") << ""
                           << "";
}

void TestConfiguration::passwords()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QCOMPARE(TEP_Config::EncodePassword(typed), stored);
    QCOMPARE(TEP_Config::DecodePassword(stored), typed);
    QCOMPARE(TEP_Config::DecodePassword("*%_-0#&|"), QString());
}

void TestConfiguration::usersList()
{
    for (const char* name : {"Documents/Noms/Paul.conf", "Documents/Noms/admin.conf", "Documents/Noms/xxxx.conf",
             "Documents/Noms/Zoé.conf", "Documents/Noms/notes.txt"})
        Write(name, "[ARDOISINE]\r\n");
    TEP_Config config;
    QVERIFY(config.Initialise(m_dir->path()));
    QCOMPARE(config.UserList(), (QStringList {"Paul", "Zoé"}));
    QVERIFY(config.UserExists("Paul"));
    const Outcome lea = config.UserExists("Léa");
    QVERIFY(!lea);
    QCOMPARE(lea.Messages(),
        QStringList {QStringLiteral("Le fichier de configuration de l'utilisateur \"Léa\" n'existe pas (%1)")
                         .arg(Path("Documents/Noms/Léa.conf"))});
}

void TestConfiguration::setUser()
{
    Write("Documents/Noms/Paul.conf", "[ARDOISINE]\r\nITPENSIZE=20\r\nTEXTFONTNAME=courier new\r\nHINTFONTSIZE=18\r\n");
    Write("Documents/Fiches/Fiche.jpg", JpegFixtures::Jpeg(64, 64));
    Write("Documents/Fiches/Fiche_Paul.txt", "x");
    TEP_Config config;
    QVERIFY(config.Initialise(m_dir->path()));
    config.Settings.ItemPenSize = 30; // XXXX's change, saved when leaving
    QVERIFY(config.SetUser(" Paul ", true));
    QCOMPARE(config.CurrentUser(), QString("Paul"));
    QCOMPARE(config.Settings.ItemPenSize, 20);
    QCOMPARE(config.Fonts.CurrentName(), QString("Courier New"));
    QCOMPARE(config.HintFont().size, 18);
    QVERIFY(!config.HintFont().bold.has_value());
    QVERIFY(config.Tree()->FindChildByName("Fiche")->Document()->HasWork());
    Param_Obj xxxx;
    xxxx.LoadFromFile(Path("Documents/Noms/XXXX.conf"));
    QCOMPARE(xxxx.PRRead("ARDOISINE", "ITPENSIZE"), QString("30"));
    const Outcome empty = config.SetUser("  ", false);
    QVERIFY(!empty);
    QCOMPARE(empty.Messages(), QStringList {"Initialisation impossible pour un nom d'utilisateur vide"});
    QVERIFY(config.SetUser("Nouveau", false));
    QVERIFY(Has("Documents/Noms/Nouveau.conf")); // a new user starts with the defaults, written at once
}

void TestConfiguration::refusedUserNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("climbing out") << "../../x";
    QTest::newRow("separator") << "a/b";
    QTest::newRow("reserved") << "COM1";
    QTest::newRow("trailing dot") << "Paul.";
}

void TestConfiguration::refusedUserNames()
{
    QFETCH(QString, name);
    TEP_Config config;
    QVERIFY(config.Initialise(m_dir->path()));
    const Outcome refused = config.SetUser(name, false);
    QVERIFY(!refused);
    QVERIFY(refused.Text().contains("ne peut pas être utilisé"));
    QCOMPARE(config.CurrentUser(), QString("XXXX"));
    QCOMPARE(QDir(Path("Documents/Noms")).entryList(QDir::Files), QStringList {"XXXX.conf"});
    QVERIFY(!QFileInfo::exists(m_dir->filePath("x.conf")));
}

void TestConfiguration::renameUser()
{
    Write("Documents/Noms/paul.conf", "[ARDOISINE]\r\n");
    Write("Documents/Fiches/Fiche.jpg", JpegFixtures::Jpeg(64, 64));
    Write("Documents/Fiches/CM1/Calcul.jpg", JpegFixtures::Jpeg(64, 64));
    Write("Documents/Fiches/Fiche_paul.txt", "x");
    Write("Documents/Fiches/CM1/Calcul_paul.txt", "x");
    TEP_Config config;
    QVERIFY(config.Initialise(m_dir->path()));
    QVERIFY(config.SetUser("paul", false));
    m_messenger.TextAnswers = {QString("Paul")};
    QString name = "paul";
    QVERIFY(config.RenameUser(name, m_messenger));
    QCOMPARE(name, QString("Paul"));
    QCOMPARE(m_messenger.Asked.last(), QString("Modification de nom | Nouveau nom :  | paul"));
    QVERIFY(Has("Documents/Noms/Paul.conf") && !Has("Documents/Noms/paul.conf"));
    QVERIFY(Has("Documents/Fiches/Fiche_Paul.txt") && Has("Documents/Fiches/CM1/Calcul_Paul.txt"));
    QCOMPARE(config.CurrentUser(), QString("Paul"));

    m_messenger.TextAnswers = {std::nullopt}; // cancelled
    const Outcome cancelled = config.RenameUser(name, m_messenger);
    QVERIFY(!cancelled);
    QVERIFY(!cancelled.HasMessages());
    QString missing = "Personne";
    const Outcome nobody = config.RenameUser(missing, m_messenger);
    QVERIFY(!nobody);
    QVERIFY(nobody.Text().endsWith("de l'utilisateur \"Personne\" n'existe pas!"));
    QVERIFY(m_messenger.Shown.isEmpty()); // the caller shows
}

void TestConfiguration::deleteUser()
{
    Write("Documents/Noms/Paul.conf", "[ARDOISINE]\r\n");
    Write("Documents/Fiches/Fiche.jpg", JpegFixtures::Jpeg(64, 64));
    Write("Documents/Fiches/Fiche_Paul.txt", "x");
    Write("Documents/Fiches/Fiche_XXXX.txt", "x");
    TEP_Config config;
    QVERIFY(config.Initialise(m_dir->path()));
    for (const char* name : {"XXXX", "xxxx", " XxXx "}) {
        const Outcome refused = config.DeleteUser(name, m_messenger);
        QVERIFY(!refused);
        QCOMPARE(refused.Messages(), QStringList {"La suppression de l'utilisateur par défaut n'est pas autorisée."});
    }
    QVERIFY(config.DeleteUser("Paul", m_messenger));
    QVERIFY(!Has("Documents/Noms/Paul.conf"));
    QVERIFY(!Has("Documents/Fiches/Fiche_Paul.txt"));
    QVERIFY(Has("Documents/Fiches/Fiche_XXXX.txt"));
    QCOMPARE(config.CurrentUser(), QString("XXXX"));
    QVERIFY(!Has("Documents/Noms/Paul.conf")); // not written back
    QVERIFY(m_messenger.Asked.isEmpty());

    // Work that cannot be deleted (the question it asks): tst_faults, on a
    // read-only disk.
}

void TestConfiguration::currentDocument()
{
    Write("Documents/Fiches/Fiche.jpg", JpegFixtures::Jpeg(64, 64));
    Write("Documents/Fiches/Autre.jpg", JpegFixtures::Jpeg(64, 64));
    Write("Documents/Fiches/Autre_XXXX.txt", "[MAINRECT]\r\nRECT=0,0\r\n");
    TEP_Config config;
    QVERIFY(config.Initialise(m_dir->path()));
    TEP_Doc* fiche = config.Tree()->FindChildByName("Fiche")->Document();
    QVERIFY(config.SetCurrentDocument(fiche));
    QCOMPARE(config.CurrentDocument(), fiche);
    QVERIFY(fiche->IsLoaded());
    TEP_Doc* autre = config.Tree()->FindChildByName("Autre")->Document();
    const Outcome damaged = config.SetCurrentDocument(autre);
    QVERIFY(!damaged);
    QCOMPARE(damaged.Messages().size(), 2);
    QCOMPARE(damaged.Messages().first(), QString("Impossible de charger, pour son utilisation le document \"Autre\"."));
    QCOMPARE(config.CurrentDocument(), fiche);
    TEP_Doc stranger;
    const Outcome strange = config.SetCurrentDocument(&stranger);
    QVERIFY(!strange);
    QCOMPARE(strange.Messages(), QStringList {"Edition non prévue pour un document n'appartenant pas à la liste."});
    QVERIFY(config.SetCurrentDocument(nullptr));
    QVERIFY(!fiche->IsLoaded());
}

void TestConfiguration::cutPictureIsToldWhenOpened()
{
    // A scan whose copy was interrupted on the network: the worksheet opens
    // (the pupil's work is there) and the window has the reason to show.
    const QByteArray whole = JpegFixtures::Jpeg(400, 560, 100);
    Write("Documents/Fiches/Fiche.jpg", whole.left(whole.size() * 2 / 3));
    TEP_Config config;
    QVERIFY(config.Initialise(m_dir->path()));
    TEP_Doc* fiche = config.Tree()->FindChildByName("Fiche")->Document();
    const Outcome opened = config.SetCurrentDocument(fiche);
    QVERIFY(opened);
    QCOMPARE(opened.Messages(),
        QStringList {QStringLiteral("L'image « %1 » est incomplète : le fichier a été coupé.")
                         .arg(Path("Documents/Fiches/Fiche.jpg"))});
    QCOMPARE(config.CurrentDocument(), fiche);
}

void TestConfiguration::openWorksheetLeavesTheTree_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("forgotten");
    QTest::newRow("picture deleted by another PC, rescan") << "picture" << true;
    QTest::newRow("folder deleted by another PC, rescan") << "folder" << true;
    QTest::newRow("worksheet deleted") << "delete" << true;
    QTest::newRow("its folder deleted") << "delete folder" << true;
    QTest::newRow("taken out of the tree") << "take" << true;
    QTest::newRow("another worksheet deleted") << "other" << false;
    QTest::newRow("moved to another folder") << "move" << false;
}

void TestConfiguration::openWorksheetLeavesTheTree()
{
    QFETCH(QString, how);
    QFETCH(bool, forgotten);
    Write("Documents/Fiches/CM1/Fiche.jpg", JpegFixtures::Jpeg(64, 64));
    Write("Documents/Fiches/CM1/Autre.jpg", JpegFixtures::Jpeg(64, 64));
    QVERIFY(QDir().mkpath(Path("Documents/Fiches/CE2")));
    TEP_Config config;
    QVERIFY(config.Initialise(m_dir->path()));
    TEP_DocsNode* cm1 = config.Tree()->FindChildByName("CM1");
    TEP_DocsNode* fiche = cm1->FindChildByName("Fiche");
    QVERIFY(config.SetCurrentDocument(fiche->Document()));
    QVERIFY(QFileInfo::exists(Path("Documents/Fiches/CM1/Fiche_XXXX.lock")));
    std::unique_ptr<TEP_DocsNode> taken;
    int placement = 0;
    if (how == "picture") {
        QVERIFY(QFile::remove(Path("Documents/Fiches/CM1/Fiche.jpg")));
        QVERIFY(config.Tree()->Rescan()); // the selection screen's refresh frees the node
    } else if (how == "folder") {
        QVERIFY(QDir(Path("Documents/Fiches/CM1")).removeRecursively());
        QVERIFY(config.Tree()->Rescan());
    } else if (how == "delete") {
        QVERIFY(cm1->EPDocNd_DeleteChild(fiche));
    } else if (how == "delete folder") {
        // The open worksheet's lock goes with its node, so the folder can go.
        QVERIFY(config.Tree()->EPDocNd_DeleteChild(cm1));
    } else if (how == "take") {
        taken = config.Tree()->TakeChild(cm1);
    } else if (how == "other") {
        QVERIFY(cm1->EPDocNd_DeleteChild(cm1->FindChildByName("Autre")));
    } else if (how == "move") {
        QVERIFY(config.Tree()->Move(fiche, config.Tree()->FindChildByName("CE2"), placement));
    }
    taken.reset(); // whatever was taken out is freed
    if (forgotten) {
        QCOMPARE(config.CurrentDocument(), nullptr);
        QCOMPARE(config.CurrentDocumentNode(), nullptr);
        QVERIFY(!QFileInfo::exists(Path("Documents/Fiches/CM1/Fiche_XXXX.lock"))); // the work is no longer open
    } else {
        QCOMPARE(config.CurrentDocumentNode(), fiche);
        QCOMPARE(config.CurrentDocument(), fiche->Document());
        QVERIFY(fiche->Document()->IsLoaded());
    }
    QVERIFY(config.SetCurrentDocument(nullptr));
}

void TestConfiguration::savingFailuresComeBack()
{
    // A folder where the default user's settings file should be.
    QVERIFY(QDir().mkpath(Path("Documents/Noms/XXXX.conf")));
    TEP_Config config;
    const Outcome started = config.Initialise(m_dir->path());
    QVERIFY(started); // the program starts all the same, and says so
    const QString failure = QStringLiteral("Impossible de sauvegarder la configuration dans le fichier : %1 !")
                                .arg(Path("Documents/Noms/XXXX.conf"));
    QCOMPARE(started.Messages(), QStringList {failure});
    const Outcome saved = config.SaveAll();
    QVERIFY(!saved);
    QCOMPARE(saved.Messages(), QStringList {failure});
    QVERIFY(Has("Ardoisine.txt")); // the general file is written all the same
}

void TestConfiguration::fontChoicesAreSaved()
{
    TEP_Config config;
    config.Fonts = TEP_Fonts([](const QString&) { return true; });
    QVERIFY(config.Initialise(m_dir->path()));
    config.Fonts.ReadFonts("Arial,Courier New,Verdana");
    config.Fonts.SelectByName("Verdana");
    config.Fonts.Size = 18;
    config.Fonts.Bold = true;
    config.Fonts.Underline = true;
    QVERIFY(config.SetUser("Paul", false)); // the previous user's choices go with their settings
    QCOMPARE(config.Fonts.Size, 10); // Paul's defaults
    Param_Obj xxxx;
    QVERIFY(xxxx.LoadFromFile(Path("Documents/Noms/XXXX.conf")));
    QCOMPARE(xxxx.PRRead("ARDOISINE", "TEXTFONTNAME"), QString("Verdana"));
    QCOMPARE(xxxx.PRRead("ARDOISINE", "TEXTFONTSIZE"), QString("18"));
    QCOMPARE(xxxx.PRRead("ARDOISINE", "TEXTFONTBOLD"), QString("YES"));
    QCOMPARE(xxxx.PRRead("ARDOISINE", "TEXTFONTUNDERLINE"), QString("YES"));
    QVERIFY(config.SetUser("XXXX", false));
    QCOMPARE(config.Fonts.CurrentName(), QString("Verdana"));
    QCOMPARE(config.Fonts.Size, 18);
    QVERIFY(config.Fonts.Bold && config.Fonts.Underline);
}

void TestConfiguration::editorSession()
{
    Write("Documents/Noms/Paul.conf", "[ARDOISINE]\r\nITFGCOLOR=255*0*0\r\nITPENSIZE=12\r\n");
    TEP_Config config;
    QVERIFY(config.Initialise(m_dir->path()));
    QCOMPARE(config.Session.MoveStep, 10);
    QCOMPARE(config.Session.CurrentColor, RgbColor(0x000000));
    QCOMPARE(config.Session.CurrentPenSize, 5);
    config.Session.MoveStep = 50;
    config.Session.CurrentColor = RgbColor(0x00FF00);
    QVERIFY(config.SetUser("Paul", false)); // each pupil starts from their own
    QCOMPARE(config.Session.MoveStep, 10);
    QCOMPARE(config.Session.CurrentColor, RgbColor(0x0000FF));
    QCOMPARE(config.Session.CurrentPenSize, 12);
    QVERIFY(config.SaveUserSettings());
    const QByteArray saved = TestFiles::ReadBytes(Path("Documents/Noms/Paul.conf"));
    config.Session.MoveStep = 50;
    config.Session.CurrentPenSize = 40;
    QVERIFY(config.SaveUserSettings());
    QCOMPARE(TestFiles::ReadBytes(Path("Documents/Noms/Paul.conf")), saved); // kept for the session only
}

void TestConfiguration::moveSteps_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("to");
    QTest::newRow("larger from 5") << 5 << "+" << 10;
    QTest::newRow("larger from 50 stays") << 50 << "+" << 50;
    QTest::newRow("larger from 7 (not a step) gives 1") << 7 << "+" << 1;
    QTest::newRow("smaller from 1 stays") << 1 << "-" << 1;
    QTest::newRow("smaller from 20") << 20 << "-" << 10;
    QTest::newRow("smaller from 7 stays") << 7 << "-" << 7;
    QTest::newRow("star") << 3 << "*" << 20;
    QTest::newRow("slash") << 50 << "/" << 1;
    QTest::newRow("other: refresh only") << 4 << " " << 4;
}

void TestConfiguration::moveSteps()
{
    QFETCH(int, from);
    QFETCH(QString, command);
    QFETCH(int, to);
    EditorSession session;
    session.MoveStep = from;
    QCOMPARE(session.SetMoveStep(command.at(0)), to);
    QCOMPARE(session.MoveStep, to);
}

void TestConfiguration::commandDefinitionsAreWrittenAtOnce()
{
    TEP_Config config;
    QVERIFY(config.Initialise(m_dir->path()));
    QVERIFY(config.SetUser("Paul", false));
    const CommandDefinition k {75, 0, "<K>", "MS Sans Serif", 10};
    QVERIFY(config.SaveCommandDefinition("Select_HL_Pnl", k.Fields()));
    Param_Obj paul;
    QVERIFY(paul.LoadFromFile(Path("Documents/Noms/Paul.conf")));
    QCOMPARE(paul.PRReads("TOOLSBARKEYCODES", "Select_HL_Pnl"), QString("1;75;\"\";0;\"\";<K>;MS Sans Serif;10;"));
    const CommandDefinition l {76, 0, "<L>", "MS Sans Serif", 10};
    QVERIFY(config.SaveCommandDefinition("select_hl_pnl", l.Fields())); // one line per command
    QCOMPARE(config.Settings.CommandKeys.size(), 1);

    TEP_Config next;
    QVERIFY(next.Initialise(m_dir->path()));
    QVERIFY(next.SetUser("Paul", false));
    CommandDefinition read;
    read.Apply(next.Settings.CommandKeys.value("select_hl_pnl"));
    QCOMPARE(read, l);
}

void TestConfiguration::selectionLookAndHintFont()
{
    Write("Documents/Noms/Paul.conf",
        "[ARDOISINE]\r\nDEBUGCOLOR=255*0*0\r\nSELBORDERWIDTH=3\r\nRESIZESQSIZE=2\r\nRESIZESQCOLOR=0*0*255\r\n"
        "SELDBLINK=2\r\nHINTFONTSIZE=18\r\nHINTFONTNAME=Verdana\r\n");
    TEP_Config config;
    QVERIFY(config.Initialise(m_dir->path()));
    QCOMPARE(config.Applied().selection, SelectionLook()); // today's look without settings
    QCOMPARE(config.Applied().selection.frameColor, RgbColor(0x008000));
    QVERIFY(config.SetUser("Paul", false));
    const SelectionLook look = config.Applied().selection;
    QCOMPARE(look.frameColor, RgbColor(0x0000FF));
    QCOMPARE(look.frameWidth, 3);
    QCOMPARE(look.resizeSquareSize, 2);
    QCOMPARE(look.resizeSquareColor, RgbColor(0xFF0000));
    QCOMPARE(config.Applied().selectionBlink, 2);

    QCOMPARE(config.HintFont().size, 14); // XXXX's, set at the start
    config.Settings.HintFontSize = 24; // the settings dialog's change
    config.ApplyHintFont();
    QCOMPARE(config.HintFont().size, 24);
    QCOMPARE(config.HintFont().name, QString("Verdana"));
}

QTEST_MAIN(TestConfiguration)
#include "tst_configuration.moc"
