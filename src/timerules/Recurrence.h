// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timerules/Instant.h"

#include <QString>
#include <QStringList>

#include <optional>

// Recurrence rules. A recurring task keeps its rule only as the texts the user typed ("每周135",
// "每月-1天", "农历每年8-15", "每2小时30:0"); every new due moment comes from evaluating them again.

// The day of the next occurrence of a date rule (midnight); `base` itself when the rule's scan finds no
// matching day; 0 when the text is no date rule, is invalid, or the result would lie after 9999.
Instant EvalDateRule(const QString& text, Instant base);

// The parts of a date rule as the evaluator reads them: the first rule-shaped part of the text, so trailing words
// and a misplaced "农历" count as they do there ("农历每2个月1号" is the solar "每2个月1").
struct DateRuleWords
{
    bool lunar = false;
    qint64 count = 1;  // a missing or zero count is 1
    QString unit;  // 天 周 月 年
    QString spec;  // the detail as written: "135", "1,15", "-1", "8-15"
};
std::optional<DateRuleWords> ReadDateRuleWords(const QString& text);

// Whether a date rule is a whole period on from its base day with no days listed ("每周", "每2个月",
// "每年"). The occurrence after such a rule's due day counts from that day itself.
bool IsPeriodDateRule(const QString& text);

// The next moment of a time rule ("每2小时30:0", "每分钟0秒", "每30分钟", "10分钟后"); 0 when invalid.
Instant EvalTimeRule(const QString& text, Instant base);

// The due moment for a due-date text and a due-time text, counted from `base` (0 or a past moment = now).
// NO_DATE when either text is "--"; 0 when a text cannot be read or a rule has no further occurrence.
// A recurring rule always gives a moment later than now and not earlier than `base`.
Instant ResolveDueTime(const QString& dateText, const QString& timeText, Instant base);

// Where the search for the occurrence after `due` starts when a task moves on at `now`.
Instant NextOccurrenceBase(const QString& dateText, const QString& timeText, Instant due, Instant now);

// The occurrence after `due`, as a task finds it when it comes due at that moment and is finished at once
// (the valid period aside); 0 when the rule has no further occurrence.
Instant NextOccurrence(const QString& dateText, const QString& timeText, Instant due);

// The loop types of the recurrence dialog, in list order.
enum LoopType : int {
    ltDay = 0,
    ltWeek = 1,
    ltMonth = 2,
    ltYear = 3,
    ltHour = 4,
    ltMinute = 5,
    ltSecond = 6,
    ltLunarMonth = 7,
    ltLunarYear = 8,
};
inline constexpr int kLoopTypeCount = 9;

QStringList LoopTypeNames();  // "天" ... "农历年"
QStringList LoopTypeTemplates();  // "每N天" ... "农历每N年"

// What the recurrence dialog shows: type, count, whether a detail is given, and the detail itself.
struct LoopFields
{
    int type = ltDay;
    int count = 1;
    bool specOn = false;
    QString spec;

    bool operator==(const LoopFields&) const = default;
};

struct LoopRuleTexts
{
    QString dateText;
    QString timeText;

    bool operator==(const LoopRuleTexts&) const = default;
};

// The head of a rule: "每天", "每3天", "每2个月", "农历每月", "每2小时". countText is the count field as
// typed; "1" is left out.
QString GetTypeDesc(int type, const QString& countText);
QString GetTypeDesc(int type, int count);

// Cleans and checks the detail for a type. With specOn false the detail is unused: both outputs are
// empty and the result is true. Otherwise *spec receives the detail without spaces and with full-width
// "，" and "－" made plain, and *specDesc its Chinese description ("一三五", "1号15号", "倒数第1天").
bool GetSpecDesc(int type, bool specOn, const QString& specText, QString* spec, QString* specDesc);

// The date and time texts the dialog writes into a task. nullopt when the detail is not valid for the type.
std::optional<LoopRuleTexts> ComposeLoopRule(const LoopFields& fields);

// The dialog fields for a task's texts; nullopt when neither text holds a rule the dialog knows.
std::optional<LoopFields> ParseLoopRule(const QString& dateText, const QString& timeText);
