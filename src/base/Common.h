// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timerules/Instant.h"

#include <QString>

// Small string, path and date helpers shared by the store, the editor and the windows.

// Letter case ignored; false when `text` is shorter than the prefix or suffix.
bool StartsWith(const QString& text, const QString& prefix);
bool EndsWith(const QString& text, const QString& suffix);

// Strips spaces (only ' ', not tabs or line breaks) from both ends, as the earlier Windows version did
// with the texts it stored.
QString TrimSpaces(const QString& text);

// Paths inside the data folder (where twdata.xml lives) are stored relative to it, so the folder can move with
// the files it holds. ToAppRelative strips "data folder/" from the front of a path; any other path comes back
// unchanged. File names are case-sensitive here, so the comparison is too: stripping "/Opt/tw/" from a path
// under "/opt/tw" would make it name a different file once made absolute again.
QString ToAppRelative(const QString& path);
// A relative path is placed in the data folder; an absolute or empty path comes back unchanged.
QString FromAppRelative(const QString& path);
// The text before the last '/', or "" when there is none.
QString ParentFolder(const QString& path);

// The date (midnight) or the time of day of an instant; NO_DATE and beyond come back as NO_DATE.
Instant DateOnly(Instant value);
Instant TimeOnly(Instant value);
