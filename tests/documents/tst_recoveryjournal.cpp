// The copy of the open work kept against a power cut: when it is written,
// what the next opening does with it, and that nothing else takes its name.
#include "FakeClock.h"
#include "JpegFixtures.h"
#include "TestFiles.h"
#include "documents/FolderFiles.h"
#include "documents/RecoveryJournal.h"
#include "documents/ScriptedMessenger.h"
#include "documents/TEP_Doc.h"
#include "documents/TEP_DocsNode.h"
#include "params/SafeSave.h"
#include "params/TextFile.h"
#include "report/TDPRptImg.h"
#include "report/TDPRptRect.h"
#include "report/TDPRptText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A text item on the page, as the editor would add it.
void AddText(TEP_Doc& doc, const QString& name, const QString& value)
{
    auto text = std::make_unique<TDPRptText>();
    text->Name = name;
    text->Value = value;
    text->Width = 300;
    text->Height = 80;
    doc.Tree()->AddChild(name, std::move(text));
}

QString TextOf(const TEP_Doc& doc, const QString& name)
{
    const auto* text = dynamic_cast<const TDPRptText*>(doc.Tree()->FindByName(name));
    return text ? text->Value : QStringLiteral("<none>");
}

QStringList JournalFiles(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.recup")}, QDir::Files, QDir::Name);
}

} // namespace

class TestRecoveryJournal : public QObject {
    Q_OBJECT

private slots:
    void init();
    void writtenAfterTheDelay();
    void composeAndParse_data();
    void composeAndParse();
    void offerAtOpening_data();
    void offerAtOpening();
    void damagedFileIsKeptAndTold_data();
    void damagedFileIsKeptAndTold();
    void goesWhenSavedOrBackToTheSavedWork();
    void failedWriteIsRetried();
    void namesNeverTakenByListingsOrCleanUp();
    void followsTheWorksheet();

private:
    QString Path(const QString& name) const { return m_dir->filePath(name); }
    // Fiche.jpg with Paul's work holding one text item "avant".
    void OpenWithWork(TEP_Doc& doc);
    // The journal of a session that changed the text to `value`, left by a
    // crash: written, never discarded.
    void LeaveJournal(const QString& value);
    std::unique_ptr<QTemporaryDir> m_dir;
    FakeClock m_clock;
};

void TestRecoveryJournal::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(TestFiles::WriteBytes(Path("Fiche.jpg"), JpegFixtures::Jpeg(210, 297, 25)));
}

void TestRecoveryJournal::OpenWithWork(TEP_Doc& doc)
{
    if (!QFileInfo::exists(Path("Fiche_Paul.txt"))) {
        TEP_Doc first;
        QVERIFY(first.EPDoc_Init("Fiche", m_dir->path()));
        QVERIFY(first.EPDoc_SetUser("Paul"));
        QVERIFY(first.EPDoc_LoadForUse());
        AddText(first, "NEWIT_1", "avant");
        QVERIFY(first.EPDoc_Save());
        first.EPDoc_Close();
    }
    QVERIFY(doc.EPDoc_Init("Fiche", m_dir->path()));
    QVERIFY(doc.EPDoc_SetUser("Paul"));
    QVERIFY(doc.EPDoc_LoadForUse());
    QCOMPARE(TextOf(doc, "NEWIT_1"), QStringLiteral("avant"));
}

void TestRecoveryJournal::LeaveJournal(const QString& value)
{
    TEP_Doc doc;
    OpenWithWork(doc);
    RecoveryJournal journal(m_clock);
    journal.Start(&doc);
    dynamic_cast<TDPRptText*>(doc.Tree()->FindByName("NEWIT_1"))->Value = value;
    journal.NoteChange();
    journal.Tick();
    QCOMPARE(journal.Writes(), 1);
    doc.EPDoc_Close(); // the lock goes as a new boot would take it over
    // Written after the work file, as a crash after some typing leaves it.
    QFile file(Path("Fiche_Paul.recup"));
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
}

