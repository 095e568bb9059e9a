// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sync/SyncState.h"
#include "sync/SyncTypes.h"

#include <QObject>

// The sync engine as the windows use it. The implementation talks to the network and lives in the sync module
// (sync/SyncModule.h), so the windows know only this.
class ISyncEngine : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Reads the state file of the data folder (done by each call below as well).
    virtual bool LoadState(QString* error) = 0;
    virtual const SyncState& State() const = 0;
    virtual bool IsBusy() const = 0;
    // Local changes not yet on the server: new and changed tasks, deletions.
    virtual int PendingChanges() = 0;

    // Each of these ends with exactly one Finished signal.
    virtual void Sync() = 0;
    // Finds (or makes) the calendar, stores the password in the secret store, and starts a fresh state.
    virtual void Setup(const SyncSetup& setup) = 0;
    // Removes the account: its password and the state file. The tasks stay.
    virtual void Forget() = 0;

    // How often the program syncs by itself, kept with the account; false for a value that is no interval.
    virtual bool SetInterval(int seconds) = 0;

signals:
    void Progress(const QString& text);
    void Finished(const SyncResult& result);
};
