// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/IPowerManager.h"

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

// Installs a RecordingPowerManager for the life of the guard and puts the previous manager back.
class PowerManagerGuard
{
public:
    PowerManagerGuard()
        : m_fake(std::make_shared<RecordingPowerManager>())
        , m_previous(Power::Manager())
    {
        Power::SetManager(m_fake);
    }
    ~PowerManagerGuard() { Power::SetManager(m_previous); }
    PowerManagerGuard(const PowerManagerGuard&) = delete;
    PowerManagerGuard& operator=(const PowerManagerGuard&) = delete;

    RecordingPowerManager* operator->() { return m_fake.get(); }
    RecordingPowerManager& operator*() { return *m_fake; }

private:
    std::shared_ptr<RecordingPowerManager> m_fake;
    std::shared_ptr<IPowerManager> m_previous;
};
