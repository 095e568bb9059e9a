// SPDX-License-Identifier: GPL-3.0-or-later
#include "timerules/CLunarUtil.h"

#include <benchmark/benchmark.h>

static void BM_sInitDate(benchmark::State& state)
{
    CLunarUtil lunar;
    int day = 0;
    for (auto _ : state) {
        lunar.sInitDate(2011 + day % 30, 1 + day % 12, 1 + day % 28);
        benchmark::DoNotOptimize(lunar.lDay());
        ++day;
    }
}
BENCHMARK(BM_sInitDate);

static void BM_lInitDate(benchmark::State& state)
{
    CLunarUtil lunar;
    int day = 0;
    for (auto _ : state) {
        lunar.lInitDate(2011 + day % 30, 1 + day % 12, 1 + day % 29, false);
        benchmark::DoNotOptimize(lunar.sDay());
        ++day;
    }
}
BENCHMARK(BM_lInitDate);
