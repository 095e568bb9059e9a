// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "editor/frmTask.h"

#include <QApplication>
#include <QColor>
#include <QContextMenuEvent>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

using namespace TaskColumns;

namespace {

QString ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

}  // namespace

using TaskListView = MainWindowFixture;

TEST_F(TaskListView, EmptyListSummaryAndPanels)
{
    EXPECT_EQ(W().SummaryText(), Q("共0项,等待中0项."));
    EXPECT_EQ(W().FilterPanelText(), Q("无过滤(双击设置)"));
    EXPECT_EQ(W().TrayTip(), Q("任务: 共0项,等待中0项."));
    auto* summary = W().findChild<QLabel*>(QStringLiteral("panelSummary"));
    auto* filter = W().findChild<QLabel*>(QStringLiteral("panelFilter"));
    ASSERT_TRUE(summary && filter);
    EXPECT_EQ(summary->toolTip(), Q("右键设置过滤条件，双击本栏清除或恢复过滤条件。"));
    EXPECT_EQ(filter->toolTip(), Q("右键或双击设置过滤条件。"));
    EXPECT_EQ(W().List()->objectName(), "lvwTasks");
    EXPECT_EQ(M().columnCount(), 13);
}

TEST_F(TaskListView, RowsFollowTheTasksWithTheColourOfTheirStatus)
{
    const char* colours[]
        = { "#000000", "#ff0000", "#a0a0a0", "#0000ff", "#a0a0a0", "#b0b000", "#ff00ff", "#ff00ff", "#a0a0a0" };
    for (int s = 0; s < kTaskStatusCount; ++s)
        Add(QStringLiteral("task %1").arg(s), {}, TaskStatus(s));
    ASSERT_EQ(M().rowCount(), 9);
    for (int s = 0; s < kTaskStatusCount; ++s) {
        const QColor c = M().data(M().index(s, colPriority), Qt::ForegroundRole).value<QColor>();
        EXPECT_EQ(c.name(), QLatin1String(colours[s])) << s;
        EXPECT_EQ(M().Text(s, colStatus), TaskStatusName(s));
    }
    EXPECT_EQ(M().Text(0, colKey), "T01");
    EXPECT_EQ(M().Text(0, colDue), Q("2012-06-10 10:00"));
    EXPECT_EQ(W().SummaryText(), Q("共9项,等待中3项."));

    // A status change refreshes the row and the summary.
    const TaskPtr first = M().TaskAt(0);
    W().Engine().SetTaskStatus(first, tsFinished, false, false);
    EXPECT_EQ(M().Text(0, colStatus), Q("已完成"));
    EXPECT_EQ(W().SummaryText(), Q("共9项,等待中2项."));

    // A task that is not in the collection has no row, whatever asks for one.
    auto stranger = std::make_shared<CTask>();
    stranger->ID = 99;
    W().UpdateTaskItem(stranger);
    W().AddTaskItem(stranger);
    EXPECT_EQ(M().rowCount(), 9);
}

