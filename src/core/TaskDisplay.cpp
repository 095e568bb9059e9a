// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/TaskDisplay.h"

#include "base/Translation.h"
#include "core/CTask.h"
#include "core/TaskColumns.h"
#include "timerules/Clock.h"
#include "timerules/EnglishExpr.h"
#include "timerules/TimeExpr.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHash>
#include <QPointer>
#include <QThread>

#include <iterator>

using namespace TaskColumns;

namespace {

// The names as the translation finds them; the Chinese functions give the source texts.
[[maybe_unused]] const char* const kStatusTexts[] = { QT_TRANSLATE_NOOP("TaskStatus", "未发生"),
    QT_TRANSLATE_NOOP("TaskStatus", "到期"), QT_TRANSLATE_NOOP("TaskStatus", "已完成"),
    QT_TRANSLATE_NOOP("TaskStatus", "推迟"), QT_TRANSLATE_NOOP("TaskStatus", "已取消"),
    QT_TRANSLATE_NOOP("TaskStatus", "暂停"), QT_TRANSLATE_NOOP("TaskStatus", "检测中"),
    QT_TRANSLATE_NOOP("TaskStatus", "进行中"), QT_TRANSLATE_NOOP("TaskStatus", "已失效") };
[[maybe_unused]] const char* const kPriorityTexts[]
    = { QT_TRANSLATE_NOOP("TaskPriority", "低"), QT_TRANSLATE_NOOP("TaskPriority", "中"),
          QT_TRANSLATE_NOOP("TaskPriority", "高"), QT_TRANSLATE_NOOP("TaskPriority", "紧急") };

// A refresh of the list asks for the same few words and patterns for every row; translating each again
// (a lock, two text conversions and a search per cell) was a large part of its time. Each is translated once,
// and again after the translation changes (Qt tells the application object of every change).
class TranslationCache : public QObject
{
public:
    using QObject::QObject;

    static TranslationCache* Instance()
    {
        QCoreApplication* app = QCoreApplication::instance();
        if (!app || QThread::currentThread() != app->thread())
            return nullptr;
        static QPointer<TranslationCache> cache;
        if (!cache) {
            cache = new TranslationCache(app);
            app->installEventFilter(cache);
        }
        return cache;
    }

    QHash<const char*, QString> words;  // by the address of the source literal
    QHash<QString, QString> names[2];  // status and priority names, by source text

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::LanguageChange && watched == parent()) {
            words.clear();
            names[0].clear();
            names[1].clear();
        }
        return false;
    }
};

// The context of the list's words and patterns.
class TaskDisplay
{
public:
    static QString tr(const char* source)
    {
        TranslationCache* cache = TranslationCache::Instance();
        if (!cache)
            return QCoreApplication::translate("TaskDisplay", source);
        auto it = cache->words.constFind(source);
        if (it == cache->words.cend())
            it = cache->words.insert(source, QCoreApplication::translate("TaskDisplay", source));
        return *it;
    }
};

QString Translated(const char* context, const QString& source)
{
    if (source.isEmpty())
        return source;
    TranslationCache* cache = TranslationCache::Instance();
    if (!cache)
        return QCoreApplication::translate(context, source.toUtf8().constData());
    QHash<QString, QString>& names = cache->names[qstrcmp(context, "TaskStatus") == 0 ? 0 : 1];
    auto it = names.constFind(source);
    if (it == names.cend())
        it = names.insert(source, QCoreApplication::translate(context, source.toUtf8().constData()));
    return *it;
}

QString DayWord(qint64 n)
{
    switch (n) {
    case -2:
        return TaskDisplay::tr("前天");
    case -1:
        return TaskDisplay::tr("昨天");
    case 1:
        return TaskDisplay::tr("明天");
    case 2:
        return TaskDisplay::tr("后天");
    default:
        return TaskDisplay::tr("今天");
    }
}

// Appends `v` in decimal, zero-padded to `width`. The list formats three moments for each row; a chain of
// QString::arg() calls, each scanning and copying the pattern, was most of the time of a refresh.
void AppendNumber(QString& out, qint64 v, int width)
{
    char16_t buf[48];
    char16_t* end = buf + std::size(buf);
    char16_t* p = end;
    const bool negative = v < 0;
    quint64 u = negative ? 0 - quint64(v) : quint64(v);
    do {
        *--p = char16_t(u'0' + u % 10);
        u /= 10;
    } while (u > 0);
    while (end - p < width && p > buf + 1)
        *--p = u'0';
    if (negative)
        *--p = u'-';
    out.append(QStringView(p, end));
}

