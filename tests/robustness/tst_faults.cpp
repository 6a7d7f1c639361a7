// A full disk and a read-only share: saving fails with a clear French
// message, the old work file stays whole, and the work in memory is still
// there to be saved once the fault is gone.
#include "JpegFixtures.h"
#include "OldDataRoot.h"
#include "TestFiles.h"
#include "config/DataMigration.h"
#include "config/TEP_Config.h"
#include "documents/ScriptedMessenger.h"
#include "documents/TEP_Doc.h"
#include "documents/TEP_DocsNode.h"
#include "report/TDPRptRect.h"
#include "report/TDPRptText.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool Mount(const QStringList& arguments)
{
    return QProcess::execute(QStringLiteral("mount"), arguments) == 0;
}

// A small tmpfs of its own, when this machine lets the test mount one.
class SmallDisk {
public:
    explicit SmallDisk(const QString& size)
    {
        m_mounted = m_dir.isValid() && Mount({"-t", "tmpfs", "-o", "size=" + size, "tmpfs", m_dir.path()});
    }
    ~SmallDisk()
    {
        if (m_mounted)
            QProcess::execute(QStringLiteral("umount"), {m_dir.path()});
    }
    bool Mounted() const { return m_mounted; }
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    bool Remount(const QString& mode) { return Mount({"-o", "remount," + mode, m_dir.path()}); }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

void AddText(TEP_Doc& doc, int count)
{
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("NEWIT_%1").arg(doc.Tree()->ChildCount());
        auto* text = doc.Tree()->AddChild(name, std::make_unique<TDPRptText>());
        text->Name = name;
        text->Width = 400;
        text->Height = 100;
        text->Value = QString(200, QLatin1Char('x'));
    }
}

// Paul's work on a worksheet of the disk, open and saved once with a few
// texts; returns the saved file.
QByteArray OpenAndSave(SmallDisk& disk, TEP_Doc& doc, int texts)
{
    TestFiles::WriteBytes(disk.Path("Fiche.jpg"), JpegFixtures::Jpeg(64, 64));
    if (!doc.EPDoc_Init("Fiche", disk.Path("")) || !doc.EPDoc_SetUser("Paul") || !doc.EPDoc_LoadForUse())
        return QByteArray();
    AddText(doc, texts);
    if (!doc.EPDoc_Save())
        return QByteArray();
    return TestFiles::ReadBytes(disk.Path("Fiche_Paul.txt"));
}

} // namespace

class TestFaults : public QObject {
    Q_OBJECT

private slots:
    void fullDisk();
    void readOnlyShare();
    void deleteUserOnReadOnlyShare();
    void migrationOnReadOnlyShare();
};

void TestFaults::fullDisk()
{
    SmallDisk disk("96k");
    if (!disk.Mounted())
        QSKIP("this machine does not let the test mount a small file system");
    TEP_Doc doc;
    const QByteArray saved = OpenAndSave(disk, doc, 3);
    QVERIFY(!saved.isEmpty());

    QVERIFY(TestFiles::WriteBytes(disk.Path("filler"), QByteArray(60 * 1024, 'f')));
    AddText(doc, 200); // about 50 KB more than the disk has
    const Outcome full = doc.EPDoc_Save();
    QVERIFY(!full);
    QCOMPARE(full.Messages().size(), 1);
    QVERIFY2(full.Text().startsWith("Impossible de sauvegarder le fichier : ")
            && full.Text().contains("le disque est plein"),
        qPrintable(full.Text()));
    QCOMPARE(TestFiles::ReadBytes(disk.Path("Fiche_Paul.txt")), saved);
    QVERIFY(doc.IsLoaded());
    QCOMPARE(doc.Tree()->ChildCount(), 204); // the work is still in memory

    QVERIFY(QFile::remove(disk.Path("filler")));
    QVERIFY(doc.EPDoc_Save());
    QVERIFY(TestFiles::ReadBytes(disk.Path("Fiche_Paul.txt")).size() > saved.size());
    QCOMPARE(QDir(disk.Path("")).entryList(QDir::Files).size(), 3); // picture, work, lock: no temporary left
}

