// The data root on a real network file system (sshfs over the loopback
// address): what the file system does differently, and the program's saves,
// locks, several PCs and PCs switched off on it.
#include "NetworkShare.h"
#include "RobustnessChecks.h"
#include "config/TEP_Config.h"
#include "documents/FolderFiles.h"
#include "documents/TEP_DocsNode.h"

#include <QDir>
#include <QTest>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

class TestNetworkShare : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void whatTheShareDoesDifferently();
    void worksheetsOnTheShare();
    void killedSavesLoseNothing();
    void severalPcs();
    void cleanupTestCase() { m_share.reset(); }

private:
    std::unique_ptr<NetworkShare> m_share;
};

void TestNetworkShare::initTestCase()
{
    m_share = std::make_unique<NetworkShare>();
    if (!m_share->Mounted())
        QSKIP(qPrintable(m_share->Problem()));
}

void TestNetworkShare::whatTheShareDoesDifferently()
{
    const QString folder = m_share->Path("probe");
    QVERIFY(QDir().mkpath(folder));
    const QByteArray name = QFile::encodeName(folder);

    // No unnamed temporary files: QSaveFile would fall back to "<file>.XXXXXX"
    // temporaries; the safe-save helper names its own.
    const int unnamed = ::open(name.constData(), O_TMPFILE | O_WRONLY, 0600);
    const int unnamedError = errno;
    if (unnamed >= 0)
        ::close(unnamed);
    qInfo("O_TMPFILE on the share: %s", unnamed >= 0 ? "works" : qPrintable(qt_error_string(unnamedError)));

    // Replacing a file in one rename works (sftp's posix-rename): a save
    // replaces the old file whole and leaves nothing beside it.
    const QString work = folder + "/Fiche_Paul.txt";
    QVERIFY(SafeSave::WriteFile(work, "old"));
    QVERIFY(SafeSave::WriteFile(work, "new"));
    QCOMPARE(TestFiles::ReadBytes(m_share->ServedPath("probe/Fiche_Paul.txt")), QByteArray("new"));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList {"Fiche_Paul.txt"});

    // Renaming or moving never replaces a file or a folder.
    QVERIFY(SafeSave::WriteFile(folder + "/Autre.txt", "other"));
    QVERIFY(!QFile::rename(folder + "/Autre.txt", work));
    QCOMPARE(TestFiles::ReadBytes(work), QByteArray("new"));
    QVERIFY(QDir().mkpath(folder + "/CM1") && QDir().mkpath(folder + "/CM2"));
    QVERIFY(!QDir().rename(folder + "/CM1", folder + "/CM2"));
    QVERIFY(QFileInfo(folder + "/CM1").isDir());

    // A lock is created once.
    QFile first(folder + "/Fiche_Paul.lock");
    QVERIFY(first.open(QIODevice::WriteOnly | QIODevice::NewOnly));
    QFile second(folder + "/Fiche_Paul.lock");
    QVERIFY(!second.open(QIODevice::WriteOnly | QIODevice::NewOnly));

    // Links: the share shows them as links and cannot read where absolute
    // ones lead; either way they are never entered.
    QVERIFY(QFile::link(m_share->ServedPath("probe"), m_share->ServedPath("probe/CM1/boucle")));
    QVERIFY(QFile::link("..", m_share->ServedPath("probe/CM2/haut")));
    const FolderFiles cm1(folder + "/CM1");
    const FolderFiles cm2(folder + "/CM2");
    QCOMPARE(cm1.Links(), QStringList {"boucle"});
    QCOMPARE(cm2.Links(), QStringList {"haut"});
    QVERIFY(cm1.Folders().isEmpty() && cm2.Folders().isEmpty());
}

