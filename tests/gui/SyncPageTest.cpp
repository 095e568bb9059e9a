// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "sync/SyncTestUtil.h"

#include "alerts/frmPrompt.h"
#include "mainwindow/SyncController.h"
#include "mainwindow/dlgOption.h"
#include "platform/ISecretStore.h"
#include "platform/ISleepWatcher.h"
#include "support/RecordingAudio.h"
#include "timerules/TimeExpr.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkProxy>
#include <QPushButton>
#include <QSpinBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {

// A main window whose sync keeps its password in a fake store, beside a real Radicale.
class SyncPageTest : public WindowTestEnv
{
protected:
    SyncPageTest()
        : WindowTestEnv(QDateTime(QDate(2012, 6, 3), QTime(12, 0), Qt::UTC))
    {
        Platform::SetSecretStore(m_secrets);
        m_window = std::make_unique<frmMain>();
        m_window->Load(nullptr);
    }
    ~SyncPageTest() override
    {
        m_window.reset();
        Platform::SetSecretStore(nullptr);
    }
    void SetUp() override
    {
        if (!DavServer::Available(DavServer::Kind::Radicale))
            GTEST_SKIP() << "radicale is not installed";
        QString error;
        ASSERT_TRUE(m_server.Start(&error)) << error.toStdString();
    }

    dlgOption* Options()
    {
        m_window->ShowOptions();
        return m_window->OptionDialog();
    }
    template <class W> W* Find(const char* name) { return Options()->findChild<W*>(QString::fromLatin1(name)); }
    void Fill(const QString& server, const QString& password)
    {
        Find<QLineEdit>("txtSyncServer")->setText(server);
        Find<QLineEdit>("txtSyncUser")->setText(m_server.User());
        Find<QLineEdit>("txtSyncPassword")->setText(password);
    }
    // Runs the loop until the page has its answer to 测试连接.
    QString Test()
    {
        Options()->TestConnection();
        QPushButton* button = Find<QPushButton>("cmdSyncTest");
        for (int i = 0; i < 600 && !button->isEnabled(); ++i)
            QTest::qWait(50);
        return Options()->SyncStatusText();
    }
    SyncResult AwaitSync(const std::function<void()>& start)
    {
        AppPaths::SetDataFolder(m_folder.path());
        std::optional<SyncResult> result;
        QEventLoop loop;
        const auto c = QObject::connect(m_window->Sync(), &SyncController::Finished, &loop, [&](const SyncResult& r) {
            result = r;
            loop.quit();
        });
        start();
        if (!result) {
            QTimer::singleShot(60000, &loop, &QEventLoop::quit);
            loop.exec();
        }
        QObject::disconnect(c);
        EXPECT_TRUE(result.has_value()) << "no sync ended within a minute";
        return result.value_or(SyncResult());
    }

    // The account set up on the page and its first sync done. Later local changes sync only when a test asks:
    // a sync started by itself while a test works on another device's folder would write to that folder.
    bool SetUpAccount()
    {
        Fill(m_server.BaseUrl(), m_server.Password());
        if (!AwaitSync([&] { Options()->Apply(); }).ok || !AwaitSync([] {}).ok)
            return false;
        m_window->Sync()->SetSettleDelay(24 * 3600 * 1000);
        return true;
    }
    TaskPtr AddRingingTaskDueInAMinute(const QString& title)
    {
        AppPaths::SetDataFolder(m_folder.path());
        auto task = std::make_shared<CTask>();
        task->SetDescription(title);
        task->dtCreateDT = task->dtStartDT = Clock::Now();
        task->dtDueDT = task->dtAlarmDT = AddSeconds(Clock::Now(), 60);
        task->sDueDate = FormatPattern(task->dtDueDT, QStringLiteral("yyyy-mm-dd"));
        task->sDueTime = FormatPattern(task->dtDueDT, QStringLiteral("hh:nn:ss"));
        task->eRingType = rtBeep;
        task->SetStatus(tsNotStarted);
        EXPECT_TRUE(m_window->Engine().AddTask(task));
        return task;
    }
    // The clock moves past the moment of the tasks added above and the scan runs.
    void FireDue()
    {
        AppPaths::SetDataFolder(m_folder.path());
        m_clock.Advance(61);
        m_window->Scheduler().Tick();
    }
    bool InPrompt(const TaskPtr& task) const
    {
        const frmPrompt* prompt = m_window->PromptIfLoaded();
        for (int i = 0; prompt && i < prompt->Count(); ++i)
            if (prompt->TaskAt(i) == task)
                return true;
        return false;
    }

