// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CSingleInst.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr int kConnectMs = 500;
constexpr int kReplyMs = 2000;
const char kActivate[] = "activate\n";
const char kDone[] = "ok\n";
const char kRequest[] = "request ";
// What a peer may leave unread, or send without a line break, before the instance hangs up on it. Requests and
// answers are a few kilobytes; a task list of thousands fits many times over.
constexpr qsizetype kMaxBuffered = 16 * 1024 * 1024;
// Connections open at once. Each holds a descriptor, and the program needs its descriptors for its files.
constexpr int kMaxPeers = 64;
constexpr int kBacklog = 50;

bool Address(const QString& path, sockaddr_un* addr)
{
    const QByteArray native = QFile::encodeName(path);
    *addr = {};
    if (native.isEmpty() || native.size() >= qsizetype(sizeof addr->sun_path))
        return false;
    addr->sun_family = AF_UNIX;
    std::memcpy(addr->sun_path, native.constData(), size_t(native.size()));
    return true;
}

int NewSocket()
{
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

// Waits until `fd` is ready for `events` (or hung up, which the next call reports); false when time runs out.
bool Wait(int fd, short events, const QDeadlineTimer& deadline)
{
    for (;;) {
        pollfd p { fd, events, 0 };
        const int r = ::poll(&p, 1, int(qMax<qint64>(deadline.remainingTime(), 0)));
        if (r > 0)
            return true;
        if (r == 0 || errno != EINTR)
            return false;
    }
}

// A socket connected to the endpoint at `path`, or -1. A file left behind by a killed process refuses at once;
// a live instance whose queue is full is retried for `ms`.
int Connect(const QString& path, int ms)
{
    sockaddr_un addr;
    if (!Address(path, &addr))
        return -1;
    const int fd = NewSocket();
    if (fd < 0)
        return -1;
    const QDeadlineTimer deadline(ms);
    for (;;) {
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0 || errno == EISCONN)
            return fd;
        if (errno == EINTR)
            continue;
        if (errno == EINPROGRESS && Wait(fd, POLLOUT, deadline)) {
            int error = 0;
            socklen_t length = sizeof error;
            if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0)
                return fd;
            break;
        }
        if (errno != EAGAIN || deadline.hasExpired())
            break;
        ::poll(nullptr, 0, 10);
    }
    ::close(fd);
    return -1;
}

// MSG_NOSIGNAL: a peer that has gone is an error here, not a SIGPIPE that ends the program.
bool SendAll(int fd, QByteArrayView data, const QDeadlineTimer& deadline)
{
    while (!data.isEmpty()) {
        const ssize_t n = ::send(fd, data.data(), size_t(data.size()), MSG_NOSIGNAL);
        if (n > 0)
            data = data.sliced(n);
        else if (n < 0 && errno == EINTR)
            continue;
        else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!Wait(fd, POLLOUT, deadline))
                return false;
        } else
            return false;
    }
    return true;
}

// One line up to and without its line break; false when the peer hangs up first or time runs out.
bool ReadLine(int fd, QByteArray* line, const QDeadlineTimer& deadline)
{
    QByteArray buffer;
    char chunk[4096];
    for (;;) {
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n > 0) {
            const qsizetype end = QByteArrayView(chunk, n).indexOf('\n');
            buffer.append(chunk, end < 0 ? n : end);
            if (end >= 0) {
                *line = buffer;
                return true;
            }
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!Wait(fd, POLLIN, deadline))
                return false;
        } else {
            return false;
        }
    }
}

// Listens at `path`, this instance's own name, for this user alone.
int Listen(const QString& path)
{
    sockaddr_un addr;
    if (!Address(path, &addr)) {
        errno = ENAMETOOLONG;
        return -1;
    }
    const int fd = NewSocket();
    if (fd < 0)
        return -1;
    ::unlink(addr.sun_path);  // left by an earlier process that had this process id
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    // Nobody can connect before listen(): the mode is in place by then, whatever the umask made of it.
    if (::chmod(addr.sun_path, S_IRWXU) != 0 || ::listen(fd, kBacklog) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(addr.sun_path);
        errno = error;
        return -1;
    }
    return fd;
}

}  // namespace

