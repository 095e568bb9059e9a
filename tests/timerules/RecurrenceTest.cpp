// SPDX-License-Identifier: GPL-3.0-or-later
#include "timerules/Recurrence.h"
#include "support/TestEnv.h"
#include "support/TestText.h"
#include "timerules/TimeExpr.h"

#include <cstdlib>
#include <ctime>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

namespace {

// Table rows: the rule text, where it counts from, and the expected occurrence as Show writes it.
struct DateCase
{
    const char* rule;
    Instant base;
    const char* expected;
};

void ExpectDateRules(std::initializer_list<DateCase> cases)
{
    for (const DateCase& c : cases)
        EXPECT_EQ(Show(EvalDateRule(Q(c.rule), c.base)), c.expected) << c.rule << " from " << Show(c.base);
}

// Time rules count from a moment on 2011-12-15.
struct TimeCase
{
    const char* rule;
    int hh, nn, ss;
    const char* expected;
};

void ExpectTimeRules(std::initializer_list<TimeCase> cases)
{
    for (const TimeCase& c : cases)
        EXPECT_EQ(Show(EvalTimeRule(Q(c.rule), MakeInstant(2011, 12, 15, c.hh, c.nn, c.ss))), c.expected)
            << c.rule << " from " << c.hh << ':' << c.nn << ':' << c.ss;
}

std::string Resolve(const char* date, const char* time, Instant base = 0)
{
    return Show(ResolveDueTime(Q(date), Q(time), base));
}

// Resolved against the clock the test has set.
struct ResolveCase
{
    const char* date;
    const char* time;
    const char* expected;
    Instant base = 0;
};

void ExpectResolved(std::initializer_list<ResolveCase> cases)
{
    for (const ResolveCase& c : cases)
        EXPECT_EQ(Resolve(c.date, c.time, c.base), c.expected)
            << c.date << " / " << c.time << " from " << Show(c.base) << ", now " << Show(Clock::Now());
}

}  // namespace

