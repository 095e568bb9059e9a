// SPDX-License-Identifier: GPL-3.0-or-later
#include "timerules/DueRules.h"
#include "support/TestEnv.h"
#include "support/TestText.h"

#include <initializer_list>
#include <string>

namespace {

// "ok:<text>" or "refused:<text>:<message>".
std::string Outcome(const DueFieldResult& r)
{
    if (r.accepted)
        return "ok:" + r.text.toStdString();
    return "refused:" + r.text.toStdString() + ":" + r.message.toStdString();
}

// Each row: the typed text and the outcome; times are checked next to a date field.
struct DateCase
{
    const char* text;
    const char* expected;
};

void ExpectDates(std::initializer_list<DateCase> cases)
{
    for (const DateCase& c : cases)
        EXPECT_EQ(Outcome(DueDateRules(Q(c.text))), c.expected) << c.text;
}

struct TimeCase
{
    const char* text;
    const char* expected;
    const char* date = "今天";
};

void ExpectTimes(std::initializer_list<TimeCase> cases)
{
    for (const TimeCase& c : cases)
        EXPECT_EQ(Outcome(DueTimeRules(Q(c.text), Q(c.date))), c.expected) << c.text << " next to " << c.date;
}

}  // namespace

TEST(DueDateRules, FixedDatesBecomeShortWordsRulesKeepTheirText)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    ExpectDates({
        { "", "ok:今天" },
        { "  ", "ok:今天" },
        { "明 天", "ok:明天" },
        { "16", "ok:明天" },
        { "12", "ok:2011-12-12" },
        { "2011-10-12", "ok:2011-10-12" },
        { "10-12", "ok:2011-10-12" },
        { "--", "ok:--" },
        // Rules, relative and lunar dates keep their text.
        { "每 周 135", "ok:每周135" },
        { "每月-1天", "ok:每月-1天" },
        { "3天后", "ok:3天后" },
        { "农历8-15", "ok:农历8-15" },
        { "农历每年8-15", "ok:农历每年8-15" },
    });
}

TEST(DueDateRules, UnreadableDatesAreRefused)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    ExpectDates({
        { "abc", "refused:abc:请填写正确的日期" },
        { "32", "refused:2011-12-32:请填写正确的日期" },
        { "每年2-30", "refused:每年2-30:请填写正确的日期" },
        { "农历2-30", "refused:农历2-30:请填写正确的日期" },
        { "每99999999年", "refused:每99999999年:请填写正确的日期" },
        // A date beyond the no-date day would be shown and saved as "--", silently dropping the due date.
        { "2200-1-1", "refused:2200-1-1:请填写正确的日期" },
    });
}

TEST(DueTimeRules, ClockTimesAreWrittenInFull)
{
    ClockGuard clock(2011, 12, 15, 11, 0, 5);
    ExpectTimes({
        { "", "ok:11:00:05" },
        { "10", "ok:10:00:00" },
        { "9:5", "ok:9:05:00" },
        { " 23 : 59 ", "ok:23:59:00" },
        { "--", "ok:--" },
        { "8:30", "ok:8:30:00", "每周135" },
    });
}

TEST(DueTimeRules, RulesRelativeAndNoDateTimesKeepTheirText)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    ExpectTimes({
        { "每2小时30:0", "ok:每2小时30:0", "每天" },
        { "10分钟后", "ok:10分钟后" },
        { "每 30 秒", "ok:每30秒", "每天" },
        // With no due date the due moment has no time of day; the typed time must not turn into 0:00:00.
        { "10", "ok:10:00:00", "--" },
        { "每小时", "ok:每小时", "--" },
    });
}

TEST(DueTimeRules, UnreadableTimesAreRefused)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    ExpectTimes({
        { "abc", "refused:abc:请填写正确的时间!" },
        { "25", "refused:25:00:请填写正确的时间!" },
        { "每小时75", "refused:每小时75:请填写正确的时间!", "每天" },
        // The time is checked together with the date field.
        { "10:00", "refused:10:00:请填写正确的时间!", "每年2-30" },
    });
}
