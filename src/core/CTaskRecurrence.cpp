// SPDX-License-Identifier: GPL-3.0-or-later
// The recurrence side of a task: moving it on to its next occurrence.
#include "core/CTask.h"

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
    Instant base = NextOccurrenceBase(sDueDate, sDueTime, dtDueDT, now);
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
