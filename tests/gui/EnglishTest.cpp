// SPDX-License-Identifier: GPL-3.0-or-later
#include "EnglishTexts.h"
#include "MainWindowFixture.h"
#include "alerts/frmPrompt.h"
#include "base/AppVersion.h"
#include "editor/frmTask.h"
#include "mainwindow/frmAbout.h"
#include "mainwindow/frmHelp.h"

#include <QFile>
#include <QListWidget>
#include <QRegularExpression>
#include <QStatusBar>

using namespace EnglishTexts;

class EnglishUi : private EnglishGuard, public MainWindowFixture
{
};

TEST_F(EnglishUi, MainWindowEditorAndPromptShowNoChineseButData)
{
    // The task's own texts are data and stay as typed; its rule is shown in English.
    TaskPtr task = Add(QStringLiteral("交电费"), QStringLiteral("家务"), tsNotStarted, 0, QStringLiteral("每周135"));
    W().show();
    const QStringList data = { QStringLiteral("交电费"), QStringLiteral("家务") };
    EXPECT_EQ(ChineseTexts(&W(), data).join(u'\n').toStdString(), "");

    W().Editor()->ShowAsNewTask(&W());
    EXPECT_EQ(ChineseTexts(W().Editor(), data).join(u'\n').toStdString(), "");

    frmPrompt prompt(W().Engine());
    W().Engine().SetTaskStatus(task, tsDue, true, true);
    prompt.ShowFiredTask(task);
    EXPECT_EQ(ChineseTexts(&prompt, data).join(u'\n').toStdString(), "");

    // The program's own name, in its title and in the message boxes.
    EXPECT_EQ(W().windowTitle(), QStringLiteral("Tickwell V") + AppVersionText());
    MsgBox::Show(QStringLiteral("x"));
    EXPECT_EQ(m_msg->shown.back().title, QStringLiteral("Tickwell"));

    frmAbout about(&W(), QString());
    const QStringList examples = { QStringLiteral("明天"), QStringLiteral("每周"), QStringLiteral("农历") };
    EXPECT_EQ(ChineseTexts(&about, examples).join(u'\n').toStdString(), "");

    // The help explains the Chinese expressions in English; its contents lead to the Chinese page's sections.
    const QString help = frmHelp::HelpText();
    EXPECT_TRUE(help.contains(
        QStringLiteral("every Mon Wed Fri, every week on Monday, Wednesday and Friday<br>每周, 每周135")));
    QFile chinese(QStringLiteral(":/help/help.html"));
    ASSERT_TRUE(chinese.open(QIODevice::ReadOnly));
    static const QRegularExpression link(QStringLiteral("<a (?:href=\"#|name=\")([^\"]+)\""));
    for (const auto& m : link.globalMatch(QString::fromUtf8(chinese.readAll()) + help))
        EXPECT_TRUE(help.contains(QStringLiteral("<a name=\"%1\"").arg(m.captured(1)))) << m.captured(1).toStdString();
}

