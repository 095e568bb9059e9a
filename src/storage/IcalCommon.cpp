// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/IcalCommon.h"

#include "core/CTask.h"
#include "storage/IcalRules.h"

#include <QTimeZone>

#include <algorithm>

namespace {

// A file that repeats every minute since 1970 is walked this far and no further.
constexpr int kMaxSteps = 200000;

bool Before(Instant a, Instant b)
{
    return SecondDiff(a, b) > 0;
}

}  // namespace

IcalZone SystemIcalZone()
{
    IcalZone z;
    const QTimeZone system = QTimeZone::systemTimeZone();
    z.id = QTimeZone::systemTimeZoneId();
    if (!system.hasDaylightTime() && system.standardTimeOffset(QDateTime::currentDateTimeUtc()) == 0)
        z.utc = true;
    else if (!z.id.isEmpty())
        z.builtin = icaltimezone_get_builtin_timezone(z.id.constData());
    return z;
}

void AddIcalZone(icalcomponent* calendar, const IcalZone& zone)
{
    if (!zone.builtin)
        return;
    // libical names its zones after its own project; other calendars know the IANA name.
    icalcomponent* vtz = icalcomponent_new_clone(icaltimezone_get_component(zone.builtin));
    if (icalproperty* tzid = icalcomponent_get_first_property(vtz, ICAL_TZID_PROPERTY))
        icalproperty_set_tzid(tzid, zone.id.constData());
    icalcomponent_add_component(calendar, vtz);
}

icaltimetype IcalUtcTime(Instant local)
{
    const QDateTime utc = QDateTime(DateOf(local), TimeOf(local), Qt::LocalTime).toUTC();
    icaltimetype t = IcalWallTime(InstantFromDateTime(utc.date(), utc.time()));
    t.zone = icaltimezone_get_utc_timezone();
    return t;
}

icaltimetype IcalZonedTime(Instant local, const IcalZone& zone)
{
    return zone.utc ? IcalUtcTime(local) : IcalWallTime(local);
}

void AddIcalZoneParameter(icalproperty* property, const IcalZone& zone)
{
    if (zone.builtin)
        icalproperty_add_parameter(property, icalparameter_new_tzid(zone.id.constData()));
}

Instant IcalLocalInstant(const icaltimetype& t)
{
    if (t.is_date || !t.zone)
        return WallInstant(t);
    const QDateTime local = QDateTime::fromSecsSinceEpoch(icaltime_as_timet_with_zone(t, t.zone), Qt::LocalTime);
    return InstantFromDateTime(local.date(), local.time());
}

int IcalPriority(int priority)
{
    switch (priority) {
    case tpUrgent:
        return 1;
    case tpHigh:
        return 3;
    case tpNormal:
        return 5;
    default:
        return 9;
    }
}

int TaskPriorityFromIcal(int v)
{
    if (v == 1)
        return tpUrgent;
    if (v >= 2 && v <= 4)
        return tpHigh;
    if (v >= 6 && v <= 9)
        return tpLow;
    return tpNormal;
}

QString IcalTrimmed(const char* s)
{
    return s ? QString::fromUtf8(s).trimmed() : QString();
}

QString IcalXText(icalcomponent* c, const char* name)
{
    for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_X_PROPERTY)) {
        if (qstricmp(icalproperty_get_x_name(p), name) == 0) {
            const QString text = IcalTrimmed(icalproperty_get_x(p));
            return text.isNull() ? QStringLiteral("") : text;
        }
    }
    return {};
}

void AddIcalX(icalcomponent* c, const char* name, const QString& value)
{
    icalproperty* p = icalproperty_new_x(value.toUtf8().constData());
    icalproperty_set_x_name(p, name);
    icalcomponent_add_property(c, p);
}

