// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/TaskScheduler.h"
#include "engine/RunCmd.h"
#include "engine/TaskEngine.h"
#include "support/RecordingOpener.h"
#include "support/TestEnv.h"
#include "support/Wait.h"

#include <QFile>
#include <QFileInfo>

namespace {

class RecordingSink : public IFiredTaskSink
{
public:
    void ShowFiredTask(const TaskPtr& task) override
    {
        prompted.push_back(task);
        if (onAdd)
            onAdd(task);
    }
    std::vector<TaskPtr> prompted;
    std::function<void(const TaskPtr&)> onAdd;
};

class RecordingHost : public ISchedulerHost
{
public:
    void ClockTick(const QString& now) override { clock << now; }
    void DateChanged() override { ++dateChanges; }
    void TaskDueToFront() override { ++toFront; }
    void RefreshTaskTimes(const TaskPtr&) override { ++refreshed; }
    QStringList clock;
    int dateChanges = 0;
    int toFront = 0;
    int refreshed = 0;
};

QString ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

}  // namespace

class SchedulerTest : public ::testing::Test
{
protected:
    SchedulerTest()
        : m_clock(2011, 12, 15, 10, 0, 0)
        , m_scheduler(m_engine)
    {
        m_scheduler.SetSink(&m_sink);
        m_scheduler.SetHost(&m_host);
    }

    // A task whose reminder is `offsetSeconds` from now.
    TaskPtr Add(const QString& desc, qint64 offsetSeconds, TaskStatus status = tsNotStarted)
    {
        auto t = std::make_shared<CTask>();
        t->SetDescription(desc);
        t->dtDueDT = AddSeconds(Clock::Now(), double(offsetSeconds));
        t->dtAlarmDT = t->dtDueDT;
        t->sDueDate = DateOf(t->dtDueDT).toString(QStringLiteral("yyyy-M-d"));
        t->sDueTime = TimeOf(t->dtDueDT).toString(QStringLiteral("h:mm:ss"));
        t->SetStatus(status);
        EXPECT_TRUE(m_engine.AddTask(t));
        return t;
    }

    QString DataFile() const { return m_engine.DataFilePath(); }
    // Scans until `done` holds (a check process has ended), or gives up after ten seconds.
    template <class Done> bool TickUntil(Done done)
    {
        return WaitFor(
            [&] {
                m_scheduler.Tick();
                return done();
            },
            10000);
    }

    ProgramFolderGuard m_folder;
    ClockGuard m_clock;
    MsgBoxGuard m_msg;
    TaskEngine m_engine;
    TaskScheduler m_scheduler;
    RecordingSink m_sink;
    RecordingHost m_host;
    OpenerGuard m_opener;
};

TEST_F(SchedulerTest, KeepsTheCaptionClockAndNoticesDateChanges)
{
    m_clock.Set(2011, 12, 15, 23, 59, 59);
    m_scheduler.Tick();
    m_clock.Advance(1);
    m_scheduler.Tick();
    m_scheduler.Tick();
    EXPECT_EQ(m_host.clock,
        QStringList({ QStringLiteral("2011-12-15 23:59:59"), QStringLiteral("2011-12-16 00:00:00"),
            QStringLiteral("2011-12-16 00:00:00") }));
    EXPECT_EQ(m_host.dateChanges, 1);

    // A clock set back over midnight makes the day words just as stale.
    m_clock.Advance(-3600);
    m_scheduler.Tick();
    EXPECT_EQ(m_host.dateChanges, 2);
}

TEST_F(SchedulerTest, FiresWaitingTasksWhoseReminderHasCome)
{
    TaskPtr notStarted = Add(QStringLiteral("未发生"), 0);
    TaskPtr postponed = Add(QStringLiteral("推迟"), -1, tsPostponed);
    TaskPtr ongoing = Add(QStringLiteral("进行中"), -60, tsOngoing);
    TaskPtr later = Add(QStringLiteral("还没到"), 1);
    TaskPtr never = Add(QStringLiteral("无日期"), 0);
    never->dtAlarmDT = NO_DATE;
    TaskPtr unset = Add(QStringLiteral("无提醒时间"), 0);
    unset->dtAlarmDT = 0;

    m_scheduler.Tick();

    EXPECT_EQ(m_sink.prompted, (std::vector<TaskPtr> { notStarted, postponed, ongoing, unset }));
    for (const TaskPtr& t : m_sink.prompted)
        EXPECT_EQ(t->eStatus(), tsDue) << qPrintable(t->sDescription());
    EXPECT_EQ(later->eStatus(), tsNotStarted);
    EXPECT_EQ(never->eStatus(), tsNotStarted);
    EXPECT_EQ(m_host.toFront, 4);
    EXPECT_EQ(m_host.refreshed, 2);  // the two that keep waiting
    EXPECT_TRUE(ReadAll(DataFile()).contains(QStringLiteral("未发生")));

    // Fired tasks are not waiting any more: the next tick leaves them alone.
    m_clock.Advance(1);
    m_scheduler.Tick();
    EXPECT_EQ(m_sink.prompted.size(), 5u);
    EXPECT_EQ(m_sink.prompted.back(), later);
}

