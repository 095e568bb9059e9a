// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/SysTray.h"
#include "MainWindowFixture.h"
#include "support/RecordingNotifier.h"

#include <QMenu>
#include <QProcess>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>

namespace {

class SysTrayTest : public MainWindowFixture
{
protected:
    NotifierGuard m_notifier;
};

// On a real X server (scripts/xvfb-test.sh): skipped in the ordinary offscreen run.
bool OnTrayTestServer()
{
    return qEnvironmentVariableIsSet("TW_TRAY_HOST");
}

bool Xdo(const QStringList& args)
{
    return QProcess::execute(QStringLiteral("xdotool"), args) == 0;
}

void ClickIcon(QSystemTrayIcon* icon, int button)
{
    const QPoint c = icon->geometry().center();
    ASSERT_TRUE(Xdo({ QStringLiteral("mousemove"), QString::number(c.x()), QString::number(c.y()),
        QStringLiteral("click"), QString::number(button) }));
}

}  // namespace

// Offscreen there is no tray host: the window never hides where nobody could get it back, and balloons become
// desktop notifications.
TEST_F(SysTrayTest, WithoutATrayHostTheWindowMinimisesAndBalloonsBecomeNotifications)
{
    ASSERT_FALSE(SysTray::HostAvailable());
    W().Load(nullptr);
    EXPECT_TRUE(W().Tray()->IsAdded());
    EXPECT_EQ(W().Tray()->Tip(), W().TrayTip());
    EXPECT_EQ(m_notifier->shown, QStringList { Q("晴钟任务提醒|") + W().TrayTip() }) << "the start-up balloon";

    W().show();
    W().SysTray_Notify();
    EXPECT_TRUE(W().isVisible());
    EXPECT_TRUE(W().isMinimized());
    W().SysTray_Notify();
    EXPECT_FALSE(W().isMinimized());
    W().showMinimized();
    QTest::qWait(10);
    EXPECT_TRUE(W().isVisible()) << "minimised, not hidden";

    // A new task while minimised is announced; the balloon of each run's start is shown once only.
    Add(Q("a"));
    ASSERT_EQ(m_notifier->shown.size(), 2);
    EXPECT_TRUE(m_notifier->shown.back().endsWith(Q("共1项,等待中1项.")));
    W().Tray()->AddTrayIcon(W().TrayMenu(), Q("x"), Q("."));
    EXPECT_EQ(m_notifier->shown.size(), 2);
    W().Unload();
    EXPECT_FALSE(W().Tray()->IsAdded());
}

TEST_F(SysTrayTest, TrayMenuRepeatsMainMenuCommands)
{
    W().Load(nullptr);
    QMenu* menu = W().TrayMenu();
    ASSERT_EQ(menu->objectName(), Q("mnuTray"));
    const struct
    {
        const char* item;
        const char* same;
    } rows[] = { { "mnuNewTask", "mnuAdd" }, { "mnuCalendar2", "mnuCalendar" }, { "mnuHomePage2", "mnuHomePage" } };
    for (const auto& r : rows) {
        QAction* item = Action(r.item);
        QAction* same = Action(r.same);
        ASSERT_TRUE(item && same) << r.item;
        Q_EMIT menu->aboutToShow();
        EXPECT_EQ(item->isEnabled(), same->isEnabled()) << r.item;
        QSignalSpy spy(same, &QAction::triggered);
        if (item->isEnabled()) {
            item->trigger();
            EXPECT_EQ(spy.count(), 1) << r.item;
        }
    }
    QSignalSpy quit(&W(), &frmMain::quitRequested);
    Action("mnuTrayExit")->trigger();
    EXPECT_EQ(quit.count(), 1);
    W().Unload();
}

