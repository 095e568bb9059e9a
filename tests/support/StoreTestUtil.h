// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/TaskEngine.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

#include <ostream>

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace storetest {

inline QString Fixture(const char* name)
{
    // From the build, not __FILE__: a compiler cache may hand out relative source paths.
    return QStringLiteral(TW_SOURCE_DIR "/tests/storage/fixtures/") + QLatin1String(name);
}

inline QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The attribute names of every element, in document order (the document element first).
inline std::vector<QStringList> AttributeNames(const QByteArray& xml)
{
    std::vector<QStringList> out;
    QXmlStreamReader r(xml);
    while (!r.atEnd()) {
        if (r.readNext() == QXmlStreamReader::StartElement) {
            out.emplace_back();
            for (const auto& a : r.attributes())
                out.back() << a.qualifiedName().toString();
        }
    }
    return out;
}

}  // namespace storetest
