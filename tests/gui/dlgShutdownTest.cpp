// SPDX-License-Identifier: GPL-3.0-or-later
#include "power/dlgShutdown.h"
#include "support/RecordingPowerManager.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using Call = RecordingPowerManager::Call;

class ShutdownDialogTest : public ::testing::Test
{
protected:
    template <class T> T* Get(const char* name) { return m_dlg.findChild<T*>(QString::fromLatin1(name)); }
    QString Timer() { return Get<QLabel>("lblTimer")->text(); }
    QString DueText() { return Get<QLabel>("txtDueTime")->text(); }
    QComboBox* Delay() { return Get<QComboBox>("cboTimeSpec"); }
    void Click(const char* button) { Get<QPushButton>(button)->click(); }
    // One second of the system's timer, on the test clock.
    void Second(int n = 1)
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

TEST_F(ShutdownDialogTest, ExecParsesTheCommandAndCountsDown)
{
    struct Case
    {
        const char16_t* cmd;
        bool force;
        int action;
        const char16_t* delay;
        const char16_t* firstTick;
    } cases[] = {
        { u"@强制休眠", true, 1, u"30秒", u"30秒强制休眠" },
        { u"@关机 2小时", false, 0, u"2小时", u"7200秒关机" },
        { u"提醒后 @重启 1分钟 再说", false, 3, u"1分钟", u"60秒重启" },
    };
    for (const Case& c : cases) {
        const QString cmd = QString::fromUtf16(c.cmd);
        ASSERT_TRUE(m_dlg.ShowAsExec(cmd)) << qPrintable(cmd);
        EXPECT_TRUE(m_dlg.isVisible());
        EXPECT_TRUE(m_dlg.IsCountingDown());
        EXPECT_EQ(m_dlg.Timer1()->interval(), 1000);
        EXPECT_EQ(Get<QCheckBox>("chkForce")->isChecked(), c.force) << qPrintable(cmd);
        EXPECT_EQ(Get<QListWidget>("lstSel")->currentRow(), c.action) << qPrintable(cmd);
        EXPECT_EQ(Delay()->currentText(), QString::fromUtf16(c.delay)) << qPrintable(cmd);
        EXPECT_EQ(Timer(), QString::fromUtf16(c.firstTick)) << qPrintable(cmd);
        EXPECT_FALSE(Delay()->isEnabled());
        EXPECT_FALSE(Get<QPushButton>("cmdOk")->isEnabled());
        m_dlg.close();
        EXPECT_FALSE(m_dlg.IsCountingDown()) << "closing stops the countdown";
    }
    EXPECT_TRUE(m_power->calls.empty());
}

TEST_F(ShutdownDialogTest, TheActionRunsOnceWhenTheCountdownEnds)
{
    ASSERT_TRUE(m_dlg.ShowAsExec(QStringLiteral("@强制重启 3秒")));
    EXPECT_EQ(DueText(), QStringLiteral("2012-06-03 12:00:03"));
    Second(2);
    EXPECT_EQ(Timer(), QStringLiteral("1秒强制重启"));
    EXPECT_TRUE(m_power->calls.empty());
    Second();
    EXPECT_EQ(m_power->calls, (std::vector<Call> { { PowerAction::Restart, true } }));
    EXPECT_FALSE(m_dlg.isVisible());
    Second(5);
    EXPECT_EQ(m_power->calls.size(), 1u);
}

TEST_F(ShutdownDialogTest, ARefusedActionIsReportedAndTheDialogStaysIdle)
{
    m_power->result = false;
    m_power->failure = QStringLiteral("CanHibernate error=na");
    ASSERT_TRUE(m_dlg.ShowAsExec(QStringLiteral("@休眠 1秒")));
    Second();
    ASSERT_EQ(m_power->calls.size(), 1u);
    ASSERT_EQ(m_msg->shown.size(), 1u);
    EXPECT_EQ(m_msg->shown[0].text, QStringLiteral("CanHibernate error=na"));
    EXPECT_EQ(m_msg->shown[0].icon, MsgIcon::Warning);
    EXPECT_TRUE(m_dlg.isVisible());
    EXPECT_FALSE(m_dlg.IsCountingDown());
    EXPECT_EQ(Timer(), QStringLiteral("..."));
}

TEST_F(ShutdownDialogTest, CommandsThatDoNotParseShowAndScheduleNothing)
{
    for (const QString& cmd : { QStringLiteral("@abc"), QStringLiteral("@强制"), QStringLiteral("shutdown -h") }) {
        EXPECT_FALSE(m_dlg.ShowAsExec(cmd)) << qPrintable(cmd);
        EXPECT_FALSE(m_dlg.isVisible());
        EXPECT_FALSE(m_dlg.IsCountingDown());
    }
    // A command with an unreadable delay shows the dialog idle with the warning.
    EXPECT_TRUE(m_dlg.ShowAsExec(QStringLiteral("@关机 一会儿")));
    EXPECT_FALSE(m_dlg.IsCountingDown());
    EXPECT_EQ(m_msg->shown.back().text, QStringLiteral("时间设置格式有误,请重新设置."));
}

TEST_F(ShutdownDialogTest, CancelStopsTheCountdownThenCloses)
{
    ASSERT_TRUE(m_dlg.ShowAsExec(QStringLiteral("@关机 3秒")));
    Click("cmdCancel");
    EXPECT_TRUE(m_dlg.isVisible());
    EXPECT_FALSE(m_dlg.IsCountingDown());
    EXPECT_EQ(Timer(), QStringLiteral("..."));
    EXPECT_EQ(DueText(), QStringLiteral("(3秒后)"));
    EXPECT_TRUE(Delay()->isEnabled());
    Click("cmdCancel");
    EXPECT_FALSE(m_dlg.isVisible());

    // Esc behaves the same way.
    ASSERT_TRUE(m_dlg.ShowAsExec(QStringLiteral("@关机 3秒")));
    QTest::keyClick(&m_dlg, Qt::Key_Escape);
    EXPECT_TRUE(m_dlg.isVisible());
    EXPECT_FALSE(m_dlg.IsCountingDown());
    Second(5);
    EXPECT_TRUE(m_power->calls.empty());
}

TEST_F(ShutdownDialogTest, ExecuteNowAsksFirst)
{
    ASSERT_TRUE(m_dlg.ShowAsExec(QStringLiteral("@强制重启 1小时")));
    Click("cmdExecuteImmd");  // the scripted answer is No
    EXPECT_EQ(m_msg->shown.back().text, QStringLiteral("立即执行\"强制重启\"操作吗？"));
    EXPECT_EQ(m_msg->shown.back().buttons, MsgButtons::YesNo);
    EXPECT_TRUE(m_dlg.IsCountingDown());
    EXPECT_TRUE(m_power->calls.empty());

    m_msg->answers.push_back(MsgResult::Yes);
    Click("cmdExecuteImmd");
    EXPECT_EQ(m_power->calls, (std::vector<Call> { { PowerAction::Restart, true } }));
    EXPECT_FALSE(m_dlg.isVisible());
}

TEST_F(ShutdownDialogTest, ACommandArrivingWhileOpenRestartsTheSameDialog)
{
    ASSERT_TRUE(m_dlg.ShowAsExec(QStringLiteral("@关机 1小时")));
    Second(10);
    ASSERT_TRUE(m_dlg.ShowAsExec(QStringLiteral("@待机 10秒")));
    EXPECT_EQ(Timer(), QStringLiteral("10秒待机"));
    Second(10);
    EXPECT_EQ(m_power->calls, (std::vector<Call> { { PowerAction::Standby, false } }));
    EXPECT_EQ(dlgShutdown::Shared(), &m_dlg);
}

TEST_F(ShutdownDialogTest, LeavingTheDelayBoxChecksIt)
{
    struct Case
    {
        const char16_t* typed;
        const char16_t* after;
        bool warned;
    } cases[] = {
        { u"90", u"90秒", false },
        { u"2 小时", u"2 小时", false },
        { u"abc", u"abc", true },
        { u"1天", u"1天", true },
    };
    m_dlg.ShowByHand();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_dlg));
    for (const Case& c : cases) {
        m_msg->shown.clear();
        Delay()->setEditText(QString::fromUtf16(c.typed));
        EXPECT_EQ(DueText(), u"(" + QString::fromUtf16(c.typed) + u"后)");
        Delay()->setFocus(Qt::TabFocusReason);
        Get<QCheckBox>("chkForce")->setFocus(Qt::TabFocusReason);
        QTest::qWait(0);
        EXPECT_EQ(Delay()->currentText(), QString::fromUtf16(c.after));
        EXPECT_EQ(!m_msg->shown.empty(), c.warned) << qPrintable(QString::fromUtf16(c.typed));
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
        const char16_t* start;
        const char16_t* delay;
        const char* button;
        const char16_t* result;
    } cases[] = {
        { u"@强制重启", u"30秒", "cmdOk", u"@强制重启" },
        { u"@强制重启", u"1分钟", "cmdOk", u"@强制重启 1分钟" },
        { u"@关机 2小时", nullptr, "cmdOk", u"@关机 2小时" },
        { u"@注销", u"120", "cmdOk", u"@注销 120秒" },
        { u"不是命令", nullptr, "cmdOk", u"@关机" },
        { u"@强制重启 1分钟", nullptr, "cmdCancel", u"" },
    };
    for (const Case& c : cases) {
        bool checked = false;
        QTimer::singleShot(0, &m_dlg, [&] {
            checked = m_dlg.isModal() && m_dlg.SettingMode() && m_dlg.windowTitle() == QStringLiteral("关机 - 设置")
                && !Get<QPushButton>("cmdExecuteImmd")->isEnabled();
            if (c.delay)
                Delay()->setEditText(QString::fromUtf16(c.delay));
            Click(c.button);
        });
        EXPECT_EQ(m_dlg.ShowAsSetting(QString::fromUtf16(c.start)), QString::fromUtf16(c.result))
            << qPrintable(QString::fromUtf16(c.start));
        EXPECT_TRUE(checked);
        EXPECT_FALSE(m_dlg.SettingMode());
        EXPECT_EQ(m_dlg.windowTitle(), QStringLiteral("关机"));
        EXPECT_TRUE(Get<QPushButton>("cmdExecuteImmd")->isEnabled());
    }
    EXPECT_TRUE(m_power->calls.empty());
}

TEST_F(ShutdownDialogTest, EditingACommandLeavesARunningCountdownAlone)
{
    ASSERT_TRUE(m_dlg.ShowAsExec(QStringLiteral("@关机 1分钟")));
    QTimer::singleShot(0, &m_dlg, [] {
        auto* editor = qobject_cast<dlgShutdown*>(QApplication::activeModalWidget());
        ASSERT_NE(editor, nullptr);
        editor->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
    });
    EXPECT_EQ(m_dlg.ShowAsSetting(QStringLiteral("@重启 2小时")), QStringLiteral("@重启 2小时"));
    EXPECT_TRUE(m_dlg.IsCountingDown());
    EXPECT_EQ(m_dlg.Command(), QStringLiteral("关机"));
    EXPECT_EQ(dlgShutdown::Shared(), &m_dlg);
}
