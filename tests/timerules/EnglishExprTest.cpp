// SPDX-License-Identifier: GPL-3.0-or-later
#include "timerules/EnglishExpr.h"
#include "support/TestEnv.h"
#include "support/TestText.h"
#include "timerules/DueRules.h"
#include "timerules/Recurrence.h"
#include "timerules/TimeExpr.h"

#include <cstdlib>
#include <ctime>
#include <string>

namespace {

enum Field { Date, Time, Offset };

struct Row
{
    Field field;
    const char* english;
    const char* chinese;
};

const Row kRows[] = {
    { Date, "today", "今天" },
    { Date, "Tomorrow", "明天" },
    { Date, "yesterday", "昨天" },
    { Date, "the day after tomorrow", "后天" },
    { Date, "day before yesterday", "前天" },
    { Date, "in 3 days", "3天后" },
    { Date, "3 days later", "3天后" },
    { Date, "in 2 weeks", "14天后" },
    { Date, "in 1 month", "1个月后" },
    { Date, "in 2 years", "2年后" },
    { Date, "Dec 25", "12-25" },
    { Date, "25 december", "12-25" },
    { Date, "December 25th, 2027", "2027-12-25" },
    { Date, "lunar 8-15", "农历8-15" },
    { Date, "lunar 2027-8-15", "农历2027-8-15" },
    { Date, "every day", "每天" },
    { Date, "every 3 days", "每3天" },
    { Date, "weekly", "每周" },
    { Date, "every Mon Wed Fri", "每周135" },
    { Date, "every week on Monday, Wednesday and Friday", "每周135" },
    { Date, "Every  2 weeks on monday", "每2周1" },
    { Date, "every weekday", "每周12345" },
    { Date, "every other month", "每2个月" },
    { Date, "every month on the 1st and 15th", "每月1,15号" },
    { Date, "monthly on the 10th", "每月10号" },
    { Date, "the last day of every month", "每月-1天" },
    { Date, "the 3rd-to-last day of every month", "每月-3天" },
    { Date, "every 2 months on the 1st and 15th", "每2个月1,15号" },
    { Date, "every year on Feb 29", "每年2-29" },
    { Date, "every year on Jan 1 and Aug 8", "每年1-1,8-8" },
    { Date, "every lunar month on the 1st and 15th", "农历每月1,15号" },
    { Date, "every lunar year on 8-15", "农历每年8-15" },
    { Date, "lunar 1-15, 8-15 every year", "农历每年1-15,8-15" },
    { Time, "9am", "9:00" },
    { Time, "5:30 pm", "17:30" },
    { Time, "12am", "0:00" },
    { Time, "noon", "12:00" },
    { Time, "in 10 minutes", "10分钟后" },
    { Time, "in an hour", "1小时后" },
    { Time, "in 30 seconds", "30秒后" },
    { Time, "every 15 minutes", "每15分钟" },
    { Time, "every minute", "每分钟" },
    { Time, "every minute at second 0", "每分钟0秒" },
    { Time, "every 2 hours at :30", "每2小时30分" },
    { Time, "every hour at :18:18", "每小时18:18" },
    { Time, "hourly", "每小时" },
    { Time, "every hour on the hour", "每小时0分" },
    { Offset, "15 minutes earlier", "-15分钟" },
    { Offset, "-15 min", "-15分钟" },
    { Offset, "1 hour earlier", "-1小时" },
    { Offset, "1 day later", "1天" },
    { Offset, "1 hour 30 minutes before", "-1小时30分钟" },
    { Offset, "2 weeks earlier", "-14天" },
    { Offset, "+2h", "2小时" },
};

std::optional<QString> Read(Field f, const QString& text)
{
    return f == Date ? ReadEnglishDate(text) : f == Time ? ReadEnglishTime(text) : ReadEnglishOffset(text);
}

// The moment a text designates now: a date with a fixed time, a time on a fixed day, an offset from tomorrow.
std::string Moment(Field f, const QString& text)
{
    const Instant due = f == Date ? ResolveDueTime(text, Q("9:00"), 0)
        : f == Time               ? ResolveDueTime(Q("明天"), text, 0)
                                  : ParseTimeOffset(AddDays(Clock::Now(), 1), text);
    return due == 0 ? "0" : FormatDateTimeText(due).toStdString();
}

// A leap day, both daylight-saving changes of Berlin, and a year's end.
const QDateTime kMoments[]
    = { QDateTime(QDate(2028, 2, 28), QTime(23, 30)), QDateTime(QDate(2027, 3, 28), QTime(2, 30)),
          QDateTime(QDate(2026, 10, 25), QTime(2, 30)), QDateTime(QDate(2027, 12, 31), QTime(22, 0)) };

class EnglishExpr : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const char* old = std::getenv("TZ");
        m_oldTz = old ? old : "";
        setenv("TZ", "Europe/Berlin", 1);
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

}  // namespace

