#include "RecoveryJournal.h"

#include "FileMove.h"
#include "FileNameRules.h"
#include "MessageText.h"
#include "Messenger.h"
#include "TEP_Doc.h"
#include "params/FileBytes.h"
#include "params/SafeSave.h"
#include "params/TextFile.h"
#include "platform/Clock.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSysInfo>

using MessageText::Quoted;

namespace {

const QString DateKey = QStringLiteral("DATE=");
const QString HostKey = QStringLiteral("POSTE=");
const QString CountKey = QStringLiteral("LIGNES=");
const QString CheckKey = QStringLiteral("CONTROLE=");

QString Checksum(const QStringList& lines)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(TextFile::EncodeLines(lines), QCryptographicHash::Sha1).toHex());
}

} // namespace

RecoveryJournal::RecoveryJournal(const Clock& clock)
    : m_clock(clock)
{
    m_timer.setInterval(TickMs);
    m_timer.callOnTimeout([this] { Tick(); });
}

RecoveryJournal::~RecoveryJournal() = default;

QString RecoveryJournal::PathFor(const TEP_Doc& document)
{
    return FileNameRules::Join(
        document.Folder(), document.Name() + QLatin1Char('_') + document.CurrentUser() + Extension);
}

bool RecoveryJournal::IsJournalName(const QString& fileName)
{
    return fileName.endsWith(Extension, Qt::CaseInsensitive);
}

bool RecoveryJournal::IsKeptAsideName(const QString& fileName)
{
    static const QRegularExpression dated(QStringLiteral(" \\d{4}-\\d\\d-\\d\\d \\d\\dh\\d\\d( \\(\\d+\\))?\\.recup$"),
        QRegularExpression::CaseInsensitiveOption);
    return dated.match(fileName).hasMatch();
}

QString RecoveryJournal::HostName()
{
    const QString host = QSysInfo::machineHostName();
    return host.isEmpty() ? QStringLiteral("?") : host;
}

// --- The file ---------------------------------------------------------------------------------

QByteArray RecoveryJournal::Compose(const QStringList& lines, const QDateTime& written, const QString& host)
{
    QStringList file {Heading, DateKey + written.toString(Qt::ISODate), HostKey + host,
        CountKey + QString::number(lines.size()), CheckKey + Checksum(lines), QString()};
    file += lines;
    return TextFile::EncodeLines(file);
}

bool RecoveryJournal::Parse(const QByteArray& bytes, Found& found, QString* problem)
{
    const auto damaged = [problem](const QString& why) {
        if (problem)
            *problem = why;
        return false;
    };
    const QStringList file = TextFile::DecodeLines(bytes);
    if (file.isEmpty() || file.first() != Heading)
        return damaged(QStringLiteral("en-tête absent"));
    const qsizetype end = file.indexOf(QString());
    if (end < 0)
        return damaged(QStringLiteral("en-tête incomplet"));
    QString date, host, count, check;
    for (qsizetype index = 1; index < end; ++index) {
        const QString& line = file[index];
        if (line.startsWith(DateKey))
            date = line.mid(DateKey.size());
        else if (line.startsWith(HostKey))
            host = line.mid(HostKey.size());
        else if (line.startsWith(CountKey))
            count = line.mid(CountKey.size());
        else if (line.startsWith(CheckKey))
            check = line.mid(CheckKey.size());
    }
    QStringList lines = file.mid(end + 1);
    bool counted = false;
    const qsizetype expected = count.toLongLong(&counted);
    if (!counted || expected != lines.size() || Checksum(lines) != check)
        return damaged(QStringLiteral("contenu incomplet ou abîmé"));
    found.written = QDateTime::fromString(date, Qt::ISODate);
    found.host = host;
    found.lines = lines;
    return true;
}

RecoveryJournal::Found RecoveryJournal::Inspect(const TEP_Doc& document)
{
    Found found;
    found.path = PathFor(document);
    const QFileInfo journal(found.path);
    if (!journal.isFile())
        return found;
    QByteArray bytes;
    QString problem;
    if (!FileBytes::Read(found.path, bytes, &problem) || !Parse(bytes, found, &problem)) {
        found.state = Found::Damaged;
        found.problem = problem;
        found.lines.clear();
    } else {
        found.state = Found::Readable;
    }
    if (!found.written.isValid())
        found.written = journal.lastModified();
    const QFileInfo work(document.WorkPath());
    found.newerThanWork = !work.isFile() || journal.lastModified() > work.lastModified();
    return found;
}

