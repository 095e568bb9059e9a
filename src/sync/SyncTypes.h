// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <vector>

// The plain values the windows and the sync module hand each other: none of them needs the network.

// Where and as whom the client talks.
struct DavAccount
{
    QUrl url;  // the server address or the calendar's URL
    QString user;
    QString password;
    QString trustedFingerprint;  // SHA-256 of a certificate the user confirmed ("AB:CD:…"), else empty
    bool allowHttp = false;  // the user confirmed plain http to a server other than this machine
};

// A calendar collection that takes events.
struct DavCalendar
{
    QUrl url;
    QString displayName;  // the collection's name, else the last segment of its path
};

struct DiscoveryResult
{
    QString error;  // empty on success
    QString untrustedFingerprint;
    bool unauthorized = false;
    QUrl calendarUrl;
    QString displayName;
    bool created = false;  // made by MKCALENDAR
    std::vector<DavCalendar> calendars;  // ListCalendars: every calendar found
};

// What one sync (or a setup, or a forget) came to.
struct SyncResult
{
    bool ok = false;
    QString error;  // why it failed, for the user
    QString untrustedFingerprint;  // the certificate to confirm, when that is why
    bool unauthorized = false;
    int uploaded = 0;  // resources written to the server
    int downloaded = 0;  // tasks added or changed here from the server
    int deleted = 0;  // tasks removed here, and resources removed on the server
    QStringList notes;  // what was also written to the status log: removals, restorations, lost values
    bool fullListing = false;  // every resource was listed (first sync, a refused token, no RFC 6578)
    int requests = 0;  // requests sent
    QString calendarUrl;  // setup: the calendar found or made

    // "上传 N，下载 M，删除 K"
    QString Summary() const;
};

// What `sync setup` is given.
struct SyncSetup
{
    QString server;  // a host name, a server URL or a calendar URL
    QString user;
    QString password;
    QString calendarName;  // empty: the program's own calendar
    QString trustedFingerprint;
    bool allowHttp = false;
};
