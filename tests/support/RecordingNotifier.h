// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/IDesktopNotifier.h"
#include "support/FakeGuard.h"

#include <QStringList>

#include <utility>

// Stands in for the desktop's notification service: records "title|text" of each notification, shows nothing.
class RecordingNotifier : public IDesktopNotifier
{
public:
    bool Notify(const QString& title, const QString& text) override
    {
        shown << title + QLatin1Char('|') + text;
        return result;
    }
    // Recorded as "title|text|label1|label2"; `Use` plays the user's click on a button of the last one.
    quint64 NotifyWithActions(const QString& title, const QString& text, const std::vector<NotificationAction>& actions,
        std::function<void(const QString&)> onAction) override
    {
        QString line = title + QLatin1Char('|') + text;
        for (const NotificationAction& a : actions)
            line += QLatin1Char('|') + a.label;
        shown << line;
        m_onAction = std::move(onAction);
        return result ? quint64(shown.size()) : 0;
    }
    // Records the number of the notification taken back (1 for the first shown).
    void Withdraw(quint64 token) override { withdrawn << token; }
    QList<quint64> withdrawn;
    void Use(const QString& key) { std::exchange(m_onAction, nullptr)(key); }
    QStringList shown;
    bool result = true;

private:
    std::function<void(const QString&)> m_onAction;
};

using NotifierGuard = FakeGuard<RecordingNotifier, IDesktopNotifier>;
