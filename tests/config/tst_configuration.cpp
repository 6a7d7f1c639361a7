// The configuration: data root, general file, users and the open worksheet.
#include "JpegFixtures.h"
#include "TestFiles.h"
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
        TEP_Config config(&m_messenger);
        QVERIFY(config.Initialise(m_dir->path()));
        QVERIFY(QFileInfo(Path("Documents/Fiches")).isDir());
        QVERIFY(QFileInfo(Path("Documents/Noms")).isDir());
        QVERIFY(Has("Documents/Noms/XXXX.conf"));
        QCOMPARE(config.CurrentUser(), QString("XXXX"));
        QVERIFY(config.IsDefaultUser());
        QCOMPARE(config.ExportDir, Path("Documents exportés"));
        QVERIFY(config.Tree());
        QCOMPARE(config.Tree()->Name(), QString("Documents"));
        QVERIFY2(m_messenger.Shown.isEmpty(), qPrintable(m_messenger.Shown.join('\n')));
    }
    QVERIFY(Has("Ardoisine.txt")); // written when the configuration goes
    Param_Obj general;
    QVERIFY(general.LoadFromFile(Path("Ardoisine.txt")));
    QCOMPARE(general.Line(1), QString("PrinterResDiv=1"));
    QCOMPARE(general.PRRead("CONFIG", "VERSION"), QString("400"));

    TEP_Config missing(&m_messenger);
    QVERIFY(!missing.Initialise(Path("absent")));
    QVERIFY(m_messenger.Shown.last().startsWith("Impossible de créer le répertoire"));
}

void TestConfiguration::generalFile()
{
    Write("Ardoisine.txt",
        "[CONFIG]\r\nUSENAMES=oui\r\nUSEGDIP=NO\r\nDOCSROOTNAME=Fiches de la classe\r\n"
        "PrinterResDiv=7\r\nVERSION=abc\r\nCONFIGKW=bcd\r\nFONTS=Courier New,Arial\r\n");
    TEP_Config config(&m_messenger);
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
    QVERIFY(config.WriteGeneralFile());
    Param_Obj general;
    general.LoadFromFile(Path("Ardoisine.txt"));
    QCOMPARE(general.Lines().mid(0, 10),
        (QStringList {"[CONFIG]", "PrinterResDiv=1", "PRINTERNAME=Salle-2", "FONTS=Arial,Courier New", "USENAMES=YES",
            "USEGDIP=NO", "DOCSROOTNAME=Fiches de la classe", "VERSION=400", "CONFIGKW=bcd",
            "EXPORTDIR=" + Path("Documents exportés")}));
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
    TEP_Config config(&m_messenger);
    QVERIFY(config.Initialise(m_dir->path()));
    QCOMPARE(config.UserList(), (QStringList {"Paul", "Zoé"}));
    QVERIFY(config.UserExists("Paul"));
    QVERIFY(!config.UserExists("Léa"));
    QCOMPARE(m_messenger.Shown.last(),
        QStringLiteral("Le fichier de configuration de l'utilisateur \"Léa\" n'existe pas (%1)")
            .arg(Path("Documents/Noms/Léa.conf")));
}