TEST_F(SchedulerTest, LeavesTasksThatAreNotWaitingAlone)
{
    const TaskStatus settled[] = { tsDue, tsFinished, tsCancelled, tsPaused, tsChecking, tsExpired };
    std::vector<TaskPtr> tasks;
    for (TaskStatus s : settled)
        tasks.push_back(Add(QStringLiteral("任务"), -10, s));
    m_scheduler.Tick();
    for (size_t i = 0; i < tasks.size(); ++i)
        EXPECT_EQ(tasks[i]->eStatus(), settled[i]);
    EXPECT_TRUE(m_sink.prompted.empty());
    EXPECT_EQ(m_host.refreshed, 0);
    EXPECT_FALSE(QFileInfo::exists(DataFile()));  // nothing fired, nothing saved
}

TEST_F(SchedulerTest, AutoCancelsOnlyWhenMoreThanFiveSecondsLate)
{
    m_engine.Settings().EnableLog = true;
    TaskPtr five = Add(QStringLiteral("迟到五秒"), -5);
    TaskPtr six = Add(QStringLiteral("迟到六秒"), -6);
    five->bAutoCancel = six->bAutoCancel = true;
    TaskPtr sixNoCancel = Add(QStringLiteral("迟到但不自动取消"), -6);

    m_scheduler.Tick();

    EXPECT_EQ(five->eStatus(), tsDue);
    EXPECT_EQ(six->eStatus(), tsCancelled);
    EXPECT_EQ(sixNoCancel->eStatus(), tsDue);
    EXPECT_EQ(m_sink.prompted, (std::vector<TaskPtr> { five, sixNoCancel }));
    const QString log = ReadAll(m_engine.LogFilePath());
    EXPECT_TRUE(log.contains(QStringLiteral("已取消 - ") + six->Key())) << qPrintable(log);
}

TEST_F(SchedulerTest, AutoFinishesWithoutPrompting)
{
    TaskPtr t = Add(QStringLiteral("自动完成"), 0);
    t->bAutoFinish = true;
    m_scheduler.Tick();
    EXPECT_EQ(t->eStatus(), tsFinished);
    EXPECT_TRUE(m_sink.prompted.empty());
    EXPECT_EQ(m_host.toFront, 0);
    EXPECT_TRUE(QFileInfo::exists(DataFile()));
}

TEST_F(SchedulerTest, RunsTheCommandOnlyOnTheFirstFiringOfAnOccurrence)
{
    auto withCmd = [this](const QString& desc, TaskStatus status, bool useCmd = true) {
        TaskPtr t = Add(desc, 0, status);
        t->sCmd = QStringLiteral("touch ") + desc;
        t->bUseCmd = useCmd;
        return t;
    };
    withCmd(QStringLiteral("new.txt"), tsNotStarted);
    withCmd(QStringLiteral("postponed.txt"), tsPostponed);
    withCmd(QStringLiteral("ongoing.txt"), tsOngoing);
    withCmd(QStringLiteral("unused.txt"), tsNotStarted, false);
    TaskPtr finishing = withCmd(QStringLiteral("autofinish.txt"), tsNotStarted);
    finishing->bAutoFinish = true;
    TaskPtr late = withCmd(QStringLiteral("late.txt"), tsNotStarted);
    late->bAutoCancel = true;
    late->dtAlarmDT = AddSeconds(Clock::Now(), -60);

    m_scheduler.Tick();
    EXPECT_EQ(
        m_opener->opened, QStringList({ QStringLiteral("touch new.txt"), QStringLiteral("touch autofinish.txt") }));

    // A task saved as due and prompted again at start-up does not run it either.
    TaskPtr restarted = withCmd(QStringLiteral("restarted.txt"), tsDue);
    m_scheduler.FireTask(restarted);
    EXPECT_EQ(m_opener->opened.size(), 2);
    EXPECT_EQ(m_sink.prompted.back(), restarted);
}

TEST_F(SchedulerTest, AClockJumpForwardFiresEachDueTaskOnceInCollectionOrder)
{
    TaskPtr third = Add(QStringLiteral("三小时后"), 3 * 3600);
    TaskPtr first = Add(QStringLiteral("一小时后"), 3600);
    TaskPtr beyond = Add(QStringLiteral("四小时后"), 4 * 3600);
    TaskPtr second = Add(QStringLiteral("两小时后"), 2 * 3600);
    m_scheduler.Tick();
    EXPECT_TRUE(m_sink.prompted.empty());

    // The machine slept for three hours.
    m_clock.Advance(3 * 3600);
    m_scheduler.Tick();
    EXPECT_EQ(m_sink.prompted, (std::vector<TaskPtr> { third, first, second }));
    m_scheduler.Tick();
    EXPECT_EQ(m_sink.prompted.size(), 3u);
    EXPECT_EQ(beyond->eStatus(), tsNotStarted);

    // Setting the clock back fires nothing a second time.
    m_clock.Advance(-3 * 3600 - 60);
    m_scheduler.Tick();
    m_clock.Advance(3 * 3600 + 60);
    m_scheduler.Tick();
    EXPECT_EQ(m_sink.prompted.size(), 3u);
}

