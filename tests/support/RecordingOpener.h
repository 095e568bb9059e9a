// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/IDesktopOpener.h"
#include "support/FakeGuard.h"

#include <QStringList>

#include <vector>

// Stands in for the desktop opener: records what would have been opened and opens nothing.
class RecordingOpener : public IDesktopOpener
{
public:
    struct Call
    {
        QString file, parameters, dir;
        ShowState show;
    };

    bool Open(const QString& file, const QString& parameters, const QString& dir, ShowState show) override
    {
        calls.push_back({ file, parameters, dir, show });
        opened << (parameters.isEmpty() ? file : file + QLatin1Char(' ') + parameters);
        return result;
    }

    std::vector<Call> calls;
    QStringList opened;  // file, followed by its parameters when there are any
    bool result = true;
};

// A recording opener in force for the guard's life: `guard->calls`.
using OpenerGuard = FakeGuard<RecordingOpener, IDesktopOpener>;
