// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/UnixSignalQuit.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_fds[2] = { -1, -1 };
constexpr int kSignals[] = { SIGTERM, SIGINT, SIGHUP };

void OnSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    // A full socket already holds a pending quit; the byte may be dropped.
    [[maybe_unused]] ssize_t n = ::write(g_fds[0], &byte, 1);
    errno = saved;
}

}  // namespace

UnixSignalQuit::UnixSignalQuit(QObject* parent)
    : QObject(parent)
{
    if (g_fds[0] >= 0)
        return;  // one per process
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_fds) != 0)
        return;
    ::fcntl(g_fds[0], F_SETFL, ::fcntl(g_fds[0], F_GETFL) | O_NONBLOCK);
    ::fcntl(g_fds[1], F_SETFL, ::fcntl(g_fds[1], F_GETFL) | O_NONBLOCK);

    m_notifier = new QSocketNotifier(g_fds[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UnixSignalQuit::OnReadable);

    struct sigaction sa = {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : kSignals)
        ::sigaction(sig, &sa, nullptr);
}

UnixSignalQuit::~UnixSignalQuit()
{
    if (!m_notifier)
        return;
    for (int sig : kSignals)
        ::signal(sig, SIG_DFL);
    delete m_notifier;
    m_notifier = nullptr;
    ::close(g_fds[0]);
    ::close(g_fds[1]);
    g_fds[0] = g_fds[1] = -1;
}

void UnixSignalQuit::OnReadable()
{
    char buf[16];
    while (::read(g_fds[1], buf, sizeof buf) > 0) { }
    Q_EMIT quitRequested();
}
