// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/AppPaths.h"
#include "engine/TaskEngine.h"
#include "support/TestEnv.h"

#include <QFile>

namespace {

class RecordingView : public ITaskView
{
public:
    void TaskAdded(const TaskPtr&) override { }
    void TaskChanged(const TaskPtr& task) override { changed.push_back(task); }
    void TasksRemoved(const std::vector<TaskPtr>&) override { }
    void TasksReset() override { }
    std::vector<TaskPtr> changed;
};

QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class StatusLog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        engine.SetView(&view);
        task->SetDescription("交周报");
        task->sDueDate = "2011-12-15";
        task->sDueTime = "10:00";
        task->dtStartDT = MakeInstant(2011, 12, 15, 9, 0);
        task->dtDueDT = MakeInstant(2011, 12, 15, 10, 0);
        task->dtAlarmDT = task->dtDueDT;
        engine.AddTask(task);
    }

    ProgramFolderGuard folder;
    ClockGuard clock { 2011, 12, 15, 11, 0 };
    MsgBoxGuard box;
    RecordingView view;
    TaskEngine engine;
    TaskPtr task = std::make_shared<CTask>();
};

TEST_F(StatusLog, LinesAreAppendedWithStampAndCrLf)
{
    engine.Settings().EnableLog = true;
    engine.SetTaskStatus(task, tsFinished, true, true);
    clock.Advance(61);
    engine.WriteLog("two\nlines");
    EXPECT_EQ(QString::fromUtf8(ReadFile(engine.LogFilePath())),
        "[11-12-15 11:00:00] 已完成 - T01, 2011-12-15, 10:00, 未分类, 交周报, 预计用时1小时, 实际用时2小时\r\n"
        "[11-12-15 11:01:01] two lines\r\n");
    ASSERT_EQ(view.changed.size(), 1u);
    EXPECT_EQ(view.changed[0], task);

    // A postponement logs the status name followed directly by the text the user typed.
    ASSERT_TRUE(task->SetPostpone("1小时30分", nullptr, false));
    engine.SetTaskStatus(task, tsPostponed, false, true);
    EXPECT_TRUE(ReadFile(engine.LogFilePath()).contains("] 推迟1小时30分 - T01, "));
}

TEST_F(StatusLog, MemoLinesWithoutTheLogFile)
{
    task->bAutoMemo = true;
    engine.SetTaskStatus(task, tsDue, false, true);
    EXPECT_EQ(task->sMemo, "[11-12-15 11:00:00] 到期");
    task->sMemo = "abc";
    engine.LogTaskStatus(task);
    EXPECT_EQ(task->sMemo, "abc\r\n[11-12-15 11:00:00] 到期");
    task->sMemo = "abc\r\n";
    engine.LogTaskStatus(task);
    EXPECT_EQ(task->sMemo, "abc\r\n[11-12-15 11:00:00] 到期");
    EXPECT_FALSE(QFile::exists(engine.LogFilePath()));
}

TEST_F(StatusLog, UnwritableLogWarnsOnceAndKeepsTheChange)
{
    // The program folder lies under a regular file, so the log can never be created (even as root).
    QFile blocker(folder.file("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    AppPaths::SetDataFolder(folder.file("blocker/app"));
    engine.Settings().EnableLog = true;
    task->bAutoMemo = true;

    engine.SetTaskStatus(task, tsDue, false, true);
    engine.SetTaskStatus(task, tsFinished, false, true);
    engine.WriteLog("more");
    EXPECT_EQ(task->eStatus(), tsFinished);
    EXPECT_EQ(task->sMemo, "[11-12-15 11:00:00] 到期\r\n[11-12-15 11:00:00] 已完成");
    ASSERT_EQ(box->shown.size(), 1u);
    EXPECT_EQ(box->shown[0].icon, MsgIcon::Warning);
    EXPECT_TRUE(box->shown[0].text.contains("blocker/app/tickwell.log"));
    EXPECT_TRUE(box->shown[0].text.contains("无法写入状态日志"));
}

TEST_F(StatusLog, DailyTaskMovesOnAfterLoggingItsOldDates)
{
    engine.Settings().EnableLog = true;
    task->sDueDate = "每天";
    task->SetStatus(tsDue);
    clock.Advance(300);
    engine.SetTaskStatus(task, tsFinished, true, true);

    EXPECT_TRUE(
        QString::fromUtf8(ReadFile(engine.LogFilePath()))
            .startsWith("[11-12-15 11:05:00] 已完成 - T01, 每天, 10:00, 未分类, 交周报, 预计用时1小时, 实际用时2小时"));
    EXPECT_EQ(task->eStatus(), tsNotStarted);
    EXPECT_EQ(task->dtDueDT, MakeInstant(2011, 12, 16, 10, 0));
    EXPECT_EQ(task->dtAlarmDT, MakeInstant(2011, 12, 16, 10, 0));
    EXPECT_EQ(task->dtFinishDT, 0);
    EXPECT_TRUE(box->shown.empty());

    // Without the move-on flag the occurrence just ends.
    engine.SetTaskStatus(task, tsCancelled, false, false);
    EXPECT_EQ(task->eStatus(), tsCancelled);
}

TEST_F(StatusLog, CustomEventTasksAskBeforeGoingOn)
{
    task->SetDescription(":新邮件\r\n/srv/check/mail.html");
    ASSERT_EQ(task->TaskType(), ttUserPage);
    box->answers = { MsgResult::Yes, MsgResult::No };
    engine.SetTaskStatus(task, tsFinished, true, false);
    EXPECT_EQ(task->eStatus(), tsNotStarted);
    EXPECT_EQ(task->dtFinishDT, 0);
    engine.SetTaskStatus(task, tsCancelled, false, false);
    EXPECT_EQ(task->eStatus(), tsCancelled);
    ASSERT_EQ(box->shown.size(), 2u);
    EXPECT_EQ(box->shown[0].text, "继续扫描任务 \":新邮件\" 吗？");
    EXPECT_EQ(box->shown[0].buttons, MsgButtons::YesNo);

    // A recurring command check goes on to its next occurrence unless the answer is No.
    task->SetDescription(":磁盘\r\ntrue");
    task->sDueDate = "每天";
    box->shown.clear();
    box->answers = { MsgResult::No };
    engine.SetTaskStatus(task, tsFinished, true, false);
    EXPECT_EQ(task->eStatus(), tsFinished);
    box->answers = { MsgResult::Yes };
    engine.SetTaskStatus(task, tsFinished, true, false);
    EXPECT_EQ(task->eStatus(), tsNotStarted);
    EXPECT_EQ(task->dtDueDT, MakeInstant(2011, 12, 16, 10, 0));
    EXPECT_EQ(box->shown.size(), 2u);
}
