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
#include <QPointer>
#include <QThread>
#include <QVarLengthArray>

#include <array>
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

QString Translated(const char* context, const QString& source)
{
    return source.isEmpty() ? source : QCoreApplication::translate(context, source.toUtf8().constData());
}

}  // namespace

// Every word and pattern the list's cells are made of, in the language installed.
struct DisplayTexts::Words
{
    std::array<QString, 5> dayWords;  // two days ago .. in two days
    QString dayOfMonth, withDay;
    QString days, hoursMinutes, hours, minutes, seconds;
    QString later, earlier, notSet;
    std::array<QString, kTaskStatusCount> statuses;
    std::array<QString, tpUrgent + 1> priorities;

    Words()
    {
        const char* const dayWordTexts[] = { QT_TRANSLATE_NOOP("TaskDisplay", "前天"),
            QT_TRANSLATE_NOOP("TaskDisplay", "昨天"), QT_TRANSLATE_NOOP("TaskDisplay", "今天"),
            QT_TRANSLATE_NOOP("TaskDisplay", "明天"), QT_TRANSLATE_NOOP("TaskDisplay", "后天") };
        for (size_t i = 0; i < dayWords.size(); ++i)
            dayWords[i] = Word(dayWordTexts[i]);
        dayOfMonth = Word(QT_TRANSLATE_NOOP("TaskDisplay", "%1号"));  // %2 is the month, for languages that name it
        withDay = Word(QT_TRANSLATE_NOOP("TaskDisplay", "%1(%2)"));
        days = Word(QT_TRANSLATE_NOOP("TaskDisplay", "%1天"));
        hoursMinutes = Word(QT_TRANSLATE_NOOP("TaskDisplay", "%1小时%2分钟"));
        hours = Word(QT_TRANSLATE_NOOP("TaskDisplay", "%1小时"));
        minutes = Word(QT_TRANSLATE_NOOP("TaskDisplay", "%1分钟"));
        seconds = Word(QT_TRANSLATE_NOOP("TaskDisplay", "%1秒"));
        notSet = Word(QT_TRANSLATE_NOOP("TaskDisplay", "未设置"));
        later = QCoreApplication::translate("CTask", "(推迟%1)");
        earlier = QCoreApplication::translate("CTask", "(提前%1)");
        for (int s = 0; s < kTaskStatusCount; ++s)
            statuses[size_t(s)] = Translated("TaskStatus", TaskStatusName(s));
        for (int p = tpLow; p <= tpUrgent; ++p)
            priorities[size_t(p)] = Translated("TaskPriority", TaskPriorityName(p));
    }

    static QString Word(const char* source) { return QCoreApplication::translate("TaskDisplay", source); }
};

namespace {

// Translating the words again for every refresh (a lock, two text conversions and a search each) was a large part
// of its time. They are translated once, and again after the translation changes: Qt tells the application object
// of every change.
class WordCache : public QObject
{
public:
    using QObject::QObject;

    static std::shared_ptr<const DisplayTexts::Words> Get()
    {
        QCoreApplication* app = QCoreApplication::instance();
        if (!app || QThread::currentThread() != app->thread())
            return std::make_shared<const DisplayTexts::Words>();
        static QPointer<WordCache> cache;
        if (!cache) {
            cache = new WordCache(app);
            app->installEventFilter(cache);
        }
        if (!cache->m_words)
            cache->m_words = std::make_shared<const DisplayTexts::Words>();
        return cache->m_words;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::LanguageChange && watched == parent())
            m_words.reset();
        return false;
    }

private:
    std::shared_ptr<const DisplayTexts::Words> m_words;
};

bool English()
{
    return Translation::Current() == QLatin1String("en");
}

}  // namespace

