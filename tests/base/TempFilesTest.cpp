// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/TempFiles.h"
#include "base/AppPaths.h"
#include "core/CTask.h"
#include "support/TestEnv.h"

#include <QFile>
#include <QFileInfo>

TEST(TempFiles, ScriptIsUniqueExecutableAndGoneAfterQuit)
{
    ProgramFolderGuard folder;
    const QString a = CreateTempFile(kTempFilePrefix, ".sh", QStringLiteral("echo 一\r\nexit 1"));
    const QString b = CreateTempFile(kTempFilePrefix, "sh", QString());
    ASSERT_FALSE(a.isEmpty());
    ASSERT_FALSE(b.isEmpty());
    EXPECT_NE(a, b);
    const QFileInfo fi(a);
    EXPECT_EQ(fi.absolutePath(), AppPaths::TempFolder());
    EXPECT_TRUE(fi.fileName().startsWith(kTempFilePrefix));
    EXPECT_EQ(fi.suffix(), "sh");
    EXPECT_TRUE(fi.isExecutable());
    QFile f(a);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QStringLiteral("echo 一\nexit 1\n").toUtf8());  // /bin/sh needs Unix line ends
    f.close();

    QFile::remove(b);  // already gone: ignored
    DeleteTempFiles();
    EXPECT_FALSE(QFile::exists(a));
    EXPECT_TRUE(RegisteredTempFiles().isEmpty());
}

TEST(TempFiles, FailsCleanlyWhenTheFolderCannotBeMade)
{
    ProgramFolderGuard folder;
    QFile blocker(folder.file("plain"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    AppPaths::SetTempFolder(folder.file("plain/sub"));  // the parent is a regular file
    EXPECT_EQ(CreateTempFile(kTempFilePrefix, ".sh", "echo"), QString());
    EXPECT_EQ(CreateTempFile("../x", ".sh", "echo"), QString());
    EXPECT_TRUE(RegisteredTempFiles().isEmpty());
}