QByteArray EscapeIcalXTexts(const QByteArray& ics, const QByteArray& prefix)
{
    // Content lines, each with the physical lines folded into it.
    std::vector<QList<QByteArray>> lines;
    for (QByteArray line : ics.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if ((line.startsWith(' ') || line.startsWith('\t')) && !lines.empty())
            lines.back().append(line);
        else
            lines.push_back({ line });
    }
    QByteArray out;
    out.reserve(ics.size() + 64);
    for (const QList<QByteArray>& folded : lines) {
        if (!folded.first().toUpper().startsWith(prefix) || !folded.first().contains(':')) {
            for (const QByteArray& l : folded)
                out += l + "\r\n";
            continue;
        }
        QByteArray line = folded.first();
        for (qsizetype i = 1; i < folded.size(); ++i)
            line += folded[i].mid(1);
        const qsizetype colon = line.indexOf(':');
        QByteArray escaped = line.left(colon + 1);
        for (qsizetype i = colon + 1; i < line.size(); ++i) {
            const char c = line[i];
            if (c == '\\' && i + 1 < line.size()) {
                escaped += line.mid(i, 2);  // already an escape: "\\", "\n"
                ++i;
                continue;
            }
            if (c == ',' || c == ';')
                escaped += '\\';
            escaped += c;
        }
        // Folded again at 75 octets, never inside a UTF-8 sequence.
        qsizetype start = 0;
        int width = 75;
        while (escaped.size() - start > width) {
            qsizetype cut = start + width;
            while (cut > start && (uchar(escaped[cut]) & 0xC0) == 0x80)
                --cut;
            out += escaped.mid(start, cut - start) + "\r\n ";
            start = cut;
            width = 74;
        }
        out += escaped.mid(start) + "\r\n";
    }
    // The split made one empty line of the final line break.
    if (out.endsWith("\r\n\r\n"))
        out.chop(2);
    return out;
}

bool IcalAlarmOffset(icalcomponent* alarm, icalcomponent* entry, Instant start, qint64& offset)
{
    icalproperty* p = alarm ? icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY) : nullptr;
    if (!p)
        return false;
    const icaltriggertype trigger = icalproperty_get_trigger(p);
    if (!icaltime_is_null_time(trigger.time)) {
        offset = SecondDiff(start, IcalLocalInstant(trigger.time));
    } else {
        offset = icaldurationtype_as_int(trigger.duration);
        icalparameter* related = icalproperty_get_first_parameter(p, ICAL_RELATED_PARAMETER);
        if (related && icalparameter_get_related(related) == ICAL_RELATED_END)
            offset += icaldurationtype_as_int(icalcomponent_get_duration(entry));
    }
    return true;
}

QString AlarmOffsetText(qint64 offset)
{
    if (offset == 0)
        return {};
    return offset % 60 == 0 ? QString::number(offset / 60) : QString::number(offset) + QStringLiteral("秒");
}