// A cell's text is put together here and copied into its QString once: one allocation for each cell, where
// appending piece by piece (and QString::arg() with its pass through the locale for every number) was most of
// the time of a refresh.
class DisplayTexts::Builder
{
public:
    void Add(QStringView text) { m_text.append(text.utf16(), text.size()); }
    void Add(char16_t c) { m_text.append(c); }
    // `v` in decimal, zero-padded to `width`.
    void Number(qint64 v, int width = 0)
    {
        char16_t digits[24];
        char16_t* end = digits + std::size(digits);
        char16_t* p = end;
        quint64 u = v < 0 ? 0 - quint64(v) : quint64(v);
        do {
            *--p = char16_t(u'0' + u % 10);
            u /= 10;
        } while (u > 0);
        while (end - p < width && p > digits)
            *--p = u'0';
        if (v < 0)
            Add(u'-');
        m_text.append(p, end - p);
    }
    // `pattern` with %1 and %2 replaced by what `arg(builder, n)` appends for argument n.
    template <class Arg> void Fill(const QString& pattern, const Arg& arg)
    {
        for (qsizetype i = 0; i < pattern.size(); ++i) {
            const char16_t c = pattern.at(i).unicode();
            if (c == u'%' && i + 1 < pattern.size() && (pattern.at(i + 1) == u'1' || pattern.at(i + 1) == u'2')) {
                arg(*this, pattern.at(++i) == u'1' ? 1 : 2);
                continue;
            }
            Add(c);
        }
    }
    void FillNumbers(const QString& pattern, qint64 first, qint64 second = 0)
    {
        Fill(pattern, [first, second](Builder& out, int n) { out.Number(n == 1 ? first : second); });
    }
    qsizetype Size() const { return m_text.size(); }
    char16_t At(qsizetype i) const { return m_text.at(i); }
    QString Text() const { return QString(reinterpret_cast<const QChar*>(m_text.constData()), m_text.size()); }

private:
    QVarLengthArray<char16_t, 96> m_text;
};

DisplayTexts::DisplayTexts()
    : m_english(English())
    , m_words(WordCache::Get())
{
    const QDateTime now = Clock::CurrentDateTime();
    m_now = InstantFromDateTime(now);
    m_today = now.date();
}

void DisplayTexts::AddFriendlyTime(Builder& out, Instant dt) const
{
    const FriendlyMoment m = DescribeMoment(dt, m_today);
    const auto day = [this, &m](Builder& b) {
        switch (m.day) {
        case FriendlyMoment::None:
        case FriendlyMoment::Today:
            break;
        case FriendlyMoment::Near:
            b.Add(m_words->dayWords[size_t(m.offset + 2)]);
            break;
        case FriendlyMoment::FullDate:
            b.Number(m.year % 100, 2);
            b.Add(u'/');
            [[fallthrough]];
        case FriendlyMoment::MonthDay:
            b.Number(m.month);
            b.Add(u'/');
            b.Number(m.dayOfMonth);
            break;
        case FriendlyMoment::DayOfMonth:
            b.FillNumbers(m_words->dayOfMonth, m.dayOfMonth, m.month);
            break;
        }
    };
    const auto time = [&m](Builder& b) {
        b.Number(m.seconds / 3600, 2);
        b.Add(u':');
        b.Number(m.seconds / 60 % 60, 2);
        b.Add(u':');
        b.Number(m.seconds % 60, 2);
    };
    if (m.day == FriendlyMoment::None)
        out.Add(u"--");
    else if (m.seconds == 0)
        m.day == FriendlyMoment::Today ? out.Add(m_words->dayWords[2]) : day(out);
    else if (m.day == FriendlyMoment::Today)
        time(out);
    else
        out.Fill(m_words->withDay, [&](Builder& b, int n) { n == 1 ? time(b) : day(b); });
}

void DisplayTexts::AddDuration(Builder& out, Instant fromDT, Instant toDT) const
{
    const DurationParts d = DescribeDuration(fromDT, toDT);
    const Words& w = *m_words;
    if (!d.showable) {
        out.Add(u"--");
        return;
    }
    if (d.days != 0) {
        out.FillNumbers(w.days, d.days);
        return;
    }
    if (d.negative)
        out.Add(u'-');
    if (d.hours > 0 && d.minutes > 0)
        out.FillNumbers(w.hoursMinutes, d.hours, d.minutes);
    else if (d.hours > 0)
        out.FillNumbers(w.hours, d.hours);
    else if (d.minutes > 0)
        out.FillNumbers(w.minutes, d.minutes);
    else
        out.FillNumbers(w.seconds, d.seconds);
}

