// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include <memory>

// A started check process. The program never ends a check: whoever holds the handle keeps it until the
// process has ended on its own.
class ICheckProcess
{
public:
    virtual ~ICheckProcess() = default;
    // Waits at most `ms` milliseconds (0: only looks) and says whether the process has ended.
    virtual bool WaitForEnd(int ms) = 0;
    // Once ended: its exit code; a process killed by a signal reports 128 + the signal number (never 0).
    virtual int ExitCode() const = 0;
};

// Starts the checks of custom-event tasks: a program with its arguments and no shell around it, reading
// nothing and writing its output nowhere, so a check that writes a lot never stalls on a pipe nobody reads.
class ICheckLauncher
{
public:
    virtual ~ICheckLauncher() = default;
    // Null when the program could not be started (missing, not executable); then nothing is left running.
    virtual std::unique_ptr<ICheckProcess> Start(const QStringList& argv) = 0;
};

namespace Platform {

// The launcher in force; the system's own until a test installs another. nullptr restores the system's one.
std::shared_ptr<ICheckLauncher> CheckLauncher();
void SetCheckLauncher(std::shared_ptr<ICheckLauncher> launcher);

}  // namespace Platform
