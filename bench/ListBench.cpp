// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/TaskTableModel.h"
#include "mainwindow/frmMain.h"
#include "timerules/Clock.h"

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
