// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sync/ISyncEngine.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class ISecretStore;
class ISleepWatcher;
class TaskEngine;
class QToolButton;
class QStatusBar;

// Runs the calendar sync for the main window: at start, a few seconds after local changes (a burst makes one
// sync), at the account's interval, when the network comes back and after a wake from suspend. The sync itself is
// asynchronous, so a slow or dead server never holds up the window or the scan. Shows its state in the status bar.
// The sync engine comes from the sync module, loaded the first time there is something to sync, set up or forget;
// until then the state file alone tells whether there is an account.
class SyncController : public QObject
{
    Q_OBJECT
public:
    // `secrets` nullptr: Platform::SecretStore() when the engine is made.
    // `makeSleepWatcher` is called once there is an account: watching for a wake means a system-bus connection.
    SyncController(TaskEngine& engine, std::shared_ptr<ISecretStore> secrets,
        std::function<std::unique_ptr<ISleepWatcher>()> makeSleepWatcher, QObject* parent = nullptr);
    ~SyncController() override;

    // The engine, the module loaded on the first call; nullptr when the module is missing (the reason becomes the
    // last error).
    ISyncEngine* Engine();
    const SyncState& State() const { return m_sync ? m_sync->State() : m_state; }
    bool HasAccount() const { return State().HasAccount(); }
    bool IsBusy() const { return m_sync && m_sync->IsBusy(); }

    // Puts the status panel in the bar; a click on it shows the details.
    void AttachStatusBar(QStatusBar* bar);
    QToolButton* StatusPanel() const { return m_panel; }
    QString StatusText() const;
    // The last sync's outcome and the changes still to send, for the details box.
    QString DetailsText() const;

    // Loads the account and, when there is one, syncs soon and then at its interval.
    void Start();
    void SyncNow();
    // A task was added, changed or removed here: sync once things have settled.
    void LocalChange();
    // A new account (from the options); `intervalSeconds` is kept with it once it is set up.
    void Setup(const SyncSetup& setup, int intervalSeconds);
    void SetInterval(int seconds);
    void Forget();

    // How long a burst of local changes has to settle before the sync (tests shorten it).
    void SetSettleDelay(int ms) { m_settle.setInterval(ms); }

signals:
    // Every sync, setup or forget that ended, after the window was brought up to date.
    void Finished(const SyncResult& result);
    void StatusChanged(const QString& text);

private:
    void Run();
    void Done(const SyncResult& result);
    void ShowStatus();
    void ShowDetails();
    void ArmInterval();
    void WatchNetwork();
    void LoadState();
    // The engine for a call that ends with Finished; when the module is missing, Finished tells so at once.
    ISyncEngine* EngineOrFail();

    enum class Pending { None, Sync, Setup, Forget };

    TaskEngine& m_engine;
    std::shared_ptr<ISecretStore> m_secrets;
    std::unique_ptr<ISyncEngine> m_sync;
    SyncState m_state;  // read from the file while there is no engine
    std::function<std::unique_ptr<ISleepWatcher>()> m_makeSleepWatcher;
    std::unique_ptr<ISleepWatcher> m_sleep;
    QTimer m_settle;
    QTimer m_interval;
    QToolButton* m_panel = nullptr;
    Pending m_running = Pending::None;
    bool m_again = false;  // a sync was asked for while one ran
    int m_setupInterval = 0;
    QString m_lastError;
    QString m_lostNote;  // a change that lost to a newer one, said once in the bar
    bool m_sawDisconnect = false;
    bool m_watchingNetwork = false;
};
