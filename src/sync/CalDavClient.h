// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sync/DavXml.h"
#include "sync/SyncTypes.h"

#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPair>
#include <QUrl>

#include <functional>

// The outcome of one request. `error` is empty when the server answered (any status); otherwise it says, in
// words for the user, why there is no answer to use (refused address, unreachable, certificate, password, size).
struct DavReply
{
    int status = 0;
    QByteArray body;
    QByteArray etag;  // the ETag header, as sent
    QString error;
    QString untrustedFingerprint;  // set when the certificate was refused
    bool unauthorized = false;  // 401: wrong user or password
    QUrl url;  // the final URL, after redirects
    bool ok() const { return error.isEmpty(); }
    bool success() const { return ok() && status >= 200 && status < 300; }
};

struct ListResult
{
    QString error;
    bool full = false;  // every resource was listed (items missing from it are gone from the server)
    bool tokenRefused = false;  // the sync token was refused, so the full listing was used
    std::vector<DavItem> items;  // full: every resource; else changes (status 404: removed)
    QString token;  // the collection's new sync token (empty when it has none)
};

struct FetchResult
{
    QString error;
    std::vector<DavItem> items;  // with calendar data
};

// A CalDAV client (RFC 4791, RFC 6578, RFC 6764) on QNetworkAccessManager. Everything is asynchronous: each call
// answers once through its callback on this object's thread. Addresses are checked before anything is sent: https,
// or http only to this machine unless the account allows it. Certificates are verified; one that is not trusted
// is refused with its SHA-256 fingerprint unless that fingerprint is the account's confirmed one. A wrong
// password is reported once, never retried.
class CalDavClient : public QObject
{
    Q_OBJECT
public:
    using Callback = std::function<void(const DavReply&)>;
    using Headers = QList<QPair<QByteArray, QByteArray>>;

    explicit CalDavClient(QObject* parent = nullptr);

    void SetAccount(const DavAccount& account) { m_account = account; }
    const DavAccount& Account() const { return m_account; }

    // A request to the server; redirects are followed (at most 5, never from https to http).
    void Send(const QByteArray& method, const QUrl& url, const QByteArray& body, const Headers& headers, Callback done);

    // From the account's URL to a calendar that takes events: the URL itself when it is one, else RFC 6764
    // discovery (/.well-known/caldav, current-user-principal, calendar-home-set), then the calendar named
    // `name` (made with MKCALENDAR when there is none). An empty name means the program's own calendar; when the
    // server does not let it be made, the first calendar that takes events is used.
    void Discover(const QString& name, std::function<void(const DiscoveryResult&)> done);
    // The calendars that take events, found the same way; nothing is made. An account URL that is a calendar
    // itself lists that one.
    void ListCalendars(std::function<void(const DiscoveryResult&)> done);
    // Changes since `token` (sync-collection); with no token, or one the server refuses, or a server without the
    // report, every resource (PROPFIND Depth 1).
    void ListChanges(const QUrl& calendar, const QString& token, std::function<void(const ListResult&)> done);
    void ListAll(const QUrl& calendar, std::function<void(const ListResult&)> done);
    // The resources at those paths with their data (calendar-multiget, in batches).
    void Fetch(const QUrl& calendar, const QStringList& paths, std::function<void(const FetchResult&)> done);
    // PUT with If-Match: etag, or If-None-Match: * for a new resource (empty etag).
    void Put(const QUrl& url, const QByteArray& ics, const QByteArray& etag, Callback done);
    void Delete(const QUrl& url, const QByteArray& etag, Callback done);

    // "https://host/" for a bare host name ("example.com", "example.com:8443/dav"); other text as a URL.
    static QUrl ServerUrl(const QString& text);
    // Why the address may not be used (empty when it may).
    static QString CheckAddress(const QUrl& url, bool allowHttp);
    static bool IsLoopback(const QUrl& url);
    // The calendar the program makes for itself when none is named.
    static QString OwnCalendarName();
    // A resource's URL on the calendar's server from its decoded path.
    static QUrl UrlForPath(const QUrl& base, const QString& path);

    int RequestCount() const { return m_requests; }

private:
    void SendHop(const QByteArray& method, const QUrl& url, const QByteArray& body, const Headers& headers,
        Callback done, int hops);
    using Done = std::function<void(const DiscoveryResult&)>;
    // What discovery does once it knows the calendar home: choose (or make) one, or list them.
    using AtHome = std::function<void(const QUrl& home, Done done)>;
    void DiscoverPrincipal(const QUrl& url, bool triedWellKnown, AtHome atHome, Done done);
    void DiscoverHome(const QUrl& principal, AtHome atHome, Done done);
    // The calendars under `home` that take events (the PROPFIND reply's items), or why they could not be listed.
    void ListHome(const QUrl& home, std::function<void(const DiscoveryResult&, const QUrl& replyUrl)> done);
    void ChooseCalendar(const QUrl& home, const QString& name, Done done);
    void FetchBatch(const QUrl& calendar, QStringList paths, std::shared_ptr<FetchResult> result,
        std::function<void(const FetchResult&)> done);

    QNetworkAccessManager m_nam;
    DavAccount m_account;
    int m_requests = 0;
};

// Words for an answer that is not the expected one: the reply's error, 401, or the status.
QString DavErrorText(const DavReply& reply);
