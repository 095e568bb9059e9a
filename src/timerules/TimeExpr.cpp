// SPDX-License-Identifier: GPL-3.0-or-later
#include "timerules/TimeExpr.h"

#include "timerules/CLunarUtil.h"
#include "timerules/Clock.h"
#include "timerules/CompoundAmount.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

const QString kNoDateText = QStringLiteral("--");

// Messages are looked up when they are given, so that they follow the language installed at that time.
QString ErrFormat()
{
    return QCoreApplication::translate("TimeExpr", "错误的日期时间格式！");
}

QString ErrRange()
{
    return QCoreApplication::translate("TimeExpr", "日期时间超出范围！");
}

// Numbers typed by users can be arbitrarily long. Counts saturate here, far beyond any calendar range, so
// that the date arithmetic rejects them instead of overflowing.
constexpr qint64 kCountCap = 1'000'000'000'000LL;
constexpr double kOffsetCap = 1.0e15;

bool IsAsciiDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

qint64 CountValue(QStringView digits)
{
    qint64 v = 0;
    for (QChar c : digits) {
        v = v * 10 + (c.unicode() - '0');
        if (v >= kCountCap)
            return kCountCap;
    }
    return v;
}

// ---------------------------------------------------------------------------------------------------------
// Date and time literals.
//
// Leading and trailing white space is ignored. A literal is a date, a clock time, or a date followed by a
// clock time. Only ASCII digits count; Y is exactly four digits (0100..9999), M and D one or two digits,
// and the date must exist (2011-2-30 and 13-1 are rejected; a month-day is checked against the current year).
//
//   form                     examples                          value
//   Y-M-D   Y/M/D            "2011-1-1" "2010-10-1" "2011/1/1"  that day
//   M-D     M/D              "10-12" "8/15"                     that day of the current year
//   Y年M月D日 (日 or 号)      "2011年1月1日"                      that day
//   M月D日    (日 or 号)      "1月1日" "8月15号"                  that day of the current year
//   H:MM    H:MM:SS          "10:00" "8:5" "10:20:20"           a time alone (day 0); H < 24, MM and SS < 60
//   date + space(s) + time   "2010-10-1 10:00" "8/15 9:30"      day and time
//   Chinese date + time      "1月1日10:00" "2011年1月1日 8:00"   the space is optional after 日/号
//
// Everything else is not a literal, notably bare numbers ("12", "10"), numbers with a unit or sign
// ("-15分钟", "1小时", "-1天"), two-digit years ("11-1-1"), day-first or year-last orders ("15/8/2011"),
// mixed separators ("2011-1/1"), times with a zone, AM/PM or fractions, and the day words.
// ---------------------------------------------------------------------------------------------------------

class Cursor
{
public:
    explicit Cursor(QStringView s)
        : m_s(s)
    {
    }

    bool AtEnd() const { return m_i >= m_s.size(); }
    QChar Peek() const { return AtEnd() ? QChar() : m_s[m_i]; }
    qsizetype Pos() const { return m_i; }
    void Reset(qsizetype pos) { m_i = pos; }

    bool Take(QChar c)
    {
        if (AtEnd() || m_s[m_i] != c)
            return false;
        ++m_i;
        return true;
    }

    qsizetype DigitRun() const
    {
        qsizetype k = m_i;
        while (k < m_s.size() && IsAsciiDigit(m_s[k]))
            ++k;
        return k - m_i;
    }

    // A run of minLen..maxLen ASCII digits, no more.
    bool Number(qsizetype minLen, qsizetype maxLen, int* out)
    {
        const qsizetype len = DigitRun();
        if (len < minLen || len > maxLen)
            return false;
        int v = 0;
        for (qsizetype k = 0; k < len; ++k)
            v = v * 10 + (m_s[m_i + k].unicode() - '0');
        m_i += len;
        *out = v;
        return true;
    }

    qsizetype SkipSpaces()
    {
        const qsizetype start = m_i;
        while (!AtEnd() && m_s[m_i].isSpace())
            ++m_i;
        return m_i - start;
    }

private:
    QStringView m_s;
    qsizetype m_i = 0;
};