// One connection: lines in, answers out. Neither waits on the peer; what it cannot take yet waits in a buffer.
class CSingleInst::Peer : public QObject
{
public:
    Peer(int fd, CSingleInst* owner)
        : QObject(owner)
        , m_fd(fd)
        , m_owner(owner)
        , m_in(fd, QSocketNotifier::Read, this)
        , m_out(fd, QSocketNotifier::Write, this)
    {
        m_out.setEnabled(false);
        connect(&m_in, &QSocketNotifier::activated, this, [this] { Read(); });
        connect(&m_out, &QSocketNotifier::activated, this, [this] { Flush(); });
    }
    ~Peer() override
    {
        m_in.setEnabled(false);
        m_out.setEnabled(false);
        ::close(m_fd);
    }

    void Send(QByteArrayView data)
    {
        if (m_closed)
            return;
        m_pending.append(data);
        Flush();
    }

private:
    void Read()
    {
        // A bounded amount per turn, so a peer that floods leaves the window its turns.
        char chunk[16384];
        bool ended = false;
        for (int turn = 0; turn < 4;) {
            const ssize_t n = ::recv(m_fd, chunk, sizeof chunk, 0);
            if (n > 0) {
                m_buffer.append(chunk, n);
                ++turn;
            } else if (n < 0 && errno == EINTR) {
                continue;
            } else {
                ended = n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
                break;
            }
        }
        // A handler may open a nested event loop: this peer is not read again meanwhile, and may be gone after.
        m_in.setEnabled(false);
        const QPointer<Peer> self(this);
        qsizetype start = 0;
        for (qsizetype end; !m_closed && (end = m_buffer.indexOf('\n', start)) >= 0; start = end + 1) {
            m_owner->OnLine(this, QByteArrayView(m_buffer).sliced(start, end + 1 - start));
            if (!self)
                return;
        }
        m_buffer.remove(0, start);
        if (ended || m_buffer.size() > kMaxBuffered)
            Close();
        else if (!m_closed)
            m_in.setEnabled(true);
    }

    void Flush()
    {
        while (m_sent < m_pending.size()) {
            const ssize_t n
                = ::send(m_fd, m_pending.constData() + m_sent, size_t(m_pending.size() - m_sent), MSG_NOSIGNAL);
            if (n > 0) {
                m_sent += n;
            } else if (n < 0 && errno == EINTR) {
                continue;
            } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                if (m_pending.size() - m_sent > kMaxBuffered)
                    return Close();  // it asks and never reads
                m_out.setEnabled(true);
                return;
            } else {
                return Close();  // gone
            }
        }
        m_pending.clear();
        m_sent = 0;
        m_out.setEnabled(false);
    }

    // A deferred answer that comes later finds the peer closed and is dropped.
    void Close()
    {
        if (m_closed)
            return;
        m_closed = true;
        m_in.setEnabled(false);
        m_out.setEnabled(false);
        deleteLater();
    }

    int m_fd;
    CSingleInst* m_owner;
    QSocketNotifier m_in, m_out;
    QByteArray m_buffer, m_pending;
    qsizetype m_sent = 0;
    bool m_closed = false;
};

CSingleInst::CSingleInst(const QString& dir, QObject* parent)
    : QObject(parent)
    , m_dir(dir.isEmpty() ? DefaultDir() : dir)
{
}

CSingleInst::~CSingleInst()
{
    if (m_listenFd < 0)
        return;
    // The slot stays with a later instance that took it over.
    const QString slotName = EndpointName(m_slot);
    if (QFileInfo(slotName).symLinkTarget() == QFileInfo(m_ownName).absoluteFilePath())
        QFile::remove(slotName);
    delete m_listener;
    ::close(m_listenFd);
    QFile::remove(m_ownName);
}

