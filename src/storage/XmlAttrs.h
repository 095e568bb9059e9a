// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QLatin1StringView>
#include <QString>

#include <array>
#include <vector>

class QXmlStreamAttributes;

// One element's attributes as the data file's readers hand them over, looked up by their ASCII names whichever
// reader found them: the byte scanner fills it straight from the document, QXmlStreamReader through the
// constructor.
class XmlAttrs
{
public:
    // The attributes found by name in a small hash table; beyond this many, by going through them all.
    static constexpr int kHashed = 64;

    XmlAttrs() { Clear(); }
    // Names that are not ASCII are left out: no lookup can match them.
    explicit XmlAttrs(const QXmlStreamAttributes& attrs);

    void Clear();
    qsizetype Count() const { return m_count; }
    // A new attribute's value, to be filled in: the text of an earlier element's attribute, whose memory it may reuse.
    // The characters `name` views must outlive the lookups.
    QString& Add(QLatin1StringView name);
    bool Contains(QLatin1StringView name) const { return Find(name) != nullptr; }
    // The attribute's text, or `def` when the element has no such attribute (a null default makes the caller's
    // conversion fail).
    QString Value(QLatin1StringView name, const QString& def = QString()) const;

private:
    struct Attr
    {
        QLatin1StringView name;
        QString value;
    };
    static constexpr int kSlots = 2 * kHashed;  // at most half full: a lookup seldom probes twice
    static unsigned Slot(QLatin1StringView name);
    const Attr* Find(QLatin1StringView name) const;

    std::vector<Attr> m_attrs;  // the first m_count are this element's; the others keep their memory for the next
    qsizetype m_count = 0;
    std::array<qint8, kSlots> m_slots;  // an index into m_attrs, or -1
    std::vector<QByteArray> m_names;  // the names QXmlStreamReader found, which the views above point into
};
