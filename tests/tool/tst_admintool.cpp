// ardoisine-tool as school IT staff run it: real processes, real files.
#include "JpegFixtures.h"
#include "OldDataRoot.h"
#include "TestFiles.h"

#include "documents/JpegHeader.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int code = -1;
    QString out;
    QString err;
};

Run Tool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(ARDOISINE_TOOL), arguments);
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class TestAdminTool : public QObject {
    Q_OBJECT

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void paramCommands();
    void failuresAndUsage_data();
    void failuresAndUsage();
    void definitionCommand();
    void renderCommand();
    void imageCommands();
    void exportCommand();
    void exportPdfCommand();
    void treeCommand();
    void dataRootCommands();
    void migrateCommand();
    void demoDataRoot();

private:
    QString Path(const QString& name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestAdminTool::paramCommands()
{
    const QString file = Path("Zoé.conf");
    Run run = Tool({"param", "set", file, "ARDOISINE", "TEXTFONTNAME", "Arial Narrow"});
    QCOMPARE(run.code, 0);
    QCOMPARE(Tool({"param", "set", file, "ARDOISINE", "ITEMS", "un;deux"}).code, 0);
    QCOMPARE(Tool({"param", "set", file, "AUTRE", "NOM", "Zoé ¶ 你好"}).code, 0);

    run = Tool({"param", "get", file, "ardoisine", "textfontname"});
    QCOMPARE(run.code, 0);
    QCOMPARE(run.out, QString("Arial Narrow\n"));
    QCOMPARE(Tool({"param", "get", file, "AUTRE", "NOM"}).out, QString("Zoé ¶ 你好\n"));
    QCOMPARE(Tool({"param", "get", file, "ARDOISINE", "MISSING"}).out, QString("*%_-0#&|\n"));
    QCOMPARE(Tool({"param", "get-default", file, "ARDOISINE", "MISSING", "10"}).out, QString("10\n"));
    QCOMPARE(Tool({"param", "list", file, "ARDOISINE", "ITEMS"}).out, QString("un deux\n"));
    QCOMPARE(Tool({"param", "headings", file}).out, QString("ARDOISINE\nAUTRE\n"));

    // A value with the CR of a Windows line, or a line break meant to slip
    // a section in: one line in the file, and the script is told.
    run = Tool({"param", "set", file, "ARDOISINE", "TEXTFONTNAME", "Courier New\r"});
    QCOMPARE(run.code, 0);
    QVERIFY2(
        run.err.contains("enregistrés comme des espaces") && run.err.contains("« Courier New  »"), qPrintable(run.err));
    run = Tool({"param", "set", file, "AUTRE", "NOM", "x\n[PIRATE]\nCONFIGKW=y"});
    QVERIFY(run.err.contains("Valeur enregistrée : « x [PIRATE] CONFIGKW=y »"));
    QCOMPARE(Tool({"param", "headings", file}).out, QString("ARDOISINE\nAUTRE\n"));
    QVERIFY(Tool({"param", "set", file, "AUTRE", "NOM", "Zoé ¶ 你好"}).err.isEmpty());

    QCOMPARE(Tool({"param", "clear", file, "AUTRE", "="}).code, 0);
    QCOMPARE(Tool({"param", "headings", file}).out, QString("ARDOISINE\n"));
    QVERIFY(TestFiles::ReadBytes(file).endsWith("\r\n"));
}

void TestAdminTool::failuresAndUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("no command") << QStringList {} << 2 << "Aucune commande";
    QTest::newRow("unknown command") << QStringList {"frobnicate"} << 2 << "Commande inconnue";
    QTest::newRow("unknown action") << QStringList {"param", "nope", "f"} << 2 << "inconnue";
    QTest::newRow("missing argument") << QStringList {"param", "get", "f", "H"} << 2 << "Nombre d'arguments";
    QTest::newRow("missing file") << QStringList {"param", "get", "absent.txt", "H", "K"} << 1
                                  << "Impossible de lire le fichier";
    QTest::newRow("save into a missing folder")
        << QStringList {"param", "set", "nofolder/x.txt", "H", "K", "V"} << 1 << "Impossible d'enregistrer le fichier";
    QTest::newRow("definition usage") << QStringList {"definition", "f"} << 2 << "attend un fichier";
    QTest::newRow("export-pdf without worksheets")
        << QStringList {"export-pdf", "out.pdf"} << 2 << "attend un fichier PDF";
    QTest::newRow("export-pdf to a picture")
        << QStringList {"export-pdf", "out.png", "."} << 2 << "attend un fichier PDF";
    QTest::newRow("export-pdf resolution")
        << QStringList {"export-pdf", "out.pdf", ".", "--dpi", "1200"} << 2 << "Résolution incorrecte : « 1200 »";
    QTest::newRow("export-pdf both choices")
        << QStringList {"export-pdf", "out.pdf", ".", "--pupils", "Léa", "--all-pupils"} << 2 << "ne vont pas ensemble";
    QTest::newRow("export-pdf unknown option")
        << QStringList {"export-pdf", "out.pdf", ".", "--pupil", "Léa"} << 2 << "Option inconnue";
    QTest::newRow("export-pdf missing worksheet")
        << QStringList {"export-pdf", "out.pdf", "absent.jpg"} << 1 << "La fiche « absent.jpg » n'existe pas.";
}

void TestAdminTool::failuresAndUsage()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    QFETCH(QString, message);
    for (QString& argument : arguments)
        if (argument.endsWith(".txt"))
            argument = Path(argument);
    const Run run = Tool(arguments);
    QCOMPARE(run.code, code);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());

    const Run help = Tool({"--help"});
    QCOMPARE(help.code, 0);
    QVERIFY(help.out.contains("param get FICHIER RUBRIQUE CLÉ"));

    const Run version = Tool({"--version"});
    QCOMPARE(version.code, 0);
    QCOMPARE(version.out, QStringLiteral("ardoisine-tool (Ardoisine) 4.00\n"));
}

