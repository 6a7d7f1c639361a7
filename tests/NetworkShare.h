#pragma once

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QString>
#include <QTemporaryDir>
#include <QThread>
#include <memory>
#include <pwd.h>
#include <unistd.h>

// A real network file system on this one machine: an ssh server of its own
// on the loopback address (its own keys and port) and an sshfs (FUSE) mount
// of a folder it serves, as a school's data root on a share. Both run in the
// foreground as children of the test and are stopped by their process ids.
// When the machine cannot do it (no FUSE device, no ssh server or sshfs), the
// share is not mounted and Problem() says why.
class NetworkShare {
public:
    // mountOptions: more sshfs options ("dir_cache=no": every listing
    // crosses the network, as on a PC that just started).
    explicit NetworkShare(const QStringList& mountOptions = {})
        : m_mountOptions(mountOptions)
    {
        if (!QFileInfo::exists(QStringLiteral("/dev/fuse"))) {
            m_problem = QStringLiteral("no FUSE device (/dev/fuse): a network share cannot be mounted here");
            return;
        }
        for (const char* program : {"/usr/sbin/sshd", "/usr/bin/sshfs", "/usr/bin/ssh-keygen"})
            if (!QFileInfo(QString::fromLatin1(program)).isExecutable()) {
                m_problem = QStringLiteral("%1 is missing (scripts/install-deps installs openssh-server and sshfs)")
                                .arg(QString::fromLatin1(program));
                return;
            }
        if (!m_dir.isValid() || !QDir(m_dir.path()).mkpath(QStringLiteral("served"))
            || !QDir(m_dir.path()).mkpath(QStringLiteral("mounted"))) {
            m_problem = QStringLiteral("no temporary folder for the share");
            return;
        }
        if (MakeKeys() && StartServer())
            Mount();
    }

    ~NetworkShare()
    {
        if (m_mounted) {
            // The mount goes first: sshfs then ends, and so does its session.
            for (int attempt = 0; attempt < 50 && IsMounted(); ++attempt) {
                QProcess::execute(QStringLiteral("fusermount"), {QStringLiteral("-u"), MountPoint()});
                if (IsMounted())
                    QThread::msleep(100);
            }
        }
        Stop(m_client);
        Stop(m_server);
    }

    NetworkShare(const NetworkShare&) = delete;
    NetworkShare& operator=(const NetworkShare&) = delete;

    bool Mounted() const { return m_mounted; }
    QString Problem() const { return m_problem; }
    // The data root as the program sees it, through the network.
    QString MountPoint() const { return m_dir.filePath(QStringLiteral("mounted")); }
    QString Path(const QString& name) const { return QDir(MountPoint()).filePath(name); }
    // The same folder as the server holds it, to check what reached the disk.
    QString ServedPath(const QString& name) const { return m_dir.filePath(QStringLiteral("served/") + name); }

private:
    bool MakeKeys()
    {
        for (const char* key : {"hostkey", "clientkey"}) {
            QFile::remove(m_dir.filePath(QString::fromLatin1(key)));
            if (QProcess::execute(QStringLiteral("/usr/bin/ssh-keygen"),
                    {QStringLiteral("-q"), QStringLiteral("-t"), QStringLiteral("ed25519"), QStringLiteral("-N"),
                        QString(), QStringLiteral("-f"), m_dir.filePath(QString::fromLatin1(key))})
                != 0) {
                m_problem = QStringLiteral("ssh-keygen failed");
                return false;
            }
        }
        QFile::copy(m_dir.filePath(QStringLiteral("clientkey.pub")), m_dir.filePath(QStringLiteral("authorized_keys")));
        return true;
    }

    bool WriteServerConfig(int port)
    {
        const QString config
            = QStringLiteral("Port %1\nListenAddress 127.0.0.1\nHostKey %2\nAuthorizedKeysFile %3\n"
                             "PasswordAuthentication no\nKbdInteractiveAuthentication no\n"
                             "PermitRootLogin prohibit-password\nStrictModes no\nUsePAM no\n"
                             "PidFile none\nSubsystem sftp internal-sftp\n")
                  .arg(port)
                  .arg(m_dir.filePath(QStringLiteral("hostkey")), m_dir.filePath(QStringLiteral("authorized_keys")));
        QFile file(m_dir.filePath(QStringLiteral("sshd_config")));
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(config.toUtf8()) > 0;
    }

