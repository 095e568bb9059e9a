// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include <gtest/gtest.h>

TEST(CommandLine, DashMAnywhereStartsMinimised)
{
    const QString exe = QStringLiteral("/opt/tw/tickwell");
    EXPECT_TRUE(ParseCommandLine({ exe, QStringLiteral("-m") }).minimised);
    EXPECT_TRUE(
        ParseCommandLine({ exe, QStringLiteral("extra"), QStringLiteral("words"), QStringLiteral("-m") }).minimised);
    EXPECT_FALSE(ParseCommandLine({ exe }).minimised);

    // Only the switch counts, not the letters inside a folder name.
    const StartOptions o = ParseCommandLine({ exe, QStringLiteral("--data-dir"), QStringLiteral("/home/a-music") });
    EXPECT_FALSE(o.minimised);
    EXPECT_EQ(o.dataDir, QStringLiteral("/home/a-music"));
    EXPECT_EQ(o.action, StartOptions::Action::Run);
}

TEST(CommandLine, ActionsAndUsageErrors)
{
    using A = StartOptions::Action;
    const struct
    {
        QStringList args;
        A action;
        const char* dataDir;
    } cases[] = {
        { { QStringLiteral("--help") }, A::Help, "" },
        { { QStringLiteral("-h"), QStringLiteral("-m") }, A::Help, "" },
        { { QStringLiteral("--version") }, A::Version, "" },
        { { QStringLiteral("--data-dir=/d") }, A::Run, "/d" },
        // Qt's own options are left to the application object, with their values.
        { { QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("--style=Fusion"),
              QStringLiteral("-session"), QStringLiteral("1a2b"), QStringLiteral("-reverse") },
            A::Run, "" },
        { { QStringLiteral("--future-option") }, A::UsageError, "" },
        { { QStringLiteral("-x") }, A::UsageError, "" },
        { { QStringLiteral("--data-dir") }, A::UsageError, "" },
        { { QStringLiteral("--data-dir=") }, A::UsageError, "" },
        { { QStringLiteral("--data-dir"), QString() }, A::UsageError, "" },
    };
    for (const auto& c : cases) {
        const StartOptions o = ParseCommandLine(QStringList { QStringLiteral("tickwell") } + c.args);
        EXPECT_EQ(o.action, c.action) << c.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(o.dataDir, QString::fromUtf8(c.dataDir));
        EXPECT_EQ(o.error.isEmpty(), c.action != A::UsageError);
    }
}
