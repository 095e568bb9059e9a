// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ICheckLauncher.h"
#include "support/FakeGuard.h"

#include <QFile>
#include <QStringList>

#include <vector>

// Stands in for the check launcher: records each start (with the text of a script it was given while the
// script still existed) and runs nothing. A started check runs until the test ends it with Finish().
class RecordingLauncher : public ICheckLauncher
{
public:
    struct State
    {
        bool ended = false;
        int exitCode = 0;
    };
    struct Started
    {
        QStringList argv;
        QByteArray script;  // the contents of the last argument when it named a readable file at the start
        std::shared_ptr<State> state;
    };

    std::unique_ptr<ICheckProcess> Start(const QStringList& argv) override
    {
        if (!startable)
            return nullptr;
        QFile file(argv.size() > 1 ? argv.back() : QString());
        Started s { argv, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), std::make_shared<State>() };
        started.push_back(s);
        return std::make_unique<Process>(s.state);
    }

    void Finish(size_t index, int exitCode)
    {
        started.at(index).state->ended = true;
        started.at(index).state->exitCode = exitCode;
    }

    std::vector<Started> started;
    bool startable = true;  // false: every start fails

private:
    class Process : public ICheckProcess
    {
    public:
        explicit Process(std::shared_ptr<State> state)
            : m_state(std::move(state))
        {
        }
        bool WaitForEnd(int) override { return m_state->ended; }
        int ExitCode() const override { return m_state->exitCode; }

    private:
        std::shared_ptr<State> m_state;
    };
};

// A recording launcher in force for the guard's life: `guard->started`.
using LauncherGuard = FakeGuard<RecordingLauncher, ICheckLauncher>;