TEST_F(TaskListView, TheFilterDecidesWhichTasksHaveRows)
{
    const TaskPtr work = Add(Q("周报"), Q("工作"));
    Add(Q("买菜"), Q("私人"));
    const TaskPtr none = Add(Q("随便"));
    QString err;
    ASSERT_TRUE(W().SetTaskFilter(Q("类别=工作"), &err));
    EXPECT_EQ(Column(colKey), QStringList { "T01" });
    EXPECT_EQ(W().SummaryText(), Q("共3项,显示1项,等待中3项,[工作]1项,[私人]1项."));
    EXPECT_EQ(W().FilterPanelText(), Q("过滤: 类别=工作"));
    EXPECT_EQ(W().Engine().Settings().Filter, Q("类别=工作"));

    // Edited out of the filter: the row goes at once. Edited into it: a row comes with the update.
    work->sType = Q("私人");
    W().UpdateTaskItem(work);
    EXPECT_EQ(M().rowCount(), 0);
    none->sType = Q("工作");
    W().UpdateTaskItem(none);
    EXPECT_EQ(Column(colKey), QStringList { "T03" });

    ASSERT_TRUE(W().SetTaskFilter(Q("类别="), &err));
    EXPECT_EQ(M().rowCount(), 0);
    ASSERT_TRUE(W().SetTaskFilter(Q("状态=完成"), &err));  // no status is called "完成"
    EXPECT_EQ(M().rowCount(), 0);
    EXPECT_FALSE(W().SetTaskFilter(Q("优先级=高"), &err));
    EXPECT_EQ(err, Q("不支持的列名：优先级"));
    EXPECT_EQ(W().CurrentFilter().Text(), Q("状态=完成"));
    ASSERT_TRUE(W().SetTaskFilter("-", &err));
    EXPECT_EQ(M().rowCount(), 3);
    EXPECT_EQ(W().SummaryText(), Q("共3项,等待中3项,[私人]2项,[工作]1项."));
}

TEST_F(TaskListView, HeaderClicksSortWithArrows)
{
    Add(Q("b"), {}, tsFinished, MakeInstant(2012, 6, 5));
    Add(Q("C"), {}, tsPostponed, MakeInstant(2012, 6, 9));
    Add(Q("a"), {}, tsNotStarted, MakeInstant(2012, 6, 7));
    Add(Q("d"), {}, tsDue, MakeInstant(2012, 6, 1));

    QHeaderView* header = W().List()->horizontalHeader();
    auto click = [&](int column) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
    };
    W().resize(1400, 500);
    click(colTitle);
    EXPECT_EQ(M().Caption(colTitle), Q("任务描述↑"));
    EXPECT_EQ(Column(colTitle), (QStringList { "a", "b", "C", "d" }));
    click(colTitle);
    EXPECT_EQ(M().Caption(colTitle), Q("任务描述↓"));
    EXPECT_EQ(Column(colTitle), (QStringList { "d", "C", "b", "a" }));

    // Another column takes the arrow; not started and postponed tasks come first by remaining time.
    click(colRemain);
    EXPECT_EQ(M().Caption(colTitle), Q("任务描述"));
    EXPECT_EQ(M().Caption(colRemain), Q("剩余时间↑"));
    EXPECT_EQ(Column(colTitle), (QStringList { "a", "C", "d", "b" }));

    // A task added while sorted takes its place in the order.
    Add(Q("e"), {}, tsNotStarted, MakeInstant(2012, 6, 8));
    EXPECT_EQ(Column(colTitle), (QStringList { "a", "e", "C", "d", "b" }));

    // A rebuild forgets the sort; the next click starts ascending again.
    W().RefreshList();
    EXPECT_EQ(W().SortColumn(), -1);
    EXPECT_EQ(M().Caption(colRemain), Q("剩余时间"));
    click(colRemain);
    EXPECT_EQ(M().Caption(colRemain), Q("剩余时间↑"));
}

TEST_F(TaskListView, ColumnWidthsComeFromTheSettingAndGoBackUnchanged)
{
    const QString saved = QStringLiteral("1239;1500;0;900;2000;1440;960;1440;0;0;0;0;1440");
    QFile f(DataFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tasks ColWidth=\"%1\"/>\n").arg(saved).toUtf8());
    f.close();
    W().Load(nullptr);
    QHeaderView* header = W().List()->horizontalHeader();
    EXPECT_TRUE(header->isSectionHidden(colType));
    EXPECT_FALSE(header->isSectionHidden(colPriority));
    EXPECT_FALSE(header->isSectionHidden(colSpent));
    EXPECT_EQ(W().GetColWidths(), saved);
    W().Engine().SaveCfg();
    EXPECT_TRUE(ReadAll(DataFile()).contains(QStringLiteral("ColWidth=\"%1\"").arg(saved)));

    // A width dragged by the user is kept in twips.
    header->resizeSection(colTitle, 200);
    EXPECT_EQ(
        W().GetColWidths().section(';', 1, 1), QString::number(std::round(200 * 1440.0 / W().List()->logicalDpiX())));

    // Twelve parts: the default layout.
    W().InitColumns(QStringLiteral("1;2;3;4;5;6;7;8;9;10;11;12"));
    EXPECT_EQ(W().GetColWidths(), "1239;1440;860;900;2000;1440;0;1440;0;0;0;0;0");
    for (int c : { 6, 8, 9, 10, 11, 12 })
        EXPECT_TRUE(header->isSectionHidden(c)) << c;
}

