// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary text and numbers to the date and time vocabulary. Whatever the input, the parsers and
// formatters must return (no crash, hang, exception or sanitizer report) and keep a few promises checked below.
//
// The input is read twice: as UTF-8 text (whole, and line by line), and as numbers: the first byte picks the
// clock's moment and an interesting instant, the last eight bytes are taken as a raw double.
#include "FuzzClock.h"
#include "timerules/EnglishExpr.h"
#include "timerules/TimeExpr.h"

#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>

namespace {

const QDateTime kMoments[] = {
    QDateTime(QDate(2011, 12, 15), QTime(11, 0), Qt::UTC),
    QDateTime(QDate(2012, 1, 20), QTime(15, 30), Qt::UTC),  // a lunar date that is today
    QDateTime(QDate(2011, 12, 31), QTime(23, 59, 59), Qt::UTC),  // the year turns
    QDateTime(QDate(2012, 2, 29), QTime(0, 0), Qt::UTC),
    QDateTime(QDate(1900, 1, 31), QTime(0, 0), Qt::UTC),  // the lunar table starts
    QDateTime(QDate(2050, 1, 22), QTime(12, 0), Qt::UTC),  // and ends
    QDateTime(QDate(2173, 10, 14), QTime(0, 0), Qt::UTC),  // the no-date day
    QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59), Qt::UTC),  // the last day there is
    QDateTime(QDate(100, 1, 1), QTime(0, 0), Qt::UTC),  // the first
};

const double kInstants[] = {
    0.0,
    -0.0,
    40892.458333,  // 2011-12-15 11:00
    -1.25,
    0.999999999,
    NO_DATE,
    NO_DATE - 1e-9,
    NO_DATE + 1,
    2958465.999988,  // 9999-12-31 23:59:59
    2958466.0,
    -657434.0,  // 0100-01-01
    -657435.0,
    1e300,
    -1e300,
    std::numeric_limits<double>::max(),
    std::numeric_limits<double>::lowest(),
    std::numeric_limits<double>::denorm_min(),
    std::numeric_limits<double>::infinity(),
    -std::numeric_limits<double>::infinity(),
    std::numeric_limits<double>::quiet_NaN(),
};

void Check(bool promise)
{
    if (!promise)
        __builtin_trap();
}

void Formatters(Instant a, Instant b)
{
    Check(!FormatFriendlyTime(a).isEmpty());
    Check(!FormatDuration(a, b).isEmpty());
    Check(!FormatDateWord(a).isEmpty());
    Check(!FormatDateTimeText(a).isEmpty());
    Check(!FormatDateText(a).isEmpty());
    SolarToLunarText(a);
    DateLiteralText(a);
    TimeLiteralText(a);
    // What the editor writes back must read again as the same day and second.
    if (a < NO_DATE && IsRepresentable(a)) {
        const auto date = ParseDateLiteral(DateLiteralText(a) + u' ' + TimeLiteralText(a));
        Check(date && date->date == DateOf(a) && date->seconds == SecondsOfDay(a));
    }
}

void Text(const QString& t, Instant base)
{
    const auto lit = ParseDateLiteral(t);
    Check(lit.has_value() == IsDateLiteral(t));
    if (lit) {
        Check(lit->hasDate || lit->hasTime);
        Check(!lit->hasDate || lit->date.isValid());
        Check(lit->seconds >= 0 && lit->seconds < SECONDS_PER_DAY);
    }
    Formatters(ParseDayWord(t, 0), base);
    Formatters(ParseDayWord(t, base), base);
    Formatters(TextToDate(t), base);
    Formatters(ParseLunarDate(t.startsWith(u"农历") ? t.mid(2) : t), base);
    Formatters(EvalRelativeDate(t, base), base);
    Formatters(EvalRelativeTime(t, base), base);

    QString err;
    const Instant offset = ParseTimeOffset(base, t, &err);
    Check(err.isEmpty() || offset == 0);
    Formatters(offset, base);

    // English reads into the Chinese text a task keeps, which has no English word left.
    for (const auto& read : { ReadEnglishDate(t), ReadEnglishTime(t), ReadEnglishOffset(t), ReadEnglishMoment(t) })
        Check(!read
            || std::none_of(read->begin(), read->end(), [](QChar c) { return c.isLetter() && c.unicode() < 0x80; }));
    EnglishDueText(t, t);

    IsRecurringText(t);
    IsRelativeText(t);
    FormatDateWord(t);
    FormatPattern(base, t);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const uint8_t pick = size > 0 ? data[0] : 0;
    FuzzClock().Set(kMoments[pick % std::size(kMoments)]);

    double raw = 0;
    if (size >= sizeof raw)
        std::memcpy(&raw, data + size - sizeof raw, sizeof raw);
    const Instant bases[] = { kInstants[pick % std::size(kInstants)], raw, Clock::Now() };

    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    for (Instant base : bases) {
        Text(text, base);
        Formatters(base, raw);
    }
    // Several texts in one input, one a line; the first few are enough to combine them.
    const QStringList lines = text.split(u'\n');
    if (lines.size() > 1) {
        for (qsizetype k = 0; k < lines.size() && k < 32; ++k)
            Text(lines[k], bases[0]);
    }

    // Lunar conversion with numbers straight from the bytes.
    if (size >= 3) {
        const int y = 1890 + data[size - 3] % 170;
        Formatters(LunarToSolar(y, int(int8_t(data[size - 2])), int(int8_t(data[size - 1]))), raw);
    }
    return 0;
}