enum class DateForm { None, Numeric, Chinese };

bool TakeDayMark(Cursor& c)
{
    return c.Take(QChar(0x65E5)) || c.Take(QChar(0x53F7));  // 日 or 号
}

// Reads the date part at the cursor. Returns None (cursor unchanged) when the text does not start with one
// of the date shapes; sets *valid to false when the shape is there but the day does not exist.
DateForm ReadDate(Cursor& c, QDate* date, bool* valid)
{
    const qsizetype start = c.Pos();
    const qsizetype lead = c.DigitRun();
    int y = 0, m = 0, d = 0;
    DateForm form = DateForm::None;
    if (lead == 4) {
        c.Number(4, 4, &y);
        const QChar sep = c.Peek();
        if ((sep == u'-' || sep == u'/') && c.Take(sep) && c.Number(1, 2, &m) && c.Take(sep) && c.Number(1, 2, &d))
            form = DateForm::Numeric;
        else if (c.Take(QChar(0x5E74)) && c.Number(1, 2, &m) && c.Take(QChar(0x6708)) && c.Number(1, 2, &d)
            && TakeDayMark(c))  // 年 月
            form = DateForm::Chinese;
    } else if (lead == 1 || lead == 2) {
        y = -1;  // the current year, looked up only when a date is there
        c.Number(1, 2, &m);
        const QChar sep = c.Peek();
        if ((sep == u'-' || sep == u'/') && c.Take(sep) && c.Number(1, 2, &d) && c.Peek() != sep)
            form = DateForm::Numeric;
        else if (c.Take(QChar(0x6708)) && c.Number(1, 2, &d) && TakeDayMark(c))  // 月
            form = DateForm::Chinese;
    }
    if (form == DateForm::None) {
        c.Reset(start);
        return form;
    }
    if (y == -1)
        y = Clock::CurrentDate().year();
    *valid = y >= 100 && QDate::isValid(y, m, d);
    if (*valid)
        *date = QDate(y, m, d);
    return form;
}

bool ReadTime(Cursor& c, int* seconds)
{
    int h = 0, n = 0, s = 0;
    if (!c.Number(1, 2, &h) || !c.Take(u':') || !c.Number(1, 2, &n))
        return false;
    if (c.Take(u':') && !c.Number(1, 2, &s))
        return false;
    if (h > 23 || n > 59 || s > 59)
        return false;
    *seconds = h * 3600 + n * 60 + s;
    return true;
}

// Months and years are whole units: a fraction rounds to the nearest count, half away from zero.
qint64 WholeUnits(double n)
{
    return std::llround(std::clamp(n, -1.0e9, 1.0e9));
}

bool IsShowable(Instant v)
{
    return v < NO_DATE && IsRepresentable(v);
}

void AppendNumber(QString& out, qint64 v, int width)
{
    if (v < 0) {
        out += u'-';
        v = -v;
    }
    char16_t buf[24];
    int n = 0;
    do {
        buf[n++] = char16_t(u'0' + v % 10);
        v /= 10;
    } while (v > 0 && n < 24);
    for (int k = n; k < width; ++k)
        out += u'0';
    while (n > 0)
        out += QChar(buf[--n]);
}

// How many pattern letters of c follow at i (at most max).
qsizetype RunOf(const QString& p, qsizetype i, QChar c, qsizetype max)
{
    qsizetype k = i;
    while (k < p.size() && k - i < max && p[k] == c)
        ++k;
    return k - i;
}

QString DayWord(qint64 n)
{
    switch (n) {
    case -2:
        return QStringLiteral("前天");
    case -1:
        return QStringLiteral("昨天");
    case 0:
        return QStringLiteral("今天");
    case 1:
        return QStringLiteral("明天");
    case 2:
        return QStringLiteral("后天");
    default:
        return {};
    }
}

}  // namespace

