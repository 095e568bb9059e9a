// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/TaskEvent.h"
#include "storage/IcalCommon.h"
#include "support/TestEnv.h"
#include "sync/TaskMerge.h"
#include "timerules/Recurrence.h"
#include "timerules/TimeExpr.h"

#include <libical/ical.h>

#include <memory>

namespace {

const QDateTime kNow(QDate(2026, 12, 9), QTime(2, 0), Qt::UTC);  // 10:00 in Shanghai

enum Form { kOneOff, kRRule, kListed };

struct Row
{
    const char* date;
    const char* time;
    Form form;
};

const Row kRows[] = {
    { "2026-12-20", "9:00", kOneOff },
    { "每天", "9:00", kRRule },
    { "每周135", "8:30", kRRule },
    { "每月-1天", "18:00", kRRule },
    { "每年3-15", "8:00", kRRule },
    { "每天", "每2小时30分", kRRule },
    { "农历每月1,15号", "9:00", kListed },
    { "农历每年8-15", "20:00", kListed },  // a lunar RRULE is refused by servers: always listed
    { "每2周15", "9:00", kListed },
    { "每天", "每30秒", kListed },
};

std::unique_ptr<CTask> MakeTask(const char* date, const char* time)
{
    auto t = std::make_unique<CTask>();
    // Commas and semicolons, and a line long enough to be folded.
    t->SetDescription(
        QStringLiteral("交房租,水费;电费：都在同一张单子上，月底前一起交掉\r\n别忘了收据, 两张; 一张给房东"));
    t->sMemo = QStringLiteral("房东电话\r\n138");
    t->sType = QStringLiteral("家庭");
    t->ePriority = tpHigh;
    t->eRingType = rtMusic;
    t->sRingFile = QStringLiteral("铃声/R2.mid");
    t->bAutoMemo = true;
    t->sDueDate = QString::fromUtf8(date);
    t->sDueTime = QString::fromUtf8(time);
    t->sManualAlarm = QStringLiteral("-15");
    t->dtCreateDT = MakeInstant(2026, 12, 1, 8);
    t->dtChangeDT = MakeInstant(2026, 12, 2, 8);
    t->dtDueDT = ResolveDueTime(t->sDueDate, t->sDueTime, 0);
    t->dtAlarmDT = t->CalcAlarm();
    t->EnsureUid();
    return t;
}

TaskEventOptions Options()
{
    return { InstantFromDateTime(kNow.toLocalTime()), 3 };
}

struct Cal
{
    explicit Cal(const QByteArray& ics)
        : c(icalparser_parse_string(ics.constData()))
    {
    }
    ~Cal() { icalcomponent_free(c); }
    icalcomponent* Event() const { return icalcomponent_get_first_component(c, ICAL_VEVENT_COMPONENT); }
    int Count(icalproperty_kind kind) const { return icalcomponent_count_properties(Event(), kind); }
    icalcomponent* c;
};

int OurAlarms(const QByteArray& ics)
{
    return int(ics.count("X-TICKWELL-REMINDER"));
}

QString Text(Instant v)
{
    return FormatDateTimeText(v);
}

std::unique_ptr<CTask> Read(const QByteArray& ics)
{
    auto t = std::make_unique<CTask>();
    QString error;
    EXPECT_TRUE(EventToTask(ics, *t, &error)) << error.toStdString();
    return t;
}

}  // namespace

