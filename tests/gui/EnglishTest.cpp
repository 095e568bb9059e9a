// SPDX-License-Identifier: GPL-3.0-or-later
#include "EnglishTexts.h"
#include "MainWindowFixture.h"
#include "alerts/frmPrompt.h"
#include "editor/frmTask.h"
#include "mainwindow/frmHelp.h"

#include <QStatusBar>

using namespace EnglishTexts;

class EnglishUi : private EnglishGuard, public MainWindowFixture
{
};

TEST_F(EnglishUi, MainWindowEditorAndPromptShowNoChineseButData)
{
    // The task's own texts are data and stay as typed.
    TaskPtr task = Add(QStringLiteral("交电费"), QStringLiteral("家务"));
    W().show();
    const QStringList data = { QStringLiteral("交电费"), QStringLiteral("家务") };
    EXPECT_EQ(ChineseTexts(&W(), data).join(u'\n').toStdString(), "");

    W().Editor()->ShowAsNewTask(&W());
    EXPECT_EQ(ChineseTexts(W().Editor(), data).join(u'\n').toStdString(), "");

    frmPrompt prompt(W().Engine());
    W().Engine().SetTaskStatus(task, tsDue, true, true);
    prompt.AddTask(task);
    // The list entry shows the task's own date words, which are data too.
    const QStringList promptData = data + QStringList { prompt.findChild<QLabel*>("lblAlarmDT")->text() };
    EXPECT_EQ(ChineseTexts(&prompt, promptData).join(u'\n').toStdString(), "");

    // The help explains the Chinese expressions in English.
    EXPECT_TRUE(frmHelp::HelpText().contains(QStringLiteral("<td>每周, 每周135</td><td>every week; every Monday")));
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
