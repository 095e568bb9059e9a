// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/StoreTestUtil.h"

#include "storage/IcalExport.h"
#include "storage/IcalImport.h"
#include "storage/IcalRules.h"
#include "support/TestEnv.h"
#include "timerules/Recurrence.h"
#include "timerules/TimeExpr.h"

#include <QRegularExpression>

#include <libical/ical.h>

namespace {

struct Row
{
    const char* date;
    const char* time;
    const char* rrule;  // what the RRULE must hold; nullptr: no exact form, listed occurrences instead
};

// One row per loop type, a lunar yearly rule, and rules with no exact form.
const Row kRows[] = {
    { "每天", "9:00", "FREQ=DAILY" },
    { "每3天", "9:00", "FREQ=DAILY;INTERVAL=3" },
    { "每周135", "8:30", "FREQ=WEEKLY;BYDAY=MO,WE,FR" },
    { "每2周", "8:30", "FREQ=WEEKLY;INTERVAL=2" },
    { "每月1,15号", "9:00", "FREQ=MONTHLY;BYMONTHDAY=1,15" },
    { "每月-1天", "18:00", "FREQ=MONTHLY;BYMONTHDAY=-1" },
    { "每年3-15", "8:00", "FREQ=YEARLY;BYMONTHDAY=15;BYMONTH=3" },
    { "每天", "每2小时30分", "FREQ=HOURLY;INTERVAL=2" },
    { "每天", "每10分钟5秒", "FREQ=MINUTELY;INTERVAL=10" },
    // Debian's libical takes its Chinese calendar from ICU 72, which starts lunar 2027 on 7 February; the
    // program's table (and the published calendar) on 6 February. The RSCALE rule would ring a day late, so
    // the occurrences are listed instead.
    { "农历每月1,15号", "9:00", nullptr },
    { "农历每年8-15", "20:00", "RSCALE=CHINESE;FREQ=YEARLY;BYMONTHDAY=15;BYMONTH=8,8L" },
    { "每2周15", "9:00", nullptr },  // from a Friday the next Monday is ten days on, not three
    { "每月", "9:00", "FREQ=MONTHLY" },
    { "每天", "每30秒", nullptr },
};

const QDateTime kNow(QDate(2026, 12, 9), QTime(10, 0), Qt::UTC);

TaskPtr RuleTask(const Row& row)
{
    auto t = std::make_shared<CTask>();
    t->SetDescription(QStringLiteral("交房租\r\n别忘了收据"));
    t->sType = QStringLiteral("家庭");
    t->ePriority = tpHigh;
    t->sDueDate = QString::fromUtf8(row.date);
    t->sDueTime = QString::fromUtf8(row.time);
    t->sManualAlarm = QStringLiteral("-15");
    t->dtDueDT = ResolveDueTime(t->sDueDate, t->sDueTime, 0);
    t->dtAlarmDT = t->CalcAlarm();
    return t;
}

// The program's own occurrences: the task comes due and is finished at once, again and again.
std::vector<Instant> ProgramSeries(const Row& row, Instant until, size_t max)
{
    ClockGuard clock(kNow);
    TaskPtr t = RuleTask(row);
    std::vector<Instant> out;
    while (out.size() < max && !(until < t->dtDueDT)) {
        out.push_back(t->dtDueDT);
        clock.clock().Set(t->dtDueDT);
        if (!t->NextRecurring(true))
            break;
    }
    return out;
}

struct Parsed
{
    icalcomponent* cal = nullptr;
    ~Parsed() { icalcomponent_free(cal); }
};

// libical's expansion of the one event in the file, in local wall-clock time.
std::vector<Instant> LibicalSeries(icalcomponent* ev, Instant until, size_t max)
{
    auto local = [](icaltimetype t) {
        const QDateTime dt = QDateTime::fromSecsSinceEpoch(icaltime_as_timet_with_zone(t, t.zone), Qt::LocalTime);
        return InstantFromDateTime(dt.date(), dt.time());
    };
    const icaltimetype start = icalcomponent_get_dtstart(ev);
    std::vector<Instant> out;
    if (icalproperty* p = icalcomponent_get_first_property(ev, ICAL_RRULE_PROPERTY)) {
        icalrecur_iterator* it = icalrecur_iterator_new(icalproperty_get_rrule(p), start);
        for (icaltimetype t = icalrecur_iterator_next(it); !icaltime_is_null_time(t) && out.size() < max;
             t = icalrecur_iterator_next(it)) {
            t.zone = start.zone;
            if (until < local(t))
                break;
            out.push_back(local(t));
        }
        icalrecur_iterator_free(it);
        return out;
    }
    out.push_back(local(start));
    for (icalproperty* p = icalcomponent_get_first_property(ev, ICAL_RDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(ev, ICAL_RDATE_PROPERTY))
        out.push_back(local(icalproperty_get_datetime_with_component(p, ev)));
    return out;
}

std::vector<QString> Texts(const std::vector<Instant>& v)
{
    std::vector<QString> out;
    for (Instant i : v)
        out.push_back(FormatDateTimeText(i));
    return out;
}

}  // namespace

TEST(Ical, ExportedRulesExpandAsTheProgramCountsAndComeBack)
{
    for (const Row& row : kRows) {
        SCOPED_TRACE(std::string(row.date) + " " + row.time);
        ClockGuard clock(kNow);
        TaskList tasks;
        TaskPtr task = RuleTask(row);
        tasks.AddTask(task);
        int exported = 0;
        const QByteArray text = IcalText(tasks, &exported);
        ASSERT_EQ(exported, 1);

        // libical's own parser and RFC 5545 restriction check accept the file.
        Parsed parsed { icalparser_parse_string(text.constData()) };
        ASSERT_NE(parsed.cal, nullptr);
        EXPECT_TRUE(icalrestriction_check(parsed.cal));
        EXPECT_EQ(icalcomponent_count_errors(parsed.cal), 0) << text.toStdString();
        icalcomponent* ev = icalcomponent_get_first_component(parsed.cal, ICAL_VEVENT_COMPONENT);
        ASSERT_NE(ev, nullptr);
        EXPECT_TRUE(text.contains("TZID=Asia/Shanghai")) << text.toStdString();
        EXPECT_TRUE(text.contains("TRIGGER:-PT15M"));
        EXPECT_TRUE(text.contains("CATEGORIES:家庭"));
        EXPECT_TRUE(text.contains("PRIORITY:3"));

        icalproperty* rrule = icalcomponent_get_first_property(ev, ICAL_RRULE_PROPERTY);
        const Instant until = AddYears(task->dtDueDT, 2);
        size_t max = kIcalCompareMax;
        if (row.rrule) {
            ASSERT_NE(rrule, nullptr);
            EXPECT_EQ(QString::fromUtf8(icalproperty_get_value_as_string(rrule)), QString::fromUtf8(row.rrule));
        } else {
            EXPECT_EQ(rrule, nullptr);
            EXPECT_TRUE(text.contains("X-TICKWELL-DUEDATE:"));
            // Escaped, or a server reading the value as a list keeps only "农历每月1".
            EXPECT_TRUE(text.contains(QByteArray(row.date).replace(",", "\\,")));
            max = kIcalListedOccurrences;
        }
        EXPECT_EQ(Texts(LibicalSeries(ev, until, max)), Texts(ProgramSeries(row, until, max)));

        // Round trip: the same task comes back, its rule texts as written.
        IcalImportResult back;
        ASSERT_TRUE(ReadIcal(text, back));
        ASSERT_EQ(back.tasks.size(), 1u);
        const CTask& t = *back.tasks[0];
        EXPECT_EQ(t.sDescription(), task->sDescription());
        EXPECT_EQ(t.sType, task->sType);
        EXPECT_EQ(t.ePriority, task->ePriority);
        EXPECT_EQ(t.sDueDate, task->sDueDate);
        EXPECT_EQ(t.sDueTime, task->sDueTime);
        EXPECT_EQ(t.sManualAlarm, task->sManualAlarm);
        EXPECT_EQ(FormatDateTimeText(t.dtDueDT), FormatDateTimeText(task->dtDueDT));
        EXPECT_TRUE(back.nextOnly.isEmpty());

        // Without the program's own texts, an RRULE still maps back to a rule with the same occurrences.
        const QByteArray foreign = QString::fromUtf8(text)
                                       .remove(QRegularExpression(QStringLiteral("X-TICKWELL-[A-Z]+:[^\r]*\r\n")))
                                       .toUtf8();
        ASSERT_TRUE(ReadIcal(foreign, back));
        ASSERT_EQ(back.tasks.size(), 1u);
        const CTask& m = *back.tasks[0];
        EXPECT_EQ(back.nextOnly.isEmpty(), row.rrule != nullptr);
        if (row.rrule) {
            EXPECT_EQ(Texts(RuleOccurrences(m.sDueDate, m.sDueTime, m.dtDueDT, until, 50)),
                Texts(ProgramSeries(row, until, 50)));
        }
    }
}

TEST(Ical, ForeignCalendarWithZonesAllDayAndExceptions)
{
    ClockGuard clock(kNow);  // Wednesday 2026-12-09 10:00 in Shanghai
    const QByteArray ics = "BEGIN:VCALENDAR\r\n"
                           "VERSION:2.0\r\n"
                           "PRODID:-//Example Corp.//Groupware 5.2//EN\r\n"
                           "BEGIN:VTIMEZONE\r\n"
                           "TZID:America/New_York\r\n"
                           "BEGIN:DAYLIGHT\r\n"
                           "TZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\nTZNAME:EDT\r\n"
                           "DTSTART:20070311T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\n"
                           "END:DAYLIGHT\r\n"
                           "BEGIN:STANDARD\r\n"
                           "TZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nTZNAME:EST\r\n"
                           "DTSTART:20071104T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\n"
                           "END:STANDARD\r\n"
                           "END:VTIMEZONE\r\n"
                           // New York's 9:00 moves by an hour in Shanghai when New York changes its clocks.
                           "BEGIN:VEVENT\r\nUID:1@example.com\r\nDTSTAMP:20261101T000000Z\r\n"
                           "DTSTART;TZID=America/New_York:20261103T090000\r\nDURATION:PT1H\r\n"
                           "RRULE:FREQ=WEEKLY;BYDAY=TU\r\nSUMMARY:Team sync\r\nEND:VEVENT\r\n"
                           // An all-day holiday.
                           "BEGIN:VEVENT\r\nUID:2@example.com\r\nDTSTAMP:20261101T000000Z\r\n"
                           "DTSTART;VALUE=DATE:20261225\r\nDTEND;VALUE=DATE:20261226\r\nSUMMARY:圣诞节\r\n"
                           "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:圣诞节\r\nTRIGGER:-PT15H\r\nEND:VALARM\r\n"
                           "END:VEVENT\r\n"
                           // A daily stand-up with a past exception (still every day) ...
                           "BEGIN:VEVENT\r\nUID:3@example.com\r\nDTSTAMP:20261101T000000Z\r\n"
                           "DTSTART:20261201T013000Z\r\nRRULE:FREQ=DAILY;UNTIL=20261231T013000Z\r\n"
                           "EXDATE:20261205T013000Z\r\nSUMMARY:站会\r\nCATEGORIES:工作,会议\r\nPRIORITY:1\r\n"
                           "END:VEVENT\r\n"
                           // ... and one whose exception lies ahead.
                           "BEGIN:VEVENT\r\nUID:4@example.com\r\nDTSTAMP:20261101T000000Z\r\n"
                           "DTSTART;TZID=Asia/Shanghai:20261201T180000\r\nRRULE:FREQ=DAILY\r\n"
                           "EXDATE;TZID=Asia/Shanghai:20261211T180000\r\nSUMMARY:跑步\r\nEND:VEVENT\r\n"
                           // Over, cancelled, and a to-do whose summary would make a check command.
                           "BEGIN:VEVENT\r\nUID:5@example.com\r\nDTSTAMP:20261101T000000Z\r\n"
                           "DTSTART:20261101T080000Z\r\nSUMMARY:Past\r\nEND:VEVENT\r\n"
                           "BEGIN:VEVENT\r\nUID:6@example.com\r\nDTSTAMP:20261101T000000Z\r\nSTATUS:CANCELLED\r\n"
                           "DTSTART:20270101T080000Z\r\nSUMMARY:Cancelled\r\nEND:VEVENT\r\n"
                           "BEGIN:VTODO\r\nUID:7@example.com\r\nDTSTAMP:20261101T000000Z\r\n"
                           "DUE:20261210T020000Z\r\nSUMMARY::rm -rf ~\r\nDESCRIPTION:第二行\r\n"
                           "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:x\r\nTRIGGER:-PT90S\r\nEND:VALARM\r\n"
                           "END:VTODO\r\n"
                           "END:VCALENDAR\r\n";
    IcalImportResult r;
    ASSERT_TRUE(ReadIcal(ics, r));
    ASSERT_EQ(r.tasks.size(), 5u);
    struct Expect
    {
        const char* date;
        const char* time;
        const char* due;
        const char* alarm;
    };
    const Expect expected[] = {
        { "2026-12-15", "22:00", "2026-12-15 22:00:00", "" },
        { "2026-12-25", "0:00", "2026-12-25 00:00:00", "-900" },
        { "每天", "9:30", "2026-12-10 09:30:00", "" },
        { "2026-12-9", "18:00", "2026-12-09 18:00:00", "" },
        { "2026-12-10", "10:00", "2026-12-10 10:00:00", "-90秒" },
    };
    for (size_t i = 0; i < r.tasks.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(r.tasks[i]->sDueDate, QString::fromUtf8(expected[i].date));
        EXPECT_EQ(r.tasks[i]->sDueTime, QString::fromUtf8(expected[i].time));
        EXPECT_EQ(FormatDateTimeText(r.tasks[i]->dtDueDT), QString::fromUtf8(expected[i].due));
        EXPECT_EQ(r.tasks[i]->sManualAlarm, QString::fromUtf8(expected[i].alarm));
    }
    EXPECT_EQ(FormatDateTimeText(r.tasks[2]->dtValidToDT), QStringLiteral("2026-12-31 09:30:00"));
    EXPECT_EQ(r.tasks[2]->sType, QStringLiteral("工作"));
    EXPECT_EQ(r.tasks[2]->ePriority, tpUrgent);
    EXPECT_EQ(r.tasks[4]->TaskType(), ttNormal);
    EXPECT_EQ(r.tasks[4]->sDescription(), QStringLiteral("：rm -rf ~\r\n第二行"));
    EXPECT_EQ(r.nextOnly.size(), 2);  // New York's meeting and the run with an exception ahead
    EXPECT_EQ(r.over, 2);

    TaskEngine engine;
    EXPECT_EQ(engine.AddImportedTasks(r.tasks), 5);
    EXPECT_NE(engine.TaskTypes().Find(QStringLiteral("工作")), -1);
    const QString summary = IcalImportSummary(r, 5);
    EXPECT_TRUE(summary.startsWith(QStringLiteral("已导入 5 个任务。"))) << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("Team sync（2026-12-15 22:00:00）"))) << summary.toStdString();

    IcalImportResult none;
    QString error;
    EXPECT_FALSE(ReadIcal("not a calendar", none, &error));
    EXPECT_FALSE(error.isEmpty());
}

