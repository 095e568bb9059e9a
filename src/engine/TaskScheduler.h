// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/TaskList.h"

#include <QDate>
#include <QString>

class TaskEngine;

// Receives every task that fell due and was not settled automatically: the reminder prompt.
class IFiredTaskSink
{
public:
    virtual ~IFiredTaskSink() = default;
    virtual void ShowFiredTask(const TaskPtr& task) = 0;
};

// What the scan tells the main window. Nothing here is needed for the scan itself to work.
class ISchedulerHost
{
public:
    virtual ~ISchedulerHost() = default;
    // Once a second: the current time as "yyyy-mm-dd hh:nn:ss", for the caption clock.
    virtual void ClockTick(const QString& now) = 0;
    // The date changed since the last tick: day words such as "今天" shown for tasks are stale.
    virtual void DateChanged() = 0;
    // A task came due and is about to be prompted: bring the main window forward when it is on screen.
    virtual void TaskDueToFront() = 0;
    // A waiting task was scanned and did not fire: its remaining and spent times may show new text.
    virtual void RefreshTaskTimes(const TaskPtr& task) = 0;
};

// The one-second scan: finds the tasks whose reminder instant has come, fires them, polls running checks of
// custom-event tasks and saves after each firing. It owns nothing but a reference to the engine; a timer in
// the main window calls Tick, tests call it directly on a manual clock.
class TaskScheduler
{
public:
    explicit TaskScheduler(TaskEngine& engine);

    void SetSink(IFiredTaskSink* sink) { m_sink = sink; }
    void SetHost(ISchedulerHost* host) { m_host = host; }

    // The timer's work: the date change, the caption clock, then one scan. A tick that arrives while an
    // earlier one is still running (a message box raised inside it runs its own event loop) does nothing, so
    // a task can never be handled twice at once.
    void Tick();
    bool InTick() const { return m_inTick; }

    // One pass over all tasks in collection order.
    void ScanTasks();
    // The due handling of one task: auto-cancel when late, auto-finish, or the prompt; then its command.
    // Also used at start-up for tasks saved as due.
    void FireTask(const TaskPtr& task);

    // How long the scan waits for a running check in one tick.
    static constexpr int kCheckWaitMs = 5;
    // A task found later than this (whole seconds) with auto-cancel set is cancelled instead of prompted.
    static constexpr qint64 kAutoCancelLateSeconds = 5;

private:
    // Returns true when the task fired.
    bool CheckCommand(const TaskPtr& task);
    void Fire(const TaskPtr& task);

    TaskEngine& m_engine;
    IFiredTaskSink* m_sink = nullptr;
    ISchedulerHost* m_host = nullptr;
    QDate m_lastDate;
    bool m_inTick = false;
};
