// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>

// What the server held of one task at the last sync: where it lives, its ETag and the text as last read or
// written. A local change is exactly a difference between the task and this copy, so changes made offline
// need no journal of their own; an entry whose task is gone is a deletion still to send.
struct SyncItem
{
    QString uid;
    QString href;  // decoded path on the server
    QByteArray etag;
    QByteArray ics;
    // A digest of the local task when it last agreed with `ics`: while it is unchanged, so is the task.
    QByteArray localDigest;
    // A resource on the server that is no task here (no event, or an event of another client that is over):
    // kept so that it is neither fetched again nor ever deleted.
    bool ignored = false;
};

// The account and the sync state of one data folder, in twsync.xml beside twdata.xml. It is a file of its own
// because it is rewritten on every sync and holds a copy of every task as the server has it; the data file stays
// as it was, so an older release reads it unchanged. Written atomically (the old file or the new one survives a
// crash). No password is ever in it.
class SyncState
{
public:
    QString server;  // the address the user gave
    QString user;
    QString calendarUrl;  // empty: no account
    QString calendarName;
    QString trustedFingerprint;  // SHA-256 of a certificate the user confirmed
    bool allowHttp = false;  // plain http to a server other than this machine, confirmed by the user
    static constexpr int kDefaultIntervalSeconds = 300;
    int intervalSeconds = kDefaultIntervalSeconds;  // how often the program syncs by itself

    QString token;  // the collection's sync token after the last listing
    QDateTime lastSync;  // the last sync that completed (UTC)
    QDateTime lastAttempt;
    QString lastError;  // why the last attempt failed; empty after a success
    QDateTime renewalChecked;  // when listed dates were last checked for renewal

    QHash<QString, SyncItem> items;  // by UID

    bool HasAccount() const { return !calendarUrl.isEmpty(); }
    // The key of the password in the secret store: the account and the data folder, so that forgetting the
    // account of one folder leaves another folder's account alone.
    QString SecretKey(const QString& dataFolder) const;
    const SyncItem* FindByHref(const QString& href) const;

    static QString FilePath(const QString& dataFolder);
    // A missing file is an empty state (true). False with the reason for a file that cannot be read: the caller
    // must not write over it.
    bool Load(const QString& path, QString* error);
    bool Save(const QString& path, QString* error) const;
    QByteArray Serialize() const;
    bool Parse(const QByteArray& xml, QString* error);
};