void TestRecoveryJournal::writtenAfterTheDelay()
{
    TEP_Doc doc;
    OpenWithWork(doc);
    RecoveryJournal journal(m_clock);
    journal.Start(&doc);
    const QString path = Path("Fiche_Paul.recup");
    QCOMPARE(RecoveryJournal::PathFor(doc), path);

    // No change told: nothing written, whatever the time.
    journal.Tick();
    m_clock.Advance(10000);
    journal.Tick();
    QVERIFY(!QFileInfo::exists(path));

    // The first change goes at the next tick.
    AddText(doc, "NEWIT_2", "un");
    journal.NoteChange();
    journal.Tick();
    QCOMPARE(journal.Writes(), 1);

    // Then never twice within the delay, and at the first tick after it.
    dynamic_cast<TDPRptText*>(doc.Tree()->FindByName("NEWIT_2"))->Value = "deux";
    journal.NoteChange();
    m_clock.Advance(RecoveryJournal::DelayMs - RecoveryJournal::TickMs);
    journal.Tick();
    QCOMPARE(journal.Writes(), 1);
    m_clock.Advance(RecoveryJournal::TickMs);
    journal.Tick();
    QCOMPARE(journal.Writes(), 2);

    // The file holds the work as a save would write it, with when and where.
    QByteArray bytes;
    bytes = TestFiles::ReadBytes(path);
    QVERIFY(!bytes.isEmpty());
    RecoveryJournal::Found found;
    QVERIFY(RecoveryJournal::Parse(bytes, found, nullptr));
    QStringList current;
    QVERIFY(doc.EPDoc_CurrentText(current));
    QCOMPARE(found.lines, current);
    QCOMPARE(found.host, RecoveryJournal::HostName());
    QVERIFY(qAbs(found.written.secsTo(QDateTime::currentDateTime())) < 60);

    // A change told but undone before the tick writes nothing new.
    journal.NoteChange();
    m_clock.Advance(RecoveryJournal::DelayMs);
    journal.Tick();
    QCOMPARE(journal.Writes(), 2);
    // The work file was never touched.
    QStringList work;
    QVERIFY(TextFile::ReadLines(Path("Fiche_Paul.txt"), work));
    QCOMPARE(work, doc.SavedText());
}

void TestRecoveryJournal::composeAndParse_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("definition") << QStringList {"", "[MAINRECT]", "TYPE=RECT", "RECT=2000,2829"};
    QTest::newRow("accents, code page") << QStringList {"[T]", "VALUE=Élève à l'école ¶ œuvre"};
    QTest::newRow("beyond the code page") << QStringList {"[T]", "VALUE=ĳ 日本 €"};
    QTest::newRow("blank lines inside") << QStringList {"", "", "[A]", "", "X=1"};
    QTest::newRow("empty") << QStringList {};
}

void TestRecoveryJournal::composeAndParse()
{
    QFETCH(QStringList, lines);
    const QDateTime when(QDate(2026, 12, 10), QTime(11, 32, 5));
    const QByteArray bytes = RecoveryJournal::Compose(lines, when, "SALLE-3");
    RecoveryJournal::Found found;
    QString problem;
    QVERIFY2(RecoveryJournal::Parse(bytes, found, &problem), qPrintable(problem));
    QCOMPARE(found.lines, lines);
    QCOMPARE(found.host, QStringLiteral("SALLE-3"));
    QCOMPARE(found.written.toLocalTime(), when);
}

void TestRecoveryJournal::offerAtOpening_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("Oui: the recovered work is loaded") << true;
    QTest::newRow("Non: kept aside under a dated name") << false;
}

