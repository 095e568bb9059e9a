#pragma once

#include <QString>

// The settings kept in the data file next to the tasks. Windows that own a setting read and write it here;
// the store writes them all back at every save, so a load followed by a save loses nothing.
struct AppSettings
{
    bool EnableLog = false;  // the status log tickwell.log is written
};
