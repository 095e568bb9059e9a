// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/IDesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");

class DBusNotifier : public IDesktopNotifier
{
public:
    bool Notify(const QString& title, const QString& text) override
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected() || !bus.interface())
            return false;
        // A server that is neither running nor activatable would swallow the message unseen.
        if (!bus.interface()->isServiceRegistered(kService).value()
            && !bus.interface()->activatableServiceNames().value().contains(kService))
            return false;
        QDBusMessage call = QDBusMessage::createMethodCall(
            kService, QStringLiteral("/org/freedesktop/Notifications"), kService, QStringLiteral("Notify"));
        // Each balloon replaces the previous one, as a tray balloon does.
        call << QStringLiteral("Tickwell") << *m_lastId << QStringLiteral("appointment-soon") << title << text
             << QStringList() << QVariantMap() << int(-1);
        // Asynchronous: a slow server must not freeze the window; the reply only gives the id to replace next time.
        auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher, [lastId = m_lastId, watcher] {
            const QDBusPendingReply<uint> reply = *watcher;
            if (reply.isValid())
                *lastId = reply.value();
            watcher->deleteLater();
        });
        return true;
    }

private:
    std::shared_ptr<uint> m_lastId = std::make_shared<uint>(0);
};

std::shared_ptr<IDesktopNotifier>& Slot()
{
    static std::shared_ptr<IDesktopNotifier> current;
    return current;
}

}  // namespace

std::shared_ptr<IDesktopNotifier> MakeSystemNotifier()
{
    return std::make_shared<DBusNotifier>();
}

namespace DesktopNotifier {

std::shared_ptr<IDesktopNotifier> Current()
{
    if (!Slot())
        Slot() = MakeSystemNotifier();
    return Slot();
}

void SetCurrent(std::shared_ptr<IDesktopNotifier> notifier)
{
    Slot() = std::move(notifier);
}

}  // namespace DesktopNotifier
