#include "app/CommandLine.h"

#include <gtest/gtest.h>

TEST(CommandLine, DashMAnywhereStartsMinimised)
{
    const QString exe = QStringLiteral("/opt/tw/tickwell");
    EXPECT_TRUE(ParseCommandLine({ exe, QStringLiteral("-m") }).minimised);
    EXPECT_TRUE(
        ParseCommandLine({ exe, QStringLiteral("extra"), QStringLiteral("words"), QStringLiteral("-m") }).minimised);
    EXPECT_FALSE(ParseCommandLine({ exe }).minimised);

    // Only the switch counts, not the letters inside a folder name; unknown switches are ignored.
    const StartOptions o = ParseCommandLine(
        { exe, QStringLiteral("--data-dir"), QStringLiteral("/home/a-music"), QStringLiteral("--future-option") });
    EXPECT_FALSE(o.minimised);
    EXPECT_EQ(o.dataDir, QStringLiteral("/home/a-music"));
    EXPECT_FALSE(o.help);
}
