// SPDX-License-Identifier: GPL-3.0-or-later
// The helpers of the sound concern that keep no state: the sound module is built with its own copy of them.
#include "platform/IAudio.h"

#include <QStringList>

namespace Audio {

QString FormatMs(qint64 ms)
{
    if (ms < 0)
        ms = 0;
    return QString::number(ms / 60000) + QLatin1Char(':') + QString::number((ms / 1000) % 60);
}

bool IsRefusedFormat(const QString& file)
{
    static const QStringList refused = { QStringLiteral(".RM"), QStringLiteral("RAM"), QStringLiteral(".RA") };
    return refused.contains(file.right(3).toUpper());
}

}  // namespace Audio
