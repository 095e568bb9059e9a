// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/dlgFilter.h"
#include "mainwindow/IFilterHost.h"
#include "core/CSimpleList.h"
#include "core/CTaskFilter.h"
#include "support/TestEnv.h"
#include "support/TestText.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

// Keeps a filter the way the main window does, and tells the dialog about every change, as the main
// window will, so the dialog also meets its own changes coming back.
class FakeHost : public IFilterHost
{
public:
    const CTaskFilter& CurrentFilter() const override { return m_filter; }
    const CSimpleList& TaskTypes() const override { return types; }
    bool SetTaskFilter(const QString& text, QString* errInfo) override
    {
        applied << text;
        CTaskFilter next;
        if (!next.Init(text == QLatin1String("-") ? QString() : text, errInfo))
            return false;
        m_filter = next;
        if (dialog)
            dialog->Synchronize();
        return true;
    }

    CSimpleList types;
    QStringList applied;
    dlgFilter* dialog = nullptr;

private:
    CTaskFilter m_filter;
};

}  // namespace

class DlgFilterTest : public ::testing::Test
{
protected:
    DlgFilterTest() { m_host.types.SetText(Q("工作;*私人")); }

    dlgFilter& Open(const char* filter = "")
    {
        m_host.SetTaskFilter(Q(filter), nullptr);
        m_host.applied.clear();
        m_dialog = std::make_unique<dlgFilter>(m_host, &m_owner);
        m_host.dialog = m_dialog.get();
        return *m_dialog;
    }
    template <class T> T* Find(const char* name)
    {
        T* w = m_dialog->findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QListWidget* Types() { return Find<QListWidget>("lstType"); }
    QListWidget* Statuses() { return Find<QListWidget>("lstStatus"); }
    static QString Entries(QListWidget* list, bool selectedOnly)
    {
        QStringList s;
        for (int i = 0; i < list->count(); ++i) {
            if (!selectedOnly || list->item(i)->isSelected())
                s << list->item(i)->text();
        }
        return s.join(QLatin1Char('|'));
    }
    static void Click(QListWidget* list, int row)
    {
        const QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }

    MsgBoxGuard m_box;
    QWidget m_owner;
    FakeHost m_host;
    std::unique_ptr<dlgFilter> m_dialog;
};

TEST_F(DlgFilterTest, ListsCategoriesAndStatusesAndShowsTheCurrentFilter)
{
    struct Case
    {
        const char* filter;
        const char* types;
        const char* statuses;
    };
    const Case cases[] = {
        { "", "", "" },
        { "类别=工作,&状态=已完成,已取消", "(未分类)|工作", "已完成|已取消" },
        { "类别=", "(未分类)", "" },
        { "类别=私人,其他", "私人", "" },
        { "状态=未发生,到期,推迟", "", "未发生|到期|推迟" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter);
        dlgFilter& dlg = Open(c.filter);
        EXPECT_EQ(dlg.windowTitle(), Q("过滤任务"));
        EXPECT_FALSE(dlg.isModal());
        EXPECT_EQ(Entries(Types(), false), Q("(未分类)|工作|私人"));
        EXPECT_EQ(Entries(Statuses(), false), Q("未发生|到期|已完成|推迟|已取消|暂停|检测中|进行中|已失效"));
        EXPECT_EQ(Entries(Types(), true), Q(c.types));
        EXPECT_EQ(Entries(Statuses(), true), Q(c.statuses));
        EXPECT_TRUE(m_host.applied.isEmpty());  // showing the filter does not set it again
    }
}

TEST_F(DlgFilterTest, EveryClickAppliesTheSelection)
{
    Open();
    const struct
    {
        QListWidget* list;
        int row;
        const char* filter;
    } clicks[] = {
        { Types(), 2, "类别=私人" },
        { Types(), 0, "类别=私人," },
        { Statuses(), 3, "类别=私人,&状态=推迟" },
        { Statuses(), 1, "类别=私人,&状态=到期,推迟" },
        { Types(), 2, "类别=,&状态=到期,推迟" },
        { Types(), 0, "状态=到期,推迟" },
        { Statuses(), 1, "状态=推迟" },
        { Statuses(), 3, "" },
    };
    for (const auto& c : clicks) {
        SCOPED_TRACE(c.filter);
        m_host.applied.clear();
        Click(c.list, c.row);
        EXPECT_EQ(m_host.applied, QStringList { Q(c.filter) });
        EXPECT_EQ(m_host.CurrentFilter().Text(), Q(c.filter));
    }
    EXPECT_TRUE(m_box->shown.empty());
}

TEST_F(DlgFilterTest, ButtonsApplyAndShowTheirFilter)
{
    Open("类别=工作");
    QTest::mouseClick(Find<QPushButton>("cmdFilter1"), Qt::LeftButton);
    EXPECT_EQ(m_host.applied, QStringList { Q("状态=未发生,到期,推迟") });
    EXPECT_EQ(Entries(Types(), true), QString());
    EXPECT_EQ(Entries(Statuses(), true), Q("未发生|到期|推迟"));

    m_host.applied.clear();
    QTest::mouseClick(Find<QPushButton>("cmdFilterClear"), Qt::LeftButton);
    EXPECT_EQ(m_host.applied, QStringList { Q("-") });
    EXPECT_EQ(m_host.CurrentFilter().Text(), QString());
    EXPECT_EQ(Entries(Statuses(), true), QString());
}

TEST_F(DlgFilterTest, FollowsAFilterSetElsewhere)
{
    Open();
    m_host.dialog = nullptr;  // the test tells the dialog itself
    m_host.SetTaskFilter(Q("类别=工作&状态=已完成"), nullptr);
    m_host.applied.clear();
    m_dialog->Synchronize();
    EXPECT_EQ(Entries(Types(), true), Q("工作"));
    EXPECT_EQ(Entries(Statuses(), true), Q("已完成"));
    EXPECT_TRUE(m_host.applied.isEmpty());
}

TEST_F(DlgFilterTest, ARejectedFilterIsAnInternalError)
{
    // A category holding "=" makes a text the parser refuses.
    m_host.types.SetText(Q("a=b"));
    Open("状态=已完成");
    Click(Types(), 1);
    EXPECT_EQ(m_host.applied, QStringList { Q("类别=a=b&状态=已完成") });
    EXPECT_EQ(m_host.CurrentFilter().Text(), Q("状态=已完成"));
    ASSERT_EQ(m_box->shown.size(), 1u);
    EXPECT_EQ(m_box->shown[0].text, Q("内部错误!"));
    EXPECT_EQ(m_box->shown[0].icon, MsgIcon::Warning);
}

TEST_F(DlgFilterTest, ClosingHandsTheFocusBackToTheMainWindow)
{
    m_owner.show();
    dlgFilter& dlg = Open();
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dlg.isActiveWindow(); }, 2000));
    QTest::mouseClick(Find<QPushButton>("CancelButton"), Qt::LeftButton);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_owner.isActiveWindow(); }, 2000));
}
