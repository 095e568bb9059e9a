// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/frmHelp.h"

#include <QLayout>
#include <QRegularExpression>
#include <QSet>
#include <QTextBrowser>
#include <gtest/gtest.h>

TEST(HelpWindow, CaptionAndReadOnlyTextFillingTheWindow)
{
    frmHelp help;
    EXPECT_EQ(help.windowTitle(), QStringLiteral("晴钟任务提醒 - 帮助信息"));
    EXPECT_TRUE(help.isWindow());
    EXPECT_EQ(help.windowModality(), Qt::NonModal);

    auto* text = help.findChild<QTextBrowser*>(QStringLiteral("Text1"));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isReadOnly());

    help.show();
    for (const QSize size : { QSize(420, 300), QSize(900, 700), QSize(200, 150) }) {
        help.resize(size);
        help.layout()->activate();
        EXPECT_EQ(text->geometry(), help.rect()) << size.width() << "x" << size.height();
    }
}

TEST(HelpWindow, GuideComesFromTheResourceAndCoversEveryTopic)
{
    const QString html = frmHelp::HelpText();
    ASSERT_FALSE(html.isEmpty()) << "help resource not linked in";

    frmHelp help;
    const QString text = help.findChild<QTextBrowser*>(QStringLiteral("Text1"))->toPlainText();
    const char* const topics[] = {
        // dates and times
        "明天",
        "3天后",
        "10-12",
        "2011-12-13",
        "农历8-15",
        "10:00",
        "10分钟后",
        "--",
        // recurrence
        "每天",
        "每周135",
        "每月-1天",
        "每年2-29",
        "农历每年8-15",
        "每2小时30:0",
        // alarms, prompt, valid period, sound, commands, custom events
        "提前15分钟",
        "推 迟",
        "正在处理，待会再提醒",
        "有效期",
        "滴滴声",
        "音乐铃声",
        "@强制重启 1小时",
        "开头的“-”",
        "退出码",
        "检测页面",
        "wb://OnUserEvent",
        // list, filter, find, categories, calendar, log, lock, styles, data
        "选择列",
        "↑",
        "过滤",
        "类别=工作,私人&状态=已完成",
        "清除过滤条件",
        "查找",
        "个人;*工作",
        "万年历",
        "tickwell.log",
        "导出",
        "自动锁定",
        "解锁密码",
        "界面风格",
        "twdata.xml",
        "--data-dir",
        // shortcuts
        "Ctrl+N",
        "Del",
        "Ctrl+P",
        "Ctrl+A",
        "Ctrl+C",
        "Ctrl+F",
        "Ctrl+L",
        "Ctrl+Q",
        "F1",
    };
    for (const char* topic : topics)
        EXPECT_TRUE(text.contains(QString::fromUtf8(topic))) << topic;

    // Every entry of the table of contents leads somewhere.
    QSet<QString> anchors;
    static const QRegularExpression name(QStringLiteral("<a name=\"([^\"]+)\""));
    for (const auto& m : name.globalMatch(html))
        anchors.insert(m.captured(1));
    static const QRegularExpression link(QStringLiteral("<a href=\"#([^\"]+)\""));
    int links = 0;
    for (const auto& m : link.globalMatch(html)) {
        ++links;
        EXPECT_TRUE(anchors.contains(m.captured(1))) << m.captured(1).toStdString();
    }
    EXPECT_GE(links, 19);

    // Its pictures come with it.
    auto* browser = help.findChild<QTextBrowser*>(QStringLiteral("Text1"));
    static const QRegularExpression image(QStringLiteral("<img src=\"([^\"]+)\""));
    int images = 0;
    for (const auto& m : image.globalMatch(html)) {
        ++images;
        const QVariant loaded = browser->loadResource(QTextDocument::ImageResource, QUrl(m.captured(1)));
        EXPECT_FALSE(loaded.isNull()) << m.captured(1).toStdString();
    }
    EXPECT_GE(images, 1);
}
