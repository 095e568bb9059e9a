// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Parts of the program that are heavy to load (the media stack, the web engine) are modules loaded on first
// use, so a program that never rings or never opens a page does not pay for them at start-up.
namespace ModuleFolders {

// Where modules are looked for, in order: the program's own folder (a build tree or a portable copy), then the
// folder an installed package puts them in (<prefix>/<libdir>/tickwell, relative to the program, then absolute).
QStringList SearchPath();

// The full path of module `baseName` (without prefix or suffix: "tickwell_audio"), or empty when none exists.
QString Find(const QString& baseName);

}  // namespace ModuleFolders