// `pattern` with %1 and %2 replaced by the numbers: what arg() gives for these patterns, without its pass through
// the locale for every number.
QString Fill(const QString& pattern, qint64 first, qint64 second = 0)
{
    QString out;
    out.reserve(pattern.size() + 8);
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == u'%' && i + 1 < pattern.size() && (pattern.at(i + 1) == u'1' || pattern.at(i + 1) == u'2')) {
            AppendNumber(out, pattern.at(++i) == u'1' ? first : second, 0);
            continue;
        }
        out += c;
    }
    return out;
}

QString Span(Instant from, Instant to)
{
    if (from == 0)
        return QStringLiteral("--");
    const QString s = DisplayDuration(from, to);
    return s.startsWith(QLatin1Char('-')) ? QStringLiteral("--") : s;
}

}  // namespace

QString TaskStatusDisplayName(int status)
{
    return Translated("TaskStatus", TaskStatusName(status));
}

QString TaskPriorityDisplayName(int priority)
{
    return Translated("TaskPriority", TaskPriorityName(priority));
}

QString DisplayFriendlyTime(Instant dt)
{
    const FriendlyMoment m = DescribeMoment(dt);
    QString day;
    switch (m.day) {
    case FriendlyMoment::None:
        return QStringLiteral("--");
    case FriendlyMoment::Today:
        break;
    case FriendlyMoment::Near:
        day = DayWord(m.offset);
        break;
    case FriendlyMoment::FullDate:
        AppendNumber(day, m.date.year() % 100, 2);
        day += u'/';
        [[fallthrough]];
    case FriendlyMoment::MonthDay:
        AppendNumber(day, m.date.month(), 0);
        day += u'/';
        AppendNumber(day, m.date.day(), 0);
        break;
    case FriendlyMoment::DayOfMonth:  // %2 is the month, for languages that name it
        day = Fill(TaskDisplay::tr("%1号"), m.date.day(), m.date.month());
        break;
    }
    if (m.seconds == 0)
        return day.isEmpty() ? DayWord(0) : day;
    QString time;
    time.reserve(8);
    AppendNumber(time, m.seconds / 3600, 2);
    time += u':';
    AppendNumber(time, m.seconds / 60 % 60, 2);
    time += u':';
    AppendNumber(time, m.seconds % 60, 2);
    return day.isEmpty() ? time : TaskDisplay::tr("%1(%2)").arg(time, day);
}

QString DisplayDuration(Instant fromDT, Instant toDT)
{
    const DurationParts d = DescribeDuration(fromDT, toDT);
    if (!d.showable)
        return QStringLiteral("--");
    if (d.days != 0)
        return Fill(TaskDisplay::tr("%1天"), d.days);
    const QString sign = d.negative ? QStringLiteral("-") : QString();
    if (d.hours > 0 && d.minutes > 0)
        return sign + Fill(TaskDisplay::tr("%1小时%2分钟"), d.hours, d.minutes);
    if (d.hours > 0)
        return sign + Fill(TaskDisplay::tr("%1小时"), d.hours);
    if (d.minutes > 0)
        return sign + Fill(TaskDisplay::tr("%1分钟"), d.minutes);
    return sign + Fill(TaskDisplay::tr("%1秒"), d.seconds);
}

namespace {

bool English()
{
    return Translation::Current() == QLatin1String("en");
}

}  // namespace

QString DisplayDueDate(const QString& dateText)
{
    return English() ? EnglishDateText(dateText) : dateText;
}

QString DisplayDueTime(const QString& timeText)
{
    return English() ? EnglishTimeText(timeText) : timeText;
}

QString DisplayDueText(const CTask& task)
{
    return English() ? EnglishDueText(task.sDueDate, task.sDueTime) : CellText(task, colDue);
}

QString TaskCellDisplayText(const CTask& task, int column)
{
    switch (column) {
    case colDue:
        return DisplayDueText(task);
    case colStatus:
        return TaskStatusDisplayName(task.eStatus());
    case colAlarm:
        return task.AlarmTimeStr();
    case colRemain:
        return task.IsWaiting() ? DisplayDuration(Clock::Now(), task.dtAlarmDT) : QStringLiteral("--");
    case colPriority:
        return TaskPriorityDisplayName(task.ePriority);
    case colValidPeriod:
        return task.ValidPeriodStr(TaskDisplay::tr("未设置"));
    case colStart:
        return DisplayFriendlyTime(task.dtStartDT);
    case colFinish:
        return DisplayFriendlyTime(task.dtFinishDT);
    case colPlaned:
        return Span(task.dtStartDT, task.dtDueDT);
    case colSpent:
        return Span(task.dtStartDT, task.IsWaiting() ? Clock::Now() : task.dtFinishDT);
    default:
        return CellText(task, column);
    }
}
