// SPDX-License-Identifier: GPL-3.0-or-later
#include "timerules/EnglishExpr.h"

#include "timerules/Recurrence.h"
#include "timerules/TimeExpr.h"

#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <functional>
#include <initializer_list>

namespace {

// ---------------------------------------------------------------------------------------------------------
// Reading English.
// ---------------------------------------------------------------------------------------------------------

bool HasLatinLetter(QStringView s)
{
    return std::any_of(s.begin(), s.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
    });
}

bool AllDigits(QStringView s)
{
    return !s.isEmpty() && std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The words of a text, lower case. List punctuation, "and" and abbreviation dots carry nothing; a hyphen next
// to a letter separates words ("3rd-to-last"), between digits it belongs to a date ("8-15"); a number typed
// against a word is two words ("9am", "15min", "1st").
QStringList WordsOf(const QString& text)
{
    static const QRegularExpression dot(QStringLiteral("(?<![0-9])\\.|\\.(?![0-9])"));
    static const QRegularExpression punct(QStringLiteral("[,;&，、]"));
    static const QRegularExpression wordHyphen(QStringLiteral("(?<=[a-z])-|-(?=[a-z])"));
    static const QRegularExpression glued(QStringLiteral("(?<=[0-9])(?=[a-z])|(?<=[a-z])(?=[0-9])"));
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QString s = text.toLower();
    s.replace(dot, QString()).replace(punct, QStringLiteral(" "));
    s.replace(wordHyphen, QStringLiteral(" ")).replace(glued, QStringLiteral(" "));
    QStringList words = s.split(blanks, Qt::SkipEmptyParts);
    words.removeAll(QStringLiteral("and"));
    return words;
}

class Reader
{
public:
    explicit Reader(const QStringList& words)
        : m_w(words)
    {
    }

    bool Done() const { return m_i >= m_w.size(); }
    QStringView Peek() const { return Done() ? QStringView() : QStringView(m_w[m_i]); }
    void Skip() { ++m_i; }
    qsizetype Pos() const { return m_i; }
    void Reset(qsizetype pos) { m_i = pos; }

    bool Take(QStringView word)
    {
        if (Done() || m_w[m_i] != word)
            return false;
        ++m_i;
        return true;
    }
    bool TakeAny(std::initializer_list<QStringView> words)
    {
        return std::any_of(words.begin(), words.end(), [this](QStringView w) { return Take(w); });
    }
    // All the words of a phrase, or none.
    bool TakePhrase(QStringView phrase)
    {
        const qsizetype start = m_i;
        for (QStringView w : phrase.split(u' ')) {
            if (!Take(w)) {
                m_i = start;
                return false;
            }
        }
        return true;
    }

private:
    const QStringList& m_w;
    qsizetype m_i = 0;
};

// A count: digits, "a", "an" or a number word up to twelve.
std::optional<qint64> TakeCount(Reader& r)
{
    const QStringView w = r.Peek();
    if (AllDigits(w) && w.size() <= 9) {
        r.Skip();
        return w.toLongLong();
    }
    static const char16_t* const words[] = { u"one", u"two", u"three", u"four", u"five", u"six", u"seven", u"eight",
        u"nine", u"ten", u"eleven", u"twelve" };
    if (w == u"a" || w == u"an") {
        r.Skip();
        return 1;
    }
    for (int k = 0; k < 12; ++k) {
        if (w == QStringView(words[k])) {
            r.Skip();
            return k + 1;
        }
    }
    return std::nullopt;
}

// A day number, "15" or "15th", 1 to 31.
std::optional<int> TakeDayNumber(Reader& r)
{
    const QStringView w = r.Peek();
    if (!AllDigits(w) || w.size() > 2 || w.toInt() < 1 || w.toInt() > 31)
        return std::nullopt;
    r.Skip();
    r.TakeAny({ u"st", u"nd", u"rd", u"th" });
    return w.toInt();
}

enum class Unit { Second, Minute, Hour, Day, Week, Month, Year };

std::optional<Unit> TakeUnit(Reader& r)
{
    struct Name
    {
        const char16_t* word;
        Unit unit;
    };
    static const Name names[] = { { u"second", Unit::Second }, { u"seconds", Unit::Second }, { u"sec", Unit::Second },
        { u"secs", Unit::Second }, { u"s", Unit::Second }, { u"minute", Unit::Minute }, { u"minutes", Unit::Minute },
        { u"min", Unit::Minute }, { u"mins", Unit::Minute }, { u"m", Unit::Minute }, { u"hour", Unit::Hour },
        { u"hours", Unit::Hour }, { u"hr", Unit::Hour }, { u"hrs", Unit::Hour }, { u"h", Unit::Hour },
        { u"day", Unit::Day }, { u"days", Unit::Day }, { u"d", Unit::Day }, { u"week", Unit::Week },
        { u"weeks", Unit::Week }, { u"wk", Unit::Week }, { u"wks", Unit::Week }, { u"month", Unit::Month },
        { u"months", Unit::Month }, { u"year", Unit::Year }, { u"years", Unit::Year }, { u"yr", Unit::Year },
        { u"yrs", Unit::Year } };
    for (const Name& n : names) {
        if (r.Take(QStringView(n.word)))
            return n.unit;
    }
    return std::nullopt;
}

// 1 = Monday ... 7 = Sunday, also in the plural ("Mondays"); 0 for no weekday.
int WeekdayOf(QStringView w)
{
    static const char16_t* const names[7][4] = { { u"monday", u"mon", nullptr, nullptr },
        { u"tuesday", u"tue", u"tues", nullptr }, { u"wednesday", u"wed", u"weds", nullptr },
        { u"thursday", u"thu", u"thur", u"thurs" }, { u"friday", u"fri", nullptr, nullptr },
        { u"saturday", u"sat", nullptr, nullptr }, { u"sunday", u"sun", nullptr, nullptr } };
    const QStringView singular = w.endsWith(u"days") ? w.chopped(1) : w;
    for (int d = 0; d < 7; ++d)
        for (const char16_t* n : names[d])
            if (n && singular == QStringView(n))
                return d + 1;
    return 0;
}

int MonthOf(QStringView w)
{
    static const char16_t* const names[12][3]
        = { { u"january", u"jan", nullptr }, { u"february", u"feb", nullptr }, { u"march", u"mar", nullptr },
              { u"april", u"apr", nullptr }, { u"may", nullptr, nullptr }, { u"june", u"jun", nullptr },
              { u"july", u"jul", nullptr }, { u"august", u"aug", nullptr }, { u"september", u"sep", u"sept" },
              { u"october", u"oct", nullptr }, { u"november", u"nov", nullptr }, { u"december", u"dec", nullptr } };
    for (int m = 0; m < 12; ++m)
        for (const char16_t* n : names[m])
            if (n && w == QStringView(n))
                return m + 1;
    return 0;
}

// One or more weekdays as the digits of a weekly rule, in week order: "135".
std::optional<QString> TakeWeekdays(Reader& r)
{
    QString digits;
    for (int d; (d = WeekdayOf(r.Peek())) != 0; r.Skip()) {
        const QChar digit(u'0' + d);
        if (!digits.contains(digit))
            digits += digit;
    }
    if (digits.isEmpty())
        return std::nullopt;
    std::sort(digits.begin(), digits.end());
    return digits;
}

// "Dec 25", "December 25th", "25 Dec", "the 25th of December" as "12-25".
std::optional<QString> TakeMonthDay(Reader& r)
{
    const qsizetype start = r.Pos();
    r.Take(u"the");
    int month = MonthOf(r.Peek());
    std::optional<int> day;
    if (month) {
        r.Skip();
        r.Take(u"the");
        day = TakeDayNumber(r);
    } else if ((day = TakeDayNumber(r))) {
        r.Take(u"of");
        if ((month = MonthOf(r.Peek())))
            r.Skip();
    }
    if (!month || !day) {
        r.Reset(start);
        return std::nullopt;
    }
    return QStringLiteral("%1-%2").arg(month).arg(*day);
}

bool IsNumericMonthDay(QStringView w)
{
    static const QRegularExpression re(QStringLiteral("^[0-9]{1,2}-[0-9]{1,2}\\z"));
    return re.match(w).hasMatch();
}

// A list of month-days, "Jan 1 Feb 1" or "1-1 2-1", as "1-1,2-1"; numbers only for the lunar calendar, whose
// months have no English names.
std::optional<QString> TakeMonthDays(Reader& r, bool lunar)
{
    QStringList items;
    for (;;) {
        if (IsNumericMonthDay(r.Peek())) {
            items << r.Peek().toString();
            r.Skip();
        } else if (auto md = lunar ? std::nullopt : TakeMonthDay(r)) {
            items << *md;
        } else {
            break;
        }
    }
    if (items.isEmpty())
        return std::nullopt;
    return items.join(u',');
}

// Days of a month: "the 1st 15th", "day 1 15", or a day counted from the end: "the last day", "the 3rd to last
// day", "day 3 from the end". The end form gives "-N".
std::optional<QString> TakeMonthDaysSpec(Reader& r)
{
    const qsizetype start = r.Pos();
    r.Take(u"the");
    if (r.TakePhrase(u"last day") || (r.Take(u"last") && r.Done()))
        return QStringLiteral("-1");
    r.Reset(start);
    r.Take(u"the");
    if (auto n = TakeDayNumber(r)) {
        r.Take(u"to");
        if (r.Take(u"last")) {
            r.Take(u"day");
            return QStringLiteral("-%1").arg(*n);
        }
    }
    r.Reset(start);
    r.TakeAny({ u"day", u"days" });
    const qsizetype listStart = r.Pos();
    if (auto n = TakeDayNumber(r); n && r.TakePhrase(u"from the end"))
        return QStringLiteral("-%1").arg(*n);
    r.Reset(listStart);
    QStringList days;
    for (;;) {
        const qsizetype at = r.Pos();
        r.Take(u"the");
        auto n = TakeDayNumber(r);
        if (!n) {
            r.Reset(at);
            break;
        }
        days << QString::number(*n);
    }
    if (days.isEmpty()) {
        r.Reset(start);
        return std::nullopt;
    }
    return days.join(u',');
}

// The Chinese of a date rule.
QString DateRuleText(bool lunar, qint64 n, Unit unit, const QString& spec)
{
    const QString count = n > 1 ? QString::number(n) : QString();
    const QString prefix = lunar ? QStringLiteral("农历") : QString();
    switch (unit) {
    case Unit::Day:
        return u"每" + count + u"天";
    case Unit::Week:
        return u"每" + count + u"周" + spec;
    case Unit::Month:
        if (spec.isEmpty())
            return prefix + u"每" + (count.isEmpty() ? QString() : count + u"个") + u"月";
        return prefix + u"每" + (count.isEmpty() ? QString() : count + u"个") + u"月" + spec
            + (spec.startsWith(u'-') ? u"天" : u"号");
    default:
        return prefix + u"每" + count + u"年" + spec;
    }
}

using Alternative = std::function<std::optional<QString>(Reader&)>;

// The first alternative that reads the whole text.
std::optional<QString> ReadWith(const QString& text, std::initializer_list<Alternative> alternatives)
{
    if (!HasLatinLetter(text))
        return std::nullopt;
    const QStringList words = WordsOf(text);
    for (const Alternative& alt : alternatives) {
        Reader r(words);
        if (auto out = alt(r); out && r.Done())
            return out;
    }
    return std::nullopt;
}

// "every", "every 3", "every other": the count of a rule.
std::optional<qint64> TakeEvery(Reader& r)
{
    if (!r.Take(u"every"))
        return std::nullopt;
    if (r.Take(u"other"))
        return 2;
    return TakeCount(r).value_or(1);
}

std::optional<QString> DateRule(Reader& r)
{
    // "daily", "weekly" ... stand for "every day", "every week" ...
    static const std::pair<const char16_t*, Unit> adverbs[] = { { u"daily", Unit::Day }, { u"weekly", Unit::Week },
        { u"monthly", Unit::Month }, { u"yearly", Unit::Year }, { u"annually", Unit::Year } };
    std::optional<qint64> n;
    std::optional<Unit> unit;
    bool lunar = false;
    for (const auto& [word, u] : adverbs) {
        if (r.Take(QStringView(word))) {
            n = 1;
            unit = u;
        }
    }
    if (!unit) {
        n = TakeEvery(r);
        if (!n)
            return std::nullopt;
        if (*n == 1) {
            if (r.TakeAny({ u"weekday", u"weekdays" }))
                return QStringLiteral("每周12345");
            if (r.TakeAny({ u"weekend", u"weekends" }))
                return QStringLiteral("每周67");
            if (auto days = TakeWeekdays(r))
                return u"每周" + *days;
        }
        lunar = r.Take(u"lunar");
        unit = TakeUnit(r);
    }
    if (!unit || (lunar && unit != Unit::Month && unit != Unit::Year))
        return std::nullopt;
    QString spec;
    const bool on = r.Take(u"on");
    switch (*unit) {
    case Unit::Day:
        if (on)
            return std::nullopt;
        break;
    case Unit::Week:
        if (on || !r.Done()) {
            auto days = TakeWeekdays(r);
            if (!days)
                return std::nullopt;
            spec = *days;
        }
        break;
    case Unit::Month:
        if (on || !r.Done()) {
            auto days = TakeMonthDaysSpec(r);
            // A lunar month's days are counted from its start only.
            if (!days || (lunar && days->startsWith(u'-')))
                return std::nullopt;
            spec = *days;
        }
        break;
    case Unit::Year:
        if (on || !r.Done()) {
            auto days = TakeMonthDays(r, lunar);
            if (!days)
                return std::nullopt;
            spec = *days;
        }
        break;
    default:
        return std::nullopt;
    }
    return DateRuleText(lunar, *n, *unit, spec);
}

// "the last day of every month", "the 1st and 15th of every 2 months", "the 1st of every lunar month".
std::optional<QString> MonthDaysOfEvery(Reader& r)
{
    auto days = TakeMonthDaysSpec(r);
    if (!days || !r.Take(u"of"))
        return std::nullopt;
    const std::optional<qint64> n = TakeEvery(r);
    const bool lunar = r.Take(u"lunar");
    if (!n || TakeUnit(r) != Unit::Month || (lunar && days->startsWith(u'-')))
        return std::nullopt;
    return DateRuleText(lunar, *n, Unit::Month, *days);
}

bool IsLunarDateWord(QStringView w)
{
    static const QRegularExpression re(QStringLiteral("^(?:[0-9]{1,4}-)?[0-9]{1,2}-[0-9]{1,2}\\z"));
    return re.match(w).hasMatch();
}

// "lunar 8-15", "lunar 2027-8-15", and the yearly "lunar 8-15 every year" / "lunar 1-15 8-15 yearly".
std::optional<QString> LunarDate(Reader& r)
{
    if (!r.Take(u"lunar"))
        return std::nullopt;
    const qsizetype at = r.Pos();
    if (IsLunarDateWord(r.Peek())) {
        const QString date = r.Peek().toString();
        r.Skip();
        if (r.Done())
            return u"农历" + date;
        r.Reset(at);
    }
    auto days = TakeMonthDays(r, true);
    if (!days || !(r.TakePhrase(u"every year") || r.TakeAny({ u"yearly", u"annually" })))
        return std::nullopt;
    return u"农历每年" + *days;
}

std::optional<QString> DayWord(Reader& r)
{
    static const std::pair<const char16_t*, const char16_t*> words[]
        = { { u"today", u"今天" }, { u"tomorrow", u"明天" }, { u"tmrw", u"明天" }, { u"yesterday", u"昨天" },
              { u"the day after tomorrow", u"后天" }, { u"day after tomorrow", u"后天" },
              { u"the day before yesterday", u"前天" }, { u"day before yesterday", u"前天" } };
    for (const auto& [english, chinese] : words) {
        if (r.TakePhrase(QStringView(english)) && r.Done())
            return QString::fromUtf16(chinese);
    }
    return std::nullopt;
}

// "in 3 days", "3 days later", "2 weeks from now" for dates; "in 10 minutes", "in half an hour" for times.
std::optional<std::pair<qint64, Unit>> RelativeSpan(Reader& r)
{
    const bool in = r.TakeAny({ u"in", u"after" });
    if (in && r.TakePhrase(u"half an hour"))
        return std::make_pair(qint64(30), Unit::Minute);
    const std::optional<qint64> n = TakeCount(r);
    const std::optional<Unit> unit = n ? TakeUnit(r) : std::nullopt;
    if (!unit)
        return std::nullopt;
    const bool later = r.TakeAny({ u"later", u"after" }) || r.TakePhrase(u"from now");
    if (in == later)
        return std::nullopt;
    return std::make_pair(std::max<qint64>(*n, 1), *unit);
}

std::optional<QString> RelativeDate(Reader& r)
{
    const auto span = RelativeSpan(r);
    if (!span)
        return std::nullopt;
    const QString n = QString::number(span->first);
    switch (span->second) {
    case Unit::Day:
        return n + u"天后";
    case Unit::Week:
        return QString::number(span->first * 7) + u"天后";
    case Unit::Month:
        return n + u"个月后";
    case Unit::Year:
        return n + u"年后";
    default:
        return std::nullopt;
    }
}

// "Dec 25", "25 December 2027", "Dec 25th, 2027".
std::optional<QString> CalendarDate(Reader& r)
{
    auto md = TakeMonthDay(r);
    if (!md)
        return std::nullopt;
    const QStringView year = r.Peek();
    if (AllDigits(year) && year.size() == 4) {
        r.Skip();
        return year.toString() + u'-' + *md;
    }
    return md;
}

// "9am", "5:30 pm", "at 9:00", "noon", "9 o'clock" as "9:00", "17:30".
std::optional<QString> ClockTime(Reader& r)
{
    static const QRegularExpression clock(QStringLiteral("^([0-9]{1,2})(?::([0-9]{2}))?(?::([0-9]{2}))?\\z"));
    r.Take(u"at");
    if (r.Take(u"noon"))
        return QStringLiteral("12:00");
    if (r.Take(u"midnight"))
        return QStringLiteral("0:00");
    const QRegularExpressionMatch m = clock.match(r.Peek());
    if (!m.hasMatch())
        return std::nullopt;
    r.Skip();
    int hour = m.capturedView(1).toInt();
    const QString minutes = m.hasCaptured(2) ? m.captured(2) : QStringLiteral("00");
    const QString seconds = m.hasCaptured(3) ? u':' + m.captured(3) : QString();
    const bool am = r.Take(u"am"), pm = !am && r.Take(u"pm");
    if (am || pm) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (pm ? 12 : 0);
    } else if (r.Take(u"o'clock") ? m.hasCaptured(2) : !m.hasCaptured(2)) {
        return std::nullopt;  // "at 9" alone could be a day as well
    }
    return QString::number(hour) + u':' + minutes + seconds;
}

