// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/DataFileText.h"
#include "support/RealProgram.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
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

    RealProgram program(QStringLiteral(TW_APP_PATH), PrivateAccountEnv(dir.path()));
    // Belt and braces: even a dry run that went wrong could not reach the machine's logind.
    program.SetEnv(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent"));
    QProcess& app = program.Process();
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(program.Start({ QStringLiteral("--power-dry-run"), QStringLiteral("--data-dir"), dir.path() }));

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
