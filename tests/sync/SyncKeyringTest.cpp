// SPDX-License-Identifier: GPL-3.0-or-later
// The password path for real: a GNOME Keyring daemon on a private session bus (scripts/keyring-test.sh), and
// tickwell-cli's sync commands against a real Radicale. Skipped unless run that way.
#include "SyncTestUtil.h"

#include "platform/KeychainSecretStore.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

namespace {

class SyncKeyring : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("TW_PRIVATE_KEYRING"))
            GTEST_SKIP() << "runs on a private keyring (scripts/keyring-test.sh)";
    }
};

struct CliRun
{
    int code = -1;
    QString out, err;
};

// tickwell-cli with `input` on its standard input (the password, for setup).
CliRun Cli(const QStringList& args, const QByteArray& input = {}, QProcess* keep = nullptr)
{
    QProcess local;
    QProcess& p = keep ? *keep : local;
    p.start(QStringLiteral(TW_CLI_PATH), args);
    p.write(input);
    p.closeWriteChannel();
    if (keep)
        return {};
    p.waitForFinished(120000);
    return { p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError()) };
}

int ResourcesOn(const DavServer& server)
{
    int n = 0;
    QDirIterator it(server.StoragePath(), { QStringLiteral("*.ics") }, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        ++n;
    }
    return n;
}

TEST_F(SyncKeyring, TheStoreKeepsReadsAndForgetsAPassword)
{
    KeychainSecretStore store(QStringLiteral("TickwellTest"));
    const auto call = [&](const std::function<void(ISecretStore::Done)>& f) {
        return Await<SecretResult>([&](auto done) { f(done); });
    };
    EXPECT_EQ(call([&](auto d) { store.Read(QStringLiteral("alice@dav"), d); }).status, SecretResult::NotFound);
    EXPECT_EQ(call([&](auto d) { store.Write(QStringLiteral("alice@dav"), QStringLiteral("密码 1"), d); }).status,
        SecretResult::Ok);
    const SecretResult read = call([&](auto d) { store.Read(QStringLiteral("alice@dav"), d); });
    EXPECT_EQ(read.status, SecretResult::Ok);
    EXPECT_EQ(read.secret, QStringLiteral("密码 1"));
    EXPECT_EQ(call([&](auto d) { store.Remove(QStringLiteral("alice@dav"), d); }).status, SecretResult::Ok);
    EXPECT_EQ(call([&](auto d) { store.Remove(QStringLiteral("alice@dav"), d); }).status, SecretResult::Ok);
    EXPECT_EQ(call([&](auto d) { store.Read(QStringLiteral("alice@dav"), d); }).status, SecretResult::NotFound);
}

TEST_F(SyncKeyring, TheCommandLineSetsUpSyncsSurvivesAKillAndForgets)
{
    DavServer server(DavServer::Kind::Radicale);
    QString error;
    ASSERT_TRUE(server.Start(&error)) << error.toStdString();
    QTemporaryDir one, two;
    const QStringList inOne = { QStringLiteral("--data-dir"), one.path() };
    const QStringList inTwo = { QStringLiteral("--data-dir"), two.path() };
    const QStringList setup = { QStringLiteral("sync"), QStringLiteral("setup"), server.BaseUrl(),
        QStringLiteral("--user"), server.User() };

    CliRun r = Cli(setup + inOne, "wrong\n");
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("用户名或密码错误"))) << r.err.toStdString();
    r = Cli(setup + inOne, server.Password().toUtf8() + '\n');
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(server.BaseUrl())) << r.out.toStdString();
    ASSERT_EQ(Cli(setup + inTwo, server.Password().toUtf8()).code, 0);
    // The password is in the keyring and nowhere in the data folder.
    QFile state(SyncState::FilePath(one.path()));
    ASSERT_TRUE(state.open(QIODevice::ReadOnly));
    EXPECT_FALSE(state.readAll().contains(server.Password().toUtf8()));
    state.close();

    constexpr int kTasks = 60;
    for (int i = 0; i < kTasks; ++i) {
        ASSERT_EQ(Cli(QStringList { QStringLiteral("add"), QStringLiteral("任务%1").arg(i), QStringLiteral("--date"),
                          QStringLiteral("2030-01-01") }
                      + inOne)
                      .code,
            0);
    }
    r = Cli(QStringList { QStringLiteral("sync"), QStringLiteral("status") } + inOne);
    EXPECT_TRUE(r.out.contains(QStringLiteral("待上传的变更：%1").arg(kTasks))) << r.out.toStdString();

    // Killed while it sends: neither file is torn, and the next sync completes without a duplicate.
    QProcess killed;
    Cli(QStringList { QStringLiteral("sync") } + inOne, {}, &killed);
    QElapsedTimer waited;
    waited.start();
    while (ResourcesOn(server) < 10 && waited.elapsed() < 60000 && killed.state() == QProcess::Running)
        killed.waitForFinished(20);
    killed.kill();
    killed.waitForFinished(5000);
    EXPECT_LT(ResourcesOn(server), kTasks) << "the sync ended before it could be killed";
    SyncState afterKill;
    EXPECT_TRUE(afterKill.Load(SyncState::FilePath(one.path()), &error)) << error.toStdString();
    r = Cli(QStringList { QStringLiteral("sync") } + inOne);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(ResourcesOn(server), kTasks);
    r = Cli(QStringList { QStringLiteral("sync") } + inTwo);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.trimmed(), QStringLiteral("上传 0，下载 %1，删除 0").arg(kTasks));

    r = Cli(QStringList { QStringLiteral("sync"), QStringLiteral("status") } + inOne);
    EXPECT_TRUE(r.out.contains(QStringLiteral("待上传的变更：0"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(server.User())) << r.out.toStdString();

    r = Cli(QStringList { QStringLiteral("sync"), QStringLiteral("forget") } + inOne);
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(SyncState::FilePath(one.path())));
    r = Cli(QStringList { QStringLiteral("sync") } + inOne);
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("尚未设置同步账户"))) << r.err.toStdString();
    // The other folder keeps its account and password.
    r = Cli(QStringList { QStringLiteral("sync") } + inTwo);
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
}

}  // namespace