bool RecoveryJournal::KeepAside(const QString& path, const QDateTime& written, QString* keptAs, QString* cause)
{
    const QFileInfo journal(path);
    QString base = journal.fileName();
    base.chop(Extension.size());
    const QDateTime when = written.isValid() ? written.toLocalTime() : journal.lastModified();
    const QString dated = base + QLatin1Char(' ') + when.toString(QStringLiteral("yyyy-MM-dd HH'h'mm"));
    QString reason;
    for (int copy = 1; copy <= 99; ++copy) {
        const QString name = copy == 1 ? dated : dated + QStringLiteral(" (%1)").arg(copy);
        const QString target = FileNameRules::Join(journal.path(), name + Extension);
        if (QFileInfo::exists(target))
            continue;
        if (FileMove::Rename(path, target, &reason)) {
            if (keptAs)
                *keptAs = target;
            return true;
        }
        if (QFileInfo::exists(target)) // taken meanwhile: the next number
            continue;
        break;
    }
    if (cause)
        *cause = reason;
    return false;
}

// --- At the opening ---------------------------------------------------------------------------

Outcome RecoveryJournal::Offer(TEP_Doc& document, Messenger& messenger)
{
    if (!document.IsLoaded())
        return {};
    const Found found = Inspect(document);
    if (found.state == Found::None)
        return {};
    QString keptAs, cause;
    const auto keepAside = [&](const QString& told) {
        if (!KeepAside(found.path, found.written, &keptAs, &cause))
            return Outcome().Note(
                QStringLiteral("Le travail retrouvé %1 ne peut être mis de côté : %2").arg(Quoted(found.path), cause));
        if (told.isEmpty())
            return Outcome();
        return Outcome().Note(told.arg(Quoted(QFileInfo(keptAs).fileName())));
    };
    const QString unreadable = QStringLiteral(
        "Un travail non enregistré a été retrouvé, mais il ne peut être lu (%1). Il est gardé sous le nom %2 "
        "et le travail enregistré est ouvert.");
    if (found.state == Found::Damaged)
        return keepAside(unreadable.arg(found.problem, QStringLiteral("%1")));

    QStringList current;
    if (document.EPDoc_CurrentText(current) && current == found.lines)
        return {}; // nothing more than what is open: the file stays until the work is saved
    if (!found.newerThanWork)
        return keepAside(QString()); // the work was saved after it
    const QString when = found.written.toLocalTime().toString(QStringLiteral("'le' dd/MM/yyyy 'à' HH:mm"));
    if (!messenger.AskYesNo(Question.arg(when, found.host)))
        return keepAside(QString());
    Outcome loaded = document.EPDoc_LoadLines(found.lines);
    if (!loaded)
        return keepAside(unreadable.arg(loaded.Text(), QStringLiteral("%1")));
    return loaded;
}

// --- While the work is open -------------------------------------------------------------------

void RecoveryJournal::Start(TEP_Doc* document)
{
    Q_ASSERT(document && document->IsLoaded());
    if (!document || !document->IsLoaded())
        return;
    if (m_document == document && m_timer.isActive())
        return;
    m_document = document;
    m_path = PathFor(*document);
    m_fileExists = QFileInfo(m_path).isFile();
    m_written.clear();
    m_changed = false;
    m_lastWrite = m_clock.NowMs() - DelayMs;
    m_lastError.clear();
    m_timer.start();
}

void RecoveryJournal::Tick()
{
    if (!m_document || !m_changed)
        return;
    if (m_clock.NowMs() - m_lastWrite < DelayMs)
        return;
    (void)WriteNow();
}

Outcome RecoveryJournal::WriteNow()
{
    if (!m_document || !m_document->IsLoaded())
        return {};
    m_changed = false;
    QStringList lines;
    if (!m_document->EPDoc_CurrentText(lines))
        return Outcome::Failure(QStringLiteral("Erreur inconnue dans la copie de secours : %1!").arg(m_path));
    if (lines == m_document->SavedText()) {
        // Back where the work file stands: nothing would be lost.
        m_written = lines;
        if (m_fileExists && !QFile::remove(m_path) && QFileInfo::exists(m_path)) {
            m_lastError = QStringLiteral("Impossible de supprimer le fichier : %1.").arg(Quoted(m_path));
            return Outcome::Failure(m_lastError);
        }
        m_fileExists = false;
        return {};
    }
    if (m_fileExists && lines == m_written)
        return {};
    QString error;
    if (!SafeSave::WriteFile(m_path, Compose(lines, QDateTime::currentDateTime(), HostName()), &error)) {
        m_lastError = error;
        m_changed = true; // tried again after the delay
        m_lastWrite = m_clock.NowMs();
        return Outcome::Failure(error);
    }
    m_lastError.clear();
    m_lastWrite = m_clock.NowMs();
    m_written = lines;
    m_fileExists = true;
    ++m_writes;
    return {};
}

void RecoveryJournal::Stop()
{
    if (m_document && m_changed)
        (void)WriteNow();
    m_timer.stop();
    m_document = nullptr;
}

Outcome RecoveryJournal::Discard()
{
    m_timer.stop();
    m_document = nullptr;
    m_changed = false;
    const QString path = m_path;
    m_path.clear();
    m_fileExists = false;
    if (path.isEmpty() || !QFileInfo::exists(path) || QFile::remove(path))
        return {};
    return Outcome::Failure(QStringLiteral("Impossible de supprimer le fichier : %1.").arg(Quoted(path)));
}
