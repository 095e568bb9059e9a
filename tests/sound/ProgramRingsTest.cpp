// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrivatePulse.h"
#include "support/DataFileText.h"
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

// The real program with a beeping task that falls due two seconds after start-up: the alert is heard while the
// prompt is open, and the program quits cleanly with the media stack running, falling silent as it goes.
TEST(ProgramRings, ADueBeepTaskIsHeardUntilTheProgramQuits)
{
    if (!Pulse().IsRunning())
        GTEST_SKIP() << qPrintable(Pulse().Why());
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QDateTime due = WholeSecondsFromNow(2);
    {
        QFile f(dir.filePath(QStringLiteral("twdata.xml")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(OneTaskDataFile(due, QStringLiteral("RingType=\"1\" Desc=\"响铃\"")));
    }
    QProcess app;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    app.setProcessEnvironment(env);
    app.setStandardOutputFile(QProcess::nullDevice());
    app.setStandardErrorFile(QProcess::nullDevice());

    QElapsedTimer clock;
    clock.start();
    Pulse().StartRecording();
    app.start(QStringLiteral(TW_APP_PATH), { QStringLiteral("--data-dir"), dir.path() });
    ASSERT_TRUE(app.waitForStarted(10000));
    // Start-up under the sanitizers can take seconds; the ring is given three once it is heard.
    while (clock.elapsed() < 30000 && FirstLoud(Pulse().Peaks()) < 0 && app.state() == QProcess::Running)
        QThread::msleep(200);
    QThread::msleep(3000);
    ASSERT_EQ(app.state(), QProcess::Running);
    const qint64 quitAt = clock.elapsed();
    app.terminate();
    ASSERT_TRUE(app.waitForFinished(15000));
    QThread::msleep(1500);
    const QList<int> peaks = Pulse().StopRecording();

    EXPECT_EQ(app.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(app.exitCode(), 0);
    ASSERT_GE(FirstLoud(peaks), 0) << "the ring was not heard";
    EXPECT_GE(LastLoud(peaks) * 50, FirstLoud(peaks) * 50 + 2000) << "the alert did not repeat";
    EXPECT_LE(LastLoud(peaks) * 50, quitAt + 1000);
}
