// SPDX-License-Identifier: GPL-3.0-or-later
#include "timerules/Instant.h"

#include <cmath>

namespace {

// 1899-12-30, day 0 of the OLE calendar.
const qint64 kEpochJd = QDate(1899, 12, 30).toJulianDay();
// The range VB-style dates cover: 0100-01-01 .. 9999-12-31.
const qint64 kFirstDay = QDate(100, 1, 1).toJulianDay() - kEpochJd;
const qint64 kLastDay = QDate(9999, 12, 31).toJulianDay() - kEpochJd;

struct Parts
{
    qint64 day = 0;  // days since the epoch
    int secs = 0;  // seconds of that day
    bool ok = false;
};

// OLE dates below zero keep the day in the integer part and the time as a positive fraction:
// -1.25 is 1899-12-29 06:00.
Parts Split(Instant value)
{
    Parts p;
    if (!std::isfinite(value) || value < double(kFirstDay) - 1 || value > double(kLastDay) + 1)
        return p;
    double whole = std::trunc(value);
    double frac = std::fabs(value - whole);
    p.day = qint64(whole);
    p.secs = int(std::llround(frac * SECONDS_PER_DAY));
    if (p.secs >= SECONDS_PER_DAY) {
        p.secs -= SECONDS_PER_DAY;
        p.day += value < 0 ? -1 : 1;
    }
    p.ok = p.day >= kFirstDay && p.day <= kLastDay;
    return p;
}

Instant Join(qint64 day, int secs)
{
    if (day < kFirstDay || day > kLastDay)
        return 0;
    double frac = double(secs) / SECONDS_PER_DAY;
    return day >= 0 ? double(day) + frac : double(day) - frac;
}

}  // namespace

Instant InstantFromDate(const QDate& date)
{
    if (!date.isValid())
        return 0;
    return Join(date.toJulianDay() - kEpochJd, 0);
}

Instant InstantFromDateTime(const QDate& date, const QTime& time)
{
    if (!date.isValid() || !time.isValid())
        return 0;
    return Join(date.toJulianDay() - kEpochJd, time.msecsSinceStartOfDay() / 1000);
}

Instant InstantFromDateTime(const QDateTime& dt)
{
    return InstantFromDateTime(dt.date(), dt.time());
}

Instant InstantFromTime(const QTime& time)
{
    if (!time.isValid())
        return 0;
    return double(time.msecsSinceStartOfDay() / 1000) / SECONDS_PER_DAY;
}

Instant MakeInstant(int year, int month, int day, int hour, int minute, int second)
{
    return InstantFromDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

QDate DateOf(Instant value)
{
    Parts p = Split(value);
    if (!p.ok)
        return {};
    return QDate::fromJulianDay(kEpochJd + p.day);
}

QTime TimeOf(Instant value)
{
    Parts p = Split(value);
    if (!p.ok)
        return {};
    return QTime::fromMSecsSinceStartOfDay(p.secs * 1000);
}

QDateTime DateTimeOf(Instant value)
{
    Parts p = Split(value);
    if (!p.ok)
        return {};
    // UTC as a carrier for wall-clock fields: a local QDateTime would shift times that fall into a
    // daylight-saving gap, while an instant keeps exactly what the user typed.
    return QDateTime(QDate::fromJulianDay(kEpochJd + p.day), QTime::fromMSecsSinceStartOfDay(p.secs * 1000), Qt::UTC);
}

int SecondsOfDay(Instant value)
{
    Parts p = Split(value);
    return p.ok ? p.secs : 0;
}

bool IsRepresentable(Instant value)
{
    return Split(value).ok;
}

bool SplitInstant(Instant value, qint64& julianDay, int& secondOfDay)
{
    const Parts p = Split(value);
    if (!p.ok)
        return false;
    julianDay = kEpochJd + p.day;
    secondOfDay = p.secs;
    return true;
}

Instant DatePart(Instant value)
{
    if (value >= NO_DATE)
        return NO_DATE;
    Parts p = Split(value);
    return p.ok ? Join(p.day, 0) : 0;
}

Instant TimePart(Instant value)
{
    if (value >= NO_DATE)
        return NO_DATE;
    Parts p = Split(value);
    return p.ok ? double(p.secs) / SECONDS_PER_DAY : 0;
}

Instant AddSeconds(Instant value, double seconds)
{
    Parts p = Split(value);
    if (!p.ok || !std::isfinite(seconds))
        return 0;
    // Work in whole seconds from the epoch so negative dates and DST-free wall time stay exact.
    double total = double(p.day) * SECONDS_PER_DAY + p.secs + std::round(seconds);
    double limitLo = double(kFirstDay) * SECONDS_PER_DAY;
    double limitHi = double(kLastDay + 1) * SECONDS_PER_DAY;
    if (total < limitLo || total >= limitHi)
        return 0;
    qint64 t = qint64(total);
    qint64 day = t >= 0 ? t / SECONDS_PER_DAY : -((-t + SECONDS_PER_DAY - 1) / SECONDS_PER_DAY);
    int secs = int(t - day * SECONDS_PER_DAY);
    return Join(day, secs);
}

Instant AddDays(Instant value, double days)
{
    if (!std::isfinite(days) || std::fabs(days) > 4.0e6)
        return 0;
    return AddSeconds(value, days * SECONDS_PER_DAY);
}

Instant AddMonths(Instant value, qint64 months)
{
    Parts p = Split(value);
    if (!p.ok || months > 120000 || months < -120000)
        return 0;
    QDate d = QDate::fromJulianDay(kEpochJd + p.day);
    qint64 m0 = qint64(d.year()) * 12 + (d.month() - 1) + months;
    int year = int(m0 >= 0 ? m0 / 12 : (m0 - 11) / 12);
    int month = int(m0 - qint64(year) * 12) + 1;
    if (year < 100 || year > 9999)
        return 0;
    int day = std::min(d.day(), QDate(year, month, 1).daysInMonth());
    return Join(QDate(year, month, day).toJulianDay() - kEpochJd, p.secs);
}

Instant AddYears(Instant value, qint64 years)
{
    if (years > 10000 || years < -10000)
        return 0;
    return AddMonths(value, years * 12);
}

qint64 DayDiff(Instant from, Instant to)
{
    Parts a = Split(from);
    Parts b = Split(to);
    if (!a.ok || !b.ok)
        return 0;
    return b.day - a.day;
}

qint64 SecondDiff(Instant from, Instant to)
{
    Parts a = Split(from);
    Parts b = Split(to);
    if (!a.ok || !b.ok)
        return qint64(std::llround((to - from) * SECONDS_PER_DAY));
    return (b.day - a.day) * SECONDS_PER_DAY + (b.secs - a.secs);
}

bool SameSecond(Instant a, Instant b)
{
    return SecondDiff(a, b) == 0;
}

bool AtOrAfter(Instant a, Instant b)
{
    // The scan asks this of every waiting task each second, nearly always about instants far apart. From
    // 1899-12-30 on, a larger value is a later moment, so beyond a margin of two seconds the rounding to whole
    // seconds cannot change the answer (before it, the fraction counts the other way and only the full
    // comparison is right).
    constexpr double kMargin = 2.0 / SECONDS_PER_DAY;
    if (a >= 0 && b >= 0 && std::isfinite(a) && std::isfinite(b)) {
        if (a > b + kMargin)
            return true;
        if (a < b - kMargin)
            return false;
    }
    return SecondDiff(b, a) >= 0;
}
