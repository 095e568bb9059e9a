// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timerules/Clock.h"

#include <memory>

// One manual clock for a whole fuzz run, installed before the first input, so a saved input always replays
// the same way. Targets set it per input from the input's own bytes.
inline ManualClock& FuzzClock()
{
    static const std::shared_ptr<ManualClock> clock = [] {
        auto c = std::make_shared<ManualClock>();
        Clock::SetSource(c);
        return c;
    }();
    return *clock;
}
