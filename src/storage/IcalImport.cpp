// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/IcalImport.h"

#include "base/RegularFile.h"
#include "base/Text.h"
#include "storage/IcalExport.h"
#include "storage/IcalRules.h"
#include "timerules/Clock.h"
#include "timerules/TimeExpr.h"

#include <QCoreApplication>
#include <QFile>

#include <libical/ical.h>

#include <algorithm>

namespace {

// A file that repeats every minute since 1970 is walked this far and no further.
constexpr int kMaxSteps = 200000;

bool Before(Instant a, Instant b)
{
    return SecondDiff(a, b) > 0;
}

// The local wall-clock moment of an iCalendar time: floating times and dates as written, zoned and UTC times
// converted to the system zone.
Instant LocalInstant(const icaltimetype& t)
{
    if (t.is_date || !t.zone)
        return WallInstant(t);
    const QDateTime local = QDateTime::fromSecsSinceEpoch(icaltime_as_timet_with_zone(t, t.zone), Qt::LocalTime);
    return InstantFromDateTime(local.date(), local.time());
}

QString Text(const char* s)
{
    return s ? QString::fromUtf8(s).trimmed() : QString();
}

QString XText(icalcomponent* c, const char* name)
{
    for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_X_PROPERTY)) {
        if (qstrcmp(icalproperty_get_x_name(p), name) == 0)
            return Text(icalproperty_get_x(p));
    }
    return {};
}

// The occurrences of an entry as the file states them (RRULE, RDATE, EXDATE), in local time, up to `until`.
struct Series
{
    std::vector<Instant> all;  // sorted, from the start on
    bool ends = false;  // COUNT or UNTIL ended the rule before `until`, or there is no rule
    bool recurring = false;
    QString rrule;  // the rule without COUNT and UNTIL
};

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

