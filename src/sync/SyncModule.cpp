// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/SyncModule.h"

#include "platform/ISecretStore.h"
#include "platform/ModuleFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace SyncModule {

namespace {

struct Loaded
{
    const Api* api = nullptr;
    bool installed = false;  // look for the module file (else only what was registered)
    bool tried = false;
    QString error;
};

Loaded& State()
{
    static Loaded loaded;
    return loaded;
}

const Api* LoadFile(const QString& file, QString* error)
{
    if (file.isEmpty()) {
        *error = QCoreApplication::translate(
            "SyncModule", "找不到同步模块 libtickwell_sync.so（程序安装不完整），无法同步，也无法导入或导出日历。");
        return nullptr;
    }
    // Never unloaded: the network stack and the keyring keep threads and registrations until the process ends.
    QLibrary library(file);
    library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    const auto entry = reinterpret_cast<Entry>(library.resolve(kEntryName));
    const Api* api = entry ? entry() : nullptr;
    if (!api)
        *error = QCoreApplication::translate("SyncModule", "无法加载同步模块 %1：%2")
                     .arg(QDir::toNativeSeparators(file), library.errorString());
    return api;
}

}  // namespace

const Api* Load(QString* error)
{
    Loaded& s = State();
    if (!s.api && s.installed && !s.tried) {
        s.tried = true;
        s.api = LoadFile(ModuleFolders::Find(QStringLiteral("tickwell_sync")), &s.error);
    }
    if (!s.api && error)
        *error = s.error.isEmpty() ? QCoreApplication::translate("SyncModule", "同步模块不可用。") : s.error;
    return s.api;
}

void UseInstalled()
{
    State().installed = true;
    State().tried = false;
    Platform::SetSystemSecretStoreFactory([] {
        QString error;
        const Api* api = Load(&error);
        return api ? api->makeSecretStore() : MakeUnavailableSecretStore(error);
    });
}

void Register(const Api* api)
{
    State().api = api;
}

}  // namespace SyncModule
