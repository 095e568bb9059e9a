// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DataFolderLock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString LockIn(const QTemporaryDir& dir)
{
    return dir.filePath(DataFolderLock::LockFileName());
}

qint64 DeadPid()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

}  // namespace

// Earlier releases hold the folder with QLockFile and may run beside this one: each sees the other's lock, and
// the file says the same.
TEST(DataFolderLock, WritesWhatQLockFileWritesAndEachSeesTheOther)
{
    QTemporaryDir ours, theirs;
    std::optional<DataFolderLock> lock(std::in_place, ours.path());
    ASSERT_EQ(lock->TryLock(), DataFolderLock::Result::Locked);
    QLockFile older(LockIn(theirs));
    older.setStaleLockTime(0);
    ASSERT_TRUE(older.tryLock(0));
    EXPECT_EQ(ReadAll(LockIn(ours)), ReadAll(LockIn(theirs)));

    QLockFile olderOnOurs(LockIn(ours));
    EXPECT_FALSE(olderOnOurs.tryLock(0));
    EXPECT_EQ(olderOnOurs.error(), QLockFile::LockFailedError);
    DataFolderLock second(theirs.path());
    EXPECT_EQ(second.TryLock(), DataFolderLock::Result::HeldByOther);
    EXPECT_EQ(second.HolderPid(), QCoreApplication::applicationPid());
    older.unlock();
    EXPECT_EQ(second.TryLock(), DataFolderLock::Result::Locked);

    lock.reset();
    EXPECT_FALSE(QFileInfo::exists(LockIn(ours))) << "released with its holder";
}

// What another process left in the folder: taken over only when its holder is surely gone.
TEST(DataFolderLock, TakesOverOnlyALockWhoseHolderIsGone)
{
    const QByteArray pid = QByteArray::number(QCoreApplication::applicationPid());
    const QByteArray program = QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8();
    const QByteArray here = QSysInfo::machineHostName().toUtf8() + '\n' + QSysInfo::machineUniqueId() + '\n';
    const QByteArray boot = QSysInfo::bootUniqueId() + '\n';
    const struct
    {
        const char* what;
        QByteArray text;
        bool takenOver;
        bool heldNatively = false;
        int ageSeconds = 0;
    } cases[] = {
        { "process ended", QByteArray::number(DeadPid()) + '\n' + program + '\n' + here + boot, true },
        { "process id reused by another program", pid + "\nsomething-else\n" + here + boot, true },
        { "written before the last boot", pid + '\n' + program + '\n' + here + "earlier-boot\n", true },
        { "live holder", pid + '\n' + program + '\n' + here + boot, false },
        { "another machine's, on a shared folder", "1\nx\nother-host\nother-machine\nb\n", false },
        { "holder still writing it", "", false },
        { "left without its details by a power cut", "", true, false, 60 },
        { "without details, old, but held", "", false, true, 60 },
        { "process ended but the file still held", QByteArray::number(DeadPid()) + "\nx\n" + here + boot, false, true },
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        QFile file(LockIn(dir));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.text);
        file.flush();
        file.setFileTime(QDateTime::currentDateTime().addSecs(-c.ageSeconds), QFileDevice::FileModificationTime);
        if (c.heldNatively) {
            ASSERT_EQ(::flock(file.handle(), LOCK_EX | LOCK_NB), 0);
        }
        DataFolderLock lock(dir.path());
        EXPECT_EQ(lock.TryLock(), c.takenOver ? DataFolderLock::Result::Locked : DataFolderLock::Result::HeldByOther)
            << c.what;
        EXPECT_EQ(ReadAll(LockIn(dir)) == c.text, !c.takenOver) << c.what;
        EXPECT_FALSE(QFileInfo::exists(LockIn(dir) + QStringLiteral(".rmlock"))) << c.what;
    }

    // A pipe in the lock file's place is neither read (that would wait for a writer) nor removed.
    QTemporaryDir dir;
    ASSERT_EQ(::mkfifo(QFile::encodeName(LockIn(dir)).constData(), 0600), 0);
    EXPECT_EQ(DataFolderLock(dir.path()).TryLock(), DataFolderLock::Result::HeldByOther);
    EXPECT_FALSE(QFileInfo(LockIn(dir)).isFile());
}
