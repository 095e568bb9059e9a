// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>

// Tells when the machine has woken from suspend: network connections and timers are stale then, so whoever keeps
// something in step with a server starts over.
class ISleepWatcher
{
public:
    virtual ~ISleepWatcher() = default;
    // `woke` runs on the thread that set it, once after each resume; an empty function stops the calls.
    virtual void SetWokeHandler(std::function<void()> woke) = 0;
};

namespace Platform {

// logind's PrepareForSleep on the system bus; a watcher that never calls when there is no system bus.
std::unique_ptr<ISleepWatcher> MakeSleepWatcher();

}  // namespace Platform
