// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// The English forms of the due-date, due-time and alarm-offset expressions. A task always keeps the Chinese
// text: files, tickwell-cli's machine output, older versions and other devices read it. English typed by the
// user is read here into that text, and a kept text is worded here in English for an English reader. The
// worded forms read back into texts that behave the same, so a field showing them can be saved as it stands.
//
// Reading ignores case, extra spaces, commas and "and"; weekday and month names may be abbreviated.
//   dates    "today" "tomorrow" "the day after tomorrow" "in 3 days" "in 2 weeks" "Dec 25" "25 December 2027"
//            "lunar 8-15" "lunar 2027-8-15"
//   rules    "every day" "every 3 days" "every Mon Wed Fri" "every week on Monday and Friday" "every weekday"
//            "every 2 weeks on Monday" "every month on the 1st and 15th" "the last day of every month"
//            "the 3rd to last day of every month" "every year on Feb 29" "every lunar month on the 1st"
//            "every lunar year on 8-15" "lunar 8-15 every year" "daily" "weekly" "monthly" "yearly"
//   times    "9am" "5:30 pm" "noon" "in 10 minutes" "in an hour" "every 15 minutes" "every 2 hours at :30"
//            "every hour at :18:18" "every minute at second 30" "hourly"
//   offsets  "15 minutes earlier" "-15 min" "1 hour 30 minutes before" "1 day later" "2 weeks earlier"

// The Chinese text an English expression stands for; nullopt when the text has no English word or reads as
// none of the forms above. A Chinese or numeric text ("明天", "10:00", "-15") is never English.
std::optional<QString> ReadEnglishDate(const QString& text);
std::optional<QString> ReadEnglishTime(const QString& text);
std::optional<QString> ReadEnglishOffset(const QString& text);

// A moment as the valid-period dialog takes it: "Dec 25 2027 10:00", "25 December 9am", "5:30 pm", as the Chinese
// date literal ("2027-12-25 10:00").
std::optional<QString> ReadEnglishMoment(const QString& text);
// The detail of the recurrence dialog for a loop type (Recurrence.h): weekdays "Mon Wed Fri" -> "135", days of a
// month "1st and 15th" -> "1,15" or "the last day" -> "-1", days of a year "Jan 1, Oct 1" -> "1-1,10-1", a time
// of day "8:30 am" -> "8:30". The other types take numbers only.
std::optional<QString> ReadEnglishDetail(int loopType, const QString& text);

// The text to keep for what the user typed: the English read into Chinese, else the text as typed, which the
// Chinese reader then accepts or refuses with its usual message.
QString StoredDateText(const QString& text);
QString StoredTimeText(const QString& text);
// An alarm offset as kept; nullopt, with the offset reader's message in *errInfo, for English words that cannot
// be read: the Chinese offset reader takes the leading number of any text, so a mistyped "15 hourz earlier"
// would otherwise pass as fifteen minutes later.
std::optional<QString> StoredOffsetText(const QString& text, QString* errInfo = nullptr);

// A kept text in English words ("每周135" -> "every Mon, Wed, Fri", "10分钟后" -> "in 10 minutes",
// "农历每年8-15" -> "lunar 8-15 every year"). Rules are worded as the evaluator reads them. A text with
// nothing Chinese in it comes back as it is. The task list words every row on each refresh, so results are
// remembered.
QString EnglishDateText(const QString& stored);
QString EnglishTimeText(const QString& stored);
// The date text and the time text joined by a space, as the task list's due column shows them.
QString EnglishDueText(const QString& dateText, const QString& timeText);
// A rule as a sentence: a time rule alone (it governs alone), else the date rule "at" its time of day.
QString EnglishRuleText(const QString& dateText, const QString& timeText);
