// SPDX-License-Identifier: GPL-3.0-or-later
#include "power/dlgShutdown.h"
#include "support/RecordingPowerManager.h"
#include "support/TestEnv.h"
#include "support/TestText.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

using Calls = std::vector<RecordingPowerManager::Call>;

class ShutdownDialogTest : public ::testing::Test
{
protected:
    template <class T> T* Get(const char* name) { return m_dlg.findChild<T*>(QString::fromLatin1(name)); }
    QString Timer() { return Get<QLabel>("lblTimer")->text(); }
    QComboBox* Delay() { return Get<QComboBox>("cboTimeSpec"); }
    void Click(const char* button) { Get<QPushButton>(button)->click(); }
    // Seconds of the dialog's timer, on the test clock.
    void Seconds(int n)
    {
        for (int i = 0; i < n; ++i) {
            m_clock.Advance(1);
            m_dlg.Tick();
        }
    }

    ClockGuard m_clock { 2012, 6, 3, 12, 0, 0 };
    MsgBoxGuard m_msg;
    PowerManagerGuard m_power;
    dlgShutdown m_dlg;
};

}  // namespace

TEST_F(ShutdownDialogTest, ExecParsesCountsDownAndActsOnce)
{
    struct Case
    {
        const char* cmd;
        bool force;
        int action;
        const char* delay;
        const char* firstTick;
        int seconds;
    } cases[] = {
        { "@强制休眠", true, 1, "30秒", "30秒强制休眠", 30 },
        { "@关机 2小时", false, 0, "2小时", "7200秒关机", 7200 },
        { "提醒后 @重启 1分钟 再说", false, 3, "1分钟", "60秒重启", 60 },
    };
    for (const Case& c : cases) {
        m_power->calls.clear();
        ASSERT_TRUE(m_dlg.ShowAsExec(Q(c.cmd))) << c.cmd;
        EXPECT_TRUE(m_dlg.isVisible() && m_dlg.IsCountingDown());
        EXPECT_EQ(Get<QCheckBox>("chkForce")->isChecked(), c.force) << c.cmd;
        EXPECT_EQ(Get<QListWidget>("lstSel")->currentRow(), c.action) << c.cmd;
        EXPECT_EQ(Delay()->currentText(), Q(c.delay));
        EXPECT_EQ(Timer(), Q(c.firstTick));
        EXPECT_FALSE(Delay()->isEnabled() || Get<QPushButton>("cmdOk")->isEnabled());
        Seconds(c.seconds - 1);
        EXPECT_TRUE(m_power->calls.empty()) << c.cmd;
        Seconds(3);
        EXPECT_EQ(m_power->calls, (Calls { { PowerAction(c.action), c.force } })) << c.cmd;
        EXPECT_FALSE(m_dlg.isVisible());
    }
    EXPECT_EQ(Get<QLabel>("txtDueTime")->text(), Q("(1分钟后)"));
}

TEST_F(ShutdownDialogTest, RefusalsAndBadCommands)
{
    // The system refuses: the reason is shown and the dialog stays open and idle.
    m_power->result = false;
    m_power->failure = Q("CanHibernate error=na");
    ASSERT_TRUE(m_dlg.ShowAsExec(Q("@休眠 1秒")));
    Seconds(1);
    EXPECT_EQ(m_power->calls.size(), 1u);
    ASSERT_EQ(m_msg->shown.size(), 1u);
    EXPECT_EQ(m_msg->shown[0].text, Q("CanHibernate error=na"));
    EXPECT_EQ(m_msg->shown[0].icon, MsgIcon::Warning);
    EXPECT_TRUE(m_dlg.isVisible() && !m_dlg.IsCountingDown());
    EXPECT_EQ(Timer(), Q("..."));
    m_dlg.close();

    // A command that does not parse shows and schedules nothing; an unreadable delay shows the dialog idle.
    EXPECT_FALSE(m_dlg.ShowAsExec(Q("@abc")));
    EXPECT_FALSE(m_dlg.isVisible());
    EXPECT_TRUE(m_dlg.ShowAsExec(Q("@关机 一会儿")));
    EXPECT_FALSE(m_dlg.IsCountingDown());
    EXPECT_EQ(m_msg->shown.back().text, Q("时间设置格式有误,请重新设置."));
}

TEST_F(ShutdownDialogTest, CancelOrEscStopsTheCountdownThenCloses)
{
    for (bool esc : { false, true }) {
        ASSERT_TRUE(m_dlg.ShowAsExec(Q("@关机 3秒")));
        esc ? QTest::keyClick(&m_dlg, Qt::Key_Escape) : Click("cmdCancel");
        EXPECT_TRUE(m_dlg.isVisible() && !m_dlg.IsCountingDown());
        EXPECT_EQ(Timer(), Q("..."));
        EXPECT_EQ(Get<QLabel>("txtDueTime")->text(), Q("(3秒后)"));
        EXPECT_TRUE(Delay()->isEnabled());
        esc ? QTest::keyClick(&m_dlg, Qt::Key_Escape) : Click("cmdCancel");
        EXPECT_FALSE(m_dlg.isVisible());
    }
    Seconds(5);
    EXPECT_TRUE(m_power->calls.empty());
}

