#include "model/CTask.h"
#include "support/TestEnv.h"

class CTaskAlarm : public ::testing::Test
{
protected:
    ClockGuard clock { 2011, 12, 15, 11, 0 };
    MsgBoxGuard box;
    CTask task;
    QString err = "untouched";

    Instant Now() const { return MakeInstant(2011, 12, 15, 11, 0); }
};

TEST_F(CTaskAlarm, CalcAlarmFollowsTheManualText)
{
    task.dtDueDT = MakeInstant(2011, 12, 16, 10, 0);
    EXPECT_EQ(task.CalcAlarm(&err), task.dtDueDT);
    EXPECT_EQ(err, QString());
    task.sManualAlarm = "-15";
    EXPECT_EQ(task.CalcAlarm(), MakeInstant(2011, 12, 16, 9, 45));
    task.sManualAlarm = "-1天";
    EXPECT_EQ(task.CalcAlarm(), MakeInstant(2011, 12, 15, 10, 0));
    task.sManualAlarm = "abc";
    EXPECT_EQ(task.CalcAlarm(&err), task.dtDueDT);
    EXPECT_EQ(err, "错误的日期时间格式！");
    task.dtDueDT = NO_DATE;
    task.sManualAlarm = "-15";
    EXPECT_EQ(task.CalcAlarm(), NO_DATE);
}

TEST_F(CTaskAlarm, RelativePostponements)
{
    task.SetStatus(tsDue);
    ASSERT_TRUE(task.SetPostpone("10分钟", &err, false));
    EXPECT_EQ(task.dtAlarmDT, MakeInstant(2011, 12, 15, 11, 10));
    EXPECT_EQ(task.eStatus(), tsPostponed);
    EXPECT_EQ(task.Postpone(), "10分钟");
    EXPECT_EQ(task.dtFinishDT, 0);  // waiting again

    ASSERT_TRUE(task.SetPostpone("2小时", &err, true));
    EXPECT_EQ(task.dtAlarmDT, MakeInstant(2011, 12, 15, 13, 0));
    EXPECT_EQ(task.eStatus(), tsOngoing);
    ASSERT_TRUE(task.SetPostpone("1天", &err, false));
    EXPECT_EQ(task.dtAlarmDT, MakeInstant(2011, 12, 16, 11, 0));
    ASSERT_TRUE(task.SetPostpone("30秒", &err, false));
    EXPECT_EQ(task.dtAlarmDT, MakeInstant(2011, 12, 15, 11, 0, 30));
    ASSERT_TRUE(task.SetPostpone("1.5小时", &err, false));  // fractions count in full
    EXPECT_EQ(task.dtAlarmDT, MakeInstant(2011, 12, 15, 12, 30));
}

TEST_F(CTaskAlarm, CompoundPostponementsAddUp)
{
    // Read by the first number and the first unit alone, these were one minute and one hour.
    ASSERT_TRUE(task.SetPostpone("1小时30分", &err, false));
    EXPECT_EQ(task.dtAlarmDT, MakeInstant(2011, 12, 15, 12, 30));
    ASSERT_TRUE(task.SetPostpone("1天2小时", &err, false));
    EXPECT_EQ(task.dtAlarmDT, MakeInstant(2011, 12, 16, 13, 0));
    EXPECT_EQ(task.Postpone(), "1天2小时");
    ASSERT_TRUE(task.SetPostpone("1分30秒", &err, false));
    EXPECT_EQ(task.dtAlarmDT, MakeInstant(2011, 12, 15, 11, 1, 30));

    const Instant before = task.dtAlarmDT;
    err = "untouched";
    EXPECT_FALSE(task.SetPostpone("-1小时30分", &err, false));
    EXPECT_FALSE(task.SetPostpone("0小时0分", &err, false));
    EXPECT_EQ(err, "untouched");
    EXPECT_EQ(task.dtAlarmDT, before);
}

TEST_F(CTaskAlarm, RejectedPostponements)
{
    task.dtAlarmDT = Now();
    task.SetStatus(tsDue);
    EXPECT_FALSE(task.SetPostpone("15", &err, false));
    EXPECT_EQ(err, "推迟时间格式不正确!");
    for (const char* text : { "0分钟", "abc", "-5分钟", "", "99999999999999999999天" }) {
        err = "untouched";
        EXPECT_FALSE(task.SetPostpone(text, &err, false)) << text;
        EXPECT_EQ(err, "untouched") << text;
    }
    EXPECT_FALSE(task.SetPostpone("2010-10-1 10:00", &err, false));
    EXPECT_EQ(err, "指定时间早于当前时间!");
    EXPECT_FALSE(task.SetPostpone("2011-12-15 11:00", &err, false));  // now is not later than now
    EXPECT_EQ(task.eStatus(), tsDue);
    EXPECT_EQ(task.dtAlarmDT, Now());
    EXPECT_TRUE(task.Postpone().isEmpty());
    EXPECT_FALSE(task.SetPostpone("15", nullptr, false));  // callers may pass no error text
}

