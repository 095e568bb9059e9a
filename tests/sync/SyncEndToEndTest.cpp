// SPDX-License-Identifier: GPL-3.0-or-later
// Two real programs, each on its own data folder and private runtime folder, syncing by themselves through one
// real Radicale; their passwords in a GNOME Keyring on a private session bus (scripts/keyring-test.sh).
#include "SyncTestUtil.h"

#include "support/RealProgram.h"

#include <QElapsedTimer>

#ifndef TW_APP_PATH
#error "TW_APP_PATH must name the tickwell executable"
#endif

namespace {

// How often each program syncs by itself here, and how long a change may take to cross: a few intervals plus
// start-up and the sanitizers' slowness.
constexpr int kIntervalSeconds = 3;
constexpr int kCrossMs = 90000;

// One machine: a data folder and a private account (home, runtime folder with the program's channel).
struct Machine
{
    QTemporaryDir root;
    QString data;
    QProcessEnvironment env;
    std::unique_ptr<RealProgram> app;

    Machine()
        : data(root.filePath(QStringLiteral("data")))
        , env(PrivateAccountEnv(root.path()))
    {
    }

    ProgramRun Cli(const QStringList& args, const QByteArray& input = {})
    {
        RealProgram cli(QStringLiteral(TW_CLI_PATH), env);
        if (!cli.Start(args + QStringList { QStringLiteral("--data-dir"), data }))
            return {};
        cli.Process().write(input);
        cli.Process().closeWriteChannel();
        const int code = cli.Finish(150000);
        return { code, cli.Out(), cli.Err() };
    }
    // The key and status of the task titled `title` as the running program lists it; empty when it has none or
    // did not answer.
    std::pair<QString, QString> Find(const QString& title)
    {
        const ProgramRun r = Cli({ QStringLiteral("list") });
        for (const QString& line : r.out.split(u'\n')) {
            const QStringList f = line.split(u'\t');
            if (r.code == 0 && f.size() >= 6 && f[5] == title)
                return { f[0], f[1] };
        }
        return {};
    }
    SyncState State() const
    {
        SyncState s;
        s.Load(SyncState::FilePath(data), nullptr);
        return s;
    }
};

class SyncEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("TW_PRIVATE_KEYRING"))
            GTEST_SKIP() << "runs on a private keyring (scripts/keyring-test.sh)";
        if (!DavServer::Available(DavServer::Kind::Radicale))
            GTEST_SKIP() << "Radicale is not installed";
    }
};

TEST_F(SyncEndToEnd, TwoProgramsExchangeTasksAndCatchUpAfterTheServerWasAway)
{
    DavServer server(DavServer::Kind::Radicale);
    QString error;
    ASSERT_TRUE(server.Start(&error)) << error.toStdString();
    Machine a, b;
    for (Machine* m : { &a, &b }) {
        const ProgramRun setup = m->Cli({ QStringLiteral("sync"), QStringLiteral("setup"), server.BaseUrl(),
                                            QStringLiteral("--user"), server.User(), QStringLiteral("--allow-http") },
            server.Password().toUtf8() + '\n');
        ASSERT_EQ(setup.code, 0) << setup.err.toStdString();
        SyncState state = m->State();
        state.intervalSeconds = kIntervalSeconds;
        ASSERT_TRUE(state.Save(SyncState::FilePath(m->data), &error)) << error.toStdString();
        m->app = std::make_unique<RealProgram>(QStringLiteral(TW_APP_PATH), m->env);
        m->app->Process().setProcessChannelMode(QProcess::ForwardedErrorChannel);
        ASSERT_TRUE(m->app->Start({ QStringLiteral("--data-dir"), m->data }));
        ASSERT_TRUE(WaitUntilUp(m->root.path()));
    }

    // Added in A through its channel; B takes it on its own.
    const QString first = QStringLiteral("两台设备之间的任务");
    ProgramRun r = a.Cli({ QStringLiteral("add"), first, QStringLiteral("--date"), QStringLiteral("2030-01-01") });
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QString waiting = a.Find(first).second;
    ASSERT_FALSE(waiting.isEmpty());
    std::pair<QString, QString> inB;
    ASSERT_TRUE(WaitFor([&] { return !(inB = b.Find(first)).first.isEmpty(); }, kCrossMs)) << "never reached B";
    EXPECT_EQ(inB.second, waiting);

    // Finished in B; A settles it on its own.
    r = b.Cli({ QStringLiteral("done"), inB.first });
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QString finished = b.Find(first).second;
    ASSERT_NE(finished, waiting);
    EXPECT_TRUE(WaitFor([&] { return a.Find(first).second == finished; }, kCrossMs)) << "A kept it waiting";

    // The server hangs: A takes a change, answers on its channel and its scan fires a task that falls due, all
    // while its syncs wait on the server (none ends: a request gives up after 30 s).
    server.Freeze(true);
    const QString hung = QStringLiteral("服务器无应答时添加");
    r = a.Cli({ QStringLiteral("add"), hung, QStringLiteral("--date"), QStringLiteral("2030-01-03") });
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QDateTime attempted = a.State().lastAttempt;
    const QDateTime due = QDateTime::currentDateTime().addSecs(2 * kIntervalSeconds);
    const QString rings = QStringLiteral("服务器无应答时到期");
    r = a.Cli({ QStringLiteral("add"), rings, QStringLiteral("--date"), due.toString(QStringLiteral("yyyy-MM-dd")),
        QStringLiteral("--time"), due.toString(QStringLiteral("HH:mm:ss")) });
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QString notYet = a.Find(rings).second;
    bool fired = false;
    QElapsedTimer hanging;
    hanging.start();
    while (hanging.elapsed() < 4 * kIntervalSeconds * 1000) {
        QElapsedTimer took;
        took.start();
        ASSERT_FALSE(a.Find(hung).first.isEmpty());
        fired = fired || a.Find(rings).second != notYet;
        ASSERT_LT(took.elapsed(), 10000) << "A froze while its sync waited";
    }
    EXPECT_TRUE(fired) << "the scan stood still while the sync waited";
    EXPECT_EQ(a.State().lastAttempt, attempted) << "no sync was waiting on the server";

    // The server goes away: A takes a change at once and keeps answering after its failed sync; B sees nothing.
    server.Stop();
    const QString second = QStringLiteral("服务器离开时添加");
    QElapsedTimer took;
    took.start();
    r = a.Cli({ QStringLiteral("add"), second, QStringLiteral("--date"), QStringLiteral("2030-01-02") });
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_LT(took.elapsed(), 20000);
    ASSERT_TRUE(WaitFor([&] { return !a.State().lastError.isEmpty(); }, kCrossMs)) << "A never tried to sync";
    took.restart();
    EXPECT_FALSE(a.Find(second).first.isEmpty());
    EXPECT_LT(took.elapsed(), 20000);
    EXPECT_TRUE(b.Find(second).first.isEmpty());

    // Back on the same port and storage: the queued change arrives.
    ASSERT_TRUE(server.Start(&error)) << error.toStdString();
    EXPECT_TRUE(WaitFor([&] { return !b.Find(second).first.isEmpty(); }, kCrossMs)) << "the queued change was lost";
    EXPECT_FALSE(b.Find(hung).first.isEmpty());
    EXPECT_EQ(b.Find(first).second, finished);

    for (Machine* m : { &a, &b })
        EXPECT_EQ(m->app->Terminate(), 0);
}

}  // namespace
