// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrivatePulse.h"
#include "support/DataFileText.h"
#include "support/RealProgram.h"
#include "support/TestEnv.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#ifndef TW_APP_PATH
#error "TW_APP_PATH must name the tickwell executable"
#endif

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The real program with a beeping task that falls due two seconds after start-up, recorded from before it
// starts; `clock` runs from the start of the recording.
class RingingProgram
{
public:
    explicit RingingProgram(const QString& platform)
    {
        const QDateTime due = WholeSecondsFromNow(2);
        QFile f(dir.filePath(QStringLiteral("twdata.xml")));
        if (f.open(QIODevice::WriteOnly))
            f.write(OneTaskDataFile(due, QStringLiteral("RingType=\"1\" Desc=\"响铃\"")));
        f.close();
        // The sound server and the display are this process's own.
        program.SetEnv(QStringLiteral("QT_QPA_PLATFORM"), platform);
        program.SetEnv(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        program.SetEnv(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        // The prompt is found by its Chinese caption, whatever the machine's language.
        program.SetEnv(QStringLiteral("LANGUAGE"), QStringLiteral("zh_CN"));
        app.setStandardOutputFile(QProcess::nullDevice());
        app.setStandardErrorFile(QProcess::nullDevice());
        Pulse().StartRecording();
        clock.start();
        program.Start({ QStringLiteral("--data-dir"), dir.path() });
    }
    // Start-up under the sanitizers can take seconds.
    bool WaitUntilHeard()
    {
        while (clock.elapsed() < 30000 && FirstLoud(Pulse().Peaks()) < 0 && app.state() == QProcess::Running)
            QThread::msleep(200);
        return FirstLoud(Pulse().Peaks()) >= 0;
    }
    QByteArray Maps() { return ReadAll(QStringLiteral("/proc/%1/maps").arg(app.processId())); }

    QTemporaryDir dir;
    RealProgram program { QStringLiteral(TW_APP_PATH) };
    QProcess& app = program.Process();
    QElapsedTimer clock;
};

bool Xdo(const QStringList& args, QString* out = nullptr)
{
    QProcess xdo;
    xdo.start(QStringLiteral("xdotool"), args);
    if (!xdo.waitForFinished(20000) || xdo.exitCode() != 0)
        return false;
    if (out)
        *out = QString::fromLocal8Bit(xdo.readAllStandardOutput()).trimmed();
    return true;
}

}  // namespace

// The alert is heard while the prompt is open, the media stack is the module's, and the program quits cleanly
// with it running, falling silent as it goes.
TEST(ProgramRings, ADueBeepTaskIsHeardUntilTheProgramQuits)
{
    if (!Pulse().IsRunning())
        GTEST_SKIP() << qPrintable(Pulse().Why());
    RingingProgram p(QStringLiteral("offscreen"));
    ASSERT_TRUE(p.app.waitForStarted(10000));
    ASSERT_TRUE(p.WaitUntilHeard()) << "the ring was not heard";
    QThread::msleep(3000);
    ASSERT_EQ(p.app.state(), QProcess::Running);
    EXPECT_TRUE(p.Maps().contains("/libtickwell_audio.so"));
    const qint64 quitAt = p.clock.elapsed();
    p.app.terminate();
    ASSERT_TRUE(p.app.waitForFinished(15000));
    QThread::msleep(1500);
    const QList<int> peaks = Pulse().StopRecording();

    EXPECT_EQ(p.app.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.app.exitCode(), 0);
    EXPECT_GE(LastLoud(peaks) * 50, FirstLoud(peaks) * 50 + 2000) << "the alert did not repeat";
    EXPECT_LE(LastLoud(peaks) * 50, quitAt + 1000);
}

// On a real display, as a user would: the prompt comes forward, Shift+Tab from its list reaches 任务完成 and
// Space presses it. The ring falls silent within a second and the task is stored as finished.
TEST(ProgramRingsOnX, SettlingThePromptSilencesTheRingWithinASecond)
{
    if (qEnvironmentVariableIsEmpty("TW_ON_XVFB"))
        GTEST_SKIP() << "run on a private X server by ProgramRings.OnXvfbSettlingThePromptSilencesTheRing";
    if (!Pulse().IsRunning())
        GTEST_SKIP() << qPrintable(Pulse().Why());
    RingingProgram p(QStringLiteral("xcb"));
    ASSERT_TRUE(p.app.waitForStarted(10000));
    ASSERT_TRUE(p.WaitUntilHeard()) << "the ring was not heard";
    QString window;
    ASSERT_TRUE(Xdo({ QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                        QStringLiteral("--name"), QStringLiteral("^任务时间已到$") },
        &window));
    window = window.section(u'\n', 0, 0);
    ASSERT_TRUE(Xdo({ QStringLiteral("windowactivate"), QStringLiteral("--sync"), window }));
    QThread::msleep(1500);  // ringing for a while, the prompt settled on screen
    const qint64 pressedAt = p.clock.elapsed();
    ASSERT_TRUE(Xdo({ QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QStringLiteral("shift+Tab"),
        QStringLiteral("space") }));
    QThread::msleep(2500);
    const QList<int> peaks = Pulse().StopRecording();
    const QByteArray data = ReadAll(p.dir.filePath(QStringLiteral("twdata.xml")));
    p.app.terminate();
    EXPECT_TRUE(p.app.waitForFinished(15000));

    EXPECT_TRUE(data.contains("Status=\"2\"")) << "任务完成 was not pressed:\n" << data.toStdString();
    ASSERT_GE(LastLoud(peaks), 0);
    // The recording started before the clock: a sound heard at recording time t ended no later than t.
    EXPECT_GE(LastLoud(peaks) * 50, pressedAt - 500) << "silent before the press";
    EXPECT_LE(LastLoud(peaks) * 50, pressedAt + 1000) << "still ringing a second after 任务完成";
}
