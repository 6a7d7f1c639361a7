// Names typed by people never become files outside the data root, nor
// files Windows PCs sharing the data root could not open.
#include "JpegFixtures.h"
#include "TestFiles.h"
#include "config/TEP_Config.h"
#include "documents/TEP_Doc.h"
#include "documents/TEP_DocsNode.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList AllFiles(const QString& folder)
{
    QStringList files;
    QDirIterator it(
        folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

} // namespace

class TestHostileNames : public QObject {
    Q_OBJECT

private slots:
    void refused_data();
    void refused();
};

void TestHostileNames::refused_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("slash") << "a/b";
    QTest::newRow("backslash") << "a\\b";
    QTest::newRow("parent") << "..";
    QTest::newRow("climbing") << "../../dehors";
    QTest::newRow("absolute") << "/tmp/dehors";
    QTest::newRow("colon") << "c:x";
    QTest::newRow("star") << "a*";
    QTest::newRow("question") << "a?";
    QTest::newRow("quote") << "a\"b";
    QTest::newRow("angles") << "<a>";
    QTest::newRow("pipe") << "a|b";
    QTest::newRow("control") << QString("a\nb");
    QTest::newRow("CON") << "CON";
    QTest::newRow("nul with extension") << "nul.txt";
    QTest::newRow("COM1") << "com1";
    QTest::newRow("LPT9") << "LPT9";
    QTest::newRow("trailing dot") << "Paul.";
    QTest::newRow("300 characters") << QString(300, QLatin1Char('z'));
}

void TestHostileNames::refused()
{
    QFETCH(QString, name);
    QTemporaryDir outside;
    const QString root = outside.filePath("racine");
    QDir().mkpath(root + "/Documents/Fiches/CM1");
    QVERIFY(TestFiles::WriteBytes(root + "/Documents/Fiches/Fiche.jpg", JpegFixtures::Jpeg(16, 16)));
    TEP_Config config;
    QVERIFY(config.Initialise(root));
    const QStringList before = AllFiles(outside.path());

    // A pupil's name.
    Outcome refused = config.SetUser(name, false);
    QVERIFY(!refused && refused.HasMessages());
    // A worksheet's name.
    TEP_DocsNode* fiche = config.Tree()->FindChildByName("Fiche");
    refused = config.Tree()->RenameChild(fiche, name);
    QVERIFY(!refused && refused.HasMessages());
    TEP_Doc created;
    refused
        = created.EPDoc_CreateFromPicture(name, root + "/Documents/Fiches", 300, 300, JpegFixtures::Pattern(16, 16));
    QVERIFY(!refused && refused.HasMessages());
    // A folder's name.
    TEP_DocsNode* folder = config.Tree()->FindChildByName("CM1");
    refused = config.Tree()->RenameChild(folder, name);
    QVERIFY(!refused && refused.HasMessages());

    QCOMPARE(AllFiles(outside.path()), before);
}

QTEST_MAIN(TestHostileNames)
#include "tst_hostilenames.moc"