    bool StartServer()
    {
        QDir().mkpath(QStringLiteral("/run/sshd")); // its privilege separation folder, when run as root
        const QString log = m_dir.filePath(QStringLiteral("sshd.log"));
        for (int attempt = 0; attempt < 10; ++attempt) {
            m_port = 20000 + int(QRandomGenerator::global()->bounded(40000));
            QFile::remove(log);
            if (!WriteServerConfig(m_port))
                break;
            m_server = std::make_unique<QProcess>();
            m_server->start(QStringLiteral("/usr/sbin/sshd"),
                {QStringLiteral("-D"), QStringLiteral("-f"), m_dir.filePath(QStringLiteral("sshd_config")),
                    QStringLiteral("-E"), log});
            if (!m_server->waitForStarted(5000))
                break;
            // Listening, or gone (the port was taken): its log says which.
            QElapsedTimer waited;
            waited.start();
            while (waited.elapsed() < 5000 && m_server->state() == QProcess::Running
                && !ReadAll(log).contains("Server listening"))
                QThread::msleep(20);
            if (ReadAll(log).contains("Server listening"))
                return true;
            Stop(m_server);
        }
        m_problem = QStringLiteral("the ssh server did not start: %1")
                        .arg(QString::fromUtf8(ReadAll(log)).trimmed().section(QLatin1Char('\n'), -1));
        return false;
    }

    void Mount()
    {
        const passwd* account = getpwuid(getuid());
        const QString user = account ? QString::fromLocal8Bit(account->pw_name) : QStringLiteral("root");
        m_client = std::make_unique<QProcess>();
        m_client->setProcessChannelMode(QProcess::MergedChannels);
        m_client->setStandardInputFile(QProcess::nullDevice());
        m_client->start(QStringLiteral("/usr/bin/sshfs"),
            {QStringLiteral("-f"), QStringLiteral("-p"), QString::number(m_port), QStringLiteral("-o"),
                (QStringList {QStringLiteral("IdentityFile=") + m_dir.filePath(QStringLiteral("clientkey")),
                     QStringLiteral("StrictHostKeyChecking=no"), QStringLiteral("UserKnownHostsFile=/dev/null"),
                     QStringLiteral("BatchMode=yes")}
                    + m_mountOptions)
                    .join(QLatin1Char(',')),
                QStringLiteral("%1@127.0.0.1:%2").arg(user, m_dir.filePath(QStringLiteral("served"))), MountPoint()});
        m_client->waitForStarted(5000);
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 15000 && m_client->state() == QProcess::Running && !IsMounted())
            QThread::msleep(20);
        m_mounted = IsMounted();
        if (!m_mounted) {
            m_client->waitForFinished(1000);
            m_problem = QStringLiteral("sshfs could not mount the share (exit status %1%3): %2")
                            .arg(m_client->exitCode())
                            .arg(QString::fromUtf8(m_client->readAll()).trimmed())
                            .arg(m_client->exitStatus() == QProcess::CrashExit ? QStringLiteral(", ended by a signal")
                                                                               : QString());
            Stop(m_client);
        }
    }

    bool IsMounted() const
    {
        const QByteArray point = ' ' + QFile::encodeName(MountPoint()) + ' ';
        return ReadAll(QStringLiteral("/proc/self/mountinfo")).contains(point);
    }

    static QByteArray ReadAll(const QString& fileName)
    {
        QFile file(fileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void Stop(std::unique_ptr<QProcess>& process)
    {
        if (!process)
            return;
        if (process->state() != QProcess::NotRunning) {
            process->terminate(); // SIGTERM to that process id
            if (!process->waitForFinished(5000)) {
                process->kill();
                process->waitForFinished(5000);
            }
        }
        process.reset();
    }

    QStringList m_mountOptions;
    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_server;
    std::unique_ptr<QProcess> m_client;
    int m_port = 0;
    bool m_mounted = false;
    QString m_problem;
};
