#include "model/TaskList.h"
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

TEST(TaskList, NumbersKeysAndOrder)
{
    TaskList list;
    auto a = NewTask();
    auto b = NewTask(12);
    auto c = NewTask();
    ASSERT_TRUE(list.AddTask(a));
    ASSERT_TRUE(list.AddTask(b));
    ASSERT_TRUE(list.AddTask(c));
    EXPECT_EQ(a->ID, 1);
    EXPECT_EQ(c->ID, 13);  // numbering goes on above the highest number seen
    EXPECT_EQ(list.GetTask("T01"), a);
    EXPECT_EQ(list.GetTask("T12"), b);
    EXPECT_EQ(list.GetTask("T99"), nullptr);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.At(0), a);
    EXPECT_EQ(list.At(1), b);
    EXPECT_EQ(list.At(2), c);

    // A lower number from a file does not lower the counter.
    ASSERT_TRUE(list.AddTask(NewTask(5)));
    EXPECT_EQ(list.HighestId(), 13);
}

TEST(TaskList, RefusesDuplicatesAndBadNumbers)
{
    TaskList list;
    ASSERT_TRUE(list.AddTask(NewTask(3)));
    auto dup = NewTask(3);
    EXPECT_FALSE(list.AddTask(dup));
    EXPECT_FALSE(list.AddTask(NewTask(-4)));
    EXPECT_FALSE(list.AddTask(nullptr));
    EXPECT_EQ(list.Count(), 1);
}

TEST(TaskList, RemoveKeepsNumbersAndClearResets)
{
    TaskList list;
    auto a = NewTask();
    auto b = NewTask();
    list.AddTask(a);
    list.AddTask(b);
    EXPECT_TRUE(list.Remove("T02"));
    EXPECT_FALSE(list.Remove("T02"));
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.GetTask("T02"), nullptr);
    auto c = NewTask();
    list.AddTask(c);
    EXPECT_EQ(c->ID, 3);  // a removed number is not handed out again

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.GetTask("T01"), nullptr);
    auto d = NewTask();
    list.AddTask(d);
    EXPECT_EQ(d->ID, 1);
}

TEST(TaskList, NumbersGoPastSixteenBitsAndStopAtTheTop)
{
    TaskList list;
    ASSERT_TRUE(list.AddTask(NewTask(32767)));
    auto next = NewTask();
    ASSERT_TRUE(list.AddTask(next));
    EXPECT_EQ(next->ID, 32768);
    EXPECT_EQ(next->Key(), "T32768");

    const qint32 top = std::numeric_limits<qint32>::max();
    ASSERT_TRUE(list.AddTask(NewTask(top - 1)));
    auto last = NewTask();
    ASSERT_TRUE(list.AddTask(last));
    EXPECT_EQ(last->ID, top);
    auto refused = NewTask();
    EXPECT_FALSE(list.AddTask(refused));
    EXPECT_EQ(refused->ID, 0);
    EXPECT_EQ(list.Count(), 4);
}
