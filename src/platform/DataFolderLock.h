// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// One program at a time writes a data folder: the holder keeps "twdata.lock" in it for its whole run. A lock
// left behind by a process that died (kill -9, a crash, a power cut) is taken over; a live holder's lock is
// never, however old. Reading the folder (tickwell-cli) needs no lock.
// The file and its rules are those of QLockFile, which earlier releases hold the folder with (one may run beside
// this one): "pid\nprogram file name\nhost name\nmachine id\nboot id\n", made with O_EXCL and held with flock.
// QLockFile also flushes the file to disk, which costs a start several milliseconds; here a power cut may leave
// the file without its details instead, and such a file is taken over once it is seconds old.
class DataFolderLock
{
public:
    explicit DataFolderLock(const QString& folder);
    ~DataFolderLock();
    DataFolderLock(const DataFolderLock&) = delete;
    DataFolderLock& operator=(const DataFolderLock&) = delete;

    enum class Result {
        Locked,  // this process holds the folder
        HeldByOther,  // a live process holds it
        Unavailable,  // no lock file can be made there (a read-only folder): nobody can write it anyway
    };
    // `briefHolderMs`: how long to wait when the holder is tickwell-cli, which holds the folder only for one edit;
    // a program holds it for its whole run and is never waited for.
    Result TryLock(int briefHolderMs = 0);
    bool IsLocked() const { return m_fd >= 0; }
    // The process id of the other holder after a failed TryLock; 0 when unknown.
    qint64 HolderPid() const { return m_holderPid; }

    static QString LockFileName() { return QStringLiteral("twdata.lock"); }
    // The program file name of tickwell-cli, which the lock file records.
    static QString BriefHolderName() { return QStringLiteral("tickwell-cli"); }

private:
    QString m_path;
    int m_fd = -1;
    qint64 m_holderPid = 0;
};
