// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/CTask.h"

#include "base/MsgBox.h"
#include "core/TaskDisplay.h"
#include "timerules/Clock.h"
#include "timerules/CompoundAmount.h"
#include "timerules/TimeExpr.h"

#include <QCoreApplication>

#include <cmath>

namespace {

// Where a postponement text moves the alarm; 0 when it does not, with `errInfo` set when the user should
// be told why.
Instant PostponeTarget(const QString& time, QString* errInfo)
{
    const Instant now = Clock::Now();
    if (!time.contains(QStringLiteral("分")) && !time.contains(QStringLiteral("秒"))) {
        if (const auto literal = ParseDateLiteral(time)) {
            if (literal->hasDate) {
                const Instant t = literal->Value();
                if (AtOrAfter(now, t)) {
                    *errInfo = QCoreApplication::translate("CTask", "指定时间早于当前时间!");
                    return 0;
                }
                return t;
            }
            // A clock time alone: today, or tomorrow once it has passed.
            Instant t = AddSeconds(Clock::Today(), literal->seconds);
            if (SecondDiff(now, t) < 0)
                t = AddDays(t, 1);
            return t;
        }
    }

    // "1小时30分" means ninety minutes, not the one minute the first number and the first unit would say.
    if (const auto amount = ParseCompoundAmount(time)) {
        if (amount->negative || amount->IsZero())
            return 0;
        return ApplyCompoundAmount(now, *amount);
    }

    const double n = LeadingNumber(time);
    if (n <= 0)
        return 0;
    double unit = 0;
    if (time.contains(QStringLiteral("分")))
        unit = 60;
    else if (time.contains(QStringLiteral("小时")))
        unit = 3600;
    else if (time.contains(QStringLiteral("天")))
        unit = SECONDS_PER_DAY;
    else if (time.contains(QStringLiteral("秒")))
        unit = 1;
    if (unit == 0) {
        *errInfo = QCoreApplication::translate("CTask", "推迟时间格式不正确!");
        return 0;
    }
    // A fractional amount ("1.5小时") counts in full, to the nearest second.
    const double seconds = std::round(n * unit);
    return seconds > 0 ? AddSeconds(now, seconds) : 0;
}

}  // namespace

Instant CTask::CalcAlarm(QString* errInfo) const
{
    QString error;
    const Instant a = ParseTimeOffset(dtDueDT, sManualAlarm, &error);
    if (errInfo)
        *errInfo = error;
    return a != 0 ? a : dtDueDT;
}

bool CTask::SetPostpone(const QString& time, QString* errInfo, bool isOngoing)
{
    QString scratch;
    QString* error = errInfo ? errInfo : &scratch;
    const Instant t = PostponeTarget(time, error);
    if (t <= 0)
        return false;

    if (dtValidToDT > 0 && SecondDiff(dtValidToDT, t) > 0 && !isOngoing) {
        const QString question
            = QCoreApplication::translate("CTask", "[%1]将推迟到%2, 这将超过有效期(%3), 确定推迟?")
                  .arg(Title(), DisplayFriendlyTime(t), ValidPeriodStr(QCoreApplication::translate("CTask", "未设置")));
        if (MsgBox::Show(question, MsgButtons::YesNo, MsgIcon::Warning) != MsgResult::Yes) {
            error->clear();
            return false;
        }
    }

    dtAlarmDT = t;
    SetStatus(isOngoing ? tsOngoing : tsPostponed);
    m_postpone = time;
    return true;
}

QString CTask::AlarmTimeStr() const
{
    return DisplayTexts().AlarmTime(*this);
}

QString CTask::ValidPeriodStr(const QString& notDefined) const
{
    return DisplayTexts().ValidPeriod(*this, notDefined);
}

bool CTask::InTheValidPeriod(Instant dt) const
{
    if (dtValidFromDT > 0 && SecondDiff(dtValidFromDT, dt) < 0)
        return false;
    if (dtValidToDT > 0 && SecondDiff(dtValidToDT, dt) > 0)
        return false;
    return true;
}
