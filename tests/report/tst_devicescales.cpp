// Device scales, the font-resolution correction and the drawing sequence.
#include "report/DeviceScales.h"
#include "report/PrinterDevice.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTest>

namespace {

class ScriptedPrinter : public PrinterDevice {
public:
    QString Name() const override { return QStringLiteral("Salle 2"); }
    bool IsPrinting() const override { return printing; }
    bool ResolutionNeedsJob() const override { return needsJob; }
    bool BeginJob() override
    {
        ++begun;
        printing = true;
        return true;
    }
    void AbortJob() override
    {
        ++aborted;
        printing = false;
    }
    int FontResolution() const override { return printing || !needsJob ? 600 : 0; }

    bool printing = false;
    bool needsJob = true;
    int begun = 0;
    int aborted = 0;
};

// Pixel width of the sample on a surface of that font resolution.
double SamplePixels(int fontResolution)
{
    return DeviceScales::MeasureSample(fontResolution) * fontResolution / 2.54;
}

} // namespace

class TestDeviceScales : public QObject {
    Q_OBJECT

private slots:
    void resolution96MeasuresNothing();
    void correctionKeepsProportions_data();
    void correctionKeepsProportions();
    void screenScale();
    void printerScaleNeverLeavesAJob();
};

void TestDeviceScales::resolution96MeasuresNothing()
{
    QCOMPARE(DeviceScales::FontResolutionFor(96), 96);
    QCOMPARE(DeviceScales::ReferenceWidth(), 0.0);
}

void TestDeviceScales::correctionKeepsProportions_data()
{
    QTest::addColumn<int>("resolution");
    QTest::newRow("150 %") << 144;
    QTest::newRow("300 dpi") << 300;
    QTest::newRow("600 dpi") << 600;
}

void TestDeviceScales::correctionKeepsProportions()
{
    QFETCH(int, resolution);
    const int corrected = DeviceScales::FontResolutionFor(resolution);
    QVERIFY(DeviceScales::ReferenceWidth() > 0);
    QVERIFY(qAbs(corrected - resolution) < resolution / 10);
    // On a surface of the nominal resolution, the sample drawn with the
    // corrected font resolution is as wide as at 96 dpi scaled up: within one
    // pixel step of the font size.
    const double wanted = SamplePixels(96) * resolution / 96.0;
    const double step = 42.0 * 0.6 * 11.0 / 72.0; // one pixel of size for 42 monospace characters
    QVERIFY2(qAbs(SamplePixels(corrected) - wanted) <= 42 * 0.6 + step,
        qPrintable(QStringLiteral("%1 px for %2 wanted").arg(SamplePixels(corrected)).arg(wanted)));
    QVERIFY(qAbs(SamplePixels(corrected) - wanted) <= qAbs(SamplePixels(resolution) - wanted) + 1e-9);
}

void TestDeviceScales::screenScale()
{
    const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
    QCOMPARE(DeviceScales::ScreenUnitScale(), float(dpi / 254.0));
    if (qRound(dpi) == 96)
        QVERIFY(qAbs(DeviceScales::ScreenUnitScale() - 0.378f) < 0.001f);
}

void TestDeviceScales::printerScaleNeverLeavesAJob()
{
    ScriptedPrinter printer;
    QCOMPARE(DeviceScales::PrinterUnitScale(printer), float(600 / 254.0));
    QCOMPARE(printer.begun, 1);
    QCOMPARE(printer.aborted, 1);
    QVERIFY(!printer.printing);

    printer.printing = true; // a job already runs: it is not touched
    QCOMPARE(DeviceScales::PrinterUnitScale(printer), float(600 / 254.0));
    QCOMPARE(printer.begun, 1);
    QVERIFY(printer.printing);

    ScriptedPrinter qtLike;
    qtLike.needsJob = false;
    QCOMPARE(DeviceScales::PrinterUnitScale(qtLike), float(600 / 254.0));
    QCOMPARE(qtLike.begun, 0);
}

QTEST_MAIN(TestDeviceScales)
#include "tst_devicescales.moc"
