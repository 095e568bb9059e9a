// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QStringList>

#include <vector>

// Files the program carries inside itself and writes to disk when they are needed: the support-file package
// (pages shown in the program) and the built-in ringtones.
namespace Resources {

// Where a packaged file goes.
enum PackageLocation : quint16 {
    LocDataFolder = 0,
    LocSystemFolder = 1,  // no such folder here: refused
    LocTempFolder = 2,
    LocUserFolder = 3,  // the per-user data folder of the desktop (~/.local/share)
    LocRoot = 4,  // refused
};
enum PackageFlags : quint16 {
    FlagRegister = 1,  // registration as a component after writing; nothing to register on this platform
    FlagOnDemand = 2,  // written when first asked for, not at start-up
};

struct PackageRecord
{
    QString name;  // file name on disk
    quint32 size = 0;  // bytes written
    QDateTime time;  // when the packaged file was made; a file on disk of this size and age or newer is kept
    quint16 location = LocTempFolder;
    quint16 flags = 0;
    QString source;  // where the bytes come from (a resource path)
};

// At start-up: writes every record not marked on-demand.
void InstallResources();
// Writes record `index` unless an equal or newer file of its size is there already. True when it is in place.
bool InstallResFile(int index);
// The installed path of the packaged file of that name (letter case ignored), written first when this run has
// not done so; "" when no record has that name.
QString GetResFile(const QString& name);

// Display names of the built-in ringtones, in order.
QStringList RingtoneNames();
// The folder ringtones are written to, in the data folder.
QString RingtoneFolder();
// Writes the named ringtone into the ringtone folder unless it is there already; its full path, or "" on failure.
QString ExtractRingtone(const QString& name);
// The full path of a stored ring-file text: relative texts are in the data folder, '\' separators (as the
// Windows version stored them) work, and a built-in ringtone missing from the ringtone folder is written again.
QString ResolveRingFile(const QString& text);

// The package the program carries: one record, the calendar page "calendar.htm" (temporary folder, on demand).
std::vector<PackageRecord> ShippedPackage();
// The package in force (the shipped one unless a test replaced it); replacing it forgets what was installed.
std::vector<PackageRecord>& Package();
void SetPackage(std::vector<PackageRecord> records);

}  // namespace Resources
