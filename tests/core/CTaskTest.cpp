// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/CTask.h"
#include "base/TempFiles.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

TEST(CTask, StatusChangesStampAndClearFinishTime)
{
    ClockGuard clock(2011, 12, 15, 11, 0);
    CTask t;
    t.SetStatus(tsFinished);
    EXPECT_EQ(t.dtFinishDT, MakeInstant(2011, 12, 15, 11, 0));
    t.SetStatus(tsNotStarted);
    EXPECT_EQ(t.dtFinishDT, 0);
    t.SetStatus(tsDue);
    clock.Advance(60);
    t.SetStatus(tsCancelled);  // not waiting to not waiting: unchanged
    EXPECT_EQ(t.dtFinishDT, MakeInstant(2011, 12, 15, 11, 0));
    EXPECT_EQ(TaskStatusName(9), QString());
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
    // A character outside the basic plane is not cut in half.
    t.SetDescription(QString(19, 'a') + QStringLiteral("\U0001F600xyz"));
    EXPECT_EQ(t.Title(), QString(19, 'a') + QStringLiteral("\U0001F600..."));
    // Line breaks as files written by hand hold them: only a CR that ends a line belongs to the break.
    const char* const cases[][2] = { { "a\rb", "a\rb" }, { "a\r\r\nb", "a\r b" }, { "ab\r", "ab" }, { "\n", " " },
        { ":check\r\necho", ":check" }, { ":check\r", ":check" }, { "", "" },
        { "aaaaaaaaaaaaaaaaaaa\nb", "aaaaaaaaaaaaaaaaaaa ..." } };
    for (const auto& [description, title] : cases) {
        t.SetDescription(QString::fromUtf8(description));
        EXPECT_EQ(t.Title(), QString::fromUtf8(title)) << description;
    }
    // Only the start of a long text counts.
    t.SetDescription(QString(40, 'x').repeated(1000));
    EXPECT_EQ(t.Title(), QString(20, 'x') + "...");
    QString smileys;
    for (int i = 0; i < 30; ++i)
        smileys += QStringLiteral("\U0001F600");
    t.SetDescription(smileys);
    EXPECT_EQ(t.Title(), smileys.left(40) + "...");
}

TEST(CTask, OneCheckLineRunsThroughTheShellUnchanged)
{
    CTask t;
    t.SetDescription(":磁盘满了\r\n: a remark\r\n   \r\necho 'it''s' $HOME");
    EXPECT_EQ(t.TaskType(), ttUserCmd);
    EXPECT_EQ(t.Title(), ":磁盘满了");
    EXPECT_EQ(t.UserEventTitle(), "磁盘满了");
    EXPECT_EQ(t.UserEventArgv(), QStringList({ "/bin/sh", "-c", "echo 'it''s' $HOME" }));
    // The display form quotes the line as one shell word, whatever quotes it holds.
    QProcess sh;
    sh.start("/bin/sh", { "-c", "printf %s " + t.UserEventCmd().mid(QStringLiteral("/bin/sh -c ").size()) });
    ASSERT_TRUE(sh.waitForFinished(5000));
    EXPECT_EQ(sh.readAllStandardOutput(), "echo 'it''s' $HOME");

    t.SetDescription(":only a title");
    EXPECT_EQ(t.TaskType(), ttUserCmd);
    EXPECT_TRUE(t.UserEventArgv().isEmpty());
    t.SetDescription("normal");
    EXPECT_EQ(t.TaskType(), ttNormal);
    EXPECT_TRUE(t.UserEventTitle().isEmpty());
}

TEST(CTask, SeveralCheckLinesBecomeOneScriptWrittenOnlyWhenTheCheckStarts)
{
    ProgramFolderGuard folder;
    CTask t;
    t.SetDescription(QStringLiteral(":two lines\r\n:remark\r\nx=3\r\nexit $x"));
    EXPECT_EQ(t.UserEventScript(), QStringLiteral("#:two lines\n#:remark\nx=3\nexit $x"));
    EXPECT_TRUE(t.UserEventArgv().isEmpty());
    // Reading a task (tickwell-cli list reads thousands) leaves no file behind.
    EXPECT_TRUE(RegisteredTempFiles().isEmpty());
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());

    t.SetDescription(QStringLiteral(":watch\r\n/srv/pages/Watch.HTML"));
    EXPECT_EQ(t.TaskType(), ttUserPage);
    EXPECT_EQ(t.UserEventCmd(), QStringLiteral("/srv/pages/Watch.HTML"));
    EXPECT_TRUE(t.UserEventScript().isEmpty());
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
    EXPECT_EQ(t.ToStr(), "T05, 明天, 10:00, 未分类, 写报告, 预计用时24小时, 实际用时1小时");

    t.SetStatus(tsFinished);
    clock.Advance(3600);
    EXPECT_EQ(t.RemainTime(), "--");
    EXPECT_EQ(t.SpentTime(), "1小时");  // stops at the finish time
    t.dtDueDT = MakeInstant(2011, 12, 15, 9, 0);  // before the start
    EXPECT_EQ(t.PlanedTime(), "--");
    t.dtStartDT = 0;  // never started: no span rather than a century
    EXPECT_EQ(t.SpentTime(), "--");
}