void TestRecoveryJournal::offerAtOpening()
{
    QFETCH(bool, answer);
    LeaveJournal("après la coupure");

    TEP_Doc doc;
    OpenWithWork(doc);
    ScriptedMessenger messenger;
    messenger.YesNoAnswers << answer;
    RecoveryJournal journal(m_clock);
    const Outcome offered = journal.Offer(doc, messenger);
    QVERIFY2(offered && !offered.HasMessages(), qPrintable(offered.Text()));
    QCOMPARE(messenger.Asked.size(), 1);
    QVERIFY2(
        messenger.Asked[0].startsWith("Un travail non enregistré a été retrouvé (le "), qPrintable(messenger.Asked[0]));
    QVERIFY(messenger.Asked[0].endsWith(
        QStringLiteral(", poste %1). Voulez-vous le reprendre ?").arg(RecoveryJournal::HostName())));

    if (answer) {
        QCOMPARE(TextOf(doc, "NEWIT_1"), QStringLiteral("après la coupure"));
        QVERIFY(doc.ImageItem());
        QCOMPARE(doc.ImageItem()->ImageName, Path("Fiche.jpg"));
        // The file stays until the work file holds the recovered work.
        QCOMPARE(JournalFiles(m_dir->path()), QStringList {"Fiche_Paul.recup"});
        journal.Start(&doc);
        QVERIFY(doc.EPDoc_Save());
        QVERIFY(journal.Discard());
        QVERIFY(JournalFiles(m_dir->path()).isEmpty());
        doc.EPDoc_Close();
        TEP_Doc again;
        QVERIFY(again.EPDoc_Init("Fiche", m_dir->path()));
        QVERIFY(again.EPDoc_SetUser("Paul"));
        QVERIFY(again.EPDoc_LoadForUse());
        QCOMPARE(TextOf(again, "NEWIT_1"), QStringLiteral("après la coupure"));
    } else {
        QCOMPARE(TextOf(doc, "NEWIT_1"), QStringLiteral("avant"));
        const QStringList kept = JournalFiles(m_dir->path());
        QCOMPARE(kept.size(), 1);
        static const QRegularExpression dated("^Fiche_Paul \\d{4}-\\d\\d-\\d\\d \\d\\dh\\d\\d\\.recup$");
        QVERIFY2(dated.match(kept[0]).hasMatch(), qPrintable(kept[0]));
        // Kept whole, and never asked about again.
        QByteArray bytes;
        bytes = TestFiles::ReadBytes(Path(kept[0]));
        QVERIFY(!bytes.isEmpty());
        RecoveryJournal::Found found;
        QVERIFY(RecoveryJournal::Parse(bytes, found, nullptr));
        QVERIFY(found.lines.join('\n').contains("après la coupure"));
        QVERIFY(journal.Offer(doc, messenger));
        QCOMPARE(messenger.Asked.size(), 1);
        // A second refusal the same minute keeps both.
        doc.EPDoc_Close();
        LeaveJournal("encore");
        TEP_Doc third;
        OpenWithWork(third);
        QVERIFY(journal.Offer(third, messenger));
        QCOMPARE(JournalFiles(m_dir->path()).size(), 2);
    }
}

void TestRecoveryJournal::damagedFileIsKeptAndTold_data()
{
    QTest::addColumn<int>("damage");
    QTest::newRow("cut short") << 0;
    QTest::newRow("a byte changed") << 1;
    QTest::newRow("no heading") << 2;
    QTest::newRow("readable but not a definition") << 3;
}

