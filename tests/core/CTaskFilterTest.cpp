// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/StoreTestUtil.h"

#include "core/CTask.h"
#include "core/CTaskFilter.h"
#include "support/TestEnv.h"
#include "support/TestText.h"

TEST(CTaskFilter, ParsesNormalisesAndRejects)
{
    struct Case
    {
        const char* input;
        bool ok;
        const char* textOrError;  // the stored text on success, the message on failure
    };
    const Case cases[] = {
        { "", true, "" },
        { "  　 ", true, "" },  // spaces alone are no filter
        { "类别=工作，私人 & 状态＝已完成", true, "类别=工作,私人&状态=已完成" },
        { "类别=", true, "类别=" },
        { "状态=未发生,到期,推迟", true, "状态=未发生,到期,推迟" },
        { "类别", false, "错误条件：类别" },
        { "a=b=c", false, "错误条件：a=b=c" },
        { "类别=工作&", false, "错误条件：" },
        { "优先级=高", false, "不支持的列名：优先级" },
        { "类别=工作&Status=x", false, "不支持的列名：Status" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        CTaskFilter filter;
        QString err;
        EXPECT_EQ(filter.Init(Q(c.input), &err), c.ok);
        EXPECT_EQ(c.ok ? filter.Text() : err, Q(c.textOrError));
    }
}

TEST(CTaskFilter, RejectedTextKeepsThePreviousFilter)
{
    CTaskFilter filter;
    ASSERT_TRUE(filter.Init(Q("类别=工作&状态=已完成"), nullptr));
    QString err;
    EXPECT_FALSE(filter.Init(Q("类别=私人&优先级=高"), &err));
    EXPECT_EQ(filter.Text(), Q("类别=工作&状态=已完成"));
    EXPECT_TRUE(filter.FilterByType(Q("工作")));
    EXPECT_FALSE(filter.FilterByType(Q("私人")));
    EXPECT_FALSE(filter.FilterByStatus(Q("到期")));

    ASSERT_TRUE(filter.Init(QString(), nullptr));
    EXPECT_TRUE(filter.IsEmptyType());
    EXPECT_TRUE(filter.IsEmptyStatus());
}

TEST(CTaskFilter, LetsTasksThroughByCategoryAndStatus)
{
    struct Row
    {
        const char* type;
        TaskStatus status;
    };
    const Row rows[] = {
        { "", tsNotStarted },  // 0
        { "工作", tsFinished },  // 1
        { "私人", tsDue },  // 2
        { "Work", tsCancelled },  // 3
        { "工作", tsPostponed },  // 4
    };
    struct Case
    {
        const char* filter;
        std::vector<int> passing;
    };
    const Case cases[] = {
        { "", { 0, 1, 2, 3, 4 } },
        { "类别=", { 0 } },
        { "类别=工作,", { 0, 1, 4 } },
        { "类别=work", {} },  // categories compare exactly
        { "状态=已完成", { 1 } },
        { "状态=完成", {} },  // the status name is looked for in the value, not the reverse
        { "状态=未发生,到期,推迟", { 0, 2, 4 } },
        { "类别=工作&状态=推迟", { 4 } },
        { "类别=私人&类别=工作", { 1, 4 } },  // a later condition replaces an earlier one
        { "状态=", { 0, 1, 2, 3, 4 } },
    };
    std::vector<std::unique_ptr<CTask>> tasks;
    for (const Row& r : rows) {
        tasks.push_back(std::make_unique<CTask>());
        tasks.back()->sType = Q(r.type);
        tasks.back()->SetStatus(r.status);
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter);
        CTaskFilter filter;
        ASSERT_TRUE(filter.Init(Q(c.filter), nullptr));
        std::vector<int> passing;
        for (size_t i = 0; i < tasks.size(); ++i) {
            if (filter.Filter(*tasks[i]))
                passing.push_back(int(i));
        }
        EXPECT_EQ(passing, c.passing);
    }
}
