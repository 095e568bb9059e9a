// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/RingPlayer.h"
#include "alerts/frmPrompt.h"
#include "core/CTask.h"
#include "engine/TaskEngine.h"
#include "support/RecordingAudio.h"
#include "support/TestEnv.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>

namespace {

class RingTest : public ::testing::Test
{
protected:
    RingTest()
        : m_clock(2011, 12, 15, 10, 0, 0)
    {
    }

    QString MakeFile(const QString& name, int lengthMs)
    {
        QFile f(m_folder.file(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        m_audio->lengths[name] = lengthMs;
        return name;
    }
    static TaskPtr Task(int ringType, const QString& ringFile = QString(), int priority = tpNormal)
    {
        auto t = std::make_shared<CTask>();
        t->eRingType = ringType;
        t->sRingFile = ringFile;
        t->ePriority = priority;
        return t;
    }
    // Runs the ring timer for `seconds`, the music and the clock moving along with it.
    void Run(RingPlayer& player, int seconds)
    {
        for (int s = 0; s < seconds; ++s) {
            for (int i = 0; i < 10; ++i)
                player.Tick();
            m_audio->Advance(1000);
            m_clock.Advance(1);
        }
    }
    int Plays() { return int(m_audio->calls.filter(QStringLiteral("play")).size()); }

    ProgramFolderGuard m_folder;
    ClockGuard m_clock;
    MsgBoxGuard m_msg;
    AudioGuard m_audio;
};

}  // namespace

// Where the alert cannot play, the timer beeps the priority's pattern: count beeping ticks, pause silent ones.
TEST_F(RingTest, BeepCyclesFollowThePriority)
{
    struct Case
    {
        int priority;
        QString tone;
        int count, cycle;
    } cases[] = {
        { 0, QStringLiteral("tone 800 80"), 2, 6 },
        { 1, QStringLiteral("tone 950 60"), 2, 6 },
        { 2, QStringLiteral("tone 1100 40"), 4, 9 },
        { 3, QStringLiteral("tone 1250 20"), 4, 9 },
    };
    m_audio->alertAvailable = false;
    for (const Case& c : cases) {
        RingPlayer player;
        player.ShowAsRing(*Task(rtBeep, QString(), c.priority));
        QStringList ticks;
        for (int i = 0; i < 2 * c.cycle; ++i) {
            m_audio->calls.clear();
            player.Tick();
            ticks << m_audio->calls.join(QLatin1Char(','));
        }
        QStringList expected;
        for (int i = 0; i < 2 * c.cycle; ++i)
            expected << (i % c.cycle < c.count ? c.tone : QString());
        EXPECT_EQ(ticks, expected) << c.priority;
        EXPECT_TRUE(player.TimerActive());
    }
}

// The looping alert needs no timer; it stops when the last ring using it stops, not when the first does.
TEST_F(RingTest, TheAlertLastsUntilTheLastBeepingRingStops)
{
    auto first = std::make_unique<RingPlayer>();
    auto second = std::make_unique<RingPlayer>();
    first->ShowAsRing(*Task(rtBeep));
    second->ShowAsRing(*Task(rtBeep));
    first->Tick();
    EXPECT_FALSE(first->TimerActive());
    first.reset();
    EXPECT_TRUE(m_audio->alertOn);
    second.reset();
    EXPECT_FALSE(m_audio->alertOn);
}

// Music shorter than a minute repeats in a ring until a minute has passed; a preview and long music play once.
TEST_F(RingTest, MusicRepeatsInARingForAMinute)
{
    struct Case
    {
        int lengthMs;
        bool ring;
        int plays;
    } cases[] = { { 25000, true, 3 }, { 25000, false, 1 }, { 60000, true, 1 }, { 59000, true, 2 } };
    for (const Case& c : cases) {
        const QString file = MakeFile(QStringLiteral("music.mp3"), c.lengthMs);
        m_audio->calls.clear();
        RingPlayer player;
        if (c.ring) {
            player.ShowAsRing(*Task(rtMusic, file));
        } else {
            player.SetRingType(rtMusic);
            player.SetRingFile(file);
            player.SetTesting(true);
        }
        Run(player, 200);
        EXPECT_EQ(Plays(), c.plays) << c.lengthMs << c.ring;
        EXPECT_FALSE(player.IsTesting());
        EXPECT_FALSE(m_audio->MusicPlaying());
        EXPECT_EQ(player.LengthText(), QStringLiteral("0:0 / ") + Audio::FormatMs(c.lengthMs));
    }
    EXPECT_TRUE(m_msg->shown.empty());
}

// A missing file: a ring stays silent without a word; the editor says which file is missing.
TEST_F(RingTest, AMissingFileIsSilentInARingAndReportedInTheEditor)
{
    RingPlayer ring;
    ring.ShowAsRing(*Task(rtMusic, QStringLiteral("gone.mp3")));
    EXPECT_TRUE(m_msg->shown.empty());

    RingPlayer preview;
    preview.SetRingType(rtMusic);
    preview.SetRingFile(QStringLiteral("gone.mp3"));
    preview.SetTesting(true);
    ASSERT_EQ(m_msg->shown.size(), 1u);
    EXPECT_EQ(m_msg->shown[0].text, QStringLiteral("音乐文件不存在: gone.mp3"));
    EXPECT_TRUE(m_audio->calls.filter(QStringLiteral("open")).isEmpty());

    // An unplayable kind is refused with its own message, in a ring too.
    MakeFile(QStringLiteral("talk.ra"), 1000);
    RingPlayer refused;
    refused.ShowAsRing(*Task(rtMusic, QStringLiteral("talk.ra")));
    ASSERT_EQ(m_msg->shown.size(), 2u);
    EXPECT_EQ(m_msg->shown[1].text, QStringLiteral("无法打开音乐文件或文件格式不支持: talk.ra"));
}

// Switching the ring type restarts the preview with the new type; "no sound" stops it.
TEST_F(RingTest, SwitchingTheRingTypeWhilePreviewing)
{
    RingPlayer player;
    QList<bool> switched;
    QObject::connect(&player, &RingPlayer::testingChanged, [&](bool on) { switched << on; });
    player.SetRingType(rtMusic);
    player.SetRingFile(MakeFile(QStringLiteral("a.mid"), 9000));
    player.SetTesting(true);
    EXPECT_TRUE(m_audio->MusicPlaying());

    player.SetRingType(rtBeep);
    EXPECT_FALSE(m_audio->MusicPlaying());
    EXPECT_TRUE(m_audio->alertOn);
    EXPECT_TRUE(player.IsTesting());

    player.SetRingType(rtNone);
    EXPECT_FALSE(m_audio->alertOn);
    EXPECT_FALSE(player.IsTesting());
    EXPECT_EQ(switched, (QList<bool> { true, false, true, false }));
}

// A ring file stored by the Windows version names the built-in ringtone in the ringtone folder.
TEST_F(RingTest, ABackslashRingtonePathIsWrittenAndPlayed)
{
    RingPlayer player;
    player.ShowAsRing(*Task(rtMusic, QStringLiteral("铃声\\溪流.mid")));
    EXPECT_EQ(m_audio->calls.value(0), QStringLiteral("open 溪流.mid"));
    EXPECT_TRUE(QFile::exists(m_folder.file(QStringLiteral("铃声/溪流.mid"))));
}

// The prompt rings for each sounding task and silences a ring as its entry is settled.
TEST_F(RingTest, ThePromptRingsUntilTheEntryIsSettled)
{
    MakeFile(QStringLiteral("song.mp3"), 30000);
    TaskEngine engine;
    frmPrompt prompt(engine);
    const int types[] = { rtMusic, rtNone, rtBeep };
    for (int type : types) {
        const TaskPtr t = Task(type, QStringLiteral("song.mp3"));
        t->dtDueDT = t->dtAlarmDT = Clock::Now();
        engine.AddTask(t);
        prompt.ShowFiredTask(t);
    }
    EXPECT_TRUE(m_audio->MusicPlaying());
    EXPECT_TRUE(m_audio->alertOn);
    EXPECT_EQ(prompt.RingAt(1), nullptr);

    m_msg->answers.push_back(MsgResult::Yes);
    prompt.findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
    EXPECT_EQ(prompt.Count(), 0);
    EXPECT_FALSE(m_audio->MusicPlaying());
    EXPECT_FALSE(m_audio->alertOn);
}
