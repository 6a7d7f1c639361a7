// WAV files: the recording template's exact header, what the reader accepts
// and what it refuses.
#include "TestFiles.h"
#include "platform/WavFile.h"

#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

QByteArray U16(quint16 value)
{
    char raw[2];
    qToLittleEndian(value, raw);
    return QByteArray(raw, 2);
}

QByteArray U32(quint32 value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    return QByteArray(raw, 4);
}

QByteArray Chunk(const QByteArray& id, const QByteArray& body, qint64 declared = -1)
{
    QByteArray chunk = id + U32(quint32(declared < 0 ? body.size() : declared)) + body;
    if (body.size() & 1)
        chunk += '\0';
    return chunk;
}

QByteArray Format(int tag, int channels, int rate, int bits, int subTag = 0)
{
    const int block = channels * bits / 8;
    QByteArray body = U16(quint16(tag)) + U16(quint16(channels)) + U32(quint32(rate)) + U32(quint32(rate * block))
        + U16(quint16(block)) + U16(quint16(bits));
    if (tag == WavFile::FormatExtensible)
        body += U16(22) + U16(quint16(bits)) + U32(3) + U16(quint16(subTag)) + QByteArray(14, '\x01');
    return Chunk("fmt ", body);
}

QByteArray Riff(const QByteArray& chunks)
{
    return "RIFF" + U32(quint32(4 + chunks.size())) + "WAVE" + chunks;
}

} // namespace

class TestWavFile : public QObject {
    Q_OBJECT

private slots:
    void recordingTemplateHeader();
    void reading_data();
    void reading();
    void saveAndLoad();
};

void TestWavFile::recordingTemplateHeader()
{
    const QByteArray expected = QByteArray("RIFF") + U32(36) + "WAVEfmt " + U32(16) + U16(1) + U16(2) + U32(44100)
        + U32(176400) + U16(4) + U16(16) + "data" + U32(0);
    QCOMPARE(expected.size(), 44);
    QCOMPARE(WavFile::EmptyRecording(), expected);
    WavFile empty;
    QString error;
    QVERIFY(empty.Parse(expected, &error));
    QCOMPARE(empty.Samples.size(), 0);
    QCOMPARE(empty.LengthMs(), 0);
    QCOMPARE(WavFile::Header(2, 44100, 16, 1000).mid(4, 4), U32(1036));
}

