// The delay a pupil waits between the play key and the sound: from the
// player's Play("C") to the first samples handed to the output stream, on a
// private PulseAudio with a null sink (the server's own buffer comes after).
#include "FakeClock.h"
#include "PulseAudioFixture.h"
#include "documents/ScriptedMessenger.h"
#include "documents/TEP_Doc.h"
#include "platform/PlaybackBuffer.h"
#include "platform/QtAudioDevice.h"
#include "platform/WavFile.h"
#include "report/JpegCodec.h"
#include "sound/TEPSND_DocSoundPlayer.h"
#include "sound/TEP_SoundFrm.h"

#include <QApplication>
#include <QAudioSink>
#include <QElapsedTimer>
#include <QImage>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {

// A worksheet with a 5-second instruction.
struct Sheet {
    Sheet()
    {
        QImage page(60, 84, QImage::Format_RGB32);
        page.fill(Qt::white);
        QFile image(Dir.filePath("Fiche.jpg"));
        image.open(QIODevice::WriteOnly);
        image.write(JpegCodec::Encode(page, 300));
        image.close();
        WavFile sound;
        sound.Channels = 2;
        sound.SampleRate = 44100;
        sound.BitsPerSample = 16;
        sound.Samples = QByteArray(int(sound.ByteRate() * 5), '\0');
        sound.Save(Dir.filePath("Fiche_C.wav"));
        Bound = Doc.EPDoc_Init(QStringLiteral("Fiche"), Dir.path()).Ok();
    }
    bool Bound = false;
    QTemporaryDir Dir;
    TEP_Doc Doc;
};

void BM_PlayKeyToFirstSamples(benchmark::State& state)
{
    Sheet sheet;
    ScriptedMessenger messages;
    FakeClock time;
    TEPSND_DocSoundPlayer player(messages, time);
    if (!player.Create(sheet.Dir.path()) || !player.SoundServerFound()) {
        state.SkipWithError("no sound server");
        return;
    }
    player.SetDocument(&sheet.Doc);
    auto* device = dynamic_cast<QtAudioDevice*>(player.Window()->Device());
    for (auto _ : state) {
        player.Stop();
        const auto pressed = std::chrono::steady_clock::now();
        player.Play(QLatin1Char('C'));
        QElapsedTimer waited;
        waited.start();
        while (device->LastStartLatencyNs() < 0 && waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        if (device->LastStartLatencyNs() < 0) {
            state.SkipWithError("no samples were asked for");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(device->FirstSamplesAt() - pressed).count());
    }
    player.SetDocument(nullptr);
}
BENCHMARK(BM_PlayKeyToFirstSamples)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

// The reference: a bare output stream of Qt, started on samples already in
// memory, to its first read. What the play key adds is the difference.
void BM_BareSinkStartReference(benchmark::State& state)
{
    QAudioFormat format;
    format.setSampleRate(44100);
    format.setChannelCount(2);
    format.setSampleFormat(QAudioFormat::Int16);
    PlaybackBuffer samples;
    samples.SetSamples(QByteArray(176400 * 5, '\0'));
    for (auto _ : state) {
        samples.close();
        samples.SetOffset(0);
        samples.open(QIODevice::ReadOnly);
        const auto started = std::chrono::steady_clock::now();
        samples.MarkRequest();
        QAudioSink sink(QMediaDevices::defaultAudioOutput(), format);
        sink.start(&samples);
        QElapsedTimer waited;
        waited.start();
        while (samples.FirstReadNs() < 0 && waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        if (samples.FirstReadNs() < 0) {
            state.SkipWithError("no samples were asked for");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(samples.FirstReadAt() - started).count());
        sink.stop();
    }
}
BENCHMARK(BM_BareSinkStartReference)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    PulseAudioFixture server;
    QString reason;
    if (!server.Start(reason))
        std::fprintf(stderr, "sound benchmark: %s\n", qPrintable(reason));
    int exitCode = 0;
    {
        QApplication app(argc, argv);
        benchmark::Initialize(&argc, argv);
        if (benchmark::ReportUnrecognizedArguments(argc, argv))
            exitCode = 1;
        else
            benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
    return exitCode;
}
