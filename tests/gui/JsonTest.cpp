// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/Json.h"
#include "calendar/cStringBuilder.h"

#include <QDateTime>
#include <QLocale>
#include <gtest/gtest.h>

TEST(Json, ValuesBecomeScriptText)
{
    // The answers of a page's calls are run as script: a decimal comma of the user's locale must not leak in.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German));
    const struct
    {
        QVariant value;
        const char* text;
    } cases[] = {
        { QStringLiteral("a\"b{c}"), R"("a\"b\u007Bc\u007D")" },
        { QStringLiteral("it's\\\b\t\n\f\r"), R"("it\'s\\\b\t\n\f\r")" },
        { QStringLiteral("农历\x01"), "\"农历\x01\"" },  // other control characters and non-ASCII as they are
        { QVariantList { 1.5, true, QVariant::fromValue(nullptr) }, "[1.5,true,null]" },
        { QVariantList {}, "[]" },
        { QVariantList { QVariantList { QStringLiteral("T12"), 3 }, false }, R"([["T12",3],false])" },
        { QDateTime(QDate(2011, 12, 5), QTime(8, 30)), R"(D("2011-12-5 08:30:00"))" },
        { QVariantMap { { QStringLiteral("b"), 2 }, { QStringLiteral("a\""), QStringLiteral("x") } },
            R"({"a"":"x","b":2})" },  // keys are not escaped
        { QVariant(), "" },
        { QVariant::fromValue<QObject*>(nullptr), "" },
        { -0.25, "-0.25" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(Json::ToJSON(c.value), QString::fromUtf8(c.text)) << c.text;
    QLocale::setDefault(previous);
}

TEST(StringBuilder, GrowsByChunksAndShrinksBack)
{
    cStringBuilder b;
    b.Append(QString(10000, u'x'));
    EXPECT_EQ(b.Length(), 10000);
    EXPECT_EQ(b.Capacity(), 16384);
    EXPECT_TRUE(b.Remove(0, b.Length()));
    EXPECT_EQ(b.Length(), 0);
    EXPECT_EQ(b.Capacity(), 16384);
    b.HeapMinimize();
    EXPECT_LE(b.Capacity(), 8192);

    b.SetChunkSize(4);
    b.SetTheString(QStringLiteral("abef"));
    EXPECT_TRUE(b.Insert(2, u"cd"));
    b.AppendNL(u"g");
    EXPECT_EQ(b.toString(), u"abcdefg\r\n");
    EXPECT_FALSE(b.Insert(10, u"x"));  // beyond the content: nothing changes
    EXPECT_FALSE(b.Remove(8, 2));
    EXPECT_TRUE(b.Remove(7, 2));
    // 1-based; a match at the very end counts, one running into the spare room does not.
    EXPECT_EQ(b.Find(u"g"), 7);
    EXPECT_EQ(b.Find(u"g "), 0);
    EXPECT_EQ(b.Find(u"C", 2, Qt::CaseInsensitive), 3);
    EXPECT_EQ(b.Find(u"a", 2), 0);
    b.SetTheString(QString());
    EXPECT_EQ(b.Capacity(), 0);
}
