// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/CTask.h"
#include "core/TaskList.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <memory>

namespace Ui {
class frmTask;
}

class QComboBox;
struct DueFieldResult;
class QTimer;
class TaskEngine;

// The task editor, for a new task or the properties of an existing one. One instance serves the whole run
// (its combo-box histories last as long); it is not modal, so the list and the prompt stay usable. Nothing is
// written into the task before OK, and OK writes only after every check has passed.
class frmTask : public QDialog
{
    Q_OBJECT

public:
    enum Mode { kLoaded = 0, kProperty = 1, kNewTask = 2 };

    explicit frmTask(TaskEngine& engine, QWidget* parent = nullptr);
    ~frmTask() override;

    // Opens an empty task; `day` (when not 0) is the due day picked on the calendar.
    void ShowAsNewTask(QWidget* owner, Instant day = 0);
    // Opens an existing task; `owner` gets the focus back when the editor closes. The editor stays above
    // other windows exactly when its owner does (the reminder prompt).
    void ShowAsTaskProperty(const TaskPtr& task, QWidget* owner);

    Mode EditMode() const { return m_mode; }
    TaskPtr EditedTask() const { return m_task; }
    bool Cancelled() const { return m_cancel; }

    // The dialogs and prompts the user opens from the form.
    bool SetTaskTypes();
    bool DefineLoop();
    void DefineAlarm();
    void DefineValidPeriod();
    void RefreshValidPeriod();
    // Refills the category list after it was edited elsewhere, keeping the category shown.
    void ReloadCategories();
    // The caption clock and the due display, once a second while the editor is visible.
    void Tick();

    // ---- Hooks to the parts the editor does not know (ring player, shutdown dialog, page host) ----
    // Until one is installed its control stays disabled.
    // The "试听" switch: start returns false when nothing could be played.
    struct RingPreview
    {
        std::function<bool(int ringType, const QString& file, int priority)> start;
        std::function<void()> stop;
    };
    void SetRingPreview(RingPreview preview);
    // What the preview tells back: it ended by itself (music played to its end), and its "position / length".
    void PreviewEnded();
    void ShowPreviewLength(const QString& text);
    // The power entry of the command box: shows the shutdown settings and returns an "@" command or "".
    using PowerSetting = std::function<QString(QWidget* owner, const QString& lastCmd)>;
    void SetPowerSetting(PowerSetting setting);
    // The page check of a custom event whose check is a web page: loads the page for a dry run.
    using PageCheck = std::function<void(CTask& scratch)>;
    void SetPageCheck(PageCheck check);

    // The open-file dialog, replaceable so tests need no real one. `filter` is "描述|*.a;*.b|…".
    using FileChooser = std::function<QString(QWidget* owner, const QString& title, const QString& filter)>;
    static void SetFileChooser(FileChooser chooser);
    static FileChooser CurrentFileChooser();

    void accept() override;
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetupLists();
    void SetupCommandBox();
    void SetupRing();
    void ShowWithOwner(QWidget* owner);
    void BuildDateList(bool force);
    void Lock(bool locked);
    void UpdateDueEnabled();
    TaskStatus SelectedStatus() const;
    void SelectStatus(TaskStatus status);
    Instant DueMoment() const;
    QString DateText() const;
    QString TimeText() const;
    void SetDateText(const QString& text);
    void SetTimeText(const QString& text);
    void SetDueLabels(Instant due);
    void RefreshDueLabels();

    void DescriptionChanged();
    void DateChanged();
    void DateActivated(int index);
    bool DateLeft();
    void TimeChanged();
    void TimeActivated(int index);
    bool TimeLeft();
    bool ApplyFieldRule(QComboBox* box, const DueFieldResult& rule);
    void StatusChanged();
    void CategoryActivated(int index);

    void CmdActivated(int index);
    void CmdTextChanged();
    void HideWndClicked(bool checked);
    void DefineInitDir();
    void TestRun();
    void TestChecking();
    void UpdateCheckButton();
    void RingTypeChanged(int type);
    void RingFileActivated(int index);
    void StopPreview();
    void ToggleEnlarged(QWidget* box);

    // OK in its order: the checks, then the writes.
    bool CheckAndWrite();
    void WriteOtherFields(CTask& task);

    std::unique_ptr<Ui::frmTask> m_ui;
    TaskEngine& m_engine;
    Mode m_mode = kLoaded;
    TaskPtr m_task;  // the live task in property mode; the new record after OK in new-task mode
    CTask m_work;  // start folder, valid period and the texts the dialogs edit
    std::unique_ptr<CTask> m_scratch;  // the dry run of a custom-event check, never stored
    QPointer<QWidget> m_owner;
    QTimer* m_tmrShowTime = nullptr;
    QString m_title;
    QString m_lastCmd;
    QString m_ringFileText;  // the ring file as last typed or chosen, not a list entry's caption
    QString m_manualAlarm;  // empty: the alarm follows the due moment
    Instant m_dateListDay = 0;  // the day the date list was built on
    int m_typeIndex = -1;  // the last category entry chosen (entry 0 edits the list)
    bool m_loading = false;
    bool m_dueChanged = false;
    bool m_userEvent = false;
    bool m_locked = false;
    bool m_cancel = false;
    bool m_syncingHide = false;
    QWidget* m_enlarged = nullptr;

    RingPreview m_preview;
    PowerSetting m_powerSetting;
    PageCheck m_pageCheck;
};
