// SPDX-License-Identifier: GPL-3.0-or-later
#include "timerules/Recurrence.h"

#include "timerules/CLunarUtil.h"
#include "timerules/Clock.h"
#include "timerules/EnglishExpr.h"
#include "timerules/TimeExpr.h"

#include <QRegularExpression>

#include <array>

namespace {

// Patterns end in \z, not $: a "$" would also accept a text that ends in a line break.

// Counts beyond this already push any result past 9999, and the products below stay far from overflow.
constexpr qint64 kCountCap = 1'000'000'000;

// Scan lengths in days, counting the start day.
constexpr int kWeekScan = 7;
constexpr int kMonthScan = 62;
constexpr int kYearScan = 366;
constexpr int kLunarMonthScan = 30;
constexpr int kLunarYearScan = 390;

// A rule whose scans keep finding nothing is given up after this many days: "每年2-30" has no occurrence.
constexpr int kSearchLimitDays = 3000;

// Digits as a number, saturating instead of overflowing.
qint64 DigitsValue(QStringView digits)
{
    qint64 v = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            break;
        v = std::min(kCountCap, v * 10 + (c.unicode() - u'0'));
    }
    return v;
}

// A rule's count: missing or 0 means 1.
qint64 CountOf(QStringView digits)
{
    qint64 n = DigitsValue(digits);
    return n < 1 ? 1 : n;
}

// Leading signed integer of a text ("1,15" -> 1, "-1" -> -1, ",1" -> 0).
qint64 LeadingInteger(QStringView text)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    qint64 v = DigitsValue(text.mid(i));
    return negative ? -v : v;
}

Instant DayStart(Instant value)
{
    QDate d = DateOf(value);
    return d.isValid() ? InstantFromDate(d) : 0;
}

bool Before(Instant a, Instant b)
{
    return SecondDiff(a, b) > 0;
}

}  // namespace

std::optional<DateRuleWords> ReadDateRuleWords(const QString& text)
{
    static const QRegularExpression shape(QStringLiteral(
        "每[0-9]*天|每[0-9]*周[1-7]*|每[0-9]*个?月[0-9,-]*|每[0-9]*年[0-9,-]*|农历每个?月[0-9,]+|农历每年[0-9,-]+"));
    static const QRegularExpression form(
        QStringLiteral("^(农历)?每([0-9]*)个?(天|周|月|年)([0-9,-]*)(?:天|日|号)?\\z"));

    const QRegularExpressionMatch s = shape.match(text);
    if (!s.hasMatch())
        return std::nullopt;
    const QRegularExpressionMatch m = form.match(s.capturedView(0));
    if (!m.hasMatch())
        return std::nullopt;
    DateRuleWords w;
    w.lunar = !m.capturedView(1).isEmpty();
    w.count = CountOf(m.capturedView(2));
    w.unit = m.captured(3);
    w.spec = m.captured(4);
    return w;
}

