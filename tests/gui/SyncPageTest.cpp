// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "sync/SyncTestUtil.h"

#include "alerts/frmPrompt.h"
#include "mainwindow/SyncController.h"
#include "mainwindow/dlgOption.h"
#include "platform/ISecretStore.h"
#include "platform/ISleepWatcher.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
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
    EXPECT_EQ(m_window->Sync()->Engine().State().intervalSeconds, 7 * 60);
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

TEST_F(SyncPageTest, ATaskFinishedOnAnotherDeviceLeavesThePromptAndStopsRinging)
{
    Fill(m_server.BaseUrl(), m_server.Password());
    ASSERT_TRUE(AwaitSync([&] { Options()->Apply(); }).ok);
    AwaitSync([] {});  // the first sync
    auto task = std::make_shared<CTask>();
    task->SetDescription(Q("交电费"));
    task->sDueDate = Q("2012-06-03");
    task->sDueTime = Q("12:00");
    task->dtDueDT = task->dtAlarmDT = MakeInstant(2012, 6, 3, 12, 0, 0);
    task->dtCreateDT = task->dtStartDT = MakeInstant(2012, 6, 1, 8, 0, 0);
    task->SetStatus(tsDue);
    ASSERT_TRUE(m_window->Engine().AddTask(task));
    frmPrompt* prompt = m_window->Prompt();
    prompt->ShowFiredTask(task);
    ASSERT_EQ(prompt->Count(), 1);
    ASSERT_TRUE(AwaitSync([&] { m_window->Sync()->SyncNow(); }).ok);

    Device other;
    ASSERT_TRUE(other.Setup(m_server).ok);
    ASSERT_TRUE(other.Sync().ok);
    ASSERT_NE(other.ByTitle(Q("交电费")), nullptr);
    other.Cmd(QStringLiteral("done"), { other.ByTitle(Q("交电费"))->Key() });
    ASSERT_TRUE(other.Sync().ok);

    const SyncResult back = AwaitSync([&] { m_window->Sync()->SyncNow(); });
    ASSERT_TRUE(back.ok) << back.error.toStdString();
    EXPECT_EQ(prompt->Count(), 0);
    EXPECT_NE(task->eStatus(), tsDue);
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
    SyncController sync(engine, m_secrets, std::unique_ptr<ISleepWatcher>(sleep));
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
