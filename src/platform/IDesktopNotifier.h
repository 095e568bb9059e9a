// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <vector>

// A button of a notification: `key` comes back when it is used, `label` is shown.
struct NotificationAction
{
    QString key;
    QString label;
};

// Desktop notifications, the stand-in for the tray icon's balloon where the desktop has no tray. The program
// uses the freedesktop notification service; tests install a recording one.
class IDesktopNotifier
{
public:
    virtual ~IDesktopNotifier() = default;
    // True when the notification was handed to a notification service.
    virtual bool Notify(const QString& title, const QString& text) = 0;
    // A notification of its own (it replaces no other) with buttons: `onAction` gets the key of the button the user
    // used, at most once. Dismissing the notification calls nothing. Returns a token for Withdraw, 0 when it was
    // not handed to a service.
    virtual quint64 NotifyWithActions(const QString& title, const QString& text,
        const std::vector<NotificationAction>& actions, std::function<void(const QString&)> onAction)
        = 0;
    // Takes a notification with buttons off the screen (what it was about was settled elsewhere); its buttons
    // call nothing from now on. Unknown and already closed tokens are ignored.
    virtual void Withdraw(quint64 token) = 0;
};

// org.freedesktop.Notifications on the session bus.
std::shared_ptr<IDesktopNotifier> MakeSystemNotifier();

namespace DesktopNotifier {
// The notifier in force: the system one unless a test installed another.
std::shared_ptr<IDesktopNotifier> Current();
void SetCurrent(std::shared_ptr<IDesktopNotifier> notifier);
}  // namespace DesktopNotifier