namespace {

enum class Unit { Day, Week, Month, Year, LunarMonth, LunarYear };

// A date rule read once, so repeated scans do no text work. Listed days match only as written: the
// detail is compared item by item with the plain number, so "01" never matches the 1st.
struct DateRule
{
    Unit unit = Unit::Day;
    qint64 n = 1;
    bool hasSpec = false;
    quint32 weekdays = 0;  // bit d for weekday d, 1 = Monday
    qint64 leading = 0;  // monthly: the first number of the detail
    quint32 days = 0;  // bit d for day d of the month
    std::array<quint32, 13> monthDays {};  // bit d of [m] for "m-d"
};

// An item written as a plain positive number ("15", not "015" or "+15").
int PlainNumber(QStringView item, int max)
{
    if (item.isEmpty() || item.size() > 2 || item[0] == u'0')
        return 0;
    for (QChar c : item)
        if (c < u'0' || c > u'9')
            return 0;
    int v = int(DigitsValue(item));
    return v <= max ? v : 0;
}

void ReadDays(QStringView spec, DateRule& rule)
{
    for (QStringView item : spec.split(u',')) {
        if (int d = PlainNumber(item, 31))
            rule.days |= 1u << d;
    }
}

void ReadMonthDays(QStringView spec, DateRule& rule)
{
    for (QStringView item : spec.split(u',')) {
        qsizetype dash = item.indexOf(u'-');
        if (dash < 0)
            continue;
        int m = PlainNumber(item.left(dash), 12);
        int d = PlainNumber(item.mid(dash + 1), 31);
        if (m && d)
            rule.monthDays[size_t(m)] |= 1u << d;
    }
}

std::optional<DateRule> ParseDateRule(const QString& text)
{
    const std::optional<DateRuleWords> words = ReadDateRuleWords(text);
    if (!words)
        return std::nullopt;

    DateRule rule;
    const bool lunar = words->lunar;
    rule.n = words->count;
    const QStringView unit = words->unit;
    const QStringView spec = words->spec;
    rule.hasSpec = !spec.isEmpty();

    if (unit == u"天") {
        rule.unit = Unit::Day;
    } else if (unit == u"周") {
        rule.unit = Unit::Week;
        for (QChar c : spec)
            if (c >= u'1' && c <= u'7')
                rule.weekdays |= 1u << (c.unicode() - u'0');
    } else if (unit == u"月") {
        rule.unit = lunar ? Unit::LunarMonth : Unit::Month;
        rule.leading = LeadingInteger(spec);
        ReadDays(spec, rule);
    } else {
        rule.unit = lunar ? Unit::LunarYear : Unit::Year;
        ReadMonthDays(spec, rule);
    }
    return rule;
}

struct ScanResult
{
    bool ok = false;  // false: invalid detail, or the arithmetic left the years the program can show
    bool found = false;  // a day was found; otherwise the scan examined [first, next) and found nothing
    Instant day = 0;
    Instant first = 0;
    Instant next = 0;
};

ScanResult Found(Instant day)
{
    ScanResult r;
    r.ok = day != 0;
    r.found = r.ok;
    r.day = day;
    r.first = day;
    return r;
}

// Walks solar days and keeps the matching lunar date without redoing the whole conversion each day.
class LunarCursor
{
public:
    bool At(const QDate& day)
    {
        if (m_valid) {
            Advance();
        } else {
            m_valid = m_lunar.sInitDate(day.year(), day.month(), day.day());
            if (m_valid) {
                m_y = m_lunar.lYear();
                m_m = m_lunar.lMonth();
                m_d = m_lunar.lDay();
                m_leap = m_lunar.IsLeap();
            }
        }
        return m_valid;
    }
    int Month() const { return m_m; }
    int Day() const { return m_d; }

private:
    void Advance()
    {
        const int len = m_leap ? CLunarUtil::LeapMonthDays(m_y) : CLunarUtil::LunarMonthDays(m_y, m_m);
        if (++m_d <= len)
            return;
        m_d = 1;
        if (!m_leap && CLunarUtil::LeapMonthOf(m_y) == m_m) {
            m_leap = true;
            return;
        }
        m_leap = false;
        if (++m_m > 12) {
            m_m = 1;
            m_valid = CLunarUtil::InRange(++m_y);
        }
    }

