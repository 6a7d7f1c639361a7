// The small windows of the selection screen: the quit question, the
// password window, the key panels, the look of one entry; and what the
// screen itself shows: keys in its panels, its labels, its place.
#include "DocsTreeBench.h"
#include "Screenshots.h"
#include "SelectionBench.h"
#include "selection/EntryLookDialog.h"
#include "selection/KeyPanel.h"
#include "selection/PasswordDialog.h"
#include "selection/PupilChoiceDialog.h"
#include "selection/TEP_QuitFrm.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>

namespace {

// Pixels clearly darker than the widget's background: drawn text.
int DarkPixels(QWidget& widget)
{
    const QImage image = widget.grab().toImage();
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 100;
    return dark;
}

} // namespace

class TestSelectDialogs : public QObject {
    Q_OBJECT

private slots:
    void quitQuestion_data();
    void quitQuestion();
    void passwordWindow_data();
    void passwordWindow();
    void pupilChoiceWindow_data();
    void pupilChoiceWindow();
    void keyPanelClicks();
    void entryLook_data();
    void entryLook();
    void screenShowsKeysAndTexts();
    void screenPlace();
};

void TestSelectDialogs::quitQuestion_data()
{
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<bool>("yes");
    QTest::newRow("Enter") << "Enter" << true;
    QTest::newRow("keypad Enter") << "keypad Enter" << true;
    QTest::newRow("OUI panel") << "yes panel" << true;
    QTest::newRow("Escape") << "Escape" << false;
    QTest::newRow("NON panel") << "no panel" << false;
    QTest::newRow("close button") << "close" << false;
}

void TestSelectDialogs::quitQuestion()
{
    QFETCH(QString, gesture);
    QFETCH(bool, yes);
    TEP_QuitFrm question;
    question.show();
    QCOMPARE(question.windowTitle(), QString("Sortir"));
    QCOMPARE(question.YesPanel()->Caption(), QString("OUI <Enter>"));
    QCOMPARE(question.NoPanel()->Caption(), QString("NON <Esc>"));
    QVERIFY(question.findChild<QLabel*>()->text() == "Quitter Ardoisine ?");
    if (gesture == "Enter")
        QTest::keyClick(&question, Qt::Key_Return);
    else if (gesture == "keypad Enter")
        QTest::keyClick(&question, Qt::Key_Enter, Qt::KeypadModifier);
    else if (gesture == "yes panel")
        QTest::mouseClick(question.YesPanel(), Qt::LeftButton);
    else if (gesture == "Escape")
        QTest::keyClick(&question, Qt::Key_Escape);
    else if (gesture == "no panel")
        QTest::mouseClick(question.NoPanel(), Qt::LeftButton);
    else
        question.close();
    QVERIFY(!question.isVisible());
    QCOMPARE(question.Answer(), yes);
}

void TestSelectDialogs::passwordWindow_data()
{
    QTest::addColumn<bool>("withBox");
    QTest::addColumn<bool>("tick");
    QTest::addColumn<bool>("ok");
    QTest::newRow("settings question, ticked") << true << true << true;
    QTest::newRow("settings question") << true << false << true;
    QTest::newRow("new password: no box") << false << true << true;
    QTest::newRow("cancelled") << true << true << false;
}

void TestSelectDialogs::passwordWindow()
{
    QFETCH(bool, withBox);
    QFETCH(bool, tick);
    QFETCH(bool, ok);
    PasswordDialog window("Mot de passe", withBox);
    window.show();
    QCOMPARE(window.windowTitle(), QString("Mot de passe"));
    QCOMPARE(window.DoNotShowAgain()->isVisible(), withBox);
    QCOMPARE(window.DoNotShowAgain()->text(), QString("Ne plus afficher"));
    QTest::keyClicks(window.Field(), "Cle 1");
    QCOMPARE(window.Field()->echoMode(), QLineEdit::Password);
    QCOMPARE(window.Field()->displayText(), QString(5, QLatin1Char('*'))); // each character a star
    window.DoNotShowAgain()->setChecked(tick);
    if (ok)
        QTest::keyClick(window.Field(), Qt::Key_Return);
    else
        QTest::keyClick(window.Field(), Qt::Key_Escape);
    const PasswordAnswer answer = window.Answer();
    QCOMPARE(answer.accepted, ok);
    QCOMPARE(answer.text, QString("Cle 1"));
    QCOMPARE(answer.doNotShowAgain, withBox && tick);
}

void TestSelectDialogs::pupilChoiceWindow_data()
{
    QTest::addColumn<bool>("choose");
    QTest::addColumn<QList<int>>("ticked");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("answered");
    QTest::addColumn<QStringList>("pupils");
    QTest::newRow("all who worked") << false << QList<int>() << int(Qt::Key_Return) << true << QStringList();
    QTest::newRow("one ticked") << true << QList<int> {2} << int(Qt::Key_Return) << true << QStringList {"Zoé"};
    QTest::newRow("two ticked") << true << QList<int> {0, 2} << int(Qt::Key_Return) << true
                                << QStringList {"Anaïs", "Zoé"};
    // A choice of pupils with nobody ticked cannot be validated.
    QTest::newRow("nobody ticked") << true << QList<int>() << int(Qt::Key_Return) << false << QStringList();
    QTest::newRow("gives up") << true << QList<int> {1} << int(Qt::Key_Escape) << false << QStringList();
}

