// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/TaskCommands.h"

#include "core/DueEntry.h"
#include "engine/TaskEngine.h"
#include "timerules/Clock.h"
#include "timerules/TimeExpr.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// A tab or line break inside a field would shift the columns after it.
QString Column(QString text)
{
    for (QChar& c : text) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    }
    return text;
}

TaskCommandResult Fail(int code, const QString& message)
{
    TaskCommandResult r;
    r.exitCode = code;
    r.err = message + QLatin1Char('\n');
    return r;
}

// "--name VALUE" or "--name=VALUE" out of args; a null string when absent, *missing when the value is.
QString TakeOption(QStringList& args, const QString& name, bool& missing)
{
    const QString flag = QStringLiteral("--") + name;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == flag) {
            if (i + 1 >= args.size()) {
                missing = true;
                args.removeAt(i);
                return {};
            }
            const QString value = args[i + 1];
            args.remove(i, 2);
            return value;
        }
        if (args[i].startsWith(flag + QLatin1Char('='))) {
            const QString value = args[i].mid(flag.size() + 1);
            args.removeAt(i);
            return value;
        }
    }
    return {};
}

// "低", "普通" (or "中"), "高", "紧急", their English names, or 0..3; -1 for anything else.
int ParsePriority(const QString& text)
{
    const QStringList names
        = { QStringLiteral("低"), QStringLiteral("普通"), QStringLiteral("高"), QStringLiteral("紧急") };
    if (const int i = int(names.indexOf(text.trimmed())); i >= 0)
        return i;
    if (text.trimmed() == u"中")
        return tpNormal;
    // The English help names them in English.
    const QStringList english
        = { QStringLiteral("low"), QStringLiteral("normal"), QStringLiteral("high"), QStringLiteral("urgent") };
    if (const int i = int(english.indexOf(text.trimmed().toLower())); i >= 0)
        return i;
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok && n >= tpLow && n <= tpUrgent ? n : -1;
}

TaskCommandResult Add(TaskEngine& engine, QStringList args)
{
    const QStringList names = { QStringLiteral("date"), QStringLiteral("time"), QStringLiteral("category"),
        QStringLiteral("priority"), QStringLiteral("alarm") };
    QString values[5];
    for (int i = 0; i < 5; ++i) {
        bool missing = false;
        values[i] = TakeOption(args, names[i], missing);
        if (missing)
            return Fail(2, QCoreApplication::translate("TaskCommands", "--%1 后面缺少内容").arg(names[i]));
    }
    const QString& category = values[2];
    for (const QString& a : args)
        if (a.startsWith(QLatin1String("--")))
            return Fail(2, QCoreApplication::translate("TaskCommands", "add 不认识的选项：%1").arg(a));
    const QString desc = args.join(QLatin1Char(' '));
    if (desc.trimmed().isEmpty())
        return Fail(2, QCoreApplication::translate("TaskCommands", "请输入任务描述."));
    const int priority = values[3].isNull() ? int(tpNormal) : ParsePriority(values[3]);
    if (priority < 0)
        return Fail(
            2, QCoreApplication::translate("TaskCommands", "优先级应为 低、普通、高、紧急 之一：%1").arg(values[3]));

    DueEntry due = CheckNewTaskDue(values[0].isNull() ? QString() : values[0], values[1]);
    if (due.ok && !values[4].isEmpty()) {
        due = ResolveDueEntry(due.dateText, due.timeText, values[4], CTask(), tsNotStarted, true);
    }
    if (!due.ok)
        return Fail(2, due.message);

    auto task = std::make_shared<CTask>();
    task->dtCreateDT = Clock::Now();
    task->dtStartDT = task->dtCreateDT;
    task->SetDescription(desc);
    task->ePriority = priority;
    task->sType = category.trimmed();
    task->dtDueDT = due.due;
    task->dtAlarmDT = due.alarm;
    task->sManualAlarm = due.manualAlarm;  // Chinese, also when typed in English
    task->sDueDate = due.dateText;
    task->sDueTime = due.timeText;
    task->bAutoMemo = true;  // as the editor's default
    task->SetStatus(tsNotStarted);
    if (!engine.AddTask(task))
        return Fail(1, QCoreApplication::translate("TaskCommands", "任务无法加入列表。"));
    TaskCommandResult r;
    r.changed = true;
    r.out = task->Key() + QLatin1Char('\t') + FormatPattern(task->dtDueDT, QStringLiteral("yyyy-mm-dd hh:nn:ss"))
        + QLatin1Char('\n');
    return r;
}

// The task a KEY names: "T12", "t12" or "12".
TaskPtr FindTask(TaskEngine& engine, const QString& text)
{
    QString key = text.trimmed().toUpper();
    if (!key.startsWith(u'T'))
        key.prepend(u'T');
    bool ok = false;
    const int id = key.mid(1).toInt(&ok);
    if (!ok)
        return nullptr;
    return engine.GetTask(QStringLiteral("T%1").arg(id, 2, 10, QLatin1Char('0')));
}