    CLunarUtil m_lunar;
    bool m_valid = false;
    int m_y = 0, m_m = 0, m_d = 0;
    bool m_leap = false;
};

// Examines `limit` days from `start` for the first that `match` accepts.
template <typename Match> ScanResult ScanDays(Instant start, int limit, Match match)
{
    ScanResult r;
    if (start == 0)
        return r;
    QDate day = DateOf(start);
    if (!day.isValid())
        return r;
    r.ok = true;
    r.first = start;
    for (int i = 0; i < limit; ++i, day = day.addDays(1)) {
        if (day.year() > 9999) {
            // Past the last day the program can show: nothing further can be found.
            r.ok = false;
            return r;
        }
        if (match(day)) {
            r.found = true;
            r.day = InstantFromDate(day);
            return r;
        }
    }
    r.next = day.year() > 9999 ? 0 : InstantFromDate(day);
    return r;
}

template <typename Match> ScanResult ScanLunar(Instant start, int limit, Match match)
{
    LunarCursor cursor;
    return ScanDays(
        start, limit, [&](const QDate& day) { return cursor.At(day) && match(cursor.Month(), cursor.Day()); });
}

// One evaluation of a rule from day D. withInterval false continues a search that found nothing: the
// count's skip has already been made, so the scan goes on from D itself. A day counted from the month's
// end must lie strictly after `base`, or at or after it with `baseDayCounts`.
ScanResult Scan(const DateRule& rule, Instant D, Instant base, bool withInterval, bool baseDayCounts)
{
    const bool skip = withInterval && rule.n > 1;
    switch (rule.unit) {
    case Unit::Day:
        return Found(skip ? AddDays(D, double(rule.n - 1)) : D);

    case Unit::Week:
        if (!rule.hasSpec)
            return Found(AddDays(D, 7.0 * double(rule.n)));
        if (skip)
            D = AddDays(D, 7.0 * double(rule.n - 1) + 1);
        return ScanDays(D, kWeekScan, [&](const QDate& day) { return (rule.weekdays >> day.dayOfWeek()) & 1u; });

    case Unit::Month: {
        if (!rule.hasSpec)
            return Found(AddMonths(D, rule.n));
        if (skip) {
            // 0 is a real day (1899-12-30) to the arithmetic: stop before stepping on from it.
            D = AddMonths(D, rule.n - 1);
            D = D ? AddDays(D, 1) : 0;
        }
        const qint64 v = rule.leading;
        if (v < -31 || v > 31 || v == 0 || D == 0)
            return {};
        if (v < 0) {
            // Counted back from the end of a month: -1 is the last day. The first such day after base.
            for (int guard = 0; guard < 4; ++guard) {
                D = AddMonths(D, 1);
                if (D == 0)
                    return {};
                QDate d = DateOf(D);
                Instant t = AddDays(InstantFromDate(QDate(d.year(), d.month(), 1)), double(v));
                if (t == 0)
                    return {};
                if (baseDayCounts ? AtOrAfter(t, base) : Before(base, t))
                    return Found(t);
            }
            return {};
        }
        return ScanDays(D, kMonthScan, [&](const QDate& day) { return (rule.days >> day.day()) & 1u; });
    }

    case Unit::Year:
        if (!rule.hasSpec)
            return Found(AddMonths(D, 12 * rule.n));
        if (skip)
            D = AddMonths(D, 12 * rule.n - 1);
        return ScanDays(
            D, kYearScan, [&](const QDate& day) { return (rule.monthDays[size_t(day.month())] >> day.day()) & 1u; });

    case Unit::LunarMonth:
        return ScanLunar(D, kLunarMonthScan, [&](int, int d) { return (rule.days >> d) & 1u; });

    case Unit::LunarYear:
        return ScanLunar(D, kLunarYearScan, [&](int m, int d) { return (rule.monthDays[size_t(m)] >> d) & 1u; });
    }
    return {};
}

// "每周", "每2个月", "每年": a whole period on from the base day, whatever day that is.
bool IsPeriodRule(const DateRule& rule)
{
    return !rule.hasSpec && (rule.unit == Unit::Week || rule.unit == Unit::Month || rule.unit == Unit::Year);
}

// The first occurrence of a date rule, at time of day T, that is later than now and not before base.
Instant ResolveDateRule(const QString& text, int T, Instant base, Instant now)
{
    const std::optional<DateRule> rule = ParseDateRule(text);
    Instant D = DayStart(base);
    Instant limit = AddDays(D, kSearchLimitDays);
    bool scanned = false;
    bool relative = true;
    bool continuing = false;
    while (D != 0 && (limit == 0 || !Before(limit, D))) {
        Instant r = 0;
        if (relative) {
            r = EvalRelativeDate(text, D);
            relative = r != 0;
        }
        if (r == 0) {
            if (!rule)
                return 0;
            // Like every other scan, the day-from-the-end form examines the first day itself: on the last
            // day of a month, "每月-1天" at a time still ahead is today.
            ScanResult s = Scan(*rule, D, D, !continuing, true);
            if (!s.ok)
                return 0;
            if (!scanned) {
                scanned = true;
                // Measured from where the search really starts, after a count's skip.
                limit = AddDays(s.first, kSearchLimitDays);
            }
            if (!s.found) {
                // The base day a scan falls back to is no occurrence: search on after the examined days.
                D = s.next;
                continuing = true;
                continue;
            }
            r = s.day;
            continuing = false;
        }
        const Instant day = DayStart(r);
        const Instant candidate = day ? AddSeconds(day, T) : 0;
        // Every form finds a day at or after D; anything else would search the same days forever.
        if (candidate == 0 || Before(day, D))
            return 0;
        if (Before(now, candidate) && AtOrAfter(candidate, base))
            return candidate;
        D = AddDays(day, 1);
    }
    return 0;
}

}  // namespace

