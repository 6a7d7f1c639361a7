// New worksheets from the selection screen: a SANE scan (the test
// backend), and the external capture program played by small scripts of
// the tests' own — a page, a cancellation, errors, nothing at all, a
// second request while one runs, and a page replacing a worksheet's.
#include "JpegFixtures.h"
#include "SelectionBench.h"
#include "documents/JpegHeader.h"
#include "platform/ExternalCapture.h"
#include "platform/SaneLibrary.h"
#include "report/JpegCodec.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

constexpr int ScanWait = 60000; // ms for a real scan or process

} // namespace

class TestSelectScan : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void saneScanAddsAWorksheet();
    void saneScanWithoutAChoice();
    void capture_data();
    void capture();
    void captureReplacesThePictureOnly();
    void secondScanWhileOneRuns();
    void pupilsScanNeedsTheSetting();

private:
    void InstallProgram(const QByteArray& script);
    void WaitForTheScan();
    QString RootPath(const QString& name) const { return m_bench->base.config.DataRoot() + "/" + name; }

    QTemporaryDir m_saneConfig;
    bool m_saneLoaded = false;
    std::unique_ptr<SelectionBench> m_bench;
};

void TestSelectScan::initTestCase()
{
    QVERIFY(m_saneConfig.isValid());
    qputenv("SANE_CONFIG_DIR", m_saneConfig.path().toLocal8Bit());
    QVERIFY(TestFiles::WriteBytes(m_saneConfig.filePath("dll.conf"), "test\n"));
    // A small colour page at 75 dpi: quick, and a resolution no default
    // would give.
    QVERIFY(TestFiles::WriteBytes(m_saneConfig.filePath("test.conf"),
        "number_of_devices 1\nmode Color\ndepth 8\nresolution 75\ntest-picture \"Color pattern\"\n"
        "geometry_max 300.0\ntl_x 0.0\ntl_y 0.0\nbr_x 80.0\nbr_y 100.0\n"));
    SaneLibrary library;
    m_saneLoaded = library.Load();
}

void TestSelectScan::init()
{
    m_bench = std::make_unique<SelectionBench>();
    m_bench->screen->SetSettingsMode(true);
}

void TestSelectScan::cleanup()
{
    m_bench.reset();
}

