// The conversion of data roots written by versions before 4.00.
#include "OldDataRoot.h"
#include "TestFiles.h"
#include "config/DataMigration.h"
#include "config/TEP_Config.h"
#include "documents/FileMove.h"
#include "documents/ScriptedMessenger.h"
#include "documents/TEP_DocsNode.h"
#include "params/Param_Obj.h"
#include "params/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString Quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QStringList SortedKeys(const QMap<QString, QByteArray>& snapshot)
{
    QStringList keys = snapshot.keys();
    keys.sort();
    return keys;
}

} // namespace

class TestMigration : public QObject {
    Q_OBJECT

private slots:
    void init();
    void untouchedRoots_data();
    void untouchedRoots();
    void schoolConversion_data();
    void schoolConversion();
    void convertedRootStartsWithTheOldSettings_data();
    void convertedRootStartsWithTheOldSettings();
    void movesNeverReplace();
    void firstSaveKeepsTheUsersSettings();
    void userFolders_data();
    void userFolders();
    void bindersNeverLeaveUntitledFolders();
    void stoppedInsideAWorksheetMove();
    void reportThatCannotBeSaved();

private:
    QString Path(const QString& name) const { return QDir(m_root).filePath(name); }
    QString Sheets(const QString& name) const { return Path("Documents/Fiches/" + name); }
    QString Names(const QString& name) const { return Path("Documents/Noms/" + name); }
    MigrationReport Migrate(Messenger* messenger = nullptr)
    {
        DataMigration migration(m_root);
        return migration.Run(messenger);
    }
    QByteArray Read(const QString& name) const { return TestFiles::ReadBytes(Path(name)); }
    QString ReadValue(const QString& file, const QString& heading, const QString& key) const
    {
        Param_Obj params;
        return params.LoadFromFile(Path(file)) ? params.PRRead(heading, key) : QStringLiteral("(no file)");
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_root;
};

void TestMigration::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_root = m_dir->path();
}

void TestMigration::untouchedRoots_data()
{
    QTest::addColumn<QString>("form");
    QTest::newRow("no general file") << "none";
    QTest::newRow("general file already in the current form") << "current";
    QTest::newRow("converted once already") << "converted";
}

void TestMigration::untouchedRoots()
{
    QFETCH(QString, form);
    QVERIFY(OldDataRoot::BuildSchool(m_root));
    if (form == "none") {
        QVERIFY(QFile::remove(Path("Ardoisine.txt")));
    } else if (form == "current") {
        // A "CONFIG" heading and no "ARDOISINE": the old heading beside it
        // and the binders are not looked at.
        QVERIFY(OldDataRoot::Write(m_root, "Ardoisine.txt",
            TestFiles::CrLf(
                {"[CONFIG]", "USENAMES=NO", "[ARDOISINER]", "USENAMES=YES", "[LNK.1]", "NAME=Maths", "DOC=Calcul"})));
    } else {
        QVERIFY(Migrate().oldDataFound);
    }
    const QMap<QString, QByteArray> before = OldDataRoot::Snapshot(m_root);
    ScriptedMessenger messenger;
    const MigrationReport report = Migrate(&messenger);
    QVERIFY(!report.oldDataFound);
    QVERIFY(report.outcome);
    QVERIFY(!report.outcome.HasMessages());
    QVERIFY(!report.HasReport());
    QVERIFY(messenger.Shown.isEmpty());
    QVERIFY(messenger.ViewerTitles.isEmpty());
    const QMap<QString, QByteArray> after = OldDataRoot::Snapshot(m_root);
    QVERIFY2(after == before, qPrintable(OldDataRoot::Differences(before, after)));
}

void TestMigration::schoolConversion_data()
{
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("generalFile");
    QTest::addColumn<int>("version");
    QTest::newRow("version 2.05") << "ARDOISINE"
                                  << "Ardoisine.txt" << 205;
    QTest::newRow("version 2.00") << "ARDOISINER"
                                  << "Ardoisine.txt" << 200;
    QTest::newRow("copied from Windows") << "ardoisiner"
                                         << "ARDOISINE.TXT" << 200;
}

