// Printing a worksheet into a PDF, read back with poppler: the page's
// orientation, size and place, the divisor, the item being edited, the
// question before printing and its switch, and the failures that must
// leave no page behind.
#include "ModalAnswer.h"
#include "PdfPages.h"
#include "PrintRoot.h"
#include "TreeGeometry.h"
#include "params/Param_Obj.h"
#include "report/DefinitionFile.h"
#include "report/TDPRptRect.h"

#include <QCheckBox>
#include <QPainter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSet>
#include <QTest>

namespace {

constexpr int Dpi = PrintRoot::Resolution;

// What a pixel of the printed sheet shows (JPEG inside the PDF blurs
// colours a little).
QString Kind(QRgb c)
{
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    if (r > 215 && g > 215 && b > 215)
        return QStringLiteral("white");
    if (r > 160 && g < 110 && b < 110)
        return QStringLiteral("red");
    if (b > 160 && r < 110 && g < 110)
        return QStringLiteral("blue");
    if (g > 160 && r < 110 && b < 110)
        return QStringLiteral("green");
    if (g > 70 && r < 60 && b < 60)
        return QStringLiteral("dark green");
    return QStringLiteral("other %1,%2,%3").arg(r).arg(g).arg(b);
}

// Where a point of the work page (tenths of a millimetre) is on the sheet:
// the work page (200 x 282.9 mm) lies in the middle of the A4 sheet.
QPoint OnSheet(double x, double y, bool landscape)
{
    const double left = landscape ? 7.05 : 5.0, top = landscape ? 5.0 : 7.05;
    return QPoint(qRound((left + x / 10) / 25.4 * Dpi), qRound((top + y / 10) / 25.4 * Dpi));
}

QString KindAt(const QImage& sheet, double x, double y, bool landscape)
{
    return Kind(sheet.pixel(OnSheet(x, y, landscape)));
}

// The worksheet picture fills the work page: its corner blocks are on the
// sheet 3 mm from the page's edges, the sheet's margins stay white.
void CheckPicture(const QImage& sheet, bool landscape)
{
    const double w = landscape ? 2829 : 2000, h = landscape ? 2000 : 2829;
    QCOMPARE(KindAt(sheet, 30, 30, landscape), QStringLiteral("red"));
    QCOMPARE(KindAt(sheet, w - 30, 30, landscape), QStringLiteral("blue"));
    QCOMPARE(KindAt(sheet, 30, h - 30, landscape), QStringLiteral("green"));
    QCOMPARE(KindAt(sheet, w - 30, h - 30, landscape), QStringLiteral("white"));
    QCOMPARE(Kind(sheet.pixel(3, 3)), QStringLiteral("white"));
    QCOMPARE(Kind(sheet.pixel(sheet.width() - 4, sheet.height() - 4)), QStringLiteral("white"));
}

// A filled rectangle of the work (tenths of a millimetre) is on the sheet
// at its place: its colour inside, white 3 mm around it.
void CheckBox(const QImage& sheet, const QRect& box, const QString& colour, bool landscape)
{
    const double l = box.x(), t = box.y(), w = box.width(), h = box.height();
    for (double fx : {0.2, 0.5, 0.8})
        for (double fy : {0.2, 0.5, 0.8})
            QCOMPARE(KindAt(sheet, l + fx * w, t + fy * h, landscape), colour);
    QCOMPARE(KindAt(sheet, l - 30, t + h / 2, landscape), QStringLiteral("white"));
    QCOMPARE(KindAt(sheet, l + w + 30, t + h / 2, landscape), QStringLiteral("white"));
    QCOMPARE(KindAt(sheet, l + w / 2, t - 30, landscape), QStringLiteral("white"));
    QCOMPARE(KindAt(sheet, l + w / 2, t + h + 30, landscape), QStringLiteral("white"));
}

const QRect PaulsPortraitBox(1000, 1200, 400, 300);
const QRect PaulsLandscapeBox(1500, 800, 400, 300);

int Status(const PrintOutcome& outcome)
{
    return int(outcome.status);
}

} // namespace

