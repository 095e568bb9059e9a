// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RuntimeFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace RuntimeFolder {

QString DefaultPath()
{
    const uid_t uid = ::geteuid();
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size_t(size > 0 ? size : 16384));
    passwd entry {};
    passwd* found = nullptr;
    QString user;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name)
        user = QFile::decodeName(found->pw_name);
    if (user.isEmpty())
        user = QString::number(uid);
    return QDir::tempPath() + QStringLiteral("/runtime-") + user;
}

Outcome ChooseWhenUnset(QString* error)
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return Outcome::Named;
    const QString path = DefaultPath();
    const QByteArray native = QFile::encodeName(path);
    auto refuse = [&](const char* reason) {
        if (error)
            *error = QCoreApplication::translate("RuntimeFolder", "运行时文件夹 %1 不能用：%2")
                         .arg(QDir::toNativeSeparators(path), QCoreApplication::translate("RuntimeFolder", reason));
        return Outcome::Refused;
    };
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return refuse(QT_TRANSLATE_NOOP("RuntimeFolder", "无法建立"));
    // What is checked is what is used: the folder opened once, a link not followed.
    const int fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return refuse(QT_TRANSLATE_NOOP("RuntimeFolder", "不是文件夹，或是链接"));
    struct stat st
    {
    };
    const bool own = ::fstat(fd, &st) == 0 && st.st_uid == ::geteuid();
    const bool closed = own && ((st.st_mode & 07777) == 0700 || ::fchmod(fd, 0700) == 0);
    ::close(fd);
    if (!own)
        return refuse(QT_TRANSLATE_NOOP("RuntimeFolder", "属于别的用户"));
    if (!closed)
        return refuse(QT_TRANSLATE_NOOP("RuntimeFolder", "无法设为仅本用户可用"));
    qputenv("XDG_RUNTIME_DIR", native);
    return Outcome::Chosen;
}

}  // namespace RuntimeFolder