void TestMigration::schoolConversion()
{
    QFETCH(QString, heading);
    QFETCH(QString, generalFile);
    QFETCH(int, version);
    QVERIFY(OldDataRoot::BuildSchool(m_root, heading));
    if (generalFile != "Ardoisine.txt")
        QVERIFY(QFile::rename(Path("Ardoisine.txt"), Path(generalFile)));
    const QByteArray paulSettings = Read("Documents/Noms/paul/paul.conf");
    const QByteArray zoeSettings = Read("Documents/Noms/Zoé.conf");
    const QByteArray paulWork = Read("Documents/Noms/paul/Calcul.txt");

    ScriptedMessenger messenger;
    const MigrationReport report = Migrate(&messenger);
    QVERIFY(report.oldDataFound);
    QCOMPARE(report.oldVersion, version);
    const QString announcement = QStringLiteral("Vous utilisez actuellement une version inférieure à la version 4.00 "
                                                "de Ardoisine dans le répertoire %1.\nLe logiciel va actualiser vos "
                                                "données.")
                                     .arg(Quoted(m_root + "/"));
    QCOMPARE(report.announcement, announcement);

    const QStringList files = SortedKeys(OldDataRoot::Snapshot(m_root));
    QStringList expected {generalFile, "Documents/", "Documents/Fiches/", "Documents/Fiches/Dictée.jpg",
        "Documents/Fiches/Dictée_Marie.txt", "Documents/Fiches/Dictée_anna.txt", "Documents/Fiches/Lecture/",
        "Documents/Fiches/Lecture/Conte.jpeg", "Documents/Fiches/Lecture/Conte_BKL.txt",
        "Documents/Fiches/Lecture/Conte_paul.txt", "Documents/Fiches/Maths/", "Documents/Fiches/Maths/Calcul.jpg",
        "Documents/Fiches/Maths/Calcul_C.wav", "Documents/Fiches/Maths/Calcul_paul.txt",
        "Documents/Fiches/Maths/Calcul_zoé.txt", "Documents/Fiches/Maths/Géométrie.JPG",
        "Documents/Fiches/Maths/Géométrie_Marie.txt", "Documents/Fiches/Poème.jpg", "Documents/Fiches/Poème_léo.txt",
        "Documents/Noms/", "Documents/Noms/Marie.conf", "Documents/Noms/Zoé.conf", "Documents/Noms/anna.conf",
        "Documents/Noms/anna/", "Documents/Noms/anna/Dictée.txt", "Documents/Noms/léo.conf", "Documents/Noms/léo/",
        "Documents/Noms/léo/notes.doc", "Documents/Noms/paul.conf", "Transfert400.txt"};
    expected.sort();
    QCOMPARE(files, expected);

    // The general settings under "CONFIG"; the users' settings and the old
    // heading gone; the printer and export folder left to each PC.
    Param_Obj general;
    QVERIFY(general.LoadFromFile(Path(generalFile)));
    QCOMPARE(general.PRRead("CONFIG", "USENAMES"), QString("YES"));
    QCOMPARE(general.PRRead("CONFIG", "DOCSROOTNAME"), QString("Fiches de la classe"));
    QCOMPARE(general.PRRead("CONFIG", "CONFIGKW"), QString("tfdsfu"));
    QCOMPARE(general.PRRead("CONFIG", "PrinterResDiv"), QString("2"));
    QCOMPARE(general.PRRead("CONFIG", "VERSION"), QString("400"));
    QCOMPARE(general.PRRead("CONFIG", "EXPORTDIR"), PR_NOVALUE);
    QCOMPARE(general.PRRead("CONFIG", "PRINTERNAME"), PR_NOVALUE);
    QCOMPARE(general.PRGetParHead("ARDOISINE"), -1);
    QCOMPARE(general.PRGetParHead("ARDOISINER"), -1);

    // Settings moved as they were, made from the old ones, or kept.
    QCOMPARE(Read("Documents/Noms/paul.conf"), paulSettings);
    QCOMPARE(Read("Documents/Noms/Zoé.conf"), zoeSettings);
    for (const char* user : {"Marie", "anna"}) {
        const QString file = QStringLiteral("Documents/Noms/%1.conf").arg(QString::fromUtf8(user));
        QCOMPARE(ReadValue(file, "ARDOISINE", "TEXTFONTSIZE"), QString("14"));
        QCOMPARE(ReadValue(file, "ARDOISINE", "TEXTFONTNAME"), QString("Courier New"));
        QCOMPARE(ReadValue(file, "ARDOISINE", "ITPENSIZE"), QString("9"));
        QCOMPARE(ReadValue(file, "ARDOISINE", "SCANALLOWED"), QString("YES"));
    }
    QCOMPARE(Read("Documents/Fiches/Maths/Calcul_paul.txt"), paulWork);
    QCOMPARE(Read("Documents/Fiches/Dictée_anna.txt"), QByteArray("travail d'anna, version 4\r\n"));

    const QStringList lines {
        QStringLiteral("Erreur : impossible de remplacer le fichier %1 par le fichier %2.\"Document "
                       "\"Dictée\" non transféré pour l'utilisateur \"anna\".")
            .arg(Quoted(Names("anna/Dictée.txt")), Quoted(Sheets("Dictée_anna.txt"))),
        "    Cause : un fichier de ce nom existe déjà.",
        QStringLiteral("Remarque : le répertoire %1 n'a pas été supprimé (il contient des fichier qui ne sont pas des "
                       "fichiers de travail).")
            .arg(Quoted(Names("anna"))),
        QStringLiteral("Remarque : le répertoire %1 n'a pas été supprimé (il contient des fichier qui ne sont pas des "
                       "fichiers de travail).")
            .arg(Quoted(Names("léo"))),
        "Document \"Fantôme\" inexistant pour le classeur \"Lecture\"."};
    QCOMPARE(report.lines, lines);
    QVERIFY(report.hasErrors);
    QCOMPARE(report.reportPath, Path("Transfert400.txt"));
    QStringList saved;
    QVERIFY(TextFile::ReadLines(report.reportPath, saved));
    QCOMPARE(saved, lines);
    QVERIFY(report.outcome);
    const QString note = QStringLiteral("Des erreurs ou des remarques ont été rencontrées durant le transfert des "
                                        "données.\nConsultez les dans l'éditeur qui va suivre ou dans le fichier : %1.")
                             .arg(Quoted(Path("Transfert400.txt")));
    QCOMPARE(report.outcome.Messages(), QStringList {note});
    // Shown in order: the notice before the conversion, the note, then the
    // report in the text viewer.
    QCOMPARE(messenger.Shown, (QStringList {announcement, note}));
    QCOMPARE(messenger.ViewerTitles, QStringList {"Erreurs et remarques du tranfert ver la version 400."});
    QCOMPARE(messenger.ViewerLines, QList<QStringList> {lines});
}