// A frequent rule that began long ago still goes on: it is walked from near the present, not from its start.
TEST(Ical, LongRunningRulesAreWalkedFromNearNow)
{
    ClockGuard clock(kNow);
    const struct
    {
        const char* start;
        const char* rule;
        qint64 step;  // seconds between occurrences; 0: the rule is over
    } cases[] = {
        { "20000101T000000Z", "FREQ=HOURLY", 3600 },
        { "20200101T000000Z", "FREQ=MINUTELY;INTERVAL=7", 7 * 60 },
        { "19000101T080000Z", "FREQ=DAILY", 86400 },
        { "19000101T080000Z", "FREQ=DAILY;COUNT=30", 0 },
        { "20000101T000000Z", "FREQ=HOURLY;UNTIL=20200101T000000Z", 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rule);
        const QByteArray ics = QByteArray("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//x//y//EN\r\nBEGIN:VEVENT\r\n"
                                          "UID:1@x\r\nDTSTAMP:20261101T000000Z\r\nSUMMARY:x\r\nDTSTART:")
            + c.start + "\r\nRRULE:" + c.rule + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
        IcalImportResult r;
        ASSERT_TRUE(ReadIcal(ics, r));
        ASSERT_EQ(r.tasks.size(), c.step ? 1u : 0u);
        EXPECT_EQ(r.over, c.step ? 0 : 1);
        if (c.step) {
            const qint64 ahead = SecondDiff(Clock::Now(), r.tasks[0]->dtDueDT);
            EXPECT_GT(ahead, 0);
            EXPECT_LE(ahead, c.step);
        }
    }
}
