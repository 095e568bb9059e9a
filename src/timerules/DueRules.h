// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What the task editor does with its due-date and due-time fields when they lose focus: clean the text,
// check it against the other field, and either rewrite it in its short form or refuse it with a message.
struct DueFieldResult
{
    bool accepted = false;
    QString text;  // what the field shows afterwards (the cleaned text when refused)
    QString message;  // shown with an information icon when refused; the focus stays in the field
};

// Both read English as well ("tomorrow", "every Mon Wed Fri", "in 10 minutes"); the text they give is the
// Chinese one a task keeps.

// The due-date field: "" becomes today, "12" the 12th of this month, "明天"/"2011-10-12" stay short words,
// rules ("每周135"), relative ("3天后") and lunar dates keep their text.
DueFieldResult DueDateRules(const QString& text);

// The due-time field, checked together with the due-date field's text: "" becomes now, "10" becomes 10:00,
// rules and relative times keep their text, clock times are rewritten as "h:nn:ss".
DueFieldResult DueTimeRules(const QString& text, const QString& dueDateText);