void TestMigration::convertedRootStartsWithTheOldSettings_data()
{
    QTest::addColumn<QString>("generalFile");
    QTest::newRow("as the program names it") << "Ardoisine.txt";
    QTest::newRow("copied from Windows") << "ARDOISINE.TXT";
}

void TestMigration::convertedRootStartsWithTheOldSettings()
{
    QFETCH(QString, generalFile);
    QVERIFY(OldDataRoot::BuildSchool(m_root, "ARDOISINER"));
    if (generalFile != "Ardoisine.txt")
        QVERIFY(QFile::rename(Path("Ardoisine.txt"), Path(generalFile)));
    ScriptedMessenger messenger;
    TEP_Config config;
    const Outcome started = config.Initialise(m_root, &messenger);
    QVERIFY2(started, qPrintable(started.Text()));
    QVERIFY(config.Migration().oldDataFound);
    QCOMPARE(config.Migration().oldVersion, 200);
    QCOMPARE(messenger.Shown.size(), 2);
    QVERIFY(messenger.Shown.first().startsWith("Vous utilisez actuellement"));
    QVERIFY(messenger.Shown.last().startsWith("Des erreurs ou des remarques"));
    QCOMPARE(messenger.ViewerLines, QList<QStringList> {config.Migration().lines});
    QVERIFY(config.UseNames);
    QCOMPARE(config.DocsRootName, QString("Fiches de la classe"));
    QCOMPARE(config.Password, QString("secret"));
    QCOMPARE(config.PrinterResDiv, 2);
    QCOMPARE(config.ExportDir, Path("Documents exportés"));
    QCOMPARE(config.UserList(), (QStringList {"anna", "léo", "Marie", "paul", "Zoé"}));
    // The tree is scanned after the conversion: the binders are there.
    QVERIFY(config.Tree()->FindChildByName("Maths"));
    QCOMPARE(config.Tree()->FindChildByName("Maths")->ChildCount(), 2);
    QCOMPARE(config.Tree()->FindChildByName("Lecture")->ChildCount(), 1);

    // The next start finds nothing more to convert, and the same file.
    QVERIFY(config.SaveAll());
    TEP_Config again;
    QVERIFY(again.Initialise(m_root));
    QVERIFY(!again.Migration().oldDataFound);
    QVERIFY(!again.Migration().HasReport());
    QVERIFY(again.UseNames);
    QCOMPARE(again.GeneralFilePath(), Path(generalFile));
    QVERIFY(!QFileInfo::exists(Path(generalFile == "Ardoisine.txt" ? "ARDOISINE.TXT" : "Ardoisine.txt")));
}

