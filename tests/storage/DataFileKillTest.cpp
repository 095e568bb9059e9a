// SPDX-License-Identifier: GPL-3.0-or-later
// A save interrupted by SIGKILL (a crash, a power cut) leaves the old file or the new one, never a torn one.
// The child is this test binary run again with TW_KILL_CHILD_DIR set, so it saves through the real code path.
#include "support/StoreTestUtil.h"

#include "base/AppPaths.h"
#include "engine/TaskEngine.h"
#include "storage/DataFile.h"
#include "support/TestEnv.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>

#include <random>

#include <csignal>
#include <cstdio>
#include <unistd.h>

using namespace storetest;

namespace {

const char* kChildEnv = "TW_KILL_CHILD_DIR";

// Two different collections; variant 1 has more and longer tasks so the file changes size as well.
void Fill(TaskEngine& engine, int variant)
{
    const int count = variant == 0 ? 40 : 60;
    for (int i = 0; i < count; ++i) {
        auto t = std::make_shared<CTask>();
        t->SetDescription(QStringLiteral("第%1版 任务 %2\r\n%3").arg(variant).arg(i).arg(QString(variant * 30, 'x')));
        t->dtDueDT = MakeInstant(2012, 6, 4, 10, i % 60, 0);
        t->dtAlarmDT = t->dtDueDT;
        t->sDueDate = QStringLiteral("2012-6-4");
        t->sDueTime = QStringLiteral("10:%1").arg(i % 60);
        t->sMemo = QStringLiteral("备注 %1").arg(i);
        engine.AddTask(t);
    }
    engine.Settings().Types = QStringLiteral("版本%1").arg(variant);
}

QByteArray Expected(int variant)
{
    TaskEngine engine;
    Fill(engine, variant);
    return DataFileXml::Serialize(engine.Settings(), engine.Tasks());
}

}  // namespace

// Only runs as the child: saves the two versions in turns until it is killed.
TEST(DataFileKill, ChildSavesUntilKilled)
{
    const QByteArray dir = qgetenv(kChildEnv);
    if (dir.isEmpty())
        GTEST_SKIP() << "runs only as the child of SaveSurvivesSigkill";
    AppPaths::SetDataFolder(QString::fromLocal8Bit(dir));
    TaskEngine engines[2];
    Fill(engines[0], 0);
    Fill(engines[1], 1);
    for (long n = 0;; ++n) {
        if (!engines[(n + 1) % 2].SaveCfg())
            std::abort();
        if (n == 0) {
            std::fputs("ready\n", stdout);
            std::fflush(stdout);
        }
    }
}

TEST(DataFileKill, SaveSurvivesSigkill)
{
    ProgramFolderGuard folder;
    const QByteArray a = Expected(0), b = Expected(1);
    ASSERT_NE(a, b);
    ASSERT_TRUE(DataFile::Write(a, folder.file("twdata.xml")));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kChildEnv), folder.path());
    std::mt19937 random(20120604);
    std::uniform_int_distribution<int> delayUs(0, 6000);
    QElapsedTimer total;
    total.start();
    int sawA = 0, sawB = 0;
    // Each round starts a sanitized child, the bulk of the time: 60 rounds still land kills all over the save
    // (both versions are seen every run); TW_KILL_ROUNDS asks for more when the save path changes.
    const int rounds
        = qEnvironmentVariableIsSet("TW_KILL_ROUNDS") ? qEnvironmentVariableIntValue("TW_KILL_ROUNDS") : 60;
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE(round);
        QProcess child;
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::SeparateChannels);
        child.start(QCoreApplication::applicationFilePath(),
            { "--gtest_filter=DataFileKill.ChildSavesUntilKilled", "--gtest_brief=1" });
        ASSERT_TRUE(child.waitForStarted(5000));
        QByteArray out;
        while (!out.contains("ready") && child.state() == QProcess::Running) {
            child.waitForReadyRead(5000);
            out += child.readAllStandardOutput();
        }
        ASSERT_TRUE(out.contains("ready")) << child.readAllStandardError().toStdString();
        ::usleep(useconds_t(delayUs(random)));
        ::kill(pid_t(child.processId()), SIGKILL);
        ASSERT_TRUE(child.waitForFinished(5000));
        EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

        const QByteArray now = ReadAll(folder.file("twdata.xml"));
        ASSERT_TRUE(now == a || now == b) << "torn file of " << now.size() << " bytes";
        (now == a ? sawA : sawB)++;
        DataFileXml::Contents contents;
        ASSERT_EQ(DataFile::Read(folder.file("twdata.xml"), contents, nullptr), DataFile::ReadStatus::Ok);
        ASSERT_EQ(int(contents.tasks.size()), now == a ? 40 : 60);
    }
    // Both versions were seen, so the kills landed at different points of the loop.
    EXPECT_GT(sawA, 0);
    EXPECT_GT(sawB, 0);
    std::printf("[ kill test ] %d rounds in %lld ms (old/new: %d/%d)\n", rounds, qint64(total.elapsed()), sawA, sawB);
}
