// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <vector>

// The tool's own texts, translated under one context.
struct CliText
{
    Q_DECLARE_TR_FUNCTIONS(CliText)
};

// A subcommand of tickwell-cli. Each command lives in its own file and registers itself. The texts of the help
// are marked with QT_TRANSLATE_NOOP("CliText", …) and translated when printed.
struct CliCommand
{
    QString name;
    const char* usage;  // argument synopsis
    const char* summary;  // one line
    const char* example;  // a full command line
    // args: what follows the command name. Returns the exit code: 0 ok, 2 bad input.
    int (*run)(const QStringList& args, QTextStream& out, QTextStream& err);
};

namespace Cli {

bool Register(const CliCommand& command);
const std::vector<CliCommand>& Commands();

// Removes "--name VALUE" from args; returns the value, or a null QString when absent.
// Sets *missing when the option is present without a value.
QString TakeOption(QStringList& args, const QString& name, bool* missing = nullptr);
// Removes a bare flag "--name"; true when it was there.
bool TakeFlag(QStringList& args, const QString& name);

// Takes "--data-dir DIR" from args into *dir (null when absent). Returns 0, or 2 after a message when the option
// has no folder.
int TakeDataDir(QStringList& args, QTextStream& err, QString* dir);
// Chooses the data folder by the program's own rule and makes it current (`create`: make a missing one). Returns
// 0 with the folder in *folder, or 2 after a message when it cannot be used.
int UseDataFolder(const QString& dir, bool create, QTextStream& err, QString* folder);

// Hands the command to the running program that writes `folder`, if there is one (`answered`), and prints its
// answer; returns the exit code.
int AskProgram(const QString& folder, const QString& command, const QStringList& args, QTextStream& out,
    QTextStream& err, bool& answered);

}  // namespace Cli