TEST(DateRule, SolarRules)
{
    ExpectDateRules({
        // Weekly; 2011-12-12 is a Monday.
        { "每周", MakeInstant(2011, 12, 12), "2011-12-19 00:00:00" },
        { "每2周", MakeInstant(2011, 12, 12), "2011-12-26 00:00:00" },
        { "每周135", MakeInstant(2011, 12, 13), "2011-12-14 00:00:00" },  // Tuesday -> Wednesday
        { "每周135", MakeInstant(2011, 12, 12), "2011-12-12 00:00:00" },  // the base day itself counts
        { "每周6", MakeInstant(2011, 12, 18), "2011-12-24 00:00:00" },  // Sunday -> Saturday
        { "每周7", MakeInstant(2011, 12, 18), "2011-12-18 00:00:00" },
        // Every second week: one week skipped, then the scan starts the day after.
        { "每2周1", MakeInstant(2011, 12, 12), "2011-12-26 00:00:00" },
        // The time of day of the base is dropped.
        { "每周", MakeInstant(2011, 12, 12, 15, 30), "2011-12-19 00:00:00" },
        // Daily and relative.
        { "每天", MakeInstant(2011, 12, 15, 11), "2011-12-15 00:00:00" },
        { "每3天", MakeInstant(2011, 12, 15), "2011-12-17 00:00:00" },
        { "每0天", MakeInstant(2011, 12, 15), "2011-12-15 00:00:00" },
        // Relative texts keep the base's time of day.
        { "3天后", MakeInstant(2011, 12, 15, 11), "2011-12-18 11:00:00" },
        { "1个月后", MakeInstant(2012, 1, 31), "2012-02-29 00:00:00" },
        { "1年后", MakeInstant(2012, 2, 29), "2013-02-28 00:00:00" },
        // Monthly on given days.
        { "每月", MakeInstant(2012, 1, 31), "2012-02-29 00:00:00" },
        { "每2个月", MakeInstant(2011, 12, 15), "2012-02-15 00:00:00" },
        { "每月1,15号", MakeInstant(2011, 12, 15), "2011-12-15 00:00:00" },
        { "每月1,15号", MakeInstant(2011, 12, 16), "2012-01-01 00:00:00" },
        { "每月31", MakeInstant(2011, 2, 1), "2011-03-31 00:00:00" },  // within the 62-day scan
        // Every two months: one month on, then from the day after.
        { "每2个月15号", MakeInstant(2011, 12, 15), "2012-02-15 00:00:00" },
        { "每2个月1,15号", MakeInstant(2011, 12, 15), "2012-02-01 00:00:00" },
        // Numbers are compared as written.
        { "每月01", MakeInstant(2011, 12, 15), "2011-12-15 00:00:00" },  // nothing found: the base
        { "每月0", MakeInstant(2011, 12, 15), "0" },
        { "每月32", MakeInstant(2011, 12, 15), "0" },
        { "每月-32", MakeInstant(2011, 12, 15), "0" },
        { "每月,1", MakeInstant(2011, 12, 15), "0" },  // the leading number is 0
        // Monthly, counted from the end of the month.
        { "每月-1天", MakeInstant(2012, 1, 15), "2012-01-31 00:00:00" },
        { "每月-1天", MakeInstant(2012, 1, 31), "2012-02-29 00:00:00" },  // not strictly later
        { "每月-1天", MakeInstant(2011, 1, 31), "2011-02-28 00:00:00" },
        { "每月-2", MakeInstant(2012, 1, 15), "2012-01-30 00:00:00" },
        { "每月-1,-2", MakeInstant(2012, 1, 15), "2012-01-31 00:00:00" },  // only the first number counts
        { "每月-31", MakeInstant(2011, 3, 5), "2011-03-31 00:00:00" },
        { "每月-1", MakeInstant(2011, 12, 31), "2012-01-31 00:00:00" },  // across the year
        // Yearly.
        { "每年", MakeInstant(2012, 2, 29), "2013-02-28 00:00:00" },
        { "每年1-1,2-1", MakeInstant(2011, 12, 15), "2012-01-01 00:00:00" },
        { "每年12-15", MakeInstant(2011, 12, 15), "2011-12-15 00:00:00" },
        // Every second year: 23 months on, then the scan.
        { "每2年1-1", MakeInstant(2011, 12, 15), "2014-01-01 00:00:00" },
        // 366 days without a 29 February: the scan finds nothing and gives its base back.
        { "每年2-29", MakeInstant(2013, 3, 1, 9), "2013-03-01 09:00:00" },
        { "每年2-29", MakeInstant(2015, 3, 1), "2016-02-29 00:00:00" },
        { "每年01-01", MakeInstant(2011, 12, 15), "2011-12-15 00:00:00" },
    });
}

TEST(DateRule, Lunar)
{
    ExpectDateRules({
        // Lunar 2012-8-15 is 2012-09-30; lunar 2012-4-15 is 2012-05-05, the leap fourth month's 15th 2012-06-04.
        { "农历每年8-15", MakeInstant(2011, 12, 15), "2012-09-30 00:00:00" },
        { "农历每年4-15", MakeInstant(2012, 5, 6), "2012-06-04 00:00:00" },
        { "农历每年1-15,8-15", MakeInstant(2012, 1, 1), "2012-02-06 00:00:00" },
        // Lunar 2011-11-21 is 2011-12-15; the 1st of lunar month 12 is 2011-12-25.
        { "农历每月1,15号", MakeInstant(2011, 12, 15), "2011-12-25 00:00:00" },
        { "农历每个月21", MakeInstant(2011, 12, 15), "2011-12-15 00:00:00" },
        // Lunar forms with a count or without days pass the shape filter only as solar rules.
        { "农历每2个月1号", MakeInstant(2011, 12, 15), "2012-02-01 00:00:00" },
        { "农历每月", MakeInstant(2011, 12, 15), "2012-01-15 00:00:00" },
        // Outside the lunar table nothing matches: the base comes back.
        { "农历每年8-15", MakeInstant(2060, 1, 1), "2060-01-01 00:00:00" },
    });
}