std::optional<QString> RelativeTime(Reader& r)
{
    const auto span = RelativeSpan(r);
    if (!span)
        return std::nullopt;
    const QString n = QString::number(span->first);
    switch (span->second) {
    case Unit::Second:
        return n + u"秒后";
    case Unit::Minute:
        return n + u"分钟后";
    case Unit::Hour:
        return n + u"小时后";
    default:
        return std::nullopt;
    }
}

// A number without leading zeros, as the rule texts write them.
QString Plain(QStringView digits)
{
    return QString::number(digits.toInt());
}

// "every 15 minutes", "every 2 hours at :30", "every hour at :18:18", "every hour on the hour", "every minute at
// second 30", "hourly".
std::optional<QString> TimeRule(Reader& r)
{
    std::optional<qint64> n;
    std::optional<Unit> unit;
    if (r.Take(u"hourly")) {
        n = 1;
        unit = Unit::Hour;
    } else if ((n = TakeEvery(r))) {
        unit = TakeUnit(r);
    }
    if (!unit)
        return std::nullopt;
    const QString count = *n > 1 ? QString::number(*n) : QString();
    static const QRegularExpression colon(QStringLiteral("^:([0-9]{1,2})(?::([0-9]{1,2}))?\\z"));
    switch (*unit) {
    case Unit::Second:
        return u"每" + count + u"秒";
    case Unit::Minute: {
        const QString head = u"每" + count + u"分钟";
        if (r.Done())
            return head;
        if (!r.Take(u"at"))
            return std::nullopt;
        const QRegularExpressionMatch m = colon.match(r.Peek());
        if (m.hasMatch() && !m.hasCaptured(2)) {
            r.Skip();
            return head + Plain(m.capturedView(1)) + u"秒";
        }
        if (r.TakeAny({ u"second", u"sec" }) && AllDigits(r.Peek())) {
            const QString s = Plain(r.Peek());
            r.Skip();
            return head + s + u"秒";
        }
        return std::nullopt;
    }
    case Unit::Hour: {
        const QString head = u"每" + count + u"小时";
        if (r.Done())
            return head;
        if (r.TakePhrase(u"on the hour"))
            return head + u"0分";
        if (!r.Take(u"at"))
            return std::nullopt;
        const QRegularExpressionMatch m = colon.match(r.Peek());
        if (m.hasMatch()) {
            r.Skip();
            if (!m.hasCaptured(2))
                return head + Plain(m.capturedView(1)) + u"分";
            return head + Plain(m.capturedView(1)) + u':' + Plain(m.capturedView(2));
        }
        if (r.TakeAny({ u"minute", u"min" }) && AllDigits(r.Peek())) {
            const QString mm = Plain(r.Peek());
            r.Skip();
            if (!r.TakeAny({ u"second", u"sec" }))
                return head + mm + u"分";
            if (!AllDigits(r.Peek()))
                return std::nullopt;
            const QString ss = Plain(r.Peek());
            r.Skip();
            return head + mm + u':' + ss;
        }
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

// "15 minutes earlier", "-15 min", "1 hour 30 minutes before", "1 day later": "-15分钟", "-1小时30分钟", "1天".
std::optional<QString> Offset(Reader& r, const QString& leadingSign)
{
    static const QRegularExpression number(QStringLiteral("^[0-9]+(?:\\.[0-9]+)?\\z"));
    QString pairs;
    for (;;) {
        const QStringView w = r.Peek();
        QString n;
        if (number.match(w).hasMatch()) {
            n = w.toString();
            r.Skip();
        } else if (auto c = TakeCount(r)) {
            n = QString::number(*c);
        } else {
            break;
        }
        const std::optional<Unit> unit = TakeUnit(r);
        if (!unit)
            return std::nullopt;
        switch (*unit) {
        case Unit::Second:
            pairs += n + u"秒";
            break;
        case Unit::Minute:
            pairs += n + u"分钟";
            break;
        case Unit::Hour:
            pairs += n + u"小时";
            break;
        case Unit::Day:
            pairs += n + u"天";
            break;
        case Unit::Week:
            pairs += QString::number(n.toDouble() * 7) + u"天";
            break;
        case Unit::Month:
            pairs += n + u"个月";
            break;
        case Unit::Year:
            pairs += n + u"年";
            break;
        }
    }
    if (pairs.isEmpty())
        return std::nullopt;
    const bool earlier = r.TakeAny({ u"earlier", u"before" });
    const bool later = !earlier && r.TakeAny({ u"later", u"after" });
    if (!leadingSign.isEmpty() && (earlier || later))
        return std::nullopt;  // "-15 min later" says two things
    return (earlier || leadingSign == u"-" ? QStringLiteral("-") : QString()) + pairs;
}

// ---------------------------------------------------------------------------------------------------------
// Wording kept texts in English.
// ---------------------------------------------------------------------------------------------------------

bool HasNonAscii(QStringView s)
{
    return std::any_of(s.begin(), s.end(), [](QChar c) { return c.unicode() > 0x7F; });
}

const char16_t* const kWeekdayShort[7] = { u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat", u"Sun" };
const char16_t* const kMonthShort[12]
    = { u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun", u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec" };

QString Ordinal(qint64 n)
{
    const qint64 tens = n % 100;
    const char16_t* suffix = u"th";
    if (tens < 11 || tens > 13) {
        switch (n % 10) {
        case 1:
            suffix = u"st";
            break;
        case 2:
            suffix = u"nd";
            break;
        case 3:
            suffix = u"rd";
            break;
        default:
            break;
        }
    }
    return QString::number(n) + QString::fromUtf16(suffix);
}

// "1", "1, 15" or "1, 10 and 20" style lists: "a and b", "a, b and c".
QString JoinedWithAnd(const QStringList& items)
{
    if (items.size() <= 1)
        return items.value(0);
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + u" and " + items.last();
}

// "every day", "every 3 days", "every 2 lunar months".
QString EveryUnit(qint64 n, bool lunar, const char16_t* unit)
{
    const QString lunarWord = lunar ? QStringLiteral("lunar ") : QString();
    if (n <= 1)
        return u"every " + lunarWord + QString::fromUtf16(unit);
    return u"every " + QString::number(n) + u' ' + lunarWord + QString::fromUtf16(unit) + u's';
}

// A month-day item "2-29" as "Feb 29"; items the rule cannot match stay as written.
QString MonthDayWords(const QString& item, bool lunar)
{
    if (lunar)
        return item;
    const QStringList md = item.split(u'-');
    bool okM = false, okD = false;
    const int m = md.value(0).toInt(&okM), d = md.value(1).toInt(&okD);
    if (md.size() != 2 || !okM || !okD || m < 1 || m > 12 || d < 1 || d > 31 || md[0].startsWith(u'0'))
        return item;
    return QString::fromUtf16(kMonthShort[m - 1]) + u' ' + QString::number(d);
}

QString DateRuleInEnglish(const DateRuleWords& w)
{
    const QStringList items = w.spec.split(u',', Qt::SkipEmptyParts);
    switch (w.unit.at(0).unicode()) {
    case u'天':
        return EveryUnit(w.count, false, u"day");
    case u'周': {
        if (w.spec.isEmpty())
            return EveryUnit(w.count, false, u"week");
        QStringList days;
        for (int d = 1; d <= 7; ++d)
            if (w.spec.contains(QChar(u'0' + d)))
                days << QString::fromUtf16(kWeekdayShort[d - 1]);
        if (w.count <= 1)
            return u"every " + days.join(QStringLiteral(", "));
        return EveryUnit(w.count, false, u"week") + u" on " + days.join(QStringLiteral(", "));
    }
    case u'月': {
        // A lunar month rule takes days only; with a sign it reads as the solar rule, and says so.
        const bool lunar = w.lunar && !w.spec.contains(u'-');
        if (w.spec.isEmpty())
            return EveryUnit(w.count, lunar, u"month");
        if (w.spec.startsWith(u'-')) {
            // Only the first number counts from the end.
            const qint64 n = w.spec.mid(1).section(u',', 0, 0).toLongLong();
            const QString day = n == 1 ? QStringLiteral("the last day") : u"the " + Ordinal(n) + u" to last day";
            return day + u" of " + EveryUnit(w.count, false, u"month");
        }
        QStringList days;
        for (const QString& item : items) {
            bool ok = false;
            const int d = item.toInt(&ok);
            days << (ok && d > 0 && !item.startsWith(u'0') ? Ordinal(d) : item);
        }
        return EveryUnit(w.count, lunar, u"month") + u" on the " + JoinedWithAnd(days);
    }
    default: {
        if (w.spec.isEmpty())
            return EveryUnit(w.count, w.lunar, u"year");
        QStringList days;
        for (const QString& item : items)
            days << MonthDayWords(item, w.lunar);
        if (w.lunar)
            return u"lunar " + days.join(QStringLiteral(", ")) + u" every year";
        return EveryUnit(w.count, false, u"year") + u" on " + days.join(QStringLiteral(", "));
    }
    }
}

QString DayWordInEnglish(QStringView t)
{
    if (t == u"今天")
        return QStringLiteral("today");
    if (t == u"明天")
        return QStringLiteral("tomorrow");
    if (t == u"后天")
        return QStringLiteral("the day after tomorrow");
    if (t == u"昨天")
        return QStringLiteral("yesterday");
    if (t == u"前天")
        return QStringLiteral("the day before yesterday");
    return {};
}

QString DateInEnglish(const QString& stored)
{
    const QString t = stored.trimmed();
    if (!HasNonAscii(t))
        return stored;
    if (IsRecurringText(t) || IsRelativeText(t)) {
        // In the evaluator's order: a relative part first, then a rule.
        static const QRegularExpression relative(QStringLiteral("([0-9]+)\\s*(天|个?月|年)后"));
        const QRegularExpressionMatch m = relative.match(t);
        if (m.hasMatch()) {
            const qint64 n = std::max<qint64>(1, m.captured(1).toLongLong());
            const QStringView unit = m.capturedView(2);
            return u"in " + QString::number(n) + u' '
                + (unit == u"天"        ? QStringLiteral("day")
                        : unit == u"年" ? QStringLiteral("year")
                                        : QStringLiteral("month"))
                + (n == 1 ? QString() : QStringLiteral("s"));
        }
        // The bare lunar heads read as the solar rules, as their Chinese does; they are the editor's list entries.
        if (t == u"农历每月" || t == u"农历每年")
            return t.endsWith(u'月') ? QStringLiteral("every lunar month") : QStringLiteral("every lunar year");
        if (const auto words = ReadDateRuleWords(t))
            return DateRuleInEnglish(*words);
        return stored;
    }
    if (const QString word = DayWordInEnglish(t); !word.isEmpty())
        return word;
    if (t.startsWith(u"农历"))
        return u"lunar " + t.mid(2).trimmed();
    // A Chinese date literal ("2011年1月1日 8:00") in numbers.
    if (const auto lit = ParseDateLiteral(t); lit && lit->hasDate) {
        QString out = t.contains(u'年') ? FormatPattern(lit->Value(), QStringLiteral("yyyy-m-d"))
                                        : FormatPattern(lit->Value(), QStringLiteral("m-d"));
        if (lit->hasTime)
            out += u' ' + FormatPattern(lit->Value(), QStringLiteral("h:nn:ss"));
        return out;
    }
    return stored;
}

const char16_t* TimeUnitWord(QStringView unit)
{
    return unit == u"小时" ? u"hour" : unit == u"秒" ? u"second" : u"minute";
}

QString TimeInEnglish(const QString& stored)
{
    const QString t = stored.trimmed();
    if (!HasNonAscii(t) || !(IsRecurringText(t) || IsRelativeText(t)))
        return stored;
    static const QRegularExpression hourly(QStringLiteral("每([0-9]*)小时([0-9]+)(?::([0-9]+))?"));
    static const QRegularExpression minutely(QStringLiteral("每([0-9]*)分钟?([0-9]+)"));
    static const QRegularExpression span(QStringLiteral("([0-9]*)\\s*(分钟?|小时|秒)"));
    auto count = [](QStringView digits) { return std::max<qint64>(1, digits.toLongLong()); };
    QRegularExpressionMatch m = hourly.match(t);
    if (m.hasMatch()) {
        QString at = u":" + QStringLiteral("%1").arg(m.capturedView(2).toInt(), 2, 10, QLatin1Char('0'));
        if (m.hasCaptured(3))
            at += u":" + QStringLiteral("%1").arg(m.capturedView(3).toInt(), 2, 10, QLatin1Char('0'));
        return EveryUnit(count(m.capturedView(1)), false, u"hour") + u" at " + at;
    }
    m = minutely.match(t);
    if (m.hasMatch())
        return EveryUnit(count(m.capturedView(1)), false, u"minute") + u" at second " + Plain(m.capturedView(2));
    m = span.match(t);
    if (!m.hasMatch())
        return stored;
    const qint64 n = count(m.capturedView(1));
    if (IsRecurringText(t))
        return EveryUnit(n, false, TimeUnitWord(m.capturedView(2)));
    return u"in " + QString::number(n) + u' ' + QString::fromUtf16(TimeUnitWord(m.capturedView(2)))
        + (n == 1 ? QString() : QStringLiteral("s"));
}

// Each kind of text has its own small memory; it is forgotten whole when it grows past what any task list
// holds, and each thread has its own, so no lock is taken on the list's path.
QString Remembered(const QString& stored, QString (*word)(const QString&))
{
    thread_local QHash<QString, QString> memo[2];
    QHash<QString, QString>& m = memo[word == &DateInEnglish ? 0 : 1];
    if (const auto it = m.constFind(stored); it != m.cend())
        return *it;
    if (m.size() > 4096)
        m.clear();
    return *m.insert(stored, word(stored));
}

}  // namespace

std::optional<QString> ReadEnglishDate(const QString& text)
{
    return ReadWith(text, { DayWord, RelativeDate, LunarDate, CalendarDate, DateRule, MonthDaysOfEvery });
}

std::optional<QString> ReadEnglishTime(const QString& text)
{
    return ReadWith(text, { ClockTime, RelativeTime, TimeRule });
}

std::optional<QString> ReadEnglishOffset(const QString& text)
{
    QString t = text.trimmed();
    QString sign;
    if (t.startsWith(u'-') || t.startsWith(u'+')) {
        sign = t.left(1);
        t = t.mid(1);
    }
    return ReadWith(t,
        { [&sign](Reader& r) { return Offset(r, sign); },
            [&sign](Reader& r) { return sign.isEmpty() ? ClockTime(r) : std::nullopt; } });
}

std::optional<QString> ReadEnglishMoment(const QString& text)
{
    const auto dateAndTime = [](Reader& r) -> std::optional<QString> {
        auto date = CalendarDate(r);
        if (!date || r.Done())
            return date;
        auto time = ClockTime(r);
        return time ? std::optional<QString>(*date + u' ' + *time) : std::nullopt;
    };
    return ReadWith(text, { dateAndTime, ClockTime });
}

std::optional<QString> ReadEnglishDetail(int loopType, const QString& text)
{
    switch (loopType) {
    case ltDay:
        return ReadWith(text, { ClockTime });
    case ltWeek:
        return ReadWith(text, { TakeWeekdays });
    case ltMonth:
        return ReadWith(text, { TakeMonthDaysSpec });
    case ltLunarMonth:
        return ReadWith(text, { [](Reader& r) {
            auto days = TakeMonthDaysSpec(r);
            return days && !days->startsWith(u'-') ? days : std::nullopt;
        } });
    case ltYear:
        return ReadWith(text, { [](Reader& r) { return TakeMonthDays(r, false); } });
    default:
        return std::nullopt;
    }
}

QString StoredDateText(const QString& text)
{
    return ReadEnglishDate(text).value_or(text);
}

QString StoredTimeText(const QString& text)
{
    return ReadEnglishTime(text).value_or(text);
}

std::optional<QString> StoredOffsetText(const QString& text, QString* errInfo)
{
    if (errInfo)
        errInfo->clear();
    if (auto chinese = ReadEnglishOffset(text))
        return chinese;
    if (!HasLatinLetter(text))
        return text;
    if (errInfo)
        *errInfo = QCoreApplication::translate("TimeExpr", "错误的日期时间格式！");
    return std::nullopt;
}

QString EnglishDateText(const QString& stored)
{
    return Remembered(stored, &DateInEnglish);
}

QString EnglishTimeText(const QString& stored)
{
    return Remembered(stored, &TimeInEnglish);
}

QString EnglishDueText(const QString& dateText, const QString& timeText)
{
    return EnglishDateText(dateText) + u' ' + EnglishTimeText(timeText);
}

QString EnglishRuleText(const QString& dateText, const QString& timeText)
{
    if (IsRecurringText(timeText) || IsRelativeText(timeText))
        return EnglishTimeText(timeText);
    const QString date = EnglishDateText(dateText);
    return timeText.isEmpty() ? date : date + u" at " + EnglishTimeText(timeText);
}
