// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LogindSleepWatcher.h"

#include <QDBusConnection>

LogindSleepWatcher::LogindSleepWatcher()
{
    // No system bus (a container, a test): the watcher simply never calls.
    QDBusConnection bus = QDBusConnection::systemBus();
    if (bus.isConnected())
        bus.connect(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
            SLOT(PrepareForSleep(bool)));
}

void LogindSleepWatcher::PrepareForSleep(bool sleeping)
{
    if (!sleeping && m_woke)
        m_woke();
}

std::unique_ptr<ISleepWatcher> Platform::MakeSleepWatcher()
{
    return std::make_unique<LogindSleepWatcher>();
}
