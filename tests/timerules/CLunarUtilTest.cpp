// SPDX-License-Identifier: GPL-3.0-or-later
#include "timerules/CLunarUtil.h"
#include "support/TestEnv.h"

namespace {

QDate Solar(int y, int m, int d, bool leap = false)
{
    CLunarUtil lunar;
    EXPECT_TRUE(lunar.lInitDate(y, m, d, leap));
    return DateOf(lunar.SolarDate());
}

struct LunarDay
{
    int y, m, d;
    bool leap;
    bool operator==(const LunarDay&) const = default;
};

LunarDay Lunar(const QDate& date)
{
    CLunarUtil lunar;
    EXPECT_TRUE(lunar.sInitDate(date.year(), date.month(), date.day()));
    return { lunar.lYear(), lunar.lMonth(), lunar.lDay(), lunar.IsLeap() };
}

}  // namespace

TEST(CLunarUtil, KnownDates)
{
    EXPECT_EQ(Solar(2011, 8, 15), QDate(2011, 9, 12));
    EXPECT_EQ(Solar(2012, 1, 1), QDate(2012, 1, 23));
    EXPECT_EQ(Solar(2012, 4, 15), QDate(2012, 5, 5));
    EXPECT_EQ(Solar(2012, 4, 15, true), QDate(2012, 6, 4));
    EXPECT_EQ(Solar(2010, 12, 20), QDate(2011, 1, 23));
    EXPECT_EQ(Lunar(QDate(1900, 1, 31)), (LunarDay { 1900, 1, 1, false }));
    EXPECT_EQ(Lunar(QDate(2012, 6, 4)), (LunarDay { 2012, 4, 15, true }));
}

TEST(CLunarUtil, TableRowsAndDerivedLengths)
{
    EXPECT_EQ(CLunarUtil::LeapMonthOf(1900), 8);
    EXPECT_EQ(CLunarUtil::LeapMonthDays(1900), 29);
    EXPECT_EQ(CLunarUtil::LeapMonthOf(1901), 0);
    EXPECT_EQ(CLunarUtil::LeapMonthDays(1901), 0);
    EXPECT_EQ(CLunarUtil::LeapMonthOf(1906), 4);
    EXPECT_EQ(CLunarUtil::LeapMonthDays(1906), 30);
    EXPECT_EQ(CLunarUtil::LeapMonthOf(2012), 4);
    EXPECT_EQ(CLunarUtil::LeapMonthDays(2012), 29);
    int total = 0;
    for (int y = CLunarUtil::kFirstYear; y <= CLunarUtil::kLastYear; ++y) {
        int len = CLunarUtil::LunarYearDays(y);
        EXPECT_GE(len, 353) << y;
        EXPECT_LE(len, 385) << y;
        int months = 0;
        for (int m = 1; m <= 12; ++m)
            months += CLunarUtil::LunarMonthDays(y, m);
        EXPECT_EQ(len, months + CLunarUtil::LeapMonthDays(y)) << y;
        total += len;
    }
    // The table ends the day before lunar 2050-01-01 = 2050-01-23.
    EXPECT_EQ(QDate(1900, 1, 31).addDays(total), QDate(2050, 1, 23));
    EXPECT_EQ(CLunarUtil::LunarYearDays(1899), 0);
    EXPECT_EQ(CLunarUtil::LunarYearDays(2050), 0);
}

TEST(CLunarUtil, CorrectedYearsPlaceTheLeapMonthRight)
{
    // 1996 has no leap month; in 2033 the leap month is the 11th, so mid-autumn falls on 2033-09-08.
    EXPECT_EQ(CLunarUtil::LeapMonthOf(1996), 0);
    EXPECT_EQ(CLunarUtil::LeapMonthOf(2033), 11);
    EXPECT_EQ(Solar(2033, 8, 15), QDate(2033, 9, 8));
    EXPECT_EQ(Solar(2033, 11, 1, true), QDate(2033, 12, 22));
    EXPECT_EQ(Solar(1996, 8, 15), QDate(1996, 9, 27));
}

TEST(CLunarUtil, LeapMonthBoundaries)
{
    // 2012: regular 4th month from 04-21, leap 4th from 05-21, 5th from 06-19.
    EXPECT_EQ(Lunar(QDate(2012, 5, 20)), (LunarDay { 2012, 4, 30, false }));
    EXPECT_EQ(Lunar(QDate(2012, 5, 21)), (LunarDay { 2012, 4, 1, true }));
    EXPECT_EQ(Lunar(QDate(2012, 6, 18)), (LunarDay { 2012, 4, 29, true }));
    EXPECT_EQ(Lunar(QDate(2012, 6, 19)), (LunarDay { 2012, 5, 1, false }));
    // The leap flag only matters for the leap month itself.
    EXPECT_EQ(Solar(2012, 5, 1, true), Solar(2012, 5, 1, false));
    // Day 30 of a 29-day month runs on into the next month's first day.
    int m = 1;
    while (CLunarUtil::LunarMonthDays(2011, m) != 29)
        ++m;
    ASSERT_LT(m, 12);
    EXPECT_EQ(Solar(2011, m, 30), Solar(2011, m + 1, 1));
}

TEST(CLunarUtil, WeekDayAndToday)
{
    ClockGuard clock(2011, 9, 12, 8);
    CLunarUtil lunar;
    lunar.sInitDate(2011, 9, 12);
    EXPECT_EQ(lunar.sWeekDay(), 2);
    lunar.sInitDate(2011, 9, 11);
    EXPECT_EQ(lunar.sWeekDay(), 1);
    EXPECT_TRUE(lunar.IsToday(2011, 9, 12));
    EXPECT_FALSE(lunar.IsToday(2011, 9, 13));
}

TEST(CLunarUtil, OutsideTheTableFailsCleanly)
{
    CLunarUtil lunar;
    EXPECT_FALSE(lunar.lInitDate(1899, 12, 1));
    EXPECT_FALSE(lunar.lInitDate(2050, 1, 1));
    EXPECT_FALSE(lunar.lInitDate(2011, 13, 1));
    EXPECT_FALSE(lunar.lInitDate(2011, 1, 0));
    EXPECT_FALSE(lunar.sInitDate(1900, 1, 30));
    EXPECT_TRUE(lunar.sInitDate(2050, 1, 22));
    EXPECT_FALSE(lunar.sInitDate(2050, 1, 23));
    EXPECT_FALSE(lunar.sInitDate(2011, 2, 30));
}

TEST(CLunarUtil, EveryDayRoundTrips)
{
    CLunarUtil lunar;
    for (QDate d(1900, 1, 31); d <= QDate(2049, 12, 31); d = d.addDays(1)) {
        ASSERT_TRUE(lunar.sInitDate(d.year(), d.month(), d.day())) << qPrintable(d.toString());
        const int ly = lunar.lYear(), lm = lunar.lMonth(), ld = lunar.lDay();
        const bool leap = lunar.IsLeap();
        ASSERT_TRUE(ld >= 1 && ld <= 30);
        ASSERT_TRUE(lunar.lInitDate(ly, lm, ld, leap));
        ASSERT_EQ(DateOf(lunar.SolarDate()), d) << ly << '-' << lm << '-' << ld << (leap ? " leap" : "");
        ASSERT_EQ(lunar.IsLeap(), leap);
    }
}
