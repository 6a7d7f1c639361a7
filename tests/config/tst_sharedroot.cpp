// A data root shared by a whole school, Windows PCs included: the general
// file written by several PCs, and names that differ only by letter case.
#include "JpegFixtures.h"
#include "TestFiles.h"
#include "config/TEP_Config.h"
#include "documents/ScriptedMessenger.h"
#include "params/Param_Obj.h"
#include "report/TDPRptImg.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestSharedRoot : public QObject {
    Q_OBJECT

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void cleanup() { TDPRptImg::UsePlatformImagingByDefault = false; }
    void generalFileIsTheSchools();
    void namesIgnoreLetterCase_data();
    void namesIgnoreLetterCase();

private:
    QString Path(const QString& name) const { return m_dir->filePath(name); }
    void Write(const QString& name, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(Path(name)).path());
        QVERIFY(TestFiles::WriteBytes(Path(name), bytes));
    }
    QStringList Names() const { return QDir(Path("Documents/Noms")).entryList(QDir::Files); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSharedRoot::generalFileIsTheSchools()
{
    const QByteArray stored = "[CONFIG]\r\nUSENAMES=oui\r\nUSEGDIP=NO\r\nDOCSROOTNAME=Fiches de la classe\r\n"
                              "PrinterResDiv=7\r\nVERSION=abc\r\nCONFIGKW=bcd\r\n"
                              "FONTS=Courier New,Police De L'\xC9"
                              "cole,Arial\r\nSALLE=Salle 2\r\n[AUTRE]\r\nX=1\r\n"; // Windows-1252
    Write("Ardoisine.txt", stored);
    {
        TEP_Config config;
        config.DefaultPrinterName = [] { return QStringLiteral("Salle-2"); };
        QVERIFY(config.Initialise(m_dir->path()));
        QCOMPARE(config.Fonts.Names(), (QStringList {"Arial", "Courier New"})); // what this PC has
        // Nothing changed: the school's file is not rewritten, at any start or end.
        QVERIFY(config.SaveAll());
    }
    QCOMPARE(TestFiles::ReadBytes(Path("Ardoisine.txt")), stored);

    // Two PCs, each changing one setting: both changes stay, and so do the
    // keys and fonts this version or this PC does not know.
    TEP_Config first;
    TEP_Config second;
    QVERIFY(first.Initialise(m_dir->path()) && second.Initialise(m_dir->path()));
    first.DocsRootName = "Classe de CM1";
    second.Password = "xyz";
    QVERIFY(first.SaveAll());
    QVERIFY(second.SaveAll());
    Param_Obj general;
    QVERIFY(general.LoadFromFile(Path("Ardoisine.txt")));
    QCOMPARE(general.Lines(),
        (QStringList {"[CONFIG]", "USENAMES=oui", "USEGDIP=NO", "DOCSROOTNAME=Classe de CM1", "PrinterResDiv=7",
            "VERSION=abc", "CONFIGKW=yz{", "FONTS=Courier New,Police De L'École,Arial", "SALLE=Salle 2", "[AUTRE]",
            "X=1"}));
    // A font list chosen on this PC keeps the fonts only others have.
    first.Fonts.SetNames({"Arial"});
    QVERIFY(first.SaveAll());
    QVERIFY(general.LoadFromFile(Path("Ardoisine.txt")));
    QCOMPARE(general.PRReads("CONFIG", "FONTS"), QString("Police De L'École,Arial"));
}

void TestSharedRoot::namesIgnoreLetterCase_data()
{
    // Names the Windows PCs sharing the data root take for existing ones.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("another pupil's name in capitals") << "PAUL"
                                                      << "L'utilisateur \"paul\" existe déjà";
    QTest::newRow("the background layer") << "bkl"
                                          << "Le nom \"bkl\" est réservé";
    QTest::newRow("the background layer, capitals") << "BKL"
                                                    << "Le nom \"BKL\" est réservé";
    QTest::newRow("the default user") << "xxxx"
                                      << "Le nom \"xxxx\" est réservé";
    QTest::newRow("the hidden name") << "ADMIN"
                                     << "Le nom \"ADMIN\" est réservé";
}

void TestSharedRoot::namesIgnoreLetterCase()
{
    QFETCH(QString, name);
    QFETCH(QString, refusal);
    Write("Documents/Noms/paul.conf", "[ARDOISINE]\r\nITPENSIZE=20\r\n");
    Write("Documents/Noms/léa.conf", "[ARDOISINE]\r\n");
    Write("Documents/Fiches/Fiche.jpg", JpegFixtures::Jpeg(64, 64));
    TEP_Config config;
    QVERIFY(config.Initialise(m_dir->path()));
    const QStringList before = Names();

    // Creating, or renaming another pupil into, the name is refused.
    const Outcome created = config.CreateUser(name);
    QVERIFY(!created);
    QVERIFY2(created.Text().startsWith(refusal), qPrintable(created.Text()));
    QString lea = "léa";
    ScriptedMessenger asker;
    asker.TextAnswers = {name};
    const Outcome renamed = config.RenameUser(lea, asker);
    QVERIFY(!renamed);
    QVERIFY2(renamed.Text().startsWith(refusal), qPrintable(renamed.Text()));
    QCOMPARE(Names(), before);

    // Choosing a name in another case is choosing that user.
    QVERIFY(config.SetUser("PAUL", false));
    QCOMPARE(config.CurrentUser(), QString("paul"));
    QCOMPARE(config.Settings.ItemPenSize, 20);
    QVERIFY(config.UserExists("Paul"));
    QVERIFY(config.SetUser("xXxX", false));
    QVERIFY(config.IsDefaultUser());
    QVERIFY(!config.SetUser("Bkl", false)); // never a new user under a reserved name
    QVERIFY(!config.SetUser("admin", false));
    QCOMPARE(Names(), before);
    QVERIFY(config.CreateUser("Hugo"));
    QCOMPARE(config.CurrentUser(), QString("Hugo"));
    QCOMPARE(config.UserList(), (QStringList {"Hugo", "léa", "paul"}));
}

QTEST_MAIN(TestSharedRoot)
#include "tst_sharedroot.moc"
