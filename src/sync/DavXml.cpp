// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/DavXml.h"

#include <QUrl>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

const QString kDav = QStringLiteral("DAV:");
const QString kCalDav = QStringLiteral("urn:ietf:params:xml:ns:caldav");
constexpr int kMaxDepth = 32;

int StatusCode(const QString& statusLine)
{
    // "HTTP/1.1 404 Not Found"
    const QStringList parts = statusLine.simplified().split(QLatin1Char(' '));
    return parts.size() >= 2 ? parts[1].toInt() : 0;
}

QByteArray EtagText(const QString& etag)
{
    // Kept exactly as sent (quotes included): If-Match needs it byte for byte.
    return etag.trimmed().toUtf8();
}

// Reads the text of the current element and of its children (the href inside a property).
QString ReadHrefInside(QXmlStreamReader& reader)
{
    QString href;
    int depth = 1;
    while (depth > 0 && !reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            ++depth;
            if (reader.namespaceUri() == kDav && reader.name() == u"href" && href.isEmpty()) {
                href = reader.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
                --depth;
            }
        } else if (reader.isEndElement()) {
            --depth;
        }
    }
    return href;
}

// Reads one <prop> into `item`.
void ReadProp(QXmlStreamReader& reader, DavItem& item)
{
    while (reader.readNextStartElement()) {
        const QStringView ns = reader.namespaceUri();
        const QStringView name = reader.name();
        if (ns == kDav && name == u"getetag") {
            item.etag = EtagText(reader.readElementText(QXmlStreamReader::SkipChildElements));
        } else if (ns == kCalDav && name == u"calendar-data") {
            item.calendarData = reader.readElementText(QXmlStreamReader::SkipChildElements).toUtf8();
        } else if (ns == kDav && name == u"displayname") {
            item.displayName = reader.readElementText(QXmlStreamReader::SkipChildElements);
        } else if (ns == kDav && name == u"resourcetype") {
            while (reader.readNextStartElement()) {
                if (reader.namespaceUri() == kDav && reader.name() == u"collection")
                    item.isCollection = true;
                else if (reader.namespaceUri() == kCalDav && reader.name() == u"calendar")
                    item.isCalendar = true;
                reader.skipCurrentElement();
            }
        } else if (ns == kCalDav && name == u"supported-calendar-component-set") {
            while (reader.readNextStartElement()) {
                if (reader.namespaceUri() == kCalDav && reader.name() == u"comp")
                    item.components << reader.attributes().value(QStringLiteral("name")).toString().toUpper();
                reader.skipCurrentElement();
            }
        } else if (ns == kDav && name == u"sync-token") {
            item.syncToken = reader.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
        } else if (ns == kDav && name == u"current-user-principal") {
            item.principal = ReadHrefInside(reader);
        } else if (ns == kCalDav && name == u"calendar-home-set") {
            item.calendarHome = ReadHrefInside(reader);
        } else {
            reader.skipCurrentElement();
        }
    }
}

void ReadResponse(QXmlStreamReader& reader, DavItem& item)
{
    while (reader.readNextStartElement()) {
        const QStringView name = reader.name();
        if (reader.namespaceUri() != kDav) {
            reader.skipCurrentElement();
        } else if (name == u"href") {
            item.href = DavXml::NormalizeHref(reader.readElementText(QXmlStreamReader::SkipChildElements).trimmed());
        } else if (name == u"status") {
            item.status = StatusCode(reader.readElementText(QXmlStreamReader::SkipChildElements));
        } else if (name == u"propstat") {
            DavItem props;
            int status = 200;
            while (reader.readNextStartElement()) {
                if (reader.namespaceUri() == kDav && reader.name() == u"prop")
                    ReadProp(reader, props);
                else if (reader.namespaceUri() == kDav && reader.name() == u"status")
                    status = StatusCode(reader.readElementText(QXmlStreamReader::SkipChildElements));
                else
                    reader.skipCurrentElement();
            }
            if (status >= 200 && status < 300) {
                if (!props.etag.isEmpty())
                    item.etag = props.etag;
                if (!props.calendarData.isEmpty())
                    item.calendarData = props.calendarData;
                item.isCollection |= props.isCollection;
                item.isCalendar |= props.isCalendar;
                if (!props.displayName.isEmpty())
                    item.displayName = props.displayName;
                item.components += props.components;
                if (!props.principal.isEmpty())
                    item.principal = props.principal;
                if (!props.calendarHome.isEmpty())
                    item.calendarHome = props.calendarHome;
                if (!props.syncToken.isEmpty())
                    item.syncToken = props.syncToken;
            }
        } else {
            reader.skipCurrentElement();
        }
    }
}

}  // namespace

