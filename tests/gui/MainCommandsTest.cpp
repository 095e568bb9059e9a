// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"

#include "mainwindow/dlgFilter.h"
#include "mainwindow/dlgFind.h"
#include "mainwindow/frmHelp.h"
#include "support/RecordingAutorun.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <sys/stat.h>

using namespace TaskColumns;

using MainCommands = MainWindowFixture;

TEST_F(MainCommands, MenuTreeCaptionsAndShortcuts)
{
    struct Item
    {
        const char* name;
        const char* caption;
        const char* shortcut;
    } items[] = {
        { "mnuAdd", "新建(&N)", "Ctrl+N" },
        { "mnuProperty", "修改(&E)", "" },
        { "mnuDelete", "删除(&D)", "Del" },
        { "mnuDeleteAll", "全部删除", "" },
        { "mnuCancelOne", "取消本次任务", "" },
        { "mnuFinishOne", "完成本次任务", "" },
        { "mnuCancel", "取消任务(&C)", "" },
        { "mnuFinishTask", "完成任务", "" },
        { "mnuPause", "暂停", "Ctrl+P" },
        { "mnuRunStatus", "查看运行状态", "" },
        { "mnuSelAll", "全选", "Ctrl+A" },
        { "mnuCopy", "复制", "Ctrl+C" },
        { "mnuFind", "查找(&F)", "Ctrl+F" },
        { "mnuFilterForm", "过滤", "" },
        { "mnuFilterTypeItem_0", "未分类", "" },
        { "mnuFilterStatusItem_0", "未发生,到期,推迟", "" },
        { "mnuFilterStatusItem_1", "已完成", "" },
        { "mnuFilterStatusItem_2", "已取消", "" },
        { "mnuFilterDefine", "自定义", "" },
        { "mnuFilterClear", "清除过滤条件", "" },
        { "mnuQuit", "退出(&X)", "Ctrl+Q" },
        { "mnuCalendar", "万年历", "" },
        { "mnuAutorun", "开机自动启动", "" },
        { "mnuEnableLog", "记录日志", "" },
        { "mnuViewLog", "查看日志", "" },
        { "mnuShutdown", "关机对话框 ...", "" },
        { "mnuExport", "导出...", "" },
        { "mnuExportIcal", "导出日历 (iCalendar)...", "" },
        { "mnuImportIcal", "导入日历...", "" },
        { "mnuSetTaskTypes", "设置任务类别", "" },
        { "mnuColSelAll", "全选", "" },
        { "mnuColDefault", "重置", "" },
        { "mnuBgStyle_0", "间隔(缺省)", "" },
        { "mnuBgStyle_3", "图片", "" },
        { "mnuChooseBG", "选择图片", "" },
        { "mnuColorStyle_0", "经典蓝(缺省)", "" },
        { "mnuStyleDefine", "自定义", "" },
        { "mnuLock", "锁定(&L)", "Ctrl+L" },
        { "mnuOpt", "选项(&O)", "" },
        { "mnuContent", "内容(&C)", "F1" },
        { "mnuHomePage", "查看更新/意见建议(&H)", "" },
        { "mnuAbout", "关于(&A)", "" },
    };
    for (const Item& item : items) {
        QAction* a = Action(item.name);
        ASSERT_NE(a, nullptr) << item.name;
        EXPECT_EQ(a->text(), Q(item.caption)) << item.name;
        EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromLatin1(item.shortcut))) << item.name;
        if (*item.shortcut) {
            EXPECT_TRUE(W().actions().contains(a)) << item.name;
        }
    }
    const char* menus[][2] = { { "mnuTask", "任务(&T)" }, { "mnuTool", "工具(&O)" }, { "mnuHelp", "帮助(&H)" },
        { "mnuFilter", "过滤" }, { "mnuFilterType", "类别" }, { "mnuFilterStatus", "状态" }, { "mnuColSet", "选择列" },
        { "mnuStyleParent", "界面风格" }, { "mnuBgStyleParent", "背景风格" } };
    for (const auto& m : menus) {
        auto* menu = W().findChild<QMenu*>(QString::fromLatin1(m[0]));
        ASSERT_NE(menu, nullptr) << m[0];
        EXPECT_EQ(menu->title(), Q(m[1]));
    }
    // The filter menu is only a popup of the status bar.
    EXPECT_FALSE(W().TaskMenu()->actions().contains(W().FilterMenu()->menuAction()));
    // No page host module beside the test program: the page commands are there but disabled.
    for (const char* name : { "mnuCalendar", "mnuRunStatus" }) {
        EXPECT_FALSE(Action(name)->isEnabled()) << name;
        EXPECT_TRUE(Action(name)->toolTip().contains(QStringLiteral("tickwell-webengine"))) << name;
    }
    EXPECT_TRUE(Action("mnuAdd")->isEnabled());
    EXPECT_TRUE(W().findChild<QMenu*>(QStringLiteral("mnuStyleParent"))->menuAction()->isEnabled());
}

