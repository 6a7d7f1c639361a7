// The main window: start-up, the page at its zoom levels, the caption, the
// palette's host panel, moving between worksheets and the end of a session.
#include "MainWindowHost.h"
#include "Screenshots.h"

#include "documents/RecoveryJournal.h"
#include "documents/WorkLock.h"
#include "editor/EP_ItEdt.h"
#include "editor/ImageWidget.h"
#include "editor/PageScrollBox.h"
#include "editor/SplashWindow.h"
#include "editor/StartParameters.h"
#include "params/Numbers.h"
#include "platform/SessionEndWatcher.h"
#include "platform/WindowsKeys.h"
#include "report/TDPRptRect.h"
#include "report/TDPRptSpDr.h"
#include "report/TDPRptText.h"
#include "sound/FakeAudioDevice.h"
#include "sound/TEPSND_DocSoundPlayer.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <csignal>

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void unsavedWorkOfferedAtTheNextOpening_data();
    void unsavedWorkOfferedAtTheNextOpening();
    void workDirParameter_data();
    void workDirParameter();
    void systemWorkDir_data();
    void systemWorkDir();
    void systemWorkDirFileMissingOrUnreadable();
    void unknownWorkDirEndsTheStart();
    void startOpensTheChosenWorksheet();
    void splashClosesOnKeyOrClick_data();
    void splashClosesOnKeyOrClick();
    void splashClosesOnTheTwentyFirstTick();
    void zoomLevelsAndTheirNoOps();
    void zoomStepsStopAtTheEnds();
    void fitFactorFillsTheWindow_data();
    void fitFactorFillsTheWindow();
    void landscapeFromWidth_data();
    void landscapeFromWidth();
    void sheetCentredOrAtTheEdge_data();
    void sheetCentredOrAtTheEdge();
    void captionNamesUserWorksheetAndPlace();
    void toolsPanelPlacedFromSettings();
    void toolsPanelDragLimits_data();
    void toolsPanelDragLimits();
    void dockedPanelStatusAndPin();
    void siblingWorksheets();
    void siblingThatCannotOpenKeepsTheCurrentOne();
    void escapeSavesAndLeaves();
    void closeButtonRefused();
    void soundPlayerFollowsTheOpenWorksheet();
    void addItemModeCursor();
    void sessionEndSavesWorkAndSettings();
    void screenshotAtFitZoom();

private:
    static TDPRptSpDr* AddCircle(EP_ItEdt& editor, QObject* owner);
};

TDPRptSpDr* MainWindowTest::AddCircle(EP_ItEdt& editor, QObject* owner)
{
    if (!editor.AddDrawing(owner, TDPRptSpDr::SpBCircle))
        return nullptr;
    return dynamic_cast<TDPRptSpDr*>(editor.Current());
}

// --- Start ------------------------------------------------------------------------------------

void MainWindowTest::workDirParameter_data()
{
    QTest::addColumn<QStringList>("parameters");
    QTest::addColumn<QString>("expected");
    const QString fallback = QStringLiteral("/current");
    QTest::newRow("none") << QStringList() << fallback;
    QTest::newRow("lower-case key, two trailing slashes")
        << QStringList {QStringLiteral("dir=/data/ecole//")} << QStringLiteral("/data/ecole");
    QTest::newRow("two trailing backslashes")
        << QStringList {QStringLiteral("Dir=/data/ecole\\\\")} << QStringLiteral("/data/ecole");
    QTest::newRow("path holding '='") << QStringList {QStringLiteral("DIR=/data/classe=CE1/")}
                                      << QStringLiteral("/data/classe=CE1");
    QTest::newRow("key alone") << QStringList {QStringLiteral("DIR")} << fallback;
    QTest::newRow("key without path") << QStringList {QStringLiteral("DIR=")} << fallback;
    QTest::newRow("root kept") << QStringList {QStringLiteral("DIR=/")} << QStringLiteral("/");
    QTest::newRow("last one wins") << QStringList {QStringLiteral("DIR=/a"), QStringLiteral("DIR=/b")}
                                   << QStringLiteral("/b");
    QTest::newRow("other keys ignored") << QStringList {QStringLiteral("DIR=/a"), QStringLiteral("DIRX=/b"),
        QStringLiteral("-style=fusion")} << QStringLiteral("/a");
}

void MainWindowTest::workDirParameter()
{
    QFETCH(QStringList, parameters);
    QFETCH(QString, expected);
    QCOMPARE(StartParameters::WorkDir(parameters, QStringLiteral("/current")), expected);
}

