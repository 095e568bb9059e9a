// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The per-user runtime folder (XDG_RUNTIME_DIR) holds the single-instance endpoints through which tickwell-cli
// reaches a running program. Sessions from cron, ssh or su often name none; Qt then picks <temp>/runtime-<user>
// and says so on stderr every time.
namespace RuntimeFolder {

enum class Outcome { Named, Chosen, Refused };

// Nothing to do when the session names a runtime folder (Named). Otherwise makes or checks the folder Qt would
// pick, so that a program started in a like session meets this one there, and names it in XDG_RUNTIME_DIR
// (Chosen). That folder must be this user's own directory, not a link to one; its mode is made 0700 as Qt does.
// Refused: it is not (someone else made it, or it is a link or a file); nothing is set, `error` says why.
Outcome ChooseWhenUnset(QString* error);

// The folder chosen when the session names none: <temp>/runtime-<user name, or user id without a name>.
QString DefaultPath();

}  // namespace RuntimeFolder
