#include "SessionEndWatcher.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
int g_pipe[2] = {-1, -1};
struct sigaction g_previous { };
bool g_installed = false;

extern "C" void OnTerminate(int)
{
    const int saved = errno;
    const char byte = 1;
    // Only async-signal-safe calls here; a full pipe already carries the news.
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}
} // namespace

SessionEndWatcher::SessionEndWatcher(QObject* parent)
    : QObject(parent)
{
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        application->setQuitOnLastWindowClosed(false);
        connect(application, &QGuiApplication::commitDataRequest, this, &SessionEndWatcher::CommitDataRequested,
            Qt::DirectConnection);
    }
    if (g_installed || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction action { };
    action.sa_handler = OnTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    if (::sigaction(SIGTERM, &action, &g_previous) != 0) {
        ::close(g_pipe[0]);
        ::close(g_pipe[1]);
        return;
    }
    g_installed = true;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SessionEndWatcher::SignalArrived);
}

SessionEndWatcher::~SessionEndWatcher()
{
    if (!m_notifier)
        return;
    ::sigaction(SIGTERM, &g_previous, nullptr);
    delete m_notifier;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
    g_installed = false;
}

void SessionEndWatcher::SignalArrived()
{
    char bytes[16];
    while (::read(g_pipe[0], bytes, sizeof bytes) > 0) { }
    if (!m_told) {
        m_told = true;
        emit SessionEnding();
    }
}

void SessionEndWatcher::CommitDataRequested()
{
    // The session manager waits for this call to return before it goes on;
    // the work is saved inside it.
    if (!m_told) {
        m_told = true;
        emit SessionEnding();
    }
}
