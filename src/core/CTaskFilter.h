// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class CTask;

// The list filter: conditions on category and status, for example "类别=工作,私人&状态=已完成".
// A new object is built for every change; an empty Text() lets every task through.
class CTaskFilter
{
public:
    // Parses the text. On failure returns false, sets *errInfo to the message shown to the user and keeps the
    // previous contents. An empty text succeeds with an empty filter.
    bool Init(const QString& filter, QString* errInfo);

    // The normalised text: full-width "，" and "＝" made half-width, every space and ideographic space removed.
    const QString& Text() const { return m_text; }
    static QString Normalize(const QString& text);

    bool Filter(const CTask& task) const;
    // True when no category condition is set, or `type` is one of its items (exact comparison).
    bool FilterByType(const QString& type) const;
    // True when no status condition is set, or `status` occurs inside its value.
    bool FilterByStatus(const QString& status) const;
    bool IsEmptyType() const { return m_types.isEmpty(); }
    bool IsEmptyStatus() const { return m_status.isEmpty(); }

private:
    QString m_text;
    QStringList m_types;
    QString m_status;
};