void TestMigration::movesNeverReplace()
{
    QVERIFY(OldDataRoot::Write(m_root, "a.txt", "a"));
    QVERIFY(OldDataRoot::Write(m_root, "b.txt", "b"));
    QString cause;
    QVERIFY(!FileMove::Rename(Path("a.txt"), Path("b.txt"), &cause));
    QCOMPARE(cause, QString("un fichier de ce nom existe déjà"));
    QCOMPARE(Read("a.txt"), QByteArray("a"));
    QCOMPARE(Read("b.txt"), QByteArray("b"));
    QVERIFY(!FileMove::Rename(Path("absent.txt"), Path("c.txt"), &cause));
    QCOMPARE(cause, QString("le fichier ou son dossier n'existe pas"));
    QVERIFY(FileMove::Rename(Path("a.txt"), Path("c.txt"), &cause));
    QVERIFY(!QFileInfo::exists(Path("a.txt")));
    QCOMPARE(Read("c.txt"), QByteArray("a"));
}

void TestMigration::firstSaveKeepsTheUsersSettings()
{
    // A run stopped right after the general file's first save must still
    // find the users' settings in it.
    QVERIFY(OldDataRoot::BuildSchool(m_root, "ARDOISINER"));
    DataMigration migration(m_root);
    QStringList firstSave;
    migration.AfterEachChange = [&] {
        if (firstSave.isEmpty())
            QVERIFY(TextFile::ReadLines(Path("Ardoisine.txt"), firstSave));
    };
    QVERIFY(migration.Run().outcome);
    Param_Obj general;
    general.LoadFromLines(firstSave);
    QCOMPARE(general.PRGetParHead("ARDOISINER"), -1);
    QCOMPARE(general.PRRead("CONFIG", "USENAMES"), QString("YES"));
    QCOMPARE(general.PRRead("ARDOISINE", "TEXTFONTSIZE"), QString("14"));
    QCOMPARE(general.PRRead("ARDOISINE", "SCANALLOWED"), QString("YES"));
    QCOMPARE(general.PRRead("LNK.1", "NAME"), QString("Maths"));
}

void TestMigration::userFolders_data()
{
    QTest::addColumn<QStringList>("files"); // under the names folder; "/" at the end: a folder
    QTest::addColumn<QStringList>("present"); // under "Documents" after the conversion
    QTest::addColumn<QStringList>("absent");
    QTest::addColumn<QString>("madeFromOldSettings");
    QTest::addColumn<QStringList>("report"); // the beginning of each line

    const QString remark = "Remarque : le répertoire";
    QTest::newRow("settings file moved") << QStringList {"paul/paul.conf"} << QStringList {"Noms/paul.conf"}
                                         << QStringList {"Noms/paul"} << QString() << QStringList {};
    QTest::newRow("settings made from the old ones")
        << QStringList {"marie/"} << QStringList {"Noms/marie.conf"} << QStringList {"Noms/marie"} << "Noms/marie.conf"
        << QStringList {};
    QTest::newRow("settings of the current form kept")
        << QStringList {"Marie.conf", "marie/"} << QStringList {"Noms/Marie.conf"}
        << QStringList {"Noms/marie.conf", "Noms/marie"} << QString() << QStringList {};
    QTest::newRow("settings file never replaced")
        << QStringList {"PAUL.conf", "paul/paul.conf"} << QStringList {"Noms/PAUL.conf", "Noms/paul/paul.conf"}
        << QStringList {"Noms/paul.conf"} << QString()
        << QStringList {
               "Erreur : impossible de remplacer le fichier", "    Cause : un fichier de ce nom existe déjà.", remark};
    QTest::newRow("work file in other letter case")
        << QStringList {"paul/FICHE.TXT"} << QStringList {"Fiches/Fiche_paul.txt", "Noms/paul.conf"}
        << QStringList {"Noms/paul"} << "Noms/paul.conf" << QStringList {};
    QTest::newRow("work of a missing worksheet stays")
        << QStringList {"paul/Absente.txt"} << QStringList {"Noms/paul/Absente.txt", "Noms/paul.conf"} << QStringList {}
        << "Noms/paul.conf" << QStringList {remark};
    QTest::newRow("the background layer's name is nobody's")
        << QStringList {"bkl/Fiche.txt", "bkl/bkl.conf"} << QStringList {"Noms/bkl/Fiche.txt", "Noms/bkl/bkl.conf"}
        << QStringList {"Fiches/Fiche_bkl.txt", "Fiches/Fiche_BKL.txt", "Noms/bkl.conf"} << QString()
        << QStringList {"Erreur : le répertoire"};
    QTest::newRow("hidden folder left alone")
        << QStringList {".Trash-0/Fiche.txt"} << QStringList {"Noms/.Trash-0/Fiche.txt"}
        << QStringList {"Noms/.Trash-0.conf", "Fiches/Fiche_.Trash-0.txt"} << QString() << QStringList {};
}

