// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/IcalRules.h"

#include "timerules/TimeExpr.h"

#include <QRegularExpression>

#include <libical/ical.h>

#include <algorithm>
#include <set>

ParsedRRule::ParsedRRule(const QString& rrule)
    : rec(icalrecurrencetype_from_string(rrule.toUtf8().constData()))
{
}

ParsedRRule::~ParsedRRule()
{
    free(rec.rscale);
}

namespace {

bool Before(Instant a, Instant b)
{
    return SecondDiff(a, b) > 0;
}

QString Interval(qint64 n)
{
    return n > 1 ? QStringLiteral(";INTERVAL=") + QString::number(n) : QString();
}

// The libical spelling of a rule, so rules written by different hands compare as text. Empty when unreadable.
QString Canonical(const QString& rrule)
{
    ParsedRRule parsed(rrule);
    icalrecurrencetype& rec = parsed.rec;
    if (rec.freq == ICAL_NO_RECURRENCE)
        return {};
    char* text = icalrecurrencetype_as_string_r(&rec);
    const QString out = QString::fromUtf8(text);
    icalmemory_free_buffer(text);
    return out;
}

QStringList SpecItems(const QString& spec)
{
    return spec.split(u',', Qt::SkipEmptyParts);
}

// "m-d" pairs that name every combination of their months and days, so BYMONTH and BYMONTHDAY together say the
// same; nullopt otherwise. The months come back with their leap twins when `lunar` (the rules match a leap
// month under the number it repeats).
std::optional<std::pair<QStringList, QStringList>> CrossProduct(const QString& spec, bool lunar)
{
    std::set<int> months, days, pairs;
    for (const QString& item : SpecItems(spec)) {
        const QStringList md = item.split(u'-');
        bool okM = false, okD = false;
        const int m = md.size() == 2 ? md[0].toInt(&okM) : 0;
        const int d = md.size() == 2 ? md[1].toInt(&okD) : 0;
        if (!okM || !okD || m < 1 || m > 12 || d < 1 || d > 31)
            return std::nullopt;
        months.insert(m);
        days.insert(d);
        pairs.insert(m * 100 + d);
    }
    if (pairs.empty() || pairs.size() != months.size() * days.size())
        return std::nullopt;
    QStringList ms, ds;
    for (int m : months) {
        ms << QString::number(m);
        if (lunar)
            ms << QString::number(m) + u'L';
    }
    for (int d : days)
        ds << QString::number(d);
    return std::make_pair(ms, ds);
}

// The RRULE a rule's texts suggest; the caller still compares its expansion with the program's occurrences.
QString Proposal(const QString& dateIn, const QString& timeIn)
{
    const QString date = dateIn.trimmed();
    const QString time = timeIn.trimmed();
    if (IsRecurringText(time) || IsRelativeText(time)) {
        static const QRegularExpression hourly(QStringLiteral("每(\\d*)小时(\\d+)(?::(\\d+))?"));
        static const QRegularExpression minutely(QStringLiteral("每(\\d*)分钟?(\\d+)"));
        static const QRegularExpression span(QStringLiteral("^每(\\d*)(小时|分钟|分)\\z"));
        QRegularExpressionMatch m = hourly.match(time);
        if (m.hasMatch())
            return QStringLiteral("FREQ=HOURLY") + Interval(m.captured(1).toLongLong());
        m = minutely.match(time);
        if (m.hasMatch())
            return QStringLiteral("FREQ=MINUTELY") + Interval(m.captured(1).toLongLong());
        m = span.match(time);
        if (m.hasMatch())
            return (m.captured(2) == u"小时" ? QStringLiteral("FREQ=HOURLY") : QStringLiteral("FREQ=MINUTELY"))
                + Interval(m.captured(1).toLongLong());
        return {};  // seconds, "10分钟后": nothing a calendar keeps well
    }
    if (!IsRecurringText(date))
        return {};
    const std::optional<LoopFields> f = ParseLoopRule(date, time);
    if (!f)
        return {};
    const QString interval = Interval(f->count);
    const QString spec = f->spec;
    switch (f->type) {
    case ltDay:
        return QStringLiteral("FREQ=DAILY") + interval;
    case ltWeek: {
        if (spec.isEmpty())
            return QStringLiteral("FREQ=WEEKLY") + interval;
        static const QStringList names = QStringLiteral("MO,TU,WE,TH,FR,SA,SU").split(u',');
        QStringList days;
        for (QChar c : spec) {
            if (c >= u'1' && c <= u'7' && !days.contains(names[c.unicode() - u'1']))
                days << names[c.unicode() - u'1'];
        }
        return QStringLiteral("FREQ=WEEKLY") + interval + QStringLiteral(";BYDAY=") + days.join(u',');
    }
    case ltMonth:
    case ltLunarMonth: {
        const QString head = f->type == ltLunarMonth ? QStringLiteral("RSCALE=CHINESE;FREQ=MONTHLY")
                                                     : QStringLiteral("FREQ=MONTHLY") + interval;
        if (spec.isEmpty())
            return f->type == ltMonth ? head : QString();
        QStringList items = SpecItems(spec);
        // Only the first number counts when it is negative: "每月-1,-2" is the last day.
        if (!items.isEmpty() && items[0].startsWith(u'-'))
            items = QStringList { items[0] };
        for (const QString& item : std::as_const(items)) {
            bool ok = false;
            const int v = item.toInt(&ok);
            if (!ok || v == 0 || v < -31 || v > 31)
                return {};
        }
        return head + QStringLiteral(";BYMONTHDAY=") + items.join(u',');
    }
    case ltYear:
    case ltLunarYear: {
        const bool lunar = f->type == ltLunarYear;
        const QString head
            = lunar ? QStringLiteral("RSCALE=CHINESE;FREQ=YEARLY") : QStringLiteral("FREQ=YEARLY") + interval;
        if (spec.isEmpty())
            return lunar ? QString() : head;
        const auto cross = CrossProduct(spec, lunar);
        if (!cross)
            return {};
        return head + QStringLiteral(";BYMONTH=") + cross->first.join(u',') + QStringLiteral(";BYMONTHDAY=")
            + cross->second.join(u',');
    }
    default:
        return {};
    }
}

bool SameSeries(const std::vector<Instant>& a, const std::vector<Instant>& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), SameSecond);
}

