// The printing windows: the question before printing with its keys, the
// notice after it, the shared information message, their "Ne plus afficher"
// boxes and the cursor while they ask.
#include "ModalAnswer.h"
#include "printing/PrintDialogs.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

// A click on the box itself (its text may end well before the widget does).
void Tick(QCheckBox* box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    QVERIFY(box->isChecked());
}

} // namespace

class TestPrintDialogs : public QObject {
    Q_OBJECT

private slots:
    void nothingShownWhenSwitchedOff();
    void confirmAnswers_data();
    void confirmAnswers();
    void confirmWindowAndCursor();
    void waitNotice_data();
    void waitNotice();
    void infoMessage_data();
    void infoMessage();
};

void TestPrintDialogs::nothingShownWhenSwitchedOff()
{
    bool shown = false;
    WhenPrintWindowShows([&](TPrDialogFrm& window) {
        shown = true;
        window.reject();
    });
    bool show = false;
    QVERIFY(ConfirmPrint(show));
    PrintWait(show);
    ShowInfoMessage(QStringLiteral("Scan"), QStringLiteral("Texte"), show);
    QVERIFY(!show);
    QCoreApplication::processEvents();
    QVERIFY(!shown);
}

void TestPrintDialogs::confirmAnswers_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("tick");
    QTest::addColumn<bool>("yes");
    // Enter answers yes and Esc no, wherever the focus is.
    QTest::newRow("Enter") << "enter" << false << true;
    QTest::newRow("keypad Enter") << "keypad" << false << true;
    QTest::newRow("Enter on Non") << "enter on no" << false << true;
    QTest::newRow("Enter on the box") << "enter on box" << true << true;
    QTest::newRow("Esc") << "esc" << false << false;
    QTest::newRow("Esc on Oui") << "esc on yes" << true << false;
    QTest::newRow("Oui") << "click yes" << false << true;
    QTest::newRow("Non") << "click no" << true << false;
    QTest::newRow("window closed") << "close" << false << false;
}

void TestPrintDialogs::confirmAnswers()
{
    QFETCH(QString, action);
    QFETCH(bool, tick);
    QFETCH(bool, yes);
    WhenPrintWindowShows([&](TPrDialogFrm& window) {
        if (tick)
            Tick(window.PrintConfirmCBox);
        if (action == "enter")
            QTest::keyClick(&window, Qt::Key_Return);
        else if (action == "keypad")
            QTest::keyClick(&window, Qt::Key_Enter, Qt::KeypadModifier);
        else if (action == "enter on no")
            QTest::keyClick(window.NoBtn, Qt::Key_Return);
        else if (action == "enter on box")
            QTest::keyClick(window.PrintConfirmCBox, Qt::Key_Return);
        else if (action == "esc")
            QTest::keyClick(&window, Qt::Key_Escape);
        else if (action == "esc on yes")
            QTest::keyClick(window.YesBtn, Qt::Key_Escape);
        else if (action == "click yes")
            QTest::mouseClick(window.YesBtn, Qt::LeftButton);
        else if (action == "click no")
            QTest::mouseClick(window.NoBtn, Qt::LeftButton);
        else
            window.close();
    });
    bool show = true;
    QCOMPARE(ConfirmPrint(show), yes);
    QCOMPARE(show, !tick);
}

