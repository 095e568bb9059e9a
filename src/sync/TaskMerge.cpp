// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/TaskMerge.h"

#include "timerules/TimeExpr.h"

#include <QCoreApplication>
#include <QCryptographicHash>

#include <algorithm>
#include <string>

namespace {

// Ringing and checking are moments of one machine; to the others the task is still waiting.
int TravellingStatus(int status)
{
    return status == tsDue || status == tsChecking ? tsNotStarted : status;
}

bool KeepsOwnAlarm(int status)
{
    return status == tsPostponed || status == tsOngoing;
}

// One unit of the merge: fields that only make sense together (the due texts and the moment they give; a
// status and the alarm a postponement set) travel as one.
struct Field
{
    const char* name;
    QString (*value)(const CTask&);  // compares, and is what the status log shows
    void (*take)(const CTask& from, CTask& to);
};

const Field kFields[] = {
    { QT_TRANSLATE_NOOP("TaskMerge", "描述"), [](const CTask& t) -> QString { return t.sDescription(); },
        [](const CTask& from, CTask& to) { to.SetDescription(from.sDescription()); } },
    { QT_TRANSLATE_NOOP("TaskMerge", "备注"), [](const CTask& t) -> QString { return t.sMemo; },
        [](const CTask& from, CTask& to) { to.sMemo = from.sMemo; } },
    { QT_TRANSLATE_NOOP("TaskMerge", "分类"), [](const CTask& t) -> QString { return t.sType; },
        [](const CTask& from, CTask& to) { to.sType = from.sType; } },
    { QT_TRANSLATE_NOOP("TaskMerge", "优先级"), [](const CTask& t) -> QString { return TaskPriorityName(t.ePriority); },
        [](const CTask& from, CTask& to) { to.ePriority = from.ePriority; } },
    { QT_TRANSLATE_NOOP("TaskMerge", "到期时间"),
        [](const CTask& t) -> QString {
            return t.sDueDate + u' ' + t.sDueTime + QStringLiteral(" (") + FormatDateTimeText(t.dtDueDT) + u')';
        },
        [](const CTask& from, CTask& to) {
            to.sDueDate = from.sDueDate;
            to.sDueTime = from.sDueTime;
            to.dtDueDT = from.dtDueDT;
        } },
    { QT_TRANSLATE_NOOP("TaskMerge", "提醒"), [](const CTask& t) -> QString { return t.sManualAlarm; },
        [](const CTask& from, CTask& to) { to.sManualAlarm = from.sManualAlarm; } },
    { QT_TRANSLATE_NOOP("TaskMerge", "状态"),
        [](const CTask& t) -> QString {
            const int status = TravellingStatus(t.eStatus());
            return KeepsOwnAlarm(status) ? TaskStatusName(status) + u' ' + FormatDateTimeText(t.dtAlarmDT)
                                         : TaskStatusName(status);
        },
        [](const CTask& from, CTask& to) {
            to.SetStatus(TaskStatus(TravellingStatus(from.eStatus())));
            to.dtFinishDT = from.dtFinishDT;
            if (KeepsOwnAlarm(from.eStatus()))
                to.dtAlarmDT = from.dtAlarmDT;
        } },
    { QT_TRANSLATE_NOOP("TaskMerge", "有效期"),
        [](const CTask& t) -> QString {
            return FormatDateTimeText(t.dtValidFromDT) + u'~' + FormatDateTimeText(t.dtValidToDT);
        },
        [](const CTask& from, CTask& to) {
            to.dtValidFromDT = from.dtValidFromDT;
            to.dtValidToDT = from.dtValidToDT;
        } },
    { QT_TRANSLATE_NOOP("TaskMerge", "铃声"), [](const CTask& t) -> QString { return QString::number(t.eRingType); },
        [](const CTask& from, CTask& to) { to.eRingType = from.eRingType; } },
    { QT_TRANSLATE_NOOP("TaskMerge", "自动处理"),
        [](const CTask& t) -> QString {
            return QStringLiteral("%1%2%3").arg(int(t.bAutoFinish)).arg(int(t.bAutoCancel)).arg(int(t.bAutoMemo));
        },
        [](const CTask& from, CTask& to) {
            to.bAutoFinish = from.bAutoFinish;
            to.bAutoCancel = from.bAutoCancel;
            to.bAutoMemo = from.bAutoMemo;
        } },
};

}  // namespace

void MergeTask(const CTask& base, CTask& local, const CTask& remote, std::vector<MergeConflict>& lost)
{
    const bool localLater = local.dtChangeDT > remote.dtChangeDT;
    bool took = false;
    for (const Field& f : kFields) {
        const QString was = f.value(base), here = f.value(local), there = f.value(remote);
        if (there == was || there == here)
            continue;  // nothing new from the server
        if (here != was) {
            const QString name = QCoreApplication::translate("TaskMerge", f.name);
            if (localLater) {
                lost.push_back({ name, here, there });
                continue;
            }
            lost.push_back({ name, there, here });
        }
        f.take(remote, local);
        took = true;
    }
    // The alarm moment follows from the due moment and the alarm text unless a postponement set it.
    if (took && !KeepsOwnAlarm(local.eStatus()))
        local.dtAlarmDT = local.CalcAlarm();
    local.dtChangeDT = std::max(local.dtChangeDT, remote.dtChangeDT);
}

bool SyncedFieldsDiffer(const CTask& a, const CTask& b)
{
    for (const Field& f : kFields) {
        if (f.value(a) != f.value(b))
            return true;
    }
    return false;
}

QByteArray SyncedFieldsDigest(const CTask& task)
{
    // Each field of kFields, raw and in that order; texts with their lengths, so that no two tasks run together.
    std::string raw;
    raw.reserve(512);
    const auto value = [&raw](const auto& v) { raw.append(reinterpret_cast<const char*>(&v), sizeof v); };
    const auto text = [&raw, &value](const QString& s) {
        value(s.size());
        raw.append(reinterpret_cast<const char*>(s.constData()), s.size() * sizeof(QChar));
    };
    text(task.sDescription());
    text(task.sMemo);
    text(task.sType);
    value(task.ePriority);
    text(task.sDueDate);
    text(task.sDueTime);
    value(task.dtDueDT);
    text(task.sManualAlarm);
    const int status = TravellingStatus(task.eStatus());
    value(status);
    value(KeepsOwnAlarm(status) ? task.dtAlarmDT : Instant(0));
    value(task.dtValidFromDT);
    value(task.dtValidToDT);
    value(task.eRingType);
    value(task.bAutoFinish);
    value(task.bAutoCancel);
    value(task.bAutoMemo);
    return QCryptographicHash::hash(QByteArrayView(raw.data(), qsizetype(raw.size())), QCryptographicHash::Md5).toHex();
}
