// A class's work in one PDF, read back with poppler's tools as a teacher's
// PDF reader would show it.
#include "JpegFixtures.h"
#include "TestFiles.h"
#include "documents/ClassWorkPdf.h"
#include "documents/PdfWorkPage.h"
#include "documents/TEP_DocsNode.h"
#include "printing/PdfPages.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Work files of the fixture: a page with, at will, a blue square at
// (1000, 1000) of 400 x 400 tenths of a millimetre.
QByteArray Work(const QStringList& items = {})
{
    QStringList lines {"[MAINRECT]", "TYPE=RECT", "RECT=2000,2829", "CHILD=MAINIMG,0,0"};
    for (int i = 0; i < items.size(); ++i)
        lines << QStringLiteral("CHILD=IT%1,%2").arg(i).arg(items[i].section(QLatin1Char('|'), 0, 0));
    lines << "[MAINIMG]"
          << "TYPE=IMG"
          << "RECT=1626,2299"
          << "IMGNAME=";
    for (int i = 0; i < items.size(); ++i)
        lines << QStringLiteral("[IT%1]").arg(i) << items[i].section(QLatin1Char('|'), 1).split(QLatin1Char('|'));
    return TestFiles::CrLf(lines);
}

const QString kBlueSquare = "1000,1000|TYPE=SPDR|RECT=400,400|SPDRMODE=SpFRect|SPDRFGCOLOR=16711680";

// pdftotext of one page, blanks made single.
QString PageText(const QString& pdf, int page)
{
    return QString::fromUtf8(
        PdfPages::Run("pdftotext", {"-f", QString::number(page), "-l", QString::number(page), "-layout", pdf, "-"}))
        .simplified();
}

// Pages for a person to look at, beside the windows' screenshots.
void SaveForViewing(const QImage& page, const QString& fileName)
{
    QDir().mkpath(ARDOISINE_SCREENSHOTS);
    page.save(QStringLiteral(ARDOISINE_SCREENSHOTS "/") + fileName, "PNG");
}

QImage RenderPage(const QString& pdf, int page, int dpi)
{
    QTemporaryDir dir;
    const QString base = dir.filePath("page");
    PdfPages::Run("pdftoppm",
        {"-r", QString::number(dpi), "-f", QString::number(page), "-l", QString::number(page), "-png", "-singlefile",
            pdf, base});
    return QImage(base + ".png").convertToFormat(QImage::Format_RGB32);
}

// The outline as poppler reads it: each entry's title, indented two blanks
// a level, with the page it opens.
QStringList Outline(const QString& pdf)
{
    const QString xml = QString::fromUtf8(PdfPages::Run("pdftohtml", {"-xml", "-stdout", "-i", "-q", "-nodrm", pdf}));
    QStringList entries;
    int depth = -1;
    static const QRegularExpression token(R"x(<outline>|</outline>|<item page="(\d+)">([^<]*)</item>)x");
    for (auto match = token.globalMatch(xml); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        if (m.captured(0) == "<outline>")
            ++depth;
        else if (m.captured(0) == "</outline>")
            --depth;
        else
            entries << QString(depth * 2, ' ') + m.captured(2) + " p" + m.captured(1);
    }
    return entries;
}

QString Info(const QString& pdf, const QString& key)
{
    const QString info = QString::fromUtf8(PdfPages::Run("pdfinfo", {pdf}));
    return QRegularExpression("(?m)^" + key + R"(:\s+(.*)$)").match(info).captured(1).trimmed();
}

} // namespace

class TestClassWorkPdf : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void pagesInTreeOrderWithOutline();
    void pupilsItemAtItsPlaceHeaderInMargin();
    void picturesEmbeddedOncePerWorksheet();
    void highlightKeepsTheWorkUnderIt();
    void namedPupils();
    void nothingMatched_data();
    void nothingMatched();
    void unreadableWorkLeftOut();
    void exportFolderForTheSelectionScreen();

private:
    QString Path(const QString& name) const { return m_dir->filePath(name); }
    void Put(const QString& name, const QByteArray& bytes) const
    {
        QDir().mkpath(QFileInfo(Path(name)).absolutePath());
        QVERIFY(TestFiles::WriteBytes(Path(name), bytes));
    }
    Outcome WriteFolder(const QString& pdf, const QStringList& pupils = {});
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestClassWorkPdf::initTestCase()
{
    if (!PdfPages::ToolsPresent() || QStandardPaths::findExecutable("pdftohtml").isEmpty()
        || QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("poppler-utils is needed (scripts/install-deps)");
}

// Fiches/ shows Lecture, then CM1/ (Plantes), then Calcul (landscape);
// Paul and Zoé worked on Lecture, Léa on Plantes, Paul on Calcul.
void TestClassWorkPdf::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    Put("Fiches/Data.txt", "[SUBDIRDATA]\r\nITEMSSORT=Lecture;CM1;Calcul\r\n");
    Put("Fiches/Calcul.jpg", JpegFixtures::Jpeg(905, 640, 100));
    Put("Fiches/Lecture.jpg", JpegFixtures::Jpeg(640, 905, 100));
    Put("Fiches/CM1/Plantes.jpg", JpegFixtures::Jpeg(640, 905, 100));
    Put("Fiches/Lecture_Zoé.txt", Work());
    Put("Fiches/Lecture_Paul.txt", Work({kBlueSquare}));
    Put("Fiches/CM1/Plantes_Léa.txt", Work());
    QByteArray landscape = Work();
    landscape.replace("RECT=2000,2829", "RECT=2829,2000").replace("RECT=1626,2299", "RECT=2299,1626");
    Put("Fiches/Calcul_Paul.txt", landscape);
}