void TestPrintDialogs::confirmWindowAndCursor()
{
    // A long task's hourglass is showing when the question comes.
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    Qt::CursorShape during = Qt::BlankCursor;
    QString title, panel;
    QSize size;
    bool fixed = false;
    WhenPrintWindowShows([&](TPrDialogFrm& window) {
        during = QGuiApplication::overrideCursor()->shape();
        title = window.windowTitle();
        panel = window.accessibleDescription();
        size = window.size();
        fixed = window.minimumSize() == window.maximumSize();
        QVERIFY(window.YesBtn->isDefault());
        QVERIFY(window.YesBtn->isVisible() && window.NoBtn->isVisible() && window.PrintConfirmCBox->isVisible());
        QVERIFY(!window.MsgLbl->isVisible() && !window.WaitOkBtn->isVisible());
        QVERIFY(window.grab().save(ScreenshotPath("print-confirm.png")));
        QTest::keyClick(&window, Qt::Key_Return);
    });
    bool show = true;
    QVERIFY(ConfirmPrint(show));
    QCOMPARE(during, Qt::ArrowCursor);
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QGuiApplication::restoreOverrideCursor();
    QVERIFY(!QGuiApplication::overrideCursor());
    QCOMPARE(title, QStringLiteral("Impression"));
    QCOMPARE(panel, QStringLiteral("Confirmation de l'impression"));
    QVERIFY(fixed);
    QVERIFY(size.width() >= 300 && size.height() >= 100);
}

void TestPrintDialogs::waitNotice_data()
{
    QTest::addColumn<bool>("tick");
    QTest::addColumn<bool>("byKey");
    QTest::newRow("Ok") << false << false;
    QTest::newRow("ticked, Ok") << true << false;
    QTest::newRow("ticked, Enter") << true << true;
}

void TestPrintDialogs::waitNotice()
{
    QFETCH(bool, tick);
    QFETCH(bool, byKey);
    QString title;
    QStringList lines;
    WhenPrintWindowShows([&](TPrDialogFrm& window) {
        title = window.windowTitle();
        for (const QLabel* label : window.findChildren<QLabel*>())
            if (label->isVisible())
                lines << label->text();
        QVERIFY(window.WaitOkBtn->isVisible() && window.WaitPrintCbox->isVisible() && !window.YesBtn->isVisible());
        if (!tick && !byKey)
            QVERIFY(window.grab().save(ScreenshotPath("print-wait.png")));
        if (tick)
            Tick(window.WaitPrintCbox);
        if (byKey)
            QTest::keyClick(&window, Qt::Key_Return);
        else
            QTest::mouseClick(window.WaitOkBtn, Qt::LeftButton);
    });
    bool show = true;
    PrintWait(show);
    QCOMPARE(show, !tick);
    QCOMPARE(title, QStringLiteral("Impression"));
    QCOMPARE(lines,
        QStringList({"L'impression de la page est en cours,", "attendez la sortie de la feuille avant de",
            "lancer une nouvelle impression."}));
}

void TestPrintDialogs::infoMessage_data()
{
    QTest::addColumn<bool>("tick");
    QTest::newRow("kept") << false;
    QTest::newRow("switched off") << true;
}

void TestPrintDialogs::infoMessage()
{
    QFETCH(bool, tick);
    const QString message = QStringLiteral("Les documents doivent être scannés au format \"Document couleur\".");
    QString title, text, box;
    QSize size;
    WhenPrintWindowShows([&](TPrDialogFrm& window) {
        title = window.windowTitle();
        text = window.MsgLbl->text();
        box = window.DoNotShowAgainCBox->text();
        size = window.size();
        QVERIFY(!window.YesBtn->isVisible() && !window.WaitOkBtn->isVisible());
        if (!tick)
            QVERIFY(window.grab().save(ScreenshotPath("info-message.png")));
        if (tick)
            Tick(window.DoNotShowAgainCBox);
        QTest::mouseClick(window.MsgOkBtn, Qt::LeftButton);
    });
    bool show = true;
    ShowInfoMessage(QStringLiteral("Scan"), message, show);
    QCOMPARE(show, !tick);
    QCOMPARE(title, QStringLiteral("Scan"));
    QCOMPARE(text, message);
    QCOMPARE(box, QStringLiteral("Ne plus afficher"));
    QCOMPARE(size, QSize(494, 88));
}

QTEST_MAIN(TestPrintDialogs)
#include "tst_printdialogs.moc"
