// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where the program keeps its files. Paths use '/' internally.
namespace AppPaths {

// The data folder: twdata.xml, tickwell.log, the ringtone folder "铃声" and the background picture "bg" live
// there, and paths stored relative to it (ring files) are read against it. The program and tickwell-cli
// choose it with ChooseDataFolder at start; tests set their own.
QString DataFolder();
void SetDataFolder(const QString& folder);

// The older names of the two above, from the time the data lived beside the program.
inline QString ProgramFolder()
{
    return DataFolder();
}
inline void SetProgramFolder(const QString& folder)
{
    SetDataFolder(folder);
}

// The per-user data folder: $XDG_DATA_HOME/Tickwell (~/.local/share/Tickwell).
QString UserDataFolder();

// The data folder by the one rule the program and tickwell-cli share: the folder given with --data-dir
// (`option`, null when not given); else the executable's folder when a twdata.xml already lies there (a
// portable copy); else the per-user data folder. With `create`, a missing folder is made with its parents;
// without, a missing --data-dir folder is refused and a missing per-user folder is only named. Empty with a
// message in `error` when the folder cannot be used.
QString ChooseDataFolder(const QString& option, const QString& programFolder, bool create, QString* error);

// The temporary folder used for batch files of check commands (the system one unless a test sets it).
QString TempFolder();
void SetTempFolder(const QString& folder);
// A temporary folder no other user can write to, for files the program later trusts (the pages it shows with a
// bridge into itself): the runtime folder's "tickwell" subfolder, or the folder a test set.
QString PrivateTempFolder();

}  // namespace AppPaths
