#include "WorkLock.h"

#include "MessageText.h"
#include "params/Param_Obj.h"
#include "params/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QUuid>
#include <cerrno>
#include <csignal>

namespace {

const QString kHeading = QStringLiteral("LOCK");

QString AccountName()
{
    const QString user = qEnvironmentVariable("USER");
    return user.isEmpty() ? qEnvironmentVariable("USERNAME") : user;
}

// On this host: whether a process of that number still runs.
bool ProcessRuns(qint64 process)
{
    if (process <= 0)
        return false;
    return ::kill(pid_t(process), 0) == 0 || errno == EPERM;
}

} // namespace

WorkLock::WorkLock()
    : m_token(QUuid::createUuid().toString(QUuid::WithoutBraces))
{ }

WorkLock::~WorkLock()
{
    Release();
}

bool WorkLock::TryCreate(const QString& lockPath)
{
    QFile file(lockPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    Param_Obj lock;
    lock.PRWrite(kHeading, QStringLiteral("TOKEN"), m_token);
    lock.PRWrite(kHeading, QStringLiteral("SINCE"), QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
    lock.PRWrite(kHeading, QStringLiteral("PROCESS"), QString::number(QCoreApplication::applicationPid()));
    lock.PRWrite(kHeading, QStringLiteral("ACCOUNT"), AccountName());
    lock.PRWrite(kHeading, QStringLiteral("HOST"), QSysInfo::machineHostName());
    const QByteArray bytes = TextFile::EncodeLines(lock.Lines());
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    if (!written)
        QFile::remove(lockPath);
    return written;
}

bool WorkLock::ReadHolder(const QString& lockPath, Holder& holder, QString& token)
{
    Param_Obj lock;
    if (!lock.LoadFromFile(lockPath))
        return false;
    token = lock.PRReadDefault(kHeading, QStringLiteral("TOKEN"), QString());
    holder.host = lock.PRReadDefault(kHeading, QStringLiteral("HOST"), QString());
    holder.account = lock.PRReadDefault(kHeading, QStringLiteral("ACCOUNT"), QString());
    holder.process = lock.PRReadDefault(kHeading, QStringLiteral("PROCESS"), QStringLiteral("0")).toLongLong();
    holder.since = QDateTime::fromString(lock.PRReadDefault(kHeading, QStringLiteral("SINCE"), QString()), Qt::ISODate);
    return true;
}

bool WorkLock::IsStale(const QString& lockPath, const Holder& holder) const
{
    if (holder.host == QSysInfo::machineHostName())
        return !ProcessRuns(holder.process);
    const QDateTime touched = QFileInfo(lockPath).lastModified();
    return touched.isValid() && touched.secsTo(QDateTime::currentDateTime()) > qint64(StaleHours) * 3600;
}

bool WorkLock::Acquire(const QString& lockPath, Holder* holder)
{
    if (m_path == lockPath)
        return true;
    Release();
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (TryCreate(lockPath)) {
            m_path = lockPath;
            return true;
        }
        Holder found;
        QString token;
        if (!ReadHolder(lockPath, found, token)) {
            if (!QFileInfo::exists(lockPath))
                continue; // released meanwhile
            found = Holder {QStringLiteral("?"), QString(), 0, QDateTime()};
        }
        if (token == m_token) {
            m_path = lockPath;
            return true;
        }
        if (attempt == 0 && IsStale(lockPath, found) && QFile::remove(lockPath))
            continue; // left by a crash: taken over
        if (holder)
            *holder = found;
        return false;
    }
    return false;
}

void WorkLock::Release()
{
    if (m_path.isEmpty())
        return;
    Holder holder;
    QString token;
    if (ReadHolder(m_path, holder, token) && token == m_token)
        QFile::remove(m_path);
    m_path.clear();
}

void WorkLock::Refresh()
{
    if (m_path.isEmpty())
        return;
    QFile file(m_path);
    if (file.open(QIODevice::ReadWrite))
        file.setFileTime(QDateTime::currentDateTime(), QFileDevice::FileModificationTime);
}

QString WorkLock::HeldMessage(
    const QString& user, const QString& document, const Holder& holder, const QString& lockPath)
{
    const QString since = holder.since.isValid()
        ? holder.since.toLocalTime().toString(QStringLiteral("'le' dd/MM/yyyy 'à' HH:mm"))
        : QStringLiteral("un moment inconnu");
    return QStringLiteral("Le travail de %1 sur la fiche %2 est déjà ouvert sur le poste %3 (depuis %4). Fermez-le "
                          "sur ce poste avant de l'ouvrir ici. Si ce poste s'est arrêté sans fermer la fiche, le "
                          "travail sera libéré au bout de %5 heures, ou tout de suite en supprimant le fichier %6.")
        .arg(MessageText::Quoted(user), MessageText::Quoted(document), MessageText::Quoted(holder.host), since)
        .arg(StaleHours)
        .arg(MessageText::Quoted(lockPath));
}
