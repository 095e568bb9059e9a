// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary due-date and due-time texts to the recurrence rules. The input's first line is the date
// text, the second the time text (the whole input is also tried as either). The first byte picks the
// clock's moment and a base; the last eight bytes, read as a double, are one more base.
//
// Whatever the input: no crash, hang or sanitizer report, and the promises checked below hold.
#include "FuzzClock.h"
#include "timerules/DueRules.h"
#include "timerules/Recurrence.h"
#include "timerules/TimeExpr.h"

#include <QStringList>

#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>

namespace {

const QDateTime kMoments[] = {
    QDateTime(QDate(2011, 12, 15), QTime(11, 0), Qt::UTC), QDateTime(QDate(2012, 2, 29), QTime(0, 0), Qt::UTC),
    QDateTime(QDate(2013, 3, 1), QTime(9, 0), Qt::UTC), QDateTime(QDate(2011, 12, 31), QTime(23, 59, 59), Qt::UTC),
    QDateTime(QDate(2049, 12, 1), QTime(12, 0), Qt::UTC),  // the lunar table is about to end
    QDateTime(QDate(9999, 12, 31), QTime(23, 59, 0), Qt::UTC),  // the last day there is
    QDateTime(QDate(100, 1, 1), QTime(0, 0), Qt::UTC),  // the first
};

const double kBases[] = {
    0.0,
    40892.458333,  // 2011-12-15 11:00
    40900.375,
    NO_DATE,
    NO_DATE + 1,
    2958465.999988,  // 9999-12-31 23:59:59
    -657434.0,  // 0100-01-01
    -1.25,
    1e300,
    std::numeric_limits<double>::infinity(),
    std::numeric_limits<double>::quiet_NaN(),
};

void Check(bool promise)
{
    if (!promise)
        __builtin_trap();
}

// A result is "none" (0), "no due moment" (NO_DATE) or a moment the program can show.
void CheckResult(Instant v)
{
    Check(v == 0 || v == NO_DATE || IsRepresentable(v));
}

void Rules(const QString& date, const QString& time, Instant base)
{
    const Instant now = Clock::Now();
    CheckResult(EvalDateRule(date, base));
    CheckResult(EvalTimeRule(time, base));
    const Instant due = ResolveDueTime(date, time, base);
    CheckResult(due);
    const QString t = time.trimmed();
    const QString d = date.trimmed();
    const bool recurring = IsRecurringText(t) || (IsRecurringText(d) && !IsRelativeText(t));
    if (recurring && due != 0 && due != NO_DATE) {
        Check(SecondDiff(now, due) > 0);
        if (IsRepresentable(base) && base != 0 && SecondDiff(now, base) > 0)
            Check(SecondDiff(base, due) >= 0);
    }
}

void Vocabulary(const QString& date, const QString& time)
{
    const std::optional<LoopFields> fields = ParseLoopRule(date, time);
    if (!fields)
        return;
    LoopFields clean = *fields;
    QString desc;
    if (!GetSpecDesc(clean.type, clean.specOn, clean.spec, &clean.spec, &desc))
        return;
    GetTypeDesc(clean.type, clean.count);
    const std::optional<LoopRuleTexts> texts = ComposeLoopRule(clean);
    Check(texts.has_value());
    // What the dialog writes must show up again the same way.
    Check(ParseLoopRule(texts->dateText, texts->timeText) == clean);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const uint8_t pick = size > 0 ? data[0] : 0;
    FuzzClock().Set(kMoments[pick % std::size(kMoments)]);
    double raw = 0;
    if (size >= sizeof raw)
        std::memcpy(&raw, data + size - sizeof raw, sizeof raw);

    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = text.split(u'\n');
    const QString date = lines.value(0);
    const QString time = lines.value(1);

    for (Instant base : { 0.0, kBases[pick % std::size(kBases)], raw }) {
        Rules(date, time, base);
        Rules(text, QStringLiteral("9:00"), base);
        Rules(QStringLiteral("每天"), text, base);
    }
    Vocabulary(date, time);
    Vocabulary(text, QString());
    for (int type = -1; type <= kLoopTypeCount; ++type) {
        QString spec, desc;
        GetSpecDesc(type, true, text, &spec, &desc);
        GetTypeDesc(type, text);
    }

    const DueFieldResult dateField = DueDateRules(date);
    Check(dateField.accepted == dateField.message.isEmpty());
    const DueFieldResult timeField = DueTimeRules(time, dateField.text);
    Check(timeField.accepted == timeField.message.isEmpty());
    return 0;
}