bool IsEmpty(const short* list)
{
    return list[0] == ICAL_RECURRENCE_ARRAY_MAX;
}

std::vector<int> Values(const short* list, int size)
{
    std::vector<int> out;
    for (int i = 0; i < size && list[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i)
        out.push_back(list[i]);
    return out;
}

}  // namespace

std::vector<Instant> RuleOccurrences(
    const QString& dateText, const QString& timeText, Instant due, Instant until, int max)
{
    std::vector<Instant> out;
    Instant current = due;
    while (current != 0 && current < NO_DATE && int(out.size()) < max) {
        if (until != 0 && Before(until, current))
            break;
        out.push_back(current);
        const Instant next = NextOccurrence(dateText, timeText, current);
        // A text that is no rule gives the same moment again.
        if (next == 0 || !Before(current, next))
            break;
        current = next;
    }
    return out;
}

std::vector<Instant> ExpandRRule(const QString& rrule, Instant start, Instant until, int max)
{
    std::vector<Instant> out;
    ParsedRRule parsed(rrule);
    icalrecurrencetype& rec = parsed.rec;
    if (rec.freq == ICAL_NO_RECURRENCE || !IsRepresentable(start))
        return out;
    icalrecur_iterator* it = icalrecur_iterator_new(rec, IcalWallTime(start));
    if (!it)
        return out;
    while (int(out.size()) < max) {
        const icaltimetype t = icalrecur_iterator_next(it);
        if (icaltime_is_null_time(t))
            break;
        const Instant v = WallInstant(t);
        if (v == 0 || (until != 0 && Before(until, v)))
            break;
        out.push_back(v);
    }
    icalrecur_iterator_free(it);
    return out;
}

QString RRuleFor(const QString& dateText, const QString& timeText, Instant due)
{
    if (!IsRepresentable(due) || due >= NO_DATE)
        return {};
    const QString rule = Canonical(Proposal(dateText, timeText));
    if (rule.isEmpty())
        return {};
    // A rule that skips years is watched over as many of its own periods.
    ParsedRRule parsed(rule);
    icalrecurrencetype& rec = parsed.rec;
    const int years = kIcalCompareYears * (rec.freq == ICAL_YEARLY_RECURRENCE ? std::max<int>(1, rec.interval) : 1);
    const Instant until = AddYears(due, years);
    const std::vector<Instant> own = RuleOccurrences(dateText, timeText, due, until, kIcalCompareMax);
    return own.size() > 1 && SameSeries(own, ExpandRRule(rule, due, until, kIcalCompareMax)) ? rule : QString();
}