void TestNetworkShare::worksheetsOnTheShare()
{
    // A data root on the share, as a school's: start, open, save, rename,
    // move, export and delete, each with nothing to report.
    const QString root = m_share->Path("ecole");
    QVERIFY(QDir().mkpath(root + "/Documents/Fiches/CM1"));
    QVERIFY(TestFiles::WriteBytes(root + "/Documents/Fiches/CM1/Lecture.jpg", JpegFixtures::Jpeg(200, 280, 100)));
    TEP_Config config;
    const auto clean = [](const Outcome& outcome) { return outcome && !outcome.HasMessages(); };
    QVERIFY(clean(config.Initialise(root)));
    QVERIFY(clean(config.SetUser("Paul", false)));
    TEP_DocsNode* cm1 = config.Tree()->FindChildByName("CM1");
    QVERIFY(cm1);
    TEP_DocsNode* lecture = cm1->FindChildByName("Lecture");
    QVERIFY(clean(config.SetCurrentDocument(lecture->Document())));
    QVERIFY(QFile::exists(root + "/Documents/Fiches/CM1/Lecture_Paul.lock"));
    lecture->Document()->Tree()->Width = 1999; // a change to save
    QVERIFY(clean(lecture->Document()->EPDoc_Save()));
    QVERIFY(clean(config.SetCurrentDocument(nullptr)));
    QVERIFY(clean(cm1->RenameChild(lecture, "Lecture 2")));
    TEP_DocsNode* folder = nullptr;
    QVERIFY(clean(config.Tree()->NewFolder(false, &folder)));
    int placement = 0;
    QVERIFY(clean(config.Tree()->Move(lecture, folder, placement)));
    QVERIFY(clean(lecture->Document()->EPDoc_ExportJpeg(root + "/Lecture.jpg")));
    QVERIFY(clean(folder->EPDocNd_DeleteChild(lecture)));
    QVERIFY(clean(config.SaveAll()));
    const QStringList left = QDir(root + "/Documents/Fiches/Dossier sans titre").entryList(QDir::Files | QDir::Hidden);
    QVERIFY2(left.isEmpty(), qPrintable(left.join(' ')));
    QVERIFY(QFileInfo(m_share->ServedPath("ecole/Lecture.jpg")).size() > 0);
    QVERIFY(QFileInfo(m_share->ServedPath("ecole/Ardoisine.txt")).size() > 0);
}

void TestNetworkShare::killedSavesLoseNothing()
{
    // Fewer kills than on a local disk: each save crosses the network.
    const QString folder = m_share->Path("kills");
    QVERIFY(QDir().mkpath(folder));
    RobustnessChecks::KilledSavesLoseNothing(ARDOISINE_TOOL, folder + "/Fiche_Paul.txt", 60, 20000);
    if (QTest::currentTestFailed())
        return;
    // What a PC switched off leaves on the share is the program's own
    // temporaries only, and they go at the next start.
    const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    for (const QString& file : files)
        QVERIFY2(file == "Fiche_Paul.txt" || SafeSave::IsTemporaryName(file), qPrintable(file));
    qInfo("%d temporaries left by the killed saves", int(files.size() - 1));
    SafeSave::RemoveStaleTemporaries(folder, 0);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList {"Fiche_Paul.txt"});
}

void TestNetworkShare::severalPcs()
{
    // A shorter run than on a local disk (ARDOISINE_SHARE_STRESS_SECONDS).
    const int seconds = qEnvironmentVariableIntValue("ARDOISINE_SHARE_STRESS_SECONDS") > 0
        ? qEnvironmentVariableIntValue("ARDOISINE_SHARE_STRESS_SECONDS")
        : 20;
    const QString saving = m_share->Path("saving");
    const QString holding = m_share->Path("holding");
    QVERIFY(QDir().mkpath(saving) && QDir().mkpath(holding));
    RobustnessChecks::PupilsSavingAtOnce(ARDOISINE_STRESS, saving, seconds);
    if (!QTest::currentTestFailed())
        RobustnessChecks::SameWorkOpenedTwice(ARDOISINE_STRESS, holding);
}

QTEST_MAIN(TestNetworkShare)
#include "tst_networkshare.moc"
