// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timerules/Instant.h"

#include <QDate>
#include <QString>

#include <memory>

class CTask;

// What the task list shows, in the language installed. The Chinese functions beside the task (TaskStatusName,
// FormatFriendlyTime, ...) stay what the filters, the CSV export, the log and the data file use; these only
// show. Without a translation both give the same text.
QString TaskStatusDisplayName(int status);
QString TaskPriorityDisplayName(int priority);
QString DisplayFriendlyTime(Instant dt);  // "10:00:00(明天)" / "10:00:00 (Tomorrow)"
QString DisplayDuration(Instant fromDT, Instant toDT);  // "1小时5分钟" / "1 h 5 min"
// The due texts as a person reads them: as the task keeps them, or in English words when the interface is English
// ("every Mon, Wed, Fri 10:17" for "每周135 10:17").
QString DisplayDueDate(const QString& dateText);
QString DisplayDueTime(const QString& timeText);
QString DisplayDueText(const CTask& task);  // date and time, as the list's due column shows them
// The text of a list cell (TaskColumns numbering); what the user typed (description, category, due texts) is
// shown as typed.
QString TaskCellDisplayText(const CTask& task, int column);

// The texts of many cells made at one moment. The clock is read once, so that every row of a refresh speaks of
// the same now and today, and the words of the language installed are taken once instead of for every cell.
// Make a new one for each refresh: it never follows the clock or a change of language.
class DisplayTexts
{
public:
    DisplayTexts();

    Instant Now() const { return m_now; }
    QString Cell(const CTask& task, int column) const;
    QString FriendlyTime(Instant dt) const;
    QString Duration(Instant fromDT, Instant toDT) const;
    // The alarm moment, with how far it lies from the due moment on a second line while the task waits for it.
    QString AlarmTime(const CTask& task) const;
    QString ValidPeriod(const CTask& task, const QString& notDefined) const;

    struct Words;

private:
    class Builder;
    void AddFriendlyTime(Builder& out, Instant dt) const;
    void AddDuration(Builder& out, Instant fromDT, Instant toDT) const;
    QString Span(Instant fromDT, Instant toDT) const;

    Instant m_now = 0;
    QDate m_today;
    bool m_english = false;
    std::shared_ptr<const Words> m_words;
};