void TestRecoveryJournal::damagedFileIsKeptAndTold()
{
    QFETCH(int, damage);
    LeaveJournal("perdu ?");
    const QString path = Path("Fiche_Paul.recup");
    QByteArray bytes;
    bytes = TestFiles::ReadBytes(path);
    QVERIFY(!bytes.isEmpty());
    switch (damage) {
    case 0:
        bytes.chop(bytes.size() / 3);
        break;
    case 1:
        bytes[bytes.indexOf("perdu") + 1] = 'X';
        break;
    case 2:
        bytes = bytes.mid(bytes.indexOf('\n') + 1);
        break;
    default:
        bytes = RecoveryJournal::Compose({"[MAINRECT]", "TYPE=NOSUCHTYPE"}, QDateTime::currentDateTime(), "PC");
    }
    QVERIFY(TestFiles::WriteBytes(path, bytes));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
    file.close();

    TEP_Doc doc;
    OpenWithWork(doc);
    ScriptedMessenger messenger;
    messenger.YesNoAnswers << true;
    RecoveryJournal journal(m_clock);
    const Outcome offered = journal.Offer(doc, messenger);
    // Never loaded over the work; kept, and told.
    QCOMPARE(TextOf(doc, "NEWIT_1"), QStringLiteral("avant"));
    QCOMPARE(messenger.Asked.size(), damage == 3 ? 1 : 0);
    QVERIFY(offered);
    QCOMPARE(offered.Messages().size(), 1);
    QVERIFY2(offered.Text().startsWith("Un travail non enregistré a été retrouvé, mais il ne peut être lu ("),
        qPrintable(offered.Text()));
    QVERIFY(offered.Text().endsWith("et le travail enregistré est ouvert."));
    const QStringList kept = JournalFiles(m_dir->path());
    QCOMPARE(kept.size(), 1);
    QVERIFY(kept[0] != "Fiche_Paul.recup");
    QVERIFY(offered.Text().contains(kept[0]));
    QByteArray keptBytes;
    keptBytes = TestFiles::ReadBytes(Path(kept[0]));
    QVERIFY(!keptBytes.isEmpty());
    QCOMPARE(keptBytes, bytes);
}

void TestRecoveryJournal::goesWhenSavedOrBackToTheSavedWork()
{
    TEP_Doc doc;
    OpenWithWork(doc);
    RecoveryJournal journal(m_clock);
    journal.Start(&doc);
    auto* text = dynamic_cast<TDPRptText*>(doc.Tree()->FindByName("NEWIT_1"));
    text->Value = "changé";
    journal.NoteChange();
    journal.Tick();
    QVERIFY(QFileInfo::exists(Path("Fiche_Paul.recup")));
    // Undone back to the saved work: nothing to lose, the file goes.
    text->Value = "avant";
    journal.NoteChange();
    m_clock.Advance(RecoveryJournal::DelayMs);
    journal.Tick();
    QVERIFY(!QFileInfo::exists(Path("Fiche_Paul.recup")));
    // Changed again, then saved: gone with the save; a stop keeps it.
    text->Value = "changé";
    journal.NoteChange();
    journal.Stop();
    QVERIFY(QFileInfo::exists(Path("Fiche_Paul.recup")));
    journal.Start(&doc);
    QVERIFY(doc.EPDoc_Save());
    QVERIFY(journal.Discard());
    QVERIFY(!QFileInfo::exists(Path("Fiche_Paul.recup")));
    QVERIFY(!journal.IsWatching());
}

void TestRecoveryJournal::failedWriteIsRetried()
{
    TEP_Doc doc;
    OpenWithWork(doc);
    // A folder where the file would go: every write fails.
    QVERIFY(QDir().mkdir(Path("Fiche_Paul.recup")));
    RecoveryJournal journal(m_clock);
    journal.Start(&doc);
    AddText(doc, "NEWIT_2", "x");
    journal.NoteChange();
    journal.Tick();
    QCOMPARE(journal.Writes(), 0);
    QVERIFY(!journal.LastError().isEmpty());
    QVERIFY(journal.HasPendingChange());
    QVERIFY(QDir().rmdir(Path("Fiche_Paul.recup")));
    journal.Tick(); // not before the delay
    QCOMPARE(journal.Writes(), 0);
    m_clock.Advance(RecoveryJournal::DelayMs);
    journal.Tick();
    QCOMPARE(journal.Writes(), 1);
    QVERIFY(journal.LastError().isEmpty());
}

