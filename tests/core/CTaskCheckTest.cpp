// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/TempFiles.h"
#include "core/CTask.h"
#include "core/CheckPage.h"
#include "engine/TaskEngine.h"
#include "support/RecordingLauncher.h"
#include "support/TestEnv.h"

#include <QFileInfo>

namespace {

// Starts or polls the task's check; true when it reported its event.
bool Poll(CTask& task, bool* valid = nullptr, int* rc = nullptr)
{
    bool v = false;
    int code = -1;
    const bool happened = task.CheckUserCmd(v, 0, code);
    if (valid)
        *valid = v;
    if (rc)
        *rc = code;
    return happened;
}

}  // namespace

TEST(CTaskCheck, AScriptExistsOnlyWhileItsCheckRuns)
{
    ProgramFolderGuard folder;
    LauncherGuard launcher;
    CTask task;
    task.SetDescription(QStringLiteral(":两行\r\nx=3\r\nexit $x"));

    EXPECT_FALSE(Poll(task));
    ASSERT_EQ(launcher->started.size(), 1u);
    const QStringList argv = launcher->started[0].argv;
    ASSERT_EQ(argv.size(), 2);
    EXPECT_EQ(argv[0], QStringLiteral("/bin/sh"));
    EXPECT_EQ(launcher->started[0].script, QByteArray("#:两行\nx=3\nexit $x\n"));
    EXPECT_FALSE(Poll(task));  // still running: polled, not started again
    EXPECT_EQ(launcher->started.size(), 1u);
    EXPECT_TRUE(QFileInfo::exists(argv[1]));

    launcher->Finish(0, 3);
    int rc = -1;
    EXPECT_TRUE(Poll(task, nullptr, &rc));
    EXPECT_EQ(rc, 3);
    EXPECT_FALSE(QFileInfo::exists(argv[1]));
    EXPECT_TRUE(RegisteredTempFiles().isEmpty());
}

TEST(CTaskCheck, AForgottenCheckKeepsItsScriptUntilItEnds)
{
    ProgramFolderGuard folder;
    LauncherGuard launcher;
    CTask task;
    task.SetDescription(QStringLiteral(":旧\r\nsleep 60\r\nexit 1"));
    Poll(task);
    const QString script = launcher->started[0].argv[1];
    task.SetDescription(QStringLiteral(":新\r\ntrue\r\nexit 0"));  // the old check is forgotten, not killed
    EXPECT_TRUE(QFileInfo::exists(script));

    launcher->Finish(0, 1);
    Poll(task);  // the next start clears up the checks that have ended meanwhile
    EXPECT_FALSE(QFileInfo::exists(script));
    EXPECT_EQ(RegisteredTempFiles(), QStringList { launcher->started[1].argv[1] });
    launcher->Finish(1, 0);
    EXPECT_FALSE(Poll(task));
    EXPECT_TRUE(RegisteredTempFiles().isEmpty());
}

TEST(CTaskCheck, ACheckThatCannotStartLeavesNothingBehind)
{
    ProgramFolderGuard folder;
    LauncherGuard launcher;
    launcher->startable = false;
    for (const QString& desc : { QStringLiteral(":一行\r\nmissing-program"), QStringLiteral(":两行\r\na\r\nb") }) {
        CTask task;
        task.SetDescription(desc);
        bool valid = true;
        EXPECT_FALSE(Poll(task, &valid));
        EXPECT_FALSE(valid) << desc.toStdString();
        EXPECT_FALSE(task.IsCheckingEvent());
        EXPECT_TRUE(RegisteredTempFiles().isEmpty());
    }
}

namespace {

// Stands in for the page host's window: records what the task asks of it.
struct FakeCheckPage : ICheckPage
{
    struct Log
    {
        QStringList calls;
        std::function<void(const QString&)> fire;
        int alive = 0;
    };
    explicit FakeCheckPage(Log& log)
        : m_log(log)
    {
        ++m_log.alive;
    }
    ~FakeCheckPage() override { --m_log.alive; }
    bool Init(const QString& file) override
    {
        m_log.calls << QStringLiteral("Init ") + file;
        return true;
    }
    bool IsLoaded() const override { return true; }
    void SetDontCloseByUser(bool on) override { m_log.calls << QStringLiteral("DontClose %1").arg(on); }
    void Show(const QString& caption, bool visible) override
    {
        m_log.calls << QStringLiteral("Show %1 %2").arg(caption).arg(visible);
    }
    Log& m_log;
};

}  // namespace

TEST(CTaskCheck, APageCheckLoadsItsPageOnceAndReportsEachEventOnce)
{
    FakeCheckPage::Log log;
    const PageFactoryGuard factory([&log](std::function<void(const QString&)> fire) -> std::unique_ptr<ICheckPage> {
        log.fire = std::move(fire);
        return std::make_unique<FakeCheckPage>(log);
    });
    {
        MsgBoxGuard box;
        TaskEngine engine;
        auto task = std::make_shared<CTask>();
        task->SetDescription(":新邮件\r\nmail.html");
        engine.AddTask(task);
        bool valid = false;
        QString desc;
        EXPECT_FALSE(task->CheckUserEvent(valid, desc));
        EXPECT_FALSE(task->CheckUserEvent(valid, desc));
        EXPECT_EQ(log.calls, (QStringList { "DontClose 1", "Init mail.html", "Show 新邮件 1" }));
        log.fire(QStringLiteral("3 封"));
        EXPECT_TRUE(task->CheckUserEvent(valid, desc));
        EXPECT_EQ(desc, "3 封");
        EXPECT_FALSE(task->CheckUserEvent(valid, desc));
        task->SetStatus(tsPaused);
        log.fire(QStringLiteral("不算"));  // only a waiting task takes note
        task->SetStatus(tsNotStarted);
        EXPECT_FALSE(task->CheckUserEvent(valid, desc));

        // Finishing it and declining to keep watching closes the page; Yes keeps it.
        box->answers = { MsgResult::Yes, MsgResult::No };
        engine.SetTaskStatus(task, tsFinished, true, false);
        EXPECT_EQ(log.alive, 1);
        engine.SetTaskStatus(task, tsFinished, true, false);
        EXPECT_EQ(log.alive, 0);
        EXPECT_EQ(task->eStatus(), tsFinished);
    }
}
