// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestEnv.h"
#include "timerules/TimeExpr.h"

#include <limits>
#include <string>

namespace {

std::string S(const QString& text)
{
    return text.toStdString();
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

TEST(FriendlyTime, DayWordsShortDatesAndClockTimes)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    EXPECT_EQ(S(FormatFriendlyTime(MakeInstant(2011, 12, 15, 14, 5))), "14:05:00");
    EXPECT_EQ(S(FormatFriendlyTime(MakeInstant(2011, 12, 16, 8, 0))), "08:00:00(明天)");
    EXPECT_EQ(S(FormatFriendlyTime(MakeInstant(2011, 12, 16))), "明天");
    EXPECT_EQ(S(FormatFriendlyTime(MakeInstant(2011, 12, 15))), "今天");
    EXPECT_EQ(S(FormatFriendlyTime(MakeInstant(2011, 12, 25, 10, 0))), "10:00:00(25号)");
    EXPECT_EQ(S(FormatFriendlyTime(MakeInstant(2011, 12, 18))), "18号");
    EXPECT_EQ(S(FormatFriendlyTime(MakeInstant(2011, 12, 14, 23, 59, 59))), "23:59:59(昨天)");
    EXPECT_EQ(S(FormatFriendlyTime(MakeInstant(2011, 12, 17, 0, 0, 1))), "00:00:01(后天)");
    EXPECT_EQ(S(FormatFriendlyTime(MakeInstant(2011, 11, 5, 9, 0))), "09:00:00(11/5)");
    EXPECT_EQ(S(FormatFriendlyTime(MakeInstant(2012, 1, 5))), "12/1/5");
    EXPECT_EQ(S(FormatFriendlyTime(MakeInstant(2010, 12, 15, 6, 0))), "06:00:00(10/12/15)");

    // A day word wins over the change of year.
    clock.Set(2011, 12, 31, 23, 0);
    EXPECT_EQ(S(FormatFriendlyTime(MakeInstant(2012, 1, 1, 7, 30))), "07:30:00(明天)");

    for (double v : { 0.0, NO_DATE, NO_DATE + 0.5, 1e300, -1e300, kNaN })
        EXPECT_EQ(S(FormatFriendlyTime(v)), "--") << v;
}

TEST(Duration, DaysOrHoursAndMinutesOrSeconds)
{
    const Instant t = MakeInstant(2011, 12, 15, 11, 0);
    EXPECT_EQ(S(FormatDuration(t, t)), "0秒");
    EXPECT_EQ(S(FormatDuration(t, AddSeconds(t, 59))), "59秒");
    EXPECT_EQ(S(FormatDuration(t, AddSeconds(t, 90))), "1分钟");
    EXPECT_EQ(S(FormatDuration(t, AddSeconds(t, -3700))), "-1小时1分钟");
    EXPECT_EQ(S(FormatDuration(t, AddSeconds(t, 3661))), "1小时1分钟");
    EXPECT_EQ(S(FormatDuration(t, AddSeconds(t, 7200))), "2小时");
    EXPECT_EQ(S(FormatDuration(t, MakeInstant(2011, 12, 17, 14, 0))), "51小时");
    EXPECT_EQ(S(FormatDuration(t, MakeInstant(2011, 12, 20, 9, 0))), "5天");
    EXPECT_EQ(S(FormatDuration(t, MakeInstant(2011, 12, 11, 12, 0))), "-4天");
    // Days count midnights: 23:59 to 00:01 three days on is "3天" although barely 48 hours pass.
    EXPECT_EQ(S(FormatDuration(MakeInstant(2011, 12, 15, 23, 59), MakeInstant(2011, 12, 18, 0, 1))), "3天");

    EXPECT_EQ(S(FormatDuration(t, NO_DATE)), "--");
    EXPECT_EQ(S(FormatDuration(NO_DATE, t)), "--");
    EXPECT_EQ(S(FormatDuration(0, MakeInstant(1900, 1, 1))), "48小时");
}

TEST(DateWord, NearDaysAsWordsOthersAsDates)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    EXPECT_EQ(S(FormatDateWord(MakeInstant(2011, 12, 13, 10, 0))), "前天");
    EXPECT_EQ(S(FormatDateWord(MakeInstant(2011, 12, 14))), "昨天");
    EXPECT_EQ(S(FormatDateWord(MakeInstant(2011, 12, 15, 23, 59))), "今天");
    EXPECT_EQ(S(FormatDateWord(MakeInstant(2011, 12, 16))), "明天");
    EXPECT_EQ(S(FormatDateWord(MakeInstant(2011, 12, 17))), "后天");
    EXPECT_EQ(S(FormatDateWord(MakeInstant(2011, 12, 18))), "2011-12-18");
    EXPECT_EQ(S(FormatDateWord(MakeInstant(2011, 12, 12))), "2011-12-12");
    for (double v : { 0.0, NO_DATE, 2e5, kNaN })
        EXPECT_EQ(S(FormatDateWord(v)), "--") << v;

