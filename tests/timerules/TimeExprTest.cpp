// SPDX-License-Identifier: GPL-3.0-or-later
#include "timerules/TimeExpr.h"
#include "support/TestEnv.h"
#include "support/TestText.h"

#include <limits>
#include <string>

TEST(LunarDate, MonthDayPrefersTheDateStillAhead)
{
    // Lunar 2010-12-20 is 2011-01-23: in early January it is still ahead and wins over lunar 2011-12-20.
    ClockGuard clock(2011, 1, 10, 9, 0);
    EXPECT_EQ(Dt(ParseLunarDate(Q("12-20"))), "2011-01-23 00:00:00");
    clock.Set(2011, 1, 25);
    EXPECT_EQ(Dt(ParseLunarDate(Q("12-20"))), "2012-01-13 00:00:00");

    // No third year is tried: lunar new year of this year has passed, and the result lies in the past.
    clock.Set(2011, 12, 15, 11, 0);
    EXPECT_EQ(Dt(ParseLunarDate(Q("1-1"))), "2011-02-03 00:00:00");
    EXPECT_EQ(Dt(ParseLunarDate(Q("8-15"))), "2011-09-12 00:00:00");
}

TEST(LunarDate, ADateThatIsTodayStaysToday)
{
    // Lunar 2011-12-27 is 2012-01-20. Late that afternoon it is still the day, not next year's 2013-02-07.
    ClockGuard clock(2012, 1, 20, 15, 30);
    EXPECT_EQ(Dt(ParseLunarDate(Q("12-27"))), "2012-01-20 00:00:00");
    clock.Set(2012, 1, 21);
    EXPECT_EQ(Dt(ParseLunarDate(Q("12-27"))), "2013-02-07 00:00:00");
}

TEST(LunarDate, FullDatesAndRejectedTexts)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    EXPECT_EQ(Dt(ParseLunarDate(Q("2011-8-15"))), "2011-09-12 00:00:00");
    EXPECT_EQ(Dt(ParseLunarDate(Q("2049-12-29"))), "2050-01-22 00:00:00");
    for (const char* bad : { "8/15", "2-30", "8月15日", "8-15 10:00", "1899-1-1", "2050-1-1", "12", "", "abc" })
        EXPECT_EQ(ParseLunarDate(Q(bad)), 0.0) << bad;

    EXPECT_EQ(Dt(LunarToSolar(2012, 4, 15)), "2012-05-05 00:00:00");  // the regular month, never the leap one
    EXPECT_EQ(Dt(LunarToSolar(2012, 1, 1)), "2012-01-23 00:00:00");
    EXPECT_EQ(LunarToSolar(1899, 12, 1), 0.0);
    EXPECT_EQ(LunarToSolar(2050, 1, 1), 0.0);
    EXPECT_EQ(LunarToSolar(2011, 13, 1), 0.0);
}

TEST(RelativeDate, DaysMonthsYearsKeepTheTime)
{
    const Instant base = MakeInstant(2011, 1, 31, 10, 15);
    EXPECT_EQ(Dt(EvalRelativeDate(Q("3天后"), base)), "2011-02-03 10:15:00");
    EXPECT_EQ(Dt(EvalRelativeDate(Q("0天后"), base)), "2011-02-01 10:15:00");
    EXPECT_EQ(Dt(EvalRelativeDate(Q("1个月后"), base)), "2011-02-28 10:15:00");
    EXPECT_EQ(Dt(EvalRelativeDate(Q("13月后"), base)), "2012-02-29 10:15:00");
    EXPECT_EQ(Dt(EvalRelativeDate(Q("1 年后"), MakeInstant(2012, 2, 29))), "2013-02-28 00:00:00");
    EXPECT_EQ(Dt(EvalRelativeDate(Q("每隔2天后"), base)), "2011-02-02 10:15:00");

    for (const char* none : { "3天", "天后", "明天", "3小时后", "" })
        EXPECT_EQ(EvalRelativeDate(Q(none), base), 0.0) << none;
    for (const char* huge : { "99999999999999999999天后", "99999999年后", "4000000个月后", "8000年后" })
        EXPECT_EQ(EvalRelativeDate(Q(huge), base), 0.0) << huge;
}