void TestAdminTool::definitionCommand()
{
    const QString file = Path("Fiche_Paul.txt");
    QVERIFY(TestFiles::WriteBytes(file,
        TestFiles::CrLf({"  [ MAINRECT ] ", "TYPE=RECT", "RECT=2000,2829", "CHILD=NEWIT_1,2500,100", "", "[NEWIT_1]",
            "TYPE=RECT", "RECT=100,50", "COLORS=BACK:255"})));
    const Run run = Tool({"definition", file, "MAINRECT"});
    QCOMPARE(run.code, 0);
    QCOMPARE(run.out,
        QString("[MAINRECT]\nTYPE=RECT\nRECT=2000,2829\nCHILD=NEWIT_1,10,100\n\n"
                "[NEWIT_1]\nTYPE=RECT\nRECT=100,50\nCOLORS=BACK:255\n"));

    const Run bad = Tool({"definition", file, "NEWIT_2"});
    QCOMPARE(bad.code, 1);
    QVERIFY2(bad.err.contains("contient des erreurs"), qPrintable(bad.err));
}

void TestAdminTool::renderCommand()
{
    // Every drawing mode, one per row of a 200 x 1600 unit page.
    QStringList lines {"[MAINRECT]", "TYPE=RECT", "RECT=200,1600"};
    QStringList sections;
    for (int mode = 1; mode <= 15; ++mode) {
        lines << QStringLiteral("CHILD=M%1,20,%2").arg(mode).arg(mode * 100 - 90);
        sections << "" << QStringLiteral("[M%1]").arg(mode) << "TYPE=SPDR"
                 << "RECT=150,80"
                 << "PENSIZE=6"
                 << QStringLiteral("SPDRMODE=%1")
                        .arg(mode == 13      ? "SpLines"
                                : mode == 14 ? "SpHighLight"
                                             : "")
                 << "SPDRFGCOLOR=255"
                 << "SPDRPOINTS=(0,0)(150,80)"
                 << "SPDRLENGTHS=120";
        if (mode != 13 && mode != 14)
            sections.last() = QStringLiteral("SPDRMODE=%1")
                                  .arg(QStringList {"SpRect", "SpFRect", "SpFBRect", "SpCross", "SpHLine", "SpHRel",
                                      "SpTBRel", "SpBTRel", "SpBCircle", "SpFCircle", "SpFBCircle", "SpBrackets", "",
                                      "", "SpArrow"}[mode - 1]);
    }
    const QString file = Path("Fiche_Paul.txt");
    QVERIFY(TestFiles::WriteBytes(file, TestFiles::CrLf(lines + sections)));
    const QString out = Path("page.png");
    const Run run = Tool({"render", file, "MAINRECT", "0,5", out});
    QCOMPARE(run.code, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    const QImage image(out);
    QCOMPARE(image.size(), QSize(100, 800));
    for (int mode = 1; mode <= 15; ++mode) {
        bool drawn = false;
        for (int y = mode * 50 - 45; y < mode * 50 + 5 && !drawn; ++y)
            for (int x = 0; x < 100 && !drawn; ++x)
                drawn = image.pixel(x, y) != qRgb(255, 255, 255);
        QVERIFY2(drawn, qPrintable(QStringLiteral("mode %1 drew nothing").arg(mode)));
    }

    // Over a page picture the highlighter tints the picture.
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(qRgb(200, 200, 200));
    const QString background = Path("page.jpg");
    QVERIFY(picture.save(background));
    QCOMPARE(Tool({"render", file, "MAINRECT", "0.5", out, "--page", background}).code, 0);
    const QImage tinted(out);
    QCOMPARE(qGreen(tinted.pixel(30, 14 * 50 - 20)), qGreen(tinted.pixel(95, 795)) - 180);

    QCOMPARE(Tool({"render", file, "MAINRECT", "zero", out}).code, 2);
    QCOMPARE(Tool({"render", file, "MAINRECT", "0.5", out, "--page", Path("absent.jpg")}).code, 1);
    QCOMPARE(Tool({"render", file, "MAINRECT", "90", out}).code, 1); // far too large a page
}

void TestAdminTool::imageCommands()
{
    const QString scan = Path("scan.jpg");
    QVERIFY(TestFiles::WriteBytes(scan, JpegFixtures::Jpeg(640, 480, 300)));
    Run run = Tool({"image", "info", scan});
    QCOMPARE(run.code, 0);
    QCOMPARE(run.out, QString("Taille : 640 × 480 pixels\nRésolution : 300 × 300 points par pouce\n"));

    QCOMPARE(Tool({"image", "rotate", scan, "cw"}).code, 0);
    QVERIFY(Tool({"image", "info", scan}).out.startsWith("Taille : 480 × 640 pixels"));
    QCOMPARE(Tool({"image", "rotate", scan, "ccw", Path("back.jpg")}).code, 0);
    QVERIFY(Tool({"image", "info", Path("back.jpg")}).out.startsWith("Taille : 640 × 480 pixels"));

    const QString exif = Path("exif.jpg");
    QVERIFY(TestFiles::WriteBytes(exif, JpegFixtures::WithoutJfif(JpegFixtures::Jpeg(64, 48))));
    run = Tool({"image", "info", exif});
    QCOMPARE(run.code, 0);
    QVERIFY(run.out.contains("aucune résolution utilisable"));
    run = Tool({"image", "rotate", exif, "cw"});
    QCOMPARE(run.code, 1);
    QVERIFY2(run.err.contains("Rotation impossible"), qPrintable(run.err));

    QVERIFY(TestFiles::WriteBytes(Path("bad.jpg"), "pas une image"));
    run = Tool({"image", "info", Path("bad.jpg")});
    QCOMPARE(run.code, 1);
    QVERIFY(run.err.contains("n'est pas une image JPEG"));
    QCOMPARE(Tool({"image", "rotate", scan, "left"}).code, 2);
}

void TestAdminTool::exportCommand()
{
    QDir(m_dir->path()).mkdir("CM1");
    const QString image = Path("CM1/Fiche.jpg");
    QVERIFY(TestFiles::WriteBytes(image, JpegFixtures::Jpeg(640, 905, 100)));
    QVERIFY(TestFiles::WriteBytes(Path("CM1/Fiche_Paul.txt"),
        TestFiles::CrLf({"[MAINRECT]", "TYPE=RECT", "RECT=2000,2829", "CHILD=MAINIMG,0,0", "CHILD=NEWIT_1,1000,1000",
            "[MAINIMG]", "TYPE=IMG", "RECT=1626,2299", "IMGNAME=", "[NEWIT_1]", "TYPE=SPDR", "RECT=400,400",
            "SPDRMODE=SpFRect", "SPDRFGCOLOR=16711680"})));
    const QString out = Path("Paul.jpg");
    const Run run = Tool({"export", image, "Paul", out});
    QCOMPARE(run.code, 0);
    const QImage page(out);
    QCOMPARE(page.size(), QSize(827, 1169));
    QVERIFY(page.pixelColor(470, 470).blue() > 200 && page.pixelColor(470, 470).red() < 60); // the pupil's square

    // A picture cut short exports nothing, with the reason and status 1.
    const QByteArray whole = JpegFixtures::Jpeg(640, 905, 100);
    QVERIFY(TestFiles::WriteBytes(Path("CM1/Coupée.jpg"), whole.left(whole.size() / 2)));
    const Run cut = Tool({"export", Path("CM1/Coupée.jpg"), "Paul", Path("Coupée.jpg")});
    QCOMPARE(cut.code, 1);
    QVERIFY2(cut.err.contains("est incomplète : le fichier a été coupé."), qPrintable(cut.err));
    QVERIFY(!QFileInfo::exists(Path("Coupée.jpg")));

    const Run missing = Tool({"export", Path("CM1/Absent.jpg"), "Paul", out});
    QCOMPARE(missing.code, 1);
    QVERIFY2(missing.err.contains("Aucun fichier image associé au document : \"Absent\"."), qPrintable(missing.err));
}

void TestAdminTool::exportPdfCommand()
{
    // Fiches shows Calcul before Lecture; Paul and Zoé worked on Lecture.
    QDir(m_dir->path()).mkdir("Fiches");
    for (const char* name : {"Fiches/Lecture.jpg", "Fiches/Calcul.jpg"})
        QVERIFY(TestFiles::WriteBytes(Path(name), JpegFixtures::Jpeg(640, 905, 100)));
    QVERIFY(TestFiles::WriteBytes(Path("Fiches/Data.txt"), "[SUBDIRDATA]\r\nITEMSSORT=Calcul;Lecture\r\n"));
    const QByteArray work = TestFiles::CrLf({"[MAINRECT]", "TYPE=RECT", "RECT=2000,2829", "CHILD=MAINIMG,0,0",
        "[MAINIMG]", "TYPE=IMG", "RECT=1626,2299", "IMGNAME="});
    for (const char* name : {"Fiches/Lecture_Zoé.txt", "Fiches/Lecture_Paul.txt", "Fiches/Calcul_Paul.txt"})
        QVERIFY(TestFiles::WriteBytes(Path(name), work));
    const QString pdf = Path("classe.pdf");
    const auto pages = [&pdf]() {
        QProcess info;
        info.start("pdfinfo", {pdf});
        info.waitForFinished(30000);
        return QRegularExpression(R"(Pages:\s+(\d+))").match(QString::fromUtf8(info.readAll())).captured(1).toInt();
    };

    Run run = Tool({"export-pdf", pdf, Path("Fiches"), "--dpi", "100"});
    QCOMPARE(run.code, 0);
    QVERIFY2(run.err.contains("Page 1/3 : Paul — Calcul — ") && run.err.contains("Page 3/3 : Zoé — Lecture — "),
        qPrintable(run.err));
    QVERIFY2(run.err.endsWith("3 pages enregistrées dans « " + pdf + " ».\n"), qPrintable(run.err));
    QCOMPARE(pages(), 3);

    // Worksheets given one by one keep the folder's order; named pupils get a
    // page on each of them.
    run = Tool({"export-pdf", pdf, Path("Fiches/Lecture.jpg"), Path("Fiches/Calcul.jpg"), "--pupils", "Zoé"});
    QCOMPARE(run.code, 0);
    QVERIFY2(run.err.contains("Page 1/2 : Zoé — Calcul — pas de travail"), qPrintable(run.err));
    QCOMPARE(pages(), 2);
    QCOMPARE(Tool({"export-pdf", pdf, Path("Fiches/Lecture.jpg"), "--all-pupils"}).code, 0);
    QCOMPARE(pages(), 2);

    // Nothing matched: exit 1 with the reason, the last file kept.
    const QByteArray before = TestFiles::ReadBytes(pdf);
    run = Tool({"export-pdf", pdf, Path("Fiches"), "--pupils", "Inès"});
    QCOMPARE(run.code, 1);
    QVERIFY2(run.err.contains("Aucun des élèves nommés n'a travaillé sur ces fiches : aucune page à exporter."),
        qPrintable(run.err));
    QCOMPARE(TestFiles::ReadBytes(pdf), before);
}

void TestAdminTool::treeCommand()
{
    QDir(m_dir->path()).mkpath("Fiches/CM1");
    for (const char* name : {"Fiches/Lecture.jpg", "Fiches/Calcul.JPEG", "Fiches/CM1/Plantes.jpg"})
        QVERIFY(TestFiles::WriteBytes(Path(name), JpegFixtures::Jpeg(16, 16)));
    QVERIFY(TestFiles::WriteBytes(Path("Fiches/CM1/Plantes_Zoé.txt"), "x"));
    QVERIFY(TestFiles::WriteBytes(Path("Fiches/Data.txt"), "[SUBDIRDATA]\r\nITEMSSORT=CM1;Lecture\r\n"));
    const Run run = Tool({"tree", Path("Fiches"), "Zoé"});
    QCOMPARE(run.code, 0);
    QCOMPARE(run.out, QString("Fiches/\n  CM1/\n    Plantes *\n  Lecture\n  Calcul\n"));
    QCOMPARE(Tool({"tree", Path("Absent")}).code, 1);
}

void TestAdminTool::dataRootCommands()
{
    const QString root = Path("Ecole");
    QDir().mkpath(root);
    QCOMPARE(Tool({"users", root}).code, 1);
    const Run init = Tool({"init", root});
    QCOMPARE(init.code, 0);
    QVERIFY2(init.err.isEmpty(), qPrintable(init.err));
    QVERIFY(QFileInfo::exists(root + "/Documents/Noms/XXXX.conf"));
    QVERIFY(QFileInfo::exists(root + "/Ardoisine.txt"));
    QVERIFY(TestFiles::WriteBytes(root + "/Documents/Noms/Zoé.conf", "[ARDOISINE]\r\n"));
    QVERIFY(TestFiles::WriteBytes(root + "/Documents/Noms/Admin.conf", "[ARDOISINE]\r\n"));
    const Run users = Tool({"users", root});
    QCOMPARE(users.code, 0);
    QCOMPARE(users.out, QString("Zoé\n"));
    QCOMPARE(Tool({"init", Path("absent")}).code, 1);
}

void TestAdminTool::migrateCommand()
{
    // A school's share converted before the new version goes on the PCs.
    const QString root = Path("École");
    QVERIFY(OldDataRoot::BuildSchool(root));
    Run run = Tool({"migrate", root});
    QCOMPARE(run.code, 1); // a work file could not move
    QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.value(0), QString("Données de « %1/ » (version 2.05) converties à la version 4.00.").arg(root));
    QCOMPARE(lines.size(), 6);
    QVERIFY(lines[1].startsWith("Erreur : impossible de remplacer le fichier"));
    QCOMPARE(lines[5], QString("Document \"Fantôme\" inexistant pour le classeur \"Lecture\"."));
    QVERIFY2(
        run.err.startsWith("Vous utilisez actuellement une version inférieure à la version 4.00"), qPrintable(run.err));
    QVERIFY(run.err.contains("Des erreurs ou des remarques ont été rencontrées"));
    QVERIFY(QFileInfo::exists(root + "/Transfert400.txt"));
    QVERIFY(QFileInfo::exists(root + "/Documents/Fiches/Maths/Calcul_paul.txt"));

    run = Tool({"migrate", root});
    QCOMPARE(run.code, 0);
    QCOMPARE(
        run.out, QString("Aucune donnée d'une version antérieure à 4.00 dans « %1/ » : rien à convertir.\n").arg(root));
    QVERIFY(run.err.isEmpty());

    // Without errors nor remarks: status 0 and no report.
    const QString clean = Path("Propre");
    QVERIFY(OldDataRoot::Write(clean, "Ardoisine.txt", TestFiles::CrLf({"[ARDOISINER]", "USENAMES=YES"})));
    QVERIFY(OldDataRoot::Write(clean, "Documents/Noms/paul/paul.conf", "[ARDOISINE]\r\n"));
    run = Tool({"migrate", clean});
    QCOMPARE(run.code, 0);
    QCOMPARE(run.out, QString("Données de « %1/ » (version 2.00) converties à la version 4.00.\n").arg(clean));
    QVERIFY(QFileInfo::exists(clean + "/Documents/Noms/paul.conf"));
    QVERIFY(!QFileInfo::exists(clean + "/Transfert400.txt"));

    QCOMPARE(Tool({"migrate", Path("absent")}).code, 1);
    QCOMPARE(Tool({"migrate"}).code, 2);
}