void MainWindowTest::systemWorkDir_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("parameters");
    QTest::addColumn<QString>("expected");
    const QStringList none;
    QTest::newRow("one line, no command line")
        << QByteArray("DIR=/srv/ardoisine\n") << none << QStringLiteral("/srv/ardoisine");
    QTest::newRow("the command line wins")
        << QByteArray("DIR=/srv/ardoisine\n") << QStringList {QStringLiteral("dir=/home/prof/essai/")}
        << QStringLiteral("/home/prof/essai");
    QTest::newRow("an empty command-line path keeps the file's")
        << QByteArray("DIR=/srv/ardoisine\n") << QStringList {QStringLiteral("DIR=")}
        << QStringLiteral("/srv/ardoisine");
    QTest::newRow("comments, blanks, CRLF, lower-case key, trailing slash")
        << QByteArray("# Ardoisine\r\n\r\n  #DIR=/old\r\n  dir = /mnt/ecole/ardoisine/  \r\n") << none
        << QStringLiteral("/mnt/ecole/ardoisine");
    QTest::newRow("last line wins, other keys and bare words ignored")
        << QByteArray("DIR=/a\nDIRX=/b\nDIR\nDIR=\nDIR=/c\nLANG=fr\n") << none << QStringLiteral("/c");
    QTest::newRow("UTF-8 path with a byte-order mark") << QByteArray("\xEF\xBB\xBF"
                                                                     "DIR=/srv/\xC3\xA9"
                                                                     "cole CE1")
                                                       << none << QStringLiteral("/srv/école CE1");
    QTest::newRow("UTF-8 path") << QByteArray("DIR=/srv/\xC3\xA9"
                                              "cole\n")
                                << none << QStringLiteral("/srv/école");
    QTest::newRow("Windows-1252 path copied from a Windows share") << QByteArray("DIR=/srv/\xE9"
                                                                                 "cole\r\n")
                                                                   << none << QStringLiteral("/srv/école");
    QTest::newRow("no DIR line") << QByteArray("# DIR=/srv/ardoisine\n") << none << QStringLiteral("/current");
    QTest::newRow("empty file") << QByteArray() << none << QStringLiteral("/current");
}

void MainWindowTest::systemWorkDir()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, parameters);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString name = dir.filePath(QStringLiteral("ardoisine.conf"));
    QFile conf(name);
    QVERIFY(conf.open(QIODevice::WriteOnly));
    conf.write(file);
    conf.close();
    const QStringList withDefault = StartParameters::WithSystemWorkDir(parameters, name);
    QCOMPARE(StartParameters::WorkDir(withDefault, QStringLiteral("/current")), expected);
}

// A PC without the file, or whose file cannot be read, simply has no
// default: the current folder, nothing shown.
void MainWindowTest::systemWorkDirFileMissingOrUnreadable()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QStringList commandLine {QStringLiteral("-style=fusion")};
    for (const QString& name : {dir.filePath(QStringLiteral("absent.conf")), dir.path()})
        QCOMPARE(StartParameters::WithSystemWorkDir(commandLine, name), commandLine);
    const QString locked = dir.filePath(QStringLiteral("locked.conf"));
    QFile file(locked);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("DIR=/srv/ardoisine\n");
    file.close();
    QVERIFY(file.setPermissions(QFileDevice::Permissions()));
    if (QFile(locked).open(QIODevice::ReadOnly))
        QSKIP("This account reads files whatever their permissions (root).");
    QCOMPARE(StartParameters::WithSystemWorkDir(commandLine, locked), commandLine);
}

void MainWindowTest::unknownWorkDirEndsTheStart()
{
    MainWindowHost host;
    const QString missing = host.dir.path() + QStringLiteral("/absent");
    QVERIFY(!host.frame->Initialize({QStringLiteral("DIR=") + missing}));
    QCOMPARE(
        host.messenger.Shown, QStringList {QStringLiteral("Répertoire de travail inconnu : \"%1\".").arg(missing)});
    QCOMPARE(host.splashes, 0);
}