TEST(RelativeTime, OnlyTheDigitsBeforeTheUnitCount)
{
    const Instant base = MakeInstant(2011, 12, 15, 11, 0);
    EXPECT_EQ(Dt(EvalRelativeTime(Q("10分钟后"), base)), "2011-12-15 11:10:00");
    EXPECT_EQ(Dt(EvalRelativeTime(Q("5分后"), base)), "2011-12-15 11:05:00");
    EXPECT_EQ(Dt(EvalRelativeTime(Q("1小时后"), base)), "2011-12-15 12:00:00");
    EXPECT_EQ(Dt(EvalRelativeTime(Q("30秒后"), base)), "2011-12-15 11:00:30");
    EXPECT_EQ(Dt(EvalRelativeTime(Q("每30分钟"), base)), "2011-12-15 11:30:00");
    EXPECT_EQ(Dt(EvalRelativeTime(Q("每小时"), base)), "2011-12-15 12:00:00");
    EXPECT_EQ(Dt(EvalRelativeTime(Q("0分钟"), base)), "2011-12-15 11:01:00");
    EXPECT_EQ(Dt(EvalRelativeTime(Q("0.5小时后"), base)), "2011-12-15 16:00:00");
    EXPECT_EQ(Dt(EvalRelativeTime(Q("48小时后"), base)), "2011-12-17 11:00:00");

    EXPECT_EQ(EvalRelativeTime(Q("10:00"), base), 0.0);
    EXPECT_EQ(EvalRelativeTime(Q("3天后"), base), 0.0);
    EXPECT_EQ(EvalRelativeTime(Q("99999999999999999999分钟"), base), 0.0);
    EXPECT_EQ(EvalRelativeTime(Q("10分钟后"), NO_DATE * 100), 0.0);
}

TEST(TimeOffset, SignedOffsetsInEveryUnit)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    const Instant due = MakeInstant(2011, 3, 31, 10, 0);
    const struct
    {
        const char* text;
        const char* result;
    } cases[] = {
        { "-15", "2011-03-31 09:45:00" },
        { "-15分钟", "2011-03-31 09:45:00" },
        { "15", "2011-03-31 10:15:00" },
        { "+15", "2011-03-31 10:15:00" },
        { "-1小时", "2011-03-31 09:00:00" },
        { "-30秒", "2011-03-31 09:59:30" },
        { "-1天", "2011-03-30 10:00:00" },
        { "-1月", "2011-02-28 10:00:00" },
        { "-1年", "2010-03-31 10:00:00" },
        { "2天", "2011-04-02 10:00:00" },
        // Compound spans count every pair, and a leading "-" moves the whole span earlier.
        { "-1小时30分钟", "2011-03-31 08:30:00" },
        { "-1天1小时", "2011-03-30 09:00:00" },
        { "1天2小时", "2011-04-01 12:00:00" },
        { "-1月1天", "2011-02-27 10:00:00" },
        { "1.5小时", "2011-03-31 11:30:00" },
        { "-.5天", "2011-03-30 22:00:00" },
        { "1.5月", "2011-05-31 10:00:00" },
        { "2.5", "2011-03-31 10:02:30" },
        { " -15 ", "2011-03-31 09:45:00" },
    };
    for (const auto& c : cases) {
        QString err = QStringLiteral("stale");
        EXPECT_EQ(Dt(ParseTimeOffset(due, Q(c.text), &err)), c.result) << c.text;
        EXPECT_TRUE(err.isEmpty()) << c.text;
    }
}

TEST(TimeOffset, AbsoluteTextsEmptyTextAndNoDate)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    const Instant due = MakeInstant(2011, 12, 20, 8, 0);
    // A clock time alone is that time today, even when it has passed.
    EXPECT_EQ(Dt(ParseTimeOffset(due, Q("10:30"))), "2011-12-15 10:30:00");
    EXPECT_EQ(Dt(ParseTimeOffset(due, Q("0:00"))), "2011-12-15 00:00:00");
    EXPECT_EQ(Dt(ParseTimeOffset(due, Q("2010-10-1 10:00"))), "2010-10-01 10:00:00");
    EXPECT_EQ(Dt(ParseTimeOffset(due, Q("12-24"))), "2011-12-24 00:00:00");
    EXPECT_EQ(ParseTimeOffset(due, QString()), due);
    EXPECT_EQ(ParseTimeOffset(NO_DATE, Q("-15")), NO_DATE);
    EXPECT_EQ(ParseTimeOffset(NO_DATE + 1, Q("abc")), NO_DATE);
}

TEST(TimeOffset, UnreadableAndOutOfRangeTextsGiveZeroWithAReason)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    const Instant due = MakeInstant(2011, 12, 20, 8, 0);
    for (const char* bad : { "abc", "-", "0", "0分钟", "分钟", ".", "--" }) {
        QString err;
        EXPECT_EQ(ParseTimeOffset(due, Q(bad), &err), 0.0) << bad;
        EXPECT_EQ(err, Q("错误的日期时间格式！")) << bad;
    }
    for (const char* far : { "-99999999天", "99999999999999999999分钟", "99999999年", "-3000000000月" }) {
        QString err;
        EXPECT_EQ(ParseTimeOffset(due, Q(far), &err), 0.0) << far;
        EXPECT_EQ(err, Q("日期时间超出范围！")) << far;
    }
    EXPECT_EQ(ParseTimeOffset(std::numeric_limits<double>::quiet_NaN(), Q("15")), 0.0);
    EXPECT_EQ(ParseTimeOffset(-1e300, Q("15")), 0.0);
    EXPECT_EQ(ParseTimeOffset(due, QString(10000, u'9')), 0.0);
}
