// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditorTestUtil.h"
#include "core/CTask.h"
#include "editor/CalendarPicker.h"
#include "editor/dlgLoopDefine.h"
#include "editor/dlgValidPeriod.h"
#include "support/TestEnv.h"
#include "support/TestText.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

class EditorDialogs : public ::testing::Test
{
protected:
    ClockGuard m_clock { 2012, 6, 3, 12, 0, 0 };
    MsgBoxGuard m_msg;
    CTask m_task;

    QString LastMessage() { return m_msg->shown.empty() ? QString() : m_msg->shown.back().text; }
};

TEST_F(EditorDialogs, ValidPeriodChecksBothBoundsBeforeWritingEither)
{
    struct Case
    {
        const char *from, *to;
        MsgResult answer;  // to the question about an end in the past
        bool ok;
        Instant expFrom, expTo;
        const char* message;
    } cases[] = {
        { "", "", MsgResult::No, true, 0, 0, "" },
        { "10:00", "", MsgResult::No, true, MakeInstant(2012, 6, 3, 10), 0, "" },
        { "2012-6-1", "2012-6-20 8:00", MsgResult::No, true, MakeInstant(2012, 6, 1), MakeInstant(2012, 6, 20, 8), "" },
        { "2012-6-10", "2012-6-5", MsgResult::Yes, false, 1, 1, "不允许截止日期早于起始日期！" },
        { "", "2012-6-1", MsgResult::No, false, 1, 1, "截止日期早于当前日期！是否继续？" },
        { "", "2012-6-1", MsgResult::Yes, true, 0, MakeInstant(2012, 6, 1), "截止日期早于当前日期！是否继续？" },
        { "明年", "", MsgResult::Yes, false, 1, 1, "日期格式错误!" },
        { "", "0:00", MsgResult::Yes, true, 0, MakeInstant(2012, 6, 3), "截止日期早于当前日期！是否继续？" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " ~ " + c.to);
        m_task.dtValidFromDT = m_task.dtValidToDT = 1;  // "untouched" marker
        m_msg->answers = { c.answer };
        dlgValidPeriod dlg(m_task);
        Child<QLineEdit>(&dlg, "txtDate_0")->setText(Q(c.from));
        Child<QLineEdit>(&dlg, "txtDate_1")->setText(Q(c.to));
        dlg.accept();
        EXPECT_EQ(dlg.IsOk(), c.ok);
        EXPECT_EQ(Show(m_task.dtValidFromDT), Show(c.expFrom));
        EXPECT_EQ(Show(m_task.dtValidToDT), Show(c.expTo));
        EXPECT_EQ(LastMessage(), Q(c.message));
        m_msg->shown.clear();
    }
}

TEST_F(EditorDialogs, ValidPeriodMenuFillsTheChosenField)
{
    m_task.dtValidFromDT = MakeInstant(2012, 5, 1, 8, 30);
    dlgValidPeriod dlg(m_task);
    EXPECT_EQ(Child<QLineEdit>(&dlg, "txtDate_0")->text(), Q("2012-05-01 08:30:00"));
    QAction* calendar = Child<QAction>(&dlg, "mnuSetTime_3");
    EXPECT_FALSE(calendar->isEnabled());  // no calendar yet

    Child<QToolButton>(&dlg, "cmdSelDate_1")->click();
    Child<QAction>(&dlg, "mnuSetTime_1")->trigger();
    dlg.PopupMenu()->hide();
    EXPECT_EQ(Child<QLineEdit>(&dlg, "txtDate_1")->text(), Q("2012-06-04 12:00:00"));
    Child<QAction>(&dlg, "mnuSetTime_2")->trigger();
    EXPECT_EQ(Child<QLineEdit>(&dlg, "txtDate_1")->text(), Q("2012-07-03"));

    // A calendar closed without a pick leaves the field alone.
    const SlotGuard<&CurrentCalendarPicker, &SetCalendarPicker> picker([](QWidget*) { return Instant(0); });
    dlgValidPeriod withCalendar(m_task);
    Child<QAction>(&withCalendar, "mnuSetTime_3")->trigger();
    EXPECT_EQ(Child<QLineEdit>(&withCalendar, "txtDate_0")->text(), Q("2012-05-01 08:30:00"));
}