Outcome TestClassWorkPdf::WriteFolder(const QString& pdf, const QStringList& pupils)
{
    TEP_DocsNode root;
    (void)root.Scan(Path("Fiches"));
    ClassWorkPdf writer;
    writer.SetWorksheets(ClassWorkPdf::WorksheetsUnder(root));
    writer.SetPupils(pupils);
    writer.SetResolution(150);
    writer.SetTitle("Travail de la classe : CM1");
    writer.SetAuthor("Mme Martin");
    return writer.Write(pdf);
}

void TestClassWorkPdf::pagesInTreeOrderWithOutline()
{
    const QString pdf = Path("classe.pdf");
    QList<int> told;
    TEP_DocsNode root;
    (void)root.Scan(Path("Fiches"));
    ClassWorkPdf writer;
    writer.SetWorksheets(ClassWorkPdf::WorksheetsUnder(root));
    writer.SetTitle("Travail de la classe : CM1");
    writer.SetAuthor("Mme Martin");
    writer.SetProgress([&](int page, int pages, const QString&) { told << page << pages; });
    const Outcome outcome = writer.Write(pdf);
    QVERIFY2(outcome, qPrintable(outcome.Text()));
    QCOMPARE(writer.WrittenPages(), 4);
    QCOMPARE(told, (QList<int> {1, 4, 2, 4, 3, 4, 4, 4}));

    QCOMPARE(PdfPages::PageCount(pdf), 4);
    const QString today = QFileInfo(Path("Fiches/Lecture_Paul.txt")).lastModified().toString("dd/MM/yyyy");
    QCOMPARE(PageText(pdf, 1).left(40), QString("Paul — Lecture — %1").arg(today).left(40));
    QVERIFY(PageText(pdf, 2).startsWith("Zoé — Lecture — "));
    QVERIFY(PageText(pdf, 3).startsWith("Léa — Plantes — "));
    QVERIFY(PageText(pdf, 4).startsWith("Paul — Calcul — "));
    const QString sizes = QString::fromUtf8(PdfPages::Run("pdfinfo", {"-f", "1", "-l", "4", pdf}));
    QVERIFY2(sizes.contains(QRegularExpression(R"(Page\s+1 size:\s+595 x 842 pts)")), qPrintable(sizes));
    QVERIFY2(sizes.contains(QRegularExpression(R"(Page\s+4 size:\s+842 x 595 pts)")), qPrintable(sizes));

    QCOMPARE(Outline(pdf),
        (QStringList {"Par fiche p1", "  Lecture p1", "    Paul p1", "    Zoé p2", "  CM1 / Plantes p3", "    Léa p3",
            "  Calcul p4", "    Paul p4", "Par élève p3", "  Léa p3", "    CM1 / Plantes p3", "  Paul p1",
            "    Lecture p1", "    Calcul p4", "  Zoé p2", "    Lecture p2"}));
    QCOMPARE(Info(pdf, "Title"), QString("Travail de la classe : CM1"));
    QCOMPARE(Info(pdf, "Author"), QString("Mme Martin"));
}

