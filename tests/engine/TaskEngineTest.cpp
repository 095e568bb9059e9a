// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/TaskEngine.h"
#include "support/TestEnv.h"

namespace {

class ViewLog : public ITaskView
{
public:
    void TaskAdded(const TaskPtr&) override { }
    void TaskChanged(const TaskPtr& task) override { changed << task->Key(); }
    void TasksRemoved(const std::vector<TaskPtr>& tasks) override
    {
        QStringList keys;
        for (const TaskPtr& t : tasks)
            keys << t->Key();
        removed << keys.join(u',');
    }
    void TasksReset() override { ++resets; }

    QStringList changed;
    QStringList removed;  // one entry per notification
    int resets = 0;
};

TaskPtr NewTask(qint32 id, TaskStatus status = tsNotStarted)
{
    auto t = std::make_shared<CTask>();
    t->ID = id;
    t->SetDescription(QStringLiteral("task"));
    t->dtDueDT = t->dtAlarmDT = MakeInstant(2030, 1, 1, 9, 0, 0);
    t->SetStatus(status);
    return t;
}

}  // namespace

TEST(TaskEngine, RemovalsReachTheViewOnceAndOnlyForTasksInTheCollection)
{
    TaskEngine engine;
    ViewLog view;
    engine.SetView(&view);
    const TaskPtr a = NewTask(1), b = NewTask(2), c = NewTask(3);
    for (const TaskPtr& t : { a, b, c })
        ASSERT_TRUE(engine.AddTask(t));

    // Another object under a taken key, a null and a repeat are skipped.
    EXPECT_EQ(engine.RemoveTasks({ a, NewTask(2), nullptr, c, a }), 2);
    EXPECT_EQ(view.removed, QStringList { QStringLiteral("T01,T03") });
    EXPECT_FALSE(engine.RemoveTask(a));
    EXPECT_EQ(view.removed.size(), 1);  // nothing left, nothing said
    EXPECT_EQ(engine.GetTask(QStringLiteral("T02")), b);

    engine.RemoveAllTasks();
    EXPECT_EQ(engine.Tasks().Count(), 0);
    EXPECT_EQ(view.resets, 1);
}

TEST(TaskEngine, PauseTakesWaitingTasksAndResumeOnlyPausedOnes)
{
    ClockGuard clock(2029, 12, 31, 8, 0);
    TaskEngine engine;
    ViewLog view;
    engine.SetView(&view);
    for (int s = 0; s < kTaskStatusCount; ++s) {
        SCOPED_TRACE(s);
        const TaskPtr task = NewTask(s + 1, TaskStatus(s));
        engine.AddTask(task);
        EXPECT_EQ(engine.PauseTask(task), IsWaitingStatus(s));
        EXPECT_EQ(task->eStatus(), IsWaitingStatus(s) ? tsPaused : TaskStatus(s));

        const TaskPtr other = NewTask(100 + s, TaskStatus(s));
        engine.AddTask(other);
        EXPECT_EQ(engine.ResumeTask(other), s == tsPaused);
        EXPECT_EQ(other->eStatus(), s == tsPaused ? tsNotStarted : TaskStatus(s));
    }
    // Only the tasks that changed were refreshed: three paused, one resumed.
    EXPECT_EQ(view.changed, QStringList({ "T01", "T04", "T105", "T08" }));
}

TEST(TaskEngine, ChangesOtherDevicesShouldHearOfAreStampedAndTheScansOwnMomentsAreNot)
{
    ClockGuard clock(2029, 12, 31, 8, 0);
    TaskEngine engine;
    struct Case
    {
        const char* name;
        void (*act)(TaskEngine&, const TaskPtr&);
        bool stamped;
    };
    const Case cases[] = {
        { "added (a new task has no server copy yet)", [](TaskEngine&, const TaskPtr&) {}, false },
        { "edited", [](TaskEngine& e, const TaskPtr& t) { e.UpdateTask(t); }, true },
        { "finished", [](TaskEngine& e, const TaskPtr& t) { e.SetTaskStatus(t, tsFinished, true, false); }, true },
        { "came due", [](TaskEngine& e, const TaskPtr& t) { e.SetTaskStatus(t, tsDue, true, false); }, false },
        { "checked", [](TaskEngine& e, const TaskPtr& t) { e.SetTaskStatus(t, tsChecking, true, false); }, false },
        { "paused", [](TaskEngine& e, const TaskPtr& t) { e.PauseTask(t); }, true },
    };
    int id = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TaskPtr task = NewTask(++id);
        ASSERT_TRUE(engine.AddTask(task));
        c.act(engine, task);
        EXPECT_EQ(task->dtChangeDT, c.stamped ? Clock::Now() : 0.0);
    }
}
