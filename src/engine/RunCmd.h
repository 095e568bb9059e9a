// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/IDesktopOpener.h"

#include <QString>

#include <functional>
#include <memory>

// Receives the power-action commands (those beginning with "@") and says whether the action was accepted.
// Without a handler such commands are refused.
using PowerCommandHandler = std::function<bool(const QString& command)>;
void SetPowerCommandHandler(PowerCommandHandler handler);
PowerCommandHandler CurrentPowerCommandHandler();

// Starts the action command of a task: a program with its parameters, a document or a web address,
// or (beginning with "@") a power action. A leading "-" asks for the program to start hidden. An empty
// start folder means the data folder. True when the command was started.
bool RunCmd(const QString& command, const QString& startDir);
