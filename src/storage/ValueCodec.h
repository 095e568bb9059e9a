// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timerules/Instant.h"

#include <QString>
#include <QStringView>

// The values of the data file and of the legacy file as texts: numbers, flags and instants in the spellings this
// program and its earlier versions wrote, and those of hand edits. Instants are written with FormatDateTimeText.
class ValueCodec
{
public:
    // A whole number (a decimal text is rounded). False for a null or unreadable text.
    static bool ReadInt(const QString& text, int& value);
    // "true"/"false" in any letter case, or a number (0 false, anything else true).
    static bool ReadBool(const QString& text, bool& value);
    // Dates read like the due and alarm instants: "--" is NO_DATE, the empty text 0, "m-d" that day of the
    // current year, anything else a date and time. False for a null or unreadable text.
    static bool ReadDueText(const QString& text, Instant& value);
    // The other dates: "--" (what the writer puts for an instant of 0) and the empty text are 0, anything else
    // must be a date and time.
    static bool ReadDateTime(const QString& text, Instant& value);
    // A date with an optional time ("2010-10-01 09:05:00", "2010/10/1 9:05", "2010-10-1"), or a time alone
    // (on day 0). False for anything else.
    static bool ParseDateTimeText(QStringView text, Instant& value);
};