    std::shared_ptr<FakeSecretStore> m_secrets = std::make_shared<FakeSecretStore>();
    std::unique_ptr<frmMain> m_window;
    DavServer m_server { DavServer::Kind::Radicale };
};

}  // namespace

TEST_F(SyncPageTest, EveryControlHasItsLabel)
{
    QWidget* page = Find<QWidget>("pageSync");
    for (QWidget* control : page->findChildren<QWidget*>()) {
        if (!qobject_cast<QLineEdit*>(control) && !qobject_cast<QComboBox*>(control)
            && !qobject_cast<QSpinBox*>(control))
            continue;
        if (qobject_cast<QLineEdit*>(control)
            && (qobject_cast<QComboBox*>(control->parentWidget()) || qobject_cast<QSpinBox*>(control->parentWidget())))
            continue;  // the combo or spin box's own editor
        bool labelled = !control->accessibleName().isEmpty();
        for (QLabel* label : page->findChildren<QLabel*>())
            labelled = labelled || label->buddy() == control;
        EXPECT_TRUE(labelled) << control->objectName().toStdString();
    }
    EXPECT_EQ(Find<QSpinBox>("spnSyncInterval")->value(), 5);
}

TEST_F(SyncPageTest, TestConnectionSaysWhatWentWrong)
{
    const QString unreachable = QStringLiteral("http://127.0.0.1:%1/").arg(DavServer::FreePort());
    const struct
    {
        QString server, password;
        QString expected;
    } rows[] = {
        { m_server.BaseUrl(), Q("wrong"), Q("用户名或密码不对。") },
        { unreachable, m_server.Password(), Q("连接失败：") },
        { m_server.BaseUrl(), m_server.Password(), Q("连接成功") },
    };
    for (const auto& row : rows) {
        Fill(row.server, row.password);
        EXPECT_TRUE(Test().startsWith(row.expected)) << Options()->SyncStatusText().toStdString();
    }
    // Testing changes no account.
    EXPECT_FALSE(m_window->Sync()->HasAccount());
    EXPECT_TRUE(m_secrets->secrets.isEmpty());
}

TEST_F(SyncPageTest, ApplyingSetsUpTheAccountAndForgetRemovesIt)
{
    Fill(m_server.BaseUrl(), m_server.Password());
    Find<QSpinBox>("spnSyncInterval")->setValue(7);
    const SyncResult setup = AwaitSync([&] { Options()->Apply(); });
    ASSERT_TRUE(setup.ok) << setup.error.toStdString();
    ASSERT_TRUE(m_window->Sync()->HasAccount());
    EXPECT_EQ(m_window->Sync()->State().intervalSeconds, 7 * 60);
    EXPECT_EQ(m_secrets->secrets.size(), 1);
    // The first sync follows the setup by itself.
    EXPECT_TRUE(AwaitSync([] {}).ok);
    EXPECT_TRUE(m_window->Sync()->StatusText().startsWith(Q("上次同步 ")))
        << m_window->Sync()->StatusText().toStdString();
    for (const QString& file : QDir(m_folder.path()).entryList(QDir::Files)) {
        QFile f(m_folder.file(file));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_FALSE(f.readAll().contains(m_server.Password().toUtf8())) << file.toStdString();
    }

    m_msg->answers.push_back(MsgResult::Yes);
    EXPECT_TRUE(AwaitSync([&] { Find<QPushButton>("cmdSyncForget")->click(); }).ok);
    EXPECT_FALSE(m_window->Sync()->HasAccount());
    EXPECT_TRUE(m_secrets->secrets.isEmpty());
    EXPECT_FALSE(Find<QPushButton>("cmdSyncNow")->isEnabled());
}