void TestMigration::userFolders()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    QFETCH(QString, madeFromOldSettings);
    QFETCH(QStringList, report);
    QVERIFY(OldDataRoot::Write(m_root, "Ardoisine.txt", TestFiles::CrLf({"[ARDOISINE]", "TEXTFONTSIZE=14"})));
    QVERIFY(OldDataRoot::Write(m_root, "Documents/Fiches/Fiche.jpg", JpegFixtures::Jpeg(40, 56)));
    for (const QString& file : std::as_const(files)) {
        if (file.endsWith('/'))
            QVERIFY(QDir().mkpath(Names(file)));
        else
            QVERIFY(OldDataRoot::Write(m_root, "Documents/Noms/" + file,
                file.endsWith(".conf") ? TestFiles::CrLf({"[ARDOISINE]", "TEXTFONTSIZE=30"}) : QByteArray("x")));
    }

    const MigrationReport result = Migrate();
    QVERIFY(result.outcome);
    for (const QString& file : std::as_const(present))
        QVERIFY2(QFileInfo::exists(Path("Documents/" + file)), qPrintable(file));
    for (const QString& file : std::as_const(absent))
        QVERIFY2(!QFileInfo::exists(Path("Documents/" + file)), qPrintable(file));
    // Only the settings made by the conversion hold the old ones.
    for (const QString& file : std::as_const(present))
        if (file.endsWith(".conf"))
            QCOMPARE(ReadValue("Documents/" + file, "ARDOISINE", "TEXTFONTSIZE"),
                QString(file == madeFromOldSettings ? "14" : "30"));
    QCOMPARE(result.lines.size(), report.size());
    for (int i = 0; i < report.size(); ++i)
        QVERIFY2(result.lines[i].startsWith(report[i]), qPrintable(result.lines[i]));
}

