// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/IPowerManager.h"

#include <QDBusConnection>

class QDBusMessage;

// Power actions through systemd-logind (org.freedesktop.login1.Manager). Before acting it asks logind
// whether the action is allowed (CanPowerOff and friends) and goes ahead only on "yes", or on "challenge",
// where the desktop's authentication agent asks the user. Without force it also honours blocking inhibitor
// locks held by other programs (an unsaved document, a running burn); with force it leaves them to logind,
// which overrides them where the user is allowed to. Log-off ends the session this program runs in.
// A missing bus or service is a failure like any other, reported through the error text.
class LogindPowerManager : public IPowerManager
{
public:
    explicit LogindPowerManager(QDBusConnection bus = QDBusConnection::systemBus(), qint64 pid = -1);

    bool Perform(PowerAction action, bool force, QString* error) override;

    // "PowerOff", "Hibernate", "Suspend", "Reboot" or "TerminateSession".
    static QString MethodName(PowerAction action);

private:
    bool Call(const QString& method, const QVariantList& args, QDBusMessage* reply, QString* error,
        int timeoutMs = kQuickTimeoutMs);
    bool CheckAllowed(PowerAction action, bool* interactive, QString* error);
    bool CheckInhibitors(PowerAction action, QString* error);
    bool LogOff(QString* error);

    static constexpr int kQuickTimeoutMs = 5000;
    QDBusConnection m_bus;
    qint64 m_pid;
};
