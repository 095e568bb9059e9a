// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Autorun.h"

#include <QCoreApplication>
#include <QList>

// Stands in for the autostart entry, which the main window is handed at load: remembers what was asked and
// keeps the entry in memory. With `works` false every write fails and changes nothing.
class RecordingAutorun : public IAutorun
{
public:
    std::optional<QString> Read() const override { return exec; }
    bool Set(bool enable) override
    {
        calls << enable;
        if (!works)
            return false;
        exec = enable ? std::optional<QString>(QStringLiteral("\"%1\" -m").arg(QCoreApplication::applicationFilePath()))
                      : std::nullopt;
        return true;
    }

    std::optional<QString> exec;  // the entry's command; none when there is no entry
    QList<bool> calls;
    bool works = true;
};