Series Expand(icalcomponent* c, const icaltimetype& start, Instant until, Instant now)
{
    Series s;
    std::vector<Instant> all { LocalInstant(start) };
    s.ends = true;
    if (icalproperty* p = icalcomponent_get_first_property(c, ICAL_RRULE_PROPERTY)) {
        s.recurring = true;
        icalrecurrencetype rec = icalproperty_get_rrule(p);
        const bool bounded = rec.count != 0 || !icaltime_is_null_time(rec.until);
        s.ends = false;
        if (icalrecur_iterator* it = icalrecur_iterator_new(rec, WalkStart(rec, start, now))) {
            for (int i = 0; i < kMaxSteps; ++i) {
                icaltimetype t = icalrecur_iterator_next(it);
                if (icaltime_is_null_time(t)) {
                    s.ends = bounded;
                    break;
                }
                t.zone = start.zone;
                t.is_date = start.is_date;
                const Instant v = LocalInstant(t);
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
        if (!icaltime_is_null_time(t) && !Before(until, LocalInstant(t)))
            all.push_back(LocalInstant(t));
    }
    // An EXDATE that is a date alone takes out every occurrence on that day.
    std::vector<std::pair<Instant, bool>> excluded;
    for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_EXDATE_PROPERTY)) {
        const icaltimetype t = icalproperty_get_datetime_with_component(p, c);
        excluded.emplace_back(LocalInstant(t), bool(t.is_date));
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

int TaskPriority(icalcomponent* c)
{
    icalproperty* p = icalcomponent_get_first_property(c, ICAL_PRIORITY_PROPERTY);
    const int v = p ? icalproperty_get_priority(p) : 0;
    if (v == 1)
        return tpUrgent;
    if (v >= 2 && v <= 4)
        return tpHigh;
    if (v >= 6 && v <= 9)
        return tpLow;
    return tpNormal;
}

// The first alarm as an offset from the entry's start, in the program's offset text ("-15" minutes, "-30秒").
QString AlarmText(icalcomponent* c, Instant start)
{
    icalcomponent* alarm = icalcomponent_get_first_component(c, ICAL_VALARM_COMPONENT);
    icalproperty* p = alarm ? icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY) : nullptr;
    if (!p)
        return {};
    const icaltriggertype trigger = icalproperty_get_trigger(p);
    qint64 offset = 0;
    if (!icaltime_is_null_time(trigger.time)) {
        offset = SecondDiff(start, LocalInstant(trigger.time));
    } else {
        offset = icaldurationtype_as_int(trigger.duration);
        icalparameter* related = icalproperty_get_first_parameter(p, ICAL_RELATED_PARAMETER);
        if (related && icalparameter_get_related(related) == ICAL_RELATED_END)
            offset += icaldurationtype_as_int(icalcomponent_get_duration(c));
    }
    if (offset == 0)
        return {};
    return offset % 60 == 0 ? QString::number(offset / 60) : QString::number(offset) + u"秒";
}

QString Description(icalcomponent* c)
{
    const QString summary = Text(icalcomponent_get_summary(c));
    const QString details = Text(icalcomponent_get_description(c));
    QString text = details.isEmpty() || details == summary ? summary
        : details.startsWith(summary)                      ? details
                                                           : summary + u'\n' + details;
    text = Text::NormalizeToCrLf(text);
    if (text.startsWith(u':'))
        text[0] = u'：';
    // A default the import writes for the user, like the editor's "new task": in the interface language of the
    // day, and from then on the task's own description.
    return text.isEmpty() ? QCoreApplication::translate("IcalImport", "(无标题)") : text;
}

void ReadEntry(icalcomponent* c, Instant now, IcalImportResult& out)
{
    const icalproperty_status status = icalcomponent_get_status(c);
    if (status == ICAL_STATUS_CANCELLED || status == ICAL_STATUS_COMPLETED
        || icalcomponent_get_first_property(c, ICAL_COMPLETED_PROPERTY)) {
        ++out.over;
        return;
    }
    icaltimetype start = icaltime_null_time();
    if (icalcomponent_isa(c) == ICAL_VTODO_COMPONENT && icalcomponent_get_first_property(c, ICAL_DUE_PROPERTY))
        start = icalcomponent_get_due(c);
    else if (icalcomponent_get_first_property(c, ICAL_DTSTART_PROPERTY))
        start = icalcomponent_get_dtstart(c);
    if (icaltime_is_null_time(start) || !icaltime_is_valid_time(start) || LocalInstant(start) == 0) {
        ++out.unreadable;
        return;
    }

    // Watched over two years, or two of its own periods for a rule that skips years.
    int years = kIcalCompareYears;
    if (icalproperty* p = icalcomponent_get_first_property(c, ICAL_RRULE_PROPERTY)) {
        const icalrecurrencetype rec = icalproperty_get_rrule(p);
        if (rec.freq == ICAL_YEARLY_RECURRENCE)
            years *= std::max<int>(1, rec.interval);
    }
    // From now, or from the start of an entry that lies ahead.
    const Instant until = AddYears(std::max(now, LocalInstant(start)), years);
    const Series series = Expand(c, start, until, now);
    std::vector<Instant> future;
    for (Instant v : series.all) {
        if (Before(now, v) && int(future.size()) < kIcalCompareMax)
            future.push_back(v);
    }
    if (future.empty()) {
        ++out.over;
        return;
    }
    const Instant first = future.front();

    auto task = std::make_shared<CTask>();
    task->SetDescription(Description(c));
    if (icalproperty* p = icalcomponent_get_first_property(c, ICAL_CATEGORIES_PROPERTY))
        task->sType = Text(icalproperty_get_categories(p)).section(u',', 0, 0).trimmed();
    task->ePriority = TaskPriority(c);
    task->sManualAlarm = AlarmText(c, LocalInstant(start));
    task->sDueDate = DateLiteralText(first);
    task->sDueTime = ClockText(first);

    if (series.recurring && future.size() > 1) {
        // The rule as the texts that wrote it, when they are there; else as the texts the RRULE suggests. Either
        // is taken only when it gives the very occurrences the file gives.
        std::vector<LoopRuleTexts> candidates;
        const QString xDate = XText(c, kIcalDueDateProperty);
        if (!xDate.isEmpty())
            candidates.push_back({ xDate, XText(c, kIcalDueTimeProperty) });
        if (!series.rrule.isEmpty()) {
            if (auto texts = RuleTextsFor(series.rrule, first))
                candidates.push_back(*texts);
        }
        const Instant last = series.ends ? series.all.back() : 0;
        const Instant compareTo = series.ends ? last : until;
        bool mapped = false;
        for (const LoopRuleTexts& texts : candidates) {
            const std::vector<Instant> own
                = RuleOccurrences(texts.dateText, texts.timeText, first, compareTo, kIcalCompareMax);
            if (own.size() == future.size() && std::equal(own.begin(), own.end(), future.begin(), SameSecond)) {
                task->sDueDate = texts.dateText;
                task->sDueTime = texts.timeText;
                task->dtValidToDT = last;
                mapped = true;
                break;
            }
        }
        if (!mapped)
            out.nextOnly << QCoreApplication::translate("IcalImport", "%1（%2）", "task title, first date")
                                .arg(task->Title(), FormatDateTimeText(first));
    }

    const Instant created = Clock::Now();
    task->dtCreateDT = created;
    task->dtStartDT = created;
    task->dtDueDT = first;
    task->dtAlarmDT = task->CalcAlarm();
    out.tasks.push_back(task);
}

}  // namespace

