// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Translation.h"
#include "core/TaskDisplay.h"
#include "mainwindow/TaskTableModel.h"
#include "mainwindow/frmMain.h"
#include "timerules/Clock.h"

#include <QApplication>
#include <QTableView>

#include <benchmark/benchmark.h>

namespace {

// A main window holding `count` tasks in a mix of statuses and categories, none of them due soon.
std::unique_ptr<frmMain> FilledWindow(int count)
{
    auto window = std::make_unique<frmMain>();
    const Instant now = Clock::Now();
    const QString types[] = { QStringLiteral("工作"), QStringLiteral("私人"), QString() };
    for (int i = 0; i < count; ++i) {
        auto task = std::make_shared<CTask>();
        task->SetDescription(QStringLiteral("任务 %1").arg(i));
        task->sType = types[i % 3];
        task->sDueDate = QStringLiteral("每周135");
        task->sDueTime = QStringLiteral("9:00");
        task->dtStartDT = now;
        task->dtDueDT = AddSeconds(now, 86400.0 + i * 60);
        task->dtAlarmDT = task->dtDueDT;
        task->SetStatus(TaskStatus(i % kTaskStatusCount));
        window->Engine().Tasks().AddTask(task);
    }
    window->RefreshList();
    return window;
}

}  // namespace

// The full rebuild that runs at every change of filter and of date.
static void BM_RefreshList(benchmark::State& state)
{
    auto window = FilledWindow(int(state.range(0)));
    for (auto _ : state)
        window->RefreshList();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RefreshList)->Arg(10000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same in English, where the due column words every kept rule in English.
static void BM_RefreshListEnglish(benchmark::State& state)
{
    if (!Translation::Install(QStringLiteral("en"))) {
        state.SkipWithError("no English translation");
        return;
    }
    auto window = FilledWindow(int(state.range(0)));
    for (auto _ : state)
        window->RefreshList();
    state.SetItemsProcessed(state.iterations() * state.range(0));
    Translation::Uninstall();
}
BENCHMARK(BM_RefreshListEnglish)->Arg(10000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Every cell of every row made once, as a sort by a text column or a copy of the whole list makes them; the list
// itself makes only the cells it draws.
static void BM_ListCellTexts(benchmark::State& state)
{
    auto window = FilledWindow(int(state.range(0)));
    for (auto _ : state) {
        const DisplayTexts texts;
        for (const TaskPtr& task : window->Engine().Tasks())
            for (int column = 0; column < TaskColumns::kCount; ++column)
                benchmark::DoNotOptimize(texts.Cell(*task, column));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ListCellTexts)->Arg(10000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// One scan tick while nothing changes on screen: it must not repaint a single cell.
static void BM_IdleTick(benchmark::State& state)
{
    auto window = FilledWindow(int(state.range(0)));
    window->Scheduler().Tick();
    long changes = 0;
    QObject::connect(window->ListModel(), &QAbstractItemModel::dataChanged, [&changes] { ++changes; });
    for (auto _ : state)
        window->Scheduler().Tick();
    state.counters["cells_changed"] = double(changes);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_IdleTick)->Arg(10000)->Unit(benchmark::kMillisecond);

// The real timer's work (scan, tray check, auto-lock) and the repaint it causes, once a second of the manual
// clock, with the window on screen or minimised. Every hour of ticks the clock goes back to where it started,
// so no task falls due and the date never changes.
static void IdleTimer(benchmark::State& state, bool minimised)
{
    auto clock = std::dynamic_pointer_cast<ManualClock>(Clock::Source());
    if (!clock) {
        state.SkipWithError("needs the manual clock");
        return;
    }
    const QDateTime start = clock->CurrentDateTime();
    auto window = FilledWindow(int(state.range(0)));
    window->resize(1000, 600);
    window->show();
    if (minimised)
        window->showMinimized();
    QApplication::processEvents();
    long changes = 0;
    QObject::connect(window->ListModel(), &QAbstractItemModel::dataChanged, [&changes] { ++changes; });
    int ticks = 0;
    for (auto _ : state) {
        if (++ticks % 3600 == 0)
            clock->Set(start);
        clock->AdvanceSeconds(1);
        window->tmrTime_Timer();
        QApplication::processEvents();
    }
    clock->Set(start);
    state.counters["cells_changed_per_tick"] = benchmark::Counter(double(changes) / double(ticks));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

static void BM_IdleTimerShown(benchmark::State& state)
{
    IdleTimer(state, false);
}
BENCHMARK(BM_IdleTimerShown)->Arg(1000)->Unit(benchmark::kMicrosecond);

static void BM_IdleTimerMinimised(benchmark::State& state)
{
    IdleTimer(state, true);
}
BENCHMARK(BM_IdleTimerMinimised)->Arg(1000)->Unit(benchmark::kMicrosecond);
