// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QLatin1StringView>
#include <QString>

#include <vector>

class QXmlStreamAttributes;

// One element's attributes as the data file's readers hand them over, looked up by their ASCII names whichever
// reader found them: the byte scanner fills it straight from the document, QXmlStreamReader through the
// constructor.
class XmlAttrs
{
public:
    XmlAttrs() = default;
    // Names that are not ASCII are left out: no lookup can match them.
    explicit XmlAttrs(const QXmlStreamAttributes& attrs);

    void Clear() { m_attrs.clear(); }
    // A new attribute's value, to be filled in. The characters `name` views must outlive the lookups.
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
    const Attr* Find(QLatin1StringView name) const;

    std::vector<Attr> m_attrs;
    std::vector<QByteArray> m_names;  // the names QXmlStreamReader found, which the views above point into
};