TEST(DateRule, NotARuleOrBeyondTheCalendar)
{
    ExpectDateRules({
        { "", MakeInstant(2011, 12, 15), "0" }, { "abc", MakeInstant(2011, 12, 15), "0" },
        { "明天", MakeInstant(2011, 12, 15), "0" }, { "每", MakeInstant(2011, 12, 15), "0" },
        { "每天", std::numeric_limits<double>::quiet_NaN(), "0" },
        // Counts that run off the calendar.
        { "每99999999年", MakeInstant(2011, 12, 15), "0" },
        { "每99999999999999999999999天", MakeInstant(2011, 12, 15), "0" },
        { "每9999999周135", MakeInstant(2011, 12, 15), "0" },  // also with weekdays
        { "每99999999个月-1", MakeInstant(2011, 12, 15), "0" },  // and from the month's end
        { "每7988年", MakeInstant(2011, 12, 15), "9999-12-15 00:00:00" },
        { "每7989年", MakeInstant(2011, 12, 15), "0" },
        { "每年12-31", MakeInstant(9999, 12, 31), "9999-12-31 00:00:00" },
        { "每年1-1", MakeInstant(9999, 12, 31), "0" },  // the scan runs off the calendar
    });
}

TEST(TimeRule, AtAFixedMinuteOrSecond)
{
    ExpectTimeRules({
        { "每2小时30:0", 10, 45, 0, "2011-12-15 12:30:00" },
        { "每2小时30:0", 10, 15, 0, "2011-12-15 11:30:00" },
        { "每小时0分", 10, 20, 0, "2011-12-15 11:00:00" },
        { "每小时0分", 10, 0, 0, "2011-12-15 10:00:00" },  // equal to the base: the base
        { "每小时18:18", 23, 30, 0, "2011-12-16 00:18:18" },
        { "每小时75", 10, 0, 0, "0" },
        { "每小时30:60", 10, 0, 0, "0" },
        { "每分钟0秒", 10, 20, 30, "2011-12-15 10:21:00" },
        { "每10分钟0秒", 10, 20, 30, "2011-12-15 10:30:00" },
        { "每分30秒", 10, 20, 0, "2011-12-15 10:20:30" },
        { "每分钟60秒", 10, 20, 0, "0" },
    });
}

TEST(TimeRule, PlainSpans)
{
    ExpectTimeRules({
        { "每小时", 10, 20, 0, "2011-12-15 11:20:00" },
        { "每1小时", 10, 20, 0, "2011-12-15 11:20:00" },
        { "每30分钟", 10, 20, 0, "2011-12-15 10:50:00" },
        { "每30秒", 10, 20, 0, "2011-12-15 10:20:30" },
        { "10分钟后", 10, 20, 0, "2011-12-15 10:30:00" },
        { "每9999999分钟", 10, 20, 0, "2030-12-19 20:59:00" },
        { "每99999999999999小时", 10, 20, 0, "0" },
        { "每天", 10, 20, 0, "0" },
        { "10:00", 10, 20, 0, "0" },
    });
}

TEST(ResolveDueTime, NoDueMomentAndUnreadableTexts)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    ExpectResolved({
        { "--", "10:00", "--" },
        { "每天", " -- ", "--" },
        { "今天", "abc", "0" },
        { "今天", "10", "0" },  // a bare number is no clock time
        { "abc", "10:00", "0" },
        { "每年2-30", "10:00", "0" },
        { "农历2-30", "10:00", "0" },
    });
}

TEST(ResolveDueTime, FixedDates)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    ExpectResolved({
        { "今天", "10:00", "2011-12-15 10:00:00" },  // may lie in the past
        { "明天", "8:5", "2011-12-16 08:05:00" },
        { " 2012-1-1 ", " 9:30:15 ", "2012-01-01 09:30:15" },
        { "10-12", "10:00", "2011-10-12 10:00:00" },
        { "农历8-15", "9:00", "2011-09-12 09:00:00" },
        { "", "9:00", "2011-12-15 09:00:00" },
        { "明天", "", "2011-12-16 11:00:00" },
        { "", "", "2011-12-15 11:00:00" },
        { "3天后", "9:00", "2011-12-18 09:00:00" },
        // A time text with a date contributes only its time of day.
        { "明天", "2010-1-1 7:00", "2011-12-16 07:00:00" },
        // A date with its own time takes the time text.
        { "2011-1-1 10:00", "10:00", "2011-01-01 10:00:00" },
        { "2012-5-1 20:00:00", "8:00", "2012-05-01 08:00:00" },
    });
}