void TestMigration::bindersNeverLeaveUntitledFolders()
{
    QVERIFY(OldDataRoot::Write(m_root, "Ardoisine.txt",
        TestFiles::CrLf(
            {"[ARDOISINE]", "TEXTFONTSIZE=14", "[LNK.1]", "NAME=CM1/CM2", "DOC=Calcul", "[LNK.2]", "NAME=Dictée",
                "DOC=Conte", "[LNK.3]", "NAME=Sciences", "DOC=Poème", "[LNK.4]", "NAME=Histoire", "DOC=Frise"})));
    for (const QString sheet : {"Calcul", "Conte", "Dictée", "Poème", "Frise"})
        QVERIFY(OldDataRoot::Write(m_root, "Documents/Fiches/" + sheet + ".jpg", JpegFixtures::Jpeg(40, 56)));
    QVERIFY(OldDataRoot::Write(m_root, "Documents/Fiches/Sciences", "un fichier sans extension"));

    const MigrationReport report = Migrate();
    QVERIFY(report.outcome);
    QStringList left = QDir(Sheets("")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    left.sort();
    QCOMPARE(left, (QStringList {"Calcul.jpg", "Conte.jpg", "Dictée.jpg", "Histoire", "Poème.jpg", "Sciences"}));
    QCOMPARE(QDir(Sheets("Histoire")).entryList(QDir::Files), QStringList {"Frise.jpg"});
    QCOMPARE(report.lines,
        (QStringList {QStringLiteral("Le classeur \"Sciences\" n'a pas été converti : impossible de créer le "
                                     "répertoire %1.")
                          .arg(Quoted(Sheets("Sciences"))),
            "    Cause : un fichier de ce nom existe déjà.",
            "Le classeur \"Dictée\" n'a pas été converti : un document porte déjà ce nom.",
            "Le classeur \"CM1/CM2\" n'a pas été converti : son nom ne peut pas être un nom de dossier (il ne doit "
            "contenir aucun des caractères / \\ : * ? \" < > |, ni être un nom réservé du système, ni finir par un "
            "point ou un espace)."}));
}

void TestMigration::stoppedInsideAWorksheetMove()
{
    // A run stopped after a worksheet's picture went into its binder and
    // before its other files followed: the next run brings them, and only
    // them. A file hangs on the worksheet with the longest name that
    // prefixes it, wherever that one is: "Calcul_2_paul.txt" is paul's work
    // on "Calcul_2" (in the root), "Lecture_2_paul.txt" paul's work on
    // "Lecture_2" (already in the binder), not work of "2_paul".
    QVERIFY(OldDataRoot::Write(m_root, "Ardoisine.txt",
        TestFiles::CrLf({"[CONFIG]", "VERSION=400", "[ARDOISINE]", "TEXTFONTSIZE=14", "[LNK.1]", "NAME=Maths",
            "DOC=Calcul;Calcul_2;Lecture_2"})));
    for (const QString file : {"Maths/Calcul.jpg", "Calcul_2.jpg", "Maths/Lecture_2.jpg", "Lecture.jpg"})
        QVERIFY(OldDataRoot::Write(m_root, "Documents/Fiches/" + file, JpegFixtures::Jpeg(40, 56)));
    for (const QString file : {"Calcul_paul.txt", "calcul_C.wav", "Calcul_marie.txt", "Maths/Calcul_marie.txt",
             "Calcul_2_paul.txt", "Calculs.txt", "Lecture_2_paul.txt", "Lecture_paul.txt"})
        QVERIFY(OldDataRoot::Write(m_root, "Documents/Fiches/" + file, "x"));

    const MigrationReport report = Migrate();
    QVERIFY(report.outcome);
    QStringList root = QDir(Sheets("")).entryList(QDir::Files);
    root.sort();
    QCOMPARE(root, (QStringList {"Calcul_marie.txt", "Calculs.txt", "Lecture.jpg", "Lecture_paul.txt"}));
    QStringList binder = QDir(Sheets("Maths")).entryList(QDir::Files);
    binder.sort();
    QCOMPARE(binder,
        (QStringList {"Calcul.jpg", "Calcul_2.jpg", "Calcul_2_paul.txt", "Calcul_marie.txt", "Calcul_paul.txt",
            "Lecture_2.jpg", "Lecture_2_paul.txt", "calcul_C.wav"}));
    QCOMPARE(report.lines,
        (QStringList {QStringLiteral("Le fichier %1 n'a pu être déplacé!").arg(Quoted(Sheets("Calcul_marie.txt"))),
            "    Cause : un fichier de ce nom existe déjà."}));
}

void TestMigration::reportThatCannotBeSaved()
{
    QVERIFY(OldDataRoot::BuildSchool(m_root));
    QVERIFY(QDir().mkpath(Path("Transfert400.txt")));
    ScriptedMessenger messenger;
    const MigrationReport report = Migrate(&messenger);
    QVERIFY(!report.outcome);
    QCOMPARE(report.outcome.Messages().size(), 2);
    QCOMPARE(report.outcome.Messages().last(),
        QStringLiteral("Impossible de sauvegarder les erreurs dans le fichier : %1 (c'est un dossier).")
            .arg(Quoted(Path("Transfert400.txt"))));
    QCOMPARE(messenger.Shown.mid(1), report.outcome.Messages());
    // The report is still shown, the only place it can be read.
    QCOMPARE(messenger.ViewerLines, QList<QStringList> {report.lines});
    // The conversion itself went to its end.
    QCOMPARE(ReadValue("Ardoisine.txt", "ARDOISINE", "TEXTFONTSIZE"), PR_NOVALUE);
    QVERIFY(QFileInfo::exists(Sheets("Maths/Calcul.jpg")));
}

QTEST_MAIN(TestMigration)
#include "tst_migration.moc"