void TestConfiguration::setUser()
{
    Write("Documents/Noms/Paul.conf", "[ARDOISINE]\r\nITPENSIZE=20\r\nTEXTFONTNAME=courier new\r\nHINTFONTSIZE=18\r\n");
    Write("Documents/Fiches/Fiche.jpg", JpegFixtures::Jpeg(64, 64));
    Write("Documents/Fiches/Fiche_Paul.txt", "x");
    TEP_Config config(&m_messenger);
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
    QVERIFY(!config.SetUser("  ", false));
    QCOMPARE(m_messenger.Shown.last(), QString("Initialisation impossible pour un nom d'utilisateur vide"));
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
    TEP_Config config(&m_messenger);
    QVERIFY(config.Initialise(m_dir->path()));
    QVERIFY(!config.SetUser(name, false));
    QVERIFY(m_messenger.Shown.last().contains("ne peut pas être utilisé"));
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
    TEP_Config config(&m_messenger);
    QVERIFY(config.Initialise(m_dir->path()));
    config.SetUser("paul", false);
    m_messenger.TextAnswers = {QString("Paul")};
    QString name = "paul";
    QVERIFY(config.RenameUser(name));
    QCOMPARE(name, QString("Paul"));
    QCOMPARE(m_messenger.Asked.last(), QString("Modification de nom | Nouveau nom :  | paul"));
    QVERIFY(Has("Documents/Noms/Paul.conf") && !Has("Documents/Noms/paul.conf"));
    QVERIFY(Has("Documents/Fiches/Fiche_Paul.txt") && Has("Documents/Fiches/CM1/Calcul_Paul.txt"));
    QCOMPARE(config.CurrentUser(), QString("Paul"));

    m_messenger.TextAnswers = {std::nullopt}; // cancelled
    QVERIFY(!config.RenameUser(name));
    QString missing = "Personne";
    QVERIFY(!config.RenameUser(missing));
    QVERIFY(m_messenger.Shown.last().endsWith("de l'utilisateur \"Personne\" n'existe pas!"));
}

void TestConfiguration::deleteUser()
{
    Write("Documents/Noms/Paul.conf", "[ARDOISINE]\r\n");
    Write("Documents/Fiches/Fiche.jpg", JpegFixtures::Jpeg(64, 64));
    Write("Documents/Fiches/Fiche_Paul.txt", "x");
    Write("Documents/Fiches/Fiche_XXXX.txt", "x");
    TEP_Config config(&m_messenger);
    QVERIFY(config.Initialise(m_dir->path()));
    for (const char* name : {"XXXX", "xxxx", " XxXx "}) {
        QVERIFY(!config.DeleteUser(name));
        QCOMPARE(m_messenger.Shown.last(), QString("La suppression de l'utilisateur par défaut n'est pas autorisée."));
    }
    QVERIFY(config.DeleteUser("Paul"));
    QVERIFY(!Has("Documents/Noms/Paul.conf"));
    QVERIFY(!Has("Documents/Fiches/Fiche_Paul.txt"));
    QVERIFY(Has("Documents/Fiches/Fiche_XXXX.txt"));
    QCOMPARE(config.CurrentUser(), QString("XXXX"));
    QVERIFY(!Has("Documents/Noms/Paul.conf")); // not written back
}

void TestConfiguration::currentDocument()
{
    Write("Documents/Fiches/Fiche.jpg", JpegFixtures::Jpeg(64, 64));
    Write("Documents/Fiches/Autre.jpg", JpegFixtures::Jpeg(64, 64));
    Write("Documents/Fiches/Autre_XXXX.txt", "[MAINRECT]\r\nRECT=0,0\r\n");
    TEP_Config config(&m_messenger);
    QVERIFY(config.Initialise(m_dir->path()));
    TEP_Doc* fiche = config.Tree()->FindChildByName("Fiche")->Document();
    QVERIFY(config.SetCurrentDocument(fiche));
    QCOMPARE(config.CurrentDocument(), fiche);
    QVERIFY(fiche->IsLoaded());
    TEP_Doc* autre = config.Tree()->FindChildByName("Autre")->Document();
    QVERIFY(!config.SetCurrentDocument(autre));
    QVERIFY(
        m_messenger.Shown.last().startsWith("Impossible de charger, pour son utilisation le document \"Autre\".\n"));
    QCOMPARE(config.CurrentDocument(), fiche);
    TEP_Doc stranger;
    QVERIFY(!config.SetCurrentDocument(&stranger));
    QCOMPARE(m_messenger.Shown.last(), QString("Edition non prévue pour un document n'appartenant pas à la liste."));
    QVERIFY(config.SetCurrentDocument(nullptr));
    QVERIFY(!fiche->IsLoaded());
}

QTEST_MAIN(TestConfiguration)
#include "tst_configuration.moc"
