// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Common.h"
#include "base/AppPaths.h"
#include "support/TestEnv.h"

TEST(Common, SuffixesAndAppRelativePaths)
{
    EXPECT_TRUE(EndsWith("page.HTML", ".html"));
    EXPECT_FALSE(EndsWith("htm", ".htm"));

    ProgramFolderGuard folder;
    const QString root = AppPaths::DataFolder();
    EXPECT_EQ(ToAppRelative(root + "/铃声/a.mid"), "铃声/a.mid");
    EXPECT_EQ(FromAppRelative("铃声/a.mid"), root + "/铃声/a.mid");
    EXPECT_EQ(FromAppRelative("/elsewhere/a.mid"), "/elsewhere/a.mid");
    EXPECT_EQ(FromAppRelative(QString()), QString());
    // A sibling whose name starts like the program folder, or another spelling of it, is another folder.
    EXPECT_EQ(ToAppRelative(root + "x/a.mid"), root + "x/a.mid");
    EXPECT_EQ(ToAppRelative(root.toUpper() + "/a.mid"), root.toUpper() + "/a.mid");
    EXPECT_EQ(ParentFolder("/a/b/c.txt"), "/a/b");
    EXPECT_EQ(ParentFolder("c.txt"), QString());
}
