// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sync/CalDavClient.h"
#include "sync/ISyncEngine.h"
#include "sync/SyncState.h"

#include "core/TaskList.h"

#include <QObject>
#include <QStringList>

#include <memory>

class ISecretStore;
class TaskEngine;

// Keeps the engine's tasks in step with one calendar collection on a CalDAV server. The tasks here are the truth
// of this machine; the server's copy of each task as last synced (SyncState, beside the data file) tells what
// changed on which side. One sync: list what changed on the server (RFC 6578, else everything), fetch it, merge it
// into the tasks (a field changed on one side takes that side's value; on both, the later change wins and the
// other is written to the status log), save the data file, then send the local changes with If-Match /
// If-None-Match (a 412 is fetched, merged and sent once more) and the deletions.
//
// Everything is asynchronous on the caller's thread: network replies and the secret store answer through the event
// loop, so a window stays responsive. Each call ends with exactly one Finished signal. A sync that fails before
// the tasks are merged changes no task; one that fails while sending keeps what it received, and what it did not
// send stays queued for the next one.
class SyncEngine : public ISyncEngine
{
    Q_OBJECT
public:
    SyncEngine(TaskEngine& engine, std::shared_ptr<ISecretStore> secrets, QObject* parent = nullptr);
    ~SyncEngine() override;

    // Reads the state file of the engine's data folder (done by each call below as well).
    bool LoadState(QString* error) override;
    const SyncState& State() const override { return m_state; }
    QString StatePath() const;
    bool IsBusy() const override { return m_busy; }

    // Local changes not yet on the server: new and changed tasks, deletions. A task that lost its UID takes back
    // the one of the copy it equals first (see AdoptLostUids).
    int PendingChanges() override;

    void Sync() override;
    // Finds (or makes) the calendar, stores the password in the secret store, and starts a fresh state.
    void Setup(const SyncSetup& setup) override;
    // Removes the account: its password and the state file. The tasks stay.
    void Forget() override;

    // How often the program syncs by itself, kept with the account; false for a value that is no interval.
    bool SetInterval(int seconds) override;

    // Listed dates for rules without an exact RRULE reach this many years ahead (tests shorten it).
    void SetRdateYears(int years) { m_rdateYears = years; }
    // Stops after this many requests in the sending phase, as a kill would (tests of an interrupted sync).
    void SetStopAfterRequestsForTest(int requests) { m_stopAfter = requests; }

private:
    struct Run;
    struct Push;

    bool RefuseWhileBusy();
    void Finish(const SyncResult& result);
    void Fail(const QString& error, const QString& fingerprint = {}, bool unauthorized = false);
    void WithPassword(std::function<void(const QString&)> next);
    void Listed(const ListResult& list);
    void Fetched(const FetchResult& fetched);
    void AdoptLostUids();
    // The task as the server last had it, to merge against.
    void ReadBase(const SyncItem& item, const CTask& local, CTask& base) const;
    bool MergeIntoLocal(const TaskPtr& local, const CTask& base, const CTask& remote);
    bool ApplyRemote(const std::vector<DavItem>& fetched, const QStringList& removed);
    void StartPushes();
    void NextPush();
    void PushDone(Push push, const DavReply& reply);
    void Retry412(Push push);
    bool SaveState();
    bool SaveTasks();
    TaskPtr TaskByUid(const QString& uid) const;
    QUrl NewResourceUrl(const QString& uid) const;
    void Log(const QString& message);

    TaskEngine& m_engine;
    std::shared_ptr<ISecretStore> m_secrets;
    CalDavClient m_client;
    SyncState m_state;
    std::unique_ptr<Run> m_run;
    bool m_busy = false;
    int m_rdateYears = 3;
    int m_stopAfter = 0;
};
