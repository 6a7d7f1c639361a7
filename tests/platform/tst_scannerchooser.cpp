// The scanner chooser: keyboard choice, giving up, an empty list, and a
// screenshot for a person to look at.
#include "Screenshots.h"
#include "platform/ScannerChooserDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

class TestScannerChooser : public QObject {
    Q_OBJECT

private slots:
    void captions();
    void keyboardChoice();
    void escapeGivesUp();
    void emptyList();

private:
    static QList<ScannerDevice> Devices();
};

QList<ScannerDevice> TestScannerChooser::Devices()
{
    return {
        {"airscan:e0:Canon MF643C", "Canon", "MF643C", "eSCL network scanner"},
        {"test:0", "Noname", "frontend-tester", "virtual device"},
        {"test:1", "Noname", "frontend-tester", "virtual device"},
        {"v4l:/dev/video0", "", "", ""},
    };
}

void TestScannerChooser::captions()
{
    QCOMPARE(ScannerChooserDialog::Captions(Devices()),
        QStringList({"Canon MF643C (eSCL network scanner)", "Noname frontend-tester (virtual device) - test:0",
            "Noname frontend-tester (virtual device) - test:1", "v4l:/dev/video0"}));
}

void TestScannerChooser::keyboardChoice()
{
    // The device used last is offered first; arrows and Enter choose.
    ScannerChooserDialog dialog(Devices(), "test:0");
    dialog.open();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* list = dialog.findChild<QListWidget*>();
    QVERIFY(list);
    QCOMPARE(list->currentRow(), 1);
    QCOMPARE(dialog.SelectedDevice(), QStringLiteral("test:0"));

    QVERIFY(Screenshots::Save(dialog, "scanner_chooser.png"));

    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.SelectedDevice(), QStringLiteral("test:1"));
}

void TestScannerChooser::escapeGivesUp()
{
    // An unknown preferred device selects the first.
    ScannerChooserDialog dialog(Devices(), "gone:0");
    dialog.open();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.SelectedDevice(), QStringLiteral("airscan:e0:Canon MF643C"));
    QTest::keyClick(dialog.findChild<QListWidget*>(), Qt::Key_Escape);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
}

void TestScannerChooser::emptyList()
{
    ScannerChooserDialog dialog({});
    QCOMPARE(dialog.findChild<QLabel*>()->text(), QStringLiteral("Aucun scanner n'a été trouvé."));
    QVERIFY(!dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled());
    QCOMPARE(dialog.SelectedDevice(), QString());
}

QTEST_MAIN(TestScannerChooser)
#include "tst_scannerchooser.moc"