void MainWindowTest::startOpensTheChosenWorksheet()
{
    MainWindowHost host;
    QVERIFY(host.Start({QStringLiteral("page2")}));
    QCOMPARE(host.splashes, 1);
    QCOMPARE(host.frame->WorkDir, host.dir.path());
    QCOMPARE(QDir::currentPath(), host.dir.path());
    QVERIFY(host.messenger.Shown.isEmpty());
    QCOMPARE(host.frame->RootItem, host.config.CurrentDocument()->Tree());
    QCOMPARE(host.frame->Editor().Document(), host.config.CurrentDocument());
    // Shown at 100 %: the page image is the worksheet at the screen's scale,
    // drawn (the fixture's pattern is not white everywhere).
    QCOMPARE(host.frame->ZoomIndex, 1);
    const QImage& page = host.frame->EditSCBox()->PageImage()->Image();
    QCOMPARE(page.size(), host.frame->PagePixels());
    QCOMPARE(page.width(), RoundHalfEven(2000 * 96.0 / 254.0));
    QVERIFY(page.pixel(page.width() / 4, page.height() / 4) != qRgb(255, 255, 255));
    QVERIFY(host.frame->EditSCBox()->SheetImage()->isVisible());
    // A new palette's place is computed and written back into the settings.
    QVERIFY(host.config.Settings.ToolsTop >= 0);
    QCOMPARE(host.config.Settings.ToolsLeft, host.frame->EditSCBox()->x() + 30);
}

void MainWindowTest::splashClosesOnKeyOrClick_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::addColumn<QString>("target");
    QTest::newRow("key") << true << QStringLiteral("SplashPnl");
    QTest::newRow("click on the panel") << false << QStringLiteral("SplashPnl");
    QTest::newRow("click on a picture") << false << QStringLiteral("Image1");
    QTest::newRow("click on the bar") << false << QStringLiteral("SplashPBar");
}

void MainWindowTest::splashClosesOnKeyOrClick()
{
    QFETCH(bool, byKey);
    QFETCH(QString, target);
    FakeClock clock;
    SplashWindow splash(clock);
    splash.show();
    splash.StartTicking();
    clock.Advance(SplashWindow::TickMs);
    splash.Tick();
    QCOMPARE(splash.Position(), 1);
    if (byKey)
        QTest::keyClick(&splash, Qt::Key_Space);
    else
        QTest::mouseClick(splash.findChild<QWidget*>(target), Qt::LeftButton);
    QVERIFY(splash.IsClosed());
    QVERIFY(!splash.IsTicking());
    QVERIFY(!splash.isVisible());
}

void MainWindowTest::splashClosesOnTheTwentyFirstTick()
{
    FakeClock clock;
    SplashWindow splash(clock);
    splash.StartTicking();
    // A tick before 700 ms have passed does not move the bar.
    clock.Advance(SplashWindow::TickMs - 1);
    splash.Tick();
    QCOMPARE(splash.Position(), 0);
    clock.Advance(1);
    splash.Tick();
    QCOMPARE(splash.Position(), 1);
    for (int tick = 2; tick <= SplashWindow::Steps; ++tick) {
        clock.Advance(SplashWindow::TickMs);
        splash.Tick();
    }
    QCOMPARE(splash.Position(), SplashWindow::Steps);
    QVERIFY(!splash.IsClosed());
    QVERIFY(splash.IsTicking());
    clock.Advance(SplashWindow::TickMs);
    splash.Tick();
    QVERIFY(splash.IsClosed());
    QVERIFY(!splash.IsTicking());
}

// --- Page and zoom ----------------------------------------------------------------------------

void MainWindowTest::zoomLevelsAndTheirNoOps()
{
    MainWindowHost host;
    QVERIFY(host.Start({QStringLiteral("page1")}));
    TEP_Frm& frame = *host.frame;

    frame.SetZoom(TEP_Frm::LargeZoom);
    QCOMPARE(frame.ZoomFactor, 1.5f);
    QCOMPARE(frame.EditSCBox()->PageImage()->width(), RoundHalfEven(2000 * 96.0 / 254.0 * 1.5));
    int redraws = frame.RedrawCount();
    frame.SetZoom(TEP_Frm::LargeZoom);
    QCOMPARE(frame.RedrawCount(), redraws); // the same level again does nothing
    frame.SetZoom(4);
    QCOMPARE(frame.RedrawCount(), redraws);
    QCOMPARE(frame.ZoomIndex, 2);

    frame.SetZoom(TEP_Frm::FullZoom);
    QCOMPARE(frame.ZoomFactor, 1.0f);
    redraws = frame.RedrawCount();
    frame.SetZoom(TEP_Frm::FullZoom);
    QCOMPARE(frame.RedrawCount(), redraws);

    // The fit factor is computed when the level is chosen, not again when it
    // is chosen twice: a second call is a no-op even after a resize.
    frame.SetZoom(TEP_Frm::FitZoom);
    const float fit = frame.ZoomFactor;
    QCOMPARE(fit, frame.ZoomTable[0]);
    frame.resize(600, 500);
    redraws = frame.RedrawCount();
    frame.SetZoom(TEP_Frm::FitZoom);
    QCOMPARE(frame.ZoomFactor, fit);
    QCOMPARE(frame.RedrawCount(), redraws);
    // Level 0 applies the current level again, recomputing the fit.
    frame.SetZoom(TEP_Frm::CurrentZoom);
    QVERIFY(frame.ZoomFactor < fit);
    QCOMPARE(frame.RedrawCount(), redraws + 1);

    // The selected item stays selected across a zoom change, at the new scale.
    frame.SetZoom(TEP_Frm::FullZoom);
    TDPRptSpDr* circle = AddCircle(frame.Editor(), &frame);
    QVERIFY(circle);
    const int width = frame.Editor().EditImage()->width();
    frame.SetZoom(TEP_Frm::LargeZoom);
    QCOMPARE(frame.Editor().Current(), circle);
    QVERIFY(qAbs(frame.Editor().EditImage()->width() - width * 1.5) <= 2);
}