std::optional<LoopRuleTexts> RuleTextsFor(const QString& rrule, Instant start)
{
    ParsedRRule parsed(rrule);
    icalrecurrencetype& rec = parsed.rec;
    if (rec.freq == ICAL_NO_RECURRENCE || !IsRepresentable(start))
        return std::nullopt;
    if (!IsEmpty(rec.by_second) || !IsEmpty(rec.by_minute) || !IsEmpty(rec.by_hour) || !IsEmpty(rec.by_year_day)
        || !IsEmpty(rec.by_week_no) || !IsEmpty(rec.by_set_pos))
        return std::nullopt;
    const QString scale = rec.rscale ? QString::fromUtf8(rec.rscale).toUpper() : QString();
    const bool lunar = scale == u"CHINESE";
    if (!scale.isEmpty() && !lunar && scale != u"GREGORIAN")
        return std::nullopt;

    const std::vector<int> days = Values(rec.by_month_day, ICAL_BY_MONTHDAY_SIZE);
    const std::vector<int> weekdays = Values(rec.by_day, ICAL_BY_DAY_SIZE);
    std::vector<int> months;
    std::set<int> plainMonths;
    for (int m : Values(rec.by_month, ICAL_BY_MONTH_SIZE)) {
        if (!lunar && icalrecurrencetype_month_is_leap(short(m)))
            return std::nullopt;
        plainMonths.insert(icalrecurrencetype_month_month(short(m)));
    }
    months.assign(plainMonths.begin(), plainMonths.end());
    const int n = std::max<int>(1, rec.interval);
    auto list = [](const std::vector<int>& v) {
        QStringList out;
        for (int x : v)
            out << QString::number(x);
        return out.join(u',');
    };

    LoopFields f;
    f.count = n;
    const bool noDayLists = days.empty() && weekdays.empty() && months.empty();
    switch (rec.freq) {
    case ICAL_DAILY_RECURRENCE:
        if (lunar || !noDayLists)
            return std::nullopt;
        f.type = ltDay;
        f.specOn = true;
        f.spec = ClockText(start);
        break;
    case ICAL_WEEKLY_RECURRENCE: {
        if (lunar || !days.empty() || !months.empty())
            return std::nullopt;
        f.type = ltWeek;
        for (int w : weekdays) {
            if (icalrecurrencetype_day_position(short(w)) != 0)
                return std::nullopt;
            // libical counts Sunday as 1; the program counts Monday as 1.
            const int dow = icalrecurrencetype_day_day_of_week(short(w));
            f.spec += QString::number(dow == 1 ? 7 : dow - 1);
        }
        f.specOn = !f.spec.isEmpty();
        break;
    }
    case ICAL_MONTHLY_RECURRENCE:
        if (!weekdays.empty() || !months.empty() || (lunar && (days.empty() || n > 1)))
            return std::nullopt;
        if (days.size() > 1 && std::any_of(days.begin(), days.end(), [](int d) { return d < 0; }))
            return std::nullopt;
        f.type = lunar ? ltLunarMonth : ltMonth;
        f.specOn = !days.empty();
        f.spec = list(days);
        break;
    case ICAL_YEARLY_RECURRENCE: {
        if (!weekdays.empty() || days.empty() != months.empty() || (lunar && (days.empty() || n > 1)))
            return std::nullopt;
        f.type = lunar ? ltLunarYear : ltYear;
        QStringList pairs;
        for (int m : months) {
            for (int d : days) {
                if (d < 1)
                    return std::nullopt;
                pairs << QString::number(m) + u'-' + QString::number(d);
            }
        }
        f.specOn = !pairs.isEmpty();
        f.spec = pairs.join(u',');
        break;
    }
    case ICAL_HOURLY_RECURRENCE:
    case ICAL_MINUTELY_RECURRENCE: {
        if (lunar || !noDayLists)
            return std::nullopt;
        const QTime t = TimeOf(start);
        f.specOn = true;
        if (rec.freq == ICAL_HOURLY_RECURRENCE) {
            f.type = ltHour;
            f.spec = t.second() ? QStringLiteral("%1:%2").arg(t.minute()).arg(t.second()) : QString::number(t.minute());
        } else {
            f.type = ltMinute;
            f.spec = QString::number(t.second());
        }
        break;
    }
    default:
        return std::nullopt;
    }
    std::optional<LoopRuleTexts> texts = ComposeLoopRule(f);
    if (texts && texts->timeText.isEmpty())
        texts->timeText = ClockText(start);
    return texts;
}

icaltimetype IcalWallTime(Instant value)
{
    const QDateTime dt = DateTimeOf(value);
    icaltimetype t = icaltime_null_time();
    t.year = dt.date().year();
    t.month = dt.date().month();
    t.day = dt.date().day();
    t.hour = dt.time().hour();
    t.minute = dt.time().minute();
    t.second = dt.time().second();
    return t;
}

Instant WallInstant(const icaltimetype& t)
{
    return t.is_date ? MakeInstant(t.year, t.month, t.day)
                     : MakeInstant(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

QString ClockText(Instant moment)
{
    const QTime t = TimeOf(moment);
    return t.toString(t.second() ? QStringLiteral("H:mm:ss") : QStringLiteral("H:mm"));
}
