// Recording and playing for real, through a private PulseAudio with a null
// sink and a sine wave as the microphone.
#include "FakeClock.h"
#include "PulseAudioFixture.h"
#include "SoundTestSheet.h"
#include "documents/ScriptedMessenger.h"
#include "platform/QtAudioDevice.h"
#include "sound/TEPSND_DocSoundPlayer.h"
#include "sound/TEP_SoundFrm.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <chrono>
#include <cstdlib>

namespace {

QString g_serverMissing; // why the sound server could not start

int Peak(const QByteArray& samples)
{
    int peak = 0;
    const auto* values = reinterpret_cast<const qint16*>(samples.constData());
    for (qsizetype i = 0; i < samples.size() / 2; ++i)
        peak = qMax(peak, std::abs(int(values[i])));
    return peak;
}

} // namespace

class TestSoundServer : public QObject {
    Q_OBJECT

private slots:
    void init();
    void recordPlayAndHearTheEnd();
    void pupilKeys();
    void anyPcmFilePlays_data();
    void anyPcmFilePlays();
    void pausedSoundGoesOnToItsEnd();
};

void TestSoundServer::init()
{
    if (!g_serverMissing.isEmpty())
        QSKIP(qPrintable(g_serverMissing));
}

void TestSoundServer::recordPlayAndHearTheEnd()
{
    SoundTestSheet sheet;
    ScriptedMessenger messages;
    FakeClock time;
    TEPSND_DocSoundPlayer player(messages, time);
    player.SetRecorder(true);
    QVERIFY(player.Create(sheet.Dir.path()));
    QVERIFY(player.SoundServerFound());
    QVERIFY(messages.Shown.isEmpty());
    QWidget host;
    player.AttachPanel(&host, QPoint(0, 0));
    host.show();
    player.SetDocument(sheet.Doc.get());
    TEP_SoundFrm& window = *player.Window();
    auto* device = dynamic_cast<QtAudioDevice*>(window.Device());
    QVERIFY(device);

    // About a second of the sine: the wait window is closed by a key once
    // that much arrived (the virtual source starts late).
    QByteArray templateBytes;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* wait = QApplication::activeModalWidget();
        if (templateBytes.isEmpty())
            templateBytes = TestFiles::ReadBytes(window.TempFile());
        if (wait && device->RecordedBytes() >= 176400) {
            poll.stop();
            QTest::keyClick(wait, Qt::Key_Space);
        }
    });
    poll.start();
    messages.YesNoAnswers << true;
    QTest::mouseClick(window.MainPnl()->findChild<QToolButton*>("SoundRecordBtn"), Qt::LeftButton);
    QVERIFY2(messages.Shown.isEmpty(), qPrintable(messages.Shown.join('\n')));
    QCOMPARE(templateBytes, WavFile::EmptyRecording());

    const QByteArray saved = TestFiles::ReadBytes(sheet.Path("Fiche_C.wav"));
    const WavHeaderFields header(saved);
    QVERIFY(header.Valid);
    QCOMPARE(header.Format, quint16(1));
    QCOMPARE(header.Channels, quint16(2));
    QCOMPARE(header.Rate, 44100u);
    QCOMPARE(header.ByteRate, 176400u);
    QCOMPARE(header.Block, quint16(4));
    QCOMPARE(header.Bits, quint16(16));
    // The virtual source hands its sound over late and in bursts on a busy
    // machine: at least the second asked for, and not the whole run's.
    QVERIFY2(header.DataSize >= 176400 && header.DataSize < 176400 * 20, qPrintable(QString::number(header.DataSize)));
    QCOMPARE(qint64(header.DataSize) % 4, 0);
    QCOMPARE(header.RiffSize, 36 + header.DataSize);
    QCOMPARE(saved.size(), qsizetype(44 + header.DataSize));
    QVERIFY2(Peak(saved.mid(44)) > 1000, "the sine was not recorded");
    QVERIFY(sheet.Doc->HasInstructionSound());
    QCOMPARE(window.MainPnl()->findChild<QLabel*>("OrdersSoundLblPnl")->palette().color(QPalette::Window),
        QColor(0, 255, 0));

    // Played to its end: the stream's end ends the play.
    bool ended = false;
    const auto endOfPlay = window.EndOfPlay;
    window.EndOfPlay = [&] {
        ended = true;
        endOfPlay();
    };
    const auto pressed = std::chrono::steady_clock::now();
    player.Play(QLatin1Char('C'));
    QVERIFY(window.Playing());
    QCOMPARE(player.CurrentSound(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(device->LastStartLatencyNs() >= 0, 5000);
    qInfo("play key to first samples handed to the sink: %.1f ms",
        std::chrono::duration<double, std::milli>(device->FirstSamplesAt() - pressed).count());
    QTRY_VERIFY_WITH_TIMEOUT(ended, 15000);
    QVERIFY(!window.Playing());
    QCOMPARE(player.CurrentSound(), 0);
    QCOMPARE(device->PositionMs(), device->LengthMs());
    player.DetachPanel();
}

void TestSoundServer::pupilKeys()
{
    SoundTestSheet sheet(true);
    ScriptedMessenger messages;
    FakeClock time;
    TEPSND_DocSoundPlayer player(messages, time);
    QVERIFY(player.Create(sheet.Dir.path()));
    player.SetDocument(sheet.Doc.get());
    player.Play(QLatin1Char('C'));
    QVERIFY(player.Window()->Playing());
    QCOMPARE(player.Window()->Device()->State(), AudioDevice::Mode::Playing);
    // "*" without a help sound: a beep, and the instruction stops.
    player.Play(QLatin1Char('A'));
    QCOMPARE(messages.Beeps, 1);
    QVERIFY(!player.Window()->Playing());
    QCOMPARE(player.Window()->Device()->State(), AudioDevice::Mode::Closed);
}

void TestSoundServer::anyPcmFilePlays_data()
{
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("bits");
    QTest::newRow("8-bit mono 8 kHz") << 1 << 8000 << 8;
    QTest::newRow("24-bit stereo 48 kHz") << 2 << 48000 << 24;
    QTest::newRow("32-bit mono 22 kHz") << 1 << 22050 << 32;
}

void TestSoundServer::anyPcmFilePlays()
{
    QFETCH(int, channels);
    QFETCH(int, rate);
    QFETCH(int, bits);
    QTemporaryDir dir;
    WavFile sound;
    sound.Channels = channels;
    sound.SampleRate = rate;
    sound.BitsPerSample = bits;
    sound.Samples = QByteArray(int(sound.ByteRate() / 5), bits == 8 ? '\x80' : '\0'); // 200 ms
    QVERIFY(sound.Save(dir.filePath("s.wav")));
    QtAudioDevice device;
    bool ended = false;
    device.OnPlayEnded = [&] { ended = true; };
    QString error;
    QVERIFY2(device.Open(dir.filePath("s.wav"), error), qPrintable(error));
    QCOMPARE(device.LengthMs(), 200);
    QVERIFY2(device.Play(error), qPrintable(error));
    QTRY_VERIFY_WITH_TIMEOUT(ended, 10000);
    QCOMPARE(device.State(), AudioDevice::Mode::Stopped);
}

void TestSoundServer::pausedSoundGoesOnToItsEnd()
{
    QTemporaryDir dir;
    SoundTestSheet::WriteSound(dir.filePath("s.wav"), 600);
    QtAudioDevice device;
    int ends = 0;
    device.OnPlayEnded = [&] { ++ends; };
    QString error;
    QVERIFY(device.Open(dir.filePath("s.wav"), error));
    QVERIFY(device.Play(error));
    QTRY_VERIFY_WITH_TIMEOUT(device.PositionMs() > 100, 5000);
    device.Pause();
    QCOMPARE(device.State(), AudioDevice::Mode::Paused);
    QCOMPARE(ends, 0);
    QVERIFY(device.Play(error));
    QTRY_COMPARE_WITH_TIMEOUT(ends, 1, 5000);
    QCOMPARE(device.PositionMs(), 600);
}

int main(int argc, char** argv)
{
    // The server first, the application after: Qt's sound client looks for
    // its server once. The fixture outlives the application and stops it.
    PulseAudioFixture server;
    if (!server.Start(g_serverMissing) && g_serverMissing.isEmpty())
        g_serverMissing = QStringLiteral("no sound server");
    QApplication app(argc, argv);
    TestSoundServer test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_soundserver.moc"