void MainWindowTest::zoomStepsStopAtTheEnds()
{
    MainWindowHost host;
    QVERIFY(host.Start({QStringLiteral("page1")}));
    TEP_Frm& frame = *host.frame;
    QVERIFY(frame.ZoomInOut(true));
    QCOMPARE(frame.ZoomIndex, 2);
    int redraws = frame.RedrawCount();
    QVERIFY(!frame.ZoomInOut(true)); // already at 150 %
    QCOMPARE(frame.ZoomIndex, 2);
    QCOMPARE(frame.RedrawCount(), redraws);
    QVERIFY(frame.ZoomInOut(false));
    QVERIFY(frame.ZoomInOut(false));
    QCOMPARE(frame.ZoomIndex, 0);
    QCOMPARE(frame.ZoomFactor, frame.ZoomTable[0]);
    redraws = frame.RedrawCount();
    QVERIFY(!frame.ZoomInOut(false)); // already fitted
    QCOMPARE(frame.ZoomIndex, 0);
    QCOMPARE(frame.RedrawCount(), redraws);
    // Up from the fit goes to 100 %.
    QVERIFY(frame.ZoomInOut(true));
    QCOMPARE(frame.ZoomIndex, 1);
    QCOMPARE(frame.ZoomFactor, 1.0f);
}

void MainWindowTest::fitFactorFillsTheWindow_data()
{
    QTest::addColumn<QSize>("window");
    QTest::addColumn<bool>("fullWidth");
    // The A4 sheet at 96 dpi is 794 x 1123 pixels at 100 %.
    QTest::newRow("high window: the width fills") << QSize(601, 1200) << true;
    QTest::newRow("wide window: the height fills") << QSize(1200, 801) << false;
}

void MainWindowTest::fitFactorFillsTheWindow()
{
    QFETCH(QSize, window);
    QFETCH(bool, fullWidth);
    MainWindowHost host;
    QVERIFY(host.Start({QStringLiteral("page1")}));
    host.frame->resize(window);
    host.frame->SetZoom(TEP_Frm::FitZoom);
    const QSize sheet = host.frame->SheetPixels();
    if (fullWidth)
        QCOMPARE(sheet.width(), window.width() - 1);
    else
        QVERIFY(qAbs(sheet.height() - (window.height() - 1)) <= 1);
    QVERIFY(sheet.width() <= window.width() - 1);
    QVERIFY(sheet.height() <= window.height());
}

void MainWindowTest::landscapeFromWidth_data()
{
    QTest::addColumn<float>("width");
    QTest::addColumn<QSize>("units");
    QTest::newRow("2100 is portrait") << 2100.0f << QSize(2100, 2970);
    QTest::newRow("2101 is landscape") << 2101.0f << QSize(2970, 2100);
    QTest::newRow("work page 2829 wide") << 2829.0f << QSize(2970, 2100);
}

void MainWindowTest::landscapeFromWidth()
{
    QFETCH(float, width);
    QFETCH(QSize, units);
    MainWindowHost host;
    TDPRptRect root;
    root.Width = width;
    root.Height = 2000;
    host.frame->RootItem = &root;
    QCOMPARE(host.frame->PageUnits(), units);
    const float scale = float(96.0 / 254.0);
    QCOMPARE(
        host.frame->SheetPixels(), QSize(RoundHalfEven(units.width() * scale), RoundHalfEven(units.height() * scale)));
    host.frame->RootItem = nullptr;
}

