// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/CTask.h"
#include "support/TestEnv.h"
#include "support/TestText.h"
#include "timerules/Recurrence.h"

#include <random>
#include <string>
#include <vector>

namespace {

// A task as the editor leaves it: texts, the due moment they give now, the alarm.
void Prepare(CTask& task, const char* date, const char* time)
{
    task.sDueDate = Q(date);
    task.sDueTime = Q(time);
    task.dtDueDT = ResolveDueTime(task.sDueDate, task.sDueTime, 0);
    task.dtAlarmDT = task.CalcAlarm();
}

// The occurrence comes due and is finished at the given moment.
void Finish(CTask& task, ClockGuard& clock, Instant at)
{
    clock.clock().Set(at);
    task.SetStatus(tsDue);
    task.SetStatus(tsFinished);
}

}  // namespace

TEST(TaskRecurrence, WhichTextsRecur)
{
    CTask task;
    EXPECT_FALSE(task.IsRecurring());
    task.sDueDate = Q("每周135");
    EXPECT_TRUE(task.IsRecurringDate());
    EXPECT_FALSE(task.IsRecurringTime());
    EXPECT_TRUE(task.IsRecurring());
    task.sDueDate = Q("3天后");
    task.sDueTime = Q("每30分钟");
    EXPECT_FALSE(task.IsRecurringDate());
    EXPECT_TRUE(task.IsRecurringTime());
    EXPECT_TRUE(task.IsRecurring());
}

TEST(TaskRecurrence, DailyTaskMovesToTheNextDay)
{
    ClockGuard clock(2011, 12, 15, 9, 0);
    CTask task;
    Prepare(task, "每天", "10:00");
    task.sManualAlarm = Q("-15");
    ASSERT_EQ(Show(task.dtDueDT), "2011-12-15 10:00:00");

    Finish(task, clock, MakeInstant(2011, 12, 15, 10, 3));
    EXPECT_TRUE(task.NextRecurring(true));
    EXPECT_EQ(Show(task.dtDueDT), "2011-12-16 10:00:00");
    EXPECT_EQ(Show(task.dtAlarmDT), "2011-12-16 09:45:00");  // the offset carries over
    EXPECT_EQ(Show(task.dtStartDT), "2011-12-15 10:03:00");
    EXPECT_EQ(task.dtFinishDT, 0);
    EXPECT_EQ(task.eStatus(), tsNotStarted);
}

// Finishing an occurrence moves the task on to the next one.
TEST(TaskRecurrence, FinishingMovesToTheNextOccurrence)
{
    struct Case
    {
        const char* what;
        Instant now;
        const char* date;
        const char* time;
        const char* due;
        Instant finishedAt;  // 0: when it comes due
        const char* next;
    };
    const Case cases[] = {
        { "finishing early skips the current day", MakeInstant(2011, 12, 15, 8), "每天", "10:00", "2011-12-15 10:00:00",
            MakeInstant(2011, 12, 15, 8, 30), "2011-12-16 10:00:00" },
        { "every third day counts from the due day", MakeInstant(2011, 12, 15, 9), "每3天", "10:00",
            "2011-12-17 10:00:00", 0, "2011-12-20 10:00:00" },
        { "a time rule counts from now", MakeInstant(2011, 12, 15, 10, 45), "每天", "每2小时30:0",
            "2011-12-15 12:30:00", 0, "2011-12-15 14:30:00" },
    };
    ClockGuard clock(2011, 12, 15, 9, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clock.clock().Set(c.now);
        CTask task;
        Prepare(task, c.date, c.time);
        EXPECT_EQ(Show(task.dtDueDT), c.due);
        Finish(task, clock, c.finishedAt ? c.finishedAt : task.dtDueDT);
        EXPECT_TRUE(task.NextRecurring(true));
        EXPECT_EQ(Show(task.dtDueDT), c.next);
    }
}

TEST(TaskRecurrence, AnAbsoluteAlarmBelongsToTheOccurrenceThatEnded)
{
    ClockGuard clock(2011, 12, 15, 9, 0);
    CTask task;
    Prepare(task, "每天", "10:00");
    task.sManualAlarm = Q("2011-12-15 9:30");
    Finish(task, clock, MakeInstant(2011, 12, 15, 10, 0));
    EXPECT_TRUE(task.NextRecurring(true));
    EXPECT_TRUE(task.sManualAlarm.isEmpty());
    EXPECT_EQ(Show(task.dtAlarmDT), "2011-12-16 10:00:00");
}

// 2011-12-19 is a Monday.
TEST(TaskRecurrence, ValidPeriodStartingLater)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    CTask task;
    task.sDueDate = Q("每周135");
    task.sDueTime = Q("9:00");
    task.dtValidFromDT = MakeInstant(2011, 12, 19);
    EXPECT_TRUE(task.NextRecurring(true));
    EXPECT_EQ(Show(task.dtDueDT), "2011-12-19 09:00:00");
    EXPECT_EQ(Show(task.dtStartDT), "2011-12-19 00:00:00");  // the cycle starts with the period

    // From Monday noon, Monday 9:00 lies before the period: the first occurrence is Wednesday.
    task.dtValidFromDT = MakeInstant(2011, 12, 19, 12);
    EXPECT_TRUE(task.NextRecurring(true));
    EXPECT_EQ(Show(task.dtDueDT), "2011-12-21 09:00:00");
    EXPECT_EQ(task.eStatus(), tsNotStarted);
}