void TestFaults::readOnlyShare()
{
    SmallDisk disk("1m");
    if (!disk.Mounted())
        QSKIP("this machine does not let the test mount a small file system");
    TEP_Doc doc;
    const QByteArray saved = OpenAndSave(disk, doc, 2);
    QVERIFY(!saved.isEmpty());

    QVERIFY(disk.Remount("ro"));
    AddText(doc, 1);
    const Outcome written = doc.EPDoc_Save();
    disk.Remount("rw");
    QVERIFY(!written);
    QVERIFY2(written.Text().contains("le support est en lecture seule"), qPrintable(written.Text()));
    QCOMPARE(TestFiles::ReadBytes(disk.Path("Fiche_Paul.txt")), saved);
    QVERIFY(doc.EPDoc_Save()); // writable again: the work in memory goes to disk
    QVERIFY(TestFiles::ReadBytes(disk.Path("Fiche_Paul.txt")) != saved);
}

void TestFaults::deleteUserOnReadOnlyShare()
{
    SmallDisk disk("1m");
    if (!disk.Mounted())
        QSKIP("this machine does not let the test mount a small file system");
    QVERIFY(QDir().mkpath(disk.Path("Documents/Fiches")));
    QVERIFY(TestFiles::WriteBytes(disk.Path("Documents/Fiches/Fiche.jpg"), JpegFixtures::Jpeg(64, 64)));
    QVERIFY(TestFiles::WriteBytes(disk.Path("Documents/Fiches/Fiche_Léa.txt"), "x"));
    TEP_Config config;
    QVERIFY(config.Initialise(disk.Path("")));
    QVERIFY(config.SetUser("Léa", false));
    QVERIFY(config.SetUser("XXXX", false));

    // Her work cannot go: the errors are shown first, then the question.
    QVERIFY(disk.Remount("ro"));
    ScriptedMessenger asker;
    asker.YesNoAnswers = {false};
    const Outcome kept = config.DeleteUser("Léa", asker);
    QVERIFY(!kept);
    QCOMPARE(asker.Shown.size(), 1);
    QVERIFY2(asker.Shown.first().startsWith("Impossible de supprimer le travail du document \"Fiche\""),
        qPrintable(asker.Shown.first()));
    QCOMPARE(asker.Asked, QStringList {"Voulez-vous, malgré les erreurs rencontrées supprimer l'utilisateur 'Léa'?"});

    asker.YesNoAnswers = {true}; // deleted all the same: her settings file cannot go either
    const Outcome refused = config.DeleteUser("Léa", asker);
    disk.Remount("rw");
    QVERIFY(!refused);
    QVERIFY2(refused.Messages().contains("Impossible de supprimer le fichier de configuration de l'utilisateur 'Léa'!"),
        qPrintable(refused.Text()));
    QVERIFY(QFileInfo::exists(disk.Path("Documents/Noms/Léa.conf")));
    QVERIFY(config.DeleteUser("Léa", asker));
    QVERIFY(!QFileInfo::exists(disk.Path("Documents/Noms/Léa.conf")));
    QVERIFY(!QFileInfo::exists(disk.Path("Documents/Fiches/Fiche_Léa.txt")));
}

void TestFaults::migrationOnReadOnlyShare()
{
    // An old share mounted read-only: the conversion says why it cannot be
    // done, changes nothing, and the program starts on the data as they are.
    SmallDisk disk("4m");
    if (!disk.Mounted())
        QSKIP("this machine does not let the test mount a small file system");
    QVERIFY(OldDataRoot::BuildSchool(disk.Path("")));
    const QMap<QString, QByteArray> before = OldDataRoot::Snapshot(disk.Path(""));
    QVERIFY(disk.Remount("ro"));
    const MigrationReport report = DataMigration(disk.Path("")).Run();
    const QMap<QString, QByteArray> after = OldDataRoot::Snapshot(disk.Path(""));
    disk.Remount("rw");
    QVERIFY(!report.outcome);
    QCOMPARE(report.outcome.Messages(),
        QStringList {QStringLiteral("Erreur lors du changement de version sur le fichier de configuration : \"%1\".")
                         .arg(disk.Path("Ardoisine.txt"))});
    QVERIFY2(after == before, qPrintable(OldDataRoot::Differences(before, after)));

    // Writable again: the next start converts.
    QVERIFY(DataMigration(disk.Path("")).Run().outcome);
    QVERIFY(QFileInfo::exists(disk.Path("Documents/Noms/paul.conf")));
}

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
