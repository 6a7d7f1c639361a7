// The worksheet picture: decoding a 300 dpi A4 scan, and drawing the page
// again from the cached picture. libjpeg-turbo's own decode of the same file
// is measured beside ours as the reference.
#include "BenchData.h"
#include "report/JpegCodec.h"
#include "report/ReportCanvas.h"
#include "report/TDPRptImg.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstring>
#include <turbojpeg.h>
#include <vector>

namespace {

const QByteArray& Scan()
{
    return BenchData::ScannedPageJpeg();
}

void BM_DecodePage(benchmark::State& state)
{
    const QSize target = state.range(0) == 1 ? QSize() : QSize(2480 / 4, 3508 / 4);
    BenchData::PeakMemory peak;
    for (auto _ : state) {
        const QImage page = JpegCodec::Decode(Scan(), QStringLiteral("page.jpg"), target);
        benchmark::DoNotOptimize(page.constBits());
    }
    state.counters["peak_MB"] = peak.Megabytes();
}

// libjpeg-turbo alone, straight into a buffer of the same pixel format.
void BM_DecodePageTurboJpegReference(benchmark::State& state)
{
    tjhandle handle = tjInitDecompress();
    const int scale = int(state.range(0));
    const int width = 2480 / scale, height = 3508 / scale;
    std::vector<unsigned char> pixels(size_t(width) * height * 4);
    for (auto _ : state)
        tjDecompress2(handle, reinterpret_cast<const unsigned char*>(Scan().constData()), (unsigned long)Scan().size(),
            pixels.data(), width, 0, height, TJPF_BGRX, 0);
    tjDestroy(handle);
}

// state.range(0): zoom in percent on a 96 dpi screen.
void BM_DrawPageFromCache(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("page.jpg"));
    JpegCodec::EncodeToFile(BenchData::ScannedPage(), fileName, 300);
    TDPRptImg page;
    page.Width = 2000;
    page.Height = 2829;
    page.ImageName = fileName;
    const float scale = float(96.0 / 254.0 * state.range(0) / 100.0);
    page.SetScale(scale);
    QImage surface(page.PixelRect.width(), page.PixelRect.height(), QImage::Format_RGB32);
    QPainter painter(&surface);
    ReportCanvas canvas(painter);
    page.DrawAt(surface.rect(), canvas, nullptr, scale); // decodes once
    for (auto _ : state)
        page.DrawAt(surface.rect(), canvas, nullptr, scale);
}

// Copying one page bitmap at 150 % on a 96 dpi screen: the least a redraw
// of the whole page can cost.
void BM_MemcpyPageReference(benchmark::State& state)
{
    const float scale = BenchData::ScreenScale(150);
    const size_t bytes = size_t(2000 * scale + 0.5) * size_t(2829 * scale + 0.5) * 4;
    std::vector<char> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
    }
}

} // namespace

BENCHMARK(BM_MemcpyPageReference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodePage)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodePageTurboJpegReference)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawPageFromCache)->Arg(100)->Arg(150)->Unit(benchmark::kMillisecond);
