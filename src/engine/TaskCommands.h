// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class CTask;
class TaskEngine;

// The task commands of tickwell-cli (add, done, cancel, postpone, list) applied to an engine. The running program
// applies them to its own engine when they arrive through the single-instance channel; with no program running,
// tickwell-cli applies them to an engine loaded from the file it has locked. Either way the same code decides.
struct TaskCommandResult
{
    int exitCode = 0;  // 0 done, 1 failed, 2 bad input
    QString out;
    QString err;
    bool changed = false;  // the tasks changed: the caller saves
};

namespace TaskCommands {

// True for the names this module handles.
bool Handles(const QString& command);
// `args` follow the command name; --data-dir has already been taken out.
TaskCommandResult Run(TaskEngine& engine, const QString& command, const QStringList& args);
// One line of `list`: key, status, alarm, due date, due time, title, separated by tabs.
QString ListLine(const CTask& task);

}  // namespace TaskCommands

// The request tickwell-cli sends through the single-instance channel, and the running program's answer: one line
// of JSON each. The request names the data folder: only the program that writes that folder applies it.
namespace TaskRequests {

QString Encode(const QString& folder, const QString& command, const QStringList& args);
// The program's side: applies the request to `engine` and saves when it changed the tasks. `folder` is the
// program's data folder; a request for another folder, or for a program that only reads, gets "pass".
QString Answer(TaskEngine& engine, const QString& folder, const QString& request);
// A request the program answers later (a sync): its command and arguments when it is for `folder` and the engine
// writes that folder, else an empty command (answer with Pass()).
QString CommandFor(const TaskEngine& engine, const QString& folder, const QString& request, QStringList* args);
QString EncodeAnswer(const TaskCommandResult& result);
QString Pass();
// tickwell-cli's side: false when the answer was "pass" (ask elsewhere) or could not be read.
bool Decode(const QString& answer, TaskCommandResult& result);

}  // namespace TaskRequests
