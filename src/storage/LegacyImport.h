// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AppSettings.h"
#include "core/CTask.h"
#include "core/TaskList.h"

#include <QByteArray>
#include <QStringList>

#include <vector>

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

// The tasks of a legacy file in file order, not yet numbered, up to the first record that cannot be read; none
// when the file cannot be opened. Ring files and commands join the recent lists of `settings`.
std::vector<TaskPtr> ReadTasks(const QString& path, AppSettings& settings);

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