void TestClassWorkPdf::pupilsItemAtItsPlaceHeaderInMargin()
{
    const QString pdf = Path("classe.pdf");
    QVERIFY(WriteFolder(pdf));
    const QImage page = RenderPage(pdf, 1, 75); // A4 at 75 dpi
    QCOMPARE(page.size(), QSize(620, 878));
    SaveForViewing(page, "classwork-page.png");
    // The work page is centred: 5 mm at the sides, 7.05 mm above. The square
    // covers 100 to 140 mm of it, so 105 to 145 mm and 107.05 to 147.05 mm
    // of the sheet: pixels 310 to 428 and 316 to 434.
    const auto blue = [&](int x, int y) {
        const QColor c = page.pixelColor(x, y);
        return c.blue() > 200 && c.red() < 60 && c.green() < 60;
    };
    QVERIFY(blue(369, 375));
    QVERIFY(blue(313, 319) && blue(425, 431));
    QVERIFY(!blue(306, 375) && !blue(369, 312) && !blue(432, 375) && !blue(369, 438));
    // The worksheet's red corner starts at the work page's corner.
    QVERIFY(page.pixelColor(17, 23).red() > 200 && page.pixelColor(17, 23).green() < 60);
    QVERIFY(page.pixelColor(12, 23).red() > 200 && page.pixelColor(12, 23).green() > 200);

    // The header's ink lies in the top margin, above the work page (row 20).
    int firstRow = -1, lastRow = -1;
    for (int y = 0; y < page.height() && y < 60; ++y)
        for (int x = 0; x < page.width() / 2; ++x)
            if (qGray(page.pixel(x, y)) < 128 && page.pixelColor(x, y).red() < 128) {
                if (firstRow < 0)
                    firstRow = y;
                lastRow = y;
                break;
            }
    QVERIFY(firstRow > 0);
    QVERIFY2(lastRow < 20, qPrintable(QString::number(lastRow)));
    QVERIFY(PdfWorkPage::HeaderRect(false, 75).bottom() < PdfWorkPage::WorkRect(false, 75).top());
}

void TestClassWorkPdf::picturesEmbeddedOncePerWorksheet()
{
    Put("Fiches/Lecture_Adam.txt", Work({kBlueSquare}));
    const QString pdf = Path("classe.pdf");
    QVERIFY(WriteFolder(pdf));
    QCOMPARE(PdfPages::PageCount(pdf), 5);
    // One picture object per worksheet, shown on every page of it.
    const QStringList lines
        = QString::fromUtf8(PdfPages::Run("pdfimages", {"-list", pdf})).split('\n', Qt::SkipEmptyParts).mid(2);
    QCOMPARE(lines.size(), 5);
    QMap<int, QSet<QString>> objectsByPage;
    QSet<QString> objects;
    for (const QString& line : lines) {
        const QStringList fields = line.simplified().split(' ');
        objectsByPage[fields[0].toInt()] << fields[10];
        objects << fields[10];
    }
    QCOMPARE(objects.size(), 3);
    QCOMPARE(objectsByPage[1], objectsByPage[2]);
    QCOMPARE(objectsByPage[1], objectsByPage[3]);
    QVERIFY(objectsByPage[4] != objectsByPage[1]);
}

void TestClassWorkPdf::highlightKeepsTheWorkUnderIt()
{
    // Black text, then a yellow highlight over it: the text shows through
    // darkened paper, as on a printed sheet.
    Put("Fiches/Lecture_Paul.txt",
        Work({"400,400|TYPE=TEXT|RECT=1200,300|FONT=60,Arial,Bold,COLOR:0|VALUE=MMMMMM",
            "380,380|TYPE=SPDR|RECT=1240,340|SPDRMODE=SpHighLight|SPDRFGCOLOR=65535"}));
    const QString pdf = Path("classe.pdf");
    QVERIFY(WriteFolder(pdf, {"Paul"}));
    const QString text = PageText(pdf, 1);
    QVERIFY2(text.contains("MMMMMM"), qPrintable(text)); // still text, not a picture of it
    const QImage page = RenderPage(pdf, 1, 75);
    SaveForViewing(page, "classwork-highlight.png");
    // Highlight: 43 to 167 mm across, 45.05 to 79.05 mm down on the sheet.
    int dark = 0, yellow = 0;
    for (int y = 136; y < 230; ++y)
        for (int x = 130; x < 490; ++x) {
            const QColor c = page.pixelColor(x, y);
            dark += c.lightness() < 60;
            yellow += c.red() > 200 && c.green() > 200 && c.blue() < 120;
        }
    QVERIFY2(dark > 500, qPrintable(QString::number(dark)));
    QVERIFY2(yellow > 5000, qPrintable(QString::number(yellow)));
}

void TestClassWorkPdf::namedPupils()
{
    const QString pdf = Path("classe.pdf");
    const Outcome outcome = WriteFolder(pdf, {"zoé", "Inconnu", "Paul"});
    QVERIFY2(outcome, qPrintable(outcome.Text()));
    QCOMPARE(
        outcome.Text(), QString("« Inconnu » n'a travaillé sur aucune de ces fiches : pas de page pour cet élève."));
    // Each named pupil on each worksheet, in the order given, the spelling
    // of the work file kept.
    QCOMPARE(PdfPages::PageCount(pdf), 6);
    QVERIFY(PageText(pdf, 1).startsWith("Zoé — Lecture — "));
    QVERIFY(PageText(pdf, 2).startsWith("Paul — Lecture — "));
    QVERIFY(PageText(pdf, 3).startsWith("zoé — Plantes — pas de travail"));
    QVERIFY(PageText(pdf, 5).startsWith("zoé — Calcul — pas de travail"));
    QVERIFY(PageText(pdf, 6).startsWith("Paul — Calcul — "));
}