    EXPECT_EQ(S(FormatDateWord(QStringLiteral("2011-12-16"))), "明天");
    EXPECT_EQ(S(FormatDateWord(QStringLiteral("2011-1-1 10:00"))), "2011-01-01");
    EXPECT_EQ(S(FormatDateWord(QStringLiteral("10-12"))), "2011-10-12");
    for (const char* kept : { "--", "每天", "农历8-15", "3天后", "10:00", "abc", "" })
        EXPECT_EQ(S(FormatDateWord(QString::fromUtf8(kept))), kept);
}

TEST(DateTimeText, StoredFormsAndDashes)
{
    const Instant t = MakeInstant(2011, 3, 5, 8, 7, 9);
    EXPECT_EQ(S(FormatDateTimeText(t)), "2011-03-05 08:07:09");
    EXPECT_EQ(S(FormatDateTimeText(MakeInstant(2010, 10, 1, 23, 59, 59) + 0.4 / 86400)), "2010-10-01 23:59:59");
    EXPECT_EQ(S(FormatDateTimeText(MakeInstant(512, 1, 2, 3, 4, 5))), "0512-01-02 03:04:05");
    EXPECT_EQ(S(FormatDateText(t)), "2011-03-05");
    for (double v : { 0.0, NO_DATE, NO_DATE + 1, NO_DATE + 5, kNaN, -1e300 }) {
        EXPECT_EQ(S(FormatDateTimeText(v)), "--") << v;
        EXPECT_EQ(S(FormatDateText(v)), "--") << v;
    }
    // What is written comes back as the same moment.
    ClockGuard clock(2011, 12, 15, 11, 0);
    EXPECT_EQ(TextToDate(FormatDateTimeText(t)), t);
}

TEST(LunarText, MonthDayInTheSameYearElseTheFullDate)
{
    EXPECT_EQ(S(SolarToLunarText(MakeInstant(2011, 9, 12, 18, 0))), "8-15");
    EXPECT_EQ(S(SolarToLunarText(MakeInstant(2011, 1, 23))), "2010-12-20");
    EXPECT_EQ(S(SolarToLunarText(MakeInstant(2012, 6, 4))), "4-15");  // the leap fourth month
    EXPECT_EQ(S(SolarToLunarText(MakeInstant(1900, 1, 31))), "1-1");
    EXPECT_EQ(S(SolarToLunarText(MakeInstant(2050, 1, 22))), "2049-12-29");
    for (double v : { MakeInstant(1900, 1, 30), MakeInstant(2050, 1, 23), 0.0, NO_DATE, kNaN })
        EXPECT_EQ(S(SolarToLunarText(v)), "") << v;
}

TEST(Pattern, ProgramLettersAndLiterals)
{
    const Instant t = MakeInstant(2011, 3, 5, 8, 7, 9);
    const struct
    {
        const char* pattern;
        const char* text;
    } cases[] = {
        { "yyyy-mm-dd hh:nn:ss", "2011-03-05 08:07:09" },
        { "yyyy-mm-dd hh:mm:ss", "2011-03-05 08:07:09" },
        { "yy/m/d", "11/3/5" },
        { "m/d", "3/5" },
        { "d号", "5号" },
        { "hh:nn:ss", "08:07:09" },
        { "h:n", "8:7" },
        { "yyyy年m月d日", "2011年3月5日" },
        { "y s x", "y s x" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(S(FormatPattern(t, QString::fromUtf8(c.pattern))), c.text) << c.pattern;

    EXPECT_EQ(S(FormatPattern(MakeInstant(100, 1, 2), QStringLiteral("yyyy-mm-dd"))), "0100-01-02");
    EXPECT_EQ(S(FormatPattern(0, QStringLiteral("yyyy-mm-dd hh:nn:ss"))), "1899-12-30 00:00:00");
    EXPECT_EQ(S(FormatPattern(NO_DATE, QStringLiteral("yyyy"))), "--");
}

TEST(Pattern, EditorLiteralsReadBack)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    const Instant t = MakeInstant(2011, 3, 5, 8, 7, 9);
    EXPECT_EQ(S(DateLiteralText(t)), "2011-3-5");
    EXPECT_EQ(S(TimeLiteralText(t)), "8:07:09");
    EXPECT_EQ(S(TimeLiteralText(0)), "0:00:00");
    EXPECT_EQ(TextToDate(DateLiteralText(t)), MakeInstant(2011, 3, 5));
    EXPECT_EQ(ParseDateLiteral(TimeLiteralText(t))->seconds, 8 * 3600 + 7 * 60 + 9);
}
