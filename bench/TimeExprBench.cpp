// SPDX-License-Identifier: GPL-3.0-or-later
// The list view and the alarm box format and parse these texts for every row on every refresh.
#include "timerules/Clock.h"
#include "timerules/TimeExpr.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

void FixClock()
{
    static const bool done = [] {
        Clock::SetSource(std::make_shared<ManualClock>(QDateTime(QDate(2011, 12, 15), QTime(11, 0), Qt::UTC)));
        return true;
    }();
    (void)done;
}

}  // namespace

static void BM_ParseTimeOffset(benchmark::State& state)
{
    FixClock();
    const std::array<QString, 8> texts = {
        QStringLiteral("-15"),
        QStringLiteral("-15分钟"),
        QStringLiteral("-1小时"),
        QStringLiteral("-1天"),
        QStringLiteral("1.5小时"),
        QStringLiteral("10:30"),
        QStringLiteral("2010-10-1 10:00"),
        QStringLiteral("abc"),
    };
    const Instant due = MakeInstant(2011, 12, 20, 8, 0);
    QString err;
    size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParseTimeOffset(due, texts[k % texts.size()], &err));
        ++k;
    }
}
BENCHMARK(BM_ParseTimeOffset);

static void BM_FormatFriendlyTime(benchmark::State& state)
{
    FixClock();
    const std::array<Instant, 6> moments = {
        MakeInstant(2011, 12, 15, 14, 5),
        MakeInstant(2011, 12, 16, 8, 0),
        MakeInstant(2011, 12, 16),
        MakeInstant(2011, 12, 25, 10, 0),
        MakeInstant(2012, 1, 5),
        MakeInstant(2011, 11, 5, 9, 0),
    };
    size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatFriendlyTime(moments[k % moments.size()]));
        ++k;
    }
}
BENCHMARK(BM_FormatFriendlyTime);
