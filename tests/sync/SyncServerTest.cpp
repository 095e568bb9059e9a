// SPDX-License-Identifier: GPL-3.0-or-later
// Two data folders kept in step through one real server (Radicale, then Xandikos), each with its own sync state.
#include "SyncTestUtil.h"

#include "storage/TaskEvent.h"

#include <QDir>
#include <QFile>

namespace {

class SyncServers : public ::testing::TestWithParam<DavServer::Kind>
{
protected:
    void SetUp() override
    {
        if (!DavServer::Available(GetParam()))
            GTEST_SKIP() << "server not installed";
        QString error;
        ASSERT_TRUE(server.Start(&error)) << error.toStdString();
        for (Device* d : { &a, &b }) {
            const SyncResult r = d->Setup(server);
            ASSERT_TRUE(r.ok) << r.error.toStdString();
        }
        ASSERT_EQ(a.sync.State().calendarUrl, b.sync.State().calendarUrl);
    }
    void TearDown() override { AppPaths::SetDataFolder(folder.path()); }

    // Syncs `d` and expects success.
    SyncResult Synced(Device& d)
    {
        const SyncResult r = d.Sync();
        EXPECT_TRUE(r.ok) << r.error.toStdString();
        return r;
    }
    // What another client sees: the resource of a task, read straight from the server.
    QByteArray OnServer(const QString& uid)
    {
        CalDavClient client;
        client.SetAccount({ QUrl(a.sync.State().calendarUrl), server.User(), server.Password(), {}, false });
        const QUrl url(a.sync.State().calendarUrl + uid + QStringLiteral(".ics"));
        const DavReply r = Await<DavReply>([&](auto done) { client.Send("GET", url, {}, {}, done); });
        return r.status == 200 ? r.body : QByteArray();
    }
    DavReply PutForeign(const QString& name, const QByteArray& ics)
    {
        CalDavClient client;
        client.SetAccount({ QUrl(a.sync.State().calendarUrl), server.User(), server.Password(), {}, false });
        const QUrl url(a.sync.State().calendarUrl + name);
        return Await<DavReply>([&](auto done) { client.Put(url, ics, {}, done); });
    }