TEST_F(SyncPageTest, WhatAnotherDeviceSettlesLeavesThePromptAndStopsTheRingOrNeverRings)
{
    const AudioGuard audio;
    ASSERT_TRUE(SetUpAccount());
    Device other;
    ASSERT_TRUE(other.Setup(m_server).ok);
    const struct
    {
        QString command;
        QStringList args;
        bool ringsFirst;  // it fell due here before the other device settled it
    } rows[] = {
        { QStringLiteral("done"), {}, true },
        { QStringLiteral("cancel"), {}, true },
        { QStringLiteral("postpone"), { Q("1小时") }, true },
        { QStringLiteral("done"), {}, false },
        { QStringLiteral("postpone"), { Q("1小时") }, false },
    };
    int n = 0;
    for (const auto& row : rows) {
        const QString title = QStringLiteral("%1 %2").arg(++n).arg(row.command);
        SCOPED_TRACE(title.toStdString());
        const TaskPtr task = AddRingingTaskDueInAMinute(title);
        ASSERT_TRUE(AwaitSync([&] { m_window->Sync()->SyncNow(); }).ok);
        if (row.ringsFirst) {
            FireDue();
            ASSERT_TRUE(InPrompt(task));
            ASSERT_TRUE(audio->alertOn);
        }
        ASSERT_TRUE(other.Sync().ok);
        ASSERT_NE(other.ByTitle(title), nullptr);
        other.Cmd(row.command, QStringList { other.ByTitle(title)->Key() } + row.args);
        ASSERT_TRUE(other.Sync().ok);

        audio->calls.clear();
        const SyncResult back = AwaitSync([&] { m_window->Sync()->SyncNow(); });
        ASSERT_TRUE(back.ok) << back.error.toStdString();
        FireDue();
        EXPECT_FALSE(InPrompt(task));
        EXPECT_EQ(task->eStatus(), other.ByTitle(title)->eStatus());
        EXPECT_FALSE(audio->alertOn);
        EXPECT_EQ(audio->calls.contains(Q("stop alert")), row.ringsFirst) << audio->calls.join(u',').toStdString();
        EXPECT_FALSE(audio->calls.contains(Q("alert")));
    }
}

// The task comes from the other device, falls due here, and the prompt's own 任务完成 settles it; the sync that
// follows by itself carries that to the other device.
TEST_F(SyncPageTest, FinishingInThePromptSettlesTheTaskOnTheOtherDevice)
{
    ASSERT_TRUE(SetUpAccount());
    Device other;
    ASSERT_TRUE(other.Setup(m_server).ok);
    const Instant due = AddSeconds(Clock::Now(), 60);
    other.Cmd(QStringLiteral("add"),
        { Q("另一台设备上添加"), QStringLiteral("--date"), FormatPattern(due, QStringLiteral("yyyy-mm-dd")),
            QStringLiteral("--time"), FormatPattern(due, QStringLiteral("hh:nn:ss")) });
    ASSERT_TRUE(other.Sync().ok);
    ASSERT_TRUE(AwaitSync([&] { m_window->Sync()->SyncNow(); }).ok);
    FireDue();
    frmPrompt* prompt = m_window->PromptIfLoaded();
    ASSERT_TRUE(prompt && prompt->Count() == 1);
    ASSERT_EQ(prompt->TaskAt(0)->Title(), Q("另一台设备上添加"));

    m_window->Sync()->SetSettleDelay(50);
    const SyncResult sent = AwaitSync([&] { prompt->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click(); });
    ASSERT_TRUE(sent.ok) << sent.error.toStdString();
    EXPECT_EQ(sent.uploaded, 1);
    ASSERT_TRUE(other.Sync().ok);
    EXPECT_EQ(other.ByTitle(Q("另一台设备上添加"))->eStatus(), tsFinished);
}

namespace {

class FakeSleepWatcher : public ISleepWatcher
{
public:
    void SetWokeHandler(std::function<void()> woke) override { handler = std::move(woke); }
    std::function<void()> handler;
};

}  // namespace

TEST_F(SyncPageTest, LocalChangesInABurstAndAWakeEachMakeOneSync)
{
    TaskEngine engine;
    auto* sleep = new FakeSleepWatcher;
    SyncController sync(engine, m_secrets, [sleep] { return std::unique_ptr<ISleepWatcher>(sleep); });
    sync.SetSettleDelay(50);
    int finished = 0;
    QObject::connect(&sync, &SyncController::Finished, [&](const SyncResult& r) {
        EXPECT_TRUE(r.ok) << r.error.toStdString();
        ++finished;
    });
    SyncSetup setup;
    setup.server = m_server.BaseUrl();
    setup.user = m_server.User();
    setup.password = m_server.Password();
    sync.Setup(setup, 300);
    const auto waitFor = [&](int count) {
        for (int i = 0; i < 1200 && finished < count; ++i)
            QTest::qWait(50);
        QTest::qWait(300);  // nothing more follows
        return finished;
    };
    EXPECT_EQ(waitFor(2), 2);  // the setup and the first sync
    for (int i = 0; i < 3; ++i)
        sync.LocalChange();
    EXPECT_EQ(waitFor(3), 3);
    ASSERT_TRUE(sleep->handler);
    sleep->handler();
    EXPECT_EQ(waitFor(4), 4);
}

