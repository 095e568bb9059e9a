// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AutoLock.h"

#include "timerules/Clock.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace {

int RoundToInt(double value)
{
    // Far beyond any sensible idle time; also keeps a typed 1e300 from overflowing.
    constexpr double limit = std::numeric_limits<int>::max();
    return value >= limit ? std::numeric_limits<int>::max() : value <= -limit ? 0 : int(std::lround(value));
}

}  // namespace

int ParseAutoLock(QString& text)
{
    bool ok = false;
    const double minutes = text.trimmed().toDouble(&ok);
    if (ok && std::isfinite(minutes))
        return RoundToInt(minutes * 60);
    if (text.endsWith(QLatin1Char('s'))) {
        // The leading number, as far as it reads: "45.4s" -> 45, "s" -> 0.
        static const QRegularExpression lead(QStringLiteral("^\\s*[-+]?(\\d+\\.?\\d*|\\.\\d+)"));
        const QRegularExpressionMatch m = lead.match(text);
        const int seconds = m.hasMatch() ? RoundToInt(m.captured(0).trimmed().toDouble()) : 0;
        text = QString::number(seconds) + QLatin1Char('s');
        return seconds;
    }
    text = QStringLiteral("0");
    return 0;
}

IdleClock::IdleClock()
    : m_last(Clock::CurrentDateTime())
{
}

void IdleClock::Reset()
{
    m_last = Clock::CurrentDateTime();
}

bool IdleClock::Expired(int seconds) const
{
    return m_last.secsTo(Clock::CurrentDateTime()) >= seconds;
}