TEST(TaskRecurrence, NoOccurrenceInsideTheValidPeriodExpires)
{
    ClockGuard clock(2011, 12, 15, 9, 0);
    CTask task;
    Prepare(task, "每天", "10:00");
    task.dtValidToDT = MakeInstant(2011, 12, 15, 23, 59);
    const Instant due = task.dtDueDT;
    Finish(task, clock, due);

    EXPECT_FALSE(task.NextRecurring(false));
    EXPECT_EQ(task.eStatus(), tsFinished);  // without the status flag nothing changes
    EXPECT_FALSE(task.NextRecurring(true));
    EXPECT_EQ(task.eStatus(), tsExpired);
    EXPECT_EQ(task.dtDueDT, due);
}

// A rule with no further occurrence must not store 0: the task would fire at once, and after every finish.
TEST(TaskRecurrence, RuleWithoutOccurrenceExpiresAndKeepsItsDueMoment)
{
    ClockGuard clock(2011, 12, 15, 9, 0);
    for (const char* date : { "每年2-30", "每99999999年", "每月0" }) {
        CTask task;
        task.sDueDate = Q(date);
        task.sDueTime = Q("10:00");
        task.dtDueDT = MakeInstant(2011, 12, 1, 10);
        task.dtAlarmDT = task.dtDueDT;
        task.SetStatus(tsFinished);
        EXPECT_FALSE(task.NextRecurring(true)) << date;
        EXPECT_EQ(task.eStatus(), tsExpired) << date;
        EXPECT_EQ(Show(task.dtDueDT), "2011-12-01 10:00:00") << date;
        EXPECT_EQ(Show(task.dtAlarmDT), "2011-12-01 10:00:00") << date;
    }
}

TEST(TaskRecurrence, NoDueMomentStaysWithoutOne)
{
    ClockGuard clock(2011, 12, 15, 9, 0);
    CTask task;
    task.sDueDate = Q("每天");
    task.sDueTime = Q("--");
    task.dtDueDT = NO_DATE;
    EXPECT_TRUE(task.NextRecurring(true));
    EXPECT_EQ(task.dtDueDT, NO_DATE);
    // A due moment of NO_DATE with readable texts counts from now, not from the year 2173.
    task.sDueTime = Q("10:00");
    EXPECT_TRUE(task.NextRecurring(true));
    EXPECT_EQ(Show(task.dtDueDT), "2011-12-15 10:00:00");
}

// Finishing each occurrence when it comes due, or a little later, always moves the task forward.
TEST(TaskRecurrence, EachNextOccurrenceIsLater)
{
    std::mt19937 rng(2011);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const char* dates[] = { "每天", "每2天", "每周135", "每周7", "每2周3", "每月-1天", "每月1,15号", "每2个月31号",
        "每年2-29", "每年1-1,6-30", "农历每年8-15", "农历每月1,15" };
    const char* times[]
        = { "9:00", "0:00", "23:59:59", "每2小时30:0", "每小时0分", "每分钟0秒", "每10分钟", "每3小时59:59", "每30秒" };
    ClockGuard clock(2011, 12, 15, 9, 0);
    for (int i = 0; i < 600; ++i) {
        clock.Set(pick(1995, 2040), pick(1, 12), pick(1, 28), pick(0, 23), pick(0, 59), pick(0, 59));
        CTask task;
        Prepare(task, dates[pick(0, 11)], times[pick(0, 8)]);
        task.sManualAlarm = pick(0, 1) ? Q("-15") : QString();
        SCOPED_TRACE(task.sDueDate.toStdString() + " " + task.sDueTime.toStdString() + " from " + Show(Clock::Now()));
        ASSERT_NE(task.dtDueDT, 0);
        for (int step = 0; step < 4; ++step) {
            const Instant previous = task.dtDueDT;
            Finish(task, clock, pick(0, 2) == 0 ? AddSeconds(previous, pick(1, 900)) : previous);
            if (!task.NextRecurring(true)) {
                EXPECT_EQ(task.eStatus(), tsExpired);
                EXPECT_EQ(task.dtDueDT, previous);
                break;
            }
            EXPECT_GT(SecondDiff(previous, task.dtDueDT), 0) << Show(task.dtDueDT);
            EXPECT_GT(SecondDiff(Clock::Now(), task.dtDueDT), 0) << Show(task.dtDueDT);
            EXPECT_EQ(task.eStatus(), tsNotStarted);
        }
    }
}

// A weekly, monthly or yearly task keeps its weekday or day of the month from one occurrence to the next.
TEST(TaskRecurrence, WholePeriodRulesKeepTheirDay)
{
    ClockGuard clock(2011, 12, 15, 9, 0);  // a Thursday
    struct Case
    {
        const char* date;
        std::vector<std::string> dues;
    };
    const Case cases[] = {
        { "每周", { "2011-12-22 10:00:00", "2011-12-29 10:00:00", "2012-01-05 10:00:00" } },
        { "每2周", { "2011-12-29 10:00:00", "2012-01-12 10:00:00", "2012-01-26 10:00:00" } },
        { "每月", { "2012-01-15 10:00:00", "2012-02-15 10:00:00", "2012-03-15 10:00:00" } },
        { "每年", { "2012-12-15 10:00:00", "2013-12-15 10:00:00", "2014-12-15 10:00:00" } },
        { "每3天", { "2011-12-17 10:00:00", "2011-12-20 10:00:00", "2011-12-23 10:00:00" } },
    };
    for (const Case& c : cases) {
        clock.Set(2011, 12, 15, 9, 0);
        CTask task;
        Prepare(task, c.date, "10:00");
        std::vector<std::string> seen { Show(task.dtDueDT) };
        for (int i = 0; i < 2; ++i) {
            Finish(task, clock, AddSeconds(task.dtDueDT, i == 0 ? 0 : 13 * 3600));  // at once, or late that day
            ASSERT_TRUE(task.NextRecurring(true));
            seen.push_back(Show(task.dtDueDT));
        }
        EXPECT_EQ(seen, c.dues) << c.date;
    }
}