TEST_F(MainCommands, TheTaskMenuFollowsTheSelection)
{
    QObject::connect(&W(), &frmMain::editTaskRequested, [](const TaskPtr&) {});
    const TaskPtr daily = Add(Q("每日站会"), {}, tsNotStarted, 0, Q("每天"), Q("9:30"));
    const TaskPtr once = Add(Q("一次"));
    Select({ 0, 1 });
    W().UpdateTaskMenu();
    for (const char* name : { "mnuProperty", "mnuDelete", "mnuCancel", "mnuFinishTask" })
        EXPECT_TRUE(Action(name)->isEnabled()) << name;
    for (const char* name : { "mnuPause", "mnuCancelOne", "mnuFinishOne" })
        EXPECT_FALSE(Action(name)->isEnabled()) << name;

    SelectTask(daily);
    EXPECT_TRUE(Action("mnuCancelOne")->isEnabled());
    EXPECT_TRUE(Action("mnuPause")->isEnabled());
    EXPECT_EQ(Action("mnuPause")->text(), Q("暂停"));
    SelectTask(once);
    EXPECT_FALSE(Action("mnuFinishOne")->isEnabled());

    daily->SetStatus(tsPaused);
    SelectTask(daily);
    EXPECT_EQ(Action("mnuPause")->text(), Q("继续"));
    EXPECT_TRUE(Action("mnuFinishOne")->isEnabled());

    W().List()->clearSelection();
    for (const char* name : { "mnuProperty", "mnuDelete", "mnuCancel", "mnuFinishTask", "mnuPause" })
        EXPECT_FALSE(Action(name)->isEnabled()) << name;
}

TEST_F(MainCommands, CommandsWithoutSelectionBeep)
{
    Add(Q("a"));
    int beeps = 0;
    QObject::connect(&W(), &frmMain::beeped, [&] { ++beeps; });
    W().DeleteSelected();
    W().CancelSelected();
    W().FinishSelected();
    W().CopyRows();
    W().EditTask();
    EXPECT_EQ(beeps, 5);
    W().PauseResume();
    W().CancelOne();
    EXPECT_EQ(beeps, 5);
    EXPECT_TRUE(m_msg->shown.empty());
}