double LeadingNumber(QStringView s)
{
    qsizetype i = 0;
    while (i < s.size() && s[i].isSpace())
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) {
        negative = s[i] == u'-';
        ++i;
    }
    double v = 0;
    for (; i < s.size() && IsAsciiDigit(s[i]); ++i) {
        if (v < kOffsetCap)
            v = v * 10 + (s[i].unicode() - '0');
    }
    if (i < s.size() && s[i] == u'.') {
        double scale = 0.1;
        for (++i; i < s.size() && IsAsciiDigit(s[i]); ++i) {
            v += (s[i].unicode() - '0') * scale;
            scale /= 10;
        }
    }
    return negative ? -v : v;
}

Instant DateLiteral::Value() const
{
    if (!hasDate)
        return hasTime ? double(seconds) / SECONDS_PER_DAY : 0;
    return InstantFromDateTime(date, QTime::fromMSecsSinceStartOfDay(seconds * 1000));
}

std::optional<DateLiteral> ParseDateLiteral(const QString& text)
{
    const QStringView s = QStringView(text).trimmed();
    // The longest form, "2011年12月31日 23:59:59", has 20 characters; allow generous spacing.
    if (s.isEmpty() || s.size() > 64)
        return std::nullopt;
    Cursor c(s);
    DateLiteral lit;
    bool valid = true;
    const DateForm form = ReadDate(c, &lit.date, &valid);
    if (form != DateForm::None) {
        if (!valid)
            return std::nullopt;
        lit.hasDate = true;
        if (c.AtEnd())
            return lit;
        if (c.SkipSpaces() == 0 && form != DateForm::Chinese)
            return std::nullopt;
    }
    if (!ReadTime(c, &lit.seconds) || !c.AtEnd())
        return std::nullopt;
    lit.hasTime = true;
    return lit;
}

bool IsDateLiteral(const QString& text)
{
    return ParseDateLiteral(text).has_value();
}

Instant ParseDayWord(const QString& text, Instant baseDay)
{
    const QString t = text.trimmed();
    const QString word[] = { QStringLiteral("前天"), QStringLiteral("昨天"), QStringLiteral("今天"),
        QStringLiteral("明天"), QStringLiteral("后天") };
    for (int k = 0; k < 5; ++k) {
        if (t == word[k]) {
            if (baseDay != 0 && !IsRepresentable(baseDay))
                return 0;
            const Instant day = baseDay == 0 ? Clock::Today() : DatePart(baseDay);
            return AddDays(day, k - 2);
        }
    }
    return IsDateLiteral(t) ? TextToDate(t) : 0;
}

Instant TextToDate(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return 0;
    if (t == kNoDateText)
        return NO_DATE;
    static const QRegularExpression monthDay(QStringLiteral("^\\s*([0-9]+)[-/]([0-9]+)\\s*$"));
    const QRegularExpressionMatch md = monthDay.match(t);
    if (md.hasMatch()) {
        const qint64 m = CountValue(md.capturedView(1));
        const qint64 d = CountValue(md.capturedView(2));
        if (m > 12 || d > 31)
            return 0;
        return InstantFromDate(QDate(Clock::CurrentDate().year(), int(m), int(d)));
    }
    const auto lit = ParseDateLiteral(t);
    return lit ? lit->Value() : 0;
}

Instant LunarToSolar(int y, int m, int d)
{
    CLunarUtil lunar;
    if (!lunar.lInitDate(y, m, d, false))
        return 0;
    return lunar.SolarDate();
}

Instant ParseLunarDate(const QString& text)
{
    const QString t = text.trimmed();
    if (!IsDateLiteral(t))
        return 0;
    const QStringList parts = t.split(u'-');
    int n[3] = { 0, 0, 0 };
    if (parts.size() < 2 || parts.size() > 3)
        return 0;
    for (qsizetype k = 0; k < parts.size(); ++k) {
        bool ok = false;
        n[k] = parts[k].toInt(&ok);
        if (!ok)
            return 0;  // "8-15 10:00": a lunar date carries no time
    }
    if (parts.size() == 3)
        return LunarToSolar(n[0], n[1], n[2]);

    // A month-day late in the lunar year may fall early in this solar year, so try the previous lunar year
    // first. The day itself still counts as ahead: comparing with the current moment instead would push a
    // lunar date that is today a whole year on.
    const int year = Clock::CurrentDate().year();
    Instant s = LunarToSolar(year - 1, n[0], n[1]);
    if (s < Clock::Today())
        s = LunarToSolar(year, n[0], n[1]);
    return s;
}

