// SPDX-License-Identifier: GPL-3.0-or-later
#include "timerules/DueRules.h"

#include "timerules/Clock.h"
#include "timerules/EnglishExpr.h"
#include "timerules/Recurrence.h"
#include "timerules/TimeExpr.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {

bool IsPlainNumber(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^[0-9]+\\z"));
    return re.match(text).hasMatch();
}

// English words that could not be read stay apart, so the typo is easy to mend ("every Funday").
QString Refused(const QString& typed, const QString& cleaned)
{
    static const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    return typed.contains(latin) ? typed.trimmed() : cleaned;
}

}  // namespace

DueFieldResult DueDateRules(const QString& input)
{
    DueFieldResult r;
    r.text = StoredDateText(input);
    r.text.remove(u' ');
    if (r.text.isEmpty())
        r.text = DateLiteralText(Clock::Today());
    if (r.text == u"--") {
        r.accepted = true;
        return r;
    }
    if (IsPlainNumber(r.text))
        r.text = FormatPattern(Clock::Today(), QStringLiteral("yyyy-mm-")) + r.text;

    const Instant v = ResolveDueTime(r.text, QString(), 0);
    // A fixed date past NO_DATE would be shown, and saved back, as "no due date".
    const bool fixed
        = !IsRelativeText(r.text) && !IsRecurringText(r.text) && !r.text.startsWith(QStringLiteral("农历"));
    if (v == 0 || (fixed && v >= NO_DATE)) {
        r.message = QCoreApplication::translate("DueRules", "请填写正确的日期");
        r.text = Refused(input, r.text);
        return r;
    }
    r.accepted = true;
    if (fixed)
        r.text = FormatDateWord(v);
    return r;
}

DueFieldResult DueTimeRules(const QString& input, const QString& dateField)
{
    const QString dueDateText = StoredDateText(dateField);
    DueFieldResult r;
    r.text = StoredTimeText(input);
    r.text.remove(u' ');
    if (r.text.isEmpty())
        r.text = TimeLiteralText(TimePart(Clock::Now()));
    if (r.text == u"--") {
        r.accepted = true;
        return r;
    }
    if (IsPlainNumber(r.text))
        r.text += QStringLiteral(":00");

    const Instant v = ResolveDueTime(dueDateText, r.text, 0);
    if (v == 0) {
        r.message = QCoreApplication::translate("DueRules", "请填写正确的时间!");
        r.text = Refused(input, r.text);
        return r;
    }
    r.accepted = true;
    if (r.text.contains(u'后') || IsRecurringText(r.text))
        return r;
    // With a "--" date the due moment carries no time of day; the typed time is still what to show.
    Instant time = TimePart(v);
    if (v >= NO_DATE) {
        const auto lit = ParseDateLiteral(r.text);
        time = lit && lit->hasTime ? double(lit->seconds) / SECONDS_PER_DAY : 0;
    }
    r.text = TimeLiteralText(time);
    return r;
}
