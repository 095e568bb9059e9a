// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the built tickwell-cli and checks what it prints and how it exits.
#include "support/RealProgram.h"

#include <QDateTime>
#include <gtest/gtest.h>

#include <string>

namespace {

struct CliRun
{
    int code = -1;
    std::string out;
    std::string err;
};

CliRun Cli(const QStringList& args, const char* tz = "Asia/Shanghai")
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TZ"), QString::fromUtf8(tz));
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    const ProgramRun r = RunProgram(QStringLiteral(TW_CLI_PATH), args, env);
    return { r.code, r.out.toStdString(), r.err.toStdString() };
}

QStringList When(const char* now, std::initializer_list<const char*> rest)
{
    QStringList args { QStringLiteral("when"), QStringLiteral("--now"), QString::fromUtf8(now) };
    for (const char* a : rest)
        args << QString::fromUtf8(a);
    return args;
}

}  // namespace

TEST(CliWhen, NextDueMoment)
{
    CliRun r = Cli(When("2011-12-15 11:00:00", { "每天", "10:00" }));
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "2011-12-16 10:00:00\n");

    EXPECT_EQ(Cli(When("2011-12-15 11:00:00", { "今天", "10:00" })).out, "2011-12-15 10:00:00\n");
    EXPECT_EQ(Cli(When("2013-03-01 09:00:00", { "每年2-29", "10:00" })).out, "2016-02-29 10:00:00\n");
    EXPECT_EQ(Cli(When("2011-12-15 11:00:00", { "--", "10:00" })).out, "--\n");
    EXPECT_EQ(Cli({ QStringLiteral("when"), QStringLiteral("--now=2011-12-15 11:00:00"), QStringLiteral("农历每年8-15"),
                      QStringLiteral("9:00") })
                  .out,
        "2012-09-30 09:00:00\n");
}

TEST(CliWhen, SuccessiveOccurrences)
{
    CliRun r = Cli(When("2011-12-15 11:00:00", { "--count", "4", "每周135", "9:00" }));
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "2011-12-16 09:00:00\n2011-12-19 09:00:00\n2011-12-21 09:00:00\n2011-12-23 09:00:00\n");

    r = Cli(When("2011-12-15 10:45:00", { "每天", "每2小时30:0", "--count", "3" }));
    EXPECT_EQ(r.out, "2011-12-15 12:30:00\n2011-12-15 14:30:00\n2011-12-15 16:30:00\n");

    r = Cli(When("2012-01-15 08:00:00", { "--count", "3", "每月-1天", "8:00" }));
    EXPECT_EQ(r.out, "2012-01-31 08:00:00\n2012-02-29 08:00:00\n2012-03-31 08:00:00\n");

    // Not recurring, or no due moment: one line whatever the count.
    EXPECT_EQ(Cli(When("2011-12-15 11:00:00", { "--count", "5", "3天后", "9:00" })).out, "2011-12-18 09:00:00\n");
    EXPECT_EQ(Cli(When("2011-12-15 11:00:00", { "--count", "5", "每天", "--" })).out, "--\n");
    // From 2173-10-14 on a moment is "--", as everywhere in the program, and the series ends there.
    EXPECT_EQ(Cli(When("9997-12-15 11:00:00", { "--count", "5", "每年", "9:00" })).out, "--\n");
}

// Instants are wall-clock; a time inside the spring-forward gap is still one occurrence a day.
TEST(CliWhen, DaylightSavingZone)
{
    CliRun r = Cli(When("2012-03-10 03:00:00", { "--count", "3", "每天", "02:30" }), "America/New_York");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "2012-03-11 02:30:00\n2012-03-12 02:30:00\n2012-03-13 02:30:00\n");
}

