// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/RunCmd.h"
#include "base/AppPaths.h"
#include "platform/XdgDesktopOpener.h"
#include "support/FakeGuard.h"
#include "support/RecordingOpener.h"
#include "support/TestEnv.h"
#include "support/Wait.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <optional>

namespace {

using PowerHandlerGuard = SlotGuard<&CurrentPowerCommandHandler, &SetPowerCommandHandler>;

QString ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void WriteScript(const QString& path, const QByteArray& body)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n" + body + "\n");
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
}

}  // namespace

TEST(RunCmd, SplitsFileFromParametersAndDefaultsToTheProgramFolder)
{
    ProgramFolderGuard folder;
    OpenerGuard opener;

    EXPECT_FALSE(RunCmd(QString(), QString()));
    EXPECT_TRUE(opener->calls.empty());

    EXPECT_TRUE(RunCmd(QStringLiteral("/home/u/notes.txt"), QString()));
    ASSERT_EQ(opener->calls.size(), 1u);
    EXPECT_EQ(opener->calls[0].file, QStringLiteral("/home/u/notes.txt"));
    EXPECT_EQ(opener->calls[0].parameters, QString());
    EXPECT_EQ(opener->calls[0].dir, AppPaths::DataFolder());
    EXPECT_EQ(opener->calls[0].show, ShowState::Normal);

    // A quoted first word keeps its quotes; everything after the blanks is the parameters.
    EXPECT_TRUE(RunCmd(QStringLiteral("\"/opt/my tools/run\"   --fast  \"a b\""), QStringLiteral("/srv")));
    EXPECT_EQ(opener->calls[1].file, QStringLiteral("\"/opt/my tools/run\""));
    EXPECT_EQ(opener->calls[1].parameters, QStringLiteral("--fast  \"a b\""));
    EXPECT_EQ(opener->calls[1].dir, QStringLiteral("/srv"));

    // A leading "-" starts the program hidden and is not part of it; the opener's answer is the result.
    opener->result = false;
    EXPECT_FALSE(RunCmd(QStringLiteral("-backup.sh --all"), QStringLiteral("/srv")));
    EXPECT_EQ(opener->calls[2].file, QStringLiteral("backup.sh"));
    EXPECT_EQ(opener->calls[2].parameters, QStringLiteral("--all"));
    EXPECT_EQ(opener->calls[2].show, ShowState::Hidden);

    // An unbalanced quote does not split.
    RunCmd(QStringLiteral("\"half quoted arg"), QString());
    EXPECT_EQ(opener->calls[3].file, QStringLiteral("\"half quoted arg"));
    EXPECT_EQ(opener->calls[3].parameters, QString());
}

TEST(RunCmd, PowerCommandsGoToTheHandlerOrAreRefused)
{
    OpenerGuard opener;
    EXPECT_FALSE(RunCmd(QStringLiteral("@shutdown 60"), QString()));

    QStringList seen;
    PowerHandlerGuard power([&seen](const QString& cmd) {
        seen << cmd;
        return true;
    });
    EXPECT_TRUE(RunCmd(QStringLiteral("@shutdown 60"), QString()));
    EXPECT_TRUE(RunCmd(QStringLiteral("-@restart"), QString()));
    EXPECT_EQ(seen, QStringList({ QStringLiteral("@shutdown 60"), QStringLiteral("@restart") }));
    EXPECT_TRUE(opener->calls.empty());
}

// The desktop opener itself, with the desktop's opener program replaced by a script that writes down what
// it was asked to open: only harmless programs really run.
class XdgOpenerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_recorder = m_dir.filePath(QStringLiteral("fake-opener"));
        WriteScript(m_recorder, "printf '%s\\n' \"$@\" > \"$(dirname \"$0\")/opened.txt\"");
        m_opener.emplace(m_recorder);
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    QString m_recorder;
    std::optional<FakeGuard<XdgDesktopOpener, IDesktopOpener>> m_opener;
};

TEST_F(XdgOpenerTest, StartsProgramsWithTheirParametersInTheStartFolder)
{
    // A program found on PATH, run in the start folder.
    EXPECT_TRUE(RunCmd(QStringLiteral("touch made.txt \"with blank.txt\""), m_dir.path()));
    EXPECT_TRUE(WaitForFile(Path(QStringLiteral("made.txt"))));
    EXPECT_TRUE(WaitForFile(Path(QStringLiteral("with blank.txt"))));

    // A quoted path with blanks to an executable script.
    WriteScript(Path(QStringLiteral("my tool.sh")), "touch \"$1\"");
    EXPECT_TRUE(
        RunCmd(QLatin1Char('"') + Path(QStringLiteral("my tool.sh")) + QStringLiteral("\" out.txt"), m_dir.path()));
    EXPECT_TRUE(WaitForFile(Path(QStringLiteral("out.txt"))));
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("opened.txt"))));
}

TEST_F(XdgOpenerTest, HandsDocumentsAndAddressesToTheDesktopOpener)
{
    QFile doc(Path(QStringLiteral("notes.txt")));
    ASSERT_TRUE(doc.open(QIODevice::WriteOnly));
    doc.close();

    const QString opened = Path(QStringLiteral("opened.txt"));
    const auto openerWas
        = [&](const QString& what) { return WaitFor([&] { return ReadAll(opened).trimmed() == what; }, 5000); };
    EXPECT_TRUE(RunCmd(QStringLiteral("notes.txt"), m_dir.path()));
    EXPECT_TRUE(openerWas(QFileInfo(doc).absoluteFilePath())) << ReadAll(opened).toStdString();

    QFile::remove(opened);
    EXPECT_TRUE(RunCmd(QStringLiteral("https://example.invalid/page?a=1"), m_dir.path()));
    EXPECT_TRUE(openerWas(QStringLiteral("https://example.invalid/page?a=1"))) << ReadAll(opened).toStdString();
}

TEST_F(XdgOpenerTest, ReportsWhatCannotBeStarted)
{
    EXPECT_FALSE(RunCmd(QStringLiteral("no-such-program-tw-test --flag"), m_dir.path()));
    EXPECT_FALSE(RunCmd(QStringLiteral("missing-document.txt"), m_dir.path()));
    EXPECT_FALSE(RunCmd(QStringLiteral("touch x.txt"), Path(QStringLiteral("no-such-folder"))));
    QThread::msleep(200);
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("opened.txt"))));
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("x.txt"))));
}
