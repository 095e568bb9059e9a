// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timerules/Instant.h"

#include <QString>
#include <QStringList>

#include <memory>

// Task statuses, stored by number in the data file.
enum TaskStatus : int {
    tsNotStarted = 0,
    tsDue = 1,
    tsFinished = 2,
    tsPostponed = 3,
    tsCancelled = 4,
    tsPaused = 5,
    tsChecking = 6,
    tsOngoing = 7,
    tsExpired = 8,
};
inline constexpr int kTaskStatusCount = 9;

// What a task's description makes of it; derived, never stored.
enum TaskKind : int {
    ttNormal = 0,
    ttUserCmd = 1,  // ":" title, then lines of a command that decides whether the event happened
    ttUserPage = 2,  // ":" title, then a line naming an .htm/.html page that watches for the event
};

enum TaskPriority : int { tpLow = 0, tpNormal = 1, tpHigh = 2, tpUrgent = 3 };
enum RingType : int { rtNone = 0, rtBeep = 1, rtMusic = 2 };

QString TaskStatusName(int status);  // "未发生" ... "已失效"; "" out of range
QString TaskPriorityName(int priority);  // "低" "中" "高" "紧急"
// Row text colour of a status as 0x00BBGGRR.
quint32 TaskStatusColor(int status);
bool IsWaitingStatus(int status);  // 0, 3, 7

// The prefix of the temporary scripts made for multi-line check commands.
inline constexpr QLatin1String kTempFilePrefix("tw");

// A reminder task. Fields are public: the store, the editor and the rules all read and write them.
class CTask
{
public:
    CTask();
    ~CTask();
    CTask(const CTask&) = delete;
    CTask& operator=(const CTask&) = delete;

    qint32 ID = 0;
    Instant dtDueDT = 0;
    Instant dtCreateDT = 0;
    Instant dtValidFromDT = 0;
    Instant dtValidToDT = 0;
    Instant dtStartDT = 0;
    Instant dtFinishDT = 0;
    int ePriority = tpLow;
    QString sRingFile;
    int eRingType = rtNone;
    Instant dtAlarmDT = 0;
    QString sDueDate;
    QString sDueTime;
    QString sManualAlarm;
    bool bUseCmd = false;
    QString sCmd;
    QString sCmdInitDir;
    QString sType;
    bool bAutoCancel = false;
    bool bAutoFinish = false;
    bool m_bUserEventOn = false;
    QString m_sUserEventDesc;
    bool DryRunUserEvent = false;
    QString sMemo;
    bool bAutoMemo = false;
    // The task's identity on a calendar server: given at its first sync (EnsureUid) and never changed after, so
    // every device and every calendar client knows it as the same event.
    QString sUid;
    // When what the task shares with other devices last changed (local wall clock; 0: not known). When two
    // devices changed the same field, the later change wins.
    Instant dtChangeDT = 0;

    // Gives the task a new permanent identity when it has none; true when it did.
    bool EnsureUid();
    // Takes over every stored field of `other` (its identity and number included), as a load of the data file
    // would give them. A check in progress and a check window stay with the task they belong to.
    void CopyFrom(const CTask& other);

    // "T" + ID with at least two digits.
    QString Key() const;

    TaskStatus eStatus() const { return m_status; }
    // Stamps dtFinishDT when the task leaves the waiting statuses and clears it when it comes back.
    void SetStatus(TaskStatus status);
    bool IsWaiting() const { return IsWaitingStatus(m_status); }
    QString StatusStr() const;

    const QString& sDescription() const { return m_description; }
    // Derives the task kind and the custom-event title and command from the text.
    void SetDescription(const QString& text);
    TaskKind TaskType() const { return m_kind; }
    QString UserEventTitle() const { return m_userEventTitle; }
    // The check of a kind-1 task as the user would type it in a terminal ("/bin/sh -c 'line'", or the
    // script itself when it has two or more lines); the page file of a kind-2 task.
    QString UserEventCmd() const { return m_userEventCmd; }
    // A one-line check as program and arguments, to be started without a further shell so that nothing in
    // the line is split or expanded twice. Empty for a script, for kind 2 and when there is nothing to run.
    QStringList UserEventArgv() const { return m_userEventArgv; }
    // A check of two or more lines as the script /bin/sh runs (remark lines made comments), "" otherwise. Its
    // file exists only while the check runs.
    QString UserEventScript() const { return m_userEventScript; }

    QString Title() const;
    QString RemainTime() const;
    QString SpentTime() const;
    double SpentTimeDbl() const;
    QString PlanedTime() const;
    double PlanedTimeDbl() const;
    QString ToStr() const;

    // True when the text (or the description when the text is empty) begins with ":".
    bool IsUserEvent(const QString& text = QString()) const;

    // Recurrence.
    bool IsRecurringDate() const;
    bool IsRecurringTime() const;
    bool IsRecurring() const;
    // Moves the task to its next occurrence; false (and tsExpired) when there is none.
    bool NextRecurring(bool setNotStarted);

    // Alarm, postponement and valid period.
    Instant CalcAlarm(QString* errInfo = nullptr) const;
    bool SetPostpone(const QString& time, QString* errInfo, bool isOngoing);
    QString Postpone() const { return m_postpone; }
    QString AlarmTimeStr() const;
    QString ValidPeriodStr(const QString& notDefined) const;
    bool InTheValidPeriod(Instant dt) const;

    // Custom-event checks (CTaskCheck.cpp). A kind-1 check runs as a separate process that is started once
    // and then polled; the program never kills it. A script is written at the start and deleted at the end.
    // True while a check process has been started and its end not yet collected.
    bool IsCheckingEvent() const { return m_check != nullptr; }
    // Starts the check when none is running, then waits at most `timeoutMs` for it. Returns true when it
    // ended with a non-zero exit code (the event happened). `isValid` is false when it could not be started;
    // `retCode` receives the exit code once the process has ended and is left alone otherwise.
    bool CheckUserCmd(bool& isValid, int timeoutMs, int& retCode);
    // Kind 2: true once for each event the check page has reported since the last call.
    bool CheckUserEvent(bool& isValid, QString& eventDesc);
    // Called by the check page when its event happens; only a waiting task takes note of it.
    void OnUserEvent(const QString& eventDesc);
    // Kind 2: loads the page into the task's check window (made on first use) and shows or hides the window.
    void StartUserEvent(bool visible);
    // Closes the check window, if there is one.
    void StopUserEvent();
    bool HasCheckPage() const { return m_frmCheckEvent != nullptr; }

private:
    QString m_description;
    TaskStatus m_status = tsNotStarted;
    TaskKind m_kind = ttNormal;
    QString m_userEventTitle;
    QString m_userEventCmd;
    QStringList m_userEventArgv;
    QString m_userEventScript;
    QString m_postpone;
    std::shared_ptr<class CheckProcess> m_check;  // the running check; a new description forgets it
    std::unique_ptr<class ICheckPage> m_frmCheckEvent;  // the window of a kind-2 check
    QString m_sLoadedPage;  // the page file last loaded into it
};
