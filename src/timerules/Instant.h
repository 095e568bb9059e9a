// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

// An instant is an OLE automation date: days since 1899-12-30 00:00 local wall-clock time, the fraction
// being the time of day. It carries no time zone on purpose: a reminder set for 10:00 rings when the
// wall clock says 10:00, whatever the offset is that day. 0 means "not set".
using Instant = double;

// The due moment of a task whose due date or due time is "--" (a day in the year 2173).
inline constexpr Instant NO_DATE = 100000.0;

inline constexpr int SECONDS_PER_DAY = 86400;

// Conversions. Out-of-range or non-finite instants give an invalid QDate/QDateTime; invalid inputs give 0.
Instant InstantFromDate(const QDate& date);
Instant InstantFromDateTime(const QDate& date, const QTime& time);
Instant InstantFromDateTime(const QDateTime& dt);  // the wall-clock fields, zone ignored
Instant InstantFromTime(const QTime& time);  // a time of day alone, on day 0
Instant MakeInstant(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

QDate DateOf(Instant value);  // the calendar day of the instant
QTime TimeOf(Instant value);  // the time of day, to the nearest second
QDateTime DateTimeOf(Instant value);  // both fields, carried in a UTC QDateTime (no zone shifts)
int SecondsOfDay(Instant value);  // 0..86399

// Whether the instant names a day that QDate can show (year 100..9999, finite).
bool IsRepresentable(Instant value);
// The Julian day and the second of that day, in one step for code that describes many instants; false (and both
// left alone) where DateOf gives an invalid date.
bool SplitInstant(Instant value, qint64& julianDay, int& secondOfDay);

// Date part (midnight) and time-of-day part. Values at or beyond NO_DATE come back as NO_DATE.
Instant DatePart(Instant value);
Instant TimePart(Instant value);

// Calendar arithmetic. Months and years clamp the day to the end of a shorter month
// (Jan 31 + 1 month = Feb 28/29). The time of day is kept. Results outside 100..9999 give 0.
Instant AddDays(Instant value, double days);
Instant AddSeconds(Instant value, double seconds);
Instant AddMonths(Instant value, qint64 months);
Instant AddYears(Instant value, qint64 years);

// Whole-day difference counting midnights crossed: 23:59 and 00:01 the next morning are one day apart.
qint64 DayDiff(Instant from, Instant to);
// Difference in whole seconds (rounded), to - from.
qint64 SecondDiff(Instant from, Instant to);

// The same wall-clock second? Instants built by different arithmetic may differ in the last bits.
bool SameSecond(Instant a, Instant b);
// a is at or after b, to the second.
bool AtOrAfter(Instant a, Instant b);
