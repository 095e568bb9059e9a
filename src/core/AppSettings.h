// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The settings kept in the data file next to the tasks. Windows that own a setting read and write it here;
// the store writes them all back at every save, so a load followed by a save loses nothing. Each field holds
// the text the file holds (the owners interpret it), with the file's default when the attribute is absent.
struct AppSettings
{
    // Widths of the 13 list columns joined by ";"; empty until the list has reported them (default widths).
    QString ColWidth;
    bool EnableLog = false;  // the status log tickwell.log is written
    bool DesktopNotify = true;  // a fired task also raises a desktop notification
    QString Types;  // the category list: "个人;*工作", the default marked with "*"
    QString Filter;  // the list filter text; empty = no filter
    QString AutoLock = QStringLiteral("0");  // idle minutes (or "45s") before the window locks; "0" = never
    // The unlock password as stored (Base64, see Base64.h), kept as found. Empty = no password.
    QString UnlockPwd;
    int BgStyle = 0;  // background style 0..3
    QString ColorStyle;  // "colour1,colour2" as decimal 0x00BBGGRR values; empty = the first colour style
    QString Language;  // the interface language: "zh", "en", or empty = the system's

    // Filled by the legacy import for the editor's recent ring files and commands; not stored in the file.
    QStringList RecentRingFiles;
    QStringList RecentCmds;

    QString UnlockPassword() const;  // the plain password
    void SetUnlockPassword(const QString& password);
};
