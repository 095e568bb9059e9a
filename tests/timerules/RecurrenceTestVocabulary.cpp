// SPDX-License-Identifier: GPL-3.0-or-later
// The rule vocabulary the recurrence dialog works with: heads, details, composing and reading rules back.
#include "support/TestEnv.h"
#include "support/TestText.h"
#include "timerules/Recurrence.h"

#include <ostream>
#include <random>

inline void PrintTo(const LoopFields& f, std::ostream* os)
{
    *os << "{type " << f.type << ", count " << f.count << ", " << (f.specOn ? "on" : "off") << ", \""
        << f.spec.toStdString() << "\"}";
}

inline void PrintTo(const LoopRuleTexts& t, std::ostream* os)
{
    *os << "{\"" << t.dateText.toStdString() << "\", \"" << t.timeText.toStdString() << "\"}";
}

namespace {

struct SpecCheck
{
    bool valid;
    QString spec;
    QString desc;
};

SpecCheck Spec(int type, const char* text)
{
    SpecCheck c;
    c.valid = GetSpecDesc(type, true, Q(text), &c.spec, &c.desc);
    return c;
}

}  // namespace

TEST(LoopVocabulary, TypeTable)
{
    EXPECT_EQ(LoopTypeNames().size(), kLoopTypeCount);
    EXPECT_EQ(LoopTypeNames().at(ltLunarYear), Q("农历年"));
    EXPECT_EQ(LoopTypeTemplates().at(ltMinute), Q("每N分钟"));
}

TEST(LoopVocabulary, TypeDescriptions)
{
    EXPECT_EQ(GetTypeDesc(ltDay, Q("1")), Q("每天"));
    EXPECT_EQ(GetTypeDesc(ltDay, Q("3")), Q("每3天"));
    EXPECT_EQ(GetTypeDesc(ltWeek, 1), Q("每周"));
    EXPECT_EQ(GetTypeDesc(ltMonth, 1), Q("每月"));
    EXPECT_EQ(GetTypeDesc(ltMonth, 2), Q("每2个月"));
    EXPECT_EQ(GetTypeDesc(ltLunarMonth, 2), Q("农历每2个月"));
    EXPECT_EQ(GetTypeDesc(ltLunarMonth, 1), Q("农历每月"));
    EXPECT_EQ(GetTypeDesc(ltHour, 2), Q("每2小时"));
    // The count field as typed, also while it is still being edited.
    EXPECT_EQ(GetTypeDesc(ltDay, Q("")), Q("每天"));
    EXPECT_EQ(GetTypeDesc(ltYear, Q("x")), Q("每x年"));
    EXPECT_EQ(GetTypeDesc(-1, 1), QString());
    EXPECT_EQ(GetTypeDesc(kLoopTypeCount, 1), QString());
}

TEST(LoopVocabulary, DetailOffIsAlwaysValid)
{
    QString spec = Q("x"), desc = Q("y");
    EXPECT_TRUE(GetSpecDesc(ltSecond, false, Q("junk"), &spec, &desc));
    EXPECT_TRUE(spec.isEmpty());
    EXPECT_TRUE(desc.isEmpty());
}

