// SPDX-License-Identifier: GPL-3.0-or-later
#include "timerules/CompoundAmount.h"
#include "support/TestEnv.h"

namespace {

Instant Apply(Instant base, const QString& text)
{
    auto a = ParseCompoundAmount(text);
    return a ? ApplyCompoundAmount(base, *a) : -1;
}

}  // namespace

TEST(CompoundAmount, PairsAddUpEachInItsUnit)
{
    const Instant base = MakeInstant(2011, 12, 15, 11, 0);
    EXPECT_EQ(Apply(base, "1小时30分"), MakeInstant(2011, 12, 15, 12, 30));
    EXPECT_EQ(Apply(base, "1天2小时"), MakeInstant(2011, 12, 16, 13, 0));
    EXPECT_EQ(Apply(base, "2分钟 30秒"), MakeInstant(2011, 12, 15, 11, 2, 30));
    EXPECT_EQ(Apply(base, "1年1个月"), MakeInstant(2013, 1, 15, 11, 0));
    EXPECT_EQ(Apply(base, "1小时1小时"), MakeInstant(2011, 12, 15, 13, 0));
    EXPECT_EQ(Apply(base, "1小时30分钟后"), MakeInstant(2011, 12, 15, 12, 30));
    EXPECT_EQ(Apply(base, "1.5小时10分"), MakeInstant(2011, 12, 15, 12, 40));
}

TEST(CompoundAmount, LeadingMinusMovesTheWholeAmountEarlier)
{
    const Instant base = MakeInstant(2011, 3, 31, 10, 0);
    EXPECT_EQ(Apply(base, "-1天12小时"), MakeInstant(2011, 3, 29, 22, 0));
    // Months first, clamped to the shorter month, then the rest.
    EXPECT_EQ(Apply(base, "-1月1天"), MakeInstant(2011, 2, 27, 10, 0));
}

TEST(CompoundAmount, SinglePairsAndOtherTextsAreNotCompound)
{
    for (const char* t :
        { "1小时", "-15", "15", "abc", "", "1小时30", "1小时x30分", "每1小时30分", "10:00", "1周2天", "- -1天1秒" })
        EXPECT_FALSE(ParseCompoundAmount(QString::fromUtf8(t)).has_value()) << t;
    auto zero = ParseCompoundAmount("0分0秒");
    ASSERT_TRUE(zero.has_value());
    EXPECT_TRUE(zero->IsZero());
}

TEST(CompoundAmount, HugeAmountsLeaveTheCalendarCleanly)
{
    const Instant base = MakeInstant(2011, 12, 15);
    EXPECT_EQ(Apply(base, "99999999999999999999年1天"), 0);
    EXPECT_EQ(Apply(base, "9000年1天"), 0);
    EXPECT_EQ(Apply(base, "1天99999999999999999999秒"), 0);
}
