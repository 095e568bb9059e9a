// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/SysTray.h"

#include "base/AppVersion.h"
#include "platform/IDesktopNotifier.h"

#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QSystemTrayIcon>

// The program's icon; without the SVG icon engine (libqt6svg6) a clock face drawn here in the icon's blue.
QIcon SysTray::ProgramIcon()
{
    const QIcon svg(QStringLiteral(":/icons/org.tickwell.Tickwell.svg"));
    if (!svg.pixmap(32, 32).isNull())
        return svg;
    QIcon icon;
    for (int size : { 16, 22, 24, 32, 48, 64 }) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal r = size / 2.0;
        p.setPen(QPen(QColor(0x1f, 0x5f, 0xa8), size / 12.0));
        p.setBrush(QColor(0xe8, 0xf3, 0xff));
        p.drawEllipse(QPointF(r, r), r - size / 16.0, r - size / 16.0);
        p.drawLine(QPointF(r, r), QPointF(r, r * 0.45));
        p.drawLine(QPointF(r, r), QPointF(r * 1.45, r));
        p.end();
        icon.addPixmap(pm);
    }
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
        m_icon = new QSystemTrayIcon(ProgramIcon(), this);
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
