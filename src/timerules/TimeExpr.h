// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timerules/Instant.h"

#include <QDate>
#include <QString>

#include <optional>

// The non-recurring vocabulary of due-date and due-time texts, alarm offsets, and the short Chinese
// formatters. Pure functions of their inputs and of Clock. Parsers return 0 for text they cannot read;
// nothing here throws, whatever the text or the number.

// A text the date-literal recogniser accepts: a date, a clock time, or both. The accepted forms are listed
// beside the recogniser in TimeExpr.cpp.
struct DateLiteral
{
    bool hasDate = false;
    bool hasTime = false;
    QDate date;  // valid when hasDate
    int seconds = 0;  // seconds of the day, when hasTime

    // The instant: date at midnight plus the time; a time alone lies on day 0 (1899-12-30), so "0:00" alone
    // has the value 0. Callers that must tell a midnight time from "unreadable" look at the literal itself.
    Instant Value() const;
};

// A month-day literal ("10-12", "1月1日") takes the current year from Clock.
std::optional<DateLiteral> ParseDateLiteral(const QString& text);
bool IsDateLiteral(const QString& text);

// Parsers.
// "昨天" "前天" "今天" "明天" "后天" relative to the day of baseDay (0 = today), else a date literal, else 0.
Instant ParseDayWord(const QString& text, Instant baseDay = 0);
// "" gives 0, "--" NO_DATE, month-day texts a day of the current year, other date literals their value.
Instant TextToDate(const QString& text);
Instant ParseLunarDate(const QString& text);  // the text after "农历": "8-15" (next occurrence) or "2011-8-15"
Instant LunarToSolar(int y, int m, int d);  // never the leap month; 0 outside the lunar table
// "3天后", "1个月后", "1年后": base moved on, time of day kept; 0 when the text has no such part.
Instant EvalRelativeDate(const QString& text, Instant base);
// "10分钟后", "1小时", "每30秒": base moved on by that span; 0 when the text names no such unit.
Instant EvalRelativeTime(const QString& text, Instant base);
// An alarm offset ("-15", "-1小时", "2天") or an absolute moment relative to base. Empty text gives base,
// base NO_DATE gives NO_DATE, unreadable text 0 with *errInfo set.
Instant ParseTimeOffset(Instant base, const QString& text, QString* errInfo = nullptr);

// The number an offset or postponement text begins with: blanks, an optional sign, digits, one decimal
// point; reading stops at the first other character ("-15分钟" is -15, "1.5小时" 1.5, "-" and "abc" 0).
double LeadingNumber(QStringView text);

// Predicates.
bool IsRecurringText(const QString& text);  // contains 每
bool IsRelativeText(const QString& text);  // ends with 后

// Formatters. 0 and values at or beyond NO_DATE show as "--" unless stated, and so do values no calendar
// can show (not finite, before the year 100).
QString FormatFriendlyTime(Instant dt);
QString FormatDuration(Instant fromDT, Instant toDT);  // only values >= NO_DATE show as "--"

// What FormatFriendlyTime says of a moment, for a wording in another language: no day when it is today, a day
// word up to two days away, else the day of this month, the month and day of this year, or the whole date.
struct FriendlyMoment
{
    enum Day { None, Today, Near, DayOfMonth, MonthDay, FullDate } day = None;  // None: not showable ("--")
    qint64 offset = 0;  // Near: days from today, -2 to 2
    int year = 0, month = 0, dayOfMonth = 0;
    int seconds = 0;  // of the day; 0 shows the day alone
};
FriendlyMoment DescribeMoment(Instant dt);
// The same against a day read from the clock once, for a list that describes many moments of one "now".
FriendlyMoment DescribeMoment(Instant dt, const QDate& today);
// What FormatDuration says of a span: whole days when three or more apart, else hours, minutes and seconds
// (seconds only when under a minute).
struct DurationParts
{
    bool showable = false;
    bool negative = false;
    qint64 days = 0;  // nonzero: the span is said in days (signed)
    qint64 hours = 0, minutes = 0, seconds = 0;
};
DurationParts DescribeDuration(Instant fromDT, Instant toDT);
QString FormatDateWord(Instant value);
QString FormatDateWord(const QString& text);  // a date text is formatted; any other text comes back unchanged
QString FormatDateTimeText(Instant dt);  // "yyyy-mm-dd hh:nn:ss"; "--" for 0 and what FormatPattern cannot show
QString FormatDateText(Instant dt);  // "yyyy-mm-dd"
QString SolarToLunarText(Instant dt);  // "8-15" or "2010-12-20"; "" outside the lunar table

// Formats an instant with the program's date pattern letters: yyyy yy mm m dd d hh h nn n ss; an "mm" right
// after "hh:" means minutes. Other characters stand for themselves. Values >= NO_DATE and values no calendar
// can show give "--"; 0 is formatted as 1899-12-30 00:00:00, since a time of day alone is a small value.
QString FormatPattern(Instant dt, const QString& pattern);

// The forms written back into the editor fields: a date literal "yyyy-m-d" and a time literal "h:nn:ss".
QString DateLiteralText(Instant date);
QString TimeLiteralText(Instant time);
