// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/DueEntry.h"

#include "timerules/Clock.h"
#include "timerules/DueRules.h"
#include "timerules/EnglishExpr.h"
#include "timerules/Recurrence.h"
#include "timerules/TimeExpr.h"

#include <QCoreApplication>

DueEntry ResolveDueEntry(const QString& dateIn, const QString& timeIn, const QString& manualAlarm, const CTask& period,
    TaskStatus status, bool testDue)
{
    DueEntry r;
    const QString timeText = StoredTimeText(timeIn).trimmed();
    QString dateText = StoredDateText(dateIn).trimmed();
    r.due = ResolveDueTime(dateText, timeText, period.dtValidFromDT);
    if (!period.InTheValidPeriod(r.due)) {
        r.message = QCoreApplication::translate("DueEntry", "到期时间不在有效期内,请重新设置.");
        r.warning = true;
        return r;
    }
    // Texts that each pass their own check may still name no moment together (a rule past its end).
    if (r.due == 0) {
        r.message = QCoreApplication::translate("DueEntry", "请填写正确的时间!");
        return r;
    }
    const std::optional<QString> alarmText = StoredOffsetText(manualAlarm, &r.message);
    r.alarm = alarmText ? ParseTimeOffset(r.due, *alarmText, &r.message) : 0;
    if (r.alarm == 0) {
        r.warning = r.alarmText = true;
        return r;
    }
    if (IsWaitingStatus(status)) {
        // A changed due moment is what the user just set; the alarm may lie before it on purpose.
        const Instant tested = status != tsPostponed && testDue ? r.due : r.alarm;
        if (SecondDiff(Clock::Now(), tested) < 0) {
            r.message = QCoreApplication::translate("DueEntry", "提醒时间在当前时间之前,请重新设置.");
            return r;
        }
    }
    if (!IsRecurringText(timeText))
        if (const Instant day = ParseDayWord(dateText, 0))
            dateText = FormatDateText(day);
    if (dateText.endsWith(u'后'))
        dateText = FormatDateText(r.due);
    r.dateText = dateText;
    r.manualAlarm = *alarmText;
    // Relative times are frozen when the task is written: "10分钟后" means ten minutes after this moment, for good.
    r.timeText = timeText.contains(u'后') ? TimeLiteralText(TimePart(r.due)) : timeText;
    r.message.clear();
    r.ok = true;
    return r;
}

DueEntry CheckNewTaskDue(const QString& dateIn, const QString& timeIn)
{
    DueEntry refused;
    const QString time = timeIn.isEmpty() ? QStringLiteral("10分钟后") : StoredTimeText(timeIn);
    DueFieldResult date = DueDateRules(dateIn);
    // The editor's date field follows a relative or recurring time, as it does when such a time is chosen.
    if (dateIn.isEmpty() && (time.contains(u'后') || IsRecurringText(time))) {
        const Instant due = ResolveDueTime(date.text, time, 0);
        if (due != 0)
            date.text = IsRecurringText(time) ? QStringLiteral("每天") : FormatDateWord(DatePart(due));
    }
    if (!date.accepted) {
        refused.message = date.message;
        return refused;
    }
    const DueFieldResult clock = DueTimeRules(time, date.text);
    if (!clock.accepted) {
        refused.message = clock.message;
        return refused;
    }
    return ResolveDueEntry(date.text, clock.text, QString(), CTask(), tsNotStarted, true);
}