class TestPrintDocument : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void pageOnPaper_data();
    void pageOnPaper();
    void pdfNamedAndToldWhere();
    void editedItemPrintedScreenUntouched_data();
    void editedItemPrintedScreenUntouched();
    void waitNoticeAfterTheSheet_data();
    void waitNoticeAfterTheSheet();
    void configurationsPrinter();
    void question_data();
    void question();
    void failuresLeaveNoPage_data();
    void failuresLeaveNoPage();
    void largePageRaisesDivisor_data();
    void largePageRaisesDivisor();
    void textKeepsItsSizeAtEveryDivisor();
    void bitmapOnThePrinterCanvas_data();
    void bitmapOnThePrinterCanvas();
    void selectionPrintsSelectedPupilsWork();
};

void TestPrintDocument::initTestCase()
{
    QVERIFY2(PdfPages::ToolsPresent(), "pdftoppm, pdfimages and pdfinfo are needed: sh scripts/install-deps");
}

void TestPrintDocument::cleanup()
{
    // Every print gives the cursor back, failed or not.
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestPrintDocument::pageOnPaper_data()
{
    QTest::addColumn<QString>("worksheet");
    QTest::addColumn<int>("divisor");
    QTest::newRow("portrait, divisor 1") << "Fiche" << 1;
    QTest::newRow("portrait, divisor 4") << "Fiche" << 4;
    QTest::newRow("landscape, divisor 1") << "Paysage" << 1;
    QTest::newRow("landscape, divisor 4") << "Paysage" << 4;
}

void TestPrintDocument::pageOnPaper()
{
    QFETCH(QString, worksheet);
    QFETCH(int, divisor);
    const bool landscape = worksheet == "Paysage";
    PrintRoot root;
    root.config->PrinterResDiv = divisor;
    TEP_Doc* document = root.Open(worksheet);
    QVERIFY(document);
    QCOMPARE(document->EPDoc_IsLandscape(), landscape);

    const PrintOutcome outcome = PrintDocument(root.Request(document));
    QCOMPARE(Status(outcome), int(PrintOutcome::Printed));
    QCOMPARE(outcome.divisor, divisor);
    QCOMPARE(PdfPages::PageCount(outcome.pdfFile), 1);

    // One bitmap of the printable page divided by the divisor, stretched
    // back over the page without smoothing.
    const QSize page = root.printer->Printer().pageLayout().paintRectPixels(Dpi).size();
    const QList<PdfPages::Picture> pictures = PdfPages::Pictures(outcome.pdfFile);
    QCOMPARE(pictures.size(), 1);
    QCOMPARE(pictures[0].size, QSize(page.width() / divisor, page.height() / divisor));
    QVERIFY(!pictures[0].interpolated);

    const QImage sheet = PdfPages::Render(outcome.pdfFile, Dpi);
    QVERIFY(!sheet.isNull());
    QVERIFY(sheet.save(ScreenshotPath(QStringLiteral("printed-%1-divisor-%2.png").arg(worksheet).arg(divisor))));
    QCOMPARE(sheet.width() > sheet.height(), landscape);
    CheckPicture(sheet, landscape);
    CheckBox(sheet, landscape ? PaulsLandscapeBox : PaulsPortraitBox, QStringLiteral("blue"), landscape);
}

void TestPrintDocument::pdfNamedAndToldWhere()
{
    PrintRoot root;
    TEP_Doc* document = root.Open("Fiche");
    QVERIFY(document);
    const QString first = root.config->ExportDir + "/Fiche_Paul_2026-12-10_14-30-05.pdf";
    QCOMPARE(PrintDocument(root.Request(document)).pdfFile, first);
    QCOMPARE(root.messenger.Shown,
        QStringList {
            "Aucune imprimante n'est installée : la page a été enregistrée dans le fichier \"" + first + "\"."});
    // A second page in the same second does not replace the first.
    QCOMPARE(PrintDocument(root.Request(document)).pdfFile,
        root.config->ExportDir + "/Fiche_Paul_2026-12-10_14-30-05 (2).pdf");
    QCOMPARE(root.Exported().size(), 2);

    // The export folder the teacher chose, when it exists.
    root.config->ExportDir = root.Path("Pour la classe");
    QVERIFY(QDir().mkpath(root.config->ExportDir));
    QCOMPARE(
        PrintDocument(root.Request(document)).pdfFile, root.config->ExportDir + "/Fiche_Paul_2026-12-10_14-30-05.pdf");
    // Gone again: the data root's own export folder.
    root.config->ExportDir = root.Path("Effacé");
    const PrintOutcome outcome = PrintDocument(root.Request(document));
    QCOMPARE(QFileInfo(outcome.pdfFile).path(), root.config->ExportFolder());
}

void TestPrintDocument::editedItemPrintedScreenUntouched_data()
{
    QTest::addColumn<bool>("lifted");
    // Selected on the page: frame and handle squares around it.
    QTest::newRow("selected") << false;
    // Lifted onto its edit surface (or carried with the mouse): hidden from
    // the page, drawn on the surface over it.
    QTest::newRow("hidden while edited") << true;
}

void TestPrintDocument::editedItemPrintedScreenUntouched()
{
    QFETCH(bool, lifted);
    PrintRoot root;
    TEP_Doc* document = root.Open("Fiche");
    QVERIFY(document);
    TDPRptRect* tree = document->Tree();
    // The page on screen at 150 % with the rectangle being edited, its state
    // set the way the editor sets it.
    QVERIFY(tree->SetScale(float(96 / 254.0 * 1.5)));
    TDPRptItem* box = tree->FindByName("BOX");
    QVERIFY(box);
    box->EditState.BeingEdited = true;
    box->EditState.SelectionVisible = true;
    box->EditState.HandlesShown = true;
    box->EditState.HiddenWhileEdited = lifted;
    const QStringList screen = TreeGeometry::Of(*tree);

    const PrintOutcome outcome = PrintDocument(root.Request(document));
    QCOMPARE(Status(outcome), int(PrintOutcome::Printed));
    QCOMPARE(TreeGeometry::Of(*tree), screen);

    // On paper the rectangle is at its place, without its editing marks.
    const QImage sheet = PdfPages::Render(outcome.pdfFile, Dpi);
    CheckBox(sheet, PaulsPortraitBox, QStringLiteral("blue"), false);
    const QRect around(OnSheet(PaulsPortraitBox.left() - 40, PaulsPortraitBox.top() - 40, false),
        OnSheet(PaulsPortraitBox.right() + 40, PaulsPortraitBox.bottom() + 40, false));
    for (int y = around.top(); y <= around.bottom(); ++y)
        for (int x = around.left(); x <= around.right(); ++x)
            QVERIFY2(Kind(sheet.pixel(x, y)) != "dark green", "a selection frame on paper");
}

void TestPrintDocument::question_data()
{
    QTest::addColumn<bool>("switchedOn");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("printed");
    QTest::addColumn<bool>("switchAfter");
    QTest::newRow("switched off: printed at once") << false << "" << true << false;
    QTest::newRow("yes") << true << "enter" << true << true;
    QTest::newRow("no") << true << "esc" << false << true;
    QTest::newRow("yes, never ask again") << true << "tick, enter" << true << false;
    QTest::newRow("no, never ask again") << true << "tick, esc" << false << false;
}

void TestPrintDocument::question()
{
    QFETCH(bool, switchedOn);
    QFETCH(QString, answer);
    QFETCH(bool, printed);
    QFETCH(bool, switchAfter);
    PrintRoot root;
    TEP_Doc* document = root.Open("Fiche");
    QVERIFY(document);
    root.config->Settings.PrintConfirmDialog = switchedOn;
    QVERIFY(root.config->SaveUserSettings().Ok());

    bool asked = false;
    WhenPrintWindowShows([&](TPrDialogFrm& window) {
        asked = window.Current() == TPrDialogFrm::Panel::PrintConfirm;
        if (answer.startsWith("tick"))
            window.PrintConfirmCBox->setChecked(true);
        QTest::keyClick(&window, answer.endsWith("enter") ? Qt::Key_Return : Qt::Key_Escape);
    });
    const PrintOutcome outcome = PrintDocument(root.Request(document));
    QCoreApplication::processEvents(); // a window that never came lets the answer run
    QCOMPARE(asked, switchedOn);
    QCOMPARE(Status(outcome), int(printed ? PrintOutcome::Printed : PrintOutcome::Cancelled));
    QCOMPARE(root.Exported().size(), printed ? 1 : 0);
    if (!printed)
        QVERIFY(root.messenger.Shown.isEmpty());

    // The switch is the pupil's, kept in the pupil's settings file at once.
    QCOMPARE(root.config->Settings.PrintConfirmDialog, switchAfter);
    Param_Obj settings;
    QVERIFY(settings.LoadFromFile(root.config->SettingsPath("Paul")));
    QCOMPARE(settings.PRRead("ARDOISINE", "DLG_PRINTCONFIRM"), QString(switchAfter ? "YES" : "NO"));
    QVERIFY(root.config->SetUser("Léa", false).Ok());
    QVERIFY(root.config->Settings.PrintConfirmDialog);
}

void TestPrintDocument::waitNoticeAfterTheSheet_data()
{
    QTest::addColumn<bool>("switchedOn");
    QTest::addColumn<bool>("tick");
    QTest::addColumn<bool>("refused"); // the report engine refuses the drawing
    QTest::addColumn<bool>("noticed");
    QTest::addColumn<bool>("switchAfter");
    QTest::newRow("notice, Ok") << true << false << false << true << true;
    QTest::newRow("notice, never again") << true << true << false << true << false;
    QTest::newRow("switched off") << false << false << false << false << false;
    QTest::newRow("drawing refused: no sheet to wait for") << true << false << true << false << true;
}

void TestPrintDocument::waitNoticeAfterTheSheet()
{
    QFETCH(bool, switchedOn);
    QFETCH(bool, tick);
    QFETCH(bool, refused);
    QFETCH(bool, noticed);
    QFETCH(bool, switchAfter);
    PrintRoot root;
    root.UsePrinter();
    TEP_Doc* document = root.Open("Fiche");
    QVERIFY(document);
    root.config->Settings.PrintWaitDialog = switchedOn;
    QVERIFY(root.config->SaveUserSettings().Ok());
    if (refused)
        document->Tree()->Width = 0;

    bool shown = false, sheetOut = false, hourglass = true;
    WhenPrintWindowShows([&](TPrDialogFrm& window) {
        shown = window.Current() == TPrDialogFrm::Panel::WaitPrint;
        // The sheet has left and the pupil may use the mouse again.
        sheetOut = QFileInfo::exists(root.Sheet());
        hourglass = QGuiApplication::overrideCursor() != nullptr;
        if (tick)
            window.WaitPrintCbox->setChecked(true);
        QTest::mouseClick(window.WaitOkBtn, Qt::LeftButton);
    });
    const PrintOutcome outcome = PrintDocument(root.Request(document));
    QCoreApplication::processEvents(); // a window that never came lets the answer run
    QCOMPARE(shown, noticed);
    if (noticed) {
        QVERIFY(sheetOut);
        QVERIFY(!hourglass);
    }
    QCOMPARE(Status(outcome), int(refused ? PrintOutcome::Failed : PrintOutcome::Printed));
    // A printer's sheet is not a file the pupil must be told about; an
    // aborted job sends nothing.
    QVERIFY(outcome.pdfFile.isEmpty());
    QCOMPARE(root.messenger.Shown, refused ? QStringList {"Impression impossible"} : QStringList());
    QCOMPARE(QFileInfo::exists(root.Sheet()), !refused);
    if (!refused)
        QCOMPARE(PdfPages::PageCount(root.Sheet()), 1);
    QCOMPARE(root.Exported(), QStringList());

    QCOMPARE(root.config->Settings.PrintWaitDialog, switchAfter);
    Param_Obj settings;
    QVERIFY(settings.LoadFromFile(root.config->SettingsPath("Paul")));
    QCOMPARE(settings.PRRead("ARDOISINE", "DLG_PRINTWAIT"), QString(switchAfter ? "YES" : "NO"));
}

void TestPrintDocument::configurationsPrinter()
{
    // The caller gives no printer: the one the configuration chose, else the
    // system's default, else a PDF. Here only the last can be seen.
    if (!QtPrinterDevice::DefaultPrinterName().isEmpty() || !QPrinterInfo::availablePrinterNames().isEmpty())
        QSKIP("this computer has a printer: the test page would come out of it");
    PrintRoot root;
    root.config->PrinterName = QStringLiteral("Imprimante de la salle 2"); // gone since it was chosen
    root.config->ApplySettings();
    TEP_Doc* document = root.Open("Fiche");
    QVERIFY(document);
    PrintRequest request = root.Request(document);
    request.printer = nullptr;

    const PrintOutcome outcome = PrintDocument(request);
    QCOMPARE(Status(outcome), int(PrintOutcome::Printed));
    QCOMPARE(outcome.pdfFile, root.config->ExportDir + "/Fiche_Paul_2026-12-10_14-30-05.pdf");
    QCOMPARE(root.messenger.Shown.size(), 1);
    // The work page (200 x 282.9 mm) at the PDF's 300 dpi.
    const QSize picture = PdfPages::Pictures(outcome.pdfFile).value(0).size;
    QVERIFY2(std::abs(picture.width() - 2362) <= 1 && std::abs(picture.height() - 3341) <= 1,
        qPrintable(QStringLiteral("%1 x %2").arg(picture.width()).arg(picture.height())));
    const QImage sheet = PdfPages::Render(outcome.pdfFile, Dpi);
    CheckPicture(sheet, false);
    CheckBox(sheet, PaulsPortraitBox, QStringLiteral("blue"), false);
}

void TestPrintDocument::failuresLeaveNoPage_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QStringList>("told");
    QTest::newRow("drawing refused") << "tree" << QStringList {"Impression impossible"};
    QTest::newRow("no memory for the page")
        << "memory" << QStringList {"Impossible d'imprimer", "La mémoire manque pour préparer la page."};
    QTest::newRow("no export folder") << "folder" << QStringList {"Impossible d'imprimer"};
    QTest::newRow("PDF not written") << "name" << QStringList {"Impossible d'imprimer"};
}

