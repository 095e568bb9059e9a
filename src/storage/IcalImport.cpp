// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/IcalImport.h"

#include "base/RegularFile.h"
#include "base/Text.h"
#include "storage/IcalCommon.h"
#include "storage/IcalExport.h"
#include "storage/IcalRules.h"
#include "timerules/Clock.h"
#include "timerules/TimeExpr.h"

#include <QCoreApplication>
#include <QFile>

#include <libical/ical.h>

#include <algorithm>

namespace {

bool Before(Instant a, Instant b)
{
    return SecondDiff(a, b) > 0;
}

// The first alarm as an offset from the entry's start, in the program's offset text ("-15" minutes, "-30秒").
QString AlarmText(icalcomponent* c, Instant start)
{
    qint64 offset = 0;
    if (!IcalAlarmOffset(icalcomponent_get_first_component(c, ICAL_VALARM_COMPONENT), c, start, offset))
        return {};
    return AlarmOffsetText(offset);
}

QString Description(icalcomponent* c)
{
    const QString summary = IcalTrimmed(icalcomponent_get_summary(c));
    const QString details = IcalTrimmed(icalcomponent_get_description(c));
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
    if (icaltime_is_null_time(start) || !icaltime_is_valid_time(start) || IcalLocalInstant(start) == 0) {
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
    const Instant until = AddYears(std::max(now, IcalLocalInstant(start)), years);
    const IcalSeries series = ExpandIcalEntry(c, start, until, now);
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
        task->sType = IcalTrimmed(icalproperty_get_categories(p)).section(u',', 0, 0).trimmed();
    icalproperty* priority = icalcomponent_get_first_property(c, ICAL_PRIORITY_PROPERTY);
    task->ePriority = TaskPriorityFromIcal(priority ? icalproperty_get_priority(priority) : 0);
    task->sManualAlarm = AlarmText(c, IcalLocalInstant(start));
    task->sDueDate = DateLiteralText(first);
    task->sDueTime = ClockText(first);

    if (series.recurring && future.size() > 1) {
        // The rule as the texts that wrote it, when they are there; else as the texts the RRULE suggests. Either
        // is taken only when it gives the very occurrences the file gives.
        std::vector<LoopRuleTexts> candidates;
        const QString xDate = IcalXText(c, kIcalDueDateProperty);
        if (!xDate.isEmpty())
            candidates.push_back({ xDate, IcalXText(c, kIcalDueTimeProperty) });
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