TEST_F(MainCommands, DeleteAskAndSave)
{
    Add(Q("a"));
    Add(Q("b"));
    Add(Q("c"));
    Select({ 0, 2 });
    m_msg->answers = { MsgResult::No };
    Action("mnuDelete")->trigger();
    EXPECT_EQ(LastMessage(), Q("确认删除2项任务？"));
    EXPECT_EQ(M().rowCount(), 3);

    m_msg->answers = { MsgResult::Yes };
    Action("mnuDelete")->trigger();
    EXPECT_EQ(Column(colTitle), QStringList { "b" });
    EXPECT_EQ(W().Engine().Tasks().Count(), 1);
    EXPECT_EQ(W().SummaryText(), Q("共1项,等待中1项."));
    EXPECT_TRUE(QFileInfo::exists(DataFile()));

    for (MsgResult answer : { MsgResult::Cancel, MsgResult::No }) {
        m_msg->answers = { answer };
        Action("mnuDeleteAll")->trigger();
        EXPECT_EQ(LastMessage(), Q("确定要删除全部1项任务吗？"));
        EXPECT_EQ(m_msg->shown.back().buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(W().Engine().Tasks().Count(), 1);
    }
    m_msg->answers = { MsgResult::Yes };
    Action("mnuDeleteAll")->trigger();
    EXPECT_EQ(W().Engine().Tasks().Count(), 0);
    EXPECT_EQ(M().rowCount(), 0);
    EXPECT_EQ(W().SummaryText(), Q("共0项,等待中0项."));
}

TEST_F(MainCommands, FinishingARecurringTaskEndsItOrMovesItOn)
{
    m_clock.Set(2012, 6, 3, 8, 0, 0);
    const TaskPtr daily = Add(Q("每日站会"), {}, tsNotStarted, MakeInstant(2012, 6, 3, 9, 30, 0), Q("每天"), Q("9:30"));
    SelectTask(daily);
    m_msg->answers = { MsgResult::Yes };
    Action("mnuFinishOne")->trigger();
    EXPECT_EQ(LastMessage(), Q("将完成本次任务并生成下次提醒任务，确认？"));
    EXPECT_EQ(daily->eStatus(), tsNotStarted);
    EXPECT_EQ(Dt(daily->dtDueDT), "2012-06-04 09:30:00");

    SelectTask(daily);
    m_msg->answers = { MsgResult::Yes };
    Action("mnuFinishTask")->trigger();
    EXPECT_EQ(LastMessage(), Q("将选中的1项任务状态设置为已完成？"));
    EXPECT_EQ(daily->eStatus(), tsFinished);
    EXPECT_EQ(Dt(daily->dtDueDT), "2012-06-04 09:30:00");

    const TaskPtr other = Add(Q("取消我"));
    SelectTask(other);
    m_msg->answers = { MsgResult::No };
    Action("mnuCancel")->trigger();
    EXPECT_EQ(LastMessage(), Q("确实要取消1项任务？"));
    EXPECT_EQ(other->eStatus(), tsNotStarted);
}

TEST_F(MainCommands, PauseAndResume)
{
    m_clock.Set(2012, 6, 3, 8, 0, 0);
    const TaskPtr daily = Add(Q("每日站会"), {}, tsNotStarted, MakeInstant(2012, 6, 3, 9, 30, 0), Q("每天"), Q("9:30"));
    const TaskPtr once
        = Add(Q("一次"), {}, tsNotStarted, MakeInstant(2012, 6, 3, 10, 0, 0), Q("2012-06-03"), Q("10:00"));
    for (const TaskPtr& t : { daily, once }) {
        SelectTask(t);
        m_msg->answers = { MsgResult::Yes };
        Action("mnuPause")->trigger();
        EXPECT_EQ(LastMessage(), Q("暂停任务？"));
        EXPECT_EQ(t->eStatus(), tsPaused);
    }
    EXPECT_EQ(M().Text(M().RowOf(daily->Key()), colStatus), Q("暂停"));

    // The alarms have passed by the time the tasks resume: the recurring one moves on, the other keeps its
    // moment and is overdue at the next scan.
    m_clock.Set(2012, 6, 3, 11, 0, 0);
    for (const TaskPtr& t : { daily, once }) {
        SelectTask(t);
        m_msg->answers = { MsgResult::Yes };
        Action("mnuPause")->trigger();
        EXPECT_EQ(LastMessage(), Q("继续任务？"));
    }
    EXPECT_EQ(daily->eStatus(), tsNotStarted);
    EXPECT_EQ(Dt(daily->dtDueDT), "2012-06-04 09:30:00");
    EXPECT_EQ(once->eStatus(), tsNotStarted);
    EXPECT_EQ(Dt(once->dtAlarmDT), "2012-06-03 10:00:00");

    // An alarm still ahead simply comes back.
    const TaskPtr later = Add(Q("以后"), {}, tsPaused, MakeInstant(2012, 6, 9, 10, 0, 0), Q("2012-06-09"), Q("10:00"));
    SelectTask(later);
    m_msg->answers = { MsgResult::Yes };
    Action("mnuPause")->trigger();
    EXPECT_EQ(later->eStatus(), tsNotStarted);
    EXPECT_EQ(Dt(later->dtAlarmDT), "2012-06-09 10:00:00");
}

TEST_F(MainCommands, CopyPutsHeaderAndRowsOnTheClipboard)
{
    Add(Q("第一行\r\n第二行"), Q("工作"));
    Add(Q("不复制"));
    Select({ 0 });
    Action("mnuCopy")->trigger();
    const QStringList lines = QApplication::clipboard()->text().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].split('\t').size(), 13);
    EXPECT_TRUE(lines[0].startsWith(Q("任务号\t任务描述\t类别\t状态")));
    EXPECT_TRUE(lines[0].endsWith(Q("预计用时\t实际用时")));
    // The description column shows the title, whose lines are already joined.
    EXPECT_TRUE(lines[1].startsWith(Q("T01\t第一行 第二行\t工作\t未发生\t"))) << lines[1].toStdString();
    EXPECT_EQ(lines[1].split('\t').size(), 13);
}