TEST_F(TaskListView, ColumnChooser)
{
    QHeaderView* header = W().List()->horizontalHeader();
    auto* colSet = W().findChild<QMenu*>(QStringLiteral("mnuColSet"));
    ASSERT_NE(colSet, nullptr);
    Q_EMIT colSet->aboutToShow();
    EXPECT_TRUE(Action("mnuColumn_1")->isChecked());
    EXPECT_FALSE(Action("mnuColumn_6")->isChecked());
    EXPECT_EQ(Action("mnuColumn_6")->text(), Q("优先级"));

    Action("mnuColumn_6")->trigger();
    EXPECT_FALSE(header->isSectionHidden(colPriority));
    EXPECT_EQ(W().GetColWidths().section(';', 6, 6), "960");
    Action("mnuColumn_1")->trigger();
    EXPECT_TRUE(header->isSectionHidden(colTitle));

    // Select all shows every column at its default width, except those already shown keep theirs.
    header->resizeSection(colStatus, 150);
    const QString statusWidth = W().GetColWidths().section(';', 3, 3);
    Action("mnuColSelAll")->trigger();
    for (int c = 0; c < kCount; ++c)
        EXPECT_FALSE(header->isSectionHidden(c)) << c;
    EXPECT_EQ(W().GetColWidths().section(';', 3, 3), statusWidth);
    EXPECT_EQ(W().GetColWidths().section(';', 1, 1), "1440");

    W().ColumnClick(colStatus);
    Action("mnuColDefault")->trigger();
    EXPECT_EQ(W().GetColWidths(), "1239;1440;860;900;2000;1440;0;1440;0;0;0;0;0");
    EXPECT_EQ(M().Caption(colStatus), Q("状态"));
}

TEST_F(TaskListView, AnIdleTickChangesNoCell)
{
    for (int i = 0; i < 20; ++i)
        Add(QStringLiteral("t%1").arg(i), {}, i % 2 ? tsNotStarted : tsFinished, MakeInstant(2012, 6, 10 + i, 9, 0, 0));
    W().resize(800, 700);  // every row on screen
    W().show();
    W().Scheduler().Tick();
    QSignalSpy changes(&M(), &QAbstractItemModel::dataChanged);
    W().Scheduler().Tick();
    EXPECT_EQ(changes.count(), 0);

    // A minute later the remaining and spent times of the waiting tasks show new text: only those cells change.
    m_clock.Advance(60);
    W().Scheduler().Tick();
    EXPECT_GT(changes.count(), 0);
    for (const QList<QVariant>& args : changes) {
        const auto from = args[0].value<QModelIndex>();
        const auto to = args[1].value<QModelIndex>();
        EXPECT_EQ(from, to);
        EXPECT_TRUE(from.column() == colRemain || from.column() == colSpent) << from.column();
    }
}

