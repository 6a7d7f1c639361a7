// The Qt printer: its resolution, jobs that never stay begun, and the PDF
// file a computer without a printer prints into.
#include "TestFiles.h"
#include "platform/QtPrinterDevice.h"
#include "report/DeviceScales.h"

#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QTemporaryDir>
#include <QTest>

class TestPrinterDevice : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void pdfPrinterJobs();
    void pdfNeedsAFile();
    void pdfFileErrorsAndReplacement();

private:
    QTemporaryDir m_dir;
};

void TestPrinterDevice::initTestCase()
{
    if (!QtPrinterDevice::DefaultPrinterName().isEmpty())
        QSKIP("this computer has a printer: the PDF fallback cannot be seen");
}

void TestPrinterDevice::pdfPrinterJobs()
{
    // A printer name that does not exist falls back like no name at all.
    QtPrinterDevice printer(QStringLiteral("no such printer"));
    QVERIFY(printer.PrintsToPdf());
    QCOMPARE(printer.Printer().pageLayout().pageSize().id(), QPageSize::A4);
    const QString pdf = m_dir.filePath(QStringLiteral("fiche1_Paul_2024-05-02_10-15.pdf"));
    printer.SetPdfFileName(pdf);
    QVERIFY(printer.FontResolution() > 0);
    QVERIFY(!printer.IsPrinting());
    QCOMPARE(DeviceScales::PrinterUnitScale(printer), float(printer.FontResolution() / 254.0));
    QVERIFY(!printer.IsPrinting());

    // An aborted job leaves no file behind.
    QVERIFY(printer.BeginJob());
    QVERIFY(printer.IsPrinting());
    QVERIFY(printer.JobPainter());
    printer.AbortJob();
    QVERIFY(!printer.IsPrinting());
    QVERIFY(!QFileInfo::exists(pdf));

    QVERIFY(printer.BeginJob());
    printer.JobPainter()->drawText(100, 100, QStringLiteral("Ardoisine"));
    QVERIFY2(printer.EndJob(), qPrintable(printer.ErrorText()));
    QVERIFY(TestFiles::ReadBytes(pdf).startsWith("%PDF"));
    // Nothing else is left in the folder (the job was drawn elsewhere).
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList {QFileInfo(pdf).fileName()});
}

void TestPrinterDevice::pdfNeedsAFile()
{
    QtPrinterDevice printer;
    QVERIFY(printer.PrintsToPdf());
    QVERIFY(!printer.BeginJob());
    QVERIFY(!printer.IsPrinting());
    QCOMPARE(
        printer.ErrorText(), QStringLiteral("Aucune imprimante n'est installée et aucun fichier PDF n'a été choisi."));
    QVERIFY(!printer.EndJob());
}

void TestPrinterDevice::pdfFileErrorsAndReplacement()
{
    // The export folder has gone: the job fails with a French sentence.
    QtPrinterDevice printer;
    printer.SetPdfFileName(m_dir.filePath(QStringLiteral("absent/page.pdf")));
    QVERIFY(printer.BeginJob());
    QVERIFY(!printer.EndJob());
    QVERIFY(printer.ErrorText().contains(QStringLiteral("page.pdf")));

    // A page printed again under the same name replaces the old one whole.
    const QString pdf = m_dir.filePath(QStringLiteral("again.pdf"));
    QVERIFY(TestFiles::WriteBytes(pdf, "old"));
    printer.SetPdfFileName(pdf);
    QVERIFY(printer.BeginJob());
    QVERIFY(printer.EndJob());
    QVERIFY(TestFiles::ReadBytes(pdf).startsWith("%PDF"));
}

QTEST_MAIN(TestPrinterDevice)
#include "tst_printerdevice.moc"
