// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/IDesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QObject>
#include <QVariantMap>

#include <map>
#include <set>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

// Receives the server's signals for the notifications with buttons and calls their handlers. Notifications of other
// programs share the signals: only the ids this program was given are looked at.
class ActionReceiver : public QObject
{
    Q_OBJECT

public:
    std::map<uint, std::function<void(const QString&)>> handlers;
    std::map<quint64, uint> ids;  // token -> the server's id, once the server has answered
    std::set<quint64> pending;  // sent, the server has not answered yet
    std::set<quint64> withdrawn;  // taken back before the server answered

public Q_SLOTS:
    void OnActionInvoked(uint id, const QString& key)
    {
        const auto it = handlers.find(id);
        if (it == handlers.end())
            return;
        // Taken out first: the handler may show a box and the server may send the signal again meanwhile.
        const auto handler = std::move(it->second);
        handlers.erase(it);
        ForgetToken(id);
        handler(key);
    }
    void OnClosed(uint id, uint /*reason*/)
    {
        handlers.erase(id);
        ForgetToken(id);
    }

private:
    void ForgetToken(uint id)
    {
        std::erase_if(ids, [id](const auto& entry) { return entry.second == id; });
    }
};

class DBusNotifier : public IDesktopNotifier
{
public:
    bool Notify(const QString& title, const QString& text) override
    {
        // Each balloon replaces the previous one, as a tray balloon does.
        return Send(title, text, *m_lastId, {}, [lastId = m_lastId](uint id) { *lastId = id; });
    }

    quint64 NotifyWithActions(const QString& title, const QString& text, const std::vector<NotificationAction>& actions,
        std::function<void(const QString&)> onAction) override
    {
        if (!m_receiver) {
            m_receiver = std::make_shared<ActionReceiver>();
            QDBusConnection bus = QDBusConnection::sessionBus();
            bus.connect(kService, kPath, kService, QStringLiteral("ActionInvoked"), m_receiver.get(),
                SLOT(OnActionInvoked(uint, QString)));
            bus.connect(kService, kPath, kService, QStringLiteral("NotificationClosed"), m_receiver.get(),
                SLOT(OnClosed(uint, uint)));
        }
        QStringList pairs;
        for (const NotificationAction& a : actions)
            pairs << a.key << a.label;
        // The server answers with the id before it can report a button: the reply is handled first.
        const quint64 token = ++m_lastToken;
        m_receiver->pending.insert(token);
        const bool sent = Send(title, text, 0, pairs,
            [receiver = std::weak_ptr<ActionReceiver>(m_receiver), onAction = std::move(onAction), token](uint id) {
                const auto r = receiver.lock();
                if (!r)
                    return;
                r->pending.erase(token);
                if (r->withdrawn.erase(token)) {
                    Close(id);
                    return;
                }
                r->handlers[id] = onAction;
                r->ids[token] = id;
            });
        if (!sent)
            m_receiver->pending.erase(token);
        return sent ? token : 0;
    }

    void Withdraw(quint64 token) override
    {
        if (!m_receiver)
            return;
        if (m_receiver->pending.count(token)) {
            m_receiver->withdrawn.insert(token);  // closed as soon as the server tells its id
            return;
        }
        const auto it = m_receiver->ids.find(token);
        if (it == m_receiver->ids.end())
            return;
        const uint id = it->second;
        m_receiver->ids.erase(it);
        // Closed already (by the user or a button): the handler is gone and the id may belong to another now.
        if (m_receiver->handlers.erase(id))
            Close(id);
    }

private:
    static void Close(uint id)
    {
        QDBusMessage call
            = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("CloseNotification"));
        call << id;
        QDBusConnection::sessionBus().asyncCall(call);
    }

    bool Send(const QString& title, const QString& text, uint replaces, const QStringList& actions,
        std::function<void(uint)> onId)
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected() || !bus.interface())
            return false;
        // A server that is neither running nor activatable would swallow the message unseen.
        if (!bus.interface()->isServiceRegistered(kService).value()
            && !bus.interface()->activatableServiceNames().value().contains(kService))
            return false;
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
        call << QStringLiteral("Tickwell") << replaces << QStringLiteral("appointment-soon") << title << text << actions
             << QVariantMap() << int(-1);
        // Asynchronous: a slow server must not freeze the window.
        auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher, [onId = std::move(onId), watcher] {
            const QDBusPendingReply<uint> reply = *watcher;
            if (reply.isValid())
                onId(reply.value());
            watcher->deleteLater();
        });
        return true;
    }

    std::shared_ptr<uint> m_lastId = std::make_shared<uint>(0);
    std::shared_ptr<ActionReceiver> m_receiver;
    quint64 m_lastToken = 0;
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

#include "DBusNotifier.moc"
