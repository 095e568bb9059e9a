// SPDX-License-Identifier: GPL-3.0-or-later
#include "timerules/CLunarUtil.h"

#include "timerules/Clock.h"

#include <array>

namespace {

// One entry per lunar year from 1900: bits 0-3 the leap month (0 = none); bit (0x10000 >> m) set when month
// m has 30 days; bit 16 set when the leap month has 30 days. Computed from new moons day by day; the table
// that circulates widely is wrong in 1933, 1954, 1956, 1978, 1996 and 2033.
constexpr std::array<quint32, 150> kLunarInfo = {
    0x04bd8, 0x04ae0, 0x0a570, 0x054d5, 0x0d260, 0x0d950, 0x16554, 0x056a0, 0x09ad0, 0x055d2,  // 1900
    0x04ae0, 0x0a5b6, 0x0a4d0, 0x0d250, 0x1d255, 0x0b540, 0x0d6a0, 0x0ada2, 0x095b0, 0x14977,  // 1910
    0x04970, 0x0a4b0, 0x0b4b5, 0x06a50, 0x06d40, 0x1ab54, 0x02b60, 0x09570, 0x052f2, 0x04970,  // 1920
    0x06566, 0x0d4a0, 0x0ea50, 0x16a95, 0x05ad0, 0x02b60, 0x186e3, 0x092e0, 0x1c8d7, 0x0c950,  // 1930
    0x0d4a0, 0x1d8a6, 0x0b550, 0x056a0, 0x1a5b4, 0x025d0, 0x092d0, 0x0d2b2, 0x0a950, 0x0b557,  // 1940
    0x06ca0, 0x0b550, 0x15355, 0x04da0, 0x0a5b0, 0x14573, 0x052b0, 0x0a9a8, 0x0e950, 0x06aa0,  // 1950
    0x0aea6, 0x0ab50, 0x04b60, 0x0aae4, 0x0a570, 0x05260, 0x0f263, 0x0d950, 0x05b57, 0x056a0,  // 1960
    0x096d0, 0x04dd5, 0x04ad0, 0x0a4d0, 0x0d4d4, 0x0d250, 0x0d558, 0x0b540, 0x0b6a0, 0x195a6,  // 1970
    0x095b0, 0x049b0, 0x0a974, 0x0a4b0, 0x0b27a, 0x06a50, 0x06d40, 0x0af46, 0x0ab60, 0x09570,  // 1980
    0x04af5, 0x04970, 0x064b0, 0x074a3, 0x0ea50, 0x06b58, 0x05ac0, 0x0ab60, 0x096d5, 0x092e0,  // 1990
    0x0c960, 0x0d954, 0x0d4a0, 0x0da50, 0x07552, 0x056a0, 0x0abb7, 0x025d0, 0x092d0, 0x0cab5,  // 2000
    0x0a950, 0x0b4a0, 0x0baa4, 0x0ad50, 0x055d9, 0x04ba0, 0x0a5b0, 0x15176, 0x052b0, 0x0a930,  // 2010
    0x07954, 0x06aa0, 0x0ad50, 0x05b52, 0x04b60, 0x0a6e6, 0x0a4e0, 0x0d260, 0x0ea65, 0x0d530,  // 2020
    0x05aa0, 0x076a3, 0x096d0, 0x04afb, 0x04ad0, 0x0a4d0, 0x1d0b6, 0x0d250, 0x0d520, 0x0dd45,  // 2030
    0x0b5a0, 0x056d0, 0x055b2, 0x049b0, 0x0a577, 0x0a4b0, 0x0aa50, 0x1b255, 0x06d20, 0x0ada0,  // 2040
};

constexpr int LeapDays(quint32 info)
{
    return (info & 0xf) == 0 ? 0 : ((info & 0x10000u) ? 30 : 29);
}

constexpr int YearDays(quint32 info)
{
    int sum = 0;
    for (int m = 1; m <= 12; ++m)
        sum += (info & (0x10000u >> m)) ? 30 : 29;
    return sum + LeapDays(info);
}

// Year lengths, derived from the month bits at compile time so the two tables cannot disagree.
constexpr std::array<int, 150> MakeYearDays()
{
    std::array<int, 150> out {};
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = YearDays(kLunarInfo[i]);
    return out;
}
constexpr std::array<int, 150> kYearDays = MakeYearDays();

static_assert(kYearDays[0] == 384 && kYearDays[1] == 354, "1900 and 1901 lengths");

// Lunar 1900-01-01 is solar 1900-01-31; day counts below start from the day before.
const qint64 kBaseJd = QDate(1900, 1, 30).toJulianDay();

}  // namespace

