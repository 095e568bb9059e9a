// SPDX-License-Identifier: GPL-3.0-or-later
#include "timerules/Clock.h"

namespace {

class SystemClock : public IClockSource
{
public:
    QDateTime CurrentDateTime() const override
    {
        QDateTime now = QDateTime::currentDateTime();
        // The engine counts whole seconds; dropping milliseconds keeps comparisons stable.
        return QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()), Qt::UTC);
    }
};

}  // namespace

std::shared_ptr<IClockSource> Clock::Source()
{
    return Current();
}

std::shared_ptr<IClockSource>& Clock::Current()
{
    static std::shared_ptr<IClockSource> source = std::make_shared<SystemClock>();
    return source;
}

void Clock::SetSource(std::shared_ptr<IClockSource> source)
{
    Current() = source ? std::move(source) : std::make_shared<SystemClock>();
}

QDateTime Clock::CurrentDateTime()
{
    return Current()->CurrentDateTime();
}

QDate Clock::CurrentDate()
{
    return CurrentDateTime().date();
}

Instant Clock::Now()
{
    return InstantFromDateTime(CurrentDateTime());
}

Instant Clock::Today()
{
    return InstantFromDate(CurrentDate());
}

ManualClock::ManualClock(const QDateTime& start)
{
    Set(start);
}

QDateTime ManualClock::CurrentDateTime() const
{
    return m_now;
}

void ManualClock::Set(const QDateTime& dt)
{
    m_now = QDateTime(dt.date(), QTime(dt.time().hour(), dt.time().minute(), dt.time().second()), Qt::UTC);
}

void ManualClock::Set(Instant value)
{
    m_now = DateTimeOf(value);
}

void ManualClock::AdvanceSeconds(qint64 seconds)
{
    // Wall-clock arithmetic, like the instants: no zone transitions are applied.
    m_now = DateTimeOf(AddSeconds(InstantFromDateTime(m_now), double(seconds)));
}
