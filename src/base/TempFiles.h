// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Temporary files that live at most until the program quits: the scripts of multi-line check commands.
//
// The file is made in AppPaths::TempFolder() with a unique name that begins with `prefix` and ends with
// `extension` (".sh"; a missing leading dot is added). A non-empty `content` is written as UTF-8 with its
// line ends turned into "\n" and a final "\n", so /bin/sh reads it as it would a script typed in an editor.
// A ".sh" file is made executable for its owner. Returns the full path, or "" on failure (and then leaves
// no file behind).
QString CreateTempFile(const QString& prefix, const QString& extension, const QString& content);

// Deletes one file CreateTempFile made (once it has served); "" and files already gone are ignored.
void DeleteTempFile(const QString& path);

// Deletes every file CreateTempFile made during this run; files already gone are ignored.
void DeleteTempFiles();

// The files CreateTempFile made and DeleteTempFiles has not yet removed.
QStringList RegisteredTempFiles();
