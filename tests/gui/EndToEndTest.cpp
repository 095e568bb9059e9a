// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/DataFileText.h"
#include "support/TestEnv.h"

#include "support/RealProgram.h"
#include "support/Wait.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#ifndef TW_APP_PATH
#error "TW_APP_PATH must name the tickwell executable"
#endif

namespace {

QString ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The Status attribute of the task with the given Id; "" when the file does not parse or has no such task.
QString StatusOf(const QString& xml, const QString& id)
{
    QXmlStreamReader r(xml);
    QString status;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == QLatin1String("task") && r.attributes().value(QLatin1String("Id")) == id)
            status = r.attributes().value(QLatin1String("Status")).toString();
    }
    return r.hasError() ? QString() : status;
}

}  // namespace

// The real program on the system clock: a task due two seconds after start-up with auto-finish and logging
// on is finished, logged and saved by the scan, and SIGTERM ends the program through its quit path.
TEST(EndToEnd, ADueTaskIsFinishedLoggedAndSavedAndSigtermQuitsCleanly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QDateTime due = WholeSecondsFromNow(2);
    const QByteArray data
        = OneTaskDataFile(due, QStringLiteral("RingType=\"0\" AutoFinish=\"true\" Desc=\"端到端自动完成\""),
            QStringLiteral("EnableLog=\"true\""));
    const QString dataFile = dir.filePath(QStringLiteral("twdata.xml"));
    const QString logFile = dir.filePath(QStringLiteral("tickwell.log"));
    {
        QFile f(dataFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }

    // Nothing of the user's own configuration is read or written.
    RealProgram app(QStringLiteral(TW_APP_PATH), PrivateAccountEnv(dir.path()));
    app.Process().setProcessChannelMode(QProcess::ForwardedErrorChannel);
    ASSERT_TRUE(app.Start({ QStringLiteral("--data-dir"), dir.path() }));

    QString status;
    WaitFor(
        [&] { return !app.Running() || (status = StatusOf(ReadAll(dataFile), QStringLiteral("1"))) == u"2"; }, 5000);
    EXPECT_EQ(status, QStringLiteral("2"));
    const QString log = ReadAll(logFile);
    EXPECT_TRUE(log.contains(QStringLiteral("] 已完成 - T01, ")) && log.contains(QStringLiteral("端到端自动完成")))
        << qPrintable(log);

    ASSERT_TRUE(app.Running());
    EXPECT_EQ(app.Terminate(), 0);  // SIGTERM

    const QString saved = ReadAll(dataFile);
    EXPECT_EQ(StatusOf(saved, QStringLiteral("1")), QStringLiteral("2")) << qPrintable(saved);
    EXPECT_TRUE(saved.contains(QStringLiteral("端到端自动完成")));
}