void TestPrintDocument::failuresLeaveNoPage()
{
    QFETCH(QString, fault);
    QFETCH(QStringList, told);
    PrintRoot root;
    // A worksheet name that fits a file name, but not with the pupil's name
    // and the time behind it.
    const QString longName = QString(236, QLatin1Char('L'));
    root.Picture(longName + ".jpg", JpegFixtures::Jpeg(248, 351, 30));
    root.Restart();
    TEP_Doc* document = root.Open(fault == "name" ? longName : QStringLiteral("Fiche"));
    QVERIFY(document);
    PrintRequest request = root.Request(document);
    const float width = document->Tree()->Width;
    if (fault == "tree")
        document->Tree()->Width = 0; // a geometry the report engine refuses to draw
    if (fault == "memory")
        request.maxBitmapPixels = 0;
    if (fault == "folder") {
        root.config->ExportDir = root.Path("Effacé");
        QDir().rmdir(root.config->ExportFolder());
        QVERIFY(TestFiles::WriteBytes(root.config->ExportFolder(), "a file where the folder was"));
    }

    const PrintOutcome outcome = PrintDocument(request);
    QCOMPARE(Status(outcome), int(PrintOutcome::Failed));
    QVERIFY(outcome.pdfFile.isEmpty());
    QCOMPARE(root.messenger.Shown.value(0).split('\n').mid(0, told.size()), told);
    QVERIFY(!root.printer->IsPrinting());
    if (fault != "folder")
        QCOMPARE(root.Exported(), QStringList());

    // The same printer prints the next page.
    document->Tree()->Width = width;
    if (fault == "name")
        QVERIFY(root.Open("Fiche"));
    QCOMPARE(Status(PrintDocument(root.Request(root.config->CurrentDocument()))),
        int(fault == "folder" ? PrintOutcome::Failed : PrintOutcome::Printed));
}