void TestSelectDialogs::pupilChoiceWindow()
{
    QFETCH(bool, choose);
    QFETCH(QList<int>, ticked);
    QFETCH(int, key);
    QFETCH(bool, answered);
    QFETCH(QStringList, pupils);
    PupilChoiceDialog window({"Anaïs", "Paul", "Zoé"});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.AllWhoWorked()->isChecked());
    QVERIFY(!window.Pupils()->isEnabled());
    if (choose) {
        // By keys alone: the arrow moves to the second choice, Tab to the list,
        // Space ticks the current pupil.
        window.AllWhoWorked()->setFocus();
        QTest::keyClick(window.AllWhoWorked(), Qt::Key_Down);
        QVERIFY(window.Chosen()->isChecked());
        QVERIFY(window.Pupils()->isEnabled());
        for (int row : ticked) {
            window.Pupils()->setCurrentRow(row);
            QTest::keyClick(window.Pupils(), Qt::Key_Space);
        }
    }
    if (QTest::currentDataTag() == QByteArray("two ticked"))
        QVERIFY(Screenshots::Save(window, "pupil-choice.png"));
    QTest::keyClick(&window, Qt::Key(key));
    const std::optional<QStringList> answer = window.Answer();
    QCOMPARE(answer.has_value(), answered);
    if (answered)
        QCOMPARE(*answer, pupils);
}

void TestSelectDialogs::keyPanelClicks()
{
    KeyPanel panel("<Enter>", "Ouvrir", "Ouvrir le document");
    panel.resize(100, 44);
    panel.show();
    QSignalSpy clicked(&panel, &KeyPanel::clicked);
    QTest::mouseClick(&panel, Qt::LeftButton);
    QCOMPARE(clicked.size(), 1);
    // Pressed, then released outside: no click, as with a button.
    QTest::mousePress(&panel, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseRelease(&panel, Qt::LeftButton, Qt::NoModifier, QPoint(300, 10));
    QCOMPARE(clicked.size(), 1);
    panel.setEnabled(false);
    QTest::mouseClick(&panel, Qt::LeftButton);
    panel.Click();
    QCOMPARE(clicked.size(), 1);
    QCOMPARE(panel.accessibleName(), QString("Ouvrir"));
    QCOMPARE(panel.accessibleDescription(), QString("Ouvrir le document"));
}

void TestSelectDialogs::entryLook_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("ownColour");
    QTest::addColumn<bool>("ownStyle");
    QTest::addColumn<bool>("changed");
    QTest::newRow("folder takes a colour: its entries follow") << "Lecture" << true << false << true;
    QTest::newRow("worksheet takes a style") << "Lecture/lecture2" << false << true << true;
    QTest::newRow("accueil back to its folder's look") << "accueil" << false << false << true;
    QTest::newRow("nothing changed") << "Lecture/lecture2" << false << false << false;
}

void TestSelectDialogs::entryLook()
{
    QFETCH(QString, entry);
    QFETCH(bool, ownColour);
    QFETCH(bool, ownStyle);
    QFETCH(bool, changed);
    DocsTreeBench bench;
    TEP_DocsNode& node = *bench.Node(entry);
    EntryLookDialog dialog(node);
    QCOMPARE(dialog.OwnColor()->isChecked(), !node.ColorInherits());
    QCOMPARE(dialog.OwnStyle()->isChecked(), !node.StyleInherits());
    dialog.OwnColor()->setChecked(ownColour);
    dialog.SetColor(RgbColor::FromRgb(0, 128, 0));
    dialog.OwnStyle()->setChecked(ownStyle);
    dialog.StyleBox(TEP_DocsNode::Underline)->setChecked(true);
    QCOMPARE(dialog.ApplyTo(node), changed);
    QCOMPARE(node.ColorInherits(), !ownColour);
    QCOMPARE(node.StyleInherits(), !ownStyle);
    if (ownColour) {
        QCOMPARE(node.Color(), RgbColor::FromRgb(0, 128, 0));
        QCOMPARE(bench.Node("Lecture/lecture1")->Color(), RgbColor::FromRgb(0, 128, 0));
    }
    if (ownStyle)
        QCOMPARE(node.TextStyle(), int(TEP_DocsNode::Underline));
    if (entry == "accueil") {
        QCOMPARE(node.Color(), bench.Root()->Color());
        QCOMPARE(node.TextStyle(), bench.Root()->TextStyle());
    }
}

// Keys in angle brackets are shown as they are ("<S>" is no markup), so is
// "<Aucune>".
void TestSelectDialogs::screenShowsKeysAndTexts()
{
    SelectionBench b;
    b.screen->show();
    for (KeyPanel* panel : b.screen->findChildren<KeyPanel*>()) {
        panel->setEnabled(true);
        QVERIFY2(DarkPixels(*panel) > 20, qPrintable(panel->Caption()));
        QVERIFY(!panel->accessibleName().isEmpty());
        QVERIFY(!panel->accessibleDescription().isEmpty());
    }
    for (QPushButton* button : b.screen->findChildren<QPushButton*>()) {
        QVERIFY(!button->accessibleName().isEmpty());
        QVERIFY(!button->accessibleDescription().isEmpty());
    }
    b.base.config.DefaultPrinterName = [] { return QString(); };
    b.screen->UpdatePrinterLabel();
    QLabel* printer = b.screen->PrinterLabel();
    QCOMPARE(printer->text(), QString("Imprimante : <Aucune>"));
    QVERIFY(printer->sizeHint().width() >= printer->fontMetrics().horizontalAdvance(printer->text()));
}

void TestSelectDialogs::screenPlace()
{
    SelectionBench b;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    TEP_SelectFrm placed(b.base.config, b.base.messenger, b.base.clock, nullptr, &b.dialogs);
    QCOMPARE(
        placed.geometry(), QRect(screen.left() + 20, screen.top() + 20, screen.width() - 40, screen.height() - 40));
}

QTEST_MAIN(TestSelectDialogs)
#include "tst_selectdialogs.moc"
