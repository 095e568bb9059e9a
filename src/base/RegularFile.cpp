// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/RegularFile.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString KindText(mode_t mode)
{
    if (S_ISFIFO(mode))
        return QCoreApplication::translate("RegularFile", "它是命名管道，不是普通文件");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QCoreApplication::translate("RegularFile", "它是设备，不是普通文件");
    if (S_ISDIR(mode))
        return QCoreApplication::translate("RegularFile", "它是文件夹，不是普通文件");
    return QCoreApplication::translate("RegularFile", "它不是普通文件");
}

QString ErrnoText(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

}  // namespace

RegularFileOpen OpenRegularFile(const QString& path, QFile& file, QString* error)
{
    QString ignored;
    QString& why = error ? *error : ignored;
    const QByteArray native = QFile::encodeName(path);
    struct stat st = {};
    if (::stat(native.constData(), &st) != 0) {
        const int code = errno;
        if (code == ENOENT || code == ENOTDIR)
            return RegularFileOpen::Missing;
        why = ErrnoText(code);
        return RegularFileOpen::Failed;
    }
    if (!S_ISREG(st.st_mode)) {
        why = KindText(st.st_mode);
        return RegularFileOpen::NotRegular;
    }
    // The file may be swapped for a pipe between the look and the open: opened without blocking, it is
    // looked at again through the descriptor.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int code = errno;
        why = ErrnoText(code);
        return code == ENOENT ? RegularFileOpen::Missing : RegularFileOpen::Failed;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        why = KindText(st.st_mode);
        ::close(fd);
        return RegularFileOpen::NotRegular;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags != -1)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        why = file.errorString();
        ::close(fd);
        return RegularFileOpen::Failed;
    }
    return RegularFileOpen::Opened;
}
