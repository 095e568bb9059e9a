#pragma once

#include <QString>

// The program folder: where the data file, the status log and the ringtones live. It is the folder of
// the executable unless `--data-dir DIR` names another one. Paths use '/' internally.
namespace AppPaths {

QString ProgramFolder();
void SetProgramFolder(const QString& folder);

// The temporary folder used for batch files of check commands (the system one unless a test sets it).
QString TempFolder();
void SetTempFolder(const QString& folder);

}  // namespace AppPaths
