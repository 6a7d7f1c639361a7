// The Qt printer: its resolution, and jobs that never stay begun.
#include "platform/QtPrinterDevice.h"
#include "report/DeviceScales.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestPrinterDevice : public QObject {
    Q_OBJECT

private slots:
    void pdfPrinterJobs();
};

void TestPrinterDevice::pdfPrinterJobs()
{
    QtPrinterDevice printer(QStringLiteral("no such printer"));
    QTemporaryDir dir;
    printer.Printer().setOutputFormat(QPrinter::PdfFormat);
    printer.Printer().setOutputFileName(dir.filePath("page.pdf"));
    QVERIFY(printer.FontResolution() > 0);
    QVERIFY(!printer.IsPrinting());
    QCOMPARE(DeviceScales::PrinterUnitScale(printer), float(printer.FontResolution() / 254.0));
    QVERIFY(!printer.IsPrinting());

    QVERIFY(printer.BeginJob());
    QVERIFY(printer.IsPrinting());
    QVERIFY(printer.JobPainter());
    printer.AbortJob();
    QVERIFY(!printer.IsPrinting());

    QVERIFY(printer.BeginJob());
    printer.JobPainter()->drawText(100, 100, QStringLiteral("Ardoisine"));
    QVERIFY(printer.EndJob());
    QVERIFY(QFileInfo(dir.filePath("page.pdf")).size() > 0);
}

QTEST_MAIN(TestPrinterDevice)
#include "tst_printerdevice.moc"
