// SPDX-License-Identifier: GPL-3.0-or-later
// tickwell-cli from cron, ssh or su, where the session names no runtime folder: it takes the one a program
// started there would use, and prints only its own messages.
#include "CliRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

int Mode(const QString& path)
{
    struct stat st
    {
    };
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

}  // namespace

TEST(QuietCli, WithoutARuntimeFolderOnlyItsOwnMessagesArePrinted)
{
    enum class Before { Nothing, OpenFolder, LinkToFolder };
    const struct
    {
        Before before;
        bool taken;  // the folder serves as the runtime folder, made private
    } rows[] = { { Before::Nothing, true }, { Before::OpenFolder, true }, { Before::LinkToFolder, false } };
    for (const auto& row : rows) {
        QTemporaryDir root;
        QProcessEnvironment env = PrivateAccountEnv(root.path(), false);
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        const QString tmp = root.filePath(QStringLiteral("tmp"));
        env.insert(QStringLiteral("TMPDIR"), tmp);
        QDir().mkpath(tmp);
        const QString elsewhere = root.filePath(QStringLiteral("elsewhere"));
        QDir().mkpath(elsewhere);
        QFile::setPermissions(elsewhere,
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther
                | QFileDevice::ExeOther);
        const QString data = root.filePath(QStringLiteral("data"));
        QDir().mkpath(data);
        QFile file(data + QStringLiteral("/twdata.xml"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tasks ver=\"100000\" types=\"\"/>\n");
        file.close();

        auto run = [&](const QStringList& args) {
            return RunProgram(
                QStringLiteral(TW_CLI_PATH), QStringList(args) << QStringLiteral("--data-dir") << data, env);
        };
        // The name Qt gives the folder, found by asking: the first run makes it when nothing is there.
        const CliRun first = run({ QStringLiteral("list") });
        const QStringList made = QDir(tmp).entryList({ QStringLiteral("runtime-*") }, QDir::Dirs);
        ASSERT_EQ(made.size(), 1) << first.err.toStdString();
        const QString folder = QDir(tmp).filePath(made.first());
        if (row.before != Before::Nothing) {
            QDir(folder).removeRecursively();
            if (row.before == Before::OpenFolder) {
                QDir().mkdir(folder);
                QFile::setPermissions(folder, QFile::permissions(elsewhere));
            } else {
                QFile::link(elsewhere, folder);
            }
        }
        const CliRun r = row.before == Before::Nothing ? first : run({ QStringLiteral("list") });
        const int rowNo = int(&row - rows);
        EXPECT_EQ(r.code, 0) << rowNo << r.err.toStdString();
        EXPECT_FALSE(r.err.contains(QStringLiteral("QStandardPaths"))) << rowNo << r.err.toStdString();
        EXPECT_EQ(r.err.isEmpty(), row.taken) << rowNo << r.err.toStdString();
        EXPECT_EQ(Mode(row.taken ? folder : elsewhere), row.taken ? 0700 : 0705) << rowNo;
        EXPECT_TRUE(QDir(elsewhere).isEmpty()) << rowNo;
    }
}
