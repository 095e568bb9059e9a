// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ISleepWatcher.h"

#include <QObject>

// Listens to logind's PrepareForSleep(false), which it sends once the machine runs again.
class LogindSleepWatcher : public QObject, public ISleepWatcher
{
    Q_OBJECT
public:
    LogindSleepWatcher();
    void SetWokeHandler(std::function<void()> woke) override { m_woke = std::move(woke); }

private Q_SLOTS:
    void PrepareForSleep(bool sleeping);

private:
    std::function<void()> m_woke;
};
