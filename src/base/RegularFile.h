// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QString>

// Opening a file the program is about to read whole (the data file, a calendar to import). A named pipe, a
// device or a folder put in its place would block the open or the read for ever, before any window shows and
// beyond the reach of a termination request; such a file is refused and never opened in a blocking way. A
// symbolic link to a regular file is read as that file.
enum class RegularFileOpen {
    Opened,
    Missing,  // there is no such file (a link that leads nowhere is none either)
    NotRegular,  // it is a pipe, a device, a socket or a folder; nothing was read from it
    Failed,  // it is a regular file that could not be opened
};

// Opens `path` read-only into `file` when it is a regular file; `error` says why not.
RegularFileOpen OpenRegularFile(const QString& path, QFile& file, QString* error);
