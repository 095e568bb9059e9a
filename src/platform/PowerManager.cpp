// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/IPowerManager.h"

namespace {

std::shared_ptr<IPowerManager>& Current()
{
    // Created on first use: a program that never performs a power action never connects to the system bus.
    static std::shared_ptr<IPowerManager> manager;
    return manager;
}

}  // namespace

namespace Power {

void SetManager(std::shared_ptr<IPowerManager> manager)
{
    Current() = std::move(manager);
}

std::shared_ptr<IPowerManager> Manager()
{
    if (!Current())
        Current() = MakeSystemPowerManager();
    return Current();
}

}  // namespace Power
