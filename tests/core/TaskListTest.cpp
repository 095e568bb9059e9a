// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/TaskList.h"
#include "support/TestEnv.h"

#include <limits>

namespace {

TaskPtr NewTask(qint32 id = 0)
{
    auto t = std::make_shared<CTask>();
    t->ID = id;
    return t;
}

}  // namespace

TEST(TaskList, NumbersKeysAndRefusals)
{
    TaskList list;
    auto a = NewTask();
    auto b = NewTask(12);
    auto c = NewTask();
    ASSERT_TRUE(list.AddTask(a) && list.AddTask(b) && list.AddTask(c));
    EXPECT_EQ(a->Key(), "T01");
    EXPECT_EQ(c->ID, 13);  // counting goes on above the highest number seen
    EXPECT_EQ(list.GetTask("T12"), b);
    EXPECT_EQ(list.GetTask("T99"), nullptr);
    EXPECT_EQ(list.At(2), c);

    EXPECT_FALSE(list.AddTask(NewTask(12)));
    EXPECT_FALSE(list.AddTask(NewTask(-4)));
    EXPECT_FALSE(list.AddTask(nullptr));
    EXPECT_TRUE(list.Remove("T13"));
    EXPECT_FALSE(list.Remove("T13"));
    auto d = NewTask();
    list.AddTask(d);
    EXPECT_EQ(d->ID, 14);  // a removed number is not handed out again
    EXPECT_EQ(list.Count(), 3);

    list.Clear();
    auto e = NewTask();
    list.AddTask(e);
    EXPECT_EQ(e->ID, 1);
}

TEST(TaskList, NumbersGoPastSixteenBitsAndWrapToTheLowestFree)
{
    TaskList list;
    ASSERT_TRUE(list.AddTask(NewTask(32767)));
    auto next = NewTask();
    ASSERT_TRUE(list.AddTask(next));
    EXPECT_EQ(next->Key(), "T32768");

    // Past the top the lowest free numbers are handed out: a task is never refused for want of a number.
    ASSERT_TRUE(list.AddTask(NewTask(std::numeric_limits<qint32>::max())));
    ASSERT_TRUE(list.AddTask(NewTask(2)));
    QStringList keys;
    for (int i = 0; i < 3; ++i) {
        auto task = NewTask();
        ASSERT_TRUE(list.AddTask(task));
        keys << task->Key();
    }
    EXPECT_EQ(keys, QStringList({ QStringLiteral("T01"), QStringLiteral("T03"), QStringLiteral("T04") }));
    EXPECT_EQ(list.Count(), 7);
}