Instant EvalDateRule(const QString& text, Instant base)
{
    if (!IsRepresentable(base))
        return 0;
    if (Instant r = EvalRelativeDate(text, base))
        return r;
    const std::optional<DateRule> rule = ParseDateRule(text);
    if (!rule)
        return 0;
    ScanResult s = Scan(*rule, DayStart(base), base, true, false);
    if (!s.ok)
        return 0;
    return s.found ? s.day : base;
}

namespace {

// With `baseIsPast`, a moment equal to base counts as already gone: base is the moment an occurrence
// just came due, and the next one is wanted.
Instant TimeRuleFrom(const QString& text, Instant base, bool baseIsPast)
{
    static const QRegularExpression hourly(QStringLiteral("每(\\d*)小时(\\d+)(?::(\\d+))?"));
    static const QRegularExpression minutely(QStringLiteral("每(\\d*)分钟?(\\d+)"));

    if (!IsRepresentable(base))
        return 0;
    const Instant day = DayStart(base);
    const int secs = SecondsOfDay(base);
    const int hour = secs / 3600;
    const int minute = secs / 60 % 60;

    // The first moment at or after base with the given minute:second (or second), then n - 1 periods on.
    auto next = [&](qint64 n, qint64 clock, double period) -> Instant {
        Instant c = AddSeconds(day, double(clock));
        if (c == 0)
            return 0;
        if (Before(c, base) || (baseIsPast && SameSecond(c, base)))
            ++n;
        return n <= 1 ? c : AddSeconds(c, double(n - 1) * period);
    };

    QRegularExpressionMatch m = hourly.match(text);
    if (m.hasMatch()) {
        const qint64 mm = DigitsValue(m.capturedView(2));
        const qint64 ss = DigitsValue(m.capturedView(3));
        if (mm >= 60 || ss >= 60)
            return 0;
        return next(CountOf(m.capturedView(1)), hour * 3600 + mm * 60 + ss, 3600);
    }
    m = minutely.match(text);
    if (m.hasMatch()) {
        const qint64 ss = DigitsValue(m.capturedView(2));
        if (ss >= 60)
            return 0;
        return next(CountOf(m.capturedView(1)), hour * 3600 + minute * 60 + ss, 60);
    }
    return EvalRelativeTime(text, base);
}

}  // namespace

Instant EvalTimeRule(const QString& text, Instant base)
{
    return TimeRuleFrom(text, base, false);
}

bool IsPeriodDateRule(const QString& text)
{
    if (EvalRelativeDate(text, MakeInstant(2000, 1, 1)) != 0)
        return false;
    const std::optional<DateRule> rule = ParseDateRule(text);
    return rule && IsPeriodRule(*rule);
}

namespace {

Instant ResolveDueTimeAt(const QString& dateIn, const QString& timeIn, Instant base, Instant now)
{
    const QString dateText = dateIn.trimmed();
    const QString timeText = timeIn.trimmed();
    if (dateText == u"--" || timeText == u"--")
        return NO_DATE;

    if (base == 0 || !IsRepresentable(base) || Before(base, now))
        base = now;

    // A time rule governs alone; the date text plays no part.
    if (IsRecurringText(timeText) || IsRelativeText(timeText)) {
        // Counting from now, a match at this very second is the occurrence that just came due: taking it
        // would ring twice, and "每2小时30:0" finished at 12:30:00 would come back at 13:30.
        return TimeRuleFrom(timeText, base, !Before(now, base));
    }

    int T = SecondsOfDay(now);
    if (!timeText.isEmpty()) {
        const std::optional<DateLiteral> time = ParseDateLiteral(timeText);
        if (!time)
            return 0;
        T = time->hasTime ? time->seconds : 0;
    }

    if (dateText.isEmpty())
        return AddSeconds(DayStart(now), T);
    if (IsRecurringText(dateText) || IsRelativeText(dateText))
        return ResolveDateRule(dateText, T, base, now);

    static const QString lunarPrefix = QStringLiteral("农历");
    const Instant r = dateText.startsWith(lunarPrefix) ? ParseLunarDate(dateText.mid(lunarPrefix.size()))
                                                       : ParseDayWord(dateText, 0);
    if (r == 0)
        return 0;
    // A date text may carry its own time of day ("2011-1-1 10:00"); the time text replaces it.
    const Instant day = DayStart(r);
    return day ? AddSeconds(day, T) : 0;
}

}  // namespace