// A real tray host (trayer, XEmbed) on a private X server: the icon, its tip, clicks, the menu and the host's restart.
TEST_F(SysTrayTest, TrayHostIconTipClicksMenuAndRestart)
{
    if (!OnTrayTestServer())
        GTEST_SKIP() << "needs scripts/xvfb-test.sh";
    auto startHost = [](QProcess& p) {
        p.start(QStringLiteral("trayer"),
            { QStringLiteral("--edge"), QStringLiteral("bottom"), QStringLiteral("--width"), QStringLiteral("10") });
        return p.waitForStarted(5000) && QTest::qWaitFor([] { return SysTray::HostAvailable(); }, 10000);
    };
    QProcess host;
    ASSERT_TRUE(startHost(host));
    W().Load(nullptr);
    W().setGeometry(100, 100, 400, 300);  // clear of the tray at the bottom edge
    W().show();
    QSystemTrayIcon* icon = W().Tray()->Icon();
    ASSERT_TRUE(icon);
    ASSERT_TRUE(QTest::qWaitFor([icon] { return icon->geometry().y() > 0; }, 10000)) << "icon embedded";
    EXPECT_EQ(icon->toolTip(), W().TrayTip());
    EXPECT_TRUE(m_notifier->shown.isEmpty()) << "with a tray the balloon is the tray's own";

    ClickIcon(icon, 1);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !W().isVisible(); }, 5000)) << "a click hides a shown window";
    ClickIcon(icon, 1);
    EXPECT_TRUE(QTest::qWaitFor([this] { return W().isVisible() && !W().isMinimized(); }, 5000));
    W().showMinimized();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !W().isVisible(); }, 5000)) << "minimising hides to the tray";
    W().RestoreFromTray();

    ClickIcon(icon, 3);
    EXPECT_TRUE(QTest::qWaitFor([this] { return W().TrayMenu()->isVisible(); }, 5000)) << "right click: the menu";
    W().TrayMenu()->hide();

    // The host restarts: the icon comes back and its tip is shown once as a balloon.
    QSignalSpy balloons(W().Tray(), &SysTray::balloonShown);
    host.kill();
    host.waitForFinished(5000);
    ASSERT_TRUE(QTest::qWaitFor([] { return !SysTray::HostAvailable(); }, 10000));
    W().Tray()->CheckHost();
    QProcess host2;
    ASSERT_TRUE(startHost(host2));
    W().Tray()->CheckHost();
    ASSERT_EQ(balloons.count(), 1);
    EXPECT_EQ(balloons.at(0).at(0).toString(), W().TrayTip());
    EXPECT_TRUE(balloons.at(0).at(1).toBool());
    EXPECT_TRUE(QTest::qWaitFor([icon] { return icon->geometry().y() > 0; }, 10000)) << "embedded again";
    W().Unload();
    host2.kill();
    host2.waitForFinished(5000);
}

// No tray host but a notification server on the session bus: the balloon reaches it over D-Bus.
TEST_F(SysTrayTest, NoTrayHostBalloonReachesTheNotificationServer)
{
    if (!OnTrayTestServer())
        GTEST_SKIP() << "needs scripts/xvfb-test.sh";
    ASSERT_TRUE(QTest::qWaitFor([] { return !SysTray::HostAvailable(); }, 10000));
    QTemporaryDir dir;
    const QString log = dir.filePath(Q("notify.log"));
    QProcess server;
    server.start(QStringLiteral("/usr/bin/python3"),
        { Q("-m"), Q("dbusmock"), Q("--template"), Q("notification_daemon"), Q("-l"), log });
    ASSERT_TRUE(server.waitForStarted(5000));
    const Slot<IDesktopNotifier>::Guard real(MakeSystemNotifier());
    SysTray tray;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            tray.ShowTrayBalloon(Q("第一条"));
            return QFileInfo(log).size() > 0;
        },
        10000));
    tray.ShowTrayBalloon(Q("任务: 共2项"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            QFile f(log);
            return f.open(QIODevice::ReadOnly) && QString::fromUtf8(f.readAll()).contains(Q("任务: 共2项"));
        },
        5000));
    server.kill();
    server.waitForFinished(5000);
}