void TestPrintDocument::largePageRaisesDivisor_data()
{
    QTest::addColumn<QSize>("page");
    QTest::addColumn<int>("divisor");
    QTest::addColumn<qint64>("budget");
    QTest::addColumn<int>("used");
    const qint64 standard = PrintedPage::DefaultMaxPixels;
    // A4 inside the margins of 1,200, 600 and 300 dpi printers.
    QTest::newRow("1200 dpi, divisor 1") << QSize(9921, 14031) << 1 << standard << 2;
    QTest::newRow("1200 dpi, divisor 3") << QSize(9921, 14031) << 3 << standard << 3;
    QTest::newRow("600 dpi, divisor 1") << QSize(4960, 7016) << 1 << standard << 1;
    QTest::newRow("300 dpi, divisor 4") << QSize(2480, 3508) << 4 << standard << 4;
    QTest::newRow("divisor 0 read as 1") << QSize(2480, 3508) << 0 << standard << 1;
    QTest::newRow("no bitmap small enough") << QSize(2480, 3508) << 1 << qint64(100) << 0;
    QTest::newRow("no page") << QSize(0, 0) << 1 << standard << 0;
}

void TestPrintDocument::largePageRaisesDivisor()
{
    QFETCH(QSize, page);
    QFETCH(int, divisor);
    QFETCH(qint64, budget);
    QFETCH(int, used);
    QCOMPARE(PrintedPage::DivisorFor(page, divisor, budget), used);

    // A printer whose page needs more than the budget at the divisor asked
    // for still prints its page, at the divisor that fits.
    if (QTest::currentDataTag() != QByteArray("1200 dpi, divisor 1"))
        return;
    PrintRoot root;
    TEP_Doc* document = root.Open("Fiche");
    QVERIFY(document);
    // A fifth of the work page (200 x 282.9 mm) at the printer's resolution.
    PrintRequest request = root.Request(document);
    request.maxBitmapPixels = qint64(200 / 25.4 * Dpi * 282.9 / 25.4 * Dpi / 5);
    const PrintOutcome outcome = PrintDocument(request);
    const QSize printable = root.printer->Printer().pageLayout().paintRectPixels(Dpi).size();
    QCOMPARE(Status(outcome), int(PrintOutcome::Printed));
    QCOMPARE(outcome.divisor, 3);
    QCOMPARE(PdfPages::Pictures(outcome.pdfFile).value(0).size, QSize(printable.width() / 3, printable.height() / 3));
    const QImage sheet = PdfPages::Render(outcome.pdfFile, Dpi);
    CheckPicture(sheet, false);
    CheckBox(sheet, PaulsPortraitBox, QStringLiteral("blue"), false);
}

