#include "ExternalCapture.h"

#include "Clock.h"
#include "documents/JpegHeader.h"
#include "documents/MessageText.h"
#include "params/TextFile.h"
#include "report/JpegCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

QString ScanErrorLine()
{
    return QStringLiteral("Erreur de la numérisation.");
}

} // namespace

ExternalCapture::ExternalCapture(const QString& dataRoot, const Clock& clock, QObject* parent)
    : QObject(parent)
    , m_dataRoot(dataRoot)
    , m_clock(clock)
{
    qRegisterMetaType<ScanResult>();
    // The timer ticks more often than the poll so that a tick arriving a
    // little early never pushes a look back by a whole interval.
    m_pollTimer.setInterval(PollInterval / 5);
    connect(&m_pollTimer, &QTimer::timeout, this, &ExternalCapture::Poll);
    connect(&m_process, &QProcess::finished, this, &ExternalCapture::OnProcessEnded);
    // The program's own output is of no use here; a full pipe would stall it.
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setStandardErrorFile(QProcess::nullDevice());
}

ExternalCapture::~ExternalCapture()
{
    m_process.disconnect(this);
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(2000);
    }
}

QString ExternalCapture::FindProgram(const QString& dataRoot)
{
    const QFileInfoList entries = QDir(dataRoot).entryInfoList(QDir::Files | QDir::Executable);
    for (const QFileInfo& entry : entries)
        if (entry.fileName().compare(ProgramName(), Qt::CaseInsensitive) == 0)
            return entry.absoluteFilePath();
    return QString();
}

QString ExternalCapture::FilePath(const QString& name) const
{
    return QDir(m_dataRoot).absoluteFilePath(name);
}

bool ExternalCapture::RemoveEarlierFiles(QString* error) const
{
    // A file left by an earlier run would be taken for this run's answer.
    for (const QString& name : {BitmapName(), ErrorsName()}) {
        const QString path = FilePath(name);
        if (QFileInfo::exists(path) && !QFile::remove(path)) {
            if (error)
                *error = QStringLiteral("Le fichier %1 ne peut être supprimé : la numérisation ne peut commencer.")
                             .arg(MessageText::Quoted(path));
            return false;
        }
    }
    return true;
}

bool ExternalCapture::Start(QString* error)
{
    if (m_running) {
        if (error)
            *error = QStringLiteral("Une numérisation est déjà en cours.");
        return false;
    }
    const QString program = FindProgram(m_dataRoot);
    if (!RemoveEarlierFiles(error))
        return false;
    if (!program.isEmpty()) {
        m_process.setProgram(program);
        m_process.setArguments({QDir::toNativeSeparators(FilePath(BitmapName()))});
        m_process.setWorkingDirectory(m_dataRoot);
        m_process.start();
    }
    if (program.isEmpty() || !m_process.waitForStarted()) {
        if (error)
            *error = QStringLiteral("Erreur lors de l'exécution de la procedure de scan externe.");
        return false;
    }
    m_running = true;
    m_lastPoll = m_clock.NowMs();
    m_pollTimer.start();
    return true;
}

void ExternalCapture::Poll()
{
    if (!m_running)
        return;
    const qint64 now = m_clock.NowMs();
    if (now - m_lastPoll < PollInterval)
        return;
    m_lastPoll = now;
    if (m_process.state() == QProcess::NotRunning) {
        OnProcessEnded();
        return;
    }
    emit Waiting();
}

void ExternalCapture::Cancel()
{
    if (!m_running)
        return;
    m_running = false; // its end is no longer a result
    m_process.kill();
    m_process.waitForFinished(2000);
    Finish(ScanResult::Cancelled());
}

void ExternalCapture::OnProcessEnded()
{
    if (m_running)
        Finish(ReadResult());
}

void ExternalCapture::Finish(const ScanResult& result)
{
    m_running = false;
    m_pollTimer.stop();
    emit Finished(result);
}

ScanResult ExternalCapture::ReadResult() const
{
    if (QFileInfo::exists(FilePath(ErrorsName())))
        return ReadErrors();
    if (QFileInfo::exists(FilePath(BitmapName())))
        return ReadBitmap();
    return ScanResult::Failure(QStringLiteral("Le programme de numérisation externe %1 s'est terminé sans fournir "
                                              "de page.")
                                   .arg(MessageText::Quoted(ProgramName())),
        ScanResult::Outcome::NoPage);
}

ScanResult ExternalCapture::ReadErrors() const
{
    QStringList lines;
    QString error;
    if (!TextFile::ReadLines(FilePath(ErrorsName()), lines, &error))
        return ScanResult::Failure(ScanErrorLine() + QLatin1Char('\n') + error);
    const QString first = lines.isEmpty() ? QString() : lines.first().trimmed();
    if (first == QLatin1String("CANCELLED") || first == QLatin1String("TWRC_CANCEL"))
        return ScanResult::Cancelled();
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    lines.prepend(ScanErrorLine());
    return ScanResult::Failure(lines.join(QLatin1Char('\n')));
}

ScanResult ExternalCapture::ReadBitmap() const
{
    const QString path = FilePath(BitmapName());
    QImageReader reader(path);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > JpegCodec::MaxPixels)
        return ScanResult::Failure(ScanErrorLine()
            + QStringLiteral("\nLa page scannée est trop grande : choisissez une résolution plus basse."));
    // A 600 dpi A4 page is over Qt's default allocation limit.
    reader.setAllocationLimit(int(JpegCodec::MaxPixels * 4 / (1024 * 1024)));
    const QImage image = reader.read();
    if (image.isNull())
        return ScanResult::Failure(ScanErrorLine()
            + QStringLiteral("\nLe fichier %1 n'est pas une image lisible.").arg(MessageText::Quoted(path)));
    const int resolution = JpegHeader::ReadBitmapResolution(path);
    return ScanResult::Page(image, resolution, resolution);
}