TEST_F(EditorDialogs, LoopDialogOpensOnTheTasksRule)
{
    struct Case
    {
        const char *date, *time;
        int type, count;
        bool specOn;
        const char *spec, *result;
    } cases[] = {
        { "每2个月1,15号", "10:00", ltMonth, 2, true, "1,15", "提醒设置：每2个月1号15号" },
        { "每天", "8:30", ltDay, 1, true, "8:30", "提醒设置：每天8:30" },
        { "2012-06-10", "10:00", ltDay, 1, true, "12:0", "提醒设置：每天12:0" },
        { "每周", "9:00", ltWeek, 1, false, "135", "提醒设置：每周" },
        { "每天", "每2小时30:0", ltHour, 2, true, "30:0", "提醒设置：每2小时30分0秒" },
        { "农历每年8-15", "", ltLunarYear, 1, true, "8-15", "提醒设置：农历每年8-15" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date);
        m_task.sDueDate = Q(c.date);
        m_task.sDueTime = Q(c.time);
        dlgLoopDefine dlg(m_task);
        EXPECT_EQ(Child<QComboBox>(&dlg, "cboLoopType")->currentIndex(), c.type);
        EXPECT_EQ(Child<QLineEdit>(&dlg, "txtLoopCnt")->text(), QString::number(c.count));
        EXPECT_EQ(Child<QCheckBox>(&dlg, "chkTimeSpec")->isChecked(), c.specOn);
        EXPECT_EQ(Child<QLineEdit>(&dlg, "txtTimeSpec")->text(), Q(c.spec));
        EXPECT_EQ(Child<QLabel>(&dlg, "lblResult")->text(), Q(c.result));
    }
}

TEST_F(EditorDialogs, LoopDialogComposesTheRuleOrRefusesTheDetail)
{
    struct Case
    {
        int type;
        const char *count, *spec;
        bool ok;
        const char *date, *time;
    } cases[] = {
        { ltHour, "1", "30", true, "每天", "每小时30分" },
        { ltHour, "1", "18:18", true, "每天", "每小时18:18" },
        { ltMonth, "1", "-1,5", false, "旧日期", "旧时间" },
        { ltMonth, "3", "－1", true, "每3个月-1号", "" },
        { ltWeek, "abc", "1 3", true, "每周13", "" },
        { ltLunarMonth, "5", "1,15", true, "农历每月1,15号", "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.spec);
        m_task.sDueDate = Q("旧日期");
        m_task.sDueTime = Q("旧时间");
        dlgLoopDefine dlg(m_task);
        Child<QComboBox>(&dlg, "cboLoopType")->setCurrentIndex(c.type);
        auto* count = Child<QLineEdit>(&dlg, "txtLoopCnt");
        if (count->isEnabled())
            count->setText(Q(c.count));
        Child<QCheckBox>(&dlg, "chkTimeSpec")->setChecked(true);
        Child<QLineEdit>(&dlg, "txtTimeSpec")->setText(Q(c.spec));
        m_msg->shown.clear();
        dlg.accept();
        EXPECT_EQ(dlg.IsOk(), c.ok);
        EXPECT_EQ(LastMessage(), c.ok ? QString() : Q("格式错误！"));
        EXPECT_EQ(m_task.sDueDate, Q(c.date));
        EXPECT_EQ(m_task.sDueTime, Q(c.time));
    }
}

TEST_F(EditorDialogs, LunarTypesForceTheCountAndSecondsTakeNoDetail)
{
    dlgLoopDefine dlg(m_task);
    auto* type = Child<QComboBox>(&dlg, "cboLoopType");
    auto* count = Child<QLineEdit>(&dlg, "txtLoopCnt");
    count->setText(QStringLiteral("3"));
    type->setCurrentIndex(ltLunarYear);
    EXPECT_EQ(count->text(), QStringLiteral("1"));
    EXPECT_FALSE(count->isEnabled());
    type->setCurrentIndex(ltSecond);
    EXPECT_TRUE(count->isEnabled());
    EXPECT_FALSE(Child<QCheckBox>(&dlg, "chkTimeSpec")->isEnabled());
    EXPECT_FALSE(Child<QCheckBox>(&dlg, "chkTimeSpec")->isChecked());
}

TEST_F(EditorDialogs, ValidPeriodFromTheLoopDialogIsWrittenAtOnce)
{
    dlgLoopDefine dlg(m_task);
    WhenModal([](QDialog* vp) {
        Child<QLineEdit>(vp, "txtDate_0")->setText(QStringLiteral("2012-7-1"));
        vp->accept();
    });
    dlg.DefineValidPeriod();
    dlg.reject();
    EXPECT_EQ(Show(m_task.dtValidFromDT), Show(MakeInstant(2012, 7, 1)));
    EXPECT_EQ(Child<QLabel>(&dlg, "lblValidPeriod")->text(), FormatFriendlyTime(MakeInstant(2012, 7, 1)) + u'~');
}
