// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/StoreTestUtil.h"

#include "core/CSimpleList.h"
#include "core/TaskList.h"
#include "core/TaskTypesPrompt.h"
#include "support/TestEnv.h"
#include "support/TestText.h"

TEST(CSimpleList, ParsesTheListText)
{
    struct Case
    {
        const char* input;
        const char* text;
        const char* items;  // joined by "|"
        int defaultIndex;
    };
    const Case cases[] = {
        { "个人；*工作 ; 个人", "个人;*工作;", "个人|工作", 2 },
        { "*a;*b", "a;*b;", "a|b", 2 },
        { "*a;*a", "*a;", "a", 1 },  // the duplicate marks nothing
        { "a;*a", "a;", "a", -1 },
        { "a;;*;b", "a;b;", "a|b", -1 },  // empty parts, even a marked one, are skipped
        { " * 工作 ", "*工作;", "工作", 1 },  // the mark does not become part of the name
        { "**a;b", "*a;b;", "a|b", 1 },  // an item never begins with "*", so the text reads back the same
        { "Work;work", "Work;work;", "Work|work", -1 },
        { "-", "", "", -1 },
        { "  ", "", "", -1 },
        { "", "", "", -1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        CSimpleList list;
        list.SetText(Q("旧;*的"));  // whatever was there goes
        list.SetText(Q(c.input));
        EXPECT_EQ(list.Text(), Q(c.text));
        EXPECT_EQ(list.List().join(QLatin1Char('|')), Q(c.items));
        EXPECT_EQ(list.DefaultIndex(), c.defaultIndex);

        CSimpleList again;
        again.SetText(list.Text());
        EXPECT_EQ(again.Text(), list.Text());
    }
}

TEST(CSimpleList, FindAndAdd)
{
    CSimpleList list;
    list.SetText(Q("*个人"));
    EXPECT_TRUE(list.Add(Q("工作")));
    EXPECT_FALSE(list.Add(Q("工作")));
    EXPECT_FALSE(list.Add(QString()));
    EXPECT_EQ(list.Text(), Q("*个人;工作;"));
    EXPECT_EQ(list.Find(Q("工作")), 1);
    EXPECT_EQ(list.Find(Q(";工作")), 1);
    EXPECT_EQ(list.Find(Q("工")), -1);
}

TEST(CSimpleList, ComboLayoutRoundTrip)
{
    const QString kSettings = Q("<设置>");
    struct Case
    {
        const char* text;
        QStringList entries;
        const char* tag;
    };
    const Case cases[] = {
        { "个人;*工作;学习", { kSettings, "", Q("个人"), Q("工作"), Q("学习") }, "3" },
        { "个人;工作", { kSettings, "", Q("个人"), Q("工作") }, "" },
        { "*个人", { kSettings, "", Q("个人") }, "2" },
        { "-", { kSettings, "" }, "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CSimpleList list;
        list.SetText(Q(c.text));
        EXPECT_EQ(list.ComboEntries(), c.entries);
        EXPECT_EQ(list.ComboTag(), Q(c.tag));

        CSimpleList back;
        back.SetText(Q("旧"));
        back.FromComboEntries(list.ComboEntries(), list.ComboTag());
        EXPECT_EQ(back.List(), list.List());
        EXPECT_EQ(back.DefaultIndex(), list.DefaultIndex());
        CSimpleList reparsed;
        reparsed.SetText(back.Text());
        EXPECT_EQ(reparsed.Text(), list.Text());
    }

    CSimpleList back;
    back.FromComboEntries({ kSettings, "", Q("个人"), Q("工作") }, Q("3"));
    EXPECT_EQ(back.Text(), Q(";个人;*工作"));

    // Without the empty entry the items start at index 1; a tag that is no number marks nothing.
    back.FromComboEntries({ kSettings, Q("个人"), Q("工作") }, Q("x"));
    EXPECT_EQ(back.List(), QStringList({ Q("个人"), Q("工作") }));
    EXPECT_EQ(back.DefaultIndex(), -1);
}

TEST(CSimpleList, PromptReplacesTheListAndKeepsCategoriesInUse)
{
    const QString kPrompt
        = Q("输入所有类别，以分号分隔。如\"个人;工作\" \r\n"
            "\r\n"
            "类别名前加\"*\"表示该类别是添加任务时的缺省类别。例如\"个人;*工作\"表示\"工作\"是缺省类别。\r\n"
            "\r\n"
            "输入\"-\"清除所有类别。");
    TaskList tasks;
    for (const char* type : { "学习", "", "工作", "学习" }) {
        auto t = std::make_shared<CTask>();
        t->sType = Q(type);
        tasks.AddTask(t);
    }

    struct Case
    {
        const char* answer;
        bool accepted;
        const char* text;
    };
    const Case cases[] = {
        { "", false, "个人;*工作;" },
        { "   ", false, "个人;*工作;" },
        { "-", true, "学习;工作;" },  // used categories come back, without a default
        { "家务;*个人", true, "家务;*个人;学习;工作;" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        MsgBoxGuard box;
        box->inputs.push_back(Q(c.answer));
        CSimpleList types;
        types.SetText(Q("个人;*工作"));
        EXPECT_EQ(PromptTaskTypes(types, tasks), c.accepted);
        EXPECT_EQ(types.Text(), Q(c.text));
        ASSERT_EQ(box->prompts.size(), 1);
        EXPECT_EQ(box->prompts[0], kPrompt);
        EXPECT_EQ(box->inputDefaults[0], Q("个人;*工作;"));
    }
}
