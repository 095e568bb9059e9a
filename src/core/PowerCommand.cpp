// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PowerCommand.h"

#include <QRegularExpression>

namespace PowerCommand {

const QStringList& ActionNames()
{
    static const QStringList names { QStringLiteral("关机"), QStringLiteral("休眠"), QStringLiteral("待机"),
        QStringLiteral("重启"), QStringLiteral("注销") };
    return names;
}

const QStringList& DelayEntries()
{
    static const QStringList entries { QStringLiteral("30秒"), QStringLiteral("1分钟"), QStringLiteral("1小时") };
    return entries;
}

QString ForceMarker()
{
    return QStringLiteral("强制");
}

bool Parse(const QString& text, Parsed* out)
{
    static const QRegularExpression pattern(QStringLiteral("@(强制)?(\\S+)(?:\\s+(\\S+))?"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return false;
    const int action = int(ActionNames().indexOf(m.captured(2)));
    if (action < 0)
        return false;
    out->force = !m.captured(1).isEmpty();
    out->action = action;
    out->delay = m.captured(3);
    return true;
}

bool ParseDelay(const QString& text, qint64* seconds)
{
    static const QRegularExpression pattern(QStringLiteral("(\\d+)\\s*(分钟|小时|秒)"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return false;
    bool ok = false;
    const qint64 amount = m.captured(1).toLongLong(&ok);
    const QString unit = m.captured(2);
    const qint64 factor = unit == u"秒" ? 1 : unit == u"分钟" ? 60 : 3600;
    // A hundred years is far beyond any countdown anyone waits for, and keeps the sum with "now" in range.
    constexpr qint64 kMaxSeconds = qint64(100) * 366 * 24 * 3600;
    if (!ok || amount > kMaxSeconds / factor)
        return false;
    *seconds = amount * factor;
    return true;
}

QString CommandName(int action, bool force)
{
    return (force ? ForceMarker() : QString()) + ActionNames().value(action);
}

QString Build(int action, bool force, const QString& delay)
{
    QString cmd = QLatin1Char('@') + CommandName(action, force);
    if (!delay.isEmpty() && delay != DelayEntries().first())
        cmd += QLatin1Char(' ') + delay;
    return cmd;
}

}  // namespace PowerCommand