void TestSelectScan::InstallProgram(const QByteArray& script)
{
    const QString program = RootPath(ExternalCapture::ProgramName());
    QVERIFY(TestFiles::WriteBytes(program, "#!/bin/sh\n" + script));
    QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

void TestSelectScan::WaitForTheScan()
{
    QTRY_VERIFY_WITH_TIMEOUT(!m_bench->screen->IsScanning(), ScanWait);
}

void TestSelectScan::saneScanAddsAWorksheet()
{
    if (!m_saneLoaded)
        QSKIP("libsane is not installed (scripts/install-deps installs it)");
    SelectionBench& b = *m_bench;
    b.dialogs.ScannerChoice = "test:0";
    b.base.messenger.TextAnswers << QString("lecture2") << QString("  Page scannée ");
    b.base.messenger.YesNoAnswers << false; // do not replace lecture2
    b.showings << [&] {
        QVERIFY(b.Select("Lecture/lecture2"));
        b.Key('s');
        QVERIFY(b.screen->IsScanning());
        WaitForTheScan();
        QCOMPARE(b.Selected(), QString("Lecture/Page scannée"));
    };
    b.screen->ChooseDocument();
    QCOMPARE(b.dialogs.InfoMessages,
        QStringList {"Scan | Les documents doivent être scannés au format \"Document couleur\"."});
    QCOMPARE(b.dialogs.DevicesOffered.size(), 1);
    QCOMPARE(b.base.messenger.Asked,
        (QStringList {"Création fiches de travail | Nom de la fiche :  | ",
            "Le document \"lecture2\" existe. Voulez-vous le remplacer ?",
            "Création fiches de travail | Nom de la fiche :  | lecture2"}));
    QVERIFY2(b.base.messenger.Shown.isEmpty(), qPrintable(b.base.messenger.Shown.join('\n')));
    // Just before the selected worksheet, its picture stamped with the
    // scanner's resolution.
    QCOMPARE(b.base.Children("Lecture"), (QStringList {"lecture1", "Page scannée", "lecture2", "lecture3"}));
    const QString file = b.base.Path("Lecture/Page scannée.jpg");
    JpegHeader::Resolution resolution;
    QVERIFY(JpegHeader::ReadResolution(file, resolution));
    QCOMPARE(resolution.horizontal, 75);
    QCOMPARE(resolution.vertical, 75);
    const QImage page = JpegCodec::DecodeFile(file);
    QCOMPARE(page.size(), QSize(qRound(80 / 25.4 * 75), qRound(100 / 25.4 * 75)));
}

void TestSelectScan::saneScanWithoutAChoice()
{
    if (!m_saneLoaded)
        QSKIP("libsane is not installed (scripts/install-deps installs it)");
    SelectionBench& b = *m_bench;
    b.dialogs.TickDoNotShowAgain = true;
    b.showings << [&] {
        QVERIFY(b.Select("Lecture/lecture2"));
        b.screen->Scan();
        WaitForTheScan();
        // The notice ticked off is not shown again, and is kept.
        b.screen->Scan();
        WaitForTheScan();
    };
    b.screen->ChooseDocument();
    QCOMPARE(b.dialogs.InfoMessages.size(), 1);
    QVERIFY(!b.base.config.Settings.ScanTypeDialog);
    QVERIFY(b.base.messenger.Asked.isEmpty());
    QCOMPARE(b.base.Children("Lecture"), (QStringList {"lecture1", "lecture2", "lecture3"}));
}

void TestSelectScan::capture_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<int>("resolution"); // 0: no worksheet
    QTest::newRow("page at 200 dpi") << QByteArray("cp \"$PAGE\" \"$1\"\n") << QStringList() << 200;
    QTest::newRow("page without resolution") << QByteArray("cp \"$PAGE0\" \"$1\"\n") << QStringList() << 300;
    QTest::newRow("cancelled") << QByteArray("echo CANCELLED > ADCapErrors.txt\n") << QStringList() << 0;
    QTest::newRow("TWAIN cancel") << QByteArray("printf 'TWRC_CANCEL\\r\\n' > ADCapErrors.txt\n") << QStringList() << 0;
    QTest::newRow("errors") << QByteArray("printf 'Scanner absent\\r\\n' > ADCapErrors.txt\n")
                            << QStringList {"Erreur de la numérisation.\nScanner absent"} << 0;
    QTest::newRow("nothing written")
        << QByteArray("exit 0\n")
        << QStringList {"Le programme de numérisation externe \"ADCap_32.exe\" s'est terminé sans fournir de page."}
        << 0;
}

void TestSelectScan::capture()
{
    QFETCH(QByteArray, script);
    QFETCH(QStringList, shown);
    QFETCH(int, resolution);
    SelectionBench& b = *m_bench;
    QImage page(64, 80, QImage::Format_RGB32);
    page.fill(Qt::darkGreen);
    page.setDotsPerMeterX(qRound(200 / 0.0254));
    page.setDotsPerMeterY(qRound(200 / 0.0254));
    QVERIFY(page.save(RootPath("page.bmp"), "BMP"));
    // The same page telling no resolution: both pixels-per-metre fields 0.
    QByteArray bmp = TestFiles::ReadBytes(RootPath("page.bmp"));
    bmp.replace(38, 8, QByteArray(8, '\0'));
    QVERIFY(TestFiles::WriteBytes(RootPath("page0.bmp"), bmp));
    qputenv("PAGE", RootPath("page.bmp").toLocal8Bit());
    qputenv("PAGE0", RootPath("page0.bmp").toLocal8Bit());
    InstallProgram(script);
    b.base.messenger.TextAnswers << QString("capture");
    b.showings << [&] {
        QVERIFY(b.Select("Calcul/soustraction"));
        b.Key('S');
        QVERIFY(b.screen->IsScanning());
        WaitForTheScan();
    };
    b.screen->ChooseDocument();
    QCOMPARE(b.base.messenger.Shown, QStringList {"Scan procedure 2"} + shown);
    TEP_DocsNode* added = b.base.Node("Calcul/capture");
    QCOMPARE(added != nullptr, resolution > 0);
    QCOMPARE(QFileInfo(b.base.Path("Calcul/capture.jpg")).exists(), resolution > 0);
    if (resolution > 0) {
        QCOMPARE(b.base.Children("Calcul"), (QStringList {"addition", "capture", "soustraction", "Tables"}));
        JpegHeader::Resolution stamped;
        QVERIFY(JpegHeader::ReadResolution(b.base.Path("Calcul/capture.jpg"), stamped));
        QCOMPARE(stamped.horizontal, resolution);
        QCOMPARE(stamped.vertical, resolution);
    }
}

