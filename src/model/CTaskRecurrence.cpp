// SPDX-License-Identifier: GPL-3.0-or-later
// The recurrence side of a task: moving it on to its next occurrence.
#include "model/CTask.h"

#include "timerules/Clock.h"
#include "timerules/Recurrence.h"
#include "timerules/TimeExpr.h"

bool CTask::IsRecurringDate() const
{
    return IsRecurringText(sDueDate);
}

bool CTask::IsRecurringTime() const
{
    return IsRecurringText(sDueTime);
}

bool CTask::IsRecurring() const
{
    return IsRecurringDate() || IsRecurringTime();
}

bool CTask::NextRecurring(bool setNotStarted)
{
    const Instant now = Clock::Now();
    Instant base = now;
    // A date rule with a fixed time counts from the day after the current due day, so that day's
    // occurrence is not found again. A whole-period rule ("每周", "每月") adds its period to the due day
    // itself: from the day after, a weekly task would move one weekday later every week. A due moment that
    // is not a real day counts from now.
    if (!IsRecurringTime() && IsRecurringDate() && dtDueDT != 0 && dtDueDT != NO_DATE && IsRepresentable(dtDueDT)) {
        if (Instant next = IsPeriodDateRule(sDueDate) ? dtDueDT : AddDays(dtDueDT, 1))
            base = next;
    }
    // The first occurrence of a task whose valid period starts later counts from that start.
    if (dtValidFromDT != 0 && base < dtValidFromDT)
        base = dtValidFromDT;

    const Instant due = ResolveDueTime(sDueDate, sDueTime, base);
    // 0: the rule has no further occurrence. Storing it would make the task fire at once, and again
    // after every finish.
    if (due != 0 && InTheValidPeriod(due)) {
        dtStartDT = now;
        if (dtStartDT < dtValidFromDT)
            dtStartDT = dtValidFromDT;
        dtFinishDT = 0;
        dtDueDT = due;
        // An absolute alarm moment belonged to the occurrence just ended; offsets such as "-15" carry over.
        if (IsDateLiteral(sManualAlarm))
            sManualAlarm.clear();
        dtAlarmDT = CalcAlarm();
        if (setNotStarted)
            SetStatus(tsNotStarted);
        return true;
    }
    if (setNotStarted)
        SetStatus(tsExpired);
    return false;
}
