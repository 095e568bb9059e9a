// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AppSettings.h"
#include "core/CTask.h"

#include <QByteArray>
#include <QStringList>

class TaskEngine;

// The data file of the Windows version before twdata.xml: reminder.db, text in the ANSI code page (GBK), one
// field per line, records one after the other. It is only ever read, once, when there is no twdata.xml.
namespace LegacyImport {

inline constexpr const char* kFileName = "reminder.db";

// Where reminder.db is looked for, first match wins: the per-user application-data folder
// (~/.local/share/Tickwell), then the program folder.
QStringList SearchFolders();
// Tests name their own folders (an empty list searches nowhere); ResetSearchFolders restores the default.
void SetSearchFolders(const QStringList& folders);
void ResetSearchFolders();
QString FindFile();  // the legacy file's path, or "" when there is none

// Imports the legacy file into the engine when there is one: adds its tasks with new numbers, saves the data
// file, then asks whether to delete the old file. Returns the number of tasks imported.
int Run(TaskEngine& engine);

}  // namespace LegacyImport

// Reads the records of a legacy file one at a time.
class LegacyReader
{
public:
    explicit LegacyReader(const QByteArray& ansiBytes);

    bool AtEnd() const { return m_pos >= m_lines.size(); }
    // Reads the next record into a fresh task. False at the end of the file or when a field could not be read
    // (the task then holds what could). Ring files and commands are added to the recent lists of `settings`.
    bool LoadFrom(CTask& task, AppSettings& settings);

private:
    bool NextLine(QString& line);

    QStringList m_lines;
    qsizetype m_pos = 0;
};