// The view makes the texts of the cells it draws: an edit makes them anew, and the tick announces the new times of
// the cells it drew.
TEST_F(TaskListView, DrawnCellsFollowEditsAndTheClock)
{
    const TaskPtr t = Add(Q("写周报"), {}, tsNotStarted, MakeInstant(2012, 6, 3, 13, 0, 0));
    W().resize(800, 300);
    W().show();
    QApplication::processEvents();
    EXPECT_EQ(M().Text(0, colAlarm), Q("13:00:00"));
    t->SetDescription(Q("改过的周报"));
    t->dtAlarmDT = MakeInstant(2012, 6, 4, 9, 0, 0);
    W().Engine().UpdateTask(t);
    QApplication::processEvents();
    EXPECT_EQ(M().Text(0, colTitle), Q("改过的周报"));
    EXPECT_EQ(M().Text(0, colAlarm), Q("09:00:00(明天)\r\n(推迟20小时)"));

    QSignalSpy changes(&M(), &QAbstractItemModel::dataChanged);
    m_clock.Advance(60);
    W().tmrTime_Timer();
    // The spent time is a hidden column: never drawn, it has nothing to announce.
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes[0][0].value<QModelIndex>(), M().index(0, colRemain));
    EXPECT_EQ(M().Text(0, colRemain) + u'|' + M().Text(0, colSpent), Q("20小时59分钟|52小时1分钟"));
}

TEST_F(TaskListView, AwayTheTickLeavesCaptionAndRowsAloneAndComingBackCatchesUp)
{
    W().Load(nullptr);
    for (int i = 0; i < 60; ++i)
        Add(QStringLiteral("t%1").arg(i), {}, tsNotStarted, MakeInstant(2012, 6, 3, 13, i, 0));
    W().resize(800, 300);
    W().show();
    W().tmrTime_Timer();
    QSignalSpy changes(&M(), &QAbstractItemModel::dataChanged);

    // On screen, a minute later: only rows the list shows announce their new times.
    m_clock.Advance(60);
    W().tmrTime_Timer();
    EXPECT_TRUE(W().windowTitle().endsWith(Q("[2012-06-03 12:01:00]")));
    const int first = W().List()->rowAt(0), last = W().List()->rowAt(W().List()->viewport()->height() - 1);
    ASSERT_GE(first, 0);
    ASSERT_LT(last, 59);
    ASSERT_GT(changes.count(), 0);
    for (const QList<QVariant>& args : changes)
        EXPECT_TRUE(args[0].value<QModelIndex>().row() >= first && args[0].value<QModelIndex>().row() <= last);

    for (const bool hide : { false, true }) {
        if (hide)
            W().hide();
        else
            W().showMinimized();
        const QString caption = W().windowTitle();
        changes.clear();
        m_clock.Advance(60);
        W().tmrTime_Timer();
        EXPECT_EQ(changes.count(), 0) << hide;
        EXPECT_EQ(W().windowTitle(), caption) << hide;

        // Back on screen: caption and times are those of the moment, before the next tick.
        W().showNormal();
        EXPECT_TRUE(W().windowTitle().endsWith(m_clock.clock().CurrentDateTime().toString(Q("[yyyy-MM-dd hh:mm:ss]"))))
            << hide;
        EXPECT_GT(changes.count(), 0) << hide;
        EXPECT_EQ(M().data(M().index(first, colRemain), Qt::DisplayRole).toString(), M().TaskAt(first)->RemainTime());
        changes.clear();
        W().tmrTime_Timer();
        EXPECT_EQ(changes.count(), 0) << hide;  // nothing left to catch up
    }
    W().Unload();
}

TEST_F(TaskListView, DoubleClickOpensTheEditorForARowOrANewTask)
{
    const TaskPtr done = Add(Q("写完了"), {}, tsFinished);
    W().resize(800, 400);
    W().show();
    QWidget* viewport = W().List()->viewport();
    int newTasks = 0;
    std::vector<TaskPtr> edited;
    QObject::connect(&W(), &frmMain::newTaskRequested, [&] { ++newTasks; });
    QObject::connect(&W(), &frmMain::editTaskRequested, [&](const TaskPtr& t) { edited.push_back(t); });
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(10, viewport->height() - 5));
    EXPECT_EQ(newTasks, 1);
    ASSERT_TRUE(W().EditorIfLoaded());
    EXPECT_EQ(W().EditorIfLoaded()->EditMode(), frmTask::kNewTask);

    const QRect row = W().List()->visualRect(M().index(0, colTitle));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, row.center());
    ASSERT_EQ(edited.size(), 1u);
    EXPECT_EQ(edited[0], done);
    EXPECT_EQ(W().EditorIfLoaded()->EditedTask(), done);
    EXPECT_EQ(LastMessage(), Q("该任务已完成!"));
    EXPECT_EQ(m_msg->shown.back().icon, MsgIcon::Warning);
}

