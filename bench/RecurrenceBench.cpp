// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of finding a task's next due moment, as the editor and every finished occurrence pay it.
#include "timerules/Clock.h"
#include "timerules/Recurrence.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Walks the clock through a year of morning moments so each evaluation starts from a different day.
void Resolve(benchmark::State& state, const char* date, const char* time)
{
    auto clock = std::make_shared<ManualClock>(QDateTime(QDate(2011, 12, 15), QTime(11, 0), Qt::UTC));
    Clock::SetSource(clock);
    const QString dateText = QString::fromUtf8(date);
    const QString timeText = QString::fromUtf8(time);
    const Instant start = Clock::Now();
    int day = 0;
    for (auto _ : state) {
        clock->Set(AddSeconds(start, double(day % 365) * 86400 + double(day % 7) * 3731));
        benchmark::DoNotOptimize(ResolveDueTime(dateText, timeText, 0));
        ++day;
    }
    clock->Set(start);  // leave the fixed clock the other benchmarks expect
}

}  // namespace

BENCHMARK_CAPTURE(Resolve, WeekdaysAt9, "每周135", "9:00");
BENCHMARK_CAPTURE(Resolve, LastDayOfMonthAt8, "每月-1天", "8:00");
BENCHMARK_CAPTURE(Resolve, EveryTwoHoursAt30, "每天", "每2小时30:0");
BENCHMARK_CAPTURE(Resolve, LunarMidAutumnAt9, "农历每年8-15", "9:00");
BENCHMARK_CAPTURE(Resolve, LeapDayAt10, "每年2-29", "10:00");
