// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/TaskEngine.h"
#include "engine/TaskScheduler.h"
#include "timerules/Clock.h"

#include <benchmark/benchmark.h>

// One scan over a large collection in which nothing is due: the cost paid every second while idle.
static void BM_ScanTasks(benchmark::State& state)
{
    TaskEngine engine;
    const Instant now = Clock::Now();
    const TaskStatus waiting[] = { tsNotStarted, tsPostponed, tsOngoing };
    for (int i = 0; i < state.range(0); ++i) {
        auto task = std::make_shared<CTask>();
        task->SetDescription(QStringLiteral("任务 %1").arg(i));
        task->dtDueDT = AddSeconds(now, 60.0 + i);
        task->dtAlarmDT = task->dtDueDT;
        task->SetStatus(waiting[i % 3]);
        engine.AddTask(task);
    }
    TaskScheduler scheduler(engine);
    for (auto _ : state)
        scheduler.ScanTasks();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ScanTasks)->Arg(10000)->Unit(benchmark::kMicrosecond);