TaskCommandResult Settle(TaskEngine& engine, const QString& command, const QStringList& args)
{
    const bool postpone = command == u"postpone";
    if (args.size() != (postpone ? 2 : 1))
        return Fail(2,
            postpone ? QCoreApplication::translate(
                "TaskCommands", "用法：tickwell-cli postpone 任务编号 推迟时间，例如 postpone T3 10分钟")
                     : QCoreApplication::translate("TaskCommands", "用法：tickwell-cli %1 任务编号，例如 %1 T3")
                           .arg(command));
    const TaskPtr task = FindTask(engine, args[0]);
    if (!task)
        return Fail(2, QCoreApplication::translate("TaskCommands", "找不到任务：%1").arg(args[0]));
    // A settled task stays settled: finishing or postponing it again would rewrite its history.
    if (!task->IsWaiting() && task->eStatus() != tsDue)
        return Fail(1,
            QCoreApplication::translate("TaskCommands", "任务 %1 的状态是“%2”，不能再更改。")
                .arg(task->Key(), task->StatusStr()));
    TaskStatus status = command == u"done" ? tsFinished : tsCancelled;
    if (postpone) {
        QString err;
        if (!task->SetPostpone(args[1].trimmed(), &err, false))
            return Fail(2, err.isEmpty() ? QCoreApplication::translate("TaskCommands", "任务未推迟。") : err);
        status = tsPostponed;
    }
    engine.SetTaskStatus(task, status, true, true);
    TaskCommandResult r;
    r.changed = true;
    r.out = TaskCommands::ListLine(*task) + QLatin1Char('\n');
    return r;
}

}  // namespace

namespace TaskCommands {

bool Handles(const QString& command)
{
    static const QStringList names = { QStringLiteral("add"), QStringLiteral("done"), QStringLiteral("cancel"),
        QStringLiteral("postpone"), QStringLiteral("list") };
    return names.contains(command);
}

QString ListLine(const CTask& t)
{
    return t.Key() + QLatin1Char('\t') + t.StatusStr() + QLatin1Char('\t') + FormatDateTimeText(t.dtAlarmDT)
        + QLatin1Char('\t') + Column(t.sDueDate) + QLatin1Char('\t') + Column(t.sDueTime) + QLatin1Char('\t')
        + Column(t.Title());
}

TaskCommandResult Run(TaskEngine& engine, const QString& command, const QStringList& args)
{
    if (command == u"add")
        return Add(engine, args);
    if (command == u"list") {
        if (!args.isEmpty())
            return Fail(
                2, QCoreApplication::translate("TaskCommands", "list 不需要参数：%1").arg(args.join(QLatin1Char(' '))));
        TaskCommandResult r;
        for (const TaskPtr& t : engine.Tasks())
            r.out += ListLine(*t) + QLatin1Char('\n');
        return r;
    }
    if (Handles(command))
        return Settle(engine, command, args);
    return Fail(2, QCoreApplication::translate("TaskCommands", "未知命令：%1").arg(command));
}

}  // namespace TaskCommands

namespace TaskRequests {

namespace {

// Two names for one folder (a link, a trailing slash) are the same folder.
QString SameFolder(const QString& folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QFileInfo(folder).absoluteFilePath() : canonical;
}

const QString kPass = QStringLiteral("pass");

}  // namespace

QString Encode(const QString& folder, const QString& command, const QStringList& args)
{
    const QJsonObject o { { QStringLiteral("folder"), SameFolder(folder) }, { QStringLiteral("command"), command },
        { QStringLiteral("args"), QJsonArray::fromStringList(args) } };
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

QString CommandFor(const TaskEngine& engine, const QString& folder, const QString& request, QStringList* args)
{
    const QJsonObject o = QJsonDocument::fromJson(request.toUtf8()).object();
    if (engine.IsReadOnly() || o.value(QStringLiteral("folder")).toString() != SameFolder(folder))
        return {};
    args->clear();
    for (const QJsonValue& v : o.value(QStringLiteral("args")).toArray())
        *args << v.toString();
    return o.value(QStringLiteral("command")).toString();
}

QString EncodeAnswer(const TaskCommandResult& r)
{
    const QJsonObject answer { { QStringLiteral("exit"), r.exitCode }, { QStringLiteral("out"), r.out },
        { QStringLiteral("err"), r.err } };
    return QString::fromUtf8(QJsonDocument(answer).toJson(QJsonDocument::Compact));
}

QString Pass()
{
    return kPass;
}

QString Answer(TaskEngine& engine, const QString& folder, const QString& request)
{
    const QJsonObject o = QJsonDocument::fromJson(request.toUtf8()).object();
    const QString command = o.value(QStringLiteral("command")).toString();
    if (engine.IsReadOnly() || !TaskCommands::Handles(command)
        || o.value(QStringLiteral("folder")).toString() != SameFolder(folder))
        return kPass;
    QStringList args;
    for (const QJsonValue& v : o.value(QStringLiteral("args")).toArray())
        args << v.toString();
    TaskCommandResult r = TaskCommands::Run(engine, command, args);
    if (r.changed && !engine.SaveCfg()) {
        r.err += QCoreApplication::translate("TaskCommands", "程序未能保存数据文件：%1\n").arg(engine.DataFilePath());
        r.exitCode = 1;
    }
    return EncodeAnswer(r);
}

bool Decode(const QString& answer, TaskCommandResult& result)
{
    const QJsonObject o = QJsonDocument::fromJson(answer.toUtf8()).object();
    if (answer == kPass || !o.contains(QStringLiteral("exit")))
        return false;
    result.exitCode = o.value(QStringLiteral("exit")).toInt(1);
    result.out = o.value(QStringLiteral("out")).toString();
    result.err = o.value(QStringLiteral("err")).toString();
    return true;
}

}  // namespace TaskRequests
