// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrivatePulse.h"
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
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime due
        = QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second())).addSecs(2);
    const QString dueText = due.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    {
        QFile f(dir.filePath(QStringLiteral("twdata.xml")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(
            QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<tasks ver=\"100000\" types=\"\">\n"
                           "  <task Id=\"1\" DueDT=\"%1\" CreateDT=\"%1\" RingType=\"1\" Status=\"0\" AlarmDT=\"%1\"\n"
                           "        DueDate=\"%2\" DueTime=\"%3\" Desc=\"响铃\"/>\n"
                           "</tasks>\n")
                .arg(dueText, due.date().toString(QStringLiteral("yyyy-M-d")),
                    due.time().toString(QStringLiteral("h:mm:ss")))
                .toUtf8());
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
