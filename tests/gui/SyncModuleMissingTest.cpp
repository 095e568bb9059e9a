// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"

#include "mainwindow/SyncController.h"
#include "sync/SyncModule.h"

#include <QTest>

#include <optional>

namespace {

// The program installed without its sync module (the test binary's folder has none).
class WithoutSyncModule : public MainWindowFixture
{
protected:
    WithoutSyncModule()
    {
        SyncModule::Register(nullptr);
        SyncModule::UseInstalled();
    }
    ~WithoutSyncModule() override { SyncModule::UseLinkedIn(); }
};

}  // namespace

TEST_F(WithoutSyncModule, SyncAndCalendarFilesSayWhyAndTheListStillWorks)
{
    Add(Q("周会"));
    SyncState account;
    account.server = Q("https://dav.example/");
    account.calendarUrl = Q("https://dav.example/calendars/me/tickwell/");
    ASSERT_TRUE(account.Save(SyncState::FilePath(m_folder.path()), nullptr));

    std::optional<SyncResult> result;
    QObject::connect(W().Sync(), &SyncController::Finished, [&](const SyncResult& r) { result = r; });
    W().Sync()->Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, 5000));
    EXPECT_FALSE(result->ok);
    EXPECT_TRUE(result->error.startsWith(Q("找不到同步模块"))) << result->error.toStdString();
    EXPECT_TRUE(W().Sync()->StatusText().contains(Q("程序安装不完整"))) << W().Sync()->StatusText().toStdString();

    for (const char* action : { "mnuExportIcal", "mnuImportIcal" }) {
        Action(action)->trigger();
        EXPECT_TRUE(LastMessage().startsWith(Q("找不到同步模块"))) << action << LastMessage().toStdString();
    }
    EXPECT_TRUE(m_msg->saveDialogs.empty());
    EXPECT_EQ(W().Engine().Tasks().Count(), 1);
    EXPECT_EQ(Column(0).size(), 1);
}
