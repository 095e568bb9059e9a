// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timerules/Instant.h"

#include <QByteArray>
#include <QString>

#include <libical/ical.h>

#include <vector>

// What the calendar export, the import and the calendar sync share beyond the rules: the system time zone as a
// file names it, local moments of iCalendar times, priorities, alarm offsets and the series an entry states.

// The system time zone as a file names it: its IANA name with libical's VTIMEZONE for it; UTC itself; or, for
// a zone libical does not know, no zone at all (floating times, the wall clock the program keeps).
struct IcalZone
{
    QByteArray id;
    icaltimezone* builtin = nullptr;  // owned by libical
    bool utc = false;
};
IcalZone SystemIcalZone();

// Adds the zone's VTIMEZONE to a calendar (nothing for UTC and floating times).
void AddIcalZone(icalcomponent* calendar, const IcalZone& zone);

// UTC from a local wall-clock moment.
icaltimetype IcalUtcTime(Instant local);
// A local wall-clock moment in the zone's form: zoned (the caller adds the TZID parameter), UTC or floating.
icaltimetype IcalZonedTime(Instant local, const IcalZone& zone);
// Adds the TZID parameter a time in the zone needs.
void AddIcalZoneParameter(icalproperty* property, const IcalZone& zone);

// The local wall-clock moment of an iCalendar time: floating times and dates as written, zoned and UTC times
// converted to the system zone.
Instant IcalLocalInstant(const icaltimetype& t);

// iCalendar priorities: 1 highest ... 9 lowest; "1-4 high, 5 medium, 6-9 low" (RFC 5545); 0 is undefined.
int IcalPriority(int priority);
int TaskPriorityFromIcal(int icalPriority);

// A property's text, trimmed ("" for none).
QString IcalTrimmed(const char* text);
// The first X-property of that name in the component, trimmed; null when there is none.
QString IcalXText(icalcomponent* component, const char* name);
// Adds an X-property with a text value.
void AddIcalX(icalcomponent* component, const char* name, const QString& value);

// libical writes the values of X-properties without escaping their commas and semicolons, and servers that
// read them as lists keep the text up to the first comma ("农历每月1,15号" came back from Radicale as "农历每月1").
// Escapes them (RFC 5545 TEXT) in the properties whose names begin with `prefix`; libical reads them back as
// written.
QByteArray EscapeIcalXTexts(const QByteArray& ics, const QByteArray& prefix);

// An alarm's offset from the entry's start in seconds (a TRIGGER related to the end counts the entry's
// duration; an absolute TRIGGER its distance from `start`). False when the alarm has no TRIGGER.
bool IcalAlarmOffset(icalcomponent* alarm, icalcomponent* entry, Instant start, qint64& offset);
// An offset in the program's alarm text: minutes ("-15") or seconds ("-30秒"); "" for none.
QString AlarmOffsetText(qint64 offset);

// The occurrences of an entry as it states them (RRULE, RDATE, EXDATE), in local time, up to `until`.
struct IcalSeries
{
    std::vector<Instant> all;  // sorted, from the start on
    bool ends = false;  // COUNT or UNTIL ended the rule before `until`, or there is no rule
    bool recurring = false;
    QString rrule;  // the rule without COUNT and UNTIL
};
// `walkFrom`, when given, lets an open-ended rule of a week or less be walked from just before that moment instead
// of from its start (the occurrences before it are then left out).
IcalSeries ExpandIcalEntry(icalcomponent* entry, const icaltimetype& start, Instant until, Instant walkFrom = 0);