TEST(ResolveDueTime, DateRulesGiveTheNextOccurrenceAfterNow)
{
    ClockGuard clock(2011, 12, 15, 11, 0);  // a Thursday
    ExpectResolved({
        { "每天", "10:00", "2011-12-16 10:00:00" },
        { "每天", "12:00", "2011-12-15 12:00:00" },
        { "每周135", "9:00", "2011-12-16 09:00:00" },
        { "每周4", "11:00", "2011-12-22 11:00:00" },  // now itself is not later than now
        { "每周4", "11:00:01", "2011-12-15 11:00:01" },
        { "每月-1天", "8:00", "2011-12-31 08:00:00" },
        { "每3天", "9:00", "2011-12-17 09:00:00" },
        { "农历每年8-15", "9:00", "2012-09-30 09:00:00" },
        { "每年12-15", "10:00", "2012-12-15 10:00:00" },
        // A time rule governs alone: the date text is ignored.
        { "2011-1-1", "每2小时30:0", "2011-12-15 12:30:00" },
        { "garbage", "每30分钟", "2011-12-15 11:30:00" },
    });
}

TEST(ResolveDueTime, ABaseLaterThanNowIsKept)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    ExpectResolved({
        { "每天", "10:00", "2011-12-20 10:00:00", MakeInstant(2011, 12, 20, 8) },
        { "每天", "每小时0分", "2011-12-20 08:00:00", MakeInstant(2011, 12, 20, 8) },
        // A past base counts from now.
        { "每天", "10:00", "2011-12-16 10:00:00", MakeInstant(2011, 1, 1) },
        // The week from Monday 2011-12-19 12:00 on: Monday 9:00 is before the base and must not be taken.
        { "每周135", "9:00", "2011-12-21 09:00:00", MakeInstant(2011, 12, 19, 12) },
        { "每周135", "9:00", "2011-12-19 09:00:00", MakeInstant(2011, 12, 19, 0) },
        { "每周135", "12:00", "2011-12-19 12:00:00", MakeInstant(2011, 12, 19, 12) },
    });
}

// A scan that finds nothing returns its base day; that day is no occurrence.
TEST(ResolveDueTime, EmptyScanIsNoOccurrence)
{
    ClockGuard clock(2013, 3, 1, 9, 0);
    ExpectResolved({
        { "每年2-29", "10:00", "2016-02-29 10:00:00" },
        { "每年2-30", "10:00", "0" },
        { "每年01-01", "10:00", "0" },
        { "每月01号", "10:00", "0" },
        { "每2年2-29", "10:00", "2016-02-29 10:00:00" },
    });
    clock.Set(2011, 12, 15, 11);
    ExpectResolved({
        { "农历每年4-31", "9:00", "0" },  // lunar months have at most 30 days
    });
    clock.Set(2049, 6, 1);
    ExpectResolved({
        { "农历每年8-15", "9:00", "2049-09-11 09:00:00" },
        { "农历每年12-30", "9:00", "0" },  // lunar 2049-12 has 29 days; after it the table ends
    });
}

TEST(ResolveDueTime, SameSecondAsATimeRuleOccurrence)
{
    ClockGuard clock(2011, 12, 15, 10, 0);
    ExpectResolved({
        { "每天", "每小时0分", "2011-12-15 11:00:00" },
        { "每天", "每分钟0秒", "2011-12-15 10:01:00" },
        { "每天", "每2小时0:0", "2011-12-15 12:00:00" },
        { "每天", "每2小时0:0", "2011-12-15 12:00:00", MakeInstant(2011, 12, 15, 10, 0, 1) },
        // A base later than now may itself be the occurrence.
        { "每天", "每小时0分", "2011-12-15 12:00:00", MakeInstant(2011, 12, 15, 12) },
        { "每天", "每小时", "2011-12-15 11:00:00" },
    });
}