namespace {

// The count and unit of the first match of `re` (count in group 1, unit in group 2). A missing or zero count
// means one, as in "分钟后" or "0天后".
bool MatchCountAndUnit(
    const QRegularExpression& re, const QString& text, qint64* count, QStringView* unit, QRegularExpressionMatch* match)
{
    *match = re.match(text);
    if (!match->hasMatch())
        return false;
    *count = std::max<qint64>(1, CountValue(match->capturedView(1)));
    *unit = match->capturedView(2);
    return true;
}

}  // namespace

Instant EvalRelativeDate(const QString& text, Instant base)
{
    static const QRegularExpression re(QStringLiteral("([0-9]+)\\s*(天|个?月|年)后"));
    QRegularExpressionMatch m;
    qint64 n;
    QStringView unit;
    if (!MatchCountAndUnit(re, text, &n, &unit, &m))
        return 0;
    if (unit == u"天")
        return AddDays(base, double(n));
    if (unit == u"年")
        return AddYears(base, n);
    return AddMonths(base, n);
}

Instant EvalRelativeTime(const QString& text, Instant base)
{
    // Only the digits right before the unit count: "0.5小时后" reads as 5 hours.
    static const QRegularExpression re(QStringLiteral("([0-9]*)\\s*(分钟?|小时|秒)"));
    QRegularExpressionMatch m;
    qint64 n;
    QStringView unit;
    if (!MatchCountAndUnit(re, text, &n, &unit, &m))
        return 0;
    const double perUnit = unit == u"小时" ? 3600.0 : unit == u"秒" ? 1.0 : 60.0;
    return AddSeconds(base, double(n) * perUnit);
}

Instant ParseTimeOffset(Instant base, const QString& text, QString* errInfo)
{
    if (errInfo)
        errInfo->clear();
    if (base >= NO_DATE)
        return NO_DATE;
    const QString t = text.trimmed();
    if (t.isEmpty())
        return base;

    if (const auto lit = ParseDateLiteral(t)) {
        // A clock time alone means that time today, even when it has passed.
        return lit->hasDate ? lit->Value() : AddSeconds(Clock::Today(), lit->seconds);
    }

    // Users type compound spans ("-1天1小时", "1小时30分"): every pair counts, not just the first number.
    if (const auto amount = ParseCompoundAmount(t)) {
        const Instant r = amount->IsZero() ? 0 : ApplyCompoundAmount(base, *amount);
        if (r == 0 && errInfo)
            *errInfo = amount->IsZero() ? ErrFormat() : ErrRange();
        return r;
    }

    // Fractions are honoured to the second for hours, days, minutes and seconds ("1.5小时" is 90 minutes);
    // months and years are whole calendar units and round to the nearest count.
    const double n = LeadingNumber(t);
    if (n != 0) {
        Instant r;
        if (t.contains(u"小时"))
            r = AddSeconds(base, n * 3600.0);
        else if (t.contains(u'天'))
            r = AddSeconds(base, n * SECONDS_PER_DAY);
        else if (t.contains(u'月'))
            r = AddMonths(base, WholeUnits(n));
        else if (t.contains(u'秒'))
            r = AddSeconds(base, n);
        else if (t.contains(u'年'))
            r = AddYears(base, WholeUnits(n));
        else
            r = AddSeconds(base, n * 60.0);
        if (r == 0 && errInfo)
            *errInfo = ErrRange();
        return r;
    }
    if (errInfo)
        *errInfo = ErrFormat();
    return 0;
}

bool IsRecurringText(const QString& text)
{
    return text.contains(u'每');
}

bool IsRelativeText(const QString& text)
{
    return text.endsWith(u'后');
}