TEST_F(MainCommands, CustomFilterPromptsUntilTheTextIsGood)
{
    Add(Q("a"), Q("工作"));
    Add(Q("b"), Q("私人"), tsFinished);
    Add(Q("c"), Q("其他"), tsFinished);
    m_msg->inputs = { Q("类别"), Q("a=b=c"), Q("类别=工作，私人 & 状态＝已完成") };
    Action("mnuFilterDefine")->trigger();
    ASSERT_EQ(m_msg->prompts.size(), 3);
    EXPECT_EQ(m_msg->prompts[0],
        Q("请输入过滤条件：\r\n\r\n多个值以,分隔，多个条件以&分隔，例如\r\n  \"类别=工作,私人&状态=已完成\"\r\n\r\n"
          "输入- 清除过滤条件显示所有项"));
    EXPECT_EQ(m_msg->inputDefaults, (QStringList { Q("类别="), Q("类别"), Q("a=b=c") }));
    ASSERT_EQ(m_msg->shown.size(), 2u);
    EXPECT_EQ(m_msg->shown[0].text, Q("错误条件：类别"));
    EXPECT_EQ(m_msg->shown[1].text, Q("错误条件：a=b=c"));
    EXPECT_EQ(W().CurrentFilter().Text(), Q("类别=工作,私人&状态=已完成"));
    EXPECT_EQ(Column(colTitle), QStringList { "b" });

    // The next prompt offers the filter in force; an empty answer changes nothing.
    Action("mnuFilterDefine")->trigger();
    EXPECT_EQ(m_msg->inputDefaults.last(), Q("类别=工作,私人&状态=已完成"));
    EXPECT_EQ(W().CurrentFilter().Text(), Q("类别=工作,私人&状态=已完成"));

    Action("mnuFilterClear")->trigger();
    EXPECT_EQ(W().CurrentFilter().Text(), "");
    EXPECT_EQ(M().rowCount(), 3);
}

TEST_F(MainCommands, StatusBarClearsAndRestoresTheFilterAndTheMenuListsCategories)
{
    Add(Q("a"), Q("工作"));
    Add(Q("b"));
    // Nothing remembered yet: a double-click changes nothing.
    W().StatusBarDoubleClicked(false);
    EXPECT_EQ(W().CurrentFilter().Text(), "");

    W().Engine().TaskTypes().SetText(Q("工作;*私人"));
    Q_EMIT W().FilterMenu()->aboutToShow();
    QAction* work = Action("mnuFilterTypeItem_1");
    ASSERT_NE(work, nullptr);
    EXPECT_EQ(work->text(), Q("工作"));
    EXPECT_EQ(Action("mnuFilterTypeItem_2")->text(), Q("私人"));
    work->trigger();
    EXPECT_EQ(W().CurrentFilter().Text(), Q("类别=工作"));

    auto* summary = W().findChild<QLabel*>(QStringLiteral("panelSummary"));
    QTest::mouseDClick(summary, Qt::LeftButton);
    EXPECT_EQ(W().CurrentFilter().Text(), "");
    EXPECT_EQ(W().FilterPanelText(), Q("无过滤(双击设置)"));
    QTest::mouseDClick(summary, Qt::LeftButton);
    EXPECT_EQ(W().CurrentFilter().Text(), Q("类别=工作"));

    Action("mnuFilterTypeItem_0")->trigger();
    EXPECT_EQ(Column(colTitle), QStringList { "b" });
    Action("mnuFilterStatusItem_0")->trigger();
    EXPECT_EQ(W().CurrentFilter().Text(), Q("状态=未发生,到期,推迟"));

    // A shorter category list drops the items it no longer has.
    W().Engine().TaskTypes().SetText(Q("家"));
    Q_EMIT W().FilterMenu()->aboutToShow();
    EXPECT_EQ(Action("mnuFilterTypeItem_1")->text(), Q("家"));
    EXPECT_EQ(Action("mnuFilterTypeItem_2"), nullptr);

    auto* filterPanel = W().findChild<QLabel*>(QStringLiteral("panelFilter"));
    QTest::mouseDClick(filterPanel, Qt::LeftButton);
    ASSERT_NE(W().FilterDialog(), nullptr);
    EXPECT_TRUE(W().FilterDialog()->isVisible());
}

