// SPDX-License-Identifier: GPL-3.0-or-later
// tickwell-cli changing tasks: through a real running program when there is one, by itself otherwise.
#include "CliRun.h"
#include "support/DataFileText.h"
#include "support/RealProgram.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace {

QString ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// A private account with its data folder; the program and tickwell-cli both run in it.
class Account
{
public:
    Account() { QDir().mkpath(Data()); }
    QString Data() const { return m_root.filePath(QStringLiteral("data")); }
    QString File() const { return ReadAll(Data() + QStringLiteral("/twdata.xml")); }

    // tickwell-cli on the account's data folder, started; Run() or Finish() it.
    std::unique_ptr<RealProgram> StartCli(QStringList args) const
    {
        auto cli = std::make_unique<RealProgram>(QStringLiteral(TW_CLI_PATH), PrivateAccountEnv(m_root.path()));
        cli->Start(args << QStringLiteral("--data-dir") << Data());
        return cli;
    }
    CliRun Cli(const QStringList& args) const { return Finish(*StartCli(args)); }
    static CliRun Finish(RealProgram& cli)
    {
        const int code = cli.Finish(60000);
        return { code, cli.Out(), cli.Err() };
    }
    // The program, up once its single-instance endpoint answers.
    void Start()
    {
        m_app.Process().setProcessChannelMode(QProcess::ForwardedErrorChannel);
        ASSERT_TRUE(m_app.Start({ QStringLiteral("--data-dir"), Data() }));
        ASSERT_TRUE(WaitUntilUp(m_root.path())) << "the program did not open its channel";
    }
    bool Running() const { return m_app.Running(); }

private:
    QTemporaryDir m_root;
    RealProgram m_app { QStringLiteral(TW_APP_PATH), PrivateAccountEnv(m_root.path()) };
};

// Two tickwell-cli add at once, as from two shells: both land, with different keys.
void RaceTwoAdds(const Account& account)
{
    const auto a = account.StartCli(
        { QStringLiteral("add"), QStringLiteral("甲任务"), QStringLiteral("--time"), QStringLiteral("1小时后") });
    const auto b = account.StartCli(
        { QStringLiteral("add"), QStringLiteral("乙任务"), QStringLiteral("--time"), QStringLiteral("1小时后") });
    const CliRun ra = Account::Finish(*a), rb = Account::Finish(*b);
    ASSERT_EQ(ra.code, 0) << ra.err.toStdString();
    ASSERT_EQ(rb.code, 0) << rb.err.toStdString();
    EXPECT_NE(ra.out.section(QLatin1Char('\t'), 0, 0), rb.out.section(QLatin1Char('\t'), 0, 0));
    const QString list = account.Cli({ QStringLiteral("list") }).out;
    EXPECT_TRUE(list.contains(QStringLiteral("甲任务")) && list.contains(QStringLiteral("乙任务")))
        << list.toStdString();
}

}  // namespace

TEST(CliTasks, ThroughTheRunningProgram)
{
    Account account;
    {
        QFile f(account.Data() + QStringLiteral("/twdata.xml"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(OneTaskDataFile(
            WholeSecondsFromNow(3600), QStringLiteral("Desc=\"等着完成\""), QStringLiteral("EnableLog=\"true\"")));
    }
    account.Start();

    CliRun r = account.Cli(
        { QStringLiteral("add"), QStringLiteral("构建结束后看结果"), QStringLiteral("--date"), QStringLiteral("明天"),
            QStringLiteral("--time"), QStringLiteral("10:00"), QStringLiteral("--category"), QStringLiteral("工作") });
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QString tomorrow = QDate::currentDate().addDays(1).toString(QStringLiteral("yyyy-MM-dd"));
    EXPECT_EQ(r.out, QStringLiteral("T02\t%1 10:00:00\n").arg(tomorrow));
    // The program's own list answers, and the program saved it.
    r = account.Cli({ QStringLiteral("list") });
    EXPECT_TRUE(
        r.out.contains(QStringLiteral("T02\t未发生\t%1 10:00:00\t%1\t10:00:00\t构建结束后看结果").arg(tomorrow)))
        << r.out.toStdString();
    EXPECT_TRUE(account.File().contains(QStringLiteral("构建结束后看结果")));

    r = account.Cli({ QStringLiteral("done"), QStringLiteral("T01") });
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("T01\t已完成"))) << r.out.toStdString();
    EXPECT_TRUE(ReadAll(account.Data() + QStringLiteral("/tickwell.log")).contains(QStringLiteral("已完成 - T01")));

    RaceTwoAdds(account);
    EXPECT_TRUE(account.File().contains(QStringLiteral("乙任务")));
    // sync is answered by the program too; this folder has no account.
    r = account.Cli({ QStringLiteral("sync") });
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, QStringLiteral("这个数据文件夹没有设置同步帐户。\n"));
    EXPECT_TRUE(account.Running());
}

TEST(CliTasks, WithoutAProgramTheFileIsEditedUnderTheLock)
{
    Account account;
    CliRun r = account.Cli(
        { QStringLiteral("add"), QStringLiteral("离线添加"), QStringLiteral("--time"), QStringLiteral("2小时后") });
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(account.File().contains(QStringLiteral("离线添加")));
    EXPECT_FALSE(QFile::exists(account.Data() + QStringLiteral("/twdata.lock")));
    r = account.Cli({ QStringLiteral("add"), QStringLiteral("x"), QStringLiteral("--date"), QStringLiteral("13月") });
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, QStringLiteral("请填写正确的日期\n"));  // the editor's message
    RaceTwoAdds(account);

    account.Start();
    r = account.Cli({ QStringLiteral("list") });
    EXPECT_TRUE(r.out.contains(QStringLiteral("T01\t未发生")) && r.out.contains(QStringLiteral("离线添加")))
        << r.out.toStdString();
}