void TestClassWorkPdf::nothingMatched_data()
{
    QTest::addColumn<QStringList>("remove");
    QTest::addColumn<QStringList>("pupils");
    QTest::addColumn<QString>("message");
    const QStringList works {
        "Fiches/Lecture_Zoé.txt", "Fiches/Lecture_Paul.txt", "Fiches/CM1/Plantes_Léa.txt", "Fiches/Calcul_Paul.txt"};
    QTest::newRow("no work at all") << works << QStringList {}
                                    << "Aucun élève n'a travaillé sur ces fiches : aucune page à exporter.";
    QTest::newRow("named pupils without work")
        << QStringList {} << QStringList {"Inès", "Marc"}
        << "« Inès » n'a travaillé sur aucune de ces fiches : pas de page pour cet élève.\n"
           "« Marc » n'a travaillé sur aucune de ces fiches : pas de page pour cet élève.\n"
           "Aucun des élèves nommés n'a travaillé sur ces fiches : aucune page à exporter.";
    QTest::newRow("no worksheet") << QStringList {"Fiches/Lecture.jpg", "Fiches/Calcul.jpg", "Fiches/CM1/Plantes.jpg"}
                                  << QStringList {} << "Aucune fiche n'a été trouvée : aucune page à exporter.";
}

void TestClassWorkPdf::nothingMatched()
{
    QFETCH(QStringList, remove);
    QFETCH(QStringList, pupils);
    QFETCH(QString, message);
    for (const QString& name : remove)
        QVERIFY(QFile::remove(Path(name)));
    const QString pdf = Path("classe.pdf");
    QVERIFY(TestFiles::WriteBytes(pdf, "ancien"));
    const Outcome outcome = WriteFolder(pdf, pupils);
    QVERIFY(!outcome);
    QCOMPARE(outcome.Text(), message);
    QCOMPARE(TestFiles::ReadBytes(pdf), QByteArray("ancien")); // the old file stays
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList {"classe.pdf"}); // no draft left
}

void TestClassWorkPdf::unreadableWorkLeftOut()
{
    Put("Fiches/Lecture_Zoé.txt", "[AUTRE]\r\nTYPE=RECT\r\n"); // no page in it
    const QString pdf = Path("classe.pdf");
    const Outcome outcome = WriteFolder(pdf);
    QVERIFY2(outcome, qPrintable(outcome.Text()));
    QVERIFY2(outcome.Text().contains("Lecture_Zoé.txt"), qPrintable(outcome.Text()));
    QCOMPARE(PdfPages::PageCount(pdf), 3);
    QVERIFY(PageText(pdf, 2).startsWith("Léa — Plantes — "));
    QVERIFY(!Outline(pdf).join('\n').contains("Zoé"));
}

void TestClassWorkPdf::exportFolderForTheSelectionScreen()
{
    TEP_DocsNode root;
    (void)root.Scan(Path("Fiches"));
    const TEP_DocsNode* cm1 = root.FindChildByName("CM1");
    QVERIFY(cm1);
    const QString exportFolder = Path("Documents exportés");
    QString first, second;
    Outcome outcome = ClassWorkPdf::ExportFolder(*cm1, {}, exportFolder, &first);
    QVERIFY2(outcome, qPrintable(outcome.Text()));
    const QString date = QDate::currentDate().toString("yyyy-MM-dd");
    QCOMPARE(first, exportFolder + "/CM1 - travail de la classe " + date + ".pdf");
    QCOMPARE(outcome.Text(),
        QString("Le travail de la classe (1 page) a été enregistré dans le fichier « %1 ».").arg(first));
    QCOMPARE(PdfPages::PageCount(first), 1);
    QCOMPARE(Info(first, "Title"), QString("Travail de la classe : CM1"));

    outcome = ClassWorkPdf::ExportFolder(root, {"Paul"}, exportFolder, &second);
    QVERIFY2(outcome, qPrintable(outcome.Text()));
    QCOMPARE(QFileInfo(second).fileName(), "Fiches - travail de la classe " + date + ".pdf");
    QCOMPARE(PdfPages::PageCount(second), 3);
    outcome = ClassWorkPdf::ExportFolder(*cm1, {}, exportFolder, &second);
    QCOMPARE(QFileInfo(second).fileName(), "CM1 - travail de la classe " + date + " (2).pdf");

    QString none;
    QVERIFY(QFile::remove(Path("Fiches/CM1/Plantes_Léa.txt")));
    outcome = ClassWorkPdf::ExportFolder(*cm1, {}, exportFolder, &none);
    QVERIFY(!outcome);
    QVERIFY(none.isEmpty());
}

QTEST_MAIN(TestClassWorkPdf)
#include "tst_classworkpdf.moc"
