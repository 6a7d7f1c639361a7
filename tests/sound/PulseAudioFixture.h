#pragma once

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

// A private sound server for the tests: PulseAudio with a null sink (no
// sound card needed) and a 440 Hz sine source remapped as the microphone.
// Start it before the application object, so that Qt's sound client finds
// it; it is stopped by its PID when the fixture goes, after the client. A
// test that crashes leaves no server behind: it ends itself 20 s after its
// last client.
class PulseAudioFixture {
public:
    PulseAudioFixture() = default;
    ~PulseAudioFixture() { Stop(); }
    PulseAudioFixture(const PulseAudioFixture&) = delete;
    PulseAudioFixture& operator=(const PulseAudioFixture&) = delete;

    // False with a reason when the server cannot run here.
    bool Start(QString& reason)
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        if (program.isEmpty()) {
            reason = QStringLiteral("pulseaudio is not installed (sh scripts/install-deps)");
            return false;
        }
        const QString runtime = m_dir.filePath(QStringLiteral("xdg"));
        const QString home = m_dir.filePath(QStringLiteral("home"));
        QDir().mkpath(runtime);
        QDir().mkpath(home);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        m_socket = m_dir.filePath(QStringLiteral("native"));
        const QList<QByteArray> arguments
            = {program.toLocal8Bit(), "--daemonize=no", "--system=false", "--exit-idle-time=20", "-n",
                "--use-pid-file=false", "--log-target=stderr", "--load=module-null-sink sink_name=null",
                "--load=module-native-protocol-unix auth-anonymous=1 socket=" + m_socket.toLocal8Bit(),
                "--load=module-sine-source source_name=sine frequency=440",
                "--load=module-remap-source master=sine source_name=mic"};
        QList<QByteArray> environment
            = {"XDG_RUNTIME_DIR=" + runtime.toLocal8Bit(), "HOME=" + home.toLocal8Bit(), "PATH=" + qgetenv("PATH")};
        std::vector<char*> argv;
        for (const QByteArray& argument : arguments)
            argv.push_back(const_cast<char*>(argument.constData()));
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (const QByteArray& variable : environment)
            envp.push_back(const_cast<char*>(variable.constData()));
        envp.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        const QByteArray log = m_dir.filePath(QStringLiteral("pulseaudio.log")).toLocal8Bit();
        posix_spawn_file_actions_addopen(&actions, 1, log.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        const int failed = posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        if (failed) {
            m_pid = 0;
            reason = QStringLiteral("pulseaudio does not start");
            return false;
        }
        if (!WaitForSocket()) {
            reason = QStringLiteral("pulseaudio did not answer: ") + QString::fromLocal8Bit(LogText());
            Stop();
            return false;
        }
        // Our client talks to this server only, and never starts one itself.
        qputenv("PULSE_SERVER", "unix:" + m_socket.toLocal8Bit());
        qputenv("PULSE_RUNTIME_PATH", runtime.toLocal8Bit());
        return true;
    }

    void Stop()
    {
        if (m_pid <= 0)
            return;
        kill(m_pid, SIGTERM);
        for (int i = 0; i < 100; ++i) {
            if (waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
                m_pid = 0;
                return;
            }
            QThread::msleep(20);
        }
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
        m_pid = 0;
    }

    QByteArray LogText() const
    {
        QFile file(m_dir.filePath(QStringLiteral("pulseaudio.log")));
        return file.open(QIODevice::ReadOnly) ? file.readAll().right(2000) : QByteArray();
    }

private:
    bool WaitForSocket()
    {
        QElapsedTimer waited;
        waited.start();
        const QByteArray path = m_socket.toLocal8Bit();
        while (waited.elapsed() < 15000) {
            if (waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
                m_pid = 0; // ended by itself: nothing left to stop
                return false;
            }
            const int probe = socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address {};
            address.sun_family = AF_UNIX;
            qstrncpy(address.sun_path, path.constData(), sizeof(address.sun_path));
            const bool answered = connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
            close(probe);
            if (answered)
                return true;
            QThread::msleep(50);
        }
        return false;
    }

    QTemporaryDir m_dir;
    QString m_socket;
    pid_t m_pid = 0;
};