TEST_F(ShutdownDialogTest, ExecuteNowAsksFirst)
{
    ASSERT_TRUE(m_dlg.ShowAsExec(Q("@强制重启 1小时")));
    Click("cmdExecuteImmd");  // the scripted answer is No
    EXPECT_EQ(m_msg->shown.back().text, Q("立即执行\"强制重启\"操作吗？"));
    EXPECT_EQ(m_msg->shown.back().buttons, MsgButtons::YesNo);
    EXPECT_TRUE(m_dlg.IsCountingDown());
    EXPECT_TRUE(m_power->calls.empty());

    m_msg->answers.push_back(MsgResult::Yes);
    Click("cmdExecuteImmd");
    EXPECT_EQ(m_power->calls, (Calls { { PowerAction::Restart, true } }));
    EXPECT_FALSE(m_dlg.isVisible());
}

TEST_F(ShutdownDialogTest, ACommandArrivingWhileOpenRestartsTheSameDialog)
{
    ASSERT_TRUE(m_dlg.ShowAsExec(Q("@关机 1小时")));
    Seconds(10);
    ASSERT_TRUE(m_dlg.ShowAsExec(Q("@待机 10秒")));
    EXPECT_EQ(Timer(), Q("10秒待机"));
    Seconds(10);
    EXPECT_EQ(m_power->calls, (Calls { { PowerAction::Standby, false } }));
    EXPECT_EQ(dlgShutdown::Shared(), &m_dlg);
}

TEST_F(ShutdownDialogTest, LeavingTheDelayBoxChecksIt)
{
    struct Case
    {
        const char* typed;
        const char* after;
        bool warned;
    } cases[]
        = { { "90", "90秒", false }, { "2 小时", "2 小时", false }, { "abc", "abc", true }, { "1天", "1天", true } };
    m_dlg.ShowByHand();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_dlg));
    for (const Case& c : cases) {
        m_msg->shown.clear();
        Delay()->setFocus(Qt::TabFocusReason);
        Delay()->setEditText(Q(c.typed));
        Get<QCheckBox>("chkForce")->setFocus(Qt::TabFocusReason);
        QTest::qWait(0);
        EXPECT_EQ(Delay()->currentText(), Q(c.after));
        EXPECT_EQ(!m_msg->shown.empty(), c.warned) << c.typed;
    }
    // 确定 with a bad delay warns once and starts nothing.
    m_msg->shown.clear();
    Click("cmdOk");
    EXPECT_EQ(m_msg->shown.size(), 1u);
    EXPECT_FALSE(m_dlg.IsCountingDown());
}

TEST_F(ShutdownDialogTest, SettingModeReturnsTheCommand)
{
    struct Case
    {
        const char* start;
        const char* delay;  // typed before the button; nullptr: untouched
        const char* button;
        const char* result;
    } cases[] = {
        { "@强制重启", "30秒", "cmdOk", "@强制重启" },
        { "@强制重启", "1分钟", "cmdOk", "@强制重启 1分钟" },
        { "@注销", "120", "cmdOk", "@注销 120秒" },
        { "不是命令", nullptr, "cmdOk", "@关机" },
        { "@强制重启 1分钟", nullptr, "cmdCancel", "" },
    };
    for (const Case& c : cases) {
        bool settingMode = false;
        QTimer::singleShot(0, &m_dlg, [&] {
            settingMode = m_dlg.isModal() && m_dlg.windowTitle() == Q("关机 - 设置")
                && !Get<QPushButton>("cmdExecuteImmd")->isEnabled();
            if (c.delay)
                Delay()->setEditText(Q(c.delay));
            Click(c.button);
        });
        EXPECT_EQ(m_dlg.ShowAsSetting(Q(c.start)), Q(c.result)) << c.start;
        EXPECT_TRUE(settingMode);
        EXPECT_EQ(m_dlg.windowTitle(), Q("关机"));
        EXPECT_TRUE(Get<QPushButton>("cmdExecuteImmd")->isEnabled());
    }

    // Editing while a countdown runs happens in a second dialog; the countdown goes on.
    ASSERT_TRUE(m_dlg.ShowAsExec(Q("@关机 1分钟")));
    QTimer::singleShot(0, &m_dlg, [] {
        if (auto* editor = qobject_cast<dlgShutdown*>(QApplication::activeModalWidget()))
            editor->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
    });
    EXPECT_EQ(m_dlg.ShowAsSetting(Q("@重启 2小时")), Q("@重启 2小时"));
    EXPECT_TRUE(m_dlg.IsCountingDown());
    EXPECT_EQ(m_dlg.Command(), Q("关机"));
    EXPECT_TRUE(m_power->calls.empty());
}