TEST_F(SyncPageTest, TestingListsTheCalendarsAndMakesNoneApplyingMakesTheOneChosen)
{
    QComboBox* box = Find<QComboBox>("cboSyncCalendar");
    const auto items = [box] {
        QStringList list;
        for (int i = 0; i < box->count(); ++i)
            list << box->itemText(i);
        return list;
    };
    Fill(m_server.BaseUrl(), m_server.Password());
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(Test().startsWith(Q("连接成功：服务器上还没有日历"))) << Options()->SyncStatusText().toStdString();
        EXPECT_EQ(items(), QStringList { Q("新建日历…") });
    }
    Device other;
    ASSERT_TRUE(other.Setup(m_server, Q("家庭")).ok);
    EXPECT_TRUE(Test().startsWith(Q("连接成功：找到 1 个日历"))) << Options()->SyncStatusText().toStdString();
    EXPECT_EQ(items(), (QStringList { Q("家庭"), Q("新建日历…") }));

    box->setCurrentIndex(1);
    emit box->activated(1);
    EXPECT_EQ(box->currentText(), QString());
    box->setEditText(Q("旅行"));
    ASSERT_TRUE(AwaitSync([&] { Options()->Apply(); }).ok);
    EXPECT_EQ(m_window->Sync()->State().calendarName, Q("旅行"));
    AwaitSync([] {});  // the first sync
    EXPECT_TRUE(Test().startsWith(Q("连接成功：找到 2 个日历"))) << Options()->SyncStatusText().toStdString();
    EXPECT_EQ(box->currentText(), Q("旅行"));
}

namespace {

// Stands in for an HTTP proxy on 127.0.0.1, so that a request for another machine's address stays on this one:
// it counts the requests for that machine and answers that the password is wrong.
class RecordingProxy
{
public:
    explicit RecordingProxy(const QString& host)
    {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, [this, host] {
            while (QTcpSocket* s = m_server.nextPendingConnection()) {
                QObject::connect(s, &QTcpSocket::readyRead, s, [this, s, host] {
                    if (!s->canReadLine())
                        return;
                    requests += QString::fromLatin1(s->readLine()).contains(host) ? 1 : 0;
                    s->write("HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"t\"\r\n"
                             "Content-Length: 0\r\nConnection: close\r\n\r\n");
                    s->disconnectFromHost();
                });
            }
        });
        QNetworkProxy::setApplicationProxy(
            QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), m_server.serverPort()));
    }
    ~RecordingProxy() { QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy); }

    int requests = 0;

private:
    QTcpServer m_server;
};

}  // namespace

TEST_F(SyncPageTest, PlainHttpToAnotherMachineIsUsedOnlyOnceConfirmed)
{
    const QString remote = QStringLiteral("http://dav.example/");
    const RecordingProxy proxy(QStringLiteral("dav.example"));
    const struct
    {
        QString server;
        std::optional<MsgResult> answer;  // none: nothing is asked
        bool apply;  // 应用 rather than 测试连接
        QString status;
        int requests;  // that reached the other machine by then
    } rows[] = {
        { m_server.BaseUrl(), {}, false, Q("连接成功"), 0 },
        { remote, MsgResult::No, false, Q("地址 http://dav.example/ 不加密"), 0 },
        { remote, MsgResult::No, true, Q("地址 http://dav.example/ 不加密"), 0 },
        { remote, MsgResult::Yes, false, Q("用户名或密码不对。"), 1 },
        { remote, {}, true, Q("无法设置同步帐户：用户名或密码错误"), 2 },  // confirmed once for this address
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.status.toStdString());
        Fill(row.server, m_server.Password());
        m_msg->shown.clear();
        if (row.answer)
            m_msg->answers.push_back(*row.answer);
        if (!row.apply)
            Test();
        else if (row.answer == MsgResult::No)
            Options()->Apply();
        else
            EXPECT_FALSE(AwaitSync([&] { Options()->Apply(); }).ok);
        EXPECT_EQ(m_msg->shown.size(), row.answer ? 1u : 0u);
        EXPECT_TRUE(Options()->SyncStatusText().startsWith(row.status)) << Options()->SyncStatusText().toStdString();
        EXPECT_EQ(proxy.requests, row.requests);
    }
    EXPECT_FALSE(m_window->Sync()->HasAccount());
}
