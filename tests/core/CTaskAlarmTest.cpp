// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/CTask.h"
#include "support/TestEnv.h"

class CTaskAlarm : public ::testing::Test
{
protected:
    ClockGuard clock { 2011, 12, 15, 11, 0 };
    MsgBoxGuard box;
    CTask task;
    QString err = "untouched";
};

TEST_F(CTaskAlarm, CalcAlarmFallsBackToTheDueMoment)
{
    task.dtDueDT = MakeInstant(2011, 12, 16, 10, 0);
    task.sManualAlarm = "-15";
    EXPECT_EQ(task.CalcAlarm(), MakeInstant(2011, 12, 16, 9, 45));
    task.sManualAlarm = "abc";
    EXPECT_EQ(task.CalcAlarm(&err), task.dtDueDT);
    EXPECT_EQ(err, "错误的日期时间格式！");
    task.dtDueDT = NO_DATE;
    task.sManualAlarm = "-15";
    EXPECT_EQ(task.CalcAlarm(), NO_DATE);
}

TEST_F(CTaskAlarm, PostponementsMoveTheAlarm)
{
    task.SetStatus(tsDue);
    ASSERT_TRUE(task.SetPostpone("10分钟", &err, false));
    EXPECT_EQ(task.dtAlarmDT, MakeInstant(2011, 12, 15, 11, 10));
    EXPECT_EQ(task.eStatus(), tsPostponed);
    EXPECT_EQ(task.Postpone(), "10分钟");
    ASSERT_TRUE(task.SetPostpone("1.5小时", &err, true));  // fractions count in full
    EXPECT_EQ(task.dtAlarmDT, MakeInstant(2011, 12, 15, 12, 30));
    EXPECT_EQ(task.eStatus(), tsOngoing);
    ASSERT_TRUE(task.SetPostpone("10:00", &err, false));  // passed today: tomorrow
    EXPECT_EQ(task.dtAlarmDT, MakeInstant(2011, 12, 16, 10, 0));
}

TEST_F(CTaskAlarm, CompoundPostponementsAddUp)
{
    // Read by the first number and the first unit alone, these were one minute and one hour.
    ASSERT_TRUE(task.SetPostpone("1小时30分", &err, false));
    EXPECT_EQ(task.dtAlarmDT, MakeInstant(2011, 12, 15, 12, 30));
    ASSERT_TRUE(task.SetPostpone("1天2小时", &err, false));
    EXPECT_EQ(task.dtAlarmDT, MakeInstant(2011, 12, 16, 13, 0));
    EXPECT_FALSE(task.SetPostpone("-1小时30分", &err, false));
    EXPECT_EQ(err, "untouched");
}

TEST_F(CTaskAlarm, RejectedPostponementsChangeNothing)
{
    task.SetStatus(tsDue);
    EXPECT_FALSE(task.SetPostpone("15", &err, false));
    EXPECT_EQ(err, "推迟时间格式不正确!");
    for (const char* text : { "0分钟", "abc", "", "99999999999999999999天" }) {
        err = "untouched";
        EXPECT_FALSE(task.SetPostpone(QString::fromUtf8(text), &err, false)) << text;
        EXPECT_EQ(err, "untouched") << text;
    }
    EXPECT_FALSE(task.SetPostpone("2010-10-1 10:00", &err, false));
    EXPECT_EQ(err, "指定时间早于当前时间!");
    EXPECT_EQ(task.eStatus(), tsDue);
    EXPECT_EQ(task.dtAlarmDT, 0);
    EXPECT_TRUE(task.Postpone().isEmpty());
}

TEST_F(CTaskAlarm, PostponingPastTheValidPeriodAsksFirst)
{
    task.SetDescription("交房租");
    task.dtValidToDT = MakeInstant(2011, 12, 15, 11, 30);
    box->answers = { MsgResult::No, MsgResult::Yes };
    EXPECT_FALSE(task.SetPostpone("1小时", &err, false));
    EXPECT_EQ(err, QString());
    ASSERT_EQ(box->shown.size(), 1u);
    EXPECT_EQ(box->shown[0].text, "[交房租]将推迟到12:00:00, 这将超过有效期(~11:30:00), 确定推迟?");
    EXPECT_EQ(box->shown[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(box->shown[0].icon, MsgIcon::Warning);
    EXPECT_TRUE(task.SetPostpone("1小时", &err, false));
    EXPECT_TRUE(task.SetPostpone("2小时", &err, true));  // an ongoing task is not asked
    EXPECT_EQ(box->shown.size(), 2u);
}

TEST_F(CTaskAlarm, AlarmAndValidPeriodTexts)
{
    task.dtDueDT = MakeInstant(2011, 12, 16, 10, 0);
    task.dtAlarmDT = MakeInstant(2011, 12, 16, 10, 15);
    task.SetStatus(tsPostponed);
    EXPECT_EQ(task.AlarmTimeStr(), "10:15:00(明天)\r\n(推迟15分钟)");
    task.dtAlarmDT = MakeInstant(2011, 12, 16, 9, 0);
    EXPECT_EQ(task.AlarmTimeStr(), "09:00:00(明天)\r\n(提前1小时)");
    task.SetStatus(tsFinished);
    EXPECT_EQ(task.AlarmTimeStr(), "09:00:00(明天)");

    EXPECT_EQ(task.ValidPeriodStr("未设置"), "未设置");
    task.dtValidToDT = MakeInstant(2011, 12, 16, 18, 0);
    EXPECT_EQ(task.ValidPeriodStr("未设置"), "~18:00:00(明天)");
    task.dtValidFromDT = MakeInstant(2011, 12, 15, 8, 0);
    EXPECT_TRUE(task.InTheValidPeriod(task.dtValidFromDT));
    EXPECT_TRUE(task.InTheValidPeriod(task.dtValidToDT));
    EXPECT_FALSE(task.InTheValidPeriod(AddSeconds(task.dtValidToDT, 1)));
}
