// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timerules/Instant.h"

#include <QString>

#include <optional>

// A span typed as two or more number+unit pairs, such as "1小时30分", "1天2小时" or "-1天12小时".
// Units: 年, 月/个月, 天, 小时, 分/分钟, 秒. Each pair counts in its own unit and the pairs add up; a leading
// "-" makes the whole span earlier, a trailing "后" changes nothing. Numbers may carry a decimal part.
//
// Texts with a single pair are not compound: each caller keeps its own reading of those.
struct CompoundAmount
{
    bool negative = false;
    double months = 0;  // years count twelve; applied first, as whole months, clamped to the month end
    double seconds = 0;  // days, hours, minutes and seconds; applied rounded to the second

    bool IsZero() const;
};

// The amount when `text` is nothing but two or more pairs (spaces allowed between them), else nullopt.
std::optional<CompoundAmount> ParseCompoundAmount(const QString& text);

// `base` moved by the amount (earlier when negative); 0 when the result leaves the calendar.
Instant ApplyCompoundAmount(Instant base, const CompoundAmount& amount);