    ClockGuard clock { 2026, 12, 9, 2, 0, 0 };
    QTemporaryDir folder;
    DavServer server { GetParam() };
    Device a, b;
};

TEST_P(SyncServers, TasksAndTheirStatusesTravelBothWays)
{
    const struct
    {
        const char* title;
        const char* date;
        const char* time;
    } tasks[] = {
        { "交房租", "每月1号", "9:00" },
        { "中秋", "农历每年8-15", "20:00" },
        { "看牙", "2026-12-20", "15:30" },
        { "周会", "每周135", "10:00" },
        { "体检", "2027-01-06", "8:00" },
    };
    for (const auto& t : tasks) {
        a.Cmd(QStringLiteral("add"),
            { QString::fromUtf8(t.title), QStringLiteral("--date"), QString::fromUtf8(t.date), QStringLiteral("--time"),
                QString::fromUtf8(t.time) });
    }
    EXPECT_EQ(a.sync.PendingChanges(), 5);
    SyncResult r = Synced(a);
    EXPECT_EQ(r.uploaded, 5);
    EXPECT_EQ(a.sync.PendingChanges(), 0);
    r = Synced(b);
    EXPECT_EQ(r.downloaded, 5);
    for (const auto& t : tasks) {
        const TaskPtr there = b.ByTitle(QString::fromUtf8(t.title));
        ASSERT_TRUE(there) << t.title;
        const TaskPtr here = a.ByTitle(QString::fromUtf8(t.title));
        EXPECT_EQ(there->sDueDate, here->sDueDate);
        EXPECT_EQ(there->sDueTime, here->sDueTime);
        EXPECT_EQ(there->dtDueDT, here->dtDueDT) << t.title;
        EXPECT_EQ(there->sUid, here->sUid);
        EXPECT_FALSE(there->bUseCmd);
    }
    // The lunar rule reaches the server as the program's own dates, not as a lunar RRULE.
    const QByteArray lunar = OnServer(a.ByTitle(QStringLiteral("中秋"))->sUid);
    EXPECT_TRUE(lunar.contains("RDATE")) << lunar.constData();
    EXPECT_FALSE(lunar.contains("RSCALE"));

    // Settled on one side, settled on the other (a recurring task moves on to its next time); a deletion goes both
    // ways.
    b.Cmd(QStringLiteral("done"), { b.ByTitle(QStringLiteral("看牙"))->Key() });
    b.Cmd(QStringLiteral("cancel"), { b.ByTitle(QStringLiteral("体检"))->Key() });
    b.Cmd(QStringLiteral("done"), { b.ByTitle(QStringLiteral("周会"))->Key() });
    a.Cmd(QStringLiteral("postpone"), { a.ByTitle(QStringLiteral("交房租"))->Key(), QStringLiteral("30分钟") });
    EXPECT_EQ(Synced(b).uploaded, 3);
    r = Synced(a);
    EXPECT_EQ(r.uploaded, 1);
    EXPECT_EQ(r.downloaded, 3);
    EXPECT_EQ(Synced(b).downloaded, 1);
    const struct
    {
        const char* title;
        TaskStatus status;
    } settled[]
        = { { "看牙", tsFinished }, { "体检", tsCancelled }, { "周会", tsNotStarted }, { "交房租", tsPostponed } };
    for (const auto& s : settled) {
        const TaskPtr onA = a.ByTitle(QString::fromUtf8(s.title));
        const TaskPtr onB = b.ByTitle(QString::fromUtf8(s.title));
        EXPECT_EQ(onA->eStatus(), s.status) << s.title;
        EXPECT_EQ(onB->eStatus(), s.status) << s.title;
        EXPECT_EQ(onA->dtDueDT, onB->dtDueDT) << s.title;
        EXPECT_EQ(onA->dtAlarmDT, onB->dtAlarmDT) << s.title;
    }

    a.Use();
    a.engine.RemoveTask(a.ByTitle(QStringLiteral("中秋")));
    a.engine.SaveCfg();
    EXPECT_EQ(Synced(a).deleted, 1);
    r = Synced(b);
    EXPECT_EQ(r.deleted, 1);
    EXPECT_FALSE(b.ByTitle(QStringLiteral("中秋")));
    ASSERT_EQ(r.notes.size(), 1);
    EXPECT_TRUE(r.notes[0].contains(QStringLiteral("中秋")));
    // Nothing left to do costs one request.
    EXPECT_EQ(Synced(a).requests, 1);
}

TEST_P(SyncServers, AnEventOfAnotherClientBecomesATaskThatRunsNothing)
{
    const QByteArray ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//EN\r\nBEGIN:VEVENT\r\n"
                           "UID:phone-1@example.com\r\nDTSTAMP:20261201T000000Z\r\nDTSTART:20261224T100000Z\r\n"
                           "SUMMARY::rm -rf ~\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\n"
                           "DESCRIPTION:x\r\nEND:VALARM\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    ASSERT_TRUE(PutForeign(QStringLiteral("phone-1.ics"), ics).success());
    const QByteArray over = QByteArray(ics).replace("phone-1@", "phone-2@").replace("20261224", "20200101");
    ASSERT_TRUE(PutForeign(QStringLiteral("phone-2.ics"), over).success());
    const SyncResult r = Synced(a);
    EXPECT_EQ(r.downloaded, 1);  // the event that is over stays on the server only
    ASSERT_EQ(a.engine.Tasks().Count(), 1);
    const TaskPtr task = a.engine.Tasks().At(0);
    EXPECT_FALSE(task->IsUserEvent());
    EXPECT_EQ(task->TaskType(), ttNormal);
    EXPECT_FALSE(task->bUseCmd);
    EXPECT_TRUE(task->sCmd.isEmpty());
    // Its alarm and the foreign properties survive this program's rewrite of it.
    a.Cmd(QStringLiteral("postpone"), { task->Key(), QStringLiteral("1小时") });
    EXPECT_EQ(Synced(a).uploaded, 1);
    EXPECT_EQ(a.engine.Tasks().Count(), 1);
    EXPECT_EQ(Synced(a).requests, 1);  // the other event is not fetched again, nor deleted
}

TEST_P(SyncServers, ConcurrentChangesAreMergedThroughThe412Path)
{
    a.Cmd(QStringLiteral("add"), { QStringLiteral("报销"), QStringLiteral("--date"), QStringLiteral("2026-12-30") });
    Synced(a);
    Synced(b);
    const TaskPtr onA = a.ByTitle(QStringLiteral("报销"));
    const TaskPtr onB = b.ByTitle(QStringLiteral("报销"));
    ASSERT_TRUE(onA && onB);
    onA->sMemo = QStringLiteral("带发票");
    a.Use();
    a.engine.UpdateTask(onA);
    a.engine.SaveCfg();
    Synced(a);
    // B changes another field without having seen A's change: its listing says nothing changed (its token is the
    // server's newest), so its write meets the newer resource and gets 412.
    b.Use();
    onB->sType = QStringLiteral("财务");
    b.engine.UpdateTask(onB);
    b.engine.SaveCfg();
    SyncState state;
    ASSERT_TRUE(state.Load(b.sync.StatePath(), nullptr));
    state.token = a.sync.State().token;
    ASSERT_TRUE(state.Save(b.sync.StatePath(), nullptr));
    const SyncResult r = Synced(b);
    EXPECT_EQ(r.uploaded, 1);
    EXPECT_EQ(onB->sMemo, QStringLiteral("带发票"));
    Synced(a);
    EXPECT_EQ(onA->sType, QStringLiteral("财务"));
    EXPECT_EQ(onA->sMemo, QStringLiteral("带发票"));

    // The same field on both sides: one value wins everywhere, the other is reported.
    onA->sMemo = QStringLiteral("甲");
    onB->sMemo = QStringLiteral("乙");
    for (Device* d : { &a, &b }) {
        d->Use();
        d->engine.UpdateTask(d == &a ? onA : onB);
        d->engine.SaveCfg();
    }
    Synced(a);
    const SyncResult both = Synced(b);
    Synced(a);
    EXPECT_EQ(onA->sMemo, onB->sMemo);
    ASSERT_FALSE(both.notes.isEmpty());
    EXPECT_TRUE(both.notes.join(u'\n').contains(onA->sMemo == u"甲" ? QStringLiteral("乙") : QStringLiteral("甲")));
}

TEST_P(SyncServers, AStoppedServerChangesNothingAndTheQueuedChangeGoesOutLater)
{
    a.Cmd(QStringLiteral("add"), { QStringLiteral("续保"), QStringLiteral("--date"), QStringLiteral("2027-01-05") });
    Synced(a);
    a.Cmd(QStringLiteral("add"), { QStringLiteral("体检"), QStringLiteral("--date"), QStringLiteral("2027-01-06") });
    server.Stop();
    QFile data(a.engine.DataFilePath());
    ASSERT_TRUE(data.open(QIODevice::ReadOnly));
    const QByteArray before = data.readAll();
    data.close();
    const SyncResult failed = a.Sync();
    EXPECT_FALSE(failed.ok);
    EXPECT_TRUE(failed.error.contains(QStringLiteral("无法连接"))) << failed.error.toStdString();
    ASSERT_TRUE(data.open(QIODevice::ReadOnly));
    EXPECT_EQ(data.readAll(), before);
    data.close();
    EXPECT_EQ(a.sync.PendingChanges(), 1);
    EXPECT_EQ(a.sync.State().lastError, failed.error);

    QString error;
    ASSERT_TRUE(server.Start(&error)) << error.toStdString();
    EXPECT_EQ(Synced(a).uploaded, 1);
    EXPECT_TRUE(a.sync.State().lastError.isEmpty());
    Synced(b);
    EXPECT_TRUE(b.ByTitle(QStringLiteral("体检")));
}

TEST_P(SyncServers, ARefusedSyncTokenLeadsToTheFullListing)
{
    a.Cmd(QStringLiteral("add"), { QStringLiteral("年检"), QStringLiteral("--date"), QStringLiteral("2027-03-01") });
    Synced(a);
    Synced(b);
    // Deleted on A while B's token is refused: the full listing still shows B that it is gone.
    a.Use();
    a.engine.RemoveTask(a.ByTitle(QStringLiteral("年检")));
    a.engine.SaveCfg();
    Synced(a);
    b.Use();
    SyncState state;
    ASSERT_TRUE(state.Load(b.sync.StatePath(), nullptr));
    // Radicale answers 403 (valid-sync-token) to a token it does not know; Xandikos 500.
    state.token = QStringLiteral("http://radicale.example/ns/sync/0000000000000000000000000000000000000000");
    ASSERT_TRUE(state.Save(b.sync.StatePath(), nullptr));
    const SyncResult r = Synced(b);
    EXPECT_TRUE(r.fullListing);
    EXPECT_EQ(r.deleted, 1);
    EXPECT_EQ(b.engine.Tasks().Count(), 0);
    EXPECT_FALSE(Synced(b).fullListing);
}

// A power cut can take copies the index names (a kill cannot: they are written first), and a write cut short
// leaves files no entry names. The sync completes, the changes made on both sides meanwhile all survive, and
// the state is whole again afterwards.
TEST_P(SyncServers, CopiesLostUnderTheIndexLoseNoChange)
{
    for (const char* title : { "报销", "续保" })
        a.Cmd(QStringLiteral("add"),
            { QString::fromUtf8(title), QStringLiteral("--date"), QStringLiteral("2026-12-30") });
    Synced(a);
    Synced(b);
    a.Use();
    for (const char* title : { "报销", "续保" }) {
        a.ByTitle(QString::fromUtf8(title))->sMemo = QStringLiteral("带发票");
        a.engine.UpdateTask(a.ByTitle(QString::fromUtf8(title)));
    }
    a.engine.SaveCfg();
    b.Use();
    b.ByTitle(QStringLiteral("报销"))->sType = QStringLiteral("财务");
    b.engine.UpdateTask(b.ByTitle(QStringLiteral("报销")));
    b.engine.SaveCfg();
    Synced(b);
    const QString copies = SyncState::CopiesPath(a.dir.path());
    ASSERT_TRUE(QDir(copies).removeRecursively());
    ASSERT_TRUE(QDir().mkpath(copies));
    QFile stray(copies + QStringLiteral("/0123.ics.tmp"));
    ASSERT_TRUE(stray.open(QIODevice::WriteOnly));
    stray.close();

    const SyncResult r = Synced(a);
    EXPECT_EQ(r.uploaded, 2);
    EXPECT_EQ(a.sync.PendingChanges(), 0);
    EXPECT_EQ(QDir(copies).entryList(QDir::Files).size(), 2);
    Synced(b);
    for (Device* d : { &a, &b }) {
        EXPECT_EQ(d->ByTitle(QStringLiteral("报销"))->sType, QStringLiteral("财务"));
        for (const char* title : { "报销", "续保" })
            EXPECT_EQ(d->ByTitle(QString::fromUtf8(title))->sMemo, QStringLiteral("带发票")) << title;
    }
}

// The state of an older release, copies inside one XML file, is taken over without sending anything again.
TEST_P(SyncServers, TheStateOfAnOlderReleaseIsTakenOver)
{
    a.Cmd(QStringLiteral("add"), { QStringLiteral("年检"), QStringLiteral("--date"), QStringLiteral("2027-03-01") });
    Synced(a);
    const SyncState now = a.sync.State();
    QByteArray xml = "<tickwell-sync version=\"1\"><account server=\"" + now.server.toUtf8() + "\" user=\""
        + now.user.toUtf8() + "\" calendar=\"" + now.calendarUrl.toUtf8() + "\"/><state token=\""
        + now.token.toHtmlEscaped().toUtf8() + "\"/>";
    for (const SyncItem& item : now.items) {
        xml += "<item uid=\"" + item.uid.toUtf8() + "\" href=\"" + item.href.toUtf8() + "\" etag=\""
            + QString::fromUtf8(item.etag).toHtmlEscaped().toUtf8() + "\" local=\"0\">" + now.Copy(item).toBase64()
            + "</item>";
    }
    ASSERT_TRUE(SyncState::Remove(a.sync.StatePath()));
    QFile old(SyncState::OldFilePath(a.dir.path()));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(xml + "</tickwell-sync>");
    old.close();

    const SyncResult r = Synced(a);
    EXPECT_EQ(r.uploaded + r.downloaded + r.deleted, 0);
    EXPECT_EQ(r.requests, 1);
    EXPECT_FALSE(old.exists());
    EXPECT_EQ(a.sync.State().items.size(), 1);
    EXPECT_EQ(Synced(b).downloaded, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Servers, SyncServers, ::testing::Values(DavServer::Kind::Radicale, DavServer::Kind::Xandikos), ServerName);

}  // namespace