TEST_F(TaskListView, TheDateChangeRebuildsTheDayWords)
{
    const TaskPtr t = Add(Q("明天的事"), {}, tsNotStarted, MakeInstant(2012, 6, 4, 9, 0, 0));
    W().Scheduler().Tick();
    const QString before = M().Text(0, colAlarm);
    m_clock.Set(2012, 6, 4, 0, 0, 1);
    QSignalSpy resets(&M(), &QAbstractItemModel::modelReset);
    W().Scheduler().Tick();
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(M().Text(0, colAlarm), t->AlarmTimeStr());
    EXPECT_NE(M().Text(0, colAlarm), before);
}

TEST_F(TaskListView, TrayTipFollowsTheSummaryAndAHiddenWindowAnnouncesNewCounts)
{
    W().Load(nullptr);
    QStringList tips, balloons;
    QObject::connect(&W(), &frmMain::trayTipChanged, [&](const QString& t) { tips << t; });
    QObject::connect(&W(), &frmMain::balloonRequested, [&](const QString& t) { balloons << t; });
    const TaskPtr t = Add(Q("a"), Q("工作"));
    EXPECT_EQ(tips, QStringList { Q("任务: 共1项,等待中1项,[工作]1项.") });
    EXPECT_EQ(balloons, tips);

    // Same count: the tip changes, no notification. A visible window needs none either.
    W().Engine().SetTaskStatus(t, tsFinished, false, false);
    EXPECT_EQ(tips.size(), 2);
    EXPECT_EQ(balloons.size(), 1);
    W().show();
    Add(Q("b"));
    EXPECT_EQ(tips.size(), 3);
    EXPECT_EQ(balloons.size(), 1);
    W().Unload();
}

TEST_F(TaskListView, MenusPopUpWhereTheUserAsks)
{
    Add(Q("a"));
    W().resize(800, 400);
    W().show();
    QWidget* viewport = W().List()->viewport();
    const QPoint onRow = W().List()->visualRect(M().index(0, colTitle)).center();

    // Right button over a row: the row is selected and the Task menu offers what it allows.
    QTest::mousePress(viewport, Qt::RightButton, {}, onRow);
    QTest::mouseRelease(viewport, Qt::RightButton, {}, onRow);
    EXPECT_TRUE(W().TaskMenu()->isVisible());
    EXPECT_TRUE(Action("mnuDelete")->isEnabled());
    W().TaskMenu()->hide();

    // The menu key does the same at the current row.
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(0, 0), W().List()->mapToGlobal(QPoint(0, 0)));
    QApplication::sendEvent(W().List(), &key);
    EXPECT_TRUE(W().TaskMenu()->isVisible());
    W().TaskMenu()->hide();

    // A release on empty space unselects.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(10, viewport->height() - 5));
    EXPECT_TRUE(W().SelectedRows().empty());

    auto* summary = W().findChild<QLabel*>(QStringLiteral("panelSummary"));
    QTest::mouseClick(summary, Qt::RightButton);
    EXPECT_TRUE(W().FilterMenu()->isVisible());
    W().FilterMenu()->hide();

    QHeaderView* header = W().List()->horizontalHeader();
    Q_EMIT header->customContextMenuRequested(QPoint(5, 5));
    auto* colSet = W().findChild<QMenu*>(QStringLiteral("mnuColSet"));
    EXPECT_TRUE(colSet->isVisible());
    EXPECT_TRUE(Action("mnuColumn_0")->isChecked());
    colSet->hide();
}