void MainWindowTest::sheetCentredOrAtTheEdge_data()
{
    QTest::addColumn<QSize>("window");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<bool>("centredAcross");
    QTest::newRow("narrower than the box: centred") << QSize(1000, 800) << int(TEP_Frm::FullZoom) << true;
    QTest::newRow("wider than the box: at x = 2") << QSize(700, 800) << int(TEP_Frm::FullZoom) << false;
    QTest::newRow("150 % in a wide box: at x = 2") << QSize(1100, 800) << int(TEP_Frm::LargeZoom) << false;
}

void MainWindowTest::sheetCentredOrAtTheEdge()
{
    QFETCH(QSize, window);
    QFETCH(int, zoom);
    QFETCH(bool, centredAcross);
    MainWindowHost host;
    QVERIFY(host.Start({QStringLiteral("page1")}));
    host.frame->resize(window);
    host.frame->SetZoom(TEP_Frm::FitZoom); // another level first, so the one asked applies
    host.frame->SetZoom(zoom);
    const PageScrollBox& box = *host.frame->EditSCBox();
    const QWidget& sheet = *box.SheetImage();
    const QWidget& page = *box.PageImage();
    const int client = box.ClientSize().width();
    if (centredAcross)
        QCOMPARE(sheet.x(), (client - sheet.width()) / 2);
    else
        QCOMPARE(sheet.x(), PageScrollBox::EdgeGap);
    // The page is centred on the sheet (2000 of 2100 units wide).
    QCOMPARE(page.x(), sheet.x() + (sheet.width() - page.width()) / 2);
    // The sheet is higher than the box at these sizes: 2 pixels from the top.
    QCOMPARE(sheet.y(), PageScrollBox::EdgeGap);
    // Esc takes the sheet away.
    host.chooser->Names = {};
    host.frame->LeaveDocument();
    QVERIFY(sheet.isHidden());
}

// --- Caption ----------------------------------------------------------------------------------

void MainWindowTest::captionNamesUserWorksheetAndPlace()
{
    MainWindowHost host(7);
    // A folder among the worksheets is not counted.
    QDir().mkpath(host.Folder() + QStringLiteral("/Annexes"));
    QVERIFY(host.Start({QStringLiteral("page3")}));
    QCOMPARE(host.frame->windowTitle(), QStringLiteral("Ardoisine 4.00  page3 (3/7)"));

    QVERIFY(host.config.SetUser(QStringLiteral("Paul"), false).Ok());
    host.chooser->Names = {QStringLiteral("page7")};
    host.frame->LeaveDocument();
    QCOMPARE(host.frame->windowTitle(), QStringLiteral("Ardoisine 4.00 Paul page7 (7/7)"));

    host.chooser->Names = {};
    host.frame->LeaveDocument();
    QCOMPARE(host.frame->windowTitle(), QStringLiteral("Ardoisine 4.00 Paul Nouveau fichier"));
    QCOMPARE(host.quits, 1);
}

// --- The palette's host panel -----------------------------------------------------------------

void MainWindowTest::toolsPanelPlacedFromSettings()
{
    MainWindowHost host;
    QVERIFY(host.Start({QStringLiteral("page1")}));
    TEP_Frm& frame = *host.frame;
    host.config.Settings.ToolsTop = 40;
    host.config.Settings.ToolsLeft = 70;
    frame.PlaceToolsPanel();
    QCOMPARE(frame.ToolsPnl()->pos(), QPoint(70, 40));
    host.config.Settings.ToolsTop = -1;
    host.config.Settings.ToolsLeft = -5;
    frame.PaletteHeight = [] { return 120; };
    frame.PlaceToolsPanel();
    const PageScrollBox& box = *frame.EditSCBox();
    const QPoint expected(box.x() + 30, box.ClientSize().height() + box.y() - 120 - 10);
    QCOMPARE(frame.ToolsPnl()->pos(), expected);
    QCOMPARE(QPoint(host.config.Settings.ToolsLeft, host.config.Settings.ToolsTop), expected);
}

void MainWindowTest::toolsPanelDragLimits_data()
{
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<QPoint>("drag");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QPoint>("expected");
    // The window is 1000 x 800 and the panel 200 x 123.
    QTest::newRow("moved") << QPoint(100, 100) << QPoint(50, 30) << false << QPoint(150, 130);
    QTest::newRow("past the left edge") << QPoint(100, 100) << QPoint(-150, 0) << false << QPoint(0, 100);
    QTest::newRow("past the top edge") << QPoint(100, 100) << QPoint(10, -300) << false << QPoint(110, 0);
    QTest::newRow("past the right edge") << QPoint(700, 100) << QPoint(150, 20) << false << QPoint(700, 120);
    QTest::newRow("past the bottom edge") << QPoint(100, 600) << QPoint(-20, 100) << false << QPoint(80, 600);
    QTest::newRow("locked") << QPoint(100, 100) << QPoint(50, 30) << true << QPoint(100, 100);
}

