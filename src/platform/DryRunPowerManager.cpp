// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DryRunPowerManager.h"

#include "platform/LogindPowerManager.h"

bool DryRunPowerManager::Perform(PowerAction action, bool force, QString* error)
{
    Q_UNUSED(error)
    const QByteArray line = Describe(action, force).toUtf8() + '\n';
    std::fputs(line.constData(), m_out);
    // Whoever reads the output (a test, a pipe) should see the line when it happens, not at exit.
    std::fflush(m_out);
    return true;
}

QString DryRunPowerManager::Describe(PowerAction action, bool force)
{
    // A line for scripts and tests, not a message: it stays the same in every interface language and names the
    // action as the power command writes it.
    static const char16_t* const names[] = { u"关机", u"休眠", u"待机", u"重启", u"注销" };
    return QStringLiteral("power-dry-run: %1%2 (%3%4)")
        .arg(force ? QStringLiteral("强制") : QString(), QString::fromUtf16(names[int(action)]),
            LogindPowerManager::MethodName(action), force ? QStringLiteral(", ignoring inhibitors") : QString());
}
