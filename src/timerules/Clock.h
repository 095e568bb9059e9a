// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timerules/Instant.h"

#include <memory>

// The one source of "now" for all core code. The program runs on the system clock; tests and
// `tickwell-cli --now` install a ManualClock they set and advance.
class IClockSource
{
public:
    virtual ~IClockSource() = default;
    // Local wall-clock fields, whole seconds, carried with Qt::UTC so no zone rule shifts them.
    virtual QDateTime CurrentDateTime() const = 0;
};

class Clock
{
public:
    static Instant Now();  // the current moment as an instant, to the second
    static Instant Today();  // today's date at midnight
    static QDateTime CurrentDateTime();
    static QDate CurrentDate();

    // Replace the source; nullptr restores the system clock.
    static void SetSource(std::shared_ptr<IClockSource> source);
    // The source in force, so a temporary replacement can put it back.
    static std::shared_ptr<IClockSource> Source();

private:
    static std::shared_ptr<IClockSource>& Current();
};

// A clock that only moves when told to.
class ManualClock : public IClockSource
{
public:
    explicit ManualClock(const QDateTime& start = QDateTime(QDate(2011, 12, 15), QTime(11, 0)));

    QDateTime CurrentDateTime() const override;

    void Set(const QDateTime& dt);
    void Set(Instant value);
    void AdvanceSeconds(qint64 seconds);

private:
    QDateTime m_now;
};
