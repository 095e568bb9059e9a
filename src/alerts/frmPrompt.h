// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/TaskScheduler.h"

#include <QWidget>

#include <memory>
#include <vector>

class QTimer;
class RingPlayer;
class TaskEngine;

namespace Ui {
class frmPrompt;
}

// The reminder prompt: lists the tasks that fell due, in order of arrival, and lets the user finish, cancel
// or postpone the selected ones. It stays above other windows and comes forward for every new task. The
// close box only minimises it: it goes away when its last entry is settled or the program unloads it.
class frmPrompt : public QWidget, public IFiredTaskSink
{
    Q_OBJECT

public:
    explicit frmPrompt(TaskEngine& engine, QWidget* parent = nullptr);
    ~frmPrompt() override;

    void ShowFiredTask(const TaskPtr& task) override;

    int Count() const { return int(m_tasks.size()); }
    TaskPtr TaskAt(int index) const;
    // The ring player of an entry, or nullptr when its task rings silently.
    RingPlayer* RingAt(int index) const;

    // Applies a status to every selected entry (finish, cancel, postpone or ongoing), asking first when
    // more than one is selected; settled entries leave the list.
    void SetSelectedStatus(TaskStatus status);

    // Takes out the entries whose task was settled elsewhere (tickwell-cli, the list).
    void DropSettled();

    // Forgets every entry and hides the window; used when the program quits.
    void Unload();

Q_SIGNALS:
    // A double-click on an entry: the task editor is to open that task.
    void editTaskRequested(const TaskPtr& task);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowFocused();
    void TimerStep();
    void RemoveEntry(int index);
    // One entry gets the status (a postponement by `delay`); false when the postponement was refused.
    bool SettleEntry(const TaskPtr& task, TaskStatus status, const QString& delay);
    void AfterSettling();
    // The desktop notification of a fired task, whose buttons act like the prompt's on that task alone.
    quint64 Notify(const TaskPtr& task);
    void SettleFromNotification(const TaskPtr& task, const QString& key);
    static void DropRing(RingPlayer* ring);
    void ResetControls();
    TaskPtr FocusedTask() const;

    std::unique_ptr<Ui::frmPrompt> m_ui;
    TaskEngine& m_engine;
    std::vector<TaskPtr> m_tasks;  // parallel to the entries of lstTasks
    std::vector<RingPlayer*> m_rings;  // parallel too, children of the prompt; nullptr for a silent task
    std::vector<quint64> m_notes;  // parallel too: the desktop notification of each entry, 0 for none
    QTimer* m_timer = nullptr;
    QString m_sNewDueCaption;
    bool m_showingDesc = false;
    bool m_unloading = false;
    bool m_placed = false;
};
