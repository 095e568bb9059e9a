// SPDX-License-Identifier: GPL-3.0-or-later
// The sync module's side: the network, the keyring and libical behind the table of sync/SyncModule.h.
#include "sync/CalDavClient.h"
#include "sync/SyncEngine.h"
#include "sync/SyncModule.h"

#include "platform/KeychainSecretStore.h"
#include "storage/IcalExport.h"
#include "storage/IcalImport.h"

#include <QNetworkInformation>

namespace {

SyncModule::Network FromReachability(QNetworkInformation::Reachability r)
{
    switch (r) {
    case QNetworkInformation::Reachability::Online:
        return SyncModule::Network::Online;
    case QNetworkInformation::Reachability::Disconnected:
        return SyncModule::Network::Disconnected;
    default:
        return SyncModule::Network::Other;
    }
}

// The backend brings a system-bus connection of its own: loaded by the first caller only.
QNetworkInformation* NetworkInformation()
{
    static const bool loaded = QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability);
    return loaded ? QNetworkInformation::instance() : nullptr;
}

constexpr SyncModule::Api kApi {
    .makeEngine = [](TaskEngine& engine, std::shared_ptr<ISecretStore> secrets) -> std::unique_ptr<ISyncEngine> {
        return std::make_unique<SyncEngine>(engine, std::move(secrets));
    },
    .makeSecretStore = []() -> std::shared_ptr<ISecretStore> { return std::make_shared<KeychainSecretStore>(); },
    .listCalendars
    = [](const DavAccount& account, std::function<void(const DiscoveryResult&)> done) -> std::unique_ptr<QObject> {
        auto client = std::make_unique<CalDavClient>();
        client->SetAccount(account);
        client->ListCalendars(std::move(done));
        return client;
    },
    .serverUrl = &CalDavClient::ServerUrl,
    .checkAddress = &CalDavClient::CheckAddress,
    .isLoopback = &CalDavClient::IsLoopback,
    .ownCalendarName = &CalDavClient::OwnCalendarName,
    .network =
        [] {
            // Known only once something watches it: asking must not load the backend.
            const QNetworkInformation* net = QNetworkInformation::instance();
            return net ? FromReachability(net->reachability()) : SyncModule::Network::Other;
        },
    .watchNetwork =
        [](QObject* context, std::function<void(SyncModule::Network)> changed) {
            if (QNetworkInformation* net = NetworkInformation())
                QObject::connect(net, &QNetworkInformation::reachabilityChanged, context,
                    [changed = std::move(changed)](
                        QNetworkInformation::Reachability r) { changed(FromReachability(r)); });
        },
    .exportIcal = [](const TaskList& tasks, const QString& path, QString* error,
                      const QString& dataFile) { return ExportIcal(tasks, path, error, dataFile); },
    .readIcalFile
    = [](const QString& path, IcalImportResult& out, QString* error) { return ReadIcalFile(path, out, error); },
    .importSummary = &IcalImportSummary,
};

}  // namespace

extern "C" Q_DECL_EXPORT const SyncModule::Api* tickwell_sync_api()
{
    return &kApi;
}

namespace SyncModule {

void UseLinkedIn()
{
    Register(&kApi);
    Platform::SetSystemSecretStoreFactory(kApi.makeSecretStore);
}

}  // namespace SyncModule
