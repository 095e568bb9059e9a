#pragma once

#include "timerules/Instant.h"

#include <QString>

#include <optional>

// The non-recurring vocabulary of due-date and due-time texts, alarm offsets, and the short Chinese
// formatters. Pure functions of their inputs and of Clock. Parsers return 0 for text they cannot read.

// A text the date-literal recogniser accepts: a date, a clock time, or both.
struct DateLiteral
{
    bool hasDate = false;
    bool hasTime = false;
    QDate date;       // valid when hasDate
    int seconds = 0;  // seconds of the day, when hasTime

    // The instant: date at midnight plus the time; a time alone lies on day 0 (1899-12-30).
    Instant Value() const;
};

std::optional<DateLiteral> ParseDateLiteral(const QString& text);
bool IsDateLiteral(const QString& text);

// Parsers.
Instant ParseDayWord(const QString& text, Instant baseDay = 0);
Instant TextToDate(const QString& text);
Instant ParseLunarDate(const QString& text);  // the text after "农历"
Instant LunarToSolar(int y, int m, int d);
Instant EvalRelativeDate(const QString& text, Instant base);
Instant EvalRelativeTime(const QString& text, Instant base);
Instant ParseTimeOffset(Instant base, const QString& text, QString* errInfo = nullptr);

// Predicates.
bool IsRecurringText(const QString& text);  // contains 每
bool IsRelativeText(const QString& text);   // ends with 后

// Formatters. 0 and values at or beyond NO_DATE show as "--" unless stated.
QString FormatFriendlyTime(Instant dt);
QString FormatDuration(Instant fromDT, Instant toDT);  // only values >= NO_DATE show as "--"
QString FormatDateWord(Instant value);
QString FormatDateWord(const QString& text);  // a date text is formatted; any other text comes back unchanged
QString FormatDateTimeText(Instant dt);       // "yyyy-mm-dd hh:nn:ss"
QString FormatDateText(Instant dt);           // "yyyy-mm-dd"
QString SolarToLunarText(Instant dt);         // "8-15" or "2010-12-20"; "" outside the lunar table

// Formats an instant with the program's date pattern letters: yyyy yy mm m dd d hh h nn n ss; an "mm" right
// after "hh:" means minutes. Other characters stand for themselves.
QString FormatPattern(Instant dt, const QString& pattern);

// The forms written back into the editor fields: a date literal "yyyy-m-d" and a time literal "h:nn:ss".
QString DateLiteralText(Instant date);
QString TimeLiteralText(Instant time);