QString CSingleInst::DefaultDir()
{
    // The runtime folder belongs to the user alone; the temporary folder is shared, hence the user id in the names.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

QString CSingleInst::EndpointName(int slot) const
{
    return QDir(m_dir).filePath(QStringLiteral("tickwell-%1-%2").arg(uint(::getuid())).arg(slot));
}

bool CSingleInst::SlotIsLive(int slot) const
{
    if (slot == m_slot && m_listenFd >= 0)
        return true;
    const int fd = Connect(EndpointName(slot), kConnectMs);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool CSingleInst::AskToActivate(int slot) const
{
    const int fd = Connect(EndpointName(slot), kConnectMs);
    if (fd < 0)
        return false;
    // The reply only says the request was read; the running instance may still be busy bringing the window up.
    QByteArray reply;
    if (SendAll(fd, kActivate, QDeadlineTimer(kReplyMs)))
        ReadLine(fd, &reply, QDeadlineTimer(kReplyMs));
    ::close(fd);
    return true;
}

QString CSingleInst::Request(int slot, const QString& request, int timeoutMs, bool* reached) const
{
    if (reached)
        *reached = false;
    const int fd = Connect(EndpointName(slot), kConnectMs);
    if (fd < 0)
        return {};
    if (reached)
        *reached = true;
    QString line = request;
    line.remove(QLatin1Char('\n'));
    QByteArray answer;
    const bool answered = SendAll(fd, QByteArray(kRequest + line.toUtf8() + '\n'), QDeadlineTimer(timeoutMs))
        && ReadLine(fd, &answer, QDeadlineTimer(timeoutMs));
    ::close(fd);
    return answered ? QString::fromUtf8(answer) : QString();
}

CSingleInst::Outcome CSingleInst::Check(const std::function<bool()>& askToActivate)
{
    for (int slot = 0; slot < kSlots; ++slot) {
        if (!SlotIsLive(slot))
            continue;
        if (!askToActivate())
            return Outcome::RunOn;
        // The instance may have ended while the question was open: then this start runs on.
        return AskToActivate(slot) ? Outcome::Activated : Outcome::RunOn;
    }
    return Outcome::RunOn;
}

int CSingleInst::Register()
{
    if (m_listenFd >= 0)
        return m_slot;
    int chosen = -1;
    for (int slot = 0; slot < kSlots && chosen < 0; ++slot)
        if (!SlotIsLive(slot))
            chosen = slot;
    const bool taken = chosen < 0;  // all six live: slot 0's instance gives up its place, as with an overwritten slot
    if (taken)
        chosen = 0;

    // Each instance listens on a name of its own; the slot's name is a link to it. An instance removes only its own
    // name when it ends, so an instance that lost its slot cannot take the endpoint of the one that replaced it.
    const QString slotName = EndpointName(chosen);
    static int serial = 0;
    const QString own = slotName + QStringLiteral(".%1-%2").arg(QCoreApplication::applicationPid()).arg(++serial);
    const QString link = slotName + QStringLiteral(".link");
    QFile::remove(link);
    const int fd = Listen(own);
    if (fd < 0 || !QFile::link(QFileInfo(own).fileName(), link)) {
        qWarning("single-instance endpoint %s: %s", qPrintable(own), fd < 0 ? std::strerror(errno) : "no link");
        if (fd >= 0) {
            ::close(fd);
            QFile::remove(own);
        }
        QFile::remove(link);
        return -1;
    }
    // What a killed instance left behind in this slot goes with it.
    const QString previous = QFileInfo(slotName).symLinkTarget();
    if (!taken && !previous.isEmpty() && previous != QFileInfo(own).absoluteFilePath())
        QFile::remove(previous);
    // Replacing the link in one step: a start looking at this moment finds the old instance or this one.
    if (std::rename(QFile::encodeName(link).constData(), QFile::encodeName(slotName).constData()) != 0) {
        QFile::remove(link);
        ::close(fd);
        QFile::remove(own);
        return -1;
    }
    m_listenFd = fd;
    m_listener = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_listener, &QSocketNotifier::activated, this, &CSingleInst::OnNewConnection);
    m_ownName = own;
    m_slot = chosen;
    return m_slot;
}

void CSingleInst::OnNewConnection()
{
    for (;;) {
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
                // The waiting connection would wake us again at once: listen again a moment later.
                m_listener->setEnabled(false);
                QTimer::singleShot(1000, m_listener, [n = m_listener] { n->setEnabled(true); });
            }
            return;
        }
        int peers = 0;
        for (const QObject* child : children())
            peers += dynamic_cast<const Peer*>(child) != nullptr;
        if (peers >= kMaxPeers)
            ::close(fd);
        else
            new Peer(fd, this);
    }
}

void CSingleInst::OnLine(Peer* peer, QByteArrayView line)
{
    if (line == QByteArrayView(kActivate)) {
        peer->Send(kDone);
        Q_EMIT activateRequested();
    } else if (line.startsWith(kRequest)) {
        const QString request = QString::fromUtf8(line.sliced(qsizetype(sizeof kRequest) - 1).chopped(1));
        QPointer<Peer> to(peer);
        const Reply reply = [to](QString answer) {
            if (!to)
                return;  // the asker gave up
            answer.remove(QLatin1Char('\n'));
            to->Send(QByteArray(answer.toUtf8() + '\n'));
        };
        if (m_deferred)
            m_deferred(request, reply);
        else
            reply(m_handler ? m_handler(request) : QString());
    }
}
