// SPDX-License-Identifier: GPL-3.0-or-later
// The command-line tools speak the language of the data file's setting, else the system's; what scripts read
// (dates, the list's columns) is the same in every language.
#include "base/AppVersion.h"
#include "support/English.h"
#include "support/RealProgram.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A private account under `root`: nothing of the user's data or of a running program is reached.
ProgramRun Start(const char* program, const char* lang, const QStringList& args, const QString& root)
{
    QProcessEnvironment env = PrivateAccountEnv(root, false);
    for (const char* name : { "LANGUAGE", "LC_ALL", "LC_MESSAGES" })
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("LANG"), QString::fromLatin1(lang));
    env.insert(QStringLiteral("TZ"), QStringLiteral("Asia/Shanghai"));
    return RunProgram(QString::fromUtf8(program), args, env);
}

// Chinese left once the expressions the examples show (data) are taken out.
bool HasChineseBesidesData(QString text)
{
    for (const char* data :
        { "每周135", "30分钟后", "10分钟后", "10分钟", "每天", "今天", "闰", "低", "普通", "高", "紧急" })
        text.remove(QString::fromUtf8(data));
    return HasChinese(text);
}

}  // namespace

TEST(EnglishCli, MessagesFollowTheSettingThenTheSystemAndOutputStaysTheSame)
{
    const char* en = "en_US.UTF-8";
    const char* c = "C.UTF-8";
    const char* cli = TW_CLI_PATH;
    const char* app = TW_APP_PATH;
    const struct
    {
        const char* program;
        const char* stored;  // the data file's language setting; nullptr: no data file
        const char* lang;
        QStringList args;
        int code;
        const char* out;  // the whole output, or a part of it ending in "…"; %v is the version
        const char* err;
    } cases[] = {
        { cli, nullptr, en, { "--help" }, 0, "tickwell-cli: the command-line tool of Tickwell\n…", "" },
        { cli, nullptr, en, { "lunar", "2012-06-04" }, 0, "2012-4-15 闰\n", "" },
        { cli, nullptr, en, { "when", "--now", "2011-12-15 11:00:00", "每天", "10:00" }, 0, "2011-12-16 10:00:00\n",
            "" },
        { cli, nullptr, en, { "when", "--now", "2011-12-15 11:00:00", "every Mon Wed Fri", "9am" }, 0,
            "2011-12-16 09:00:00\n", "" },
        { cli, nullptr, c, { "when", "--now", "2011-12-15 11:00:00", "every Funday", "9am" }, 2, "",
            "请填写正确的日期\n" },
        { cli, nullptr, en, { "when", "x" }, 2, "",
            "Give two expressions, a date and a time, for example: tickwell-cli when 每周135 9:00\n" },
        { cli, "en", c, { "list", "extra" }, 2, "", "list takes no arguments: extra\n" },
        { cli, "zh", en, { "list", "extra" }, 2, "", "list 不需要参数：extra\n" },
        { cli, "en", c, { "add", "x", "--priority", "bogus" }, 2, "",
            "The priority must be low, normal, high or urgent (or 低, 普通, 高, 紧急, 0 to 3): bogus\n" },
        { cli, "en", c, { "add", "x", "--priority", "High", "--date", "2030-1-1", "--time", "9:00" }, 0,
            "T01\t2030-01-01 09:00:00\n", "" },
        { app, nullptr, en, { "--help" }, 0, "Usage: tickwell [options]\n…", "" },
        { app, nullptr, en, { "--version" }, 0, "Tickwell %v\n", "" },
        { app, "en", c, { "--bogus" }, 2, "", "tickwell: Unknown option: --bogus\n\nUsage: tickwell [options]\n…" },
    };
    for (const auto& k : cases) {
        QTemporaryDir dir;
        QStringList args = k.args;
        if (k.stored) {
            QFile file(dir.filePath(QStringLiteral("twdata.xml")));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(
                QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tasks lang=\"") + k.stored + "\"></tasks>\n");
            file.close();
            // The program reads its options in order and stops at a bad one.
            const QStringList option = { QStringLiteral("--data-dir"), dir.path() };
            args = k.program == app ? option + args : args + option;
        }
        const ProgramRun r = Start(k.program, k.lang, args, dir.path());
        const std::string name = args.join(u' ').toStdString();
        EXPECT_EQ(r.code, k.code) << name << '\n' << r.err.toStdString();
        for (const auto& [got, want] : { std::pair(r.out, k.out), std::pair(r.err, k.err) }) {
            QString expected = QString::fromUtf8(want).replace(QStringLiteral("%v"), AppVersionText());
            if (expected.endsWith(u'…'))
                EXPECT_TRUE(got.startsWith(expected.chopped(1))) << name << '\n' << got.toStdString();
            else
                EXPECT_EQ(got, expected) << name;
        }
        if (k.args.first() == u"--help") {
            EXPECT_FALSE(HasChineseBesidesData(r.out)) << r.out.toStdString();
        }
    }
}

// English typed to add is kept, and listed, in Chinese; the alarm offset too.
TEST(EnglishCli, AddKeepsEnglishExpressionsInChinese)
{
    QTemporaryDir dir;
    const QStringList data = { QStringLiteral("--data-dir"), dir.path() };
    const ProgramRun added = Start(TW_CLI_PATH, "en_US.UTF-8",
        QStringList { "add", "x", "--date", "every weekday", "--time", "9am", "--alarm", "15 minutes earlier" } + data,
        dir.path());
    ASSERT_EQ(added.code, 0) << added.err.toStdString();
    const QDateTime due
        = QDateTime::fromString(added.out.section(u'\t', 1).trimmed(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    ASSERT_TRUE(due.isValid()) << added.out.toStdString();
    const ProgramRun listed = Start(TW_CLI_PATH, "en_US.UTF-8", QStringList { "list" } + data, dir.path());
    EXPECT_EQ(listed.out.section(u'\t', 2),
        due.addSecs(-15 * 60).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
            + QStringLiteral("\t每周12345\t9:00:00\tx\n"));
}
