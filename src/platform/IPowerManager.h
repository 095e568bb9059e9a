// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

// The power actions, in the order the shutdown dialog lists them (the order is the action code stored
// nowhere but used as the list index).
enum class PowerAction { Shutdown = 0, Hibernate = 1, Standby = 2, Restart = 3, LogOff = 4 };

// Asks the system to shut down, hibernate, suspend, restart or end the user's session. The program uses the
// system's power manager; `--power-dry-run` swaps in one that only prints, and tests install a recording one,
// so nothing a test does can ever switch the machine off.
class IPowerManager
{
public:
    virtual ~IPowerManager() = default;
    // Performs `action` now. `force` goes ahead even when other programs have asked the system to hold off.
    // False when the action was refused or could not be requested; `error` then names the failing call and
    // the reason, as "<call> error=<reason>".
    virtual bool Perform(PowerAction action, bool force, QString* error) = 0;
};

namespace Power {

// The manager in force; nullptr restores the system's one.
void SetManager(std::shared_ptr<IPowerManager> manager);
std::shared_ptr<IPowerManager> Manager();

}  // namespace Power

// The system's power manager on this platform (systemd-logind on the system bus).
std::shared_ptr<IPowerManager> MakeSystemPowerManager();
