#pragma once

#include "model/TaskEngine.h"
#include "scheduler/TaskScheduler.h"

#include <QMainWindow>

#include <memory>

namespace Ui {
class frmMain;
}

class IAutorun;
class QTimer;
class frmPrompt;

// The main window: the task list and the menus. It owns the engine, the one-second scan and the reminder
// prompt, and forwards to them.
class frmMain : public QMainWindow, public ISchedulerHost, public IFiredTaskSink
{
    Q_OBJECT

public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // The caption without the clock: the title plus the version.
    QString BaseTitle() const { return m_baseTitle; }

    TaskEngine& Engine() { return m_engine; }
    TaskScheduler& Scheduler() { return m_scheduler; }
    QTimer* ScanTimer() const { return m_tmrTime; }

    // Brings the window up: checks the autostart entry (rewriting one that names another program path) when
    // `autorun` is given, loads the data file, prompts again every task saved as due, starts the scan.
    void Load(IAutorun* autorun);
    // Whether an autostart entry was found at load.
    bool AutorunOn() const { return m_autorunOn; }

    // Stops the scan, unloads the prompt and saves the data file. Runs once; the window may close afterwards.
    void Unload();
    bool IsUnloaded() const { return m_unloaded; }

    // The single reminder prompt, created on first use.
    frmPrompt* Prompt();
    frmPrompt* PromptIfLoaded() const { return m_prompt.get(); }

    // ISchedulerHost
    void ClockTick(const QString& now) override;
    void DateChanged() override;
    void TaskDueToFront() override;
    void RefreshTaskTimes(const TaskPtr&) override { }
    // IFiredTaskSink: forwards to the prompt.
    void AddTask(const TaskPtr& task) override;

Q_SIGNALS:
    void quitRequested();
    // The date changed: day words shown for tasks ("今天", "明天") need rebuilding.
    void dateChanged();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<Ui::frmMain> m_ui;
    QString m_baseTitle;
    TaskEngine m_engine;
    TaskScheduler m_scheduler;
    QTimer* m_tmrTime = nullptr;
    std::unique_ptr<frmPrompt> m_prompt;
    bool m_autorunOn = false;
    bool m_unloaded = false;
};
