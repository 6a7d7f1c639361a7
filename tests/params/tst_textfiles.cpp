// Text files on disk: code pages, line ends, and saving that never loses
// the previous file.
#include "TestFiles.h"
#include "params/Param_Obj.h"
#include "params/SafeSave.h"
#include "params/TextFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <memory>
#include <sys/resource.h>

class TestTextFiles : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void lineEnds_data();
    void lineEnds();
    void windows1252RoundTripsByteForByte();
    void everyByteRoundTrips();
    void outsideWindows1252UsesUtf8();
    void saveThenLoadKeepsText();
    void textStartingLikeAMarkStaysText();
    void missingFileIsAFrenchError();
    void failedSaveKeepsOldFile_data();
    void failedSaveKeepsOldFile();
    void failedWriteKeepsOldFile();

private:
    QString Path(const QString& name) const { return m_dir->filePath(name); }
    QString Folder() const { return m_dir->path(); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestTextFiles::lineEnds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList {"a", "b"};
    QTest::newRow("LF, no final end") << QByteArray("a\nb") << QStringList {"a", "b"};
    QTest::newRow("CR") << QByteArray("a\rb\r") << QStringList {"a", "b"};
    QTest::newRow("mixed and empty lines") << QByteArray("a\r\n\n\rb\n\r") << QStringList {"a", "", "", "b", ""};
    QTest::newRow("NUL ends the text") << QByteArray("a\r\nb\0c\r\nd", 9) << QStringList {"a", "b"};
    QTest::newRow("empty") << QByteArray() << QStringList {};
    QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBF\xC3\xA9t\xC3\xA9\r\n") << QStringList {"été"};
}

void TestTextFiles::lineEnds()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(TextFile::DecodeLines(bytes), lines);
}

void TestTextFiles::windows1252RoundTripsByteForByte()
{
    // Accents, the line mark ¶ (0xB6), the euro sign (0x80) and curly quotes.
    const QByteArray original("[NEWIT_1]\r\nTYPE=TEXT\r\nVALUE=\xE9t\xE9 \xB6 \x80 \x93ok\x94 \xE0 l'\xE9\x63ole\r\n");
    const QString fileName = Path("Fiche_Zo\xc3\xa9.txt");
    QVERIFY(TestFiles::WriteBytes(fileName, original));
    Param_Obj params;
    QVERIFY(params.LoadFromFile(fileName));
    QCOMPARE(params.PRRead("NEWIT_1", "VALUE"), QString::fromUtf8("été ¶ € “ok” à l'école"));
    QVERIFY(params.SaveToFile(fileName));
    QCOMPARE(TestFiles::ReadBytes(fileName), original);
}

void TestTextFiles::everyByteRoundTrips()
{
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n')
            all.append(char(b));
    const QStringList lines = TextFile::DecodeLines(all + "\r\n");
    QCOMPARE(lines.size(), 1);
    QCOMPARE(TextFile::EncodeLines(lines), all + "\r\n");
}

void TestTextFiles::outsideWindows1252UsesUtf8()
{
    const QString text = QString::fromUtf8("Zoé écrit 你好 😀 ¶ fin");
    const QString fileName = Path("utf8.txt");
    Param_Obj params;
    params.PRWrite("NEWIT_1", "VALUE", text);
    QVERIFY(params.SaveToFile(fileName));
    const QByteArray bytes = TestFiles::ReadBytes(fileName);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF[NEWIT_1]\r\n"));
    QVERIFY(bytes.endsWith("\r\n"));

    Param_Obj reloaded;
    QVERIFY(reloaded.LoadFromFile(fileName));
    QCOMPARE(reloaded.PRRead("NEWIT_1", "VALUE"), text);
    QVERIFY(reloaded.SaveToFile(fileName));
    QCOMPARE(TestFiles::ReadBytes(fileName), bytes);
}

