// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/TaskEngine.h"

#include "base/AppPaths.h"
#include "base/Logging.h"
#include "base/MsgBox.h"
#include "base/Text.h"
#include "storage/LegacyImport.h"
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
    if (!task)
        return;
    task->dtChangeDT = Clock::Now();
    if (m_view)
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

void TaskEngine::TakeLoaded(DataFileXml::Contents&& contents)
{
    m_settings = std::move(contents.settings);
    for (const TaskPtr& task : contents.tasks) {
        if (AddTask(task))
            continue;
        // A number already taken (a hand-edited file) gets a new number instead of losing the task.
        if (task->ID != 0) {
            task->ID = 0;
            AddTask(task);
        }
    }
}

DataFile::ReadStatus TaskEngine::LoadFile(const QString& path, QString* error, int* skipped)
{
    DataFileXml::Contents contents;
    const DataFile::ReadStatus status = DataFile::Read(path, contents, error);
    if (status != DataFile::ReadStatus::Ok)
        return status;
    if (skipped)
        *skipped = contents.skipped;
    TakeLoaded(std::move(contents));
    return status;
}

int TaskEngine::AddImportedTasks(const std::vector<TaskPtr>& tasks)
{
    int added = 0;
    for (const TaskPtr& task : tasks) {
        if (!task->sType.isEmpty())
            m_taskTypes.Add(task->sType);
        if (AddTask(task))
            ++added;
    }
    return added;
}

void TaskEngine::ImportLegacyFile()
{
    const QString path = LegacyImport::FindFile();
    if (path.isEmpty())
        return;
    int imported = 0;
    for (const TaskPtr& task : LegacyImport::ReadTasks(path, m_settings)) {
        if (AddTask(task))
            ++imported;
    }
    // Offer to delete the old file only once its tasks are safely in the new one.
    if (imported == 0 || !SaveCfg())
        return;
    if (MsgBox::Show(QCoreApplication::translate("TaskEngine", "数据文件已升级并放到程序目录下，是否删除原数据文件？"),
            MsgButtons::YesNoCancel, MsgIcon::Question)
        == MsgResult::Yes)
        QFile::remove(path);
}

bool TaskEngine::LoadCfg()
{
    const QString path = DataFilePath();
    DataFile::LoadOutcome loaded = m_store.Load(path, m_readOnly);
    const int skipped = loaded.contents.skipped;
    if (loaded.status == DataFile::ReadStatus::Ok)
        TakeLoaded(std::move(loaded.contents));
    const QString file = QDir::toNativeSeparators(path);
    // Another program holds the folder: it imports and tells of kept files; this one only reads.
    if (!m_readOnly) {
        switch (loaded.status) {
        case DataFile::ReadStatus::Ok:
            if (skipped > 0) {
                const QString text = !loaded.skippedCopy.isEmpty()
                    ? QCoreApplication::translate(
                        "TaskEngine", "数据文件 %1 中有 %2 个任务无法读取，已跳过。\n\n原文件已另存为：\n%3")
                          .arg(file)
                          .arg(skipped)
                          .arg(QDir::toNativeSeparators(loaded.skippedCopy))
                    : QCoreApplication::translate("TaskEngine",
                        "数据文件 %1 中有 %2 "
                        "个任务无法读取，已跳过。\n\n无法另存原文件，下次保存时这些任务将丢失；请先自行备份该文件。")
                          .arg(file)
                          .arg(skipped);
                MsgBox::Show(text, MsgButtons::Ok, MsgIcon::Warning);
            }
            break;
        case DataFile::ReadStatus::Missing:
            ImportLegacyFile();
            break;
        case DataFile::ReadStatus::NotAFile:
            MsgBox::Show(NotAFileText(path, loaded.error), MsgButtons::Ok, MsgIcon::Warning);
            break;
        case DataFile::ReadStatus::Unreadable:
            if (!loaded.movedTo.isEmpty())
                MsgBox::Show(QCoreApplication::translate("TaskEngine",
                                 "数据文件 %1 无法读取（%2）。\n\n原文件已原样保留为：\n%3\n\n"
                                 "程序将从空的任务列表开始。")
                                 .arg(file, loaded.error, QDir::toNativeSeparators(loaded.movedTo)),
                    MsgButtons::Ok, MsgIcon::Warning);
            else
                MsgBox::Show(QCoreApplication::translate("TaskEngine",
                                 "数据文件 %1 无法读取（%2），也无法改名保留。\n\n"
                                 "为保护其中的数据，程序不会覆盖它；请检查文件夹是否可写。")
                                 .arg(file, loaded.error),
                    MsgButtons::Ok, MsgIcon::Warning);
            break;
        }
    }
    m_taskTypes.SetText(m_settings.Types);
    m_taskTypesAsLoaded = m_taskTypes.Text();
    return loaded.status != DataFile::ReadStatus::Unreadable && loaded.status != DataFile::ReadStatus::NotAFile;
}

QString TaskEngine::NotAFileText(const QString& path, const QString& why)
{
    return QCoreApplication::translate("TaskEngine",
        "数据文件 %1 无法使用：%2。\n\n程序不会读取或覆盖它；请把它换成普通文件，或用 --data-dir "
        "指定另一个数据文件夹。")
        .arg(QDir::toNativeSeparators(path), why);
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
    const QString path = DataFilePath();
    switch (m_store.Save(path, DataFileXml::Serialize(m_settings, m_tasks))) {
    case DataFile::SaveOutcome::Saved:
        return true;
    case DataFile::SaveOutcome::Failed:
        MsgBox::Show(QCoreApplication::translate("TaskEngine", "写配置文件失败，请检查文件夹是否可写！"),
            MsgButtons::Ok, MsgIcon::Warning);
        break;
    case DataFile::SaveOutcome::FailedAgain:
        qCWarning(lcStore) << "data file not saved again:" << path;
        break;
    }
    return false;
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
    // Coming due and being checked are this machine's own moments; every other status is news for the others.
    if (status != tsDue && status != tsChecking)
        task->dtChangeDT = Clock::Now();
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
    task->dtChangeDT = Clock::Now();
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
    task->dtChangeDT = Clock::Now();
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
    const QString line = Text::OneLine(LogStamp() + message, QStringLiteral(" "));
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
