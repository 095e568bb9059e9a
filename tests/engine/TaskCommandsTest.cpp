// SPDX-License-Identifier: GPL-3.0-or-later
// The task commands of tickwell-cli on an engine, and the checks of due texts they share with the editor.
#include "engine/TaskCommands.h"
#include "core/DueEntry.h"
#include "engine/TaskEngine.h"
#include "support/TestEnv.h"
#include "timerules/TimeExpr.h"

TEST(TaskCommands, DueTextsAreReadAsTheEditorReadsThem)
{
    ClockGuard clock(2012, 6, 4, 9, 30, 0);
    const struct
    {
        const char* date;
        const char* time;
        const char* dueDate;  // what the task stores, or the message when refused
        const char* dueTime;
    } cases[] = {
        { "", "", "2012-06-04", "9:40:00" },  // the editor's defaults: today, ten minutes from now
        { "明天", "10", "2012-06-05", "10:00:00" },
        { "12", "18:30", "2012-06-12", "18:30:00" },
        { "", "2小时后", "2012-06-04", "11:30:00" },  // relative times are frozen when written
        { "每周135", "7:30", "每周135", "7:30:00" },
        { "13月", "", "请填写正确的日期", nullptr },
        { "", "25:99", "请填写正确的时间!", nullptr },
        { "2012-06-01", "10:00", "提醒时间在当前时间之前,请重新设置.", nullptr },
    };
    for (const auto& c : cases) {
        const DueEntry e = CheckNewTaskDue(QString::fromUtf8(c.date), QString::fromUtf8(c.time));
        SCOPED_TRACE(std::string(c.date) + " / " + c.time);
        if (c.dueTime) {
            EXPECT_TRUE(e.ok) << e.message.toStdString();
            EXPECT_EQ(e.dateText, QString::fromUtf8(c.dueDate));
            EXPECT_EQ(e.timeText, QString::fromUtf8(c.dueTime));
        } else {
            EXPECT_FALSE(e.ok);
            EXPECT_EQ(e.message, QString::fromUtf8(c.dueDate));
        }
    }
}

TEST(TaskCommands, CommandsChangeTasksThroughTheEngineAndRefuseBadInput)
{
    ClockGuard clock(2012, 6, 4, 9, 30, 0);
    ProgramFolderGuard folder;
    TaskEngine engine;
    TaskCommandResult r = TaskCommands::Run(engine, QStringLiteral("add"),
        { QStringLiteral("写"), QStringLiteral("周报"), QStringLiteral("--date=明天"), QStringLiteral("--time"),
            QStringLiteral("10:00"), QStringLiteral("--category"), QStringLiteral("工作"), QStringLiteral("--priority"),
            QStringLiteral("紧急") });
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "T01\t2012-06-05 10:00:00\n");
    EXPECT_TRUE(r.changed);
    const TaskPtr task = engine.GetTask(QStringLiteral("T01"));
    ASSERT_TRUE(task);
    EXPECT_EQ(task->Title(), "写 周报");
    EXPECT_EQ(task->sType, "工作");
    EXPECT_EQ(task->ePriority, int(tpUrgent));

    const struct
    {
        QStringList args;
        int exitCode;
        const char* err;
    } refused[] = {
        { { "add", "x", "--priority", "很高" }, 2, "优先级" },
        { { "add", "--time", "10:00" }, 2, "请输入任务描述." },
        { { "add", "x", "--alarm", "提前一会儿" }, 2, "" },
        { { "done", "T09" }, 2, "找不到任务：T09" },
        { { "postpone", "1", "过一阵" }, 2, "" },
        { { "frob" }, 2, "未知命令" },
    };
    for (const auto& c : refused) {
        const TaskCommandResult bad = TaskCommands::Run(engine, c.args.first(), c.args.mid(1));
        EXPECT_EQ(bad.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_TRUE(bad.err.contains(QString::fromUtf8(c.err))) << bad.err.toStdString();
        EXPECT_FALSE(bad.changed);
    }
    EXPECT_EQ(engine.Tasks().Count(), 1);
    EXPECT_EQ(task->eStatus(), tsNotStarted);

    r = TaskCommands::Run(engine, QStringLiteral("postpone"), { QStringLiteral("t1"), QStringLiteral("30分钟") });
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(task->eStatus(), tsPostponed);
    EXPECT_EQ(task->dtAlarmDT, MakeInstant(2012, 6, 4, 10, 0, 0));
    r = TaskCommands::Run(engine, QStringLiteral("done"), { QStringLiteral("1") });
    EXPECT_EQ(task->eStatus(), tsFinished);
    // Settled stays settled.
    r = TaskCommands::Run(engine, QStringLiteral("cancel"), { QStringLiteral("T01") });
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(task->eStatus(), tsFinished);
    r = TaskCommands::Run(engine, QStringLiteral("list"), {});
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("T01\t已完成\t"))) << r.out.toStdString();
}
