// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

// Waits up to `ms` for `condition`, running this process's events meanwhile (timers, and endpoints of this
// process that another program asks); true as soon as it holds. Tests wait for a sign, never for a fixed time.
template <class Condition> bool WaitFor(Condition condition, int ms = 20000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
    return true;
}

inline bool WaitForFile(const QString& path, int ms = 5000)
{
    return WaitFor([&path] { return QFileInfo::exists(path); }, ms);
}
