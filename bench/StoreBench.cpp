// SPDX-License-Identifier: GPL-3.0-or-later
// Loading and saving the data file with 10,000 tasks, far more than anyone keeps.
#include "base/AppPaths.h"
#include "base/MsgBox.h"
#include "engine/TaskEngine.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kTasks = 10000;

void Fill(TaskEngine& engine)
{
    for (int i = 0; i < kTasks; ++i) {
        auto t = std::make_shared<CTask>();
        t->SetDescription(QStringLiteral("任务 %1：整理会议纪要\r\n并发给所有参会人").arg(i));
        t->dtCreateDT = MakeInstant(2011, 1, 1, 8, 0, 0) + i / 100.0;
        t->dtDueDT = t->dtCreateDT + 3.5;
        t->dtAlarmDT = t->dtDueDT - 1.0 / 24;
        t->dtStartDT = t->dtCreateDT;
        t->sDueDate = QStringLiteral("每周135");
        t->sDueTime = QStringLiteral("10:00");
        t->sManualAlarm = QStringLiteral("-1小时");
        t->sType = (i % 3) ? QStringLiteral("工作") : QString();
        t->ePriority = i % 4;
        t->eRingType = i % 3;
        if (i % 5 == 0)
            t->sMemo = QStringLiteral("备注第一行\r\n备注第二行");
        if (i % 2)
            t->SetStatus(tsFinished);
        engine.AddTask(t);
    }
    engine.Settings().Types = QStringLiteral("个人;*工作");
}

struct Folder
{
    QTemporaryDir dir;
    Folder()
    {
        AppPaths::SetProgramFolder(dir.path());
        TaskEngine engine;
        Fill(engine);
        engine.SaveCfg();
    }
};

void BM_SaveCfg(benchmark::State& state)
{
    Folder folder;
    TaskEngine engine;
    Fill(engine);
    for (auto _ : state) {
        if (!engine.SaveCfg())
            state.SkipWithError("save failed");
    }
    state.SetItemsProcessed(state.iterations() * kTasks);
}
BENCHMARK(BM_SaveCfg)->Unit(benchmark::kMillisecond);

void BM_LoadCfg(benchmark::State& state)
{
    Folder folder;
    for (auto _ : state) {
        TaskEngine engine;
        engine.LoadCfg();
        if (engine.Tasks().Count() != kTasks)
            state.SkipWithError("load lost tasks");
        state.PauseTiming();
        engine.Tasks().Clear();  // the tasks' destruction is not part of loading
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kTasks);
}
BENCHMARK(BM_LoadCfg)->Unit(benchmark::kMillisecond);

// A hostile file: one description of 50 MB. It must load in seconds, not minutes.
void BM_LoadHugeAttribute(benchmark::State& state)
{
    QTemporaryDir dir;
    AppPaths::SetProgramFolder(dir.path());
    QFile file(dir.filePath(QStringLiteral("twdata.xml")));
    if (!file.open(QIODevice::WriteOnly))
        return state.SkipWithError("cannot write");
    file.write(R"(<?xml version="1.0" encoding="UTF-8"?><tasks><task Id="1" DueDT="--" Status="0" DueDate="--" )"
               R"(DueTime="--" Desc=")");
    file.write(QByteArray(50 * 1024 * 1024, 'a'));
    file.write("\"/></tasks>");
    file.close();
    for (auto _ : state) {
        TaskEngine engine;
        if (!engine.LoadCfg() || engine.Tasks().Count() != 1)
            state.SkipWithError("load failed");
    }
}
BENCHMARK(BM_LoadHugeAttribute)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
