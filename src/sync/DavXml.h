// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// One <response> of a WebDAV multistatus reply, with the properties this client asks for. Properties in a
// propstat whose status is not 2xx are left empty.
struct DavItem
{
    QString href;  // the path, percent-decoded (see NormalizeHref)
    int status = 200;  // the response's own status when it has one (404: removed, in a sync-collection reply)
    QByteArray etag;
    QByteArray calendarData;
    bool isCollection = false;
    bool isCalendar = false;
    QString displayName;
    QStringList components;  // supported-calendar-component-set, e.g. "VEVENT"
    QString principal;  // current-user-principal href
    QString calendarHome;  // calendar-home-set href (the first)
    QString syncToken;  // the collection's DAV:sync-token property
};

struct Multistatus
{
    std::vector<DavItem> items;
    QString syncToken;  // the reply's own sync-token (a sync-collection report)
};

namespace DavXml {

// Replies larger than this are refused before they are read.
inline constexpr qint64 kMaxReplyBytes = 8 * 1024 * 1024;

// Reads a multistatus body. A document with a DTD is refused (no entity is ever expanded), as is one nested
// deeper than any reply needs. False with the reason in `error`.
bool ParseMultistatus(const QByteArray& xml, Multistatus& out, QString* error);

// An href as the server wrote it (a path or a full URL, percent-encoded) as a decoded path, so that the same
// resource compares equal whichever reply named it.
QString NormalizeHref(const QString& href);

// Request bodies.
QByteArray PropfindBody(const QStringList& davProps, const QStringList& caldavProps);
QByteArray SyncCollectionBody(const QString& token);
QByteArray MultigetBody(const QStringList& paths);
QByteArray MkcalendarBody(const QString& displayName);

}  // namespace DavXml
