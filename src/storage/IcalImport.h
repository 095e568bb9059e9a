// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/TaskList.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// Events and to-dos of an iCalendar file as new tasks. Times are converted to the system time zone; an all-day
// entry is due at the start of its day. A recurring entry whose rule the program can say (checked against
// libical's own expansion, exceptions included) keeps recurring under the program's rule texts; any other is
// taken as its next occurrence only. Entries that are over (no occurrence after now), cancelled or completed
// are left out. No imported task runs a command: a description beginning with ":" would make a check command
// of it, so its colon is made the full-width "：".
struct IcalImportResult
{
    std::vector<TaskPtr> tasks;  // in file order, not yet numbered
    QStringList nextOnly;  // titles of recurring entries taken as their next occurrence only
    int over = 0;  // entries with no occurrence after now, cancelled or completed
    int unreadable = 0;  // entries without a start or due moment
};

// False with a description in `error` when the text is no iCalendar data.
bool ReadIcal(const QByteArray& data, IcalImportResult& out, QString* error = nullptr);
bool ReadIcalFile(const QString& path, IcalImportResult& out, QString* error = nullptr);

// The one message that reports an import: how many tasks, which recurring entries came in as their next
// occurrence only, and what was left out.
QString IcalImportSummary(const IcalImportResult& result, int added);
