#include "model/Common.h"
#include "model/AppPaths.h"
#include "support/TestEnv.h"

TEST(Common, StartsAndEndsWithIgnoreCase)
{
    EXPECT_TRUE(EndsWith("page.HTML", ".html"));
    EXPECT_FALSE(EndsWith("htm", ".htm"));
    EXPECT_TRUE(StartsWith("Tickwell", "tick"));
    EXPECT_FALSE(StartsWith("ti", "tick"));
    EXPECT_TRUE(StartsWith("x", ""));
}

TEST(Common, AppRelativePathsRoundTrip)
{
    ProgramFolderGuard folder;
    const QString root = AppPaths::ProgramFolder();
    EXPECT_EQ(ToAppRelative(root + "/铃声/a.mid"), "铃声/a.mid");
    EXPECT_EQ(FromAppRelative("铃声/a.mid"), root + "/铃声/a.mid");
    EXPECT_EQ(ToAppRelative("/elsewhere/a.mid"), "/elsewhere/a.mid");
    EXPECT_EQ(FromAppRelative("/elsewhere/a.mid"), "/elsewhere/a.mid");
    EXPECT_EQ(FromAppRelative(QString()), QString());
    // A sibling folder whose name merely starts with the program folder's name stays absolute.
    EXPECT_EQ(ToAppRelative(root + "x/a.mid"), root + "x/a.mid");
    // File names are case-sensitive: another spelling is another folder.
    EXPECT_EQ(ToAppRelative(root.toUpper() + "/a.mid"), root.toUpper() + "/a.mid");
}

TEST(Common, ParentFolderAndDateParts)
{
    EXPECT_EQ(ParentFolder("/a/b/c.txt"), "/a/b");
    EXPECT_EQ(ParentFolder("c.txt"), QString());
    const Instant v = MakeInstant(2011, 12, 15, 10, 30);
    EXPECT_EQ(DateOnly(v), MakeInstant(2011, 12, 15));
    EXPECT_EQ(SecondsOfDay(TimeOnly(v)), 10 * 3600 + 30 * 60);
    EXPECT_EQ(DateOnly(NO_DATE + 3.5), NO_DATE);
    EXPECT_EQ(TimeOnly(NO_DATE), NO_DATE);
}