bool ReadIcal(const QByteArray& data, IcalImportResult& out, QString* error)
{
    out = IcalImportResult();
    icalcomponent* root = icalparser_parse_string(data.constData());
    if (!root) {
        if (error)
            *error = QCoreApplication::translate("IcalImport", "不是 iCalendar 日历文件");
        return false;
    }
    const Instant now = Clock::Now();
    auto readAll = [&](icalcomponent* cal) {
        for (icalcomponent_kind kind : { ICAL_VEVENT_COMPONENT, ICAL_VTODO_COMPONENT }) {
            for (icalcomponent* c = icalcomponent_get_first_component(cal, kind); c;
                 c = icalcomponent_get_next_component(cal, kind))
                ReadEntry(c, now, out);
        }
    };
    bool found = false;
    if (icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT) {
        found = true;
        readAll(root);
    } else if (icalcomponent_isa(root) == ICAL_XROOT_COMPONENT) {
        // Several calendars in one file.
        for (icalcomponent* cal = icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT); cal;
             cal = icalcomponent_get_next_component(root, ICAL_VCALENDAR_COMPONENT)) {
            found = true;
            readAll(cal);
        }
    }
    icalcomponent_free(root);
    if (!found && error)
        *error = QCoreApplication::translate("IcalImport", "不是 iCalendar 日历文件");
    return found;
}

bool ReadIcalFile(const QString& path, IcalImportResult& out, QString* error)
{
    QFile file;
    switch (OpenRegularFile(path, file, error)) {
    case RegularFileOpen::Opened:
        break;
    case RegularFileOpen::Missing:
        if (error)
            *error = QCoreApplication::translate("IcalImport", "找不到该文件");
        return false;
    case RegularFileOpen::NotRegular:
    case RegularFileOpen::Failed:
        return false;
    }
    return ReadIcal(file.readAll(), out, error);
}

QString IcalImportSummary(const IcalImportResult& result, int added)
{
    const QString paragraph = QStringLiteral("\n\n");
    QString text = QCoreApplication::translate("IcalImport", "已导入 %1 个任务。").arg(added);
    if (!result.nextOnly.isEmpty()) {
        text += paragraph
            + QCoreApplication::translate("IcalImport", "以下 %1 个重复事件的规则无法对应，只导入了下一次：")
                  .arg(result.nextOnly.size())
            + u'\n' + result.nextOnly.join(u'\n');
    }
    if (result.over > 0)
        text += paragraph
            + QCoreApplication::translate("IcalImport", "%1 个已过去、已取消或已完成的事件未导入。").arg(result.over);
    if (result.unreadable > 0)
        text += paragraph
            + QCoreApplication::translate("IcalImport", "%1 个没有时间的事件未导入。").arg(result.unreadable);
    return text;
}