// "Oui" to replacing: the new page takes the worksheet's picture; the
// pupils' work and the sounds stay.
void TestSelectScan::captureReplacesThePictureOnly()
{
    SelectionBench& b = *m_bench;
    QImage page(120, 90, QImage::Format_RGB32);
    page.fill(Qt::blue);
    QVERIFY(page.save(RootPath("page.bmp"), "BMP"));
    qputenv("PAGE", RootPath("page.bmp").toLocal8Bit());
    InstallProgram("cp \"$PAGE\" \"$1\"\n");
    b.base.File("Lecture/lecture1_A.wav", "RIFF");
    const QByteArray work = TestFiles::ReadBytes(b.base.Path("Lecture/lecture1_XXXX.txt"));
    b.base.messenger.TextAnswers << QString("LECTURE1");
    b.base.messenger.YesNoAnswers << true;
    b.showings << [&] {
        QVERIFY(b.Select("Lecture/lecture3"));
        b.screen->Scan();
        WaitForTheScan();
        QCOMPARE(b.Selected(), QString("Lecture/lecture1"));
    };
    b.screen->ChooseDocument();
    QCOMPARE(b.base.messenger.Asked.value(1), QString("Le document \"LECTURE1\" existe. Voulez-vous le remplacer ?"));
    QCOMPARE(b.base.Children("Lecture"), (QStringList {"lecture1", "lecture2", "lecture3"}));
    QCOMPARE(JpegCodec::DecodeFile(b.base.Path("Lecture/lecture1.jpg")).size(), QSize(120, 90));
    QCOMPARE(TestFiles::ReadBytes(b.base.Path("Lecture/lecture1_XXXX.txt")), work);
    QVERIFY(QFileInfo(b.base.Path("Lecture/lecture1_A.wav")).exists());
}

// A second "S" while the program runs only beeps: one page, one worksheet.
void TestSelectScan::secondScanWhileOneRuns()
{
    SelectionBench& b = *m_bench;
    QImage page(64, 80, QImage::Format_RGB32);
    page.fill(Qt::red);
    QVERIFY(page.save(RootPath("page.bmp"), "BMP"));
    qputenv("PAGE", RootPath("page.bmp").toLocal8Bit());
    InstallProgram("while [ ! -f go ]; do sleep 0.05; done\ncp \"$PAGE\" \"$1\"\n");
    b.base.messenger.TextAnswers << QString("une");
    b.showings << [&] {
        QVERIFY(b.Select("accueil"));
        b.Key('s');
        QVERIFY(b.screen->IsScanning());
        b.Key('s');
        b.screen->RunCommand(SelectionRules::Command::Scan);
        QCOMPARE(b.base.messenger.Beeps, 2);
        // Nothing read before the program ended.
        QVERIFY(!b.base.Node("une"));
        QVERIFY(TestFiles::WriteBytes(RootPath("go"), ""));
        WaitForTheScan();
    };
    b.screen->ChooseDocument();
    QVERIFY(b.base.Node("une"));
    QCOMPARE(b.base.messenger.Asked.size(), 1);
    QCOMPARE(b.base.messenger.Shown, QStringList {"Scan procedure 2"});
}

void TestSelectScan::pupilsScanNeedsTheSetting()
{
    SelectionBench& b = *m_bench;
    b.screen->SetSettingsMode(false);
    InstallProgram("exit 0\n");
    b.showings << [&] {
        b.Key('s');
        QVERIFY(!b.screen->IsScanning());
        QVERIFY(b.base.messenger.Shown.isEmpty());
        b.base.config.Settings.ScanAllowed = true;
        b.base.messenger.TextAnswers << std::optional<QString>(); // the name box cancelled
        b.Key('s');
        QCOMPARE(b.base.messenger.Shown, QStringList {"Scan procedure 2"});
        QVERIFY(!b.screen->IsScanning());
    };
    b.screen->ChooseDocument();
}

QTEST_MAIN(TestSelectScan)
#include "tst_selectscan.moc"
