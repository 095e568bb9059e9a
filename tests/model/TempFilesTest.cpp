#include "model/TempFiles.h"
#include "model/AppPaths.h"
#include "model/CTask.h"
#include "support/TestEnv.h"

#include <QFile>
#include <QFileInfo>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

}  // namespace

TEST(TempFiles, ScriptIsUniqueExecutableAndGoneAfterQuit)
{
    ProgramFolderGuard folder;
    const QString a = CreateTempFile(kTempFilePrefix, ".sh", QStringLiteral("echo 一\r\nexit 1"));
    const QString b = CreateTempFile(kTempFilePrefix, "sh", QStringLiteral("x"));
    ASSERT_FALSE(a.isEmpty());
    ASSERT_FALSE(b.isEmpty());
    EXPECT_NE(a, b);
    for (const QString& p : { a, b }) {
        QFileInfo fi(p);
        EXPECT_EQ(fi.absolutePath(), AppPaths::TempFolder());
        EXPECT_TRUE(fi.fileName().startsWith(kTempFilePrefix)) << p.toStdString();
        EXPECT_TRUE(fi.fileName().endsWith(".sh")) << p.toStdString();
        EXPECT_TRUE(fi.isExecutable());
    }
    // UTF-8 with Unix line ends and a final one, so /bin/sh reads every line.
    EXPECT_EQ(ReadAll(a), QStringLiteral("echo 一\nexit 1\n").toUtf8());

    DeleteTempFiles();
    EXPECT_FALSE(QFile::exists(a));
    EXPECT_FALSE(QFile::exists(b));
    EXPECT_TRUE(RegisteredTempFiles().isEmpty());
    DeleteTempFiles();  // nothing left: no error
}

TEST(TempFiles, EmptyContentAndOtherExtensions)
{
    ProgramFolderGuard folder;
    const QString p = CreateTempFile("zz", ".txt", QString());
    ASSERT_FALSE(p.isEmpty());
    EXPECT_EQ(ReadAll(p), QByteArray());
    EXPECT_FALSE(QFileInfo(p).isExecutable());
    QFile::remove(p);
    DeleteTempFiles();  // a file removed by someone else is ignored
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
