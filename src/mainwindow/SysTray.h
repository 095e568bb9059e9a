// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QObject>
#include <QString>

class QMenu;
class QSystemTrayIcon;

// The program's one icon in the notification area: tip, balloons, clicks and the pop-up menu. Where the desktop
// has no tray, balloons go to the desktop's notification service instead; where neither exists they are lost.
class SysTray : public QObject
{
    Q_OBJECT

public:
    explicit SysTray(QObject* parent = nullptr);
    ~SysTray() override;

    // Adds the icon with its right-click menu and tip. A balloon of "." repeats the tip; the first non-empty balloon
    // of the run is shown, later ones passed here are not.
    void AddTrayIcon(QMenu* menu, const QString& tip, const QString& balloon);
    void SetTrayTip(const QString& tip);
    void ShowTrayBalloon(const QString& text);
    void RemoveTrayIcon();

    bool IsAdded() const { return m_icon != nullptr; }
    QString Tip() const { return m_tip; }
    QSystemTrayIcon* Icon() const { return m_icon; }
    // Whether a tray host is there now.
    static bool HostAvailable();
    // The program's icon: the window's and the tray's.
    static QIcon ProgramIcon();
    // Polled from the one-second tick: when a tray host appears (again), the icon returns and its tip is shown once
    // as a balloon, as after a restart of the desktop's panel.
    void CheckHost();

Q_SIGNALS:
    // Left click or double click on the icon.
    void clicked();
    // A balloon was shown, as a tray balloon (`viaTray`) or as a desktop notification.
    void balloonShown(const QString& text, bool viaTray);

private:
    QSystemTrayIcon* m_icon = nullptr;
    QString m_tip;
    bool m_startBalloonShown = false;
    bool m_hostWasAvailable = false;
};
