// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's life in the notification area: hiding, coming back, the tray menu and balloons.
#include "mainwindow/SyncController.h"
#include "mainwindow/SysTray.h"
#include "mainwindow/frmMain.h"
#include "ui_frmMain.h"
#include "widgets/WindowHelpers.h"

#include <QEvent>
#include <QMenu>
#include <QTimer>

void frmMain::SetupTray()
{
    m_sysTray = new SysTray(this);
    connect(m_sysTray, &SysTray::clicked, this, &frmMain::SysTray_Notify);
    connect(this, &frmMain::trayTipChanged, m_sysTray, &SysTray::SetTrayTip);
    connect(this, &frmMain::balloonRequested, m_sysTray, &SysTray::ShowTrayBalloon);

    // The tray menu repeats commands of the main menu and follows their enabled state.
    m_mnuTray = new QMenu(QStringLiteral("SysTray"), this);
    m_mnuTray->setObjectName(QStringLiteral("mnuTray"));
    const struct
    {
        const char16_t* name;
        const char* caption;
        QAction* same;
    } items[] = {
        { u"mnuNewTask", QT_TR_NOOP("新建任务(&N)"), m_ui->mnuAdd },
        { u"mnuCalendar2", QT_TR_NOOP("万年历"), m_ui->mnuCalendar },
        { u"mnuHomePage2", QT_TR_NOOP("软件主页"), m_ui->mnuHomePage },
    };
    for (const auto& item : items) {
        QAction* a = m_mnuTray->addAction(tr(item.caption));
        a->setObjectName(QString::fromUtf16(item.name));
        QAction* same = item.same;
        connect(a, &QAction::triggered, same, &QAction::trigger);
        connect(m_mnuTray, &QMenu::aboutToShow, a, [a, same] { a->setEnabled(same->isEnabled()); });
        a->setEnabled(same->isEnabled());
    }
    QAction* syncNow = m_mnuTray->addAction(tr("立即同步(&S)"));
    syncNow->setObjectName(QStringLiteral("mnuTraySync"));
    connect(syncNow, &QAction::triggered, m_sync, &SyncController::SyncNow);
    connect(m_mnuTray, &QMenu::aboutToShow, syncNow, [this, syncNow] { syncNow->setVisible(m_sync->HasAccount()); });
    syncNow->setVisible(m_sync->HasAccount());
    m_mnuTray->addSeparator();
    QAction* exit = m_mnuTray->addAction(tr("退出(&X)"));
    exit->setObjectName(QStringLiteral("mnuTrayExit"));
    connect(exit, &QAction::triggered, this, &frmMain::quitRequested);
}

QMenu* frmMain::TrayMenu() const
{
    return m_mnuTray;
}

void frmMain::HideToTray()
{
    if (isVisible()) {
        // Without a tray host a hidden window could not be found again: it only goes to the task bar.
        if (SysTray::HostAvailable())
            hide();
        else if (!isMinimized())
            showMinimized();
    }
    if (!m_sysTray->IsAdded())
        m_sysTray->AddTrayIcon(m_mnuTray, m_trayTip, QStringLiteral("."));
}

void frmMain::RestoreFromTray()
{
    ForceForeground(this);
}

void frmMain::SysTray_Notify()
{
    if (isMinimized() || !isVisible())
        RestoreFromTray();
    else
        HideToTray();
}

bool frmMain::IsAway() const
{
    return !isVisible() || isMinimized();
}

void frmMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || m_unloaded)
        return;
    if (!isMinimized())
        CatchUp();
    if (isMinimized() && m_sysTray->IsAdded() && SysTray::HostAvailable()) {
        // Hiding from inside the state change confuses some window managers; do it once the change is done.
        QTimer::singleShot(0, this, [this] {
            if (isMinimized() && SysTray::HostAvailable())
                hide();
        });
    }
}
