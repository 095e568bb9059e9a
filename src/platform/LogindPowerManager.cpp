// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LogindPowerManager.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>

namespace {

const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");

QString CanMethod(PowerAction action)
{
    return QStringLiteral("Can") + LogindPowerManager::MethodName(action);
}

// The inhibitor lock type that holds an action back.
QString InhibitWhat(PowerAction action)
{
    return action == PowerAction::Shutdown || action == PowerAction::Restart ? QStringLiteral("shutdown")
                                                                             : QStringLiteral("sleep");
}

QString Failure(const QString& call, const QString& reason)
{
    return call + QStringLiteral(" error=") + reason;
}

}  // namespace

std::shared_ptr<IPowerManager> MakeSystemPowerManager()
{
    return std::make_shared<LogindPowerManager>();
}

LogindPowerManager::LogindPowerManager(QDBusConnection bus, qint64 pid)
    : m_bus(std::move(bus))
    , m_pid(pid >= 0 ? pid : QCoreApplication::applicationPid())
{
}

QString LogindPowerManager::MethodName(PowerAction action)
{
    switch (action) {
    case PowerAction::Shutdown:
        return QStringLiteral("PowerOff");
    case PowerAction::Hibernate:
        return QStringLiteral("Hibernate");
    case PowerAction::Standby:
        return QStringLiteral("Suspend");
    case PowerAction::Restart:
        return QStringLiteral("Reboot");
    case PowerAction::LogOff:
        break;
    }
    return QStringLiteral("TerminateSession");
}

bool LogindPowerManager::Call(
    const QString& method, const QVariantList& args, QDBusMessage* reply, QString* error, int timeoutMs)
{
    if (!m_bus.isConnected()) {
        const QString reason = m_bus.lastError().isValid() ? m_bus.lastError().message() : QString();
        *error = Failure(
            method, reason.isEmpty() ? QCoreApplication::translate("LogindPowerManager", "无法连接系统总线") : reason);
        return false;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kManager, method);
    call.setArguments(args);
    *reply = m_bus.call(call, QDBus::Block, timeoutMs);
    if (reply->type() != QDBusMessage::ReplyMessage) {
        const QString message = reply->errorMessage();
        *error = Failure(method, message.isEmpty() ? reply->errorName() : reply->errorName() + u": " + message);
        return false;
    }
    return true;
}

bool LogindPowerManager::CheckAllowed(PowerAction action, bool* interactive, QString* error)
{
    QDBusMessage reply;
    const QString method = CanMethod(action);
    if (!Call(method, {}, &reply, error))
        return false;
    const QString answer = reply.arguments().value(0).toString();
    if (answer != QLatin1String("yes") && answer != QLatin1String("challenge")) {
        *error = Failure(
            method, answer.isEmpty() ? QCoreApplication::translate("LogindPowerManager", "(无回答)") : answer);
        return false;
    }
    // Only a challenge needs the authentication agent; otherwise nobody is asked anything.
    *interactive = answer == QLatin1String("challenge");
    return true;
}

bool LogindPowerManager::CheckInhibitors(PowerAction action, QString* error)
{
    QDBusMessage reply;
    if (!Call(QStringLiteral("ListInhibitors"), {}, &reply, error))
        return false;
    const QString what = InhibitWhat(action);
    // a(ssssuu): what (colon-separated), who, why, mode, uid, pid.
    const QDBusArgument list = reply.arguments().value(0).value<QDBusArgument>();
    QString blockedBy;
    list.beginArray();
    while (!list.atEnd() && blockedBy.isEmpty()) {
        QString whats, who, why, mode;
        uint uid = 0, pid = 0;
        list.beginStructure();
        list >> whats >> who >> why >> mode >> uid >> pid;
        list.endStructure();
        if (mode == QLatin1String("block") && whats.split(QLatin1Char(':')).contains(what))
            blockedBy
                = QCoreApplication::translate("LogindPowerManager", "被 %1 阻止（%2）", "inhibitor program, its reason")
                      .arg(who, why);
    }
    // Always closed: an array left open keeps its part of the message alive.
    list.endArray();
    if (blockedBy.isEmpty())
        return true;
    *error = Failure(MethodName(action), blockedBy);
    return false;
}

bool LogindPowerManager::LogOff(QString* error)
{
    QDBusMessage reply;
    if (!Call(QStringLiteral("GetSessionByPID"), { QVariant::fromValue(uint(m_pid)) }, &reply, error))
        return false;
    const QString sessionPath = reply.arguments().value(0).value<QDBusObjectPath>().path();
    QDBusMessage get = QDBusMessage::createMethodCall(
        kService, sessionPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get.setArguments({ QStringLiteral("org.freedesktop.login1.Session"), QStringLiteral("Id") });
    const QDBusMessage idReply = m_bus.call(get, QDBus::Block, kQuickTimeoutMs);
    const QString id = idReply.arguments().value(0).value<QDBusVariant>().variant().toString();
    if (idReply.type() != QDBusMessage::ReplyMessage || id.isEmpty()) {
        *error = Failure(
            QStringLiteral("GetSessionByPID"), idReply.errorMessage().isEmpty() ? sessionPath : idReply.errorMessage());
        return false;
    }
    return Call(QStringLiteral("TerminateSession"), { id }, &reply, error);
}

bool LogindPowerManager::Perform(PowerAction action, bool force, QString* error)
{
    QString ignored;
    QString& err = error ? *error : ignored;
    if (action == PowerAction::LogOff)
        return LogOff(&err);
    bool interactive = false;
    if (!CheckAllowed(action, &interactive, &err))
        return false;
    if (!force && !CheckInhibitors(action, &err))
        return false;
    QDBusMessage reply;
    // With an authentication prompt the answer waits for the user; D-Bus's own default timeout applies.
    return Call(MethodName(action), { interactive }, &reply, &err, interactive ? -1 : kQuickTimeoutMs);
}
