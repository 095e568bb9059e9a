// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timerules/Instant.h"

#include <functional>

class QWidget;

// The perpetual calendar comes with its own window. The editor and the valid-period dialog ask it for a day
// through this hook; while nobody has installed one, their calendar buttons and menu items stay disabled.
// The picker shows the calendar modally over `owner` and returns the picked day, 0 when none was picked.
using CalendarPicker = std::function<Instant(QWidget* owner)>;

void SetCalendarPicker(CalendarPicker picker);
const CalendarPicker& CurrentCalendarPicker();
