// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The text of a task's power command, "@" [ "强制" ] action [ blanks, delay ], e.g. "@关机" or
// "@强制重启 1小时", and the delay texts "30秒", "1分钟", "2小时". Kept apart from the dialog so the grammar
// can be read and tested without windows.
namespace PowerCommand {

// The action names in list order; the index is the action code the power manager understands.
const QStringList& ActionNames();
// The delay entries offered; the first is the default and is never written into a command.
const QStringList& DelayEntries();
// "强制", the force marker.
QString ForceMarker();

struct Parsed
{
    bool force = false;
    int action = -1;  // index into ActionNames()
    QString delay;  // the delay text as written, empty when the command has none
};

// True when the first match of the command pattern anywhere in `text` names a known action.
bool Parse(const QString& text, Parsed* out);

// The delay in seconds from the first "<number><unit>" in `text`; false when there is none or when the
// amount is beyond any sensible delay (which would otherwise overflow the date arithmetic).
bool ParseDelay(const QString& text, qint64* seconds);

// "强制" when forced, followed by the action's name: the text the countdown and the question show.
QString CommandName(int action, bool force);

// "@" + CommandName, and " " + the delay unless it is empty or the default entry.
QString Build(int action, bool force, const QString& delay);

}  // namespace PowerCommand