namespace {

// Wall-clock seconds from `a` to `b`, both in the same zone or floating.
qint64 WallSeconds(icaltimetype a, icaltimetype b)
{
    a.zone = b.zone = nullptr;
    a.is_date = b.is_date = 0;
    return qint64(icaltime_as_timet(b)) - qint64(icaltime_as_timet(a));
}

// Where the walk of an open-ended rule (no COUNT) begins: the rule's first moment moved on by whole periods to
// just before `now`. A rule that began long ago and repeats every hour or minute would otherwise spend the
// whole walk in the past. Rules of a month or more are walked from their start: that is short.
icaltimetype WalkStart(const icalrecurrencetype& rec, const icaltimetype& start, Instant now)
{
    qint64 unit = 0;
    switch (rec.freq) {
    case ICAL_SECONDLY_RECURRENCE:
        unit = 1;
        break;
    case ICAL_MINUTELY_RECURRENCE:
        unit = 60;
        break;
    case ICAL_HOURLY_RECURRENCE:
        unit = 3600;
        break;
    case ICAL_DAILY_RECURRENCE:
        unit = 86400;
        break;
    case ICAL_WEEKLY_RECURRENCE:
        unit = 7 * 86400;
        break;
    default:
        return start;
    }
    if (rec.count != 0)
        return start;
    const qint64 period = unit * std::max<int>(1, rec.interval);
    const QDate day = DateOf(now);
    const QTime time = TimeOf(now);
    icaltimetype present = start;
    if (start.zone) {
        const QDateTime local(day, time, Qt::LocalTime);
        present = icaltime_from_timet_with_zone(time_t(local.toSecsSinceEpoch()), 0, start.zone);
    } else {
        present.year = day.year();
        present.month = day.month();
        present.day = day.day();
        present.hour = time.hour();
        present.minute = time.minute();
        present.second = time.second();
    }
    // One period of margin: what lies before now is left out later anyway.
    const qint64 periods = WallSeconds(start, present) / period - 1;
    if (periods <= 0)
        return start;
    const qint64 shift = periods * period;
    icaltimetype moved = start;
    icaltime_adjust(&moved, int(shift / 86400), 0, 0, int(shift % 86400));
    return moved;
}

}  // namespace

IcalSeries ExpandIcalEntry(icalcomponent* c, const icaltimetype& start, Instant until, Instant walkFrom)
{
    IcalSeries s;
    std::vector<Instant> all { IcalLocalInstant(start) };
    s.ends = true;
    if (icalproperty* p = icalcomponent_get_first_property(c, ICAL_RRULE_PROPERTY)) {
        s.recurring = true;
        icalrecurrencetype rec = icalproperty_get_rrule(p);
        const bool bounded = rec.count != 0 || !icaltime_is_null_time(rec.until);
        s.ends = false;
        if (icalrecur_iterator* it = icalrecur_iterator_new(rec, walkFrom ? WalkStart(rec, start, walkFrom) : start)) {
            for (int i = 0; i < kMaxSteps; ++i) {
                icaltimetype t = icalrecur_iterator_next(it);
                if (icaltime_is_null_time(t)) {
                    s.ends = bounded;
                    break;
                }
                t.zone = start.zone;
                t.is_date = start.is_date;
                const Instant v = IcalLocalInstant(t);
                if (Before(until, v))
                    break;
                all.push_back(v);
            }
            icalrecur_iterator_free(it);
        }
        rec.count = 0;
        rec.until = icaltime_null_time();
        char* text = icalrecurrencetype_as_string_r(&rec);
        s.rrule = QString::fromUtf8(text);
        icalmemory_free_buffer(text);
    }
    for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_RDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_RDATE_PROPERTY)) {
        s.recurring = true;
        const icaldatetimeperiodtype r = icalproperty_get_rdate(p);
        icaltimetype t = icaltime_is_null_time(r.time) ? r.period.start : r.time;
        if (t.zone == nullptr && !t.is_date)
            t = icalproperty_get_datetime_with_component(p, c);
        if (!icaltime_is_null_time(t) && !Before(until, IcalLocalInstant(t)))
            all.push_back(IcalLocalInstant(t));
    }
    // An EXDATE that is a date alone takes out every occurrence on that day.
    std::vector<std::pair<Instant, bool>> excluded;
    for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_EXDATE_PROPERTY)) {
        const icaltimetype t = icalproperty_get_datetime_with_component(p, c);
        excluded.emplace_back(IcalLocalInstant(t), bool(t.is_date));
    }
    std::sort(all.begin(), all.end());
    for (Instant v : all) {
        const bool gone = std::any_of(excluded.begin(), excluded.end(), [v](const std::pair<Instant, bool>& x) {
            return x.second ? DateOf(x.first) == DateOf(v) : SameSecond(x.first, v);
        });
        if (!gone && v != 0 && (s.all.empty() || !SameSecond(s.all.back(), v)))
            s.all.push_back(v);
    }
    return s;
}
