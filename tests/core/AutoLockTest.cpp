// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AutoLock.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

TEST(AutoLock, TextGivesSecondsAndIsStoredInItsNormalForm)
{
    const struct
    {
        const char* text;
        int seconds;
        const char* stored;
    } rows[] = {
        { "5", 300, "5" },
        { "30s", 30, "30s" },
        { "1.5", 90, "1.5" },
        { "45.4s", 45, "45s" },
        { "45.6s", 46, "46s" },
        { "0", 0, "0" },
        { "abc", 0, "0" },
        { "", 0, "0" },
        { "s", 0, "0s" },
        { "-2", -120, "-2" },  // 0 or less: never
        { "1e300", 2147483647, "1e300" },
        { "10 min", 0, "0" },
    };
    for (const auto& r : rows) {
        QString text = QString::fromUtf8(r.text);
        EXPECT_EQ(ParseAutoLock(text), r.seconds) << r.text;
        EXPECT_EQ(text, QString::fromUtf8(r.stored)) << r.text;
    }
}

TEST(AutoLock, IdleClockCountsWholeSecondsSinceTheLastActivity)
{
    ClockGuard clock(2012, 6, 3, 12, 0, 0);
    IdleClock idle;
    clock.Advance(29);
    EXPECT_FALSE(idle.Expired(30));
    clock.Advance(1);
    EXPECT_TRUE(idle.Expired(30));
    idle.Reset();
    EXPECT_FALSE(idle.Expired(30));
}
