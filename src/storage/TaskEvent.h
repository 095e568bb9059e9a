// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/CTask.h"

#include <QByteArray>
#include <QString>

// A task as one calendar resource on a CalDAV server: a VCALENDAR holding one VEVENT whose UID is the task's
// permanent identity. Calendar clients read the standard properties (SUMMARY, DESCRIPTION for the memo,
// CATEGORIES, PRIORITY, DTSTART at the due moment, a VALARM at the alarm moment, STATUS:CANCELLED); another
// Tickwell restores the task exactly from the X-TICKWELL-* properties beside them (the rule and alarm texts,
// the status, the ring, the valid period). A rule with an exact Gregorian RRULE is written as that rule; any
// other, lunar rules included, as the dates it gives over the next years (RDATE), since calendar servers and
// phones refuse or misread lunar RRULEs.
//
// What runs anything never leaves the machine: commands, documents, power actions and event checks are not
// written, and nothing read from a server sets them.

struct TaskEventOptions
{
    Instant now = 0;  // local wall clock; the listed dates start here
    int rdateYears = 3;
};

// At most this many dates are listed for a rule with no exact RRULE ("every 30 seconds" stops here).
inline constexpr int kEventListedMax = 1000;

// Whether a task goes to the calendar at all: a plain task (an event check alerts on its check, not at a time,
// and its description is the check itself) with a due moment a calendar can show.
bool IsSyncableTask(const CTask& task);

// The resource for a task, which must have a UID. `previous` is the last copy read from the server (may be
// empty): the properties, alarms and other components that Tickwell did not write are carried over as they
// are; a settled task's foreign alarms are marked acknowledged.
QByteArray TaskToEvent(const CTask& task, const QByteArray& previous, const TaskEventOptions& options);

// Reads a resource into a task, new or existing. The fields that run things (command, document, power action,
// check) keep the task's own values, and so does its ring file; a description beginning with ":" loses that
// power (its colon is made "："). An event written by another client is read from its standard properties:
// a recurring one keeps recurring when the program can say its rule, else it is taken at its next occurrence;
// one with no occurrence after now comes in as expired (tsExpired), so nothing rings for the past. False with
// a reason in `error` for data that is not one VEVENT with a UID and a start.
bool EventToTask(const QByteArray& ics, CTask& task, QString* error = nullptr);

// Whether the dates a resource lists for the task (a rule with no RRULE) fall short of today's look-ahead by
// more than kRenewAfterDays: the resource is then written again, so calendars keep showing the coming dates.
inline constexpr int kRenewAfterDays = 30;
bool EventNeedsRenewal(const CTask& task, const QByteArray& ics, const TaskEventOptions& options);

// The UID of a resource ("" when it has none or is no calendar data): what the sync engine files it under.
QString EventUid(const QByteArray& ics);
