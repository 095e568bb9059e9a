// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/TaskColumns.h"
#include "support/TestEnv.h"
#include "support/TestText.h"

using namespace TaskColumns;

namespace {

TaskPtr Task(const QString& desc, const QString& type = {}, TaskStatus status = tsNotStarted)
{
    auto t = std::make_shared<CTask>();
    t->SetDescription(desc);
    t->sType = type;
    t->SetStatus(status);
    return t;
}

QString Hidden(const Columns& cols)
{
    QStringList list;
    for (int i = 0; i < kCount; ++i)
        if (cols[size_t(i)].width == 0)
            list << QString::number(i);
    return list.join(',');
}

}  // namespace

TEST(TaskColumns, SavedWidthsAreUsedOnlyWithExactlyThirteenParts)
{
    struct Case
    {
        const char* saved;
        const char* widths;
    } cases[] = {
        { "", "1239;1440;860;900;2000;1440;0;1440;0;0;0;0;0" },
        { "1;2;3;4;5;6;7;8;9;10;11;12", "1239;1440;860;900;2000;1440;0;1440;0;0;0;0;0" },
        { "1;2;3;4;5;6;7;8;9;10;11;12;13;14", "1239;1440;860;900;2000;1440;0;1440;0;0;0;0;0" },
        { "100;200;0;0;500;600;700;800;900;1000;1100;1200;1300",
            "100;200;0;0;500;600;700;800;900;1000;1100;1200;1300" },
        // A part that is no usable width hides its column instead of breaking the layout.
        { "abc;-5;1e300;nan;500;;700;800;900;1000;1100;1200;1300", "0;0;0;0;500;0;700;800;900;1000;1100;1200;1300" },
        { "1239.5;1440;860;900;2000;1440;0;1440;0;0;0;0;0", "1239.5;1440;860;900;2000;1440;0;1440;0;0;0;0;0" },
    };
    for (const auto& c : cases) {
        const Columns cols = InitColumns(QString::fromUtf8(c.saved));
        Widths w;
        for (int i = 0; i < kCount; ++i)
            w[size_t(i)] = cols[size_t(i)].width;
        EXPECT_EQ(ColWidthsText(w), QString::fromUtf8(c.widths)) << c.saved;
    }
    const Columns def = InitColumns(QStringLiteral("1;2"));
    EXPECT_EQ(Hidden(def), "6,8,9,10,11,12");
    EXPECT_EQ(def[6].caption, Q("优先级"));
    EXPECT_FALSE(def[6].shownByDefault);
    EXPECT_EQ(def[6].defaultWidth, 960);
    EXPECT_EQ(def[12].key, "12_");
    EXPECT_EQ(ColWidthsText({}), "0;0;0;0;0;0;0;0;0;0;0;0;0");
}

TEST(TaskColumns, CellTexts)
{
    ClockGuard clock(2012, 6, 3, 12, 0, 0);
    auto t = Task(Q("写周报"), Q("工作"));
    t->ID = 7;
    t->ePriority = tpUrgent;
    t->sDueDate = Q("明天");
    t->sDueTime = Q("10:00");
    EXPECT_EQ(CellText(*t, colKey), "T07");
    EXPECT_EQ(CellText(*t, colTitle), Q("写周报"));
    EXPECT_EQ(CellText(*t, colType), Q("工作"));
    EXPECT_EQ(CellText(*t, colStatus), Q("未发生"));
    EXPECT_EQ(CellText(*t, colPriority), Q("紧急"));
    EXPECT_EQ(CellText(*t, colDue), Q("明天 10:00"));
    EXPECT_EQ(CellText(*t, colValidPeriod), Q("未设置"));
    EXPECT_EQ(CellText(*t, colStart), "--");
    EXPECT_EQ(CellText(*t, colFinish), "--");
}

TEST(TaskColumns, MapColSortsNumbersAsText)
{
    ClockGuard clock(2012, 6, 3, 12, 0, 0);
    auto t = Task(Q("a"));
    t->dtAlarmDT = MakeInstant(2012, 6, 4, 9, 0, 0);
    EXPECT_EQ(MapCol(*t, colAlarm), "0000041064.375000");
    EXPECT_EQ(MapCol(*t, colRemain), "0000041064.375000");
    EXPECT_EQ(MapCol(*t, colTitle), "0000000000.000000");
    // Only tasks not started or postponed keep their place at the front of the remaining-time order.
    for (TaskStatus s : { tsDue, tsFinished, tsCancelled, tsPaused, tsChecking, tsOngoing, tsExpired }) {
        t->SetStatus(s);
        EXPECT_EQ(MapCol(*t, colRemain), "0010041064.375000") << s;
    }
    t->SetStatus(tsPostponed);
    EXPECT_EQ(MapCol(*t, colRemain), "0000041064.375000");
    // Negative values are shifted so they still sort as text, after every ordinary value.
    t->dtStartDT = MakeInstant(2012, 6, 5);
    t->dtDueDT = MakeInstant(2012, 6, 4);
    EXPECT_EQ(MapCol(*t, colPlaned), "9999999999.000000");
    EXPECT_LT(MapCol(*t, colAlarm), MapCol(*t, colPlaned));
}

TEST(TaskColumns, Summary)
{
    TaskList tasks;
    EXPECT_EQ(Summary(tasks, 0), Q("共0项,等待中0项."));

    tasks.AddTask(Task(Q("a"), Q("工作")));
    tasks.AddTask(Task(Q("b"), Q("私人"), tsFinished));
    tasks.AddTask(Task(Q("c"), Q("工作"), tsPostponed));
    tasks.AddTask(Task(Q("d"), QString(), tsOngoing));
    tasks.AddTask(Task(Q("e"), Q("%1"), tsPaused));
    // Categories in the order first met; the uncategorised task is in no group.
    EXPECT_EQ(Summary(tasks, 5), Q("共5项,等待中3项,[工作]2项,[私人]1项,[%1]1项."));
    EXPECT_EQ(Summary(tasks, 2), Q("共5项,显示2项,等待中3项,[工作]2项,[私人]1项,[%1]1项."));
}

TEST(TaskColumns, CopyTextKeepsEveryRowOnOneLine)
{
    const QStringList captions { Q("任务号"), Q("任务描述↑") };
    EXPECT_EQ(CopyText(captions, {}), Q("任务号\t任务描述↑"));
    EXPECT_EQ(CopyText(captions, { { "T01", Q("第一行\r\n第二行") }, { "T02", "a\nb" } }),
        Q("任务号\t任务描述↑\r\nT01\t第一行  第二行\r\nT02\ta  b"));
}
