#include "model/CTask.h"
#include "model/TempFiles.h"
#include "support/TestEnv.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

TEST(CTask, KeyAndDisplayNames)
{
    CTask t;
    t.ID = 7;
    EXPECT_EQ(t.Key(), "T07");
    t.ID = 123;
    EXPECT_EQ(t.Key(), "T123");
    t.ID = 40000;  // numbers go on past 16 bits
    EXPECT_EQ(t.Key(), "T40000");
    EXPECT_EQ(TaskStatusName(tsPostponed), "推迟");
    EXPECT_EQ(TaskStatusName(tsExpired), "已失效");
    EXPECT_EQ(TaskStatusName(9), QString());
    EXPECT_EQ(TaskStatusName(-1), QString());
    EXPECT_EQ(TaskPriorityName(3), "紧急");
    EXPECT_EQ(TaskStatusColor(tsDue), 0x0000FFu);
    EXPECT_EQ(TaskStatusColor(tsPaused), 0x00B0B0u);
    for (int s = 0; s < kTaskStatusCount; ++s)
        EXPECT_EQ(IsWaitingStatus(s), s == 0 || s == 3 || s == 7) << s;
}

TEST(CTask, StatusChangesStampAndClearFinishTime)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    CTask t;
    t.SetStatus(tsFinished);
    EXPECT_EQ(t.dtFinishDT, MakeInstant(2011, 12, 15, 11, 0));
    EXPECT_EQ(t.StatusStr(), "已完成");

    t.SetStatus(tsNotStarted);
    EXPECT_EQ(t.dtFinishDT, 0);

    t.SetStatus(tsDue);
    clock.Advance(60);
    t.SetStatus(tsCancelled);  // not waiting to not waiting: unchanged
    EXPECT_EQ(t.dtFinishDT, MakeInstant(2011, 12, 15, 11, 0));

    t.SetStatus(tsPostponed);
    t.SetStatus(tsOngoing);  // waiting to waiting: unchanged
    EXPECT_EQ(t.dtFinishDT, 0);
}

TEST(CTask, TitleCutsAtTwentyCharacters)
{
    CTask t;
    t.SetDescription(QString(19, QChar(0x4E00)));
    EXPECT_EQ(t.Title(), QString(19, QChar(0x4E00)));
    t.SetDescription(QString(20, 'a'));
    EXPECT_EQ(t.Title(), QString(20, 'a') + "...");
    t.SetDescription("first\r\nsecond\nthird");
    EXPECT_EQ(t.Title(), "first second third");
    EXPECT_EQ(t.TaskType(), ttNormal);
    // A character outside the basic plane is not cut in half.
    t.SetDescription(QString(19, 'a') + QStringLiteral("\U0001F600xyz"));
    EXPECT_EQ(t.Title(), QString(19, 'a') + QStringLiteral("\U0001F600..."));
}

TEST(CTask, OneCheckLineRunsThroughTheShell)
{
    CTask t;
    t.SetDescription(":磁盘满了\r\n: a remark\r\n   \r\ntest $(df --output=pcent / | tail -1 | tr -dc 0-9) -gt 90");
    EXPECT_EQ(t.TaskType(), ttUserCmd);
    EXPECT_EQ(t.Title(), ":磁盘满了");
    EXPECT_EQ(t.UserEventTitle(), "磁盘满了");
    EXPECT_EQ(t.UserEventArgv(),
        QStringList({ "/bin/sh", "-c", "test $(df --output=pcent / | tail -1 | tr -dc 0-9) -gt 90" }));
    EXPECT_TRUE(t.IsUserEvent());
    EXPECT_FALSE(t.IsUserEvent("plain"));

    // Quotes in the line survive the display form as one shell word.
    t.SetDescription(":q\necho 'it''s'");
    EXPECT_EQ(t.UserEventCmd(), "/bin/sh -c 'echo '\\''it'\\'''\\''s'\\'''");
    QProcess sh;
    sh.start("/bin/sh", { "-c", "printf %s " + t.UserEventCmd().mid(QStringLiteral("/bin/sh -c ").size()) });
    ASSERT_TRUE(sh.waitForFinished(5000));
    EXPECT_EQ(sh.readAllStandardOutput(), "echo 'it''s'");

    // A title line alone: a custom event with nothing to run.
    t.SetDescription(":only a title");
    EXPECT_EQ(t.TaskType(), ttUserCmd);
    EXPECT_TRUE(t.UserEventCmd().isEmpty());
    EXPECT_TRUE(t.UserEventArgv().isEmpty());

    // Assigning a normal text forgets the event.
    t.SetDescription("normal");
    EXPECT_EQ(t.TaskType(), ttNormal);
    EXPECT_TRUE(t.UserEventTitle().isEmpty());
    EXPECT_TRUE(t.UserEventArgv().isEmpty());
}

