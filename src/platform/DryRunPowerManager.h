// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/IPowerManager.h"

#include <cstdio>

// Prints the action it would have performed, one line each, and does nothing else: for trying out power
// commands and for testing the real program without risking the machine.
class DryRunPowerManager : public IPowerManager
{
public:
    explicit DryRunPowerManager(std::FILE* out = stdout)
        : m_out(out)
    {
    }

    bool Perform(PowerAction action, bool force, QString* error) override;

    // The line printed for an action, without the line break.
    static QString Describe(PowerAction action, bool force);

private:
    std::FILE* m_out;
};
