// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

// The auto-lock setting: a number of minutes ("5", "1.5") or of seconds ("45s"). Returns the seconds (0 or less:
// never lock) and rewrites `text` to the form that is stored: "45.4s" becomes "45s", anything else unreadable "0".
int ParseAutoLock(QString& text);

// The time of the user's last activity, on the program's clock.
class IdleClock
{
public:
    IdleClock();
    // Records now as the last activity.
    void Reset();
    // Whether the whole seconds since the last activity are at least `seconds`.
    bool Expired(int seconds) const;

private:
    QDateTime m_last;
};