QString DisplayTexts::FriendlyTime(Instant dt) const
{
    Builder out;
    AddFriendlyTime(out, dt);
    return out.Text();
}

QString DisplayTexts::Duration(Instant fromDT, Instant toDT) const
{
    Builder out;
    AddDuration(out, fromDT, toDT);
    return out.Text();
}

// A span not yet begun, or running backwards, shows as "--".
QString DisplayTexts::Span(Instant fromDT, Instant toDT) const
{
    if (fromDT == 0)
        return QStringLiteral("--");
    Builder out;
    AddDuration(out, fromDT, toDT);
    return out.Size() > 0 && out.At(0) == u'-' ? QStringLiteral("--") : out.Text();
}

QString DisplayTexts::AlarmTime(const CTask& task) const
{
    Builder out;
    AddFriendlyTime(out, task.dtAlarmDT);
    const TaskStatus status = task.eStatus();
    if (status == tsNotStarted || status == tsDue || status == tsPostponed) {
        const qint64 diff = SecondDiff(task.dtDueDT, task.dtAlarmDT);
        if (diff != 0) {
            const Instant from = diff > 0 ? task.dtDueDT : task.dtAlarmDT;
            const Instant to = diff > 0 ? task.dtAlarmDT : task.dtDueDT;
            out.Add(u"\r\n");
            out.Fill(diff > 0 ? m_words->later : m_words->earlier,
                [&](Builder& b, int n) { n == 1 ? AddDuration(b, from, to) : void(); });
        }
    }
    return out.Text();
}

QString DisplayTexts::ValidPeriod(const CTask& task, const QString& notDefined) const
{
    if (task.dtValidFromDT == 0 && task.dtValidToDT == 0)
        return notDefined;
    Builder out;
    if (task.dtValidFromDT != 0)
        AddFriendlyTime(out, task.dtValidFromDT);
    out.Add(u'~');
    if (task.dtValidToDT != 0)
        AddFriendlyTime(out, task.dtValidToDT);
    return out.Text();
}

QString DisplayTexts::Cell(const CTask& task, int column) const
{
    switch (column) {
    case colDue:
        return m_english ? EnglishDueText(task.sDueDate, task.sDueTime) : CellText(task, colDue);
    case colStatus:
        return task.eStatus() >= 0 && task.eStatus() < kTaskStatusCount ? m_words->statuses[size_t(task.eStatus())]
                                                                        : QString();
    case colAlarm:
        return AlarmTime(task);
    case colRemain:
        return task.IsWaiting() ? Duration(m_now, task.dtAlarmDT) : QStringLiteral("--");
    case colPriority:
        return task.ePriority >= tpLow && task.ePriority <= tpUrgent ? m_words->priorities[size_t(task.ePriority)]
                                                                     : QString();
    case colValidPeriod:
        return ValidPeriod(task, m_words->notSet);
    case colStart:
        return FriendlyTime(task.dtStartDT);
    case colFinish:
        return FriendlyTime(task.dtFinishDT);
    case colPlaned:
        return Span(task.dtStartDT, task.dtDueDT);
    case colSpent:
        return Span(task.dtStartDT, task.IsWaiting() ? m_now : task.dtFinishDT);
    default:
        return CellText(task, column);
    }
}

QString TaskStatusDisplayName(int status)
{
    return status >= 0 && status < kTaskStatusCount ? WordCache::Get()->statuses[size_t(status)] : QString();
}

QString TaskPriorityDisplayName(int priority)
{
    return priority >= tpLow && priority <= tpUrgent ? WordCache::Get()->priorities[size_t(priority)] : QString();
}

QString DisplayFriendlyTime(Instant dt)
{
    return DisplayTexts().FriendlyTime(dt);
}

QString DisplayDuration(Instant fromDT, Instant toDT)
{
    return DisplayTexts().Duration(fromDT, toDT);
}

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
    return DisplayTexts().Cell(task, column);
}
