// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PowerCommand.h"

#include <gtest/gtest.h>

TEST(PowerCommand, ParsesForceActionAndDelayFromTheFirstMatch)
{
    struct Case
    {
        const char16_t* text;
        bool ok;
        bool force;
        int action;
        const char16_t* delay;
    } cases[] = {
        { u"@关机", true, false, 0, u"" },
        { u"@强制休眠", true, true, 1, u"" },
        { u"@强制重启 1小时", true, true, 3, u"1小时" },
        { u"@注销   2分钟 以后再说", true, false, 4, u"2分钟" },
        { u"先备份再 @待机 10秒", true, false, 2, u"10秒" },  // not anchored
        { u"@abc", false, false, -1, u"" },
        { u"@强制", false, false, -1, u"" },  // the marker alone is no action
        { u"@关机了 30秒", false, false, -1, u"" },  // the action name must match exactly
        { u"关机", false, false, -1, u"" },
        { u"", false, false, -1, u"" },
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        PowerCommand::Parsed p;
        ASSERT_EQ(PowerCommand::Parse(text, &p), c.ok) << qPrintable(text);
        if (!c.ok)
            continue;
        EXPECT_EQ(p.force, c.force) << qPrintable(text);
        EXPECT_EQ(p.action, c.action) << qPrintable(text);
        EXPECT_EQ(p.delay, QString::fromUtf16(c.delay)) << qPrintable(text);
    }
}

TEST(PowerCommand, DelayIsTheFirstNumberWithAUnit)
{
    struct Case
    {
        const char16_t* text;
        qint64 seconds;  // -1: does not parse
    } cases[] = {
        { u"30秒", 30 }, { u"1分钟", 60 }, { u"2小时", 7200 }, { u"5 分钟", 300 }, { u"约10秒后", 10 },
        { u"3小时20分钟", 10800 },  // only the first amount counts
        { u"90", -1 }, { u"1天", -1 }, { u"秒", -1 }, { u"", -1 },
        { u"99999999999999999999小时", -1 },  // too big for any clock
        { u"800000小时", 800000LL * 3600 }, { u"9000000小时", -1 },  // beyond a hundred years
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        qint64 seconds = -1;
        EXPECT_EQ(PowerCommand::ParseDelay(text, &seconds), c.seconds >= 0) << qPrintable(text);
        if (c.seconds >= 0) {
            EXPECT_EQ(seconds, c.seconds) << qPrintable(text);
        }
    }
}
