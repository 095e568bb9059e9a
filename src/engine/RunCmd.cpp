// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/RunCmd.h"

#include "base/AppPaths.h"

#include <QRegularExpression>

namespace {

PowerCommandHandler& Power()
{
    static PowerCommandHandler handler;
    return handler;
}

}  // namespace

PowerCommandHandler CurrentPowerCommandHandler()
{
    return Power();
}

void SetPowerCommandHandler(PowerCommandHandler handler)
{
    Power() = std::move(handler);
}

bool RunCmd(const QString& command, const QString& startDir)
{
    if (command.isEmpty())
        return false;
    const QString dir = startDir.isEmpty() ? AppPaths::DataFolder() : startDir;

    QString cmd = command;
    ShowState show = ShowState::Normal;
    if (cmd.startsWith(QLatin1Char('-'))) {
        cmd.remove(0, 1);
        show = ShowState::Hidden;
    }

    if (cmd.startsWith(QLatin1Char('@'))) {
        // Hold a copy: the handler may replace itself while its dialog runs.
        PowerCommandHandler power = Power();
        return power ? power(cmd) : false;
    }

    // The first word is the file to open (a path with blanks comes in double quotes), the rest its parameters.
    static const QRegularExpression split(QStringLiteral("^([^\" ]+|\"[^\"]+\")\\s+(.*)$"));
    QString file = cmd;
    QString parameters;
    const QRegularExpressionMatch m = split.match(cmd);
    if (m.hasMatch()) {
        file = m.captured(1);
        parameters = m.captured(2);
    }
    auto opener = Platform::DesktopOpener();
    return opener->Open(file, parameters, dir, show);
}
