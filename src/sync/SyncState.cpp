// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/SyncState.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamReader>

#include <algorithm>

namespace {

const QByteArray kHeader = QByteArrayLiteral("tickwell-sync 2");
const QString kOldRoot = QStringLiteral("tickwell-sync");
const QString kCopySuffix = QStringLiteral(".ics");

QByteArray TimeText(const QDateTime& t)
{
    return t.isValid() ? t.toUTC().toString(Qt::ISODate).toLatin1() : QByteArray();
}

QDateTime ReadTime(QStringView text)
{
    QDateTime t = QDateTime::fromString(text.toString(), Qt::ISODate);
    return t.isValid() ? t.toUTC() : QDateTime();
}

// A field of a line: the characters that end a field or a line, and the escape itself, are written as %XX.
void AppendField(QByteArray& out, const QByteArray& value)
{
    out += '\t';
    if (std::none_of(
            value.begin(), value.end(), [](char c) { return c == '%' || c == '\t' || c == '\n' || c == '\r'; })) {
        out += value;
        return;
    }
    for (const char c : value) {
        if (c == '%' || c == '\t' || c == '\n' || c == '\r')
            out += '%' + QByteArray::number(uchar(c), 16).rightJustified(2, '0').toUpper();
        else
            out += c;
    }
}

QByteArray FieldValue(QByteArrayView field)
{
    return field.contains('%') ? QByteArray::fromPercentEncoding(field.toByteArray()) : field.toByteArray();
}

QString FieldText(QByteArrayView field)
{
    return QString::fromUtf8(field.contains('%') ? FieldValue(field) : field);
}

void AppendLine(QByteArray& out, const char* key, const QByteArray& value)
{
    out += key;
    AppendField(out, value);
    out += '\n';
}

QByteArray Digest(const QByteArray& ics)
{
    return QCryptographicHash::hash(ics, QCryptographicHash::Sha1).toHex();
}

QString Sibling(const QString& path, const QString& name)
{
    return QFileInfo(path).dir().filePath(name);
}

QString CopiesDirFor(const QString& indexPath)
{
    return Sibling(indexPath, QStringLiteral("twsync.copies"));
}

QString OldFileFor(const QString& indexPath)
{
    return Sibling(indexPath, QStringLiteral("twsync.xml"));
}

// Written under a temporary name and renamed: a kill leaves either no copy or the whole of it.
bool WriteCopy(const QString& dir, const QByteArray& id, const QByteArray& ics, QString* error)
{
    const QString path = dir + u'/' + QString::fromLatin1(id) + kCopySuffix;
    if (QFile existing(path); existing.exists()) {
        // The same text was kept before; unless it was damaged since, it stays as it is.
        if (existing.open(QIODevice::ReadOnly) && Digest(existing.readAll()) == id)
            return true;
        existing.close();
        existing.remove();
    }
    QFile file(path + QStringLiteral(".tmp"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) || file.write(ics) != ics.size()
        || !file.flush()) {
        if (error)
            *error = file.errorString();
        file.remove();
        return false;
    }
    file.close();
    if (!file.rename(path)) {
        if (error)
            *error = file.errorString();
        file.remove();
        return false;
    }
    return true;
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
    return QDir(dataFolder).filePath(QStringLiteral("twsync.state"));
}

QString SyncState::CopiesPath(const QString& dataFolder)
{
    return CopiesDirFor(FilePath(dataFolder));
}

QString SyncState::OldFilePath(const QString& dataFolder)
{
    return OldFileFor(FilePath(dataFolder));
}

SyncItem SyncState::Record(const QString& uid, const QString& href, const QByteArray& etag, const QByteArray& ics)
{
    SyncItem item;
    item.uid = uid;
    item.href = href;
    item.etag = etag;
    if (!ics.isEmpty()) {
        item.copy = Digest(ics);
        item.listedDates = ics.contains("RDATE");
        if (!m_copies.contains(item.copy)) {
            m_copies.insert(item.copy, ics);
            m_unwritten.insert(item.copy);
        }
    }
    return item;
}

QByteArray SyncState::Copy(const SyncItem& item) const
{
    if (item.copy.isEmpty())
        return {};
    if (const auto it = m_copies.constFind(item.copy); it != m_copies.cend())
        return *it;
    QFile file(m_copiesDir + u'/' + QString::fromLatin1(item.copy) + kCopySuffix);
    if (m_copiesDir.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray ics = file.readAll();
    // A copy that is not the text it is named after (torn by a power cut, edited) is no base to merge against.
    if (Digest(ics) != item.copy)
        return {};
    m_copies.insert(item.copy, ics);
    return ics;
}

QByteArray SyncState::Serialize() const
{
    QByteArray out;
    out.reserve(256 + items.size() * 256);
    out += kHeader + '\n';
    AppendLine(out, "server", server.toUtf8());
    AppendLine(out, "user", user.toUtf8());
    AppendLine(out, "calendar", calendarUrl.toUtf8());
    AppendLine(out, "name", calendarName.toUtf8());
    if (!trustedFingerprint.isEmpty())
        AppendLine(out, "fingerprint", trustedFingerprint.toUtf8());
    if (allowHttp)
        AppendLine(out, "allow-http", "1");
    AppendLine(out, "interval", QByteArray::number(intervalSeconds));
    AppendLine(out, "token", token.toUtf8());
    AppendLine(out, "last-sync", TimeText(lastSync));
    AppendLine(out, "last-attempt", TimeText(lastAttempt));
    AppendLine(out, "last-error", lastError.toUtf8());
    AppendLine(out, "renewal-checked", TimeText(renewalChecked));
    if (m_itemLinesValid && items == m_itemsInLines) {
        out += m_itemLines;
        return out;
    }
    const qsizetype itemsAt = out.size();
    // In a stable order, so that an unchanged state gives the same text and is not written again.
    QStringList uids = items.keys();
    uids.sort();
    for (const QString& uid : uids) {
        const SyncItem& item = *items.constFind(uid);
        out += "item";
        AppendField(out, item.uid.toUtf8());
        AppendField(out, item.href.toUtf8());
        AppendField(out, item.etag);
        AppendField(out, item.copy);
        AppendField(out, item.localDigest);
        AppendField(out, QByteArray(item.ignored ? "i" : "") + (item.listedDates ? "d" : ""));
        out += '\n';
    }
    m_itemLines = out.sliced(itemsAt);
    m_itemsInLines = items;
    m_itemLinesValid = true;
    return out;
}

bool SyncState::Parse(const QByteArray& text, QString* error)
{
    const QString copiesDir = m_copiesDir;
    *this = SyncState();
    m_copiesDir = copiesDir;
    QByteArrayView rest(text);
    const auto nextLine = [&rest] {
        const qsizetype end = rest.indexOf('\n');
        const QByteArrayView line = end < 0 ? rest : rest.first(end);
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
        return line;
    };
    if (nextLine() != kHeader) {
        if (error)
            *error = QStringLiteral("not a sync state file");
        return false;
    }
    QByteArrayView f[8];
    qsizetype firstItem = -1;  // where the item lines start, when nothing else follows them
    while (!rest.isEmpty()) {
        const qsizetype at = text.size() - rest.size();
        QByteArrayView line = nextLine();
        // Fields past those known are left for a later version; missing ones are empty.
        int n = 0;
        for (; n < 8; ++n) {
            const qsizetype tab = line.indexOf('\t');
            f[n] = tab < 0 ? line : line.first(tab);
            line = tab < 0 ? QByteArrayView() : line.sliced(tab + 1);
            if (tab < 0) {
                ++n;
                break;
            }
        }
        std::fill(f + n, f + 8, QByteArrayView());
        const QByteArrayView key = f[0];
        if (key != "item")
            firstItem = -1;
        else if (firstItem < 0)
            firstItem = at;
        if (key == "item") {
            SyncItem item;
            item.uid = FieldText(f[1]);
            item.href = FieldText(f[2]);
            item.etag = FieldValue(f[3]);
            item.copy = FieldValue(f[4]);
            item.localDigest = FieldValue(f[5]);
            item.ignored = f[6].contains('i');
            item.listedDates = f[6].contains('d');
            if (!item.uid.isEmpty())
                items.insert(item.uid, item);
        } else if (key == "server") {
            server = FieldText(f[1]);
        } else if (key == "user") {
            user = FieldText(f[1]);
        } else if (key == "calendar") {
            calendarUrl = FieldText(f[1]);
        } else if (key == "name") {
            calendarName = FieldText(f[1]);
        } else if (key == "fingerprint") {
            trustedFingerprint = FieldText(f[1]);
        } else if (key == "allow-http") {
            allowHttp = f[1] == "1";
        } else if (key == "interval") {
            bool number = false;
            const int interval = FieldValue(f[1]).toInt(&number);
            intervalSeconds = number && interval > 0 ? interval : kDefaultIntervalSeconds;
        } else if (key == "token") {
            token = FieldText(f[1]);
        } else if (key == "last-sync") {
            lastSync = ReadTime(FieldText(f[1]));
        } else if (key == "last-attempt") {
            lastAttempt = ReadTime(FieldText(f[1]));
        } else if (key == "last-error") {
            lastError = FieldText(f[1]);
        } else if (key == "renewal-checked") {
            renewalChecked = ReadTime(FieldText(f[1]));
        }
    }
    if (firstItem >= 0 || items.isEmpty()) {
        m_itemLines = firstItem >= 0 ? text.sliced(firstItem) : QByteArray();
        m_itemsInLines = items;
        m_itemLinesValid = true;
    }
    return true;
}

bool SyncState::ParseOld(const QByteArray& xml, QString* error)
{
    const QString copiesDir = m_copiesDir;
    *this = SyncState();
    m_copiesDir = copiesDir;
    QXmlStreamReader r(xml);
    if (!r.readNextStartElement() || r.name() != kOldRoot) {
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
            const QString uid = a.value(QStringLiteral("uid")).toString();
            const QString href = a.value(QStringLiteral("href")).toString();
            const QByteArray etag = a.value(QStringLiteral("etag")).toUtf8();
            // Its digest was taken differently: it no longer matches, and the task is compared with the copy once.
            const QByteArray local = a.value(QStringLiteral("local")).toLatin1();
            const bool ignored = a.value(QStringLiteral("ignored")) == u"1";
            SyncItem item = Record(uid, href, etag, QByteArray::fromBase64(r.readElementText().toLatin1()));
            item.localDigest = local;
            item.ignored = ignored;
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
    m_copiesDir = CopiesDirFor(path);
    QFile file(path);
    if (!file.exists()) {
        // Not yet written by this release: the older single file, if there is one, is read instead.
        QFile old(OldFileFor(path));
        if (!old.exists())
            return true;
        if (!old.open(QIODevice::ReadOnly)) {
            if (error)
                *error = old.errorString();
            return false;
        }
        return ParseOld(old.readAll(), error);
    }
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const QByteArray text = file.readAll();
    if (!Parse(text, error))
        return false;
    m_written = text;
    for (const SyncItem& item : std::as_const(items)) {
        if (!item.copy.isEmpty())
            m_named.insert(item.copy);
    }
    return true;
}

bool SyncState::Save(const QString& path, QString* error)
{
    const QString dir = CopiesDirFor(path);
    QSet<QByteArray> named;
    named.reserve(items.size());
    for (const SyncItem& item : std::as_const(items)) {
        if (!item.copy.isEmpty())
            named.insert(item.copy);
    }
    // The copies first: the index must never name one that is not there.
    bool dirMade = false;
    for (const QByteArray& id : std::as_const(m_unwritten)) {
        if (!named.contains(id))
            continue;
        if (!dirMade
            && (!QDir().mkpath(dir)
                || !QFile::setPermissions(
                    dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner))) {
            if (error)
                *error = QStringLiteral("cannot make %1").arg(dir);
            return false;
        }
        dirMade = true;
        if (!WriteCopy(dir, id, m_copies.value(id), error))
            return false;
    }
    m_unwritten.clear();
    m_copiesDir = dir;

    const QByteArray text = Serialize();
    if (text == m_written)
        return true;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(text) != text.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    m_written = text;
    QFile::remove(OldFileFor(path));
    if (named == m_named)
        return true;
    m_named = named;
    // Copies no entry names any more (replaced, deleted) go once the index that named them is replaced; so do
    // the leftovers of a copy whose writing was cut short.
    const QStringList files = QDir(dir).entryList(QDir::Files);
    for (const QString& name : files) {
        const qsizetype dot = name.indexOf(u'.');
        if (dot < 0 || name.mid(dot) != kCopySuffix || !named.contains(name.left(dot).toLatin1()))
            QFile::remove(dir + u'/' + name);
    }
    return true;
}

bool SyncState::Remove(const QString& path)
{
    QDir copies(CopiesDirFor(path));
    const bool copiesGone = !copies.exists() || copies.removeRecursively();
    const bool oldGone = !QFile::exists(OldFileFor(path)) || QFile::remove(OldFileFor(path));
    const bool indexGone = !QFile::exists(path) || QFile::remove(path);
    return copiesGone && oldGone && indexGone;
}
