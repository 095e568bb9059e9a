// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AutoLock.h"
#include "core/CTaskFilter.h"
#include "core/TaskColumns.h"
#include "engine/TaskEngine.h"
#include "engine/TaskScheduler.h"
#include "mainwindow/IFilterHost.h"
#include "mainwindow/dlgOption.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace Ui {
class frmMain;
}

class IAutorun;
class QAction;
class QLabel;
class QMenu;
class QTableView;
class QTimer;
class SysTray;
class InputWatcher;
class ThemePainter;
class dlgOption;
class TaskTableModel;
class dlgFilter;
class dlgFind;
class dlgShutdown;
class frmHelp;
class frmPrompt;
class SyncController;
class frmTask;

// The main window: the task list and the menus. It owns the engine, the one-second scan and the reminder
// prompt, and forwards to them. The list shows the tasks that pass the current filter, one row per task,
// found again by the task key.
class frmMain : public QMainWindow, public ISchedulerHost, public IFiredTaskSink, public ITaskView, public IFilterHost
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
    // The timer's work: the scan, then the tray host check and the auto-lock. While the window is away (hidden
    // or minimised) nothing of it touches the caption or the list; coming back brings both up to date.
    void tmrTime_Timer();

    // Brings the window up: checks the autostart entry (rewriting one that names another program path) when
    // `autorun` is given, loads the data file and builds the list, prompts again every task saved as due,
    // starts the scan.
    void Load(IAutorun* autorun);
    // Before Load: another program holds the data folder. This window then neither scans nor saves, and
    // its caption says so.
    void SetReadOnly(const QString& reason);
    // Whether an autostart entry was found at load (and, later, whether the menu's mark is set).
    bool AutorunOn() const { return m_autorunOn; }

    // Stops the scan, unloads the prompt and saves the data file. Runs once; the window may close afterwards.
    void Unload();
    bool IsLoaded() const { return m_loaded; }
    bool IsUnloaded() const { return m_unloaded; }

    // The single reminder prompt, created on first use.
    frmPrompt* Prompt();
    frmPrompt* PromptIfLoaded() const { return m_prompt.get(); }
    // The one task editor, created on first use and kept for the run (its histories with it).
    frmTask* Editor();
    frmTask* EditorIfLoaded() const { return m_editor.get(); }

    // The shutdown dialog shared by the Tools menu, power commands of due tasks and the task editor.
    dlgShutdown* ShutdownDialog();

    // ---- The list ----
    QTableView* List() const;
    TaskTableModel* ListModel() const { return m_model; }
    // Rebuilds the column headers from a ColWidth setting (empty text: the default layout).
    void InitColumns(const QString& colWidthText);
    QString GetColWidths() const;
    // Creates, refreshes or removes the row of one task; `row` -1 looks it up by the key.
    void UpdateTaskItem(const TaskPtr& task, int row = -1);
    void AddTaskItem(const TaskPtr& task);
    void RefreshList();
    void UpdateSummary();
    // Sorts by a column; a click on the same column again reverses the order; -1 forgets the sort.
    void ColumnClick(int column);
    int SortColumn() const { return m_sortColumn; }
    QString SummaryText() const;
    QString FilterPanelText() const;
    // "任务: " and the summary, for the tray icon's tooltip.
    QString TrayTip() const { return m_trayTip; }

    // Rows selected, in display order; the first of them is the one single-task commands act on.
    std::vector<int> SelectedRows() const;
    TaskPtr FirstSelectedTask() const;
    void SelectOnly(int row);

    // ---- The filter ----
    const CTaskFilter& CurrentFilter() const override { return m_filter; }
    const CSimpleList& TaskTypes() const override { return m_engine.TaskTypes(); }
    bool SetTaskFilter(const QString& text, QString* errInfo) override;

    // ---- Commands of the menus ----
    // Enables the Task menu's items for the current selection, as when the menu opens.
    void UpdateTaskMenu();
    void NewTask();
    void EditTask();
    void DeleteSelected();
    void DeleteAll();
    void CancelOne();
    void FinishOne();
    void CancelSelected();
    void FinishSelected();
    void PauseResume();
    void CopyRows();
    void ToggleAutorun();
    void ToggleLog();
    void ViewLog();
    void Export();
    void ExportIcal();
    void ImportIcal();
    void OfferToOpen(const QString& exported);  // asks, then opens the file with its associated program
    // Asks where to save, writes the tasks with `exporter` and offers to open the file.
    using Exporter = std::function<bool(const TaskList&, const QString&, QString*, const QString&)>;
    void ExportWith(const QString& filter, const QString& extension, const Exporter& exporter);
    void EditTaskTypes();
    void FilterDefine();
    void FilterClear();
    void StatusBarDoubleClicked(bool onFilterPanel);
    void ShowFind();
    void ShowFilterForm();
    void ShowHelp();
    void ShowShutdown();
    void ShowAbout();
    void OpenHomePage();
    // 万年历: the perpetual calendar, browsing. 查看运行状态: the check page of the selected task.
    void ShowCalendarWindow();
    void ShowRunStatus();
    QMenu* FilterMenu() const;
    QMenu* TaskMenu() const;
    dlgFind* FindDialog() const;
    dlgFilter* FilterDialog() const;
    frmHelp* HelpWindow() const;

    // A tickwell-cli command that came through the single-instance channel: applied through the engine, shown in
    // the list and the prompt, saved. Returns the answer for tickwell-cli.
    // The same, for requests that take a while: `tickwell-cli sync` syncs and gets the outcome; every other request
    // is answered at once.
    void AnswerRequestLater(const QString& request, std::function<void(const QString&)> reply);
    QString AnswerRequest(const QString& request);

    // ---- The tray icon ----
    // Hides the window to the tray (where the desktop has none: minimises it) and adds the icon the first time.
    void HideToTray();
    // Restores the window and brings it to the front; also what another start asks for.
    void RestoreFromTray();
    // A click on the tray icon: away windows come back, a shown one goes to the tray.
    void SysTray_Notify();
    // Hidden or minimised.
    bool IsAway() const;
    SysTray* Tray() const { return m_sysTray; }
    QMenu* TrayMenu() const;

    // ---- The lock ----
    // Locks (hiding the list, the status bar and the menu bar) or unlocks; a lock with a password set disables
    // the command until the password is typed.
    void mnuLock_Click();
    bool IsLocked() const;
    bool IsPasswordLocked() const;
    void NoteActivity();
    bool IdleExpired(bool reset);
    // Reads the auto-lock setting and restarts the idle clock.
    void LoadAutoLock();
    int AutoLockSeconds() const { return m_autoLockSeconds; }

    // ---- Appearance ----
    void ApplyStyle();
    void ApplyListBackground();
    void mnuColorStyle_Click(int index);
    void mnuBgStyle_Click(int index);
    void mnuChooseBG_Click();
    // Takes a colour pair, repaints and stores it.
    void SetStyleColorsAndSave(const QColor& color1, const QColor& color2);
    // The options dialog, one at a time.
    void ShowOptions();
    dlgOption* OptionDialog() const { return m_dlgOption; }
    // The calendar sync of this window's data folder.
    SyncController* Sync() const { return m_sync; }

    // ISchedulerHost
    void ClockTick(const QString& now) override;
    void DateChanged() override;
    void TaskDueToFront() override;
    void RefreshTaskTimes(const TaskPtr& task) override;
    // IFiredTaskSink: forwards to the prompt.
    void ShowFiredTask(const TaskPtr& task) override;
    // ITaskView
    void TaskAdded(const TaskPtr& task) override;
    void TaskChanged(const TaskPtr& task) override;
    void TasksRemoved(const std::vector<TaskPtr>& tasks) override;
    void TasksReset() override { RefreshList(); }
    void StoreSettings(AppSettings& settings) override;

