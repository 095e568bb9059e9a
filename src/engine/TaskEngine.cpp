// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/TaskEngine.h"

#include "base/AppPaths.h"
#include "base/Logging.h"
#include "base/MsgBox.h"
#include "timerules/Clock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

TaskEngine::TaskEngine() = default;
TaskEngine::~TaskEngine() = default;

bool TaskEngine::AddTask(const TaskPtr& task)
{
    if (!m_tasks.AddTask(task))
        return false;
    if (m_view)
        m_view->TaskAdded(task);
    return true;
}

void TaskEngine::UpdateTask(const TaskPtr& task)
{
    if (task && m_view)
        m_view->TaskChanged(task);
}

int TaskEngine::RemoveTasks(const std::vector<TaskPtr>& tasks)
{
    std::vector<TaskPtr> removed;
    removed.reserve(tasks.size());
    for (const TaskPtr& task : tasks) {
        if (task && m_tasks.GetTask(task->Key()) == task && m_tasks.Remove(task->Key()))
            removed.push_back(task);
    }
    if (m_view && !removed.empty())
        m_view->TasksRemoved(removed);
    return int(removed.size());
}

void TaskEngine::RemoveAllTasks()
{
    m_tasks.Clear();
    if (m_view)
        m_view->TasksReset();
}

QString TaskEngine::DataFilePath() const
{
    return AppPaths::DataFolder() + QStringLiteral("/twdata.xml");
}

QString TaskEngine::LogFilePath() const
{
    return AppPaths::DataFolder() + QStringLiteral("/tickwell.log");
}

bool TaskEngine::LoadCfg()
{
    const bool ok = m_store.Load(*this);
    m_taskTypes.SetText(m_settings.Types);
    m_taskTypesAsLoaded = m_taskTypes.Text();
    return ok;
}

bool TaskEngine::SaveCfg()
{
    if (m_readOnly)
        return false;
    if (m_taskTypes.Text() != m_taskTypesAsLoaded) {
        m_settings.Types = m_taskTypes.Text();
        m_taskTypesAsLoaded = m_taskTypes.Text();
    }
    if (m_view)
        m_view->StoreSettings(m_settings);
    return m_store.Save(*this);
}

// ---- Status changes and the status log ----

namespace {

QString LogStamp()
{
    return QLatin1Char('[') + Clock::CurrentDateTime().toString(QStringLiteral("yy-MM-dd HH:mm:ss"))
        + QStringLiteral("] ");
}

}  // namespace

void TaskEngine::SetTaskStatus(const TaskPtr& task, TaskStatus status, bool nextRecurring, bool writeLog)
{
    if (!task)
        return;
    task->SetStatus(status);
    if (writeLog)
        LogTaskStatus(task);

    if (status == tsCancelled || status == tsFinished) {
        const QString keepWatching
            = QCoreApplication::translate("TaskEngine", "继续扫描任务 \"%1\" 吗？").arg(task->Title());
        if (task->TaskType() == ttUserPage) {
            if (MsgBox::Show(keepWatching, MsgButtons::YesNo, MsgIcon::Question) == MsgResult::Yes)
                task->SetStatus(tsNotStarted);
            else
                task->StopUserEvent();
        } else if (nextRecurring && task->IsRecurring()) {
            if (task->TaskType() == ttNormal
                || MsgBox::Show(keepWatching, MsgButtons::YesNo, MsgIcon::Question) != MsgResult::No)
                task->NextRecurring(true);
        }
    }

    if (m_view)
        m_view->TaskChanged(task);
}

bool TaskEngine::PauseTask(const TaskPtr& task)
{
    if (!task || !task->IsWaiting())
        return false;
    task->SetStatus(tsPaused);
    if (m_view)
        m_view->TaskChanged(task);
    return true;
}

bool TaskEngine::ResumeTask(const TaskPtr& task)
{
    if (!task || task->eStatus() != tsPaused)
        return false;
    if (task->IsRecurringTime() || task->dtAlarmDT < Clock::Now())
        task->NextRecurring(true);
    else
        task->SetStatus(tsNotStarted);
    if (m_view)
        m_view->TaskChanged(task);
    return true;
}

void TaskEngine::LogTaskStatus(const TaskPtr& task)
{
    if (!task || (!m_settings.EnableLog && !task->bAutoMemo))
        return;
    QString status = task->StatusStr();
    if (task->eStatus() == tsPostponed)
        status += task->Postpone();

    if (task->bAutoMemo) {
        if (!task->sMemo.isEmpty() && !task->sMemo.endsWith(QStringLiteral("\r\n")))
            task->sMemo += QStringLiteral("\r\n");
        task->sMemo += LogStamp() + status;
    }
    WriteLog(status + QStringLiteral(" - ") + task->ToStr());
}

void TaskEngine::WriteLog(const QString& message)
{
    if (!m_settings.EnableLog || m_readOnly)
        return;
    if (m_logFile.isEmpty())
        m_logFile = LogFilePath();

    // One entry is one line, whatever the message holds.
    QString line = LogStamp() + message;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QByteArray bytes = (line + QStringLiteral("\r\n")).toUtf8();

    QFile file(m_logFile);
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Append);
    ok = ok && file.write(bytes) == bytes.size();
    file.close();
    ok = ok && file.error() == QFileDevice::NoError;
    if (ok)
        return;
    if (m_logFailReported) {
        qCWarning(lcStatusLog) << "status log line not written to" << m_logFile << file.errorString();
        return;
    }
    // Said once: the scan changes statuses every second and must not stack up message boxes.
    m_logFailReported = true;
    MsgBox::Show(
        QCoreApplication::translate("TaskEngine",
            "无法写入状态日志文件：%1\n任务状态照常更改，但不会记入日志。请检查该文件夹是否可写。本次运行不再提示。")
            .arg(QDir::toNativeSeparators(m_logFile)),
        MsgButtons::Ok, MsgIcon::Warning);
}
