// The report of a conversion of older data as the program shows it at start,
// through its real windows: the notice and the note in message boxes, then
// the report in the text viewer.
#include "OldDataRoot.h"
#include "Screenshots.h"
#include "config/TEP_Config.h"
#include "platform/DialogMessenger.h"
#include "platform/TextViewerDialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TestMigrationShown : public QObject {
    Q_OBJECT

private slots:
    void reportShownAtStart();
};

void TestMigrationShown::reportShownAtStart()
{
    QTemporaryDir dir;
    QVERIFY(OldDataRoot::BuildSchool(dir.path()));
    QStringList boxes;
    QStringList titles;
    QString shown;
    QStringList others;
    // Each window that opens is read, then closed as a person would.
    QTimer person;
    person.setInterval(20);
    connect(&person, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            boxes << box->text();
            QTest::keyClick(box, Qt::Key_Return);
        } else if (auto* viewer = qobject_cast<TextViewerDialog*>(modal)) {
            titles << viewer->windowTitle();
            shown = viewer->TextBox()->toPlainText();
            QVERIFY(Screenshots::Save(*viewer, "migration-report.png"));
            viewer->CloseButton()->click();
        } else if (modal) {
            others << modal->metaObject()->className();
            modal->close();
        }
    });
    person.start();
    DialogMessenger messenger;
    TEP_Config config;
    const Outcome started = config.Initialise(dir.path(), &messenger);
    person.stop();
    QVERIFY2(started, qPrintable(started.Text()));

    const MigrationReport& report = config.Migration();
    QCOMPARE(boxes.size(), 2);
    QCOMPARE(boxes.first(), report.announcement);
    QCOMPARE(boxes.last(), report.outcome.Messages().value(0));
    QCOMPARE(titles, QStringList {MigrationReport::ViewerTitle});
    QCOMPARE(shown, report.lines.join(QLatin1Char('\n')));
    QVERIFY(shown.contains(QStringLiteral("Document \"Fantôme\" inexistant pour le classeur \"Lecture\".")));
    QVERIFY(others.isEmpty());
}

QTEST_MAIN(TestMigrationShown)
#include "tst_migrationshown.moc"