Instant ResolveDueTime(const QString& dateText, const QString& timeText, Instant base)
{
    return ResolveDueTimeAt(dateText, timeText, base, Clock::Now());
}

Instant NextOccurrenceBase(const QString& dateText, const QString& timeText, Instant due, Instant now)
{
    // A date rule with a fixed time counts from the day after the current due day, so that day's occurrence
    // is not found again. A whole-period rule ("每周", "每月") adds its period to the due day itself: from the
    // day after, a weekly task would move one weekday later every week. A due moment that is not a real day
    // counts from now.
    if (!IsRecurringText(timeText) && IsRecurringText(dateText) && due != 0 && due != NO_DATE && IsRepresentable(due)) {
        if (Instant next = IsPeriodDateRule(dateText) ? due : AddDays(due, 1))
            return next;
    }
    return now;
}

Instant NextOccurrence(const QString& dateText, const QString& timeText, Instant due)
{
    return ResolveDueTimeAt(dateText, timeText, NextOccurrenceBase(dateText, timeText, due, due), due);
}

// ---- The rule vocabulary of the recurrence dialog ----

QStringList LoopTypeNames()
{
    return QStringLiteral("天;周;月;年;小时;分钟;秒;农历月;农历年").split(u';');
}

QStringList LoopTypeTemplates()
{
    return QStringLiteral("每N天;每N周;每N月;每N年;每N小时;每N分钟;每N秒;农历每N月;农历每N年").split(u';');
}

QString GetTypeDesc(int type, const QString& countText)
{
    if (type < 0 || type >= kLoopTypeCount)
        return {};
    QString head = LoopTypeTemplates().at(type);
    const QString count = countText == u"1" ? QString() : countText;
    if (!count.isEmpty())
        head.replace(QStringLiteral("月"), QStringLiteral("个月"));
    head.replace(u'N', count);
    return head;
}

QString GetTypeDesc(int type, int count)
{
    return GetTypeDesc(type, QString::number(count));
}

namespace {

bool IsClockTime(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^(\\d+):(\\d+)(?::(\\d+))?\\z"));
    QRegularExpressionMatch m = re.match(text);
    return m.hasMatch() && DigitsValue(m.capturedView(1)) < 24 && DigitsValue(m.capturedView(2)) < 60
        && DigitsValue(m.capturedView(3)) < 60;
}

// Days of a month: "1,15" or a single "-1".
bool MonthDaysDesc(const QString& spec, QString* desc)
{
    static const QRegularExpression number(QStringLiteral("^-?\\d+\\z"));
    QStringList items = spec.split(u',', Qt::SkipEmptyParts);
    if (items.isEmpty())
        return false;
    QString out;
    for (const QString& item : items) {
        if (!number.match(item).hasMatch())
            return false;
        const qint64 n = LeadingInteger(item);
        if (n > 0 && n <= 31) {
            out += QString::number(n) + u"号";
        } else if (n < 0 && n >= -31 && items.size() == 1) {
            out += u"倒数第" + QString::number(-n) + u"天";
        } else {
            return false;
        }
    }
    *desc = out;
    return true;
}

}  // namespace