void TestTextFiles::saveThenLoadKeepsText()
{
    Param_Obj params;
    params.PRWrite("CONFIG", "A", " lead");
    params.PRWrite("CONFIG", "B", "x\"y\"");
    params.PRWrite("CONFIG", "C", "");
    const QString fileName = Path("roundtrip.txt");
    QVERIFY(params.SaveToFile(fileName));
    Param_Obj reloaded;
    QVERIFY(reloaded.LoadFromFile(fileName));
    QCOMPARE(reloaded.Lines(), params.Lines());
    QCOMPARE(reloaded.PRRead("config", "a"), QString(" lead"));
    QCOMPARE(reloaded.PRRead("config", "b"), QString("x\"y\""));
    QCOMPARE(reloaded.PRRead("config", "c"), QString());
}

void TestTextFiles::textStartingLikeAMarkStaysText()
{
    // Found by fuzzing: "ï»¿" written in Windows-1252 is the UTF-8 mark.
    const QStringList lines {QString::fromUtf8("ï»¿[S]"), "V=é"};
    QCOMPARE(TextFile::DecodeLines(TextFile::EncodeLines(lines)), lines);
}

void TestTextFiles::missingFileIsAFrenchError()
{
    Param_Obj params;
    params.Append("kept");
    QString error;
    QVERIFY(!params.LoadFromFile(Path("absent.txt"), &error));
    QVERIFY2(error.startsWith("Impossible de lire le fichier"), qPrintable(error));
    QVERIFY(error.contains("absent.txt"));
    QCOMPARE(params.Lines(), QStringList {"kept"});
    QVERIFY(!params.LoadFromFile(Folder(), &error));
}

void TestTextFiles::failedSaveKeepsOldFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("cause");
    QTest::newRow("missing folder") << "nofolder/file.txt"
                                    << "le dossier n'existe pas";
    QTest::newRow("target is a folder") << "folder"
                                        << "c'est un dossier";
}

void TestTextFiles::failedSaveKeepsOldFile()
{
    QFETCH(QString, target);
    QFETCH(QString, cause);
    QDir(Folder()).mkpath("folder");
    QString error;
    QVERIFY(!SafeSave::WriteFile(Path(target), "data", &error));
    QVERIFY2(error.startsWith("Impossible d'enregistrer le fichier"), qPrintable(error));
    QVERIFY2(error.contains(cause), qPrintable(error));

    // A successful save replaces the old file whole and leaves no temporary.
    const QString kept = Path("kept.txt");
    QVERIFY(SafeSave::WriteFile(kept, "old"));
    QVERIFY(SafeSave::WriteFile(kept, "new"));
    QCOMPARE(TestFiles::ReadBytes(kept), QByteArray("new"));
    const QStringList files = QDir(Folder()).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(files, QStringList {"kept.txt"});

    // The new file keeps the permissions the old one had.
    QVERIFY(QFile::setPermissions(kept, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    QVERIFY(SafeSave::WriteFile(kept, "newer"));
    const QFileDevice::Permissions userBits = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
    QCOMPARE(QFile::permissions(kept) & ~userBits, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
}

void TestTextFiles::failedWriteKeepsOldFile()
{
    // A write cut short (here by a file size limit, as a full disk would)
    // must leave the previous file whole and say why in French.
    const QString fileName = Path("work.txt");
    QVERIFY(SafeSave::WriteFile(fileName, "old content"));

    rlimit saved {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const bool written = SafeSave::WriteFile(fileName, QByteArray(4096, 'x'), &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(!written);
    QVERIFY2(error.contains("le fichier est trop volumineux"), qPrintable(error));
    QCOMPARE(TestFiles::ReadBytes(fileName), QByteArray("old content"));
    QCOMPARE(QDir(Folder()).entryList(QDir::Files | QDir::Hidden), QStringList {"work.txt"});
}

QTEST_GUILESS_MAIN(TestTextFiles)
#include "tst_textfiles.moc"