TEST_F(EnglishUi, ListShowsEnglishButWhatTheUserTyped)
{
    // Every status and priority, a postponed alarm and a valid period: the cells that are not typed are English.
    for (int s = 0; s < kTaskStatusCount; ++s) {
        TaskPtr t = Add(QStringLiteral("交电费"), QStringLiteral("家务"), TaskStatus(s));
        t->ePriority = s % 4;
        t->dtAlarmDT = MakeInstant(2012, 6, 10, 11, 5, 0);
        t->dtValidFromDT = MakeInstant(2012, 6, 4, 0, 0, 0);
    }
    // Rules kept in Chinese are worded in English.
    const char* const rules[][3] = { { "每周135", "10:17", "every Mon, Wed, Fri 10:17" },
        { "农历每年8-15", "9:00", "lunar 8-15 every year 9:00" },
        { "每月-1天", "8:00", "the last day of every month 8:00" },
        { "每天", "每2小时30:0", "every day every 2 hours at :30:00" },
        { "3天后", "10分钟后", "in 3 days in 10 minutes" } };
    for (const auto& r : rules)
        Add(QStringLiteral("交电费"), QStringLiteral("家务"), tsNotStarted, 0, Q(r[0]), Q(r[1]));
    W().RefreshList();
    for (const auto& r : rules)
        EXPECT_TRUE(Column(TaskColumns::colDue).contains(Q(r[2]))) << r[2];
    const QStringList data = { QStringLiteral("交电费"), QStringLiteral("家务") };
    for (int r = 0; r < M().rowCount(); ++r)
        for (int c = 0; c < TaskColumns::kCount; ++c)
            EXPECT_FALSE(HasChinese(M().Text(r, c).remove(data[0]).remove(data[1]))) << M().Text(r, c).toStdString();
    const QString row0 = Column(TaskColumns::colStatus).at(0) + u'|' + Column(TaskColumns::colPriority).at(0) + u'|'
        + Column(TaskColumns::colAlarm).at(0) + u'|' + Column(TaskColumns::colRemain).at(0) + u'|'
        + Column(TaskColumns::colValidPeriod).at(0);
    EXPECT_EQ(row0, QStringLiteral("Not started|Low|11:05:00 (6/10)\r\n(1 h 5 min later)|7 days|Tomorrow~"));
    EXPECT_EQ(Column(TaskColumns::colStatus).at(2) + Column(TaskColumns::colPriority).at(3), "FinishedUrgent");
    // The default widths, made for the Chinese names, grow to fit the longest English one.
    EXPECT_GT(W().List()->columnWidth(TaskColumns::colStatus),
        W().List()->fontMetrics().horizontalAdvance(QStringLiteral("Not started")));

    // The filter shows English names and makes the filter the program stores and parses, in Chinese.
    const struct
    {
        const char* item;
        const char* filter;
        const char* panel;  // what the status bar shows of it
    } cases[] = {
        { "mnuFilterStatusItem_0", "状态=未发生,到期,推迟", "Filter: Status=Not started,Due,Postponed" },
        { "mnuFilterStatusItem_1", "状态=已完成", "Filter: Status=Finished" },
        { "mnuFilterStatusItem_2", "状态=已取消", "Filter: Status=Cancelled" },
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(HasChinese(Action(c.item)->text())) << c.item;
        Action(c.item)->trigger();
        EXPECT_EQ(W().CurrentFilter().Text(), QString::fromUtf8(c.filter)) << c.item;
        EXPECT_EQ(W().FilterPanelText(), QString::fromUtf8(c.panel)) << c.item;
    }
    W().ShowFilterForm();
    auto* statuses = W().findChild<QListWidget*>(QStringLiteral("lstStatus"));
    ASSERT_TRUE(statuses);
    EXPECT_EQ(statuses->item(tsExpired)->text(), "Expired");
    statuses->clearSelection();
    statuses->item(tsFinished)->setSelected(true);
    EXPECT_EQ(W().CurrentFilter().Text(), QStringLiteral("状态=已完成"));
}

TEST(Language, FollowsTheSettingThenTheSystem)
{
    const struct
    {
        const char* setting;
        QStringList system;
        const char* expected;
    } cases[] = {
        { "", { "zh-CN", "zh-Hans-CN", "zh" }, "zh" },
        { "", { "en-US", "en" }, "en" },
        { "", { "de-DE", "zh-CN" }, "en" },
        { "", { "C" }, "zh" },  // LANG=C or unset: no language stated
        { "", {}, "zh" },
        { "en", { "zh-CN" }, "en" },
        { "zh", { "en-US" }, "zh" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(Translation::ChooseLanguage(QString::fromUtf8(c.setting), c.system), QString::fromUtf8(c.expected))
            << c.setting << " " << c.system.join(QLatin1Char(',')).toStdString();
}
