// SPDX-License-Identifier: GPL-3.0-or-later
// Properties of rule evaluation over many generated rules and clock values, checked against a plain
// day-by-day search written straight from the rule's meaning.
#include "support/TestEnv.h"
#include "support/TestText.h"
#include "timerules/CLunarUtil.h"
#include "timerules/Recurrence.h"
#include "timerules/TimeExpr.h"

#include <random>
#include <string>
#include <vector>

namespace {

class Gen
{
public:
    explicit Gen(unsigned seed)
        : m_rng(seed)
    {
    }
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    bool Chance(int percent) { return Int(0, 99) < percent; }
    QString From(const char* alphabet, int minLen, int maxLen)
    {
        const QString a = QString::fromUtf8(alphabet);
        QString s;
        for (int n = Int(minLen, maxLen); n > 0; --n)
            s += a.at(Int(0, int(a.size()) - 1));
        return s;
    }
    // A moment between 1990 and 2040, to the second.
    Instant Moment()
    {
        return MakeInstant(Int(1990, 2040), Int(1, 12), Int(1, 28), Int(0, 23), Int(0, 59), Int(0, 59))
            + (Chance(20) ? Int(0, 3) : 0);
    }
    QString Clock()
    {
        return QString::number(Int(0, 23)) + u':' + QString::number(Int(0, 59))
            + (Chance(30) ? u':' + QString::number(Int(0, 59)) : QString());
    }

private:
    std::mt19937 m_rng;
};

// Leading signed number as the rules read it: "1,15" -> 1, "-1" -> -1, ",1" -> 0.
long long LeadingNumber(const QString& s)
{
    int i = 0;
    bool negative = false;
    if (i < s.size() && s[i] == u'-') {
        negative = true;
        ++i;
    }
    long long v = 0;
    for (; i < s.size() && s[i].isDigit() && v < 1000000; ++i)
        v = v * 10 + s[i].digitValue();
    return negative ? -v : v;
}

bool Listed(const QString& spec, const QString& item)
{
    return QString(u',' + spec + u',').contains(QString(u',' + item + u','));
}

enum class Kind { Week, Month, Year, LunarMonth, LunarYear };

// Lunar month and day of every solar day the generated clocks can reach, converted once.
struct LunarDay
{
    int month = 0;
    int day = 0;
};
const std::vector<LunarDay>& LunarDays(qint64* firstJd)
{
    static const qint64 first = QDate(1990, 1, 1).toJulianDay();
    static const std::vector<LunarDay> days = [] {
        std::vector<LunarDay> out;
        CLunarUtil lunar;
        for (QDate d(1990, 1, 1); d.year() < 2050; d = d.addDays(1)) {
            lunar.sInitDate(d.year(), d.month(), d.day());
            out.push_back({ lunar.lMonth(), lunar.lDay() });
        }
        return out;
    }();
    *firstJd = first;
    return days;
}

// Which days are occurrences of "每周S", "每月S", "每年S", "农历每月S" or "农历每年S": the detail is read by
// looking each possible item up in ",S," as text, the way the rule is worded.
class Occurrences
{
public:
    Occurrences(Kind kind, const QString& spec)
        : m_kind(kind)
        , m_leading(LeadingNumber(spec))
    {
        const bool byMonth = kind == Kind::Year || kind == Kind::LunarYear;
        for (int m = byMonth ? 1 : 0; m <= (byMonth ? 12 : 0); ++m)
            for (int d = 1; d <= 31; ++d)
                m_listed[m][d] = m == 0 ? (kind == Kind::Week ? d <= 7 && spec.contains(QString::number(d))
                                                              : Listed(spec, QString::number(d)))
                                        : Listed(spec, QString::number(m) + u'-' + QString::number(d));
    }