TEST(TaskEvent, EveryLoopTypeComesBackExactlyAndPassesTheRfcCheck)
{
    for (const Row& row : kRows) {
        SCOPED_TRACE(std::string(row.date) + " " + row.time);
        ClockGuard clock(kNow);
        const auto task = MakeTask(row.date, row.time);
        const QByteArray ics = TaskToEvent(*task, {}, Options());
        Cal cal(ics);
        ASSERT_NE(cal.Event(), nullptr);
        EXPECT_TRUE(icalrestriction_check(cal.c));
        EXPECT_EQ(icalcomponent_count_errors(cal.c), 0) << ics.toStdString();
        EXPECT_EQ(cal.Count(ICAL_RRULE_PROPERTY), row.form == kRRule ? 1 : 0);
        EXPECT_EQ(cal.Count(ICAL_RDATE_PROPERTY) > 0, row.form == kListed);
        EXPECT_FALSE(ics.contains("RSCALE"));
        EXPECT_TRUE(ics.contains(QByteArray(row.date).replace(",", "\\,"))) << ics.toStdString();
        EXPECT_TRUE(ics.contains("TRIGGER:-PT15M"));

        const auto back = Read(ics);
        EXPECT_FALSE(SyncedFieldsDiffer(*task, *back));
        EXPECT_EQ(back->sUid, task->sUid);
        EXPECT_EQ(back->sDueDate, task->sDueDate);
        EXPECT_EQ(back->sDueTime, task->sDueTime);
        EXPECT_EQ(back->sMemo, task->sMemo);
        EXPECT_EQ(back->sRingFile, task->sRingFile);
        EXPECT_EQ(Text(back->dtDueDT), Text(task->dtDueDT));
        EXPECT_EQ(Text(back->dtAlarmDT), Text(task->dtAlarmDT));
        EXPECT_EQ(Text(back->dtCreateDT), Text(task->dtCreateDT));
        EXPECT_EQ(Text(back->dtChangeDT), Text(task->dtChangeDT));
    }
}

TEST(TaskEvent, LunarDatesAreTheProgramsOwnSeriesForThreeYears)
{
    for (const char* rule : { "农历每月1,15号", "农历每年8-15" }) {
        SCOPED_TRACE(rule);
        ClockGuard clock(kNow);
        const auto task = MakeTask(rule, "9:00");
        const QByteArray ics = TaskToEvent(*task, {}, Options());
        Cal cal(ics);
        // Written again once the look-ahead has moved on by a new date.
        TaskEventOptions later = Options();
        EXPECT_FALSE(EventNeedsRenewal(*task, ics, later));
        later.now = AddDays(later.now, 40);
        EXPECT_EQ(EventNeedsRenewal(*task, ics, later), QByteArray(rule) == "农历每月1,15号");
        std::vector<QString> listed { Text(IcalLocalInstant(icalcomponent_get_dtstart(cal.Event()))) };
        for (icalproperty* p = icalcomponent_get_first_property(cal.Event(), ICAL_RDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(cal.Event(), ICAL_RDATE_PROPERTY))
            listed.push_back(Text(IcalLocalInstant(icalproperty_get_datetime_with_component(p, cal.Event()))));

        // The program's own walk: the task comes due and is finished, again and again.
        std::vector<QString> own;
        const Instant until = AddYears(Options().now, 3);
        while (!(until < task->dtDueDT)) {
            own.push_back(Text(task->dtDueDT));
            clock.clock().Set(task->dtDueDT);
            ASSERT_TRUE(task->NextRecurring(true));
        }
        EXPECT_EQ(listed, own);
        EXPECT_GE(own.size(), 3u);
    }
}

TEST(TaskEvent, WhatOtherClientsWroteSurvivesAndSettledTasksLeaveNoActiveAlarm)
{
    ClockGuard clock(kNow);
    const auto task = MakeTask("每天", "9:00");
    QByteArray previous = TaskToEvent(*task, {}, Options());
    previous.replace("END:VEVENT",
        "X-PHONE-COLOR:teal\r\nEXDATE;TZID=Asia/Shanghai:20261212T090000\r\n"
        "BEGIN:VALARM\r\nACTION:AUDIO\r\nTRIGGER:-PT1H\r\nEND:VALARM\r\nEND:VEVENT");

    struct Case
    {
        TaskStatus status;
        int ourAlarms;
        bool cancelled, acknowledged;
    };
    const Case cases[] = {
        { tsNotStarted, 1, false, false },
        { tsDue, 1, false, false },  // ringing, not yet dealt with
        { tsPostponed, 1, false, true },
        { tsFinished, 0, false, true },
        { tsCancelled, 0, true, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.status));
        task->SetStatus(c.status);
        if (c.status == tsPostponed)
            task->dtAlarmDT = AddSeconds(task->dtAlarmDT, 600);
        const QByteArray ics = TaskToEvent(*task, previous, Options());
        EXPECT_TRUE(ics.contains("X-PHONE-COLOR:teal"));
        EXPECT_TRUE(ics.contains("EXDATE;TZID=Asia/Shanghai:20261212T090000"));
        EXPECT_TRUE(ics.contains("ACTION:AUDIO"));
        EXPECT_EQ(OurAlarms(ics), c.ourAlarms);
        EXPECT_EQ(ics.contains("STATUS:CANCELLED"), c.cancelled);
        EXPECT_EQ(ics.contains("ACKNOWLEDGED:"), c.acknowledged);
        if (c.status == tsPostponed) {
            EXPECT_TRUE(ics.contains("TRIGGER:-PT5M")) << ics.toStdString();
        }

        const auto back = Read(ics);
        EXPECT_EQ(back->eStatus(), c.status == tsDue ? tsNotStarted : c.status);
        EXPECT_EQ(Text(back->dtAlarmDT), Text(task->dtAlarmDT));
        EXPECT_EQ(back->sDueDate, task->sDueDate);  // the other client's exception leaves the rule alone
        // Written again on top of itself: no second copy of anything.
        const QByteArray again = TaskToEvent(*task, ics, Options());
        EXPECT_EQ(again.count("X-PHONE-COLOR"), 1);
        EXPECT_EQ(OurAlarms(again), c.ourAlarms);
        EXPECT_EQ(again.count("BEGIN:VTIMEZONE"), 1);
        task->SetStatus(tsNotStarted);
        task->dtAlarmDT = task->CalcAlarm();
    }
}

