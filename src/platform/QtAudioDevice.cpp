#include "platform/QtAudioDevice.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QAudioSource>
#include <QMediaDevices>
#include <QTimer>
#include <QtEndian>

namespace {

QString NoServer()
{
    return QStringLiteral("Aucun serveur de son ne répond : le son ne peut pas être joué.");
}

// 24-bit samples go to the stream as 32-bit ones (the low byte zero).
QByteArray Widened24(const QByteArray& samples)
{
    QByteArray wide(samples.size() / 3 * 4, Qt::Uninitialized);
    const uchar* in = reinterpret_cast<const uchar*>(samples.constData());
    char* out = wide.data();
    for (qsizetype i = 0; i + 2 < samples.size(); i += 3, out += 4) {
        const quint32 value = (quint32(in[i]) << 8) | (quint32(in[i + 1]) << 16) | (quint32(in[i + 2]) << 24);
        qToLittleEndian(value, out);
    }
    return wide;
}

QAudioFormat::SampleFormat SampleFormatOf(const WavFile& file)
{
    if (file.IsFloat)
        return QAudioFormat::Float;
    switch (file.BitsPerSample) {
    case 8:
        return QAudioFormat::UInt8;
    case 16:
        return QAudioFormat::Int16;
    default:
        return QAudioFormat::Int32;
    }
}

QAudioFormat RecordFormat()
{
    QAudioFormat format;
    format.setSampleRate(WavFile::RecordSampleRate);
    format.setChannelCount(WavFile::RecordChannels);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

} // namespace

QtAudioDevice::QtAudioDevice(QObject* parent)
    : QObject(parent)
{ }

QtAudioDevice::~QtAudioDevice()
{
    ReleaseOutput();
    ReleaseInput();
}

bool QtAudioDevice::IsAvailable() const
{
    return !QMediaDevices::audioOutputs().isEmpty();
}

bool QtAudioDevice::Open(const QString& fileName, QString& error)
{
    Close();
    WavFile file;
    if (!file.Load(fileName, &error))
        return false;
    m_file = file;
    m_format = QAudioFormat();
    m_format.setSampleRate(file.SampleRate);
    m_format.setChannelCount(file.Channels);
    m_format.setSampleFormat(SampleFormatOf(file));
    m_buffer.SetSamples(file.BitsPerSample == 24 ? Widened24(file.Samples) : file.Samples);
    m_mode = Mode::Stopped;
    m_positionMs = 0;
    return true;
}

void QtAudioDevice::Close()
{
    Stop();
    m_file = WavFile();
    m_buffer.SetSamples(QByteArray());
    m_mode = Mode::Closed;
}

bool QtAudioDevice::Play(QString& error)
{
    if (m_mode == Mode::Closed || m_mode == Mode::Recording) {
        error = QStringLiteral("Erreur interne : aucun son n'est ouvert.");
        return false;
    }
    if (m_mode == Mode::Playing)
        return true;
    if (m_mode == Mode::Paused && m_sink) {
        m_sink->resume();
        m_mode = Mode::Playing;
        // Paused after the last samples were handed over: no new idle
        // state will come, so the end is awaited from here.
        if (m_buffer.atEnd() && m_sink->state() == QAudio::IdleState)
            AwaitEnd();
        return true;
    }
    if (!IsAvailable()) {
        error = NoServer();
        return false;
    }
    ReleaseOutput();
    if (m_positionMs >= LengthMs())
        m_positionMs = 0;
    const qint64 frame = m_format.bytesPerFrame();
    m_buffer.SetOffset(m_format.bytesForDuration(m_positionMs * 1000) / frame * frame);
    m_buffer.close();
    m_buffer.open(QIODevice::ReadOnly);
    m_buffer.MarkRequest();
    m_sink = std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), m_format);
    m_sink->setVolume(double(m_volume) / MaxVolume);
    connect(m_sink.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) { OutputStateChanged(state); });
    m_startPositionMs = m_positionMs;
    ++m_run;
    m_mode = Mode::Playing;
    m_sink->start(&m_buffer);
    if (m_sink->error() != QAudio::NoError) {
        ReleaseOutput();
        m_mode = Mode::Stopped;
        error = QStringLiteral("Le serveur de son refuse de jouer ce son.");
        return false;
    }
    return true;
}

void QtAudioDevice::OutputStateChanged(int state)
{
    if (m_mode != Mode::Playing || !m_sink)
        return;
    if (state == QAudio::IdleState && m_buffer.atEnd()) {
        AwaitEnd();
    } else if (state == QAudio::StoppedState && m_sink->error() != QAudio::NoError) {
        m_positionMs = PositionMs();
        const quint64 run = m_run;
        QTimer::singleShot(0, this, [this, run] {
            if (run != m_run || m_mode != Mode::Playing)
                return;
            ReleaseOutput();
            m_mode = Mode::Stopped;
            if (OnFailure)
                OnFailure(QStringLiteral("Le serveur de son a interrompu la lecture."));
        });
    }
}