    bool At(const QDate& d) const
    {
        switch (m_kind) {
        case Kind::Week:
            return m_listed[0][d.dayOfWeek()];
        case Kind::Month:
            if (m_leading < 0)  // |v| days before the first of some month
                return d.addDays(-m_leading).day() == 1;
            return m_listed[0][d.day()];
        case Kind::Year:
            return m_listed[d.month()][d.day()];
        case Kind::LunarMonth:
        case Kind::LunarYear: {
            qint64 first = 0;
            const auto& table = LunarDays(&first);
            const qint64 i = d.toJulianDay() - first;
            if (i < 0 || i >= qint64(table.size()))
                return false;
            const LunarDay& l = table[size_t(i)];
            return m_kind == Kind::LunarMonth ? m_listed[0][l.day] : m_listed[l.month][l.day];
        }
        }
        return false;
    }

private:
    Kind m_kind;
    long long m_leading;
    bool m_listed[13][32] = {};
};

// The first occurrence at time of day T later than now and not before base, and how many days on from
// the base it lies; nullopt when there is none in `days` days.
struct Hit
{
    Instant moment;
    int offset;
};
std::optional<Hit> FirstOccurrence(const Occurrences& occ, int T, Instant now, Instant base, int days)
{
    QDate d = DateOf(base);
    for (int i = 0; i < days; ++i, d = d.addDays(1)) {
        if (!occ.At(d))
            continue;
        const Instant c = AddSeconds(InstantFromDate(d), T);
        if (SecondDiff(now, c) > 0 && SecondDiff(base, c) >= 0)
            return Hit { c, i };
    }
    return std::nullopt;
}

}  // namespace

// Every-period rules from a random clock and base: always later than now and never before the base.
TEST(RecurrenceProperties, NextOccurrenceIsLaterThanNowAndNotBeforeBase)
{
    Gen g(4242);
    ClockGuard clock(2011, 12, 15, 11, 0);
    const char* heads[] = { "每", "每2", "每3", "每7", "每12", "每0", "农历每" };
    const char* units[] = { "天", "周", "月", "个月", "年" };
    const char* specs[] = { "", "135", "7", "1,15", "-1", "-3", "31", "1-1,2-29", "8-15", "2-30", "01" };
    const char* timeRules[]
        = { "每小时", "每2小时30:0", "每小时0分", "每分钟0秒", "每10分钟", "每30秒", "每3小时59:59" };
    for (int i = 0; i < 3000; ++i) {
        const Instant now = g.Moment();
        clock.clock().Set(now);
        const int baseKind = g.Int(0, 2);
        const Instant base = baseKind == 0 ? 0 : AddSeconds(now, double(g.Int(-400, 400)) * 86400 + g.Int(-3600, 3600));
        QString date, time;
        if (g.Chance(25)) {
            date = QStringLiteral("每天");
            time = QString::fromUtf8(timeRules[g.Int(0, 6)]);
        } else {
            date = QString::fromUtf8(heads[g.Int(0, 6)]) + QString::fromUtf8(units[g.Int(0, 4)])
                + QString::fromUtf8(specs[g.Int(0, 10)]);
            time = g.Chance(10) ? QString() : g.Clock();
        }
        const Instant r = ResolveDueTime(date, time, base);
        SCOPED_TRACE(date.toStdString() + " / " + time.toStdString() + " now " + Show(now) + " base " + Show(base));
        if (r == 0)
            continue;  // a rule such as "每年2-30" has no occurrence at all
        EXPECT_GT(SecondDiff(now, r), 0) << Show(r);
        if (base != 0) {
            EXPECT_GE(SecondDiff(base, r), 0) << Show(r);
        }
    }
}

