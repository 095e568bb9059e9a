// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/RealProgram.h"

// One run of the real tickwell-cli: its exit code and what it printed.
using CliRun = ProgramRun;

inline CliRun Cli(const QStringList& args)
{
    return RunProgram(QStringLiteral(TW_CLI_PATH), args);
}
