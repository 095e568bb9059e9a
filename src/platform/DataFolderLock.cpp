// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DataFolderLock.h"

#include <QDir>

DataFolderLock::DataFolderLock(const QString& folder)
    : m_file(QDir(folder).filePath(LockFileName()))
{
    // QLockFile would otherwise call a lock stale after 30 seconds even while its holder runs on.
    m_file.setStaleLockTime(0);
}

DataFolderLock::~DataFolderLock() = default;

DataFolderLock::Result DataFolderLock::TryLock(int briefHolderMs)
{
    // tryLock removes a lock whose process is gone (same host, pid no longer running that program).
    if (m_file.isLocked() || m_file.tryLock(0))
        return Result::Locked;
    if (m_file.error() != QLockFile::LockFailedError)
        return Result::Unavailable;
    QString host, app;
    if (!m_file.getLockInfo(&m_holderPid, &host, &app))
        m_holderPid = 0;
    if (briefHolderMs > 0 && app == BriefHolderName()) {
        if (m_file.tryLock(briefHolderMs))
            return Result::Locked;
        if (m_file.error() != QLockFile::LockFailedError)
            return Result::Unavailable;
        if (!m_file.getLockInfo(&m_holderPid, &host, &app))
            m_holderPid = 0;
    }
    return Result::HeldByOther;
}