// Rules with a count of 1 must give exactly the first matching day a plain search finds, whatever the detail
// holds (also numbers with leading zeros, empty items and stray dashes, which never match).
TEST(RecurrenceProperties, DateRulesMatchAPlainDayByDaySearch)
{
    Gen g(1215);
    ClockGuard clock(2011, 12, 15, 11, 0);
    int compared = 0;
    for (int i = 0; i < 1500; ++i) {
        const Instant now = g.Moment();
        clock.clock().Set(now);
        const Instant base = g.Chance(50) ? now : AddSeconds(now, double(g.Int(0, 60)) * 86400 + g.Int(0, 86399));
        const Kind kind = Kind(g.Int(0, 4));
        QString spec, rule;
        switch (kind) {
        case Kind::Week:
            spec = g.From("1234567", 1, 3);
            rule = QStringLiteral("每周") + spec;
            break;
        case Kind::Month:
            spec = g.Chance(25) ? u'-' + QString::number(g.Int(1, 31)) : g.From("0123456789,,-", 1, 6);
            rule = QStringLiteral("每月") + spec + QStringLiteral("号");
            break;
        case Kind::Year:
            spec = QString::number(g.Int(1, 12)) + u'-' + QString::number(g.Int(1, 31))
                + (g.Chance(40) ? g.From("0123456789,-", 1, 5) : QString());
            rule = QStringLiteral("每年") + spec;
            break;
        case Kind::LunarMonth:
            spec = g.From("0123456789,", 1, 5);
            rule = QStringLiteral("农历每月") + spec;
            break;
        case Kind::LunarYear:
            spec = QString::number(g.Int(1, 12)) + u'-' + QString::number(g.Int(1, 30))
                + (g.Chance(40) ? u',' + QString::number(g.Int(1, 12)) + u'-' + QString::number(g.Int(1, 30))
                                : QString());
            rule = QStringLiteral("农历每年") + spec;
            break;
        }
        if (spec.startsWith(u','))
            continue;  // the leading number is 0: an invalid monthly rule, checked elsewhere
        if (kind == Kind::Month && (LeadingNumber(spec) == 0 || LeadingNumber(spec) > 31 || LeadingNumber(spec) < -31))
            continue;
        const int T = g.Int(0, 86399);
        const QString time = TimeLiteralText(double(T) / SECONDS_PER_DAY);
        const Instant r = ResolveDueTime(rule, time, base);
        SCOPED_TRACE(rule.toStdString() + " " + time.toStdString() + " now " + Show(now) + " base " + Show(base));

        // Near the give-up distance the answer depends on where a scan stops: compare clear cases only.
        const std::optional<Hit> hit = FirstOccurrence(Occurrences(kind, spec), T, now, base, 3400);
        if (hit && hit->offset < 2500) {
            EXPECT_EQ(Show(r), Show(hit->moment));
            ++compared;
        } else if (!hit) {
            EXPECT_EQ(Show(r), "0");
            ++compared;
        }
    }
    EXPECT_GT(compared, 1000);
}

// Hourly and minutely rules with a count of 1 give the first matching moment strictly after now.
TEST(RecurrenceProperties, TimeRulesMatchASecondBySecondSearch)
{
    Gen g(77);
    ClockGuard clock(2011, 12, 15, 11, 0);
    for (int i = 0; i < 400; ++i) {
        const Instant now = g.Moment();
        clock.clock().Set(now);
        const bool hourly = g.Chance(50);
        const int mm = g.Int(0, 59), ss = g.Int(0, 59);
        const QString rule
            = hourly ? QStringLiteral("每小时%1:%2").arg(mm).arg(ss) : QStringLiteral("每分钟%1秒").arg(ss);
        const Instant r = ResolveDueTime(QStringLiteral("每天"), rule, 0);
        Instant expected = 0;
        for (int s = 1; s <= 3600; ++s) {
            const Instant c = AddSeconds(now, s);
            const int secs = SecondsOfDay(c);
            if (secs % 60 == ss && (!hourly || secs / 60 % 60 == mm)) {
                expected = c;
                break;
            }
        }
        EXPECT_EQ(Show(r), Show(expected)) << rule.toStdString() << " now " << Show(now);
    }
}
