// The text viewer of long message lists, the messenger that opens it, and
// Qt's own French texts.
#include "Screenshots.h"
#include "platform/DialogMessenger.h"
#include "platform/FrenchTranslations.h"
#include "platform/TextViewerDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestTextViewer : public QObject {
    Q_OBJECT

private slots:
    void showsTheLinesReadOnly();
    void closes_data();
    void closes();
    void messengerOpensTheViewer();
    void frenchTexts();
};

void TestTextViewer::showsTheLinesReadOnly()
{
    const QStringList lines = {QStringLiteral("========== Fichier : \"/data/Fiches/a.jpg\" =========="),
        QStringLiteral("Impossible de déplacer le fichier \"a_Paul.txt\".\r\nIl est ouvert sur un autre poste."),
        QStringLiteral("Dernière ligne")};
    TextViewerDialog viewer(QStringLiteral("Erreur(s) de transfer"), lines);
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    QCOMPARE(viewer.windowTitle(), QStringLiteral("Erreur(s) de transfer"));
    QVERIFY(viewer.isModal());
    QPlainTextEdit* text = viewer.TextBox();
    QVERIFY(text->isReadOnly());
    // A Windows line end inside a message is a line break, nothing else.
    QCOMPARE(text->toPlainText().split(QLatin1Char('\n')),
        QStringList({lines[0], QStringLiteral("Impossible de déplacer le fichier \"a_Paul.txt\"."),
            QStringLiteral("Il est ouvert sur un autre poste."), lines[2]}));
    // Typing changes nothing.
    text->setFocus();
    QTest::keyClicks(text, QStringLiteral("xyz"));
    QVERIFY(!text->toPlainText().contains(QStringLiteral("xyz")));
    QVERIFY(!viewer.accessibleName().isEmpty() && !viewer.accessibleDescription().isEmpty());
    QVERIFY(!text->accessibleName().isEmpty() && !text->accessibleDescription().isEmpty());
    QVERIFY(!viewer.CloseButton()->accessibleName().isEmpty());
    QVERIFY(Screenshots::Save(viewer, "text-viewer.png"));
}

void TestTextViewer::closes_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter on the button") << int(Qt::Key_Return);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

void TestTextViewer::closes()
{
    QFETCH(int, key);
    TextViewerDialog viewer(QStringLiteral("Titre"), {QStringLiteral("ligne")});
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    QCOMPARE(viewer.CloseButton()->text(), QStringLiteral("Fermer"));
    QTest::keyClick(viewer.CloseButton(), Qt::Key(key));
    QVERIFY(!viewer.isVisible());
}

void TestTextViewer::messengerOpensTheViewer()
{
    DialogMessenger messenger;
    QString title;
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* viewer = qobject_cast<TextViewerDialog*>(QApplication::activeModalWidget());
        QVERIFY(viewer);
        title = viewer->windowTitle();
        shown = viewer->TextBox()->toPlainText();
        viewer->CloseButton()->click();
    });
    // Returns once the window is closed.
    messenger.ShowLines(QStringLiteral("Erreur(s) de transfer"), {QStringLiteral("un"), QStringLiteral("deux")});
    QCOMPARE(title, QStringLiteral("Erreur(s) de transfer"));
    QCOMPARE(shown, QStringLiteral("un\ndeux"));
}

void TestTextViewer::frenchTexts()
{
    // The messenger loaded them; loading again is harmless.
    DialogMessenger messenger;
    QVERIFY(FrenchTranslations::Install());
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Yes | QDialogButtonBox::No);
    QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Annuler"));
    QCOMPARE(box.button(QDialogButtonBox::Yes)->text(), QStringLiteral("&Oui"));
    QCOMPARE(box.button(QDialogButtonBox::No)->text(), QStringLiteral("&Non"));
}

QTEST_MAIN(TestTextViewer)
#include "tst_textviewer.moc"
