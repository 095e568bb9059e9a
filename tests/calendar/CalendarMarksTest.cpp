// SPDX-License-Identifier: GPL-3.0-or-later
// The calendar page shown by the page host: the tasks it marks come through the host's answer to "gettasks",
// and a calendar opened from the task editor marks none.
#include "app/MainWindowWiring.h"
#include "base/Resources.h"
#include "base/Translation.h"
#include "calendar/PageTestUtil.h"
#include "editor/CalendarPicker.h"
#include "editor/frmTask.h"
#include "mainwindow/frmMain.h"
#include "support/FakeGuard.h"

#include <QAction>
#include <QScopeGuard>
#include <gtest/gtest.h>

namespace {

// The task keys of a day's cell in the month shown, "" for none.
QString KeysOn(frmHtmlViewer& viewer, int y, int m, int d)
{
    return Eval(viewer,
        QStringLiteral(
            "(document.querySelector('#grid td[data-date=\"%1-%2-%3\"]') || {dataset: {}}).dataset.keys || ''")
            .arg(y)
            .arg(m)
            .arg(d));
}

}  // namespace

TEST(CalendarMarks, RecurringAndPlainDatesMarkTheirDaysAndTheEditorSeesNone)
{
    TaskEngine engine;
    QWidget main;
    AddTask(engine, 1, QStringLiteral("还信用卡"), QStringLiteral("每月4,14"), MakeInstant(2027, 1, 4), tsNotStarted);
    AddTask(engine, 2, QStringLiteral("纪念日"), QStringLiteral("每年1-3"), MakeInstant(2027, 1, 3), tsNotStarted);
    AddTask(engine, 3, QStringLiteral("体检"), QStringLiteral("12-20"), MakeInstant(2026, 12, 20, 9), tsPostponed);
    AddTask(engine, 4, QStringLiteral("做完了"), QStringLiteral("12-21"), MakeInstant(2026, 12, 21), tsFinished);
    const SlotGuard<&CurrentCalendarHost, &SetCalendarHost> host({ &engine, &main, nullptr, nullptr });
    const QString file = Resources::GetResFile(QStringLiteral("Calendar.htm"));
    ASSERT_FALSE(file.isEmpty());

    frmHtmlViewer browse(&main, frmHtmlViewer::Mode::Browse);
    ASSERT_TRUE(browse.Init(file));
    browse.Dialog()->show();  // a hidden page gets its timers throttled
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return Eval(browse, QStringLiteral("document.querySelectorAll('#grid td.task').length > 0")) == u"true";
        },
        30000));
    const struct
    {
        int y, m, d;
        const char* keys;
    } days[] = {
        { 2026, 12, 4, "\"T01\"" },
        { 2026, 12, 14, "\"T01\"" },
        { 2026, 12, 20, "\"T03\"" },
        { 2026, 12, 21, "\"\"" },  // a finished task is not marked
        { 2026, 12, 3, "\"\"" },
        { 2027, 1, 3, "\"T02\"" },
        { 2027, 1, 4, "\"T01\"" },
        { 2027, 1, 20, "\"\"" },
        { 2028, 1, 3, "\"T02\"" },
        { 2028, 2, 3, "\"\"" },
        { 2028, 2, 14, "\"T01\"" },
    };
    for (const auto& day : days) {
        Eval(browse, QStringLiteral("calShowMonth(%1, %2)").arg(day.y).arg(day.m));
        EXPECT_EQ(KeysOn(browse, day.y, day.m, day.d), QString::fromUtf8(day.keys))
            << day.y << "-" << day.m << "-" << day.d;
    }

    frmTask editor(engine);
    frmHtmlViewer picker(&editor, frmHtmlViewer::Mode::Picker);
    ASSERT_TRUE(picker.Init(file));
    picker.Dialog()->show();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return Eval(picker, QStringLiteral("document.getElementById('chkHideTask').checked")) == u"true"; },
        30000));
    Eval(picker, QStringLiteral("calShowMonth(2026, 12)"));
    EXPECT_EQ(Eval(picker, QStringLiteral("document.querySelectorAll('#grid td.task').length")), u"0");
    EXPECT_EQ(KeysOn(picker, 2026, 12, 20), u"\"\"");
}

// The main window with the module: 万年历 opens the browsing calendar; 查看运行状态 follows the selection.
TEST(CalendarMarks, TheMainWindowOpensTheCalendar)
{
    frmMain window;
    const MainWindowWiring wiring(window);
    QAction* calendar = window.findChild<QAction*>(QStringLiteral("mnuCalendar"));
    ASSERT_TRUE(calendar && calendar->isEnabled());
    calendar->trigger();
    ASSERT_TRUE(SharedCalendar());
    EXPECT_EQ(SharedCalendar()->GetMode(), frmHtmlViewer::Mode::Browse);
    EXPECT_TRUE(SharedCalendar()->Dialog()->isVisible());
    EXPECT_EQ(SharedCalendar()->Dialog()->windowTitle(), u"万年历");
    EXPECT_TRUE(bool(CurrentCalendarPicker()));
    EXPECT_FALSE(window.findChild<QAction*>(QStringLiteral("mnuRunStatus"))->isEnabled());
}

// An English program tells the page before its scripts run: the window and the page's own words are English.
TEST(CalendarMarks, AnEnglishProgramShowsAnEnglishPage)
{
    ASSERT_TRUE(Translation::Install(QStringLiteral("en")));
    const auto chinese = qScopeGuard([] { Translation::Uninstall(); });
    QWidget owner;
    ASSERT_TRUE(ShowCalendar(false, &owner));
    EXPECT_EQ(SharedCalendar()->Dialog()->windowTitle(), u"Calendar");
    EXPECT_TRUE(QTest::qWaitFor(
        [] { return Eval(*SharedCalendar(), QStringLiteral("document.title")) == u"\"Calendar\""; }, 30000));
}
