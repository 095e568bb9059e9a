// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/TaskColumns.h"

#include "base/Text.h"
#include "timerules/TimeExpr.h"

#include <QCoreApplication>
#include <QHash>

#include <cmath>
#include <vector>

namespace TaskColumns {

const QString& ColumnTable()
{
    static const QString table = QStringLiteral(
        "任务号,1239;任务描述,1440;类别,860;状态,900;提醒时间,2000;剩余时间,1440;*优先级,960;发生时间,1440;"
        "*有效期,2000;*开始时间,2000;*结束时间,2000;*预计用时,1440;*实际用时,1440");
    return table;
}

namespace {

double WidthValue(const QString& text)
{
    bool ok = false;
    const double w = text.trimmed().toDouble(&ok);
    // A width the list cannot use hides the column rather than making it absurdly wide or negative.
    if (!ok || !std::isfinite(w) || w < 0 || w > 1e6)
        return 0;
    return w;
}

}  // namespace

Columns InitColumns(const QString& colWidthText)
{
    QStringList saved;
    if (!colWidthText.isEmpty()) {
        saved = colWidthText.split(QLatin1Char(';'));
        if (saved.size() != kCount)
            saved.clear();
    }
    Columns cols;
    const QStringList entries = ColumnTable().split(QLatin1Char(';'));
    for (int i = 0; i < kCount; ++i) {
        const QStringList parts = entries[i].split(QLatin1Char(','));
        ColumnDef& c = cols[size_t(i)];
        c.key = QString::number(i) + QLatin1Char('_');
        c.caption = parts[0];
        c.shownByDefault = !c.caption.startsWith(QLatin1Char('*'));
        if (!c.shownByDefault)
            c.caption.remove(0, 1);
        c.defaultWidth = parts[1].toDouble();
        c.width = !saved.isEmpty() ? WidthValue(saved[i]) : (c.shownByDefault ? c.defaultWidth : 0);
    }
    return cols;
}

QString ColWidthsText(const Widths& widths)
{
    QStringList parts;
    for (double w : widths)
        parts << QString::number(w, 'g', 10);
    return parts.join(QLatin1Char(';'));
}

QString CellText(const CTask& task, int column)
{
    switch (column) {
    case colKey:
        return task.Key();
    case colTitle:
        return task.Title();
    case colType:
        return task.sType;
    case colStatus:
        return task.StatusStr();
    case colAlarm:
        return task.AlarmTimeStr();
    case colRemain:
        return task.RemainTime();
    case colPriority:
        return TaskPriorityName(task.ePriority);
    case colDue:
        return task.sDueDate + QLatin1Char(' ') + task.sDueTime;
    case colValidPeriod:
        return task.ValidPeriodStr(QStringLiteral("未设置"));
    case colStart:
        return FormatFriendlyTime(task.dtStartDT);
    case colFinish:
        return FormatFriendlyTime(task.dtFinishDT);
    case colPlaned:
        return task.PlanedTime();
    case colSpent:
        return task.SpentTime();
    default:
        return {};
    }
}

bool IsNumericSort(int column)
{
    return column == colAlarm || column == colRemain || column == colPlaned || column == colSpent;
}

QString MapCol(const CTask& task, int column)
{
    double value = 0;
    switch (column) {
    case colAlarm:
        value = task.dtAlarmDT;
        break;
    case colRemain:
        value = task.dtAlarmDT;
        if (task.eStatus() != tsNotStarted && task.eStatus() != tsPostponed)
            value += 10000000.0;
        break;
    case colPlaned:
        value = task.PlanedTimeDbl();
        break;
    case colSpent:
        value = task.SpentTimeDbl();
        break;
    default:
        break;
    }
    if (value < 0)
        value += 10000000000.0;
    return QString::asprintf("%017.6f", value);
}

QString Summary(const TaskList& tasks, int rowsShown)
{
    QStringList order;
    QHash<QString, int> perType;
    int waiting = 0;
    for (const TaskPtr& task : tasks) {
        if (!task->sType.isEmpty()) {
            auto it = perType.find(task->sType);
            if (it == perType.end()) {
                order << task->sType;
                perType.insert(task->sType, 1);
            } else {
                ++*it;
            }
        }
        if (task->IsWaiting())
            ++waiting;
    }
    const int total = tasks.Count();
    QString text = QCoreApplication::translate("TaskColumns", "共%1项").arg(total);
    if (rowsShown != total)
        text += QCoreApplication::translate("TaskColumns", ",显示%1项").arg(rowsShown);
    text += QCoreApplication::translate("TaskColumns", ",等待中%1项").arg(waiting);
    for (const QString& type : order)
        // One multi-argument arg(): a category containing "%1" is not substituted again.
        text += QCoreApplication::translate("TaskColumns", ",[%1]%2项").arg(type, QString::number(perType.value(type)));
    return text + QLatin1Char('.');
}

QString CopyText(const QStringList& captions, const std::vector<QStringList>& rows)
{
    QString text = captions.join(QLatin1Char('\t'));
    for (const QStringList& row : rows)
        // Texts typed on this system break lines with a bare LF; no line break may split a row.
        text += QStringLiteral("\r\n") + Text::OneLine(row.join(QLatin1Char('\t')), QStringLiteral("  "));
    return text;
}

}  // namespace TaskColumns
