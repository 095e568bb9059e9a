// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The program's title and version; the version comes from the build (project version in CMake).
QString AppTitle();  // "晴钟任务提醒"; "Tickwell" with the English translation
QString AppVersionText();  // "major.minor.revision"
qint32 VersionNumber();  // major * 100000 + minor * 1000 + revision
QString AppTitleWithVersion();  // "晴钟任务提醒 V1.0.0", "Tickwell V1.0.0"
QString HomePageUrl();  // the maker's web address; empty while there is none
