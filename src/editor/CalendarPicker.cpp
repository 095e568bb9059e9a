// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CalendarPicker.h"

namespace {

CalendarPicker& Picker()
{
    static CalendarPicker picker;
    return picker;
}

}  // namespace

void SetCalendarPicker(CalendarPicker picker)
{
    Picker() = std::move(picker);
}

const CalendarPicker& CurrentCalendarPicker()
{
    return Picker();
}