void TestRecoveryJournal::namesNeverTakenByListingsOrCleanUp()
{
    LeaveJournal("gardé");
    {
        TEP_Doc doc;
        OpenWithWork(doc);
        ScriptedMessenger messenger; // "Non": one kept aside beside the live one
        RecoveryJournal journal(m_clock);
        QVERIFY(journal.Offer(doc, messenger));
    }
    LeaveJournal("vivant");
    QCOMPARE(JournalFiles(m_dir->path()).size(), 2);

    // The folder listing and the documents tree see one worksheet.
    const FolderFiles listing(m_dir->path());
    QCOMPARE(listing.Worksheets(), QStringList {"Fiche"});
    TEP_DocsNode root;
    QVERIFY(root.Scan(m_dir->path()));
    QCOMPARE(root.ChildCount(), 1);
    // The work-file listing sees Paul's work only.
    TEP_Doc doc;
    QVERIFY(doc.EPDoc_Init("Fiche", m_dir->path()));
    QStringList files, users;
    QCOMPARE(doc.EPDoc_ListWork(files, users), 1);
    QCOMPARE(users, QStringList {"Paul"});
    // Another PC's clean-up at its start, even of files of any age.
    for (const QString& name : JournalFiles(m_dir->path()))
        QVERIFY(!SafeSave::IsTemporaryName(name));
    SafeSave::RemoveStaleTemporaries(m_dir->path(), 0);
    QCOMPARE(JournalFiles(m_dir->path()).size(), 2);
}

// Renamed, moved or deleted, a worksheet takes the copies of unsaved work
// with its other files; deleting a pupil's work takes that pupil's live copy
// (it would bring the work back) and leaves the copies kept aside.
void TestRecoveryJournal::followsTheWorksheet()
{
    LeaveJournal("gardé");
    {
        TEP_Doc doc;
        OpenWithWork(doc);
        ScriptedMessenger messenger; // "Non"
        RecoveryJournal journal(m_clock);
        QVERIFY(journal.Offer(doc, messenger));
    }
    LeaveJournal("vivant");
    const QString kept = JournalFiles(m_dir->path()).first();
    QVERIFY(RecoveryJournal::IsKeptAsideName(kept));
    QVERIFY(!RecoveryJournal::IsKeptAsideName("Fiche_Paul.recup"));
    // Another worksheet's copy stays where it is.
    QVERIFY(TestFiles::WriteBytes(Path("Fiche_2.jpg"), JpegFixtures::Jpeg(210, 297, 25)));
    QVERIFY(TestFiles::WriteBytes(Path("Fiche_2_Paul.recup"), "x"));

    TEP_Doc doc;
    QVERIFY(doc.EPDoc_Init("Fiche", m_dir->path()));
    QVERIFY(doc.EPDoc_SetUser("Paul"));
    const Outcome renamed = doc.EPDoc_Rename("Exercice");
    QVERIFY2(renamed && !renamed.HasMessages(), qPrintable(renamed.Text()));
    const QString keptRenamed = "Exercice" + kept.mid(5);
    QCOMPARE(JournalFiles(m_dir->path()), (QStringList {keptRenamed, "Exercice_Paul.recup", "Fiche_2_Paul.recup"}));

    QVERIFY(QDir(m_dir->path()).mkdir("Classe"));
    const Outcome moved = doc.EPDoc_MoveTo(Path("Classe"), false);
    QVERIFY2(moved && !moved.HasMessages(), qPrintable(moved.Text()));
    QCOMPARE(JournalFiles(Path("Classe")), (QStringList {keptRenamed, "Exercice_Paul.recup"}));
    QCOMPARE(JournalFiles(m_dir->path()), QStringList {"Fiche_2_Paul.recup"});

    QVERIFY(doc.EPDoc_DeleteWork("Paul"));
    QCOMPARE(JournalFiles(Path("Classe")), QStringList {keptRenamed});
    QVERIFY(doc.EPDoc_DeleteFiles());
    QCOMPARE(QDir(Path("Classe")).entryList(QDir::Files), QStringList {});
}

QTEST_MAIN(TestRecoveryJournal)
#include "tst_recoveryjournal.moc"
