// SPDX-License-Identifier: GPL-3.0-or-later
// Locking the main window: by hand, after a time without input, and unlocking with the password.
#include "mainwindow/dlgFilter.h"
#include "mainwindow/dlgFind.h"
#include "mainwindow/frmMain.h"
#include "ui_frmMain.h"
#include "widgets/InputWatcher.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>

void frmMain::SetupLock()
{
    Ui::frmMain& ui = *m_ui;
    ui.mnuLock->setCheckable(true);
    connect(ui.mnuLock, &QAction::triggered, this, [this] { mnuLock_Click(); });
    m_lblPrompt = new QLabel(tr("输入解锁密码;无密码按Ctrl-L返回."), ui.centralWidget);
    m_lblPrompt->setObjectName(QStringLiteral("lblPrompt"));
    m_lblPrompt->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_lblPrompt->setContentsMargins(0, 40, 0, 0);
    m_lblPrompt->hide();
    static_cast<QVBoxLayout*>(ui.centralWidget->layout())->addWidget(m_lblPrompt, 1);
    m_inputWatcher = new InputWatcher([this](QObject* target, QEvent* event) { return OnInput(target, event); }, this);
}

bool frmMain::IsLocked() const
{
    return m_ui->mnuLock->isChecked();
}

bool frmMain::IsPasswordLocked() const
{
    return IsLocked() && !m_ui->mnuLock->isEnabled();
}

void frmMain::mnuLock_Click()
{
    QAction* lock = m_ui->mnuLock;
    const bool locking = !m_locked;
    if (locking) {
        if (!m_engine.Settings().UnlockPassword().isEmpty())
            lock->setEnabled(false);
    } else {
        if (!lock->isEnabled()) {
            lock->setChecked(true);
            return;
        }
        NoteActivity();
    }
    m_locked = locking;
    m_lockKeyBuffer.clear();
    lock->setChecked(m_locked);
    m_ui->lvwTasks->setVisible(!m_locked);
    statusBar()->setVisible(!m_locked);
    // Without the menu bar only Ctrl+L (no password) or the password leads back.
    menuBar()->setVisible(!m_locked);
    m_lblPrompt->setVisible(m_locked);
    if (m_locked) {
        for (QWidget* w : { static_cast<QWidget*>(m_dlgFind.data()), static_cast<QWidget*>(m_dlgFilter.data()) })
            if (w)
                w->hide();
        setFocus();
    }
}

void frmMain::NoteActivity()
{
    IdleExpired(true);
}

bool frmMain::IdleExpired(bool reset)
{
    if (reset) {
        m_idle.Reset();
        return false;
    }
    return m_idle.Expired(m_autoLockSeconds);
}

void frmMain::LoadAutoLock()
{
    AppSettings& s = m_engine.Settings();
    m_autoLockSeconds = ParseAutoLock(s.AutoLock);
    IdleExpired(true);
}

void frmMain::AutoLockTick()
{
    if (!m_locked && m_autoLockSeconds > 0 && IdleExpired(false))
        mnuLock_Click();
}

bool frmMain::OnInput(QObject* target, QEvent* event)
{
    if (!IsPasswordLocked()) {
        if (event->type() != QEvent::Shortcut)
            NoteActivity();
        return false;
    }
    // Password-locked: nothing of this window works until the password has been typed.
    if (event->type() == QEvent::Shortcut) {
        auto* action = qobject_cast<QAction*>(target);
        return action && action->parent() == this;
    }
    auto* widget = qobject_cast<QWidget*>(target);
    if (!widget || widget->window() != this)
        return false;
    if (event->type() != QEvent::KeyPress)
        return true;
    const QString password = m_engine.Settings().UnlockPassword();
    for (const QChar c : static_cast<QKeyEvent*>(event)->text()) {
        if (c.unicode() <= 27)
            continue;
        // A sliding window over what was typed: wrong characters before the password do no harm, no Enter needed.
        m_lockKeyBuffer = m_lockKeyBuffer.right(password.size() - 1) + c;
        if (m_lockKeyBuffer == password) {
            m_ui->mnuLock->setEnabled(true);
            mnuLock_Click();
            break;
        }
    }
    return true;
}
