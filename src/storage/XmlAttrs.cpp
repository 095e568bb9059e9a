// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/XmlAttrs.h"

#include <QXmlStreamAttributes>

#include <algorithm>
#include <cstring>

XmlAttrs::XmlAttrs(const QXmlStreamAttributes& attrs)
{
    m_attrs.reserve(size_t(attrs.size()));
    m_names.reserve(size_t(attrs.size()));
    for (const QXmlStreamAttribute& a : attrs) {
        const QStringView name = a.qualifiedName();
        if (std::any_of(name.begin(), name.end(), [](QChar c) { return c.unicode() >= 0x80; }))
            continue;
        // A moved QByteArray keeps its characters where they are, so the views stay valid as the vector grows.
        m_names.push_back(name.toLatin1());
        Add(QLatin1StringView(m_names.back())) = a.value().toString();
    }
}

QString& XmlAttrs::Add(QLatin1StringView name)
{
    return m_attrs.emplace_back(Attr { name, QString() }).value;
}

const XmlAttrs::Attr* XmlAttrs::Find(QLatin1StringView name) const
{
    for (const Attr& a : m_attrs) {
        if (a.name.size() == name.size() && std::memcmp(a.name.data(), name.data(), size_t(name.size())) == 0)
            return &a;
    }
    return nullptr;
}

QString XmlAttrs::Value(QLatin1StringView name, const QString& def) const
{
    const Attr* a = Find(name);
    return a ? a->value : def;
}
