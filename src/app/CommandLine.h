#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for. Unknown switches are ignored rather than fatal: an autostart entry may
// carry options of other versions.
struct StartOptions
{
    bool minimised = false;  // "-m": start with the window minimised (how the autostart entry starts it)
    QString dataDir;  // "--data-dir DIR": the folder of the data file instead of the program's own
    bool powerDryRun = false;  // "--power-dry-run": print power actions instead of performing them
    bool help = false;
    QString helpText;
};

// `arguments` as QCoreApplication::arguments(), the program first.
StartOptions ParseCommandLine(const QStringList& arguments);
