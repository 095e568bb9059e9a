// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/TaskMerge.h"
#include "support/TestEnv.h"
#include "timerules/TimeExpr.h"

namespace {

using Change = void (*)(CTask&);

void Nothing(CTask&)
{
}
void Renamed(CTask& t)
{
    t.SetDescription(QStringLiteral("交水费"));
}
void RenamedOther(CTask& t)
{
    t.SetDescription(QStringLiteral("交电费"));
}
void Urgent(CTask& t)
{
    t.ePriority = tpUrgent;
}
void Finished(CTask& t)
{
    t.SetStatus(tsFinished);
}
void Ringing(CTask& t)
{
    t.SetStatus(tsDue);
}
void Postponed(CTask& t)
{
    t.SetStatus(tsPostponed);
    t.dtAlarmDT = MakeInstant(2026, 12, 20, 9, 30);
}
void Moved(CTask& t)
{
    t.sDueDate = QStringLiteral("2026-12-21");
    t.dtDueDT = MakeInstant(2026, 12, 21, 9);
}

struct Case
{
    const char* name;
    Change local, remote;
    int localTime, remoteTime;  // change times, in hours
    const char* description;
    int priority;
    TaskStatus status;
    const char* alarm;  // the alarm moment after the merge
    const char* conflict;  // the field reported as lost, or nullptr
    bool toSend;  // what this side alone changed still has to go out
};

const Case kCases[] = {
    { "nothing new", Nothing, Nothing, 1, 1, "交房租", tpHigh, tsNotStarted, "2026-12-20 08:45:00", nullptr, false },
    { "server renamed", Nothing, Renamed, 1, 2, "交水费", tpHigh, tsNotStarted, "2026-12-20 08:45:00", nullptr, false },
    { "here renamed", Renamed, Nothing, 2, 1, "交水费", tpHigh, tsNotStarted, "2026-12-20 08:45:00", nullptr, true },
    { "different fields", Renamed, Urgent, 1, 2, "交水费", tpUrgent, tsNotStarted, "2026-12-20 08:45:00", nullptr,
        true },
    { "both renamed, here later", Renamed, RenamedOther, 3, 2, "交水费", tpHigh, tsNotStarted, "2026-12-20 08:45:00",
        "描述", true },
    { "both renamed, server later", Renamed, RenamedOther, 2, 3, "交电费", tpHigh, tsNotStarted, "2026-12-20 08:45:00",
        "描述", false },
    { "both renamed alike", Renamed, Renamed, 2, 3, "交水费", tpHigh, tsNotStarted, "2026-12-20 08:45:00", nullptr,
        false },
    { "finished elsewhere while ringing here", Ringing, Finished, 2, 3, "交房租", tpHigh, tsFinished,
        "2026-12-20 08:45:00", nullptr, false },
    { "postponed elsewhere", Nothing, Postponed, 1, 2, "交房租", tpHigh, tsPostponed, "2026-12-20 09:30:00", nullptr,
        false },
    { "moved elsewhere: the alarm follows", Nothing, Moved, 1, 2, "交房租", tpHigh, tsNotStarted, "2026-12-21 08:45:00",
        nullptr, false },
    { "finished here, postponed there, same time: the server's", Finished, Postponed, 2, 2, "交房租", tpHigh,
        tsPostponed, "2026-12-20 09:30:00", "状态", false },
};

std::unique_ptr<CTask> Base()
{
    auto t = std::make_unique<CTask>();
    t->SetDescription(QStringLiteral("交房租"));
    t->ePriority = tpHigh;
    t->sDueDate = QStringLiteral("2026-12-20");
    t->sDueTime = QStringLiteral("9:00");
    t->sManualAlarm = QStringLiteral("-15");
    t->dtDueDT = MakeInstant(2026, 12, 20, 9);
    t->dtAlarmDT = t->CalcAlarm();
    t->EnsureUid();
    return t;
}

}  // namespace

TEST(TaskMerge, FieldByFieldTheLaterChangeWinsAndTheLoserIsReported)
{
    ClockGuard clock(2026, 12, 9, 10);
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const auto base = Base();
        CTask local, remote;
        local.CopyFrom(*base);
        remote.CopyFrom(*base);
        c.local(local);
        c.remote(remote);
        local.dtChangeDT = MakeInstant(2026, 12, 9, c.localTime);
        remote.dtChangeDT = MakeInstant(2026, 12, 9, c.remoteTime);
        local.sCmd = QStringLiteral("make backup");

        std::vector<MergeConflict> lost;
        MergeTask(*base, local, remote, lost);
        EXPECT_EQ(local.sDescription(), QString::fromUtf8(c.description));
        EXPECT_EQ(local.ePriority, c.priority);
        EXPECT_EQ(local.eStatus() == tsDue ? tsNotStarted : local.eStatus(), c.status);
        EXPECT_EQ(FormatDateTimeText(local.dtAlarmDT), QString::fromUtf8(c.alarm));
        EXPECT_EQ(local.sCmd, QStringLiteral("make backup"));
        EXPECT_EQ(local.dtChangeDT, std::max(MakeInstant(2026, 12, 9, c.localTime), remote.dtChangeDT));
        ASSERT_EQ(lost.size(), c.conflict ? 1u : 0u);
        if (c.conflict) {
            EXPECT_EQ(lost[0].field, QString::fromUtf8(c.conflict));
            EXPECT_NE(lost[0].kept, lost[0].lost);
        }
        EXPECT_EQ(SyncedFieldsDiffer(local, remote), c.toSend);
    }
}

// The digest stands in for the comparison while it is unchanged: every change that travels must change it.
TEST(TaskMerge, EveryChangeThatTravelsChangesTheDigest)
{
    const struct
    {
        const char* name;
        void (*change)(CTask&);
        bool travels;
    } changes[] = {
        { "description", Renamed, true },
        { "memo", [](CTask& t) { t.sMemo = QStringLiteral("带发票"); }, true },
        { "category", [](CTask& t) { t.sType = QStringLiteral("财务"); }, true },
        { "priority", Urgent, true },
        { "due", Moved, true },
        { "due time text", [](CTask& t) { t.sDueTime = QStringLiteral("9:30"); }, true },
        { "alarm", [](CTask& t) { t.sManualAlarm = QStringLiteral("-30"); }, true },
        { "status", Finished, true },
        { "postponed", Postponed, true },
        { "valid from", [](CTask& t) { t.dtValidFromDT = MakeInstant(2026, 12, 1); }, true },
        { "valid to", [](CTask& t) { t.dtValidToDT = MakeInstant(2027, 1, 1); }, true },
        { "ring", [](CTask& t) { t.eRingType = t.eRingType + 1; }, true },
        { "auto finish", [](CTask& t) { t.bAutoFinish = !t.bAutoFinish; }, true },
        { "auto cancel", [](CTask& t) { t.bAutoCancel = !t.bAutoCancel; }, true },
        { "auto memo", [](CTask& t) { t.bAutoMemo = !t.bAutoMemo; }, true },
        { "ringing here", Ringing, false },
        { "command", [](CTask& t) { t.sCmd = QStringLiteral("make backup"); }, false },
    };
    const auto base = Base();
    for (const auto& c : changes) {
        SCOPED_TRACE(c.name);
        CTask changed;
        changed.CopyFrom(*base);
        c.change(changed);
        EXPECT_EQ(SyncedFieldsDiffer(*base, changed), c.travels);
        EXPECT_EQ(SyncedFieldsDigest(*base) != SyncedFieldsDigest(changed), c.travels);
    }
}
