// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/TaskEvent.h"

#include "base/AppVersion.h"
#include "base/Text.h"
#include "storage/IcalCommon.h"
#include "storage/IcalExport.h"
#include "storage/IcalRules.h"
#include "timerules/Clock.h"
#include "timerules/TimeExpr.h"

#include <QCoreApplication>

#include <libical/ical.h>

#include <algorithm>
#include <climits>

namespace {

// What only Tickwell knows. The due-date and due-time texts keep the names the calendar export gives them.
constexpr char kDue[] = "X-TICKWELL-DUE";  // DTSTART as written: another client that moved it is noticed
constexpr char kDescription[] = "X-TICKWELL-DESCRIPTION";  // a description of several lines, whole
constexpr char kStatus[] = "X-TICKWELL-STATUS";  // its presence marks an event Tickwell wrote
constexpr char kAlarm[] = "X-TICKWELL-ALARM";  // the alarm text ("-15", "2026-12-20 8:00")
constexpr char kRing[] = "X-TICKWELL-RING";
constexpr char kRingFile[] = "X-TICKWELL-RINGFILE";  // a ringtone of the program's own folder only
constexpr char kValidFrom[] = "X-TICKWELL-VALIDFROM";
constexpr char kValidTo[] = "X-TICKWELL-VALIDTO";
constexpr char kFinished[] = "X-TICKWELL-FINISHED";
constexpr char kAuto[] = "X-TICKWELL-AUTO";  // "finish cancel memo"
// Inside a VALARM: the alarm Tickwell wrote, replaced at each write; any other alarm belongs to another client.
constexpr char kOurAlarm[] = "X-TICKWELL-REMINDER";

struct Root
{
    explicit Root(icalcomponent* c = nullptr)
        : c(c)
    {
    }
    ~Root() { icalcomponent_free(c); }
    Root(const Root&) = delete;
    Root& operator=(const Root&) = delete;
    icalcomponent* c;
};

QByteArray Utf8(const QString& s)
{
    return s.toUtf8();
}

// A wall-clock moment as a floating iCalendar date-time text, and back (0 for "" or an unreadable text).
QString FloatingText(Instant value)
{
    return QString::fromUtf8(icaltime_as_ical_string(IcalWallTime(value)));
}

Instant FloatingValue(const QString& text)
{
    if (text.isEmpty())
        return 0;
    const icaltimetype t = icaltime_from_string(text.toUtf8().constData());
    return icaltime_is_null_time(t) || !icaltime_is_valid_time(t) ? 0 : WallInstant(t);
}

bool IsSettled(int status)
{
    return status == tsFinished || status == tsCancelled || status == tsExpired;
}

// Whether the task's alarm still lies ahead of it (ringing now counts: it has not been dealt with).
bool HasActiveAlarm(int status)
{
    return IsWaitingStatus(status) || status == tsDue || status == tsChecking;
}

// The status another device takes over: ringing and checking are this machine's own moments.
int TravellingStatus(int status)
{
    return status == tsDue || status == tsChecking ? tsNotStarted : status;
}

// A ringtone named relative to the program's folder is found on every machine; a path of the user's own is
// not, and stays on the machine that chose it.
bool IsPortableRingFile(const QString& file)
{
    const QString clean = QString(file).replace(u'\\', u'/');
    return !clean.isEmpty() && !clean.startsWith(u'/') && !clean.contains(u':')
        && !clean.split(u'/').contains(QStringLiteral(".."));
}

bool IsOurAlarm(icalcomponent* alarm)
{
    return !IcalXText(alarm, kOurAlarm).isNull();
}

bool IsOurProperty(icalproperty* p)
{
    return icalproperty_isa(p) == ICAL_X_PROPERTY
        && QByteArray(icalproperty_get_x_name(p)).toUpper().startsWith("X-TICKWELL-");
}

// The event of a calendar (not an exception to it, which carries RECURRENCE-ID): null when there is none or
// when the calendar holds events of more than one UID.
icalcomponent* MasterEvent(icalcomponent* cal)
{
    if (!cal || icalcomponent_isa(cal) != ICAL_VCALENDAR_COMPONENT)
        return nullptr;
    icalcomponent* master = nullptr;
    QByteArray uid;
    for (icalcomponent* c = icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT); c;
         c = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT)) {
        const QByteArray id = icalcomponent_get_uid(c);
        if (!uid.isNull() && id != uid)
            return nullptr;
        uid = id;
        if (!master && !icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY))
            master = c;
    }
    return master;
}