TEST_F(MainCommands, LogSwitchAndLogViewer)
{
    const QString log = m_folder.file(QStringLiteral("tickwell.log"));
    // Logging off, answered Cancel: nothing. Answered No: no file yet, so a warning naming it.
    m_msg->answers = { MsgResult::Cancel };
    Action("mnuViewLog")->trigger();
    EXPECT_EQ(LastMessage(), Q("日志记录未激活，是否激活？"));
    EXPECT_EQ(m_msg->shown.size(), 1u);
    m_msg->answers = { MsgResult::No };
    Action("mnuViewLog")->trigger();
    EXPECT_EQ(LastMessage(), Q("无日志文件：") + QDir::toNativeSeparators(log));
    EXPECT_FALSE(W().Engine().Settings().EnableLog);

    // Answered No with a log file present: it still opens.
    QFile f(log);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    m_msg->answers = { MsgResult::No };
    Action("mnuViewLog")->trigger();
    ASSERT_EQ(m_opener->calls.size(), 1u);
    EXPECT_EQ(m_opener->calls[0].file, '"' + log + '"');

    // Answered Yes: logging is switched on and saved.
    m_msg->answers = { MsgResult::Yes };
    Action("mnuViewLog")->trigger();
    EXPECT_TRUE(W().Engine().Settings().EnableLog);
    EXPECT_TRUE(Action("mnuEnableLog")->isChecked());
    QFile data(DataFile());
    ASSERT_TRUE(data.open(QIODevice::ReadOnly));
    EXPECT_TRUE(data.readAll().contains("EnableLog=\"true\""));

    Action("mnuEnableLog")->trigger();
    EXPECT_FALSE(W().Engine().Settings().EnableLog);
    EXPECT_FALSE(Action("mnuEnableLog")->isChecked());
}

TEST_F(MainCommands, ExportWritesTheFileAndOffersToOpenIt)
{
    Add(Q("导出我"), Q("工作"));
    Add(Q("也导出"));
    W().SetTaskFilter(Q("类别=工作"), nullptr);

    Action("mnuExport")->trigger();  // dialog cancelled
    ASSERT_EQ(m_msg->saveDialogs.size(), 1);
    const QStringList dialog = m_msg->saveDialogs[0].split('|');
    EXPECT_EQ(dialog[0], Q("保存文件"));
    EXPECT_EQ(dialog[1], Q("逗号分隔的Excel文件(*.csv)"));
    EXPECT_EQ(dialog[2], "*.csv");
    EXPECT_TRUE(dialog[3].endsWith(Q("任务提醒列表 2012-06-03"))) << dialog[3].toStdString();
    EXPECT_EQ(dialog[4], ".csv");
    EXPECT_TRUE(m_msg->shown.empty());

    const QString path = m_folder.file(QStringLiteral("out.csv"));
    m_msg->saveFiles = { path };
    m_msg->answers = { MsgResult::Yes };
    Action("mnuExport")->trigger();
    EXPECT_EQ(LastMessage(), Q("导出成功！是否打开？"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()).count(QStringLiteral("\r\n")), 3);  // every task, filtered or not
    ASSERT_EQ(m_opener->calls.size(), 1u);
    EXPECT_EQ(m_opener->calls[0].file, '"' + path + '"');

    m_msg->saveFiles = { m_folder.file(QStringLiteral("no/such/folder/out.csv")) };
    Action("mnuExport")->trigger();
    EXPECT_TRUE(LastMessage().startsWith(Q("出错: "))) << LastMessage().toStdString();
    EXPECT_EQ(m_msg->shown.back().icon, MsgIcon::Warning);
}