TEST(ResolveDueTime, ExtremeCounts)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    ExpectResolved({
        { "每99999999年", "10:00", "0" },
        { "每99999999999999999999天", "10:00", "0" },
        { "每天", "每9999999分钟", "2030-12-19 21:39:00" },
        { "每天", "每99999999999小时0分", "0" },
        { "每7988年", "10:00", "9999-12-15 10:00:00" },
    });
    clock.Set(9999, 12, 31, 23, 30);
    ExpectResolved({
        { "每天", "10:00", "0" },
        { "每天", "每小时", "0" },
        { "每天", "23:45", "9999-12-31 23:45:00" },
    });
}

// Instants are wall-clock: a time inside the spring-forward gap or the repeated autumn hour is a moment
// like any other, and each day gets exactly one occurrence.
class DaylightSaving : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const char* old = std::getenv("TZ");
        m_oldTz = old ? old : "";
        setenv("TZ", "America/New_York", 1);
        tzset();
    }
    void TearDown() override
    {
        setenv("TZ", m_oldTz.c_str(), 1);
        tzset();
    }

private:
    std::string m_oldTz;
};

TEST_F(DaylightSaving, SpringForwardDay)
{
    ClockGuard clock(2012, 3, 10, 3, 0);
    std::vector<std::string> seen;
    for (int i = 0; i < 3; ++i) {
        Instant due = ResolveDueTime(Q("每天"), Q("02:30"), 0);
        seen.push_back(Show(due));
        clock.clock().Set(due);
    }
    EXPECT_EQ(seen, (std::vector<std::string> { "2012-03-11 02:30:00", "2012-03-12 02:30:00", "2012-03-13 02:30:00" }));
}

TEST_F(DaylightSaving, FallBackNight)
{
    ClockGuard clock(2012, 11, 4, 0, 50);
    std::vector<std::string> seen;
    for (int i = 0; i < 4; ++i) {
        Instant due = ResolveDueTime(Q("每天"), Q("每30分钟"), 0);
        seen.push_back(Show(due));
        clock.clock().Set(due);
    }
    EXPECT_EQ(seen,
        (std::vector<std::string> {
            "2012-11-04 01:20:00", "2012-11-04 01:50:00", "2012-11-04 02:20:00", "2012-11-04 02:50:00" }));
    clock.Set(2012, 11, 3, 12);
    EXPECT_EQ(Resolve("每天", "1:30"), "2012-11-04 01:30:00");
}

// On the last day of a month, the last-day rule at a time still ahead is today, as "每月31" would be.
TEST(ResolveDueTime, LastDayOfTheMonthCountsOnThatDay)
{
    ClockGuard clock(2012, 1, 31, 8, 0);
    ExpectResolved({
        { "每月-1天", "10:00", "2012-01-31 10:00:00" },
        { "每月31", "10:00", "2012-01-31 10:00:00" },
        { "每月-1天", "7:00", "2012-02-29 07:00:00" },
        { "每月-2天", "10:00", "2012-02-28 10:00:00" },
    });
}

TEST(DateRule, WholePeriodRules)
{
    // "农历每月" is read as the solar "每月".
    for (const char* rule : { "每周", "每2个月", "每年", "农历每月" })
        EXPECT_TRUE(IsPeriodDateRule(Q(rule))) << rule;
    for (const char* rule : { "每周135", "每3天", "1个月后", "明天" })
        EXPECT_FALSE(IsPeriodDateRule(Q(rule))) << rule;
}

// A count that skips past the calendar must end the search, not restart it from the first day there is.
TEST(ResolveDueTime, SkipPastTheCalendarEndsTheSearch)
{
    ClockGuard clock(2012, 2, 29, 0, 0);
    ExpectResolved({
        { "每99992月2", "9:00", "0" },
        { "每99992个月-1", "9:00", "0" },
    });
    ExpectDateRules({ { "每99992月2", MakeInstant(2012, 2, 29), "0" } });
}
