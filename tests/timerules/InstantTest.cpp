// SPDX-License-Identifier: GPL-3.0-or-later
#include "timerules/Instant.h"
#include "support/TestEnv.h"

#include <cmath>
#include <limits>

TEST(Instant, OleEpochAndKnownValues)
{
    EXPECT_EQ(InstantFromDate(QDate(1899, 12, 30)), 0.0);
    EXPECT_EQ(InstantFromDate(QDate(1900, 1, 1)), 2.0);
    EXPECT_EQ(InstantFromDate(QDate(2173, 10, 14)), NO_DATE);
    EXPECT_DOUBLE_EQ(MakeInstant(2011, 12, 15, 18, 0), 40892.75);
    // Before the epoch the day stays in the integer part and the time is a positive fraction.
    EXPECT_DOUBLE_EQ(MakeInstant(1899, 12, 29, 6, 0), -1.25);
    EXPECT_EQ(DateOf(-1.25), QDate(1899, 12, 29));
    EXPECT_EQ(TimeOf(-1.25), QTime(6, 0));
}

TEST(Instant, RoundTripsToTheSecond)
{
    for (int y : { 100, 1899, 1900, 2011, 2038, 9999 }) {
        for (int s : { 0, 1, 43199, 86399 }) {
            QDateTime dt(QDate(y, 6, 30), QTime::fromMSecsSinceStartOfDay(s * 1000), Qt::UTC);
            Instant v = InstantFromDateTime(dt);
            EXPECT_EQ(DateTimeOf(v), dt) << y << ' ' << s;
        }
    }
}

TEST(Instant, DateAndTimePartsKeepNoDate)
{
    Instant v = MakeInstant(2011, 3, 31, 10, 30);
    EXPECT_EQ(DatePart(v), MakeInstant(2011, 3, 31));
    EXPECT_EQ(SecondsOfDay(TimePart(v)), 10 * 3600 + 30 * 60);
    EXPECT_EQ(DatePart(NO_DATE + 0.5), NO_DATE);
    EXPECT_EQ(TimePart(NO_DATE), NO_DATE);
}

TEST(Instant, MonthArithmeticClampsToMonthEnd)
{
    EXPECT_EQ(AddMonths(MakeInstant(2011, 1, 31, 9), 1), MakeInstant(2011, 2, 28, 9));
    EXPECT_EQ(AddMonths(MakeInstant(2012, 1, 31), 1), MakeInstant(2012, 2, 29));
    EXPECT_EQ(AddMonths(MakeInstant(2011, 3, 31, 10), -1), MakeInstant(2011, 2, 28, 10));
    EXPECT_EQ(AddMonths(MakeInstant(2011, 12, 15), 1), MakeInstant(2012, 1, 15));
    EXPECT_EQ(AddMonths(MakeInstant(2011, 1, 15), -13), MakeInstant(2009, 12, 15));
    EXPECT_EQ(AddYears(MakeInstant(2012, 2, 29), 1), MakeInstant(2013, 2, 28));
    EXPECT_EQ(AddDays(MakeInstant(2011, 12, 31, 23), 1), MakeInstant(2012, 1, 1, 23));
}

TEST(Instant, OutOfRangeArithmeticGivesZeroNotGarbage)
{
    EXPECT_EQ(AddYears(MakeInstant(9999, 6, 1), 1), 0.0);
    EXPECT_EQ(AddMonths(MakeInstant(2011, 1, 1), 99999999), 0.0);
    EXPECT_EQ(AddDays(MakeInstant(2011, 1, 1), 1e12), 0.0);
    EXPECT_EQ(AddYears(MakeInstant(150, 1, 1), -100), 0.0);
    EXPECT_FALSE(DateOf(std::numeric_limits<double>::quiet_NaN()).isValid());
    EXPECT_FALSE(DateOf(std::numeric_limits<double>::infinity()).isValid());
    EXPECT_FALSE(DateOf(1e18).isValid());
    EXPECT_EQ(AddSeconds(std::nan(""), 5), 0.0);
}

TEST(Instant, DayDiffCountsMidnights)
{
    EXPECT_EQ(DayDiff(MakeInstant(2011, 1, 1, 23, 59), MakeInstant(2011, 1, 2, 0, 1)), 1);
    EXPECT_EQ(DayDiff(MakeInstant(2011, 1, 2, 0, 1), MakeInstant(2011, 1, 2, 23, 59)), 0);
    EXPECT_EQ(DayDiff(MakeInstant(2011, 1, 3), MakeInstant(2011, 1, 1, 12)), -2);
    EXPECT_EQ(SecondDiff(MakeInstant(2011, 1, 1, 23, 59), MakeInstant(2011, 1, 2, 0, 1)), 120);
}

TEST(Instant, SecondComparisonsIgnoreRoundingNoise)
{
    Instant a = MakeInstant(2011, 12, 15, 10);
    Instant b = DatePart(a) + 10.0 / 24.0 + 1e-11;
    EXPECT_TRUE(SameSecond(a, b));
    EXPECT_TRUE(AtOrAfter(a, b));
    EXPECT_TRUE(AtOrAfter(b, a));
    EXPECT_FALSE(AtOrAfter(a, AddSeconds(a, 1)));

    // The quick answer for instants far apart agrees with the whole-second one, before 1899 included.
    const Instant pairs[][2] = { { a, AddSeconds(a, 3) }, { a, AddSeconds(a, -3) }, { a, AddSeconds(a, 86400 * 400) },
        { -1.25, -1.75 }, { -1.75, -1.25 }, { -0.1, 0.1 }, { 0, NO_DATE }, { NO_DATE, a } };
    for (const auto& p : pairs)
        EXPECT_EQ(AtOrAfter(p[0], p[1]), SecondDiff(p[1], p[0]) >= 0) << p[0] << " " << p[1];
}

TEST(Clock, ManualClockDrivesNowAndToday)
{
    ClockGuard clock(2011, 12, 15, 11, 0, 0);
    EXPECT_EQ(Clock::Now(), MakeInstant(2011, 12, 15, 11));
    EXPECT_EQ(Clock::Today(), MakeInstant(2011, 12, 15));
    clock.Advance(13 * 3600);
    EXPECT_EQ(Clock::Now(), MakeInstant(2011, 12, 16, 0));
    EXPECT_EQ(Clock::CurrentDate(), QDate(2011, 12, 16));
}

TEST(Clock, WallClockTimesInADaylightSavingGapAreKept)
{
    // 02:30 does not exist in New York on 2011-03-13; an instant still names it and nothing shifts.
    QByteArray oldTz = qgetenv("TZ");
    qputenv("TZ", "America/New_York");
    tzset();
    ClockGuard clock(2011, 3, 13, 2, 30, 0);
    EXPECT_EQ(Clock::Now(), MakeInstant(2011, 3, 13, 2, 30));
    clock.Advance(3600);
    EXPECT_EQ(Clock::Now(), MakeInstant(2011, 3, 13, 3, 30));
    qputenv("TZ", oldTz);
    tzset();
}