bool GetSpecDesc(int type, bool specOn, const QString& specText, QString* specOut, QString* descOut)
{
    QString spec, desc;
    bool valid = true;
    if (specOn) {
        spec = ReadEnglishDetail(type, specText).value_or(specText);
        spec.remove(QChar(0x3000)).remove(u' ').replace(u'，', u',').replace(u'－', u'-');
        desc = spec;
        switch (type) {
        case ltDay:
            valid = IsClockTime(spec);
            break;
        case ltWeek: {
            static const QRegularExpression re(QStringLiteral("^[1-7]+\\z"));
            valid = re.match(spec).hasMatch();
            if (valid) {
                static const QString names = QStringLiteral("一二三四五六日");
                desc.clear();
                for (QChar c : spec)
                    desc += names.at(c.unicode() - u'1');
            }
            break;
        }
        case ltMonth:
        case ltLunarMonth:
            valid = MonthDaysDesc(spec, &desc);
            break;
        case ltYear:
        case ltLunarYear: {
            static const QRegularExpression re(QStringLiteral("^\\d+-\\d+(,\\d+-\\d+)*\\z"));
            valid = re.match(spec).hasMatch();
            break;
        }
        case ltHour: {
            static const QRegularExpression re(QStringLiteral("^(\\d+)(:(\\d+))?\\z"));
            QRegularExpressionMatch m = re.match(spec);
            const qint64 mm = DigitsValue(m.capturedView(1));
            const qint64 ss = DigitsValue(m.capturedView(3));
            valid = m.hasMatch() && mm < 60 && ss < 60;
            if (valid)
                desc = QString::number(mm) + u"分" + QString::number(ss) + u"秒";
            break;
        }
        case ltMinute: {
            static const QRegularExpression re(QStringLiteral("^[0-9]+\\z"));
            valid = re.match(spec).hasMatch() && DigitsValue(spec) < 60;
            if (valid)
                desc = spec + u"秒";
            break;
        }
        default:  // ltSecond takes no detail
            valid = false;
            break;
        }
    }
    if (specOut)
        *specOut = spec;
    if (descOut)
        *descOut = desc;
    return valid;
}

std::optional<LoopRuleTexts> ComposeLoopRule(const LoopFields& f)
{
    if (f.type < 0 || f.type >= kLoopTypeCount)
        return std::nullopt;
    QString spec;
    if (!GetSpecDesc(f.type, f.specOn, f.spec, &spec, nullptr))
        return std::nullopt;
    const QString head = GetTypeDesc(f.type, std::max(1, f.count));
    LoopRuleTexts out;
    if (f.type == ltHour || f.type == ltMinute || f.type == ltSecond) {
        out.dateText = QStringLiteral("每天");
        out.timeText = head;
        if (f.specOn) {
            static const QRegularExpression plain(QStringLiteral("^\\d+\\z"));
            out.timeText += spec;
            if (f.type == ltMinute)
                out.timeText += u"秒";
            else if (f.type == ltHour && plain.match(spec).hasMatch())
                out.timeText += u"分";
        }
    } else {
        out.dateText = head;
        if (f.specOn) {
            if (f.type == ltDay) {
                out.timeText = spec;
            } else {
                out.dateText += spec;
                if (f.type == ltMonth || f.type == ltLunarMonth)
                    out.dateText += u"号";
            }
        }
    }
    return out;
}

std::optional<LoopFields> ParseLoopRule(const QString& dateText, const QString& timeText)
{
    static const QRegularExpression timeRule(QStringLiteral("每(\\d*)(小时|分钟?|秒)([0-9,:-]*)"));
    static const QRegularExpression dateRule(QStringLiteral("(农历)?每(\\d*)(天|周|个?月|年)([0-9,-]*)"));

    LoopFields f;
    QString detail;
    QRegularExpressionMatch m = timeRule.match(timeText);
    if (m.hasMatch()) {
        const QStringView unit = m.capturedView(2);
        f.type = unit == u"小时" ? ltHour : unit == u"秒" ? ltSecond : ltMinute;
        f.count = int(CountOf(m.capturedView(1)));
        detail = m.captured(3);
    } else {
        m = dateRule.match(dateText);
        if (!m.hasMatch())
            return std::nullopt;
        const bool lunar = !m.capturedView(1).isEmpty();
        const QStringView unit = m.capturedView(3);
        f.count = int(CountOf(m.capturedView(2)));
        if (unit == u"周")
            f.type = ltWeek;
        else if (unit.endsWith(u"月"))
            f.type = lunar ? ltLunarMonth : ltMonth;
        else if (unit == u"年")
            f.type = lunar ? ltLunarYear : ltYear;
        else
            f.type = ltDay;
        detail = f.type == ltDay ? timeText : m.captured(4);
    }
    f.specOn = !detail.isEmpty();
    f.spec = detail;
    return f;
}