TEST(LoopVocabulary, DetailsByType)
{
    struct Case
    {
        int type;
        const char* text;
        bool valid;
        const char* desc = nullptr;  // checked when given
    };
    const Case cases[] = {
        // Day: a clock time.
        { ltDay, "8:30", true },
        { ltDay, "23:59:59", true },
        { ltDay, "24:00", false },
        { ltDay, "8", false },
        // Week: weekday digits.
        { ltWeek, "135", true, "一三五" },
        { ltWeek, "67", true, "六日" },
        { ltWeek, "8", false },
        { ltWeek, "1,3", false },
        // Month: days, or one day from the end.
        { ltMonth, "1,15", true, "1号15号" },
        { ltMonth, "-1", true, "倒数第1天" },
        { ltLunarMonth, "1,,15,", true, "1号15号" },
        { ltMonth, "-1,5", false },
        { ltMonth, "0", false },
        { ltMonth, "32", false },
        { ltMonth, "-32", false },
        { ltMonth, ",", false },
        { ltMonth, "1a", false },
        { ltMonth, "+5", false },
        { ltMonth, "99999999999999999999", false },
        // Year: month-day pairs.
        { ltYear, "1-1,2-1", true },
        { ltLunarYear, "8-15", true },
        { ltYear, "1-1,", false },
        { ltYear, "1", false },
        // Hour: minutes or minutes:seconds.
        { ltHour, "30", true, "30分0秒" },
        { ltHour, "18:18", true, "18分18秒" },
        { ltHour, "60", false },
        { ltHour, "1:60", false },
        // Minute: seconds.
        { ltMinute, "0", true, "0秒" },
        { ltMinute, "60", false },
        // Second: no detail at all.
        { ltSecond, "1", false },
        { 42, "1", false },
        // A trailing line break is not part of any valid detail.
        { ltWeek, "4\n", false },
        { ltDay, "8:30\n", false },
        { ltMonth, "5\n", false },
        { ltMinute, "5\n", false },
    };
    for (const Case& c : cases) {
        const SpecCheck got = Spec(c.type, c.text);
        EXPECT_EQ(got.valid, c.valid) << c.type << " \"" << c.text << '"';
        if (c.desc) {
            EXPECT_EQ(got.desc, Q(c.desc)) << c.type << " \"" << c.text << '"';
        }
    }
}

TEST(LoopVocabulary, DetailIsCleaned)
{
    SpecCheck c = Spec(ltMonth, "1， 15　");
    EXPECT_TRUE(c.valid);
    EXPECT_EQ(c.spec, Q("1,15"));
    c = Spec(ltMonth, "－1");
    EXPECT_EQ(c.spec, Q("-1"));
    EXPECT_EQ(c.desc, Q("倒数第1天"));
}

TEST(LoopVocabulary, ComposeAndParseRules)
{
    struct Case
    {
        LoopFields fields;
        const char* date;
        const char* time;
    };
    // Composed from the fields.
    const Case composed[] = {
        { { ltWeek, 1, true, Q("135") }, "每周135", "" },
        { { ltMonth, 2, true, Q("1,15") }, "每2个月1,15号", "" },
        { { ltYear, 1, true, Q("1-1,2-1") }, "每年1-1,2-1", "" },
        { { ltLunarMonth, 1, true, Q("1,15") }, "农历每月1,15号", "" },
        { { ltDay, 1, true, Q("8:30") }, "每天", "8:30" },
        { { ltDay, 3, false, Q("") }, "每3天", "" },
        { { ltHour, 2, true, Q("30") }, "每天", "每2小时30分" },
        { { ltHour, 2, true, Q("18:18") }, "每天", "每2小时18:18" },
        { { ltHour, 1, true, Q("30") }, "每天", "每小时30分" },
        { { ltMinute, 10, true, Q("0") }, "每天", "每10分钟0秒" },
        { { ltSecond, 30, false, Q("") }, "每天", "每30秒" },
    };
    for (const Case& c : composed)
        EXPECT_EQ(ComposeLoopRule(c.fields), (LoopRuleTexts { Q(c.date), Q(c.time) })) << c.date << " " << c.time;
    // An invalid detail composes nothing.
    EXPECT_FALSE(ComposeLoopRule({ ltMonth, 1, true, Q("-1,5") }).has_value());
    EXPECT_FALSE(ComposeLoopRule({ ltSecond, 1, true, Q("5") }).has_value());
    EXPECT_FALSE(ComposeLoopRule({ 9, 1, false, QString() }).has_value());

    // Read back from the texts.
    const Case parsed[] = {
        { { ltMonth, 2, true, Q("1,15") }, "每2个月1,15号", "" },
        { { ltDay, 1, true, Q("8:30") }, "每天", "8:30" },
        { { ltDay, 1, false, Q("") }, "每0天", "" },
        { { ltWeek, 1, true, Q("135") }, "每周135", "9:00" },
        { { ltMonth, 1, true, Q("-1") }, "每月-1天", "8:00" },
        { { ltLunarYear, 1, true, Q("8-15") }, "农历每年8-15", "9:00" },
        { { ltHour, 2, true, Q("30:0") }, "每天", "每2小时30:0" },
        { { ltMinute, 1, true, Q("0") }, "2011-1-1", "每分钟0秒" },
        { { ltSecond, 30, false, Q("") }, "每天", "每30秒" },
        { { ltDay, 1, true, Q("10分钟后") }, "每天", "10分钟后" },
        { { ltYear, 1000000000, false, Q("") }, "每99999999999999年", "" },
    };
    for (const Case& c : parsed)
        EXPECT_EQ(ParseLoopRule(Q(c.date), Q(c.time)), c.fields) << c.date << " " << c.time;
    EXPECT_FALSE(ParseLoopRule(Q("2011-1-1"), Q("10:00")).has_value());
    EXPECT_FALSE(ParseLoopRule(Q(""), Q("")).has_value());
}