TEST_F(CTaskAlarm, AbsolutePostponements)
{
    ASSERT_TRUE(task.SetPostpone("10:00", &err, false));  // passed today: tomorrow
    EXPECT_EQ(task.dtAlarmDT, MakeInstant(2011, 12, 16, 10, 0));
    ASSERT_TRUE(task.SetPostpone("12:00", &err, false));
    EXPECT_EQ(task.dtAlarmDT, MakeInstant(2011, 12, 15, 12, 0));
    ASSERT_TRUE(task.SetPostpone("2011-12-20 8:30", &err, false));
    EXPECT_EQ(task.dtAlarmDT, MakeInstant(2011, 12, 20, 8, 30));
}

TEST_F(CTaskAlarm, PostponingPastTheValidPeriodAsksFirst)
{
    task.SetDescription("交房租");
    task.dtValidToDT = MakeInstant(2011, 12, 15, 11, 30);
    task.SetStatus(tsDue);

    box->answers.push_back(MsgResult::No);
    EXPECT_FALSE(task.SetPostpone("1小时", &err, false));
    EXPECT_EQ(err, QString());
    EXPECT_EQ(task.eStatus(), tsDue);
    ASSERT_EQ(box->shown.size(), 1u);
    EXPECT_EQ(box->shown[0].text, "[交房租]将推迟到12:00:00, 这将超过有效期(~11:30:00), 确定推迟?");
    EXPECT_EQ(box->shown[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(box->shown[0].icon, MsgIcon::Warning);

    box->answers.push_back(MsgResult::Yes);
    EXPECT_TRUE(task.SetPostpone("1小时", &err, false));
    EXPECT_EQ(task.dtAlarmDT, MakeInstant(2011, 12, 15, 12, 0));

    // An ongoing task is moved without a question; so is a moment inside the period.
    EXPECT_TRUE(task.SetPostpone("2小时", &err, true));
    EXPECT_TRUE(task.SetPostpone("30分钟", &err, false));
    EXPECT_EQ(box->shown.size(), 2u);
}

TEST_F(CTaskAlarm, AlarmText)
{
    task.dtDueDT = MakeInstant(2011, 12, 16, 10, 0);
    task.dtAlarmDT = MakeInstant(2011, 12, 16, 10, 15);
    task.SetStatus(tsPostponed);
    EXPECT_EQ(task.AlarmTimeStr(), "10:15:00(明天)\r\n(推迟15分钟)");
    task.dtAlarmDT = MakeInstant(2011, 12, 16, 9, 0);
    task.SetStatus(tsNotStarted);
    EXPECT_EQ(task.AlarmTimeStr(), "09:00:00(明天)\r\n(提前1小时)");
    task.SetStatus(tsFinished);
    EXPECT_EQ(task.AlarmTimeStr(), "09:00:00(明天)");
    task.SetStatus(tsNotStarted);
    task.dtAlarmDT = task.dtDueDT;
    EXPECT_EQ(task.AlarmTimeStr(), "10:00:00(明天)");
}

TEST_F(CTaskAlarm, ValidPeriod)
{
    EXPECT_EQ(task.ValidPeriodStr("未设置"), "未设置");
    EXPECT_TRUE(task.InTheValidPeriod(0));
    EXPECT_TRUE(task.InTheValidPeriod(NO_DATE));

    task.dtValidToDT = MakeInstant(2011, 12, 16, 18, 0);
    EXPECT_EQ(task.ValidPeriodStr("未设置"), "~18:00:00(明天)");
    task.dtValidFromDT = MakeInstant(2011, 12, 15, 8, 0);
    EXPECT_EQ(task.ValidPeriodStr("未设置"), "08:00:00~18:00:00(明天)");
    task.dtValidToDT = 0;
    EXPECT_EQ(task.ValidPeriodStr("x"), "08:00:00~");

    task.dtValidToDT = MakeInstant(2011, 12, 16, 18, 0);
    EXPECT_TRUE(task.InTheValidPeriod(task.dtValidFromDT));
    EXPECT_TRUE(task.InTheValidPeriod(task.dtValidToDT));
    EXPECT_FALSE(task.InTheValidPeriod(AddSeconds(task.dtValidFromDT, -1)));
    EXPECT_FALSE(task.InTheValidPeriod(AddSeconds(task.dtValidToDT, 1)));
}