TEST(CTask, SeveralCheckLinesBecomeOneScript)
{
    ProgramFolderGuard folder;
    CTask t;
    t.SetDescription(":two lines\r\n:remark\r\nx=3\r\nexit $x");
    EXPECT_EQ(t.TaskType(), ttUserCmd);
    const QStringList argv = t.UserEventArgv();
    ASSERT_EQ(argv.size(), 2);
    EXPECT_EQ(argv[0], "/bin/sh");
    const QFileInfo script(argv[1]);
    EXPECT_TRUE(script.fileName().startsWith(kTempFilePrefix));
    EXPECT_EQ(script.suffix(), "sh");
    QFile f(argv[1]);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "#:two lines\n#:remark\nx=3\nexit $x\n");

    // The script really runs: its exit code is what the check reads.
    EXPECT_EQ(QProcess::execute(argv[0], argv.mid(1)), 3);
    DeleteTempFiles();
}

TEST(CTask, PageLineMakesAPageCheck)
{
    CTask t;
    t.SetDescription(":watch\r\n/srv/pages/Watch.HTML");
    EXPECT_EQ(t.TaskType(), ttUserPage);
    EXPECT_EQ(t.UserEventCmd(), "/srv/pages/Watch.HTML");
    EXPECT_TRUE(t.UserEventArgv().isEmpty());
    // A page after a command line is a second command line: a script, not a page.
    ProgramFolderGuard folder;
    t.SetDescription(":x\r\ntrue\r\npage.htm");
    EXPECT_EQ(t.TaskType(), ttUserCmd);
    EXPECT_TRUE(t.UserEventCmd().endsWith(".sh'"));
    DeleteTempFiles();
}

TEST(CTask, SpansAndSummary)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    CTask t;
    t.ID = 5;
    t.sDueDate = "明天";
    t.sDueTime = "10:00";
    t.SetDescription("写报告");
    t.dtStartDT = MakeInstant(2011, 12, 15, 10, 0);
    t.dtDueDT = MakeInstant(2011, 12, 16, 10, 0);
    t.dtAlarmDT = MakeInstant(2011, 12, 15, 11, 0, 59);
    EXPECT_EQ(t.RemainTime(), "59秒");
    EXPECT_EQ(t.SpentTime(), "1小时");
    EXPECT_EQ(t.PlanedTime(), "24小时");
    EXPECT_DOUBLE_EQ(t.PlanedTimeDbl(), 1.0);
    EXPECT_EQ(t.ToStr(), "T05, 明天, 10:00, 未分类, 写报告, 预计用时24小时, 实际用时1小时");

    t.sType = "工作";
    t.SetStatus(tsFinished);
    clock.Advance(3600);
    EXPECT_EQ(t.RemainTime(), "--");
    EXPECT_EQ(t.SpentTime(), "1小时");  // stops at the finish time
    EXPECT_TRUE(t.ToStr().contains(", 工作, "));

    t.dtDueDT = MakeInstant(2011, 12, 15, 9, 0);  // before the start
    EXPECT_EQ(t.PlanedTime(), "--");
    t.dtStartDT = 0;  // never started: no span rather than a century
    EXPECT_EQ(t.SpentTime(), "--");
    EXPECT_EQ(t.PlanedTime(), "--");
}
