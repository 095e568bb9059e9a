// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/TaskList.h"

#include <QByteArray>
#include <QString>

// The tasks as an iCalendar file (RFC 5545) that other calendars import: one VEVENT per task that still has
// occurrences, with its due moment in the system time zone (and that zone's VTIMEZONE), its alarm as a VALARM,
// category, priority and description. A rule with an exact iCalendar form becomes an RRULE (lunar rules with
// RSCALE=CHINESE, RFC 7529); any other is written as its next occurrences (RDATE) with its texts kept in
// X-TICKWELL-DUEDATE and X-TICKWELL-DUETIME, so an import restores it.

inline constexpr char kIcalDueDateProperty[] = "X-TICKWELL-DUEDATE";
inline constexpr char kIcalDueTimeProperty[] = "X-TICKWELL-DUETIME";

// Whether a task goes into the export: a plain task (custom-event tasks alert on their check, not at a time)
// that has a due moment and is not finished, cancelled or expired.
bool IsIcalExportable(const CTask& task);

// The whole file. `exported`, when given, receives the number of tasks written.
QByteArray IcalText(const TaskList& tasks, int* exported = nullptr);
// Waiting tasks left out because their due moment was never worked out (a file written by hand or by an older
// version stores "--"): the scan never reminds them either, so no calendar entry can say when they are.
int IcalUnresolvedCount(const TaskList& tasks);

// Writes IcalText to `path` under the same rules as the CSV export (never onto `dataFile`, never onto a FIFO or
// a device, replaced only once complete). False with a description in `error`.
bool ExportIcal(const TaskList& tasks, const QString& path, QString* error = nullptr,
    const QString& dataFile = QString(), int* exported = nullptr);
