// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/XmlAttrs.h"

#include <QXmlStreamAttributes>

#include <algorithm>
#include <cstring>

XmlAttrs::XmlAttrs(const QXmlStreamAttributes& attrs)
{
    Clear();
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

void XmlAttrs::Clear()
{
    m_count = 0;
    m_slots.fill(-1);
}

unsigned XmlAttrs::Slot(QLatin1StringView name)
{
    // Length, first and last character: enough to tell apart the names of a data file.
    const auto byte = [&](qsizetype i) { return quint32(static_cast<unsigned char>(name.data()[i])); };
    const qsizetype n = name.size();
    const quint32 mix = quint32(n) ^ (n ? (byte(0) << 8 | byte(n - 1) << 16) : 0);
    static_assert(kSlots == 1 << 7);
    return (mix * 0x9E3779B1u) >> 25;
}

QString& XmlAttrs::Add(QLatin1StringView name)
{
    if (m_count < kHashed) {
        unsigned slot = Slot(name);
        while (m_slots[slot] >= 0)
            slot = (slot + 1) % kSlots;
        m_slots[slot] = qint8(m_count);
    }
    if (size_t(m_count) == m_attrs.size())
        m_attrs.emplace_back();
    Attr& a = m_attrs[size_t(m_count++)];
    a.name = name;
    return a.value;
}

const XmlAttrs::Attr* XmlAttrs::Find(QLatin1StringView name) const
{
    const auto same = [&name](const Attr& a) {
        return a.name.size() == name.size() && std::memcmp(a.name.data(), name.data(), size_t(name.size())) == 0;
    };
    for (unsigned slot = Slot(name); m_slots[slot] >= 0; slot = (slot + 1) % kSlots) {
        const Attr& a = m_attrs[size_t(m_slots[slot])];
        if (same(a))
            return &a;
    }
    // Elements with more attributes than the table holds are no documents of this program.
    for (size_t i = kHashed; i < size_t(m_count); ++i) {
        if (same(m_attrs[i]))
            return &m_attrs[i];
    }
    return nullptr;
}

QString XmlAttrs::Value(QLatin1StringView name, const QString& def) const
{
    const Attr* a = Find(name);
    return a ? a->value : def;
}
