// The program's message boxes: French buttons, and the answer they give.
#include "platform/DialogMessenger.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestDialogMessenger : public QObject {
    Q_OBJECT

private slots:
    void yesNo_data();
    void yesNo();
};

void TestDialogMessenger::yesNo_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("answer");
    QTest::newRow("Enter takes Oui") << int(Qt::Key_Return) << true;
    QTest::newRow("Escape takes Non") << int(Qt::Key_Escape) << false;
}

void TestDialogMessenger::yesNo()
{
    QFETCH(int, key);
    QFETCH(bool, answer);
    DialogMessenger messenger;
    QStringList buttons;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        for (QAbstractButton* button : box->buttons())
            buttons << button->text();
        QTest::keyClick(box, Qt::Key(key));
    });
    QCOMPARE(messenger.AskYesNo(QStringLiteral("Voulez-vous continuer ?")), answer);
    buttons.sort();
    QCOMPARE(buttons, (QStringList {QStringLiteral("&Non"), QStringLiteral("&Oui")}));
}

QTEST_MAIN(TestDialogMessenger)
#include "tst_dialogmessenger.moc"