TEST_F(SchedulerTest, ASecondTickInsideAFiringDoesNothing)
{
    TaskPtr a = Add(QStringLiteral("甲"), 0);
    TaskPtr b = Add(QStringLiteral("乙"), 0);
    // As if the prompt ran an event loop in which the timer ticked again.
    int nested = 0;
    m_sink.onAdd = [&](const TaskPtr&) {
        if (nested++ == 0) {
            EXPECT_TRUE(m_scheduler.InTick());
            m_scheduler.Tick();
        }
    };
    m_scheduler.Tick();
    EXPECT_EQ(m_sink.prompted, (std::vector<TaskPtr> { a, b }));
    EXPECT_EQ(m_host.clock.size(), 1);
    EXPECT_FALSE(m_scheduler.InTick());
}

// Custom-event tasks: a check command decides whether the reminder is shown. These run real /bin/sh
// processes, so the scan ticks until the check has ended.
TEST_F(SchedulerTest, ACheckThatEndsWithZeroCancelsAOneOffTask)
{
    TaskPtr t = Add(QStringLiteral(":没有事件\r\nexit 0"), 0);
    EXPECT_TRUE(TickUntil([&] { return t->eStatus() == tsCancelled; }));
    EXPECT_FALSE(t->IsCheckingEvent());
    EXPECT_TRUE(m_sink.prompted.empty());
}

TEST_F(SchedulerTest, ACheckWithoutCommandKeepsWaiting)
{
    TaskPtr t = Add(QStringLiteral(":只有标题"), -1);
    m_scheduler.Tick();
    m_scheduler.Tick();
    EXPECT_EQ(t->eStatus(), tsNotStarted);
    EXPECT_FALSE(t->IsCheckingEvent());
}

TEST_F(SchedulerTest, ALongCheckShowsCheckingThenFiresAndRunsTheCommand)
{
    // The check runs until the test lets it end.
    const QString go = m_folder.file(QStringLiteral("go"));
    TaskPtr t = Add(QStringLiteral(":放行后发生\r\nuntil [ -e '%1' ]; do sleep 0.05; done; exit 1").arg(go), 0);
    t->sCmd = QStringLiteral("touch happened.txt");
    t->bUseCmd = true;
    TaskPtr other = Add(QStringLiteral("普通任务"), 2);

    for (int second = 0; second < 3; ++second) {
        m_scheduler.Tick();
        EXPECT_EQ(t->eStatus(), tsChecking) << second;
        m_clock.Advance(1);
    }
    // The other task was scanned as usual while the check ran.
    EXPECT_EQ(other->eStatus(), tsDue);
    ASSERT_TRUE(QFile(go).open(QIODevice::WriteOnly));
    EXPECT_TRUE(TickUntil([&] { return t->eStatus() == tsDue; }));
    EXPECT_EQ(m_opener->opened, QStringList(QStringLiteral("touch happened.txt")));
}

TEST_F(SchedulerTest, ACheckThatEndsWithZeroMovesARecurringTaskOn)
{
    m_engine.Settings().EnableLog = true;
    auto daily = [this](const QString& desc) {
        TaskPtr t = Add(desc, 0);
        t->sDueDate = QStringLiteral("每天");
        t->sDueTime = QStringLiteral("10:00");
        return t;
    };
    TaskPtr next = daily(QStringLiteral(":明天再查\r\nexit 0"));
    TaskPtr last = daily(QStringLiteral(":最后一次\r\nexit 0"));
    last->dtValidToDT = MakeInstant(2011, 12, 15, 12, 0);
    const auto settled = [&] { return last->eStatus() == tsExpired && SecondDiff(Clock::Now(), next->dtAlarmDT) > 0; };
    EXPECT_TRUE(TickUntil(settled));
    EXPECT_EQ(next->eStatus(), tsNotStarted);
    EXPECT_EQ(DateTimeOf(next->dtAlarmDT), QDateTime(QDate(2011, 12, 16), QTime(10, 0), Qt::UTC));
    EXPECT_EQ(last->eStatus(), tsExpired);
    EXPECT_TRUE(m_sink.prompted.empty());
    // Moving on is not logged; running out of occurrences is.
    const QString log = ReadAll(m_engine.LogFilePath());
    EXPECT_FALSE(log.contains(next->Key())) << qPrintable(log);
    EXPECT_TRUE(log.contains(QStringLiteral("已失效 - ") + last->Key())) << qPrintable(log);
}
