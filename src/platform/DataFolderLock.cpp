// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DataFolderLock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QThread>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <optional>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class Made { Locked, Exists, Failed };

constexpr qint64 kUnwrittenMs = 10000;

struct Holder
{
    qint64 pid = 0;
    QString program, host;
    QByteArray machineId, bootId;
};

// The file name of the program a process runs; one no program has when the process is gone or not ours to see.
QString ProgramOf(qint64 pid)
{
    char target[PATH_MAX];
    const QByteArray exe = "/proc/" + QByteArray::number(pid) + "/exe";
    const ssize_t n = ::readlink(exe.constData(), target, sizeof target);
    if (n <= 0)
        return QStringLiteral("/ERROR/");
    QByteArray path(target, n);
    if (path.endsWith(" (deleted)"))  // replaced by an update while it runs
        path.chop(10);
    return QFileInfo(QFile::decodeName(path)).fileName();
}

// While the holder runs nobody else takes the file: a stale lock is removed only by whoever can take this.
bool HoldNatively(int fd)
{
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

Made Make(const QString& path, int* fd)
{
    const QByteArray native = QFile::encodeName(path);
    *fd = ::open(native.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (*fd < 0)
        return errno == EEXIST ? Made::Exists : Made::Failed;
    HoldNatively(*fd);  // a file system without locks still has O_EXCL
    const qint64 pid = QCoreApplication::applicationPid();
    const QByteArray text = QByteArray::number(pid) + '\n' + ProgramOf(pid).toUtf8() + '\n'
        + QSysInfo::machineHostName().toUtf8() + '\n' + QSysInfo::machineUniqueId() + '\n' + QSysInfo::bootUniqueId()
        + '\n';
    for (qsizetype done = 0; done < text.size();) {
        const ssize_t n = ::write(*fd, text.constData() + done, size_t(text.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {  // a full disk
            ::unlink(native.constData());
            ::close(*fd);
            *fd = -1;
            return Made::Failed;
        }
        done += n;
    }
    return Made::Locked;
}

void Release(const QString& path, int fd)
{
    ::unlink(QFile::encodeName(path).constData());
    ::close(fd);
}

// Never blocks: a pipe or a device in the lock file's place tells nothing and is never taken over.
std::optional<Holder> ReadHolder(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat st
    {
    };
    QFile file;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !file.open(fd, QIODevice::ReadOnly, QFile::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    const auto line = [&] {
        QByteArray l = file.readLine(4096);
        if (l.endsWith('\n'))
            l.chop(1);
        return l;
    };
    Holder h;
    bool ok = false;
    h.pid = line().toLongLong(&ok);
    h.program = QString::fromUtf8(line());
    h.host = QString::fromUtf8(line());
    h.machineId = line();
    h.bootId = line();
    if (!ok || h.pid <= 0)
        return std::nullopt;  // still being written, or not a lock file
    return h;
}

// QLockFile's rules: a holder on this machine is gone when the machine has booted since, or its process id is
// free or now runs another program; `staleMs` > 0 also calls a lock of that age stale. One more: a file that never
// got its details.
bool IsStale(const QString& path, qint64 staleMs)
{
    const std::optional<Holder> holder = ReadHolder(path);
    if (const auto& h = holder) {
        bool sameHost = h->host.isEmpty() || h->host == QSysInfo::machineHostName();
        if (!h->machineId.isEmpty()) {
            const QByteArray ours = QSysInfo::machineUniqueId();
            if (!ours.isEmpty())
                sameHost = ours == h->machineId;
        }
        if (sameHost) {
            if (!h->bootId.isEmpty() && h->bootId != QSysInfo::bootUniqueId())
                return true;
            if ((::kill(pid_t(h->pid), 0) != 0 && errno == ESRCH) || ProgramOf(h->pid) != h->program)
                return true;
        }
    }
    const QFileInfo file(path);
    const qint64 age = qAbs(file.lastModified().msecsTo(QDateTime::currentDateTime()));
    // A holder writes its details the moment it has made the file. Without them long after, the file is what a
    // power cut left of a lock whose details never reached the disk (it is not flushed); whoever can take the
    // native lock may remove it.
    if (!holder && file.isFile() && age > kUnwrittenMs)
        return true;
    return staleMs > 0 && age > staleMs;
}

// Removed only when no process holds it natively: a holder that is still writing its details is left alone.
bool RemoveStale(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool removed = HoldNatively(fd) && ::unlink(native.constData()) == 0;
    ::close(fd);
    return removed;
}

// QLockFile::tryLock without the flush: two processes taking over one stale lock agree through "<name>.rmlock",
// itself a lock file (stale after 30 s), as QLockFile does.
Made TryLockFile(const QString& path, int timeoutMs, qint64 staleMs, int* fd)
{
    const QDeadlineTimer deadline(qMax(timeoutMs, 0));
    int sleepMs = 100;
    for (;;) {
        const Made made = Make(path, fd);
        if (made != Made::Exists)
            return made;
        if (IsStale(path, staleMs)) {
            const QString guardPath = path + QStringLiteral(".rmlock");
            int guard = -1;
            if (TryLockFile(guardPath, 0, 30000, &guard) == Made::Locked) {
                const bool removed = IsStale(path, staleMs) && RemoveStale(path);
                Release(guardPath, guard);
                if (removed)
                    continue;
            }
        }
        const qint64 left = deadline.remainingTime();
        if (left <= 0)
            return Made::Exists;
        QThread::msleep(ulong(qMin<qint64>(sleepMs, left)));
        if (sleepMs < 5000)
            sleepMs *= 2;
    }
}

}  // namespace

DataFolderLock::DataFolderLock(const QString& folder)
    : m_path(QDir(folder).filePath(LockFileName()))
{
}

DataFolderLock::~DataFolderLock()
{
    if (m_fd >= 0)
        Release(m_path, m_fd);
}

DataFolderLock::Result DataFolderLock::TryLock(int briefHolderMs)
{
    if (m_fd >= 0)
        return Result::Locked;
    // A live holder's lock is never stale by age, however long it runs.
    Made made = TryLockFile(m_path, 0, 0, &m_fd);
    std::optional<Holder> holder;
    if (made == Made::Exists) {
        holder = ReadHolder(m_path);
        if (briefHolderMs > 0 && holder && holder->program == BriefHolderName()) {
            made = TryLockFile(m_path, briefHolderMs, 0, &m_fd);
            holder = ReadHolder(m_path);
        }
    }
    m_holderPid = made == Made::Exists && holder ? holder->pid : 0;
    if (made == Made::Locked)
        return Result::Locked;
    return made == Made::Exists ? Result::HeldByOther : Result::Unavailable;
}
