// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sync/ISyncEngine.h"

#include "core/TaskList.h"

#include <functional>
#include <memory>

class ISecretStore;
class TaskEngine;
struct IcalImportResult;

// Everything that talks to the network, the desktop's keyring or libical lives in a module of its own
// (libtickwell_sync.so), loaded the first time a run needs it: a sync (an account exists), the sync page asking
// the server, the keyring, a calendar import or export. A run that does none of these never maps those libraries.
//
// The module holds no copy of the program's own libraries: what it uses of them (the task engine, the data
// folder, the log) it takes from the program, which exports them, so there is one program-wide state. The
// command-line tool and the tests link the same code in and register it with UseLinkedIn().
namespace SyncModule {

// How the network is, as the sync cares.
enum class Network { Online, Disconnected, Other };

struct Api
{
    std::unique_ptr<ISyncEngine> (*makeEngine)(TaskEngine& engine, std::shared_ptr<ISecretStore> secrets);
    std::shared_ptr<ISecretStore> (*makeSecretStore)();
    // Lists the calendars of the account (nothing is made); the answer comes once through `done`, unless the
    // returned object is deleted first.
    std::unique_ptr<QObject> (*listCalendars)(
        const DavAccount& account, std::function<void(const DiscoveryResult&)> done);
    // "https://host/" for a bare host name; other text as a URL.
    QUrl (*serverUrl)(const QString& text);
    // Why the address may not be used (empty when it may).
    QString (*checkAddress)(const QUrl& url, bool allowHttp);
    bool (*isLoopback)(const QUrl& url);
    // The calendar the program makes for itself when none is named.
    QString (*ownCalendarName)();
    // The system's word on the network, Other when it has none; `changed` is called on each change for as long
    // as `context` lives.
    Network (*network)();
    void (*watchNetwork)(QObject* context, std::function<void(Network)> changed);
    bool (*exportIcal)(const TaskList& tasks, const QString& path, QString* error, const QString& dataFile);
    bool (*readIcalFile)(const QString& path, IcalImportResult& out, QString* error);
    QString (*importSummary)(const IcalImportResult& result, int added);
};

inline constexpr char kEntryName[] = "tickwell_sync_api";
using Entry = const Api* (*)();

// The module's functions, loaded on the first call; nullptr with the reason for the user in `error` when the
// module is missing or does not load.
const Api* Load(QString* error = nullptr);
// The program's way: the module on the module search path; it also becomes the keyring of Platform::SecretStore.
void UseInstalled();
// The code linked into this executable (the command-line tool, tests). Defined with the implementation.
void UseLinkedIn();
// What UseLinkedIn and the module's entry hand over.
void Register(const Api* api);

}  // namespace SyncModule