void MainWindowTest::toolsPanelDragLimits()
{
    QFETCH(QPoint, start);
    QFETCH(QPoint, drag);
    QFETCH(bool, locked);
    QFETCH(QPoint, expected);
    MainWindowHost host;
    TEP_Frm& frame = *host.frame;
    frame.show();
    QWidget panel;
    panel.resize(200, 100);
    frame.DockPanel(&panel);
    frame.ToolsPnl()->move(start);
    frame.ToolsLocked = locked;
    QWidget* title = frame.ToolsPnlTopPnl();
    const QPoint press(20, 10);
    QTest::mousePress(title, Qt::LeftButton, {}, press);
    QTest::mouseMove(title, press + drag);
    QTest::mouseRelease(title, Qt::LeftButton, {}, press + drag);
    QCOMPARE(frame.ToolsPnl()->pos(), expected);
    QVERIFY(!frame.ToolsDragging);
    if (!locked)
        QCOMPARE(QPoint(host.config.Settings.ToolsLeft, host.config.Settings.ToolsTop), expected);
    frame.DockPanel(nullptr);
}

void MainWindowTest::dockedPanelStatusAndPin()
{
    MainWindowHost host;
    TEP_Frm& frame = *host.frame;
    frame.show();
    QWidget home;
    auto* mainPanel = new QWidget(&home);
    mainPanel->resize(300, 150);
    auto* textPanel = new QWidget(&home);
    textPanel->resize(250, 90);
    frame.PaletteMainPanel = mainPanel;
    frame.ToolsPnl()->move(900, 100); // would reach past the window's right edge
    frame.DockPanel(mainPanel);
    QVERIFY(frame.ToolsPnl()->isVisible());
    QCOMPARE(mainPanel->parentWidget(), frame.ToolsPnl());
    QCOMPARE(frame.ToolsPnl()->size(), QSize(300, frame.ToolsPnlTopPnl()->height() + 150 + 1));
    QCOMPARE(frame.ToolsPnl()->x(), 1000 - 300);
    QCOMPARE(frame.ToolsPnlTopPnl()->text(), TEP_Frm::MainPanelStatus);
    QVERIFY(frame.PinImage()->isHidden());

    frame.ToolsLocked = true;
    frame.DockPanel(textPanel);
    QCOMPARE(mainPanel->parentWidget(), &home); // given back to the palette
    QVERIFY(mainPanel->isHidden());
    QCOMPARE(frame.ToolsPnlTopPnl()->text(), TEP_Frm::ItemPanelStatus + TEP_Frm::LockedStatus);
    QVERIFY(frame.PinImage()->isVisible());

    frame.DockPanel(nullptr);
    QCOMPARE(textPanel->parentWidget(), &home);
    QVERIFY(!frame.ToolsPnl()->isVisible());
    QVERIFY(!frame.DockedPanel);
}

// --- Worksheets -------------------------------------------------------------------------------

void MainWindowTest::siblingWorksheets()
{
    MainWindowHost host;
    QVERIFY(host.Start({QStringLiteral("page2")}));
    TEP_Frm& frame = *host.frame;
    QVERIFY(AddCircle(frame.Editor(), &frame));
    QVERIFY(frame.GoToSiblingDocument(false));
    // The work left behind was saved, circle and all.
    QVERIFY(TestFiles::ReadBytes(host.WorkPath(QStringLiteral("page2"))).contains("SPDRMODE"));
    QCOMPARE(host.config.CurrentDocument()->Name(), QStringLiteral("page3"));
    QCOMPARE(frame.Editor().Document(), host.config.CurrentDocument());
    QCOMPARE(frame.windowTitle(), QStringLiteral("Ardoisine 4.00  page3 (3/3)"));
    // No next worksheet: a beep and nothing else.
    QVERIFY(!frame.GoToSiblingDocument(false));
    QCOMPARE(host.messenger.Beeps, 1);
    QCOMPARE(host.config.CurrentDocument()->Name(), QStringLiteral("page3"));
    QVERIFY(frame.GoToSiblingDocument(true));
    QVERIFY(frame.GoToSiblingDocument(true));
    QCOMPARE(host.config.CurrentDocument()->Name(), QStringLiteral("page1"));
    QVERIFY(!frame.GoToSiblingDocument(true));
    QCOMPARE(host.messenger.Beeps, 2);
    QVERIFY(host.messenger.Shown.isEmpty());
}