TEST(CliWhen, UnreadableInputExitsWithTwo)
{
    CliRun r = Cli(When("2011-12-15 11:00:00", { "abc", "10:00" }));
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "请填写正确的日期\n");

    r = Cli(When("2011-12-15 11:00:00", { "每年2-30", "10:00" }));
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "请填写正确的日期\n");

    r = Cli(When("2011-12-15 11:00:00", { "今天", "25:00" }));
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "请填写正确的时间!\n");

    r = Cli(When("2011-12-15 11:00:00", { "每天", "每小时75" }));
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "请填写正确的时间!\n");

    // Bad options and missing texts.
    for (const QStringList& args :
        { When("2011-12-15", { "每天", "10:00" }), When("2011-02-30 10:00:00", { "每天", "10:00" }),
            When("2011-12-15 11:00:00", { "--count", "0", "每天", "10:00" }),
            When("2011-12-15 11:00:00", { "--count", "x", "每天", "10:00" }), When("2011-12-15 11:00:00", { "每天" }),
            When("2011-12-15 11:00:00", { "每天", "10:00", "extra" }),
            QStringList { QStringLiteral("when"), QStringLiteral("--now") } }) {
        r = Cli(args);
        EXPECT_EQ(r.code, 2) << args.join(u' ').toStdString();
        EXPECT_EQ(r.out, "") << args.join(u' ').toStdString();
        EXPECT_FALSE(r.err.empty()) << args.join(u' ').toStdString();
    }
}

TEST(CliWhen, WithoutNowUsesTheSystemClock)
{
    CliRun r = Cli({ QStringLiteral("when"), QStringLiteral("每天"), QStringLiteral("每小时") });
    EXPECT_EQ(r.code, 0) << r.err;
    const QDateTime printed
        = QDateTime::fromString(QString::fromStdString(r.out).trimmed(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    ASSERT_TRUE(printed.isValid()) << r.out;
    const qint64 ahead = QDateTime::currentDateTime().secsTo(printed);
    EXPECT_GT(ahead, 3500);
    EXPECT_LE(ahead, 3601);
}

TEST(CliLunar, SolarToLunarAndBack)
{
    CliRun r = Cli({ QStringLiteral("lunar"), QStringLiteral("2012-06-04") });
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "2012-4-15 闰\n");
    EXPECT_EQ(Cli({ QStringLiteral("lunar"), QStringLiteral("2012-09-30") }).out, "2012-8-15\n");
    EXPECT_EQ(
        Cli({ QStringLiteral("solar"), QStringLiteral("2012-4-15"), QStringLiteral("--leap") }).out, "2012-06-04\n");
    EXPECT_EQ(Cli({ QStringLiteral("solar"), QStringLiteral("2012-4-15") }).out, "2012-05-05\n");

    for (const QStringList& args : { QStringList { QStringLiteral("lunar"), QStringLiteral("2012-02-30") },
             QStringList { QStringLiteral("lunar"), QStringLiteral("1800-01-01") },
             QStringList { QStringLiteral("lunar") },
             QStringList { QStringLiteral("solar"), QStringLiteral("2011-4-1"), QStringLiteral("--leap") },
             QStringList { QStringLiteral("solar"), QStringLiteral("2060-1-1") } }) {
        r = Cli(args);
        EXPECT_EQ(r.code, 2) << args.join(u' ').toStdString();
        EXPECT_FALSE(r.err.empty());
    }
}

TEST(CliHelp, ListsEveryCommand)
{
    CliRun r = Cli({ QStringLiteral("--help") });
    EXPECT_EQ(r.code, 0);
    for (const char* name : { "when", "lunar", "solar" })
        EXPECT_NE(r.out.find(std::string("  ") + name + " "), std::string::npos) << name;
    EXPECT_NE(r.out.find("每天 10:00"), std::string::npos);
    EXPECT_EQ(Cli({ QStringLiteral("nosuch") }).code, 2);
}

// From 2173-10-14 on, every moment is shown as "--" by the data file, the list and the formatters.
TEST(CliWhen, MomentsFromNoDateOnAreDashes)
{
    const struct
    {
        const char* now;
        std::initializer_list<const char*> rest;
        const char* out;
    } cases[] = {
        { "2173-10-13 11:00:00", { "明天", "10:00" }, "--\n" },
        { "2173-10-12 11:00:00", { "2200-1-1", "10:00" }, "--\n" },
        { "2173-10-12 11:00:00", { "明天", "10:00" }, "2173-10-13 10:00:00\n" },
    };
    for (const auto& c : cases) {
        const CliRun r = Cli(When(c.now, c.rest));
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, c.out) << c.now;
    }
}

TEST(CliHelp, VersionAndUnknownOptions)
{
    CliRun r = Cli({ QStringLiteral("--version") });
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out.rfind("tickwell-cli", 0), 0u) << r.out;
    r = Cli({ QStringLiteral("--bogus") });
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("未知选项：--bogus"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("用法"), std::string::npos);
    EXPECT_TRUE(r.out.empty());
}
