// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CategoryCombo.h"
#include "core/CSimpleList.h"
#include "core/TaskList.h"
#include "support/TestEnv.h"
#include "support/TestText.h"

#include <QComboBox>

TEST(CategoryCombo, FillsTagsAndSelects)
{
    CSimpleList list;
    list.SetText(Q("个人;*工作"));
    QComboBox cbo;
    cbo.addItem(Q("旧"));

    ToCombo(list, &cbo, false);
    EXPECT_EQ(cbo.count(), 4);
    EXPECT_EQ(cbo.itemText(3), Q("工作"));
    EXPECT_EQ(cbo.property("tag").toString(), Q("3"));
    EXPECT_EQ(cbo.currentIndex(), -1);  // not even "<设置>"
    ToCombo(list, &cbo, true);
    EXPECT_EQ(cbo.currentIndex(), 3);

    CSimpleList back;
    FromCombo(back, &cbo);
    EXPECT_EQ(back.Text(), Q(";个人;*工作"));

    for (const auto& [tag, index] :
        std::vector<std::pair<QString, int>> { { "2", 2 }, { "x", -1 }, { "", -1 }, { "9", -1 }, { "-1", -1 } }) {
        SCOPED_TRACE(tag.toStdString());
        cbo.setCurrentIndex(1);
        cbo.setProperty("tag", tag);
        SetComboDefaultIndex(&cbo);
        EXPECT_EQ(cbo.currentIndex(), index);
    }
}

TEST(CategoryCombo, PromptRefillsTheComboOnlyWhenAnswered)
{
    TaskList tasks;
    CSimpleList types;
    types.SetText(Q("个人"));
    QComboBox cbo;
    ToCombo(types, &cbo, true);

    MsgBoxGuard box;
    box->inputs = { QString(), Q("家务;*学习") };
    EXPECT_FALSE(SetTaskTypes(types, tasks, &cbo));
    EXPECT_EQ(cbo.count(), 3);
    EXPECT_TRUE(SetTaskTypes(types, tasks, &cbo));
    EXPECT_EQ(cbo.count(), 4);
    EXPECT_EQ(cbo.currentText(), Q("学习"));
}
