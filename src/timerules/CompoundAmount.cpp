// SPDX-License-Identifier: GPL-3.0-or-later
#include "timerules/CompoundAmount.h"

#include <QRegularExpression>

#include <cmath>

namespace {

const QString kPair = QStringLiteral("([0-9]+(?:\\.[0-9]+)?)\\s*(年|个月|月|天|小时|分钟|分|秒)");

// Far beyond any calendar the instants can hold; keeps the conversions to integers defined.
constexpr double kMaxMonths = 12.0 * 10000;
constexpr double kMaxSeconds = 86400.0 * 366 * 10000;

}  // namespace

bool CompoundAmount::IsZero() const
{
    return std::trunc(months) == 0 && std::llround(seconds) == 0;
}

std::optional<CompoundAmount> ParseCompoundAmount(const QString& text)
{
    static const QRegularExpression whole(
        QStringLiteral("^\\s*([-+]?)\\s*((?:") + kPair + QStringLiteral("\\s*){2,})后?\\s*$"));
    static const QRegularExpression pair(kPair);
    const QRegularExpressionMatch m = whole.match(text);
    if (!m.hasMatch())
        return std::nullopt;

    CompoundAmount amount;
    amount.negative = m.captured(1) == QStringLiteral("-");
    auto pairs = pair.globalMatch(m.captured(2));
    while (pairs.hasNext()) {
        const QRegularExpressionMatch p = pairs.next();
        const double n = p.captured(1).toDouble();
        const QString unit = p.captured(2);
        if (unit == QStringLiteral("年"))
            amount.months += n * 12;
        else if (unit == QStringLiteral("月") || unit == QStringLiteral("个月"))
            amount.months += n;
        else if (unit == QStringLiteral("天"))
            amount.seconds += n * 86400;
        else if (unit == QStringLiteral("小时"))
            amount.seconds += n * 3600;
        else if (unit == QStringLiteral("分") || unit == QStringLiteral("分钟"))
            amount.seconds += n * 60;
        else
            amount.seconds += n;
    }
    return amount;
}

Instant ApplyCompoundAmount(Instant base, const CompoundAmount& amount)
{
    if (!(amount.months < kMaxMonths) || !(amount.seconds < kMaxSeconds))
        return 0;
    const int sign = amount.negative ? -1 : 1;
    Instant result = base;
    const qint64 months = qint64(std::trunc(amount.months));
    if (months != 0) {
        result = AddMonths(result, sign * months);
        if (result == 0)
            return 0;
    }
    const qint64 seconds = std::llround(amount.seconds);
    if (seconds != 0)
        result = AddSeconds(result, double(sign * seconds));
    return result;
}