TEST(TaskEvent, EventsOfOtherClientsBecomeSensibleTasks)
{
    const QByteArray head = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//EN\r\nBEGIN:VEVENT\r\n"
                            "UID:phone-1\r\nDTSTAMP:20261201T000000Z\r\n";
    const QByteArray tail = "END:VEVENT\r\nEND:VCALENDAR\r\n";
    struct Case
    {
        const char* body;
        const char* date;
        const char* time;
        const char* alarm;
        TaskStatus status;
    };
    const Case cases[] = {
        // Tuesdays 18:00 in Shanghai, written in UTC.
        { "SUMMARY:Yoga\r\nDTSTART:20261201T100000Z\r\nRRULE:FREQ=WEEKLY;BYDAY=TU\r\n"
          "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT30M\r\nDESCRIPTION:x\r\nEND:VALARM\r\n",
            "每周2", "18:00", "-30", tsNotStarted },
        { "SUMMARY:Dentist\r\nDTSTART:20261215T013000Z\r\n", "2026-12-15", "9:30", "", tsNotStarted },
        { "SUMMARY:All day\r\nDTSTART;VALUE=DATE:20261224\r\n", "2026-12-24", "0:00", "", tsNotStarted },
        { "SUMMARY:Gone\r\nDTSTART:20261101T013000Z\r\n", "2026-11-1", "9:30", "", tsExpired },
        { "SUMMARY:Off\r\nSTATUS:CANCELLED\r\nDTSTART:20261215T013000Z\r\n", "2026-12-15", "9:30", "", tsCancelled },
        // A rule the program cannot say: its next occurrence.
        { "SUMMARY:Board\r\nDTSTART:20260101T013000Z\r\nRRULE:FREQ=MONTHLY;BYDAY=2TU\r\n", "2027-1-12", "9:30", "",
            tsNotStarted },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        ClockGuard clock(kNow);
        const auto t = Read(head + c.body + tail);
        EXPECT_EQ(t->sUid, QStringLiteral("phone-1"));
        EXPECT_EQ(t->sDueDate, QString::fromUtf8(c.date));
        EXPECT_EQ(t->sDueTime, QString::fromUtf8(c.time));
        EXPECT_EQ(t->sManualAlarm, QString::fromUtf8(c.alarm));
        EXPECT_EQ(t->eStatus(), c.status);
    }
}

