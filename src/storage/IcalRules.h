// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timerules/Instant.h"
#include "timerules/Recurrence.h"

#include <QString>

#include <libical/ical.h>

#include <optional>
#include <vector>

// The bridge between the program's rule texts and iCalendar recurrence rules (RFC 5545, RSCALE from RFC 7529),
// shared by the calendar export and import. Instants are local wall-clock moments; rules are expanded from a
// floating start, so they are compared field by field, as the program itself counts.

// A rule is compared with its iCalendar form over this span from its start, and at most kIcalCompareMax
// occurrences: enough for every kind of period the rules know (a yearly rule shows two occurrences).
inline constexpr int kIcalCompareYears = 2;
inline constexpr int kIcalCompareMax = 400;
// How many occurrences a rule with no exact iCalendar form is written as, its due moment included.
inline constexpr int kIcalListedOccurrences = 20;

// The program's occurrences of a rule: `due` itself, then each next one (as a task finds it when finished at
// its due moment), while not later than `until` (0: no end) and at most `max` of them.
std::vector<Instant> RuleOccurrences(
    const QString& dateText, const QString& timeText, Instant due, Instant until, int max);

// The occurrences of an RRULE value (without "RRULE:") from a floating start, the same way bounded. Empty when
// libical cannot read the rule.
std::vector<Instant> ExpandRRule(const QString& rrule, Instant start, Instant until, int max);

// The RRULE value that gives exactly the rule's occurrences from `due` on, without UNTIL or COUNT, in libical's
// own spelling; empty when the rule has no such form (for instance "每2周15", "每30秒").
QString RRuleFor(const QString& dateText, const QString& timeText, Instant due);

// The program's rule texts for an RRULE value starting at `start`: a proposal that the caller still checks
// against the expansion. nullopt when the rule has parts the texts cannot say.
std::optional<LoopRuleTexts> RuleTextsFor(const QString& rrule, Instant start);

// An RRULE value as libical reads it. libical hands the reader the calendar name (RSCALE=CHINESE) to free.
struct ParsedRRule
{
    explicit ParsedRRule(const QString& rrule);
    ~ParsedRRule();
    ParsedRRule(const ParsedRRule&) = delete;
    ParsedRRule& operator=(const ParsedRRule&) = delete;
    icalrecurrencetype rec;
};

// A moment's wall-clock fields as a floating iCalendar time, and back (a date alone is its midnight).
icaltimetype IcalWallTime(Instant value);
Instant WallInstant(const icaltimetype& t);

// The time text of a moment: "9:05" or "9:05:30" when it has seconds.
QString ClockText(Instant moment);