void MainWindowTest::siblingThatCannotOpenKeepsTheCurrentOne()
{
    MainWindowHost host;
    QVERIFY(host.Start({QStringLiteral("page2")}));
    TEP_Frm& frame = *host.frame;
    // The next worksheet is open for the same pupil elsewhere.
    TEP_DocsNode* next = ScriptedChooser::Find(host.config.Tree(), QStringLiteral("page3"));
    WorkLock elsewhere;
    QVERIFY(elsewhere.Acquire(next->Document()->LockPath()));
    QVERIFY(!frame.GoToSiblingDocument(false));
    // The configuration's own message, and no second one.
    QCOMPARE(host.messenger.Shown.size(), 1);
    QVERIFY(host.messenger.Shown.first().contains(QStringLiteral("page3")));
    // The worksheet still open is shown again and can be edited.
    QCOMPARE(host.config.CurrentDocument()->Name(), QStringLiteral("page2"));
    QCOMPARE(frame.Editor().Document(), host.config.CurrentDocument());
    QCOMPARE(frame.RootItem, host.config.CurrentDocument()->Tree());
    QVERIFY(AddCircle(frame.Editor(), &frame));
}

void MainWindowTest::escapeSavesAndLeaves()
{
    MainWindowHost host;
    QVERIFY(host.Start({QStringLiteral("page1"), QStringLiteral("page2")}));
    TEP_Frm& frame = *host.frame;
    frame.show();
    QVERIFY(AddCircle(frame.Editor(), &frame));
    QTest::keyClick(&frame, Qt::Key_Escape);
    QCOMPARE(host.config.CurrentDocument()->Name(), QStringLiteral("page2"));
    QVERIFY(TestFiles::ReadBytes(host.WorkPath(QStringLiteral("page1"))).contains("SPDRMODE"));
    QCOMPARE(host.chooser->Showings, 2);
    QCOMPARE(host.quits, 0);
    QTest::keyClick(&frame, Qt::Key_Escape);
    QCOMPARE(host.quits, 1);
    QCOMPARE(frame.windowTitle(), QStringLiteral("Ardoisine 4.00  Nouveau fichier"));
    QVERIFY(!frame.RootItem);
}

void MainWindowTest::closeButtonRefused()
{
    MainWindowHost host;
    QVERIFY(host.Start({QStringLiteral("page1")}));
    host.frame->show();
    QVERIFY(!host.frame->close());
    QVERIFY(host.frame->isVisible());
    QCOMPARE(host.messenger.Shown, QStringList {TEP_Frm::UseEscMessage});
}

void MainWindowTest::soundPlayerFollowsTheOpenWorksheet()
{
    MainWindowHost host;
    host.frame->MakeSoundPlayer = [&host] {
        auto device = std::make_unique<FakeAudioDevice>();
        device->Available = true;
        return std::make_unique<TEPSND_DocSoundPlayer>(host.messenger, host.clock, std::move(device));
    };
    QVERIFY(host.Start({QStringLiteral("page1"), QStringLiteral("page2")}));
    TEPSND_DocSoundPlayer* player = host.frame->SoundPlayer();
    QVERIFY(player && player->Window());
    QCOMPARE(player->Document(), host.config.CurrentDocument());
    QVERIFY(host.frame->GoToSiblingDocument(false));
    QCOMPARE(player->Document(), host.config.CurrentDocument());
    // Back at the selection screen, and after it was left, no worksheet.
    host.chooser->Names = {};
    host.frame->LeaveDocument();
    QCOMPARE(player->Document(), nullptr);
    host.frame->ReleaseSoundPlayer();
    QVERIFY(!host.frame->SoundPlayer());
    QVERIFY(host.messenger.Shown.isEmpty());
}