Q_SIGNALS:
    void quitRequested();
    // The date changed: day words shown for tasks ("今天", "明天") were rebuilt.
    void dateChanged();
    // The task editor listens to these; while nobody does, the commands that need it stay disabled.
    void newTaskRequested();
    void editTaskRequested(const TaskPtr& task);
    void trayTipChanged(const QString& tip);
    // The number of tasks changed while the window is hidden: worth a notification.
    void balloonRequested(const QString& text);
    // A command had nothing to act on.
    void beeped();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetupList();
    void SetupStatusBar();
    void SetupSync();
    void SetupMenus();
    void SetupTray();
    void SetupLock();
    void SetupStyle();
    void InitStyleMenus();
    void AutoLockTick();
    bool OnInput(QObject* target, QEvent* event);
    void ApplyColumnWidths();
    void WidenDefaultsToFit();
    // The caption clock and the times of the rows on screen, at once: the window is back from the tray or the
    // task bar.
    void CatchUp();
    void SetClockCaption(const QString& now);
    // Notes which rows the list shows now (an empty range while the window is away or the list hidden).
    void NoteShownRows();
    void RefreshShownTimes();
    void OnSectionResized(int column, int oldSize, int newSize);
    void OnColumnMenuOpened();
    void OnColumnToggled(int column, bool checked);
    void SelectAllColumns();
    void RebuildFilterTypeItems();
    void ApplyGeneratedFilter(const QString& text);
    void OnListDoubleClick(const QPoint& pos);
    void Beep();
    bool EditorConnected() const;
    int TwipsToPixels(double twips) const;
    double PixelsToTwips(int pixels) const;
    void SetStatusOfSelected(TaskStatus status, const QString& question);
    void SettleOneOccurrence(TaskStatus status, const QString& question);

    std::unique_ptr<Ui::frmMain> m_ui;
    QString m_baseTitle;
    TaskEngine m_engine;
    TaskScheduler m_scheduler;
    QTimer* m_tmrTime = nullptr;
    std::unique_ptr<frmPrompt> m_prompt;
    std::unique_ptr<frmTask> m_editor;
    // Not a child: it must stay up, above everything, while this window hides in the tray.
    std::unique_ptr<dlgShutdown> m_dlgShutdown;
    IAutorun* m_autorun = nullptr;
    bool m_autorunOn = false;
    bool m_unloaded = false;
    bool m_loaded = false;
    bool m_readOnly = false;

    TaskTableModel* m_model = nullptr;
    TaskColumns::Columns m_columns;
    TaskColumns::Widths m_colTwips {};
    std::array<QAction*, TaskColumns::kCount> m_mnuColumn {};
    bool m_applyingWidths = false;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    int m_lastTaskCount = 0;
    // The tasks of the rows on screen at the start of the tick, by address, with their rows: only they follow
    // the clock, and the scan asks about every waiting task.
    std::vector<std::pair<const CTask*, int>> m_shownTasks;
    QString m_trayTip;

    CTaskFilter m_filter;
    QString m_lastFilterText;
    QString m_filterMenuTypesText;  // the category list the filter menu was last built from
    bool m_filterMenuBuilt = false;
    QLabel* m_panelSummary = nullptr;
    QLabel* m_panelFilter = nullptr;

    QPointer<dlgFind> m_dlgFind;
    QPointer<dlgFilter> m_dlgFilter;
    QPointer<frmHelp> m_frmHelp;

    SysTray* m_sysTray = nullptr;
    QMenu* m_mnuTray = nullptr;

    bool m_locked = false;
    QString m_lockKeyBuffer;
    QLabel* m_lblPrompt = nullptr;
    InputWatcher* m_inputWatcher = nullptr;
    IdleClock m_idle;
    int m_autoLockSeconds = 0;

    ThemePainter* m_themePainter = nullptr;
    std::vector<QAction*> m_mnuColorStyle;
    QPointer<dlgOption> m_dlgOption;
    SyncController* m_sync = nullptr;
};