namespace DavXml {

QString NormalizeHref(const QString& href)
{
    const QUrl url = QUrl::fromEncoded(href.toUtf8());
    return url.path(QUrl::FullyDecoded);
}

bool ParseMultistatus(const QByteArray& xml, Multistatus& out, QString* error)
{
    out = {};
    if (xml.size() > kMaxReplyBytes) {
        if (error)
            *error = QStringLiteral("reply too large");
        return false;
    }
    QXmlStreamReader reader(xml);
    bool seenRoot = false;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::DTD || token == QXmlStreamReader::EntityReference) {
            if (error)
                *error = QStringLiteral("a document type declaration is not accepted");
            return false;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (!seenRoot) {
            seenRoot = true;
            if (reader.namespaceUri() != kDav || reader.name() != u"multistatus") {
                if (error)
                    *error = QStringLiteral("not a multistatus reply");
                return false;
            }
            continue;
        }
        if (reader.namespaceUri() == kDav && reader.name() == u"response") {
            DavItem item;
            ReadResponse(reader, item);
            out.items.push_back(std::move(item));
        } else if (reader.namespaceUri() == kDav && reader.name() == u"sync-token") {
            out.syncToken = reader.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
        } else {
            reader.skipCurrentElement();
        }
        if (reader.hasError())
            break;
    }
    if (reader.hasError() || !seenRoot) {
        if (error)
            *error = seenRoot ? reader.errorString() : QStringLiteral("empty reply");
        return false;
    }
    return true;
}

QByteArray PropfindBody(const QStringList& davProps, const QStringList& caldavProps)
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument();
    w.writeNamespace(kDav, QStringLiteral("d"));
    w.writeNamespace(kCalDav, QStringLiteral("c"));
    w.writeStartElement(kDav, QStringLiteral("propfind"));
    w.writeStartElement(kDav, QStringLiteral("prop"));
    for (const QString& p : davProps)
        w.writeEmptyElement(kDav, p);
    for (const QString& p : caldavProps)
        w.writeEmptyElement(kCalDav, p);
    w.writeEndDocument();
    return out;
}

QByteArray SyncCollectionBody(const QString& token)
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument();
    w.writeNamespace(kDav, QStringLiteral("d"));
    w.writeStartElement(kDav, QStringLiteral("sync-collection"));
    w.writeTextElement(kDav, QStringLiteral("sync-token"), token);
    w.writeTextElement(kDav, QStringLiteral("sync-level"), QStringLiteral("1"));
    w.writeStartElement(kDav, QStringLiteral("prop"));
    w.writeEmptyElement(kDav, QStringLiteral("getetag"));
    w.writeEndDocument();
    return out;
}

QByteArray MultigetBody(const QStringList& paths)
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument();
    w.writeNamespace(kDav, QStringLiteral("d"));
    w.writeNamespace(kCalDav, QStringLiteral("c"));
    w.writeStartElement(kCalDav, QStringLiteral("calendar-multiget"));
    w.writeStartElement(kDav, QStringLiteral("prop"));
    w.writeEmptyElement(kDav, QStringLiteral("getetag"));
    w.writeEmptyElement(kCalDav, QStringLiteral("calendar-data"));
    w.writeEndElement();
    for (const QString& path : paths)
        w.writeTextElement(kDav, QStringLiteral("href"), QString::fromLatin1(QUrl::toPercentEncoding(path, "/")));
    w.writeEndDocument();
    return out;
}

QByteArray MkcalendarBody(const QString& displayName)
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument();
    w.writeNamespace(kDav, QStringLiteral("d"));
    w.writeNamespace(kCalDav, QStringLiteral("c"));
    w.writeStartElement(kCalDav, QStringLiteral("mkcalendar"));
    w.writeStartElement(kDav, QStringLiteral("set"));
    w.writeStartElement(kDav, QStringLiteral("prop"));
    w.writeTextElement(kDav, QStringLiteral("displayname"), displayName);
    w.writeStartElement(kCalDav, QStringLiteral("supported-calendar-component-set"));
    w.writeEmptyElement(kCalDav, QStringLiteral("comp"));
    w.writeAttribute(QStringLiteral("name"), QStringLiteral("VEVENT"));
    w.writeEndDocument();
    return out;
}

}  // namespace DavXml
