// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QDialog>

#include <memory>

class QTimer;

namespace Ui {
class dlgShutdown;
}

// Shuts down, hibernates, suspends, restarts or logs off after a countdown or at once, optionally forced.
// Used by hand from the Tools menu, by the task editor to write a power command ("@强制重启 1小时"), and by
// due tasks whose command is such a text. One instance is shared: a power command arriving while it is open
// is parsed into it and restarts its countdown. Hiding the dialog always stops the countdown, so an action
// never fires from a window nobody can see.
class dlgShutdown : public QDialog
{
    Q_OBJECT

public:
    explicit dlgShutdown(QWidget* parent = nullptr);
    ~dlgShutdown() override;

    // The instance the windows share: the first one created that is still alive (the main window creates it
    // when it loads).
    static dlgShutdown* Shared();

    // Opens modally to edit `cmd`; returns the new power command, or "" when the user cancelled. A command
    // that does not parse leaves the controls as they are. While this dialog counts down, the editing happens
    // in a second one and the countdown goes on.
    QString ShowAsSetting(const QString& cmd);
    // Parses `cmd`; when it parses, shows the dialog above other windows and starts the countdown. Returns
    // whether it parsed; otherwise nothing is shown and nothing is scheduled.
    bool ShowAsExec(const QString& cmd);
    // Opens for use by hand (the Tools menu); a closed dialog opens with its defaults.
    void ShowByHand();

    // "强制" when forced, then the selected action's name: "强制关机", as a task's command writes it.
    QString Command() const;
    // The same for the countdown and the question, in the user's language.
    QString ActionText() const;
    // Performs the action now through the system's power manager; a refusal is shown as a warning and
    // returns false.
    bool PowerMgmt(int action, bool force);
    // Puts a power command into the controls; false (and nothing changed) when it does not parse.
    bool ParseCommand(const QString& text);

    // What leaving the delay box does: a bare number becomes seconds, a delay that does not parse is
    // reported. True when it parses.
    bool ValidateTimeSpec();
    void StartCountdown();
    void StopCountdown();
    // One step of the countdown (the timer's handler): shows the seconds left, acts when none are.
    void Tick();

    bool IsCountingDown() const;
    bool SettingMode() const { return m_settingMode; }
    QDateTime DueTime() const { return m_dueTime; }
    QTimer* Timer1() const { return m_timer; }

protected:
    // Esc and the close box are "取消": they stop a countdown first and only then close.
    void reject() override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LoadDefaults();
    void UpdatePreview();
    void PerformAction();
    void OnOk();
    void OnExecuteImmd();
    void OnCancel();
    int SelectedAction() const;
    void FocusTimeSpec();

    std::unique_ptr<Ui::dlgShutdown> m_ui;
    QTimer* m_timer = nullptr;
    QDateTime m_dueTime;
    bool m_settingMode = false;
    QString m_settingResult;
    QString m_caption;
};
