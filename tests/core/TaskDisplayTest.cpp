// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/TaskDisplay.h"
#include "base/Translation.h"
#include "core/CTask.h"
#include "core/TaskColumns.h"
#include "support/TestEnv.h"
#include "timerules/TimeExpr.h"

#include <gtest/gtest.h>

// Without a translation the list shows exactly what the Chinese formatters write; with English, its own words.
TEST(TaskDisplay, TimesAndDurationsInBothLanguages)
{
    ClockGuard clock(2012, 6, 3, 12, 0, 0);
    const Instant now = MakeInstant(2012, 6, 3, 12, 0, 0);
    const struct
    {
        Instant from, to;  // from == 0: a point in time, `to`
        const char* english;
    } cases[] = {
        { 0, MakeInstant(2012, 6, 3, 9, 5, 7), "09:05:07" },
        { 0, MakeInstant(2012, 6, 4, 0, 0, 0), "Tomorrow" },
        { 0, MakeInstant(2012, 6, 1, 8, 0, 0), "08:00:00 (2 days ago)" },
        { 0, MakeInstant(2012, 6, 25, 8, 0, 0), "08:00:00 (6/25)" },
        { 0, MakeInstant(2012, 7, 25, 0, 0, 0), "7/25" },
        { 0, MakeInstant(2013, 1, 2, 0, 0, 0), "13/1/2" },
        { 0, NO_DATE, "--" },
        { now, MakeInstant(2012, 6, 9, 0, 0, 0), "6 days" },
        { now, MakeInstant(2012, 6, 3, 13, 5, 30), "1 h 5 min" },
        { now, MakeInstant(2012, 6, 3, 14, 0, 30), "2 h" },
        { now, MakeInstant(2012, 6, 3, 11, 59, 0), "-1 min" },
        { now, MakeInstant(2012, 6, 3, 12, 0, 40), "40 s" },
        { now, NO_DATE, "--" },
    };
    const auto shown
        = [](const auto& c) { return c.from == 0 ? DisplayFriendlyTime(c.to) : DisplayDuration(c.from, c.to); };
    for (const auto& c : cases)
        EXPECT_EQ(shown(c), c.from == 0 ? FormatFriendlyTime(c.to) : FormatDuration(c.from, c.to)) << c.english;
    ASSERT_TRUE(Translation::Install(QStringLiteral("en")));
    for (const auto& c : cases)
        EXPECT_EQ(shown(c), QString::fromUtf8(c.english));
    EXPECT_EQ(TaskStatusDisplayName(tsPaused) + TaskPriorityDisplayName(tpNormal), QStringLiteral("PausedNormal"));
    Translation::Uninstall();
    // The words kept for the list follow the translation back.
    for (const auto& c : cases)
        EXPECT_EQ(shown(c), c.from == 0 ? FormatFriendlyTime(c.to) : FormatDuration(c.from, c.to)) << c.english;
}

TEST(TaskDisplay, KeyHasAtLeastTwoDigits)
{
    CTask task;
    for (const auto& [id, key] :
        { std::pair { 0, "T00" }, { 7, "T07" }, { 10, "T10" }, { 1234, "T1234" }, { -3, "T-3" } }) {
        task.ID = id;
        EXPECT_EQ(task.Key(), QString::fromUtf8(key));
    }
}

// The due column shows the kept Chinese rule in English words in English; the copy and export text keeps it.
TEST(TaskDisplay, DueTextsInEnglishWords)
{
    CTask task;
    task.sDueDate = QStringLiteral("农历每年8-15");
    task.sDueTime = QStringLiteral("每2小时30分");
    const QString kept = TaskColumns::CellText(task, TaskColumns::colDue);
    EXPECT_EQ(TaskCellDisplayText(task, TaskColumns::colDue), kept);
    ASSERT_TRUE(Translation::Install(QStringLiteral("en")));
    EXPECT_EQ(
        TaskCellDisplayText(task, TaskColumns::colDue), QStringLiteral("lunar 8-15 every year every 2 hours at :30"));
    EXPECT_EQ(TaskColumns::CellText(task, TaskColumns::colDue), kept);
    Translation::Uninstall();
}

// Texts made for one refresh keep the moment they were made at, so that every row agrees; texts made after the
// clock moved on (here past midnight) follow it.
TEST(TaskDisplay, TextsKeepTheMomentTheyWereMadeAt)
{
    ClockGuard clock(2012, 6, 3, 23, 59, 30);
    CTask task;
    task.dtStartDT = MakeInstant(2012, 6, 3, 23, 0, 0);
    task.dtDueDT = task.dtAlarmDT = MakeInstant(2012, 6, 4, 9, 0, 0);
    const DisplayTexts made;
    clock.Set(2012, 6, 4, 0, 0, 30);
    const DisplayTexts later;
    const struct
    {
        int column;
        const char *made, *later;
    } cases[] = {
        { TaskColumns::colStart, "23:00:00", "23:00:00(昨天)" },
        { TaskColumns::colAlarm, "09:00:00(明天)", "09:00:00" },
        { TaskColumns::colRemain, "9小时", "8小时59分钟" },
        { TaskColumns::colSpent, "59分钟", "1小时" },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(made.Cell(task, c.column), QString::fromUtf8(c.made)) << c.column;
        EXPECT_EQ(later.Cell(task, c.column), QString::fromUtf8(c.later)) << c.column;
        EXPECT_EQ(TaskCellDisplayText(task, c.column), later.Cell(task, c.column)) << c.column;
    }
}
