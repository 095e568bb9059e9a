// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/TempFiles.h"
#include "core/CTask.h"
#include "support/TestEnv.h"
#include "support/Wait.h"

#include <QFileInfo>

TEST(CheckCommand, ReportsRunningThenTheExitCode)
{
    CTask task;
    task.SetDescription(QStringLiteral(":退出码\r\nsleep 0.3; exit 3"));
    bool valid = false;
    int rc = -1;
    EXPECT_FALSE(task.CheckUserCmd(valid, 5, rc));
    EXPECT_TRUE(valid);
    EXPECT_TRUE(task.IsCheckingEvent());
    EXPECT_EQ(rc, -1);  // untouched while it runs

    EXPECT_TRUE(task.CheckUserCmd(valid, 5000, rc));
    EXPECT_EQ(rc, 3);
    EXPECT_FALSE(task.IsCheckingEvent());

    // Normal tasks and a title without command lines have nothing to run.
    CTask normal;
    normal.SetDescription(QStringLiteral("普通"));
    EXPECT_FALSE(normal.CheckUserCmd(valid, 5, rc));
    EXPECT_TRUE(valid);
    CTask titleOnly;
    titleOnly.SetDescription(QStringLiteral(":只有标题"));
    EXPECT_FALSE(titleOnly.CheckUserCmd(valid, 5, rc));
    EXPECT_TRUE(valid);
    EXPECT_FALSE(titleOnly.IsCheckingEvent());
}

TEST(CheckCommand, AForgottenCheckIsNeverKilled)
{
    QTemporaryDir dir;
    const QString edited = dir.filePath(QStringLiteral("edited"));
    const QString deleted = dir.filePath(QStringLiteral("deleted"));
    bool valid = true;
    int rc = -1;

    CTask task;
    task.SetDescription(QStringLiteral(":改描述\r\nsleep 0.5; touch '%1'").arg(edited));
    EXPECT_FALSE(task.CheckUserCmd(valid, 5, rc));
    ASSERT_TRUE(task.IsCheckingEvent());
    task.SetDescription(task.sDescription());  // the same text: the check goes on being polled
    EXPECT_TRUE(task.IsCheckingEvent());
    task.SetDescription(task.sDescription() + QStringLiteral("\r\n:备注"));  // forgotten, its process keeps running
    EXPECT_FALSE(task.IsCheckingEvent());

    {
        auto gone = std::make_unique<CTask>();
        gone->SetDescription(QStringLiteral(":删除任务\r\nsleep 0.5; touch '%1'").arg(deleted));
        EXPECT_FALSE(gone->CheckUserCmd(valid, 5, rc));
    }

    EXPECT_TRUE(WaitForFile(edited, 5000));
    EXPECT_TRUE(WaitForFile(deleted, 5000));
}

TEST(CheckCommand, AMultiLineCheckRunsAsOneScript)
{
    ProgramFolderGuard folder;
    CTask task;
    task.SetDescription(QStringLiteral(":两行\r\n: 备注\r\nx=4\r\nexit $((x + 1))"));
    bool valid = false;
    int rc = -1;
    EXPECT_TRUE(task.CheckUserCmd(valid, 5000, rc));
    EXPECT_TRUE(valid);
    EXPECT_EQ(rc, 5);
    EXPECT_TRUE(RegisteredTempFiles().isEmpty());  // the script went with the check
}