TEST_F(MainCommands, CalendarExportAndImportThroughTheMenus)
{
    Add(Q("周会"), Q("工作"), tsNotStarted, MakeInstant(2012, 6, 11, 10, 0, 0), Q("每周1"), Q("10:00"));
    Add(Q("已完成的不导出"), {}, tsFinished);
    const QString ics = m_folder.file(QStringLiteral("out.ics"));
    m_msg->saveFiles = { ics };
    Action("mnuExportIcal")->trigger();
    ASSERT_EQ(m_msg->saveDialogs.size(), 1);
    EXPECT_TRUE(m_msg->saveDialogs[0].contains(Q("|iCalendar 日历文件(*.ics)|*.ics|")))
        << m_msg->saveDialogs[0].toStdString();
    EXPECT_EQ(LastMessage(), Q("导出成功！是否打开？"));  // answered No: nothing opened
    EXPECT_TRUE(m_opener->calls.empty());

    Action("mnuImportIcal")->trigger();  // dialog cancelled: nothing happens
    EXPECT_EQ(W().Engine().Tasks().Count(), 2);
    m_msg->openFiles = { ics };
    Action("mnuImportIcal")->trigger();
    EXPECT_EQ(LastMessage(), Q("已导入 1 个任务。"));
    ASSERT_EQ(W().Engine().Tasks().Count(), 3);
    const TaskPtr back = W().Engine().Tasks().At(2);
    EXPECT_EQ(back->sDueDate, Q("每周1"));
    EXPECT_EQ(back->sType, Q("工作"));

    // Neither a missing file nor a pipe (whose reading would hang the window) is imported.
    const QString pipe = m_folder.file(QStringLiteral("pipe.ics"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const QString& path : { m_folder.file(QStringLiteral("missing.ics")), pipe }) {
        m_msg->openFiles = { path };
        Action("mnuImportIcal")->trigger();
        EXPECT_TRUE(LastMessage().startsWith(Q("出错: "))) << LastMessage().toStdString();
    }
    EXPECT_TRUE(LastMessage().contains(Q("不是普通文件"))) << LastMessage().toStdString();
    EXPECT_EQ(W().Engine().Tasks().Count(), 3);
}

TEST_F(MainCommands, AutostartToggle)
{
    RecordingAutorun autorun;
    W().Load(&autorun);
    EXPECT_FALSE(Action("mnuAutorun")->isChecked());
    Action("mnuAutorun")->trigger();
    EXPECT_EQ(autorun.calls, QList<bool> { true });
    EXPECT_TRUE(Action("mnuAutorun")->isChecked());

    autorun.works = false;
    Action("mnuAutorun")->trigger();
    EXPECT_EQ(autorun.calls, (QList<bool> { true, false }));
    EXPECT_TRUE(Action("mnuAutorun")->isChecked());
    EXPECT_EQ(LastMessage(), Q("无法设置注册表自动启动项，可能是被杀毒软件阻止。"));
    W().Unload();
}

TEST_F(MainCommands, CategoryPromptBringsBackCategoriesInUse)
{
    Add(Q("a"), Q("工作"));
    W().Engine().TaskTypes().SetText(Q("个人;*学习"));
    m_msg->inputs = { "-" };
    Action("mnuSetTaskTypes")->trigger();
    EXPECT_EQ(m_msg->inputDefaults.value(0), Q("个人;*学习;"));
    EXPECT_EQ(W().Engine().TaskTypes().Text(), Q("工作;"));
    W().Engine().SaveCfg();
    QFile data(DataFile());
    ASSERT_TRUE(data.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(data.readAll()).contains(Q("types=\"工作;\"")));
}

TEST_F(MainCommands, ShortcutsReachTheCommandsAndTheirWindows)
{
    Add(Q("周报"), Q("工作"));
    Add(Q("买菜"), Q("私人"));
    W().show();
    QApplication::setActiveWindow(&W());
    W().List()->setFocus();

    QTest::keyClick(W().List(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(W().SelectedRows().size(), 2u);
    m_msg->answers = { MsgResult::No };
    QTest::keyClick(W().List(), Qt::Key_Delete);
    EXPECT_EQ(LastMessage(), Q("确认删除2项任务？"));
    EXPECT_EQ(W().Engine().Tasks().Count(), 2);

    // Find: typing selects the first matching row of the list itself.
    QTest::keyClick(W().List(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_NE(W().FindDialog(), nullptr);
    EXPECT_TRUE(W().FindDialog()->isVisible());
    auto* search = W().FindDialog()->findChild<QLineEdit*>(QStringLiteral("txtSearch"));
    ASSERT_NE(search, nullptr);
    search->setText(Q("私人"));
    ASSERT_EQ(W().SelectedRows().size(), 1u);
    EXPECT_EQ(W().FirstSelectedTask()->sDescription(), Q("买菜"));

    QApplication::setActiveWindow(&W());
    QTest::keyClick(W().List(), Qt::Key_F1);
    ASSERT_NE(W().HelpWindow(), nullptr);
    EXPECT_TRUE(W().HelpWindow()->isVisible());
    W().Unload();
    EXPECT_FALSE(W().FindDialog()->isVisible());
    EXPECT_FALSE(W().HelpWindow()->isVisible());
}
