// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "editor/frmTask.h"
#include "engine/RunCmd.h"
#include "platform/DryRunPowerManager.h"
#include "power/dlgShutdown.h"
#include "support/RecordingPowerManager.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTimer>

#include <cstdio>

namespace {

class PowerActions : public MainWindowFixture
{
protected:
    PowerActions() { W().Load(nullptr); }

    dlgShutdown& Dlg() { return *W().ShutdownDialog(); }
    QString Timer() { return Dlg().findChild<QLabel*>(QStringLiteral("lblTimer"))->text(); }

    // A task due now whose command is `cmd`.
    void AddDue(const QString& cmd)
    {
        TaskPtr t = Add(QStringLiteral("关机任务"), {}, tsNotStarted, MakeInstant(2012, 6, 3, 12, 0, 0));
        t->sCmd = cmd;
        t->bUseCmd = true;
    }
};

// Without the load of PowerActions: the window's state decides whether a power command is taken.
class PowerWiring : public MainWindowFixture
{
};

// What the dry-run backend printed, read back from its temporary file.
QString Printed(std::FILE* f)
{
    std::fflush(f);
    std::rewind(f);
    QByteArray text;
    char buf[256];
    while (std::fgets(buf, sizeof buf, f))
        text += buf;
    return QString::fromUtf8(text);
}

}  // namespace

TEST_F(PowerActions, TheToolsMenuOpensTheSharedDialog)
{
    QAction* item = Action("mnuShutdown");
    ASSERT_TRUE(item->isEnabled());
    item->trigger();
    EXPECT_TRUE(Dlg().isVisible());
    EXPECT_EQ(dlgShutdown::Shared(), &Dlg());
    EXPECT_FALSE(Dlg().IsCountingDown());
    EXPECT_EQ(Dlg().Command(), QStringLiteral("关机"));
}

// Through the scan, the command runner and the dry-run backend: the action is printed when the countdown
// ends, and not at all when it is cancelled; quitting during a countdown performs nothing either.
TEST_F(PowerActions, ADueTaskWithAPowerCommandCountsDownInTheDialog)
{
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    const FakeGuard<DryRunPowerManager, IPowerManager> dryRun(out);

    AddDue(QStringLiteral("-@关机 3秒"));
    W().Scheduler().Tick();
    ASSERT_TRUE(Dlg().IsCountingDown());
    EXPECT_EQ(Timer(), QStringLiteral("3秒关机"));
    Dlg().findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
    for (int i = 0; i < 5; ++i) {
        m_clock.Advance(1);
        W().Scheduler().Tick();
        Dlg().Tick();
    }
    EXPECT_EQ(Printed(out), QString());

    AddDue(QStringLiteral("@强制关机 3秒"));
    W().Scheduler().Tick();
    ASSERT_TRUE(Dlg().IsCountingDown());
    m_clock.Advance(3);
    Dlg().Tick();
    EXPECT_EQ(Printed(out), QStringLiteral("power-dry-run: 强制关机 (PowerOff, ignoring inhibitors)\n"));
    EXPECT_FALSE(Dlg().isVisible());

    AddDue(QStringLiteral("@重启 3秒"));
    W().Scheduler().Tick();
    ASSERT_TRUE(Dlg().IsCountingDown());
    W().Unload();
    EXPECT_FALSE(Dlg().IsCountingDown());

    std::fclose(out);
}

// The editor's command box reaches the shutdown dialog in its setting mode and takes the command it gives back.
TEST_F(PowerActions, TheEditorsPowerEntrySetsACommandInTheDialog)
{
    Action("mnuAdd")->trigger();
    auto* cmd = W().Editor()->findChild<QComboBox*>(QStringLiteral("cboCmd"));
    auto* items = qobject_cast<QStandardItemModel*>(cmd->model());
    ASSERT_TRUE(items->item(1)->isEnabled());
    QTimer::singleShot(0, [] {
        auto* dlg = qobject_cast<dlgShutdown*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dlg);
        dlg->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
    });
    m_msg->answers = { MsgResult::No, MsgResult::No };  // the two option questions that follow
    Q_EMIT cmd->activated(1);
    EXPECT_EQ(cmd->currentText(), QStringLiteral("@关机"));
    W().Editor()->reject();
}

// A power command counts down only in a loaded window that is joined to the program; before the load, after the
// unload and without the wiring it is refused.
TEST_F(PowerWiring, PowerCommandsReachOnlyALoadedWiredWindow)
{
    const QString cmd = QStringLiteral("@关机 1小时");
    EXPECT_FALSE(RunCmd(cmd, {})) << "before the load";
    W().Load(nullptr);
    EXPECT_TRUE(RunCmd(cmd, {}));
    EXPECT_TRUE(W().ShutdownDialog()->IsCountingDown());
    W().ShutdownDialog()->hide();
    m_wiring.reset();
    EXPECT_FALSE(RunCmd(cmd, {})) << "without the wiring";
    m_wiring = std::make_unique<MainWindowWiring>(W());
    W().Unload();
    EXPECT_FALSE(RunCmd(cmd, {})) << "after the unload";
    EXPECT_FALSE(W().ShutdownDialog()->IsCountingDown());
}