void TestAdminTool::demoDataRoot()
{
    const QString root = Path("Démo");
    const Run demo = Tool({"demo", root});
    QCOMPARE(demo.code, 0);
    QVERIFY2(demo.err.isEmpty(), qPrintable(demo.err));
    struct Page {
        const char* file;
        int dpi;
        QSize size;
    };
    // A4 at the page's resolution; the map lies on its side.
    const Page pages[] = {
        {"Français/Dictée.jpg", 150, QSize(1240, 1754)},
        {"Français/Conjugaison.jpg", 300, QSize(2480, 3508)},
        {"Mathématiques/Additions.jpg", 150, QSize(1240, 1754)},
        {"Mathématiques/Additions (grand format).jpg", 300, QSize(2480, 3508)},
        {"Géographie/Les fleuves de France.jpg", 150, QSize(1754, 1240)},
    };
    for (const Page& page : pages) {
        const QString file = root + "/Documents/Fiches/" + QString::fromUtf8(page.file);
        JpegHeader::Resolution resolution;
        QVERIFY2(JpegHeader::ReadResolution(file, resolution), page.file);
        QCOMPARE(resolution.horizontal, page.dpi);
        QCOMPARE(resolution.vertical, page.dpi);
        const QImage image(file);
        QCOMPARE(image.size(), page.size);
        // The title is drawn across the middle of the page's top.
        int dark = 0;
        const int titleY = page.dpi * 170 / 150;
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, titleY)) < 128;
        QVERIFY2(dark > 20, page.file);
    }
    const Run users = Tool({"users", root});
    QCOMPARE(users.code, 0);
    QVERIFY(users.out.contains("Léa"));
    QVERIFY(users.out.contains("Hugo"));
    QVERIFY(TestFiles::ReadBytes(root + "/Ardoisine.txt").contains("USENAMES=YES"));
    // Two folders have their own colour.
    QVERIFY(TestFiles::ReadBytes(root + "/Documents/Fiches/Français/Data.txt").contains("DIRFONTCOLOR=147*58*31"));
    QVERIFY(TestFiles::ReadBytes(root + "/Documents/Fiches/Mathématiques/Data.txt").contains("DIRFONTCOLOR=31*125*50"));
    // A second run leaves the data root as it is.
    const QDateTime written = QFileInfo(root + "/Ardoisine.txt").lastModified();
    QCOMPARE(Tool({"demo", root}).code, 0);
    QCOMPARE(QFileInfo(root + "/Ardoisine.txt").lastModified(), written);
}

QTEST_GUILESS_MAIN(TestAdminTool)
#include "tst_admintool.moc"