namespace {

// A detail the dialog accepts for the type, in its cleaned form.
QString RandomSpec(int type, std::mt19937& rng)
{
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    QString s;
    switch (type) {
    case ltDay:
        s = QString::number(pick(0, 23)) + u':' + QString::number(pick(0, 59));
        if (pick(0, 1))
            s += u':' + QString::number(pick(0, 59));
        return s;
    case ltWeek:
        for (int i = pick(1, 7); i > 0; --i)
            s += QChar(u'0' + pick(1, 7));
        return s;
    case ltMonth:
    case ltLunarMonth:
        if (pick(0, 3) == 0)
            return QString::number(-pick(1, 31));
        for (int i = pick(1, 4); i > 0; --i)
            s += (s.isEmpty() ? QString() : QStringLiteral(",")) + QString::number(pick(1, 31));
        return s;
    case ltYear:
    case ltLunarYear:
        for (int i = pick(1, 3); i > 0; --i)
            s += (s.isEmpty() ? QString() : QStringLiteral(",")) + QString::number(pick(1, 12)) + u'-'
                + QString::number(pick(1, 30));
        return s;
    case ltHour:
        s = QString::number(pick(0, 59));
        if (pick(0, 1))
            s += u':' + QString::number(pick(0, 59));
        return s;
    case ltMinute:
        return QString::number(pick(0, 59));
    default:
        return s;
    }
}

}  // namespace

// Whatever the dialog composes, it reads back as the same fields.
TEST(LoopVocabulary, ComposeThenParseGivesTheFieldsBack)
{
    std::mt19937 rng(20111215);
    for (int i = 0; i < 3000; ++i) {
        LoopFields f;
        f.type = int(rng() % kLoopTypeCount);
        const int countKind = int(rng() % 4);
        f.count = countKind == 0 ? 1 : countKind == 1 ? int(rng() % 12) + 1 : int(rng() % 1000000) + 1;
        f.specOn = f.type != ltSecond && rng() % 3 != 0;
        f.spec = f.specOn ? RandomSpec(f.type, rng) : QString();
        std::optional<LoopRuleTexts> texts = ComposeLoopRule(f);
        ASSERT_TRUE(texts.has_value()) << f.type << ' ' << f.spec.toStdString();
        std::optional<LoopFields> back = ParseLoopRule(texts->dateText, texts->timeText);
        ASSERT_TRUE(back.has_value()) << texts->dateText.toStdString();
        EXPECT_EQ(*back, f) << texts->dateText.toStdString() << " / " << texts->timeText.toStdString();
    }
}