QString FormatPattern(Instant dt, const QString& pattern)
{
    if (!IsShowable(dt))
        return kNoDateText;
    const QDate date = DateOf(dt);
    const int secs = SecondsOfDay(dt);
    const int hour = secs / 3600, minute = secs / 60 % 60, second = secs % 60;

    QString out;
    out.reserve(pattern.size() + 8);
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        qsizetype used = 1;
        switch (c.unicode()) {
        case 'y':
            used = RunOf(pattern, i, c, 4);
            if (used == 4) {
                AppendNumber(out, date.year(), 4);
            } else if (used >= 2) {
                used = 2;
                AppendNumber(out, date.year() % 100, 2);
            } else {
                out += c;
            }
            break;
        case 'm': {
            used = RunOf(pattern, i, c, 2);
            // "hh:mm" is the habit of many users; after an hour, "mm" can only mean minutes.
            const bool minutes = i >= 2 && pattern[i - 1] == u':' && pattern[i - 2] == u'h';
            AppendNumber(out, minutes ? minute : date.month(), used == 2 ? 2 : 0);
            break;
        }
        case 'd':
            used = RunOf(pattern, i, c, 2);
            AppendNumber(out, date.day(), used == 2 ? 2 : 0);
            break;
        case 'h':
            used = RunOf(pattern, i, c, 2);
            AppendNumber(out, hour, used == 2 ? 2 : 0);
            break;
        case 'n':
            used = RunOf(pattern, i, c, 2);
            AppendNumber(out, minute, used == 2 ? 2 : 0);
            break;
        case 's':
            used = RunOf(pattern, i, c, 2);
            if (used == 2)
                AppendNumber(out, second, 2);
            else
                out += c;
            break;
        default:
            out += c;
            break;
        }
        i += used;
    }
    return out;
}

FriendlyMoment DescribeMoment(Instant dt)
{
    return DescribeMoment(dt, Clock::CurrentDate());
}

FriendlyMoment DescribeMoment(Instant dt, const QDate& today)
{
    FriendlyMoment m;
    qint64 day = 0;
    int seconds = 0;
    if (dt == 0 || dt >= NO_DATE || !SplitInstant(dt, day, seconds))
        return m;
    m.seconds = seconds;
    QDate::fromJulianDay(day).getDate(&m.year, &m.month, &m.dayOfMonth);
    m.offset = day - today.toJulianDay();
    if (m.offset == 0) {
        m.day = FriendlyMoment::Today;
    } else if (m.offset >= -2 && m.offset <= 2) {
        m.day = FriendlyMoment::Near;
    } else {
        int year = 0, month = 0;
        today.getDate(&year, &month, nullptr);
        if (m.year != year)
            m.day = FriendlyMoment::FullDate;
        else if (m.month != month)
            m.day = FriendlyMoment::MonthDay;
        else
            m.day = FriendlyMoment::DayOfMonth;
    }
    return m;
}

QString FormatFriendlyTime(Instant dt)
{
    const FriendlyMoment m = DescribeMoment(dt);
    QString day;
    switch (m.day) {
    case FriendlyMoment::None:
        return kNoDateText;
    case FriendlyMoment::Today:
        break;
    case FriendlyMoment::Near:
        day = DayWord(m.offset);
        break;
    case FriendlyMoment::FullDate:
        AppendNumber(day, m.year % 100, 2);
        day += u'/';
        [[fallthrough]];
    case FriendlyMoment::MonthDay:
        AppendNumber(day, m.month, 0);
        day += u'/';
        AppendNumber(day, m.dayOfMonth, 0);
        break;
    case FriendlyMoment::DayOfMonth:
        AppendNumber(day, m.dayOfMonth, 0);
        day += u'号';
        break;
    }
    if (m.seconds == 0)
        return day.isEmpty() ? DayWord(0) : day;
    QString out;
    out.reserve(12 + day.size());
    AppendNumber(out, m.seconds / 3600, 2);
    out += u':';
    AppendNumber(out, m.seconds / 60 % 60, 2);
    out += u':';
    AppendNumber(out, m.seconds % 60, 2);
    if (!day.isEmpty()) {
        out += u'(';
        out += day;
        out += u')';
    }
    return out;
}