TEST(TaskEvent, ASeriesOfAnotherClientIsNotShrunkToTheOneDateTheProgramTookFromIt)
{
    ClockGuard clock(kNow);
    const QByteArray ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\nBEGIN:VEVENT\r\nUID:board\r\n"
                           "DTSTAMP:20261201T000000Z\r\nDTSTART:20260101T013000Z\r\nSUMMARY:Board\r\n"
                           "RRULE:FREQ=MONTHLY;BYDAY=2TU\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    const auto task = Read(ics);
    task->SetStatus(tsFinished);
    const QByteArray finished = TaskToEvent(*task, ics, Options());
    EXPECT_TRUE(finished.contains("RRULE:FREQ=MONTHLY;BYDAY=2TU")) << finished.toStdString();
    EXPECT_TRUE(finished.contains("DTSTART:20260101T013000Z"));
    // Moved off the series by the user here: the event becomes that one date.
    task->dtDueDT = MakeInstant(2027, 1, 13, 9, 30);
    const QByteArray moved = TaskToEvent(*task, ics, Options());
    EXPECT_FALSE(moved.contains("RRULE:FREQ=MONTHLY"));
    EXPECT_TRUE(moved.contains("DTSTART;TZID=Asia/Shanghai:20270113T093000")) << moved.toStdString();
}

TEST(TaskEvent, NothingFromAServerRunsAnything)
{
    ClockGuard clock(kNow);
    const QByteArray ics
        = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\nBEGIN:VEVENT\r\nUID:evil\r\n"
          "DTSTAMP:20261201T000000Z\r\nDTSTART:20261215T013000Z\r\nSUMMARY::pwn\r\n"
          "X-TICKWELL-DESCRIPTION::pwn\\ntouch /tmp/pwned\r\nX-TICKWELL-STATUS:0\r\n"
          "X-TICKWELL-DUE:20261215T093000\r\nX-TICKWELL-DUEDATE:2026-12-15\r\n"
          "X-TICKWELL-DUETIME:9:30\r\nX-TICKWELL-CMD:touch /tmp/pwned\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    auto harmless = [&ics](CTask& t) {
        ASSERT_TRUE(EventToTask(ics, t, nullptr));
        EXPECT_EQ(t.TaskType(), ttNormal);
        EXPECT_TRUE(t.sDescription().startsWith(u'：')) << t.sDescription().toStdString();
        EXPECT_TRUE(t.UserEventCmd().isEmpty());
    };
    CTask fresh, existing;
    existing.sCmd = QStringLiteral("notify-send hi");
    existing.bUseCmd = true;
    harmless(fresh);
    harmless(existing);
    EXPECT_TRUE(fresh.sCmd.isEmpty());
    EXPECT_EQ(existing.sCmd, QStringLiteral("notify-send hi"));  // the local command is the local user's

    // And nothing that runs goes out: a task's command stays here, an event check is no calendar entry.
    existing.EnsureUid();
    EXPECT_FALSE(TaskToEvent(existing, {}, Options()).contains("notify-send"));
    CTask check;
    check.SetDescription(QStringLiteral(":磁盘满\r\ndf / | grep 100%"));
    check.dtDueDT = MakeInstant(2026, 12, 15, 9);
    EXPECT_FALSE(IsSyncableTask(check));
}

TEST(TaskEvent, AStartMovedOnAPhoneWinsOverTheTexts)
{
    ClockGuard clock(kNow);
    const auto task = MakeTask("2026-12-20", "9:00");
    QByteArray ics = TaskToEvent(*task, {}, Options());
    ASSERT_TRUE(ics.contains("DTSTART;TZID=Asia/Shanghai:20261220T090000"));
    ics.replace("DTSTART;TZID=Asia/Shanghai:20261220T090000", "DTSTART;TZID=Asia/Shanghai:20261221T103000");
    const auto back = Read(ics);
    EXPECT_EQ(back->sDueDate, QStringLiteral("2026-12-21"));
    EXPECT_EQ(back->sDueTime, QStringLiteral("10:30"));
    EXPECT_EQ(back->sManualAlarm, QStringLiteral("-15"));
}

TEST(TaskEvent, DataThatIsNotOneEventIsRefused)
{
    const char* bad[] = {
        "",
        "not a calendar",
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VTODO\r\nUID:a\r\nEND:VTODO\r\nEND:VCALENDAR\r\n",
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nDTSTART:20261215T013000Z\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n",
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:a\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n",
    };
    for (const char* ics : bad) {
        CTask t;
        QString error;
        EXPECT_FALSE(EventToTask(QByteArray(ics), t, &error)) << ics;
        EXPECT_FALSE(error.isEmpty());
    }
}
