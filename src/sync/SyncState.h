// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QString>

// What the server held of one task at the last sync: where it lives, its ETag and the text as last read or
// written. A local change is exactly a difference between the task and this copy, so changes made offline
// need no journal of their own; an entry whose task is gone is a deletion still to send.
struct SyncItem
{
    QString uid;
    QString href;  // decoded path on the server
    QByteArray etag;
    // The copy of the text, by its digest (SyncState::Copy reads it): most syncs need none of them.
    QByteArray copy;
    // A digest of the local task when it last agreed with the copy: while it is unchanged, so is the task.
    QByteArray localDigest;
    // A resource on the server that is no task here (no event, or an event of another client that is over):
    // kept so that it is neither fetched again nor ever deleted.
    bool ignored = false;
    bool listedDates = false;  // the copy lists explicit dates (RDATE), which run out as time passes

    bool operator==(const SyncItem&) const = default;
};

// The account and the sync state of one data folder, beside twdata.xml: an index (twsync.state, a line per
// task) read and written by every sync, and the copies of the tasks as the server has them, one file each in
// twsync.copies named by the digest of its text, read only for a task that changed. A copy is written before the
// index that names it and removed only after an index that no longer does, so a kill at any point leaves an index
// whose copies are all there; a copy that is missing or damaged anyway (a power cut, a hand edit) reads as
// empty and the sync fetches the server's text instead. The data file stays as it was, so an older release reads
// it unchanged. No password is ever in these files. The single file of an older release (twsync.xml) is read
// when there is no index yet and removed once the index is written.
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

    // An entry for a resource whose text is `ics`; the text is kept for the next Save.
    SyncItem Record(const QString& uid, const QString& href, const QByteArray& etag, const QByteArray& ics);
    // The text an entry was recorded with; empty when it cannot be read back.
    QByteArray Copy(const SyncItem& item) const;

    static QString FilePath(const QString& dataFolder);  // the index
    static QString CopiesPath(const QString& dataFolder);
    static QString OldFilePath(const QString& dataFolder);
    // A missing file is an empty state (true). False with the reason for a file that cannot be read: the caller
    // must not write over it.
    bool Load(const QString& path, QString* error);
    // Writes what changed since the last Load or Save: nothing when nothing did.
    bool Save(const QString& path, QString* error);
    // Removes the index, the copies and an older release's file.
    static bool Remove(const QString& path);

    QByteArray Serialize() const;
    bool Parse(const QByteArray& text, QString* error);
    // The single XML file of an older release, copies included.
    bool ParseOld(const QByteArray& xml, QString* error);

private:
    QString m_copiesDir;  // where Copy reads from
    mutable QHash<QByteArray, QByteArray> m_copies;  // texts by digest: read, or recorded and not yet written
    QSet<QByteArray> m_unwritten;
    QByteArray m_written;  // the index as it is on disk
    // The lines of `items` as last written or read: most syncs change none of them, and a hash that was not
    // written to compares equal at once.
    mutable QHash<QString, SyncItem> m_itemsInLines;
    mutable QByteArray m_itemLines;
    mutable bool m_itemLinesValid = false;
    QSet<QByteArray> m_named;  // the copies it names
};
