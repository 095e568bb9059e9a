// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timerules/Instant.h"

// Solar (Gregorian) <-> Chinese lunar calendar for the lunar years 1900 to 2049. Initialise it with a solar
// or a lunar date, then read both sides of that same day.
class CLunarUtil
{
public:
    CLunarUtil();

    bool IsLeap() const { return m_isLeap; }
    int lDay() const { return m_lDay; }
    int lMonth() const { return m_lMonth; }
    int lYear() const { return m_lYear; }
    int sWeekDay() const;  // 1 = Sunday ... 7 = Saturday
    int sDay() const { return m_sDay; }
    int sMonth() const { return m_sMonth; }
    int sYear() const { return m_sYear; }
    Instant SolarDate() const { return m_solarDate; }

    bool IsToday(int y, int m, int d) const;

    // Solar to lunar. Returns false outside 1900-01-31..2050-01-22 (the lunar side is then 0).
    bool sInitDate(int y, int m, int d);
    // Lunar to solar. LeapFlag picks the leap month when m is the year's leap month. Returns false for a
    // lunar year outside 1900..2049. Days beyond the month's length run on into the following days.
    bool lInitDate(int y, int m, int d, bool LeapFlag = false);

    static bool InRange(int lunarYear) { return lunarYear >= kFirstYear && lunarYear <= kLastYear; }
    static int LunarYearDays(int y);
    static int LeapMonthOf(int y);  // 0 when the year has no leap month
    static int LeapMonthDays(int y);  // 0, 29 or 30
    static int LunarMonthDays(int y, int m);

    static constexpr int kFirstYear = 1900;
    static constexpr int kLastYear = 2049;

    // The converter the time rules share.
    static CLunarUtil& Shared();

private:
    static bool TestBit(quint32 value, int n);

    bool m_isLeap = false;
    int m_lYear = 0;
    int m_lMonth = 0;
    int m_lDay = 0;
    int m_sYear = 0;
    int m_sMonth = 0;
    int m_sDay = 0;
    Instant m_solarDate = 0;
};
