// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/ValueCodec.h"

#include "timerules/Clock.h"

#include <QRegularExpression>

#include <cmath>

// Each conversion returns false for a text it cannot convert, which makes the element that holds it unreadable.

bool ValueCodec::ReadInt(const QString& text, int& value)
{
    if (text.isNull())
        return false;
    // What the program writes, a few digits after an optional minus, without the general conversion: several
    // numbers a task at every load.
    const qsizetype n = text.size();
    const qsizetype sign = n > 0 && text.front() == u'-' ? 1 : 0;
    if (n > sign && n <= 9) {
        int v = 0;
        qsizetype i = sign;
        for (; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i)
            v = v * 10 + (text[i].unicode() - u'0');
        if (i == n) {
            value = sign ? -v : v;
            return true;
        }
    }
    const QString t = text.trimmed();
    bool ok = false;
    value = t.toInt(&ok);
    if (ok)
        return true;
    // "1.0" and the like: rounded, as a numeric conversion would.
    const double d = t.toDouble(&ok);
    if (!ok || !std::isfinite(d) || d < -2147483648.0 || d > 2147483647.0)
        return false;
    value = int(std::lround(d));
    return true;
}

bool ValueCodec::ReadBool(const QString& text, bool& value)
{
    if (text.isNull())
        return false;
    // What the program writes, and the default of a missing attribute: read without a copy or a number parse,
    // four times a task at every load.
    if (text.size() == 1 && (text.front() == u'0' || text.front() == u'1')) {
        value = text.front() == u'1';
        return true;
    }
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
        value = true;
        return true;
    }
    if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
        value = false;
        return true;
    }
    bool ok = false;
    const double d = t.toDouble(&ok);
    if (!ok || std::isnan(d))
        return false;
    value = d != 0;
    return true;
}

namespace {

int Digits(QStringView s, qsizetype from, qsizetype count)
{
    int v = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = s[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        v = v * 10 + (c - u'0');
    }
    return v;
}

bool MakeChecked(int y, int m, int d, int hh, int nn, int ss, Instant& value)
{
    if (y < 100 || y > 9999 || !QDate::isValid(y, m, d) || hh < 0 || hh > 23 || nn < 0 || nn > 59 || ss < 0 || ss > 59)
        return false;
    value = MakeInstant(y, m, d, hh, nn, ss);
    return true;
}

}  // namespace

bool ValueCodec::ReadDueText(const QString& text, Instant& value)
{
    if (text.isNull())
        return false;
    const QString t = text.trimmed();
    if (t == QLatin1String("--")) {
        value = NO_DATE;
        return true;
    }
    if (t.isEmpty()) {
        value = 0;
        return true;
    }
    if (ParseDateTimeText(t, value))
        return true;
    static const QRegularExpression monthDay(QStringLiteral("^(\\d{1,2})[-/](\\d{1,2})$"));
    const auto m = monthDay.match(t);
    if (!m.hasMatch())
        return false;
    return MakeChecked(Clock::CurrentDate().year(), m.captured(1).toInt(), m.captured(2).toInt(), 0, 0, 0, value);
}

bool ValueCodec::ReadDateTime(const QString& text, Instant& value)
{
    if (text.isNull())
        return false;
    const QString t = text.trimmed();
    if (t.isEmpty() || t == QLatin1String("--")) {
        value = 0;
        return true;
    }
    return ParseDateTimeText(t, value);
}

bool ValueCodec::ParseDateTimeText(QStringView text, Instant& value)
{
    // The form this program writes, without a regular expression: the load of a big file reads thousands.
    if (text.size() == 19 && text[4] == u'-' && text[7] == u'-' && text[10] == u' ' && text[13] == u':'
        && text[16] == u':') {
        const int y = Digits(text, 0, 4), m = Digits(text, 5, 2), d = Digits(text, 8, 2);
        const int hh = Digits(text, 11, 2), nn = Digits(text, 14, 2), ss = Digits(text, 17, 2);
        if (y >= 0 && m >= 0 && d >= 0 && hh >= 0 && nn >= 0 && ss >= 0)
            return MakeChecked(y, m, d, hh, nn, ss, value);
        return false;
    }
    // Other spellings of a date and a time, as older versions and hand edits have them.
    static const QRegularExpression dateTime(
        QStringLiteral("^\\s*(\\d{4})[-/.](\\d{1,2})[-/.](\\d{1,2})"
                       "(?:(?:\\s+|T)(上午|下午|AM|PM|am|pm)?\\s*(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?\\s*(上午|下午|"
                       "AM|PM|am|pm)?)?\\s*$"));
    static const QRegularExpression timeOnly(QStringLiteral(
        "^\\s*(上午|下午|AM|PM|am|pm)?\\s*(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?\\s*(上午|下午|AM|PM|am|pm)?\\s*$"));
    auto hourOf = [](int hour, const QString& before, const QString& after) {
        const QString mark = before.isEmpty() ? after : before;
        if (mark.isEmpty())
            return hour;
        if (hour < 1 || hour > 12)
            return -1;
        const bool pm = mark == QStringLiteral("下午") || mark.compare(QLatin1String("PM"), Qt::CaseInsensitive) == 0;
        return hour % 12 + (pm ? 12 : 0);
    };
    auto m = dateTime.match(text);
    if (m.hasMatch()) {
        int hh = 0, nn = 0, ss = 0;
        if (m.capturedLength(5) > 0) {
            hh = hourOf(m.captured(5).toInt(), m.captured(4), m.captured(8));
            nn = m.captured(6).toInt();
            ss = m.captured(7).toInt();
        }
        return MakeChecked(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(), hh, nn, ss, value);
    }
    m = timeOnly.match(text);
    if (m.hasMatch()) {
        const int hh = hourOf(m.captured(2).toInt(), m.captured(1), m.captured(5));
        const int nn = m.captured(3).toInt(), ss = m.captured(4).toInt();
        if (hh < 0 || hh > 23 || nn > 59 || ss > 59)
            return false;
        value = InstantFromTime(QTime(hh, nn, ss));
        return true;
    }
    return false;
}
