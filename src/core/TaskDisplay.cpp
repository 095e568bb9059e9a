// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/TaskDisplay.h"

#include "base/Translation.h"
#include "core/CTask.h"
#include "core/TaskColumns.h"
#include "timerules/Clock.h"
#include "timerules/EnglishExpr.h"
#include "timerules/TimeExpr.h"

#include <QCoreApplication>

using namespace TaskColumns;

namespace {

// The names as the translation finds them; the Chinese functions give the source texts.
[[maybe_unused]] const char* const kStatusTexts[] = { QT_TRANSLATE_NOOP("TaskStatus", "未发生"),
    QT_TRANSLATE_NOOP("TaskStatus", "到期"), QT_TRANSLATE_NOOP("TaskStatus", "已完成"),
    QT_TRANSLATE_NOOP("TaskStatus", "推迟"), QT_TRANSLATE_NOOP("TaskStatus", "已取消"),
    QT_TRANSLATE_NOOP("TaskStatus", "暂停"), QT_TRANSLATE_NOOP("TaskStatus", "检测中"),
    QT_TRANSLATE_NOOP("TaskStatus", "进行中"), QT_TRANSLATE_NOOP("TaskStatus", "已失效") };
[[maybe_unused]] const char* const kPriorityTexts[]
    = { QT_TRANSLATE_NOOP("TaskPriority", "低"), QT_TRANSLATE_NOOP("TaskPriority", "中"),
          QT_TRANSLATE_NOOP("TaskPriority", "高"), QT_TRANSLATE_NOOP("TaskPriority", "紧急") };

// The context of the list's words and patterns.
class TaskDisplay
{
    Q_DECLARE_TR_FUNCTIONS(TaskDisplay)
};

QString Translated(const char* context, const QString& source)
{
    return source.isEmpty() ? source : QCoreApplication::translate(context, source.toUtf8().constData());
}

QString DayWord(qint64 n)
{
    switch (n) {
    case -2:
        return TaskDisplay::tr("前天");
    case -1:
        return TaskDisplay::tr("昨天");
    case 1:
        return TaskDisplay::tr("明天");
    case 2:
        return TaskDisplay::tr("后天");
    default:
        return TaskDisplay::tr("今天");
    }
}

QString Span(Instant from, Instant to)
{
    if (from == 0)
        return QStringLiteral("--");
    const QString s = DisplayDuration(from, to);
    return s.startsWith(QLatin1Char('-')) ? QStringLiteral("--") : s;
}

}  // namespace

QString TaskStatusDisplayName(int status)
{
    return Translated("TaskStatus", TaskStatusName(status));
}

QString TaskPriorityDisplayName(int priority)
{
    return Translated("TaskPriority", TaskPriorityName(priority));
}

QString DisplayFriendlyTime(Instant dt)
{
    const FriendlyMoment m = DescribeMoment(dt);
    QString day;
    switch (m.day) {
    case FriendlyMoment::None:
        return QStringLiteral("--");
    case FriendlyMoment::Today:
        break;
    case FriendlyMoment::Near:
        day = DayWord(m.offset);
        break;
    case FriendlyMoment::FullDate:
        day = QStringLiteral("%1/%2/%3")
                  .arg(m.date.year() % 100, 2, 10, QLatin1Char('0'))
                  .arg(m.date.month())
                  .arg(m.date.day());
        break;
    case FriendlyMoment::MonthDay:
        day = QStringLiteral("%1/%2").arg(m.date.month()).arg(m.date.day());
        break;
    case FriendlyMoment::DayOfMonth:  // %2 is the month, for languages that name it
        day = TaskDisplay::tr("%1号")
                  .replace(QStringLiteral("%1"), QString::number(m.date.day()))
                  .replace(QStringLiteral("%2"), QString::number(m.date.month()));
        break;
    }
    if (m.seconds == 0)
        return day.isEmpty() ? DayWord(0) : day;
    const QString time = QStringLiteral("%1:%2:%3")
                             .arg(m.seconds / 3600, 2, 10, QLatin1Char('0'))
                             .arg(m.seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                             .arg(m.seconds % 60, 2, 10, QLatin1Char('0'));
    return day.isEmpty() ? time : TaskDisplay::tr("%1(%2)").arg(time, day);
}

QString DisplayDuration(Instant fromDT, Instant toDT)
{
    const DurationParts d = DescribeDuration(fromDT, toDT);
    if (!d.showable)
        return QStringLiteral("--");
    if (d.days != 0)
        return TaskDisplay::tr("%1天").arg(d.days);
    const QString sign = d.negative ? QStringLiteral("-") : QString();
    if (d.hours > 0 && d.minutes > 0)
        return sign + TaskDisplay::tr("%1小时%2分钟").arg(d.hours).arg(d.minutes);
    if (d.hours > 0)
        return sign + TaskDisplay::tr("%1小时").arg(d.hours);
    if (d.minutes > 0)
        return sign + TaskDisplay::tr("%1分钟").arg(d.minutes);
    return sign + TaskDisplay::tr("%1秒").arg(d.seconds);
}

namespace {

bool English()
{
    return Translation::Current() == QLatin1String("en");
}

}  // namespace

QString DisplayDueDate(const QString& dateText)
{
    return English() ? EnglishDateText(dateText) : dateText;
}

QString DisplayDueTime(const QString& timeText)
{
    return English() ? EnglishTimeText(timeText) : timeText;
}

QString DisplayDueText(const CTask& task)
{
    return English() ? EnglishDueText(task.sDueDate, task.sDueTime) : CellText(task, colDue);
}

QString TaskCellDisplayText(const CTask& task, int column)
{
    switch (column) {
    case colDue:
        return DisplayDueText(task);
    case colStatus:
        return TaskStatusDisplayName(task.eStatus());
    case colAlarm:
        return task.AlarmTimeStr();
    case colRemain:
        return task.IsWaiting() ? DisplayDuration(Clock::Now(), task.dtAlarmDT) : QStringLiteral("--");
    case colPriority:
        return TaskPriorityDisplayName(task.ePriority);
    case colValidPeriod:
        return task.ValidPeriodStr(TaskDisplay::tr("未设置"));
    case colStart:
        return DisplayFriendlyTime(task.dtStartDT);
    case colFinish:
        return DisplayFriendlyTime(task.dtFinishDT);
    case colPlaned:
        return Span(task.dtStartDT, task.dtDueDT);
    case colSpent:
        return Span(task.dtStartDT, task.IsWaiting() ? Clock::Now() : task.dtFinishDT);
    default:
        return CellText(task, column);
    }
}