void MainWindowTest::addItemModeCursor()
{
    MainWindowHost host;
    TEP_Frm& frame = *host.frame;
    frame.SetAddItemMode(true);
    QVERIFY(frame.AddItemMode);
    QCOMPARE(frame.EditSCBox()->viewport()->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(frame.EditSCBox()->viewport()->cursor().hotSpot(), QPoint(16, 16));
    frame.SetAddItemMode(false);
    QVERIFY(!frame.AddItemMode);
    QCOMPARE(frame.EditSCBox()->viewport()->cursor().shape(), Qt::ArrowCursor);
}

void MainWindowTest::sessionEndSavesWorkAndSettings()
{
    MainWindowHost host;
    QVERIFY(host.Start({QStringLiteral("page1")}));
    TEP_Frm& frame = *host.frame;
    frame.show();
    SessionEndWatcher watcher;
    QVERIFY(watcher.IsWatchingSignals());
    connect(&watcher, &SessionEndWatcher::SessionEnding, &frame, &TEP_Frm::EndSession);
    // An unsaved circle, still selected; the palette was moved.
    QVERIFY(AddCircle(frame.Editor(), &frame));
    host.config.Settings.ToolsLeft = 123;
    QVERIFY(!QFile::exists(host.WorkPath(QStringLiteral("page1"))));
    QCOMPARE(::raise(SIGTERM), 0);
    QTRY_COMPARE(host.quits, 1);
    QVERIFY(TestFiles::ReadBytes(host.WorkPath(QStringLiteral("page1"))).contains("SPDRMODE"));
    QVERIFY(TestFiles::ReadBytes(host.config.SettingsPath(TEP_Config::DefaultUser)).contains("TOOLSFRMLEFT=123"));
    // The window may now close.
    QVERIFY(frame.close());
    QVERIFY(host.messenger.Shown.isEmpty());
}

void MainWindowTest::screenshotAtFitZoom()
{
    MainWindowHost host(3, QSize(1024, 768));
    QVERIFY(host.Start({QStringLiteral("page1")}));
    TEP_Frm& frame = *host.frame;
    frame.show();
    frame.SetZoom(TEP_Frm::FitZoom);
    QVERIFY(AddCircle(frame.Editor(), &frame));
    frame.Editor().EndEdit(&frame, false);
    QVERIFY(Screenshots::Save(frame, QStringLiteral("mainwindow-fit.png")));
}

void MainWindowTest::unsavedWorkOfferedAtTheNextOpening_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("Oui") << true;
    QTest::newRow("Non") << false;
}

// A pupil types on one PC, which is switched off before the worksheet is
// left; the pupil opens it again on another PC sharing the data root.
void MainWindowTest::unsavedWorkOfferedAtTheNextOpening()
{
    QFETCH(bool, answer);
    MainWindowHost first(1);
    QVERIFY(first.Start({"page1"}));
    TEP_Frm& frame = *first.frame;
    QVERIFY(frame.Editor().AddText(&frame));
    frame.Editor().KeyDown(WindowsKeys::Return, 0); // Enter starts the text entry
    frame.Editor().KeyPress(QChar(WindowsKeys::EnterCharacter));
    for (const QChar c : QStringLiteral("Bonjour"))
        QVERIFY(frame.Editor().KeyPress(c));
    // Typing writes nothing; the copy's timer does, a little later.
    const QString copy = first.Folder() + "/page1_XXXX.recup";
    QVERIFY(!QFileInfo::exists(copy));
    first.clock.Advance(RecoveryJournal::DelayMs);
    frame.Journal().Tick();
    QVERIFY(QFileInfo::exists(copy));
    QVERIFY(!QFileInfo::exists(first.WorkPath("page1")));

    MainWindowHost second(1);
    QVERIFY(QFile::copy(copy, second.Folder() + "/page1_XXXX.recup"));
    second.messenger.YesNoAnswers << answer;
    QVERIFY(second.Start({"page1"}));
    QCOMPARE(second.messenger.Asked.size(), 1);
    QVERIFY2(second.messenger.Asked[0].startsWith("Un travail non enregistré a été retrouvé (le "),
        qPrintable(second.messenger.Asked[0]));
    QVERIFY(second.messenger.Asked[0].endsWith("). Voulez-vous le reprendre ?"));
    const auto* text = dynamic_cast<const TDPRptText*>(second.frame->RootItem->FindByName("NEWIT_1"));
    QCOMPARE(text != nullptr, answer);
    if (answer)
        QCOMPARE(text->Value, QString("Bonjour"));
    // Esc saves: the recovered work becomes the work file, the copy goes;
    // refused, the copy stays aside for the teacher and nothing is written.
    QTest::keyClick(second.frame.get(), Qt::Key_Escape);
    QCOMPARE(QFileInfo::exists(second.WorkPath("page1")), answer);
    const QStringList copies = QDir(second.Folder()).entryList({"*.recup"});
    QCOMPARE(copies.size(), answer ? 0 : 1);
    if (!answer)
        QVERIFY(copies[0].startsWith("page1_XXXX 20"));
    QVERIFY(second.messenger.Shown.isEmpty());

    // On the first PC, leaving saves the work and removes the copy.
    frame.LeaveDocument();
    QVERIFY(QFileInfo::exists(first.WorkPath("page1")));
    QVERIFY(!QFileInfo::exists(copy));
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
