// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/frmMain.h"
#include "MainWindowFixture.h"
#include "alerts/frmPrompt.h"
#include "base/AppVersion.h"
#include "engine/RunCmd.h"
#include "support/RecordingAutorun.h"
#include "support/RecordingOpener.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QTimer>

namespace {

void WriteFile(const QString& path, const QString& text)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.toUtf8());
}

QString ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// One task saved as due with a command, one waiting far in the future.
const char* kDataFile = R"(<?xml version="1.0" encoding="UTF-8"?>
<tasks ver="100000" types="">
  <task Id="1" DueDT="2011-12-15 09:00:00" CreateDT="2011-12-01 08:00:00" RingType="0" Status="1"
        AlarmDT="2011-12-15 09:00:00" DueDate="2011-12-15" DueTime="9:00:00" UseCmd="true" Cmd="touch again.txt"
        Desc="上次没处理"/>
  <task Id="2" DueDT="2011-12-20 09:00:00" CreateDT="2011-12-01 08:00:00" RingType="0" Status="0"
        AlarmDT="2011-12-20 09:00:00" DueDate="2011-12-20" DueTime="9:00:00" Desc="下周的事"/>
</tasks>
)";

}  // namespace

class MainWindowTest : public WindowTestEnv
{
protected:
    MainWindowTest()
        : WindowTestEnv(QDateTime(QDate(2011, 12, 15), QTime(10, 0), Qt::UTC))
    {
    }
};

TEST_F(MainWindowTest, LoadPromptsTasksSavedAsDueAgainAndStartsTheScan)
{
    WriteFile(DataFile(), QString::fromUtf8(kDataFile));
    frmMain window;
    const MainWindowWiring wiring(window);
    window.Load(nullptr);

    ASSERT_NE(window.PromptIfLoaded(), nullptr);
    EXPECT_EQ(window.PromptIfLoaded()->Count(), 1);
    EXPECT_EQ(window.PromptIfLoaded()->TaskAt(0)->Key(), QStringLiteral("T01"));
    EXPECT_TRUE(m_opener->opened.isEmpty());
    EXPECT_TRUE(window.ScanTimer()->isActive());
    EXPECT_EQ(window.ScanTimer()->interval(), 1000);

    window.show();  // away, the tick leaves the caption alone
    window.Scheduler().Tick();
    EXPECT_EQ(window.windowTitle(), window.BaseTitle() + QStringLiteral(" [2011-12-15 10:00:00]"));
    window.Unload();
}

TEST_F(MainWindowTest, TheCloseBoxMinimisesAndOnlyUnloadSaves)
{
    WriteFile(DataFile(), QString::fromUtf8(kDataFile));
    frmMain window;
    const MainWindowWiring wiring(window);
    window.Load(nullptr);
    window.show();
    ASSERT_NE(window.PromptIfLoaded(), nullptr);
    QFile::remove(DataFile());

    window.close();
    EXPECT_TRUE(window.isMinimized());
    EXPECT_FALSE(window.IsUnloaded());
    EXPECT_FALSE(QFileInfo::exists(DataFile()));

    window.Unload();
    EXPECT_FALSE(window.ScanTimer()->isActive());
    EXPECT_FALSE(window.PromptIfLoaded()->isVisible());
    const QString saved = ReadAll(DataFile());
    EXPECT_TRUE(saved.contains(QStringLiteral("上次没处理")));
    EXPECT_TRUE(saved.contains(QStringLiteral("下周的事")));
    window.close();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(MainWindowTest, LoadMovesAnAutostartEntryToThisProgram)
{
    RecordingAutorun none;
    {
        frmMain window;
        const MainWindowWiring wiring(window);
        window.Load(&none);
        EXPECT_FALSE(window.AutorunOn());
        EXPECT_TRUE(none.calls.isEmpty());
        window.Unload();
    }
    RecordingAutorun moved;
    moved.exec = QStringLiteral("\"/elsewhere/tickwell\" -m");
    frmMain window;
    const MainWindowWiring wiring(window);
    window.Load(&moved);
    EXPECT_TRUE(window.AutorunOn());
    EXPECT_EQ(moved.calls, QList<bool> { true });
    EXPECT_EQ(ExecProgram(moved.exec.value_or(QString())), QCoreApplication::applicationFilePath());
    window.Unload();
}

TEST_F(MainWindowTest, CaptionCarriesTheVersionAndCtrlQQuits)
{
    frmMain window;
    const MainWindowWiring wiring(window);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("晴钟任务提醒 V") + AppVersionText());
    EXPECT_EQ(window.BaseTitle(), window.windowTitle());
    EXPECT_EQ(VersionNumber(),
        AppVersionText().section(u'.', 0, 0).toInt() * 100000 + AppVersionText().section(u'.', 1, 1).toInt() * 1000
            + AppVersionText().section(u'.', 2, 2).toInt());

    auto* quit = window.findChild<QAction*>(QStringLiteral("mnuQuit"));
    ASSERT_NE(quit, nullptr);
    EXPECT_EQ(quit->text(), QStringLiteral("退出(&X)"));
    EXPECT_EQ(quit->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    // The shortcut belongs to the window, so it works while the menu is closed.
    EXPECT_TRUE(window.actions().contains(quit));

    int quits = 0;
    QObject::connect(&window, &frmMain::quitRequested, [&quits] { ++quits; });
    quit->trigger();
    EXPECT_EQ(quits, 1);
}
