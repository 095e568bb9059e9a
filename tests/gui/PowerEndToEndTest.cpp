// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/DataFileText.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifndef TW_APP_PATH
#error "TW_APP_PATH must name the tickwell executable"
#endif

// The real program with --power-dry-run: a task due now whose command is "@关机 3秒" counts down and then
// prints the shutdown it would have done, once, about three seconds later; nothing else is printed.
TEST(PowerEndToEnd, APowerCommandIsPrintedAfterItsCountdownInDryRun)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray data = OneTaskDataFile(WholeSecondsFromNow(0),
        QStringLiteral("RingType=\"0\" AutoFinish=\"true\" UseCmd=\"true\" Cmd=\"@关机 3秒\" Desc=\"下班关机\""));
    {
        QFile f(dir.filePath(QStringLiteral("twdata.xml")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }

    QProcess app;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), dir.filePath(QStringLiteral("home")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    // Belt and braces: even a dry run that went wrong could not reach the machine's logind.
    env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent"));
    app.setProcessEnvironment(env);
    app.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer clock;
    clock.start();
    app.start(
        QStringLiteral(TW_APP_PATH), { QStringLiteral("--power-dry-run"), QStringLiteral("--data-dir"), dir.path() });
    ASSERT_TRUE(app.waitForStarted(10000));

    QByteArray out;
    while (clock.elapsed() < 20000 && !out.contains('\n') && app.state() == QProcess::Running) {
        app.waitForReadyRead(200);
        out += app.readAllStandardOutput();
    }
    const qint64 printedAfter = clock.elapsed();
    EXPECT_EQ(QString::fromUtf8(out), QStringLiteral("power-dry-run: 关机 (PowerOff)\n"));
    // The countdown ran: the action came no sooner than its three seconds allow.
    EXPECT_GE(printedAfter, 2000);

    ASSERT_EQ(app.state(), QProcess::Running);
    app.waitForReadyRead(1500);
    app.terminate();
    ASSERT_TRUE(app.waitForFinished(15000));
    EXPECT_EQ(QString::fromUtf8(out + app.readAllStandardOutput()), QStringLiteral("power-dry-run: 关机 (PowerOff)\n"));
    EXPECT_EQ(app.exitCode(), 0);
}
