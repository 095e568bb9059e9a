// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/SyncState.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

const QString kRoot = QStringLiteral("tickwell-sync");

QString TimeText(const QDateTime& t)
{
    return t.isValid() ? t.toUTC().toString(Qt::ISODate) : QString();
}

QDateTime ReadTime(QStringView text)
{
    QDateTime t = QDateTime::fromString(text.toString(), Qt::ISODate);
    return t.isValid() ? t.toUTC() : QDateTime();
}

}  // namespace

QString SyncState::SecretKey(const QString& dataFolder) const
{
    return user + QLatin1Char('@') + server + QStringLiteral(" (") + QDir(dataFolder).absolutePath() + u')';
}

const SyncItem* SyncState::FindByHref(const QString& href) const
{
    for (const SyncItem& item : items) {
        if (item.href == href)
            return &item;
    }
    return nullptr;
}

QString SyncState::FilePath(const QString& dataFolder)
{
    return QDir(dataFolder).filePath(QStringLiteral("twsync.xml"));
}

QByteArray SyncState::Serialize() const
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeStartElement(kRoot);
    w.writeAttribute(QStringLiteral("version"), QStringLiteral("1"));
    w.writeStartElement(QStringLiteral("account"));
    w.writeAttribute(QStringLiteral("server"), server);
    w.writeAttribute(QStringLiteral("user"), user);
    w.writeAttribute(QStringLiteral("calendar"), calendarUrl);
    w.writeAttribute(QStringLiteral("name"), calendarName);
    if (!trustedFingerprint.isEmpty())
        w.writeAttribute(QStringLiteral("fingerprint"), trustedFingerprint);
    if (allowHttp)
        w.writeAttribute(QStringLiteral("allow-http"), QStringLiteral("1"));
    w.writeAttribute(QStringLiteral("interval"), QString::number(intervalSeconds));
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("state"));
    w.writeAttribute(QStringLiteral("token"), token);
    w.writeAttribute(QStringLiteral("last-sync"), TimeText(lastSync));
    w.writeAttribute(QStringLiteral("last-attempt"), TimeText(lastAttempt));
    w.writeAttribute(QStringLiteral("last-error"), lastError);
    w.writeAttribute(QStringLiteral("renewal-checked"), TimeText(renewalChecked));
    w.writeEndElement();
    // In a stable order, so that an unchanged state writes the same file.
    QStringList uids = items.keys();
    uids.sort();
    for (const QString& uid : uids) {
        const SyncItem& item = items[uid];
        w.writeStartElement(QStringLiteral("item"));
        w.writeAttribute(QStringLiteral("uid"), item.uid);
        w.writeAttribute(QStringLiteral("href"), item.href);
        w.writeAttribute(QStringLiteral("etag"), QString::fromUtf8(item.etag));
        if (!item.localDigest.isEmpty())
            w.writeAttribute(QStringLiteral("local"), QString::fromLatin1(item.localDigest));
        if (item.ignored)
            w.writeAttribute(QStringLiteral("ignored"), QStringLiteral("1"));
        // Base64: the text keeps its line ends exactly.
        w.writeCharacters(QString::fromLatin1(item.ics.toBase64()));
        w.writeEndElement();
    }
    w.writeEndDocument();
    return out;
}

bool SyncState::Parse(const QByteArray& xml, QString* error)
{
    *this = SyncState();
    QXmlStreamReader r(xml);
    if (!r.readNextStartElement() || r.name() != kRoot) {
        if (error)
            *error = QStringLiteral("not a sync state file");
        return false;
    }
    while (r.readNextStartElement()) {
        const QXmlStreamAttributes a = r.attributes();
        if (r.name() == u"account") {
            server = a.value(QStringLiteral("server")).toString();
            user = a.value(QStringLiteral("user")).toString();
            calendarUrl = a.value(QStringLiteral("calendar")).toString();
            calendarName = a.value(QStringLiteral("name")).toString();
            trustedFingerprint = a.value(QStringLiteral("fingerprint")).toString();
            allowHttp = a.value(QStringLiteral("allow-http")) == u"1";
            bool number = false;
            const int interval = a.value(QStringLiteral("interval")).toInt(&number);
            intervalSeconds = number && interval > 0 ? interval : kDefaultIntervalSeconds;
            r.skipCurrentElement();
        } else if (r.name() == u"state") {
            token = a.value(QStringLiteral("token")).toString();
            lastSync = ReadTime(a.value(QStringLiteral("last-sync")));
            lastAttempt = ReadTime(a.value(QStringLiteral("last-attempt")));
            lastError = a.value(QStringLiteral("last-error")).toString();
            renewalChecked = ReadTime(a.value(QStringLiteral("renewal-checked")));
            r.skipCurrentElement();
        } else if (r.name() == u"item") {
            SyncItem item;
            item.uid = a.value(QStringLiteral("uid")).toString();
            item.href = a.value(QStringLiteral("href")).toString();
            item.etag = a.value(QStringLiteral("etag")).toUtf8();
            item.localDigest = a.value(QStringLiteral("local")).toLatin1();
            item.ignored = a.value(QStringLiteral("ignored")) == u"1";
            item.ics = QByteArray::fromBase64(r.readElementText().toLatin1());
            if (!item.uid.isEmpty())
                items.insert(item.uid, item);
        } else {
            r.skipCurrentElement();
        }
    }
    // QXmlStreamReader expands no external entity; a DTD is not part of this file.
    if (r.hasError()) {
        if (error)
            *error = r.errorString();
        return false;
    }
    return true;
}

bool SyncState::Load(const QString& path, QString* error)
{
    *this = SyncState();
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return Parse(file.readAll(), error);
}

bool SyncState::Save(const QString& path, QString* error) const
{
    const QByteArray xml = Serialize();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(xml) != xml.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
