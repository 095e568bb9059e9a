// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrivatePulse.h"
#include "support/TestEnv.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace {

// Lets the players work for `ms`, or until `done` says so; the elapsed milliseconds.
template <class Done> qint64 RunFor(qint64 ms, Done done)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms && !done()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    return t.elapsed();
}

struct Tune
{
    const char* file;
    int ms;  // as written by tools/make_sounds.py
};

class RealAudio : public ::testing::TestWithParam<Tune>
{
protected:
    void SetUp() override
    {
        if (!Pulse().IsRunning())
            GTEST_SKIP() << qPrintable(Pulse().Why());
    }
};

}  // namespace

// The real player takes each built-in sound to its end in its own time, and something is heard meanwhile.
TEST_P(RealAudio, PlaysToTheEndForItsLength)
{
    const Tune tune = GetParam();
    const QString file = QStringLiteral(TW_SOURCE_DIR "/resources/sounds/") + QLatin1String(tune.file);
    const QString alias = Audio::MusicAlias();
    const auto output = LoadAudioModule();
    ASSERT_TRUE(output);
    IAudio& audio = *output;
    Pulse().StartRecording();
    ASSERT_TRUE(audio.Open(alias, file));
    ASSERT_TRUE(audio.Play(alias, -1));
    int length = 0;
    const qint64 elapsed = RunFor(tune.ms + 10000, [&] {
        length = qMax(length, audio.GetLength(alias));
        return !audio.IsPlaying(alias);
    });
    RunFor(500, [] { return false; });
    const QList<int> peaks = Pulse().StopRecording();

    EXPECT_FALSE(audio.HasFailed(alias));
    EXPECT_FALSE(audio.IsPlaying(alias));
    EXPECT_NEAR(length, tune.ms, 250);
    EXPECT_GE(elapsed, tune.ms - 250);
    EXPECT_LE(elapsed, tune.ms + 4000);
    EXPECT_GE(FirstLoud(peaks), 0) << "nothing was heard";
    EXPECT_TRUE(audio.Close(alias));
}

INSTANTIATE_TEST_SUITE_P(BuiltIn, RealAudio,
    ::testing::Values(Tune { "R1.mid", 6818 }, Tune { "R2.mid", 9231 }, Tune { "R3.mid", 6400 },
        Tune { "R4.mid", 15000 }, Tune { "R5.mid", 11429 }, Tune { "R6.mid", 6857 }, Tune { "DUDU.wav", 599 }));

// The alert repeats until stopped, falls silent within a second of the stop, and a tone is heard on its own.
TEST(RealAlert, RepeatsUntilStoppedAndTonesSound)
{
    if (!Pulse().IsRunning())
        GTEST_SKIP() << qPrintable(Pulse().Why());
    const auto output = LoadAudioModule();
    ASSERT_TRUE(output);
    IAudio& audio = *output;
    QElapsedTimer clock;
    clock.start();
    Pulse().StartRecording();
    ASSERT_TRUE(audio.StartAlert());
    RunFor(2500, [] { return false; });
    audio.StopAlert();
    const qint64 stoppedAt = clock.elapsed();
    RunFor(1500, [] { return false; });
    const QList<int> alert = Pulse().StopRecording();
    ASSERT_GE(FirstLoud(alert), 0) << "the alert was not heard";
    // Heard beyond its first 0.6 s: it looped.
    EXPECT_GE(LastLoud(alert) * 50, 1200);
    EXPECT_LE(LastLoud(alert) * 50, stoppedAt + 1000);

    Pulse().StartRecording();
    EXPECT_TRUE(audio.Tone(1250, 200));
    RunFor(800, [] { return false; });
    EXPECT_GE(FirstLoud(Pulse().StopRecording()), 0) << "the tone was not heard";
}