void TestPrintDocument::textKeepsItsSizeAtEveryDivisor()
{
    // A line of text measures the same on paper whatever the divisor: the
    // bitmap's fonts get the divided printer resolution, corrected.
    Param_Obj params;
    params.LoadFromLines({"[MAIN]", "TYPE=RECT", "RECT=2000,2829", "CHILD=T,100,100", "[T]", "TYPE=TEXT",
        "RECT=1800,200", "FONT=14,Arial,COLOR:0", "VALUE=Bonjour les enfants de la classe"});
    TDPRptRect tree;
    QVERIFY(DPRpt_Load(&tree, "MAIN", params));
    const int printer = 300;
    const QSize page(2362, 3341);
    QList<double> widths; // millimetres
    for (int divisor : {1, 2, 4}) {
        PrintedPage printed;
        QVERIFY(printed.Allocate(page, divisor));
        QVERIFY(printed.Draw(tree, float(printer / 254.0), printer));
        const QImage& bitmap = printed.Bitmap();
        int left = bitmap.width(), right = -1;
        for (int y = 0; y < bitmap.height() / 8; ++y)
            for (int x = 0; x < bitmap.width(); ++x)
                if (qGray(bitmap.pixel(x, y)) < 128) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        QVERIFY(right > left);
        widths << (right - left + 1) * divisor * 25.4 / printer;
    }
    // Font sizes are whole pixels: at 75 dpi (divisor 4) a line may come out
    // some per cent wider, never the fourfold of fonts sized for 300 dpi.
    for (double width : widths)
        QVERIFY2(std::abs(width - widths[0]) < widths[0] * 0.1, qPrintable(QString::number(width)));
}

