// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ICheckLauncher.h"

// The Linux launcher: a child process per check, started directly (no shell) with /dev/null for its input
// and output.
class ProcessCheckLauncher : public ICheckLauncher
{
public:
    std::unique_ptr<ICheckProcess> Start(const QStringList& argv) override;
};
