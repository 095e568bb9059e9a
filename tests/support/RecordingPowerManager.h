// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/IPowerManager.h"
#include "support/FakeGuard.h"

#include <vector>

// Stands in for the system's power manager: records each request and performs nothing.
class RecordingPowerManager : public IPowerManager
{
public:
    struct Call
    {
        PowerAction action;
        bool force;
        bool operator==(const Call&) const = default;
    };

    bool Perform(PowerAction action, bool force, QString* error) override
    {
        calls.push_back({ action, force });
        if (!result && error)
            *error = failure;
        return result;
    }

    std::vector<Call> calls;
    bool result = true;
    QString failure = QStringLiteral("CanPowerOff error=no");  // reported when `result` is false
};

using PowerManagerGuard = FakeGuard<RecordingPowerManager, IPowerManager>;