DurationParts DescribeDuration(Instant fromDT, Instant toDT)
{
    DurationParts d;
    // Each instant split once: the list describes two or three spans for every row.
    qint64 fromDay = 0, toDay = 0;
    int fromSecs = 0, toSecs = 0;
    if (fromDT >= NO_DATE || toDT >= NO_DATE || !SplitInstant(fromDT, fromDay, fromSecs)
        || !SplitInstant(toDT, toDay, toSecs))
        return d;
    d.showable = true;
    const qint64 days = toDay - fromDay;
    if (days >= 3 || days <= -3) {
        d.days = days;
        return d;
    }
    qint64 s = days * SECONDS_PER_DAY + (toSecs - fromSecs);
    d.negative = s < 0;
    s = qAbs(s);
    d.hours = s / 3600;
    d.minutes = s / 60 % 60;
    d.seconds = s < 60 ? s : 0;
    return d;
}

QString FormatDuration(Instant fromDT, Instant toDT)
{
    const DurationParts d = DescribeDuration(fromDT, toDT);
    if (!d.showable)
        return kNoDateText;
    QString out;
    if (d.days != 0) {
        AppendNumber(out, d.days, 0);
        out += u'天';
        return out;
    }
    if (d.negative)
        out += u'-';
    if (d.hours > 0) {
        AppendNumber(out, d.hours, 0);
        out += QStringLiteral("小时");
    }
    if (d.minutes > 0) {
        AppendNumber(out, d.minutes, 0);
        out += QStringLiteral("分钟");
    }
    if (d.hours == 0 && d.minutes == 0) {
        AppendNumber(out, d.seconds, 0);
        out += u'秒';
    }
    return out;
}

QString FormatDateWord(Instant value)
{
    if (value == 0 || !IsShowable(value))
        return kNoDateText;
    const qint64 n = DateOf(value).toJulianDay() - Clock::CurrentDate().toJulianDay();
    if (n >= -2 && n <= 2)
        return DayWord(n);
    return FormatPattern(value, QStringLiteral("yyyy-mm-dd"));
}

QString FormatDateWord(const QString& text)
{
    // A clock time alone names no day and stays as typed, like every other non-date text.
    const auto lit = ParseDateLiteral(text);
    if (!lit || !lit->hasDate)
        return text;
    return FormatDateWord(lit->Value());
}

QString FormatDateTimeText(Instant dt)
{
    // The data file and the exports write thousands of these: the digits directly, no pattern to walk.
    if (dt == 0 || !IsShowable(dt))
        return kNoDateText;
    const QDate date = DateOf(dt);
    const int secs = SecondsOfDay(dt);
    QString out;
    out.reserve(19);
    // Years below 1000 keep four digits so the text reads back the same.
    AppendNumber(out, date.year(), 4);
    out += u'-';
    AppendNumber(out, date.month(), 2);
    out += u'-';
    AppendNumber(out, date.day(), 2);
    out += u' ';
    AppendNumber(out, secs / 3600, 2);
    out += u':';
    AppendNumber(out, secs / 60 % 60, 2);
    out += u':';
    AppendNumber(out, secs % 60, 2);
    return out;
}

QString FormatDateText(Instant dt)
{
    if (dt == 0)
        return kNoDateText;
    return FormatPattern(dt, QStringLiteral("yyyy-mm-dd"));
}

QString SolarToLunarText(Instant dt)
{
    if (!IsShowable(dt))
        return {};
    const QDate date = DateOf(dt);
    CLunarUtil lunar;
    if (!lunar.sInitDate(date.year(), date.month(), date.day()))
        return {};
    QString out;
    if (lunar.lYear() != date.year()) {
        AppendNumber(out, lunar.lYear(), 0);
        out += u'-';
    }
    AppendNumber(out, lunar.lMonth(), 0);
    out += u'-';
    AppendNumber(out, lunar.lDay(), 0);
    return out;
}

QString DateLiteralText(Instant date)
{
    return FormatPattern(date, QStringLiteral("yyyy-m-d"));
}

QString TimeLiteralText(Instant time)
{
    return FormatPattern(time, QStringLiteral("h:nn:ss"));
}