// Each English text becomes its Chinese text; both, and the English the Chinese is shown as, give the same moments.
TEST_F(EnglishExpr, ReadsAsTheChineseItStandsFor)
{
    ClockGuard clock(2026, 1, 1);
    for (const Row& row : kRows) {
        const std::optional<QString> read = Read(row.field, Q(row.english));
        ASSERT_TRUE(read.has_value()) << row.english;
        EXPECT_EQ(read->toStdString(), row.chinese) << row.english;
        const QString shown = row.field == Date ? EnglishDateText(Q(row.chinese))
            : row.field == Time                 ? EnglishTimeText(Q(row.chinese))
                                                : QString();
        const QString shownRead = shown.isEmpty() ? Q(row.chinese) : Read(row.field, shown).value_or(shown);
        for (const QDateTime& at : kMoments) {
            clock.Set(at);
            const std::string expected = Moment(row.field, Q(row.chinese));
            EXPECT_NE(expected, "0") << row.chinese << " at " << at.toString().toStdString();
            EXPECT_EQ(Moment(row.field, *read), expected) << row.english;
            EXPECT_EQ(Moment(row.field, shownRead), expected) << shown.toStdString();
        }
    }
}

TEST_F(EnglishExpr, RefusedWithTheUsualMessage)
{
    ClockGuard clock(2026, 1, 1, 10, 0);
    const QString dateMessage = DueDateRules(Q("abc")).message;
    for (const char* text : { "tomorow", "every Funday", "in 3 fortnights", "every month on the 32nd", "Feb 30",
             "lunar 2-30", "the last day of every lunar month", "every 2 days on Monday" }) {
        const DueFieldResult r = DueDateRules(Q(text));
        EXPECT_FALSE(r.accepted) << text << " -> " << r.text.toStdString();
        EXPECT_EQ(r.message, dateMessage) << text;
    }
    const QString timeMessage = DueTimeRules(Q("abc"), Q("今天")).message;
    for (const char* text : { "13pm", "every 2 hours at :75", "in 10 minuets", "at 9", "every day" }) {
        const DueFieldResult r = DueTimeRules(Q(text), Q("今天"));
        EXPECT_FALSE(r.accepted) << text << " -> " << r.text.toStdString();
        EXPECT_EQ(r.message, timeMessage) << text;
    }
    QString offsetMessage, err;
    ParseTimeOffset(Clock::Now(), Q("abc"), &offsetMessage);
    for (const char* text : { "15 hourz earlier", "-15 min later", "soon" }) {
        EXPECT_FALSE(StoredOffsetText(Q(text), &err).has_value()) << text;
        EXPECT_EQ(err, offsetMessage) << text;
    }
    // Chinese and numeric texts are no English: they pass as typed.
    for (const char* text : { "明天", "10:00", "2011-1-1", "-15", "每周135", "--" })
        EXPECT_EQ(StoredDateText(Q(text)), Q(text));
    EXPECT_EQ(StoredOffsetText(Q("-1小时")), Q("-1小时"));
}

TEST_F(EnglishExpr, KeptTextsInEnglishWords)
{
    ClockGuard clock(2026, 1, 1);
    EXPECT_EQ(EnglishDueText(Q("每周135"), Q("10:17")), Q("every Mon, Wed, Fri 10:17"));
    const std::pair<const char*, const char*> dates[] = {
        { "农历每年8-15", "lunar 8-15 every year" },
        { "每月-1天", "the last day of every month" },
        { "每2个月-2号", "the 2nd to last day of every 2 months" },
        { "每年1-1,2-1", "every year on Jan 1, Feb 1" },
        { "农历每月1,15号", "every lunar month on the 1st and 15th" },
        { "农历每2个月1号", "every 2 months on the 1st" },  // read as the solar rule, and shown so
        { "每周", "every week" },
        { "农历每月", "every lunar month" },
        { "3天后", "in 3 days" },
        { "后天", "the day after tomorrow" },
        { "2011年1月1日", "2011-1-1" },
        { "2011-1-1", "2011-1-1" },
        { "--", "--" },
    };
    for (const auto& [stored, english] : dates)
        EXPECT_EQ(EnglishDateText(Q(stored)), Q(english)) << stored;
    const std::pair<const char*, const char*> times[] = {
        { "每2小时30:0", "every 2 hours at :30:00" },
        { "每10分钟0秒", "every 10 minutes at second 0" },
        { "每30秒", "every 30 seconds" },
        { "1小时后", "in 1 hour" },
        { "8:30", "8:30" },
    };
    for (const auto& [stored, english] : times)
        EXPECT_EQ(EnglishTimeText(Q(stored)), Q(english)) << stored;
}

// The recurrence dialog's detail field and the valid-period fields take English too.
TEST_F(EnglishExpr, DialogFieldsReadEnglish)
{
    const struct
    {
        int type;
        const char* english;
        const char* spec;  // "" when refused
    } details[] = {
        { ltWeek, "Mon, Wed and Fri", "135" },
        { ltMonth, "the 1st and 15th", "1,15" },
        { ltMonth, "the last day", "-1" },
        { ltLunarMonth, "the last day", "" },
        { ltYear, "Jan 1, Oct 1", "1-1,10-1" },
        { ltDay, "8:30 pm", "20:30" },
        { ltHour, "thirty", "" },
    };
    for (const auto& d : details) {
        QString spec;
        EXPECT_EQ(GetSpecDesc(d.type, true, Q(d.english), &spec, nullptr), *d.spec != 0) << d.english;
        if (*d.spec) {
            EXPECT_EQ(spec, Q(d.spec)) << d.english;
        }
    }
    EXPECT_EQ(ReadEnglishMoment(Q("Dec 25 2027 10:00")), Q("2027-12-25 10:00"));
    EXPECT_EQ(ReadEnglishMoment(Q("25 December 9am")), Q("12-25 9:00"));
    EXPECT_EQ(ReadEnglishMoment(Q("Dec 25 soon")), std::nullopt);
}
