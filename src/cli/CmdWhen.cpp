// SPDX-License-Identifier: GPL-3.0-or-later
// tickwell-cli when: the due moment of a due-date text and a due-time text, and the occurrences after it.
#include "cli/CliCommand.h"
#include "core/CTask.h"
#include "timerules/Clock.h"
#include "timerules/EnglishExpr.h"
#include "timerules/Recurrence.h"
#include "timerules/TimeExpr.h"

#include <QRegularExpression>

#include <memory>

namespace {

constexpr int kMaxCount = 100000;

QString MomentText(Instant v)
{
    // As the data file, the list and every formatter of the program show them.
    if (v >= NO_DATE)
        return QStringLiteral("--");
    return DateTimeOf(v).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// Which of the two texts could not be read, in the editor's words. A time rule governs alone, and a clock
// time that reads leaves the date to blame.
QString UnreadableMessage(const QString& timeText)
{
    const QString time = timeText.trimmed();
    const bool timeRule = IsRecurringText(time) || IsRelativeText(time);
    if (timeRule || (!time.isEmpty() && !IsDateLiteral(time)))
        return CliText::tr("请填写正确的时间!");
    return CliText::tr("请填写正确的日期");
}

int RunWhen(const QStringList& argsIn, QTextStream& out, QTextStream& err)
{
    QStringList args = argsIn;
    bool missing = false;
    const QString nowText = Cli::TakeOption(args, QStringLiteral("now"), &missing);
    if (missing) {
        err << CliText::tr("--now 后面要给出时刻，格式为 \"YYYY-MM-DD hh:mm:ss\"\n");
        return 2;
    }
    const QString countText = Cli::TakeOption(args, QStringLiteral("count"), &missing);
    if (missing) {
        err << CliText::tr("--count 后面要给出次数\n");
        return 2;
    }
    if (args.size() != 2) {
        err << CliText::tr("请给出日期和时间两个表达式，例如：tickwell-cli when 每周135 9:00\n");
        return 2;
    }

    int count = 1;
    if (!countText.isNull()) {
        static const QRegularExpression number(QStringLiteral("^[0-9]{1,6}\\z"));
        count = number.match(countText).hasMatch() ? countText.toInt() : 0;
        if (count < 1 || count > kMaxCount) {
            err << CliText::tr("--count 须是 1 到 %1 之间的整数\n").arg(kMaxCount);
            return 2;
        }
    }

    std::shared_ptr<ManualClock> clock;
    if (!nowText.isNull()) {
        static const QRegularExpression moment(
            QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})[ T](\\d{1,2}):(\\d{1,2}):(\\d{1,2})\\z"));
        const QRegularExpressionMatch m = moment.match(nowText.trimmed());
        const QDate date
            = m.hasMatch() ? QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()) : QDate();
        const QTime time
            = m.hasMatch() ? QTime(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt()) : QTime();
        if (!date.isValid() || !time.isValid() || date.year() < 100) {
            err << CliText::tr("--now 的格式应为 \"YYYY-MM-DD hh:mm:ss\"，例如 \"2011-12-15 11:00:00\"\n");
            return 2;
        }
        clock = std::make_shared<ManualClock>(QDateTime(date, time, Qt::UTC));
        Clock::SetSource(clock);
    }

    CTask task;
    task.sDueDate = StoredDateText(args[0]);
    task.sDueTime = StoredTimeText(args[1]);
    task.dtDueDT = ResolveDueTime(task.sDueDate, task.sDueTime, 0);
    if (task.dtDueDT == 0) {
        err << UnreadableMessage(task.sDueTime) << '\n';
        return 2;
    }
    out << MomentText(task.dtDueDT) << '\n';
    if (task.dtDueDT >= NO_DATE || !task.IsRecurring())
        return 0;

    // Each occurrence is finished the moment it comes due; the next one counts from there.
    if (!clock && count > 1) {
        clock = std::make_shared<ManualClock>();
        Clock::SetSource(clock);
    }
    for (int i = 1; i < count; ++i) {
        clock->Set(task.dtDueDT);
        task.SetStatus(tsFinished);
        if (!task.NextRecurring(true) || task.dtDueDT >= NO_DATE)
            break;
        out << MomentText(task.dtDueDT) << '\n';
    }
    return 0;
}

const bool registered = Cli::Register(
    { QStringLiteral("when"), QT_TRANSLATE_NOOP("CliText", "[--now \"YYYY-MM-DD hh:mm:ss\"] [--count N] 日期 时间"),
        QT_TRANSLATE_NOOP("CliText",
            "按日期和时间表达式算出到期时刻（可为周期规则）；--count N 列出接下来的 N 次，--now 指定当前时刻"),
        QT_TRANSLATE_NOOP(
            "CliText", "tickwell-cli when --now \"2011-12-15 11:00:00\" 每天 10:00   （输出 2011-12-16 10:00:00）"),
        RunWhen });

}  // namespace
