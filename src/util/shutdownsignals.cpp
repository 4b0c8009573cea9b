// SPDX-License-Identifier: GPL-3.0-or-later
#include "shutdownsignals.h"

#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tw {
namespace {

constexpr std::array<int, 3> HandledSignals = {SIGTERM, SIGINT, SIGHUP};

// The write end of the pipe for the handler; -1 while no object exists.
volatile std::sig_atomic_t g_writeFd = -1;
struct sigaction g_previous[HandledSignals.size()];

extern "C" void writeSignalToPipe(int signalNumber)
{
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    // A full pipe already holds a request to end: dropping this one is fine.
    [[maybe_unused]] const ssize_t ignored = ::write(g_writeFd, &byte, 1);
    errno = savedErrno;
}

// The handler resets itself to the default action on entry (SA_RESETHAND),
// so raising the signal again ends the process the way the signal would have
// without a handler: the parent sees it killed by that signal.
extern "C" void endAtOnce(int signalNumber)
{
    ::raise(signalNumber);
}

} // namespace

void endAtOnceOnShutdownSignals()
{
    struct sigaction action
    {};
    action.sa_handler = endAtOnce;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | SA_NODEFER;
    for (int signalNumber : HandledSignals)
        ::sigaction(signalNumber, &action, nullptr);
}

ShutdownSignals::ShutdownSignals(std::function<void(int)> onSignal)
    : m_onSignal(std::move(onSignal))
{
    Q_ASSERT(g_writeFd == -1);
    if (g_writeFd != -1 ||
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, m_fds) != 0)
        return;
    g_writeFd = m_fds[1];
    m_notifier = std::make_unique<QSocketNotifier>(m_fds[0], QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(),
                     [this] { readPipe(); });

    struct sigaction action
    {};
    action.sa_handler = writeSignalToPipe;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    // Each sigaction replaces the handler in one step: a signal meanwhile
    // meets either the previous handling or the pipe. The handler may run in
    // any thread; the pipe takes it to the event loop of this one.
    m_active = true;
    for (std::size_t i = 0; i < HandledSignals.size(); ++i)
        m_active = ::sigaction(HandledSignals[i], &action, &g_previous[i]) == 0 && m_active;
}

ShutdownSignals::~ShutdownSignals()
{
    if (m_fds[1] < 0)
        return;
    for (std::size_t i = 0; i < HandledSignals.size(); ++i)
        ::sigaction(HandledSignals[i], &g_previous[i], nullptr);
    g_writeFd = -1;
    m_notifier.reset();
    ::close(m_fds[0]);
    ::close(m_fds[1]);
}

void ShutdownSignals::readPipe()
{
    unsigned char bytes[16];
    ssize_t n;
    while ((n = ::read(m_fds[0], bytes, sizeof bytes)) > 0 || (n < 0 && errno == EINTR)) {
        for (ssize_t i = 0; i < n; ++i) {
            if (m_onSignal)
                m_onSignal(bytes[i]);
        }
    }
}

} // namespace tw
