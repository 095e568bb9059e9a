// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// One run of the real tickwell-cli: its exit code and what it printed.
struct CliRun
{
    int code = -1;
    QString out;
    QString err;
};

inline CliRun Cli(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(TW_CLI_PATH), args);
    p.waitForFinished(30000);
    return { p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError()) };
}
