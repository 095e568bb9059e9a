// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/TaskScheduler.h"

#include "base/MsgBox.h"
#include "engine/RunCmd.h"
#include "engine/TaskEngine.h"
#include "timerules/Clock.h"

#include <QCoreApplication>

namespace {

class Flag
{
public:
    explicit Flag(bool& flag)
        : m_flag(flag)
    {
        m_flag = true;
    }
    ~Flag() { m_flag = false; }
    Flag(const Flag&) = delete;
    Flag& operator=(const Flag&) = delete;

private:
    bool& m_flag;
};

}  // namespace

TaskScheduler::TaskScheduler(TaskEngine& engine)
    : m_engine(engine)
{
}

void TaskScheduler::Tick()
{
    if (m_inTick)
        return;
    Flag busy(m_inTick);

    const QDateTime now = Clock::CurrentDateTime();
    const QDate today = now.date();
    if (!m_lastDate.isValid()) {
        m_lastDate = today;
    } else if (today != m_lastDate) {
        // Also when the clock was set back over midnight: the day words are just as stale.
        m_lastDate = today;
        if (m_host)
            m_host->DateChanged();
    }
    if (m_host)
        m_host->ClockTick(now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));

    ScanTasks();
}

void TaskScheduler::ScanTasks()
{
    Instant now = Clock::Now();
    const TaskList& tasks = m_engine.Tasks();
    // By index: a message box raised while firing runs an event loop in which the list may change; a task
    // skipped that way is met again at the next tick.
    for (int i = 0; i < tasks.Count(); ++i) {
        const TaskPtr& entry = tasks.At(i);
        const CTask& t = *entry;
        const TaskStatus status = t.eStatus();

        bool fire = false;
        if (status == tsChecking && t.IsCheckingEvent()) {
            TaskPtr task = entry;
            CheckCommand(task);
            now = Clock::Now();
            continue;
        }
        if (!IsWaitingStatus(status))
            continue;

        if (t.TaskType() == ttUserPage) {
            bool valid = true;
            QString desc;
            fire = entry->CheckUserEvent(valid, desc);
        } else if (AtOrAfter(now, t.dtAlarmDT)) {
            if (t.TaskType() == ttUserCmd) {
                TaskPtr task = entry;
                CheckCommand(task);
                now = Clock::Now();
                continue;
            }
            fire = true;
        }

        if (fire) {
            TaskPtr task = entry;
            Fire(task);
            // Firing may have waited on the user: the next tasks are compared with the time as it is now.
            now = Clock::Now();
        } else if (m_host) {
            m_host->RefreshTaskTimes(entry);
        }
    }
}

bool TaskScheduler::CheckCommand(const TaskPtr& task)
{
    bool valid = true;
    int retCode = -1;
    if (task->CheckUserCmd(valid, kCheckWaitMs, retCode)) {
        Fire(task);
        return true;
    }
    if (!valid) {
        MsgBox::Show(QCoreApplication::translate("TaskScheduler", "无法执行自定义命令, 任务已暂停! 请检查!"),
            MsgButtons::Ok, MsgIcon::Warning);
        m_engine.SetTaskStatus(task, tsPaused, true, false);
        return false;
    }
    if (task->IsCheckingEvent()) {
        // Polled again at the next ticks; the status is set once so an idle tick changes nothing on screen.
        if (task->eStatus() != tsChecking)
            m_engine.SetTaskStatus(task, tsChecking, true, false);
        return false;
    }
    if (retCode != 0)
        return false;  // there was no check to run (a title line alone): the task keeps waiting

    // The check ran and said the event did not happen.
    if (task->IsRecurring()) {
        if (task->NextRecurring(false))
            m_engine.SetTaskStatus(task, tsNotStarted, true, false);
        else
            m_engine.SetTaskStatus(task, tsExpired, true, true);
    } else {
        m_engine.SetTaskStatus(task, tsCancelled, true, true);
    }
    return false;
}

void TaskScheduler::Fire(const TaskPtr& task)
{
    FireTask(task);
    m_engine.SaveCfg();
}

void TaskScheduler::FireTask(const TaskPtr& task)
{
    if (task->bAutoCancel && SecondDiff(task->dtAlarmDT, Clock::Now()) > kAutoCancelLateSeconds) {
        m_engine.SetTaskStatus(task, tsCancelled, true, true);
        return;
    }

    const TaskStatus before = task->eStatus();
    if (task->bAutoFinish) {
        m_engine.SetTaskStatus(task, tsFinished, true, true);
    } else {
        m_engine.SetTaskStatus(task, tsDue, true, true);
        if (m_host)
            m_host->TaskDueToFront();
        if (m_sink)
            m_sink->ShowFiredTask(task);
    }

    // Only the first firing of an occurrence runs the command: a postponed or ongoing task that rings again,
    // or a task prompted again at start-up, does not.
    if (!task->sCmd.isEmpty() && task->bUseCmd && (before == tsNotStarted || before == tsChecking))
        RunCmd(task->sCmd, task->sCmdInitDir);
}
