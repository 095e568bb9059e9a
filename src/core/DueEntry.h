// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/CTask.h"

#include <QString>

// The checks a task's due fields get before the task is written, shared by the task editor and tickwell-cli so
// that both accept the same texts and refuse the others with the same words.
struct DueEntry
{
    bool ok = false;
    QString message;  // why the texts were refused
    bool warning = false;  // the message is a warning rather than information
    bool alarmText = false;  // the manual alarm text was refused, not the due fields
    Instant due = 0;
    Instant alarm = 0;
    QString dateText;  // what the task stores as sDueDate / sDueTime / sManualAlarm
    QString timeText;
    QString manualAlarm;
};

// `dateText` and `timeText` have passed DueDateRules/DueTimeRules; they and the alarm text may be English. `period`
// gives the valid period; `status` is the status the task will have; `testDue`: a freshly set due moment is checked
// against now rather than the alarm.
DueEntry ResolveDueEntry(const QString& dateText, const QString& timeText, const QString& manualAlarm,
    const CTask& period, TaskStatus status, bool testDue);

// Both field rules and then ResolveDueEntry, as the editor applies them to a new task with the given texts
// (empty date: today; empty time: the editor's first choice, ten minutes from now).
DueEntry CheckNewTaskDue(const QString& dateText, const QString& timeText);