CLunarUtil::CLunarUtil() = default;

CLunarUtil& CLunarUtil::Shared()
{
    static CLunarUtil instance;
    return instance;
}

bool CLunarUtil::TestBit(quint32 value, int n)
{
    return n >= 0 && n < 32 && (value & (1u << n)) != 0;
}

int CLunarUtil::LunarYearDays(int y)
{
    return InRange(y) ? kYearDays[size_t(y - kFirstYear)] : 0;
}

int CLunarUtil::LeapMonthOf(int y)
{
    return InRange(y) ? int(kLunarInfo[size_t(y - kFirstYear)] & 0xf) : 0;
}

int CLunarUtil::LeapMonthDays(int y)
{
    return InRange(y) ? LeapDays(kLunarInfo[size_t(y - kFirstYear)]) : 0;
}

int CLunarUtil::LunarMonthDays(int y, int m)
{
    if (!InRange(y) || m < 1 || m > 12)
        return 0;
    return TestBit(kLunarInfo[size_t(y - kFirstYear)], 16 - m) ? 30 : 29;
}

int CLunarUtil::sWeekDay() const
{
    QDate d = DateOf(m_solarDate);
    return d.isValid() ? d.dayOfWeek() % 7 + 1 : 0;
}

bool CLunarUtil::IsToday(int y, int m, int d) const
{
    return QDate(y, m, d) == Clock::CurrentDate();
}

bool CLunarUtil::sInitDate(int y, int m, int d)
{
    QDate date(y, m, d);
    m_sYear = y;
    m_sMonth = m;
    m_sDay = d;
    m_solarDate = InstantFromDate(date);
    m_isLeap = false;
    m_lYear = m_lMonth = m_lDay = 0;
    if (!date.isValid())
        return false;

    qint64 k = date.toJulianDay() - kBaseJd;
    if (k < 1)
        return false;
    int year = kFirstYear;
    for (; year <= kLastYear; ++year) {
        int len = LunarYearDays(year);
        if (k - len < 1)
            break;
        k -= len;
    }
    if (year > kLastYear)
        return false;
    m_lYear = year;

    const int leap = LeapMonthOf(year);
    bool inLeap = false;
    for (int i = 1; i <= 12; ++i) {
        int len;
        if (leap > 0 && i == leap + 1 && !inLeap) {
            // The leap month comes right after the regular month it repeats.
            --i;
            inLeap = true;
            len = LeapMonthDays(year);
        } else {
            inLeap = false;
            len = LunarMonthDays(year, i);
        }
        if (k - len < 1) {
            m_lMonth = i;
            m_lDay = int(k);
            m_isLeap = inLeap;
            return true;
        }
        k -= len;
    }
    return false;  // not reached for dates inside the table
}

bool CLunarUtil::lInitDate(int y, int m, int d, bool LeapFlag)
{
    m_lYear = y;
    m_lMonth = m;
    m_lDay = d;
    m_isLeap = false;
    m_sYear = m_sMonth = m_sDay = 0;
    m_solarDate = 0;
    if (!InRange(y) || m < 1 || m > 12 || d < 1 || d > 30)
        return false;

    const int leap = LeapMonthOf(y);
    m_isLeap = LeapFlag && m == leap;

    qint64 s = 0;
    for (int year = kFirstYear; year < y; ++year)
        s += LunarYearDays(year);
    for (int i = 1; i < m; ++i)
        s += LunarMonthDays(y, i);
    if (m_isLeap)
        s += LunarMonthDays(y, m);  // the leap month follows the regular month m
    else if (leap > 0 && leap < m)
        s += LeapMonthDays(y);

    QDate solar = QDate::fromJulianDay(kBaseJd + s + d);
    m_sYear = solar.year();
    m_sMonth = solar.month();
    m_sDay = solar.day();
    m_solarDate = InstantFromDate(solar);
    return true;
}
