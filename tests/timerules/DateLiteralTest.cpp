// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestEnv.h"
#include "support/TestText.h"
#include "timerules/TimeExpr.h"

#include <cmath>
#include <string>

TEST(DateLiteral, AcceptsDatesTimesAndBoth)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    const struct
    {
        const char* text;
        const char* value;
        bool hasDate;
        bool hasTime;
    } cases[] = {
        { "2011-1-1", "2011-01-01 00:00:00", true, false },
        { "2010-10-1", "2010-10-01 00:00:00", true, false },
        { "2011/1/1", "2011-01-01 00:00:00", true, false },
        { "2011-01-01", "2011-01-01 00:00:00", true, false },
        { "10-12", "2011-10-12 00:00:00", true, false },
        { "8/15", "2011-08-15 00:00:00", true, false },
        { "2011年1月1日", "2011-01-01 00:00:00", true, false },
        { "1月1日", "2011-01-01 00:00:00", true, false },
        { "8月15号", "2011-08-15 00:00:00", true, false },
        { "2010-10-1 10:00", "2010-10-01 10:00:00", true, true },
        { "2010-5-1 20:00:00", "2010-05-01 20:00:00", true, true },
        { "8/15  9:30", "2011-08-15 09:30:00", true, true },
        { "1月1日10:00", "2011-01-01 10:00:00", true, true },
        { "  2011-12-15 11:00:00\t", "2011-12-15 11:00:00", true, true },
        { "0100-1-1", "0100-01-01 00:00:00", true, false },
        { "2099-12-31 23:59:59", "2099-12-31 23:59:59", true, true },
    };
    for (const auto& c : cases) {
        const auto lit = ParseDateLiteral(QString::fromUtf8(c.text));
        ASSERT_TRUE(lit.has_value()) << c.text;
        EXPECT_EQ(Dt(lit->Value()), c.value) << c.text;
        EXPECT_EQ(lit->hasDate, c.hasDate) << c.text;
        EXPECT_EQ(lit->hasTime, c.hasTime) << c.text;
    }

    // A time alone lies on day 0; midnight alone is a literal whose value is 0.
    const auto ten = ParseDateLiteral(QStringLiteral("10:20:20"));
    ASSERT_TRUE(ten);
    EXPECT_FALSE(ten->hasDate);
    EXPECT_EQ(ten->seconds, 10 * 3600 + 20 * 60 + 20);
    EXPECT_EQ(DateOf(ten->Value()), QDate(1899, 12, 30));
    const auto midnight = ParseDateLiteral(QStringLiteral("0:00"));
    ASSERT_TRUE(midnight);
    EXPECT_TRUE(midnight->hasTime);
    EXPECT_EQ(midnight->Value(), 0.0);
    EXPECT_TRUE(IsDateLiteral(QStringLiteral("10:0")));
    EXPECT_EQ(ParseDateLiteral(QStringLiteral("9999-12-31"))->date,
        QDate(9999, 12, 31));  // the recurrence rules build such texts
}

TEST(DateLiteral, RejectsNumbersUnitsAndImpossibleDays)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    for (const char* text : { "", " ", "12", "10", "-15", "-15分钟", "1小时", "-1天", "3天后", "abc", "-", "--", "今天",
             "2011-2-30", "13-1", "2-29", "0-1", "1-0", "2011-13-1", "24:00", "10:60", "10:00:60", "10:", ":30",
             "11-1-1", "15/8/2011", "2011-1/1", "2011-1-1-1", "2011-1-1T10:00", "2011-1-110:00", "0099-1-1",
             "10000-1-1", "2011年1月", "1月1", "１０:００", "10:00 2011-1-1", "10:00:00.5", "2011-1-1 10" }) {
        EXPECT_FALSE(IsDateLiteral(QString::fromUtf8(text))) << text;
    }
    EXPECT_TRUE(IsDateLiteral(QStringLiteral("8-15 10:00 ")));  // trailing spaces are ignored

    // A month-day is checked against the current year.
    ClockGuard leap(2012, 1, 10);
    EXPECT_TRUE(IsDateLiteral(QStringLiteral("2-29")));
}

TEST(TextToDate, ReadsStoredAndTypedTexts)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    EXPECT_EQ(TextToDate(QString()), 0.0);
    EXPECT_EQ(TextToDate(QStringLiteral("--")), NO_DATE);
    EXPECT_EQ(Dt(TextToDate(QStringLiteral("10-12"))), "2011-10-12 00:00:00");
    EXPECT_EQ(Dt(TextToDate(QStringLiteral(" 8/15 "))), "2011-08-15 00:00:00");
    EXPECT_EQ(Dt(TextToDate(QStringLiteral("2011-12-15 18:30:05"))), "2011-12-15 18:30:05");
    EXPECT_NEAR(TextToDate(QStringLiteral("12:00")), 0.5, 1e-9);
    for (const char* bad : { "13-1", "2-30", "99999999999999999999-1", "1-99999999999999", "abc", "12", "-1天" })
        EXPECT_EQ(TextToDate(QString::fromUtf8(bad)), 0.0) << bad;
}

TEST(ParseDayWord, WordsCountFromTheBaseDay)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    EXPECT_EQ(Dt(ParseDayWord(QStringLiteral("今天"))), "2011-12-15 00:00:00");
    EXPECT_EQ(Dt(ParseDayWord(QStringLiteral("明天"))), "2011-12-16 00:00:00");
    EXPECT_EQ(Dt(ParseDayWord(QStringLiteral("后天"))), "2011-12-17 00:00:00");
    EXPECT_EQ(Dt(ParseDayWord(QStringLiteral("昨天"))), "2011-12-14 00:00:00");
    EXPECT_EQ(Dt(ParseDayWord(QStringLiteral("前天"))), "2011-12-13 00:00:00");

    // The editor re-reads "明天" against the day its list was built.
    const Instant built = MakeInstant(2011, 12, 31, 23, 59);
    EXPECT_EQ(Dt(ParseDayWord(QStringLiteral("明天"), built)), "2012-01-01 00:00:00");

    EXPECT_EQ(Dt(ParseDayWord(QStringLiteral("2011-1-1"))), "2011-01-01 00:00:00");
    EXPECT_EQ(Dt(ParseDayWord(QStringLiteral("10-12"))), "2011-10-12 00:00:00");
    EXPECT_EQ(ParseDayWord(QStringLiteral("大后天")), 0.0);
    EXPECT_EQ(ParseDayWord(QStringLiteral("12")), 0.0);
    EXPECT_EQ(ParseDayWord(QStringLiteral("明天"), std::nan("")), 0.0);
}
