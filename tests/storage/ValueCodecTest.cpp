// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/ValueCodec.h"
#include "support/TestEnv.h"

#include <climits>

TEST(ValueCodec, ReadsTheValueSpellingsOfOlderFiles)
{
    bool b = false;
    for (const char* yes : { "True", "TRUE", " 1 ", "1", "-1", "2" })
        EXPECT_TRUE(ValueCodec::ReadBool(QString::fromUtf8(yes), b) && b) << yes;
    for (const char* no : { "False", "0", " 0", "0.0" })
        EXPECT_TRUE(ValueCodec::ReadBool(QString::fromUtf8(no), b) && !b) << no;
    for (const char* bad : { "", "yes", "01x" })
        EXPECT_FALSE(ValueCodec::ReadBool(QString::fromUtf8(bad), b)) << bad;
    int n = 0;
    EXPECT_TRUE(ValueCodec::ReadInt(" 3 ", n) && n == 3);
    EXPECT_FALSE(ValueCodec::ReadInt("1e99", n));
    for (const auto& [text, number] : { std::pair { "-12", -12 }, { "007", 7 }, { "123456789", 123456789 },
             { "-2147483648", INT_MIN }, { "2147483647", INT_MAX }, { "1.6", 2 }, { "+4", 4 } })
        EXPECT_TRUE(ValueCodec::ReadInt(QString::fromUtf8(text), n) && n == number) << text;
    for (const char* bad : { "-", "", "1-2", "2147483648", "12a" })
        EXPECT_FALSE(ValueCodec::ReadInt(QString::fromUtf8(bad), n)) << bad;

    // Dates as older versions and hand edits spell them.
    Instant v = -1;
    EXPECT_TRUE(ValueCodec::ParseDateTimeText(u"2010/10/1 9:05", v));
    EXPECT_DOUBLE_EQ(v, MakeInstant(2010, 10, 1, 9, 5, 0));
    EXPECT_TRUE(ValueCodec::ParseDateTimeText(u"2010-10-1 下午 3:04:05", v));
    EXPECT_DOUBLE_EQ(v, MakeInstant(2010, 10, 1, 15, 4, 5));
    EXPECT_TRUE(ValueCodec::ParseDateTimeText(u"12:00:00 AM", v));
    EXPECT_DOUBLE_EQ(v, 0);
    for (const char16_t* bad :
        { u"2010-02-29", u"0099-01-01 00:00:00", u"2010-10-01 24:00:00", u"10-1", u"--", u"2010-10-01 13:00 PM" })
        EXPECT_FALSE(ValueCodec::ParseDateTimeText(QStringView(bad), v)) << QString::fromUtf16(bad).toStdString();
    ClockGuard clock(2013, 7, 8);
    EXPECT_TRUE(ValueCodec::ReadDueText("5-1", v));  // a month-day of the current year
    EXPECT_DOUBLE_EQ(v, MakeInstant(2013, 5, 1));
}
