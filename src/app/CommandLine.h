// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for. It is read before the application object exists, so --help and --version
// work without a display.
struct StartOptions
{
    enum class Action { Run, Help, Version, UsageError };
    Action action = Action::Run;
    bool minimised = false;  // "-m": start with the window minimised (how the autostart entry starts it)
    QString dataDir;  // "--data-dir DIR": the data folder; null when not given
    QString error;  // what is wrong with the command line (UsageError)
    bool powerDryRun = false;  // "--power-dry-run": print power actions instead of performing them
};

// `arguments` as main() received them, the program first. Options of Qt itself (-platform, -style,
// -session …) are left to the application object.
StartOptions ParseCommandLine(const QStringList& arguments);

QString UsageText();
QString VersionText();  // "晴钟任务提醒 (Tickwell) 1.2.3"