// Idle means the last samples were handed to the server, which still holds
// a few tenths of a second: the end comes once they were heard, else the
// tail of the sound would be cut.
void QtAudioDevice::AwaitEnd()
{
    const qint64 remaining = qMax<qint64>(0, LengthMs() - PositionMs());
    const quint64 run = m_run;
    QTimer::singleShot(int(remaining) + 20, this, [this, run] { FinishPlay(run); });
}

void QtAudioDevice::FinishPlay(quint64 run)
{
    if (run != m_run || m_mode != Mode::Playing)
        return;
    ReleaseOutput();
    m_mode = Mode::Stopped;
    m_positionMs = LengthMs();
    if (OnPlayEnded)
        OnPlayEnded();
}

void QtAudioDevice::Pause()
{
    if (m_mode == Mode::Playing && m_sink) {
        ++m_run; // an end awaited before the pause is no longer due
        m_positionMs = PositionMs();
        m_sink->suspend();
        m_mode = Mode::Paused;
    } else if (m_mode == Mode::Recording && m_source) {
        GatherRecording();
        m_source->suspend();
    }
}

void QtAudioDevice::Stop()
{
    ++m_run;
    if (m_mode == Mode::Recording)
        GatherRecording();
    ReleaseOutput();
    ReleaseInput();
    if (m_mode != Mode::Closed)
        m_mode = Mode::Stopped;
    m_positionMs = 0;
}

qint64 QtAudioDevice::PositionMs() const
{
    if (m_mode == Mode::Playing && m_sink)
        return qMin(LengthMs(), m_startPositionMs + m_sink->processedUSecs() / 1000);
    return m_positionMs;
}

bool QtAudioDevice::StartRecording(QString& error)
{
    if (m_mode == Mode::Closed) {
        error = QStringLiteral("Erreur interne : aucun fichier d'enregistrement n'est ouvert.");
        return false;
    }
    Stop();
    m_recorded.clear();
    const QAudioDevice input = QMediaDevices::defaultAudioInput();
    if (input.isNull()) {
        error = IsAvailable() ? QStringLiteral("Aucun micro n'a été trouvé.")
                              : QStringLiteral("Aucun serveur de son ne répond : rien ne peut être enregistré.");
        return false;
    }
    m_source = std::make_unique<QAudioSource>(input, RecordFormat());
    connect(
        m_source.get(), &QAudioSource::stateChanged, this, [this](QAudio::State state) { InputStateChanged(state); });
    m_sourceStream = m_source->start();
    if (!m_sourceStream || m_source->error() != QAudio::NoError) {
        ReleaseInput();
        error = QStringLiteral("Le serveur de son refuse d'ouvrir le micro.");
        return false;
    }
    connect(m_sourceStream, &QIODevice::readyRead, this, [this] { GatherRecording(); });
    m_mode = Mode::Recording;
    return true;
}

void QtAudioDevice::InputStateChanged(int state)
{
    if (m_mode != Mode::Recording || !m_source || state != QAudio::StoppedState || m_source->error() == QAudio::NoError)
        return;
    QTimer::singleShot(0, this, [this] {
        if (m_mode == Mode::Recording && OnFailure)
            OnFailure(QStringLiteral("Le serveur de son a interrompu l'enregistrement."));
    });
}

void QtAudioDevice::GatherRecording()
{
    if (!m_sourceStream)
        return;
    const QByteArray received = m_sourceStream->readAll();
    const qint64 room = MaxRecordingBytes - m_recorded.size();
    if (room > 0)
        m_recorded += received.left(room);
}

bool QtAudioDevice::SaveRecording(const QString& fileName, QString& error)
{
    GatherRecording();
    WavFile recording;
    recording.Channels = WavFile::RecordChannels;
    recording.SampleRate = WavFile::RecordSampleRate;
    recording.BitsPerSample = WavFile::RecordBitsPerSample;
    recording.Samples = m_recorded.left(m_recorded.size() - m_recorded.size() % recording.BlockSize());
    return recording.Save(fileName, &error);
}

void QtAudioDevice::SetVolume(int volume)
{
    m_volume = qBound(0, volume, int(MaxVolume));
    if (m_sink)
        m_sink->setVolume(double(m_volume) / MaxVolume);
}

void QtAudioDevice::ReleaseOutput()
{
    if (!m_sink)
        return;
    m_sink->disconnect(this);
    m_sink->stop();
    m_sink.reset();
    m_buffer.close();
}

void QtAudioDevice::ReleaseInput()
{
    if (!m_source)
        return;
    m_source->disconnect(this);
    if (m_sourceStream)
        m_sourceStream->disconnect(this);
    m_source->stop();
    m_source.reset();
    m_sourceStream = nullptr;
}
