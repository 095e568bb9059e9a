// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/IcalExport.h"

#include "base/AppVersion.h"
#include "base/Text.h"
#include "storage/CsvExport.h"
#include "storage/IcalCommon.h"
#include "storage/IcalRules.h"
#include "timerules/Clock.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <libical/ical.h>

namespace {

// A date-time property in the file's zone.
template <typename Make> icalproperty* TimeProperty(Make make, Instant value, const IcalZone& zone)
{
    icalproperty* p = make(IcalZonedTime(value, zone));
    AddIcalZoneParameter(p, zone);
    return p;
}

void AddText(icalcomponent* c, icalproperty* p)
{
    icalcomponent_add_property(c, p);
}

QByteArray Utf8(const QString& s)
{
    return s.toUtf8();
}

icalcomponent* Event(const CTask& task, const IcalZone& zone, const icaltimetype& stamp)
{
    icalcomponent* ev = icalcomponent_new_vevent();
    const QString uid
        = task.Key() + u'-' + QString::number(qint64(task.dtCreateDT * SECONDS_PER_DAY)) + QStringLiteral("@tickwell");
    AddText(ev, icalproperty_new_uid(Utf8(uid).constData()));
    AddText(ev, icalproperty_new_dtstamp(stamp));
    AddText(ev, TimeProperty(icalproperty_new_dtstart, task.dtDueDT, zone));

    const QString description = Text::CrLfToLf(task.sDescription());
    const QString summary = description.section(u'\n', 0, 0);
    AddText(ev, icalproperty_new_summary(Utf8(summary).constData()));
    if (description != summary)
        AddText(ev, icalproperty_new_description(Utf8(description).constData()));
    if (!task.sType.isEmpty())
        AddText(ev, icalproperty_new_categories(Utf8(task.sType).constData()));
    AddText(ev, icalproperty_new_priority(IcalPriority(task.ePriority)));

    Instant alarm = task.dtAlarmDT;
    if (task.IsRecurring()) {
        // The offset every occurrence keeps; a postponement belongs to the current one only.
        alarm = task.CalcAlarm();
        const QString rule = RRuleFor(task.sDueDate, task.sDueTime, task.dtDueDT);
        if (!rule.isEmpty()) {
            QString full = rule;
            if (task.dtValidToDT != 0) {
                const icaltimetype until
                    = zone.builtin || zone.utc ? IcalUtcTime(task.dtValidToDT) : IcalWallTime(task.dtValidToDT);
                full += QStringLiteral(";UNTIL=") + QString::fromUtf8(icaltime_as_ical_string(until));
            }
            // The property keeps its own copy of the rule, calendar name included.
            const ParsedRRule parsed(full);
            AddText(ev, icalproperty_new_rrule(parsed.rec));
        } else {
            const std::vector<Instant> next
                = RuleOccurrences(task.sDueDate, task.sDueTime, task.dtDueDT, task.dtValidToDT, kIcalListedOccurrences);
            for (size_t i = 1; i < next.size(); ++i) {
                icaldatetimeperiodtype rdate {};
                rdate.period = icalperiodtype_null_period();
                rdate.time = icaltime_null_time();
                AddText(ev,
                    TimeProperty(
                        [&rdate](icaltimetype t) {
                            rdate.time = t;
                            return icalproperty_new_rdate(rdate);
                        },
                        next[i], zone));
            }
        }
        // The texts themselves, so an import gives back the rule as the user wrote it.
        AddIcalX(ev, kIcalDueDateProperty, task.sDueDate);
        AddIcalX(ev, kIcalDueTimeProperty, task.sDueTime);
    }

    icalcomponent* valarm = icalcomponent_new_valarm();
    AddText(valarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icaltriggertype trigger {};
    trigger.time = icaltime_null_time();
    const qint64 offset = alarm != 0 && alarm < NO_DATE ? SecondDiff(task.dtDueDT, alarm) : 0;
    trigger.duration = icaldurationtype_from_int(int(std::clamp<qint64>(offset, -INT_MAX, INT_MAX)));
    AddText(valarm, icalproperty_new_trigger(trigger));
    AddText(valarm, icalproperty_new_description(Utf8(summary).constData()));
    icalcomponent_add_component(ev, valarm);
    return ev;
}

}  // namespace

bool IsIcalExportable(const CTask& task)
{
    const int s = task.eStatus();
    return task.TaskType() == ttNormal && s != tsFinished && s != tsCancelled && s != tsExpired && s != tsChecking
        && task.dtDueDT != 0 && task.dtDueDT < NO_DATE && IsRepresentable(task.dtDueDT);
}

int IcalUnresolvedCount(const TaskList& tasks)
{
    int count = 0;
    for (const TaskPtr& t : tasks) {
        if (t->TaskType() == ttNormal && t->IsWaiting() && !IsIcalExportable(*t))
            ++count;
    }
    return count;
}

QByteArray IcalText(const TaskList& tasks, int* exported)
{
    const IcalZone zone = SystemIcalZone();
    icalcomponent* cal = icalcomponent_new_vcalendar();
    icalcomponent_add_property(cal, icalproperty_new_version("2.0"));
    icalcomponent_add_property(cal,
        icalproperty_new_prodid(
            Utf8(QStringLiteral("-//Tickwell//Tickwell %1//ZH").arg(AppVersionText())).constData()));
    icalcomponent_add_property(cal, icalproperty_new_calscale("GREGORIAN"));
    AddIcalZone(cal, zone);
    const icaltimetype stamp
        = icaltime_from_timet_with_zone(QDateTime::currentSecsSinceEpoch(), 0, icaltimezone_get_utc_timezone());
    int count = 0;
    for (const TaskPtr& t : tasks) {
        if (!IsIcalExportable(*t))
            continue;
        icalcomponent_add_component(cal, Event(*t, zone, stamp));
        ++count;
    }
    char* text = icalcomponent_as_ical_string_r(cal);
    const QByteArray out = EscapeIcalXTexts(QByteArray(text), "X-TICKWELL-");
    icalmemory_free_buffer(text);
    icalcomponent_free(cal);
    if (exported)
        *exported = count;
    return out;
}

bool ExportIcal(const TaskList& tasks, const QString& path, QString* error, const QString& dataFile, int* exported)
{
    return WriteExportFile(path, IcalText(tasks, exported), error, dataFile);
}