void RemoveProperties(icalcomponent* c, icalproperty_kind kind)
{
    while (icalproperty* p = icalcomponent_get_first_property(c, kind)) {
        icalcomponent_remove_property(c, p);
        icalproperty_free(p);
    }
}

void RemoveOurs(icalcomponent* ev)
{
    std::vector<icalproperty*> gone;
    for (icalproperty* p = icalcomponent_get_first_property(ev, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(ev, ICAL_X_PROPERTY)) {
        if (IsOurProperty(p))
            gone.push_back(p);
    }
    for (icalproperty* p : gone) {
        icalcomponent_remove_property(ev, p);
        icalproperty_free(p);
    }
    std::vector<icalcomponent*> alarms;
    for (icalcomponent* a = icalcomponent_get_first_component(ev, ICAL_VALARM_COMPONENT); a;
         a = icalcomponent_get_next_component(ev, ICAL_VALARM_COMPONENT)) {
        if (IsOurAlarm(a))
            alarms.push_back(a);
    }
    for (icalcomponent* a : alarms) {
        icalcomponent_remove_component(ev, a);
        icalcomponent_free(a);
    }
}

// DTSTART at the due moment. A start that already says that moment stays as the other client wrote it (an
// all-day date, another zone); a moved start takes DTEND along, keeping the event's length.
void WriteStart(icalcomponent* ev, const CTask& task, const IcalZone& zone)
{
    icalproperty* oldStart = icalcomponent_get_first_property(ev, ICAL_DTSTART_PROPERTY);
    qint64 length = 0;
    bool allDay = false;
    if (oldStart) {
        const icaltimetype start = icalcomponent_get_dtstart(ev);
        if (SameSecond(IcalLocalInstant(start), task.dtDueDT))
            return;
        if (icalcomponent_get_first_property(ev, ICAL_DTEND_PROPERTY)) {
            const icaltimetype end = icalcomponent_get_dtend(ev);
            length = SecondDiff(IcalLocalInstant(start), IcalLocalInstant(end));
            RemoveProperties(ev, ICAL_DTEND_PROPERTY);
        }
        allDay = start.is_date && SecondsOfDay(task.dtDueDT) == 0;
        RemoveProperties(ev, ICAL_DTSTART_PROPERTY);
    }
    auto add = [&](icalproperty* (*make)(icaltimetype), Instant value) {
        icaltimetype t = IcalZonedTime(value, zone);
        if (allDay) {
            t = IcalWallTime(value);
            t.is_date = 1;
        }
        icalproperty* p = make(t);
        if (!allDay)
            AddIcalZoneParameter(p, zone);
        icalcomponent_add_property(ev, p);
    };
    add(icalproperty_new_dtstart, task.dtDueDT);
    if (length > 0)
        add(icalproperty_new_dtend, AddSeconds(task.dtDueDT, double(length)));
}

// The dates a rule with no RRULE is written as, DTSTART first: looked ahead from now, and a task far ahead
// still shows its next dates.
std::vector<Instant> ListedDates(const CTask& task, const TaskEventOptions& options)
{
    Instant until = std::max(AddYears(options.now, options.rdateYears), AddYears(task.dtDueDT, 2));
    if (task.dtValidToDT != 0 && task.dtValidToDT < until)
        until = task.dtValidToDT;
    return RuleOccurrences(task.sDueDate, task.sDueTime, task.dtDueDT, until, kEventListedMax + 1);
}

// The task's rule as an exact Gregorian RRULE; "" when it has none. Lunar RRULEs (RSCALE) are refused by
// servers and misread by phones, so those rules are listed too.
QString ExactRRule(const CTask& task)
{
    const QString rule = RRuleFor(task.sDueDate, task.sDueTime, task.dtDueDT);
    return rule.contains(QLatin1String("RSCALE"), Qt::CaseInsensitive) ? QString() : rule;
}

// The rule: an exact Gregorian RRULE, else the listed dates.
void WriteRule(icalcomponent* ev, const CTask& task, const IcalZone& zone, const TaskEventOptions& options)
{
    QString rule = ExactRRule(task);
    if (!rule.isEmpty()) {
        if (task.dtValidToDT != 0) {
            const icaltimetype until
                = zone.builtin || zone.utc ? IcalUtcTime(task.dtValidToDT) : IcalWallTime(task.dtValidToDT);
            rule += QStringLiteral(";UNTIL=") + QString::fromUtf8(icaltime_as_ical_string(until));
        }
        const ParsedRRule parsed(rule);
        icalcomponent_add_property(ev, icalproperty_new_rrule(parsed.rec));
        return;
    }
    const std::vector<Instant> dates = ListedDates(task, options);
    for (size_t i = 1; i < dates.size(); ++i) {
        icaldatetimeperiodtype rdate {};
        rdate.period = icalperiodtype_null_period();
        rdate.time = IcalZonedTime(dates[i], zone);
        icalproperty* p = icalproperty_new_rdate(rdate);
        AddIcalZoneParameter(p, zone);
        icalcomponent_add_property(ev, p);
    }
}

void WriteAlarms(icalcomponent* ev, const CTask& task, const QString& summary, Instant now)
{
    const int status = task.eStatus();
    if (!HasActiveAlarm(status)) {
        // Other clients' alarms stay, marked as dealt with (RFC 9074) for the clients that read it.
        const icaltimetype done = IcalUtcTime(task.dtFinishDT != 0 ? task.dtFinishDT : now);
        for (icalcomponent* a = icalcomponent_get_first_component(ev, ICAL_VALARM_COMPONENT); a;
             a = icalcomponent_get_next_component(ev, ICAL_VALARM_COMPONENT)) {
            if (!icalcomponent_get_first_property(a, ICAL_ACKNOWLEDGED_PROPERTY))
                icalcomponent_add_property(a, icalproperty_new_acknowledged(done));
        }
        return;
    }
    icalcomponent* alarm = icalcomponent_new_valarm();
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icaltriggertype trigger {};
    trigger.time = icaltime_null_time();
    const Instant at = task.dtAlarmDT != 0 && task.dtAlarmDT < NO_DATE ? task.dtAlarmDT : task.dtDueDT;
    trigger.duration
        = icaldurationtype_from_int(int(std::clamp<qint64>(SecondDiff(task.dtDueDT, at), -INT_MAX, INT_MAX)));
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    icalcomponent_add_property(alarm, icalproperty_new_description(Utf8(summary).constData()));
    // A postponed alarm has rung once and was put off: that ringing was acknowledged.
    if (status == tsPostponed || status == tsOngoing)
        icalcomponent_add_property(alarm, icalproperty_new_acknowledged(IcalUtcTime(task.CalcAlarm())));
    AddIcalX(alarm, kOurAlarm, QStringLiteral("1"));
    icalcomponent_add_component(ev, alarm);
}

void WriteEvent(
    icalcomponent* ev, const CTask& task, const IcalZone& zone, const TaskEventOptions& options, bool keepTiming)
{
    icalcomponent_add_property(ev, icalproperty_new_uid(Utf8(task.sUid).constData()));
    // With no METHOD, DTSTAMP is the last revision (RFC 5545): an unchanged task writes the same event.
    icalcomponent_add_property(
        ev, icalproperty_new_dtstamp(IcalUtcTime(task.dtChangeDT != 0 ? task.dtChangeDT : options.now)));
    if (task.dtCreateDT != 0)
        icalcomponent_add_property(ev, icalproperty_new_created(IcalUtcTime(task.dtCreateDT)));
    if (task.dtChangeDT != 0)
        icalcomponent_add_property(ev, icalproperty_new_lastmodified(IcalUtcTime(task.dtChangeDT)));
    if (!keepTiming)
        WriteStart(ev, task, zone);

    const QString description = Text::CrLfToLf(task.sDescription());
    const QString summary = description.section(u'\n', 0, 0);
    icalcomponent_add_property(ev, icalproperty_new_summary(Utf8(summary).constData()));
    if (description != summary.trimmed())
        AddIcalX(ev, kDescription, description);
    if (!task.sMemo.isEmpty())
        icalcomponent_add_property(ev, icalproperty_new_description(Utf8(Text::CrLfToLf(task.sMemo)).constData()));

    // A category list or a priority another client wrote stays when it still says the task's value.
    icalproperty* categories = icalcomponent_get_first_property(ev, ICAL_CATEGORIES_PROPERTY);
    if (!categories
        || IcalTrimmed(icalproperty_get_categories(categories)).section(u',', 0, 0).trimmed() != task.sType) {
        RemoveProperties(ev, ICAL_CATEGORIES_PROPERTY);
        if (!task.sType.isEmpty())
            icalcomponent_add_property(ev, icalproperty_new_categories(Utf8(task.sType).constData()));
    }
    icalproperty* priority = icalcomponent_get_first_property(ev, ICAL_PRIORITY_PROPERTY);
    if (!priority || TaskPriorityFromIcal(icalproperty_get_priority(priority)) != task.ePriority) {
        RemoveProperties(ev, ICAL_PRIORITY_PROPERTY);
        icalcomponent_add_property(ev, icalproperty_new_priority(IcalPriority(task.ePriority)));
    }
    // Phones honour a cancelled event; another client's own status stays otherwise.
    const int status = TravellingStatus(task.eStatus());
    if (status == tsCancelled || icalcomponent_get_status(ev) == ICAL_STATUS_CANCELLED) {
        RemoveProperties(ev, ICAL_STATUS_PROPERTY);
        if (status == tsCancelled)
            icalcomponent_add_property(ev, icalproperty_new_status(ICAL_STATUS_CANCELLED));
    }
    // A settled task shows on calendars at the moment it had; its rule lives on in the texts.
    if (!keepTiming && task.IsRecurring() && !IsSettled(status) && status != tsPaused)
        WriteRule(ev, task, zone, options);

    AddIcalX(ev, kDue, FloatingText(task.dtDueDT));
    AddIcalX(ev, kIcalDueDateProperty, task.sDueDate);
    AddIcalX(ev, kIcalDueTimeProperty, task.sDueTime);
    AddIcalX(ev, kStatus, QString::number(status));
    if (!task.sManualAlarm.isEmpty())
        AddIcalX(ev, kAlarm, task.sManualAlarm);
    AddIcalX(ev, kRing, QString::number(task.eRingType));
    if (IsPortableRingFile(task.sRingFile))
        AddIcalX(ev, kRingFile, task.sRingFile);
    if (task.dtValidFromDT != 0)
        AddIcalX(ev, kValidFrom, FloatingText(task.dtValidFromDT));
    if (task.dtValidToDT != 0)
        AddIcalX(ev, kValidTo, FloatingText(task.dtValidToDT));
    if (!IsWaitingStatus(status) && task.dtFinishDT != 0)
        AddIcalX(ev, kFinished, FloatingText(task.dtFinishDT));
    QStringList flags;
    if (task.bAutoFinish)
        flags << QStringLiteral("finish");
    if (task.bAutoCancel)
        flags << QStringLiteral("cancel");
    if (task.bAutoMemo)
        flags << QStringLiteral("memo");
    if (!flags.isEmpty())
        AddIcalX(ev, kAuto, flags.join(u' '));
    WriteAlarms(ev, task, summary, options.now);
}

// A series another client wrote that the program could only take as its next occurrence: while the task still
// stands on one of its occurrences, the series stays as it is rather than shrink to that one date.
bool IsForeignSeriesOccurrence(icalcomponent* ev, const CTask& task)
{
    const bool series = icalcomponent_get_first_property(ev, ICAL_RRULE_PROPERTY)
        || icalcomponent_get_first_property(ev, ICAL_RDATE_PROPERTY);
    if (!series || task.IsRecurring() || !IcalXText(ev, kIcalDueDateProperty).isNull()
        || !icalcomponent_get_first_property(ev, ICAL_DTSTART_PROPERTY))
        return false;
    const IcalSeries all = ExpandIcalEntry(ev, icalcomponent_get_dtstart(ev), task.dtDueDT);
    return std::any_of(all.all.begin(), all.all.end(), [&task](Instant v) { return SameSecond(v, task.dtDueDT); });
}

// ----------------------------------------------------------------------------------------------------------

// Whether the event still states the series the rule texts give from `due`: nobody else changed its rule.
// Exceptions (EXDATE) another client added are left aside: the texts cannot say them.
bool RuleTextsHold(
    icalcomponent* ev, const QString& date, const QString& time, Instant due, Instant validTo, bool settled)
{
    icalproperty* rrule = icalcomponent_get_first_property(ev, ICAL_RRULE_PROPERTY);
    const bool stated = rrule || icalcomponent_get_first_property(ev, ICAL_RDATE_PROPERTY);
    if (!IsRecurringText(date) && !IsRecurringText(time))
        return !stated;
    if (!stated)
        return settled || RuleOccurrences(date, time, due, validTo != 0 ? validTo : AddYears(due, 2), 2).size() < 2;
    Instant until = AddYears(due, kIcalCompareYears);
    std::vector<Instant> listed;
    if (rrule) {
        if (icalcomponent_get_first_property(ev, ICAL_RDATE_PROPERTY))
            return false;
        icalrecurrencetype rec = icalproperty_get_rrule(rrule);
        if (rec.freq == ICAL_YEARLY_RECURRENCE)
            until = AddYears(due, qint64(kIcalCompareYears) * std::max<int>(1, rec.interval));
        if (validTo != 0 && validTo < until)
            until = validTo;
        rec.count = 0;
        rec.until = icaltime_null_time();
        char* text = icalrecurrencetype_as_string_r(&rec);
        listed = ExpandRRule(QString::fromUtf8(text), due, until, kIcalCompareMax);
        icalmemory_free_buffer(text);
    } else {
        listed.push_back(due);
        for (icalproperty* p = icalcomponent_get_first_property(ev, ICAL_RDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(ev, ICAL_RDATE_PROPERTY)) {
            const icaldatetimeperiodtype r = icalproperty_get_rdate(p);
            icaltimetype t = icaltime_is_null_time(r.time) ? r.period.start : r.time;
            if (t.zone == nullptr && !t.is_date)
                t = icalproperty_get_datetime_with_component(p, ev);
            listed.push_back(IcalLocalInstant(t));
        }
        std::sort(listed.begin(), listed.end());
        // The list ends where its writer stopped looking ahead.
        until = std::min(until, listed.back());
        listed.erase(
            std::find_if(listed.begin(), listed.end(), [until](Instant v) { return SecondDiff(until, v) > 0; }),
            listed.end());
        if (listed.size() > size_t(kIcalCompareMax))
            listed.resize(kIcalCompareMax);
    }
    const std::vector<Instant> own = RuleOccurrences(date, time, due, until, kIcalCompareMax);
    return own.size() == listed.size() && std::equal(own.begin(), own.end(), listed.begin(), SameSecond);
}

// An event as another client states it: its next occurrence, and its rule when the program can say it.
void ReadForeignTiming(icalcomponent* ev, const icaltimetype& start, Instant now, CTask& task, bool& over)
{
    const Instant first = IcalLocalInstant(start);
    int years = kIcalCompareYears;
    if (icalproperty* p = icalcomponent_get_first_property(ev, ICAL_RRULE_PROPERTY)) {
        const icalrecurrencetype rec = icalproperty_get_rrule(p);
        if (rec.freq == ICAL_YEARLY_RECURRENCE)
            years *= std::max<int>(1, rec.interval);
    }
    const Instant until = AddYears(std::max(now, first), years);
    const IcalSeries series = ExpandIcalEntry(ev, start, until, now);
    std::vector<Instant> future;
    for (Instant v : series.all) {
        if (SecondDiff(now, v) > 0 && int(future.size()) < kIcalCompareMax)
            future.push_back(v);
    }
    over = future.empty();
    const Instant due = over ? (series.all.empty() ? first : series.all.back()) : future.front();
    task.dtDueDT = due;
    task.sDueDate = DateLiteralText(due);
    task.sDueTime = ClockText(due);
    task.dtValidToDT = 0;
    if (!series.recurring || future.size() < 2 || series.rrule.isEmpty())
        return;
    const std::optional<LoopRuleTexts> texts = RuleTextsFor(series.rrule, due);
    if (!texts)
        return;
    const Instant last = series.ends ? series.all.back() : 0;
    const std::vector<Instant> own
        = RuleOccurrences(texts->dateText, texts->timeText, due, series.ends ? last : until, kIcalCompareMax);
    if (own.size() == future.size() && std::equal(own.begin(), own.end(), future.begin(), SameSecond)) {
        task.sDueDate = texts->dateText;
        task.sDueTime = texts->timeText;
        task.dtValidToDT = last;
    }
}

QString Translate(const char* text)
{
    return QCoreApplication::translate("TaskEvent", text);
}

}  // namespace

bool IsSyncableTask(const CTask& task)
{
    return task.TaskType() == ttNormal && task.dtDueDT != 0 && task.dtDueDT < NO_DATE && IsRepresentable(task.dtDueDT);
}

QByteArray TaskToEvent(const CTask& task, const QByteArray& previous, const TaskEventOptions& options)
{
    const IcalZone zone = SystemIcalZone();
    Root root(previous.isEmpty() ? nullptr : icalparser_parse_string(previous.constData()));
    icalcomponent* ev = MasterEvent(root.c);
    if (ev && QString::fromUtf8(icalcomponent_get_uid(ev)) != task.sUid)
        ev = nullptr;
    bool keepTiming = false;
    if (ev) {
        keepTiming = IsForeignSeriesOccurrence(ev, task);
        // Everything Tickwell writes is written afresh; the rest stays as the other clients left it.
        for (icalproperty_kind kind : { ICAL_UID_PROPERTY, ICAL_DTSTAMP_PROPERTY, ICAL_CREATED_PROPERTY,
                 ICAL_LASTMODIFIED_PROPERTY, ICAL_SUMMARY_PROPERTY, ICAL_DESCRIPTION_PROPERTY })
            RemoveProperties(ev, kind);
        if (!keepTiming) {
            RemoveProperties(ev, ICAL_RRULE_PROPERTY);
            RemoveProperties(ev, ICAL_RDATE_PROPERTY);
        }
        RemoveOurs(ev);
        RemoveProperties(root.c, ICAL_PRODID_PROPERTY);
        RemoveProperties(root.c, ICAL_VERSION_PROPERTY);
        for (icalcomponent* tz = icalcomponent_get_first_component(root.c, ICAL_VTIMEZONE_COMPONENT); tz;) {
            icalcomponent* next = icalcomponent_get_next_component(root.c, ICAL_VTIMEZONE_COMPONENT);
            icalproperty* id = icalcomponent_get_first_property(tz, ICAL_TZID_PROPERTY);
            if (zone.builtin && id && zone.id == icalproperty_get_tzid(id)) {
                icalcomponent_remove_component(root.c, tz);
                icalcomponent_free(tz);
            }
            tz = next;
        }
    } else {
        icalcomponent_free(root.c);
        root.c = icalcomponent_new_vcalendar();
        ev = icalcomponent_new_vevent();
        icalcomponent_add_component(root.c, ev);
    }
    icalcomponent_add_property(root.c, icalproperty_new_version("2.0"));
    icalcomponent_add_property(root.c,
        icalproperty_new_prodid(
            Utf8(QStringLiteral("-//Tickwell//Tickwell %1//ZH").arg(AppVersionText())).constData()));
    AddIcalZone(root.c, zone);
    WriteEvent(ev, task, zone, options, keepTiming);

    char* text = icalcomponent_as_ical_string_r(root.c);
    const QByteArray out = EscapeIcalXTexts(QByteArray(text), "X-TICKWELL-");
    icalmemory_free_buffer(text);
    return out;
}

bool EventNeedsRenewal(const CTask& task, const QByteArray& ics, const TaskEventOptions& options)
{
    if (!task.IsRecurring() || IsSettled(task.eStatus()) || task.eStatus() == tsPaused || !ExactRRule(task).isEmpty())
        return false;
    Root root(icalparser_parse_string(ics.constData()));
    icalcomponent* ev = MasterEvent(root.c);
    if (!ev)
        return false;
    Instant last = IcalLocalInstant(icalcomponent_get_dtstart(ev));
    for (icalproperty* p = icalcomponent_get_first_property(ev, ICAL_RDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(ev, ICAL_RDATE_PROPERTY))
        last = std::max(last, IcalLocalInstant(icalproperty_get_datetime_with_component(p, ev)));
    const std::vector<Instant> dates = ListedDates(task, options);
    return !dates.empty() && SecondDiff(last, dates.back()) > kRenewAfterDays * SECONDS_PER_DAY;
}

QString EventUid(const QByteArray& ics)
{
    Root root(icalparser_parse_string(ics.constData()));
    icalcomponent* ev = MasterEvent(root.c);
    return ev ? IcalTrimmed(icalcomponent_get_uid(ev)) : QString();
}

bool EventToTask(const QByteArray& ics, CTask& task, QString* error)
{
    Root root(icalparser_parse_string(ics.constData()));
    icalcomponent* ev = MasterEvent(root.c);
    auto fail = [error](const char* text) {
        if (error)
            *error = Translate(text);
        return false;
    };
    if (!ev)
        return fail(QT_TRANSLATE_NOOP("TaskEvent", "不是只含一个事件的日历数据"));
    const QString uid = IcalTrimmed(icalcomponent_get_uid(ev));
    if (uid.isEmpty())
        return fail(QT_TRANSLATE_NOOP("TaskEvent", "日历事件没有 UID"));
    const icaltimetype start = icalcomponent_get_first_property(ev, ICAL_DTSTART_PROPERTY)
        ? icalcomponent_get_dtstart(ev)
        : icaltime_null_time();
    if (icaltime_is_null_time(start) || !icaltime_is_valid_time(start) || IcalLocalInstant(start) == 0)
        return fail(QT_TRANSLATE_NOOP("TaskEvent", "日历事件没有开始时间"));
    const Instant now = Clock::Now();
    const Instant startAt = IcalLocalInstant(start);

    task.sUid = uid;
    const QString summary = IcalTrimmed(icalcomponent_get_summary(ev));
    const QString whole = Text::CrLfToLf(IcalXText(ev, kDescription));
    QString description = !whole.isEmpty() && whole.section(u'\n', 0, 0).trimmed() == summary ? whole : summary;
    if (description.isEmpty())
        description = QCoreApplication::translate("TaskEvent", "(无标题)");
    // Nothing from a server makes a check command.
    if (description.startsWith(u':'))
        description[0] = u'：';
    task.SetDescription(Text::NormalizeToCrLf(description));
    const char* memo = icalcomponent_get_description(ev);
    task.sMemo = memo ? Text::NormalizeToCrLf(QString::fromUtf8(memo)) : QString();
    icalproperty* categories = icalcomponent_get_first_property(ev, ICAL_CATEGORIES_PROPERTY);
    task.sType
        = categories ? IcalTrimmed(icalproperty_get_categories(categories)).section(u',', 0, 0).trimmed() : QString();
    icalproperty* priority = icalcomponent_get_first_property(ev, ICAL_PRIORITY_PROPERTY);
    task.ePriority = TaskPriorityFromIcal(priority ? icalproperty_get_priority(priority) : 0);
    if (icalproperty* p = icalcomponent_get_first_property(ev, ICAL_CREATED_PROPERTY))
        task.dtCreateDT = IcalLocalInstant(icalproperty_get_created(p));
    if (task.dtCreateDT == 0)
        task.dtCreateDT = now;
    if (task.dtStartDT == 0)
        task.dtStartDT = task.dtCreateDT;
    if (icalproperty* p = icalcomponent_get_first_property(ev, ICAL_LASTMODIFIED_PROPERTY))
        task.dtChangeDT = IcalLocalInstant(icalproperty_get_lastmodified(p));
    else if (icalproperty* stamp = icalcomponent_get_first_property(ev, ICAL_DTSTAMP_PROPERTY))
        task.dtChangeDT = IcalLocalInstant(icalproperty_get_dtstamp(stamp));

    // The alarm: Tickwell's own, else the first another client set.
    icalcomponent* alarm = nullptr;
    for (icalcomponent* a = icalcomponent_get_first_component(ev, ICAL_VALARM_COMPONENT); a;
         a = icalcomponent_get_next_component(ev, ICAL_VALARM_COMPONENT)) {
        if (IsOurAlarm(a) || !alarm)
            alarm = a;
        if (IsOurAlarm(a))
            break;
    }
    qint64 offset = 0;
    const bool hasAlarm = IcalAlarmOffset(alarm, ev, startAt, offset);

    const QString statusText = IcalXText(ev, kStatus);
    bool ours = !statusText.isNull();
    int status = tsNotStarted;
    if (ours) {
        bool ok = false;
        status = TravellingStatus(statusText.toInt(&ok));
        ours = ok && status >= 0 && status < kTaskStatusCount;
    }
    const QString date = IcalXText(ev, kIcalDueDateProperty), time = IcalXText(ev, kIcalDueTimeProperty);
    const Instant validTo = FloatingValue(IcalXText(ev, kValidTo));
    // Tickwell's texts count while the event still says what they say: a start or rule moved by another
    // client is read as that client wrote it.
    const bool exact = ours && !date.isEmpty() && SameSecond(FloatingValue(IcalXText(ev, kDue)), startAt)
        && RuleTextsHold(ev, date, time, startAt, validTo, IsSettled(status) || status == tsPaused);
    bool over = false;
    if (exact) {
        task.dtDueDT = startAt;
        task.sDueDate = date;
        task.sDueTime = time;
        task.dtValidFromDT = FloatingValue(IcalXText(ev, kValidFrom));
        task.dtValidToDT = validTo;
        task.sManualAlarm = IcalXText(ev, kAlarm);
    } else {
        ReadForeignTiming(ev, start, now, task, over);
        task.dtValidFromDT = 0;
        task.sManualAlarm = hasAlarm ? AlarmOffsetText(offset) : QString();
    }
    if (!ours)
        status = over ? tsExpired : tsNotStarted;
    // STATUS:CANCELLED is what other clients set and clear.
    if (icalcomponent_get_status(ev) == ICAL_STATUS_CANCELLED)
        status = tsCancelled;
    else if (status == tsCancelled)
        status = tsNotStarted;

    task.dtAlarmDT = task.CalcAlarm();
    if (exact && hasAlarm && alarm && IsOurAlarm(alarm)) {
        const Instant at = AddSeconds(startAt, double(offset));
        if (status == tsPostponed || status == tsOngoing)
            task.dtAlarmDT = at;
        else if (!SameSecond(at, task.dtAlarmDT)) {
            // Another client moved the alarm.
            task.sManualAlarm = AlarmOffsetText(offset);
            task.dtAlarmDT = task.CalcAlarm();
        }
    }
    if (ours) {
        bool ok = false;
        const int ring = IcalXText(ev, kRing).toInt(&ok);
        if (ok && ring >= rtNone && ring <= rtMusic)
            task.eRingType = ring;
        const QString ringFile = IcalXText(ev, kRingFile);
        if (IsPortableRingFile(ringFile))
            task.sRingFile = ringFile;
        const QStringList flags = IcalXText(ev, kAuto).split(u' ', Qt::SkipEmptyParts);
        task.bAutoFinish = flags.contains(QStringLiteral("finish"));
        task.bAutoCancel = flags.contains(QStringLiteral("cancel"));
        task.bAutoMemo = flags.contains(QStringLiteral("memo"));
    }
    // A task ringing here stays ringing: every device rings on its own.
    if (TravellingStatus(task.eStatus()) != status)
        task.SetStatus(TaskStatus(status));
    if (!IsWaitingStatus(status)) {
        const Instant finished = FloatingValue(IcalXText(ev, kFinished));
        if (finished != 0)
            task.dtFinishDT = finished;
        else if (task.dtFinishDT == 0)
            task.dtFinishDT = now;
    }
    return true;
}
