// SPDX-License-Identifier: GPL-3.0-or-later
#include "timerules/Clock.h"

#include <QApplication>
#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    // The list benchmarks build the main window; it is never shown on a real screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Benchmarks run on a fixed clock so every run measures the same work.
    Clock::SetSource(std::make_shared<ManualClock>(QDateTime(QDate(2011, 12, 15), QTime(11, 0))));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
