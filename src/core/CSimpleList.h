// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// A small ordered list of unique texts with at most one default item, edited as one line: "个人;*工作".
// The category list is its use. The combo-box layout of the editor's category box is described here in
// plain data so that it can be tested without widgets: "<设置>", an empty entry, then the items; the tag holds
// the combo index of the default item.
class CSimpleList
{
public:
    // The canonical text: every item followed by ";", the default preceded by "*" ("个人;*工作;").
    const QString& Text() const { return m_text; }
    // Parses a list text: "；" counts as ";", parts are trimmed, empty parts and duplicates are skipped,
    // "-" or an empty text empties the list.
    void SetText(const QString& text);

    const QStringList& List() const { return m_list; }
    // 1-based position of the default item, -1 when there is none.
    int DefaultIndex() const { return m_defaultIndex; }
    // 0-based position, -1 when absent; a leading ";" in `item` is ignored.
    int Find(const QString& item) const;
    // Appends a non-empty item that is not yet in the list; false when nothing was added.
    bool Add(const QString& item);

    static QString SettingsEntry();  // "<设置>"
    // The entries of the category combo box and its tag (the default's combo index as text, or "").
    QStringList ComboEntries() const;
    QString ComboTag() const;
    // Rebuilds the list from the entries of a combo box in that layout and its tag.
    void FromComboEntries(const QStringList& entries, const QString& tag);

private:
    QString m_text;
    QStringList m_list;
    int m_defaultIndex = -1;
};
