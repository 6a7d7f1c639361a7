// Scanning: an A4 colour page at 300 dpi assembled from the bytes a SANE
// device sends, and the whole acquisition through SANE's test backend (worker
// thread, device, assembly, hand-back to the window's thread).
#include "BenchData.h"
#include "platform/SaneImageBuilder.h"
#include "platform/SaneLibrary.h"
#include "platform/SaneScanner.h"

#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int PageWidth = 2480;
constexpr int PageHeight = 3507;

// The page's bytes as a colour device sends them: RGB, 8 bits a sample.
const QByteArray& PageBytes()
{
    static const QByteArray bytes = [] {
        const QImage page = BenchData::ScannedPage().convertToFormat(QImage::Format_RGB888);
        QByteArray rows;
        rows.reserve(qsizetype(PageWidth) * 3 * PageHeight);
        for (int y = 0; y < PageHeight; ++y)
            rows.append(reinterpret_cast<const char*>(page.constScanLine(y)), PageWidth * 3);
        return rows;
    }();
    return bytes;
}

void BM_AssembleScannedPage(benchmark::State& state)
{
    const QByteArray& bytes = PageBytes();
    const SANE_Parameters parameters {SANE_FRAME_RGB, SANE_TRUE, PageWidth * 3, PageWidth, PageHeight, 8};
    constexpr qsizetype Chunk = 64 * 1024; // what the scanner class reads at a time
    BenchData::PeakMemory peak;
    for (auto _ : state) {
        SaneImageBuilder builder;
        builder.BeginFrame(parameters);
        for (qsizetype at = 0; at < bytes.size(); at += Chunk)
            builder.Append(bytes.constData() + at, qMin(Chunk, bytes.size() - at));
        builder.EndFrame();
        benchmark::DoNotOptimize(builder.Image().constBits());
    }
    state.counters["peak_MB"] = peak.Megabytes();
}

void BM_ScanA4TestBackend(benchmark::State& state)
{
    QTemporaryDir config;
    QFile dll(config.filePath("dll.conf"));
    QFile test(config.filePath("test.conf"));
    if (!dll.open(QIODevice::WriteOnly) || !test.open(QIODevice::WriteOnly)) {
        state.SkipWithError("no configuration folder");
        return;
    }
    dll.write("test\n");
    test.write("mode Color\nresolution 300\ntest-picture \"Color pattern\"\ngeometry_max 300.0\n"
               "tl_x 0.0\ntl_y 0.0\nbr_x 210.0\nbr_y 297.0\n");
    dll.close();
    test.close();
    qputenv("SANE_CONFIG_DIR", config.path().toLocal8Bit());
    SaneScanner scanner;
    if (!scanner.IsAvailable()) {
        state.SkipWithError("libsane is not installed");
        return;
    }
    for (auto _ : state) {
        QEventLoop loop;
        ScanResult result;
        const auto connection = QObject::connect(&scanner, &Scanner::Finished, [&](const ScanResult& finished) {
            result = finished;
            loop.quit();
        });
        scanner.Acquire(QStringLiteral("test:0"));
        loop.exec();
        QObject::disconnect(connection);
        if (result.image.size() != QSize(PageWidth, PageHeight)) {
            state.SkipWithError("the test backend gave no A4 page");
            break;
        }
    }
}

} // namespace

BENCHMARK(BM_AssembleScannedPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanA4TestBackend)->Unit(benchmark::kMillisecond);
