// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/CSimpleList.h"

#include <QCoreApplication>

namespace {

// Combo layout: the settings entry, the empty entry, then the items.
constexpr int kFirstItemIndex = 2;

}  // namespace

void CSimpleList::SetText(const QString& text)
{
    QString s = text;
    s.replace(QChar(0xFF1B), QLatin1Char(';'));  // "；"
    s = s.trimmed();

    m_text.clear();
    m_list.clear();
    m_defaultIndex = -1;
    if (s.isEmpty() || s == QLatin1String("-"))
        return;

    const QStringList parts = s.split(QLatin1Char(';'));
    for (QString part : parts) {
        part = part.trimmed();
        const bool marked = part.startsWith(QLatin1Char('*'));
        // Every leading "*" and the spaces around it go: the text form could not tell an item that begins
        // with "*" from a default mark, and "* 工作" is meant as the default 工作, not as " 工作".
        while (part.startsWith(QLatin1Char('*')))
            part = part.mid(1).trimmed();
        if (part.isEmpty() || m_list.contains(part))
            continue;
        m_list.append(part);
        if (marked)
            m_defaultIndex = int(m_list.size());
    }

    for (int i = 0; i < m_list.size(); ++i) {
        if (i + 1 == m_defaultIndex)
            m_text += QLatin1Char('*');
        m_text += m_list[i] + QLatin1Char(';');
    }
}

int CSimpleList::Find(const QString& item) const
{
    const QString s = item.startsWith(QLatin1Char(';')) ? item.mid(1) : item;
    return int(m_list.indexOf(s));
}

bool CSimpleList::Add(const QString& item)
{
    if (item.isEmpty() || m_list.contains(item))
        return false;
    m_list.append(item);
    m_text += item + QLatin1Char(';');
    return true;
}

QString CSimpleList::SettingsEntry()
{
    // Only shown: the combo's first entry opens the category list and is never read back as a category.
    return QCoreApplication::translate("CSimpleList", "<设置>");
}

QStringList CSimpleList::ComboEntries() const
{
    QStringList entries { SettingsEntry(), QString() };
    if (!m_text.isEmpty())
        entries += m_list;
    return entries;
}

QString CSimpleList::ComboTag() const
{
    if (m_text.isEmpty() || m_defaultIndex < 1)
        return QString();
    return QString::number(m_defaultIndex + kFirstItemIndex - 1);
}

void CSimpleList::FromComboEntries(const QStringList& entries, const QString& tag)
{
    m_text.clear();
    m_list.clear();
    m_defaultIndex = -1;
    if (entries.size() <= kFirstItemIndex)
        return;

    // A combo whose second entry is not the empty one holds items from index 1 on.
    const int start = entries[1].trimmed().isEmpty() ? kFirstItemIndex : 1;
    bool numeric = false;
    const int defaultComboIndex = tag.toInt(&numeric);

    // The text form puts ";" before each item; it parses back to the same list.
    for (int i = start; i < entries.size(); ++i) {
        m_list.append(entries[i]);
        QString form = entries[i];
        if (numeric && i == defaultComboIndex) {
            m_defaultIndex = int(m_list.size());
            form.prepend(QLatin1Char('*'));
        }
        m_text += QLatin1Char(';') + form;
    }
}