void TestPrintDocument::bitmapOnThePrinterCanvas_data()
{
    QTest::addColumn<int>("divisor");
    QTest::newRow("1: copied") << 1;
    QTest::newRow("3: stretched") << 3;
    QTest::newRow("4: stretched") << 4;
}

void TestPrintDocument::bitmapOnThePrinterCanvas()
{
    QFETCH(int, divisor);
    // A page of sharp edges: a filled rectangle and a thin cross.
    Param_Obj params;
    params.LoadFromLines({"[MAIN]", "TYPE=RECT", "RECT=2000,2829", "CHILD=B,333,517", "CHILD=X,1200,1300", "[B]",
        "TYPE=SPDR", "RECT=731,455", "SPDRMODE=SpFRect", "SPDRFGCOLOR=16711680", "[X]", "TYPE=SPDR", "RECT=500,500",
        "SPDRMODE=SpCross", "PENSIZE=3", "SPDRFGCOLOR=255"});
    TDPRptRect tree;
    QVERIFY(DPRpt_Load(&tree, "MAIN", params));
    const QSize page(590, 835); // the work page at 75 dpi
    PrintedPage printed;
    QVERIFY(printed.Allocate(page, divisor));
    QCOMPARE(printed.Divisor(), divisor);
    QVERIFY(printed.Draw(tree, float(Dpi / 254.0), Dpi));
    QImage canvas(page, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    QPainter painter(&canvas);
    printed.PaintOn(painter);
    painter.end();

    const QImage& bitmap = printed.Bitmap();
    QCOMPARE(bitmap.size(), QSize(page.width() / divisor, page.height() / divisor));
    if (divisor == 1) {
        QCOMPARE(canvas, bitmap);
        return;
    }
    // Stretched over (width x divisor - 1) x (height x divisor - 1) pixels,
    // each printer pixel one of the bitmap's: no smoothing blends them.
    const QRect covered(0, 0, bitmap.width() * divisor - 1, bitmap.height() * divisor - 1);
    QSet<QRgb> colours;
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            colours.insert(bitmap.pixel(x, y));
    QCOMPARE(colours.size(), 3);
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            const QRgb pixel = canvas.pixel(x, y);
            if (covered.contains(x, y))
                QVERIFY2(colours.contains(pixel), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            else
                QCOMPARE(pixel, QColor(Qt::black).rgb());
        }
}

void TestPrintDocument::selectionPrintsSelectedPupilsWork()
{
    PrintRoot root;
    const QRect leasBox(1200, 1900, 300, 400);
    root.Work("Fiche_Léa.txt", false, leasBox, PrintRoot::Red);
    QImage grey(248, 351, QImage::Format_RGB32);
    grey.fill(Qt::gray);
    root.Picture("Autre.jpg", JpegCodec::Encode(grey, 30));
    root.Restart();
    // Paul worked on another worksheet and went back to the selection
    // screen; Léa chooses her name, then "Imprimer" on "Fiche".
    TEP_Doc* previous = root.Open("Autre");
    QVERIFY(previous);
    QVERIFY(root.config->SetUser("Léa", false).Ok());
    root.config->Settings.PrintConfirmDialog = false;
    TEP_Doc* selected = root.Document("Fiche");
    QVERIFY(selected && !selected->IsLoaded());

    const PrintOutcome outcome = PrintSelectedDocument(root.Request(nullptr), *selected);
    QCOMPARE(Status(outcome), int(PrintOutcome::Printed));
    QCOMPARE(QFileInfo(outcome.pdfFile).fileName(), QStringLiteral("Fiche_Léa_2026-12-10_14-30-05.pdf"));
    const QImage sheet = PdfPages::Render(outcome.pdfFile, Dpi);
    CheckPicture(sheet, false);
    CheckBox(sheet, leasBox, QStringLiteral("red"), false);
    const QPoint paulsPlace = PaulsPortraitBox.center();
    QCOMPARE(KindAt(sheet, paulsPlace.x(), paulsPlace.y(), false), QStringLiteral("white"));

    // The worksheet that was current is current again.
    QCOMPARE(root.config->CurrentDocument(), previous);
    QVERIFY(previous->IsLoaded());
    QVERIFY(!selected->IsLoaded());

    // Léa's work cannot be read: she is told, nothing is printed, and the
    // current worksheet stays.
    QVERIFY(TestFiles::WriteBytes(root.Worksheets() + "/Fiche_Léa.txt", "[MAINRECT]\r\nRECT=0,0\r\n"));
    root.messenger.Shown.clear();
    QCOMPARE(Status(PrintSelectedDocument(root.Request(nullptr), *selected)), int(PrintOutcome::Failed));
    QVERIFY(
        root.messenger.Shown.value(0).startsWith("Impossible de charger, pour son utilisation le document \"Fiche\"."));
    QCOMPARE(root.Exported().size(), 1);
    QCOMPARE(root.config->CurrentDocument(), previous);
}

QTEST_MAIN(TestPrintDocument)
#include "tst_printdocument.moc"
