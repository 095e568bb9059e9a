#include "timerules/DueRules.h"
#include "support/TestEnv.h"
#include "support/TestText.h"

#include <string>

namespace {

// "ok:<text>" or "refused:<text>:<message>".
std::string Outcome(const DueFieldResult& r)
{
    if (r.accepted)
        return "ok:" + r.text.toStdString();
    return "refused:" + r.text.toStdString() + ":" + r.message.toStdString();
}

std::string Date(const char* text)
{
    return Outcome(DueDateRules(Q(text)));
}

std::string Time(const char* text, const char* date = "今天")
{
    return Outcome(DueTimeRules(Q(text), Q(date)));
}

}  // namespace

TEST(DueDateRules, FixedDatesBecomeShortWords)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    EXPECT_EQ(Date(""), "ok:今天");
    EXPECT_EQ(Date("  "), "ok:今天");
    EXPECT_EQ(Date("明 天"), "ok:明天");
    EXPECT_EQ(Date("16"), "ok:明天");
    EXPECT_EQ(Date("12"), "ok:2011-12-12");
    EXPECT_EQ(Date("2011-10-12"), "ok:2011-10-12");
    EXPECT_EQ(Date("10-12"), "ok:2011-10-12");
    EXPECT_EQ(Date("--"), "ok:--");
}

TEST(DueDateRules, RulesRelativeAndLunarKeepTheirText)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    EXPECT_EQ(Date("每 周 135"), "ok:每周135");
    EXPECT_EQ(Date("每月-1天"), "ok:每月-1天");
    EXPECT_EQ(Date("3天后"), "ok:3天后");
    EXPECT_EQ(Date("农历8-15"), "ok:农历8-15");
    EXPECT_EQ(Date("农历每年8-15"), "ok:农历每年8-15");
}

TEST(DueDateRules, UnreadableDatesAreRefused)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    EXPECT_EQ(Date("abc"), "refused:abc:请填写正确的日期");
    EXPECT_EQ(Date("32"), "refused:2011-12-32:请填写正确的日期");
    EXPECT_EQ(Date("每年2-30"), "refused:每年2-30:请填写正确的日期");
    EXPECT_EQ(Date("农历2-30"), "refused:农历2-30:请填写正确的日期");
    EXPECT_EQ(Date("每99999999年"), "refused:每99999999年:请填写正确的日期");
    // A date beyond the no-date day would be shown and saved as "--", silently dropping the due date.
    EXPECT_EQ(Date("2200-1-1"), "refused:2200-1-1:请填写正确的日期");
}

TEST(DueTimeRules, ClockTimesAreWrittenInFull)
{
    ClockGuard clock(2011, 12, 15, 11, 0, 5);
    EXPECT_EQ(Time(""), "ok:11:00:05");
    EXPECT_EQ(Time("10"), "ok:10:00:00");
    EXPECT_EQ(Time("9:5"), "ok:9:05:00");
    EXPECT_EQ(Time(" 23 : 59 "), "ok:23:59:00");
    EXPECT_EQ(Time("--"), "ok:--");
    EXPECT_EQ(Time("8:30", "每周135"), "ok:8:30:00");
}

TEST(DueTimeRules, TimeRulesAndRelativeTimesKeepTheirText)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    EXPECT_EQ(Time("每2小时30:0", "每天"), "ok:每2小时30:0");
    EXPECT_EQ(Time("10分钟后"), "ok:10分钟后");
    EXPECT_EQ(Time("每 30 秒", "每天"), "ok:每30秒");
}

TEST(DueTimeRules, UnreadableTimesAreRefused)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    EXPECT_EQ(Time("abc"), "refused:abc:请填写正确的时间!");
    EXPECT_EQ(Time("25"), "refused:25:00:请填写正确的时间!");
    EXPECT_EQ(Time("每小时75", "每天"), "refused:每小时75:请填写正确的时间!");
    // The time is checked together with the date field.
    EXPECT_EQ(Time("10:00", "每年2-30"), "refused:10:00:请填写正确的时间!");
}

// With no due date the due moment has no time of day; the typed time must not turn into 0:00:00.
TEST(DueTimeRules, TimeNextToANoDateDateStaysAsTyped)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    EXPECT_EQ(Time("10", "--"), "ok:10:00:00");
    EXPECT_EQ(Time("每小时", "--"), "ok:每小时");
}
