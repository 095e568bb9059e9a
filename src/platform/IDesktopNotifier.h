// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

// Desktop notifications, the stand-in for the tray icon's balloon where the desktop has no tray. The program
// uses the freedesktop notification service; tests install a recording one.
class IDesktopNotifier
{
public:
    virtual ~IDesktopNotifier() = default;
    // True when the notification was handed to a notification service.
    virtual bool Notify(const QString& title, const QString& text) = 0;
};

// org.freedesktop.Notifications on the session bus.
std::shared_ptr<IDesktopNotifier> MakeSystemNotifier();

namespace DesktopNotifier {
// The notifier in force: the system one unless a test installed another.
std::shared_ptr<IDesktopNotifier> Current();
void SetCurrent(std::shared_ptr<IDesktopNotifier> notifier);
}  // namespace DesktopNotifier
