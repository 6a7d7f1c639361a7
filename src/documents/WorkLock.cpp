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

QString FirstLineOf(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLatin1(file.readLine(256)).trimmed();
}

// On this machine and boot: whether that process still runs, the same one
// that took the lock (a number is reused by later processes).
bool ProcessRuns(qint64 process, qint64 started)
{
    if (process <= 0 || (::kill(pid_t(process), 0) != 0 && errno != EPERM))
        return false;
    const qint64 now = WorkLock::ProcessStartTime(process);
    return started < 0 || now < 0 || now == started;
}

} // namespace

QString WorkLock::MachineId()
{
    static const QString id = [] {
        const QString machine = FirstLineOf(QStringLiteral("/etc/machine-id"));
        return machine.isEmpty() ? FirstLineOf(QStringLiteral("/var/lib/dbus/machine-id")) : machine;
    }();
    return id;
}

QString WorkLock::BootId()
{
    static const QString id = FirstLineOf(QStringLiteral("/proc/sys/kernel/random/boot_id"));
    return id;
}

qint64 WorkLock::ProcessStartTime(qint64 process)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(process));
    if (process <= 0 || !file.open(QIODevice::ReadOnly))
        return -1;
    // "pid (name) state …": the name may hold blanks and parentheses; the
    // start time is the 22nd field, the 20th after the name.
    const QByteArray line = file.readAll();
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0)
        return -1;
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    bool ok = false;
    const qint64 started = fields.value(19).toLongLong(&ok);
    return ok ? started : -1;
}

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
    lock.PRWrite(kHeading, QStringLiteral("MACHINE"), MachineId());
    lock.PRWrite(kHeading, QStringLiteral("BOOT"), BootId());
    lock.PRWrite(
        kHeading, QStringLiteral("STARTED"), QString::number(ProcessStartTime(QCoreApplication::applicationPid())));
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
    holder.machine = lock.PRReadDefault(kHeading, QStringLiteral("MACHINE"), QString());
    holder.boot = lock.PRReadDefault(kHeading, QStringLiteral("BOOT"), QString());
    bool known = false;
    holder.started = lock.PRReadDefault(kHeading, QStringLiteral("STARTED"), QString()).toLongLong(&known);
    if (!known)
        holder.started = -1;
    return true;
}

bool WorkLock::IsStale(const QString& lockPath, const Holder& holder) const
{
    const QString machine = MachineId();
    // Locks of older versions name the host only.
    const bool thisMachine = holder.machine.isEmpty() || machine.isEmpty() ? holder.host == QSysInfo::machineHostName()
                                                                           : holder.machine == machine;
    if (thisMachine) {
        if (!holder.boot.isEmpty() && holder.boot != BootId())
            return true; // taken before this machine last started
        return !ProcessRuns(holder.process, holder.started);
    }
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
            found = Holder {};
            found.host = QStringLiteral("?");
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
