// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrivatePulse.h"
#include "support/TestEnv.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

// Runs in a child process whose sound server does not exist (the parent test below sets it up): every way of
// making sound returns at once, and the reason there is no sound is told once. A machine with a sound card
// may still play through it directly; then nothing needs telling. The module tells through the handler this
// process installed: it keeps no sound state of its own.
TEST(NoSoundChild, EverySoundReturnsAndTheReasonIsToldOnce)
{
    if (qEnvironmentVariableIsEmpty("TW_NO_SOUND_CHILD"))
        GTEST_SKIP() << "run by NoSound.ReportedOnceAndNothingHangs";
    QStringList told;
    Audio::SetNoSoundHandler([&told](const QString& reason) { told << reason; });
    const auto output = LoadAudioModule();
    ASSERT_TRUE(output);
    IAudio& audio = *output;
    const QString alias = Audio::MusicAlias();
    QElapsedTimer t;
    t.start();
    audio.Open(alias, QStringLiteral(TW_SOURCE_DIR "/resources/sounds/R1.mid"));
    audio.Play(alias, -1);
    audio.StartAlert();
    bool played = false;
    while (t.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
        played = played || audio.GetPosition(alias) > 500;
    }
    EXPECT_TRUE(played || told.size() == 1) << "silent without a word";
    audio.Tone(950, 60);
    EXPECT_LE(told.size(), 1);
    if (!told.isEmpty()) {
        EXPECT_TRUE(told[0].contains(QStringLiteral("声音"))) << qPrintable(told[0]);
    }
}

TEST(NoSound, ReportedOnceAndNothingHangs)
{
    QProcess child;
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    env.insert(QStringLiteral("TW_NO_SOUND_CHILD"), QStringLiteral("1"));
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent/tickwell-no-server"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
        { QStringLiteral("--gtest_filter=NoSoundChild.*"), QStringLiteral("--gtest_brief=1") });
    ASSERT_TRUE(child.waitForFinished(30000)) << "the child hung";
    EXPECT_EQ(child.exitCode(), 0) << child.readAll().toStdString();
}
