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

LoopRuleTexts Compose(int type, int count, bool specOn, const char* spec)
{
    std::optional<LoopRuleTexts> r = ComposeLoopRule({ type, count, specOn, Q(spec) });
    return r.value_or(LoopRuleTexts { Q("<invalid>"), Q("<invalid>") });
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
    // Day: a clock time.
    EXPECT_TRUE(Spec(ltDay, "8:30").valid);
    EXPECT_TRUE(Spec(ltDay, "23:59:59").valid);
    EXPECT_FALSE(Spec(ltDay, "24:00").valid);
    EXPECT_FALSE(Spec(ltDay, "8").valid);
    // Week: weekday digits.
    EXPECT_EQ(Spec(ltWeek, "135").desc, Q("一三五"));
    EXPECT_EQ(Spec(ltWeek, "67").desc, Q("六日"));
    EXPECT_FALSE(Spec(ltWeek, "8").valid);
    EXPECT_FALSE(Spec(ltWeek, "1,3").valid);
    // Month: days, or one day from the end.
    EXPECT_EQ(Spec(ltMonth, "1,15").desc, Q("1号15号"));
    EXPECT_EQ(Spec(ltMonth, "-1").desc, Q("倒数第1天"));
    EXPECT_EQ(Spec(ltLunarMonth, "1,,15,").desc, Q("1号15号"));
    EXPECT_FALSE(Spec(ltMonth, "-1,5").valid);
    EXPECT_FALSE(Spec(ltMonth, "0").valid);
    EXPECT_FALSE(Spec(ltMonth, "32").valid);
    EXPECT_FALSE(Spec(ltMonth, "-32").valid);
    EXPECT_FALSE(Spec(ltMonth, ",").valid);
    EXPECT_FALSE(Spec(ltMonth, "1a").valid);
    EXPECT_FALSE(Spec(ltMonth, "+5").valid);
    EXPECT_FALSE(Spec(ltMonth, "99999999999999999999").valid);
    // Year: month-day pairs.
    EXPECT_TRUE(Spec(ltYear, "1-1,2-1").valid);
    EXPECT_TRUE(Spec(ltLunarYear, "8-15").valid);
    EXPECT_FALSE(Spec(ltYear, "1-1,").valid);
    EXPECT_FALSE(Spec(ltYear, "1").valid);
    // Hour: minutes or minutes:seconds.
    EXPECT_EQ(Spec(ltHour, "30").desc, Q("30分0秒"));
    EXPECT_EQ(Spec(ltHour, "18:18").desc, Q("18分18秒"));
    EXPECT_FALSE(Spec(ltHour, "60").valid);
    EXPECT_FALSE(Spec(ltHour, "1:60").valid);
    // Minute: seconds.
    EXPECT_EQ(Spec(ltMinute, "0").desc, Q("0秒"));
    EXPECT_FALSE(Spec(ltMinute, "60").valid);
    // Second: no detail at all.
    EXPECT_FALSE(Spec(ltSecond, "1").valid);
    EXPECT_FALSE(Spec(42, "1").valid);
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

TEST(LoopVocabulary, ComposeRules)
{
    EXPECT_EQ(Compose(ltWeek, 1, true, "135"), (LoopRuleTexts { Q("每周135"), Q("") }));
    EXPECT_EQ(Compose(ltMonth, 2, true, "1,15"), (LoopRuleTexts { Q("每2个月1,15号"), Q("") }));
    EXPECT_EQ(Compose(ltYear, 1, true, "1-1,2-1"), (LoopRuleTexts { Q("每年1-1,2-1"), Q("") }));
    EXPECT_EQ(Compose(ltLunarMonth, 1, true, "1,15"), (LoopRuleTexts { Q("农历每月1,15号"), Q("") }));
    EXPECT_EQ(Compose(ltDay, 1, true, "8:30"), (LoopRuleTexts { Q("每天"), Q("8:30") }));
    EXPECT_EQ(Compose(ltDay, 3, false, ""), (LoopRuleTexts { Q("每3天"), Q("") }));
    EXPECT_EQ(Compose(ltHour, 2, true, "30"), (LoopRuleTexts { Q("每天"), Q("每2小时30分") }));
    EXPECT_EQ(Compose(ltHour, 2, true, "18:18"), (LoopRuleTexts { Q("每天"), Q("每2小时18:18") }));
    EXPECT_EQ(Compose(ltHour, 1, true, "30"), (LoopRuleTexts { Q("每天"), Q("每小时30分") }));
    EXPECT_EQ(Compose(ltMinute, 10, true, "0"), (LoopRuleTexts { Q("每天"), Q("每10分钟0秒") }));
    EXPECT_EQ(Compose(ltSecond, 30, false, ""), (LoopRuleTexts { Q("每天"), Q("每30秒") }));
    // An invalid detail composes nothing.
    EXPECT_FALSE(ComposeLoopRule({ ltMonth, 1, true, Q("-1,5") }).has_value());
    EXPECT_FALSE(ComposeLoopRule({ ltSecond, 1, true, Q("5") }).has_value());
    EXPECT_FALSE(ComposeLoopRule({ 9, 1, false, QString() }).has_value());
}

TEST(LoopVocabulary, ParseRules)
{
    auto parse = [](const char* d, const char* t) { return ParseLoopRule(Q(d), Q(t)); };
    EXPECT_EQ(parse("每2个月1,15号", ""), (LoopFields { ltMonth, 2, true, Q("1,15") }));
    EXPECT_EQ(parse("每天", "8:30"), (LoopFields { ltDay, 1, true, Q("8:30") }));
    EXPECT_EQ(parse("每0天", ""), (LoopFields { ltDay, 1, false, Q("") }));
    EXPECT_EQ(parse("每周135", "9:00"), (LoopFields { ltWeek, 1, true, Q("135") }));
    EXPECT_EQ(parse("每月-1天", "8:00"), (LoopFields { ltMonth, 1, true, Q("-1") }));
    EXPECT_EQ(parse("农历每年8-15", "9:00"), (LoopFields { ltLunarYear, 1, true, Q("8-15") }));
    EXPECT_EQ(parse("每天", "每2小时30:0"), (LoopFields { ltHour, 2, true, Q("30:0") }));
    EXPECT_EQ(parse("2011-1-1", "每分钟0秒"), (LoopFields { ltMinute, 1, true, Q("0") }));
    EXPECT_EQ(parse("每天", "每30秒"), (LoopFields { ltSecond, 30, false, Q("") }));
    EXPECT_EQ(parse("每天", "10分钟后"), (LoopFields { ltDay, 1, true, Q("10分钟后") }));
    EXPECT_EQ(parse("每99999999999999年", ""), (LoopFields { ltYear, 1000000000, false, Q("") }));
    EXPECT_FALSE(parse("2011-1-1", "10:00").has_value());
    EXPECT_FALSE(parse("", "").has_value());
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

// A trailing line break is not part of any valid detail.
TEST(LoopVocabulary, LineBreaksAreNoPartOfADetail)
{
    EXPECT_FALSE(Spec(ltWeek, "4\n").valid);
    EXPECT_FALSE(Spec(ltDay, "8:30\n").valid);
    EXPECT_FALSE(Spec(ltMonth, "5\n").valid);
    EXPECT_FALSE(Spec(ltMinute, "5\n").valid);
}
