// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AppSettings.h"
#include "core/CSimpleList.h"
#include "core/TaskList.h"
#include "storage/DataFile.h"

#include <QString>

#include <vector>

// What the engine tells the windows. The engine never includes a widget header.
class ITaskView
{
public:
    virtual ~ITaskView() = default;
    virtual void TaskAdded(const TaskPtr& task) = 0;  // a row for a new task
    virtual void TaskChanged(const TaskPtr& task) = 0;  // refresh the task's row
    // The tasks have left the collection (one call for a whole deletion, so a view can drop their rows at once).
    virtual void TasksRemoved(const std::vector<TaskPtr>& tasks) = 0;
    // The collection was emptied or replaced as a whole: rebuild the list.
    virtual void TasksReset() = 0;
    // Just before a save: settings that live in the windows (column widths, say) are written back.
    virtual void StoreSettings(AppSettings&) { }
};

// The headless heart of the program: the task collection, the settings, status changes with the status log,
// and the data file. The main window owns one and forwards to it; tests drive it without a display.
class TaskEngine
{
public:
    TaskEngine();
    ~TaskEngine();

    TaskList& Tasks() { return m_tasks; }
    const TaskList& Tasks() const { return m_tasks; }
    bool AddTask(const TaskPtr& task);
    // Takes the tasks out of the collection (those not in it are skipped) and tells the view; returns how many
    // left. A check still running for a removed task runs on to its end.
    int RemoveTasks(const std::vector<TaskPtr>& tasks);
    bool RemoveTask(const TaskPtr& task) { return RemoveTasks({ task }) == 1; }
    void RemoveAllTasks();
    TaskPtr GetTask(const QString& key) const { return m_tasks.GetTask(key); }
    // The fields of a task were edited (not its status through SetTaskStatus): its row is refreshed.
    void UpdateTask(const TaskPtr& task);

    AppSettings& Settings() { return m_settings; }
    const AppSettings& Settings() const { return m_settings; }

    // The known categories, read from the settings at load and written back when they changed.
    CSimpleList& TaskTypes() { return m_taskTypes; }
    const CSimpleList& TaskTypes() const { return m_taskTypes; }

    void SetView(ITaskView* view) { m_view = view; }
    ITaskView* View() const { return m_view; }

    QString DataFilePath() const;  // data folder + "/twdata.xml"
    QString LogFilePath() const;  // data folder + "/tickwell.log"

    // The one way statuses change.
    void SetTaskStatus(const TaskPtr& task, TaskStatus status, bool nextRecurring, bool writeLog);
    // Pausing holds a waiting task; false (nothing changes) for a task that is not waiting.
    bool PauseTask(const TaskPtr& task);
    // Resuming a paused task lets it wait again, or moves it on to its next occurrence when its alarm has
    // passed meanwhile or its time recurs; false (nothing changes) for a task that is not paused.
    bool ResumeTask(const TaskPtr& task);
    void LogTaskStatus(const TaskPtr& task);
    void WriteLog(const QString& message);

    // The data file: settings and tasks. LoadCfg runs once at start-up (falling back to the legacy import); a
    // file that cannot be parsed is moved aside (the user is told where) and the engine starts empty: false only
    // when such a file was met. SaveCfg rewrites the whole file and warns once per streak of failures.
    bool LoadCfg();
    // What the user is told when a pipe, a device or a folder is where the data file `path` goes.
    static QString NotAFileText(const QString& path, const QString& why);
    bool SaveCfg();
    // Reads a data file into the engine without side effects on disk or message boxes (the command-line tool).
    // `skipped`, when given, receives the number of task elements that could not be read.
    DataFile::ReadStatus LoadFile(const QString& path, QString* error, int* skipped = nullptr);
    // Adds new tasks of an import (a category not yet in the list joins it); returns how many were added.
    int AddImportedTasks(const std::vector<TaskPtr>& tasks);

    // Another program holds the data folder: nothing is written to it, neither the data file nor the log.
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool IsReadOnly() const { return m_readOnly; }

private:
    void TakeLoaded(DataFileXml::Contents&& contents);
    void ImportLegacyFile();

    TaskList m_tasks;
    AppSettings m_settings;
    ITaskView* m_view = nullptr;
    CSimpleList m_taskTypes;
    QString m_taskTypesAsLoaded;  // the list's text right after the load: unchanged lists keep the file's text
    DataFile m_store;
    QString m_logFile;  // worked out at the first write, kept for the run
    bool m_logFailReported = false;
    bool m_readOnly = false;  // the user hears once per run that the log cannot be written
};
