// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/SysTray.h"

#include "base/AppVersion.h"
#include "platform/IDesktopNotifier.h"

#include <QGuiApplication>
#include <QMenu>
#include <QSystemTrayIcon>

// The program's icon, rendered from its SVG beforehand (tools/RenderIcon.cpp): a PNG is read without an icon
// engine, the SVG would load one into every start. Each file is decoded as it is added, so only the sizes of a
// tray and a title bar are; larger views take the installed SVG through the desktop entry.
QIcon SysTray::ProgramIcon()
{
    QIcon icon;
    for (int size : { 16, 22, 24, 32, 48, 64 })
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    return icon;
}

SysTray::SysTray(QObject* parent)
    : QObject(parent)
{
}

SysTray::~SysTray()
{
    RemoveTrayIcon();
}

bool SysTray::HostAvailable()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void SysTray::AddTrayIcon(QMenu* menu, const QString& tip, const QString& balloon)
{
    if (!m_icon) {
        const QIcon program = QGuiApplication::windowIcon();  // the same, already read by the program's start
        m_icon = new QSystemTrayIcon(program.isNull() ? ProgramIcon() : program, this);
        connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
                Q_EMIT clicked();
        });
    }
    m_icon->setContextMenu(menu);
    // Shown even without a tray host: Qt puts it in place as soon as one appears.
    m_icon->show();
    m_hostWasAvailable = HostAvailable();
    if (!tip.isEmpty())
        SetTrayTip(tip);
    const QString text = balloon == QLatin1String(".") ? tip : balloon;
    if (!text.isEmpty() && !m_startBalloonShown) {
        m_startBalloonShown = true;
        ShowTrayBalloon(text);
    }
}

void SysTray::SetTrayTip(const QString& tip)
{
    m_tip = tip;
    if (m_icon)
        m_icon->setToolTip(tip);
}

void SysTray::ShowTrayBalloon(const QString& text)
{
    if (m_icon && HostAvailable() && QSystemTrayIcon::supportsMessages()) {
        m_icon->showMessage(AppTitle(), text, QSystemTrayIcon::Information);
        Q_EMIT balloonShown(text, true);
    } else if (DesktopNotifier::Current()->Notify(AppTitle(), text)) {
        Q_EMIT balloonShown(text, false);
    }
}

void SysTray::RemoveTrayIcon()
{
    if (!m_icon)
        return;
    m_icon->hide();
    delete m_icon;
    m_icon = nullptr;
}

void SysTray::CheckHost()
{
    const bool available = m_icon && HostAvailable();
    if (available && !m_hostWasAvailable) {
        m_icon->hide();
        m_icon->show();
        if (!m_tip.isEmpty())
            ShowTrayBalloon(m_tip);
    }
    m_hostWasAvailable = available;
}