void TestWavFile::reading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("bits");
    QTest::addColumn<bool>("isFloat");
    QTest::addColumn<int>("samples");
    QTest::addColumn<QString>("reason");

    const QByteArray second16 = QByteArray(176400, '\x02');
    QTest::newRow("16-bit stereo") << Riff(Format(1, 2, 44100, 16) + Chunk("data", second16)) << true << 2 << 44100
                                   << 16 << false << 176400 << "";
    QTest::newRow("8-bit mono") << Riff(Format(1, 1, 8000, 8) + Chunk("data", QByteArray(8001, '\x80'))) << true << 1
                                << 8000 << 8 << false << 8001 << "";
    QTest::newRow("extensible 24-bit") << Riff(Format(0xFFFE, 2, 48000, 24, 1) + Chunk("data", QByteArray(600, 0)))
                                       << true << 2 << 48000 << 24 << false << 600 << "";
    QTest::newRow("float") << Riff(Format(3, 1, 22050, 32) + Chunk("data", QByteArray(400, 0))) << true << 1 << 22050
                           << 32 << true << 400 << "";
    QTest::newRow("other chunks first, odd sizes padded")
        << Riff(Chunk("LIST", "INFOabc") + Format(1, 2, 44100, 16) + Chunk("fact", U32(5)) + Chunk("data", second16))
        << true << 2 << 44100 << 16 << false << 176400 << "";
    QTest::newRow("cut short: whole frames kept")
        << Riff(Format(1, 2, 44100, 16) + Chunk("data", QByteArray(1000, 0))).left(44 + 603) << true << 2 << 44100 << 16
        << false << 600 << "";
    QTest::newRow("data size unknown") << Riff(Format(1, 1, 11025, 16) + Chunk("data", QByteArray(100, 0), 0xFFFFFFFF))
                                       << true << 1 << 11025 << 16 << false << 100 << "";
    QTest::newRow("not RIFF") << QByteArray("ID3\x03 some mp3") << false << 0 << 0 << 0 << false << 0
                              << "ce n'est pas un fichier son WAV.";
    QTest::newRow("empty") << QByteArray() << false << 0 << 0 << 0 << false << 0 << "ce n'est pas un fichier son WAV.";
    QTest::newRow("data before format") << Riff(Chunk("data", second16) + Format(1, 2, 44100, 16)) << false << 0 << 0
                                        << 0 << false << 0 << "ce n'est pas un fichier son WAV.";
    QTest::newRow("ADPCM") << Riff(Format(2, 1, 22050, 4) + Chunk("data", QByteArray(100, 0))) << false << 0 << 0 << 0
                           << false << 0 << "son compressé (format 2) : seuls les sons PCM sont lus.";
    QTest::newRow("extensible ADPCM") << Riff(Format(0xFFFE, 1, 22050, 16, 2) + Chunk("data", QByteArray(100, 0)))
                                      << false << 0 << 0 << 0 << false << 0
                                      << "son compressé (format 2) : seuls les sons PCM sont lus.";
    QTest::newRow("no channel") << Riff(Format(1, 0, 44100, 16) + Chunk("data", QByteArray(100, 0))) << false << 0 << 0
                                << 0 << false << 0 << "format de son non pris en charge (0 voies, 44100 Hz, 16 bits).";
    QTest::newRow("12 bits") << Riff(Format(1, 1, 44100, 12) + Chunk("data", QByteArray(100, 0))) << false << 0 << 0
                             << 0 << false << 0 << "format de son non pris en charge (1 voies, 44100 Hz, 12 bits).";
    QTest::newRow("no data") << Riff(Format(1, 2, 44100, 16)) << false << 0 << 0 << 0 << false << 0
                             << "le fichier ne contient aucun son.";
    QTest::newRow("format cut short") << Riff(Chunk("fmt ", QByteArray(10, 1))) << false << 0 << 0 << 0 << false << 0
                                      << "ce n'est pas un fichier son WAV.";
}

void TestWavFile::reading()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, readable);
    QFETCH(int, channels);
    QFETCH(int, rate);
    QFETCH(int, bits);
    QFETCH(bool, isFloat);
    QFETCH(int, samples);
    QFETCH(QString, reason);
    WavFile file;
    QString error;
    QCOMPARE(file.Parse(bytes, &error), readable);
    QCOMPARE(error, reason);
    if (!readable)
        return;
    QCOMPARE(file.Channels, channels);
    QCOMPARE(file.SampleRate, rate);
    QCOMPARE(file.BitsPerSample, bits);
    QCOMPARE(file.IsFloat, isFloat);
    QCOMPARE(file.Samples.size(), samples);
}

void TestWavFile::saveAndLoad()
{
    QTemporaryDir dir;
    WavFile sound;
    sound.Channels = 1;
    sound.SampleRate = 8000;
    sound.BitsPerSample = 8;
    sound.Samples = QByteArray(8001, '\x7f'); // odd: a pad byte follows
    QVERIFY(sound.Save(dir.filePath("s.wav")));
    const QByteArray bytes = TestFiles::ReadBytes(dir.filePath("s.wav"));
    QCOMPARE(bytes.size(), 44 + 8001 + 1);
    QCOMPARE(qFromLittleEndian<quint32>(bytes.constData() + 4), quint32(bytes.size() - 8));
    WavFile back;
    QVERIFY(back.Load(dir.filePath("s.wav")));
    QCOMPARE(back.Samples, sound.Samples);
    QCOMPARE(back.LengthMs(), 1000);

    QString error;
    QVERIFY(!back.Load(dir.filePath("absent.wav"), &error));
    QVERIFY2(
        error.startsWith(QStringLiteral("Impossible de lire le fichier son \"absent.wav\" : ")), qPrintable(error));
    QVERIFY(!sound.Save(dir.filePath("no/such/folder.wav"), &error));
    QVERIFY(!error.isEmpty());
}

QTEST_MAIN(TestWavFile)
#include "tst_wavfile.moc"
